#include "ModulZesileni.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <flint/nmod_mat.h>
#include <flint/ulong_extras.h>

#include "ModulCharakteristicky.h"

namespace {

// The text of a pole, or of a value beyond the range of double, of the sign znamenko.
std::string nekonecno(int znamenko) { return znamenko < 0 ? "-inf" : "inf"; }

// The nearest double of q as the text of presnyText, or "inf" / "-inf" beyond the range.
std::string zaokrouhleno(const fmpq_t q) {
    bool vRozsahu = true;
    const std::string text = zaokrouhlenyText(q, vRozsahu);
    return vRozsahu ? text : nekonecno(fmpq_sgn(q));
}

// ---------------------------------------------------------------- a matrix fraction

// The lowest power of (z - 1) in the integer polynomial p and its coefficient; false for p = 0.
bool nejnizsiMocninaVJedne(const fmpz_poly_t p, long& rad, fmpz_t koeficient) {
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
    if (fmpq_is_zero(c) || !nejnizsiMocninaVJedne(citatel, radC, koefC.get())) return presnyText(0.0);
    nejnizsiMocninaVJedne(jmenovatel, radJ, koefJ.get());
    if (radC > radJ) return presnyText(0.0);
    fmpq_set_fmpz_frac(q.get(), koefC.get(), koefJ.get());
    fmpq_mul(q.get(), q.get(), c);
    if (radC == radJ) return zaokrouhleno(q.get());
    return nekonecno(fmpq_sgn(q.get()));
}

PresnaMatice blokTextu(const std::vector<std::string>& texty, long radky, long sloupce) {
    PresnaMatice blok;
    blok.novyTvar(static_cast<int>(radky), static_cast<int>(sloupce));
    for (const std::string& t : texty) blok.pridejPrvek({t});
    return blok;
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
void celociselnePolynomy(PolynomialniMatice& Aint, PolynomialniMatice& Bint, const PresnaMatice& A,
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

}  // namespace

// A(1)^-1 B(1); with A(1) singular, every element of A(z)^-1 B(z) (fraction-free solve) at z = 1.
PresnaMatice zesileniVnejsi(const PresnaMatice& A, const PresnaMatice& B) {
    const long l = A.get_rows();
    RacionalniMatice A1(l, l), B1(l, l), X(l, l);
    hodnotyVJedne(A1, A);
    hodnotyVJedne(B1, B);
    std::vector<std::string> texty;
    if (fmpq_mat_solve_dixon(X.get(), A1.get(), B1.get())) {
        for (long i = 0; i < l; ++i)
            for (long j = 0; j < l; ++j) texty.push_back(zaokrouhleno(X.prvek(i, j)));
        return blokTextu(texty, l, l);
    }
    PolynomialniMatice Aint(l, l), Bint(l, l), Xint(l, l);
    celociselnePolynomy(Aint, Bint, A, B);
    CelyPolynom den;
    fmpz_poly_mat_solve(Xint.get(), den.get(), Aint.get(), Bint.get());
    Racionalni jedna;
    fmpq_one(jedna.get());
    for (long i = 0; i < l; ++i)
        for (long j = 0; j < l; ++j) texty.push_back(hodnotaVJedne(fmpz_poly_mat_entry(Xint.get(), i, j), den.get(), jedna.get()));
    return blokTextu(texty, l, l);
}


// ---------------------------------------------------------------- state space

namespace {

// The work of the numerator recursion below, counted in products of a limb (an entry of A
// that is not zero, times an input, times a limb of an entry of N_i): it grows with the fourth
// power of the states (a dense 200 x 200 with 16 channels: about 1e9, some 2 s), and beyond
// this budget the gain is refused instead of running past the tool's limits. The entries grow
// about linearly with the steps, so the work grows with their square: after an eighth of the
// steps some 1/40 of the whole is done (1/64 less the small entries of the first steps; 1/30 to
// 1/39 measured), and a system that has used more of the budget by then is refused at once.
// The count does not depend on the machine: the same system is refused or answered everywhere.
constexpr double MAX_PRACE_CITATELE = 1.0e9;

const char* const MIMO_MEZE = "Staticke zesileni se nepodarilo urcit v mezich nastroje (rozvoj v z = 1 je pro "
                              "tento system prilis narocny)\n";

// With F = M / E (E > 0 the common denominator) and A = M - E I = E (F - I), the resolvent
// around z = 1 is (zI - F)^-1 = E (sI - A)^-1 for s = E (z - 1): A is an integer matrix, and
// the scaling changes no pole order and no sign.
void posunutaCela(RacionalniMatice& F, CelaMatice& A, fmpz_t E) {
    celaMatice(F, A, E);
    for (long i = 0; i < A.radku(); ++i) fmpz_sub(A.prvek(i, i), A.prvek(i, i), E);
}

// The lowest term of every element of C(s) / (s^k c(s)) at s = 0, where c(s) = det(sI - A)
// = s^k q(s) with q(0) = ck != 0, and C(s) = H adj(sI - A) G. The lowest power r <= k with a
// non-zero coefficient decides: r < k is a pole of order k - r with the coefficient C_r / ck,
// otherwise the value is C_k / ck. `nejnizsi` holds C_r (C_k), `rady` the order (0: a value).
struct NejnizsiCleny {
    std::vector<long> rady;
    std::unique_ptr<CelaMatice> nejnizsi;
};

// Records C_i = H N_i for the power i <= k: an element that is not zero there has its lowest
// term at i or below, and the last record (the smallest i) stands.
void zaznamenej(const CelaMatice& H, const CelaMatice& N, long i, long k, NejnizsiCleny& cleny) {
    const long vystupy = H.radku(), vstupy = N.sloupcu();
    CelaMatice C(vystupy, vstupy);
    fmpz_mat_mul(C.get(), H.get(), N.get());
    for (long a = 0; a < vystupy; ++a)
        for (long b = 0; b < vstupy; ++b)
            if (!fmpz_is_zero(C.prvek(a, b)) || i == k) {
                cleny.rady[static_cast<std::size_t>(a * vstupy + b)] = k - i;
                fmpz_set(cleny.nejnizsi->prvek(a, b), C.prvek(a, b));
            }
}

// The number of entries of A that are not zero.
long nenulovych(const CelaMatice& A) {
    long pocet = 0;
    for (long i = 0; i < A.radku(); ++i)
        for (long j = 0; j < A.sloupcu(); ++j) pocet += !fmpz_is_zero(A.prvek(i, j));
    return pocet;
}

// adj(sI - A) = sum of N_i s^i with N_(n-1) = I and N_(i-1) = A N_i + c_i I (Faddeev and
// LeVerrier: it is (sI - A) adj(sI - A) = c(s) I read power by power), applied to G. Every
// N_i G is the coefficient of a polynomial of minors of [sI - A, G], so its entries stay as
// small as those minors (Hadamard's bound): no intermediate value is larger than the result.
NejnizsiCleny nejnizsiCleny(const CelaMatice& A, const CelyPolynom& c, long k, const CelaMatice& G,
                            const CelaMatice& H) {
    const long n = A.radku(), vstupy = G.sloupcu();
    NejnizsiCleny cleny{std::vector<long>(static_cast<std::size_t>(H.radku() * vstupy), 0),
                        std::make_unique<CelaMatice>(H.radku(), vstupy)};
    CelaMatice N(n, vstupy), dalsi(n, vstupy);
    fmpz_mat_set(N.get(), G.get());
    const double krok = static_cast<double>(nenulovych(A) * vstupy);
    double prace = 0;
    for (long i = n - 1;; --i) {
        if (i <= k) zaznamenej(H, N, i, k, cleny);
        if (i == 0) return cleny;
        prace += krok * static_cast<double>(std::labs(fmpz_mat_max_bits(N.get())) / FLINT_BITS + 1);
        if (prace > MAX_PRACE_CITATELE || (n - i == n / 8 && prace * 40 > MAX_PRACE_CITATELE))
            throw std::runtime_error(MIMO_MEZE);
        fmpz_mat_mul(dalsi.get(), A.get(), N.get());
        fmpz_mat_scalar_addmul_fmpz(dalsi.get(), G.get(), c.get()->coeffs + i);
        fmpz_mat_swap(N.get(), dalsi.get());
    }
}

// The rank of B modulo p: never above its rank over Q.
long hodnostModulo(const CelaMatice& B, mp_limb_t p) {
    ModularniMatice Bp(B.radku(), B.sloupcu(), p);
    fmpz_mat_get_nmod_mat(Bp.get(), B.get());
    return nmod_mat_rank(Bp.get());
}

// The decomposition Q^n = K + R that A leaves invariant, A nilpotent on K and invertible on R
// (Fitting): for every power j at least the index of the eigenvalue 0 (the size of its largest
// Jordan block), K = ker A^j and R = range A^j. V holds a basis of K in its columns, W a basis
// of the left null space of A^j (the vectors orthogonal to R) in its rows.
struct Rozklad {
    std::unique_ptr<CelaMatice> V, W;
    bool indexJedna = false;  // j = 1: K = ker A, R = range A
};

// V and W for the power B = A^j.
void jadra(const CelaMatice& B, Rozklad& r) {
    const long n = B.radku();
    CelaMatice prave(n, n), leve(n, n), BT(n, n);
    const long k = fmpz_mat_nullspace(prave.get(), B.get());
    fmpz_mat_transpose(BT.get(), B.get());
    fmpz_mat_nullspace(leve.get(), BT.get());  // of the same dimension: B^T has the rank of B
    r.V = std::make_unique<CelaMatice>(n, k);
    r.W = std::make_unique<CelaMatice>(k, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < k; ++j) {
            fmpz_set(r.V->prvek(i, j), prave.prvek(i, j));
            fmpz_set(r.W->prvek(j, i), leve.prvek(i, j));
        }
}

// W V is invertible exactly when ker A^j and range A^j meet only in 0, that is when j has
// reached the index (below it a Jordan chain of A^j's kernel starts in its range). A full rank
// modulo a prime proves it; otherwise the exact rank decides.
bool uplny(const Rozklad& r) {
    const long k = r.V->sloupcu();
    CelaMatice WV(k, k);
    fmpz_mat_mul(WV.get(), r.W->get(), r.V->get());
    return hodnostModulo(WV, n_nextprime(UWORD(1) << 62, 1)) == k || fmpz_mat_rank(WV.get()) == k;
}

// Squares A until its power has reached the index. Over Q the rank of A^j stops falling exactly
// there; modulo a prime it agrees except for the few primes that divide a minor, so the exact
// null spaces are computed only at the powers whose rank modulo the prime equals that of the
// next one, and the exact test decides. Both ranks are constant from j = n on: the loop ends by
// j = 2n at the latest.
Rozklad rozloz(const CelaMatice& A) {
    const long n = A.radku();
    const mp_limb_t p = n_nextprime(UWORD(1) << 62, 1);
    auto B = std::make_unique<CelaMatice>(n, n);
    fmpz_mat_set(B->get(), A.get());
    long hodnost = hodnostModulo(*B, p);
    Rozklad r;
    for (long mocnina = 1;; mocnina *= 2) {
        auto B2 = std::make_unique<CelaMatice>(n, n);
        fmpz_mat_sqr(B2->get(), B->get());
        const long hodnost2 = hodnostModulo(*B2, p);
        if (hodnost2 == hodnost) {
            jadra(*B, r);
            r.indexJedna = mocnina == 1;
            if (uplny(r)) return r;
        }
        B = std::move(B2);
        hodnost = hodnost2;
    }
}

// P G = V (W V)^-1 W G, the part of every input column in K along R.
void castVJadru(const Rozklad& r, RacionalniMatice& G, RacionalniMatice& PG) {
    const long n = r.V->radku(), k = r.V->sloupcu(), m = G.sloupcu();
    if (k == n) {
        fmpq_mat_set(PG.get(), G.get());
        return;
    }
    RacionalniMatice V(n, k), W(k, n), WV(k, k), WG(k, m), Q(k, m);
    fmpq_mat_set_fmpz_mat(V.get(), r.V->get());
    fmpq_mat_set_fmpz_mat(W.get(), r.W->get());
    fmpq_mat_mul(WV.get(), W.get(), V.get());
    fmpq_mat_mul(WG.get(), W.get(), G.get());
    fmpq_mat_solve_dixon(Q.get(), WV.get(), WG.get());
    fmpq_mat_mul(PG.get(), V.get(), Q.get());
}

// On K the resolvent is a finite sum, (sI - A)^-1 P = sum_l A^l P s^-(l+1), so the coefficient
// of t^-(l+1) in H (zI - F)^-1 G is H A^l P G / E^l; A^l P G vanishes once l reaches the index.
// Each element takes its last non-zero coefficient: the order of its pole and its leading term.
void polyVJedne(const CelaMatice& A, const fmpz_t E, RacionalniMatice& H, RacionalniMatice& PG,
                std::vector<ClenVJedne>& cleny) {
    const long n = A.radku(), vystupy = H.radku(), vstupy = PG.sloupcu();
    CelaMatice X(n, vstupy), dalsi(n, vstupy), Hc(vystupy, n), C(vystupy, vstupy), posledni(vystupy, vstupy);
    CeleCislo dG, dH, jmenovatel;
    fmpq_mat_get_fmpz_mat_matwise(X.get(), dG.get(), PG.get());
    fmpq_mat_get_fmpz_mat_matwise(Hc.get(), dH.get(), H.get());
    std::vector<long> rady(cleny.size(), 0);
    for (long l = 1; !fmpz_mat_is_zero(X.get()); ++l) {
        fmpz_mat_mul(C.get(), Hc.get(), X.get());
        for (long i = 0; i < vystupy; ++i)
            for (long j = 0; j < vstupy; ++j)
                if (!fmpz_is_zero(C.prvek(i, j))) {
                    rady[static_cast<std::size_t>(i * vstupy + j)] = l;
                    fmpz_set(posledni.prvek(i, j), C.prvek(i, j));
                }
        fmpz_mat_mul(dalsi.get(), A.get(), X.get());
        fmpz_mat_swap(X.get(), dalsi.get());
    }
    for (long i = 0; i < vystupy; ++i)
        for (long j = 0; j < vstupy; ++j) {
            ClenVJedne& c = cleny[static_cast<std::size_t>(i * vstupy + j)];
            c.rad = rady[static_cast<std::size_t>(i * vstupy + j)];
            if (c.rad == 0) continue;
            fmpz_pow_ui(jmenovatel.get(), E, static_cast<unsigned long>(c.rad - 1));
            fmpz_mul(jmenovatel.get(), jmenovatel.get(), dG.get());
            fmpz_mul(jmenovatel.get(), jmenovatel.get(), dH.get());
            fmpq_set_fmpz_frac(c.koeficient.get(), posledni.prvek(i, j), jmenovatel.get());
        }
}

// Rows of the identity, one per column of V, whose rows of V form a block regular modulo a
// prime (so over Q): the pivots of V^T there. Fewer than V's columns when the prime divides
// every such minor.
std::vector<long> radkyOkraje(const CelaMatice& V) {
    CelaMatice VT(V.sloupcu(), V.radku());
    fmpz_mat_transpose(VT.get(), V.get());
    ModularniMatice Vp(VT.radku(), VT.sloupcu(), n_nextprime(UWORD(1) << 62, 1));
    fmpz_mat_get_nmod_mat(Vp.get(), VT.get());
    const long hodnost = nmod_mat_rref(Vp.get());
    std::vector<long> radky;
    for (long i = 0, j = 0; i < hodnost; ++i) {
        while (nmod_mat_entry(Vp.get(), i, j) == 0) ++j;
        radky.push_back(j);
    }
    return radky;
}

// The constant term L - E H A^D G: on R the resolvent is -A^-1 + O(s), and Y = A^D G is the
// solution in R of A Y = (I - P) G. The bordered system [A V; Z 0] [Y1; T] = [B; 0] is regular
// whenever Z V is (A is invertible on R, and V spans K); its Y1 solves A Y1 = (I - P) G up to a
// part in K, so Y = (I - P) Y1. Z is k rows of the identity where they make Z V regular (small
// entries keep Dixon's lifting short), else W. B = (I - P) G; for the index 1 plainly G, as
// W A = 0 then gives T = (W V)^-1 W G, V T = P G. A^D = 0 when K is the whole space.
void hodnotyVJedne(const CelaMatice& A, const fmpz_t E, const Rozklad& r, RacionalniMatice& G, RacionalniMatice& PG,
                   RacionalniMatice& H, RacionalniMatice& L, RacionalniMatice& D) {
    const long n = A.radku(), k = r.V->sloupcu(), vstupy = G.sloupcu(), N = n + k;
    fmpq_mat_set(D.get(), L.get());
    if (k == n) return;
    const std::vector<long> Z = radkyOkraje(*r.V);
    const bool jednotkove = static_cast<long>(Z.size()) == k;
    CelaMatice ohranicenaZ(N, N);
    RacionalniMatice ohranicena(N, N), prava(N, vstupy), reseni(N, vstupy), Y1(n, vstupy), PY1(n, vstupy),
        HY(H.radku(), vstupy);
    for (long i = 0; i < n; ++i) {
        for (long j = 0; j < n; ++j) fmpz_set(ohranicenaZ.prvek(i, j), A.prvek(i, j));
        for (long j = 0; j < k; ++j) fmpz_set(ohranicenaZ.prvek(i, n + j), r.V->prvek(i, j));
        for (long j = 0; j < vstupy; ++j) {
            if (r.indexJedna)
                fmpq_set(prava.prvek(i, j), G.prvek(i, j));
            else
                fmpq_sub(prava.prvek(i, j), G.prvek(i, j), PG.prvek(i, j));
        }
    }
    for (long j = 0; j < k; ++j) {
        if (jednotkove)
            fmpz_one(ohranicenaZ.prvek(n + j, Z[static_cast<std::size_t>(j)]));
        else
            for (long i = 0; i < n; ++i) fmpz_set(ohranicenaZ.prvek(n + j, i), r.W->prvek(j, i));
    }
    fmpq_mat_set_fmpz_mat(ohranicena.get(), ohranicenaZ.get());
    fmpq_mat_solve_dixon(reseni.get(), ohranicena.get(), prava.get());
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < vstupy; ++j) fmpq_set(Y1.prvek(i, j), reseni.prvek(i, j));
    castVJadru(r, Y1, PY1);
    fmpq_mat_sub(Y1.get(), Y1.get(), PY1.get());
    fmpq_mat_mul(HY.get(), H.get(), Y1.get());
    fmpq_mat_scalar_mul_fmpz(HY.get(), HY.get(), E);
    fmpq_mat_sub(D.get(), D.get(), HY.get());
}

}  // namespace

std::vector<ClenVJedne> rozvojVJedneCitatelem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                     RacionalniMatice& L) {
    const long n = F.radku(), vystupy = H.radku(), vstupy = G.sloupcu();
    CelaMatice A(n, n), Gc(n, vstupy), Hc(vystupy, n);
    CeleCislo E, dG, dH, jmenovatel;
    posunutaCela(F, A, E.get());
    fmpq_mat_get_fmpz_mat_matwise(Gc.get(), dG.get(), G.get());
    fmpq_mat_get_fmpz_mat_matwise(Hc.get(), dH.get(), H.get());
    const CelyPolynom c = charakteristickyCelociselny(A);
    long k = 0;
    while (fmpz_is_zero(c.get()->coeffs + k)) ++k;
    const NejnizsiCleny nejnizsi = nejnizsiCleny(A, c, k, Gc, Hc);
    // A term c s^-l of E H (sI - A)^-1 G is c E^(1-l) t^-l in t = z - 1.
    std::vector<ClenVJedne> cleny(static_cast<std::size_t>(vystupy * vstupy));
    for (long a = 0; a < vystupy; ++a)
        for (long b = 0; b < vstupy; ++b) {
            ClenVJedne& clen = cleny[static_cast<std::size_t>(a * vstupy + b)];
            clen.rad = nejnizsi.rady[static_cast<std::size_t>(a * vstupy + b)];
            fmpz_mul(jmenovatel.get(), c.get()->coeffs + k, dG.get());
            fmpz_mul(jmenovatel.get(), jmenovatel.get(), dH.get());
            fmpq_set_fmpz_frac(clen.koeficient.get(), nejnizsi.nejnizsi->prvek(a, b), jmenovatel.get());
            if (clen.rad == 0) {
                fmpq_mul_fmpz(clen.koeficient.get(), clen.koeficient.get(), E.get());
                fmpq_add(clen.koeficient.get(), clen.koeficient.get(), L.prvek(a, b));
                continue;
            }
            fmpz_pow_ui(jmenovatel.get(), E.get(), static_cast<unsigned long>(clen.rad - 1));
            fmpq_div_fmpz(clen.koeficient.get(), clen.koeficient.get(), jmenovatel.get());
        }
    return cleny;
}

