// Characteristic matrices (OwnMatrix) and inverses of fraction matrices (InversniMaticeZlomek).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Matrix.h"
#include "OdvozeneMatice.h"
#include "Vyjimky.h"
#include "test_matrix_pomoc.h"

using pomoc::Nahoda;
using pomoc::poly;
using pomoc::stejnePolynomy;
using pomoc::text;
using pomoc::ZP;

namespace {

Matrix<Polynom> naPolynomy(const Matrix<double>& d) {
    Matrix<Polynom> p;
    p << d;
    return p;
}

// det(A - xI) of a real matrix, through the characteristic matrix.
Polynom charakteristicky(const Matrix<double>& a) {
    std::ostringstream konzole;
    return OwnMatrix(naPolynomy(a)).vlastni_matice(konzole).det();
}

// (l0 - x)(l1 - x)...
Polynom zKorenu(const std::vector<double>& koreny) {
    Polynom p(1.0);
    for (double l : koreny) p = p * poly({l, -1.0});
    return p;
}

// The characteristic matrix F - xI of a real matrix as fractions over 1.
Matrix<ZP> zlomkovaCharakteristicka(const Matrix<double>& f) {
    std::ostringstream konzole;
    Matrix<ZP> z;
    z << OwnMatrix(naPolynomy(f)).vlastni_matice(konzole);
    return z;
}

}  // namespace

TEST(OwnMatrixCharacteristic, OneByOnePrintsXAndAnEmptyLine) {
    Matrix<Polynom> a(1, 1, Matrix<Polynom>::ZEROS);
    a(0, 0) = Polynom(5.0);
    std::ostringstream konzole;
    const Matrix<Polynom> c = OwnMatrix(a).vlastni_matice(konzole);
    EXPECT_EQ(konzole.str(), "1.0000 0.0000 \n\n");
    ASSERT_EQ(c.get_count(), 1);
    EXPECT_TRUE(stejnePolynomy(c(0, 0), poly({5.0, -1.0}), 0.0));
    EXPECT_TRUE(a(0, 0) == 5.0);  // the source is left alone
}

TEST(OwnMatrixCharacteristic, ZeroMatrixGivesMinusXOnTheDiagonal) {
    const OwnMatrix a(2, 2, Matrix<Polynom>::ZEROS);
    std::ostringstream konzole;
    const Matrix<Polynom> c = a.vlastni_matice(konzole);
    EXPECT_EQ(konzole.str(), "1.0000 0.0000 ; 0.0000 \n0.0000 ; 1.0000 0.0000 \n\n");
    EXPECT_TRUE(stejnePolynomy(c(0, 0), poly({0.0, -1.0}), 0.0));
    EXPECT_TRUE(stejnePolynomy(c(1, 1), poly({0.0, -1.0}), 0.0));
    EXPECT_TRUE(stejnePolynomy(c(0, 1), Polynom(0.0), 0.0));
    EXPECT_TRUE(stejnePolynomy(c(1, 0), Polynom(0.0), 0.0));
}

TEST(OwnMatrixCharacteristic, PrintsOnStandardOutputByDefault) {
    const OwnMatrix a(1, 1, Matrix<Polynom>::ONE);
    testing::internal::CaptureStdout();
    a.vlastni_matice();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1.0000 0.0000 \n\n");
}

TEST(OwnMatrixCharacteristic, ConstructorsAndAssignmentBuildTheBase) {
    Pole<Polynom> prvky(4);
    prvky[3] = Polynom(2.0);
    OwnMatrix a(2, 2, prvky);
    EXPECT_TRUE(a(1, 1) == 2.0);
    a = Matrix<Polynom>(3, 3, Matrix<Polynom>::ONE);
    EXPECT_EQ(a.get_rows(), 3);
    EXPECT_TRUE(a(2, 2) == 1.0);
}

