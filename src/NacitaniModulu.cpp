#include "NacitaniModulu.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <cstddef>

#include "ConvertFunction.h"
#include "KontrolaKnihovny.h"
#include "ProtokolModulu.h"
#include "Vyjimky.h"
#include "ZadaniPresnosti.h"

#ifndef CLDDS_MODUL_PRESNOSTI
#define CLDDS_MODUL_PRESNOSTI "../lib/cldds/libcldds_presne.so"
#endif
#ifndef CLDDS_MODUL_INSTALACE
#define CLDDS_MODUL_INSTALACE "/usr/local/lib/cldds/libcldds_presne.so"
#endif

namespace {

const char* const JMENO_MODULU = "libcldds_presne.so";

using VerzeProtokolu = int (*)();
using PresnaStabilita = int (*)(const char*, char*, std::size_t);
using TextovyUkol = char* (*)(const char*);
using Uvolneni = void (*)(char*);

// The real path of the running program, empty when it cannot be read. A program replaced
// while it runs is still found where it was.
std::string cestaProgramu() {
    char cesta[PATH_MAX];
    const ssize_t delka = ::readlink("/proc/self/exe", cesta, sizeof cesta);
    if (delka <= 0 || static_cast<std::size_t>(delka) >= sizeof cesta || cesta[0] != '/') return "";
    std::string text(cesta, static_cast<std::size_t>(delka));
    const std::string smazany = " (deleted)";
    if (text.size() > smazany.size() && text.compare(text.size() - smazany.size(), smazany.size(), smazany) == 0)
        text.resize(text.size() - smazany.size());
    return text;
}

// Where the module may be: beside the program (the build tree), then where the installation
// puts it relative to the program. Never the working directory: without the program's own
// path only the installation's place fixed at build time is left.
std::vector<std::string> mistaModulu() {
    const std::string program = cestaProgramu();
    if (program.empty()) return {CLDDS_MODUL_INSTALACE};
    const std::string adresar = program.substr(0, program.rfind('/'));
    return {adresar + "/" + JMENO_MODULU, adresar + "/" + CLDDS_MODUL_PRESNOSTI};
}

// A handle of dlopen, closed when it goes out of scope unless it is kept.
class Knihovna {
public:
    explicit Knihovna(const std::string& cesta) : handle_(::dlopen(cesta.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~Knihovna() {
        if (handle_ != nullptr) ::dlclose(handle_);
    }
    Knihovna(const Knihovna&) = delete;
    Knihovna& operator=(const Knihovna&) = delete;
    bool otevrena() const { return handle_ != nullptr; }
    template <typename Funkce>
    Funkce vstup(const char* jmeno) const {
        return reinterpret_cast<Funkce>(::dlsym(handle_, jmeno));
    }
    // The module stays loaded until the process ends: its libraries' exit handlers may run then.
    void ponech() { handle_ = nullptr; }

private:
    void* handle_;
};

// The entries of the module, loaded once.
struct Modul {
    PresnaStabilita stabilita = nullptr;
    TextovyUkol prevod = nullptr;
    TextovyUkol poly = nullptr;
    TextovyUkol nuly = nullptr;
    TextovyUkol frekvence = nullptr;
    Uvolneni uvolni = nullptr;
    std::string chyba;  // why no module was loaded

    Modul() {
        const std::vector<std::string> mista = mistaModulu();
        std::string hledano;
        for (const std::string& cesta : mista) {
            hledano += (hledano.empty() ? "" : ", ") + cesta;
            if (::access(cesta.c_str(), F_OK) == 0 && nacti(cesta)) return;
        }
        if (chyba.empty()) {
            const std::string bezProgramu = mista.size() == 1 ? "; umisteni programu nelze zjistit" : "";
            chyba = "Modul presne aritmetiky se nepodarilo nacist (" + hledano + bezProgramu + ")\n";
        }
    }

    // Loads the module at `cesta`; otherwise every entry stays empty, the library is closed
    // and chyba says why (the first refusal is kept).
    bool nacti(const std::string& cesta) {
        const std::string modul = "Modul presne aritmetiky :" + cesta;
        if (!celaKnihovna(cesta)) return odmitni(modul + " je poskozeny\n");
        Knihovna knihovna(cesta);
        if (!knihovna.otevrena()) return odmitni(modul + " je poskozeny\n");
        const auto verze = knihovna.vstup<VerzeProtokolu>(protokol::VSTUP_VERZE);
        const int cislo = verze == nullptr ? 0 : verze();
        if (cislo != protokol::VERZE_MODULU)
            return odmitni(modul + " patri k jine verzi programu (protokol " + IntToString(cislo) +
                           ", program potrebuje " + IntToString(protokol::VERZE_MODULU) + ")\n");
        stabilita = knihovna.vstup<PresnaStabilita>("cldds_presna_stabilita");
        prevod = knihovna.vstup<TextovyUkol>("cldds_presny_prevod");
        poly = knihovna.vstup<TextovyUkol>("cldds_presne_poly");
        nuly = knihovna.vstup<TextovyUkol>("cldds_presne_nuly");
        frekvence = knihovna.vstup<TextovyUkol>("cldds_presna_frekvence");
        uvolni = knihovna.vstup<Uvolneni>("cldds_uvolni");
        if (stabilita == nullptr || prevod == nullptr || poly == nullptr || nuly == nullptr || frekvence == nullptr ||
            uvolni == nullptr)
            return odmitni(modul + " nema vsechny vstupni body\n");
        knihovna.ponech();
        return true;
    }

    bool odmitni(const std::string& duvod) {
        stabilita = nullptr;
        prevod = nullptr;
        poly = nullptr;
        nuly = nullptr;
        frekvence = nullptr;
        uvolni = nullptr;
        if (chyba.empty()) chyba = duvod;
        return false;
    }
};

const Modul& modul() {
    static const Modul nacteny;
    if (nacteny.stabilita == nullptr)
        throw vyjm::FileError(nacteny.chyba);
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

std::vector<std::string> souboryProgramu() {
    std::vector<std::string> soubory = mistaModulu();
    const std::string program = cestaProgramu();
    if (!program.empty()) soubory.push_back(program);
    return soubory;
}

std::vector<PresnaMatice> presneNulyZModulu(const std::vector<const PresnaMatice*>& bloky) {
    std::vector<PresnaMatice> vysledek;
    std::string chyba;
    if (!textovyUkol(modul().nuly, zadani::zapis(zadani::NULY, bloky), zadani::VYSLEDEK, vysledek, chyba))
        throw vyjm::FileError(chyba);
    return vysledek;
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
