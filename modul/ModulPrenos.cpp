#include "ModulPrenos.h"

#include <flint/fmpz_poly_mat.h>

#include "ModulCharakteristicky.h"
#include "ModulPrevod.h"

namespace {

// Orders up to which all numerators come from one adjugate expansion; beyond, each pair by the
// determinant lemma (two characteristic polynomials).
const long MAX_RAD_ADJUNGOVANE_PRENOSU = 16;

// N / D in lowest terms with D monic.
void zkrat(PrenosDvojice& p) {
    if (fmpq_poly_is_zero(p.N.get())) {
        fmpq_poly_one(p.D.get());
        return;
    }
    RacionalniPolynom g;
    fmpq_poly_gcd(g.get(), p.N.get(), p.D.get());
    fmpq_poly_div(p.N.get(), p.N.get(), g.get());
    fmpq_poly_div(p.D.get(), p.D.get(), g.get());
    Racionalni vedouci;
    fmpq_poly_get_coeff_fmpq(vedouci.get(), p.D.get(), fmpq_poly_degree(p.D.get()));
    fmpq_poly_scalar_div_fmpq(p.N.get(), p.N.get(), vedouci.get());
    fmpq_poly_scalar_div_fmpq(p.D.get(), p.D.get(), vedouci.get());
}

// The integer polynomial matrix C [A | B] for the diagonal C of each row's common denominator,
// which leaves A^-1 B as it is.
void celociselne(const PresnaMatice& A, const PresnaMatice& B, fmpz_poly_mat_t M) {
    const long m = A.get_rows(), l = B.get_columns();
    CeleCislo spolecny;
    for (long r = 0; r < m; ++r) {
        fmpz_one(spolecny.get());
        for (int pruchod = 0; pruchod < 2; ++pruchod)
            for (long c = 0; c < m + l; ++c) {
                RacionalniPolynom p;
                nactiPolynom(p, c < m ? A.prvek(static_cast<int>(r), static_cast<int>(c))
                                      : B.prvek(static_cast<int>(r), static_cast<int>(c - m)));
                if (pruchod == 0) {
                    fmpz_lcm(spolecny.get(), spolecny.get(), fmpq_poly_denref(p.get()));
                } else {
                    fmpq_poly_scalar_mul_fmpz(p.get(), p.get(), spolecny.get());
                    fmpq_poly_get_numerator(fmpz_poly_mat_entry(M, r, c), p.get());
                }
            }
    }
}

}  // namespace

struct PresnySystem::MinusJedna {
    bool regularni = false;
    std::unique_ptr<RacionalniMatice> Y;     // L + H (-I - F)^-1 G, or its part beside a simple pole
    std::unique_ptr<RacionalniMatice> Hu;    // H u (outputs x 1) when of rank n - 1
    std::unique_ptr<RacionalniMatice> wG;    // w^T G (1 x inputs)
};

PresnySystem::PresnySystem(std::vector<PresnaMatice> b) : bloky(std::move(b)) {}

PresnySystem::~PresnySystem() = default;

