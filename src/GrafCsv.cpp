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

std::string csvHodnot(const Zprava& zprava) {
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
