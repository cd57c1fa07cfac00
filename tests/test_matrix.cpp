// Matrix core: shapes and kinds, row access, arithmetic with the empty matrix on a
// mismatch, power, text forms and the element-type conversions.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Matrix.h"
#include "Vyjimky.h"
#include "test_matrix_pomoc.h"

using pomoc::poly;
using pomoc::stejnePolynomy;
using pomoc::text;
using pomoc::ZP;

namespace {

template <typename T>
void ocekavejPrazdnou(const Matrix<T>& m) {
    EXPECT_EQ(m.get_rows(), 0);
    EXPECT_EQ(m.get_columns(), 0);
    EXPECT_EQ(m.get_count(), 0);
    EXPECT_EQ(m.get_matrix().get_length(), 0);
    EXPECT_EQ(m.get_znamenko(), 1);
}

Matrix<double> realna(int r, int c, std::vector<double> prvky) {
    return Matrix<double>(r, c, prvky.data());
}

}  // namespace

TEST(MatrixShapes, KindsPlaceUnitElementsOnlyWhereTheShapeHasThem) {
    const Matrix<double> jednotkova(3, 3, Matrix<double>::ONE);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(jednotkova(i, j), i == j ? 1.0 : 0.0);

    const Matrix<int> siroka(2, 3, Matrix<int>::ONE);
    EXPECT_EQ(text(siroka), "1 0 0\n0 1 0\n");

    const Matrix<int> vysoka(3, 2, Matrix<int>::ONE);
    EXPECT_EQ(vysoka.get_count(), 6);
    EXPECT_EQ(text(vysoka), "1 0\n0 1\n0 0\n");

    const Matrix<int> jednicky(2, 2, Matrix<int>::ONES);
    EXPECT_EQ(text(jednicky), "1 1\n1 1\n");

    const Matrix<double> bezRadku(0, 4, Matrix<double>::ZEROS);
    EXPECT_EQ(bezRadku.get_rows(), 0);
    EXPECT_EQ(bezRadku.get_columns(), 4);
    EXPECT_EQ(bezRadku.get_count(), 0);
}

TEST(MatrixShapes, UnitAndZeroElementsOfPolynomialAndFractionMatrices) {
    const Matrix<Polynom> p(2, 2, Matrix<Polynom>::ONE);
    EXPECT_TRUE(p(0, 0) == 1.0);
    EXPECT_EQ(p(0, 0).get_delkaPolynomy(), 1);
    EXPECT_EQ(p(0, 1).get_delkaPolynomy(), 0);  // the default polynomial
    EXPECT_TRUE(p(0, 1) == 0.0);

    const Matrix<ZP> z(2, 2, Matrix<ZP>::ONES);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(z.get_matrix()[i] == 1.0);
        EXPECT_TRUE(z.get_matrix()[i].get_jmenovatel() == 1.0);
    }
}

TEST(MatrixShapes, SizesOutsideThePreconditionsGiveTheEmptyMatrix) {
    ocekavejPrazdnou(Matrix<double>());
    ocekavejPrazdnou(Matrix<double>(-1, 3, Matrix<double>::ONE));
    ocekavejPrazdnou(Matrix<int>(2, -5, Matrix<int>::ZEROS));
    const double prvky[] = {1.0, 2.0};
    ocekavejPrazdnou(Matrix<double>(0, 2, prvky));
    ocekavejPrazdnou(Matrix<double>(1, 0, prvky));
    ocekavejPrazdnou(Matrix<double>(0, 3, Pole<double>(0)));
    // A storage that does not match the shape is refused rather than half used.
    ocekavejPrazdnou(Matrix<double>(2, 2, Pole<double>(3)));
}

