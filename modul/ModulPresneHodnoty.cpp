#include "ModulPresneHodnoty.h"

#include <algorithm>

#include "ModulObaly.h"
#include "ModulKruznice.h"
#include "ModulPocetKorenu.h"

namespace {

// The exact lower and upper bounds of a ball.
void meze(arb_srcptr x, fmpq_t dolni, fmpq_t horni) {
    BinarniCislo a, b;
    arb_get_lbound_arf(a.get(), x, ARF_PREC_EXACT);
    arb_get_ubound_arf(b.get(), x, ARF_PREC_EXACT);
    arf_get_fmpq(dolni, a.get());
    arf_get_fmpq(horni, b.get());
}

// The even and odd parts of q: q(v) = E(v^2) + v O(v^2).
void sudaLicha(const CelyPolynom& q, CelyPolynom& E, CelyPolynom& O) {
    for (long k = 0; k <= q.stupen(); ++k)
        fmpz_poly_set_coeff_fmpz(k % 2 ? O.get() : E.get(), k / 2, q.get()->coeffs + k);
}

// gcd(a, b) made primitive, without its roots at 0 (which no non-real root gives).
CelyPolynom spolecnyBezNul(const CelyPolynom& a, const CelyPolynom& b) {
    CelyPolynom d;
    fmpz_poly_gcd(d.get(), a.get(), b.get());
    long nuly = 0;
    while (nuly < d.stupen() && fmpz_is_zero(d.get()->coeffs + nuly)) ++nuly;
    fmpz_poly_shift_right(d.get(), d.get(), nuly);
    return d;
}

}  // namespace

bool realnaCastJe(const CelyPolynom& f, acb_srcptr N, const fmpq_t c) {
    // q(v) has the roots v = d (z - c), d the denominator of c.
    const CelyPolynom q = posunutyPolynom(f, c);
    CelyPolynom E, O;
    sudaLicha(q, E, O);
    const CelyPolynom D = spolecnyBezNul(E, O);
    if (D.stupen() <= 0) return false;
    // u = -(d Im z)^2 for Im z in the imaginary interval of N.
    RealnyInterval y;
    arb_mul_fmpz(y.get(), acb_imagref(N), fmpq_denref(c), ARF_PREC_EXACT);
    arb_sqr(y.get(), y.get(), ARF_PREC_EXACT);
    arb_neg(y.get(), y.get());
    Racionalni dolni, horni;
    meze(y.get(), dolni.get(), horni.get());
    return korenuVIntervalu(D, dolni.get(), horni.get()) > 0;
}

namespace {

// R + i I = f((y + i a) / d) d^deg for c = a / d: Horner's scheme on pairs of polynomials.
void posunutyImaginarne(const CelyPolynom& f, const fmpq_t c, CelyPolynom& R, CelyPolynom& I) {
    const long n = f.stupen();
    const CelyPolynom y = CelyPolynom::zCelych({0, 1});
    fmpz_poly_set_fmpz(R.get(), f.get()->coeffs + n);
    fmpz_poly_zero(I.get());
    CeleCislo mocnina(1), clen;
    CelyPolynom Ry, Iy, Ra, Ia;
    for (long k = n - 1; k >= 0; --k) {
        // (R + i I)(y + i a) = (R y - a I) + i (I y + a R)
        fmpz_poly_mul(Ry.get(), R.get(), y.get());
        fmpz_poly_mul(Iy.get(), I.get(), y.get());
        fmpz_poly_scalar_mul_fmpz(Ia.get(), I.get(), fmpq_numref(c));
        fmpz_poly_scalar_mul_fmpz(Ra.get(), R.get(), fmpq_numref(c));
        fmpz_poly_sub(R.get(), Ry.get(), Ia.get());
        fmpz_poly_add(I.get(), Iy.get(), Ra.get());
        fmpz_mul(mocnina.get(), mocnina.get(), fmpq_denref(c));
        fmpz_mul(clen.get(), f.get()->coeffs + k, mocnina.get());
        CelyPolynom konstanta;
        fmpz_poly_set_fmpz(konstanta.get(), clen.get());
        fmpz_poly_add(R.get(), R.get(), konstanta.get());
    }
}

}  // namespace

bool imaginarniCastJe(const CelyPolynom& f, acb_srcptr N, const fmpq_t c) {
    CelyPolynom R, I, D;
    posunutyImaginarne(f, c, R, I);
    fmpz_poly_gcd(D.get(), R.get(), I.get());
    if (D.stupen() <= 0) return false;
    // y = d Re z for Re z in the real interval of N.
    RealnyInterval x;
    arb_mul_fmpz(x.get(), acb_realref(N), fmpq_denref(c), ARF_PREC_EXACT);
    Racionalni dolni, horni;
    meze(x.get(), dolni.get(), horni.get());
    return korenuVIntervalu(D, dolni.get(), horni.get()) > 0;
}

