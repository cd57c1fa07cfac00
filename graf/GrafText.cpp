#include "GrafText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

const char* const NAHRADA = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The start of a UTF-8 sequence: its length, the bits of the code point it carries and the
// smallest code point of that length (a smaller one is an overlong form).
struct ZacatekUtf8 {
    std::size_t delka;
    char32_t bity;
    char32_t nejmensi;
};

ZacatekUtf8 zacatekUtf8(unsigned char prvni) {
    if (prvni < 0x80) return {1, prvni, 0};
    if ((prvni & 0xE0) == 0xC0) return {2, static_cast<char32_t>(prvni & 0x1F), 0x80};
    if ((prvni & 0xF0) == 0xE0) return {3, static_cast<char32_t>(prvni & 0x0F), 0x800};
    if ((prvni & 0xF8) == 0xF0) return {4, static_cast<char32_t>(prvni & 0x07), 0x10000};
    return {0, 0, 0};
}

// Length of the UTF-8 sequence that starts at text[i] and the code point it encodes; 0 when
// the bytes there are not a well-formed sequence (overlong forms and surrogates included).
std::size_t sekvenceUtf8(const std::string& text, std::size_t i, char32_t& kod) {
    const ZacatekUtf8 zacatek = zacatekUtf8(static_cast<unsigned char>(text[i]));
    if (zacatek.delka == 0 || i + zacatek.delka > text.size()) return 0;
    kod = zacatek.bity;
    for (std::size_t j = 1; j < zacatek.delka; ++j) {
        const unsigned char dalsi = static_cast<unsigned char>(text[i + j]);
        if ((dalsi & 0xC0) != 0x80) return 0;
        kod = (kod << 6) | (dalsi & 0x3F);
    }
    const bool platny = kod >= zacatek.nejmensi && kod <= 0x10FFFF && !(kod >= 0xD800 && kod <= 0xDFFF);
    return platny ? zacatek.delka : 0;
}

// Characters XML 1.0 allows, without the line breaks and tabs that a one-line label does
// not want either.
bool povolenyZnak(char32_t kod) {
    return (kod >= 0x20 && kod < 0x7F) || (kod >= 0xA0 && kod <= 0xD7FF) || (kod >= 0xE000 && kod <= 0xFFFD) ||
           kod >= 0x10000;
}

}  // namespace

std::string textZpravy(double hodnota) {
    if (std::isnan(hodnota)) return "nan";
    char text[32];
    std::snprintf(text, sizeof(text), "%g", hodnota);
    std::string vysledek = text;
    const std::size_t tecka = vysledek.find('.');
    if (tecka != std::string::npos) vysledek[tecka] = ',';
    return vysledek;
}

std::string textCsv(double hodnota) {
    if (std::isnan(hodnota)) return "nan";
    char text[32];
    const auto [konec, chyba] = std::to_chars(text, text + sizeof(text), hodnota);
    return chyba == std::errc() ? std::string(text, konec) : std::string("nan");
}

std::string textXml(const std::string& bajty) {
    std::string vysledek;
    vysledek.reserve(bajty.size());
    for (std::size_t i = 0; i < bajty.size();) {
        char32_t kod = 0;
        const std::size_t delka = sekvenceUtf8(bajty, i, kod);
        if (delka == 0 || !povolenyZnak(kod)) {
            vysledek += NAHRADA;
            i += delka == 0 ? 1 : delka;
            continue;
        }
        switch (kod) {
            case '&': vysledek += "&amp;"; break;
            case '<': vysledek += "&lt;"; break;
            case '>': vysledek += "&gt;"; break;
            case '"': vysledek += "&quot;"; break;
            case '\'': vysledek += "&apos;"; break;
            default: vysledek.append(bajty, i, delka);
        }
        i += delka;
    }
    return vysledek;
}

std::string poleCsv(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string vysledek = "\"";
    for (char znak : text) {
        if (znak == '"') vysledek += '"';
        vysledek += znak;
    }
    return vysledek + "\"";
}
