#include "ModulZaokrouhleni.h"

#include <cmath>

#include "ModulObaly.h"

namespace {

// Values from 2^1024 - 2^970 up round to infinity (the midpoint above the largest double).
void hranicePreteceni(arf_t h) {
    arf_set_si_2exp_si(h, 1, 1024);
    BinarniCislo pul;
    arf_set_si_2exp_si(pul.get(), 1, 970);
    arf_sub(h, h, pul.get(), ARF_PREC_EXACT, ARF_RND_DOWN);
}

// Below 2^-1021 doubles are the multiples of 2^-1074: rounding is to the nearest integer of
// x 2^1074, decided when the ball lies strictly between two half-integers.
Zaokrouhleni zaokrouhliPodtecene(const arb_t x, double& hodnota) {
    RealnyInterval y;
    arb_mul_2exp_si(y.get(), x, 1074);
    CeleCislo n;
    arf_get_fmpz(n.get(), arb_midref(y.get()), ARF_RND_NEAR);
    // [n - 1/2, n + 1/2] must hold the ball strictly inside.
    RealnyInterval mez;
    arb_set_fmpz(mez.get(), n.get());
    BinarniCislo dolni, horni;
    arb_get_lbound_arf(dolni.get(), y.get(), 64);
    arb_get_ubound_arf(horni.get(), y.get(), 64);
    BinarniCislo a, b;
    arf_set_fmpz(a.get(), n.get());
    arf_set_fmpz(b.get(), n.get());
    BinarniCislo pul;
    arf_set_si_2exp_si(pul.get(), 1, -1);
    arf_sub(a.get(), a.get(), pul.get(), ARF_PREC_EXACT, ARF_RND_DOWN);
    arf_add(b.get(), b.get(), pul.get(), ARF_PREC_EXACT, ARF_RND_DOWN);
    if (!(arf_cmp(dolni.get(), a.get()) > 0 && arf_cmp(horni.get(), b.get()) < 0)) return Zaokrouhleni::Nerozhodnuto;
    hodnota = std::ldexp(fmpz_get_d(n.get()), -1074);
    return Zaokrouhleni::Hotovo;
}

}  // namespace

Zaokrouhleni zaokrouhli(const arb_t x, double& hodnota) {
    if (!arb_is_finite(x)) return Zaokrouhleni::Nerozhodnuto;
    RealnyInterval velikost;
    arb_abs(velikost.get(), x);
    BinarniCislo horni, dolni, mez;
    arb_get_ubound_arf(horni.get(), velikost.get(), 64);
    arb_get_lbound_arf(dolni.get(), velikost.get(), 64);
    // Everything within 2^-1075 of 0 rounds to 0 (a tie at 2^-1075 goes to the even 0).
    arf_set_si_2exp_si(mez.get(), 1, -1075);
    if (arf_cmp(horni.get(), mez.get()) <= 0) {
        hodnota = 0.0;
        return Zaokrouhleni::Hotovo;
    }
    hranicePreteceni(mez.get());
    if (arf_cmp(dolni.get(), mez.get()) >= 0) return Zaokrouhleni::MimoRozsah;
    if (arf_cmp(horni.get(), mez.get()) >= 0 || arb_contains_zero(x)) return Zaokrouhleni::Nerozhodnuto;
    arf_set_si_2exp_si(mez.get(), 1, -1021);
    if (arf_cmp(horni.get(), mez.get()) < 0) return zaokrouhliPodtecene(x, hodnota);
    if (arf_cmp(dolni.get(), mez.get()) < 0) return Zaokrouhleni::Nerozhodnuto;
    if (!arb_can_round_arf(x, 53, ARF_RND_NEAR)) return Zaokrouhleni::Nerozhodnuto;
    hodnota = arf_get_d(arb_midref(x), ARF_RND_NEAR);
    return std::isfinite(hodnota) ? Zaokrouhleni::Hotovo : Zaokrouhleni::MimoRozsah;
}

bool kandidat(const arb_t x, fmpq_t c) {
    if (arb_contains_zero(x)) {
        fmpq_zero(c);
        return true;
    }
    BinarniCislo bod, mez;
    arf_set_si_2exp_si(mez.get(), 1, -1021);
    if (arf_cmpabs(arb_midref(x), mez.get()) < 0) {
        // a multiple of 2^-1075
        BinarniCislo skalovany;
        arf_mul_2exp_si(skalovany.get(), arb_midref(x), 1075);
        CeleCislo n;
        arf_get_fmpz(n.get(), skalovany.get(), ARF_RND_NEAR);
        arf_set_fmpz(bod.get(), n.get());
        arf_mul_2exp_si(bod.get(), bod.get(), -1075);
    } else {
        arf_set_round(bod.get(), arb_midref(x), 54, ARF_RND_NEAR);
    }
    if (!arb_contains_arf(x, bod.get())) return false;
    arf_get_fmpq(c, bod.get());
    return true;
}

bool nejblizsi(const fmpq_t c, double& hodnota) {
    // A rational is decided by one ball at enough precision unless it is a rounding boundary
    // or a double, which 54 bits (2^-1075 below the normal range) hold exactly.
    for (long prec = 64;; prec *= 2) {
        RealnyInterval x;
        arb_set_fmpq(x.get(), c, prec);
        const Zaokrouhleni z = zaokrouhli(x.get(), hodnota);
        if (z == Zaokrouhleni::MimoRozsah) return false;
        if (z == Zaokrouhleni::Hotovo) return true;
        Racionalni k;
        if (kandidat(x.get(), k.get()) && fmpq_equal(k.get(), c)) {
            BinarniCislo presne;
            arf_set_fmpq(presne.get(), c, ARF_PREC_EXACT, ARF_RND_DOWN);
            hodnota = arf_get_d(presne.get(), ARF_RND_NEAR);
            return std::isfinite(hodnota);
        }
    }
}
