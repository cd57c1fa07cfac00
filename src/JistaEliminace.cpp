#include "JistaEliminace.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "SmerovaneZaokrouhleni.h"

using smerovane::nahoru;
using smerovane::velikostDolu;
using smerovane::velikostNahoru;

void normyHorni(const std::vector<Komplexni>& U, int n, NormyRozkladu& normy) {
    std::vector<double> w(static_cast<std::size_t>(n));
    for (int r = n - 1; r >= 0; --r) {
        const Komplexni* radek = &U[static_cast<std::size_t>(r) * n];
        double soucet = velikostNahoru(radek[r]), vazeny = 1.0;
        for (int c = r + 1; c < n; ++c) {
            if (radek[c] == 0.0) continue;
            const double u = velikostNahoru(radek[c]);
            soucet += u;
            vazeny += u * w[static_cast<std::size_t>(c)];
        }
        w[static_cast<std::size_t>(r)] = vazeny / velikostDolu(radek[r]);
        normy.U = std::max(normy.U, soucet);
        normy.inverzeU = std::max(normy.inverzeU, w[static_cast<std::size_t>(r)]);
    }
    const double navyseni = 1.0 + smerovane::gama(2.0 * n + 4.0);
    normy.U = nahoru(normy.U * navyseni);
    normy.inverzeU = nahoru(normy.inverzeU * std::pow(navyseni, 2.0 * n));
}

double NormyRozkladu::chybaRozkladu(int n) const {
    return nahoru(smerovane::gama(3.0 * n, smerovane::U_KOMPLEXNI) * L * U + n * n * smerovane::PODTECENI);
}

double NormyRozkladu::inverzePresne(int n, double chybaM) const {
    const double inverzeLU = nahoru(inverzeL * inverzeU), dM = chybaRozkladu(n);
    if (!(inverzeLU * dM < 0.5)) return INFINITY;
    const double inverzeM = nahoru(inverzeLU / (1.0 - nahoru(inverzeLU * dM)));
    if (!(inverzeM * chybaM < 0.5)) return INFINITY;
    return nahoru(inverzeM / (1.0 - nahoru(inverzeM * chybaM)));
}

Komplexni podilSeSkalou(Komplexni a, Komplexni b) {
    const double velikost = std::max(std::fabs(b.real()), std::fabs(b.imag()));
    const int e = std::ilogb(velikost);
    const Komplexni c(std::ldexp(b.real(), -e), std::ldexp(b.imag(), -e));
    const double jmenovatel = c.real() * c.real() + c.imag() * c.imag();
    const Komplexni q((a.real() * c.real() + a.imag() * c.imag()) / jmenovatel,
                      (a.imag() * c.real() - a.real() * c.imag()) / jmenovatel);
    return {std::ldexp(q.real(), -e), std::ldexp(q.imag(), -e)};
}

