#include "ModulNuly.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include <flint/fmpz_mat.h>
#include <flint/fmpz_poly_mat.h>
#include <flint/nmod_mat.h>
#include <flint/nmod_poly.h>
#include <flint/ulong_extras.h>

#include "ModulPoly.h"
#include "ZadaniPresnosti.h"

namespace {

// Owning values of FLINT's integer, integer matrix and modular types used here.
class CeleCislo {
    fmpz_t x;

public:
    CeleCislo() { fmpz_init(x); }
    CeleCislo(const CeleCislo&) = delete;
    CeleCislo& operator=(const CeleCislo&) = delete;
    ~CeleCislo() { fmpz_clear(x); }
    fmpz* get() { return x; }
};

class CelaMatice {
    fmpz_mat_t m;

public:
    CelaMatice(long radky, long sloupce) { fmpz_mat_init(m, radky, sloupce); }
    CelaMatice(const CelaMatice&) = delete;
    CelaMatice& operator=(const CelaMatice&) = delete;
    ~CelaMatice() { fmpz_mat_clear(m); }
    fmpz_mat_struct* get() { return m; }
    fmpz* prvek(long i, long j) { return fmpz_mat_entry(m, i, j); }
};

class MaticeModP {
    nmod_mat_t m;

public:
    MaticeModP(long radky, long sloupce, mp_limb_t p) { nmod_mat_init(m, radky, sloupce, p); }
    MaticeModP(const MaticeModP&) = delete;
    MaticeModP& operator=(const MaticeModP&) = delete;
    ~MaticeModP() { nmod_mat_clear(m); }
    nmod_mat_struct* get() { return m; }
};

class PolynomModP {
    nmod_poly_t p;

public:
    explicit PolynomModP(mp_limb_t modul) { nmod_poly_init(p, modul); }
    PolynomModP(const PolynomModP&) = delete;
    PolynomModP& operator=(const PolynomModP&) = delete;
    ~PolynomModP() { nmod_poly_clear(p); }
    nmod_poly_struct* get() { return p; }
};

class CelaPolynomialniMatice {
    fmpz_poly_mat_t m;

public:
    CelaPolynomialniMatice(long radky, long sloupce) { fmpz_poly_mat_init(m, radky, sloupce); }
    CelaPolynomialniMatice(const CelaPolynomialniMatice&) = delete;
    CelaPolynomialniMatice& operator=(const CelaPolynomialniMatice&) = delete;
    ~CelaPolynomialniMatice() { fmpz_poly_mat_clear(m); }
    fmpz_poly_mat_struct* get() { return m; }
};

// ---------------------------------------------------------------- the pencil modulo a prime

// The pencil zE + K over Z/p, E the identity on the state rows and columns (those with stav
// set, paired by index), the other rows and columns constant; K is N x N, row-major.
struct SvazekModP {
    nmod_t mod;
    long N;
    std::vector<mp_limb_t> K;
    std::vector<long> radky, sloupce;  // the rows and columns still in the matrix, in order
    std::vector<char> stav;
    mp_limb_t faktor = 1;              // det of the whole = faktor * det of what remains

    mp_limb_t& at(long r, long c) { return K[static_cast<std::size_t>(r * N + c)]; }
    mp_limb_t soucin(mp_limb_t a, mp_limb_t b) const { return nmod_mul(a, b, mod); }

    // Removes row r and column c, expanding the determinant along the single non-zero entry
    // of one of them.
    void rozvin(long r, long c) {
        const auto pr = std::find(radky.begin(), radky.end(), r);
        const auto pc = std::find(sloupce.begin(), sloupce.end(), c);
        const long znamenko = (pr - radky.begin()) + (pc - sloupce.begin());
        faktor = soucin(faktor, at(r, c));
        if (znamenko % 2 != 0) faktor = nmod_neg(faktor, mod);
        radky.erase(pr);
        sloupce.erase(pc);
    }

