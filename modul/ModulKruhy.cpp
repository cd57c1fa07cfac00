#include "ModulKruhy.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include <arb_fmpz_poly.h>

#include "KorenyPolynomu.h"
#include "Skupiny.h"
#include "SmerovaneZaokrouhleni.h"

namespace {

using smerovane::dolu;
using smerovane::nahoru;
using smerovane::U;

// Working precision in bits: the approximations are doubles, so the discs cannot shrink
// below their rounding; the extra bits keep the evaluation of polynomials with large
// coefficients from widening them.
const long PRESNOST = 128;
// The refinement stops here: beyond, isolation is left to the exact path's other tools.
const long MAX_PRESNOST = 8192;

// The centres of the discs, their radii (upper bounds, as exact balls) and the magnitudes of
// the centres.
struct Kruhy {
    KomplexniIntervaly stredy;
    RealneIntervaly polomery;
    RealneIntervaly velikosti;
    explicit Kruhy(long n) : stredy(n), polomery(n), velikosti(n) {}
};

std::vector<KorenSMeritkem> odhadyPasem(const CelyPolynom& q);
long pelletDvojkovy(const CelyPolynom& q, long e);

}  // namespace

bool korenNad(const CelyPolynom& q, long e) {
    const long n = q.stupen();
    if (n <= 0 || e < 0) return false;
    const long k = pelletDvojkovy(q, e);
    if (k >= 0) return k < n;
    CeleCislo binom(1), mez;
    for (long j = 1; j <= n; ++j) {
        // C(n, j) |q_n| 2^(e j) < |q_(n-j)|
        fmpz_mul_ui(binom.get(), binom.get(), static_cast<unsigned long>(n - j + 1));
        fmpz_divexact_ui(binom.get(), binom.get(), static_cast<unsigned long>(j));
        fmpz_mul(mez.get(), binom.get(), q.get()->coeffs + n);
        fmpz_abs(mez.get(), mez.get());
        fmpz_mul_2exp(mez.get(), mez.get(), static_cast<unsigned long>(e * j));
        if (fmpz_cmpabs(q.get()->coeffs + n - j, mez.get()) > 0) return true;
    }
    return false;
}

std::vector<std::complex<double>> odhadyKorenu(const CelyPolynom& q) {
    std::vector<std::complex<double>> koreny;
    for (const KorenSMeritkem& z : odhadyPasem(q))
        koreny.emplace_back(std::ldexp(z.w.real(), static_cast<int>(std::clamp(z.k, -3000L, 3000L))),
                            std::ldexp(z.w.imag(), static_cast<int>(std::clamp(z.k, -3000L, 3000L))));
    return koreny;
}

namespace {

// The approximations of the roots of q (no root at 0) in the bands of its Newton polygon, from
// the coefficients as significand times a power of two.
std::vector<KorenSMeritkem> odhadyPasem(const CelyPolynom& q) {
    const long n = q.stupen();
    std::vector<double> mantisy(static_cast<std::size_t>(n + 1));
    std::vector<long> exponenty(static_cast<std::size_t>(n + 1));
    for (long k = 0; k <= n; ++k) {
        slong e = 0;
        mantisy[static_cast<std::size_t>(k)] = fmpz_get_d_2exp(&e, q.get()->coeffs + k);
        exponenty[static_cast<std::size_t>(k)] = e;
    }
    return korenyPasem(mantisy, exponenty);
}

// The centres from the approximations, at any magnitude; false when one is not finite.
bool nastavStredy(const CelyPolynom& q, Kruhy& k) {
    const std::vector<KorenSMeritkem> r = odhadyPasem(q);
    if (static_cast<long>(r.size()) != q.stupen()) return false;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (!std::isfinite(r[i].w.real()) || !std::isfinite(r[i].w.imag())) return false;
        acb_set_d_d(k.stredy[static_cast<long>(i)], r[i].w.real(), r[i].w.imag());
        acb_mul_2exp_si(k.stredy[static_cast<long>(i)], k.stredy[static_cast<long>(i)], r[i].k);
    }
    return true;
}

