#include "GrafPrvky.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "GrafText.h"

namespace {

const char* const BARVY[] = {"#0072b2", "#d55e00", "#009e73", "#cc79a7", "#e69f00",
                             "#56b4e9", "#000000", "#8c564b", "#7f7f7f", "#bcbd22"};
const int POCET_BAREV = sizeof(BARVY) / sizeof(BARVY[0]);
const char* const CARKOVANI[] = {"", "8 4", "2 3", "8 3 2 3"};
const double MEZ_SOURADNICE = 1e6;

void cara(std::ostream& svg, double x1, double y1, double x2, double y2) {
    svg << "<line x1=\"" << px(x1) << "\" y1=\"" << px(y1) << "\" x2=\"" << px(x2) << "\" y2=\"" << px(y2) << "\"/>\n";
}

void text(std::ostream& svg, double x, double y, const char* zarovnani, const std::string& obsah) {
    svg << "<text x=\"" << px(x) << "\" y=\"" << px(y) << "\" text-anchor=\"" << zarovnani << "\">" << textXml(obsah)
        << "</text>\n";
}

}  // namespace

std::string px(double hodnota) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", std::clamp(hodnota, -MEZ_SOURADNICE, MEZ_SOURADNICE));
    return text;
}

std::string styl(int krivka) {
    std::string vysledek = std::string("stroke=\"") + BARVY[krivka % POCET_BAREV] + "\"";
    const char* carky = CARKOVANI[(krivka / POCET_BAREV) % 4];
    if (*carky != '\0') vysledek += std::string(" stroke-dasharray=\"") + carky + "\"";
    return vysledek;
}

void zacatekSvg(std::ostream& svg, double sirka, double vyska, const Zprava& zprava, const std::string& nazev) {
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << px(sirka) << "\" height=\"" << px(vyska)
        << "\" viewBox=\"0 0 " << px(sirka) << " " << px(vyska) << "\" font-family=\"sans-serif\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << px(sirka / 2) << "\" y=\"24\" text-anchor=\"middle\" font-size=\"16\" font-weight=\"bold\">"
        << "System " << zprava.druhSystemu << ": " << (zprava.stabilni ? "je stabilni" : "neni stabilni") << "</text>\n"
        << "<text x=\"" << px(sirka / 2) << "\" y=\"42\" text-anchor=\"middle\" font-size=\"12\">" << textXml(nazev)
        << "</text>\n";
}

void radekPodTitulkem(std::ostream& svg, double sirka, int radek, const std::string& obsah, const char* barva) {
    svg << "<text x=\"" << px(sirka / 2) << "\" y=\"" << px(58 + 15 * radek)
        << "\" text-anchor=\"middle\" font-size=\"12\" fill=\"" << barva << "\">" << textXml(obsah) << "</text>\n";
}

void poznamkaMezer(std::ostream& svg, double sirka, int radek, int nekreslenych, const std::string& prvni) {
    if (nekreslenych == 0) return;
    radekPodTitulkem(svg, sirka, radek,
                     "Mezery v krivce: inf a nan se nekresli (pocet hodnot: " + std::to_string(nekreslenych) + ", " +
                         prvni + ")",
                     "#b00000");
}

void mrizka(std::ostream& svg, const Plocha& p, const std::string& popisekX, const std::string& popisekY) {
    svg << "<g stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (const Znacka& z : p.osaX.znacky) cara(svg, p.x(z.hodnota), p.nahore, p.x(z.hodnota), p.dole);
    for (const Znacka& z : p.osaY.znacky) cara(svg, p.vlevo, p.y(z.hodnota), p.vpravo, p.y(z.hodnota));
    svg << "</g>\n<g font-size=\"12\" fill=\"black\">\n";
    for (const Znacka& z : p.osaX.znacky) text(svg, p.x(z.hodnota), p.dole + 18, "middle", z.popisek);
    for (const Znacka& z : p.osaY.znacky) text(svg, p.vlevo - 6, p.y(z.hodnota) + 4, "end", z.popisek);
    svg << "<text x=\"" << px((p.vlevo + p.vpravo) / 2) << "\" y=\"" << px(p.dole + 38)
        << "\" text-anchor=\"middle\" font-size=\"14\">" << textXml(popisekX) << "</text>\n"
        << "<text transform=\"translate(" << px(p.vlevo - 62) << " " << px((p.nahore + p.dole) / 2)
        << ") rotate(-90)\" text-anchor=\"middle\" font-size=\"14\">" << textXml(popisekY) << "</text>\n</g>\n"
        << "<rect x=\"" << px(p.vlevo) << "\" y=\"" << px(p.nahore) << "\" width=\"" << px(p.vpravo - p.vlevo)
        << "\" height=\"" << px(p.dole - p.nahore) << "\" fill=\"none\" stroke=\"black\"/>\n";
}

void tecka(std::ostream& svg, const Plocha& p, const Bod& bod, int cislo) {
    svg << "<circle cx=\"" << px(p.x(bod.x)) << "\" cy=\"" << px(p.y(bod.y)) << "\" r=\"2.5\" fill=\""
        << BARVY[cislo % POCET_BAREV] << "\"/>\n";
}

void krivka(std::ostream& svg, const Plocha& p, const std::vector<Bod>& body, int cislo) {
    if (body.size() == 1) {
        tecka(svg, p, body[0], cislo);
        return;
    }
    svg << "<polyline fill=\"none\" stroke-width=\"1.5\" " << styl(cislo) << " points=\"";
    for (std::size_t i = 0; i < body.size(); ++i) {
        svg << (i ? " " : "") << px(p.x(body[i].x)) << "," << px(p.y(body[i].y));
    }
    svg << "\"/>\n";
}

void legenda(std::ostream& svg, double x, double y, const std::vector<std::string>& popisky) {
    // Beyond 16 entries the colours and dashes repeat and the column would outgrow the plot:
    // the first 15 and a line that says how many more there are.
    const std::size_t radku = popisky.size() > 16 ? 15 : popisky.size();
    svg << "<g font-size=\"12\">\n";
    for (std::size_t j = 0; j < radku; ++j) {
        const double radek = y + 20.0 * static_cast<double>(j);
        svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(radek) << "\" x2=\"" << px(x + 30) << "\" y2=\"" << px(radek)
            << "\" stroke-width=\"2\" " << styl(static_cast<int>(j)) << "/>\n";
        text(svg, x + 36, radek + 4, "start", popisky[j]);
    }
    if (radku < popisky.size()) text(svg, x, y + 20.0 * 15 + 4, "start", "a dalsich " + std::to_string(popisky.size() - radku));
    svg << "</g>\n";
}

void tabulka(std::ostream& svg, double y, const std::vector<double>& sloupce,
             const std::vector<std::vector<std::string>>& radky) {
    svg << "<g font-size=\"11\">\n";
    for (std::size_t r = 0; r < radky.size(); ++r) {
        if (r == 1) {
            svg << "<line x1=\"" << px(sloupce.front() - 4) << "\" y1=\"" << px(y - 12) << "\" x2=\""
                << px(sloupce.back() + 90) << "\" y2=\"" << px(y - 12) << "\" stroke=\"#888888\"/>\n";
        }
        for (std::size_t s = 0; s < radky[r].size() && s < sloupce.size(); ++s) {
            text(svg, sloupce[s], y, "start", radky[r][s]);
        }
        y += 16;
    }
    svg << "</g>\n";
}
