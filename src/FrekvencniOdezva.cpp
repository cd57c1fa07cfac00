#include "FrekvencniOdezva.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Konstanty.h"

namespace {


// a b without the checks of std::complex for inf and nan operands, which cost a library call
// per product: an overflow still gives inf or nan parts.
inline Komplexni soucin(Komplexni a, Komplexni b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// Solves M X = P in place (M n x n, P n x k, both row by row) by elimination with partial
// pivoting. Below the diagonal M has non-zeros in at most `pasmo` rows (n - 1 in general, 1
// for a Hessenberg matrix), so only those rows take part: O(n^2 pasmo + n^2 k) in all. False
// at an exactly zero pivot, an M that is singular as evaluated.
bool vyresSoustavu(std::vector<Komplexni>& M, int n, int pasmo, std::vector<Komplexni>& P, int k) {
    const auto m = [&](int r, int c) -> Komplexni& { return M[static_cast<std::size_t>(r) * n + c]; };
    const auto p = [&](int r, int c) -> Komplexni& { return P[static_cast<std::size_t>(r) * k + c]; };
    for (int s = 0; s < n; ++s) {
        const int posledni = std::min(n - 1, s + pasmo);
        int pivot = s;
        for (int r = s + 1; r <= posledni; ++r)
            if (std::abs(m(r, s)) > std::abs(m(pivot, s))) pivot = r;
        if (m(pivot, s) == 0.0) return false;
        if (pivot != s) {
            for (int c = s; c < n; ++c) std::swap(m(s, c), m(pivot, c));
            for (int c = 0; c < k; ++c) std::swap(p(s, c), p(pivot, c));
        }
        for (int r = s + 1; r <= posledni; ++r) {
            const Komplexni f = m(r, s) / m(s, s);
            if (f == 0.0) continue;
            for (int c = s + 1; c < n; ++c) m(r, c) -= soucin(f, m(s, c));
            for (int c = 0; c < k; ++c) p(r, c) -= soucin(f, p(s, c));
        }
    }
    for (int s = n - 1; s >= 0; --s)
        for (int c = 0; c < k; ++c) {
            Komplexni x = p(s, c);
            for (int j = s + 1; j < n; ++j) x -= soucin(m(s, j), p(j, c));
            p(s, c) = x / m(s, s);
        }
    return true;
}

std::vector<double> radkove(const Matrix<double>& M) {
    std::vector<double> v;
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) v.push_back(M(i, j));
    return v;
}

// The Householder vector v (scaled by the largest entry, so that no square overflows) that
// maps column k of F below row k + 1 to zero; empty when it is zero already.
std::vector<double> odrazovyVektor(const std::vector<double>& F, int n, int k) {
    double meritko = 0.0, zbytek = 0.0;
    for (int i = k + 1; i < n; ++i) meritko = std::max(meritko, std::fabs(F[static_cast<std::size_t>(i) * n + k]));
    for (int i = k + 2; i < n; ++i) zbytek = std::max(zbytek, std::fabs(F[static_cast<std::size_t>(i) * n + k]));
    if (zbytek == 0.0) return {};
    std::vector<double> v;
    double norma = 0.0;
    for (int i = k + 1; i < n; ++i) {
        v.push_back(F[static_cast<std::size_t>(i) * n + k] / meritko);
        norma += v.back() * v.back();
    }
    v[0] += std::copysign(std::sqrt(norma), v[0]);
    return v;
}

// M <- (I - 2 v v^T / v^T v) M on rows od ... od + |v| - 1 (M with `sloupcu` columns), or
// M <- M (I - 2 v v^T / v^T v) on those columns when zprava is set (M with `radku` rows).
void odraz(std::vector<double>& M, int radku, int sloupcu, const std::vector<double>& v, int od, bool zprava) {
    double vv = 0.0;
    for (double x : v) vv += x * x;
    const int delka = static_cast<int>(v.size());
    const int pocet = zprava ? radku : sloupcu;
    for (int t = 0; t < pocet; ++t) {
        const auto prvek = [&](int i) -> double& {
            return zprava ? M[static_cast<std::size_t>(t) * sloupcu + od + i] : M[static_cast<std::size_t>(od + i) * sloupcu + t];
        };
        double d = 0.0;
        for (int i = 0; i < delka; ++i) d += v[static_cast<std::size_t>(i)] * prvek(i);
        d = 2.0 * d / vv;
        for (int i = 0; i < delka; ++i) prvek(i) -= d * v[static_cast<std::size_t>(i)];
    }
}

}  // namespace