// n |q(r_i)| / |q_n prod_{j != i} (r_i - r_j)|, bounded from above.
void polomerKruhu(const CelyPolynom& q, Kruhy& k, long i, long prec) {
    const long n = q.stupen();
    KomplexniInterval hodnota, rozdil, soucinRozdilu;
    RealnyInterval soucin, abs;
    acb_set_fmpz(soucinRozdilu.get(), q.get()->coeffs + n);
    for (long j = 0; j < n; ++j) {
        if (j == i) continue;
        acb_sub(rozdil.get(), k.stredy[i], k.stredy[j], prec);
        acb_mul(soucinRozdilu.get(), soucinRozdilu.get(), rozdil.get(), prec);
    }
    acb_abs(soucin.get(), soucinRozdilu.get(), prec);
    arb_fmpz_poly_evaluate_acb(hodnota.get(), q.get(), k.stredy[i], prec);
    acb_abs(abs.get(), hodnota.get(), prec);
    arb_mul_si(abs.get(), abs.get(), n, prec);
    arb_div(abs.get(), abs.get(), soucin.get(), prec);
    BinarniCislo horni;
    arb_get_ubound_arf(horni.get(), abs.get(), prec);
    arb_set_arf(k.polomery[i], horni.get());
    acb_abs(k.velikosti[i], k.stredy[i], prec);
}

Skupiny spojeneKruhy(Kruhy& k, long n, long prec) {
    Skupiny skupiny(n);
    KomplexniInterval rozdil;
    RealnyInterval vzdalenost, soucet;
    for (long i = 0; i < n; ++i)
        for (long j = i + 1; j < n; ++j) {
            acb_sub(rozdil.get(), k.stredy[i], k.stredy[j], prec);
            acb_abs(vzdalenost.get(), rozdil.get(), prec);
            arb_add(soucet.get(), k.polomery[i], k.polomery[j], prec);
            if (!arb_gt(vzdalenost.get(), soucet.get())) skupiny.spoj(i, j);
        }
    return skupiny;
}

// A root -a_0/a_1 compared exactly.
PolohaKorenu linearni(const CelyPolynom& q, long polomer) {
    CeleCislo hranice;
    fmpz_mul_si(hranice.get(), q.get()->coeffs + 1, polomer);
    return fmpz_cmpabs(q.get()->coeffs, hranice.get()) > 0 ? PolohaKorenu::NektereVne : PolohaKorenu::VsechnyUvnitr;
}

// Pellet's test on |z| = R: when |q_k| R^k exceeds the sum of all other |q_j| R^j, exactly k
// roots lie in |z| < R and the others in |z| > R. Exact, and decisive when one coefficient
// dominates there, which is where root approximations in doubles run out of range.
PolohaKorenu pellet(const CelyPolynom& q, long polomer) {
    const long n = q.stupen();
    CeleCislo soucet, clen, mocnina(1), maximum;
    long nejvetsi = 0;
    for (long j = 0; j <= n; ++j) {
        fmpz_mul(clen.get(), q.get()->coeffs + j, mocnina.get());
        fmpz_abs(clen.get(), clen.get());
        fmpz_add(soucet.get(), soucet.get(), clen.get());
        if (fmpz_cmp(clen.get(), maximum.get()) > 0) {
            fmpz_set(maximum.get(), clen.get());
            nejvetsi = j;
        }
        fmpz_mul_si(mocnina.get(), mocnina.get(), polomer);
    }
    // |q_k| R^k > sum - |q_k| R^k
    fmpz_mul_2exp(clen.get(), maximum.get(), 1);
    if (fmpz_cmp(clen.get(), soucet.get()) <= 0) return PolohaKorenu::Nerozhodnuto;
    return nejvetsi == n ? PolohaKorenu::VsechnyUvnitr : PolohaKorenu::NektereVne;
}

// Pellet's test on |z| = 2^e: the index k whose term dominates, -1 when none does.
long pelletDvojkovy(const CelyPolynom& q, long e) {
    const long n = q.stupen();
    const long posun = e < 0 ? -e * n : 0;  // keeps every term an integer
    CeleCislo soucet, clen, maximum;
    long nejvetsi = 0;
    for (long j = 0; j <= n; ++j) {
        fmpz_abs(clen.get(), q.get()->coeffs + j);
        fmpz_mul_2exp(clen.get(), clen.get(), static_cast<unsigned long>(e * j + posun));
        fmpz_add(soucet.get(), soucet.get(), clen.get());
        if (fmpz_cmp(clen.get(), maximum.get()) > 0) {
            fmpz_set(maximum.get(), clen.get());
            nejvetsi = j;
        }
    }
    fmpz_mul_2exp(clen.get(), maximum.get(), 1);
    return fmpz_cmp(clen.get(), soucet.get()) > 0 ? nejvetsi : -1;
}

