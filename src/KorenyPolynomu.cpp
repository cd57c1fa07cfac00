#include "KorenyPolynomu.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

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
    std::vector<double> uhelMimo;  // the angle of the starting point

public:
    explicit Aberth(const Centrovani& koef)
        : koef(koef), b(koef.b), ab(b.size()), br(b.rbegin(), b.rend()), abr(b.size()),
          n(static_cast<int>(b.size()) - 1), zr(b.size() - 1), zi(b.size() - 1), mimo(b.size() - 1, 0),
          logPolomer(b.size() - 1, 0.0), uhelMimo(b.size() - 1, 0.0) {
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
            if (mimo[ui]) {
                // Not iterated: a point of its polygon circle, at full radius.
                vysledek.push_back(std::polar(std::exp2(logPolomer[ui] / LN2 + koef.k), uhelMimo[ui]));
            } else {
                vysledek.emplace_back(std::ldexp(zr[ui], koef.k), std::ldexp(zi[ui], koef.k));
            }
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
            // An edge of one root beyond the range: the root is about -b_od / b_po, real.
            const bool zaporny = koef.vyznamne[static_cast<std::size_t>(od)] * koef.vyznamne[static_cast<std::size_t>(po)] > 0.0;
            for (int j = 0; j < pocet; ++j) {
                const std::size_t ui = static_cast<std::size_t>(index);
                const double uhel = venku && pocet == 1 ? (zaporny ? PI : 0.0) : 2.0 * PI * j / pocet + 2.0 * PI * od / n + 0.7;
                uhelMimo[ui] = uhel;
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

    // Magnitudes of the approximations; roots beyond the range of the centred variable keep
    // the radius of their Newton-polygon circle.
    std::vector<double> velikosti() const {
        std::vector<double> vysledek(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < vysledek.size(); ++i)
            vysledek[i] = mimo[i] ? std::exp2(logPolomer[i] / LN2 + koef.k) : std::ldexp(velikost(zr[i], zi[i]), koef.k);
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

std::vector<std::complex<double>> korenyCentrovanych(const Centrovani& c) { return Aberth(c).koreny(); }

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