namespace {

struct Vyrez {
    std::vector<Komplexni>& data;
    int sloupcu;
    Komplexni& operator()(int r, int c) { return data[static_cast<std::size_t>(r) * sloupcu + c]; }
};

// PM = LU in place: U on and above the diagonal, P applied to the right-hand sides as well.
// L is kept only as the bounds it gives: each row's sum of |multipliers| (rows swap with their
// sums), and |L^-1| <= |E_n-1| P_n-1 ... |E_1| P_1 elementwise for the elementary eliminations
// E_s, applied to ones. False at an exactly zero pivot.
bool rozloz(Vyrez m, int n, int pasmo, Vyrez p, int k, NormyRozkladu& normy) {
    std::vector<double> radkyL(static_cast<std::size_t>(n), 1.0), inverzeL(static_cast<std::size_t>(n), 1.0);
    for (int s = 0; s < n; ++s) {
        const int posledni = std::min(n - 1, s + pasmo);
        int pivot = s;
        for (int r = s + 1; r <= posledni; ++r)
            if (std::abs(m(r, s)) > std::abs(m(pivot, s))) pivot = r;
        if (m(pivot, s) == 0.0) return false;
        if (pivot != s) {
            for (int c = s; c < n; ++c) std::swap(m(s, c), m(pivot, c));
            for (int c = 0; c < k; ++c) std::swap(p(s, c), p(pivot, c));
            std::swap(radkyL[static_cast<std::size_t>(s)], radkyL[static_cast<std::size_t>(pivot)]);
            std::swap(inverzeL[static_cast<std::size_t>(s)], inverzeL[static_cast<std::size_t>(pivot)]);
        }
        for (int r = s + 1; r <= posledni; ++r) {
            if (m(r, s) == 0.0) continue;
            const Komplexni f = podil(m(r, s), m(s, s));
            const double l = velikostNahoru(f);
            radkyL[static_cast<std::size_t>(r)] += l;
            inverzeL[static_cast<std::size_t>(r)] += l * inverzeL[static_cast<std::size_t>(s)];
            for (int c = s + 1; c < n; ++c) m(r, c) -= soucin(f, m(s, c));
            for (int c = 0; c < k; ++c) p(r, c) -= soucin(f, p(s, c));
        }
    }
    // Sums of at most n non-negative terms, each rounded; the products compound along a row.
    const double navyseni = 1.0 + smerovane::gama(2.0 * n + 4.0);
    normy.L = nahoru(*std::max_element(radkyL.begin(), radkyL.end()) * navyseni);
    normy.inverzeL = nahoru(*std::max_element(inverzeL.begin(), inverzeL.end()) * std::pow(navyseni, n));
    return true;
}

void dosad(Vyrez m, int n, Vyrez p, int k) {
    for (int s = n - 1; s >= 0; --s)
        for (int c = 0; c < k; ++c) {
            Komplexni x = p(s, c);
            for (int j = s + 1; j < n; ++j) x -= soucin(m(s, j), p(j, c));
            p(s, c) = podil(x, m(s, s));
        }
}

}  // namespace

bool jisteVyres(std::vector<Komplexni>& M, int n, int pasmo, std::vector<Komplexni>& P, int k, double chybaM,
                const std::vector<double>& chybaP, std::vector<double>& chyby) {
    Vyrez m{M, n}, p{P, k};
    NormyRozkladu f;
    if (!rozloz(m, n, pasmo, p, k, f)) return false;
    dosad(m, n, p, k);
    normyHorni(M, n, f);
    const double dM = f.chybaRozkladu(n);
    const double inverzePresne = f.inverzePresne(n, chybaM);
    if (!std::isfinite(inverzePresne)) return false;
    chyby.assign(static_cast<std::size_t>(k), 0.0);
    for (int c = 0; c < k; ++c) {
        double velikost = 0.0;
        for (int r = 0; r < n; ++r) velikost = std::max(velikost, velikostNahoru(p(r, c)));
        chyby[static_cast<std::size_t>(c)] =
            nahoru(inverzePresne * (chybaP[static_cast<std::size_t>(c)] + nahoru((dM + chybaM) * velikost)));
        if (!std::isfinite(chyby[static_cast<std::size_t>(c)])) return false;
    }
    return true;
}

