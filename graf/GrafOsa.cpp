#include "GrafOsa.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Konstanty.h"

namespace {

const int CILOVY_POCET_ZNACEK = 5;

// 1, 2, 5 or 10 times the power of ten at or below hrubyKrok.
long double hezkyKrok(long double hrubyKrok) {
    const long double rad = std::pow(10.0L, std::floor(std::log10(hrubyKrok)));
    const long double nasobek = hrubyKrok / rad;
    if (nasobek <= 1.0L) return rad;
    if (nasobek <= 2.0L) return 2.0L * rad;
    if (nasobek <= 5.0L) return 5.0L * rad;
    return 10.0L * rad;
}

std::string sCarkou(std::string text) {
    const std::size_t tecka = text.find('.');
    if (tecka != std::string::npos) text[tecka] = ',';
    if (text == "-0") text = "0";
    return text;
}

// A tick label with as many digits as the tick step needs: plain decimals ("100", "0,25")
// for ordinary ranges, otherwise significant digits with an exponent ("1,5e-320").
std::string popisekHodnoty(long double znacka, long double krok, long double nejvetsi) {
    char text[64];
    if (nejvetsi < 1e7L && krok >= 1e-7L) {
        const int desetinna = std::clamp(static_cast<int>(std::ceil(-std::log10(krok) - 1e-9L)), 0, 7);
        std::snprintf(text, sizeof(text), "%.*Lf", desetinna, znacka);
    } else {
        const int cifry = std::clamp(static_cast<int>(std::ceil(std::log10(nejvetsi / krok))) + 1, 1, 15);
        std::snprintf(text, sizeof(text), "%.*Lg", cifry, znacka);
    }
    return sCarkou(text);
}

// Ticks at the multiples of krok from the first to the last (in units of krok).
void znackyNasobku(Osa& osa, long double krok, long double prvni, long double posledni, bool popisky) {
    const long double nejvetsi = std::max(std::fabs(prvni * krok), std::fabs(posledni * krok));
    for (long double i = prvni; i <= posledni; i += 1.0L) {
        const long double znacka = i * krok;
        osa.znacky.push_back({znacka, popisky ? popisekHodnoty(znacka, krok, nejvetsi) : ""});
    }
}

std::string popisekMocniny(int exponent) {
    char text[32];
    std::snprintf(text, sizeof(text), "%Lg", std::pow(10.0L, exponent));
    return sCarkou(text);
}

}  // namespace

double Osa::podil(long double hodnota) const {
    long double t = hodnota;
    if (meritko == Meritko::Logaritmicke) {
        t = hodnota > 0.0L ? std::log10(hodnota) : NAN;
    } else if (meritko == Meritko::SymetrickeLog) {
        t = std::copysign(std::log10(1.0L + std::fabs(t) / zaklad), t);
    }
    const double vysledek = static_cast<double>((t - od) / (po - od));
    return std::isfinite(vysledek) ? vysledek : NAN;
}

Osa osaHodnot(double minimum, double maximum) {
    long double od = minimum, po = maximum;
    if (!(po > od)) {
        // A flat line sits in the middle of a range around it.
        const long double okraj = od == 0.0L ? 1.0L : std::fabs(od) * 0.1L;
        od -= okraj;
        po += okraj;
    }
    const long double krok = hezkyKrok((po - od) / CILOVY_POCET_ZNACEK);
    Osa osa;
    const long double prvni = std::floor(od / krok), posledni = std::ceil(po / krok);
    osa.od = prvni * krok;
    osa.po = posledni * krok;
    znackyNasobku(osa, krok, prvni, posledni, true);
    return osa;
}

Osa osaKroku(std::size_t pocetKroku) {
    Osa osa;
    osa.po = pocetKroku > 1 ? static_cast<long double>(pocetKroku - 1) : 1.0L;
    const long double krok = std::max(1.0L, hezkyKrok(osa.po / CILOVY_POCET_ZNACEK));
    znackyNasobku(osa, krok, 0.0L, std::floor(osa.po / krok), true);
    return osa;
}

Osa osaFaze(double minimum, double maximum) {
    long double krok = 45.0L;
    long double prvni = std::floor(minimum / krok), posledni = std::ceil(maximum / krok);
    while (posledni - prvni > 8.0L) {
        krok *= 2.0L;
        prvni = std::floor(minimum / krok);
        posledni = std::ceil(maximum / krok);
    }
    if (prvni == posledni) {
        prvni -= 1.0L;
        posledni += 1.0L;
    }
    Osa osa;
    osa.od = prvni * krok;
    osa.po = posledni * krok;
    znackyNasobku(osa, krok, prvni, posledni, true);
    return osa;
}

Osa osaSymetrickaLog(double minimum, double maximum, double nejmensiNenulova) {
    Osa osa;
    osa.meritko = Osa::Meritko::SymetrickeLog;
    const int nejnizsi = static_cast<int>(std::floor(std::log10(static_cast<long double>(nejmensiNenulova))));
    osa.zaklad = std::pow(10.0L, nejnizsi);
    const auto t = [&osa](long double h) { return std::copysign(std::log10(1.0L + std::fabs(h) / osa.zaklad), h); };
    osa.od = std::min(0.0L, t(minimum));
    osa.po = std::max(0.0L, t(maximum));
    if (osa.po == osa.od) osa.po = 1.0L;
    // Decades between ticks so that neither side holds more than five.
    const int dekad = static_cast<int>(std::ceil(std::max(-osa.od, osa.po)));
    const int krok = std::max(1, static_cast<int>(hezkyKrok(std::max(1.0L, dekad / 5.0L))));
    osa.znacky.push_back({0.0L, "0"});
    // Powers of ten at multiples of the step, none so close to 0 that the labels meet.
    const long double blizko = 0.03L * (osa.po - osa.od);
    const int prvni = static_cast<int>(std::ceil(static_cast<long double>(nejnizsi) / krok)) * krok;
    for (int e = prvni; e <= nejnizsi + dekad; e += krok) {
        const long double mocnina = std::pow(10.0L, e);
        if (t(mocnina) < blizko) continue;
        if (t(mocnina) <= osa.po) osa.znacky.push_back({mocnina, popisekMocniny(e)});
        if (-t(mocnina) >= osa.od) osa.znacky.push_back({-mocnina, "-" + popisekMocniny(e)});
    }
    return osa;
}

Osa osaFrekvenci(double wMin, double wMax) {
    Osa osa;
    osa.meritko = Osa::Meritko::Logaritmicke;
    // The report writes w with 6 digits: its last frequency 3,14159 is pi.
    const bool doNyquista = std::fabs(wMax - PI) <= 1e-5 * PI;
    osa.od = std::log10(static_cast<long double>(wMin));
    osa.po = std::log10(static_cast<long double>(doNyquista ? std::max(wMax, PI) : wMax));
    if (!(osa.po > osa.od)) osa.po = osa.od + 1.0L;
    for (long double d = std::floor(osa.od); d <= std::ceil(osa.po); d += 1.0L) {
        for (int nasobek = 1; nasobek <= 9; ++nasobek) {
            const long double w = nasobek * std::pow(10.0L, d);
            const long double poloha = std::log10(w);
            if (poloha < osa.od - 1e-9L || poloha > osa.po + 1e-9L) continue;
            osa.znacky.push_back({w, nasobek == 1 ? sCarkou(popisekMocniny(static_cast<int>(d))) : ""});
        }
    }
    if (doNyquista) osa.znacky.push_back({static_cast<long double>(PI), "\xCF\x80"});
    return osa;
}
