#include "ModulKruznice.h"

#include <stdexcept>

#include "ModulObaly.h"
#include "ModulPocetKorenu.h"

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

long realnychVIntervalu(const CelyPolynom& G) {
    if (G.stupen() <= 0) return 0;
    Racionalni dva, minusDva;
    fmpq_set_si(dva.get(), 2, 1);
    fmpq_set_si(minusDva.get(), -2, 1);
    // Roots above -2 less roots above 2 less a root at 2 itself: those in (-2, 2).
    return korenuNad(G, minusDva.get()) - korenuNad(G, dva.get()) - (jeKorenem(G, dva.get()) ? 1 : 0);
}