namespace {

// Dense PM = LU in place, L's multipliers below the diagonal (LAPACK's layout), pivots in
// `radky`; with the bounds of the factors.
bool rozlozHuste(Vyrez m, int n, std::vector<int>& radky, NormyRozkladu& normy) {
    radky.resize(static_cast<std::size_t>(n));
    for (int s = 0; s < n; ++s) {
        int pivot = s;
        for (int r = s + 1; r < n; ++r)
            if (std::abs(m(r, s)) > std::abs(m(pivot, s))) pivot = r;
        radky[static_cast<std::size_t>(s)] = pivot;
        if (m(pivot, s) == 0.0) return false;
        if (pivot != s)
            for (int c = 0; c < n; ++c) std::swap(m(s, c), m(pivot, c));
        for (int r = s + 1; r < n; ++r) {
            if (m(r, s) == 0.0) continue;
            const Komplexni f = podil(m(r, s), m(s, s));
            m(r, s) = f;
            for (int c = s + 1; c < n; ++c) m(r, c) -= soucin(f, m(s, c));
        }
    }
    std::vector<double> w(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) {
        double radek = 1.0, soucet = 1.0;
        for (int c = 0; c < r; ++c) {
            if (m(r, c) == 0.0) continue;
            const double l = velikostNahoru(m(r, c));
            radek += l;
            soucet += l * w[static_cast<std::size_t>(c)];
        }
        w[static_cast<std::size_t>(r)] = soucet;
        normy.L = std::max(normy.L, radek);
        normy.inverzeL = std::max(normy.inverzeL, soucet);
    }
    const double navyseni = 1.0 + smerovane::gama(2.0 * n + 4.0);
    normy.L = nahoru(normy.L * navyseni);
    normy.inverzeL = nahoru(normy.inverzeL * std::pow(navyseni, n));
    normyHorni(m.data, n, normy);
    return true;
}

// X = M^-1 B for the factors (B n x k, overwritten): the pivots first (L is stored in the
// rows' final order), then L and U.
void resHuste(Vyrez m, int n, const std::vector<int>& radky, Vyrez b, int k) {
    for (int s = 0; s < n; ++s)
        if (radky[static_cast<std::size_t>(s)] != s)
            for (int c = 0; c < k; ++c) std::swap(b(s, c), b(radky[static_cast<std::size_t>(s)], c));
    for (int s = 0; s < n; ++s)
        for (int r = s + 1; r < n; ++r)
            if (m(r, s) != 0.0)
                for (int c = 0; c < k; ++c) b(r, c) -= soucin(m(r, s), b(s, c));
    dosad(m, n, b, k);
}

// V = M^-T B (B n x k, overwritten): M^T = U^T L^T P, so U^T a = b, L^T c = a, then the
// pivots undone in reverse order.
void resTransponovane(Vyrez m, int n, const std::vector<int>& radky, Vyrez b, int k) {
    for (int s = 0; s < n; ++s)
        for (int c = 0; c < k; ++c) {
            Komplexni x = b(s, c);
            for (int j = 0; j < s; ++j) x -= soucin(m(j, s), b(j, c));
            b(s, c) = podil(x, m(s, s));
        }
    for (int s = n - 1; s >= 0; --s)
        for (int r = s + 1; r < n; ++r)
            if (m(r, s) != 0.0)
                for (int c = 0; c < k; ++c) b(s, c) -= soucin(m(r, s), b(r, c));
    for (int s = n - 1; s >= 0; --s)
        if (radky[static_cast<std::size_t>(s)] != s)
            for (int c = 0; c < k; ++c) std::swap(b(s, c), b(radky[static_cast<std::size_t>(s)], c));
}

// R = B - A X for the original A (n x n), X n x k, with |R* - R| <= vyslednaChyba: the
// rounding of the products and the data's own bounds (chybaA elementwise for A, chybaB for B).
void rezidua(const std::vector<Komplexni>& A, const std::vector<double>& chybaA, int n, const std::vector<Komplexni>& B,
             const std::vector<double>& chybaB, const std::vector<Komplexni>& X, int k, bool transponovane,
             std::vector<Komplexni>& R, std::vector<double>& vyslednaChyba) {
    R.assign(static_cast<std::size_t>(n) * k, 0.0);
    vyslednaChyba.assign(R.size(), 0.0);
    const double g = smerovane::gama(n + 2.0, smerovane::U_KOMPLEXNI) * (1.0 + smerovane::gama(2.0 * n + 4.0));
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < k; ++c) {
            const std::size_t e = static_cast<std::size_t>(i) * k + c;
            Komplexni r = B[e];
            double velikost = velikostNahoru(B[e]), data = chybaB[e];
            for (int j = 0; j < n; ++j) {
                const std::size_t a = transponovane ? static_cast<std::size_t>(j) * n + i : static_cast<std::size_t>(i) * n + j;
                const Komplexni x = X[static_cast<std::size_t>(j) * k + c];
                if (A[a] == 0.0 && chybaA[a] == 0.0) continue;
                r -= soucin(A[a], x);
                const double vx = velikostNahoru(x);
                velikost += velikostNahoru(A[a]) * vx;
                data += chybaA[a] * vx;
            }
            R[e] = r;
            vyslednaChyba[e] = nahoru(g * velikost + data * (1.0 + smerovane::gama(2.0 * n + 4.0)));
        }
}

}  // namespace

