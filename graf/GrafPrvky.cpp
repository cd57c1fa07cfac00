#include "GrafPrvky.h"

#include <cstdio>

namespace {

const char* const BARVY[] = {"#0072b2", "#d55e00", "#009e73", "#cc79a7", "#e69f00",
                             "#56b4e9", "#000000", "#8c564b", "#7f7f7f", "#bcbd22"};
const int POCET_BAREV = sizeof(BARVY) / sizeof(BARVY[0]);
const char* const CARKOVANI[] = {"", "8 4", "2 3", "8 3 2 3"};

}  // namespace

std::string xml(const std::string& text) {
    std::string vysledek;
    for (char znak : text) {
        switch (znak) {
            case '&': vysledek += "&amp;"; break;
            case '<': vysledek += "&lt;"; break;
            case '>': vysledek += "&gt;"; break;
            case '"': vysledek += "&quot;"; break;
            default: vysledek += znak;
        }
    }
    return vysledek;
}

std::string px(double hodnota) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", hodnota);
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
        << "<text x=\"" << px(sirka / 2) << "\" y=\"42\" text-anchor=\"middle\" font-size=\"12\">" << xml(nazev)
        << "</text>\n";
}

void poznamkaMezer(std::ostream& svg, double sirka, int nekreslenych) {
    if (nekreslenych == 0) return;
    svg << "<text x=\"" << px(sirka / 2) << "\" y=\"58\" text-anchor=\"middle\" font-size=\"12\" fill=\"#b00000\">"
        << "Mezery v krivce: inf a nan se nekresli (pocet hodnot: " << nekreslenych << ")</text>\n";
}
