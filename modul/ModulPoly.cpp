#include "ModulPoly.h"

#include <algorithm>

#include <arb.h>
#include <arb_fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include "ModulKruhy.h"
#include "ModulKruznice.h"
#include "ZadaniPresnosti.h"

namespace {

// arb_fmpz_poly_complex_roots gives every root to at least this many accurate bits.
const long PRESNOST_HODNOT = 64;

double nejblizsi(const arb_t x) {
    if (arb_contains_zero(x)) return 0.0;
    return arf_get_d(arb_midref(x), ARF_RND_NEAR);
}

Pol polZKoule(acb_srcptr z, long nasobnost, PolohaPolu poloha, long prec) {
    Pol pol;
    pol.re = nejblizsi(acb_realref(z));
    pol.im = nejblizsi(acb_imagref(z));
    pol.nasobnost = nasobnost;
    pol.poloha = poloha;
    pol.velikost = 1.0;
    if (poloha != PolohaPolu::NaKruznici) {
        arb_t velikost;
        arb_init(velikost);
        acb_abs(velikost, z, prec);
        pol.velikost = arf_get_d(arb_midref(velikost), ARF_RND_NEAR);
        arb_clear(velikost);
    }
    return pol;
}

// The roots of the square-free f with their places. naKruznici roots lie on the circle, and
// every other root off it: the isolation is refined until exactly naKruznici balls still
// meet the circle, which then hold those roots.
void korenyFaktoru(const CelyPolynom& f, long naKruznici, long nasobnost, std::vector<Pol>& poly) {
    const long n = f.stupen();
    if (n <= 0) return;
    // Roots clear of the circle and of each other: their own discs settle them, no isolation.
    std::vector<IzolovanyKoren> izolovane;
    if (naKruznici == 0 && izolovaneKoreny(f, izolovane)) {
        for (const IzolovanyKoren& k : izolovane)
            poly.push_back(Pol{k.re, k.im, k.velikost, nasobnost, k.vne ? PolohaPolu::Vne : PolohaPolu::Uvnitr});
        return;
    }
    KomplexniKoule koreny(n);
    std::vector<PolohaPolu> polohy(static_cast<std::size_t>(n));
    arb_t velikost, jedna;
    arb_init(velikost);
    arb_init(jedna);
    arb_one(jedna);
    long prec = PRESNOST_HODNOT;
    for (;; prec *= 2) {
        arb_fmpz_poly_complex_roots(koreny.data(), f.get(), 0, prec);
        long nerozhodnutych = 0;
        for (long i = 0; i < n; ++i) {
            acb_abs(velikost, koreny[i], prec);
            PolohaPolu& poloha = polohy[static_cast<std::size_t>(i)];
            poloha = arb_lt(velikost, jedna) ? PolohaPolu::Uvnitr
                     : arb_gt(velikost, jedna) ? PolohaPolu::Vne
                                               : PolohaPolu::NaKruznici;
            if (poloha == PolohaPolu::NaKruznici) ++nerozhodnutych;
        }
        if (nerozhodnutych == naKruznici) break;
    }
    for (long i = 0; i < n; ++i) poly.push_back(polZKoule(koreny[i], nasobnost, polohy[static_cast<std::size_t>(i)], prec));
    arb_clear(velikost);
    arb_clear(jedna);
}

// The roots of one square-free factor without roots at 0, all of multiplicity nasobnost.
void korenyCinitele(const CelyPolynom& s, long nasobnost, std::vector<Pol>& poly) {
    const RozdeleniKruznici casti = rozdelPodleKruznice(s);
    for (const double z : {1.0, -1.0}) {
        if (z > 0 ? casti.jedna : casti.minusJedna) poly.push_back(Pol{z, 0.0, 1.0, nasobnost, PolohaPolu::NaKruznici});
    }
    korenyFaktoru(casti.g, 2 * realnychVIntervalu(stopovyPolynom(casti.g)), nasobnost, poly);
    korenyFaktoru(casti.h, 0, nasobnost, poly);
}

bool dribe(const Pol& a, const Pol& b) {
    if (a.velikost != b.velikost) return a.velikost > b.velikost;
    if (a.re != b.re) return a.re > b.re;
    return a.im > b.im;
}

}  // namespace

std::vector<Pol> presnePoly(const CelyPolynom& p) {
    std::vector<Pol> poly;
    long nuly = 0;
    while (nuly <= p.stupen() && fmpz_is_zero(p.get()->coeffs + nuly)) ++nuly;
    if (nuly > 0) poly.push_back(Pol{0.0, 0.0, 0.0, nuly, PolohaPolu::Uvnitr});
    CelyPolynom q;
    fmpz_poly_shift_right(q.get(), p.get(), nuly);
    if (q.stupen() > 0) {
        fmpz_poly_factor_t cinitele;
        fmpz_poly_factor_init(cinitele);
        fmpz_poly_factor_squarefree(cinitele, q.get());
        for (long i = 0; i < cinitele->num; ++i) {
            CelyPolynom s;
            fmpz_poly_set(s.get(), cinitele->p + i);
            korenyCinitele(s, cinitele->exp[i], poly);
        }
        fmpz_poly_factor_clear(cinitele);
    }
    std::sort(poly.begin(), poly.end(), dribe);
    return poly;
}

std::string presnePolyZadani(const std::string& text) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    CelyPolynom p;
    if (!zadani::nacti(text, druh, bloky) || bloky.size() != 1 || !polynomPolu(druh, bloky[0], p))
        return std::string(1, zadani::CHYBA) + "Chybne zadani presnych polu\n";
    if (p.stupen() < 0) return std::string(1, zadani::CHYBA) + "Polynom polu je nulovy\n";
    const PresnaMatice blok = polyNaBlok(presnePoly(p));
    return zadani::zapis(zadani::POLY, {&blok});
}
