#include "ModulNuly.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include <flint/fmpz_mat.h>
#include <flint/nmod_mat.h>
#include <flint/nmod_poly.h>
#include <flint/nmod_vec.h>
#include <flint/ulong_extras.h>

#include "ModulCharakteristicky.h"
#include "ModulHessenberg.h"
#include "ModulObaly.h"
#include "ModulPoly.h"
#include "ModulPrevod.h"
#include "ModulZesileni.h"
#include "ZadaniPresnosti.h"

namespace {

// ---------------------------------------------------------------- the pencil modulo a prime

// The pencil zE + K over Z/p (p below MEZ_PRVOCISEL), E the identity on the state rows and
// columns (those with stav set, paired by index), the other rows and columns constant; K is
// N x N, row-major. Row operations run over whole rows: entries of removed columns change
// too, and are never read again.
struct SvazekModP {
    nmod_t mod;
    long N;
    std::vector<std::uint32_t> K;
    std::vector<long> radky, sloupce;  // the rows and columns still in the matrix, in order
    std::vector<char> stav;
    mp_limb_t faktor = 1;              // det of the whole = faktor * det of what remains

    std::uint32_t& at(long r, long c) { return K[static_cast<std::size_t>(r * N + c)]; }
    std::uint32_t* radek(long r) { return &K[static_cast<std::size_t>(r * N)]; }
    std::uint32_t soucin(mp_limb_t a, mp_limb_t b) const { return static_cast<std::uint32_t>(nmod_mul(a, b, mod)); }
    std::uint32_t opacny(std::uint32_t a) const { return static_cast<std::uint32_t>(nmod_neg(a, mod)); }
    std::uint32_t p() const { return static_cast<std::uint32_t>(mod.n); }

    // Removes row r and column c, expanding the determinant along the single non-zero entry
    // of one of them.
    void rozvin(long r, long c) {
        const auto pr = std::find(radky.begin(), radky.end(), r);
        const auto pc = std::find(sloupce.begin(), sloupce.end(), c);
        const long znamenko = (pr - radky.begin()) + (pc - sloupce.begin());
        faktor = nmod_mul(faktor, at(r, c), mod);
        if (znamenko % 2 != 0) faktor = nmod_neg(faktor, mod);
        radky.erase(pr);
        sloupce.erase(pc);
    }

    // A constant pivot (r, c) of a constant row and column: the other rows lose their entry in
    // column c by subtracting multiples of row r, which carries no z.
    void krokKonstantni(long r, long c) {
        const mp_limb_t inverze = n_invmod(at(r, c), mod.n);
        for (long k : radky)
            if (k != r) pridejNasobekModP(radek(k), radek(r), N, opacny(soucin(at(k, c), inverze)), p());
        rozvin(r, c);
    }

    // A constant row r without constant entries, pivot in the state column c: the columns
    // lose their entries of row r by subtracting multiples of column c (which puts -w_l z
    // into row c), row r is expanded away, and adding w_k times every other state row k to
    // row c takes that z out again. Row c is then constant: one state fewer.
    void krokStavovy(long r, long c) {
        const mp_limb_t inverze = n_invmod(at(r, c), mod.n);
        std::vector<std::uint32_t> w(static_cast<std::size_t>(N), 0);
        for (long l : sloupce)
            if (stav[static_cast<std::size_t>(l)] && l != c) w[static_cast<std::size_t>(l)] = soucin(at(r, l), inverze);
        // Column l minus w_l times column c, row by row: row k minus at(k, c) times w.
        for (long k : radky) pridejNasobekModP(radek(k), w.data(), N, opacny(at(k, c)), p());
        rozvin(r, c);
        for (long k : radky)
            if (k != c && stav[static_cast<std::size_t>(k)])
                pridejNasobekModP(radek(c), radek(k), N, w[static_cast<std::size_t>(k)], p());
        stav[static_cast<std::size_t>(c)] = 0;
    }

    // The first non-zero entry in a constant row and a column of the given kind.
    bool pivot(bool stavovySloupec, long& r, long& c) {
        for (long k : radky) {
            if (stav[static_cast<std::size_t>(k)]) continue;
            for (long l : sloupce)
                if ((stav[static_cast<std::size_t>(l)] != 0) == stavovySloupec && at(k, l) != 0) {
                    r = k;
                    c = l;
                    return true;
                }
        }
        return false;
    }

    bool konstantniRadek() const {
        for (long k : radky)
            if (!stav[static_cast<std::size_t>(k)]) return true;
        return false;
    }
};

// det(zI - M) for the remaining state block, M = -K there, times the factor.
void zbyvajiciStavy(nmod_poly_t det, SvazekModP& s) {
    const long n = static_cast<long>(s.radky.size());
    std::vector<mp_limb_t> M(static_cast<std::size_t>(n * n));
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j)
            M[static_cast<std::size_t>(i * n + j)] = s.opacny(s.at(s.radky[i], s.sloupce[j]));
    charakteristickyPolynomModP(det, M, n, s.mod);
    nmod_poly_scalar_mul_nmod(det, det, s.faktor);
}

