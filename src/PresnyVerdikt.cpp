#include "PresnyVerdikt.h"

#include "InkluzniKruhy.h"
#include "ZadaniPresnosti.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <acb.h>
#include <arb.h>
#include <arb_fmpz_poly.h>

namespace {

// First precision of the root isolation on the exact path; doubled until it decides.
const long PRESNOST_POCATECNI = 32;

// Owning arrays of complex Arb balls.
class KomplexniKoule {
    acb_ptr v;
    long n;

public:
    explicit KomplexniKoule(long n) : v(_acb_vec_init(std::max(n, 1L))), n(std::max(n, 1L)) {}
    KomplexniKoule(const KomplexniKoule&) = delete;
    KomplexniKoule& operator=(const KomplexniKoule&) = delete;
    ~KomplexniKoule() { _acb_vec_clear(v, n); }
    acb_ptr data() { return v; }
    acb_ptr operator[](long i) { return v + i; }
};

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

// g without the factors z - 1 and z + 1 (each at most once: g is square-free).
CelyPolynom bezJednotek(CelyPolynom g) {
    for (long znamenko : {1L, -1L}) {
        const CelyPolynom cinitel = CelyPolynom::zCelych({-znamenko, 1});
        CelyPolynom podil, zbytek;
        fmpz_poly_divrem(podil.get(), zbytek.get(), g.get(), cinitel.get());
        if (fmpz_poly_is_zero(zbytek.get())) g = podil;
    }
    return g;
}

// For a palindromic g of degree 2m: the G of degree m with g(z) = z^m G(z + 1/z), from
// z^k + z^-k = D_k(z + 1/z), D_0 = 2, D_1 = x, D_(k+1) = x D_k - D_(k-1).
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

// All roots of the square-free palindromic g lie on the unit circle exactly when its trace
// polynomial G has all its m roots real and inside (-2, 2) (never at +-2, which would make
// z = +-1 a double root of g).
bool vseNaKruznici(const CelyPolynom& g) {
    const CelyPolynom G = stopovyPolynom(g);
    const long m = G.stupen();
    if (m <= 0) return true;
    // A root of G outside |x| <= 2 comes from a root of g off the circle.
    if (polohaKorenu(G, 2) == PolohaKorenu::NektereVne) return false;
    KomplexniKoule koreny(m);
    arb_t dva, velikost;
    arb_init(dva);
    arb_init(velikost);
    arb_set_si(dva, 2);
    int vysledek = -1;  // undecided
    for (long prec = PRESNOST_POCATECNI; vysledek < 0; prec *= 2) {
        arb_fmpz_poly_complex_roots(koreny.data(), G.get(), 0, prec);
        bool rozhodnuto = true;
        for (long i = 0; i < m && vysledek < 0; ++i) {
            if (!arb_contains_zero(acb_imagref(koreny[i]))) {
                vysledek = 0;  // a non-real x: z + 1/z = x has no solution on the circle
            } else if (!jeRealny(koreny, m, i)) {
                rozhodnuto = false;
            } else {
                arb_abs(velikost, acb_realref(koreny[i]));
                if (arb_gt(velikost, dva))
                    vysledek = 0;
                else if (!arb_lt(velikost, dva))
                    rozhodnuto = false;
            }
        }
        if (vysledek < 0 && rozhodnuto) vysledek = 1;
    }
    arb_clear(dva);
    arb_clear(velikost);
    return vysledek == 1;
}

CelyPolynom obracene(const CelyPolynom& p) {
    CelyPolynom r;
    fmpz_poly_reverse(r.get(), p.get(), p.stupen() + 1);
    return r;
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

    CelyPolynom g, h;
    fmpz_poly_gcd(g.get(), s.get(), obracene(s).get());
    fmpz_poly_div(h.get(), s.get(), g.get());

    // g divides s and its reversal, so it equals its own reversal up to sign; without the
    // factors z - 1 and z + 1 the sign is + and the degree even.
    const CelyPolynom g2 = bezJednotek(g);
    if (!(obracene(g2) == g2) || g2.stupen() % 2 != 0)
        throw std::logic_error("Vnitrni chyba: spolecny delitel s obracenym polynomem neni symetricky\n");
    return vseNaKruznici(g2) && zadnyVne(h);
}


int presnyVerdiktZadani(const std::string& text, std::string& chyba) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    if (!zadani::nacti(text, druh, bloky) || bloky.size() != 1 || bloky[0].get_rows() != bloky[0].get_columns()) {
        chyba = "Chybne zadani presne stability\n";
        return -1;
    }
    const PresnaMatice& hodnoty = bloky[0];
    switch (druh) {
        case zadani::POLYNOM:
            return presnyVerdikt(hodnoty.get_rows() == 0 ? CelyPolynom() : polynomZTextu(hodnoty.prvek(0, 0))) ? 1 : 0;
        case zadani::MATICE:
            return presnyVerdikt(charakteristickyPolynomPresne(hodnoty)) ? 1 : 0;
        case zadani::POLYNOMIALNI_MATICE:
            return presnyVerdikt(determinantPresne(hodnoty)) ? 1 : 0;
        default:
            chyba = "Chybne zadani presne stability\n";
            return -1;
    }
}
