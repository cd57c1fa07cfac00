#include "GrafCsv.h"

#include <charconv>
#include <cmath>

#include "GrafText.h"

namespace {

// A value appended as textCsv writes it, without a string of its own: the largest reports
// hold 25 million values.
void pridejCislo(std::string& csv, double hodnota) {
    char text[32];
    const auto [konec, chyba] = std::to_chars(text, text + sizeof(text), hodnota);
    if (std::isnan(hodnota) || chyba != std::errc()) csv += "nan";
    else csv.append(text, konec);
}

std::string csvOdezvy(const Zprava& zprava) {
    std::string csv = "k";
    for (int j = 1; j <= zprava.pocetVystupu(); ++j) csv += ",y" + std::to_string(j);
    csv += '\n';
    csv.reserve(zprava.hodnoty.size() * 9 + zprava.pocetRadku() * 7);
    for (std::size_t k = 0; k < zprava.pocetRadku(); ++k) {
        csv += std::to_string(k);
        for (std::size_t j = 0; j < zprava.sirka; ++j) {
            csv += ',';
            pridejCislo(csv, zprava.hodnota(k, j));
        }
        csv += '\n';
    }
    return csv;
}

std::string csvRezerv(const char* nazev, const std::vector<RezervaZpravy>& rezervy) {
    std::string csv;
    for (const RezervaZpravy& r : rezervy) {
        csv += std::string(nazev) + "," + textCsv(r.hodnota) + "," + (r.maPrechod() ? textCsv(r.w) : "-") + "\n";
    }
    return csv;
}

std::string csvFrekvenci(const Zprava& zprava) {
    std::string csv;
    for (std::size_t s = 0; s < zprava.popisky.size(); ++s) csv += (s ? "," : "") + poleCsv(zprava.popisky[s]);
    csv += '\n';
    for (std::size_t k = 0; k < zprava.pocetRadku(); ++k) {
        for (std::size_t s = 0; s < zprava.sirka; ++s) csv += (s ? "," : "") + textCsv(zprava.hodnota(k, s));
        csv += '\n';
    }
    if (zprava.sRezervami) {
        csv += "\nrezerva,hodnota,w\n" + csvRezerv("zesileni [dB]", zprava.rezervyZesileni) +
               csvRezerv("faze [st]", zprava.rezervyFaze);
    }
    return csv;
}

std::string csvKorenu(const std::vector<PolZpravy>& koreny, const char* druh) {
    std::string csv;
    for (const PolZpravy& p : koreny) {
        csv += textCsv(p.re) + "," + textCsv(p.im) + "," + textCsv(p.velikost) + "," + std::to_string(p.nasobnost) + "," +
               p.poloha + (druh ? std::string(",") + druh : "") + "\n";
    }
    return csv;
}

std::string csvPolu(const Zprava& zprava) {
    std::string csv = zprava.sNulami ? "re,im,velikost,nasobnost,poloha,druh\n" : "re,im,velikost,nasobnost,poloha\n";
    csv += csvKorenu(zprava.poly, zprava.sNulami ? "pol" : nullptr);
    csv += csvKorenu(zprava.nuly, "nula");
    if (!zprava.zesileni.empty()) {
        csv += "\nvystup/vstup,staticke zesileni\n";
        for (const ZesileniZpravy& z : zprava.zesileni) csv += z.dvojice + "," + textCsv(z.hodnota) + "\n";
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
