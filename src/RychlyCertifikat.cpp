#include "RychlyCertifikat.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Skupiny.h"
#include "SmerovaneZaokrouhleni.h"

namespace {

using smerovane::dolu;
using smerovane::gama;
using smerovane::nahoru;
using smerovane::U;

// Squarings tried: F^2 ... F^1024, within about a second of products for the largest orders.
const int MAX_UMOCNENI = 10;
const double MAX_OPERACI = 1e9;

double normaRadku(const std::vector<double>& A, int n) {
    double norma = 0.0;
    for (int i = 0; i < n; ++i) {
        double soucet = 0.0;
        for (int j = 0; j < n; ++j) soucet += std::fabs(A[static_cast<std::size_t>(i * n + j)]);
        norma = std::max(norma, soucet);
    }
    return nahoru(norma * (1.0 + gama(n)));
}

std::vector<double> ctverec(const std::vector<double>& A, int n) {
    std::vector<double> C(A.size(), 0.0);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k) {
            const double a = A[static_cast<std::size_t>(i * n + k)];
            if (a == 0.0) continue;
            double* radek = &C[static_cast<std::size_t>(i * n)];
            const double* zdroj = &A[static_cast<std::size_t>(k * n)];
            for (int j = 0; j < n; ++j) radek[j] += a * zdroj[j];
        }
    return C;
}

// Divides A by 2^t (exactly) so that its norm lies near 1; returns t.
int normuj(std::vector<double>& A, double norma) {
    if (norma == 0.0 || !std::isfinite(norma)) return 0;
    const int t = std::ilogb(norma);
    for (double& x : A) x = std::ldexp(x, -t);
    return t;
}

}  // namespace

// Invariant: the exact F^k equals 2^s (A + E) with ||E|| <= e.
std::optional<bool> certifikatMocnin(const std::vector<double>& F, int n, double relativniChyba) {
    if (n == 0) return true;
    for (double x : F)
        if (!std::isfinite(x)) return std::nullopt;
    std::vector<double> A = F;
    long s = normuj(A, normaRadku(A, n));
    double norma = normaRadku(A, n);
    double e = nahoru(relativniChyba * norma);

    for (int krok = 0; krok <= MAX_UMOCNENI; ++krok) {
        // ||F^k|| <= 2^s (||A|| + e) < 1.
        // Beyond +-2000 the scaled values are infinite or below every bound (both conservative).
        const int mocnitel = static_cast<int>(std::clamp(s, -2000L, 2000L));
        if (std::ldexp(nahoru(norma + e), mocnitel) < 1.0) return true;
        // |trace F^k| >= 2^s (|trace A| - n e) > n.
        double stopa = 0.0, velikostStopy = 0.0;
        for (int i = 0; i < n; ++i) {
            stopa += A[static_cast<std::size_t>(i * n + i)];
            velikostStopy += std::fabs(A[static_cast<std::size_t>(i * n + i)]);
        }
        const double dolniStopa = dolu(std::fabs(stopa) - nahoru(gama(n) * velikostStopy + n * e));
        if (dolniStopa > 0.0 && std::ldexp(dolniStopa, mocnitel) > n) return false;
        // Beyond this the bounds say nothing more, or the exact path is cheaper.
        const double operace = 2.0 * n * n * static_cast<double>(n) * (krok + 1);
        if (krok == MAX_UMOCNENI || !(e < norma) || operace > MAX_OPERACI) break;

        // F^2k = 2^2s (A^2 + AE + EA + E^2), and the product is rounded by at most gamma_n |A||A|.
        const double chybaSouctu = gama(n) * norma * norma;
        A = ctverec(A, n);
        e = nahoru(2.0 * norma * e + e * e + chybaSouctu);
        s *= 2;
        norma = normaRadku(A, n);
        const int t = normuj(A, norma);
        s += t;
        e = std::ldexp(e, -t);
        norma = normaRadku(A, n);
        if (s > 100000 || s < -100000) break;
    }
    return std::nullopt;
}

