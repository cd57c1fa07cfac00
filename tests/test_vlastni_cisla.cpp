// Eigenvalue magnitudes of real matrices (the roots of their characteristic polynomials)
// on matrices whose spectrum is known by construction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "Matrix.h"
#include "Polynoms.h"
#include "Rovnice.h"

namespace {

using Husta = std::vector<std::vector<double>>;
const double NEKONECNO = std::numeric_limits<double>::infinity();

Matrix<double> matice(const Husta& h) {
    const int n = static_cast<int>(h.size());
    Matrix<double> m(n, n, Matrix<double>::ZEROS);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = h[i][j];
    return m;
}

std::vector<double> velikosti(const Husta& h) {
    const Pole<double> v = velikostiVlastnichCisel(matice(h));
    std::vector<double> vysledek;
    for (int i = 0; i < v.get_length(); ++i) vysledek.push_back(v[i]);
    return vysledek;
}

double nejvetsi(const Husta& h) { return velikosti(h).back(); }

// Random orthogonal matrix as a product of Householder reflections.
Husta ortogonalni(int n, std::mt19937& gen) {
    std::normal_distribution<double> normalni(0.0, 1.0);
    Husta q(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i) q[i][i] = 1.0;
    for (int k = 0; k < n; ++k) {
        std::vector<double> v(n);
        double s = 0.0;
        for (double& x : v) {
            x = normalni(gen);
            s += x * x;
        }
        s = std::sqrt(s);
        for (double& x : v) x /= s;
        for (auto& radek : q) {
            double d = 0.0;
            for (int j = 0; j < n; ++j) d += radek[j] * v[j];
            for (int j = 0; j < n; ++j) radek[j] -= 2.0 * d * v[j];
        }
    }
    return q;
}

// Q T Q^T: the spectrum of T under an orthogonal similarity.
Husta podobna(const Husta& t, std::mt19937& gen) {
    const int n = static_cast<int>(t.size());
    const Husta q = ortogonalni(n, gen);
    Husta qt(n, std::vector<double>(n, 0.0)), f(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k)
            for (int j = 0; j < n; ++j) qt[i][j] += q[i][k] * t[k][j];
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k) f[i][j] += qt[i][k] * q[j][k];
    return f;
}

// Companion matrix of the monic polynomial with coefficients c (power 0 first, c.back() = 1).
Husta doprovodna(const std::vector<double>& c) {
    const int n = static_cast<int>(c.size()) - 1;
    Husta f(n, std::vector<double>(n, 0.0));
    for (int i = 0; i + 1 < n; ++i) f[i][i + 1] = 1.0;
    for (int j = 0; j < n; ++j) f[n - 1][j] = -c[j];
    return f;
}

std::vector<double> soucin(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    return r;
}

std::vector<double> mocnina(const std::vector<double>& a, int k) {
    std::vector<double> r{1.0};
    for (int i = 0; i < k; ++i) r = soucin(r, a);
    return r;
}

// Upper quasi-triangular T: the listed real eigenvalues and rotation blocks r(cos, -sin; sin, cos),
// random entries of size `nad` / sqrt(n) above the blocks. Returns the sorted magnitudes.
struct Spektrum {
    Husta t;
    std::vector<double> velikosti;
};

