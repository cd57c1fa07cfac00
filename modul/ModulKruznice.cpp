#include "ModulKruznice.h"

#include <stdexcept>

#include <arb.h>
#include <arb_fmpz_poly.h>

namespace {

// g without the factor z - c (c = 1 or -1), which it holds at most once (it is square-free).
bool oddelKoren(CelyPolynom& g, long c) {
    const CelyPolynom cinitel = CelyPolynom::zCelych({-c, 1});
    CelyPolynom podil, zbytek;
    fmpz_poly_divrem(podil.get(), zbytek.get(), g.get(), cinitel.get());
    if (!fmpz_poly_is_zero(zbytek.get())) return false;
    g = podil;
    return true;
}

// True when the isolating ball i is the only one that its mirror image in the real axis
// meets: the root it holds is then its own conjugate, a real number.
bool jeRealny(KomplexniKoule& koreny, long n, long i) {
    acb_t zrcadlo;
    acb_init(zrcadlo);
    acb_conj(zrcadlo, koreny[i]);
    bool vysledek = arb_contains_zero(acb_imagref(koreny[i]));
    for (long j = 0; j < n && vysledek; ++j)
        if (j != i && acb_overlaps(zrcadlo, koreny[j])) vysledek = false;
    acb_clear(zrcadlo);
    return vysledek;
}

// 1 when root i of G is certainly real and inside (-2, 2), 0 when certainly not, -1 undecided.
int vIntervalu(KomplexniKoule& koreny, long m, long i, arb_t velikost, const arb_t dva) {
    if (!arb_contains_zero(acb_imagref(koreny[i]))) return 0;
    if (!jeRealny(koreny, m, i)) return -1;
    arb_abs(velikost, acb_realref(koreny[i]));
    if (arb_gt(velikost, dva)) return 0;
    return arb_lt(velikost, dva) ? 1 : -1;
}

}  // namespace

CelyPolynom obracene(const CelyPolynom& p) {
    CelyPolynom r;
    fmpz_poly_reverse(r.get(), p.get(), p.stupen() + 1);
    return r;
}

RozdeleniKruznici rozdelPodleKruznice(const CelyPolynom& s) {
    RozdeleniKruznici casti;
    CelyPolynom g;
    fmpz_poly_gcd(g.get(), s.get(), obracene(s).get());
    fmpz_poly_div(casti.h.get(), s.get(), g.get());
    casti.jedna = oddelKoren(g, 1);
    casti.minusJedna = oddelKoren(g, -1);
    // g divides s and its reversal, so it equals its own reversal up to sign; without the
    // factors z - 1 and z + 1 the sign is + and the degree even.
    if (!(obracene(g) == g) || g.stupen() % 2 != 0)
        throw std::logic_error("Vnitrni chyba: spolecny delitel s obracenym polynomem neni symetricky\n");
    casti.g = g;
    return casti;
}

// From z^k + z^-k = D_k(z + 1/z), D_0 = 2, D_1 = x, D_(k+1) = x D_k - D_(k-1).
CelyPolynom stopovyPolynom(const CelyPolynom& g) {
    const long m = g.stupen() / 2;
    const CelyPolynom x = CelyPolynom::zCelych({0, 1});
    CelyPolynom predchozi = CelyPolynom::zCelych({2}), aktualni = x, G, clen;
    fmpz_poly_set_fmpz(G.get(), g.get()->coeffs + m);
    for (long k = 1; k <= m; ++k) {
        fmpz_poly_scalar_mul_fmpz(clen.get(), aktualni.get(), g.get()->coeffs + m + k);
        fmpz_poly_add(G.get(), G.get(), clen.get());
        CelyPolynom dalsi;
        fmpz_poly_mul(dalsi.get(), x.get(), aktualni.get());
        fmpz_poly_sub(dalsi.get(), dalsi.get(), predchozi.get());
        predchozi = aktualni;
        aktualni = dalsi;
    }
    return G;
}

// A root at +-2 would make z = +-1 a double root of g, which is square-free and without
// them, so every root is eventually decided.
long realnychVIntervalu(const CelyPolynom& G) {
    const long m = G.stupen();
    if (m <= 0) return 0;
    KomplexniKoule koreny(m);
    arb_t dva, velikost;
    arb_init(dva);
    arb_init(velikost);
    arb_set_si(dva, 2);
    long pocet = -1;
    for (long prec = PRESNOST_POCATECNI; pocet < 0; prec *= 2) {
        arb_fmpz_poly_complex_roots(koreny.data(), G.get(), 0, prec);
        pocet = 0;
        for (long i = 0; i < m && pocet >= 0; ++i) {
            const int v = vIntervalu(koreny, m, i, velikost, dva);
            pocet = v < 0 ? -1 : pocet + v;
        }
    }
    arb_clear(dva);
    arb_clear(velikost);
    return pocet;
}