TEST(OwnMatrixCharacteristic, PolynomOfMatricesWithKnownIntegerEigenvalues) {
    // A = L D L^-1 with a unimodular integer L: exact data, eigenvalues the diagonal of D.
    Nahoda nahoda(31);
    const std::vector<std::vector<double>> spektra = {{2}, {1, -3}, {2, -1, 4}, {1, 2, -2, 3, 0}, {-1, 1, 2, -2, 3, 1}};
    for (const auto& spektrum : spektra) {
        const int n = static_cast<int>(spektrum.size());
        Matrix<int> l(n, n, Matrix<int>::ONE);
        Matrix<int> d(n, n, Matrix<int>::ZEROS);
        for (int i = 0; i < n; ++i) {
            d(i, i) = static_cast<int>(spektrum[static_cast<std::size_t>(i)]);
            for (int j = 0; j < i; ++j) l(i, j) = nahoda.cele(-2, 2);
        }
        const Matrix<int> a = l * d * l.inverze();
        Matrix<double> ad(n, n, Matrix<double>::ZEROS);
        for (int p = 0; p < a.get_count(); ++p) ad.get_matrix()[p] = a.get_matrix()[p];

        EXPECT_TRUE(stejnePolynomy(charakteristicky(ad), zKorenu(spektrum), 1e-12)) << text(ad);
    }
}

TEST(OwnMatrixCharacteristic, CompanionMatrixOfChosenRoots) {
    // Companion matrix of the monic polynomial with these roots.
    const std::vector<double> koreny = {0.5, -0.3, 0.9, 0.2, -0.7, 0.35};
    const int n = static_cast<int>(koreny.size());
    Polynom monicky(1.0);
    for (double r : koreny) monicky = monicky * poly({-r, 1.0});
    Matrix<double> c(n, n, Matrix<double>::ZEROS);
    for (int i = 1; i < n; ++i) c(i, i - 1) = 1.0;
    for (int i = 0; i < n; ++i) c(i, n - 1) = -monicky[static_cast<std::size_t>(i)];

    EXPECT_TRUE(stejnePolynomy(charakteristicky(c), zKorenu(koreny), 1e-12));
    std::ostringstream konzole;
    const Matrix<Polynom> ch = OwnMatrix(naPolynomy(c)).vlastni_matice(konzole);
    EXPECT_TRUE(stejnePolynomy(ch.det(), ch.detRozvojem(), 1e-12));
}

TEST(FractionInverse, OneByOneFractionTurnsOver) {
    const Polynom p = poly({2.0, 1.0});
    Matrix<ZP> m(1, 1, Matrix<ZP>::ZEROS);
    m(0, 0) = ZP(p, Polynom(1.0));
    const Matrix<ZP> inv = InversniMaticeZlomek(m).inverze();
    ASSERT_EQ(inv.get_count(), 1);
    EXPECT_TRUE(stejnePolynomy(inv(0, 0).get_citatel(), Polynom(1.0), 0.0));
    EXPECT_TRUE(stejnePolynomy(inv(0, 0).get_jmenovatel(), p, 0.0));
}

TEST(FractionInverse, ZeroDeterminantRaisesWithItsMessage) {
    const InversniMaticeZlomek m(2, 2, Matrix<ZP>::ONES);
    try {
        m.inverze();
        FAIL() << "no error";
    } catch (const vyjm::Null_det& e) {
        EXPECT_EQ(std::string(e.what()), "Nelze udelat inversni matici nulovy determinant\n");
    }
    EXPECT_EQ(InversniMaticeZlomek(2, 3, Matrix<ZP>::ONE).inverze().get_count(), 0);
}

TEST(FractionInverse, AllElementsShareTheDeterminantAndInvertTheMatrix) {
    Nahoda nahoda(13);
    for (int n = 1; n <= 6; ++n) {
        const Matrix<ZP> m = zlomkovaCharakteristicka(nahoda.realnaMatice(n, 1.0));
        const Polynom det = m.det().odstraneniZlomku();
        const Matrix<ZP> inv = InversniMaticeZlomek(m).inverze();
        ASSERT_EQ(inv.get_rows(), n);
        ASSERT_EQ(inv.get_columns(), n);
        for (int p = 0; p < inv.get_count(); ++p) EXPECT_TRUE(inv.get_matrix()[p].get_jmenovatel() == det);

        // M * numerators = det * I, as polynomials.
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                Polynom suma(0.0);
                for (int k = 0; k < n; ++k) suma = suma + m(i, k).get_citatel() * inv(k, j).get_citatel();
                EXPECT_TRUE(stejnePolynomy(suma, i == j ? det : Polynom(0.0), 1e-11)) << "n = " << n;
            }
        }
    }
}

