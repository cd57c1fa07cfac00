#include "KorenyPolynomu.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <complex>
#include <limits>

#include "Konstanty.h"

namespace {

const double NEKONECNO = std::numeric_limits<double>::infinity();
const double EPS = std::numeric_limits<double>::epsilon();
const double LN2 = 0.69314718055994530942;

// Upper bound on the Aberth sweeps: every root converges long before on any reasonable
// input, the bound only guarantees that pathological ones terminate.
const int MAX_KOL = 100;
// Polishing steps per root after the sweeps.
const int MAX_LESTENI = 3;
// Below this sum of term magnitudes the plain evaluation may lose digits to underflow.
const double MALE_S = 0x1p-900;
// Starting circles are kept inside the range where the evaluation stays finite; roots on
// circles outside it (relative to the geometric mean of all) are not iterated.
const double LOG_MAX_POLOMER = 1000.0 * LN2;

using Komplexni = std::complex<double>;

// Horner's scheme at z for the value, the derivative and the sum of |c_i|·|z|^i.
struct Horner {
    Komplexni p, d;
    double s;
};

Horner horner(const std::vector<double>& c, const std::vector<double>& ac, Komplexni z) {
    const std::size_t n = c.size() - 1;
    const double az = std::abs(z);
    Horner h{Komplexni(c[n], 0.0), Komplexni(0.0, 0.0), ac[n]};
    for (std::size_t i = n; i-- > 0;) {
        h.d = h.d * z + h.p;
        h.p = h.p * z + c[i];
        h.s = h.s * az + ac[i];
    }
    return h;
}

// The polynomial at one point, in a form that stays finite for any finite z.
struct Hodnota {
    bool nula;         // p(z) is exactly 0
    Komplexni podil;   // p'(z) / p(z), when not nula
    double logP;       // ln |p(z)|
    double logS;       // ln of the sum of the magnitudes of the terms, the scale of rounding errors
};

// The upper convex hull of the points (i, lb_i), lb_i finite: the vertices of the Newton
// polygon, from index 0 up.
std::vector<int> obalNewtona(const std::vector<double>& lb) {
    std::vector<int> obal;
    const int n = static_cast<int>(lb.size()) - 1;
    for (int i = 0; i <= n; ++i) {
        if (lb[static_cast<std::size_t>(i)] == -NEKONECNO) continue;
        while (obal.size() >= 2) {
            const int p = obal[obal.size() - 2];
            const int q = obal.back();
            const double vektor = (q - p) * (lb[static_cast<std::size_t>(i)] - lb[static_cast<std::size_t>(p)]) -
                                  (lb[static_cast<std::size_t>(q)] - lb[static_cast<std::size_t>(p)]) * (i - p);
            if (vektor < 0.0) break;
            obal.pop_back();
        }
        obal.push_back(i);
    }
    return obal;
}

// Aberth-Ehrlich iterations for all roots of one centred polynomial at once.
class Aberth {
    const Centrovani koef;
    std::vector<double> b, ab;    // coefficients and their magnitudes, index = power
    std::vector<double> br, abr;  // the same reversed, for |z| > 1
    int n;
    std::vector<Komplexni> z;  // current approximations
    // Roots whose Newton-polygon circle lies beyond the range of the centred variable keep
    // that circle's radius (as ln) for their magnitude: the polygon locates root magnitudes
    // to within a factor of the degree, and there is no more to resolve in doubles.
    std::vector<char> mimo;
    std::vector<double> logPolomer;
    std::vector<double> uhelMimo;  // the angle of the starting point

public:
    explicit Aberth(const Centrovani& koef)
        : koef(koef), b(koef.b), ab(b.size()), br(b.rbegin(), b.rend()), abr(b.size()),
          n(static_cast<int>(b.size()) - 1), z(b.size() - 1), mimo(b.size() - 1, 0),
          logPolomer(b.size() - 1, 0.0), uhelMimo(b.size() - 1, 0.0) {
        for (std::size_t i = 0; i < b.size(); ++i) {
            ab[i] = std::fabs(b[i]);
            abr[i] = std::fabs(br[i]);
        }
    }

    // Approximations of all roots of the centred polynomial (the original ones divided by
    // 2^k), in no particular order.
    std::vector<std::complex<double>> korenyVMeritku() {
        pocatek();
        iteruj();
        lesti();
        std::vector<std::complex<double>> vysledek;
        for (int i = 0; i < n; ++i) {
            const std::size_t ui = static_cast<std::size_t>(i);
            // Not iterated: a point of its polygon circle, at full radius.
            vysledek.push_back(mimo[ui] ? std::polar(std::exp2(logPolomer[ui] / LN2), uhelMimo[ui]) : z[ui]);
        }
        return vysledek;
    }

