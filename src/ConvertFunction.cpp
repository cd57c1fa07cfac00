#include "ConvertFunction.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "RozborCisla.h"
#include "Text.h"
#include "Vyjimky.h"

std::string IntToString(const int& integer) {
    std::ostringstream s;
    s << integer;
    return s.str();
}

double StringToDouble(const std::string& retezec) {
    // Control bytes (a NUL from a binary file, say) would cut or garble the console message.
    std::string citelny = retezec;
    for (char& c : citelny) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    const std::string zprava = "Spatny format vstupu -> " + citelny;
    // The whole text must be the number: "1,5" or "2.5abc" would otherwise be read as a prefix.
    RozlozeneCislo cislo;
    if (!rozlozCislo(retezec, cislo)) throw vyjm::ConvertError(zprava);
    // strtod rounds the decimal text correctly; the grammar has left it nothing else to take.
    const double hodnota = std::strtod(retezec.c_str() + cislo.zacatek, nullptr);
    if (!std::isfinite(hodnota)) throw vyjm::ConvertError(zprava);
    return hodnota;
}

std::string DoubleToString(const double& doubleCislo) {
    // What a default stream writes, printf's %g with 6 digits, without building a stream for
    // every value of a long report.
    char text[32];
    const int delka = std::snprintf(text, sizeof text, "%.6g", doubleCislo);
    return std::string(text, static_cast<std::size_t>(delka));
}

namespace {

// printf's fixed notation; it spells every digit of a large value (309 for the largest double).
std::string pevnyZapis(double cislo, int desetinnych) {
    // to_chars rounds exactly as printf does, without its machinery; inf and nan keep
    // printf's text.
    char kratky[64];
    if (std::isfinite(cislo)) {
        const std::to_chars_result konec =
            std::to_chars(kratky, kratky + sizeof kratky, cislo, std::chars_format::fixed, desetinnych);
        if (konec.ec == std::errc()) return std::string(kratky, konec.ptr);
    }
    const int delka = std::snprintf(kratky, sizeof kratky, "%.*f", desetinnych, cislo);
    if (delka < static_cast<int>(sizeof kratky)) return std::string(kratky, static_cast<std::size_t>(delka));
    std::string dlouhy(static_cast<std::size_t>(delka), '\0');
    std::snprintf(&dlouhy[0], dlouhy.size() + 1, "%.*f", desetinnych, cislo);
    return dlouhy;
}

// The same text for a whole number below 2^53, built without printf: most entries of a
// realisation are 0 or 1, and a large realisation holds hundreds of thousands of them.
std::string pevnyZapisCelehoCisla(double cislo, int desetinnych) {
    char cislice[24];
    const auto velikost = static_cast<long long>(std::fabs(cislo));
    const std::to_chars_result konec = std::to_chars(cislice, cislice + sizeof cislice, velikost);
    std::string text = std::signbit(cislo) ? "-" : "";
    text.append(cislice, konec.ptr);
    if (desetinnych > 0) text.append(1, '.').append(static_cast<std::size_t>(desetinnych), '0');
    return text;
}

}  // namespace

std::string DoubleToStringVerne(const double& cislo, int desetinnych) {
    // A whole number this small reads back from its fixed text whatever the decimals.
    if (std::fabs(cislo) < 9007199254740992.0 && cislo == std::trunc(cislo)) {
        return pevnyZapisCelehoCisla(cislo, desetinnych);
    }
    const std::string pevny = pevnyZapis(cislo, desetinnych);
    if (!std::isfinite(cislo)) return pevny;
    double zpet = 0.0;
    std::from_chars(pevny.data(), pevny.data() + pevny.size(), zpet);
    if (zpet == cislo) return pevny;
    return DoubleToStringNejkratsi(cislo);
}

std::string DoubleToStringNejkratsi(const double& cislo) {
    if (cislo == 0.0) return "0";
    // 24 characters hold any double ("-2.2250738585072014e-308").
    char nejkratsi[32];
    const std::to_chars_result konec = std::to_chars(nejkratsi, nejkratsi + sizeof nejkratsi, cislo);
    return std::string(nejkratsi, konec.ptr);
}

std::vector<std::string> split(const std::string& s, char delim) { return rozdel(s, delim); }

bool replace(std::string& str, const std::string& from, const std::string& to) {
    const std::size_t pozice = str.find(from);
    if (pozice == std::string::npos) return false;
    str.replace(pozice, from.length(), to);
    return true;
}