namespace {

// A positive value as significand times a power of two, so that long products neither
// overflow nor underflow.
struct Soucin {
    double mantisa = 1.0;
    long exponent = 0;
    void krat(double x) {
        int e;
        mantisa = std::frexp(mantisa * x, &e);
        exponent += e;
    }
};

// Upper bound of n |q(r)| / |q_n prod_{j != i} (r - r_j)|; +infinity when it cannot be formed.
double polomerKruhu(const std::vector<double>& q, double relativniChyba, const std::vector<std::complex<double>>& r,
                    std::size_t i) {
    const std::size_t n = q.size() - 1;
    std::complex<double> hodnota(q[n], 0.0);
    double soucet = std::fabs(q[n]);  // sum |q_k| |r|^k, the scale of every error
    const double velikost = std::abs(r[i]);
    for (std::size_t k = n; k-- > 0;) {
        hodnota = hodnota * r[i] + q[k];
        soucet = soucet * velikost + std::fabs(q[k]);
    }
    const double horniSoucet = nahoru(soucet * (1.0 + 4.0 * gama(2.0 * n + 2.0)) * (1.0 + 2.0 * U));
    const double chyba = (8.0 * (n + 2.0) * U + relativniChyba) * horniSoucet;
    const double citatel = nahoru(n * nahoru(std::abs(hodnota) * (1.0 + 2.0 * U) + chyba));

    Soucin jmenovatel;
    jmenovatel.krat(std::fabs(q[n]) * (1.0 - relativniChyba));
    for (std::size_t j = 0; j < n; ++j)
        if (j != i) jmenovatel.krat(std::abs(r[i] - r[j]));
    const double dolniMantisa = jmenovatel.mantisa * (1.0 - (6.0 * n + 8.0) * U);
    if (!(dolniMantisa > 0.0) || !std::isfinite(citatel)) return std::numeric_limits<double>::infinity();
    const long exponent = std::clamp(-jmenovatel.exponent, -5000L, 5000L);
    return nahoru(std::ldexp(citatel / dolniMantisa, static_cast<int>(exponent)));
}

}  // namespace

std::optional<bool> certifikatKorenu(const std::vector<double>& a, double relativniChyba,
                                     std::vector<std::complex<double>> odhady) {
    if (a.empty() || a.back() == 0.0) return std::nullopt;
    for (double x : a)
        if (!std::isfinite(x) || (x != 0.0 && std::fabs(x) < std::numeric_limits<double>::min())) return std::nullopt;
    std::size_t nuly = 0;
    while (a[nuly] == 0.0) ++nuly;
    const std::vector<double> q(a.begin() + static_cast<long>(nuly), a.end());
    const std::size_t n = q.size() - 1;
    if (n == 0) return true;
    if (odhady.size() != a.size() - 1) return std::nullopt;
    for (const std::complex<double>& z : odhady)
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return std::nullopt;
    // The approximations of the roots at 0 are the smallest ones.
    std::sort(odhady.begin(), odhady.end(),
              [](const std::complex<double>& x, const std::complex<double>& y) { return std::abs(x) > std::abs(y); });
    odhady.resize(n);

    std::vector<double> polomery(n);
    for (std::size_t i = 0; i < n; ++i) polomery[i] = polomerKruhu(q, relativniChyba, odhady, i);

    bool vseUvnitr = true;
    for (std::size_t i = 0; i < n; ++i)
        if (!(nahoru(std::abs(odhady[i]) * (1.0 + 2.0 * U) + polomery[i]) < 1.0)) vseUvnitr = false;
    if (vseUvnitr) return true;

    const int pocet = static_cast<int>(n);
    Skupiny skupiny(pocet);
    for (int i = 0; i < pocet; ++i)
        for (int j = i + 1; j < pocet; ++j) {
            const std::size_t ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
            if (!(dolu(std::abs(odhady[ui] - odhady[uj]) * (1.0 - 4.0 * U)) > nahoru(polomery[ui] + polomery[uj])))
                skupiny.spoj(i, j);
        }
    std::vector<char> skupinaVne(n, 1);
    for (int i = 0; i < pocet; ++i) {
        const std::size_t ui = static_cast<std::size_t>(i);
        if (!(dolu(std::abs(odhady[ui]) * (1.0 - 2.0 * U) - polomery[ui]) > 1.0))
            skupinaVne[static_cast<std::size_t>(skupiny.koren(i))] = 0;
    }
    for (int i = 0; i < pocet; ++i)
        if (skupiny.koren(i) == i && skupinaVne[static_cast<std::size_t>(i)]) return false;
    return std::nullopt;
}
