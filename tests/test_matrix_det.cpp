// Determinants, minors, blocks, inverse, adjugate and the fraction-free triangular reduction.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Matrix.h"
#include "Vyjimky.h"
#include "test_matrix_pomoc.h"

namespace {
namespace test_matrix_det {

using pomoc::Nahoda;
using pomoc::permutacniDet;
using pomoc::poly;
using pomoc::stejnePolynomy;
using pomoc::stejneZlomky;
using pomoc::text;
using pomoc::ZP;

namespace {

const std::string NULOVY_DET = "Nelze udelat inversni matici nulovy determinant\n";

Matrix<double> realna(int r, int c, std::vector<double> prvky) { return Matrix<double>(r, c, prvky.data()); }

Matrix<int> cela(int r, int c, std::vector<int> prvky) { return Matrix<int>(r, c, prvky.data()); }

// Unit lower times unit upper triangular integer matrix: determinant 1, integer inverse.
Matrix<int> unimodularni(Nahoda& nahoda, int n) {
    Matrix<int> l(n, n, Matrix<int>::ONE);
    Matrix<int> u(n, n, Matrix<int>::ONE);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            l(i, j) = nahoda.cele(-2, 2);
            u(j, i) = nahoda.cele(-2, 2);
        }
    return l * u;
}

Matrix<double> naRealnou(const Matrix<int>& m) {
    Matrix<double> d(m.get_rows(), m.get_columns(), Matrix<double>::ZEROS);
    for (int p = 0; p < m.get_count(); ++p) d.get_matrix()[p] = m.get_matrix()[p];
    return d;
}

template <typename T>
bool jeJednotkova(const Matrix<T>& m) {
    for (int i = 0; i < m.get_rows(); ++i)
        for (int j = 0; j < m.get_columns(); ++j)
            if (m(i, j) != (i == j ? 1 : 0)) return false;
    return m.get_rows() == m.get_columns();
}

}  // namespace

TEST(MatrixDeterminant, KnownValuesAndTheZeroOfNonSquareMatrices) {
    EXPECT_EQ(realna(1, 1, {-3.5}).det(), -3.5);
    EXPECT_EQ(realna(2, 2, {1, 2, 3, 4}).det(), -2.0);
    EXPECT_EQ(cela(2, 2, {0, 1, 1, 0}).det(), -1);
    EXPECT_EQ(Matrix<double>(7, 7, Matrix<double>::ONE).det(), 1.0);
    EXPECT_EQ(Matrix<int>(0, 0, Matrix<int>::ZEROS).det(), 1);
    EXPECT_TRUE(Matrix<Polynom>(0, 0, Matrix<Polynom>::ZEROS).det() == 1.0);
    EXPECT_TRUE(Matrix<ZP>().det() == 1.0);
    EXPECT_EQ(realna(2, 3, {1, 2, 3, 4, 5, 6}).det(), 0.0);
    EXPECT_EQ(realna(2, 3, {1, 2, 3, 4, 5, 6}).detRozvojem(), 0.0);
    EXPECT_EQ(Matrix<int>(6, 5, Matrix<int>::ONE).det(), 0);
    EXPECT_TRUE(Matrix<Polynom>(1, 3, Matrix<Polynom>::ONES).det() == 0.0);
}

TEST(MatrixDeterminant, AgreesWithThePermutationSumAndTheCofactorExpansionForEveryElementType) {
    // Integer data in int and in double: the fast method equals the expansion exactly.
    Nahoda nahoda(11);
    for (int n = 1; n <= 7; ++n) {
        for (int pokus = 0; pokus < 3; ++pokus) {
            const Matrix<int> c = nahoda.celaMatice(n, 5);
            EXPECT_EQ(c.det(), c.detRozvojem()) << "n = " << n;
            const Matrix<double> d = naRealnou(nahoda.celaMatice(n, 9));
            EXPECT_EQ(d.det(), d.detRozvojem()) << "n = " << n;

            const Matrix<double> r = nahoda.realnaMatice(n, 2.0);
            EXPECT_NEAR(r.det(), r.detRozvojem(), 1e-11) << "n = " << n;
            const Matrix<Polynom> p = nahoda.polynomialniMatice(n, 2);
            EXPECT_TRUE(stejnePolynomy(p.det(), p.detRozvojem(), 1e-10)) << "n = " << n;
            if (n > 6) continue;
            EXPECT_EQ(c.det(), permutacniDet(c, 0)) << "n = " << n;
            EXPECT_NEAR(r.det(), permutacniDet(r, 0.0), 1e-11) << "n = " << n;
            EXPECT_TRUE(stejnePolynomy(p.det(), permutacniDet(p, Polynom(0.0)), 1e-10)) << "n = " << n;
            const Matrix<ZP> z = nahoda.zlomkovaMatice(n, true);
            EXPECT_TRUE(stejneZlomky(z.det(), permutacniDet(z, ZP(0.0)), 1e-10)) << "n = " << n;
        }
    }
    // Fractions with their own denominators: never reduced, so only small sizes stay in capacity.
    for (int n = 1; n <= 3; ++n) {
        const Matrix<ZP> z = nahoda.zlomkovaMatice(n, false);
        EXPECT_TRUE(stejneZlomky(z.det(), permutacniDet(z, ZP(0.0)), 1e-9)) << "n = " << n;
    }
}

TEST(MatrixDeterminant, IntegerResultIsExactEvenWhenIntermediateValuesOverflow) {
    // L * D * U with large triangular factors: entries near a million, determinant small.
    Nahoda nahoda(3);
    const int n = 6;
    Matrix<int> l(n, n, Matrix<int>::ONE);
    Matrix<int> u(n, n, Matrix<int>::ONE);
    Matrix<int> d(n, n, Matrix<int>::ONE);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            l(i, j) = nahoda.cele(-300, 300);
            u(j, i) = nahoda.cele(-300, 300);
        }
    d(1, 1) = -3;
    d(4, 4) = 7;
    const Matrix<int> m = l * d * u;
    EXPECT_EQ(m.det(), -21);
}

