#include "Rovnice.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <complex>
#include <limits>
#include <numeric>
#include <vector>

#include "Matrix.h"

namespace {

const double NEKONECNO = std::numeric_limits<double>::infinity();
const double EPS = std::numeric_limits<double>::epsilon();
const double PI = 3.14159265358979323846;
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
// Newton steps for the centre of a multiple root.
const int MAX_STRED = 20;
// Relative distances over which approximations are grouped as candidates for one multiple root.
const double MIN_SHLUK = 1e-14;
const double MAX_SHLUK = 0.1;

double velikost(double re, double im) {
    double a = std::fabs(re);
    double b = std::fabs(im);
    if (a < b) std::swap(a, b);
    if (a == 0.0) return 0.0;
    const double r = b / a;
    return a * std::sqrt(1.0 + r * r);
}

// (ar + i·ai) / (br + i·bi) with scaling so that neither product overflows.
void podil(double ar, double ai, double br, double bi, double& vr, double& vi) {
    if (std::fabs(br) >= std::fabs(bi)) {
        const double r = bi / br;
        const double d = br + bi * r;
        vr = (ar + ai * r) / d;
        vi = (ai - ar * r) / d;
    } else {
        const double r = br / bi;
        const double d = br * r + bi;
        vr = (ar * r + ai) / d;
        vi = (ai * r - ar) / d;
    }
}

// ln(e^x + e^y) without overflow; either may be -infinity.
double logSoucet(double x, double y) {
    if (x < y) std::swap(x, y);
    if (y == -NEKONECNO) return x;
    return x + std::log1p(std::exp(y - x));
}

// Exact rescaling by powers of two: the roots of b are the roots of a divided by 2^k,
// k chosen so that the geometric mean of the root magnitudes is near 1, and the
// largest |b_i| lies in [1, 2). Keeps the evaluation away from overflow and underflow.
// Each coefficient is also kept as significand times a power of two, since coefficients far
// below the largest one underflow in b but may still decide the smallest or largest roots.
struct Centrovani {
    std::vector<double> b;
    std::vector<double> vyznamne;  // b_i = vyznamne_i * 2^exponenty_i, |vyznamne_i| in [1, 2)
    std::vector<long> exponenty;   // meaningless where the coefficient is 0
    int k;
    bool uplne;  // no non-zero coefficient of b lost digits to underflow
};

Centrovani centruj(const std::vector<double>& a) {
    const int n = static_cast<int>(a.size()) - 1;
    const double log2Prumer =
        (std::log2(std::fabs(a[0])) - std::log2(std::fabs(a[static_cast<std::size_t>(n)]))) / n;
    Centrovani c;
    c.k = static_cast<int>(std::lround(log2Prumer));
    c.b.assign(a.size(), 0.0);
    c.vyznamne.assign(a.size(), 0.0);
    c.exponenty.assign(a.size(), 0);
    c.uplne = true;
    long nejvyssi = LONG_MIN;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 0.0) continue;
        const int e = std::ilogb(a[i]);
        c.vyznamne[i] = std::ldexp(a[i], -e);
        c.exponenty[i] = e + static_cast<long>(c.k) * static_cast<long>(i);
        nejvyssi = std::max(nejvyssi, c.exponenty[i]);
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 0.0) continue;
        c.exponenty[i] -= nejvyssi;
        c.b[i] = std::ldexp(c.vyznamne[i], static_cast<int>(std::max(c.exponenty[i], -5000L)));
        if (c.exponenty[i] < -1000) c.uplne = false;
    }
    return c;
}

// Horner's scheme at z for the value, the derivative and the sum of |c_i|·|z|^i.
struct Horner {
    double pr, pi, dr, di, s;
};

Horner horner(const std::vector<double>& c, const std::vector<double>& ac, double zr,
              double zi) {
    const std::size_t n = c.size() - 1;
    const double az = velikost(zr, zi);
    Horner h{c[n], 0.0, 0.0, 0.0, ac[n]};
    for (std::size_t i = n; i-- > 0;) {
        const double ndr = h.dr * zr - h.di * zi + h.pr;
        const double ndi = h.dr * zi + h.di * zr + h.pi;
        const double npr = h.pr * zr - h.pi * zi + c[i];
        const double npi = h.pr * zi + h.pi * zr;
        h.dr = ndr;
        h.di = ndi;
        h.pr = npr;
        h.pi = npi;
        h.s = h.s * az + ac[i];
    }
    return h;
}

// The polynomial at one point, in a form that stays finite for any finite z.
struct Hodnota {
    bool nula;       // p(z) is exactly 0
    double podilRe;  // p'(z) / p(z), when not nula
    double podilIm;
    double logP;  // ln |p(z)|
    double logS;  // ln of the sum of the magnitudes of the terms, the scale of rounding errors
};

// Partition of 0 ... n-1 into groups by union-find; remembers which groups grew since the
// last listing.
class Rozklad {
    std::vector<int> rodic;
    std::vector<char> zmenena;

    int koren(int x) {
        while (rodic[static_cast<std::size_t>(x)] != x) {
            rodic[static_cast<std::size_t>(x)] = rodic[static_cast<std::size_t>(rodic[static_cast<std::size_t>(x)])];
            x = rodic[static_cast<std::size_t>(x)];
        }
        return x;
    }

public:
    explicit Rozklad(int n) : rodic(static_cast<std::size_t>(n)), zmenena(static_cast<std::size_t>(n), 0) {
        std::iota(rodic.begin(), rodic.end(), 0);
    }

    void spoj(int a, int b) {
        a = koren(a);
        b = koren(b);
        if (a == b) return;
        rodic[static_cast<std::size_t>(a)] = b;
        zmenena[static_cast<std::size_t>(b)] = 1;
    }

    // The groups (all, or only those that grew since the last listing), each in index order.
    std::vector<std::vector<int>> skupiny(bool jenZmenene) {
        const int n = static_cast<int>(rodic.size());
        std::vector<std::vector<int>> vysledek(rodic.size());
        for (int i = 0; i < n; ++i) {
            const int r = koren(i);
            if (!jenZmenene || zmenena[static_cast<std::size_t>(r)]) vysledek[static_cast<std::size_t>(r)].push_back(i);
        }
        std::fill(zmenena.begin(), zmenena.end(), 0);
        return vysledek;
    }
};

