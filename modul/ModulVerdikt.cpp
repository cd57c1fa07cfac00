#include "ModulVerdikt.h"

#include <arb_fmpz_poly.h>

#include "ModulObaly.h"

namespace {

// First precision of the isolation; doubled until every ball is placed.
const long PRESNOST_POCATECNI = 32;

// False as soon as a root of h, which has none on the unit circle, lies outside it.
bool zadnyVne(const CelyPolynom& h) {
    if (h.stupen() <= 0) return true;
    const PolohaKorenu poloha = polohaKorenu(h, 1);
    if (poloha != PolohaKorenu::Nerozhodnuto) return poloha == PolohaKorenu::VsechnyUvnitr;
    return polohaIzolaci(h) == PolohaKorenu::VsechnyUvnitr;
}

// The balls at one precision: 1 every ball inside, 0 one certainly outside, -1 undecided.
int polohaKouli(KomplexniIntervaly& koreny, long n, long prec) {
    RealnyInterval velikost, jedna;
    arb_one(jedna.get());
    int vysledek = 1;
    for (long i = 0; i < n; ++i) {
        acb_abs(velikost.get(), koreny[i], prec);
        if (arb_gt(velikost.get(), jedna.get())) return 0;
        if (!arb_lt(velikost.get(), jedna.get())) vysledek = -1;
    }
    return vysledek;
}

}  // namespace

PolohaKorenu polohaIzolaci(const CelyPolynom& h) {
    const long n = h.stupen();
    KomplexniIntervaly koreny(n);
    for (long prec = PRESNOST_POCATECNI;; prec *= 2) {
        arb_fmpz_poly_complex_roots(koreny.data(), h.get(), 0, prec);
        const int poloha = polohaKouli(koreny, n, prec);
        if (poloha >= 0) return poloha == 1 ? PolohaKorenu::VsechnyUvnitr : PolohaKorenu::NektereVne;
    }
}

bool verdiktRozboru(const RozborPolu& rozbor) {
    if (rozbor.nulovy) return false;
    for (const CinitelPolu& c : rozbor.cinitele) {
        if (c.naKruznici != 2 * c.stopa.stupen() && c.stopa.stupen() > 0) return false;
        if (!zadnyVne(c.casti.h)) return false;
    }
    return true;
}

bool presnyVerdikt(const CelyPolynom& p) { return verdiktRozboru(rozeber(p)); }

int presnyVerdiktZadani(const std::string& text, std::string& chyba) {
    const std::shared_ptr<const RozborPolu> rozbor = rozborZadani(text);
    if (!rozbor) {
        chyba = "Chybne zadani presne stability\n";
        return -1;
    }
    return verdiktRozboru(*rozbor) ? 1 : 0;
}
