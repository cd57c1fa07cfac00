// Matrix core: shapes and kinds, row access, arithmetic with the empty matrix on a
// mismatch, power, text forms and the element-type conversions.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Matrix.h"
#include "Vyjimky.h"
#include "test_matrix_pomoc.h"

namespace {
namespace test_matrix {

using pomoc::poly;
using pomoc::stejnePolynomy;
using pomoc::text;
using pomoc::ZP;

namespace {

template <typename T>
void ocekavejPrazdnou(const Matrix<T>& m, const std::string& nazev) {
    EXPECT_EQ(m.get_rows(), 0) << nazev;
    EXPECT_EQ(m.get_columns(), 0) << nazev;
    EXPECT_EQ(m.get_count(), 0) << nazev;
    EXPECT_EQ(m.get_matrix().get_length(), 0) << nazev;
    EXPECT_EQ(m.get_znamenko(), 1) << nazev;
}

Matrix<double> realna(int r, int c, std::vector<double> prvky) { return Matrix<double>(r, c, prvky.data()); }

Matrix<int> cela(int r, int c, std::vector<int> prvky) { return Matrix<int>(r, c, prvky.data()); }

const Matrix<double> A23 = realna(2, 3, {1, 2, 3, 4, 5, 6});
const Matrix<double> B32 = realna(3, 2, {7, 8, 9, 10, 11, 12});
const Matrix<double> M22 = realna(2, 2, {1, 2, 3, 4});
const Matrix<double> M33 = realna(3, 3, {2, 1, 0, 1, 3, 1, 0, 1, 4});

}  // namespace

TEST(MatrixText, OperationsGiveTheseTexts) {
    struct Pripad {
        const char* nazev;
        std::function<std::string()> text;
        std::string ocekavano;
    };
    const Pripad pripady[] = {
        {"ONE square", [] { return text(Matrix<double>(2, 2, Matrix<double>::ONE)); }, "1.000 0.000\n0.000 1.000\n"},
        {"ONE wide", [] { return text(Matrix<int>(2, 3, Matrix<int>::ONE)); }, "1 0 0\n0 1 0\n"},
        {"ONE tall", [] { return text(Matrix<int>(3, 2, Matrix<int>::ONE)); }, "1 0\n0 1\n0 0\n"},
        {"ONES", [] { return text(Matrix<int>(2, 2, Matrix<int>::ONES)); }, "1 1\n1 1\n"},
        {"plus scalar", [] { return text(M22 + 1.0); }, "2.000 3.000\n4.000 5.000\n"},
        {"minus scalar", [] { return text(M22 - 1.0); }, "0.000 1.000\n2.000 3.000\n"},
        {"times scalar", [] { return text(M22 * 2.0); }, "2.000 4.000\n6.000 8.000\n"},
        {"over scalar", [] { return text(M22 / 4.0); }, "0.250 0.500\n0.750 1.000\n"},
        {"integer division truncates", [] { return text(cela(2, 2, {7, -7, 9, 4}) / 2); }, "3 -3\n4 2\n"},
        {"product", [] { return text(A23 * B32); }, "58.000 64.000\n139.000 154.000\n"},
        {"sum", [] { return text(A23 + A23); }, "2.000 4.000 6.000\n8.000 10.000 12.000\n"},
        {"difference", [] { return text(A23 - A23 * 3.0); }, "-2.000 -4.000 -6.000\n-8.000 -10.000 -12.000\n"},
        // The comma multiplies equal flat positions and keeps the left operand's shape.
        {"comma", [] { return text((A23, B32)); }, "7.000 16.000 27.000\n40.000 55.000 72.000\n"},
        {"transpose", [] { return text(A23.transpozice()); }, "1.000 4.000\n2.000 5.000\n3.000 6.000\n"},
        {"power 0", [] { return text(M33 ^ 0); }, text(Matrix<double>(3, 3, Matrix<double>::ONE))},
        {"power 1", [] { return text(M33 ^ 1); }, text(M33)},
        {"power 3", [] { return text(M33 ^ 3); }, text(M33 * M33 * M33)},
        {"integer row", [] { return text(cela(1, 3, {1, 2, 3})); }, "1 2 3\n"},
        {"real column", [] { return text(realna(3, 1, {1, -0.5, 2.25})); }, "1.000\n-0.500\n2.250\n"},
        {"empty", [] { return text(Matrix<double>()); }, ""},
        {"polynomial rows", [] {
             Matrix<Polynom> p(2, 2, Matrix<Polynom>::ZEROS);
             p(0, 0) = poly({-0.5, 0, 2});
             p(0, 1) = Polynom(1.0);
             p(1, 1) = poly({0, 1});
             return text(p);
         }, "2.0000 0.0000 -0.5000 ; 1.0000 \n0.0000 ; 1.0000 0.0000 \n"},
        {"fraction elements", [] {
             Matrix<ZP> z(1, 2, Matrix<ZP>::ZEROS);
             z(0, 0) = ZP(poly({1, 1}), poly({2}));
             z(0, 1) = ZP(3.0);
             return text(z);
         }, "|1.0000 1.0000  / 2.0000 | |3.0000  / 1.0000 |\n"},
        // The stream keeps fixed notation with the last precision.
        {"real stream state", [] {
             std::ostringstream s;
             s << realna(1, 1, {1}) << 0.123456;
             return s.str();
         }, "1.000\n0.123"},
        {"polynomial stream state", [] {
             std::ostringstream s;
             s << Matrix<Polynom>(1, 1, Matrix<Polynom>::ONE) << 0.123456;
             return s.str();
         }, "1.0000 \n0.1235"},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(p.text(), p.ocekavano) << p.nazev;
}

TEST(MatrixShapes, EveryUnfittingRequestGivesTheEmptyMatrix) {
    const double prvky[] = {1.0, 2.0};
    const std::pair<const char*, std::function<Matrix<double>()>> realne[] = {
        {"default", [] { return Matrix<double>(); }},
        {"negative rows", [] { return Matrix<double>(-1, 3, Matrix<double>::ONE); }},
        {"no rows from an array", [&prvky] { return Matrix<double>(0, 2, prvky); }},
        {"no columns from an array", [&prvky] { return Matrix<double>(1, 0, prvky); }},
        {"no rows from a Pole", [] { return Matrix<double>(0, 3, Pole<double>(0)); }},
        // A storage that does not match the shape is refused rather than half used.
        {"Pole of the wrong size", [] { return Matrix<double>(2, 2, Pole<double>(3)); }},
        {"division by zero", [] { return realna(1, 2, {1, 2}) / 0.0; }},
        {"sum of unequal shapes", [] { return A23 + B32; }},
        {"difference of unequal shapes", [] { return A23 - B32; }},
        {"product of unfitting shapes", [] { return A23 * A23; }},
        {"comma of unequal counts", [] { return (A23, realna(1, 2, {1, 2})); }},
        {"transpose of the empty matrix", [] { return Matrix<double>().transpozice(); }},
        // Non-square powers above one have no product.
        {"power of a non-square matrix", [] { return realna(1, 2, {1, 2}) ^ 2; }},
    };
    for (const auto& [nazev, vypocet] : realne) ocekavejPrazdnou(vypocet(), nazev);
    ocekavejPrazdnou(Matrix<int>(2, -5, Matrix<int>::ZEROS), "negative columns");
    ocekavejPrazdnou(cela(1, 2, {1, 2}) / 0, "integer division by zero");
    ocekavejPrazdnou(Matrix<Polynom>(1, 1, Matrix<Polynom>::ONES) / Polynom(), "division by the empty polynomial");
    ocekavejPrazdnou(Matrix<ZP>(1, 1, Matrix<ZP>::ONES) / ZP(), "division by the zero fraction");
    ocekavejPrazdnou(Matrix<ZP>(2, 2, Matrix<ZP>::ONE) * Matrix<ZP>(3, 3, Matrix<ZP>::ONE), "fraction product");

    const Matrix<double> bezRadku(0, 4, Matrix<double>::ZEROS);
    EXPECT_EQ(bezRadku.get_columns(), 4);
    EXPECT_EQ(bezRadku.get_count(), 0);
}

TEST(MatrixShapes, StorageIsRowMajorAndResizeKeepsFlatPositions) {
    Matrix<double> m = M22;
    EXPECT_EQ(Matrix<double>(3, 2, A23.get_matrix())(1, 0), 3.0);
    EXPECT_EQ(&m[1][0], &m[0][2]);
    m[1][1] = 9.0;
    EXPECT_EQ(m(1, 1), 9.0);
    // Rows outside the matrix read a zero of their own and never touch it.
    m[2][0] = 7.0;
    m[-1][1] = 7.0;
    m[1][5] = 7.0;
    EXPECT_EQ(m[5][0], 0.0);
    EXPECT_EQ(text(m), "1.000 2.000\n3.000 9.000\n");

    m._resize(0, 5);
    EXPECT_EQ(m.get_count(), 4);
    m._resize(2, 3);
    EXPECT_EQ(m.get_matrix().get_length(), 6);
    EXPECT_EQ(text(m), "1.000 2.000 3.000\n9.000 0.000 0.000\n");
    m._resize(1, 1);
    EXPECT_EQ(text(m), "1.000\n");
}

TEST(MatrixShapes, UnitAndZeroElementsOfPolynomialAndFractionMatrices) {
    const Matrix<Polynom> p(2, 2, Matrix<Polynom>::ONE);
    EXPECT_TRUE(p(0, 0) == 1.0);
    EXPECT_EQ(p(0, 0).get_delkaPolynomy(), 1);
    EXPECT_EQ(p(0, 1).get_delkaPolynomy(), 0);  // the default polynomial
    EXPECT_TRUE(p(0, 1) == 0.0);
    const Matrix<ZP> z(2, 2, Matrix<ZP>::ONES);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(z.get_matrix()[i] == 1.0 && z.get_matrix()[i].get_jmenovatel() == 1.0);
}

TEST(MatrixArithmetic, PolynomialElementsUsePolynomialArithmetic) {
    Matrix<Polynom> p(1, 2, Matrix<Polynom>::ZEROS);
    p(0, 0) = poly({2, 3, 1});   // (x + 1)(x + 2)
    p(0, 1) = poly({-1, 0, 1});  // (x + 1)(x - 1)
    const Matrix<Polynom> q = p / poly({1, 1});
    EXPECT_TRUE(stejnePolynomy(q(0, 0), poly({2, 1}), 1e-12));
    EXPECT_TRUE(stejnePolynomy(q(0, 1), poly({-1, 1}), 1e-12));

    Matrix<Polynom> r(1, 2, Matrix<Polynom>::ZEROS);
    r(0, 0) = poly({1, 1});
    r(0, 1) = poly({0, 2});
    const Matrix<Polynom> ctverec = r * r.transpozice();
    ASSERT_EQ(ctverec.get_count(), 1);
    EXPECT_TRUE(stejnePolynomy(ctverec(0, 0), poly({1, 2, 5}), 0.0));
}

TEST(MatrixPower, NegativePowersGoThroughTheInverse) {
    const Matrix<double> inv = M33.inverze();
    const Matrix<double> minusDve = M33 ^ -2;
    const Matrix<double> ocekavana = inv * inv;
    for (int p = 0; p < 9; ++p) EXPECT_NEAR(minusDve.get_matrix()[p], ocekavana.get_matrix()[p], 1e-15);
    const Matrix<double> jednotka = minusDve * (M33 * M33);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(jednotka(i, j), i == j ? 1.0 : 0.0, 1e-12);
    EXPECT_THROW(realna(2, 2, {1, 2, 2, 4}) ^ -1, vyjm::Null_det);
}

TEST(MatrixConversions, ElementTypesConvertAndReturnTheirLeftOperand) {
    Matrix<Polynom> p(5, 5, Matrix<Polynom>::ONE);
    EXPECT_EQ(&(p << A23), &p);
    ASSERT_EQ(p.get_rows(), 2);
    ASSERT_EQ(p.get_columns(), 3);
    Matrix<ZP> z;
    z << A23;
    ASSERT_EQ(z.get_count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(p.get_matrix()[i].get_delkaPolynomy(), 1);
        EXPECT_TRUE(p.get_matrix()[i] == A23.get_matrix()[i]);
        EXPECT_TRUE(z.get_matrix()[i] == A23.get_matrix()[i]);
        EXPECT_TRUE(z.get_matrix()[i].get_jmenovatel() == 1.0);
    }

    Matrix<Polynom> polynomy(1, 2, Matrix<Polynom>::ZEROS);
    polynomy(0, 0) = poly({1, 2, 3});
    polynomy(0, 1) = poly({0, 1});
    Matrix<Polynom> d;
    (z << polynomy) << (d << realna(1, 1, {4}));  // they chain
    EXPECT_EQ(z.get_count(), 1);
    EXPECT_TRUE(z(0, 0) == 4.0);
    z << polynomy;
    ASSERT_EQ(z.get_count(), 2);
    EXPECT_TRUE(z(0, 0).get_citatel() == polynomy(0, 0));
    EXPECT_TRUE(z(0, 1).get_citatel() == polynomy(0, 1));
    EXPECT_TRUE(z(0, 1).get_jmenovatel() == 1.0);
}

}  // namespace test_matrix
}  // namespace
