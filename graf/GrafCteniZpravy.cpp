#include "GrafCteniZpravy.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "GrafCastiZpravy.h"
#include "GrafChyba.h"

namespace {

const char* const TITULKY[][2] = {
    {"System Vnejsi SISO:", "Vnejsi SISO"},
    {"System Vnejsi MIMO:", "Vnejsi MIMO"},
    {"System Stavove SISO:", "Stavove SISO"},
    {"System Stavove MIMO:", "Stavove MIMO"},
};

const char* const HLAVICKA_REZERVY = "Rezerva zesileni [dB];w";

class CteniZpravy {
    RadkyZpravy radky;

    bool dalsi() { return radky.dalsi(); }
    const std::string& radek() const { return radky.radek(); }
    [[noreturn]] void chyba(const std::string& duvod, bool sRadkem = true) const { radky.chyba(duvod, sRadkem); }

    void titulek(Zprava& zprava) {
        if (!dalsi()) chyba("soubor je prazdny", false);
        for (const auto& t : TITULKY) {
            if (radek() == t[0]) {
                zprava.druhSystemu = t[1];
                zprava.mimo = radek().find("MIMO") != std::string::npos;
                return;
            }
        }
        chyba("prvni radek neni titulek systemu");
    }

    // The description of the system is skipped up to the verdict, which an empty line follows.
    void verdikt(Zprava& zprava) {
        while (dalsi()) {
            if (radek() == " System je stabilni " || radek() == " System neni stabilni") {
                zprava.stabilni = radek() == " System je stabilni ";
                if (!dalsi() || !radek().empty()) chyba("za verdiktem stability chybi prazdny radek");
                return;
            }
        }
        chyba("chybi radek s verdiktem stability", false);
    }

    // One line of values separated by ";", each as the report writes it, appended to the values.
    std::size_t radekHodnot(Zprava& zprava) const {
        std::size_t pocet = 0;
        for (const std::string_view kus : kusyRadku(radek())) {
            const std::optional<double> hodnota = hodnotaZpravy(kus);
            if (!hodnota) chyba("spatny format hodnoty -> " + std::string(kus));
            zprava.hodnoty.push_back(*hodnota);
            ++pocet;
        }
        return pocet;
    }

    // The width of the first line of a response sets that of the others.
    void kontrolaSirky(Zprava& zprava, std::size_t pocet) const {
        if (zprava.druh == DruhZpravy::Odezva && zprava.sirka == 0) {
            if (!zprava.mimo && pocet != 1) chyba("system SISO ma na radku jen jednu hodnotu");
            if (pocet > MAX_VYSTUPU) chyba("zprava ma vice nez " + std::to_string(MAX_VYSTUPU) + " vystupu");
            zprava.sirka = pocet;
        }
        if (pocet == zprava.sirka) return;
        if (zprava.druh == DruhZpravy::Frekvence) chyba("radek nema tolik hodnot, kolik ma hlavicka sloupcu");
        chyba(zprava.mimo ? "radky hodnot nemaji stejny pocet vystupu" : "system SISO ma na radku jen jednu hodnotu");
    }

    void kontrolaPoctu(const Zprava& zprava, std::size_t radku) const {
        if (zprava.druh == DruhZpravy::Odezva && radku > MAX_KROKU) {
            chyba("zprava ma vice nez " + std::to_string(MAX_KROKU) + " kroku");
        }
        if (zprava.druh == DruhZpravy::Frekvence && radku > MAX_FREKVENCI) {
            chyba("zprava ma vice nez " + std::to_string(MAX_FREKVENCI) + " frekvenci");
        }
    }

    // The lines of values from the current one on; empty lines may end the file but not
    // split the values. A frequency report may go on with its margins.
    void hodnoty(Zprava& zprava) {
        int prazdnyRadek = 0;
        std::size_t radku = 0;
        do {
            if (radek().empty()) {
                if (prazdnyRadek == 0) prazdnyRadek = radky.cislo();
                continue;
            }
            if (prazdnyRadek != 0) radky.chybaNaRadku("prazdny radek mezi hodnotami", prazdnyRadek);
            if (zprava.druh == DruhZpravy::Frekvence && radek() == HLAVICKA_REZERVY) {
                ctiRezervy(radky, zprava);
                break;
            }
            kontrolaPoctu(zprava, ++radku);
            kontrolaSirky(zprava, radekHodnot(zprava));
        } while (dalsi());
        if (radku == 0) chyba("zprava nema zadne hodnoty", false);
    }

    void hlavickaFrekvenci(Zprava& zprava) const {
        for (const std::string_view popisek : kusyRadku(radek())) zprava.popisky.emplace_back(popisek);
        if (zprava.popisky.size() % 2 == 0) chyba("hlavicka frekvenci nema ke kazdemu zesileni fazi");
        if (zprava.popisky.size() > 1 + 2 * MAX_DVOJIC) {
            chyba("hlavicka frekvenci ma vice nez " + std::to_string(MAX_DVOJIC) + " dvojic vystup/vstup");
        }
        zprava.sirka = zprava.popisky.size();
    }

    // The body: a frequency header "w;...", a pole header "Poly systemu: ..." or response values.
    void telo(Zprava& zprava) {
        if (!dalsi()) chyba("zprava nema zadne hodnoty", false);
        if (radek().rfind("Poly systemu: ", 0) == 0) {
            zprava.druh = DruhZpravy::Poly;
            ctiPoly(radky, zprava);
            return;
        }
        if (radek().rfind("w;", 0) == 0) {
            zprava.druh = DruhZpravy::Frekvence;
            hlavickaFrekvenci(zprava);
            if (!dalsi()) chyba("zprava nema zadne hodnoty", false);
        }
        hodnoty(zprava);
    }

public:
    CteniZpravy(std::istream& vstup, std::string cesta) : radky(vstup, std::move(cesta)) {}

    Zprava precti(std::uint64_t velikost) {
        Zprava zprava;
        zprava.hodnoty.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(velikost / 2, MAX_KROKU * MAX_VYSTUPU)));
        titulek(zprava);
        verdikt(zprava);
        telo(zprava);
        return zprava;
    }
};

}  // namespace

Zprava nactiZpravu(std::istream& vstup, const std::string& cesta, std::uint64_t velikost) {
    return CteniZpravy(vstup, cesta).precti(velikost);
}

Zprava nactiZpravuZeSouboru(const std::string& cesta) {
    std::ifstream soubor(cesta, std::ios::binary);
    if (soubor.is_open()) soubor.peek();
    // A directory opens on some systems but cannot be read.
    if (!soubor.is_open() || soubor.bad()) throw GrafChyba("Soubor :" + cesta + " se nepodarilo otervrit");
    soubor.clear();
    struct stat udaje {};
    const bool obycejny = ::stat(cesta.c_str(), &udaje) == 0 && S_ISREG(udaje.st_mode);
    return nactiZpravu(soubor, cesta, obycejny ? static_cast<std::uint64_t>(udaje.st_size) : 0);
}