    // A constant pivot (r, c) of a constant row and column: the other rows lose their entry in
    // column c by subtracting multiples of row r, which carries no z.
    void krokKonstantni(long r, long c) {
        const mp_limb_t inverze = n_invmod(at(r, c), mod.n);
        std::vector<long> nenulove;
        for (long l : sloupce)
            if (at(r, l) != 0) nenulove.push_back(l);
        for (long k : radky) {
            if (k == r || at(k, c) == 0) continue;
            const mp_limb_t f = soucin(at(k, c), inverze);
            for (long l : nenulove) at(k, l) = nmod_sub(at(k, l), soucin(f, at(r, l)), mod);
        }
        rozvin(r, c);
    }

    // A constant row r without constant entries, pivot in the state column c: the columns
    // lose their entries of row r by subtracting multiples of column c (which puts -w_l z
    // into row c), row r is expanded away, and adding w_k times every other state row k to
    // row c takes that z out again. Row c is then constant: one state fewer.
    void krokStavovy(long r, long c) {
        const mp_limb_t inverze = n_invmod(at(r, c), mod.n);
        std::vector<mp_limb_t> w(static_cast<std::size_t>(N), 0);
        for (long l : sloupce)
            if (stav[static_cast<std::size_t>(l)] && l != c) w[static_cast<std::size_t>(l)] = soucin(at(r, l), inverze);
        for (long l : sloupce) {
            const mp_limb_t wl = w[static_cast<std::size_t>(l)];
            if (wl == 0) continue;
            for (long k : radky) at(k, l) = nmod_sub(at(k, l), soucin(wl, at(k, c)), mod);
        }
        rozvin(r, c);
        for (long k : radky) {
            const mp_limb_t wk = w[static_cast<std::size_t>(k)];
            if (k == c || wk == 0 || !stav[static_cast<std::size_t>(k)]) continue;
            for (long l : sloupce) at(c, l) = nmod_add(at(c, l), soucin(wk, at(k, l)), mod);
        }
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
    MaticeModP M(n, n, s.mod.n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) nmod_mat_entry(M.get(), i, j) = nmod_neg(s.at(s.radky[i], s.sloupce[j]), s.mod);
    nmod_mat_charpoly(det, M.get());
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
        for (long j = 0; j < s.N; ++j) s.at(i, j) = nmod_mat_entry(Kp, i, j);
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
    MaticeModP L(m, m, p), Lkopie(m, m, p);
    for (long i = 0; i < m; ++i)
        for (long j = 0; j < m; ++j) nmod_mat_entry(L.get(), i, j) = nmod_mat_entry(Kp, n + i, n + j);
    nmod_mat_set(Lkopie.get(), L.get());
    const mp_limb_t detL = m == 0 ? 1 : nmod_mat_det(Lkopie.get());
    if (detL == 0) {
        determinantSvazkuObecne(det, Kp, n);
        return;
    }
    MaticeModP H(m, n, p), G(n, m, p), X(m, n, p), GX(n, n, p), M(n, n, p);
    for (long i = 0; i < m; ++i)
        for (long j = 0; j < n; ++j) nmod_mat_entry(H.get(), i, j) = nmod_mat_entry(Kp, n + i, j);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < m; ++j) nmod_mat_entry(G.get(), i, j) = nmod_mat_entry(Kp, i, n + j);
    if (m > 0) {
        nmod_mat_solve(X.get(), L.get(), H.get());
        nmod_mat_mul(GX.get(), G.get(), X.get());
    }
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j)
            nmod_mat_entry(M.get(), i, j) = nmod_sub(nmod_mat_entry(GX.get(), i, j), nmod_mat_entry(Kp, i, j), Kp->mod);
    nmod_mat_charpoly(det, M.get());
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
    // primes of 62 bits determine it once their product exceeds mez.
    CelyPolynom vysledek;
    fmpz_one(modul.get());
    for (mp_limb_t p = n_nextprime(UWORD(1) << 62, 1); fmpz_cmp(modul.get(), mez.get()) <= 0; p = n_nextprime(p, 1)) {
        const mp_limb_t Sp = fmpz_fdiv_ui(S.get(), p);
        if (Sp == 0) continue;
        MaticeModP Kp(N, N, p);
        fmpz_mat_get_nmod_mat(Kp.get(), Kint.get());
        for (long r = 0; r < N; ++r) {
            const mp_limb_t inverze = n_invmod(fmpz_fdiv_ui(meritka[static_cast<std::size_t>(r)]->get(), p), p);
            for (long c = 0; c < N; ++c)
                nmod_mat_entry(Kp.get(), r, c) = nmod_mul(nmod_mat_entry(Kp.get(), r, c), inverze, Kp.get()->mod);
        }
        PolynomModP dp(p);
        determinantSvazku(dp.get(), Kp.get(), n);
        nmod_poly_scalar_mul_nmod(dp.get(), dp.get(), Sp);
        if (fmpz_is_one(modul.get()))
            fmpz_poly_set_nmod_poly(vysledek.get(), dp.get());
        else
            fmpz_poly_CRT_ui(vysledek.get(), vysledek.get(), modul.get(), dp.get(), 1);
        fmpz_mul_ui(modul.get(), modul.get(), p);
    }
    fmpq_poly_set_fmpz_poly(det, vysledek.get());
    fmpq_poly_scalar_div_fmpz(det, det, S.get());
}