TEST(MatrixShapes, ArrayAndPoleConstructorsKeepRowMajorOrder) {
    const Matrix<double> m = realna(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(m.get_rows(), 2);
    EXPECT_EQ(m.get_columns(), 3);
    EXPECT_EQ(m(1, 0), 4.0);
    EXPECT_EQ(m.get_znamenko(), 1);

    const Matrix<double> kopie(3, 2, m.get_matrix());
    EXPECT_EQ(kopie(1, 0), 3.0);
    EXPECT_EQ(kopie(2, 1), 6.0);
}

TEST(MatrixShapes, ResizeKeepsFlatPositionsAndIgnoresZeroSizes) {
    Matrix<double> m = realna(2, 2, {1, 2, 3, 4});
    m._resize(0, 5);
    EXPECT_EQ(m.get_rows(), 2);
    EXPECT_EQ(m.get_columns(), 2);

    m._resize(2, 3);
    EXPECT_EQ(m.get_count(), 6);
    EXPECT_EQ(m.get_matrix().get_length(), 6);
    EXPECT_EQ(m(0, 2), 3.0);  // the old element (1, 0)
    EXPECT_EQ(m(1, 0), 4.0);
    EXPECT_EQ(m(1, 2), 0.0);

    m._resize(1, 1);
    EXPECT_EQ(text(m), "1.000\n");
}

TEST(MatrixRows, DoubleIndexingAddressesFlatPositions) {
    Matrix<double> m = realna(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(&m[1][0], &m[0][2]);
    m[1][1] = 9.0;
    EXPECT_EQ(m(1, 1), 9.0);
}

TEST(MatrixRows, RowsOutsideTheMatrixNeverTouchIt) {
    Matrix<double> m = realna(2, 2, {1, 2, 3, 4});
    m[2][0] = 7.0;
    m[-1][1] = 7.0;
    m[1][5] = 7.0;
    EXPECT_EQ(m[5][0], 0.0);
    EXPECT_EQ(text(m), "1.000 2.000\n3.000 4.000\n");
}

TEST(MatrixArithmetic, ScalarOperationsActOnEveryElement) {
    const Matrix<double> m = realna(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(text(m + 1.0), "2.000 3.000\n4.000 5.000\n");
    EXPECT_EQ(text(m - 1.0), "0.000 1.000\n2.000 3.000\n");
    EXPECT_EQ(text(m * 2.0), "2.000 4.000\n6.000 8.000\n");
    EXPECT_EQ(text(m / 4.0), "0.250 0.500\n0.750 1.000\n");
    EXPECT_EQ(text(m), "1.000 2.000\n3.000 4.000\n");

    const int prvky[] = {7, -7, 9, 4};
    EXPECT_EQ(text(Matrix<int>(2, 2, prvky) / 2), "3 -3\n4 2\n");
}

TEST(MatrixArithmetic, DivisionByZeroScalarGivesTheEmptyMatrix) {
    ocekavejPrazdnou(realna(1, 2, {1, 2}) / 0.0);
    const int prvky[] = {1, 2};
    ocekavejPrazdnou(Matrix<int>(1, 2, prvky) / 0);
    Matrix<Polynom> p(1, 1, Matrix<Polynom>::ONES);
    ocekavejPrazdnou(p / Polynom());
    ocekavejPrazdnou(Matrix<ZP>(1, 1, Matrix<ZP>::ONES) / ZP());
}

TEST(MatrixArithmetic, PolynomialMatrixDividedByAPolynomial) {
    Matrix<Polynom> p(1, 2, Matrix<Polynom>::ZEROS);
    p(0, 0) = poly({2, 3, 1});   // (x + 1)(x + 2)
    p(0, 1) = poly({-1, 0, 1});  // (x + 1)(x - 1)
    const Matrix<Polynom> q = p / poly({1, 1});
    EXPECT_TRUE(stejnePolynomy(q(0, 0), poly({2, 1}), 1e-12));
    EXPECT_TRUE(stejnePolynomy(q(0, 1), poly({-1, 1}), 1e-12));
}

TEST(MatrixArithmetic, MatrixSumDifferenceAndProduct) {
    const Matrix<double> a = realna(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix<double> b = realna(3, 2, {7, 8, 9, 10, 11, 12});
    EXPECT_EQ(text(a * b), "58.000 64.000\n139.000 154.000\n");
    EXPECT_EQ(text(a + a), "2.000 4.000 6.000\n8.000 10.000 12.000\n");
    EXPECT_EQ(text(a - a * 3.0), "-2.000 -4.000 -6.000\n-8.000 -10.000 -12.000\n");

    // Products of polynomial matrices use polynomial arithmetic.
    Matrix<Polynom> p(1, 2, Matrix<Polynom>::ZEROS);
    p(0, 0) = poly({1, 1});
    p(0, 1) = poly({0, 2});
    const Matrix<Polynom> ctverec = p * p.transpozice();
    ASSERT_EQ(ctverec.get_count(), 1);
    EXPECT_TRUE(stejnePolynomy(ctverec(0, 0), poly({1, 2, 5}), 0.0));
}

TEST(MatrixArithmetic, UnfittingShapesGiveTheEmptyMatrix) {
    const Matrix<double> a = realna(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix<double> b = realna(3, 2, {7, 8, 9, 10, 11, 12});
    ocekavejPrazdnou(a + b);
    ocekavejPrazdnou(a - b);
    ocekavejPrazdnou(a * a);
    ocekavejPrazdnou((a, realna(1, 2, {1, 2})));
    ocekavejPrazdnou(Matrix<ZP>(2, 2, Matrix<ZP>::ONE) * Matrix<ZP>(3, 3, Matrix<ZP>::ONE));
}

TEST(MatrixArithmetic, CommaMultipliesEqualFlatPositionsShapedLikeTheLeftOperand) {
    const Matrix<double> a = realna(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix<double> b = realna(3, 2, {7, 8, 9, 10, 11, 12});
    const Matrix<double> c = (a, b);
    EXPECT_EQ(c.get_rows(), 2);
    EXPECT_EQ(text(c), "7.000 16.000 27.000\n40.000 55.000 72.000\n");
}

TEST(MatrixArithmetic, TransposeSwapsIndices) {
    const Matrix<double> a = realna(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(text(a.transpozice()), "1.000 4.000\n2.000 5.000\n3.000 6.000\n");
    ocekavejPrazdnou(Matrix<double>().transpozice());
}

TEST(MatrixPower, PowersMatchRepeatedProductsAndInverses) {
    const Matrix<double> m = realna(3, 3, {2, 1, 0, 1, 3, 1, 0, 1, 4});
    EXPECT_EQ(text(m ^ 0), text(Matrix<double>(3, 3, Matrix<double>::ONE)));
    EXPECT_EQ(text(m ^ 1), text(m));
    EXPECT_EQ(text(m ^ 3), text(m * m * m));

    const Matrix<double> inv = m.inverze();
    const Matrix<double> minusDve = m ^ -2;
    const Matrix<double> ocekavana = inv * inv;
    for (int p = 0; p < 9; ++p) EXPECT_NEAR(minusDve.get_matrix()[p], ocekavana.get_matrix()[p], 1e-15);
    const Matrix<double> jednotka = minusDve * (m * m);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(jednotka(i, j), i == j ? 1.0 : 0.0, 1e-12);
}

TEST(MatrixPower, NegativePowerOfASingularMatrixRaises) {
    const Matrix<double> m = realna(2, 2, {1, 2, 2, 4});
    EXPECT_THROW(m ^ -1, vyjm::Null_det);
    // Non-square powers above one have no product and stay empty.
    ocekavejPrazdnou(realna(1, 2, {1, 2}) ^ 2);
}

TEST(MatrixText, RealAndIntegerForms) {
    const int radek[] = {1, 2, 3};
    EXPECT_EQ(text(Matrix<int>(1, 3, radek)), "1 2 3\n");
    EXPECT_EQ(text(realna(3, 1, {1, -0.5, 2.25})), "1.000\n-0.500\n2.250\n");
    EXPECT_EQ(text(realna(2, 2, {1, 2.5, -3, 0})), "1.000 2.500\n-3.000 0.000\n");
    EXPECT_EQ(text(Matrix<double>()), "");
}

TEST(MatrixText, PolynomialRowsSeparateElementsWithSemicolons) {
    Matrix<Polynom> p(2, 2, Matrix<Polynom>::ZEROS);
    p(0, 0) = poly({-0.5, 0, 2});
    p(0, 1) = Polynom(1.0);
    p(1, 1) = poly({0, 1});
    EXPECT_EQ(text(p), "2.0000 0.0000 -0.5000 ; 1.0000 \n0.0000 ; 1.0000 0.0000 \n");
}

TEST(MatrixText, FractionElementsHaveNoSeparator) {
    Matrix<ZP> z(1, 2, Matrix<ZP>::ZEROS);
    z(0, 0) = ZP(poly({1, 1}), poly({2}));
    z(0, 1) = ZP(3.0);
    EXPECT_EQ(text(z), "|1.0000 1.0000  / 2.0000 | |3.0000  / 1.0000 |\n");
}

TEST(MatrixText, StreamKeepsFixedNotationWithTheLastPrecision) {
    std::ostringstream s;
    s << realna(1, 1, {1}) << 0.123456;
    EXPECT_EQ(s.str(), "1.000\n0.123");

    std::ostringstream p;
    Matrix<Polynom> pm(1, 1, Matrix<Polynom>::ONE);
    p << pm << 0.123456;
    EXPECT_EQ(p.str(), "1.0000 \n0.1235");
}

TEST(MatrixConversions, RealMatrixToPolynomialAndFractionMatrices) {
    Matrix<double> d = realna(2, 3, {1, 2, 3, 4, 5, 6});
    Matrix<Polynom> p(5, 5, Matrix<Polynom>::ONE);
    Matrix<Polynom>& vracena = (p << d);
    EXPECT_EQ(&vracena, &p);
    EXPECT_EQ(p.get_rows(), 2);
    EXPECT_EQ(p.get_columns(), 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(p.get_matrix()[i].get_delkaPolynomy(), 1);
        EXPECT_EQ(p.get_matrix()[i].get_promena(), 'x');
        EXPECT_TRUE(p.get_matrix()[i] == d.get_matrix()[i]);
    }

    Matrix<ZP> z;
    z << d;
    ASSERT_EQ(z.get_count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(z.get_matrix()[i] == d.get_matrix()[i]);
        EXPECT_TRUE(z.get_matrix()[i].get_jmenovatel() == 1.0);
    }
}

TEST(MatrixConversions, PolynomialMatrixToFractionsKeepsTheNumerators) {
    Matrix<Polynom> p(1, 2, Matrix<Polynom>::ZEROS);
    p(0, 0) = poly({1, 2, 3});
    p(0, 1) = poly({0, 1});
    Matrix<ZP> z;
    Matrix<Polynom> d;
    // The conversions return their left operand, so they chain.
    (z << p) << (d << realna(1, 1, {4}));
    EXPECT_EQ(z.get_count(), 1);
    EXPECT_TRUE(z(0, 0) == 4.0);

    z << p;
    ASSERT_EQ(z.get_count(), 2);
    EXPECT_TRUE(z(0, 0).get_citatel() == p(0, 0));
    EXPECT_TRUE(z(0, 1).get_citatel() == p(0, 1));
    EXPECT_TRUE(z(0, 1).get_jmenovatel() == 1.0);
}
