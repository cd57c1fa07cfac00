#include "ModulZesileni.h"

#include <memory>
#include <stdexcept>
#include <string>

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

// The largest size in bits of an entry of the numerator polynomials below: beyond it the exact
// expansion would outgrow the tool's limits of time and memory (a dense 256 x 256 system with
// 16 channels reaches this size after about 2.5 s), and the gain is refused instead.
constexpr long MAX_BITU_CITATELE = 4000;

const char* const MIMO_MEZE = "Staticke zesileni se nepodarilo urcit v mezich nastroje (cisla rozvoje v z = 1 by "
                              "mela pres 4000 bitu)\n";

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
    for (long i = n - 1;; --i) {
        if (i <= k) zaznamenej(H, N, i, k, cleny);
        if (i == 0) return cleny;
        fmpz_mat_mul(dalsi.get(), A.get(), N.get());
        fmpz_mat_scalar_addmul_fmpz(dalsi.get(), G.get(), c.get()->coeffs + i);
        if (fmpz_mat_max_bits(dalsi.get()) > MAX_BITU_CITATELE || fmpz_mat_max_bits(dalsi.get()) < -MAX_BITU_CITATELE)
            throw std::runtime_error(MIMO_MEZE);
        fmpz_mat_swap(N.get(), dalsi.get());
    }
}

}  // namespace

std::vector<ClenVJedne> rozvojVJedne(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
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

// I - F invertible: H (I - F)^-1 G + L directly; otherwise the expansion around z = 1.
PresnaMatice zesileniStavu(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L) {
    const long n = F.radku(), vystupy = H.radku(), vstupy = G.sloupcu();
    RacionalniMatice IminusF(n, n), X(n, vstupy), HX(vystupy, vstupy);
    fmpq_mat_one(IminusF.get());
    fmpq_mat_sub(IminusF.get(), IminusF.get(), F.get());
    std::vector<std::string> texty;
    if (fmpq_mat_solve_dixon(X.get(), IminusF.get(), G.get())) {
        fmpq_mat_mul(HX.get(), H.get(), X.get());
        fmpq_mat_add(HX.get(), HX.get(), L.get());
        for (long i = 0; i < vystupy; ++i)
            for (long j = 0; j < vstupy; ++j) texty.push_back(zaokrouhleno(HX.prvek(i, j)));
    } else {
        for (const ClenVJedne& c : rozvojVJedne(F, G, H, L))
            texty.push_back(c.rad == 0 ? zaokrouhleno(c.koeficient.get()) : nekonecno(fmpq_sgn(c.koeficient.get())));
    }
    return blokTextu(texty, vystupy, vstupy);
}
