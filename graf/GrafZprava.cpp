#include "GrafZprava.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool znakCisla(char znak) {
    return (znak >= '0' && znak <= '9') || znak == ',' || znak == 'e' || znak == '+' || znak == '-';
}

}  // namespace

std::vector<std::string_view> kusyRadku(std::string_view radek) {
    std::vector<std::string_view> kusy;
    for (;;) {
        const std::size_t strednik = radek.find(';');
        kusy.push_back(radek.substr(0, strednik));
        if (strednik == std::string_view::npos) return kusy;
        radek.remove_prefix(strednik + 1);
    }
}

std::optional<double> hodnotaZpravy(std::string_view text) {
    const double nekonecno = std::numeric_limits<double>::infinity();
    if (text == "inf") return nekonecno;
    if (text == "-inf") return -nekonecno;
    if (text == "nan" || text == "-nan") return std::numeric_limits<double>::quiet_NaN();
    char sTeckou[32];
    if (text.empty() || text.size() >= sizeof(sTeckou)) return std::nullopt;
    if (!std::isdigit(static_cast<unsigned char>(text[0])) && text[0] != '-') return std::nullopt;
    int carek = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!znakCisla(text[i])) return std::nullopt;
        carek += text[i] == ',';
        sTeckou[i] = text[i] == ',' ? '.' : text[i];
    }
    if (carek > 1) return std::nullopt;
    sTeckou[text.size()] = '\0';
    double hodnota = 0.0;
    const auto [konec, chyba] = std::from_chars(sTeckou, sTeckou + text.size(), hodnota);
    if (konec != sTeckou + text.size()) return std::nullopt;
    // A value out of range: an overflow is refused, since the report writes a non-finite value
    // by its name; one below the range of double reads as strtod rounds it.
    if (chyba == std::errc::result_out_of_range) hodnota = std::strtod(sTeckou, nullptr);
    if (!std::isfinite(hodnota)) return std::nullopt;
    return hodnota;
}
