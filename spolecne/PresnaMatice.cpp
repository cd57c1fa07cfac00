#include "PresnaMatice.h"

#include <charconv>
#include <cmath>
#include <utility>

std::string presnyText(double x) {
    // The hexadecimal form of printf's %a ("-0x1.8p+1"), without printf's machinery.
    char text[48];
    char* zacatek = text;
    if (std::signbit(x)) *zacatek++ = '-';
    *zacatek++ = '0';
    *zacatek++ = 'x';
    const std::to_chars_result konec = std::to_chars(zacatek, text + sizeof text, std::fabs(x), std::chars_format::hex);
    return std::string(text, konec.ptr);
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

