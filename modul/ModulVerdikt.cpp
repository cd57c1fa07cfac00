#include "ModulVerdikt.h"

#include "ModulKruhy.h"
#include "ModulKruznice.h"
#include "ZadaniPresnosti.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <acb.h>
#include <arb.h>
#include <arb_fmpz_poly.h>

namespace {

// p without its roots at 0.
CelyPolynom bezNulovychKorenu(const CelyPolynom& p) {
    CelyPolynom q;
    long nuly = 0;
    while (fmpz_is_zero(p.get()->coeffs + nuly)) ++nuly;
    fmpz_poly_shift_right(q.get(), p.get(), nuly);
    return q;
}

// Sign of the roots of h, which has none on the unit circle: false as soon as one lies
// outside it.
bool zadnyVne(const CelyPolynom& h) {
    const long n = h.stupen();
    if (n <= 0) return true;
    const PolohaKorenu poloha = polohaKorenu(h, 1);
    if (poloha != PolohaKorenu::Nerozhodnuto) return poloha == PolohaKorenu::VsechnyUvnitr;
    KomplexniKoule koreny(n);
    arb_t velikost, jedna;
    arb_init(velikost);
    arb_init(jedna);
    arb_one(jedna);
    bool vysledek = true;
    for (long prec = PRESNOST_POCATECNI;; prec *= 2) {
        arb_fmpz_poly_complex_roots(koreny.data(), h.get(), 0, prec);
        bool rozhodnuto = true;
        for (long i = 0; i < n && vysledek; ++i) {
            acb_abs(velikost, koreny[i], prec);
            if (arb_gt(velikost, jedna))
                vysledek = false;
            else if (!arb_lt(velikost, jedna))
                rozhodnuto = false;
        }
        if (!vysledek || rozhodnuto) break;
    }
    arb_clear(velikost);
    arb_clear(jedna);
    return vysledek;
}

// All roots of the palindromic g lie on the unit circle exactly when its trace polynomial has
// all its roots real and inside (-2, 2).
bool vseNaKruznici(const CelyPolynom& g) {
    const CelyPolynom G = stopovyPolynom(g);
    if (G.stupen() <= 0) return true;
    // A root of G outside |x| <= 2 comes from a root of g off the circle.
    if (polohaKorenu(G, 2) == PolohaKorenu::NektereVne) return false;
    return realnychVIntervalu(G) == G.stupen();
}

}  // namespace

bool presnyVerdikt(const CelyPolynom& p) {
    if (p.stupen() < 0) return false;
    const CelyPolynom q = bezNulovychKorenu(p);
    if (q.stupen() <= 0) return true;

    CelyPolynom derivace, spolecny, s;
    fmpz_poly_derivative(derivace.get(), q.get());
    fmpz_poly_gcd(spolecny.get(), q.get(), derivace.get());
    fmpz_poly_div(s.get(), q.get(), spolecny.get());

    const RozdeleniKruznici casti = rozdelPodleKruznice(s);
    return vseNaKruznici(casti.g) && zadnyVne(casti.h);
}

int presnyVerdiktZadani(const std::string& text, std::string& chyba) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    CelyPolynom p;
    if (!zadani::nacti(text, druh, bloky) || bloky.size() != 1 || !polynomPolu(druh, bloky[0], p)) {
        chyba = "Chybne zadani presne stability\n";
        return -1;
    }
    return presnyVerdikt(p) ? 1 : 0;
}
