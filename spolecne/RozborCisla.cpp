#include "RozborCisla.h"

#include <cctype>

namespace {

const long MEZ_EXPONENTU = 1000000000L;

bool jeCislice(char c, bool sestnactkove) {
    return sestnactkove ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '9';
}

// Digits with at most one point from position i on; false without a digit.
bool mantisa(const std::string& text, std::size_t& i, RozlozeneCislo& cislo) {
    bool tecka = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !tecka) {
            tecka = true;
        } else if (jeCislice(text[i], cislo.sestnactkove)) {
            cislo.cislice.push_back(text[i]);
            if (tecka) ++cislo.zaTeckou;
        } else {
            break;
        }
    }
    return !cislo.cislice.empty();
}

// The exponent after its letter: an optional sign and at least one decimal digit.
bool exponent(const std::string& text, std::size_t i, long& hodnota) {
    const bool zaporny = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    hodnota = 0;
    for (; i < text.size(); ++i) {
        if (!jeCislice(text[i], false)) return false;
        if (hodnota < MEZ_EXPONENTU) hodnota = hodnota * 10 + (text[i] - '0');
    }
    if (hodnota > MEZ_EXPONENTU) hodnota = MEZ_EXPONENTU;
    if (zaporny) hodnota = -hodnota;
    return true;
}

}  // namespace

bool rozlozCislo(const std::string& text, RozlozeneCislo& cislo, bool sestnactkove) {
    cislo = RozlozeneCislo();
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    cislo.zacatek = i;
    cislo.zaporne = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (sestnactkove && text.compare(i, 2, "0x") == 0) {
        cislo.sestnactkove = true;
        i += 2;
    }
    if (!mantisa(text, i, cislo)) return false;
    if (i == text.size()) return true;
    const char pismeno = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (pismeno != (cislo.sestnactkove ? 'p' : 'e')) return false;
    return exponent(text, i + 1, cislo.exponent);
}