std::vector<ClenVJedne> rozvojVJedneRozkladem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                     RacionalniMatice& L) {
    const long n = F.radku(), vystupy = H.radku(), vstupy = G.sloupcu();
    CelaMatice A(n, n);
    CeleCislo E;
    posunutaCela(F, A, E.get());
    const Rozklad r = rozloz(A);
    RacionalniMatice PG(n, vstupy), D(vystupy, vstupy);
    castVJadru(r, G, PG);
    std::vector<ClenVJedne> cleny(static_cast<std::size_t>(vystupy * vstupy));
    polyVJedne(A, E.get(), H, PG, cleny);
    bool bezPolu = false;
    for (const ClenVJedne& c : cleny) bezPolu = bezPolu || c.rad == 0;
    if (!bezPolu) return cleny;
    hodnotyVJedne(A, E.get(), r, G, PG, H, L, D);
    for (long i = 0; i < vystupy; ++i)
        for (long j = 0; j < vstupy; ++j) {
            ClenVJedne& c = cleny[static_cast<std::size_t>(i * vstupy + j)];
            if (c.rad == 0) fmpq_set(c.koeficient.get(), D.prvek(i, j));
        }
    return cleny;
}

namespace {

// The index of the eigenvalue 0 of A modulo a prime, counted up to `strop`: the first power
// whose rank equals that of the next one (modulo p the ranks are never above those over Q, and
// agree except for the few primes that divide a minor; only the choice of the method below
// rests on it, never a result).
long indexModulo(const CelaMatice& A, long strop) {
    const long n = A.radku();
    const mp_limb_t p = n_nextprime(UWORD(1) << 62, 1);
    ModularniMatice Ap(n, n, p), mocnina(n, n, p), dalsi(n, n, p);
    fmpz_mat_get_nmod_mat(Ap.get(), A.get());
    nmod_mat_set(mocnina.get(), Ap.get());
    long hodnost = nmod_mat_rank(Ap.get());
    for (long j = 1; j < strop; ++j) {
        nmod_mat_mul(dalsi.get(), mocnina.get(), Ap.get());
        nmod_mat_swap(mocnina.get(), dalsi.get());
        const long dalsiHodnost = nmod_mat_rank(mocnina.get());
        if (dalsiHodnost == hodnost) return j;
        hodnost = dalsiHodnost;
    }
    return strop;
}

}  // namespace