Spektrum nahodneSpektrum(int n, double polomer, double nad, std::mt19937& gen) {
    std::uniform_real_distribution<double> u(0.0, 1.0), uhel(0.2, 3.0), d(-1.0, 1.0);
    Spektrum s{Husta(n, std::vector<double>(n, 0.0)), {}};
    for (int i = 0; i < n;) {
        const double r = i == 0 ? polomer : polomer * std::sqrt(u(gen));
        if (i + 1 < n && u(gen) < 0.7) {
            const double a = uhel(gen);
            s.t[i][i] = s.t[i + 1][i + 1] = r * std::cos(a);
            s.t[i][i + 1] = -r * std::sin(a);
            s.t[i + 1][i] = r * std::sin(a);
            s.velikosti.push_back(r);
            s.velikosti.push_back(r);
            i += 2;
        } else {
            s.t[i][i] = u(gen) < 0.5 ? r : -r;
            s.velikosti.push_back(r);
            i += 1;
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = i + 2; j < n; ++j) s.t[i][j] = nad * d(gen) / std::sqrt(static_cast<double>(n));
    std::sort(s.velikosti.begin(), s.velikosti.end());
    return s;
}

// A Jordan block of order k at lambda (real) in the top-left corner, random simple
// eigenvalues inside 0.9 below it, random couplings of the rest.
Husta sJordanovymBlokem(int n, int k, double lambda, std::mt19937& gen) {
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Husta t(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < k; ++i) {
        t[i][i] = lambda;
        if (i + 1 < k) t[i][i + 1] = 1.0;
    }
    for (int i = k; i < n; ++i) t[i][i] = 0.9 * d(gen);
    for (int i = 0; i < n; ++i)
        for (int j = std::max(i + 1, k); j < n; ++j) t[i][j] = 0.5 * d(gen) / std::sqrt(static_cast<double>(n));
    return t;
}

TEST(VlastniCisla, MagnitudesOfKnownSpectraNearTheCircle) {
    // Normal and far from normal matrices up to order 100, the largest magnitude 0.05, 1e-3
    // and 1e-6 inside or outside the circle: every magnitude to 1e-9, and the side of the
    // circle of the largest one.
    std::mt19937 gen(17);
    for (int n : {3, 10, 30, 60, 100}) {
        for (double odstup : {0.05, 1e-3, 1e-6}) {
            for (double nad : {0.0, 1.0}) {
                for (double polomer : {1.0 - odstup, 1.0 + odstup}) {
                    const Spektrum s = nahodneSpektrum(n, polomer, nad, gen);
                    const std::vector<double> v = velikosti(podobna(s.t, gen));
                    ASSERT_EQ(v.size(), s.velikosti.size());
                    for (std::size_t i = 0; i < v.size(); ++i)
                        EXPECT_NEAR(v[i], s.velikosti[i], 1e-9) << "n " << n << ", radius " << polomer << ", i " << i;
                    EXPECT_EQ(v.back() > 1.0, polomer > 1.0) << "n " << n << ", radius " << polomer;
                }
            }
        }
    }
}

TEST(VlastniCisla, MultipleEigenvaluesOnTheCircleCountAsOnTheCircle) {
    // A defective eigenvalue splits under rounding into a ring of about the k-th root of the
    // rounding errors (1e-5 for k = 3), half of it outside the circle; the group is
    // recognised and keeps the magnitude of its centre.
    const std::vector<double> zMinus1{-1.0, 1.0}, zPlus1{1.0, 1.0}, z2Plus1{1.0, 0.0, 1.0};
    const std::vector<std::vector<double>> polynomy = {
        mocnina(zMinus1, 2),
        mocnina(zMinus1, 3),
        mocnina(zMinus1, 4),
        mocnina(zMinus1, 6),
        mocnina(zPlus1, 3),
        mocnina(z2Plus1, 2),
        mocnina(z2Plus1, 3),
        soucin(mocnina(zMinus1, 2), mocnina({-0.5, 1.0}, 3)),
        soucin(mocnina(zMinus1, 3), mocnina(zPlus1, 2)),
        soucin(mocnina({0.6, -1.2, 1.0}, 2), mocnina(zMinus1, 2)),
    };
    for (const auto& c : polynomy) EXPECT_EQ(nejvetsi(doprovodna(c)), 1.0) << "degree " << c.size() - 1;

    std::mt19937 gen(23);
    for (int n : {6, 12, 60}) {
        for (int k : {2, 3, 4}) {
            for (double lambda : {1.0, -1.0}) {
                EXPECT_EQ(nejvetsi(podobna(sJordanovymBlokem(n, k, lambda, gen), gen)), 1.0)
                    << "n " << n << ", k " << k << ", lambda " << lambda;
            }
        }
    }
    // Just inside, the copies spill outside; the centre stays inside.
    EXPECT_LE(nejvetsi(podobna(sJordanovymBlokem(20, 4, 1.0 - 1e-6, gen), gen)), 1.0);
    // Semisimple multiple eigenvalues need no help: the identity, and a cycle of 256 states
    // (all roots of unity, a classic stall of the plain shift).
    Husta jednotkova(8, std::vector<double>(8, 0.0));
    for (int i = 0; i < 8; ++i) jednotkova[i][i] = 1.0;
    EXPECT_EQ(velikosti(jednotkova), std::vector<double>(8, 1.0));
    Husta cyklus(256, std::vector<double>(256, 0.0));
    for (int i = 0; i < 256; ++i) cyklus[i][(i + 1) % 256] = 1.0;
    EXPECT_EQ(velikosti(cyklus), std::vector<double>(256, 1.0));
}

TEST(VlastniCisla, EigenvaluesJustOffTheCircleKeepTheirSide) {
    std::mt19937 gen(29);
    for (int n : {10, 50, 100}) {
        // Two simple eigenvalues 2e-6 apart across the circle, strongly coupled: not one
        // double eigenvalue on it.
        Husta t = sJordanovymBlokem(n, 0, 0.0, gen);
        t[0][0] = 1.0 + 1e-6;
        t[1][1] = 1.0 - 1e-6;
        t[0][1] = 0.3;
        EXPECT_GT(nejvetsi(podobna(t, gen)), 1.0) << "n " << n;
        // A complex pair 1e-6 outside and inside.
        for (double r : {1.0 + 1e-6, 1.0 - 1e-6}) {
            Husta u = sJordanovymBlokem(n, 0, 0.0, gen);
            u[0][0] = u[1][1] = r * std::cos(0.7);
            u[0][1] = -r * std::sin(0.7);
            u[1][0] = r * std::sin(0.7);
            EXPECT_EQ(nejvetsi(podobna(u, gen)) > 1.0, r > 1.0) << "n " << n << ", r " << r;
        }
        // A triple eigenvalue outside stays outside.
        EXPECT_GT(nejvetsi(podobna(sJordanovymBlokem(n, 3, 1.001, gen), gen)), 1.0) << "n " << n;
    }
}

TEST(VlastniCisla, AgreeWithTheRootsOfTheCharacteristicPolynomial) {
    std::mt19937 gen(31);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    for (int pokus = 0; pokus < 60; ++pokus) {
        const int n = 1 + pokus % 8;
        Matrix<double> f(n, n, Matrix<double>::ZEROS);
        for (int p = 0; p < f.get_count(); ++p) f.get_matrix()[p] = d(gen);
        Rovnice r{Polynom(f.charakteristickyPolynom())};
        r.AbsolutValue();
        const Pole<double> zPolynomu = r.get_solution();
        const Pole<double> vlastni = velikostiVlastnichCisel(f);
        ASSERT_EQ(vlastni.get_length(), n);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(vlastni[i], zPolynomu[i], 1e-8 * (1.0 + zPolynomu[i])) << "case " << pokus;
    }
}

TEST(VlastniCisla, SpecialMatrices) {
    EXPECT_EQ(velikostiVlastnichCisel(Matrix<double>()).get_length(), 0);
    EXPECT_EQ(velikostiVlastnichCisel(Matrix<double>(2, 3, Matrix<double>::ONES)).get_length(), 0);
    EXPECT_EQ(velikosti(Husta(4, std::vector<double>(4, 0.0))), std::vector<double>(4, 0.0));
    // An entry that is not finite makes every magnitude infinite: never a stable verdict.
    Husta nekonecna{{0.5, 0.0}, {NEKONECNO, 0.5}};
    EXPECT_EQ(velikosti(nekonecna), std::vector<double>(2, NEKONECNO));
    nekonecna[1][0] = std::nan("");
    EXPECT_EQ(velikosti(nekonecna), std::vector<double>(2, NEKONECNO));
    // Entries near the ends of the double range scale exactly.
    const std::vector<double> obri = velikosti({{0.0, -1e300}, {1e300, 0.0}});
    EXPECT_NEAR(obri[1] / 1e300, 1.0, 1e-14);
    const std::vector<double> drobne = velikosti({{3e-300, 0.0}, {1e-300, -2e-300}});
    EXPECT_NEAR(drobne[0] / 2e-300, 1.0, 1e-14);
    EXPECT_NEAR(drobne[1] / 3e-300, 1.0, 1e-14);
    // A badly scaled similarity of a rotation: balancing keeps it on the circle.
    EXPECT_EQ(velikosti({{0.0, 1e-6}, {-1e6, 0.0}}), std::vector<double>(2, 1.0));
    // Exactly on the circle, and within the tolerance of it.
    EXPECT_EQ(velikosti({{-1.0, 0.0}, {0.0, 1.0 + 5e-10}}), std::vector<double>(2, 1.0));
}

}  // namespace
