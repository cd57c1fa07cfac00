#include "GrafPoly.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "GrafOsa.h"
#include "GrafPrvky.h"

namespace {

const double SIRKA = 800.0;
const double VYSKA = 600.0;
const double VLEVO = 90.0;
const double NAHORE = 70.0;
const double STRANA = 470.0;  // the square plot area

struct Rovina {
    Osa osa;
    double x(double re) const { return VLEVO + osa.podil(re) * STRANA; }
    double y(double im) const { return NAHORE + STRANA - osa.podil(im) * STRANA; }
};

// The mark of a place at (x, y).
void znacka(std::ostream& svg, const std::string& poloha, double x, double y) {
    if (poloha == "uvnitr") {
        svg << "<circle cx=\"" << px(x) << "\" cy=\"" << px(y) << "\" r=\"5\" fill=\"#0072b2\"/>\n";
    } else if (poloha == "na kruznici") {
        svg << "<rect x=\"" << px(x - 5) << "\" y=\"" << px(y - 5) << "\" width=\"10\" height=\"10\" fill=\"#e69f00\"/>\n";
    } else {
        svg << "<path d=\"M" << px(x - 6) << " " << px(y - 6) << " L" << px(x + 6) << " " << px(y + 6) << " M" << px(x - 6)
            << " " << px(y + 6) << " L" << px(x + 6) << " " << px(y - 6) << "\" stroke=\"#d55e00\" stroke-width=\"3\"/>\n";
    }
}

void mrizka(std::ostream& svg, const Rovina& r) {
    svg << "<g stroke=\"#dddddd\">\n";
    for (double z : r.osa.znacky) {
        svg << "<line x1=\"" << px(r.x(z)) << "\" y1=\"" << px(NAHORE) << "\" x2=\"" << px(r.x(z)) << "\" y2=\""
            << px(NAHORE + STRANA) << "\"/>\n<line x1=\"" << px(VLEVO) << "\" y1=\"" << px(r.y(z)) << "\" x2=\""
            << px(VLEVO + STRANA) << "\" y2=\"" << px(r.y(z)) << "\"/>\n";
    }
    svg << "</g>\n<g font-size=\"12\">\n";
    for (double z : r.osa.znacky) {
        svg << "<text x=\"" << px(r.x(z)) << "\" y=\"" << px(NAHORE + STRANA + 18) << "\" text-anchor=\"middle\">"
            << r.osa.popisek(z) << "</text>\n<text x=\"" << px(VLEVO - 6) << "\" y=\"" << px(r.y(z) + 4)
            << "\" text-anchor=\"end\">" << r.osa.popisek(z) << "</text>\n";
    }
    svg << "<text x=\"" << px(VLEVO + STRANA / 2) << "\" y=\"" << px(NAHORE + STRANA + 40)
        << "\" text-anchor=\"middle\" font-size=\"14\">Re z</text>\n<text transform=\"translate(24 "
        << px(NAHORE + STRANA / 2) << ") rotate(-90)\" text-anchor=\"middle\" font-size=\"14\">Im z</text>\n</g>\n"
        << "<line x1=\"" << px(VLEVO) << "\" y1=\"" << px(r.y(0)) << "\" x2=\"" << px(VLEVO + STRANA) << "\" y2=\""
        << px(r.y(0)) << "\" stroke=\"#888888\"/>\n<line x1=\"" << px(r.x(0)) << "\" y1=\"" << px(NAHORE) << "\" x2=\""
        << px(r.x(0)) << "\" y2=\"" << px(NAHORE + STRANA) << "\" stroke=\"#888888\"/>\n"
        << "<ellipse cx=\"" << px(r.x(0)) << "\" cy=\"" << px(r.y(0)) << "\" rx=\"" << px(r.x(1) - r.x(0)) << "\" ry=\""
        << px(r.y(0) - r.y(1)) << "\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\"/>\n"
        << "<rect x=\"" << px(VLEVO) << "\" y=\"" << px(NAHORE) << "\" width=\"" << px(STRANA) << "\" height=\""
        << px(STRANA) << "\" fill=\"none\" stroke=\"black\"/>\n";
}

void legenda(std::ostream& svg) {
    const double x = VLEVO + STRANA + 40;
    const char* const polohy[] = {"uvnitr", "na kruznici", "vne"};
    for (int i = 0; i < 3; ++i) {
        const double y = NAHORE + 20 + 24 * i;
        znacka(svg, polohy[i], x, y);
        svg << "<text x=\"" << px(x + 14) << "\" y=\"" << px(y + 4) << "\" font-size=\"12\">" << polohy[i] << "</text>\n";
    }
    svg << "<text x=\"" << px(x - 6) << "\" y=\"" << px(NAHORE + 100) << "\" font-size=\"12\">cislo: nasobnost</text>\n";
}

}  // namespace

std::string svgPolu(const Zprava& zprava, const std::string& nazevZpravy) {
    double rozsah = 1.2;
    for (const PolZpravy& p : zprava.poly) rozsah = std::max({rozsah, 1.1 * std::fabs(p.re), 1.1 * std::fabs(p.im)});
    const Rovina r{osaPro(-rozsah, rozsah, false)};
    std::ostringstream svg;
    zacatekSvg(svg, SIRKA, VYSKA, zprava, nazevZpravy);
    std::ostringstream polomer;
    polomer.precision(17);
    polomer << zprava.spektralniPolomer;
    svg << "<text x=\"" << px(SIRKA / 2) << "\" y=\"58\" text-anchor=\"middle\" font-size=\"12\">Spektralni polomer: "
        << polomer.str() << "</text>\n";
    mrizka(svg, r);
    for (const PolZpravy& p : zprava.poly) {
        znacka(svg, p.poloha, r.x(p.re), r.y(p.im));
        if (p.nasobnost > 1) {
            svg << "<text x=\"" << px(r.x(p.re) + 8) << "\" y=\"" << px(r.y(p.im) - 8) << "\" font-size=\"12\">"
                << p.nasobnost << "</text>\n";
        }
    }
    legenda(svg);
    svg << "</svg>\n";
    return svg.str();
}
