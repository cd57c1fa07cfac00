// Stability and conversions of larger systems held against determinants of polynomial
// matrices, and the sizes beyond the limits refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Matrix.h"
#include "OdvozeneMatice.h"
#include "Polynoms.h"
#include "Rovnice.h"
#include "System.h"
#include "Vyjimky.h"

namespace {
namespace test_stabilita_cesty {

namespace {

Matrix<double> nahodna(std::mt19937& gen, int r, int s, double meze = 1.0) {
    std::uniform_real_distribution<double> d(-meze, meze);
    Matrix<double> m(r, s, Matrix<double>::ZEROS);
    for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = d(gen);
    return m;
}

Matrix<double> celociselna(std::mt19937& gen, int r, int s) {
    Matrix<double> m(r, s, Matrix<double>::ZEROS);
    for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = static_cast<double>(static_cast<int>(gen() % 7) - 3);
    return m;
}

// Random orthogonal matrix as a product of Householder reflections.
Matrix<double> ortogonalni(int n, std::mt19937& gen) {
    std::normal_distribution<double> normalni(0.0, 1.0);
    Matrix<double> q(n, n, Matrix<double>::ONE);
    for (int k = 0; k < n; ++k) {
        std::vector<double> v(static_cast<std::size_t>(n));
        double s = 0.0;
        for (double& x : v) {
            x = normalni(gen);
            s += x * x;
        }
        for (double& x : v) x /= std::sqrt(s);
        for (int i = 0; i < n; ++i) {
            double d = 0.0;
            for (int j = 0; j < n; ++j) d += q(i, j) * v[static_cast<std::size_t>(j)];
            for (int j = 0; j < n; ++j) q(i, j) -= 2.0 * d * v[static_cast<std::size_t>(j)];
        }
    }
    return q;
}

double nejvetsi(const Pole<double>& v) { return v.get_length() > 0 ? v[v.get_length() - 1] : 0.0; }

// The largest root magnitude of a polynomial, by Rovnice.
double nejvetsiKoren(const Polynom& p) {
    Rovnice r(p);
    r.AbsolutValue();
    return nejvetsi(r.get_solution());
}

// A reference in floating point: det(F - xI) of the characteristic matrix of polynomials, then
// Rovnice. Returns the largest magnitude; prints x*I on `konzole`.
double nejvetsiPresCharakteristickouMatici(const Matrix<double>& F, std::ostream& konzole) {
    const int n = F.get_rows();
    OwnMatrix FF(n, n, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) FF(i, j) = Polynom(F(i, j), 0, 'x', false);
    return nejvetsiKoren(FF.vlastni_matice(konzole).det());
}

CLDDS_Stav stav(const Matrix<double>& F) {
    const int n = F.get_rows();
    return CLDDS_Stav(F, Matrix<double>(n, 1, Matrix<double>::ONES), Matrix<double>(1, n, Matrix<double>::ONES),
                      Matrix<double>(1, 1, Matrix<double>::ZEROS), Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
}

// det(zI - M) as the determinant of a polynomial matrix, exact on integer data.
Polynom charakteristickyPresPolynomy(const Matrix<double>& M) {
    const int n = M.get_rows();
    Matrix<Polynom> m(n, n, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = Polynom(-M(i, j), 0, 'x', false);
    for (int i = 0; i < n; ++i) m(i, i).add(1.0, 1);
    return m.det();
}

double koef(const Polynom& p, int k) { return k <= p.get_stupen() ? p[static_cast<std::size_t>(k)] : 0.0; }

// A random l x l matrix fraction of degree d: diagonal monic of degree d, lower-degree
// couplings of size `vazba`, the coefficients scaled by `meritko` power by power so that the
// roots are spread around the unit circle; B of degree below d.
Matrix<Polynom> nahodneA(std::mt19937& gen, int l, int d, double meritko, double vazba) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix<Polynom> A(l, l, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < l; ++j) {
            std::vector<double> c(static_cast<std::size_t>(i == j ? d + 1 : d));
            for (int k = 0; k < static_cast<int>(c.size()); ++k)
                c[static_cast<std::size_t>(k)] = (i == j ? 1.0 : vazba) * u(gen) * std::pow(meritko, d - k);
            if (i == j) c.back() = 1.0;
            A(i, j) = Polynom(c.data(), static_cast<int>(c.size()));
        }
    return A;
}

Matrix<Polynom> jednotkoveB(int l) {
    Matrix<Polynom> B(l, l, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i) B(i, i) = Polynom(1.0);
    return B;
}

// The diagonal z^d, every other element 0.
Matrix<Polynom> mocninyNaDiagonale(int l, int d) {
    Matrix<Polynom> A(l, l, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < l; ++j) A(i, j) = i == j ? Polynom(1.0, d, 'x', false) : Polynom(0.0);
    return A;
}

TEST(StavStabilitaCesty, PrintsTheSameXTimesIdentityAsTheCharacteristicMatrix) {
    std::mt19937 gen(3);
    for (int n = 0; n <= 7; ++n) {
        const Matrix<double> F = n > 0 ? nahodna(gen, n, n) : Matrix<double>();
        std::ostringstream nove, drivejsi;
        stav(F).stavova_stabilita(nove);
        OwnMatrix(n, n, Matrix<Polynom>::ZEROS).vlastni_matice(drivejsi);
        EXPECT_EQ(nove.str(), drivejsi.str()) << "n " << n;
    }
}

TEST(StavStabilitaCesty, VerdictAgreesWithTheDeterminantOfTheCharacteristicMatrix) {
    // Random F of order 1 to 10 scaled so that the largest magnitude falls anywhere between
    // 0.5 and 1.5; cases within 1e-6 of the circle are left to the exact truths.
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> meritko(0.3, 1.2);
    int porovnano = 0;
    for (int pokus = 0; pokus < 200; ++pokus) {
        const int n = 1 + pokus % 10;
        const Matrix<double> F = nahodna(gen, n, n, meritko(gen));
        std::ostringstream nikam;
        const double drivejsi = nejvetsiPresCharakteristickouMatici(F, nikam);
        if (std::fabs(drivejsi - 1.0) < 1e-6) continue;
        EXPECT_EQ(stav(F).stavova_stabilita(nikam), drivejsi <= 1.0) << "case " << pokus << ", n " << n;
        ++porovnano;
    }
    EXPECT_GT(porovnano, 190);
}

TEST(StavStabilitaCesty, ExactDataOnTheCircleIsStable) {
    // Companion forms written by PrevodNaStav for denominators with multiple roots on the
    // circle: the determinant path found them exactly, the eigenvalues must agree.
    const std::vector<std::vector<double>> jmenovatele = {
        {1, -2, 1}, {-1, 3, -3, 1}, {1, 0, 2, 0, 1}, {-1, 1, 2, -2, -1, 1}, {1, 1, 1, 1}, {-1, 0, 0, 0, 1}};
    for (const auto& a : jmenovatele) {
        const Polynom A(a.data(), static_cast<int>(a.size()));
        CLDDS_Vnejsi_SISO vnejsi(A, Polynom(1.0));
        const CLDDS_Stav_SISO realizace(vnejsi);
        std::ostringstream nikam;
        EXPECT_TRUE(stav(realizace.get_F()).stavova_stabilita(nikam)) << "degree " << a.size() - 1;
        EXPECT_TRUE(vnejsi.stabilni());
    }
}

TEST(VnejsiMIMOStabilitaCesty, BlockCompanionAgreesWithTheDeterminantOfA) {
    // From five rows on the verdict comes from the eigenvalues of the block companion
    // matrix; the determinant of A (Berkowitz over polynomials) and Rovnice must agree.
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> meritko(0.5, 1.4);
    int porovnano = 0;
    for (int pokus = 0; pokus < 40; ++pokus) {
        const int l = 5 + pokus % 3;
        const int d = 1 + pokus % 3;
        const Matrix<Polynom> A = nahodneA(gen, l, d, meritko(gen), 0.3);
        const CLDDS_Vnejsi_MIMO system(A, jednotkoveB(l));
        const double drivejsi = nejvetsiKoren(A.det());
        if (std::fabs(drivejsi - 1.0) < 1e-6) continue;
        EXPECT_EQ(system.stabilni(), drivejsi <= 1.0) << "case " << pokus << ", l " << l << ", d " << d;
        ++porovnano;
    }
    EXPECT_GT(porovnano, 35);
}

TEST(VnejsiMIMOStabilitaCesty, VerdictIsThatOfTheStateSpaceRealisation) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> meritko(0.5, 1.4);
    for (int pokus = 0; pokus < 12; ++pokus) {
        const int l = 3 + pokus % 5;
        CLDDS_Vnejsi_MIMO vnejsi(nahodneA(gen, l, 2, meritko(gen), 0.2), jednotkoveB(l));
        const CLDDS_Stav_MIMO realizace(vnejsi);
        testing::internal::CaptureStdout();
        const bool stavovy = realizace.stabilni();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(vnejsi.stabilni(), stavovy) << "case " << pokus;
    }
}

TEST(VnejsiMIMOMeze, DeterminantBeyondThePolynomialCapacityIsRefusedUpFront) {
    // det A of a 5 x 5 A of degree 100 would have 501 coefficients. The refusal comes before
    // the companion matrix of order 500 is built, with the capacity message and the size.
    const CLDDS_Vnejsi_MIMO velky(mocninyNaDiagonale(5, 100), jednotkoveB(5));
    try {
        velky.stabilni();
        ADD_FAILURE() << "no error";
    } catch (const vyjm::Max_sizePolynom& e) {
        EXPECT_STREQ(e.what(), "Prekrocena max velikost Polynomu 500");
        EXPECT_EQ(e.get_velikost(), 501);
    }
    // A smaller degree goes through the companion matrix: all roots 0.
    EXPECT_TRUE(CLDDS_Vnejsi_MIMO(mocninyNaDiagonale(5, 20), jednotkoveB(5)).stabilni());
    // Up to four rows det A is still the polynomial, with the capacity rule of its products.
    EXPECT_THROW(CLDDS_Vnejsi_MIMO(mocninyNaDiagonale(2, 250), jednotkoveB(2)).stabilni(), vyjm::Max_sizePolynom);
}

TEST(VnejsiMIMOMeze, RealisationOfMoreThanAThousandStatesIsRefused) {
    CLDDS_Vnejsi_MIMO prilis(mocninyNaDiagonale(11, 91), jednotkoveB(11));
    CLDDS_Stav_MIMO cil;
    const Matrix<double> F = cil.get_F();
    try {
        prilis >> cil;
        ADD_FAILURE() << "no error";
    } catch (const vyjm::CLDDS_Vnejsi_MIMO& e) {
        EXPECT_STREQ(e.what(),
                     "U prevodu vnejsi -> stav je max rad systemu 1000 (pocet radku matice A krat stupen jeji "
                     "diagonaly)\n");
        EXPECT_EQ(e.get_r(), 1001);
        EXPECT_EQ(e.get_s(), 1000);
    }
    EXPECT_EQ(cil.get_F().get_rows(), F.get_rows());
    // Exactly a thousand states are built.
    CLDDS_Vnejsi_MIMO hranicni(mocninyNaDiagonale(10, 100), jednotkoveB(10));
    EXPECT_EQ(CLDDS_Stav_MIMO(hranicni).get_n(), 1000);
}

TEST(PrevodStavSISOCesty, CharacteristicPolynomialsEqualThePolynomialDeterminants) {
    // Integer data: the real characteristic polynomials are exact, so the coefficients equal
    // those of the determinants of polynomial matrices to the last bit.
    std::mt19937 gen(13);
    for (int pokus = 0; pokus < 28; ++pokus) {
        const int n = 1 + pokus % 7;
        const Matrix<double> F = celociselna(gen, n, n);
        const Matrix<double> G = celociselna(gen, n, 1);
        const Matrix<double> H = celociselna(gen, 1, n);
        const Matrix<double> L = celociselna(gen, 1, 1);
        CLDDS_Stav_SISO s(F, G, H, L, Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
        const CLDDS_Vnejsi_SISO prenos(s);
        const Polynom A = charakteristickyPresPolynomy(F);
        const Polynom B = (charakteristickyPresPolynomy(F - G * H) - A) + A * L(0, 0);
        ASSERT_EQ(prenos.get_A().get_stupen(), A.get_stupen()) << "case " << pokus;
        for (int k = 0; k <= A.get_stupen(); ++k) EXPECT_EQ(koef(prenos.get_A(), k), koef(A, k));
        for (int k = 0; k <= std::max(B.get_stupen(), prenos.get_B().get_stupen()); ++k)
            EXPECT_EQ(koef(prenos.get_B(), k), koef(B, k)) << "case " << pokus << ", power " << k;
    }
}

TEST(PrevodStavSISOCesty, LargeSystemsConvertAndReproduceTheResponse) {
    // 40 states with poles spread evenly on the circle of radius 0.8 (a transfer function of
    // clustered poles would lose them to rounding in any form), dense through a random
    // orthogonal similarity: the transfer function's impulse response is the state recursion's.
    std::mt19937 gen(17);
    const int n = 40;
    Matrix<double> cyklus(n, n, Matrix<double>::ZEROS);
    for (int i = 0; i < n; ++i) cyklus(i, (i + 1) % n) = 0.8;
    const Matrix<double> Q = ortogonalni(n, gen);
    const Matrix<double> F = Q * cyklus * Q.transpozice();
    CLDDS_Stav_SISO s(F, nahodna(gen, n, 1), nahodna(gen, 1, n), nahodna(gen, 1, 1),
                      Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
    const CLDDS_Vnejsi_SISO vnejsi(s);
    const Matrix<double> ze = vnejsi.impulsni_funkce();
    const Matrix<double> stavova = s.impulsni_funkce();
    for (int k = 0; k < 50; ++k) EXPECT_NEAR(ze(k, 0), stavova(k, 0), 1e-9) << "step " << k;
}

}  // namespace

}  // namespace test_stabilita_cesty
}  // namespace