namespace {

// The blocks F, G, H, L of a state space as rational matrices.
struct RacionalniStav {
    RacionalniMatice F, G, H, L;
    explicit RacionalniStav(const std::vector<PresnaMatice>& b)
        : F(b[0].get_rows(), b[0].get_columns()), G(b[1].get_rows(), b[1].get_columns()),
          H(b[2].get_rows(), b[2].get_columns()), L(b[3].get_rows(), b[3].get_columns()) {
        nactiMatici(F, b[0], 0);
        nactiMatici(G, b[1], 0);
        nactiMatici(H, b[2], 0);
        nactiMatici(L, b[3], 0);
    }
};

// The one null vector (as a column) of the integer matrix A when its null space has dimension 1.
bool jedinyNulovyVektor(const fmpz_mat_t A, RacionalniMatice& u) {
    CelaMatice nulovy(fmpz_mat_ncols(A), fmpz_mat_ncols(A));
    const long dimenze = fmpz_mat_nullspace(nulovy.get(), A);
    if (dimenze == 1)
        for (long r = 0; r < fmpz_mat_ncols(A); ++r) {
            fmpz_set(fmpq_numref(u.prvek(r, 0)), nulovy.prvek(r, 0));
            fmpz_one(fmpq_denref(u.prvek(r, 0)));
        }
    return dimenze == 1;
}

// Rows of M scaled to integers (the null space of M is that of the result).
void celeRadky(RacionalniMatice& M, long n, fmpz_mat_t A) {
    CeleCislo spolecny;
    for (long r = 0; r < n; ++r) {
        fmpz_one(spolecny.get());
        for (long c = 0; c < n; ++c) fmpz_lcm(spolecny.get(), spolecny.get(), fmpq_denref(M.prvek(r, c)));
        for (long c = 0; c < n; ++c) {
            fmpz_divexact(fmpz_mat_entry(A, r, c), spolecny.get(), fmpq_denref(M.prvek(r, c)));
            fmpz_mul(fmpz_mat_entry(A, r, c), fmpz_mat_entry(A, r, c), fmpq_numref(M.prvek(r, c)));
        }
    }
}

// For a simple eigenvalue -1 (w^T u != 0): L + H S G with S the inverse of -I - F on the
// invariant subspace beside u, the value at -1 of every pair that the pole does not reach
// (H_o u = 0 or w^T G_i = 0, so that the pole's part H_o u w^T G_i / (w^T u (z + 1)) is 0):
// S g = x for the bordered system [M u; w^T 0] [x; t] = [g - u w^T g / w^T u; 0]. Empty for a
// multiple eigenvalue.
std::unique_ptr<RacionalniMatice> zbytek(RacionalniMatice& M, RacionalniMatice& u, RacionalniMatice& w,
                                         RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L) {
    const long n = fmpq_mat_nrows(M.get()), l = fmpq_mat_ncols(G.get()), m = fmpq_mat_nrows(H.get());
    Racionalni wu, wg, podil;
    for (long r = 0; r < n; ++r) fmpq_addmul(wu.get(), w.prvek(r, 0), u.prvek(r, 0));
    if (fmpq_is_zero(wu.get())) return nullptr;
    RacionalniMatice B(n + 1, n + 1), P(n + 1, l), X(n + 1, l), Xn(n, l);
    for (long r = 0; r < n; ++r) {
        for (long c = 0; c < n; ++c) fmpq_set(B.prvek(r, c), M.prvek(r, c));
        fmpq_set(B.prvek(r, n), u.prvek(r, 0));
        fmpq_set(B.prvek(n, r), w.prvek(r, 0));
    }
    for (long c = 0; c < l; ++c) {
        fmpq_zero(wg.get());
        for (long r = 0; r < n; ++r) fmpq_addmul(wg.get(), w.prvek(r, 0), G.prvek(r, c));
        fmpq_div(podil.get(), wg.get(), wu.get());
        for (long r = 0; r < n; ++r) {
            fmpq_set(P.prvek(r, c), G.prvek(r, c));
            fmpq_submul(P.prvek(r, c), u.prvek(r, 0), podil.get());
        }
    }
    if (!fmpq_mat_solve(X.get(), B.get(), P.get())) return nullptr;
    for (long r = 0; r < n; ++r)
        for (long c = 0; c < l; ++c) fmpq_set(Xn.prvek(r, c), X.prvek(r, c));
    auto Y = std::make_unique<RacionalniMatice>(m, l);
    fmpq_mat_mul(Y->get(), H.get(), Xn.get());
    fmpq_mat_add(Y->get(), Y->get(), L.get());
    return Y;
}

}  // namespace

