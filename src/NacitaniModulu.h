#ifndef NACITANIMODULU_H
#define NACITANIMODULU_H

#include <string>
#include <utility>
#include <vector>

#include "JisteBody.h"
#include "PolSystemu.h"
#include "PresnaMatice.h"

// The module of exact arithmetic (FLINT, Arb), loaded on first use from beside the program or
// from where the installation puts it, relative to the program's real path (only from the
// installation's place fixed at build time when that path cannot be read). A module that is
// truncated, not a library of this machine, of another protocol version or without all its
// entry points is refused. When no module can be loaded, the functions below raise
// vyjm::FileError naming the places tried or the module refused and why.

// The exact stability verdict on one block (what it holds says zdroj, ZadaniPresnosti.h).
bool presnaStabilita(char zdroj, const PresnaMatice& hodnoty);

// An exact conversion (druh, ZadaniPresnosti.h); the result blocks, or false with the module's
// message in chyba.
bool presnyPrevod(char druh, const std::vector<const PresnaMatice*>& bloky, std::vector<PresnaMatice>& vysledek,
                  std::string& chyba);

// The distinct poles of one block (what it holds says zdroj, as for presnaStabilita), with
// multiplicities and certain places; vyjm::FileError with the module's message on failure.
std::vector<Pol> presnePolyZModulu(char zdroj, const PresnaMatice& hodnoty);

// The files of the program itself: its executable and every place of its module. No run may
// write a result over them.
std::vector<std::string> souboryProgramu();

// The zeros and or the static gain of a system (the task zadani::NULY: what is asked, then the
// system's blocks): the blocks of the answer; vyjm::FileError with the module's message on
// failure.
std::vector<PresnaMatice> presneNulyZModulu(const std::vector<const PresnaMatice*>& bloky);

// The values of the pairs `dvojice` (output, input; 0-based) of a frequency report whose printed
// digits the floating-point bounds left open, certain: the system exactly as written (F, G, H, L
// or A, B), and per pair what is known of its 256 values; each returned value is a point interval
// of the printable magnitude and unwrapped phase.
std::vector<std::vector<BodFrekvence>> frekvenceZModulu(const std::vector<PresnaMatice>& system,
                                                       const std::vector<std::pair<int, int>>& dvojice,
                                                       const std::vector<std::vector<BodFrekvence>>& body);

// The gain margins (at the phase crossovers) and phase margins (at the gain crossovers) of a
// SISO system, each (margin, w) printable, by rising w.
struct RezervyStability {
    std::vector<std::pair<double, double>> zesileni;
    std::vector<std::pair<double, double>> faze;
};
RezervyStability rezervyZModulu(const std::vector<PresnaMatice>& system);

#endif
