#ifndef GRAF_ZPRAVA_H
#define GRAF_ZPRAVA_H

#include <istream>
#include <optional>
#include <string>
#include <vector>

// A result report of cldds (Impulse, Prechod, Vystup) as read back: what the header says
// and the values, kroky[k][j] being output j at step k. Values keep the 6 significant digits
// the report holds; inf and nan come back as such.
struct Zprava {
    std::string druhSystemu;  // "Vnejsi SISO", "Vnejsi MIMO", "Stavove SISO" or "Stavove MIMO"
    bool mimo = false;
    bool stabilni = false;
    std::vector<std::vector<double>> kroky;

    int pocetVystupu() const { return kroky.empty() ? 0 : static_cast<int>(kroky.front().size()); }
};

// Reads a report; a text that is not one raises GrafChyba naming the path and the line.
Zprava nactiZpravu(std::istream& vstup, const std::string& cesta);
Zprava nactiZpravuZeSouboru(const std::string& cesta);

// One value of a report line: decimal comma, "inf", "-inf", "nan", "-nan"; nothing for any
// other text.
std::optional<double> hodnotaZpravy(const std::string& text);

#endif
