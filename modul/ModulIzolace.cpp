#include "ModulIzolace.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include <arb_fmpz_poly.h>

#include "ModulPocetKorenu.h"

namespace {

// First precision of Arb's isolation; doubled until it decides.
const long PRESNOST_IZOLACE = 64;

// The place of a ball relative to the unit circle; NaKruznici when it meets the circle.
PolohaPolu polohaKoule(acb_srcptr z, long prec) {
    RealnyInterval velikost, jedna;
    arb_one(jedna.get());
    acb_abs(velikost.get(), z, prec);
    if (arb_lt(velikost.get(), jedna.get())) return PolohaPolu::Uvnitr;
    if (arb_gt(velikost.get(), jedna.get())) return PolohaPolu::Vne;
    return PolohaPolu::NaKruznici;
}

// The one root -q_0 / q_1, its place compared exactly.
std::vector<IzolovanyKoren> linearniKoren(const CelyPolynom& q) {
    IzolovanyKoren koren;
    Racionalni hodnota;
    fmpq_set_fmpz_frac(hodnota.get(), q.get()->coeffs, q.get()->coeffs + 1);
    fmpq_neg(hodnota.get(), hodnota.get());
    acb_set_fmpq(koren.box.get(), hodnota.get(), 128);
    koren.realny = true;
    const int srovnani = fmpz_cmpabs(q.get()->coeffs, q.get()->coeffs + 1);
    koren.poloha = srovnani < 0 ? PolohaPolu::Uvnitr : srovnani > 0 ? PolohaPolu::Vne : PolohaPolu::NaKruznici;
    return {koren};
}

// The roots at one precision; false when the balls do not decide yet.
bool izolaceArb(const CelyPolynom& q, long naKruznici, long prec, std::vector<IzolovanyKoren>& vysledek) {
    const long n = q.stupen();
    KomplexniIntervaly koreny(n);
    arb_fmpz_poly_complex_roots(koreny.data(), q.get(), 0, prec);
    vysledek.clear();
    long meziKruznici = 0;
    for (long i = 0; i < n; ++i) {
        const bool realny = arb_is_zero(acb_imagref(koreny[i]));
        if (!realny && arb_contains_zero(acb_imagref(koreny[i]))) return false;
        IzolovanyKoren koren;
        koren.poloha = polohaKoule(koreny[i], prec);
        meziKruznici += koren.poloha == PolohaPolu::NaKruznici;
        if (!realny && !arb_is_positive(acb_imagref(koreny[i]))) continue;
        acb_set(koren.box.get(), koreny[i]);
        koren.realny = realny;
        vysledek.push_back(koren);
    }
    return meziKruznici == naKruznici;
}

}  // namespace

std::vector<IzolovanyKoren> izolujKorenyArb(const CelyPolynom& q, long naKruznici) {
    std::vector<IzolovanyKoren> koreny;
    for (long prec = PRESNOST_IZOLACE;; prec *= 2)
        if (izolaceArb(q, naKruznici, prec, koreny)) return koreny;
}

std::vector<IzolovanyKoren> izolujKoreny(const CelyPolynom& q, long naKruznici) {
    if (q.stupen() == 1) return linearniKoren(q);
    std::vector<IzolovanyKoren> koreny;
    if (korenyVKruzich(q, naKruznici, koreny)) return koreny;
    return izolujKorenyArb(q, naKruznici);
}

namespace {

// The sign of G at the double x (|x| <= 2): by a ball at the precision that the terms of G
// there need, exactly when the ball holds 0.
int znamenkoV(const CelyPolynom& G, double x) {
    RealnyInterval bod, hodnota;
    arb_set_d(bod.get(), x);
    arb_fmpz_poly_evaluate_arb(hodnota.get(), G.get(), bod.get(), 64 + std::labs(fmpz_poly_max_bits(G.get())) + G.stupen());
    if (arb_is_positive(hodnota.get())) return 1;
    if (arb_is_negative(hodnota.get())) return -1;
    Racionalni q, presne;
    arf_get_fmpq(q.get(), arb_midref(bod.get()));
    fmpz_poly_evaluate_fmpq(presne.get(), G.get(), q.get());
    return fmpq_sgn(presne.get());
}

// Intervals between the midpoints of the sorted approximations t, from -2 to 2: when G changes
// sign across each, each holds a root, and with m intervals for m roots exactly one.
bool intervalyZOdhadu(const CelyPolynom& G, std::vector<double> t, std::vector<RealnyInterval>& koreny) {
    const long m = G.stupen();
    if (static_cast<long>(t.size()) != m) return false;
    std::sort(t.begin(), t.end());
    std::vector<double> meze{-2.0};
    for (std::size_t i = 0; i + 1 < t.size(); ++i) meze.push_back(0.5 * (t[i] + t[i + 1]));
    meze.push_back(2.0);
    int znamenko = znamenkoV(G, meze[0]);
    for (std::size_t i = 1; i < meze.size(); ++i) {
        const int dalsi = znamenkoV(G, meze[i]);
        if (!(meze[i] > meze[i - 1]) || znamenko == 0 || dalsi != -znamenko) return false;
        // The root's own approximation narrows its interval when G changes sign close around it.
        const double t0 = t[i - 1], eps = std::ldexp(std::fabs(t0), -40) + 0x1p-60;
        const bool uzky = t0 - eps > meze[i - 1] && t0 + eps < meze[i] && znamenkoV(G, t0 - eps) == znamenko &&
                          znamenkoV(G, t0 + eps) == dalsi;
        znamenko = dalsi;
        RealnyInterval koren;
        BinarniCislo a, b;
        arf_set_d(a.get(), uzky ? t0 - eps : meze[i - 1]);
        arf_set_d(b.get(), uzky ? t0 + eps : meze[i]);
        arb_set_interval_arf(koren.get(), a.get(), b.get(), 128);
        koreny.push_back(koren);
    }
    return true;
}

}  // namespace

std::vector<RealnyInterval> realneKorenyStopy(const CelyPolynom& G, const CelyPolynom& napoveda) {
    std::vector<RealnyInterval> koreny;
    std::vector<double> t;
    for (const std::complex<double>& z : odhadyKorenu(napoveda))
        if (z.imag() > 0.0 && std::isfinite(z.real())) t.push_back(2.0 * z.real());
    if (intervalyZOdhadu(G, t, koreny)) return koreny;
    koreny.clear();
    const long m = G.stupen();
    KomplexniIntervaly vsechny(m);
    for (long prec = PRESNOST_IZOLACE;; prec *= 2) {
        arb_fmpz_poly_complex_roots(vsechny.data(), G.get(), 0, prec);
        bool realne = true;
        for (long i = 0; i < m; ++i) realne = realne && arb_is_zero(acb_imagref(vsechny[i]));
        if (!realne) continue;
        for (long i = 0; i < m; ++i) {
            RealnyInterval koren;
            arb_set(koren.get(), acb_realref(vsechny[i]));
            koreny.push_back(koren);
        }
        return koreny;
    }
}