TEST(MatrixDeterminant, FortyRowsAreDecidedWithoutCofactorExpansion) {
    Nahoda nahoda(21);
    Matrix<double> m = nahoda.realnaMatice(40, 0.01);
    for (int i = 0; i < 40; ++i) m(i, i) = 1.0;
    Matrix<double> trojuhelnik = m;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < i; ++j) trojuhelnik(i, j) = 0.0;
    trojuhelnik(3, 3) = 2.5;
    EXPECT_NEAR(trojuhelnik.det(), 2.5, 1e-12);
    EXPECT_GT(m.det(), 0.5);
}

TEST(MatrixSubmatrix, MinorsBlocksAndInsertedBlocks) {
    const Matrix<double> m = realna(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    Matrix<double> vlozena(3, 3, Matrix<double>::ZEROS);
    vlozena.vlozSubmatici(realna(2, 2, {1, 2, 3, 4}), 1, 1);
    Matrix<double> oriznuta(2, 2, Matrix<double>::ZEROS);
    oriznuta.vlozSubmatici(realna(2, 2, {1, 2, 3, 4}), 1, -1);  // clipped at the border
    const std::pair<Matrix<double>, std::string> pripady[] = {
        {m.submatice(2, 3), "1.000 2.000\n7.000 8.000\n"},
        {m.submatice(1, 1), "5.000 6.000\n8.000 9.000\n"},
        {m.submatice(1, 2, 2, 3), "2.000 3.000\n5.000 6.000\n"},
        {m.submatice(3, 3, 1, 3), "7.000 8.000 9.000\n"},
        {vlozena, "0.000 0.000 0.000\n0.000 1.000 2.000\n0.000 3.000 4.000\n"},
        {oriznuta, "0.000 0.000\n2.000 0.000\n"},
        // Out of range: the empty matrix.
        {m.submatice(4, 1), ""},
        {m.submatice(0, 1), ""},
        {realna(1, 1, {3}).submatice(1, 1), ""},
        {m.submatice(2, 1, 1, 1), ""},
        {m.submatice(0, 1, 1, 1), ""},
        {m.submatice(1, 4, 1, 1), ""},
        {m.submatice(1, 1, 2, 1), ""},
    };
    for (const auto& [matice, ocekavano] : pripady) EXPECT_EQ(text(matice), ocekavano);
}

TEST(MatrixInverse, KnownInversesAndAdjugate) {
    const Matrix<double> m = realna(2, 2, {4, 7, 2, 6});
    const Matrix<double> inv = m.inverze();
    const double ocekavana[] = {0.6, -0.7, -0.2, 0.4};
    for (int p = 0; p < 4; ++p) EXPECT_NEAR(inv.get_matrix()[p], ocekavana[p], 1e-15);
    EXPECT_EQ(text(realna(1, 1, {4}).inverze()), "0.250\n");
    const Matrix<double> adj = m.adjungce();
    const double adjOcekavana[] = {6, -7, -2, 4};
    for (int p = 0; p < 4; ++p) EXPECT_NEAR(adj.get_matrix()[p], adjOcekavana[p], 1e-14);
    // The empty and non-square matrices have none.
    EXPECT_EQ(Matrix<double>().inverze().get_count(), 0);
    EXPECT_EQ(realna(2, 3, {1, 2, 3, 4, 5, 6}).inverze().get_count(), 0);
    EXPECT_EQ(realna(2, 3, {1, 2, 3, 4, 5, 6}).adjungce().get_count(), 0);
    EXPECT_EQ(Matrix<ZP>(3, 2, Matrix<ZP>::ONE).inverze().get_count(), 0);
}

TEST(MatrixInverse, ZeroDeterminantRaisesWithItsMessage) {
    try {
        realna(2, 2, {1, 2, 2, 4}).inverze();
        FAIL() << "no error";
    } catch (const vyjm::Null_det& e) {
        EXPECT_EQ(e.what(), NULOVY_DET);
    }
    EXPECT_THROW(realna(2, 2, {1, 2, 2, 4}).adjungce(), vyjm::Null_det);

    // Exactly singular larger matrices: the last row is the sum of two others.
    Nahoda nahoda(17);
    for (int n = 5; n <= 7; ++n) {
        Matrix<int> c = nahoda.celaMatice(n, 6);
        for (int j = 0; j < n; ++j) c(n - 1, j) = c(0, j) + c(1, j);
        EXPECT_THROW(c.inverze(), vyjm::Null_det) << "n = " << n;
        EXPECT_THROW(naRealnou(c).inverze(), vyjm::Null_det) << "n = " << n;
    }
    Matrix<Polynom> p(2, 2, Matrix<Polynom>::ONES);
    EXPECT_THROW(p.inverze(), vyjm::Null_det);
}

TEST(MatrixInverse, RoundTripOfWellConditionedRealMatrices) {
    Nahoda nahoda(2);
    for (int n = 1; n <= 9; ++n) {
        Matrix<double> m = nahoda.realnaMatice(n, 1.0);
        for (int i = 0; i < n; ++i) m(i, i) += n;
        const Matrix<double> inv = m.inverze();
        const Matrix<double> jedna = m * inv;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) EXPECT_NEAR(jedna(i, j), i == j ? 1.0 : 0.0, 1e-12) << "n = " << n;

        // Whatever the method, each element is the transposed cofactor over the determinant.
        if (n > 7) continue;
        const int r = n - 1;
        const double kofaktor = m.submatice(1, r + 1).detRozvojem() * ((r % 2 == 0) ? 1.0 : -1.0);
        EXPECT_NEAR(inv(r, 0), kofaktor / m.detRozvojem(), 1e-12) << "n = " << n;
    }
}