int PresnySystem::vMinusJedne(long o, long i, fmpq_t h) {
    const long n = bloky[0].get_rows(), l = vstupu(), m = vystupu();
    if (!minusJedna) {
        minusJedna = std::make_unique<MinusJedna>();
        RacionalniStav stav(bloky);
        RacionalniMatice &M = stav.F, &G = stav.G, &H = stav.H, &L = stav.L;
        for (long r = 0; r < n; ++r) {
            for (long c = 0; c < n; ++c) fmpq_neg(M.prvek(r, c), M.prvek(r, c));
            fmpq_sub_si(M.prvek(r, r), M.prvek(r, r), 1);
        }
        RacionalniMatice X(n, l);
        if (fmpq_mat_solve(X.get(), M.get(), G.get())) {
            minusJedna->regularni = true;
            minusJedna->Y = std::make_unique<RacionalniMatice>(m, l);
            fmpq_mat_mul(minusJedna->Y->get(), H.get(), X.get());
            fmpq_mat_add(minusJedna->Y->get(), minusJedna->Y->get(), L.get());
        } else {
            RacionalniMatice Mt(n, n), u(n, 1), w(n, 1);
            fmpq_mat_transpose(Mt.get(), M.get());
            CelaMatice A(n, n), At(n, n);
            celeRadky(M, n, A.get());
            celeRadky(Mt, n, At.get());
            if (jedinyNulovyVektor(A.get(), u) && jedinyNulovyVektor(At.get(), w)) {
                minusJedna->Hu = std::make_unique<RacionalniMatice>(m, 1);
                minusJedna->wG = std::make_unique<RacionalniMatice>(1, l);
                RacionalniMatice wt(1, n);
                fmpq_mat_transpose(wt.get(), w.get());
                fmpq_mat_mul(minusJedna->Hu->get(), H.get(), u.get());
                fmpq_mat_mul(minusJedna->wG->get(), wt.get(), G.get());
                minusJedna->Y = zbytek(M, u, w, G, H, L);
            }
        }
    }
    if (minusJedna->regularni) {
        fmpq_set(h, minusJedna->Y->prvek(o, i));
        return 1;
    }
    if (!minusJedna->Hu) return 0;
    if (!fmpq_is_zero(minusJedna->Hu->prvek(o, 0)) && !fmpq_is_zero(minusJedna->wG->prvek(0, i))) return 2;
    if (!minusJedna->Y) return 0;
    fmpq_set(h, minusJedna->Y->prvek(o, i));
    return 1;
}

namespace {

// det(zI - F) of the rational F: det(z d I - A) / d^n for the integer A = d F.
void charakteristickyRacionalni(const PresnaMatice& blok, fmpq_poly_t chi) {
    const long n = blok.get_rows();
    RacionalniMatice F(n, n);
    nactiMatici(F, blok, 0);
    CeleCislo d(1), mocnina;
    for (long r = 0; r < n; ++r)
        for (long c = 0; c < n; ++c) fmpz_lcm(d.get(), d.get(), fmpq_denref(F.prvek(r, c)));
    CelaMatice A(n, n);
    for (long r = 0; r < n; ++r)
        for (long c = 0; c < n; ++c) {
            fmpz_divexact(A.prvek(r, c), d.get(), fmpq_denref(F.prvek(r, c)));
            fmpz_mul(A.prvek(r, c), A.prvek(r, c), fmpq_numref(F.prvek(r, c)));
        }
    const CelyPolynom chiA = charakteristickyCelociselny(A);
    fmpq_poly_zero(chi);
    Racionalni koeficient;
    for (long k = 0; k <= n; ++k) {
        fmpz_pow_ui(mocnina.get(), d.get(), static_cast<ulong>(n - k));
        fmpz_poly_get_coeff_fmpz(fmpq_numref(koeficient.get()), chiA.get(), k);
        fmpz_set(fmpq_denref(koeficient.get()), mocnina.get());
        fmpq_canonicalise(koeficient.get());
        fmpq_poly_set_coeff_fmpq(chi, k, koeficient.get());
    }
}

}  // namespace

bool PresnySystem::jistyPol(long o, long i, long q) {
    if (!stavovy() || q == 0) return false;
    if (!charakteristicky) {
        charakteristicky = std::make_unique<RacionalniPolynom>();
        charakteristickyRacionalni(bloky[0], charakteristicky->get());
    }
    CelyPolynom cyklotomicky;
    fmpz_poly_cyclotomic(cyklotomicky.get(), static_cast<ulong>(q));
    RacionalniPolynom phi, zbytek;
    fmpq_poly_set_fmpz_poly(phi.get(), cyklotomicky.get());
    fmpq_poly_rem(zbytek.get(), charakteristicky->get(), phi.get());
    if (!fmpq_poly_is_zero(zbytek.get())) return false;
    auto& s = stopy[q];
    if (!s) s = std::make_unique<StopaPolu>(stopaPolu(bloky[0], bloky[1], bloky[2], q));
    return !s->Hu.empty() && s->Hu[static_cast<std::size_t>(o)] != 0 && s->wG[static_cast<std::size_t>(i)] != 0;
}

