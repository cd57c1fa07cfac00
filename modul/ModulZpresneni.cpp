#include "ModulZpresneni.h"

#include <arb_fmpz_poly.h>

#include "ModulObaly.h"

PolynomSDerivaci::PolynomSDerivaci(const CelyPolynom& p) : f(p) { fmpz_poly_derivative(derivace.get(), f.get()); }

namespace {

// Plain Newton steps on the midpoint, kept only while they stay inside X; they stop once the
// value cannot be told from 0 at this precision or the step falls below its last bits.
void newtonReal(const PolynomSDerivaci& f, const arb_t X, arb_t m, long prec) {
    RealnyInterval hodnota, sklon, krok, dalsi;
    for (int i = 0; i < 4; ++i) {
        arb_fmpz_poly_evaluate_arb(hodnota.get(), f.f.get(), m, prec);
        if (arb_contains_zero(hodnota.get())) return;
        arb_fmpz_poly_evaluate_arb(sklon.get(), f.derivace.get(), m, prec);
        arb_div(krok.get(), hodnota.get(), sklon.get(), prec);
        arb_sub(dalsi.get(), m, krok.get(), prec);
        arb_get_mid_arb(dalsi.get(), dalsi.get());
        if (!arb_is_finite(dalsi.get()) || !arb_contains(X, dalsi.get())) return;
        arb_set(m, dalsi.get());
        if (arf_cmpabs_2exp_si(arb_midref(krok.get()), arf_abs_bound_lt_2exp_si(arb_midref(m)) - prec + 8) < 0) return;
    }
}

void newtonKomplexni(const PolynomSDerivaci& f, const acb_t X, acb_t m, long prec) {
    KomplexniInterval hodnota, sklon, krok, dalsi;
    HorniMez velikostKroku, velikost;
    for (int i = 0; i < 4; ++i) {
        arb_fmpz_poly_evaluate_acb(hodnota.get(), f.f.get(), m, prec);
        if (acb_contains_zero(hodnota.get())) return;
        arb_fmpz_poly_evaluate_acb(sklon.get(), f.derivace.get(), m, prec);
        acb_div(krok.get(), hodnota.get(), sklon.get(), prec);
        acb_sub(dalsi.get(), m, krok.get(), prec);
        acb_get_mid(dalsi.get(), dalsi.get());
        if (!acb_is_finite(dalsi.get()) || !acb_contains(X, dalsi.get())) return;
        acb_set(m, dalsi.get());
        acb_get_mag(velikostKroku.get(), krok.get());
        acb_get_mag(velikost.get(), m);
        mag_mul_2exp_si(velikost.get(), velikost.get(), 8 - prec);
        if (mag_cmp(velikostKroku.get(), velikost.get()) < 0) return;
    }
}

// The first radius tried around m: twice the last Newton correction, at least 2^-prec |m|.
void pocatecniPolomer(mag_t r, const mag_t oprava, const mag_t velikost, long prec) {
    mag_mul_2exp_si(r, oprava, 1);
    HorniMez minimum;
    mag_mul_2exp_si(minimum.get(), velikost, -prec);
    mag_max(r, r, minimum.get());
}

}  // namespace

namespace {

// The sign of f at the exact point x at precision prec; 0 when the ball cannot tell.
int znamenko(const CelyPolynom& f, const arf_t x, long prec) {
    RealnyInterval bod, hodnota;
    arb_set_arf(bod.get(), x);
    arb_fmpz_poly_evaluate_arb(hodnota.get(), f.get(), bod.get(), prec);
    return arb_is_positive(hodnota.get()) ? 1 : arb_is_negative(hodnota.get()) ? -1 : 0;
}

// Halving steps on X, where Newton's operator does not yet contract (a wide interval at a
// steep end): the half where f changes sign keeps the root. False when a sign is not known.
bool pulRealny(const PolynomSDerivaci& f, arb_t X, long prec) {
    BinarniCislo a, b, stred;
    arb_get_lbound_arf(a.get(), X, ARF_PREC_EXACT);
    arb_get_ubound_arf(b.get(), X, ARF_PREC_EXACT);
    const int dolni = znamenko(f.f, a.get(), prec);
    if (dolni == 0 || znamenko(f.f, b.get(), prec) != -dolni) return false;
    for (int krok = 0; krok < 16; ++krok) {
        arf_add(stred.get(), a.get(), b.get(), ARF_PREC_EXACT, ARF_RND_DOWN);
        arf_mul_2exp_si(stred.get(), stred.get(), -1);
        const int s = znamenko(f.f, stred.get(), prec);
        if (s == 0) break;
        arf_set(s == dolni ? a.get() : b.get(), stred.get());
    }
    arb_set_interval_arf(X, a.get(), b.get(), ARF_PREC_EXACT);
    return true;
}

}  // namespace

