#include "GrafSchody.h"

#include <cmath>

namespace {

// The thinned points of steps [od, po) that share one pixel column.
void sloupec(const Zprava& zprava, std::size_t vystup, std::size_t od, std::size_t po, std::vector<Bod>& body) {
    std::size_t nejmensi = od, nejvetsi = od;
    for (std::size_t k = od; k < po; ++k) {
        if (zprava.hodnota(k, vystup) < zprava.hodnota(nejmensi, vystup)) nejmensi = k;
        if (zprava.hodnota(k, vystup) > zprava.hodnota(nejvetsi, vystup)) nejvetsi = k;
    }
    const std::size_t vyber[] = {od, std::min(nejmensi, nejvetsi), std::max(nejmensi, nejvetsi), po - 1};
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0 && vyber[i] == vyber[i - 1]) continue;
        body.push_back({static_cast<double>(vyber[i]), zprava.hodnota(vyber[i], vystup)});
    }
}

// The staircase of steps [od, po): each value held to the next step; the report's last step
// is a point.
void schod(const Zprava& zprava, std::size_t vystup, std::size_t od, std::size_t po, std::vector<Bod>& body) {
    for (std::size_t k = od; k < po; ++k) {
        const double y = zprava.hodnota(k, vystup);
        body.push_back({static_cast<double>(k), y});
        if (k + 1 < zprava.pocetRadku()) body.push_back({static_cast<double>(k + 1), y});
    }
}

// The steps from od on up to the next value that is not finite.
std::size_t konecUseku(const Zprava& zprava, std::size_t vystup, std::size_t od) {
    while (od < zprava.pocetRadku() && std::isfinite(zprava.hodnota(od, vystup))) ++od;
    return od;
}

std::vector<Bod> usek(const Zprava& zprava, std::size_t vystup, std::size_t od, std::size_t po, double krokuNaPixel) {
    std::vector<Bod> body;
    if (krokuNaPixel <= 1.0) {
        schod(zprava, vystup, od, po, body);
        return body;
    }
    std::size_t zacatek = od;
    while (zacatek < po) {
        const double sloupecZacatku = std::floor(static_cast<double>(zacatek) / krokuNaPixel);
        std::size_t konec = zacatek + 1;
        while (konec < po && std::floor(static_cast<double>(konec) / krokuNaPixel) == sloupecZacatku) ++konec;
        sloupec(zprava, vystup, zacatek, konec, body);
        zacatek = konec;
    }
    return body;
}

}  // namespace

std::vector<std::vector<Bod>> schodyVystupu(const Zprava& zprava, std::size_t vystup, double krokuNaPixel) {
    std::vector<std::vector<Bod>> useky;
    std::size_t k = 0;
    while (k < zprava.pocetRadku()) {
        const std::size_t konec = konecUseku(zprava, vystup, k);
        if (konec > k) useky.push_back(usek(zprava, vystup, k, konec, krokuNaPixel));
        k = konec + 1;
    }
    return useky;
}