    // Magnitudes of all roots of the original polynomial, in no particular order.
    std::vector<double> vyres() {
        pocatek();
        iteruj();
        lesti();
        return velikosti();
    }

private:
    Hodnota vyhodnot(Komplexni bod) const {
        const double az = std::abs(bod);
        if (az == 0.0) {
            if (b[0] == 0.0) return Hodnota{true, 0.0, -NEKONECNO, std::log(ab[1])};
            return Hodnota{false, Komplexni(b[1] / b[0], 0.0), std::log(ab[0]), std::log(ab[0])};
        }
        if (az <= 1.0) {
            const Horner h = horner(b, ab, bod);
            if (h.s >= MALE_S) {
                if (h.p == 0.0) return Hodnota{true, 0.0, -NEKONECNO, std::log(h.s)};
                return Hodnota{false, h.d / h.p, std::log(std::abs(h.p)), std::log(h.s)};
            }
        } else {
            // p(z) = z^n q(w) with w = 1/z and q the reversed polynomial, so
            // p'(z) / p(z) = w (n - w q'(w) / q(w)).
            const Komplexni w = 1.0 / bod;
            const Horner h = horner(br, abr, w);
            if (h.s >= MALE_S) {
                const double logZn = n * std::log(az);
                if (h.p == 0.0) return Hodnota{true, 0.0, -NEKONECNO, logZn + std::log(h.s)};
                const Komplexni u = static_cast<double>(n) - w * (h.d / h.p);
                return Hodnota{false, w * u, logZn + std::log(std::abs(h.p)), logZn + std::log(h.s)};
            }
        }
        return vyhodnotPrevazene(bod, az);
    }

    // Evaluation in the variable u = z / 2^m with |u| in [1, 2) and the coefficients rescaled
    // so that the largest term is about 1: slower, but free of underflow for any finite z.
    Hodnota vyhodnotPrevazene(Komplexni bod, double az) const {
        const int m = std::ilogb(az);
        long nejvyssi = LONG_MIN;
        for (int j = 0; j <= n; ++j)
            if (koef.vyznamne[static_cast<std::size_t>(j)] != 0.0)
                nejvyssi = std::max(nejvyssi, koef.exponenty[static_cast<std::size_t>(j)] + static_cast<long>(m) * j);
        std::vector<double> c(b.size()), ac(b.size());
        for (int j = 0; j <= n; ++j) {
            const std::size_t uj = static_cast<std::size_t>(j);
            if (koef.vyznamne[uj] == 0.0) continue;
            const long posun = koef.exponenty[uj] + static_cast<long>(m) * j - nejvyssi;
            c[uj] = std::ldexp(koef.vyznamne[uj], static_cast<int>(std::max(posun, -5000L)));
            ac[uj] = std::fabs(c[uj]);
        }
        const Horner h = horner(c, ac, Komplexni(std::ldexp(bod.real(), -m), std::ldexp(bod.imag(), -m)));
        const double logMeritko = static_cast<double>(nejvyssi) * LN2;
        const double logS = std::log(h.s) + logMeritko;
        if (h.p == 0.0) return Hodnota{true, 0.0, -NEKONECNO, logS};
        const Komplexni t = h.d / h.p;
        return Hodnota{false, Komplexni(std::ldexp(t.real(), -m), std::ldexp(t.imag(), -m)),
                       std::log(std::abs(h.p)) + logMeritko, logS};
    }

    // Starting points on the circles given by the upper convex hull of (i, ln|b_i|), the
    // Newton polygon: each edge from i to j carries j - i roots of about the magnitude
    // (|b_i| / |b_j|)^(1/(j - i)). The angles are offset so that no two circles line up
    // and no point lies on the real axis.
    void pocatek() {
        std::vector<double> lb(b.size());
        for (std::size_t i = 0; i < b.size(); ++i)
            lb[i] = koef.vyznamne[i] != 0.0
                        ? std::log(std::fabs(koef.vyznamne[i])) + static_cast<double>(koef.exponenty[i]) * LN2
                        : -NEKONECNO;

        const std::vector<int> obal = obalNewtona(lb);

        int index = 0;
        for (std::size_t h = 0; h + 1 < obal.size(); ++h) {
            const int od = obal[h];
            const int po = obal[h + 1];
            const int pocet = po - od;
            const double logR = (lb[static_cast<std::size_t>(od)] - lb[static_cast<std::size_t>(po)]) / pocet;
            const bool venku = std::fabs(logR) > LOG_MAX_POLOMER;
            const double polomer = std::exp(std::min(std::max(logR, -LOG_MAX_POLOMER), LOG_MAX_POLOMER));
            // An edge of one root beyond the range: the root is about -b_od / b_po, real.
            const bool zaporny = koef.vyznamne[static_cast<std::size_t>(od)] * koef.vyznamne[static_cast<std::size_t>(po)] > 0.0;
            for (int j = 0; j < pocet; ++j) {
                const std::size_t ui = static_cast<std::size_t>(index);
                const double uhel = venku && pocet == 1 ? (zaporny ? PI : 0.0) : 2.0 * PI * j / pocet + 2.0 * PI * od / n + 0.7;
                uhelMimo[ui] = uhel;
                z[ui] = std::polar(polomer, uhel);
                mimo[ui] = venku;
                logPolomer[ui] = logR;
                ++index;
            }
        }
    }