bool PresnySystem::platny() const {
    if (bloky.size() == 4) {
        const long n = bloky[0].get_rows();
        return n >= 1 && bloky[0].get_columns() == n && bloky[1].get_rows() == n && bloky[2].get_columns() == n &&
               bloky[3].get_rows() == bloky[2].get_rows() && bloky[3].get_columns() == bloky[1].get_columns();
    }
    return bloky.size() == 2 && bloky[0].get_rows() >= 1 && bloky[0].get_rows() == bloky[0].get_columns() &&
           bloky[1].get_rows() == bloky[0].get_rows();
}

long PresnySystem::vystupu() const { return stavovy() ? bloky[2].get_rows() : bloky[0].get_rows(); }
long PresnySystem::vstupu() const { return bloky[1].get_columns(); }

void PresnySystem::prenosyStavu(long o, long i) {
    const long n = bloky[0].get_rows(), l = vstupu(), m = vystupu();
    RacionalniMatice F(n, n);
    nactiMatici(F, bloky[0], 0);
    if (n > MAX_RAD_ADJUNGOVANE_PRENOSU) {
        RacionalniMatice G(n, 1), H(1, n), L(1, 1);
        for (long r = 0; r < n; ++r) {
            nactiKoeficient(G.prvek(r, 0), bloky[1], r, i, 0);
            nactiKoeficient(H.prvek(0, r), bloky[2], o, r, 0);
        }
        nactiKoeficient(L.prvek(0, 0), bloky[3], o, i, 0);
        auto p = std::make_unique<PrenosDvojice>();
        citatelLemmatem(F, G, H, L, p->D.get(), p->N.get());
        zkrat(*p);
        prenosy[{o, i}] = std::move(p);
        return;
    }
    RacionalniMatice G(n, l), H(m, n), L(m, l);
    nactiMatici(G, bloky[1], 0);
    nactiMatici(H, bloky[2], 0);
    nactiMatici(L, bloky[3], 0);
    RacionalniPolynom D;
    fmpq_mat_charpoly(D.get(), F.get());
    std::vector<std::unique_ptr<RacionalniMatice>> koeficienty;
    std::vector<RacionalniMatice*> Bk;
    for (long k = 0; k <= n; ++k) {
        koeficienty.push_back(std::make_unique<RacionalniMatice>(m, l));
        Bk.push_back(koeficienty.back().get());
    }
    citateleAdjungovanou(F, G, H, L, D.get(), Bk);
    for (long a = 0; a < m; ++a)
        for (long b = 0; b < l; ++b) {
            auto p = std::make_unique<PrenosDvojice>();
            for (long k = 0; k <= n; ++k) fmpq_poly_set_coeff_fmpq(p->N.get(), k, Bk[static_cast<std::size_t>(k)]->prvek(a, b));
            fmpq_poly_set(p->D.get(), D.get());
            zkrat(*p);
            prenosy[{a, b}] = std::move(p);
        }
}

void PresnySystem::prenosZlomku(long o, long i) {
    auto p = std::make_unique<PrenosDvojice>();
    const long m = vystupu(), l = vstupu();
    if (m == 1) {
        nactiPolynom(p->N, bloky[1].prvek(0, static_cast<int>(i)));
        nactiPolynom(p->D, bloky[0].prvek(0, 0));
    } else {
        PolynomialniMatice M(m, m + l), A(m, m);
        celociselne(bloky[0], bloky[1], M.get());
        CelyPolynom citatel, jmenovatel;
        for (long r = 0; r < m; ++r)
            for (long c = 0; c < m; ++c) fmpz_poly_set(A.prvek(r, c), M.prvek(r, c));
        fmpz_poly_mat_det(jmenovatel.get(), A.get());
        for (long r = 0; r < m; ++r) fmpz_poly_set(A.prvek(r, o), M.prvek(r, m + i));
        fmpz_poly_mat_det(citatel.get(), A.get());
        fmpq_poly_set_fmpz_poly(p->N.get(), citatel.get());
        fmpq_poly_set_fmpz_poly(p->D.get(), jmenovatel.get());
    }
    zkrat(*p);
    prenosy[{o, i}] = std::move(p);
}