TEST(MatrixInverse, ExactRoundTripOnIntegerData) {
    Nahoda nahoda(4);
    for (int n = 1; n <= 6; ++n) {
        const Matrix<int> m = unimodularni(nahoda, n);
        ASSERT_EQ(m.det(), 1);
        EXPECT_TRUE(jeJednotkova(m * m.inverze())) << text(m);
        EXPECT_TRUE(jeJednotkova(m.inverze() * m)) << text(m);
        if (n <= 4) {
            const Matrix<double> d = naRealnou(m);
            EXPECT_TRUE(jeJednotkova(d * d.inverze())) << text(d);
        }
    }
    // Integer inverse truncates each element.
    EXPECT_EQ(text(cela(2, 2, {2, 0, 0, 1}).inverze()), "0 0\n0 1\n");
}

TEST(MatrixInverse, PolynomialMatrixWithConstantDeterminant) {
    Matrix<Polynom> m(2, 2, Matrix<Polynom>::ONE);
    m(0, 1) = poly({0, 1});  // (1, x; 0, 1)
    const Matrix<Polynom> inv = m.inverze();
    EXPECT_TRUE(stejnePolynomy(inv(0, 0), Polynom(1.0), 0.0));
    EXPECT_TRUE(stejnePolynomy(inv(0, 1), poly({0, -1}), 0.0));
    EXPECT_TRUE(inv(1, 0) == 0.0);
    EXPECT_TRUE(stejnePolynomy(inv(1, 1), Polynom(1.0), 0.0));
}