// Aberth-Ehrlich iterations for all roots of one centred polynomial at once.
class Aberth {
    const Centrovani koef;
    std::vector<double> b, ab;    // coefficients and their magnitudes, index = power
    std::vector<double> br, abr;  // the same reversed, for |z| > 1
    int n;
    std::vector<double> zr, zi;  // current approximations
    // Roots whose Newton-polygon circle lies beyond the range of the centred variable keep
    // that circle's radius (as ln) for their magnitude: the polygon locates root magnitudes
    // to within a factor of the degree, and there is no more to resolve in doubles.
    std::vector<char> mimo;
    std::vector<double> logPolomer;

public:
    explicit Aberth(const Centrovani& koef)
        : koef(koef), b(koef.b), ab(b.size()), br(b.rbegin(), b.rend()), abr(b.size()),
          n(static_cast<int>(b.size()) - 1), zr(b.size() - 1), zi(b.size() - 1), mimo(b.size() - 1, 0),
          logPolomer(b.size() - 1, 0.0) {
        for (std::size_t i = 0; i < b.size(); ++i) {
            ab[i] = std::fabs(b[i]);
            abr[i] = std::fabs(br[i]);
        }
    }

    // Approximations of all roots of the original polynomial, in no particular order.
    std::vector<std::complex<double>> koreny() {
        pocatek();
        iteruj();
        lesti();
        std::vector<std::complex<double>> vysledek;
        for (int i = 0; i < n; ++i) {
            const std::size_t ui = static_cast<std::size_t>(i);
            vysledek.emplace_back(std::ldexp(zr[ui], koef.k), std::ldexp(zi[ui], koef.k));
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
    Hodnota vyhodnot(double r, double i) const {
        const double az = velikost(r, i);
        if (az == 0.0) {
            if (b[0] == 0.0) return Hodnota{true, 0.0, 0.0, -NEKONECNO, std::log(ab[1])};
            double pr, pi;
            podil(b[1], 0.0, b[0], 0.0, pr, pi);
            return Hodnota{false, pr, pi, std::log(ab[0]), std::log(ab[0])};
        }
        if (az <= 1.0) {
            const Horner h = horner(b, ab, r, i);
            if (h.s >= MALE_S) {
                if (h.pr == 0.0 && h.pi == 0.0) return Hodnota{true, 0.0, 0.0, -NEKONECNO, std::log(h.s)};
                Hodnota v{false, 0.0, 0.0, std::log(velikost(h.pr, h.pi)), std::log(h.s)};
                podil(h.dr, h.di, h.pr, h.pi, v.podilRe, v.podilIm);
                return v;
            }
        } else {
            // p(z) = z^n q(w) with w = 1/z and q the reversed polynomial, so
            // p'(z) / p(z) = w (n - w q'(w) / q(w)).
            double wr, wi;
            podil(1.0, 0.0, r, i, wr, wi);
            const Horner h = horner(br, abr, wr, wi);
            if (h.s >= MALE_S) {
                const double logZn = n * std::log(az);
                if (h.pr == 0.0 && h.pi == 0.0) return Hodnota{true, 0.0, 0.0, -NEKONECNO, logZn + std::log(h.s)};
                double tr, ti;
                podil(h.dr, h.di, h.pr, h.pi, tr, ti);
                const double ur = n - (wr * tr - wi * ti);
                const double ui = -(wr * ti + wi * tr);
                Hodnota v{false, wr * ur - wi * ui, wr * ui + wi * ur,
                          logZn + std::log(velikost(h.pr, h.pi)), logZn + std::log(h.s)};
                return v;
            }
        }
        return vyhodnotPrevazene(r, i, az);
    }

    // Evaluation in the variable u = z / 2^m with |u| in [1, 2) and the coefficients rescaled
    // so that the largest term is about 1: slower, but free of underflow for any finite z.
    Hodnota vyhodnotPrevazene(double r, double i, double az) const {
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
        const Horner h = horner(c, ac, std::ldexp(r, -m), std::ldexp(i, -m));
        const double logMeritko = static_cast<double>(nejvyssi) * LN2;
        const double logS = std::log(h.s) + logMeritko;
        if (h.pr == 0.0 && h.pi == 0.0) return Hodnota{true, 0.0, 0.0, -NEKONECNO, logS};
        double tr, ti;
        podil(h.dr, h.di, h.pr, h.pi, tr, ti);
        return Hodnota{false, std::ldexp(tr, -m), std::ldexp(ti, -m),
                       std::log(velikost(h.pr, h.pi)) + logMeritko, logS};
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

        std::vector<int> obal;
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

        int index = 0;
        for (std::size_t h = 0; h + 1 < obal.size(); ++h) {
            const int od = obal[h];
            const int po = obal[h + 1];
            const int pocet = po - od;
            const double logR = (lb[static_cast<std::size_t>(od)] - lb[static_cast<std::size_t>(po)]) / pocet;
            const bool venku = std::fabs(logR) > LOG_MAX_POLOMER;
            const double polomer = std::exp(std::min(std::max(logR, -LOG_MAX_POLOMER), LOG_MAX_POLOMER));
            for (int j = 0; j < pocet; ++j) {
                const std::size_t ui = static_cast<std::size_t>(index);
                const double uhel = 2.0 * PI * j / pocet + 2.0 * PI * od / n + 0.7;
                zr[ui] = polomer * std::cos(uhel);
                zi[ui] = polomer * std::sin(uhel);
                mimo[ui] = venku;
                logPolomer[ui] = logR;
                ++index;
            }
        }
    }

    // Aberth correction of root i from the value at it: 1 / (p'/p - sum_j 1 / (z_i - z_j)).
    bool oprava(int i, const Hodnota& v, double& wr, double& wi) const {
        double sr = 0.0;
        double si = 0.0;
        const double r = zr[static_cast<std::size_t>(i)];
        const double im = zi[static_cast<std::size_t>(i)];
        for (int j = 0; j < n; ++j) {
            if (j == i) continue;
            const double dr = r - zr[static_cast<std::size_t>(j)];
            const double di = im - zi[static_cast<std::size_t>(j)];
            const double d = dr * dr + di * di;
            if (d > 0x1p-1000 && d < 0x1p+1000) {
                sr += dr / d;
                si -= di / d;
            } else if (dr != 0.0 || di != 0.0) {
                // Far apart or very close: the squares would leave the range.
                double vr, vi;
                podil(1.0, 0.0, dr, di, vr, vi);
                sr += vr;
                si += vi;
            }
        }
        const double jr = v.podilRe - sr;
        const double ji = v.podilIm - si;
        if (jr == 0.0 && ji == 0.0) return false;
        podil(1.0, 0.0, jr, ji, wr, wi);
        return std::isfinite(wr) && std::isfinite(wi) && std::isfinite(r - wr) && std::isfinite(im - wi);
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
                const Hodnota v = vyhodnot(zr[ui], zi[ui]);
                if (v.nula || v.logP <= v.logS + logTolerance) {
                    hotovo[ui] = 1;
                    --zbyva;
                    continue;
                }
                double wr, wi;
                if (!oprava(i, v, wr, wi)) {
                    // No usable correction (a critical point or coinciding approximations):
                    // a small turn moves the point away and the next sweep tries again.
                    const double r = zr[ui];
                    zr[ui] = r - 1e-3 * zi[ui];
                    zi[ui] = zi[ui] + 1e-3 * r;
                    continue;
                }
                zr[ui] -= wr;
                zi[ui] -= wi;
                if (velikost(wr, wi) <= EPS * velikost(zr[ui], zi[ui])) {
                    hotovo[ui] = 1;
                    --zbyva;
                }
            }
        }
    }

