#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "Vyjimky.h"

namespace {
namespace test_vnejsi_mimo {

namespace {

using Koeficienty = std::vector<double>;  // lowest power first

Polynom poly(const Koeficienty& koef) { return Polynom(koef.data(), static_cast<int>(koef.size()), 'z', false); }

// Polynomial matrix from rows of coefficient lists.
Matrix<Polynom> matice(const std::vector<std::vector<Koeficienty>>& radky) {
    const int l = static_cast<int>(radky.size());
    const int m = l > 0 ? static_cast<int>(radky[0].size()) : 0;
    Matrix<Polynom> M(l, m, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) M(i, j) = poly(radky[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    return M;
}

std::vector<double> radek(const Matrix<double>& M, int i, int pocet) {
    std::vector<double> v;
    for (int t = 0; t < pocet; ++t) v.push_back(M(i, t));
    return v;
}

std::vector<double> koeficienty(const Polynom& p) {
    std::vector<double> v;
    for (int k = 0; k < p.get_delkaPolynomy(); ++k) v.push_back(p[static_cast<std::size_t>(k)]);
    return v;
}

// The A, B pair of the worked example: rows 2z - 1, 0.5 | 0, z - 0.2 over 1, 0 | 0, z.
Matrix<Polynom> prikladA() { return matice({{{-1, 2}, {0.5}}, {{0}, {-0.2, 1}}}); }
Matrix<Polynom> prikladB() { return matice({{{1}, {0}}, {{0}, {0, 1}}}); }

struct Chyba {
    std::string typ;
    std::string zprava;
    int prvni = -1;
    int druhe = -1;
};

Chyba chybaKonstrukce(const Matrix<Polynom>& A, const Matrix<Polynom>& B) {
    try {
        CLDDS_Vnejsi_MIMO system(A, B);
    } catch (const vyjm::CLDDS_MIMO& e) {
        return {"CLDDS_MIMO", e.what(), e.get_l(), e.get_m()};
    } catch (const vyjm::CLDDS_Vnejsi_MIMO& e) {
        return {"CLDDS_Vnejsi_MIMO", e.what(), e.get_r(), e.get_s()};
    }
    return {"zadna", "", -1, -1};
}

void ocekavejChybu(const Matrix<Polynom>& A, const Matrix<Polynom>& B, const std::string& typ,
                   const std::string& zprava, int prvni, int druhe) {
    const Chyba c = chybaKonstrukce(A, B);
    EXPECT_EQ(c.typ, typ);
    EXPECT_EQ(c.zprava, zprava);
    EXPECT_EQ(c.prvni, prvni);
    EXPECT_EQ(c.druhe, druhe);
}

double nejvetsi(const Matrix<double>& M) {
    double v = 0.0;
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) v = std::max(v, std::fabs(M(i, j)));
    return v;
}

}  // namespace

// ---------------------------------------------------------------- validation

TEST(VnejsiMIMOKontrola, ShapeChecksComeFirstColumnsBeforeRows) {
    ocekavejChybu(Matrix<Polynom>(), matice({{{1}}}), "CLDDS_MIMO", "Nulove rozmery Matic A,B\n", 0, 1);
    ocekavejChybu(prikladA(), matice({{{1}, {0}, {0}}, {{0}, {1}, {0}}}), "CLDDS_MIMO", "Nespravne rozmery Matic A,B\n",
                  2, 3);
    ocekavejChybu(prikladA(), matice({{{1}, {0}}, {{0}, {1}}, {{0}, {1}}}), "CLDDS_MIMO",
                  "Nespravne rozmery Matic A,B\n", 2, 3);
    // Columns are compared before rows.
    ocekavejChybu(prikladA(), matice({{{1}}}), "CLDDS_MIMO", "Nespravne rozmery Matic A,B\n", 2, 1);
}

TEST(VnejsiMIMOKontrola, DegreeChecksInTheirOrder) {
    ocekavejChybu(matice({{{-0.5, 1}, {0}}, {{0}, {3}}}), prikladB(), "CLDDS_Vnejsi_MIMO", "Nulovy stupen u matice A \n",
                  0, 0);
    ocekavejChybu(matice({{{0.1, -0.7, 1}, {0}}, {{0}, {-0.2, 1}}}), prikladB(), "CLDDS_Vnejsi_MIMO",
                  "Nestejne stupne u diagonaly Matice A \n", 2, 1);
    ocekavejChybu(matice({{{-0.5, 1}, {0.3, 1}}, {{0}, {-0.2, 1}}}), prikladB(), "CLDDS_Vnejsi_MIMO",
                  "Diagonalni stupne jsou mensi nebo rovny nez nediagonalni Matice A\n", 1, 1);
    ocekavejChybu(prikladA(), matice({{{1}, {0}}, {{0}, {0, 0, 1}}}), "CLDDS_Vnejsi_MIMO",
                  "Matice B ma vetsi stupen nez Matice A\n", 1, 2);
}

TEST(VnejsiMIMOKontrola, NonSquareAIsRejectedAfterTheSevenChecks) {
    const Matrix<Polynom> siroka = matice({{{-0.5, 1}, {0}, {0}}, {{0}, {-0.2, 1}, {0}}});
    ocekavejChybu(siroka, matice({{{1}, {0}, {0}}, {{0}, {1}, {0}}}), "CLDDS_MIMO", "Matice A neni ctvercova\n", 2, 3);
    const Matrix<Polynom> vysoka = matice({{{-0.5, 1}, {0}}, {{0}, {-0.2, 1}}, {{0}, {0}}});
    ocekavejChybu(vysoka, matice({{{1}, {0}}, {{0}, {1}}, {{0}, {1}}}), "CLDDS_MIMO", "Matice A neni ctvercova\n", 3,
                  2);
    // A degree fault is still reported before the shape.
    ocekavejChybu(siroka, matice({{{1}, {0}, {0}}, {{0}, {0, 0, 1}, {0}}}), "CLDDS_Vnejsi_MIMO",
                  "Matice B ma vetsi stupen nez Matice A\n", 1, 2);
}

TEST(VnejsiMIMOKontrola, ZeroLeadingCoefficientOnTheDiagonalIsRejected) {
    ocekavejChybu(matice({{{-0.5, 1, 0}, {0}}, {{0}, {0.1, -0.7, 1}}}), prikladB(), "CLDDS_Vnejsi_MIMO",
                  "Nulovy koeficient u nejvyssi mocniny na diagonale Matice A\n", 2, 0);
    ocekavejChybu(matice({{{0.1, -0.7, 1}, {0}}, {{0}, {-0.5, 1, 0}}}), prikladB(), "CLDDS_Vnejsi_MIMO",
                  "Nulovy koeficient u nejvyssi mocniny na diagonale Matice A\n", 2, 1);
}

// ---------------------------------------------------------------- difference equations

TEST(VnejsiMIMOPrevodNaK, WorkedExampleNormalisesRowByRow) {
    CLDDS_Vnejsi_MIMO system(prikladA(), prikladB());
    EXPECT_EQ(system.get_l(), 2);
    EXPECT_EQ(system.get_m(), 2);
    EXPECT_EQ(system.get_maxStupenA(), 1);
    const Matrix<Polynom>& a = system.get_a();
    const Matrix<Polynom>& b = system.get_b();
    EXPECT_EQ(koeficienty(a(0, 0)), (std::vector<double>{-0.5}));
    EXPECT_EQ(koeficienty(a(0, 1)), (std::vector<double>{0.25}));
    EXPECT_EQ(koeficienty(a(1, 0)), (std::vector<double>{0}));
    EXPECT_EQ(koeficienty(a(1, 1)), (std::vector<double>{-0.2}));
    EXPECT_EQ(koeficienty(b(0, 0)), (std::vector<double>{0.5}));
    EXPECT_EQ(koeficienty(b(0, 1)), (std::vector<double>{0}));
    EXPECT_EQ(koeficienty(b(1, 0)), (std::vector<double>{0}));
    EXPECT_EQ(koeficienty(b(1, 1)), (std::vector<double>{0}));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(system.get_r()(i, j), 1);
            EXPECT_EQ(system.get_s()(i, j), 1);
        }
    EXPECT_EQ(system.get_maxStupen_r(), 2);
    EXPECT_EQ(system.get_maxStupen_s(), 1);
    const Matrix<double>& b0 = system.get_b0();
    EXPECT_EQ((std::vector<double>{b0(0, 0), b0(0, 1), b0(1, 0), b0(1, 1)}), (std::vector<double>{0, 0, 0, 1}));
}

TEST(VnejsiMIMOPrevodNaK, MonicRowKeepsItsCoefficientsBitForBit) {
    const double a1 = 0.1234567890123, a2 = -0.37000000000000011, c1 = 1.0 / 3.0, c0 = std::sqrt(2.0) / 10;
    const double b1 = std::exp(-1.0), b0 = 0.7;
    CLDDS_Vnejsi_MIMO system(matice({{{0.4, -1.3, 3}, {0}}, {{c0, c1}, {a2, a1, 1}}}),
                             matice({{{1}, {0}}, {{0.5}, {b0, b1}}}));
    EXPECT_EQ(koeficienty(system.get_a()(1, 1)), (std::vector<double>{a1, a2}));
    EXPECT_EQ(koeficienty(system.get_a()(1, 0)), (std::vector<double>{c1, c0}));
    EXPECT_EQ(koeficienty(system.get_b()(1, 1)), (std::vector<double>{b1, b0}));
    EXPECT_EQ(koeficienty(system.get_b()(1, 0)), (std::vector<double>{0, 0.5}));
    EXPECT_EQ(koeficienty(system.get_a()(0, 0)), (std::vector<double>{-1.3 / 3, 0.4 / 3}));
}

TEST(VnejsiMIMOPrevodNaK, ZeroOffDiagonalOfDividedRowHasNoCoefficients) {
    // Row 0 is divided by 2; its zero off-diagonal element keeps no lag at all.
    CLDDS_Vnejsi_MIMO system(matice({{{-1, 2}, {0}}, {{0.3}, {-0.2, 1}}}), matice({{{1}, {0}}, {{0}, {1}}}));
    EXPECT_EQ(system.get_r()(0, 1), 0);
    EXPECT_EQ(system.get_a()(0, 1).get_delkaPolynomy(), 0);
    // y0(t) = 0.5 y0(t-1) + 0.5 u0(t-1); y1(t) = 0.2 y1(t-1) - 0.3 y0(t-1) + u1(t-1).
    const Matrix<double> i = system.impulsni_funkce();
    EXPECT_EQ(radek(i, 0, 4), (std::vector<double>{0, 0.5, 0.25, 0.125}));
    EXPECT_EQ(i(1, 0), 0.0);
    EXPECT_EQ(i(1, 1), 1.0);
    EXPECT_DOUBLE_EQ(i(1, 2), 0.2 - 0.3 * 0.5);
}

// No coefficient is dropped for its absolute size: scaling A and B together keeps the
// responses (bit for bit when the scaling is exact), scaling B alone scales them.
TEST(VnejsiMIMOPrevodNaK, ResponsesDoNotDependOnTheScaleOfTheCoefficients) {
    const auto krat = [](Matrix<Polynom> M, double f) {
        for (int p = 0; p < M.get_count(); ++p) M.get_matrix()[p] = M.get_matrix()[p] * f;
        return M;
    };
    // Channel 0: 1 over 1e9 z - 5e8; channel 1: 1e-9 over 2z - 1.
    const Matrix<double> kanaly =
        CLDDS_Vnejsi_MIMO(matice({{{-0.5e9, 1e9}, {0}}, {{0}, {-1, 2}}}), matice({{{1}, {0}}, {{0}, {1e-9}}}))
            .impulsni_funkce();
    EXPECT_EQ(radek(kanaly, 0, 3), (std::vector<double>{0, 1e-9, 5e-10}));
    EXPECT_EQ(radek(kanaly, 1, 3), (std::vector<double>{0, 5e-10, 2.5e-10}));

    const Matrix<Polynom> A = matice({{{0.1, -1.3, 3}, {0.05, 0.2}}, {{0.0004877}, {0.9512, -1.9512, 1}}});
    const Matrix<Polynom> B = matice({{{1, 0.5}, {0, 0.25, 0.5}}, {{0.0004959}, {0.0004877, 0.0004959}}});
    const Matrix<double> vzor = CLDDS_Vnejsi_MIMO(A, B).impulsni_funkce();
    const double meritko = nejvetsi(vzor);
    for (double f : {std::ldexp(1.0, -100), std::ldexp(1.0, 100), 1e-30, 1e-9, 1e9, 1e30}) {
        // A power of two scales exactly; a decimal factor rounds each coefficient once, which the
        // recursion may amplify far below the six digits of a report.
        const double tolerance = std::ldexp(1.0, std::ilogb(f)) == f ? 0.0 : 1e-10;
        const Matrix<double> spolu = CLDDS_Vnejsi_MIMO(krat(A, f), krat(B, f)).impulsni_funkce();
        const Matrix<double> jenB = CLDDS_Vnejsi_MIMO(A, krat(B, f)).impulsni_funkce();
        for (int i = 0; i < 2; ++i)
            for (int t = 0; t < 50; ++t) {
                EXPECT_NEAR(spolu(i, t), vzor(i, t), tolerance * meritko) << f << " (" << i << ", " << t << ")";
                EXPECT_NEAR(jenB(i, t), vzor(i, t) * f, tolerance * meritko * f) << f << " (" << i << ", " << t << ")";
            }
    }
}

TEST(VnejsiMIMOPrevodNaK, DefaultSystemDerivesPolynomialMatrices) {
    CLDDS_Vnejsi_MIMO system;
    EXPECT_EQ(system.get_maxStupen_r(), 3);
    EXPECT_EQ(system.get_maxStupen_s(), 2);
    EXPECT_EQ(system.get_maxStupenA(), 2);
    EXPECT_EQ(system.get_T(), 1.0);
    EXPECT_EQ(koeficienty(system.get_A()(0, 0)), (std::vector<double>{0.1745, -0.5827, 1}));
    EXPECT_EQ(koeficienty(system.get_A()(0, 1)), (std::vector<double>{0.1797, -0.022, 0}));
    EXPECT_EQ(koeficienty(system.get_A()(1, 1)), (std::vector<double>{-0.083, -0.4564, 1}));
    EXPECT_EQ(koeficienty(system.get_B()(1, 0)), (std::vector<double>{0.3107, 0.2783, 0}));
    const Matrix<double> i = system.impulsni_funkce();
    EXPECT_EQ(i(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(i(0, 1), -0.0035 + 0.1484);
    EXPECT_DOUBLE_EQ(i(1, 1), 0.2783 + -0.0371);
}

// ---------------------------------------------------------------- responses

TEST(VnejsiMIMOOdezvy, WorkedExampleResponses) {
    CLDDS_Vnejsi_MIMO system(prikladA(), prikladB());
    const Matrix<double> i = system.impulsni_funkce();
    const Matrix<double> h = system.prechodova_funkce();
    ASSERT_EQ(i.get_rows(), 2);
    ASSERT_EQ(i.get_columns(), 50);
    ASSERT_EQ(h.get_columns(), 50);
    EXPECT_EQ(i(0, 0), 0.0);
    EXPECT_EQ(i(0, 1), 0.25);
    EXPECT_DOUBLE_EQ(i(0, 2), 0.075);
    EXPECT_EQ(i(1, 0), 1.0);
    EXPECT_EQ(i(1, 1), 0.2);
    EXPECT_DOUBLE_EQ(i(1, 2), 0.04);
    EXPECT_EQ(h(1, 0), 1.0);
    EXPECT_EQ(h(1, 1), 1.2);
    EXPECT_DOUBLE_EQ(h(1, 2), 1.24);
}

TEST(VnejsiMIMOOdezvy, OutputForOnesIsTheStepResponse) {
    CLDDS_Vnejsi_MIMO system(matice({{{0.1, -0.6, 2}, {0.2, 0.1}}, {{-0.3}, {0.05, 0.4, 1}}}),
                             matice({{{1, 0.5}, {0.2, 0, 3}}, {{0}, {0.3, 1, 0.7}}}));
    const Matrix<double> h = system.prechodova_funkce();
    const Matrix<double> y = system.vystup_systemu(Matrix<double>(2, 10, Matrix<double>::ONES));
    ASSERT_EQ(y.get_rows(), 2);
    ASSERT_EQ(y.get_columns(), 10);
    for (int i = 0; i < 2; ++i)
        for (int t = 0; t < 10; ++t) EXPECT_EQ(y(i, t), h(i, t)) << i << "," << t;
}

TEST(VnejsiMIMOOdezvy, ImpulseOnAllInputsIsTheSumOfSingleImpulses) {
    CLDDS_Vnejsi_MIMO system(matice({{{0.1, -0.6, 2}, {0.2, 0.1}}, {{-0.3}, {0.05, 0.4, 1}}}),
                             matice({{{1, 0.5}, {0.2, 0, 3}}, {{0}, {0.3, 1, 0.7}}}));
    const Matrix<double> i = system.impulsni_funkce();
    Matrix<double> u0(2, 50, Matrix<double>::ZEROS), u1(2, 50, Matrix<double>::ZEROS);
    u0(0, 0) = 1.0;
    u1(1, 0) = 1.0;
    const Matrix<double> soucet = system.vystup_systemu(u0) + system.vystup_systemu(u1);
    for (int k = 0; k < 2; ++k)
        for (int t = 0; t < 50; ++t) EXPECT_NEAR(i(k, t), soucet(k, t), 1e-12 * (1 + std::fabs(soucet(k, t))));
}

TEST(VnejsiMIMOOdezvy, InputWithWrongRowCountIsRejected) {
    CLDDS_Vnejsi_MIMO system(prikladA(), prikladB());
    try {
        system.vystup_systemu(Matrix<double>(3, 10, Matrix<double>::ONES));
        FAIL() << "no error";
    } catch (const vyjm::CLDDS_Vnejsi_MIMO& e) {
        EXPECT_STREQ(e.what(), "Radky vstupu neodpovidaji poctu vstup VnejsiMIMO");
        EXPECT_EQ(e.get_r(), 2);
        EXPECT_EQ(e.get_s(), 3);
    }
}

// ---------------------------------------------------------------- stability and report

TEST(VnejsiMIMOStabilita, UsesTheRootsOfTheDeterminant) {
    EXPECT_TRUE(CLDDS_Vnejsi_MIMO(prikladA(), prikladB()).stabilni());
    EXPECT_FALSE(CLDDS_Vnejsi_MIMO(matice({{{-1.5, 1}, {0.5}}, {{0}, {-0.2, 1}}}), prikladB()).stabilni());
    // Coupling alone makes it unstable: det = z^2 - 0.5 has stable roots, z^2 - 1.5 does not.
    EXPECT_TRUE(CLDDS_Vnejsi_MIMO(matice({{{0, 1}, {0.5}}, {{1}, {0, 1}}}), prikladB()).stabilni());
    EXPECT_FALSE(CLDDS_Vnejsi_MIMO(matice({{{0, 1}, {1.5}}, {{1}, {0, 1}}}), prikladB()).stabilni());
}

TEST(VnejsiMIMOReport, FailedStreamRaisesFileError) {
    CLDDS_Vnejsi_MIMO system(prikladA(), prikladB());
    std::fstream neotevreny;
    try {
        system.CSVexport(system.impulsni_funkce(), neotevreny);
        FAIL() << "no error";
    } catch (const vyjm::FileError& e) {
        EXPECT_STREQ(e.what(), "Chyba pri zpracovani vystupu VnejsiMIMO");
    }
}

// ---------------------------------------------------------------- conversion to state space

TEST(VnejsiMIMONaStav, DiagonalFirstOrderSystem) {
    CLDDS_Vnejsi_MIMO vnejsi(matice({{{-0.5, 1}, {0}}, {{0}, {-0.2, 1}}}), matice({{{1}, {0}}, {{0}, {1}}}));
    CLDDS_Stav_MIMO stav(vnejsi);
    const Matrix<double> F = stav.get_F(), G = stav.get_G(), H = stav.get_H(), L = stav.get_L(), x0 = stav.get_x0();
    ASSERT_EQ(F.get_rows(), 2);
    EXPECT_EQ((std::vector<double>{F(0, 0), F(0, 1), F(1, 0), F(1, 1)}), (std::vector<double>{0.5, 0, 0, 0.2}));
    EXPECT_EQ((std::vector<double>{G(0, 0), G(0, 1), G(1, 0), G(1, 1)}), (std::vector<double>{1, 0, 0, 1}));
    EXPECT_EQ((std::vector<double>{H(0, 0), H(0, 1), H(1, 0), H(1, 1)}), (std::vector<double>{1, 0, 0, 1}));
    EXPECT_EQ((std::vector<double>{L(0, 0), L(0, 1), L(1, 0), L(1, 1)}), (std::vector<double>{0, 0, 0, 0}));
    ASSERT_EQ(x0.get_rows(), 2);
    EXPECT_EQ(x0(0, 0), 0.0);
    EXPECT_EQ(x0(1, 0), 0.0);
    EXPECT_EQ(stav.get_n(), 2);
    EXPECT_EQ(stav.get_T(), 1.0);
    EXPECT_EQ(stav.get_l(), 2);
    EXPECT_EQ(stav.get_m(), 2);
    // The signed cofactors of the inverse leave no negative zeros behind.
    for (const Matrix<double>* M : {&F, &G, &H, &L})
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) EXPECT_FALSE(std::signbit((*M)(i, j))) << i << j;
}

TEST(VnejsiMIMONaStav, SecondOrderBlockLayout) {
    // A_2 = diag(2, 4), A_1 = [[-1, 0.3], [0.2, 0.8]], A_0 = [[0.1, -0.4], [0.6, 0.05]].
    const std::vector<std::vector<double>> A2{{2, 0}, {0, 4}}, A1{{-1, 0.3}, {0.2, 0.8}}, A0{{0.1, -0.4}, {0.6, 0.05}};
    const std::vector<std::vector<double>> B2{{1, 0.5}, {0, 2}}, B1{{0.3, -1}, {0.7, 0}}, B0{{0, 0.2}, {1, -0.6}};
    std::vector<std::vector<Koeficienty>> a(2, std::vector<Koeficienty>(2)), b(2, std::vector<Koeficienty>(2));
    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t j = 0; j < 2; ++j) {
            a[i][j] = i == j ? Koeficienty{A0[i][j], A1[i][j], A2[i][j]} : Koeficienty{A0[i][j], A1[i][j]};
            b[i][j] = {B0[i][j], B1[i][j], B2[i][j]};
        }
    CLDDS_Vnejsi_MIMO vnejsi(matice(a), matice(b));
    CLDDS_Stav_MIMO stav(vnejsi);
    const Matrix<double> F = stav.get_F(), G = stav.get_G(), H = stav.get_H(), L = stav.get_L();
    ASSERT_EQ(F.get_rows(), 4);
    ASSERT_EQ(F.get_columns(), 4);
    ASSERT_EQ(G.get_rows(), 4);
    ASSERT_EQ(G.get_columns(), 2);
    ASSERT_EQ(H.get_rows(), 2);
    ASSERT_EQ(H.get_columns(), 4);
    EXPECT_EQ(stav.get_n(), 4);

    const double inv[2] = {1.0 / 2, 1.0 / 4};  // A_2 is diagonal
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const std::size_t ii = static_cast<std::size_t>(i), jj = static_cast<std::size_t>(j);
            // -A_k A_2^-1 in the first block column.
            EXPECT_DOUBLE_EQ(F(i, j), -A1[ii][jj] * inv[j]) << i << j;
            EXPECT_DOUBLE_EQ(F(i + 2, j), -A0[ii][jj] * inv[j]) << i << j;
            // Identity block to the right of the diagonal, zeros elsewhere.
            EXPECT_EQ(F(i, j + 2), i == j ? 1.0 : 0.0);
            EXPECT_EQ(F(i + 2, j + 2), 0.0);
            const double L_ij = inv[i] * B2[ii][jj];
            EXPECT_DOUBLE_EQ(L(i, j), L_ij);
            double A1invB2 = 0.0, A0invB2 = 0.0;
            for (std::size_t k = 0; k < 2; ++k) {
                A1invB2 += A1[ii][k] * inv[k] * B2[k][jj];
                A0invB2 += A0[ii][k] * inv[k] * B2[k][jj];
            }
            EXPECT_NEAR(G(i, j), B1[ii][jj] - A1invB2, 1e-15);
            EXPECT_NEAR(G(i + 2, j), B0[ii][jj] - A0invB2, 1e-15);
            EXPECT_EQ(H(i, j), i == j ? inv[i] : 0.0);
            EXPECT_EQ(H(i, j + 2), 0.0);
        }
}

TEST(VnejsiMIMONaStav, TinyLeadingCoefficientsAreInvertedExactly) {
    // Leading coefficients 1e-200, whose product underflows in doubles: A_N^-1 = 1e200 I and
    // F = -A_0 A_N^-1 come out as the exact values rounded once.
    CLDDS_Vnejsi_MIMO tesny(matice({{{-0.5, 1e-200}, {0}}, {{0}, {-0.2, 1e-200}}}), prikladB());
    const CLDDS_Stav_MIMO stav(tesny);
    const std::vector<double> ocekavaneF = {0.5 / 1e-200, 0.0, 0.0, 0.2 / 1e-200};
    for (int p = 0; p < 4; ++p) EXPECT_DOUBLE_EQ(stav.get_F()(p / 2, p % 2), ocekavaneF[static_cast<std::size_t>(p)]);
    EXPECT_DOUBLE_EQ(stav.get_H()(0, 0), 1e200);
    EXPECT_DOUBLE_EQ(stav.get_H()(1, 1), 1e200);
}

// Random matrix fractions realised in state space keep their responses: h(0) = L 1,
// h(k) = H F^(k-1) G 1 for the impulse on all inputs, and the state-space class's own
// impulse and output responses.
TEST(VnejsiMIMONaStav, RoundTripKeepsResponses) {
    std::mt19937 gen(99);
    std::uniform_real_distribution<double> koren(-0.7, 0.7), male(-0.1, 0.1), koef(-1.5, 1.5), vedouci(0.5, 2.5);
    for (int pokus = 0; pokus < 18; ++pokus) {
        const int l = 1 + pokus % 3;
        const int N = 1 + (pokus / 3) % 3;
        std::vector<std::vector<Koeficienty>> a(static_cast<std::size_t>(l), std::vector<Koeficienty>(static_cast<std::size_t>(l)));
        auto b = a;
        for (std::size_t i = 0; i < a.size(); ++i)
            for (std::size_t j = 0; j < a.size(); ++j) {
                if (i == j) {
                    // Stable diagonal: lead * prod (z - root).
                    Koeficienty c{pokus % 2 ? 1.0 : vedouci(gen)};
                    for (int k = 0; k < N; ++k) {
                        const double z = koren(gen);
                        Koeficienty d(c.size() + 1, 0.0);
                        for (std::size_t q = 0; q < c.size(); ++q) {
                            d[q + 1] += c[q];
                            d[q] -= z * c[q];
                        }
                        c = d;
                    }
                    a[i][j] = c;
                } else {
                    a[i][j] = Koeficienty(static_cast<std::size_t>(N));
                    for (double& x : a[i][j]) x = male(gen);
                }
                b[i][j] = Koeficienty(static_cast<std::size_t>(1 + (pokus + i + j) % (N + 1)));
                for (double& x : b[i][j]) x = koef(gen);
            }
        CLDDS_Vnejsi_MIMO vnejsi(matice(a), matice(b));
        CLDDS_Stav_MIMO stav(vnejsi);
        ASSERT_EQ(stav.get_n(), N * l);

        const Matrix<double> ie = vnejsi.impulsni_funkce();
        const double mez = 1e-10 * (1.0 + nejvetsi(ie));
        const Matrix<double> F = stav.get_F(), G = stav.get_G(), H = stav.get_H(), L = stav.get_L();
        const Matrix<double> jednicky(l, 1, Matrix<double>::ONES);
        const Matrix<double> h0 = L * jednicky;
        for (int i = 0; i < l; ++i) EXPECT_NEAR(h0(i, 0), ie(i, 0), mez) << "pokus " << pokus;
        Matrix<double> FkG1 = G * jednicky;
        for (int k = 1; k < 50; ++k) {
            const Matrix<double> hk = H * FkG1;
            for (int i = 0; i < l; ++i) EXPECT_NEAR(hk(i, 0), ie(i, k), mez) << "pokus " << pokus << " k " << k;
            FkG1 = F * FkG1;
        }

        const Matrix<double> is = stav.impulsni_funkce();
        Matrix<double> u(l, 30, Matrix<double>::ZEROS);
        for (int i = 0; i < l; ++i)
            for (int t = 0; t < 30; ++t) u(i, t) = koef(gen);
        const Matrix<double> ye = vnejsi.vystup_systemu(u);
        const Matrix<double> ys = stav.vystup_systemu(u);
        const double mezY = 1e-10 * (1.0 + nejvetsi(ye));
        for (int i = 0; i < l; ++i) {
            for (int t = 0; t < 50; ++t) EXPECT_NEAR(is(i, t), ie(i, t), mez) << "pokus " << pokus;
            for (int t = 0; t < 30; ++t) EXPECT_NEAR(ys(i, t), ye(i, t), mezY) << "pokus " << pokus;
        }
    }
}

}  // namespace test_vnejsi_mimo
}  // namespace
