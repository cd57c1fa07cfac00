#include "GrafSvg.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace {

const double VYSKA_PLOCHY = 360.0;
const double LEGENDA = 110.0;
const std::size_t RADKU_TABULKY = 8;  // outputs shown in the table; the CSV of figures holds all

// The finite range of the values, the smallest non-zero magnitude, and the values that are
// not finite with the first line that holds one.
struct Rozsah {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    double nejmensiNenulova = std::numeric_limits<double>::infinity();
    int nekonecnych = 0;
    std::size_t prvniNekonecny = 0;
};

Rozsah rozsah(const Zprava& zprava) {
    Rozsah r;
    for (std::size_t i = 0; i < zprava.hodnoty.size(); ++i) {
        const double h = zprava.hodnoty[i];
        if (!std::isfinite(h)) {
            if (r.nekonecnych++ == 0) r.prvniNekonecny = i / zprava.sirka;
            continue;
        }
        r.minimum = std::min(r.minimum, h);
        r.maximum = std::max(r.maximum, h);
        if (h != 0.0) r.nejmensiNenulova = std::min(r.nejmensiNenulova, std::fabs(h));
    }
    if (r.minimum > r.maximum) r.minimum = r.maximum = 0.0;
    return r;
}

bool logaritmicka(const Rozsah& r) {
    const double nejvetsi = std::max(std::fabs(r.minimum), std::fabs(r.maximum));
    return r.nekonecnych > 0 && std::isfinite(r.nejmensiNenulova) && nejvetsi / r.nejmensiNenulova > 1e6;
}

Osa osaOdezvy(const Rozsah& r) {
    return logaritmicka(r) ? osaSymetrickaLog(r.minimum, r.maximum, r.nejmensiNenulova) : osaHodnot(r.minimum, r.maximum);
}

int radkuPoznamek(const Rozsah& r) { return (r.nekonecnych > 0) + logaritmicka(r); }

std::vector<std::vector<std::string>> radkyTabulky(const std::vector<UkazateleOdezvy>& ukazatele) {
    std::vector<std::vector<std::string>> radky{{"vystup"}};
    for (const std::string& popisek : popiskyUkazatelu()) radky.front().push_back(popisek);
    for (std::size_t j = 0; j < ukazatele.size() && j < RADKU_TABULKY; ++j) {
        radky.push_back({"y" + std::to_string(j + 1)});
        for (const std::string& text : textyUkazatelu(ukazatele[j])) radky.back().push_back(text);
    }
    if (ukazatele.size() > RADKU_TABULKY) {
        radky.push_back({"...", "dalsich " + std::to_string(ukazatele.size() - RADKU_TABULKY) + " vystupu v souboru ukazatelu"});
    }
    return radky;
}

// A dot on every value when the steps are few enough to tell apart (at least 7 pixels each),
// so the samples, the last one on the frame of the axis included, read as such.
void tecky(std::ostream& svg, const Plocha& p, const Zprava& zprava) {
    if (zprava.pocetRadku() > 100 || zprava.hodnoty.size() > 5000) return;
    for (std::size_t k = 0; k < zprava.pocetRadku(); ++k) {
        for (std::size_t j = 0; j < zprava.sirka; ++j) {
            if (std::isfinite(zprava.hodnota(k, j))) tecka(svg, p, {static_cast<double>(k), zprava.hodnota(k, j)}, static_cast<int>(j));
        }
    }
}

}  // namespace

RozvrzeniOdezvy rozvrzeniOdezvy(const Zprava& zprava, std::size_t radkuTabulky) {
    const Rozsah r = rozsah(zprava);
    const double nahore = 70.0 + 15.0 * std::max(0, radkuPoznamek(r) - 1);
    const double legenda = zprava.mimo ? LEGENDA : 0.0;
    const double dole = nahore + VYSKA_PLOCHY;
    const double tabulkaY = dole + 84;
    const double vyska = radkuTabulky > 0 ? tabulkaY + 16.0 * static_cast<double>(radkuTabulky) : dole + 60;
    return RozvrzeniOdezvy{SIRKA_OBRAZKU, vyska, Plocha{80.0, SIRKA_OBRAZKU - 20.0 - legenda, nahore, dole, osaKroku(zprava.pocetRadku()), osaOdezvy(r)},
                           tabulkaY};
}

std::string svgOdezvy(const Zprava& zprava, const std::string& nazevZpravy,
                      const std::vector<UkazateleOdezvy>* ukazatele) {
    const std::vector<std::vector<std::string>> tabulkaUkazatelu =
        ukazatele ? radkyTabulky(*ukazatele) : std::vector<std::vector<std::string>>{};
    const RozvrzeniOdezvy rozvrzeni = rozvrzeniOdezvy(zprava, tabulkaUkazatelu.size());
    const Plocha& p = rozvrzeni.plocha;
    const Rozsah r = rozsah(zprava);
    std::ostringstream svg;
    zacatekSvg(svg, rozvrzeni.sirka, rozvrzeni.vyska, zprava, nazevZpravy);
    poznamkaMezer(svg, rozvrzeni.sirka, 0, r.nekonecnych, "prvni v kroku " + std::to_string(r.prvniNekonecny));
    if (logaritmicka(r)) {
        radekPodTitulkem(svg, rozvrzeni.sirka, r.nekonecnych > 0,
                         "Odezva pretekla: osa y je logaritmicka v |y| se znamenkem y, aby byla videt cela konecna cast");
    }
    mrizka(svg, p, "krok k", logaritmicka(r) ? "y(k), logaritmicky" : "y(k)");
    const double krokuNaPixel = static_cast<double>(zprava.pocetRadku() - 1) / (p.vpravo - p.vlevo);
    const std::vector<Krivky> schody = schodyVystupu(zprava, krokuNaPixel);
    for (std::size_t j = 0; j < schody.size(); ++j) {
        for (const std::vector<Bod>& usek : schody[j]) krivka(svg, p, usek, static_cast<int>(j));
    }
    tecky(svg, p, zprava);
    if (zprava.mimo) {
        std::vector<std::string> popisky;
        for (std::size_t j = 0; j < zprava.sirka; ++j) popisky.push_back("y" + std::to_string(j + 1));
        legenda(svg, p.vpravo + 16, p.nahore + 10, popisky);
    }
    if (!tabulkaUkazatelu.empty()) {
        svg << "<text x=\"80\" y=\"" << px(rozvrzeni.tabulkaY - 18) << "\" font-size=\"12\" font-weight=\"bold\">"
            << "Ukazatele prechodove charakteristiky (nabeh, vrchol a ustaleni v krocich k)</text>\n";
        tabulka(svg, rozvrzeni.tabulkaY, {80, 140, 250, 350, 450, 540, 640}, tabulkaUkazatelu);
    }
    svg << "</svg>\n";
    return svg.str();
}