TEST(FractionInverse, NumeratorsAreExactlyTheSignedTransposedMinors) {
    Nahoda nahoda(14);
    for (int n = 1; n <= 7; ++n) {
        const Matrix<ZP> m = zlomkovaCharakteristicka(nahoda.realnaMatice(n, 1.0));
        const Matrix<ZP> inv = InversniMaticeZlomek(m).inverze();
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const Polynom minor = m.submatice(j + 1, i + 1).det().odstraneniZlomku();
                const Polynom ocekavany = minor * ((i + j) % 2 == 0 ? 1.0 : -1.0);
                EXPECT_TRUE(inv(i, j).get_citatel() == ocekavany) << "n = " << n;
            }
        }
    }
}

TEST(FractionInverse, FractionsWithOtherDenominatorsShareTheQuotientDeterminant) {
    // ((x - 1)/2, 0; 0, 1): the determinant fraction (x - 1)/2 becomes the polynomial 0.5x - 0.5.
    Matrix<ZP> m(2, 2, Matrix<ZP>::ZEROS);
    m(0, 0) = ZP(poly({-1, 1}), Polynom(2.0));
    m(1, 1) = ZP(1.0);
    const Matrix<ZP> inv = InversniMaticeZlomek(m).inverze();
    for (int p = 0; p < 4; ++p)
        EXPECT_TRUE(stejnePolynomy(inv.get_matrix()[p].get_jmenovatel(), poly({-0.5, 0.5}), 1e-15));
    EXPECT_TRUE(stejnePolynomy(inv(0, 0).get_citatel(), Polynom(1.0), 1e-15));
    EXPECT_TRUE(stejnePolynomy(inv(1, 1).get_citatel(), poly({-0.5, 0.5}), 1e-15));
    EXPECT_TRUE(stejnePolynomy(inv(0, 1).get_citatel(), Polynom(0.0), 0.0));
}

TEST(FractionInverse, SingularPolynomialMatrixOfLargeSizeRaises) {
    // Integer data, so the cancellation is exact.
    Nahoda nahoda(15);
    Matrix<double> f(6, 6, Matrix<double>::ZEROS);
    for (int p = 0; p < f.get_count(); ++p) f.get_matrix()[p] = nahoda.cele(-4, 4);
    Matrix<ZP> m = zlomkovaCharakteristicka(f);
    for (int j = 0; j < 6; ++j) m(5, j) = m(0, j) * 2;  // two proportional rows
    EXPECT_THROW(InversniMaticeZlomek(m).inverze(), vyjm::Null_det);
}

TEST(FractionInverse, DeterminantDenominatorBuildsPolynomialsOfTheRightDegree) {
    // (x - 1, 0; 1, x - 2): the inverse has numerators of degree one over a quadratic.
    Matrix<ZP> m(2, 2, Matrix<ZP>::ZEROS);
    m(0, 0) = ZP(poly({-1, 1}), Polynom(1.0));
    m(1, 0) = ZP(1.0);
    m(1, 1) = ZP(poly({-2, 1}), Polynom(1.0));
    const Matrix<ZP> inv = InversniMaticeZlomek(m).inverze();
    EXPECT_TRUE(stejnePolynomy(inv(0, 0).get_jmenovatel(), poly({2, -3, 1}), 1e-15));
    EXPECT_TRUE(stejnePolynomy(inv(0, 0).get_citatel(), poly({-2, 1}), 1e-15));
    EXPECT_TRUE(inv(0, 1).get_citatel() == 0.0);
    EXPECT_TRUE(stejnePolynomy(inv(1, 0).get_citatel(), Polynom(-1.0), 1e-15));
    EXPECT_TRUE(stejnePolynomy(inv(1, 1).get_citatel(), poly({-1, 1}), 1e-15));
}
