#ifndef VOLBY_H
#define VOLBY_H

#include <string>
#include <vector>

#include "System.h"

// The options of a run, written before the kind as `--name value` pairs. A run without them
// behaves exactly as one of the plain command line.
struct Volby {
    int kroky = POCET_KROKU;  // --kroky N: steps of Impulse and Prechod, 1 to MAX_KROKU
    int vstup = 0;            // --vstup I: the one input (1-based) of Impulse and Prechod; 0 = all
    bool nuly = false;        // --nuly ano: Poly also lists the zeros
    bool zesileni = false;    // --zesileni ano: Poly also gives the static gain H(1)
    bool rezervy = false;     // --rezervy ano: Frekvence of a SISO system ends with its margins
    std::vector<std::string> zadane;  // the names given, in order

    bool zadana(const std::string& jmeno) const;
    // True when the run asks for anything beyond the plain command line.
    bool nejake() const { return !zadane.empty(); }
};

constexpr int MAX_KROKU = 100000;

// Takes the leading options off the command line: argv[1 ...] up to the first argument that is
// not an option. The rest of the command line is returned with the program name in front, so
// that its argument counts are those of a run without options. Raises vyjm::ArgumentError for
// an unknown option, a missing or malformed value, a repeated option, or a known option name
// after the kind.
Volby oddelVolby(int argc, char* argv[], std::vector<char*>& zbytek);

// Refuses an option that does not belong to the operation (a known operation only: an
// unknown one keeps its own message) or to the kind of system (`siso`).
void kontrolaVoleb(const Volby& volby, const std::string& operace, bool siso);

// Refuses a --vstup beyond the system's inputs.
void kontrolaVstupu(const Volby& volby, int pocetVstupu);

#endif
