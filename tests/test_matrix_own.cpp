// Characteristic matrices (OwnMatrix) and inverses of fraction matrices (InversniMaticeZlomek).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Matrix.h"
#include "OdvozeneMatice.h"
#include "Vyjimky.h"
#include "test_matrix_pomoc.h"

namespace {
namespace test_matrix_own {

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

TEST(OwnMatrixCharacteristic, SubtractsXOnTheDiagonalAndPrintsXTimesI) {
    Matrix<Polynom> petka(1, 1, Matrix<Polynom>::ZEROS);
    petka(0, 0) = Polynom(5.0);
    struct Pripad {
        Matrix<Polynom> a;
        std::string tisk;
        std::vector<Polynom> ocekavana;  // row by row
    };
    const Pripad pripady[] = {
        {petka, "1.0000 0.0000 \n\n", {poly({5.0, -1.0})}},
        {Matrix<Polynom>(2, 2, Matrix<Polynom>::ZEROS), "1.0000 0.0000 ; 0.0000 \n0.0000 ; 1.0000 0.0000 \n\n",
         {poly({0.0, -1.0}), Polynom(0.0), Polynom(0.0), poly({0.0, -1.0})}},
    };
    for (const Pripad& p : pripady) {
        std::ostringstream konzole;
        const Matrix<Polynom> c = OwnMatrix(p.a).vlastni_matice(konzole);
        EXPECT_EQ(konzole.str(), p.tisk);
        ASSERT_EQ(c.get_count(), static_cast<int>(p.ocekavana.size()));
        for (int i = 0; i < c.get_count(); ++i)
            EXPECT_TRUE(stejnePolynomy(c.get_matrix()[i], p.ocekavana[static_cast<std::size_t>(i)], 0.0)) << p.tisk;
    }
    EXPECT_TRUE(petka(0, 0) == 5.0);  // the source is left alone
    // Standard output by default.
    testing::internal::CaptureStdout();
    OwnMatrix(1, 1, Matrix<Polynom>::ONE).vlastni_matice();
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

TEST(FractionInverse, SmallInversesShareTheDeterminantPolynomialAsDenominator) {
    // (x + 2): turns over. ((x - 1)/2, 0; 0, 1): the determinant fraction (x - 1)/2 becomes
    // the polynomial 0.5x - 0.5. (x - 1, 0; 1, x - 2): numerators of degree one over a quadratic.
    Matrix<ZP> jedna(1, 1, Matrix<ZP>::ZEROS);
    jedna(0, 0) = ZP(poly({2.0, 1.0}), Polynom(1.0));
    Matrix<ZP> polovina(2, 2, Matrix<ZP>::ZEROS);
    polovina(0, 0) = ZP(poly({-1, 1}), Polynom(2.0));
    polovina(1, 1) = ZP(1.0);
    Matrix<ZP> trojuhelnik(2, 2, Matrix<ZP>::ZEROS);
    trojuhelnik(0, 0) = ZP(poly({-1, 1}), Polynom(1.0));
    trojuhelnik(1, 0) = ZP(1.0);
    trojuhelnik(1, 1) = ZP(poly({-2, 1}), Polynom(1.0));
    struct Pripad {
        Matrix<ZP> m;
        Polynom jmenovatel;
        std::vector<Polynom> citatele;  // row by row
    };
    const Pripad pripady[] = {
        {jedna, poly({2.0, 1.0}), {Polynom(1.0)}},
        {polovina, poly({-0.5, 0.5}), {Polynom(1.0), Polynom(0.0), Polynom(0.0), poly({-0.5, 0.5})}},
        {trojuhelnik, poly({2, -3, 1}), {poly({-2, 1}), Polynom(0.0), Polynom(-1.0), poly({-1, 1})}},
    };
    for (const Pripad& p : pripady) {
        const Matrix<ZP> inv = InversniMaticeZlomek(p.m).inverze();
        ASSERT_EQ(inv.get_count(), static_cast<int>(p.citatele.size()));
        for (int i = 0; i < inv.get_count(); ++i) {
            EXPECT_TRUE(stejnePolynomy(inv.get_matrix()[i].get_jmenovatel(), p.jmenovatel, 1e-15)) << i;
            EXPECT_TRUE(stejnePolynomy(inv.get_matrix()[i].get_citatel(), p.citatele[static_cast<std::size_t>(i)], 1e-15))
                << i;
        }
    }
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

TEST(FractionInverse, SingularPolynomialMatrixOfLargeSizeRaises) {
    // Integer data, so the cancellation is exact.
    Nahoda nahoda(15);
    Matrix<double> f(6, 6, Matrix<double>::ZEROS);
    for (int p = 0; p < f.get_count(); ++p) f.get_matrix()[p] = nahoda.cele(-4, 4);
    Matrix<ZP> m = zlomkovaCharakteristicka(f);
    for (int j = 0; j < 6; ++j) m(5, j) = m(0, j) * 2;  // two proportional rows
    EXPECT_THROW(InversniMaticeZlomek(m).inverze(), vyjm::Null_det);
}

}  // namespace test_matrix_own
}  // namespace
