#include "ModulKruhy.h"

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
    KomplexniKoule stredy;
    RealneKoule polomery;
    RealneKoule velikosti;
    explicit Kruhy(long n) : stredy(n), polomery(n), velikosti(n) {}
};

}  // namespace

std::vector<std::complex<double>> odhadyKorenu(const CelyPolynom& q) {
    const long n = q.stupen();
    std::vector<double> mantisy(static_cast<std::size_t>(n + 1));
    std::vector<long> exponenty(static_cast<std::size_t>(n + 1));
    for (long k = 0; k <= n; ++k) {
        slong e = 0;
        mantisy[static_cast<std::size_t>(k)] = fmpz_get_d_2exp(&e, q.get()->coeffs + k);
        exponenty[static_cast<std::size_t>(k)] = e;
    }
    return korenyCentrovanych(centrujRozlozene(mantisy, exponenty));
}

namespace {

// The centres from the approximations; false when one is not finite.
bool nastavStredy(const CelyPolynom& q, Kruhy& k) {
    const std::vector<std::complex<double>> r = odhadyKorenu(q);
    if (static_cast<long>(r.size()) != q.stupen()) return false;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (!std::isfinite(r[i].real()) || !std::isfinite(r[i].imag())) return false;
        acb_set_d_d(k.stredy[static_cast<long>(i)], r[i].real(), r[i].imag());
    }
    return true;
}

// n |q(r_i)| / |q_n prod_{j != i} (r_i - r_j)|, bounded from above.
void polomerKruhu(const CelyPolynom& q, Kruhy& k, long i, long prec) {
    const long n = q.stupen();
    KomplexniBod hodnota, rozdil;
    RealnaKoule soucin, abs;
    arb_set_fmpz(soucin.get(), q.get()->coeffs + n);
    arb_abs(soucin.get(), soucin.get());
    for (long j = 0; j < n; ++j) {
        if (j == i) continue;
        acb_sub(rozdil.get(), k.stredy[i], k.stredy[j], prec);
        acb_abs(abs.get(), rozdil.get(), prec);
        arb_mul(soucin.get(), soucin.get(), abs.get(), prec);
    }
    arb_fmpz_poly_evaluate_acb(hodnota.get(), q.get(), k.stredy[i], prec);
    acb_abs(abs.get(), hodnota.get(), prec);
    arb_mul_si(abs.get(), abs.get(), n, prec);
    arb_div(abs.get(), abs.get(), soucin.get(), prec);
    Plovouci horni;
    arb_get_ubound_arf(horni.get(), abs.get(), prec);
    arb_set_arf(k.polomery[i], horni.get());
    acb_abs(k.velikosti[i], k.stredy[i], prec);
}

Skupiny spojeneKruhy(Kruhy& k, long n, long prec) {
    Skupiny skupiny(n);
    KomplexniBod rozdil;
    RealnaKoule vzdalenost, soucet;
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

// Two Newton steps z <- z - q(z) / q'(z) on the centres at precision prec: from double
// approximations at the working precision, enough for every digit a double can hold.
void zpresni(const CelyPolynom& q, Kruhy& k, long prec) {
    CelyPolynom derivace;
    fmpz_poly_derivative(derivace.get(), q.get());
    KomplexniBod hodnota, sklon;
    for (long i = 0; i < q.stupen(); ++i)
        for (int krok = 0; krok < 2; ++krok) {
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
    RealnaKoule hranice, R;
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
        zpresni(q, k, prec);
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
std::vector<double> polomeryDvojite(const CelyPolynom& q, Kruhy& k, const std::vector<std::complex<double>>& c) {
    const long n = q.stupen();
    slong e = 0;
    const double vedouci = std::fabs(fmpz_get_d_2exp(&e, q.get()->coeffs + n));
    std::vector<double> polomery(static_cast<std::size_t>(n), std::numeric_limits<double>::infinity());
    KomplexniBod hodnota;
    RealnaKoule abs;
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
        arb_fmpz_poly_evaluate_acb(hodnota.get(), q.get(), k.stredy[i], PRESNOST);
        acb_abs(abs.get(), hodnota.get(), PRESNOST);
        Plovouci horni;
        arb_get_ubound_arf(horni.get(), abs.get(), PRESNOST);
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

bool korenyVKruzich(const CelyPolynom& q, long naKruznici, std::vector<IzolovanyKoren>& koreny) {
    const long n = q.stupen();
    koreny.clear();
    if (n < 2 || fmpz_is_zero(q.get()->coeffs)) return false;
    Kruhy k(n);
    if (!nastavStredy(q, k)) return false;
    zpresni(q, k, PRESNOST);
    std::vector<std::complex<double>> c;
    for (long i = 0; i < n; ++i)
        c.emplace_back(arf_get_d(arb_midref(acb_realref(k.stredy[i])), ARF_RND_NEAR),
                       arf_get_d(arb_midref(acb_imagref(k.stredy[i])), ARF_RND_NEAR));
    const std::vector<double> rho = polomeryDvojite(q, k, c);
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
    // Each disc holds one root, and every root on the circle lies in a disc that meets it: when
    // exactly that many discs meet it, their roots are the ones on it.
    if (meziKruznici != naKruznici) koreny.clear();
    return meziKruznici == naKruznici;
}
