#include "GrafRadky.h"

#include <cstring>

#include "GrafChyba.h"

namespace {

const std::size_t VELIKOST_BUFFERU = 1 << 16;

}  // namespace

RadkyZpravy::RadkyZpravy(std::istream& vstup, std::string cesta)
    : vstup(vstup), cesta(std::move(cesta)), buffer(VELIKOST_BUFFERU) {}

// Fills the buffer anew; false at the end of the input. A failing read is an error of the
// file, not of the report.
bool RadkyZpravy::doplnit() {
    vstup.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (vstup.bad()) throw GrafChyba("Soubor :" + cesta + " se nepodarilo precist");
    pozice = 0;
    konec = static_cast<std::size_t>(vstup.gcount());
    precteno += konec;
    if (precteno > MAX_VELIKOST) {
        chyba("soubor je delsi nez nejvetsi platna zprava (" + std::to_string(MAX_VELIKOST) + " bajtu)", false);
    }
    return konec > 0;
}

bool RadkyZpravy::dalsi() {
    aktualni.clear();
    if (cisloRadku == MAX_RADKU && (pozice < konec || doplnit())) {
        chybaNaRadku("soubor ma vice nez " + std::to_string(MAX_RADKU) + " radku", MAX_RADKU + 1);
    }
    bool nejakyZnak = false;
    for (;;) {
        if (pozice == konec && !doplnit()) {
            if (!nejakyZnak) return false;
            break;
        }
        nejakyZnak = true;
        const char* zacatek = buffer.data() + pozice;
        const char* lf = static_cast<const char*>(std::memchr(zacatek, '\n', konec - pozice));
        const std::size_t delka = lf ? static_cast<std::size_t>(lf - zacatek) : konec - pozice;
        if (aktualni.size() + delka > MAX_DELKA_RADKU + 1) {
            chybaNaRadku("radek je delsi nez " + std::to_string(MAX_DELKA_RADKU) + " znaku", cisloRadku + 1);
        }
        aktualni.append(zacatek, delka);
        pozice += delka;
        if (lf) {
            ++pozice;
            break;
        }
    }
    if (!aktualni.empty() && aktualni.back() == '\r') aktualni.pop_back();
    if (aktualni.size() > MAX_DELKA_RADKU) {
        chybaNaRadku("radek je delsi nez " + std::to_string(MAX_DELKA_RADKU) + " znaku", cisloRadku + 1);
    }
    ++cisloRadku;
    return true;
}

void RadkyZpravy::chyba(const std::string& duvod, bool sRadkem) const {
    if (sRadkem) chybaNaRadku(duvod, cisloRadku);
    throw GrafChyba("Chybna zprava :" + cesta + " -> " + duvod);
}

void RadkyZpravy::chybaNaRadku(const std::string& duvod, int radek) const {
    throw GrafChyba("Chybna zprava :" + cesta + " -> " + duvod + " (radek " + std::to_string(radek) + " souboru)");
}
