#include "GrafSchody.h"

#include <cmath>

namespace {

// The steps of one output within the current pixel column: the first, the smallest, the
// largest and the last finite one since the column began or the last value that was not.
struct Sloupec {
    bool prazdny = true;
    std::size_t prvni = 0, nejmensi = 0, nejvetsi = 0, posledni = 0;
};

class Ridnuti {
    const Zprava& z;
    std::vector<Krivky> krivky;
    std::vector<std::vector<Bod>> rozpracovane;
    std::vector<Sloupec> sloupce;

    void pridej(std::size_t k, std::size_t j) {
        Sloupec& s = sloupce[j];
        const double h = z.hodnota(k, j);
        if (s.prazdny) s = {false, k, k, k, k};
        if (h < z.hodnota(s.nejmensi, j)) s.nejmensi = k;
        if (h > z.hodnota(s.nejvetsi, j)) s.nejvetsi = k;
        s.posledni = k;
    }

    // The column's points, in the order of their steps, into the output's current polyline.
    void uzavriSloupec(std::size_t j) {
        Sloupec& s = sloupce[j];
        if (s.prazdny) return;
        const std::size_t vyber[] = {s.prvni, std::min(s.nejmensi, s.nejvetsi), std::max(s.nejmensi, s.nejvetsi), s.posledni};
        for (std::size_t i = 0; i < 4; ++i) {
            if (i == 0 || vyber[i] != vyber[i - 1]) rozpracovane[j].push_back({static_cast<double>(vyber[i]), z.hodnota(vyber[i], j)});
        }
        s.prazdny = true;
    }

    void uzavriKrivku(std::size_t j) {
        uzavriSloupec(j);
        if (!rozpracovane[j].empty()) krivky[j].push_back(std::move(rozpracovane[j]));
        rozpracovane[j].clear();
    }

public:
    explicit Ridnuti(const Zprava& zprava)
        : z(zprava), krivky(zprava.sirka), rozpracovane(zprava.sirka), sloupce(zprava.sirka) {}

    std::vector<Krivky> proved(double krokuNaPixel) {
        double sloupec = 0.0;
        for (std::size_t k = 0; k < z.pocetRadku(); ++k) {
            if (std::floor(static_cast<double>(k) / krokuNaPixel) != sloupec) {
                sloupec = std::floor(static_cast<double>(k) / krokuNaPixel);
                for (std::size_t j = 0; j < z.sirka; ++j) uzavriSloupec(j);
            }
            for (std::size_t j = 0; j < z.sirka; ++j) {
                if (std::isfinite(z.hodnota(k, j))) pridej(k, j);
                else uzavriKrivku(j);
            }
        }
        for (std::size_t j = 0; j < z.sirka; ++j) uzavriKrivku(j);
        return std::move(krivky);
    }
};

// The staircase of one output: each value held to the next step; the report's last step a
// point.
Krivky schody(const Zprava& z, std::size_t j) {
    Krivky krivky;
    std::vector<Bod> body;
    for (std::size_t k = 0; k < z.pocetRadku(); ++k) {
        const double y = z.hodnota(k, j);
        if (!std::isfinite(y)) {
            if (!body.empty()) krivky.push_back(std::move(body));
            body.clear();
            continue;
        }
        body.push_back({static_cast<double>(k), y});
        if (k + 1 < z.pocetRadku()) body.push_back({static_cast<double>(k + 1), y});
    }
    if (!body.empty()) krivky.push_back(std::move(body));
    return krivky;
}

}  // namespace

std::vector<Krivky> schodyVystupu(const Zprava& zprava, double krokuNaPixel) {
    if (krokuNaPixel > 1.0) return Ridnuti(zprava).proved(krokuNaPixel);
    std::vector<Krivky> vysledek;
    for (std::size_t j = 0; j < zprava.sirka; ++j) vysledek.push_back(schody(zprava, j));
    return vysledek;
}
