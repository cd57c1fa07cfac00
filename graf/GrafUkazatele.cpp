#include "GrafUkazatele.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "GrafText.h"

namespace {

const double PASMO_USTALENI = 0.001;  // settled: the tail within 0.1 % of the largest distance
const double PASMO_DOBY_USTALENI = 0.02;

bool ustalena(const std::vector<double>& y) {
    const std::size_t n = y.size();
    if (n < 2 || !std::all_of(y.begin(), y.end(), [](double h) { return std::isfinite(h); })) return false;
    const double posledni = y.back();
    double nejdal = 0.0;
    for (double h : y) nejdal = std::max(nejdal, std::fabs(h - posledni));
    const std::size_t konec = std::max<std::size_t>(2, (n + 4) / 5);
    for (std::size_t k = n - konec; k < n; ++k) {
        if (std::fabs(y[k] - posledni) > PASMO_USTALENI * nejdal) return false;
    }
    return true;
}

std::size_t prvniDosazeni(const std::vector<double>& y, double zmena, double podil) {
    std::size_t k = 0;
    while ((y[k] - y.front()) / zmena < podil) ++k;
    return k;
}

void vrchol(const std::vector<double>& y, double zmena, UkazateleOdezvy& u) {
    std::size_t krok = 0;
    for (std::size_t k = 1; k < y.size(); ++k) {
        if (zmena > 0 ? y[k] > y[krok] : y[k] < y[krok]) krok = k;
    }
    u.vrchol = y[krok];
    u.krokVrcholu = krok;
    u.prekmit = std::max(0.0, (y[krok] - y.back()) / zmena * 100.0);
}

std::size_t dobaUstaleni(const std::vector<double>& y, double zmena) {
    std::size_t krok = y.size();
    while (krok > 0 && std::fabs(y[krok - 1] - y.back()) <= PASMO_DOBY_USTALENI * std::fabs(zmena)) --krok;
    return krok;
}

std::string textCsvNebo(const std::optional<double>& h) { return h ? textCsv(*h) : "-"; }
std::string textZpravyNebo(const std::optional<double>& h) { return h ? textZpravy(*h) : "-"; }
std::string celeNebo(const std::optional<std::size_t>& k) { return k ? std::to_string(*k) : "-"; }

std::string procenta(const std::optional<double>& h, char tecka) {
    if (!h) return "-";
    char text[32];
    std::snprintf(text, sizeof(text), "%g", *h);
    std::string vysledek = text;
    std::replace(vysledek.begin(), vysledek.end(), '.', tecka);
    return vysledek;
}

}  // namespace

UkazateleOdezvy ukazateleOdezvy(const std::vector<double>& y) {
    UkazateleOdezvy u;
    if (!ustalena(y)) return u;
    u.konecna = y.back();
    const double zmena = y.back() - y.front();
    if (zmena == 0.0) return u;
    // The response reaches 0.9 of the change at the latest at its last step, where it is 1.
    const std::size_t k10 = prvniDosazeni(y, zmena, 0.1);
    u.nabeh = prvniDosazeni(y, zmena, 0.9) - k10;
    vrchol(y, zmena, u);
    u.ustaleni = dobaUstaleni(y, zmena);
    return u;
}

std::vector<UkazateleOdezvy> ukazateleZpravy(const Zprava& zprava) {
    std::vector<UkazateleOdezvy> vysledek;
    std::vector<double> y(zprava.pocetRadku());
    for (std::size_t j = 0; j < zprava.sirka; ++j) {
        for (std::size_t k = 0; k < y.size(); ++k) y[k] = zprava.hodnota(k, j);
        vysledek.push_back(ukazateleOdezvy(y));
    }
    return vysledek;
}

std::string csvUkazatelu(const std::vector<UkazateleOdezvy>& ukazatele) {
    std::string csv = "vystup,konecna hodnota,doba nabehu 10-90 % [kroky],vrchol,krok vrcholu,prekmit [%],"
                      "doba ustaleni 2 % [kroky]\n";
    for (std::size_t j = 0; j < ukazatele.size(); ++j) {
        const UkazateleOdezvy& u = ukazatele[j];
        csv += "y" + std::to_string(j + 1) + "," + textCsvNebo(u.konecna) + "," + celeNebo(u.nabeh) + "," +
               textCsvNebo(u.vrchol) + "," + celeNebo(u.krokVrcholu) + "," + procenta(u.prekmit, '.') + "," +
               celeNebo(u.ustaleni) + "\n";
    }
    return csv;
}

std::vector<std::string> textyUkazatelu(const UkazateleOdezvy& u) {
    return {textZpravyNebo(u.konecna), celeNebo(u.nabeh),      textZpravyNebo(u.vrchol),
            celeNebo(u.krokVrcholu),   procenta(u.prekmit, ','), celeNebo(u.ustaleni)};
}

std::vector<std::string> popiskyUkazatelu() {
    return {"konecna hodnota", "nabeh 10-90 %", "vrchol", "krok vrcholu", "prekmit [%]", "ustaleni 2 %"};
}