// det(zE + K) mod p by constant row and column operations: pivots among the constant entries
// first, then pivots of constant rows in state columns; what remains is zI - M or proves the
// determinant identically zero (a constant row with nothing left in it).
void determinantSvazkuObecne(nmod_poly_t det, const nmod_mat_t Kp, long n) {
    SvazekModP s;
    s.mod = Kp->mod;
    s.N = nmod_mat_nrows(Kp);
    s.K.assign(static_cast<std::size_t>(s.N * s.N), 0);
    for (long i = 0; i < s.N; ++i)
        for (long j = 0; j < s.N; ++j) s.at(i, j) = static_cast<std::uint32_t>(nmod_mat_entry(Kp, i, j));
    s.radky.resize(static_cast<std::size_t>(s.N));
    std::iota(s.radky.begin(), s.radky.end(), 0L);
    s.sloupce = s.radky;
    s.stav.assign(static_cast<std::size_t>(s.N), 0);
    for (long k = 0; k < n; ++k) s.stav[static_cast<std::size_t>(k)] = 1;
    while (s.konstantniRadek()) {
        long r = 0, c = 0;
        if (s.pivot(false, r, c)) {
            s.krokKonstantni(r, c);
        } else if (s.pivot(true, r, c)) {
            s.krokStavovy(r, c);
        } else {
            nmod_poly_zero(det);
            return;
        }
    }
    zbyvajiciStavy(det, s);
}

// det [zI + K_SS, K_SC; K_RS, K_RC] mod p: with K_RC invertible it is
// det(K_RC) det(zI + K_SS - K_SC K_RC^-1 K_RS), one solve and one product; otherwise the
// general reduction.
void determinantSvazku(nmod_poly_t det, const nmod_mat_t Kp, long n) {
    const long N = nmod_mat_nrows(Kp), m = N - n;
    const mp_limb_t p = Kp->mod.n;
    ModularniMatice L(m, m, p), Lkopie(m, m, p);
    for (long i = 0; i < m; ++i)
        for (long j = 0; j < m; ++j) nmod_mat_entry(L.get(), i, j) = nmod_mat_entry(Kp, n + i, n + j);
    nmod_mat_set(Lkopie.get(), L.get());
    const mp_limb_t detL = m == 0 ? 1 : nmod_mat_det(Lkopie.get());
    if (detL == 0) {
        determinantSvazkuObecne(det, Kp, n);
        return;
    }
    ModularniMatice H(m, n, p), G(n, m, p), X(m, n, p), GX(n, n, p);
    for (long i = 0; i < m; ++i)
        for (long j = 0; j < n; ++j) nmod_mat_entry(H.get(), i, j) = nmod_mat_entry(Kp, n + i, j);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < m; ++j) nmod_mat_entry(G.get(), i, j) = nmod_mat_entry(Kp, i, n + j);
    if (m > 0) {
        nmod_mat_solve(X.get(), L.get(), H.get());
        nmod_mat_mul(GX.get(), G.get(), X.get());
    }
    std::vector<mp_limb_t> M(static_cast<std::size_t>(n * n));
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j)
            M[static_cast<std::size_t>(i * n + j)] =
                nmod_sub(nmod_mat_entry(GX.get(), i, j), nmod_mat_entry(Kp, i, j), Kp->mod);
    charakteristickyPolynomModP(det, M, n, Kp->mod);
    nmod_poly_scalar_mul_nmod(det, det, detL);
}

// ---------------------------------------------------------------- the exact determinant

// The rows of K = [-F, -G; H, L] scaled to integers: row r times s_r, the least common
// multiple of its denominators.
void celociselnySvazek(CelaMatice& Kint, std::vector<std::unique_ptr<CeleCislo>>& meritka, RacionalniMatice& F,
                       RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L) {
    const long n = fmpq_mat_nrows(F.get()), m = fmpq_mat_ncols(G.get()), N = n + m;
    Racionalni q;
    auto prvek = [&](long r, long c) {
        if (r < n) {
            fmpq_neg(q.get(), c < n ? F.prvek(r, c) : G.prvek(r, c - n));
        } else {
            fmpq_set(q.get(), c < n ? H.prvek(r - n, c) : L.prvek(r - n, c - n));
        }
        return q.get();
    };
    for (long r = 0; r < N; ++r) {
        meritka.push_back(std::make_unique<CeleCislo>());
        fmpz* s = meritka.back()->get();
        fmpz_one(s);
        for (long c = 0; c < N; ++c) fmpz_lcm(s, s, fmpq_denref(prvek(r, c)));
        for (long c = 0; c < N; ++c) {
            fmpq* x = prvek(r, c);
            fmpz_divexact(Kint.prvek(r, c), s, fmpq_denref(x));
            fmpz_mul(Kint.prvek(r, c), Kint.prvek(r, c), fmpq_numref(x));
        }
    }
}