    // Final Aberth steps per root, each kept only when it lowers the residual.
    void lesti() {
        for (int i = 0; i < n; ++i) {
            const std::size_t ui = static_cast<std::size_t>(i);
            if (mimo[ui]) continue;
            Hodnota v = vyhodnot(zr[ui], zi[ui]);
            for (int krok = 0; krok < MAX_LESTENI && !v.nula; ++krok) {
                double wr, wi;
                if (!oprava(i, v, wr, wi)) break;
                const double nr = zr[ui] - wr;
                const double ni = zi[ui] - wi;
                const Hodnota nova = vyhodnot(nr, ni);
                if (!(nova.nula || nova.logP < v.logP)) break;
                zr[ui] = nr;
                zi[ui] = ni;
                v = nova;
                if (velikost(wr, wi) <= EPS * velikost(nr, ni)) break;
            }
        }
    }

    // Inclusion radii: the disk of radius n |p(z_i)| / |b_n prod_{j != i} (z_i - z_j)| around
    // z_i contains a root, and a connected group of k such disks apart from the others holds
    // exactly k roots. |p(z_i)| is enlarged by its rounding error bound. Infinite when the
    // radius cannot be formed.
    std::vector<double> polomery() const {
        std::vector<double> r(static_cast<std::size_t>(n), NEKONECNO);
        const double logChyby = std::log(6.0 * (n + 1) * EPS);
        const double logBn = std::log(std::fabs(koef.vyznamne.back())) + static_cast<double>(koef.exponenty.back()) * LN2;
        for (int i = 0; i < n; ++i) {
            const std::size_t ui = static_cast<std::size_t>(i);
            if (mimo[ui]) continue;
            double mantisa = 1.0;
            long exponent = 0;
            bool souhlasi = false;
            for (int j = 0; j < n; ++j) {
                if (j == i) continue;
                const double d = velikost(zr[ui] - zr[static_cast<std::size_t>(j)], zi[ui] - zi[static_cast<std::size_t>(j)]);
                if (d == 0.0) {
                    souhlasi = true;
                    break;
                }
                int e;
                mantisa = std::frexp(mantisa * d, &e);
                exponent += e;
            }
            if (souhlasi) continue;
            const Hodnota v = vyhodnot(zr[ui], zi[ui]);
            const double logR = std::log(static_cast<double>(n)) + logSoucet(v.logP, v.logS + logChyby) - logBn -
                                (std::log(mantisa) + static_cast<double>(exponent) * LN2);
            r[ui] = logR < 700.0 ? std::exp(logR) : NEKONECNO;
        }
        return r;
    }

    // Taylor coefficients t_0 ... t_K of b around z (p(z + h) = sum t_j h^j) by repeated
    // synthetic division, with the same sums over |b_i| at |z| as their rounding scale.
    static void taylor(const std::vector<double>& c, const std::vector<double>& ac, double zr, double zi,
                       int K, std::vector<double>& tr, std::vector<double>& ti, std::vector<double>& ts) {
        const std::size_t n = c.size() - 1;
        const double az = velikost(zr, zi);
        std::vector<double> dr(c), di(c.size(), 0.0), ds(ac);
        const std::size_t kk = static_cast<std::size_t>(K);
        tr.assign(kk + 1, 0.0);
        ti.assign(kk + 1, 0.0);
        ts.assign(kk + 1, 0.0);
        for (std::size_t j = 0; j <= kk && j <= n; ++j) {
            for (std::size_t i = n; i-- > j;) {
                const double r = dr[i + 1] * zr - di[i + 1] * zi;
                const double im = dr[i + 1] * zi + di[i + 1] * zr;
                dr[i] += r;
                di[i] += im;
                ds[i] += ds[i + 1] * az;
            }
            tr[j] = dr[j];
            ti[j] = di[j];
            ts[j] = ds[j];
        }
    }

    // A group of k approximations that may stand for one k-fold root: its centre is the
    // simple root of p^(k-1) near their mean, found by Newton's method. It is accepted only
    // when t_0 ... t_(k-1) vanish there up to their rounding errors, i.e. when p lies within
    // rounding of a polynomial with a k-fold root at that point. A group of distinct roots
    // that the arithmetic can still tell apart fails the test and keeps its own values.
    // Works on the reversed polynomial outside the unit circle so that nothing overflows.
    bool nasobnyKoren(const std::vector<int>& skupina, double& velikostStredu) const {
        const int k = static_cast<int>(skupina.size());
        double sr = 0.0;
        double si = 0.0;
        for (int i : skupina) {
            sr += zr[static_cast<std::size_t>(i)];
            si += zi[static_cast<std::size_t>(i)];
        }
        sr /= k;
        si /= k;
        // The centre found must stay nearer to the group than to any other approximation.
        std::vector<char> clen(static_cast<std::size_t>(n), 0);
        for (int i : skupina) clen[static_cast<std::size_t>(i)] = 1;
        double nejblizsi = NEKONECNO;
        for (int j = 0; j < n; ++j)
            if (!clen[static_cast<std::size_t>(j)])
                nejblizsi = std::min(nejblizsi, velikost(zr[static_cast<std::size_t>(j)] - sr, zi[static_cast<std::size_t>(j)] - si));
        const bool obracene = velikost(sr, si) > 1.0;
        double cr = sr;
        double ci = si;
        if (obracene) podil(1.0, 0.0, sr, si, cr, ci);  // the reversed polynomial has the reciprocal roots
        const std::vector<double>& c = obracene ? br : b;
        const std::vector<double>& ac = obracene ? abr : ab;
        std::vector<double> tr, ti, ts;
        for (int krok = 0; krok < MAX_STRED; ++krok) {
            taylor(c, ac, cr, ci, k, tr, ti, ts);
            const std::size_t h = static_cast<std::size_t>(k - 1);
            if (tr[h + 1] == 0.0 && ti[h + 1] == 0.0) break;
            double wr, wi;
            podil(tr[h], ti[h], k * tr[h + 1], k * ti[h + 1], wr, wi);
            if (!std::isfinite(wr) || !std::isfinite(wi)) return false;
            cr -= wr;
            ci -= wi;
            if (velikost(wr, wi) <= EPS * velikost(cr, ci)) break;
        }
        double stredR = cr;
        double stredI = ci;
        if (obracene) podil(1.0, 0.0, cr, ci, stredR, stredI);
        if (!(velikost(stredR - sr, stredI - si) <= 0.5 * nejblizsi)) return false;
        taylor(c, ac, cr, ci, k - 1, tr, ti, ts);
        const double tolerance = 4.0 * k * EPS;
        for (int j = 0; j < k; ++j) {
            const std::size_t uj = static_cast<std::size_t>(j);
            if (!(velikost(tr[uj], ti[uj]) <= tolerance * ts[uj])) return false;
        }
        velikostStredu = velikost(stredR, stredI);
        return std::isfinite(velikostStredu);
    }

