// State space to transfer functions and matrix fractions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Vyjimky.h"

namespace {
namespace test_stav_prevod {

namespace {

using Hodnoty = std::vector<double>;

Matrix<double> matice(int radky, int sloupce, const Hodnoty& h) { return Matrix<double>(radky, sloupce, h.data()); }

Matrix<double> nahodna(std::mt19937& gen, int r, int s, double meze = 1.0) {
    std::uniform_real_distribution<double> d(-meze, meze);
    Hodnoty h(static_cast<std::size_t>(r * s));
    for (auto& v : h) v = d(gen);
    return matice(r, s, h);
}

// Random F with infinity norm 0.9: every eigenvalue lies inside the unit circle.
Matrix<double> nahodnaStabilni(std::mt19937& gen, int n) {
    Matrix<double> f = nahodna(gen, n, n);
    double norma = 0.0;
    for (int i = 0; i < n; ++i) {
        double s = 0.0;
        for (int j = 0; j < n; ++j) s += std::fabs(f(i, j));
        norma = std::max(norma, s);
    }
    return f * (0.9 / norma);
}

Matrix<double> nuly(int r, int s) { return Matrix<double>(r, s, Matrix<double>::ZEROS); }

// Coefficients from power 0 up.
void ocekavejPolynom(const Polynom& p, const Hodnoty& koeficienty, double tolerance = 1e-12) {
    ASSERT_EQ(p.get_stupen() + 1, static_cast<int>(koeficienty.size()));
    for (std::size_t k = 0; k < koeficienty.size(); ++k) EXPECT_NEAR(p[k], koeficienty[k], tolerance) << "power " << k;
}

double hodnota(const Polynom& p, double z) {
    double v = 0.0;
    for (int k = p.get_stupen(); k >= 0; --k) v = v * z + p[static_cast<std::size_t>(k)];
    return v;
}

// (zI - F)^-1 G by Gaussian elimination with partial pivoting.
std::vector<Hodnoty> resolventa(const Matrix<double>& F, const Matrix<double>& G, double z) {
    const int n = F.get_rows(), k = G.get_columns();
    std::vector<Hodnoty> a(n, Hodnoty(n + k));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) a[i][j] = (i == j ? z : 0.0) - F(i, j);
        for (int j = 0; j < k; ++j) a[i][n + j] = G(i, j);
    }
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        std::swap(a[c], a[p]);
        for (int r = 0; r < n; ++r) {
            if (r == c) continue;
            const double f = a[r][c] / a[c][c];
            for (int j = c; j < n + k; ++j) a[r][j] -= f * a[c][j];
        }
    }
    std::vector<Hodnoty> x(n, Hodnoty(k));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < k; ++j) x[i][j] = a[i][n + j] / a[i][i];
    return x;
}

void ocekavejStejneOdezvy(const Matrix<double>& a, const Matrix<double>& b, double tolerance) {
    ASSERT_EQ(a.get_rows(), b.get_rows());
    ASSERT_EQ(a.get_columns(), b.get_columns());
    double velikost = 1e-300;
    for (int i = 0; i < a.get_rows(); ++i)
        for (int j = 0; j < a.get_columns(); ++j) velikost = std::max(velikost, std::fabs(a(i, j)));
    for (int i = 0; i < a.get_rows(); ++i)
        for (int j = 0; j < a.get_columns(); ++j) EXPECT_NEAR(a(i, j), b(i, j), tolerance * velikost) << i << ", " << j;
}

CLDDS_Stav_SISO prikladSISO(double d) {
    return CLDDS_Stav_SISO(matice(2, 2, {0.5, 0.0, 1.0, 0.2}), matice(2, 1, {1.0, 0.0}), matice(1, 2, {0.0, 1.0}),
                           matice(1, 1, {d}), nuly(2, 1), 2, 1.0);
}

CLDDS_Stav_MIMO diagonalniMIMO() {
    const Matrix<double> I(2, 2, Matrix<double>::ONE);
    return CLDDS_Stav_MIMO(2, 2, matice(2, 2, {0.5, 0.0, 0.0, 0.2}), I, I, nuly(2, 2), nuly(2, 1), 2, 1.0);
}

}  // namespace

TEST(PrevodStavSISO, WorkedExampleGivesTheListedPolynomials) {
    CLDDS_Stav_SISO stav = prikladSISO(0.0);
    CLDDS_Vnejsi_SISO vnejsi;
    stav >> vnejsi;
    ocekavejPolynom(vnejsi.get_A(), {0.1, -0.7, 1.0});
    ocekavejPolynom(vnejsi.get_B(), {1.0});
    const Matrix<double> i = vnejsi.impulsni_funkce();
    const Hodnoty zacatek = {0.0, 0.0, 1.0, 0.7, 0.39};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(i(k, 0), zacatek[static_cast<std::size_t>(k)], 1e-12);

    CLDDS_Stav_SISO sL = prikladSISO(2.0);
    sL >> vnejsi;
    ocekavejPolynom(vnejsi.get_A(), {0.1, -0.7, 1.0});
    ocekavejPolynom(vnejsi.get_B(), {1.2, -1.4, 2.0});
    EXPECT_DOUBLE_EQ(vnejsi.get_b0(), 2.0);
}

