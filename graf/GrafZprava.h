#ifndef GRAF_ZPRAVA_H
#define GRAF_ZPRAVA_H

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a report holds: a response (Impulse, Prechod, Vystup), a frequency response
// (Frekvence) or the poles (Poly).
enum class DruhZpravy { Odezva, Frekvence, Poly };

// One line of a pole or zero section; poloha is its word ("uvnitr", "na kruznici", "vne").
struct PolZpravy {
    double re = 0.0;
    double im = 0.0;
    double velikost = 0.0;
    long nasobnost = 1;
    std::string poloha;
};

// One static gain of a pole report: its pair ("y1/u2"), its value and the report's text of it.
struct ZesileniZpravy {
    std::string dvojice;
    double hodnota = 0.0;
    std::string text;
};

// One line of a margin section: the margin at one crossover and its frequency, with the
// report's texts. "inf;-" (no crossover) has w NaN.
struct RezervaZpravy {
    double hodnota = 0.0;
    double w = 0.0;
    std::string text;
    std::string textW;
    bool maPrechod() const { return textW != "-"; }
};

// A result report of cldds as read back. Response and frequency values keep the 6
// significant digits the report holds; inf and nan come back as such. The values of line k
// are hodnoty[k * sirka ...]: for a response the outputs of step k, for a frequency
// response w and then magnitude and phase of each pair (their labels in popisky).
struct Zprava {
    std::string druhSystemu;  // "Vnejsi SISO", "Vnejsi MIMO", "Stavove SISO" or "Stavove MIMO"
    bool mimo = false;
    bool stabilni = false;
    DruhZpravy druh = DruhZpravy::Odezva;
    std::size_t sirka = 0;
    std::vector<double> hodnoty;
    std::vector<std::string> popisky;

    // Poly: the poles, the spectral radius (and its text), the zero section when there is
    // one (the zeros, or the reason why they are not defined) and the static gains.
    std::vector<PolZpravy> poly;
    double spektralniPolomer = 0.0;
    std::string textPolomeru;
    bool sNulami = false;
    std::vector<PolZpravy> nuly;
    std::string procNejsouNuly;
    std::vector<ZesileniZpravy> zesileni;

    // Frekvence: the margins when the report has them, each at every crossover.
    bool sRezervami = false;
    std::vector<RezervaZpravy> rezervyZesileni;
    std::vector<RezervaZpravy> rezervyFaze;

    std::size_t pocetRadku() const { return sirka == 0 ? 0 : hodnoty.size() / sirka; }
    int pocetVystupu() const { return static_cast<int>(sirka); }
    double hodnota(std::size_t radek, std::size_t sloupec) const { return hodnoty[radek * sirka + sloupec]; }
};

// The most a report can hold, as cldds writes them.
const std::size_t MAX_KROKU = 100000;
const std::size_t MAX_VYSTUPU = 256;
const std::size_t MAX_FREKVENCI = 256;
const std::size_t MAX_DVOJIC = 256;

// The pieces of a line between ";", empty ones kept so that "1;;2" can be refused.
std::vector<std::string_view> kusyRadku(std::string_view radek);

// One value of a report line: decimal comma, "inf", "-inf", "nan", "-nan"; nothing for any
// other text.
std::optional<double> hodnotaZpravy(std::string_view text);

#endif