PrenosDvojice& PresnySystem::prenos(long o, long i) {
    const auto nalezeny = prenosy.find({o, i});
    if (nalezeny != prenosy.end()) return *nalezeny->second;
    if (stavovy())
        prenosyStavu(o, i);
    else
        prenosZlomku(o, i);
    return *prenosy.at({o, i});
}

void PresnySystem::hodnota(acb_t h, long o, long i, long k, const acb_t z, long presnost) {
    // A matrix fraction that is singular at z (a pole of another pair) has its pairs' values
    // from their own transfer functions; so has a state space where the balls cannot tell.
    const bool resenim = stavovy() ? bloky[0].get_rows() > MAX_RAD_ADJUNGOVANE_PRENOSU && hodnotaStavu(h, o, i, k, z, presnost)
                                   : vystupu() > 1 && hodnotaResenim(h, o, i, z, presnost);
    if (resenim) return;
    PrenosDvojice& p = prenos(o, i);
    KomplexniPolynom N, D;
    KomplexniInterval d;
    acb_poly_set_fmpq_poly(N.get(), p.N.get(), presnost);
    acb_poly_set_fmpq_poly(D.get(), p.D.get(), presnost);
    acb_poly_evaluate(h, N.get(), z, presnost);
    acb_poly_evaluate(d.get(), D.get(), z, presnost);
    acb_div(h, h, d.get(), presnost);
}

bool PresnySystem::hodnotaStavu(acb_t h, long o, long i, long k, const acb_t z, long presnost) {
    const long n = bloky[0].get_rows(), l = vstupu(), m = vystupu();
    if (neregularni.count({k, presnost})) return false;
    auto& Y = reseni[{k, presnost}];
    if (!Y) {
        KomplexniMatice M(n, n), G(n, l), X(n, l), H(m, n), L(m, l);
        RacionalniStav stav(bloky);
        RacionalniMatice &F = stav.F, &Gq = stav.G, &Hq = stav.H, &Lq = stav.L;
        for (long r = 0; r < n; ++r) {
            for (long c = 0; c < n; ++c) {
                arb_set_fmpq(acb_realref(M.prvek(r, c)), F.prvek(r, c), presnost);
                acb_neg(M.prvek(r, c), M.prvek(r, c));
            }
            acb_add(M.prvek(r, r), M.prvek(r, r), z, presnost);
            for (long c = 0; c < l; ++c) arb_set_fmpq(acb_realref(G.prvek(r, c)), Gq.prvek(r, c), presnost);
        }
        for (long r = 0; r < m; ++r) {
            for (long c = 0; c < n; ++c) arb_set_fmpq(acb_realref(H.prvek(r, c)), Hq.prvek(r, c), presnost);
            for (long c = 0; c < l; ++c) arb_set_fmpq(acb_realref(L.prvek(r, c)), Lq.prvek(r, c), presnost);
        }
        if (!acb_mat_solve(X.get(), M.get(), G.get(), presnost)) {
            neregularni.insert({k, presnost});
            return false;
        }
        Y = std::make_unique<KomplexniMatice>(m, l);
        acb_mat_mul(Y->get(), H.get(), X.get(), presnost);
        acb_mat_add(Y->get(), Y->get(), L.get(), presnost);
    }
    acb_set(h, Y->prvek(o, i));
    return true;
}

bool PresnySystem::hodnotaResenim(acb_t h, long o, long i, const acb_t z, long presnost) const {
    const long m = vystupu();
    KomplexniMatice A(m, m), B(m, 1), X(m, 1);
    for (long r = 0; r < m; ++r) {
        for (long c = 0; c <= m; ++c) {
            RacionalniPolynom q;
            nactiPolynom(q, c < m ? bloky[0].prvek(static_cast<int>(r), static_cast<int>(c))
                                  : bloky[1].prvek(static_cast<int>(r), static_cast<int>(i)));
            KomplexniPolynom k;
            acb_poly_set_fmpq_poly(k.get(), q.get(), presnost);
            acb_poly_evaluate(c < m ? A.prvek(r, c) : B.prvek(r, 0), k.get(), z, presnost);
        }
    }
    if (!acb_mat_solve(X.get(), A.get(), B.get(), presnost)) return false;
    acb_set(h, X.prvek(o, 0));
    return true;
}