    // Magnitudes. Approximations of a k-fold root spread around it by about the k-th root of
    // the rounding errors, far more than those of a simple root. Candidate groups are the
    // groups of overlapping inclusion disks, and the groups of approximations close to each
    // other at growing relative distances (1e-14 ... 0.1), which separate neighbouring
    // multiple roots whose disks overlap. Every group that passes the multiple-root test
    // gives its members the magnitude of its centre, larger groups after smaller ones.
    std::vector<double> velikosti() const {
        std::vector<double> vysledek(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < vysledek.size(); ++i)
            vysledek[i] = mimo[i] ? std::exp2(logPolomer[i] / LN2 + koef.k) : std::ldexp(velikost(zr[i], zi[i]), koef.k);
        // The test works on b itself, which must then hold every coefficient to full precision.
        if (!koef.uplne) return vysledek;

        std::vector<std::pair<std::vector<int>, double>> nasobne;
        auto vyzkousej = [&](const std::vector<std::vector<int>>& skupiny, bool jenTesne) {
            for (const std::vector<int>& skupina : skupiny) {
                if (skupina.size() < 2) continue;
                bool uvnitr = true;
                for (int i : skupina) uvnitr = uvnitr && !mimo[static_cast<std::size_t>(i)];
                if (!uvnitr || (jenTesne && !tesna(skupina))) continue;
                double stred;
                if (nasobnyKoren(skupina, stred)) nasobne.emplace_back(skupina, stred);
            }
        };

        // Groups of overlapping inclusion disks.
        const std::vector<double> r = polomery();
        Rozklad disky(n);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const std::size_t ui = static_cast<std::size_t>(i);
                const std::size_t uj = static_cast<std::size_t>(j);
                if (velikost(zr[ui] - zr[uj], zi[ui] - zi[uj]) <= r[ui] + r[uj]) disky.spoj(i, j);
            }
        vyzkousej(disky.skupiny(false), false);

        // Groups by relative distance, level by level; only groups that grew are tested again.
        struct Par {
            double vzdalenost;  // relative to the larger magnitude of the two
            int i, j;
        };
        std::vector<Par> pary;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const std::size_t ui = static_cast<std::size_t>(i);
                const std::size_t uj = static_cast<std::size_t>(j);
                const double d = velikost(zr[ui] - zr[uj], zi[ui] - zi[uj]) /
                                 std::max(velikost(zr[ui], zi[ui]), velikost(zr[uj], zi[uj]));
                if (d <= MAX_SHLUK) pary.push_back(Par{d, i, j});
            }
        std::sort(pary.begin(), pary.end(), [](const Par& x, const Par& y) { return x.vzdalenost < y.vzdalenost; });
        Rozklad blizke(n);
        std::size_t dalsi = 0;
        for (double mez = MIN_SHLUK; dalsi < pary.size(); mez *= 10.0) {
            for (; dalsi < pary.size() && pary[dalsi].vzdalenost <= mez; ++dalsi) blizke.spoj(pary[dalsi].i, pary[dalsi].j);
            vyzkousej(blizke.skupiny(true), true);
        }

        std::stable_sort(nasobne.begin(), nasobne.end(),
                         [](const std::pair<std::vector<int>, double>& x, const std::pair<std::vector<int>, double>& y) {
                             return x.first.size() < y.first.size();
                         });
        for (const auto& skupina : nasobne)
            for (int i : skupina.first) vysledek[static_cast<std::size_t>(i)] = std::ldexp(skupina.second, koef.k);
        return vysledek;
    }

    // A group no wider than MAX_SHLUK of its centre's magnitude; a ring of roots that merged
    // at growing distances is no multiple root, and testing it would only cost time.
    bool tesna(const std::vector<int>& skupina) const {
        double cr = 0.0;
        double ci = 0.0;
        for (int i : skupina) {
            cr += zr[static_cast<std::size_t>(i)];
            ci += zi[static_cast<std::size_t>(i)];
        }
        cr /= static_cast<double>(skupina.size());
        ci /= static_cast<double>(skupina.size());
        double rozsah = 0.0;
        for (int i : skupina)
            rozsah = std::max(rozsah, velikost(zr[static_cast<std::size_t>(i)] - cr, zi[static_cast<std::size_t>(i)] - ci));
        return rozsah <= MAX_SHLUK * velikost(cr, ci);
    }
};

}  // namespace

Rovnice::Rovnice(const Polynom& p) : Polynom(p), solution(p.get_stupen()) {}

std::vector<double> Rovnice::linearSolution(const std::vector<double>& a) {
    return {std::fabs(a[0]) / std::fabs(a[1])};
}

// Closed form on the centred coefficients: a complex pair has |x|^2 = a0 / a2; real roots
// come from the cancellation-free pair q / a2 and a0 / q.
std::vector<double> Rovnice::KvadraticSolution(const std::vector<double>& a) {
    const Centrovani c = centruj(a);
    const double b0 = c.b[0];
    const double b1 = c.b[1];
    const double b2 = c.b[2];
    // The ends only drop this low when the middle term dominates beyond the double range;
    // the two roots are then a0 / a1 and a1 / a2 to the last digit.
    if (std::fabs(b0) < 0x1p-1000 || std::fabs(b2) < 0x1p-1000)
        return {std::fabs(a[0]) / std::fabs(a[1]), std::fabs(a[1]) / std::fabs(a[2])};
    const double d = b1 * b1 - 4.0 * b2 * b0;
    double y1, y2;
    if (d < 0.0) {
        y1 = y2 = std::sqrt(b0 / b2);
    } else {
        const double q = -0.5 * (b1 + std::copysign(std::sqrt(d), b1));
        y1 = std::fabs(q / b2);
        y2 = std::fabs(b0 / q);
    }
    return {std::ldexp(y1, c.k), std::ldexp(y2, c.k)};
}

std::vector<double> Rovnice::numerickeReseni(const std::vector<double>& a) {
    return Aberth(centruj(a)).vyres();
}