bool zpresniRealny(const PolynomSDerivaci& f, arb_t X, long prec) {
    RealnyInterval m, hodnota, sklon, Y, N, podil;
    arb_get_mid_arb(m.get(), X);
    newtonReal(f, X, m.get(), prec);
    arb_fmpz_poly_evaluate_arb(hodnota.get(), f.f.get(), m.get(), prec);
    arb_fmpz_poly_evaluate_arb(sklon.get(), f.derivace.get(), m.get(), prec);
    arb_div(podil.get(), hodnota.get(), sklon.get(), prec);
    HorniMez r, oprava, velikost;
    arb_get_mag(oprava.get(), podil.get());
    arb_get_mag(velikost.get(), m.get());
    pocatecniPolomer(r.get(), oprava.get(), velikost.get(), prec);
    bool hotovo = false;
    for (int pokus = 0; pokus < 4 && !hotovo && mag_is_finite(r.get()); ++pokus, mag_mul_2exp_si(r.get(), r.get(), 3)) {
        arb_set(Y.get(), m.get());
        mag_set(arb_radref(Y.get()), r.get());
        arb_fmpz_poly_evaluate_arb(sklon.get(), f.derivace.get(), Y.get(), prec);
        arb_div(podil.get(), hodnota.get(), sklon.get(), prec);
        arb_sub(N.get(), m.get(), podil.get(), prec);
        hotovo = arb_is_finite(N.get()) && arb_contains(Y.get(), N.get()) && arb_contains(X, N.get());
    }
    if (hotovo) arb_set(X, N.get());
    // Halving helps where Newton's operator does not contract yet, not where the precision
    // cannot tell the value from 0.
    return hotovo || (!arb_contains_zero(hodnota.get()) && pulRealny(f, X, prec));
}

bool zpresniKomplexni(const PolynomSDerivaci& f, acb_t X, long prec) {
    KomplexniInterval m, hodnota, sklon, Y, N, podil;
    acb_get_mid(m.get(), X);
    newtonKomplexni(f, X, m.get(), prec);
    arb_fmpz_poly_evaluate_acb(hodnota.get(), f.f.get(), m.get(), prec);
    arb_fmpz_poly_evaluate_acb(sklon.get(), f.derivace.get(), m.get(), prec);
    acb_div(podil.get(), hodnota.get(), sklon.get(), prec);
    HorniMez r, oprava, velikost;
    acb_get_mag(oprava.get(), podil.get());
    acb_get_mag(velikost.get(), m.get());
    pocatecniPolomer(r.get(), oprava.get(), velikost.get(), prec);
    bool hotovo = false;
    for (int pokus = 0; pokus < 4 && !hotovo && mag_is_finite(r.get()); ++pokus, mag_mul_2exp_si(r.get(), r.get(), 3)) {
        acb_set(Y.get(), m.get());
        mag_set(arb_radref(acb_realref(Y.get())), r.get());
        mag_set(arb_radref(acb_imagref(Y.get())), r.get());
        arb_fmpz_poly_evaluate_acb(sklon.get(), f.derivace.get(), Y.get(), prec);
        acb_div(podil.get(), hodnota.get(), sklon.get(), prec);
        acb_sub(N.get(), m.get(), podil.get(), prec);
        hotovo = acb_is_finite(N.get()) && acb_contains(Y.get(), N.get()) && acb_contains(X, N.get());
    }
    if (hotovo) acb_set(X, N.get());
    return hotovo;
}
