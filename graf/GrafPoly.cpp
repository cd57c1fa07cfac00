#include "GrafPoly.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "GrafOsa.h"
#include "GrafPrvky.h"
#include "GrafText.h"

namespace {

const double VYSKA = 620.0;
const double VLEVO_MAPY = 90.0;
const double NAHORE = 90.0;
const double STRANA = 470.0;  // the square plot area
const double LEGENDA_X = VLEVO_MAPY + STRANA + 40;
const std::size_t RADKU_ZESILENI = 16;  // gains shown beside the map; the CSV holds all

const char* barva(const std::string& poloha) {
    if (poloha == "uvnitr") return "#0072b2";
    if (poloha == "na kruznici") return "#e69f00";
    return "#b2182b";
}

void krizek(std::ostream& svg, double x, double y, const char* barva) {
    svg << "<path d=\"M" << px(x - 6) << " " << px(y - 6) << " L" << px(x + 6) << " " << px(y + 6) << " M" << px(x - 6)
        << " " << px(y + 6) << " L" << px(x + 6) << " " << px(y - 6) << "\" stroke=\"" << barva
        << "\" stroke-width=\"2.5\" fill=\"none\"/>\n";
}

void krouzek(std::ostream& svg, double x, double y, const char* barva) {
    svg << "<circle cx=\"" << px(x) << "\" cy=\"" << px(y) << "\" r=\"6\" stroke=\"" << barva
        << "\" stroke-width=\"2.5\" fill=\"none\"/>\n";
}

void koreny(std::ostream& svg, const Plocha& p, const std::vector<PolZpravy>& koreny, bool nuly) {
    for (const PolZpravy& k : koreny) {
        const double x = p.x(k.re), y = p.y(k.im);
        if (nuly) krouzek(svg, x, y, barva(k.poloha));
        else krizek(svg, x, y, barva(k.poloha));
        if (k.nasobnost > 1) {
            svg << "<text x=\"" << px(x + 8) << "\" y=\"" << px(y - 8) << "\" font-size=\"12\">" << k.nasobnost << "</text>\n";
        }
    }
}

void kruznice(std::ostream& svg, const Plocha& p) {
    svg << "<line x1=\"" << px(p.vlevo) << "\" y1=\"" << px(p.y(0)) << "\" x2=\"" << px(p.vpravo) << "\" y2=\""
        << px(p.y(0)) << "\" stroke=\"#888888\"/>\n<line x1=\"" << px(p.x(0)) << "\" y1=\"" << px(p.nahore)
        << "\" x2=\"" << px(p.x(0)) << "\" y2=\"" << px(p.dole) << "\" stroke=\"#888888\"/>\n"
        << "<ellipse cx=\"" << px(p.x(0)) << "\" cy=\"" << px(p.y(0)) << "\" rx=\"" << px(p.x(1) - p.x(0)) << "\" ry=\""
        << px(p.y(0) - p.y(1)) << "\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\"/>\n";
}

void popisekLegendy(std::ostream& svg, double y, const std::string& text) {
    svg << "<text x=\"" << px(LEGENDA_X + 14) << "\" y=\"" << px(y + 4) << "\" font-size=\"12\">" << text << "</text>\n";
}

// The marks and the colours of the places; returns the y below the legend.
double legendaPolu(std::ostream& svg, bool sNulami) {
    double y = NAHORE + 10;
    krizek(svg, LEGENDA_X, y, "black");
    popisekLegendy(svg, y, "pol");
    if (sNulami) {
        krouzek(svg, LEGENDA_X, y += 22, "black");
        popisekLegendy(svg, y, "nula");
    }
    for (const char* poloha : {"uvnitr", "na kruznici", "vne"}) {
        svg << "<rect x=\"" << px(LEGENDA_X - 6) << "\" y=\"" << px((y += 22) - 6) << "\" width=\"12\" height=\"12\" fill=\""
            << barva(poloha) << "\"/>\n";
        popisekLegendy(svg, y, poloha);
    }
    popisekLegendy(svg, y += 22, "cislo: nasobnost");
    return y + 30;
}

void tabulkaZesileni(std::ostream& svg, const Zprava& z, double y) {
    if (z.zesileni.empty()) return;
    std::vector<std::vector<std::string>> radky{{"Staticke zesileni"}};
    for (std::size_t i = 0; i < z.zesileni.size() && i < RADKU_ZESILENI; ++i) {
        radky.push_back({z.zesileni[i].dvojice + ": " + z.zesileni[i].text});
    }
    if (z.zesileni.size() > RADKU_ZESILENI) radky.push_back({"... a " + std::to_string(z.zesileni.size() - RADKU_ZESILENI) + " dalsich"});
    tabulka(svg, y, {LEGENDA_X - 6}, radky);
}

// Far enough to hold every pole and zero and the unit circle with a margin.
double rozsahMapyPolu(const Zprava& z) {
    double r = 1.2;
    for (const auto* seznam : {&z.poly, &z.nuly}) {
        for (const PolZpravy& k : *seznam) r = std::max({r, 1.1 * std::fabs(k.re), 1.1 * std::fabs(k.im)});
    }
    return r;
}

}  // namespace

std::string svgPolu(const Zprava& zprava, const std::string& nazevZpravy) {
    const double r = rozsahMapyPolu(zprava);
    const Osa osa = osaHodnot(-r, r);
    const Plocha p{VLEVO_MAPY, VLEVO_MAPY + STRANA, NAHORE, NAHORE + STRANA, osa, osa};
    std::ostringstream svg;
    zacatekSvg(svg, SIRKA_OBRAZKU, VYSKA, zprava, nazevZpravy);
    radekPodTitulkem(svg, SIRKA_OBRAZKU, 0, "Spektralni polomer: " + zprava.textPolomeru);
    if (!zprava.procNejsouNuly.empty()) radekPodTitulkem(svg, SIRKA_OBRAZKU, 1, "Nuly nejsou urceny: " + zprava.procNejsouNuly);
    mrizka(svg, p, "Re z", "Im z");
    kruznice(svg, p);
    koreny(svg, p, zprava.nuly, true);
    koreny(svg, p, zprava.poly, false);
    tabulkaZesileni(svg, zprava, legendaPolu(svg, zprava.sNulami));
    svg << "</svg>\n";
    return svg.str();
}
