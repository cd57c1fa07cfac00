#ifndef GRAF_ZPRAVA_H
#define GRAF_ZPRAVA_H

#include <istream>
#include <optional>
#include <string>
#include <vector>

// What a report holds: a response (Impulse, Prechod, Vystup), a frequency response
// (Frekvence) or the poles (Poly).
enum class DruhZpravy { Odezva, Frekvence, Poly };

// One line of a pole report; poloha is its word ("uvnitr", "na kruznici", "vne").
struct PolZpravy {
    double re = 0.0;
    double im = 0.0;
    double velikost = 0.0;
    long nasobnost = 1;
    std::string poloha;
};

// A result report of cldds as read back: what the header says and the values. For a
// response kroky[k][j] is output j at step k; for a frequency response kroky[k] is the line of
// frequency k (w, then magnitude and phase of each pair) and popisky the labels of its
// columns; a pole report fills poly and spektralniPolomer. Response and frequency values keep
// the 6 significant digits the report holds; inf and nan come back as such.
struct Zprava {
    std::string druhSystemu;  // "Vnejsi SISO", "Vnejsi MIMO", "Stavove SISO" or "Stavove MIMO"
    bool mimo = false;
    bool stabilni = false;
    DruhZpravy druh = DruhZpravy::Odezva;
    std::vector<std::vector<double>> kroky;
    std::vector<std::string> popisky;
    std::vector<PolZpravy> poly;
    double spektralniPolomer = 0.0;

    int pocetVystupu() const { return kroky.empty() ? 0 : static_cast<int>(kroky.front().size()); }
};

// Reads a report; a text that is not one raises GrafChyba naming the path and the line.
Zprava nactiZpravu(std::istream& vstup, const std::string& cesta);
Zprava nactiZpravuZeSouboru(const std::string& cesta);

// One value of a report line: decimal comma, "inf", "-inf", "nan", "-nan"; nothing for any
// other text.
std::optional<double> hodnotaZpravy(const std::string& text);

#endif