    // Aberth correction of root i from the value at it: 1 / (p'/p - sum_j 1 / (z_i - z_j)).
    // False when there is none that keeps the point finite.
    bool oprava(int i, const Hodnota& v, Komplexni& w) const {
        Komplexni soucet(0.0, 0.0);
        const Komplexni zi = z[static_cast<std::size_t>(i)];
        for (int j = 0; j < n; ++j) {
            const Komplexni rozdil = zi - z[static_cast<std::size_t>(j)];
            if (j != i && rozdil != 0.0) soucet += 1.0 / rozdil;
        }
        const Komplexni jmenovatel = v.podil - soucet;
        if (jmenovatel == 0.0) return false;
        w = 1.0 / jmenovatel;
        return std::isfinite(w.real()) && std::isfinite(w.imag()) && std::isfinite((zi - w).real()) &&
               std::isfinite((zi - w).imag());
    }

    // Sweeps in Gauss-Seidel order until every root has a residual at the level of the
    // rounding errors or a correction below the last digit, or the sweep limit is reached.
    void iteruj() {
        const double logTolerance = std::log(2.0 * (n + 1) * EPS);
        std::vector<char> hotovo(mimo);
        int zbyva = static_cast<int>(std::count(mimo.begin(), mimo.end(), 0));
        for (int kolo = 0; kolo < MAX_KOL && zbyva > 0; ++kolo) {
            for (int i = 0; i < n; ++i) {
                const std::size_t ui = static_cast<std::size_t>(i);
                if (hotovo[ui]) continue;
                const Hodnota v = vyhodnot(z[ui]);
                Komplexni w;
                if (v.nula || v.logP <= v.logS + logTolerance) {
                    hotovo[ui] = 1;
                    --zbyva;
                } else if (!oprava(i, v, w)) {
                    // No usable correction (a critical point or coinciding approximations):
                    // a small turn moves the point away and the next sweep tries again.
                    z[ui] *= Komplexni(1.0, 1e-3);
                } else {
                    z[ui] -= w;
                    if (std::abs(w) <= EPS * std::abs(z[ui])) {
                        hotovo[ui] = 1;
                        --zbyva;
                    }
                }
            }
        }
    }

    // Final Aberth steps per root, each kept only when it lowers the residual.
    void lesti() {
        for (int i = 0; i < n; ++i) {
            const std::size_t ui = static_cast<std::size_t>(i);
            if (mimo[ui]) continue;
            Hodnota v = vyhodnot(z[ui]);
            for (int krok = 0; krok < MAX_LESTENI && !v.nula; ++krok) {
                Komplexni w;
                if (!oprava(i, v, w)) break;
                const Komplexni nova = z[ui] - w;
                const Hodnota hodnotaNove = vyhodnot(nova);
                if (!(hodnotaNove.nula || hodnotaNove.logP < v.logP)) break;
                z[ui] = nova;
                v = hodnotaNove;
                if (std::abs(w) <= EPS * std::abs(nova)) break;
            }
        }
    }

    // Magnitudes of the approximations; roots beyond the range of the centred variable keep
    // the radius of their Newton-polygon circle.
    std::vector<double> velikosti() const {
        std::vector<double> vysledek(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < vysledek.size(); ++i)
            vysledek[i] = mimo[i] ? std::exp2(logPolomer[i] / LN2 + koef.k) : std::ldexp(std::abs(z[i]), koef.k);
        return vysledek;
    }
};

}  // namespace