void Rovnice::zaokrouhleniNaKruh() {
    for (int i = 0; i < solution.get_length(); ++i)
        if (std::fabs(solution[i] - 1.0) <= TOLERANCE_KRUHU) solution[i] = 1.0;
}

void Rovnice::AbsolutValue() {
    const int n = get_stupen();
    solution = Pole<double>(n);
    if (n <= 0) return;
    const Polynom& p = *this;

    std::vector<double> velikosti;
    velikosti.reserve(static_cast<std::size_t>(n));
    bool konecne = true;
    for (int i = 0; i <= n; ++i) konecne = konecne && std::isfinite(p[static_cast<std::size_t>(i)]);

    if (!konecne) {
        velikosti.assign(static_cast<std::size_t>(n), NEKONECNO);
    } else {
        int horni = n;
        while (horni >= 0 && p[static_cast<std::size_t>(horni)] == 0.0) {
            velikosti.push_back(NEKONECNO);
            --horni;
        }
        if (horni < 0) {
            velikosti.pop_back();  // the zero polynomial: n magnitudes, not n + 1
        } else {
            int dolni = 0;
            while (dolni < horni && p[static_cast<std::size_t>(dolni)] == 0.0) {
                velikosti.push_back(0.0);
                ++dolni;
            }
            std::vector<double> jadro;
            for (int i = dolni; i <= horni; ++i) jadro.push_back(p[static_cast<std::size_t>(i)]);
            std::vector<double> koreny;
            switch (horni - dolni) {
                case 0: break;
                case 1: koreny = linearSolution(jadro); break;
                case 2: koreny = KvadraticSolution(jadro); break;
                default: koreny = numerickeReseni(jadro); break;
            }
            velikosti.insert(velikosti.end(), koreny.begin(), koreny.end());
        }
    }

    for (double& v : velikosti)
        if (std::isnan(v)) v = NEKONECNO;  // never let an undefined value pass for stable
    std::sort(velikosti.begin(), velikosti.end());
    for (int i = 0; i < n; ++i) solution[i] = velikosti[static_cast<std::size_t>(i)];
    zaokrouhleniNaKruh();
}

// ---------------------------------------------------------------- eigenvalues of a real matrix

namespace {

using Komplexni = std::complex<double>;

// QR steps allowed per eigenvalue; exceptional shifts every ten steps break the cycles of
// the standard shift (a cyclic permutation matrix is the classic case).
const int MAX_KROKU_QR = 60;
// Largest multiplicity tried when an eigenvalue outside the circle may be one of a group.
const int MAX_NASOBNOST = 24;
// Tolerances of the multiple-eigenvalue test, in units of the rounding errors. Calibrated on
// Jordan blocks of order 2 to 6 on the circle under random orthogonal similarities (n up to
// 256), which all pass, against pairs of simple eigenvalues 2e-6 apart across the circle and
// coupled by up to 10, which fail it but for a few percent of the largest matrices: there the
// two hypotheses lie within a factor of a hundred of each other in the rounding errors.
const double MEZ_TAYLOR = 1000.0;
const double MEZ_SINGULARITY = 100.0;
// Largest order for which a failed QR iteration falls back on the characteristic polynomial.
const int MAX_RAD_ZALOHY = 128;

// Square matrix in row-major order, for the numeric work.
struct Ctvercova {
    std::vector<double> a;
    int n;

    std::size_t poloha(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j);
    }
    double& operator()(int i, int j) { return a[poloha(i, j)]; }
    double operator()(int i, int j) const { return a[poloha(i, j)]; }
};

double frobenius(const Ctvercova& A) {
    double s = 0.0;
    for (double v : A.a) s += v * v;
    return std::sqrt(s);
}

// Balancing by powers of two (exact): row and column i are scaled in turn until their norms
// outside the diagonal are within a factor of two, which shrinks the norm that bounds the
// rounding errors of the QR steps without moving any eigenvalue.
void vyvazeni(Ctvercova& A) {
    const int n = A.n;
    for (int kolo = 0; kolo < 200; ++kolo) {
        bool hotovo = true;
        for (int i = 0; i < n; ++i) {
            double c = 0.0;
            double r = 0.0;
            for (int j = 0; j < n; ++j) {
                if (j == i) continue;
                c += std::fabs(A(j, i));
                r += std::fabs(A(i, j));
            }
            if (c == 0.0 || r == 0.0) continue;
            const double soucet = c + r;
            double f = 1.0;
            while (c < r / 2.0) {
                f *= 2.0;
                c *= 4.0;
            }
            while (c > r * 2.0) {
                f /= 2.0;
                c /= 4.0;
            }
            if ((c + r) / f < 0.95 * soucet) {
                hotovo = false;
                for (int j = 0; j < n; ++j) A(i, j) /= f;
                for (int j = 0; j < n; ++j) A(j, i) *= f;
            }
        }
        if (hotovo) break;
    }
}

// Orthogonal similarity to upper Hessenberg form by Householder reflections.
void naHessenberguv(Ctvercova& A) {
    const int n = A.n;
    const std::size_t un = static_cast<std::size_t>(n);
    std::vector<double> u(un, 0.0);
    std::vector<double> f(un, 0.0);
    for (int k = 0; k + 2 < n; ++k) {
        double meritko = 0.0;
        for (int i = k + 1; i < n; ++i) meritko += std::fabs(A(i, k));
        if (meritko == 0.0) continue;
        double h = 0.0;
        for (int i = k + 1; i < n; ++i) {
            u[static_cast<std::size_t>(i)] = A(i, k) / meritko;
            h += u[static_cast<std::size_t>(i)] * u[static_cast<std::size_t>(i)];
        }
        const std::size_t prvni = static_cast<std::size_t>(k + 1);
        const double g = u[prvni] > 0.0 ? -std::sqrt(h) : std::sqrt(h);
        h -= u[prvni] * g;
        u[prvni] -= g;
        // From the left, (I - u u^T / h) A: a row combination f = u^T A first, row by row.
        std::fill(f.begin(), f.end(), 0.0);
        for (int i = k + 1; i < n; ++i) {
            const double ui = u[static_cast<std::size_t>(i)];
            for (int j = k + 1; j < n; ++j) f[static_cast<std::size_t>(j)] += ui * A(i, j);
        }
        for (int i = k + 1; i < n; ++i) {
            const double ui = u[static_cast<std::size_t>(i)] / h;
            for (int j = k + 1; j < n; ++j) A(i, j) -= ui * f[static_cast<std::size_t>(j)];
        }
        // From the right, A (I - u u^T / h).
        for (int i = 0; i < n; ++i) {
            double s = 0.0;
            for (int j = k + 1; j < n; ++j) s += A(i, j) * u[static_cast<std::size_t>(j)];
            s /= h;
            for (int j = k + 1; j < n; ++j) A(i, j) -= s * u[static_cast<std::size_t>(j)];
        }
        A(k + 1, k) = meritko * g;
        for (int i = k + 2; i < n; ++i) A(i, k) = 0.0;
    }
}