TEST(PrevodStavSISO, FirstOrderSystem) {
    // F = (f), G = (g), H = (h), L = (d): A = z - f, B = h g + d (z - f).
    CLDDS_Stav_SISO stav(matice(1, 1, {0.3}), matice(1, 1, {2.0}), matice(1, 1, {1.5}), matice(1, 1, {0.5}),
                         nuly(1, 1), 1, 1.0);
    const CLDDS_Vnejsi_SISO vnejsi(stav);
    ocekavejPolynom(vnejsi.get_A(), {-0.3, 1.0});
    ocekavejPolynom(vnejsi.get_B(), {3.0 - 0.15, 0.5});
}

TEST(PrevodStavSISO, ExternalSystemReproducesTheResponses) {
    std::mt19937 gen(9);
    for (int n = 1; n <= 6; ++n) {
        CLDDS_Stav_SISO stav(nahodnaStabilni(gen, n), nahodna(gen, n, 1), nahodna(gen, 1, n), nahodna(gen, 1, 1),
                             nuly(n, 1), n, 1.0);
        CLDDS_Vnejsi_SISO vnejsi(stav);
        ocekavejStejneOdezvy(vnejsi.impulsni_funkce(), stav.impulsni_funkce(), 1e-9);
        ocekavejStejneOdezvy(vnejsi.prechodova_funkce(), stav.prechodova_funkce(), 1e-9);
    }
}

TEST(PrevodStavMIMO, DiagonalSystem) {
    CLDDS_Stav_MIMO stav = diagonalniMIMO();
    CLDDS_Vnejsi_MIMO vnejsi;
    stav >> vnejsi;
    const Matrix<Polynom>& A = vnejsi.get_A();
    const Matrix<Polynom>& B = vnejsi.get_B();
    ASSERT_EQ(A.get_rows(), 2);
    ASSERT_EQ(A.get_columns(), 2);
    ocekavejPolynom(A(0, 0), {0.1, -0.7, 1.0});
    ocekavejPolynom(A(1, 1), {0.1, -0.7, 1.0});
    EXPECT_TRUE(A(0, 1) == 0.0);
    EXPECT_TRUE(A(1, 0) == 0.0);
    ocekavejPolynom(B(0, 0), {-0.2, 1.0});
    ocekavejPolynom(B(1, 1), {-0.5, 1.0});
    EXPECT_TRUE(B(0, 1) == 0.0);
    EXPECT_TRUE(B(1, 0) == 0.0);
}

TEST(PrevodStavMIMO, NineStatesAreRefusedAndLeaveTheTargetAsItWas) {
    CLDDS_Stav_MIMO diagonalni = diagonalniMIMO();
    CLDDS_Vnejsi_MIMO vnejsi(diagonalni);
    const Polynom predtim = vnejsi.get_A()(0, 0);

    std::mt19937 gen(1);
    CLDDS_Stav_MIMO velky(1, 1, nahodnaStabilni(gen, 9), nahodna(gen, 9, 1), nahodna(gen, 1, 9), nuly(1, 1),
                          nuly(9, 1), 9, 1.0);
    try {
        velky >> vnejsi;
        ADD_FAILURE() << "9 x 9 F converted";
    } catch (const vyjm::CLDDS_Stav_MIMO& e) {
        EXPECT_STREQ(e.what(), "U prevodu stav -> vnejsi je max F rozmer 8x8\n");
        EXPECT_EQ(e.get_n(), 9);
    }
    EXPECT_EQ(vnejsi.get_A().get_rows(), 2);
    EXPECT_TRUE(vnejsi.get_A()(0, 0) == predtim);
}

TEST(PrevodStavMIMO, EightStatesGiveTheTransferMatrix) {
    // B(z0) / A(z0) must equal H (z0 I - F)^-1 G + L at a point away from every eigenvalue.
    std::mt19937 gen(2);
    const Matrix<double> F = nahodnaStabilni(gen, 8), G = nahodna(gen, 8, 2), H = nahodna(gen, 2, 8),
                         L = nahodna(gen, 2, 2);
    CLDDS_Stav_MIMO stav(2, 2, F, G, H, L, nuly(8, 1), 8, 1.0);
    CLDDS_Vnejsi_MIMO vnejsi;
    stav >> vnejsi;
    const Matrix<Polynom>& A = vnejsi.get_A();
    ASSERT_EQ(A(0, 0).get_stupen(), 8);
    EXPECT_DOUBLE_EQ(A(0, 0)[8], 1.0);
    EXPECT_TRUE(A(1, 1) == A(0, 0));
    for (double z0 : {1.3, -2.0}) {
        const std::vector<Hodnoty> X = resolventa(F, G, z0);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                double ocekavane = L(i, j);
                for (int k = 0; k < 8; ++k) ocekavane += H(i, k) * X[k][j];
                EXPECT_NEAR(hodnota(vnejsi.get_B()(i, j), z0) / hodnota(A(i, i), z0), ocekavane, 1e-9);
            }
    }
}

TEST(PrevodStavMIMO, ExternalSystemReproducesTheResponses) {
    std::mt19937 gen(4);
    for (int n = 1; n <= 4; ++n) {
        CLDDS_Stav_MIMO stav(2, 2, nahodnaStabilni(gen, n), nahodna(gen, n, 2), nahodna(gen, 2, n), nahodna(gen, 2, 2),
                             nuly(n, 1), n, 1.0);
        CLDDS_Vnejsi_MIMO vnejsi(stav);
        ocekavejStejneOdezvy(vnejsi.impulsni_funkce(), stav.impulsni_funkce(), 1e-9);
        ocekavejStejneOdezvy(vnejsi.prechodova_funkce(), stav.prechodova_funkce(), 1e-9);
    }
}

}  // namespace test_stav_prevod
}  // namespace
