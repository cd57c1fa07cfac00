#include "ModulPrenos.h"

#include <flint/fmpz_poly_mat.h>

#include "ModulKoule.h"
#include "ModulPrevod.h"

namespace {

// Orders up to which all numerators come from one adjugate expansion; beyond, each pair by the
// determinant lemma (two characteristic polynomials).
const long MAX_RAD_ADJUNGOVANE = 16;

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
    fmpz_t spolecny;
    fmpz_init(spolecny);
    for (long r = 0; r < m; ++r) {
        fmpz_one(spolecny);
        for (int pruchod = 0; pruchod < 2; ++pruchod)
            for (long c = 0; c < m + l; ++c) {
                RacionalniPolynom p;
                nactiPolynom(p, c < m ? A.prvek(static_cast<int>(r), static_cast<int>(c))
                                      : B.prvek(static_cast<int>(r), static_cast<int>(c - m)));
                if (pruchod == 0) {
                    fmpz_lcm(spolecny, spolecny, fmpq_poly_denref(p.get()));
                } else {
                    fmpq_poly_scalar_mul_fmpz(p.get(), p.get(), spolecny);
                    fmpq_poly_get_numerator(fmpz_poly_mat_entry(M, r, c), p.get());
                }
            }
    }
    fmpz_clear(spolecny);
}

}  // namespace

PresnySystem::PresnySystem(std::vector<PresnaMatice> b) : bloky(std::move(b)) {}

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
    if (n > MAX_RAD_ADJUNGOVANE) {
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
        fmpz_poly_mat_t M, A;
        fmpz_poly_mat_init(M, m, m + l);
        fmpz_poly_mat_init(A, m, m);
        celociselne(bloky[0], bloky[1], M);
        CelyPolynom citatel, jmenovatel;
        for (long r = 0; r < m; ++r)
            for (long c = 0; c < m; ++c) fmpz_poly_set(fmpz_poly_mat_entry(A, r, c), fmpz_poly_mat_entry(M, r, c));
        fmpz_poly_mat_det(jmenovatel.get(), A);
        for (long r = 0; r < m; ++r) fmpz_poly_set(fmpz_poly_mat_entry(A, r, o), fmpz_poly_mat_entry(M, r, m + i));
        fmpz_poly_mat_det(citatel.get(), A);
        fmpz_poly_mat_clear(A);
        fmpz_poly_mat_clear(M);
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

void PresnySystem::hodnota(acb_t h, long o, long i, const acb_t z, long presnost) {
    // A matrix fraction that is singular at z (a pole of another pair) has its pairs' values
    // from their own transfer functions.
    if (stavovy() || vystupu() == 1 || !hodnotaResenim(h, o, i, z, presnost)) {
        PrenosDvojice& p = prenos(o, i);
        KoulovyPolynom N, D;
        Koule d;
        acb_poly_set_fmpq_poly(N.get(), p.N.get(), presnost);
        acb_poly_set_fmpq_poly(D.get(), p.D.get(), presnost);
        acb_poly_evaluate(h, N.get(), z, presnost);
        acb_poly_evaluate(d.get(), D.get(), z, presnost);
        acb_div(h, h, d.get(), presnost);
    }
}

bool PresnySystem::hodnotaResenim(acb_t h, long o, long i, const acb_t z, long presnost) const {
    const long m = vystupu();
    KoulovaMatice A(m, m), B(m, 1), X(m, 1);
    for (long r = 0; r < m; ++r) {
        for (long c = 0; c <= m; ++c) {
            RacionalniPolynom q;
            nactiPolynom(q, c < m ? bloky[0].prvek(static_cast<int>(r), static_cast<int>(c))
                                  : bloky[1].prvek(static_cast<int>(r), static_cast<int>(i)));
            KoulovyPolynom k;
            acb_poly_set_fmpq_poly(k.get(), q.get(), presnost);
            acb_poly_evaluate(c < m ? A.prvek(r, c) : B.prvek(r, 0), k.get(), z, presnost);
        }
    }
    if (!acb_mat_solve(X.get(), A.get(), B.get(), presnost)) return false;
    acb_set(h, X.prvek(o, 0));
    return true;
}