// Newton steps z <- z - q(z) / q'(z) on the centres at precision prec. Each step doubles the
// correct bits of a simple root: from double approximations one step at the working precision
// gives about 106, more than a double can hold; at a doubled precision two steps follow the
// precision (the centres then come from a failed attempt, near other roots or the circle).
void zpresni(const CelyPolynom& q, Kruhy& k, long prec, int kroku) {
    CelyPolynom derivace;
    fmpz_poly_derivative(derivace.get(), q.get());
    KomplexniInterval hodnota, sklon;
    for (long i = 0; i < q.stupen(); ++i)
        for (int krok = 0; krok < kroku; ++krok) {
            arb_fmpz_poly_evaluate_acb(hodnota.get(), q.get(), k.stredy[i], prec);
            arb_fmpz_poly_evaluate_acb(sklon.get(), derivace.get(), k.stredy[i], prec);
            acb_div(hodnota.get(), hodnota.get(), sklon.get(), prec);
            if (!acb_is_finite(hodnota.get())) break;
            acb_sub(hodnota.get(), k.stredy[i], hodnota.get(), prec);
            acb_get_mid(k.stredy[i], hodnota.get());
        }
}

// Where the discs around the centres put the roots, at precision prec.
PolohaKorenu rozhodniKruhy(const CelyPolynom& q, Kruhy& k, long polomer, long prec) {
    const long n = q.stupen();
    for (long i = 0; i < n; ++i) polomerKruhu(q, k, i, prec);
    RealnyInterval hranice, R;
    arb_set_si(R.get(), polomer);
    bool vseUvnitr = true;
    Skupiny skupiny = spojeneKruhy(k, n, prec);
    std::vector<char> skupinaVne(static_cast<std::size_t>(n), 1);
    for (long i = 0; i < n; ++i) {
        arb_add(hranice.get(), k.velikosti[i], k.polomery[i], prec);
        if (!arb_le(hranice.get(), R.get())) vseUvnitr = false;
        arb_sub(hranice.get(), k.velikosti[i], k.polomery[i], prec);
        if (!arb_gt(hranice.get(), R.get())) skupinaVne[static_cast<std::size_t>(skupiny.koren(i))] = 0;
    }
    if (vseUvnitr) return PolohaKorenu::VsechnyUvnitr;
    for (long i = 0; i < n; ++i)
        if (skupiny.koren(i) == i && skupinaVne[static_cast<std::size_t>(i)]) return PolohaKorenu::NektereVne;
    return PolohaKorenu::Nerozhodnuto;
}

}  // namespace

PolohaKorenu polohaKorenu(const CelyPolynom& p, long polomer) {
    // Roots at 0 lie inside any circle.
    CelyPolynom q;
    long nuly = 0;
    while (nuly <= p.stupen() && fmpz_is_zero(p.get()->coeffs + nuly)) ++nuly;
    fmpz_poly_shift_right(q.get(), p.get(), nuly);
    const long n = q.stupen();
    if (n <= 0) return PolohaKorenu::VsechnyUvnitr;
    if (n == 1) return linearni(q, polomer);
    const PolohaKorenu podlePelleta = pellet(q, polomer);
    if (podlePelleta != PolohaKorenu::Nerozhodnuto) return podlePelleta;
    Kruhy k(n);
    if (!nastavStredy(q, k)) return PolohaKorenu::Nerozhodnuto;
    // Roots very near the circle need centres to as many bits as their distance from it:
    // Newton steps at doubled precision, until the discs decide.
    PolohaKorenu poloha = rozhodniKruhy(q, k, polomer, PRESNOST);
    for (long prec = 2 * PRESNOST; poloha == PolohaKorenu::Nerozhodnuto && prec <= MAX_PRESNOST; prec *= 2) {
        zpresni(q, k, prec, 2);
        poloha = rozhodniKruhy(q, k, polomer, prec);
    }
    return poloha;
}