TEST(MatrixTriangular, ReductionExamples) {
    struct Pripad {
        Matrix<double> m;
        std::string trojuhelnik;
        std::vector<double> pivoty;  // they replace what the array held; none leave it as it was
        short znamenko;
    };
    const Pripad pripady[] = {
        {realna(2, 2, {2, 1, 4, 3}), "2.000 1.000\n0.000 2.000\n", {2.0}, 1},
        {realna(2, 2, {0, 1, 1, 0}), "1.000 0.000\n0.000 1.000\n", {}, -1},
        {realna(2, 2, {0, 0, 0, 1}), "0.000 0.000\n0.000 1.000\n", {}, 1},
        {realna(3, 2, {0, 1, 0, 2, 3, 4}), "3.000 4.000\n0.000 2.000\n0.000 0.000\n", {2.0}, -1},
        {realna(2, 3, {1, 2, 3, 2, 4, 7}), "1.000 2.000 3.000\n0.000 0.000 1.000\n", {1.0}, 1},
    };
    for (Pripad p : pripady) {
        Pole<double> pivoty(1);
        pivoty[0] = 7.0;
        const Matrix<double> t = p.m.Prevod_na_Trojuhelnikovy_tvar(pivoty);
        EXPECT_EQ(text(t), p.trojuhelnik);
        const std::vector<double> ocekavane = p.pivoty.empty() ? std::vector<double>{7.0} : p.pivoty;
        EXPECT_EQ(pivoty.get_pole(), ocekavane) << p.trojuhelnik;
        // The sign of the row exchanges stays with the reduced matrix, not with the result.
        EXPECT_EQ(p.m.get_znamenko(), p.znamenko) << p.trojuhelnik;
        EXPECT_EQ(t.get_znamenko(), 1);
    }
}

TEST(MatrixTriangular, DiagonalOverPivotsGivesTheDeterminant) {
    Nahoda nahoda(9);
    for (int n = 2; n <= 6; ++n) {
        Matrix<double> m = naRealnou(nahoda.celaMatice(n, 4));
        m(0, 0) = 0.0;  // force a row exchange
        Pole<double> pivoty;
        const Matrix<double> t = m.Prevod_na_Trojuhelnikovy_tvar(pivoty);
        bool doKonce = true;
        for (int i = 0; i < n; ++i) doKonce = doKonce && t(i, i) != 0.0;
        if (!doKonce) continue;
        double diagonala = 1.0;
        double soucinPivotu = 1.0;
        for (int i = 0; i < n; ++i) diagonala *= t(i, i);
        for (int i = 0; i < pivoty.get_length(); ++i) soucinPivotu *= pivoty[i];
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j) EXPECT_EQ(t(i, j), 0.0);
        EXPECT_NEAR(m.get_znamenko() * diagonala / soucinPivotu, m.detRozvojem(), 1e-9 * std::fabs(diagonala));
    }
}

}  // namespace test_matrix_det
}  // namespace