namespace {

// Q(w) = f(c w) d^deg for c = a / d: roots z / c.
CelyPolynom skalovany(const CelyPolynom& f, const fmpq_t c) {
    const long n = f.stupen();
    CelyPolynom Q;
    CeleCislo a(1), d(1), clen;
    for (long k = 0; k <= n; ++k) {
        fmpz_pow_ui(d.get(), fmpq_denref(c), static_cast<unsigned long>(n - k));
        fmpz_mul(clen.get(), f.get()->coeffs + k, a.get());
        fmpz_mul(clen.get(), clen.get(), d.get());
        fmpz_poly_set_coeff_fmpz(Q.get(), k, clen.get());
        fmpz_mul(a.get(), a.get(), fmpq_numref(c));
    }
    return Q;
}

// The real interval T, its exact bounds cut to [-2, 2].
void mezeStopy(arb_srcptr T, fmpq_t dolni, fmpq_t horni) {
    meze(T, dolni, horni);
    Racionalni dva;
    fmpq_set_si(dva.get(), 2, 1);
    if (fmpq_cmp(horni, dva.get()) > 0) fmpq_set(horni, dva.get());
    fmpq_neg(dva.get(), dva.get());
    if (fmpq_cmp(dolni, dva.get()) < 0) fmpq_set(dolni, dva.get());
}

// The bits that tell the box apart from its neighbourhood: its relative accuracy, for an exact
// box the bits of its midpoint.
long presnostBoxu(acb_srcptr x) {
    const long presnost = acb_rel_accuracy_bits(x);
    return (presnost >= ARF_PREC_EXACT ? acb_bits(x) : presnost) + 16;
}

}  // namespace

std::optional<bool> velikostJe(const CelyPolynom& f, acb_srcptr N, acb_srcptr X, const fmpq_t c) {
    if (fmpq_sgn(c) <= 0) return false;
    const RozdeleniKruznici casti = rozdelPodleKruznice(skalovany(f, c));
    const CelyPolynom G = stopovyPolynom(casti.g);
    if (G.stupen() <= 0) return false;
    // t = 2 Re z / c
    // enough bits to resolve both N and the box X
    const long prec = std::max(presnostBoxu(N), presnostBoxu(X)) +
                      static_cast<long>(fmpz_bits(fmpq_numref(c)) + fmpz_bits(fmpq_denref(c))) + 64;
    RealnyInterval T, J;
    arb_mul_fmpz(T.get(), acb_realref(N), fmpq_denref(c), prec);
    arb_mul_2exp_si(T.get(), T.get(), 1);
    arb_div_fmpz(T.get(), T.get(), fmpq_numref(c), prec);
    Racionalni dolni, horni;
    mezeStopy(T.get(), dolni.get(), horni.get());
    const long pocet = korenuVIntervalu(G, dolni.get(), horni.get());
    if (pocet == 0) return false;
    if (pocet > 1) return std::nullopt;
    // That root gives c (t + i sqrt(4 - t^2)) / 2 with Im = c sqrt(1 - (t/2)^2): it is z when it
    // lies in X, another root when it does not.
    arb_mul_2exp_si(J.get(), T.get(), -1);
    arb_sqr(J.get(), J.get(), prec);
    arb_sub_ui(J.get(), J.get(), 1, prec);
    arb_neg(J.get(), J.get());
    arb_sqrtpos(J.get(), J.get(), prec);
    arb_mul_fmpz(J.get(), J.get(), fmpq_numref(c), prec);
    arb_div_fmpz(J.get(), J.get(), fmpq_denref(c), prec);
    if (arb_contains(acb_imagref(X), J.get())) return true;
    if (!arb_overlaps(acb_imagref(X), J.get())) return false;
    return std::nullopt;
}

namespace {

// Whether s sqrt(r) lies in [dolni, horni] (r >= 0, s = +-1), compared through squares.
bool odmocninaVIntervalu(const fmpq_t r, int s, const fmpq_t dolni, const fmpq_t horni) {
    Racionalni blizsi, vzdalenejsi;
    const fmpq* u = s > 0 ? dolni : horni;  // the bound nearer 0 on the side of s
    const fmpq* v = s > 0 ? horni : dolni;
    if (fmpq_sgn(v) * s < 0) return false;
    fmpq_mul(vzdalenejsi.get(), v, v);
    if (fmpq_cmp(r, vzdalenejsi.get()) > 0) return false;
    if (fmpq_sgn(u) * s <= 0) return true;
    fmpq_mul(blizsi.get(), u, u);
    return fmpq_cmp(blizsi.get(), r) <= 0;
}

// G(s sqrt(r)) == 0 for rational r > 0: exactly at a rational point when r is a square, else
// G = Ge(x^2) + x Go(x^2) vanishes at the irrational s sqrt(r) only when Ge(r) = Go(r) = 0.
bool korenOdmocniny(const CelyPolynom& G, const fmpq_t r, int s) {
    if (fmpz_is_square(fmpq_numref(r)) && fmpz_is_square(fmpq_denref(r))) {
        Racionalni odmocnina;
        fmpz_sqrt(fmpq_numref(odmocnina.get()), fmpq_numref(r));
        fmpz_sqrt(fmpq_denref(odmocnina.get()), fmpq_denref(r));
        if (s < 0) fmpq_neg(odmocnina.get(), odmocnina.get());
        return jeKorenem(G, odmocnina.get());
    }
    CelyPolynom E, O;
    sudaLicha(G, E, O);
    return jeKorenem(E, r) && jeKorenem(O, r);
}

}  // namespace

bool imaginarniCastNaKruzniciJe(const CelyPolynom& G, arb_srcptr T, const fmpq_t c) {
    // t^2 = 4 - 4 c^2
    Racionalni r, dolni, horni;
    fmpq_mul(r.get(), c, c);
    fmpq_mul_si(r.get(), r.get(), -4);
    fmpq_add_si(r.get(), r.get(), 4);
    if (fmpq_sgn(r.get()) < 0 || fmpq_sgn(c) <= 0) return false;
    meze(T, dolni.get(), horni.get());
    if (fmpq_is_zero(r.get())) return arb_contains_zero(T) && jeKorenem(G, r.get());
    for (const int s : {1, -1})
        if (odmocninaVIntervalu(r.get(), s, dolni.get(), horni.get()) && korenOdmocniny(G, r.get(), s)) return true;
    return false;
}