// Eigenvalues of an upper Hessenberg matrix by Francis double-shift QR steps with deflation
// (the matrix is overwritten). False when an eigenvalue has not converged within MAX_KROKU_QR
// steps.
bool qrHessenbergovy(Ctvercova& A, std::vector<Komplexni>& vlastni) {
    const int n = A.n;
    vlastni.assign(static_cast<std::size_t>(n), Komplexni(0.0, 0.0));
    double norma = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = std::max(i - 1, 0); j < n; ++j) norma += std::fabs(A(i, j));

    int konec = n - 1;   // the active block is rows and columns l .. konec
    double posun = 0.0;  // sum of the exceptional shifts subtracted from the diagonal
    int kroky = 0;
    while (konec >= 0) {
        // A negligible subdiagonal element splits the matrix.
        int l = konec;
        for (; l >= 1; --l) {
            double s = std::fabs(A(l - 1, l - 1)) + std::fabs(A(l, l));
            if (s == 0.0) s = norma;
            if (std::fabs(A(l, l - 1)) <= EPS * s) {
                A(l, l - 1) = 0.0;
                break;
            }
        }
        double x = A(konec, konec);
        if (l == konec) {  // one real eigenvalue
            vlastni[static_cast<std::size_t>(konec)] = Komplexni(x + posun, 0.0);
            --konec;
            kroky = 0;
            continue;
        }
        double y = A(konec - 1, konec - 1);
        double w = A(konec, konec - 1) * A(konec - 1, konec);
        if (l == konec - 1) {  // a 2x2 block: a real pair or a complex conjugate pair
            const double p = 0.5 * (y - x);
            const double q = p * p + w;
            double z = std::sqrt(std::fabs(q));
            x += posun;
            if (q >= 0.0) {
                z = p + (p >= 0.0 ? z : -z);
                const double druhe = z != 0.0 ? x - w / z : x + z;
                vlastni[static_cast<std::size_t>(konec - 1)] = Komplexni(x + z, 0.0);
                vlastni[static_cast<std::size_t>(konec)] = Komplexni(druhe, 0.0);
            } else {
                vlastni[static_cast<std::size_t>(konec - 1)] = Komplexni(x + p, z);
                vlastni[static_cast<std::size_t>(konec)] = Komplexni(x + p, -z);
            }
            konec -= 2;
            kroky = 0;
            continue;
        }
        if (kroky == MAX_KROKU_QR) return false;
        if (kroky > 0 && kroky % 10 == 0) {
            // Exceptional shift.
            posun += x;
            for (int i = 0; i <= konec; ++i) A(i, i) -= x;
            const double s = std::fabs(A(konec, konec - 1)) + std::fabs(A(konec - 1, konec - 2));
            x = y = 0.75 * s;
            w = -0.4375 * s * s;
        }
        ++kroky;

        // Where the double-shift bulge may start: the first column of (A - s1)(A - s2).
        int m = konec - 2;
        double p = 0.0;
        double q = 0.0;
        double r = 0.0;
        for (; m >= l; --m) {
            const double z = A(m, m);
            const double rr = x - z;
            const double ss = y - z;
            p = (rr * ss - w) / A(m + 1, m) + A(m, m + 1);
            q = A(m + 1, m + 1) - z - rr - ss;
            r = A(m + 2, m + 1);
            const double s = std::fabs(p) + std::fabs(q) + std::fabs(r);
            p /= s;
            q /= s;
            r /= s;
            if (m == l) break;
            const double u = std::fabs(A(m, m - 1)) * (std::fabs(q) + std::fabs(r));
            const double v = std::fabs(p) * (std::fabs(A(m - 1, m - 1)) + std::fabs(z) + std::fabs(A(m + 1, m + 1)));
            if (u <= EPS * v) break;
        }
        for (int i = m + 2; i <= konec; ++i) {
            A(i, i - 2) = 0.0;
            if (i != m + 2) A(i, i - 3) = 0.0;
        }
        // Chase the bulge with 3x3 reflections.
        for (int k = m; k <= konec - 1; ++k) {
            if (k != m) {
                p = A(k, k - 1);
                q = A(k + 1, k - 1);
                r = k != konec - 1 ? A(k + 2, k - 1) : 0.0;
                x = std::fabs(p) + std::fabs(q) + std::fabs(r);
                if (x != 0.0) {
                    p /= x;
                    q /= x;
                    r /= x;
                }
            }
            double s = std::sqrt(p * p + q * q + r * r);
            if (p < 0.0) s = -s;
            if (s == 0.0) continue;
            if (k == m) {
                if (l != m) A(k, k - 1) = -A(k, k - 1);
            } else {
                A(k, k - 1) = -s * x;
            }
            p += s;
            x = p / s;
            y = q / s;
            const double z = r / s;
            q /= p;
            r /= p;
            for (int j = k; j <= konec; ++j) {
                double t = A(k, j) + q * A(k + 1, j);
                if (k != konec - 1) {
                    t += r * A(k + 2, j);
                    A(k + 2, j) -= t * z;
                }
                A(k + 1, j) -= t * y;
                A(k, j) -= t * x;
            }
            const int posledni = std::min(konec, k + 3);
            for (int i = l; i <= posledni; ++i) {
                double t = x * A(i, k) + y * A(i, k + 1);
                if (k != konec - 1) {
                    t += z * A(i, k + 2);
                    A(i, k + 2) -= t * r;
                }
                A(i, k + 1) -= t * q;
                A(i, k) -= t;
            }
        }
    }
    return true;
}

// Whether the group, given by the offsets u_i = (lambda_i - c) / s of its eigenvalues from
// their centre c in units of the matrix norm s, looks like one k-fold eigenvalue split by
// rounding: the polynomial prod (x - u_i) must equal x^k up to rounding errors in every
// coefficient. A perturbation of size eps s of a Jordan block changes each coefficient by
// about eps; k distinct eigenvalues at distances d from c leave d^k / s^k.
bool jakoNasobne(const std::vector<Komplexni>& u, int n) {
    const std::size_t k = u.size();
    std::vector<Komplexni> koef(1, Komplexni(1.0, 0.0));
    std::vector<double> velikost(1, 1.0);  // the same product with |u_i|: the rounding scale
    for (const Komplexni& ui : u) {
        std::vector<Komplexni> dalsi(koef.size() + 1, Komplexni(0.0, 0.0));
        std::vector<double> dalsiVelikost(koef.size() + 1, 0.0);
        const double aui = std::abs(ui);
        for (std::size_t j = 0; j < koef.size(); ++j) {
            dalsi[j + 1] += koef[j];
            dalsi[j] -= ui * koef[j];
            dalsiVelikost[j + 1] += velikost[j];
            dalsiVelikost[j] += aui * velikost[j];
        }
        koef.swap(dalsi);
        velikost.swap(dalsiVelikost);
    }
    const double mez = MEZ_TAYLOR * std::sqrt(static_cast<double>(n)) * EPS;
    for (std::size_t j = 0; j < k; ++j)
        if (!(std::abs(koef[j]) <= mez + 4.0 * static_cast<double>(k) * EPS * velikost[j])) return false;
    return true;
}

