#include "ModulKruhy.h"

#include <cmath>
#include <complex>
#include <limits>
#include <numeric>
#include <vector>

#include <acb.h>
#include <arb.h>
#include <arb_fmpz_poly.h>

#include "KorenyPolynomu.h"

namespace {

// Working precision in bits: the approximations are doubles, so the discs cannot shrink
// below their rounding; the extra bits keep the evaluation of polynomials with large
// coefficients from widening them.
const long PRESNOST = 128;
// The refinement stops here: beyond, isolation is left to the exact path's other tools.
const long MAX_PRESNOST = 8192;

// Partition of discs into connected groups.
class Skupiny {
    std::vector<long> rodic;

public:
    explicit Skupiny(long n) : rodic(static_cast<std::size_t>(n)) { std::iota(rodic.begin(), rodic.end(), 0L); }
    long koren(long x) {
        while (rodic[static_cast<std::size_t>(x)] != x) x = rodic[static_cast<std::size_t>(x)];
        return x;
    }
    void spoj(long a, long b) { rodic[static_cast<std::size_t>(koren(a))] = koren(b); }
};

// Owning arrays of Arb balls.
class Koule {
    acb_ptr stredy;
    arb_ptr polomery;
    arb_ptr velikosti;
    long n;

public:
    explicit Koule(long n) : stredy(_acb_vec_init(n)), polomery(_arb_vec_init(n)), velikosti(_arb_vec_init(n)), n(n) {}
    Koule(const Koule&) = delete;
    Koule& operator=(const Koule&) = delete;
    ~Koule() {
        _acb_vec_clear(stredy, n);
        _arb_vec_clear(polomery, n);
        _arb_vec_clear(velikosti, n);
    }
    acb_ptr stred(long i) { return stredy + i; }
    arb_ptr polomer(long i) { return polomery + i; }  // an upper bound, as an exact ball
    arb_ptr velikost(long i) { return velikosti + i; }
};

// Approximations of the n roots, from the coefficients as significand times a power of two.
std::vector<std::complex<double>> odhady(const CelyPolynom& q) {
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

// n |q(r_i)| / |q_n prod_{j != i} (r_i - r_j)|, bounded from above.
void polomerKruhu(const CelyPolynom& q, Koule& k, long n, long i, long prec = PRESNOST) {
    acb_t hodnota, rozdil;
    arb_t soucin, abs;
    acb_init(hodnota);
    acb_init(rozdil);
    arb_init(soucin);
    arb_init(abs);
    arb_set_fmpz(soucin, q.get()->coeffs + n);
    arb_abs(soucin, soucin);
    for (long j = 0; j < n; ++j) {
        if (j == i) continue;
        acb_sub(rozdil, k.stred(i), k.stred(j), prec);
        acb_abs(abs, rozdil, prec);
        arb_mul(soucin, soucin, abs, prec);
    }
    arb_fmpz_poly_evaluate_acb(hodnota, q.get(), k.stred(i), prec);
    acb_abs(abs, hodnota, prec);
    arb_mul_si(abs, abs, n, prec);
    arb_div(abs, abs, soucin, prec);
    arf_t horni;
    arf_init(horni);
    arb_get_ubound_arf(horni, abs, prec);
    arb_set_arf(k.polomer(i), horni);
    arf_clear(horni);
    acb_abs(k.velikost(i), k.stred(i), prec);
    acb_clear(hodnota);
    acb_clear(rozdil);
    arb_clear(soucin);
    arb_clear(abs);
}

Skupiny spojeneKruhy(Koule& k, long n, long prec = PRESNOST) {
    Skupiny skupiny(n);
    acb_t rozdil;
    arb_t vzdalenost, soucet;
    acb_init(rozdil);
    arb_init(vzdalenost);
    arb_init(soucet);
    for (long i = 0; i < n; ++i)
        for (long j = i + 1; j < n; ++j) {
            acb_sub(rozdil, k.stred(i), k.stred(j), prec);
            acb_abs(vzdalenost, rozdil, prec);
            arb_add(soucet, k.polomer(i), k.polomer(j), prec);
            if (!arb_gt(vzdalenost, soucet)) skupiny.spoj(i, j);
        }
    acb_clear(rozdil);
    arb_clear(vzdalenost);
    arb_clear(soucet);
    return skupiny;
}

// A root -a_0/a_1 compared exactly.
PolohaKorenu linearni(const CelyPolynom& q, long polomer) {
    fmpz_t hranice;
    fmpz_init(hranice);
    fmpz_mul_si(hranice, q.get()->coeffs + 1, polomer);
    const int srovnani = fmpz_cmpabs(q.get()->coeffs, hranice);
    fmpz_clear(hranice);
    return srovnani > 0 ? PolohaKorenu::NektereVne : PolohaKorenu::VsechnyUvnitr;
}

// Pellet's test on |z| = R: when |q_k| R^k exceeds the sum of all other |q_j| R^j, exactly k
// roots lie in |z| < R and the others in |z| > R. Exact, and decisive when one coefficient
// dominates there, which is where root approximations in doubles run out of range.
PolohaKorenu pellet(const CelyPolynom& q, long polomer) {
    const long n = q.stupen();
    fmpz_t soucet, clen, mocnina;
    fmpz_init(soucet);
    fmpz_init(clen);
    fmpz_init_set_ui(mocnina, 1);
    // sum_j |q_j| R^j, and the largest term
    long nejvetsi = 0;
    fmpz_t maximum;
    fmpz_init(maximum);
    for (long j = 0; j <= n; ++j) {
        fmpz_mul(clen, q.get()->coeffs + j, mocnina);
        fmpz_abs(clen, clen);
        fmpz_add(soucet, soucet, clen);
        if (fmpz_cmp(clen, maximum) > 0) {
            fmpz_set(maximum, clen);
            nejvetsi = j;
        }
        fmpz_mul_si(mocnina, mocnina, polomer);
    }
    // |q_k| R^k > sum - |q_k| R^k
    fmpz_mul_2exp(clen, maximum, 1);
    const bool dominuje = fmpz_cmp(clen, soucet) > 0;
    fmpz_clear(soucet);
    fmpz_clear(clen);
    fmpz_clear(mocnina);
    fmpz_clear(maximum);
    if (!dominuje) return PolohaKorenu::Nerozhodnuto;
    return nejvetsi == n ? PolohaKorenu::VsechnyUvnitr : PolohaKorenu::NektereVne;
}

// Two Newton steps z <- z - q(z) / q'(z) on the centres at precision prec: from double
// approximations at the working precision, enough for every digit a double can hold.
void zpresni(const CelyPolynom& q, Koule& k, long n, long prec = PRESNOST) {
    CelyPolynom derivace;
    fmpz_poly_derivative(derivace.get(), q.get());
    acb_t hodnota, sklon;
    acb_init(hodnota);
    acb_init(sklon);
    for (long i = 0; i < n; ++i)
        for (int krok = 0; krok < 2; ++krok) {
            arb_fmpz_poly_evaluate_acb(hodnota, q.get(), k.stred(i), prec);
            arb_fmpz_poly_evaluate_acb(sklon, derivace.get(), k.stred(i), prec);
            acb_div(hodnota, hodnota, sklon, prec);
            if (!acb_is_finite(hodnota)) break;
            acb_sub(hodnota, k.stred(i), hodnota, prec);
            acb_get_mid(k.stred(i), hodnota);
        }
    acb_clear(hodnota);
    acb_clear(sklon);
}

// Where the discs around the centres put the roots, at precision prec.
PolohaKorenu rozhodniKruhy(const CelyPolynom& q, Koule& k, long n, long polomer, long prec);

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
    const std::vector<std::complex<double>> r = odhady(q);
    if (static_cast<long>(r.size()) != n) return PolohaKorenu::Nerozhodnuto;
    Koule k(n);
    for (long i = 0; i < n; ++i) {
        const std::complex<double>& z = r[static_cast<std::size_t>(i)];
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return PolohaKorenu::Nerozhodnuto;
        acb_set_d_d(k.stred(i), z.real(), z.imag());
    }
    // Roots very near the circle need centres to as many bits as their distance from it:
    // Newton steps at doubled precision, until the discs decide.
    PolohaKorenu poloha = rozhodniKruhy(q, k, n, polomer, PRESNOST);
    for (long prec = 2 * PRESNOST; poloha == PolohaKorenu::Nerozhodnuto && prec <= MAX_PRESNOST; prec *= 2) {
        zpresni(q, k, n, prec);
        poloha = rozhodniKruhy(q, k, n, polomer, prec);
    }
    return poloha;
}

namespace {

PolohaKorenu rozhodniKruhy(const CelyPolynom& q, Koule& k, long n, long polomer, long prec) {
    for (long i = 0; i < n; ++i) polomerKruhu(q, k, n, i, prec);
    arb_t hranice, R;
    arb_init(hranice);
    arb_init(R);
    arb_set_si(R, polomer);
    bool vseUvnitr = true;
    Skupiny skupiny = spojeneKruhy(k, n, prec);
    std::vector<char> skupinaVne(static_cast<std::size_t>(n), 1);
    for (long i = 0; i < n; ++i) {
        arb_add(hranice, k.velikost(i), k.polomer(i), prec);
        if (!arb_le(hranice, R)) vseUvnitr = false;
        arb_sub(hranice, k.velikost(i), k.polomer(i), prec);
        if (!arb_gt(hranice, R)) skupinaVne[static_cast<std::size_t>(skupiny.koren(i))] = 0;
    }
    arb_clear(hranice);
    arb_clear(R);
    if (vseUvnitr) return PolohaKorenu::VsechnyUvnitr;
    for (long i = 0; i < n; ++i)
        if (skupiny.koren(i) == i && skupinaVne[static_cast<std::size_t>(i)]) return PolohaKorenu::NektereVne;
    return PolohaKorenu::Nerozhodnuto;
}

}  // namespace

namespace {


// Bounds in doubles for the discs around the refined centres c_i (points of at most 128
// bits): every quantity carries its rounding, so the tests below are rigorous. u is the unit
// roundoff; a double centre lies within u |c_i| of c_i.
const double U = 0x1p-53;

double nahoru(double x) { return x * (1.0 + 16.0 * U) + 1e-300; }
double dolu(double x) { return x * (1.0 - 16.0 * U); }

// A lower bound of |c_i - c_j| from the double centres.
double vzdalenostDolu(const std::complex<double>& a, const std::complex<double>& b) {
    return dolu(std::abs(a - b) * (1.0 - 4.0 * U) - 2.0 * U * (std::abs(a) + std::abs(b)));
}

// Upper bounds of the radii n |q(c_i)| / |q_n prod_{j != i} (c_i - c_j)|; +infinity where a
// product of distances is not bounded away from 0.
std::vector<double> polomeryDvojite(const CelyPolynom& q, Koule& k, const std::vector<std::complex<double>>& c) {
    const long n = q.stupen();
    slong e = 0;
    const double vedouci = std::fabs(fmpz_get_d_2exp(&e, q.get()->coeffs + n));
    std::vector<double> polomery(static_cast<std::size_t>(n), std::numeric_limits<double>::infinity());
    acb_t hodnota;
    arb_t abs;
    acb_init(hodnota);
    arb_init(abs);
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
        arb_fmpz_poly_evaluate_acb(hodnota, q.get(), k.stred(i), PRESNOST);
        acb_abs(abs, hodnota, PRESNOST);
        arf_t horni;
        arf_init(horni);
        arb_get_ubound_arf(horni, abs, PRESNOST);
        // n |q(c_i)| 2^-exponent / mantisa, all bounded from above
        arf_mul_2exp_si(horni, horni, -exponent);
        const double citatel = arf_get_d(horni, ARF_RND_UP);
        arf_clear(horni);
        polomery[static_cast<std::size_t>(i)] = nahoru(nahoru(static_cast<double>(n) * citatel) / dolu(mantisa * (1.0 - 4.0 * n * U)));
    }
    acb_clear(hodnota);
    arb_clear(abs);
    return polomery;
}

}  // namespace