Komplexni bodKruznice(double w) {
    if (w == PI) return {-1.0, 0.0};
    return {std::cos(w), std::sin(w)};
}

Komplexni hodnotaPolynomu(const Polynom& p, Komplexni z) {
    Komplexni r = 0.0;
    for (int i = p.get_stupen(); i >= 0; --i) r = soucin(r, z) + p[static_cast<std::size_t>(i)];
    return r;
}

FrekvencniOdezva frekvencePodilu(const Polynom& B, const Polynom& A, const std::vector<double>& w) {
    FrekvencniOdezva odezva(1, 1, w.size());
    for (std::size_t k = 0; k < w.size(); ++k) {
        const Komplexni z = bodKruznice(w[k]);
        const Komplexni a = hodnotaPolynomu(A, z);
        odezva.singularni[k] = a == 0.0;
        if (a != 0.0) odezva(k, 0, 0) = hodnotaPolynomu(B, z) / a;
    }
    return odezva;
}

FrekvencniOdezva frekvenceMaticovehoZlomku(const Matrix<Polynom>& A, const Matrix<Polynom>& B,
                                        const std::vector<double>& w) {
    const int m = A.get_rows();
    const int l = B.get_columns();
    FrekvencniOdezva odezva(m, l, w.size());
    std::vector<Komplexni> M(static_cast<std::size_t>(m) * m), P(static_cast<std::size_t>(m) * l);
    for (std::size_t k = 0; k < w.size(); ++k) {
        const Komplexni z = bodKruznice(w[k]);
        for (int i = 0; i < m; ++i) {
            for (int j = 0; j < m; ++j) M[static_cast<std::size_t>(i) * m + j] = hodnotaPolynomu(A(i, j), z);
            for (int j = 0; j < l; ++j) P[static_cast<std::size_t>(i) * l + j] = hodnotaPolynomu(B(i, j), z);
        }
        odezva.singularni[k] = !vyresSoustavu(M, m, m - 1, P, l);
        if (odezva.singularni[k]) continue;
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < l; ++j) odezva(k, i, j) = P[static_cast<std::size_t>(i) * l + j];
    }
    return odezva;
}

FrekvencniOdezva frekvenceStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, const std::vector<double>& w) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    std::vector<double> Fh = radkove(F), Gh = radkove(G), Hh = radkove(H);
    for (int k = 0; k + 2 < n; ++k) {
        const std::vector<double> v = odrazovyVektor(Fh, n, k);
        if (v.empty()) continue;
        odraz(Fh, n, n, v, k + 1, false);
        odraz(Fh, n, n, v, k + 1, true);
        odraz(Gh, n, l, v, k + 1, false);
        odraz(Hh, m, n, v, k + 1, true);
        // What the reflection leaves below the subdiagonal is rounding of zeros.
        for (int i = k + 2; i < n; ++i) Fh[static_cast<std::size_t>(i) * n + k] = 0.0;
    }
    FrekvencniOdezva odezva(m, l, w.size());
    std::vector<Komplexni> M(static_cast<std::size_t>(n) * n), X(static_cast<std::size_t>(n) * l);
    for (std::size_t k = 0; k < w.size(); ++k) {
        const Komplexni z = bodKruznice(w[k]);
        for (std::size_t e = 0; e < M.size(); ++e) M[e] = -Fh[e];
        for (int i = 0; i < n; ++i) M[static_cast<std::size_t>(i) * n + i] += z;
        std::copy(Gh.begin(), Gh.end(), X.begin());
        odezva.singularni[k] = !vyresSoustavu(M, n, 1, X, l);
        if (odezva.singularni[k]) continue;
        for (int o = 0; o < m; ++o)
            for (int i = 0; i < l; ++i) {
                Komplexni y = L(o, i);
                for (int j = 0; j < n; ++j) y += Hh[static_cast<std::size_t>(o) * n + j] * X[static_cast<std::size_t>(j) * l + i];
                odezva(k, o, i) = y;
            }
    }
    return odezva;
}
