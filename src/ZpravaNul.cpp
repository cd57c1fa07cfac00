#include "ZpravaNul.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "ConvertFunction.h"
#include "NacitaniModulu.h"
#include "PolSystemu.h"
#include "Vyjimky.h"
#include "ZadaniPresnosti.h"
#include "ZpravaPolu.h"

namespace {

const char* const CHYBNY_VYSLEDEK = "Chybny vysledek modulu presne aritmetiky\n";

// The values of a system as written, as the module takes them (A and B, or F, G, H and L),
// and why its zeros are not defined when their polynomial is identically zero.
struct HodnotySystemu {
    std::vector<PresnaMatice> bloky;
    std::string procNeurceny;

    std::vector<const PresnaMatice*> ukazatele() const {
        std::vector<const PresnaMatice*> u;
        for (const PresnaMatice& b : bloky) u.push_back(&b);
        return u;
    }
};

HodnotySystemu hodnotySystemu(const CLDDS& system) {
    if (const auto* s = dynamic_cast<const CLDDS_Vnejsi_SISO*>(&system)) {
        PresnyVnejsi v = s->presneHodnoty();
        return {{std::move(v.A), std::move(v.B)}, "citatel B je identicky nulovy"};
    }
    if (const auto* s = dynamic_cast<const CLDDS_Vnejsi_MIMO*>(&system)) {
        PresnyVnejsi v = s->presneHodnoty();
        return {{std::move(v.A), std::move(v.B)}, "determinant B(z) je identicky nulovy"};
    }
    const bool siso = dynamic_cast<const CLDDS_Stav_SISO*>(&system) != nullptr;
    PresnyStav p = siso ? dynamic_cast<const CLDDS_Stav_SISO&>(system).presneHodnoty()
                        : dynamic_cast<const CLDDS_Stav_MIMO&>(system).presneHodnoty();
    return {{std::move(p.F), std::move(p.G), std::move(p.H), std::move(p.L)},
            siso ? "citatel prenosu je identicky nulovy" : "determinant systemove matice je identicky nulovy"};
}

void zapisNuly(std::ostream& f, const PresnaMatice& blok, const std::string& procNeurceny) {
    if (blok.get_columns() == 0) {
        f << "Nuly systemu: nejsou urceny, " << procNeurceny << "\n";
        return;
    }
    std::vector<Pol> nuly;
    if (!polyZBloku(blok, nuly)) throw vyjm::FileError(CHYBNY_VYSLEDEK);
    f << "Nuly systemu: realna cast;imaginarni cast;velikost;nasobnost;poloha\n";
    for (const Pol& nula : nuly) zapisRadekPolu(f, nula);
}

// The value of an element of the gain block: the exact text of a double, "inf" or "-inf".
double hodnotaZesileni(const PresnaMatice& blok, int i, int j) {
    const std::vector<std::string> prvek = blok.prvek(i, j);
    if (prvek.size() != 1) throw vyjm::FileError(CHYBNY_VYSLEDEK);
    char* konec = nullptr;
    const double x = std::strtod(prvek[0].c_str(), &konec);
    if (prvek[0].empty() || *konec != '\0') throw vyjm::FileError(CHYBNY_VYSLEDEK);
    return x;
}

void zapisZesileni(std::ostream& f, const PresnaMatice& blok) {
    f << "Staticke zesileni: vystup/vstup;hodnota\n";
    for (int i = 0; i < blok.get_rows(); ++i)
        for (int j = 0; j < blok.get_columns(); ++j)
            f << "y" << i + 1 << "/u" << j + 1 << ";" << DoubleToStringNejkratsi(hodnotaZesileni(blok, i, j)) << "\n";
}

}  // namespace

void zapisNulyAZesileni(std::ostream& f, const CLDDS& system, bool nuly, bool zesileni) {
    if (!nuly && !zesileni) return;
    HodnotySystemu hodnoty = hodnotySystemu(system);
    PresnaMatice co;
    co.novyTvar(1, 1);
    std::vector<std::string> slova;
    if (nuly) slova.push_back(zadani::NULY_NULY);
    if (zesileni) slova.push_back(zadani::NULY_ZESILENI);
    co.pridejPrvek(slova);
    hodnoty.bloky.insert(hodnoty.bloky.begin(), std::move(co));
    const std::vector<PresnaMatice> odpoved = presneNulyZModulu(hodnoty.ukazatele());
    if (odpoved.size() != slova.size()) throw vyjm::FileError(CHYBNY_VYSLEDEK);
    if (nuly) zapisNuly(f, odpoved.front(), hodnoty.procNeurceny);
    if (zesileni) zapisZesileni(f, odpoved.back());
}

void kontrolaNulAZesileni(const CLDDS& system, bool nuly, bool zesileni) {
    const auto* stav = dynamic_cast<const CLDDS_Stav_MIMO*>(&system);
    const auto* vnejsi = dynamic_cast<const CLDDS_Vnejsi_MIMO*>(&system);
    const int vstupy = stav != nullptr ? stav->get_l() : vnejsi != nullptr ? vnejsi->get_l() : 1;
    if (vstupy <= MAX_VSTUPU_NUL) return;
    const std::string meze = " je max " + IntToString(MAX_VSTUPU_NUL) + " vstupu a vystupu, system jich ma " + IntToString(vstupy) + "\n";
    if (zesileni) throw vyjm::ArgumentError("U statickeho zesileni" + meze);
    if (nuly && stav != nullptr) throw vyjm::ArgumentError("U nul stavoveho popisu" + meze);
}
