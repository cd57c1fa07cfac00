#include "GrafBode.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "GrafOsa.h"
#include "GrafPrvky.h"

namespace {

const double SIRKA = 800.0;
const double VYSKA = 640.0;
const double VLEVO = 80.0;

// One of the two panels: its rectangle and its value axis; the w axis is shared.
struct Panel {
    double nahore;
    double dole;
    double vpravo;
    Osa osa;
    double y(double hodnota) const { return dole - osa.podil(hodnota) * (dole - nahore); }
};

struct LogOsa {
    double od;
    double po;
    double x(double w, double vpravo) const { return VLEVO + (std::log10(w) - od) / (po - od) * (vpravo - VLEVO); }
};

int pocetDvojic(const Zprava& z) { return static_cast<int>(z.popisky.size() / 2); }

// Column of pair j in a line: magnitude at 1 + 2j, phase at 2 + 2j.
Osa osaSloupcu(const Zprava& z, int posun, int& nekreslenych) {
    double minimum = std::numeric_limits<double>::infinity(), maximum = -minimum;
    for (const auto& radek : z.kroky)
        for (std::size_t s = static_cast<std::size_t>(posun); s < radek.size(); s += 2) {
            if (!std::isfinite(radek[s])) {
                ++nekreslenych;
                continue;
            }
            minimum = std::min(minimum, radek[s]);
            maximum = std::max(maximum, radek[s]);
        }
    if (minimum > maximum) minimum = maximum = 0.0;
    return osaPro(minimum, maximum, false);
}

void panel(std::ostream& svg, const Zprava& z, const Panel& p, const LogOsa& osaW, int posun, const char* popisek) {
    svg << "<g stroke=\"#dddddd\">\n";
    for (double h : p.osa.znacky)
        svg << "<line x1=\"" << px(VLEVO) << "\" y1=\"" << px(p.y(h)) << "\" x2=\"" << px(p.vpravo) << "\" y2=\"" << px(p.y(h)) << "\"/>\n";
    for (double d = osaW.od; d <= osaW.po; d += 1.0) {
        const double x = osaW.x(std::pow(10.0, d), p.vpravo);
        svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(p.nahore) << "\" x2=\"" << px(x) << "\" y2=\"" << px(p.dole) << "\"/>\n";
    }
    svg << "</g>\n<g font-size=\"12\">\n";
    for (double h : p.osa.znacky)
        svg << "<text x=\"" << px(VLEVO - 6) << "\" y=\"" << px(p.y(h) + 4) << "\" text-anchor=\"end\">" << p.osa.popisek(h) << "</text>\n";
    for (double d = osaW.od; d <= osaW.po; d += 1.0) {
        std::ostringstream text;
        text << std::pow(10.0, d);
        std::string t = text.str();
        std::replace(t.begin(), t.end(), '.', ',');
        svg << "<text x=\"" << px(osaW.x(std::pow(10.0, d), p.vpravo)) << "\" y=\"" << px(p.dole + 16)
            << "\" text-anchor=\"middle\">" << t << "</text>\n";
    }
    svg << "<text transform=\"translate(18 " << px((p.nahore + p.dole) / 2) << ") rotate(-90)\" text-anchor=\"middle\" "
        << "font-size=\"14\">" << popisek << "</text>\n</g>\n"
        << "<rect x=\"" << px(VLEVO) << "\" y=\"" << px(p.nahore) << "\" width=\"" << px(p.vpravo - VLEVO) << "\" height=\""
        << px(p.dole - p.nahore) << "\" fill=\"none\" stroke=\"black\"/>\n";
    for (int j = 0; j < pocetDvojic(z); ++j) {
        std::string body;
        const std::size_t s = static_cast<std::size_t>(posun + 2 * j);
        const auto usek = [&] {
            if (!body.empty()) svg << "<polyline fill=\"none\" stroke-width=\"1.5\" " << styl(j) << " points=\"" << body << "\"/>\n";
            body.clear();
        };
        for (const auto& radek : z.kroky) {
            if (!std::isfinite(radek[s]) || !(radek[0] > 0.0)) {
                usek();
                continue;
            }
            body += (body.empty() ? "" : " ") + px(osaW.x(radek[0], p.vpravo)) + "," + px(p.y(radek[s]));
        }
        usek();
    }
}

}  // namespace

std::string svgBode(const Zprava& zprava, const std::string& nazevZpravy) {
    const bool legenda = pocetDvojic(zprava) > 1;
    const double vpravo = SIRKA - 20.0 - (legenda ? 110.0 : 0.0);
    const double vyska = std::max(VYSKA, 90.0 + 20.0 * pocetDvojic(zprava));
    double wMin = std::numeric_limits<double>::infinity(), wMax = 0.0;
    for (const auto& radek : zprava.kroky)
        if (radek[0] > 0.0 && std::isfinite(radek[0])) wMin = std::min(wMin, radek[0]), wMax = std::max(wMax, radek[0]);
    if (!(wMin <= wMax)) wMin = wMax = 1.0;
    const LogOsa osaW{std::floor(std::log10(wMin)), std::max(std::ceil(std::log10(wMax)), std::floor(std::log10(wMin)) + 1)};
    int nekreslenych = 0;
    const double stred = 70.0 + (vyska - 140.0) / 2;
    const Panel zesileni{70.0, stred - 20.0, vpravo, osaSloupcu(zprava, 1, nekreslenych)};
    const Panel faze{stred + 20.0, vyska - 50.0, vpravo, osaSloupcu(zprava, 2, nekreslenych)};
    std::ostringstream svg;
    zacatekSvg(svg, SIRKA, vyska, zprava, nazevZpravy);
    poznamkaMezer(svg, SIRKA, nekreslenych);
    panel(svg, zprava, zesileni, osaW, 1, "zesileni [dB]");
    panel(svg, zprava, faze, osaW, 2, "faze [st]");
    svg << "<text x=\"" << px((VLEVO + vpravo) / 2) << "\" y=\"" << px(vyska - 12) << "\" text-anchor=\"middle\" "
        << "font-size=\"14\">w [rad/krok]</text>\n";
    for (int j = 0; legenda && j < pocetDvojic(zprava); ++j) {
        const double y = 80.0 + j * 20.0;
        std::string dvojice = zprava.popisky[static_cast<std::size_t>(1 + 2 * j)];
        dvojice = dvojice.substr(dvojice.find(' ') + 1, dvojice.rfind(' ') - dvojice.find(' ') - 1);
        svg << "<line x1=\"" << px(vpravo + 16) << "\" y1=\"" << px(y) << "\" x2=\"" << px(vpravo + 46) << "\" y2=\"" << px(y)
            << "\" stroke-width=\"2\" " << styl(j) << "/>\n<text x=\"" << px(vpravo + 52) << "\" y=\"" << px(y + 4)
            << "\" font-size=\"12\">" << xml(dvojice) << "</text>\n";
    }
    svg << "</svg>\n";
    return svg.str();
}
