#include "InkluzniKruhy.h"

#include <complex>
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
void polomerKruhu(const CelyPolynom& q, Koule& k, long n, long i) {
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
        acb_sub(rozdil, k.stred(i), k.stred(j), PRESNOST);
        acb_abs(abs, rozdil, PRESNOST);
        arb_mul(soucin, soucin, abs, PRESNOST);
    }
    arb_fmpz_poly_evaluate_acb(hodnota, q.get(), k.stred(i), PRESNOST);
    acb_abs(abs, hodnota, PRESNOST);
    arb_mul_si(abs, abs, n, PRESNOST);
    arb_div(abs, abs, soucin, PRESNOST);
    arf_t horni;
    arf_init(horni);
    arb_get_ubound_arf(horni, abs, PRESNOST);
    arb_set_arf(k.polomer(i), horni);
    arf_clear(horni);
    acb_abs(k.velikost(i), k.stred(i), PRESNOST);
    acb_clear(hodnota);
    acb_clear(rozdil);
    arb_clear(soucin);
    arb_clear(abs);
}

Skupiny spojeneKruhy(Koule& k, long n) {
    Skupiny skupiny(n);
    acb_t rozdil;
    arb_t vzdalenost, soucet;
    acb_init(rozdil);
    arb_init(vzdalenost);
    arb_init(soucet);
    for (long i = 0; i < n; ++i)
        for (long j = i + 1; j < n; ++j) {
            acb_sub(rozdil, k.stred(i), k.stred(j), PRESNOST);
            acb_abs(vzdalenost, rozdil, PRESNOST);
            arb_add(soucet, k.polomer(i), k.polomer(j), PRESNOST);
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
    for (long i = 0; i < n; ++i) polomerKruhu(q, k, n, i);

    arb_t hranice, R;
    arb_init(hranice);
    arb_init(R);
    arb_set_si(R, polomer);
    bool vseUvnitr = true;
    Skupiny skupiny = spojeneKruhy(k, n);
    std::vector<char> skupinaVne(static_cast<std::size_t>(n), 1);
    for (long i = 0; i < n; ++i) {
        arb_add(hranice, k.velikost(i), k.polomer(i), PRESNOST);
        if (!arb_le(hranice, R)) vseUvnitr = false;
        arb_sub(hranice, k.velikost(i), k.polomer(i), PRESNOST);
        if (!arb_gt(hranice, R)) skupinaVne[static_cast<std::size_t>(skupiny.koren(i))] = 0;
    }
    arb_clear(hranice);
    arb_clear(R);
    if (vseUvnitr) return PolohaKorenu::VsechnyUvnitr;
    for (long i = 0; i < n; ++i)
        if (skupiny.koren(i) == i && skupinaVne[static_cast<std::size_t>(i)]) return PolohaKorenu::NektereVne;
    return PolohaKorenu::Nerozhodnuto;
}
