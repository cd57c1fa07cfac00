#include "GrafCsv.h"

#include <charconv>
#include <cmath>

namespace {

std::string cislo(double hodnota) {
    if (std::isnan(hodnota)) return "nan";
    char text[32];
    const auto [konec, chyba] = std::to_chars(text, text + sizeof(text), hodnota);
    return chyba == std::errc() ? std::string(text, konec) : std::string("nan");
}

}  // namespace

namespace {

std::string csvOdezvy(const Zprava& zprava) {
    std::string csv = "k";
    for (int j = 1; j <= zprava.pocetVystupu(); ++j) csv += ",y" + std::to_string(j);
    csv += '\n';
    for (std::size_t k = 0; k < zprava.kroky.size(); ++k) {
        csv += std::to_string(k);
        for (double hodnota : zprava.kroky[k]) csv += "," + cislo(hodnota);
        csv += '\n';
    }
    return csv;
}

std::string csvFrekvenci(const Zprava& zprava) {
    std::string csv;
    for (const std::string& popisek : zprava.popisky) csv += (csv.empty() ? "" : ",") + popisek;
    csv += '\n';
    for (const auto& radek : zprava.kroky) {
        for (std::size_t s = 0; s < radek.size(); ++s) csv += (s ? "," : "") + cislo(radek[s]);
        csv += '\n';
    }
    return csv;
}

std::string csvPolu(const Zprava& zprava) {
    std::string csv = "re,im,velikost,nasobnost,poloha\n";
    for (const PolZpravy& p : zprava.poly) {
        csv += cislo(p.re) + "," + cislo(p.im) + "," + cislo(p.velikost) + "," + std::to_string(p.nasobnost) + "," +
               p.poloha + "\n";
    }
    return csv;
}

}  // namespace

std::string csvHodnot(const Zprava& zprava) {
    switch (zprava.druh) {
        case DruhZpravy::Frekvence: return csvFrekvenci(zprava);
        case DruhZpravy::Poly: return csvPolu(zprava);
        case DruhZpravy::Odezva: break;
    }
    return csvOdezvy(zprava);
}
