#include "NacitaniModulu.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <cstddef>

#include "Vyjimky.h"
#include "ZadaniPresnosti.h"

#ifndef CLDDS_MODUL_PRESNOSTI
#define CLDDS_MODUL_PRESNOSTI "../lib/cldds/libcldds_presne.so"
#endif

namespace {

const char* const JMENO_MODULU = "libcldds_presne.so";

using PresnaStabilita = int (*)(const char*, char*, std::size_t);
using TextovyUkol = char* (*)(const char*);
using Uvolneni = void (*)(char*);

std::string adresarProgramu() {
    char cesta[PATH_MAX];
    const ssize_t delka = ::readlink("/proc/self/exe", cesta, sizeof cesta - 1);
    if (delka <= 0) return ".";
    const std::string text(cesta, static_cast<std::size_t>(delka));
    const std::size_t lomitko = text.rfind('/');
    return lomitko == std::string::npos ? "." : text.substr(0, lomitko);
}

// The entries of the module, loaded once.
struct Modul {
    PresnaStabilita stabilita = nullptr;
    TextovyUkol prevod = nullptr;
    TextovyUkol poly = nullptr;
    TextovyUkol frekvence = nullptr;
    Uvolneni uvolni = nullptr;
    std::string hledano;  // the places tried

    // The module beside the program (the build tree), else where the installation puts it.
    Modul() {
        const std::string adresar = adresarProgramu();
        for (const std::string& cesta : {adresar + "/" + JMENO_MODULU, adresar + "/" + CLDDS_MODUL_PRESNOSTI}) {
            hledano += (hledano.empty() ? "" : ", ") + cesta;
            if (::access(cesta.c_str(), R_OK) != 0) continue;
            void* modul = ::dlopen(cesta.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (modul == nullptr) continue;
            stabilita = reinterpret_cast<PresnaStabilita>(::dlsym(modul, "cldds_presna_stabilita"));
            prevod = reinterpret_cast<TextovyUkol>(::dlsym(modul, "cldds_presny_prevod"));
            poly = reinterpret_cast<TextovyUkol>(::dlsym(modul, "cldds_presne_poly"));
            frekvence = reinterpret_cast<TextovyUkol>(::dlsym(modul, "cldds_presna_frekvence"));
            uvolni = reinterpret_cast<Uvolneni>(::dlsym(modul, "cldds_uvolni"));
            if (stabilita != nullptr && prevod != nullptr && poly != nullptr && frekvence != nullptr &&
                uvolni != nullptr)
                return;
        }
        stabilita = nullptr;
    }
};

const Modul& modul() {
    static const Modul nacteny;
    if (nacteny.stabilita == nullptr)
        throw vyjm::FileError("Modul presne aritmetiky se nepodarilo nacist (" + nacteny.hledano + ")\n");
    return nacteny;
}

// The module's answer to a task of the text form; false with the message in chyba for a
// failure text, or for an answer that is not a result of the kind `odpovedi`.
bool textovyUkol(TextovyUkol ukol, const std::string& zadani, char odpovedi, std::vector<PresnaMatice>& vysledek,
                 std::string& chyba) {
    char* text = ukol(zadani.c_str());
    if (text == nullptr) throw std::bad_alloc();
    const std::string odpoved(text);
    modul().uvolni(text);
    char znak = 0;
    if (!odpoved.empty() && odpoved[0] == zadani::CHYBA) {
        chyba = odpoved.substr(1);
        return false;
    }
    if (!zadani::nacti(odpoved, znak, vysledek) || znak != odpovedi) {
        chyba = "Chybny vysledek modulu presne aritmetiky\n";
        return false;
    }
    return true;
}

}  // namespace

bool presnaStabilita(char zdroj, const PresnaMatice& hodnoty) {
    char chyba[256] = {};
    const int vysledek = modul().stabilita(zadani::zapis(zdroj, {&hodnoty}).c_str(), chyba, sizeof chyba);
    if (vysledek < 0) throw vyjm::FileError(chyba);
    return vysledek == 1;
}

bool presnyPrevod(char druh, const std::vector<const PresnaMatice*>& bloky, std::vector<PresnaMatice>& vysledek,
                  std::string& chyba) {
    return textovyUkol(modul().prevod, zadani::zapis(druh, bloky), zadani::VYSLEDEK, vysledek, chyba);
}

std::vector<Pol> presnePolyZModulu(char zdroj, const PresnaMatice& hodnoty) {
    std::vector<PresnaMatice> vysledek;
    std::string chyba;
    std::vector<Pol> poly;
    if (!textovyUkol(modul().poly, zadani::zapis(zdroj, {&hodnoty}), zadani::POLY, vysledek, chyba))
        throw vyjm::FileError(chyba);
    if (vysledek.size() != 1 || !polyZBloku(vysledek[0], poly))
        throw vyjm::FileError("Chybny vysledek modulu presne aritmetiky\n");
    return poly;
}

namespace {

std::vector<PresnaMatice> ukolFrekvence(char druh, const std::vector<const PresnaMatice*>& bloky) {
    std::vector<PresnaMatice> vysledek;
    std::string chyba;
    if (!textovyUkol(modul().frekvence, zadani::zapis(druh, bloky), zadani::VYSLEDEK, vysledek, chyba))
        throw vyjm::FileError(chyba);
    return vysledek;
}

}  // namespace

std::vector<std::vector<BodFrekvence>> frekvenceZModulu(const std::vector<PresnaMatice>& system,
                                                       const std::vector<std::pair<int, int>>& dvojice,
                                                       const std::vector<std::vector<BodFrekvence>>& body) {
    PresnaMatice seznam;
    seznam.novyTvar(1, static_cast<int>(dvojice.size()));
    for (const auto& [o, i] : dvojice) seznam.pridejPrvek({std::to_string(o), std::to_string(i)});
    std::vector<PresnaMatice> bodyDvojic;
    for (const std::vector<BodFrekvence>& b : body) bodyDvojic.push_back(bodyNaBlok(b));
    std::vector<const PresnaMatice*> bloky = {&seznam};
    for (const PresnaMatice& b : system) bloky.push_back(&b);
    for (const PresnaMatice& b : bodyDvojic) bloky.push_back(&b);
    const std::vector<PresnaMatice> odpoved = ukolFrekvence(zadani::FREKVENCE, bloky);
    std::vector<std::vector<BodFrekvence>> vysledek(odpoved.size());
    for (std::size_t p = 0; p < odpoved.size(); ++p)
        if (!bodyZBloku(odpoved[p], vysledek[p]) || vysledek[p].size() != body[p].size())
            throw vyjm::FileError("Chybny vysledek modulu presne aritmetiky\n");
    if (vysledek.size() != dvojice.size()) throw vyjm::FileError("Chybny vysledek modulu presne aritmetiky\n");
    return vysledek;
}

RezervyStability rezervyZModulu(const std::vector<PresnaMatice>& system) {
    std::vector<const PresnaMatice*> bloky;
    for (const PresnaMatice& b : system) bloky.push_back(&b);
    const std::vector<PresnaMatice> odpoved = ukolFrekvence(zadani::REZERVY, bloky);
    if (odpoved.size() != 2) throw vyjm::FileError("Chybny vysledek modulu presne aritmetiky\n");
    RezervyStability r;
    for (int druh = 0; druh < 2; ++druh)
        for (int k = 0; k < odpoved[static_cast<std::size_t>(druh)].get_rows(); ++k) {
            const std::vector<std::string> prvek = odpoved[static_cast<std::size_t>(druh)].prvek(k, 0);
            if (prvek.size() != 2) throw vyjm::FileError("Chybny vysledek modulu presne aritmetiky\n");
            (druh == 0 ? r.zesileni : r.faze)
                .emplace_back(std::strtod(prvek[0].c_str(), nullptr), std::strtod(prvek[1].c_str(), nullptr));
        }
    return r;
}