Centrovani centrujRozlozene(const std::vector<double>& mantisy, const std::vector<long>& exponenty) {
    const std::size_t n = mantisy.size() - 1;
    auto log2Velikost = [&](std::size_t i) { return std::log2(std::fabs(mantisy[i])) + static_cast<double>(exponenty[i]); };
    Centrovani c;
    c.k = static_cast<int>(std::lround((log2Velikost(0) - log2Velikost(n)) / static_cast<double>(n)));
    c.b.assign(mantisy.size(), 0.0);
    c.vyznamne.assign(mantisy.size(), 0.0);
    c.exponenty.assign(mantisy.size(), 0);
    long nejvyssi = LONG_MIN;
    for (std::size_t i = 0; i <= n; ++i) {
        if (mantisy[i] == 0.0) continue;
        const int e = std::ilogb(mantisy[i]);
        c.vyznamne[i] = std::ldexp(mantisy[i], -e);
        c.exponenty[i] = exponenty[i] + e + static_cast<long>(c.k) * static_cast<long>(i);
        nejvyssi = std::max(nejvyssi, c.exponenty[i]);
    }
    for (std::size_t i = 0; i <= n; ++i) {
        if (mantisy[i] == 0.0) continue;
        c.exponenty[i] -= nejvyssi;
        c.b[i] = std::ldexp(c.vyznamne[i], static_cast<int>(std::max(c.exponenty[i], -5000L)));
    }
    return c;
}

Centrovani centruj(const std::vector<double>& a) { return centrujRozlozene(a, std::vector<long>(a.size(), 0)); }

std::vector<std::complex<double>> korenyCentrovanych(const Centrovani& c) {
    std::vector<std::complex<double>> koreny = Aberth(c).korenyVMeritku();
    for (std::complex<double>& z : koreny) z = {std::ldexp(z.real(), c.k), std::ldexp(z.imag(), c.k)};
    return koreny;
}

namespace {

// Two neighbouring edges of the Newton polygon whose root magnitudes differ by more than this
// factor (as a power of two) separate their roots into bands of their own.
const double MEZERA_PASEM = 64.0;

// log2 |m 2^e|, -infinity for 0.
double log2Velikosti(double m, long e) { return m != 0.0 ? std::log2(std::fabs(m)) + static_cast<double>(e) : -NEKONECNO; }

// The roots of the band of coefficients od ... po, whose polynomial alone approximates them.
void korenyPasma(const std::vector<double>& mantisy, const std::vector<long>& exponenty, int od, int po,
                 std::vector<KorenSMeritkem>& koreny) {
    const std::size_t a = static_cast<std::size_t>(od), b = static_cast<std::size_t>(po);
    if (po - od == 1) {
        koreny.push_back({{-mantisy[a] / mantisy[b], 0.0}, exponenty[a] - exponenty[b]});
        return;
    }
    const Centrovani c = centrujRozlozene(std::vector<double>(mantisy.begin() + od, mantisy.begin() + po + 1),
                                          std::vector<long>(exponenty.begin() + od, exponenty.begin() + po + 1));
    for (const std::complex<double>& w : Aberth(c).korenyVMeritku()) koreny.push_back({w, c.k});
}

}  // namespace

std::vector<KorenSMeritkem> korenyPasem(const std::vector<double>& mantisy, const std::vector<long>& exponenty) {
    std::vector<double> lb(mantisy.size());
    for (std::size_t i = 0; i < lb.size(); ++i) lb[i] = log2Velikosti(mantisy[i], exponenty[i]);
    const std::vector<int> obal = obalNewtona(lb);
    std::vector<KorenSMeritkem> koreny;
    // log2 of the root magnitude of edge h, rising along the polygon
    auto polomer = [&](std::size_t h) {
        return (lb[static_cast<std::size_t>(obal[h])] - lb[static_cast<std::size_t>(obal[h + 1])]) / (obal[h + 1] - obal[h]);
    };
    std::size_t zacatek = 0;
    for (std::size_t h = 0; h + 1 < obal.size(); ++h) {
        const bool konec = h + 2 == obal.size() || polomer(h + 1) - polomer(h) > MEZERA_PASEM;
        if (!konec) continue;
        korenyPasma(mantisy, exponenty, obal[zacatek], obal[h + 1], koreny);
        zacatek = h + 1;
    }
    return koreny;
}

std::vector<double> velikostiKorenu(const Centrovani& c) { return Aberth(c).vyres(); }

std::vector<std::complex<double>> korenyPolynomu(const std::vector<double>& a) {
    std::size_t horni = a.size();
    while (horni > 0 && a[horni - 1] == 0.0) --horni;
    std::size_t dolni = 0;
    while (dolni < horni && a[dolni] == 0.0) ++dolni;
    for (std::size_t i = 0; i < horni; ++i)
        if (!std::isfinite(a[i])) return {};
    std::vector<std::complex<double>> koreny(dolni);
    if (horni == 0 || horni - dolni < 2) return koreny;
    const std::vector<double> jadro(a.begin() + static_cast<long>(dolni), a.begin() + static_cast<long>(horni));
    std::vector<std::complex<double>> ostatni;
    if (jadro.size() == 2)
        ostatni = {std::complex<double>(-jadro[0] / jadro[1], 0.0)};
    else
        ostatni = korenyCentrovanych(centruj(jadro));
    koreny.insert(koreny.end(), ostatni.begin(), ostatni.end());
    return koreny;
}