// Short Jordan chains at 1 (the common case of a simple integrator) keep the null spaces of F - I
// or of its square small, and the decomposition is the faster way; longer chains make those null
// spaces carry high powers of the inverse on the complement, and the numerator is the faster way.
std::vector<ClenVJedne> rozvojVJedne(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                     RacionalniMatice& L) {
    CelaMatice A(F.radku(), F.radku());
    CeleCislo E;
    posunutaCela(F, A, E.get());
    return indexModulo(A, 3) <= 2 ? rozvojVJedneRozkladem(F, G, H, L) : rozvojVJedneCitatelem(F, G, H, L);
}

namespace {

// The gain of a system with an eigenvalue 1: every element from its expansion around z = 1.
PresnaMatice zesileniRozvojem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L) {
    std::vector<std::string> texty;
    for (const ClenVJedne& c : rozvojVJedne(F, G, H, L))
        texty.push_back(c.rad == 0 ? zaokrouhleno(c.koeficient.get()) : nekonecno(fmpq_sgn(c.koeficient.get())));
    return blokTextu(texty, H.radku(), G.sloupcu());
}

}  // namespace

// I - F invertible: H (I - F)^-1 G + L directly; otherwise the expansion around z = 1.
PresnaMatice zesileniStavu(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L) {
    const long n = F.radku(), vystupy = H.radku(), vstupy = G.sloupcu();
    RacionalniMatice IminusF(n, n), X(n, vstupy), HX(vystupy, vstupy);
    fmpq_mat_one(IminusF.get());
    fmpq_mat_sub(IminusF.get(), IminusF.get(), F.get());
    if (!fmpq_mat_solve_dixon(X.get(), IminusF.get(), G.get())) return zesileniRozvojem(F, G, H, L);
    fmpq_mat_mul(HX.get(), H.get(), X.get());
    fmpq_mat_add(HX.get(), HX.get(), L.get());
    std::vector<std::string> texty;
    for (long i = 0; i < vystupy; ++i)
        for (long j = 0; j < vstupy; ++j) texty.push_back(zaokrouhleno(HX.prvek(i, j)));
    return blokTextu(texty, vystupy, vstupy);
}

// D(1) = det(I - F) != 0: H (I - F)^-1 G + L = B(1) / D(1) exactly, no solve.
PresnaMatice zesileniJednohoKanalu(const fmpq_poly_t D, const fmpq_poly_t B, RacionalniMatice& F, RacionalniMatice& G,
                                   RacionalniMatice& H, RacionalniMatice& L) {
    Racionalni jedna, d, b;
    fmpq_one(jedna.get());
    fmpq_poly_evaluate_fmpq(d.get(), D, jedna.get());
    if (fmpq_is_zero(d.get())) return zesileniRozvojem(F, G, H, L);
    fmpq_poly_evaluate_fmpq(b.get(), B, jedna.get());
    fmpq_div(b.get(), b.get(), d.get());
    return blokTextu({zaokrouhleno(b.get())}, 1, 1);
}
