#include "GrafBode.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "GrafPrvky.h"
#include "GrafRezervy.h"
#include "GrafText.h"

namespace {

const double VLEVO_BODE = 80.0;
const double VYSKA_PANELU = 200.0;
const double VYSKA_PANELU_VYSTUPU = 140.0;
const std::size_t DVOJIC_V_JEDNOM = 4;

// The pairs one diagram draws (their numbers j: magnitude in column 1 + 2j, phase in 2 + 2j),
// its heading and the labels of its legend.
struct Blok {
    std::vector<std::size_t> dvojice;
    std::string nadpis;
    std::vector<std::string> legenda;
};

// "y1/u2" from the label "zesileni y1/u2 [dB]".
std::string dvojice(const Zprava& z, std::size_t j) {
    const std::string& popisek = z.popisky[1 + 2 * j];
    const std::size_t mezera = popisek.find(' '), konec = popisek.rfind(' ');
    return mezera < konec ? popisek.substr(mezera + 1, konec - mezera - 1) : popisek;
}

std::vector<Blok> bloky(const Zprava& z) {
    const std::size_t pocet = z.popisky.size() / 2;
    std::vector<Blok> vysledek;
    for (std::size_t j = 0; j < pocet; ++j) {
        const std::string nazev = dvojice(z, j);
        const std::size_t lomitko = nazev.find('/');
        const std::string vystup = nazev.substr(0, lomitko);
        if (pocet <= DVOJIC_V_JEDNOM) {
            if (vysledek.empty()) vysledek.push_back({});
            if (pocet > 1) vysledek.back().legenda.push_back(nazev);
        } else if (vysledek.empty() || vysledek.back().nadpis != "vystup " + vystup) {
            vysledek.push_back({{}, "vystup " + vystup, {}});
        }
        vysledek.back().dvojice.push_back(j);
        if (pocet > DVOJIC_V_JEDNOM) vysledek.back().legenda.push_back(lomitko == std::string::npos ? nazev : nazev.substr(lomitko + 1));
    }
    return vysledek;
}

struct Meze {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    void pridej(double h) {
        minimum = std::min(minimum, h);
        maximum = std::max(maximum, h);
    }
    bool prazdne() const { return minimum > maximum; }
};

// The finite values of one column of the block's pairs (posun 1: magnitude, 2: phase).
Meze meze(const Zprava& z, const Blok& b, std::size_t posun) {
    Meze m;
    for (std::size_t k = 0; k < z.pocetRadku(); ++k) {
        for (std::size_t j : b.dvojice) {
            const double h = z.hodnota(k, posun + 2 * j);
            if (std::isfinite(h)) m.pridej(h);
        }
    }
    return m;
}

void krivkyPanelu(std::ostream& svg, const Zprava& z, const Blok& b, const Plocha& p, std::size_t posun) {
    for (std::size_t i = 0; i < b.dvojice.size(); ++i) {
        std::vector<Bod> body;
        for (std::size_t k = 0; k < z.pocetRadku(); ++k) {
            const double w = z.hodnota(k, 0), h = z.hodnota(k, posun + 2 * b.dvojice[i]);
            if (std::isfinite(h) && std::isfinite(w) && w > 0.0) {
                body.push_back({w, h});
            } else if (!body.empty()) {
                krivka(svg, p, body, static_cast<int>(i));
                body.clear();
            }
        }
        if (!body.empty()) krivka(svg, p, body, static_cast<int>(i));
    }
}

Osa osaW(const Zprava& z) {
    Meze w;
    for (std::size_t k = 0; k < z.pocetRadku(); ++k) {
        if (z.hodnota(k, 0) > 0.0 && std::isfinite(z.hodnota(k, 0))) w.pridej(z.hodnota(k, 0));
    }
    return w.prazdne() ? osaFrekvenci(0.1, 1.0) : osaFrekvenci(w.minimum, w.maximum);
}

// One diagram from the top y: its heading, the magnitude panel and the phase panel; returns
// the y below it.
double blok(std::ostream& svg, const Zprava& z, const Blok& b, double y, double vyskaPanelu) {
    const double vpravo = SIRKA_OBRAZKU - 20.0 - (b.legenda.empty() ? 0.0 : 110.0);
    if (!b.nadpis.empty()) {
        svg << "<text x=\"" << px(VLEVO_BODE) << "\" y=\"" << px(y - 8) << "\" font-size=\"13\" font-weight=\"bold\">"
            << textXml(b.nadpis) << "</text>\n";
    }
    Meze zesileni = meze(z, b, 1), faze = meze(z, b, 2);
    if (zesileni.prazdne()) zesileni.pridej(0.0);
    if (faze.prazdne()) faze.pridej(0.0);
    rozsahRezerv(z, zesileni.minimum, zesileni.maximum, faze.minimum, faze.maximum);
    const Plocha horni{VLEVO_BODE, vpravo, y, y + vyskaPanelu, osaW(z), osaHodnot(zesileni.minimum, zesileni.maximum)};
    const double fazeNahore = y + vyskaPanelu + 40.0;
    const Plocha dolni{VLEVO_BODE, vpravo, fazeNahore, fazeNahore + vyskaPanelu, osaW(z), osaFaze(faze.minimum, faze.maximum)};
    mrizka(svg, horni, "", "zesileni [dB]");
    mrizka(svg, dolni, "w [rad/krok]", "faze [st]");
    krivkyPanelu(svg, z, b, horni, 1);
    krivkyPanelu(svg, z, b, dolni, 2);
    znackyRezerv(svg, z, horni, dolni);
    if (!b.legenda.empty()) legenda(svg, vpravo + 16, y + 10, b.legenda);
    return dolni.dole + 70.0;
}

// The values that are not drawn and the first frequency that has one.
std::string nekreslene(const Zprava& z, int& pocet) {
    std::string prvni;
    for (std::size_t i = 0; i < z.hodnoty.size(); ++i) {
        if (std::isfinite(z.hodnoty[i])) continue;
        if (pocet++ == 0) prvni = "prvni pri w " + textZpravy(z.hodnota(i / z.sirka, 0));
    }
    return prvni;
}

}  // namespace

std::string svgBode(const Zprava& zprava, const std::string& nazevZpravy) {
    const std::vector<Blok> diagramy = bloky(zprava);
    const std::vector<std::string> rezervy = radkyRezerv(zprava);
    int nekreslenych = 0;
    const std::string prvni = nekreslene(zprava, nekreslenych);
    const int radkuPoznamek = static_cast<int>(rezervy.size()) + (nekreslenych > 0);
    const double vyskaPanelu = diagramy.size() > 1 ? VYSKA_PANELU_VYSTUPU : VYSKA_PANELU;
    double y = 70.0 + 15.0 * std::max(0, radkuPoznamek - 1) + (diagramy.size() > 1 ? 20.0 : 0.0);
    std::ostringstream diagram;
    for (const Blok& b : diagramy) y = blok(diagram, zprava, b, y, vyskaPanelu);
    std::ostringstream svg;
    zacatekSvg(svg, SIRKA_OBRAZKU, y - 20.0, zprava, nazevZpravy);
    poznamkaMezer(svg, SIRKA_OBRAZKU, 0, nekreslenych, prvni);
    for (std::size_t i = 0; i < rezervy.size(); ++i) radekPodTitulkem(svg, SIRKA_OBRAZKU, static_cast<int>(i) + (nekreslenych > 0), rezervy[i]);
    svg << diagram.str();
    svg << "</svg>\n";
    return svg.str();
}