// A bound on every coefficient of det(z diag(s_1 .. s_n, 0 ..) + Kint): on |z| = 1 the
// determinant is at most the product of the row norms (Hadamard), each at most the norm of
// the constant row plus s_r, and a coefficient at most the maximum on the circle (Cauchy).
void mezKoeficientu(fmpz_t mez, CelaMatice& Kint, std::vector<std::unique_ptr<CeleCislo>>& meritka, long n) {
    const long N = static_cast<long>(meritka.size());
    CeleCislo norma, ctverec, koren;
    fmpz_one(mez);
    for (long r = 0; r < N; ++r) {
        fmpz_zero(norma.get());
        for (long c = 0; c < N; ++c) fmpz_addmul(norma.get(), Kint.prvek(r, c), Kint.prvek(r, c));
        fmpz_sqrt(koren.get(), norma.get());
        fmpz_add_ui(koren.get(), koren.get(), 1);
        if (r < n) fmpz_add(koren.get(), koren.get(), meritka[static_cast<std::size_t>(r)]->get());
        fmpz_mul(mez, mez, koren.get());
    }
}

// S det P(z) modulo the prime of dp: the rows of Kint divided by their scales, the pencil
// reduced, the result times S.
void determinantModulo(ModularniPolynom& dp, const CelaMatice& Kint,
                       const std::vector<std::unique_ptr<CeleCislo>>& meritka, const CeleCislo& S, long n) {
    const mp_limb_t p = dp.get()->mod.n;
    const long N = Kint.radku();
    ModularniMatice Kp(N, N, p);
    fmpz_mat_get_nmod_mat(Kp.get(), Kint.get());
    for (long r = 0; r < N; ++r) {
        const mp_limb_t inverze = n_invmod(fmpz_fdiv_ui(meritka[static_cast<std::size_t>(r)]->get(), p), p);
        for (long c = 0; c < N; ++c)
            nmod_mat_entry(Kp.get(), r, c) = nmod_mul(nmod_mat_entry(Kp.get(), r, c), inverze, Kp.get()->mod);
    }
    determinantSvazku(dp.get(), Kp.get(), n);
    nmod_poly_scalar_mul_nmod(dp.get(), dp.get(), fmpz_fdiv_ui(S.get(), p));
}

}  // namespace

void determinantSystemoveMatice(fmpq_poly_t det, RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                RacionalniMatice& L) {
    const long n = fmpq_mat_nrows(F.get()), N = n + fmpq_mat_ncols(G.get());
    CelaMatice Kint(N, N);
    std::vector<std::unique_ptr<CeleCislo>> meritka;
    celociselnySvazek(Kint, meritka, F, G, H, L);
    CeleCislo mez, S, modul;
    mezKoeficientu(mez.get(), Kint, meritka, n);
    fmpz_mul_2exp(mez.get(), mez.get(), 1);
    fmpz_one(S.get());
    for (auto& s : meritka) fmpz_mul(S.get(), S.get(), s->get());

    // S det P(z) has integer coefficients of magnitude below mez / 2: its residues modulo
    // primes below 2^28 (those of charakteristickyPolynomModP) determine it once their product
    // exceeds mez. Primes that divide S are skipped.
    std::vector<mp_limb_t> prvocisla;
    fmpz_one(modul.get());
    for (mp_limb_t p = prvocisloPod(MEZ_PRVOCISEL); fmpz_cmp(modul.get(), mez.get()) <= 0;
         p = prvocisloPod(static_cast<std::uint32_t>(p))) {
        if (fmpz_fdiv_ui(S.get(), p) == 0) continue;
        prvocisla.push_back(p);
        fmpz_mul_ui(modul.get(), modul.get(), p);
    }
    std::vector<std::unique_ptr<ModularniPolynom>> zbytky;
    for (mp_limb_t p : prvocisla) zbytky.push_back(std::make_unique<ModularniPolynom>(p));
    poPrvocislech(prvocisla.size(), N, [&](std::size_t k) {
        determinantModulo(*zbytky[k], Kint, meritka, S, n);
    });
    Skladani vysledek;
    for (const auto& dp : zbytky) vysledek.pridej(*dp);
    fmpq_poly_set_fmpz_poly(det, vysledek.hodnota().get());
    fmpq_poly_scalar_div_fmpz(det, det, S.get());
}