namespace {

// Exponents of the row and column scalings R M C (powers of two) that bring the largest
// element of every row and then of every column near 1 (as LAPACK's equilibration does), so
// that the normwise bounds below see a matrix no worse scaled than the system allows. Empty
// when a scaled value would leave the normal range, where the scaling would not be exact.
bool vyrovnani(const std::vector<Komplexni>& M, int n, std::vector<int>& radky, std::vector<int>& sloupce) {
    radky.assign(static_cast<std::size_t>(n), 0);
    sloupce.assign(static_cast<std::size_t>(n), 0);
    std::vector<double> nejvetsi(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        double v = 0.0;
        for (int j = 0; j < n; ++j) v = std::max(v, velikostNahoru(M[static_cast<std::size_t>(i) * n + j]));
        if (v == 0.0) return false;
        radky[static_cast<std::size_t>(i)] = -std::ilogb(v);
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            nejvetsi[static_cast<std::size_t>(j)] = std::max(
                nejvetsi[static_cast<std::size_t>(j)],
                std::ldexp(velikostNahoru(M[static_cast<std::size_t>(i) * n + j]), radky[static_cast<std::size_t>(i)]));
    for (int j = 0; j < n; ++j) {
        if (nejvetsi[static_cast<std::size_t>(j)] == 0.0) return false;
        sloupce[static_cast<std::size_t>(j)] = -std::ilogb(nejvetsi[static_cast<std::size_t>(j)]);
    }
    return true;
}

// x 2^e, exact for a value that stays normal; false otherwise.
bool skaluj(Komplexni& x, int e) {
    const Komplexni y(std::ldexp(x.real(), e), std::ldexp(x.imag(), e));
    const bool presne = (x.real() == 0.0 || std::isnormal(y.real())) && (x.imag() == 0.0 || std::isnormal(y.imag())) &&
                        (x.real() == 0.0 || std::isnormal(x.real())) && (x.imag() == 0.0 || std::isnormal(x.imag()));
    x = y;
    return presne;
}

// R M C, R G and H C with their bounds; false (nothing changed) when a scaling is not exact.
bool vyrovnej(std::vector<Komplexni>& M, int n, std::vector<Komplexni>& G, int l, std::vector<Komplexni>& H, int m,
              ChybyDat& chyby) {
    std::vector<int> r, c;
    if (!vyrovnani(M, n, r, c)) return false;
    std::vector<Komplexni> Ms = M, Gs = G, Hs = H;
    bool presne = true;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) presne &= skaluj(Ms[static_cast<std::size_t>(i) * n + j], r[i] + c[j]);
        for (int j = 0; j < l; ++j) presne &= skaluj(Gs[static_cast<std::size_t>(i) * l + j], r[i]);
    }
    for (int o = 0; o < m; ++o)
        for (int j = 0; j < n; ++j) presne &= skaluj(Hs[static_cast<std::size_t>(o) * n + j], c[j]);
    if (!presne) return false;
    M = std::move(Ms);
    G = std::move(Gs);
    H = std::move(Hs);
    const auto mez = [](double& chyba, int e) { chyba = chyba == 0.0 ? 0.0 : nahoru(std::ldexp(chyba, e)); };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) mez(chyby.M[static_cast<std::size_t>(i) * n + j], r[i] + c[j]);
        for (int j = 0; j < l; ++j) mez(chyby.G[static_cast<std::size_t>(i) * l + j], r[i]);
    }
    for (int o = 0; o < m; ++o)
        for (int j = 0; j < n; ++j) mez(chyby.H[static_cast<std::size_t>(o) * n + j], c[j]);
    return true;
}

// The solves of jisteVystupy: X = M^-1 g and V = M^-T h^T with their residuals R and S (and the
// residuals' bounds).
struct Reseni {
    std::vector<Komplexni> X, V, R, S;
    std::vector<double> chybyR, chybyS;
};

// ||M*^-1||_inf, with ||E||_inf from the elementwise bounds of M; not finite where M* may be
// singular.
double normaInverze(const std::vector<double>& chybyM, int n, NormyRozkladu& f) {
    double normaE = 0.0;
    for (int i = 0; i < n; ++i) {
        double radek = 0.0;
        for (int j = 0; j < n; ++j) radek += chybyM[static_cast<std::size_t>(i) * n + j];
        normaE = std::max(normaE, radek);
    }
    normaE = nahoru(normaE * (1.0 + smerovane::gama(n + 1.0)));
    return f.inverzePresne(n, normaE);
}

