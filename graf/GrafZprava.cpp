#include "GrafZprava.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

#include "GrafChyba.h"
#include "Text.h"

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
std::vector<std::string> kusy(const std::string& radek) { return rozdel(radek, ';', true); }

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

    // One line of values separated by ";", each as the report writes it.
    std::vector<double> radekHodnot() const {
        std::vector<double> krok;
        for (const std::string& kus : kusy(radek)) {
            const std::optional<double> hodnota = hodnotaZpravy(kus);
            if (!hodnota) chyba("spatny format hodnoty -> " + kus);
            krok.push_back(*hodnota);
        }
        return krok;
    }

    // The lines of values from the current one on, each of sirka values when sirka > 0;
    // empty lines may end the file but not split the values.
    void hodnoty(Zprava& zprava, std::size_t sirka) {
        int prazdnyRadek = 0;
        do {
            if (radek.empty()) {
                if (prazdnyRadek == 0) prazdnyRadek = cislo;
                continue;
            }
            if (prazdnyRadek != 0) {
                cislo = prazdnyRadek;
                chyba("prazdny radek mezi hodnotami");
            }
            std::vector<double> krok = radekHodnot();
            if (sirka > 0 && krok.size() != sirka) chyba("radek nema tolik hodnot, kolik ma hlavicka sloupcu");
            if (sirka == 0 && !zprava.mimo && krok.size() != 1) chyba("system SISO ma na radku jen jednu hodnotu");
            if (!zprava.kroky.empty() && krok.size() != zprava.kroky.front().size()) {
                chyba("radky hodnot nemaji stejny pocet vystupu");
            }
            zprava.kroky.push_back(std::move(krok));
        } while (dalsi());
        if (zprava.kroky.empty()) chyba("zprava nema zadne hodnoty", false);
    }

    // A number as the pole report writes it: the shortest text of a double, decimal point.
    bool cisloPolu(const std::string& text, double& hodnota) const {
        char* konec = nullptr;
        hodnota = std::strtod(text.c_str(), &konec);
        return !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-') &&
               *konec == '\0' && std::isfinite(hodnota);
    }

    void radekPolu(Zprava& zprava) {
        const std::vector<std::string> pole = kusy(radek);
        PolZpravy pol;
        bool platny = pole.size() == 5 && cisloPolu(pole[0], pol.re) && cisloPolu(pole[1], pol.im) &&
                      cisloPolu(pole[2], pol.velikost);
        if (platny) {
            char* konec = nullptr;
            pol.nasobnost = std::strtol(pole[3].c_str(), &konec, 10);
            pol.poloha = pole[4];
            platny = pol.nasobnost >= 1 && *konec == '\0' &&
                     (pol.poloha == "uvnitr" || pol.poloha == "na kruznici" || pol.poloha == "vne");
        }
        if (!platny) chyba("spatny radek polu -> " + radek);
        zprava.poly.push_back(pol);
    }

    // Pole lines up to the line of the spectral radius, which ends the report.
    void poly(Zprava& zprava) {
        const std::string polomer = "Spektralni polomer: ";
        while (dalsi()) {
            if (radek.rfind(polomer, 0) == 0) {
                if (!cisloPolu(radek.substr(polomer.size()), zprava.spektralniPolomer)) chyba("spatny spektralni polomer");
                while (dalsi())
                    if (!radek.empty()) chyba("za spektralnim polomerem je dalsi radek");
                return;
            }
            radekPolu(zprava);
        }
        chyba("chybi radek se spektralnim polomerem", false);
    }

    // The body: a frequency header "w;...", a pole header "Poly systemu: ..." or response values.
    void telo(Zprava& zprava) {
        if (!dalsi()) chyba("zprava nema zadne hodnoty", false);
        if (radek.rfind("Poly systemu: ", 0) == 0) {
            zprava.druh = DruhZpravy::Poly;
            poly(zprava);
        } else if (radek.rfind("w;", 0) == 0) {
            zprava.druh = DruhZpravy::Frekvence;
            zprava.popisky = kusy(radek);
            if (zprava.popisky.size() % 2 == 0) chyba("hlavicka frekvenci nema ke kazdemu zesileni fazi");
            if (!dalsi()) chyba("zprava nema zadne hodnoty", false);
            hodnoty(zprava, zprava.popisky.size());
        } else {
            hodnoty(zprava, 0);
        }
    }

public:
    CteniZpravy(std::istream& vstup, std::string cesta) : vstup(vstup), cesta(std::move(cesta)) {}

    Zprava precti() {
        Zprava zprava;
        titulek(zprava);
        verdikt(zprava);
        telo(zprava);
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