namespace {

// The blocks F, G, H, L of a state-space task as rational matrices. With one input and one
// output (and at least one state) also D = det(zI - F) and B = H adj(zI - F) G + L D, which is
// the determinant of the system matrix, from one multimodular run whose characteristic
// polynomial the poles have already computed (ModulCharakteristicky.h): the zeros and the gain
// both come from them.
struct PresnyStavQ {
    long n, m;
    RacionalniMatice F, G, H, L;
    std::unique_ptr<RacionalniPolynom> D, B;
    explicit PresnyStavQ(const std::vector<PresnaMatice>& b)
        : n(b[0].get_rows()), m(b[1].get_columns()), F(n, n), G(n, m), H(m, n), L(m, m) {
        nactiMatici(F, b[0], 0);
        nactiMatici(G, b[1], 0);
        nactiMatici(H, b[2], 0);
        nactiMatici(L, b[3], 0);
        if (n == 0 || m != 1) return;
        D = std::make_unique<RacionalniPolynom>();
        B = std::make_unique<RacionalniPolynom>();
        citatelLemmatem(F, G, H, L, D->get(), B->get());
    }
};

// ---------------------------------------------------------------- the zeros

// The integer polynomial whose roots are the zeros.
CelyPolynom polynomNul(const std::vector<PresnaMatice>& b, PresnyStavQ* stav) {
    if (stav == nullptr) return determinantPresne(b[1]);
    RacionalniPolynom det;
    if (stav->B)
        fmpq_poly_set(det.get(), stav->B->get());
    else
        determinantSystemoveMatice(det.get(), stav->F, stav->G, stav->H, stav->L);
    CelyPolynom p;
    fmpq_poly_get_numerator(p.get(), det.get());
    if (!fmpz_poly_is_zero(p.get())) fmpz_poly_primitive_part(p.get(), p.get());
    return p;
}

// The static gain of a state-space system.
PresnaMatice zesileniStavuQ(PresnyStavQ& s) {
    if (s.B) return zesileniJednohoKanalu(s.D->get(), s.B->get(), s.F, s.G, s.H, s.L);
    return zesileniStavu(s.F, s.G, s.H, s.L);
}

// The zeros in the form of the poles, a 0 x 0 block when they are not defined.
PresnaMatice blokNul(const std::vector<PresnaMatice>& b, PresnyStavQ* stav) {
    const CelyPolynom p = polynomNul(b, stav);
    if (p.stupen() >= 0) return polyNaBlok(presnePoly(p));
    PresnaMatice prazdny;
    prazdny.novyTvar(0, 0);
    return prazdny;
}

// External: A and B square of one size. State space: F n x n, G n x m, H m x n, L m x m.
bool tvarySedi(const std::vector<PresnaMatice>& b) {
    if (b.size() == 2) {
        return b[0].get_rows() == b[0].get_columns() && b[1].get_rows() == b[0].get_rows() &&
               b[1].get_columns() == b[0].get_columns();
    }
    if (b.size() != 4) return false;
    const int n = b[0].get_rows(), m = b[1].get_columns();
    return b[0].get_columns() == n && b[1].get_rows() == n && b[2].get_rows() == m && b[2].get_columns() == n &&
           b[3].get_rows() == m && b[3].get_columns() == m;
}

}  // namespace

std::string presneNulyZadani(const std::string& text) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    const bool precteno = zadani::nacti(text, druh, bloky) && druh == zadani::NULY && !bloky.empty() &&
                          bloky[0].get_rows() == 1 && bloky[0].get_columns() == 1;
    const std::vector<std::string> co = precteno ? bloky[0].prvek(0, 0) : std::vector<std::string>();
    const bool nuly = std::find(co.begin(), co.end(), zadani::NULY_NULY) != co.end();
    const bool zesileni = std::find(co.begin(), co.end(), zadani::NULY_ZESILENI) != co.end();
    if (precteno) bloky.erase(bloky.begin());
    if (!precteno || !tvarySedi(bloky) || (!nuly && !zesileni))
        return std::string(1, zadani::CHYBA) + "Chybne zadani nul a zesileni\n";
    std::unique_ptr<PresnyStavQ> stav;
    if (bloky.size() == 4) stav = std::make_unique<PresnyStavQ>(bloky);
    std::vector<PresnaMatice> odpoved;
    if (nuly) odpoved.push_back(blokNul(bloky, stav.get()));
    if (zesileni)
        odpoved.push_back(stav ? zesileniStavuQ(*stav) : zesileniVnejsi(bloky[0], bloky[1]));
    std::vector<const PresnaMatice*> ukazatele;
    for (const PresnaMatice& b : odpoved) ukazatele.push_back(&b);
    return zadani::zapis(zadani::VYSLEDEK, ukazatele);
}