bool izolovaneKoreny(const CelyPolynom& q, std::vector<IzolovanyKoren>& koreny) {
    const long n = q.stupen();
    koreny.clear();
    if (n < 2 || fmpz_is_zero(q.get()->coeffs)) return false;
    const std::vector<std::complex<double>> r = odhady(q);
    if (static_cast<long>(r.size()) != n) return false;
    Koule k(n);
    for (long i = 0; i < n; ++i) {
        const std::complex<double>& z = r[static_cast<std::size_t>(i)];
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return false;
        acb_set_d_d(k.stred(i), z.real(), z.imag());
    }
    zpresni(q, k, n);
    std::vector<std::complex<double>> c;
    for (long i = 0; i < n; ++i)
        c.emplace_back(arf_get_d(arb_midref(acb_realref(k.stred(i))), ARF_RND_NEAR),
                       arf_get_d(arb_midref(acb_imagref(k.stred(i))), ARF_RND_NEAR));
    const std::vector<double> rho = polomeryDvojite(q, k, c);

    for (long i = 0; i < n; ++i) {
        const std::size_t ui = static_cast<std::size_t>(i);
        const double velikost = std::abs(c[ui]);
        const double vnitrni = dolu(dolu(velikost * (1.0 - 2.0 * U)) - rho[ui]);
        const bool uvnitr = nahoru(velikost * (1.0 + 2.0 * U) + rho[ui]) < 1.0;
        const bool vne = vnitrni > 1.0;
        bool samotny = uvnitr || vne, zrcadloSamotne = true;
        for (long j = 0; j < n && samotny; ++j) {
            if (j == i) continue;
            const double soucet = nahoru(rho[ui] + rho[static_cast<std::size_t>(j)]);
            samotny = vzdalenostDolu(c[ui], c[static_cast<std::size_t>(j)]) > soucet;
            zrcadloSamotne = zrcadloSamotne && vzdalenostDolu(std::conj(c[ui]), c[static_cast<std::size_t>(j)]) > soucet;
        }
        if (!samotny) {
            koreny.clear();
            return false;
        }
        // Its one root is its own conjugate when the mirror disc meets no other: a real root.
        const bool realny = zrcadloSamotne && std::fabs(c[ui].imag()) <= rho[ui];
        koreny.push_back(IzolovanyKoren{c[ui].real(), realny ? 0.0 : c[ui].imag(),
                                        realny ? std::fabs(c[ui].real()) : velikost, vne});
    }
    return true;
}
