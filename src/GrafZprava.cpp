#include "GrafZprava.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

#include "GrafChyba.h"

namespace {

const char* const TITULKY[][2] = {
    {"System Vnejsi SISO:", "Vnejsi SISO"},
    {"System Vnejsi MIMO:", "Vnejsi MIMO"},
    {"System Stavove SISO:", "Stavove SISO"},
    {"System Stavove MIMO:", "Stavove MIMO"},
};

// The report is written with "\n"; a carriage return before it is tolerated, as in the
// system files.
bool dalsiRadek(std::istream& vstup, std::string& radek) {
    if (!std::getline(vstup, radek)) return false;
    if (!radek.empty() && radek.back() == '\r') radek.pop_back();
    return true;
}

std::string misto(int radek) { return " (radek " + std::to_string(radek) + " souboru)"; }

// Splits a value line at ";", keeping empty pieces so that "1;;2" is refused.
std::vector<std::string> kusy(const std::string& radek) {
    std::vector<std::string> vysledek(1);
    for (char znak : radek) {
        if (znak == ';') {
            vysledek.emplace_back();
        } else {
            vysledek.back().push_back(znak);
        }
    }
    return vysledek;
}

class CteniZpravy {
    std::istream& vstup;
    std::string cesta;
    int cislo = 0;
    std::string radek;

    bool dalsi() {
        if (!dalsiRadek(vstup, radek)) return false;
        ++cislo;
        return true;
    }

    [[noreturn]] void chyba(const std::string& duvod, bool sRadkem = true) const {
        throw GrafChyba("Chybna zprava :" + cesta + " -> " + duvod + (sRadkem ? misto(cislo) : ""));
    }

    void titulek(Zprava& zprava) {
        if (!dalsi()) chyba("soubor je prazdny", false);
        for (const auto& t : TITULKY) {
            if (radek == t[0]) {
                zprava.druhSystemu = t[1];
                zprava.mimo = radek.find("MIMO") != std::string::npos;
                return;
            }
        }
        chyba("prvni radek neni titulek systemu");
    }

    // The description of the system is skipped up to the verdict, which an empty line follows.
    void verdikt(Zprava& zprava) {
        while (dalsi()) {
            if (radek == " System je stabilni " || radek == " System neni stabilni") {
                zprava.stabilni = radek == " System je stabilni ";
                if (!dalsi() || !radek.empty()) chyba("za verdiktem stability chybi prazdny radek");
                return;
            }
        }
        chyba("chybi radek s verdiktem stability", false);
    }

    void hodnoty(Zprava& zprava) {
        int prazdnyRadek = 0;
        while (dalsi()) {
            if (radek.empty()) {
                if (prazdnyRadek == 0) prazdnyRadek = cislo;
                continue;
            }
            // Empty lines may end the file but not split the values.
            if (prazdnyRadek != 0) {
                cislo = prazdnyRadek;
                chyba("prazdny radek mezi hodnotami");
            }
            std::vector<double> krok;
            for (const std::string& kus : kusy(radek)) {
                const std::optional<double> hodnota = hodnotaZpravy(kus);
                if (!hodnota) chyba("spatny format hodnoty -> " + kus);
                krok.push_back(*hodnota);
            }
            if (!zprava.mimo && krok.size() != 1) chyba("system SISO ma na radku jen jednu hodnotu");
            if (!zprava.kroky.empty() && krok.size() != zprava.kroky.front().size()) {
                chyba("radky hodnot nemaji stejny pocet vystupu");
            }
            zprava.kroky.push_back(std::move(krok));
        }
        if (zprava.kroky.empty()) chyba("zprava nema zadne hodnoty", false);
    }

public:
    CteniZpravy(std::istream& vstup, std::string cesta) : vstup(vstup), cesta(std::move(cesta)) {}

    Zprava precti() {
        Zprava zprava;
        titulek(zprava);
        verdikt(zprava);
        hodnoty(zprava);
        if (vstup.bad()) throw GrafChyba("Soubor :" + cesta + " se nepodarilo precist");
        return zprava;
    }
};

bool znakCisla(char znak) {
    return (znak >= '0' && znak <= '9') || znak == ',' || znak == 'e' || znak == '+' || znak == '-';
}

}  // namespace

std::optional<double> hodnotaZpravy(const std::string& text) {
    const double nekonecno = std::numeric_limits<double>::infinity();
    if (text == "inf") return nekonecno;
    if (text == "-inf") return -nekonecno;
    if (text == "nan" || text == "-nan") return std::numeric_limits<double>::quiet_NaN();
    bool platne = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
    for (char znak : text) platne = platne && znakCisla(znak);
    std::string sTeckou = text;
    const std::size_t carka = sTeckou.find(',');
    if (carka != std::string::npos) sTeckou[carka] = '.';
    if (!platne) return std::nullopt;
    // A subnormal value sets ERANGE but is read exactly; only an overflow is refused, since
    // the report writes a non-finite value by its name.
    char* konec = nullptr;
    const double hodnota = std::strtod(sTeckou.c_str(), &konec);
    if (*konec != '\0' || !std::isfinite(hodnota)) return std::nullopt;
    return hodnota;
}

Zprava nactiZpravu(std::istream& vstup, const std::string& cesta) { return CteniZpravy(vstup, cesta).precti(); }

Zprava nactiZpravuZeSouboru(const std::string& cesta) {
    std::ifstream soubor(cesta);
    if (soubor.is_open()) soubor.peek();
    // A directory opens on some systems but cannot be read.
    if (!soubor.is_open() || soubor.bad()) throw GrafChyba("Soubor :" + cesta + " se nepodarilo otervrit");
    soubor.clear();
    return nactiZpravu(soubor, cesta);
}