namespace {

// A lower bound of |c_i - c_j| from the double centres (each within u |c| of the exact one).
double vzdalenostDolu(const std::complex<double>& a, const std::complex<double>& b) {
    return dolu(std::abs(a - b) * (1.0 - 4.0 * U) - 2.0 * U * (std::abs(a) + std::abs(b)));
}

// Upper bounds of the radii n |q(c_i)| / |q_n prod_{j != i} (c_i - c_j)|, in doubles with
// every rounding bounded; +infinity where a product of distances is not bounded away from 0.
std::vector<double> polomeryDvojite(const CelyPolynom& q, Kruhy& k, const std::vector<std::complex<double>>& c,
                                    long presnost) {
    const long n = q.stupen();
    slong e = 0;
    const double vedouci = std::fabs(fmpz_get_d_2exp(&e, q.get()->coeffs + n));
    std::vector<double> polomery(static_cast<std::size_t>(n), std::numeric_limits<double>::infinity());
    KomplexniInterval hodnota;
    RealnyInterval abs;
    for (long i = 0; i < n; ++i) {
        double mantisa = dolu(vedouci);
        long exponent = e;
        for (long j = 0; j < n && mantisa > 0.0; ++j) {
            if (j == i) continue;
            int ej = 0;
            mantisa = std::frexp(mantisa * std::max(vzdalenostDolu(c[static_cast<std::size_t>(i)], c[static_cast<std::size_t>(j)]), 0.0), &ej);
            exponent += ej;
        }
        if (!(mantisa > 0.0)) continue;
        arb_fmpz_poly_evaluate_acb(hodnota.get(), q.get(), k.stredy[i], presnost);
        acb_abs(abs.get(), hodnota.get(), presnost);
        BinarniCislo horni;
        arb_get_ubound_arf(horni.get(), abs.get(), presnost);
        // n |q(c_i)| 2^-exponent / mantisa, all bounded from above
        arf_mul_2exp_si(horni.get(), horni.get(), -exponent);
        const double citatel = arf_get_d(horni.get(), ARF_RND_UP);
        polomery[static_cast<std::size_t>(i)] = nahoru(nahoru(static_cast<double>(n) * citatel) / dolu(mantisa * (1.0 - 4.0 * n * U)));
    }
    return polomery;
}

// The half-width of the box around disc i: the box holds the disc, and the separation tests
// use 1.5 times the radius, more than the sqrt(2) that reaches the box's corners.
double polosirka(double rho) { return nahoru(1.5 * rho); }

// Which side of the unit circle disc i lies on: -1 inside, 1 outside, 0 it meets the circle.
int stranaKruznice(const std::complex<double>& c, double rho) {
    const double velikost = std::abs(c);
    if (nahoru(velikost * (1.0 + 2.0 * U) + polosirka(rho)) < 1.0) return -1;
    if (dolu(dolu(velikost * (1.0 - 2.0 * U)) - polosirka(rho)) > 1.0) return 1;
    return 0;
}

// Disc i keeps clear of every other disc; realny tells whether its mirror image does too (then
// its root is its own conjugate, a real number).
bool samotny(const std::vector<std::complex<double>>& c, const std::vector<double>& rho, std::size_t i, bool& realny) {
    realny = std::fabs(c[i].imag()) <= polosirka(rho[i]);
    for (std::size_t j = 0; j < c.size(); ++j) {
        if (j == i) continue;
        const double soucet = nahoru(polosirka(rho[i]) + polosirka(rho[j]));
        if (!(vzdalenostDolu(c[i], c[j]) > soucet)) return false;
        realny = realny && vzdalenostDolu(std::conj(c[i]), c[j]) > soucet;
    }
    return true;
}

// The box of disc i: the refined centre with the half-width; a real root's box on the real axis.
void boxKruhu(Kruhy& k, long i, double rho, bool realny, acb_t box) {
    acb_set(box, k.stredy[i]);
    mag_set_d(arb_radref(acb_realref(box)), polosirka(rho));
    if (realny)
        arb_zero(acb_imagref(box));
    else
        mag_set_d(arb_radref(acb_imagref(box)), polosirka(rho));
}

}  // namespace

