#include "GrafOsa.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

const int CILOVY_POCET_ZNACEK = 5;

// 1, 2, 5 or 10 times the power of ten at or below hrubyKrok.
double hezkyKrok(double hrubyKrok) {
    const double rad = std::pow(10.0, std::floor(std::log10(hrubyKrok)));
    const double nasobek = hrubyKrok / rad;
    if (nasobek <= 1.0) return rad;
    if (nasobek <= 2.0) return 2.0 * rad;
    if (nasobek <= 5.0) return 5.0 * rad;
    return 10.0 * rad;
}

}  // namespace

Osa osaPro(double minimum, double maximum, bool celaCisla) {
    if (!(maximum > minimum)) {
        // A flat line sits in the middle of a range around it.
        const double okraj = minimum == 0.0 ? 1.0 : std::fabs(minimum) * 0.1;
        minimum -= okraj;
        maximum += okraj;
    }
    Osa osa;
    // Halves before subtracting, so that the range of two values near the largest double
    // does not overflow.
    double krok = hezkyKrok(2.0 * (maximum / 2.0 - minimum / 2.0) / CILOVY_POCET_ZNACEK);
    if (celaCisla) krok = std::max(krok, 1.0);
    if (!std::isfinite(krok) || krok <= 0.0) krok = maximum / 2.0 - minimum / 2.0;
    const double prvni = std::floor(minimum / krok);
    const double posledni = std::ceil(maximum / krok);
    osa.krok = krok;
    osa.od = std::isfinite(prvni * krok) ? prvni * krok : minimum;
    osa.po = std::isfinite(posledni * krok) ? posledni * krok : maximum;
    for (int i = 0; i <= 2 * CILOVY_POCET_ZNACEK + 2 && prvni + i <= posledni; ++i) {
        const double znacka = (prvni + i) * krok;
        if (std::isfinite(znacka)) osa.znacky.push_back(znacka);
    }
    return osa;
}

double Osa::podil(double hodnota) const { return (hodnota / 2.0 - od / 2.0) / (po / 2.0 - od / 2.0); }

std::string Osa::popisek(double znacka) const {
    const double nejvetsi = std::max(std::fabs(od), std::fabs(po));
    std::ostringstream text;
    if (nejvetsi < 1e7 && krok >= 1e-7) {
        // Plain decimals, as many as the step needs ("100", "0,25"), never an exponent.
        text.setf(std::ios::fixed);
        text.precision(std::clamp(static_cast<int>(std::ceil(-std::log10(krok) - 1e-9)), 0, 7));
    } else {
        int cifry = static_cast<int>(std::ceil(std::log10(nejvetsi / krok))) + 1;
        text.precision(std::clamp(cifry, 1, 15));
    }
    text << znacka;
    std::string vysledek = text.str();
    if (vysledek == "-0") vysledek = "0";
    const std::size_t tecka = vysledek.find('.');
    if (tecka != std::string::npos) vysledek[tecka] = ',';
    return vysledek;
}