// An upper estimate of the smallest singular value of H - cI for an upper Hessenberg H:
// LU with pairwise pivoting (O(n^2)) and three steps of inverse iteration. Zero when the
// elimination meets an exactly zero pivot.
double nejmensiSingularni(const Ctvercova& H, Komplexni c) {
    const int n = H.n;
    const std::size_t un = static_cast<std::size_t>(n);
    std::vector<Komplexni> U(un * un);
    auto prvek = [&](int i, int j) -> Komplexni& { return U[H.poloha(i, j)]; };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) prvek(i, j) = Komplexni(H(i, j), 0.0) - (i == j ? c : Komplexni(0.0, 0.0));
    std::vector<Komplexni> nasobky(un, Komplexni(0.0, 0.0));
    std::vector<char> prohozeno(un, 0);
    for (int k = 0; k + 1 < n; ++k) {
        if (std::abs(prvek(k + 1, k)) > std::abs(prvek(k, k))) {
            prohozeno[static_cast<std::size_t>(k)] = 1;
            for (int j = k; j < n; ++j) std::swap(prvek(k, j), prvek(k + 1, j));
        }
        if (prvek(k, k) == Komplexni(0.0, 0.0)) return 0.0;
        const Komplexni m = prvek(k + 1, k) / prvek(k, k);
        nasobky[static_cast<std::size_t>(k)] = m;
        for (int j = k; j < n; ++j) prvek(k + 1, j) -= m * prvek(k, j);
    }
    if (prvek(n - 1, n - 1) == Komplexni(0.0, 0.0)) return 0.0;

    std::vector<Komplexni> x(un, Komplexni(1.0 / std::sqrt(static_cast<double>(n)), 0.0));
    double odhad = NEKONECNO;
    for (int krok = 0; krok < 3; ++krok) {
        std::vector<Komplexni> y = x;
        for (int k = 0; k + 1 < n; ++k) {
            const std::size_t uk = static_cast<std::size_t>(k);
            if (prohozeno[uk]) std::swap(y[uk], y[uk + 1]);
            y[uk + 1] -= nasobky[uk] * y[uk];
        }
        for (int i = n - 1; i >= 0; --i) {
            Komplexni s = y[static_cast<std::size_t>(i)];
            for (int j = i + 1; j < n; ++j) s -= prvek(i, j) * y[static_cast<std::size_t>(j)];
            y[static_cast<std::size_t>(i)] = s / prvek(i, i);
        }
        double norma = 0.0;
        for (const Komplexni& v : y) norma += std::norm(v);
        norma = std::sqrt(norma);
        if (!std::isfinite(norma)) return 0.0;
        odhad = std::min(odhad, 1.0 / norma);
        for (std::size_t i = 0; i < un; ++i) x[i] = y[i] / norma;
    }
    return odhad;
}

// Magnitude of eigenvalue p, or of the centre of the smallest group of its nearest
// neighbours that passes for one multiple eigenvalue: the group keeps to itself (its radius
// below half the distance from its centre to any other eigenvalue), its shape is that of a
// split multiple eigenvalue (jakoNasobne), and its centre is as much an eigenvalue of H as
// the computed eigenvalues themselves: H - cI is as close to singular as the nearest of the
// H - lambda_i I of the group, up to a factor MEZ_SINGULARITY. Two simple eigenvalues close
// to each other fail that, however strongly coupled: their centre lies between them.
// `singularni` caches the estimate for each computed eigenvalue (negative: not yet known).
double velikostSeSkupinou(const std::vector<Komplexni>& vlastni, int p, const Ctvercova& H, double normaA,
                          double normaH, std::vector<double>& singularni) {
    const int n = static_cast<int>(vlastni.size());
    const Komplexni lp = vlastni[static_cast<std::size_t>(p)];
    std::vector<int> poradi(static_cast<std::size_t>(n));
    std::iota(poradi.begin(), poradi.end(), 0);
    const auto vzdalenost = [&](int i) { return std::abs(vlastni[static_cast<std::size_t>(i)] - lp); };
    std::sort(poradi.begin(), poradi.end(), [&](int a, int b) { return vzdalenost(a) < vzdalenost(b); });
    auto clen = [&](int i) { return static_cast<std::size_t>(poradi[static_cast<std::size_t>(i)]); };
    for (int k = 2; k <= std::min(n, MAX_NASOBNOST); ++k) {
        Komplexni stred(0.0, 0.0);
        for (int i = 0; i < k; ++i) stred += vlastni[clen(i)];
        stred /= static_cast<double>(k);
        double polomer = 0.0;
        std::vector<Komplexni> u(static_cast<std::size_t>(k));
        for (int i = 0; i < k; ++i) {
            const Komplexni d = vlastni[clen(i)] - stred;
            polomer = std::max(polomer, std::abs(d));
            u[static_cast<std::size_t>(i)] = d / normaA;
        }
        double nejblizsi = NEKONECNO;
        for (int i = k; i < n; ++i) nejblizsi = std::min(nejblizsi, std::abs(vlastni[clen(i)] - stred));
        if (!(polomer < 0.5 * nejblizsi)) continue;
        if (!jakoNasobne(u, n)) continue;
        // The rounding level of the estimates near the group, from its own members.
        double hladina = EPS * normaH;
        for (int i = 0; i < k; ++i) {
            double& s = singularni[clen(i)];
            if (s < 0.0) s = nejmensiSingularni(H, vlastni[clen(i)]);
            hladina = std::max(hladina, s);
        }
        if (nejmensiSingularni(H, stred) <= MEZ_SINGULARITY * hladina) return std::abs(stred);
    }
    return std::abs(lp);
}