namespace {

// ---------------------------------------------------------------- the static gain

const char* const NEKONECNO = "inf";

// The nearest double of q as the text of presnyText, or "inf" / "-inf" beyond the range.
std::string zaokrouhleno(const fmpq_t q) {
    bool vRozsahu = true;
    const std::string text = zaokrouhlenyText(q, vRozsahu);
    if (vRozsahu) return text;
    return fmpq_sgn(q) < 0 ? std::string("-") + NEKONECNO : NEKONECNO;
}

// The lowest power of (z - 1) in the integer polynomial p and its coefficient; false for p = 0.
bool rozvojVJedne(const fmpz_poly_t p, long& rad, fmpz_t koeficient) {
    if (fmpz_poly_is_zero(p)) return false;
    CelyPolynom posunuty;
    CeleCislo jedna;
    fmpz_one(jedna.get());
    fmpz_poly_taylor_shift(posunuty.get(), p, jedna.get());
    rad = 0;
    while (fmpz_is_zero(posunuty.get()->coeffs + rad)) ++rad;
    fmpz_set(koeficient, posunuty.get()->coeffs + rad);
    return true;
}

// c * citatel(z) / jmenovatel(z) at z = 1 after cancelling their common factors (jmenovatel
// is not zero): the powers of (z - 1) decide between 0, a finite value and a pole; at a pole
// the sign is that of the limit from z > 1.
std::string hodnotaVJedne(const fmpz_poly_t citatel, const fmpz_poly_t jmenovatel, const fmpq_t c) {
    long radC = 0, radJ = 0;
    CeleCislo koefC, koefJ;
    Racionalni q;
    if (fmpq_is_zero(c) || !rozvojVJedne(citatel, radC, koefC.get())) return presnyText(0.0);
    rozvojVJedne(jmenovatel, radJ, koefJ.get());
    if (radC > radJ) return presnyText(0.0);
    fmpq_set_fmpz_frac(q.get(), koefC.get(), koefJ.get());
    fmpq_mul(q.get(), q.get(), c);
    if (radC == radJ) return zaokrouhleno(q.get());
    return fmpq_sgn(q.get()) < 0 ? std::string("-") + NEKONECNO : NEKONECNO;
}

// The same for two rational polynomials.
std::string hodnotaVJedne(const fmpq_poly_t citatel, const fmpq_poly_t jmenovatel) {
    CelyPolynom c, j;
    Racionalni meritko;
    fmpq_poly_get_numerator(c.get(), citatel);
    fmpq_poly_get_numerator(j.get(), jmenovatel);
    fmpq_set_fmpz_frac(meritko.get(), fmpq_poly_denref(jmenovatel), fmpq_poly_denref(citatel));
    return hodnotaVJedne(c.get(), j.get(), meritko.get());
}

PresnaMatice blokTextu(const std::vector<std::string>& texty, long radky, long sloupce) {
    PresnaMatice blok;
    blok.novyTvar(static_cast<int>(radky), static_cast<int>(sloupce));
    for (const std::string& t : texty) blok.pridejPrvek({t});
    return blok;
}

std::string odpovedZesileni(const std::vector<std::string>& texty, long radky, long sloupce) {
    const PresnaMatice blok = blokTextu(texty, radky, sloupce);
    return zadani::zapis(zadani::VYSLEDEK, {&blok});
}

// The value of every element of a polynomial matrix at z = 1.
void hodnotyVJedne(RacionalniMatice& M, const PresnaMatice& P) {
    Racionalni c;
    for (long i = 0; i < P.get_rows(); ++i)
        for (long j = 0; j < P.get_columns(); ++j) {
            fmpq_zero(M.prvek(i, j));
            for (const std::string& text : P.prvek(static_cast<int>(i), static_cast<int>(j))) {
                nactiRacionalni(c.get(), text);
                fmpq_add(M.prvek(i, j), M.prvek(i, j), c.get());
            }
        }
}

// A and B as integer polynomial matrices, each row of both times one common factor (which
// leaves A^-1 B as it is).
void celociselnePolynomy(CelaPolynomialniMatice& Aint, CelaPolynomialniMatice& Bint, const PresnaMatice& A,
                         const PresnaMatice& B) {
    const long l = A.get_rows();
    CeleCislo spolecny;
    for (long i = 0; i < l; ++i) {
        std::vector<std::unique_ptr<RacionalniPolynom>> radek;
        fmpz_one(spolecny.get());
        for (const PresnaMatice* M : {&A, &B})
            for (long j = 0; j < l; ++j) {
                radek.push_back(std::make_unique<RacionalniPolynom>());
                nactiPolynom(*radek.back(), M->prvek(static_cast<int>(i), static_cast<int>(j)));
                fmpz_lcm(spolecny.get(), spolecny.get(), fmpq_poly_denref(radek.back()->get()));
            }
        for (long j = 0; j < 2 * l; ++j) {
            fmpq_poly_struct* p = radek[static_cast<std::size_t>(j)]->get();
            fmpq_poly_scalar_mul_fmpz(p, p, spolecny.get());
            fmpq_poly_get_numerator(fmpz_poly_mat_entry(j < l ? Aint.get() : Bint.get(), i, j % l), p);
        }
    }
}

// A(1)^-1 B(1); with A(1) singular, every element of A(z)^-1 B(z) (fraction-free solve) at z = 1.
std::string zesileniVnejsi(const PresnaMatice& A, const PresnaMatice& B) {
    const long l = A.get_rows();
    RacionalniMatice A1(l, l), B1(l, l), X(l, l);
    hodnotyVJedne(A1, A);
    hodnotyVJedne(B1, B);
    std::vector<std::string> texty;
    if (fmpq_mat_solve(X.get(), A1.get(), B1.get())) {
        for (long i = 0; i < l; ++i)
            for (long j = 0; j < l; ++j) texty.push_back(zaokrouhleno(X.prvek(i, j)));
        return odpovedZesileni(texty, l, l);
    }
    CelaPolynomialniMatice Aint(l, l), Bint(l, l), Xint(l, l);
    celociselnePolynomy(Aint, Bint, A, B);
    CelyPolynom den;
    fmpz_poly_mat_solve(Xint.get(), den.get(), Aint.get(), Bint.get());
    Racionalni jedna;
    fmpq_one(jedna.get());
    for (long i = 0; i < l; ++i)
        for (long j = 0; j < l; ++j) texty.push_back(hodnotaVJedne(fmpz_poly_mat_entry(Xint.get(), i, j), den.get(), jedna.get()));
    return odpovedZesileni(texty, l, l);
}

// The blocks F, G, H, L of a state-space task as rational matrices.
struct PresnyStavQ {
    long n, m;
    RacionalniMatice F, G, H, L;
    explicit PresnyStavQ(const std::vector<PresnaMatice>& b)
        : n(b[0].get_rows()), m(b[1].get_columns()), F(n, n), G(n, m), H(m, n), L(m, m) {
        nactiMatici(F, b[0], 0);
        nactiMatici(G, b[1], 0);
        nactiMatici(H, b[2], 0);
        nactiMatici(L, b[3], 0);
    }
};

// H_ij(z) = det [zI - F, -G_j; H_i, L_ij] / det(zI - F) at z = 1, for every output i and input j.
std::vector<std::string> zesileniPoDvojicich(PresnyStavQ& s) {
    RacionalniPolynom jmenovatel, citatel;
    fmpq_mat_charpoly(jmenovatel.get(), s.F.get());
    RacionalniMatice Gj(s.n, 1), Hi(1, s.n), Lij(1, 1);
    std::vector<std::string> texty;
    for (long i = 0; i < s.m; ++i)
        for (long j = 0; j < s.m; ++j) {
            for (long k = 0; k < s.n; ++k) {
                fmpq_set(Gj.prvek(k, 0), s.G.prvek(k, j));
                fmpq_set(Hi.prvek(0, k), s.H.prvek(i, k));
            }
            fmpq_set(Lij.prvek(0, 0), s.L.prvek(i, j));
            determinantSystemoveMatice(citatel.get(), s.F, Gj, Hi, Lij);
            texty.push_back(hodnotaVJedne(citatel.get(), jmenovatel.get()));
        }
    return texty;
}

// H (I - F)^-1 G + L; with I - F singular, the exact transfer function of every pair.
std::string zesileniStavu(PresnyStavQ& s) {
    RacionalniMatice IminusF(s.n, s.n), X(s.n, s.m), HX(s.m, s.m);
    fmpq_mat_one(IminusF.get());
    fmpq_mat_sub(IminusF.get(), IminusF.get(), s.F.get());
    if (!fmpq_mat_solve(X.get(), IminusF.get(), s.G.get())) return odpovedZesileni(zesileniPoDvojicich(s), s.m, s.m);
    fmpq_mat_mul(HX.get(), s.H.get(), X.get());
    fmpq_mat_add(HX.get(), HX.get(), s.L.get());
    std::vector<std::string> texty;
    for (long i = 0; i < s.m; ++i)
        for (long j = 0; j < s.m; ++j) texty.push_back(zaokrouhleno(HX.prvek(i, j)));
    return odpovedZesileni(texty, s.m, s.m);
}

// ---------------------------------------------------------------- the zeros

// The integer polynomial whose roots are the zeros.
CelyPolynom polynomNul(const std::vector<PresnaMatice>& b) {
    if (b.size() == 2) return determinantPresne(b[1]);
    PresnyStavQ s(b);
    RacionalniPolynom det;
    determinantSystemoveMatice(det.get(), s.F, s.G, s.H, s.L);
    CelyPolynom p;
    fmpq_poly_get_numerator(p.get(), det.get());
    if (!fmpz_poly_is_zero(p.get())) fmpz_poly_primitive_part(p.get(), p.get());
    return p;
}

std::string odpovedNul(const std::vector<PresnaMatice>& b) {
    const CelyPolynom p = polynomNul(b);
    if (p.stupen() < 0) return zadani::zapis(zadani::POLY, {});
    const PresnaMatice blok = polyNaBlok(presnePoly(p));
    return zadani::zapis(zadani::POLY, {&blok});
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
    if (!zadani::nacti(text, druh, bloky) || !tvarySedi(bloky) || (druh != zadani::NULY && druh != zadani::ZESILENI))
        return std::string(1, zadani::CHYBA) + "Chybne zadani nul a zesileni\n";
    if (druh == zadani::NULY) return odpovedNul(bloky);
    if (bloky.size() == 2) return zesileniVnejsi(bloky[0], bloky[1]);
    PresnyStavQ s(bloky);
    return zesileniStavu(s);
}