namespace {

// The centres in doubles, false when one lies outside the range where the bounds in doubles
// hold (normal numbers well away from under- and overflow).
bool stredyDvojite(Kruhy& k, long n, std::vector<std::complex<double>>& c) {
    for (long i = 0; i < n; ++i) {
        c.emplace_back(arf_get_d(arb_midref(acb_realref(k.stredy[i])), ARF_RND_NEAR),
                       arf_get_d(arb_midref(acb_imagref(k.stredy[i])), ARF_RND_NEAR));
        const double velikost = std::abs(c.back());
        if (!(velikost > 0x1p-900 && velikost < 0x1p900)) return false;
    }
    return true;
}

// The discs in doubles: false when they do not isolate every root.
bool kruhyDvojite(const CelyPolynom& q, Kruhy& k, const std::vector<std::complex<double>>& c, long naKruznici,
                  std::vector<IzolovanyKoren>& koreny, long presnost) {
    const long n = q.stupen();
    const std::vector<double> rho = polomeryDvojite(q, k, c, presnost);
    long meziKruznici = 0;
    for (long i = 0; i < n; ++i) {
        const std::size_t ui = static_cast<std::size_t>(i);
        bool realny = false;
        if (!std::isfinite(rho[ui]) || !samotny(c, rho, ui, realny)) return false;
        const bool horni = dolu(c[ui].imag()) - polosirka(rho[ui]) > 0.0;
        const bool dolni = dolu(-c[ui].imag()) - polosirka(rho[ui]) > 0.0;
        if (!realny && !horni && !dolni) return false;
        const int strana = stranaKruznice(c[ui], rho[ui]);
        meziKruznici += strana == 0;
        if (!realny && !horni) continue;
        IzolovanyKoren koren;
        boxKruhu(k, i, rho[ui], realny, koren.box.get());
        koren.realny = realny;
        koren.poloha = strana < 0 ? PolohaPolu::Uvnitr : strana > 0 ? PolohaPolu::Vne : PolohaPolu::NaKruznici;
        koreny.push_back(koren);
    }
    return naKruznici < 0 || meziKruznici == naKruznici;
}

// Disc i (radius w_i = 1.5 rho_i, which also holds its box) keeps clear of every other disc;
// realny tells whether its mirror image does too.
bool samotnyArb(Kruhy& k, RealneIntervaly& w, long n, long i, bool& realny, long prec) {
    KomplexniInterval rozdil, zrcadlo;
    RealnyInterval vzdalenost, soucet;
    acb_conj(zrcadlo.get(), k.stredy[i]);
    realny = true;
    for (long j = 0; j < n; ++j) {
        if (j == i) continue;
        arb_add(soucet.get(), w[i], w[j], prec);
        acb_sub(rozdil.get(), k.stredy[i], k.stredy[j], prec);
        acb_abs(vzdalenost.get(), rozdil.get(), prec);
        if (!arb_gt(vzdalenost.get(), soucet.get())) return false;
        acb_sub(rozdil.get(), zrcadlo.get(), k.stredy[j], prec);
        acb_abs(vzdalenost.get(), rozdil.get(), prec);
        realny = realny && arb_gt(vzdalenost.get(), soucet.get());
    }
    return true;
}

// The side of the unit circle that disc i (radius w) lies on: -1 inside, 1 outside, 0 it meets it.
int stranaArb(Kruhy& k, arb_srcptr w, long i, long prec) {
    RealnyInterval hranice, jedna;
    arb_one(jedna.get());
    arb_add(hranice.get(), k.velikosti[i], w, prec);
    if (arb_lt(hranice.get(), jedna.get())) return -1;
    arb_sub(hranice.get(), k.velikosti[i], w, prec);
    return arb_gt(hranice.get(), jedna.get()) ? 1 : 0;
}

// The same discs in ball arithmetic at precision prec, for centres of any magnitude.
bool kruhyArb(const CelyPolynom& q, Kruhy& k, long naKruznici, std::vector<IzolovanyKoren>& koreny, long prec) {
    const long n = q.stupen();
    RealneIntervaly w(n);
    koreny.clear();
    for (long i = 0; i < n; ++i) {
        polomerKruhu(q, k, i, prec);
        arb_mul_ui(w[i], k.polomery[i], 3, prec);
        arb_mul_2exp_si(w[i], w[i], -1);
    }
    long meziKruznici = 0;
    for (long i = 0; i < n; ++i) {
        bool realny = false;
        if (!arb_is_finite(w[i]) || !samotnyArb(k, w, n, i, realny, prec)) return false;
        RealnyInterval mez;
        arb_sub(mez.get(), acb_imagref(k.stredy[i]), w[i], prec);
        const bool horni = arb_is_positive(mez.get());
        arb_add(mez.get(), acb_imagref(k.stredy[i]), w[i], prec);
        if (!realny && !horni && !arb_is_negative(mez.get())) return false;
        const int strana = stranaArb(k, w[i], i, prec);
        meziKruznici += strana == 0;
        if (!realny && !horni) continue;
        IzolovanyKoren koren;
        acb_set(koren.box.get(), k.stredy[i]);
        arb_get_mag(arb_radref(acb_realref(koren.box.get())), w[i]);
        if (realny)
            arb_zero(acb_imagref(koren.box.get()));
        else
            arb_get_mag(arb_radref(acb_imagref(koren.box.get())), w[i]);
        koren.realny = realny;
        koren.poloha = strana < 0 ? PolohaPolu::Uvnitr : strana > 0 ? PolohaPolu::Vne : PolohaPolu::NaKruznici;
        koreny.push_back(koren);
    }
    return naKruznici < 0 || meziKruznici == naKruznici;
}

}  // namespace