// A <- P A P for the Householder reflection P = I - 2 v v^T of a fixed vector depending on
// `pokus`: the same eigenvalues, another start for the QR iteration.
void odrazPodobnosti(Ctvercova& A, int pokus) {
    const int n = A.n;
    std::vector<double> v(static_cast<std::size_t>(n));
    double s = 0.0;
    for (int i = 0; i < n; ++i) {
        v[static_cast<std::size_t>(i)] = std::sin(1.0 + pokus + 0.7 * i * (pokus + 1));
        s += v[static_cast<std::size_t>(i)] * v[static_cast<std::size_t>(i)];
    }
    if (!(s > 0.0)) return;
    for (double& x : v) x /= std::sqrt(s);
    for (int i = 0; i < n; ++i) {  // A P
        double d = 0.0;
        for (int j = 0; j < n; ++j) d += A(i, j) * v[static_cast<std::size_t>(j)];
        for (int j = 0; j < n; ++j) A(i, j) -= 2.0 * d * v[static_cast<std::size_t>(j)];
    }
    std::vector<double> d(static_cast<std::size_t>(n), 0.0);  // P (A P)
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) d[static_cast<std::size_t>(j)] += v[static_cast<std::size_t>(i)] * A(i, j);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) A(i, j) -= 2.0 * v[static_cast<std::size_t>(i)] * d[static_cast<std::size_t>(j)];
}

// The magnitudes by QR; false when the iteration did not converge.
bool velikostiQR(const Matrix<double>& F, std::vector<double>& velikosti) {
    const int n = F.get_rows();
    double nejvetsi = 0.0;
    for (int p = 0; p < F.get_count(); ++p) nejvetsi = std::max(nejvetsi, std::fabs(F.get_matrix()[p]));
    if (nejvetsi == 0.0) {
        velikosti.assign(static_cast<std::size_t>(n), 0.0);
        return true;
    }
    // Exact scaling by a power of two to entries below 2, so no step can overflow.
    const int exponent = std::ilogb(nejvetsi);
    Ctvercova A{std::vector<double>(static_cast<std::size_t>(F.get_count())), n};
    for (int p = 0; p < F.get_count(); ++p) A.a[static_cast<std::size_t>(p)] = std::ldexp(F.get_matrix()[p], -exponent);

    vyvazeni(A);
    const double normaA = frobenius(A);
    Ctvercova H = A;
    std::vector<Komplexni> vlastni;
    bool konverguje = false;
    for (int pokus = 0; pokus < 3 && !konverguje; ++pokus) {
        // A stalled iteration starts again from a different orthogonal similarity.
        if (pokus > 0) odrazPodobnosti(A, pokus);
        H = A;
        naHessenberguv(H);
        Ctvercova T = H;
        konverguje = qrHessenbergovy(T, vlastni);
    }
    if (!konverguje) return false;
    const double normaH = frobenius(H);

    velikosti.assign(static_cast<std::size_t>(n), 0.0);
    std::vector<double> singularni(static_cast<std::size_t>(n), -1.0);
    for (int i = 0; i < n; ++i) {
        double v = std::abs(vlastni[static_cast<std::size_t>(i)]);
        // Only a magnitude outside the circle can change a verdict; the test costs O(n^2).
        if (std::ldexp(v, exponent) > 1.0 + Rovnice::TOLERANCE_KRUHU)
            v = velikostSeSkupinou(vlastni, i, H, normaA, normaH, singularni);
        velikosti[static_cast<std::size_t>(i)] = std::ldexp(v, exponent);
    }
    return true;
}

}  // namespace

std::vector<std::complex<double>> vlastniCisla(const Matrix<double>& F) {
    const int n = F.get_rows();
    if (n != F.get_columns() || n == 0) return {};
    double nejvetsi = 0.0;
    for (int p = 0; p < F.get_count(); ++p) {
        if (!std::isfinite(F.get_matrix()[p])) return {};
        nejvetsi = std::max(nejvetsi, std::fabs(F.get_matrix()[p]));
    }
    if (nejvetsi == 0.0) return std::vector<std::complex<double>>(static_cast<std::size_t>(n));
    // Exact scaling by a power of two to entries below 2, so no step can overflow.
    const int exponent = std::ilogb(nejvetsi);
    Ctvercova A{std::vector<double>(static_cast<std::size_t>(F.get_count())), n};
    for (int p = 0; p < F.get_count(); ++p) A.a[static_cast<std::size_t>(p)] = std::ldexp(F.get_matrix()[p], -exponent);
    vyvazeni(A);
    naHessenberguv(A);
    std::vector<Komplexni> vlastni;
    if (!qrHessenbergovy(A, vlastni)) return {};
    for (Komplexni& l : vlastni) l = Komplexni(std::ldexp(l.real(), exponent), std::ldexp(l.imag(), exponent));
    return vlastni;
}

Pole<double> velikostiVlastnichCisel(const Matrix<double>& F) {
    const int n = F.get_rows();
    if (n != F.get_columns()) return Pole<double>();
    Pole<double> vysledek(n);
    if (n == 0) return vysledek;

    bool konecne = true;
    for (int p = 0; p < F.get_count(); ++p) konecne = konecne && std::isfinite(F.get_matrix()[p]);
    std::vector<double> velikosti;
    if (!konecne) {
        velikosti.assign(static_cast<std::size_t>(n), NEKONECNO);
    } else if (!velikostiQR(F, velikosti)) {
        // No convergence from three starts (never seen in practice): the roots of the
        // characteristic polynomial while its O(n^4) construction is cheap, otherwise no
        // magnitude is known and none may pass for stable.
        if (n <= MAX_RAD_ZALOHY) {
            Rovnice rovnice(Polynom(F.charakteristickyPolynom()));
            rovnice.AbsolutValue();
            const Pole<double>& reseni = rovnice.get_solution();
            velikosti.assign(static_cast<std::size_t>(n), NEKONECNO);
            for (int i = 0; i < n && i < reseni.get_length(); ++i) velikosti[static_cast<std::size_t>(i)] = reseni[i];
        } else {
            velikosti.assign(static_cast<std::size_t>(n), NEKONECNO);
        }
    }
    for (double& v : velikosti) {
        if (std::isnan(v)) v = NEKONECNO;
        if (std::fabs(v - 1.0) <= Rovnice::TOLERANCE_KRUHU) v = 1.0;
    }
    std::sort(velikosti.begin(), velikosti.end());
    for (int i = 0; i < n; ++i) vysledek[i] = velikosti[static_cast<std::size_t>(i)];
    return vysledek;
}

bool vJednotkovemKruhu(const Pole<double>& velikosti) {
    const double jedna = 1.0;
    for (int i = 0; i < velikosti.get_length(); ++i) {
        if (velikosti[i] > jedna) return false;
    }
    return true;
}

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
        ostatni = Aberth(centruj(jadro)).koreny();
    koreny.insert(koreny.end(), ostatni.begin(), ostatni.end());
    return koreny;
}
