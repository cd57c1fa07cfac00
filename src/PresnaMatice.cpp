#include "PresnaMatice.h"

#include <cstdio>
#include <utility>

std::string presnyText(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

std::vector<std::string> PresnaMatice::prvek(int i, int j) const {
    const std::size_t e = static_cast<std::size_t>(i) * static_cast<std::size_t>(sloupce) + static_cast<std::size_t>(j);
    if (e >= konce.size()) return {};
    const std::size_t zacatek = e == 0 ? 0 : konce[e - 1];
    return std::vector<std::string>(texty.begin() + static_cast<long>(zacatek), texty.begin() + static_cast<long>(konce[e]));
}

void PresnaMatice::pridejPrvek(std::vector<std::string> koeficienty) {
    for (std::string& text : koeficienty) texty.push_back(std::move(text));
    konce.push_back(texty.size());
}

void PresnaMatice::pridejRadek(const std::vector<std::string>& hodnoty) {
    for (const std::string& text : hodnoty) {
        texty.push_back(text);
        konce.push_back(texty.size());
    }
}

void PresnaMatice::novyTvar(int radky, int sloupce) {
    *this = PresnaMatice();
    nastavTvar(radky, sloupce);
}

PresnaMatice PresnaMatice::ctverec(int n) const {
    PresnaMatice blok;
    blok.novyTvar(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) blok.pridejPrvek(i < radky && j < sloupce ? prvek(i, j) : std::vector<std::string>());
    return blok;
}

