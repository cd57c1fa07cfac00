#include "GrafSvg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <vector>

#include "GrafOsa.h"
#include "GrafPrvky.h"

namespace {

const double SIRKA = 800.0;
const double VYSKA = 500.0;
const double LEGENDA = 110.0;
const double RADEK_LEGENDY = 20.0;

// The finite range of the values and the count of the others.
struct Rozsah {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    int nekonecnych = 0;
};

Rozsah rozsah(const Zprava& zprava) {
    Rozsah r;
    for (const auto& krok : zprava.kroky) {
        for (double hodnota : krok) {
            if (!std::isfinite(hodnota)) {
                ++r.nekonecnych;
                continue;
            }
            r.minimum = std::min(r.minimum, hodnota);
            r.maximum = std::max(r.maximum, hodnota);
        }
    }
    if (r.minimum > r.maximum) r.minimum = r.maximum = 0.0;
    return r;
}

struct Mapa {
    PlochaGrafu plocha;
    Osa osaX;
    Osa osaY;

    double x(double k) const { return plocha.vlevo + osaX.podil(k) * (plocha.vpravo - plocha.vlevo); }
    double y(double hodnota) const { return plocha.dole - osaY.podil(hodnota) * (plocha.dole - plocha.nahore); }
};

void hlavicka(std::ostream& svg, const Zprava& zprava, const std::string& nazev, int nekonecnych) {
    const PlochaGrafu p = plochaGrafu(zprava);
    zacatekSvg(svg, p.sirka, p.vyska, zprava, nazev);
    poznamkaMezer(svg, p.sirka, nekonecnych);
}

void osy(std::ostream& svg, const Mapa& m) {
    const PlochaGrafu& p = m.plocha;
    svg << "<g stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (double k : m.osaX.znacky) {
        svg << "<line x1=\"" << px(m.x(k)) << "\" y1=\"" << px(p.nahore) << "\" x2=\"" << px(m.x(k)) << "\" y2=\""
            << px(p.dole) << "\"/>\n";
    }
    for (double h : m.osaY.znacky) {
        svg << "<line x1=\"" << px(p.vlevo) << "\" y1=\"" << px(m.y(h)) << "\" x2=\"" << px(p.vpravo) << "\" y2=\""
            << px(m.y(h)) << "\"/>\n";
    }
    svg << "</g>\n<g font-size=\"12\" fill=\"black\">\n";
    for (double k : m.osaX.znacky) {
        svg << "<text x=\"" << px(m.x(k)) << "\" y=\"" << px(p.dole + 18) << "\" text-anchor=\"middle\">"
            << m.osaX.popisek(k) << "</text>\n";
    }
    for (double h : m.osaY.znacky) {
        svg << "<text x=\"" << px(p.vlevo - 6) << "\" y=\"" << px(m.y(h) + 4) << "\" text-anchor=\"end\">"
            << m.osaY.popisek(h) << "</text>\n";
    }
    svg << "<text x=\"" << px((p.vlevo + p.vpravo) / 2) << "\" y=\"" << px(p.dole + 40)
        << "\" text-anchor=\"middle\" font-size=\"14\">krok k</text>\n"
        << "<text transform=\"translate(18 " << px((p.nahore + p.dole) / 2)
        << ") rotate(-90)\" text-anchor=\"middle\" font-size=\"14\">y(k)</text>\n</g>\n"
        << "<rect x=\"" << px(p.vlevo) << "\" y=\"" << px(p.nahore) << "\" width=\"" << px(p.vpravo - p.vlevo)
        << "\" height=\"" << px(p.dole - p.nahore) << "\" fill=\"none\" stroke=\"black\"/>\n";
}

void usek(std::ostream& svg, int vystup, const std::string& body) {
    if (!body.empty()) {
        svg << "<polyline fill=\"none\" stroke-width=\"1.5\" " << styl(vystup) << " points=\"" << body << "\"/>\n";
    }
}

// One polyline for every run of finite values, so inf and nan leave a gap.
void krivka(std::ostream& svg, const Mapa& m, const Zprava& zprava, int vystup) {
    std::string body;
    for (std::size_t k = 0; k < zprava.kroky.size(); ++k) {
        const double hodnota = zprava.kroky[k][vystup];
        if (!std::isfinite(hodnota)) {
            usek(svg, vystup, body);
            body.clear();
            continue;
        }
        const std::string y = px(m.y(hodnota));
        if (!body.empty()) body += ' ';
        body += px(m.x(static_cast<double>(k))) + "," + y + " " + px(m.x(static_cast<double>(k + 1))) + "," + y;
    }
    usek(svg, vystup, body);
}

void legenda(std::ostream& svg, const Mapa& m, int pocetVystupu) {
    const double x = m.plocha.vpravo + 16;
    svg << "<g font-size=\"12\">\n";
    for (int j = 0; j < pocetVystupu; ++j) {
        const double y = m.plocha.nahore + 10 + j * RADEK_LEGENDY;
        svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(y) << "\" x2=\"" << px(x + 30) << "\" y2=\"" << px(y)
            << "\" stroke-width=\"2\" " << styl(j) << "/>\n"
            << "<text x=\"" << px(x + 36) << "\" y=\"" << px(y + 4) << "\">y" << (j + 1) << "</text>\n";
    }
    svg << "</g>\n";
}

}  // namespace

PlochaGrafu plochaGrafu(const Zprava& zprava) {
    const double nahore = 70.0;
    const double dolniOkraj = 60.0;
    const double legenda = zprava.mimo ? LEGENDA : 0.0;
    const double vyska = std::max(VYSKA, nahore + 20 + zprava.pocetVystupu() * RADEK_LEGENDY + dolniOkraj);
    return PlochaGrafu{SIRKA, vyska, 80.0, SIRKA - 20.0 - legenda, nahore, vyska - dolniOkraj};
}

std::string svgGrafu(const Zprava& zprava, const std::string& nazevZpravy) {
    const Rozsah r = rozsah(zprava);
    const Mapa m{plochaGrafu(zprava), osaPro(0.0, static_cast<double>(zprava.kroky.size()), true),
                 osaPro(r.minimum, r.maximum, false)};
    std::ostringstream svg;
    hlavicka(svg, zprava, nazevZpravy, r.nekonecnych);
    osy(svg, m);
    for (int j = 0; j < zprava.pocetVystupu(); ++j) krivka(svg, m, zprava, j);
    if (zprava.mimo) legenda(svg, m, zprava.pocetVystupu());
    svg << "</svg>\n";
    return svg.str();
}