// The solves and residuals from the factors of M (puvodni: M as scaled, before the factoring).
void res(const Vyrez& faktory, int n, const std::vector<int>& radky, const std::vector<Komplexni>& puvodni,
         const std::vector<Komplexni>& G, int l, const std::vector<Komplexni>& H, int m, const ChybyDat& chyby,
         Reseni& s) {
    s.X = G;
    s.V.assign(static_cast<std::size_t>(n) * m, 0.0);
    std::vector<double> chybyHt(s.V.size());
    for (int o = 0; o < m; ++o)
        for (int j = 0; j < n; ++j) {
            s.V[static_cast<std::size_t>(j) * m + o] = H[static_cast<std::size_t>(o) * n + j];
            chybyHt[static_cast<std::size_t>(j) * m + o] = chyby.H[static_cast<std::size_t>(o) * n + j];
        }
    const std::vector<Komplexni> Ht = s.V;
    resHuste(faktory, n, radky, Vyrez{s.X, l}, l);
    resTransponovane(faktory, n, radky, Vyrez{s.V, m}, m);
    rezidua(puvodni, chyby.M, n, G, chyby.G, s.X, l, false, s.R, s.chybyR);
    rezidua(puvodni, chyby.M, n, Ht, chybyHt, s.V, m, true, s.S, s.chybyS);
}

// y = d + h X + V R of output o and input i with its bound; false when either is not finite.
bool vystup(const Reseni& s, const std::vector<Komplexni>& H, const std::vector<Komplexni>& D, const ChybyDat& chyby,
            int n, int l, int m, int o, int i, double inverze, Komplexni& Y, double& chybaY) {
    const double g = smerovane::gama(2.0 * n + 4.0, smerovane::U_KOMPLEXNI) * (1.0 + smerovane::gama(4.0 * n + 8.0));
    const std::size_t e = static_cast<std::size_t>(o) * l + i;
    Komplexni y = D[e];
    double velikost = velikostNahoru(D[e]), prvni = chyby.D[e], normaS = 0.0, normaR = 0.0;
    for (int j = 0; j < n; ++j) {
        const std::size_t jx = static_cast<std::size_t>(j) * l + i, jv = static_cast<std::size_t>(j) * m + o;
        const Komplexni h = H[static_cast<std::size_t>(o) * n + j];
        y += soucin(h, s.X[jx]) + soucin(s.V[jv], s.R[jx]);
        velikost += velikostNahoru(h) * velikostNahoru(s.X[jx]) + velikostNahoru(s.V[jv]) * velikostNahoru(s.R[jx]);
        prvni += chyby.H[static_cast<std::size_t>(o) * n + j] * velikostNahoru(s.X[jx]) +
                 velikostNahoru(s.V[jv]) * s.chybyR[jx];
        normaS += velikostNahoru(s.S[jv]) + s.chybyS[jv];
        normaR = std::max(normaR, velikostNahoru(s.R[jx]) + s.chybyR[jx]);
    }
    Y = y;
    chybaY = nahoru(prvni * (1.0 + smerovane::gama(2.0 * n + 4.0)) + g * velikost +
                    nahoru(normaS * (1.0 + smerovane::gama(n + 1.0)) * inverze * normaR));
    return std::isfinite(chybaY) && std::isfinite(y.real()) && std::isfinite(y.imag());
}

}  // namespace

bool jisteVystupy(std::vector<Komplexni> M, int n, std::vector<Komplexni> G, int l, std::vector<Komplexni> H, int m,
                  const std::vector<Komplexni>& D, ChybyDat chyby, std::vector<Komplexni>& Y,
                  std::vector<double>& chybyY) {
    // y = d + (h C)(R M C)^-1 (R g): the same values from better scaled data.
    vyrovnej(M, n, G, l, H, m, chyby);
    const std::vector<Komplexni> puvodni = M;
    std::vector<int> radky;
    NormyRozkladu f;
    Vyrez faktory{M, n};
    if (!rozlozHuste(faktory, n, radky, f)) return false;
    Reseni s;
    res(faktory, n, radky, puvodni, G, l, H, m, chyby, s);
    const double inverze = normaInverze(chyby.M, n, f);
    if (!std::isfinite(inverze)) return false;
    Y.assign(static_cast<std::size_t>(m) * l, 0.0);
    chybyY.assign(Y.size(), 0.0);
    for (int o = 0; o < m; ++o)
        for (int i = 0; i < l; ++i) {
            const std::size_t e = static_cast<std::size_t>(o) * l + i;
            if (!vystup(s, H, D, chyby, n, l, m, o, i, inverze, Y[e], chybyY[e])) return false;
        }
    return true;
}