namespace {

// The discs around the centres of k at precision presnost (a Newton step first when the
// centres are not already as good as doubles get), refined until they isolate every root
// (naKruznici < 0: whatever their place relative to the circle).
bool izolujVKruzich(const CelyPolynom& q, Kruhy& k, long naKruznici, std::vector<IzolovanyKoren>& koreny,
                    long presnost, bool newton) {
    const long n = q.stupen();
    if (newton) zpresni(q, k, presnost, 1);
    // Each disc holds one root, and every root on the circle lies in a disc that meets it: when
    // exactly that many discs meet it, their roots are the ones on it.
    std::vector<std::complex<double>> c;
    if (stredyDvojite(k, n, c) && kruhyDvojite(q, k, c, naKruznici, koreny, presnost)) return true;
    // Roots very near the circle or each other need centres to as many bits as their distance:
    // Newton steps at doubled precision, until the discs decide.
    for (long prec = presnost; prec <= std::max(presnost, MAX_PRESNOST); prec *= 2) {
        if (prec > presnost || !newton) zpresni(q, k, prec, 2);
        if (kruhyArb(q, k, naKruznici, koreny, prec)) return true;
    }
    koreny.clear();
    return false;
}

}  // namespace

bool korenyVKruzich(const CelyPolynom& q, long naKruznici, std::vector<IzolovanyKoren>& koreny) {
    const long n = q.stupen();
    koreny.clear();
    if (n < 2 || fmpz_is_zero(q.get()->coeffs)) return false;
    Kruhy k(n);
    return nastavStredy(q, k) && izolujVKruzich(q, k, naKruznici, koreny, PRESNOST, true);
}

bool korenyZOdhadu(const CelyPolynom& q, const std::vector<std::complex<double>>& odhady,
                   std::vector<IzolovanyKoren>& koreny) {
    const long n = q.stupen();
    koreny.clear();
    if (n < 2 || fmpz_is_zero(q.get()->coeffs) || static_cast<long>(odhady.size()) != n) return false;
    Kruhy k(n);
    for (long i = 0; i < n; ++i) {
        const std::complex<double>& z = odhady[static_cast<std::size_t>(i)];
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return false;
        acb_set_d_d(k.stredy[i], z.real(), z.imag());
    }
    // Enough bits that the values of q at the centres keep their own, whatever the cancellation
    // among its coefficients (polynomials in x of series in T_k(x) have large ones).
    return izolujVKruzich(q, k, -1, koreny, std::max(PRESNOST, std::abs(fmpz_poly_max_bits(q.get())) + 64), false);
}
