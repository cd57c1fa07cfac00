#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "Vyjimky.h"
#include "Zlomek.h"

namespace {
namespace test_vnejsi_siso {

namespace {

// Polynomial in z from its coefficients, lowest power first.
Polynom poly(const std::vector<double>& koef) {
    return Polynom(koef.data(), static_cast<int>(koef.size()), 'z', false);
}

// Coefficients of lead * prod (z - root), lowest power first.
std::vector<double> zKorenu(const std::vector<std::complex<double>>& koreny, double vedouci) {
    std::vector<std::complex<double>> c{vedouci};
    for (const auto& k : koreny) {
        std::vector<std::complex<double>> d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            d[i + 1] += c[i];
            d[i] -= k * c[i];
        }
        c = d;
    }
    std::vector<double> realne;
    for (const auto& x : c) realne.push_back(x.real());
    return realne;
}

std::vector<double> sloupec(const Matrix<double>& m) {
    std::vector<double> v;
    for (int i = 0; i < m.get_rows(); ++i) v.push_back(m(i, 0));
    return v;
}

std::string zpravaChyby(const Polynom& A, const Polynom& B, int* r = nullptr, int* s = nullptr) {
    try {
        CLDDS_Vnejsi_SISO system(A, B);
    } catch (const vyjm::CLDDS_Vnejsi_SISO& e) {
        if (r) *r = e.get_r();
        if (s) *s = e.get_s();
        return e.what();
    }
    return "<bez chyby>";
}

std::vector<double> krat(std::vector<double> v, double cinitel) {
    for (double& x : v) x *= cinitel;
    return v;
}

double nejvetsi(const std::vector<double>& v) {
    double m = 0.0;
    for (double x : v) m = std::max(m, std::fabs(x));
    return m;
}

}  // namespace

// ---------------------------------------------------------------- validation

TEST(VnejsiSISOKontrola, RejectsConstantDenominatorWhateverTheNumerator) {
    int r = -1, s = -1;
    EXPECT_EQ(zpravaChyby(poly({5}), poly({1}), &r, &s), "Jmenovatel u systemu ma nulovy stupen\n");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(zpravaChyby(poly({5}), poly({1, 2, 3})), "Jmenovatel u systemu ma nulovy stupen\n");
    EXPECT_EQ(zpravaChyby(Polynom('x', false), Polynom('x', false)), "Jmenovatel u systemu ma nulovy stupen\n");
}

TEST(VnejsiSISOKontrola, RejectsNumeratorOfHigherDegree) {
    int r = -1, s = -1;
    EXPECT_EQ(zpravaChyby(poly({-0.5, 1}), poly({0, 0, 1}), &r, &s), "Citatel ma vetsi stupen jak jmenovatel");
    EXPECT_EQ(r, 1);
    EXPECT_EQ(s, 2);
}

TEST(VnejsiSISOKontrola, RejectsZeroLeadingCoefficientOfDenominatorButNotOfNumerator) {
    // The denominator line "1 0.5 0" has degree 2 and nothing to normalise by.
    int r = -1;
    EXPECT_EQ(zpravaChyby(poly({1, 0.5, 0}), poly({1}), &r),
              "Jmenovatel ma nulovy koeficient u nejvyssi mocniny\n");
    EXPECT_EQ(r, 2);
    EXPECT_EQ(zpravaChyby(poly({0.1, -0.7, 1}), poly({1, 2, 0})), "<bez chyby>");
}

// ---------------------------------------------------------------- difference equation

TEST(VnejsiSISOPrevodNaK, NormalisesByLeadingCoefficientAndKeepsPolynomials) {
    const Polynom A = poly({1, -3, 2});
    const Polynom B = poly({2, 4});
    CLDDS_Vnejsi_SISO system(A, B);
    EXPECT_EQ(system.get_r(), 2);
    EXPECT_EQ(system.get_s(), 2);
    EXPECT_EQ(sloupec(system.get_a()), (std::vector<double>{-1.5, 0.5}));
    EXPECT_EQ(sloupec(system.get_b()), (std::vector<double>{2, 1}));
    EXPECT_EQ(system.get_b0(), 0.0);
    EXPECT_TRUE(system.get_A() == A);
    EXPECT_TRUE(system.get_B() == B);

    CLDDS_Vnejsi_SISO primy(poly({0.5, 1}), poly({1, 3}));
    EXPECT_EQ(primy.get_b0(), 3.0);
    EXPECT_EQ(sloupec(primy.get_a()), (std::vector<double>{0.5}));
    EXPECT_EQ(sloupec(primy.get_b()), (std::vector<double>{1}));
}

TEST(VnejsiSISOPrevodNaK, MonicDenominatorKeepsCoefficientsBitForBit) {
    const double a1 = 0.1234567890123, a2 = -0.37000000000000011;
    const double b1 = 1.0 / 3.0, b2 = std::sqrt(2.0);
    CLDDS_Vnejsi_SISO system(poly({a2, a1, 1}), poly({b2, b1}));
    EXPECT_EQ(sloupec(system.get_a()), (std::vector<double>{a1, a2}));
    EXPECT_EQ(sloupec(system.get_b()), (std::vector<double>{b1, b2}));
}

// No coefficient is dropped for its absolute size: scaling A and B together keeps the
// responses (bit for bit when the scaling is exact), scaling B alone scales them.
TEST(VnejsiSISOPrevodNaK, ResponsesDoNotDependOnTheScaleOfTheCoefficients) {
    const auto impuls = [](const std::vector<double>& A, const std::vector<double>& B) {
        return sloupec(CLDDS_Vnejsi_SISO(poly(A), poly(B)).impulsni_funkce());
    };
    const std::vector<double> velkeA = impuls({-0.5e9, 1e9}, {1});
    EXPECT_EQ((std::vector<double>{velkeA[0], velkeA[1], velkeA[2]}), (std::vector<double>{0, 1e-9, 5e-10}));
    const std::vector<double> maleB = impuls({-1, 2}, {1e-9});
    EXPECT_EQ((std::vector<double>{maleB[0], maleB[1], maleB[2]}), (std::vector<double>{0, 5e-10, 2.5e-10}));

    const std::vector<double> systemy[][2] = {{{0.05, 0.1, -0.7, 2}, {0.3, 0, 0.5}},   // strictly proper
                                              {{-0.3, 1.1, 1}, {0.2, -0.4, 3}},         // feed-through, monic
                                              {{0.9512, -1.9512, 1}, {0.0004877, 0.0004959}}};  // a sampled plant
    for (const auto& system : systemy) {
        const std::vector<double> vzor = impuls(system[0], system[1]);
        for (double f : {std::ldexp(1.0, -100), std::ldexp(1.0, 100), 1e-30, 1e-9, 1e9, 1e30}) {
            // A power of two scales exactly; a decimal factor rounds each coefficient once, which the
            // recursion may amplify far below the six digits of a report.
            const double tolerance = std::ldexp(1.0, std::ilogb(f)) == f ? 0.0 : 1e-10 * nejvetsi(vzor);
            const std::vector<double> spolu = impuls(krat(system[0], f), krat(system[1], f));
            const std::vector<double> jenB = impuls(system[0], krat(system[1], f));
            for (std::size_t t = 0; t < vzor.size(); ++t) {
                EXPECT_NEAR(spolu[t], vzor[t], tolerance) << f << " t = " << t;
                EXPECT_NEAR(jenB[t], vzor[t] * f, tolerance * f) << f << " t = " << t;
            }
        }
    }
}

TEST(VnejsiSISOPrevodNaK, FromFractionTakesDenominatorAndNumerator) {
    CLDDS_Vnejsi_SISO system(Zlomek<Polynom>(poly({1}), poly({-1, 2})));
    EXPECT_EQ(sloupec(system.get_a()), (std::vector<double>{-0.5}));
    EXPECT_EQ(sloupec(system.get_b()), (std::vector<double>{0.5}));
}

TEST(VnejsiSISOPrevodNaK, DefaultSystemDerivesPolynomialsFromCoefficients) {
    CLDDS_Vnejsi_SISO system;
    const Polynom& A = system.get_A();
    const Polynom& B = system.get_B();
    ASSERT_EQ(A.get_stupen(), 2);
    EXPECT_EQ(A[2], 1.0);
    EXPECT_EQ(A[1], -1.5114);
    EXPECT_EQ(A[0], 0.5488);
    ASSERT_EQ(B.get_stupen(), 2);
    EXPECT_EQ(B[2], 0.0);
    EXPECT_EQ(B[1], -0.5);
    EXPECT_EQ(B[0], 1.0);
    EXPECT_EQ(system.get_r(), 2);
    EXPECT_EQ(system.get_s(), 2);
    EXPECT_TRUE(system.stabilni());
    // y(1) = -0.5, y(2) = 1.5114 * -0.5 + 1.
    const Matrix<double> i = system.impulsni_funkce();
    EXPECT_EQ(i(0, 0), 0.0);
    EXPECT_EQ(i(1, 0), -0.5);
    EXPECT_DOUBLE_EQ(i(2, 0), 1.5114 * -0.5 + 1.0);
}

// ---------------------------------------------------------------- responses

TEST(VnejsiSISOOdezvy, FirstOrderLagHalvesEveryStep) {
    CLDDS_Vnejsi_SISO system(poly({-0.5, 1}), poly({1}));
    const Matrix<double> i = system.impulsni_funkce();
    const Matrix<double> h = system.prechodova_funkce();
    ASSERT_EQ(i.get_rows(), 50);
    ASSERT_EQ(h.get_rows(), 50);
    ASSERT_EQ(i.get_columns(), 1);
    EXPECT_EQ((std::vector<double>{i(0, 0), i(1, 0), i(2, 0), i(3, 0)}), (std::vector<double>{0, 1, 0.5, 0.25}));
    EXPECT_EQ((std::vector<double>{h(0, 0), h(1, 0), h(2, 0), h(3, 0)}), (std::vector<double>{0, 1, 1.5, 1.75}));
    EXPECT_EQ(i(49, 0), std::ldexp(1.0, -48));
}

TEST(VnejsiSISOOdezvy, EqualDegreesFeedThroughThePresentInput) {
    CLDDS_Vnejsi_SISO system(poly({-0.5, 1}), poly({0, 1}));
    EXPECT_EQ(system.get_b0(), 1.0);
    EXPECT_EQ(sloupec(system.get_a()), (std::vector<double>{-0.5}));
    EXPECT_EQ(sloupec(system.get_b()), (std::vector<double>{0}));
    const Matrix<double> i = system.impulsni_funkce();
    const Matrix<double> h = system.prechodova_funkce();
    EXPECT_EQ((std::vector<double>{i(0, 0), i(1, 0), i(2, 0)}), (std::vector<double>{1, 0.5, 0.25}));
    EXPECT_EQ((std::vector<double>{h(0, 0), h(1, 0), h(2, 0)}), (std::vector<double>{1, 1.5, 1.75}));
}

TEST(VnejsiSISOOdezvy, TrimmedHistoriesContributeNothing) {
    // 1 / (2z): the output history is trimmed away, y(t) = 0.5 u(t-1).
    CLDDS_Vnejsi_SISO bezVystupu(poly({0, 2}), poly({1}));
    EXPECT_EQ(bezVystupu.get_r(), 0);
    EXPECT_EQ(bezVystupu.get_a().get_rows(), 0);
    const Matrix<double> i = bezVystupu.impulsni_funkce();
    EXPECT_EQ((std::vector<double>{i(0, 0), i(1, 0), i(2, 0), i(3, 0)}), (std::vector<double>{0, 0.5, 0, 0}));

    // 3z / (2z - 1): the input history is trimmed away, y(t) = 0.5 y(t-1) + 1.5 u(t).
    CLDDS_Vnejsi_SISO bezVstupu(poly({-1, 2}), poly({0, 3}));
    EXPECT_EQ(bezVstupu.get_s(), 0);
    EXPECT_EQ(bezVstupu.get_b0(), 1.5);
    const Matrix<double> h = bezVstupu.prechodova_funkce();
    EXPECT_EQ((std::vector<double>{h(0, 0), h(1, 0), h(2, 0)}), (std::vector<double>{1.5, 2.25, 2.625}));
}

TEST(VnejsiSISOOdezvy, OutputForOnesIsTheStepResponse) {
    CLDDS_Vnejsi_SISO system(poly({0.1, -0.7, 2}), poly({0.3, 0.5, 1.5}));
    const Matrix<double> h = system.prechodova_funkce();
    const Matrix<double> y = system.vystup_systemu(Matrix<double>(10, 1, Matrix<double>::ONES));
    ASSERT_EQ(y.get_rows(), 10);
    ASSERT_EQ(y.get_columns(), 1);
    for (int t = 0; t < 10; ++t) EXPECT_EQ(y(t, 0), h(t, 0)) << t;

    const Matrix<double> prazdny = system.vystup_systemu(Matrix<double>(0, 1, Matrix<double>::ZEROS));
    EXPECT_EQ(prazdny.get_rows(), 0);
    EXPECT_EQ(prazdny.get_columns(), 1);
}

TEST(VnejsiSISOOdezvy, OutputIsConvolutionWithImpulseResponse) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> rozsah(-1.0, 1.0);
    CLDDS_Vnejsi_SISO system(poly(zKorenu({{0.8, 0.3}, {0.8, -0.3}, {-0.5, 0}}, 1.5)), poly({0.2, -1, 0.5, 2}));
    const Matrix<double> i = system.impulsni_funkce();
    Matrix<double> u(40, 1, Matrix<double>::ZEROS);
    for (int t = 0; t < 40; ++t) u(t, 0) = rozsah(gen);
    const Matrix<double> y = system.vystup_systemu(u);
    for (int t = 0; t < 40; ++t) {
        double konvoluce = 0.0;
        for (int k = 0; k <= t; ++k) konvoluce += i(k, 0) * u(t - k, 0);
        EXPECT_NEAR(y(t, 0), konvoluce, 1e-12 * (1 + std::fabs(konvoluce))) << t;
    }
}

TEST(VnejsiSISOOdezvy, InputWithOtherThanOneColumnIsRejected) {
    CLDDS_Vnejsi_SISO system(poly({-0.5, 1}), poly({1}));
    try {
        system.vystup_systemu(Matrix<double>(10, 2, Matrix<double>::ONES));
        FAIL() << "no error";
    } catch (const vyjm::CLDDS_Vnejsi_SISO& e) {
        EXPECT_STREQ(e.what(), "Sloupce vstupu u VnejsiSISO je jedna");
        EXPECT_EQ(e.get_r(), 2);
        EXPECT_EQ(e.get_s(), 1);
    }
    EXPECT_THROW(system.vystup_systemu(Matrix<double>()), vyjm::CLDDS_Vnejsi_SISO);
}

// ---------------------------------------------------------------- stability

TEST(VnejsiSISOStabilita, UnitCircleIsTheInclusiveBound) {
    EXPECT_TRUE(CLDDS_Vnejsi_SISO(poly(zKorenu({0.9, 0.6}, 1)), poly({1})).stabilni());
    EXPECT_TRUE(CLDDS_Vnejsi_SISO(poly({-1, 1}), poly({1})).stabilni());
    EXPECT_FALSE(CLDDS_Vnejsi_SISO(poly({-1.1, 1}), poly({1})).stabilni());
    EXPECT_TRUE(CLDDS_Vnejsi_SISO(poly({1, 1, 1, 1}), poly({1})).stabilni());
    EXPECT_TRUE(CLDDS_Vnejsi_SISO(poly(zKorenu({0.95, -0.95, 0.3}, 2)), poly({1})).stabilni());
    EXPECT_FALSE(CLDDS_Vnejsi_SISO(poly(zKorenu({{0.3, 0.96}, {0.3, -0.96}, 0.1}, 3)), poly({1})).stabilni());
}

// ---------------------------------------------------------------- report

TEST(VnejsiSISOReport, FailedStreamRaisesFileErrorAndBadStreamIsLeftAlone) {
    CLDDS_Vnejsi_SISO system(poly({-0.5, 1}), poly({1}));
    std::fstream neotevreny;  // good, but every write fails
    try {
        system.CSVexport(system.impulsni_funkce(), neotevreny);
        FAIL() << "no error";
    } catch (const vyjm::FileError& e) {
        EXPECT_STREQ(e.what(), "Chyba pri zpracovani vystupu\n VnejsiSISO");
    }
    std::fstream spatny;
    spatny.setstate(std::ios::failbit);
    EXPECT_NO_THROW(system.CSVexport(system.impulsni_funkce(), spatny));
}

// ---------------------------------------------------------------- conversion to state space

TEST(VnejsiSISONaStav, CompanionFormOfMonicDenominator) {
    CLDDS_Vnejsi_SISO vnejsi(poly({0.1, -0.7, 1}), poly({0.5, 1}));
    CLDDS_Stav_SISO stav(vnejsi);
    const Matrix<double>& F = stav.get_F();
    ASSERT_EQ(F.get_rows(), 2);
    ASSERT_EQ(F.get_columns(), 2);
    EXPECT_EQ((std::vector<double>{F(0, 0), F(0, 1), F(1, 0), F(1, 1)}), (std::vector<double>{0, 1, -0.1, 0.7}));
    EXPECT_EQ((std::vector<double>{stav.get_G()(0, 0), stav.get_G()(1, 0)}), (std::vector<double>{0, 1}));
    EXPECT_EQ((std::vector<double>{stav.get_H()(0, 0), stav.get_H()(0, 1)}), (std::vector<double>{0.5, 1}));
    EXPECT_EQ(stav.get_L()(0, 0), 0.0);
    EXPECT_EQ(stav.get_x0().get_rows(), 2);
    EXPECT_EQ(stav.get_x0()(0, 0), 0.0);
    EXPECT_EQ(stav.get_x0()(1, 0), 0.0);
    EXPECT_EQ(stav.get_n(), 2);
    EXPECT_EQ(stav.get_T(), 1.0);

    // z^2 + 1: the missing z term gives a plain zero, which a written file shows as 0.000.
    CLDDS_Vnejsi_SISO kmitavy(poly({1, 0, 1}), poly({1}));
    CLDDS_Stav_SISO s2(kmitavy);
    EXPECT_EQ(s2.get_F()(1, 0), -1.0);
    EXPECT_EQ(s2.get_F()(1, 1), 0.0);
    EXPECT_FALSE(std::signbit(s2.get_F()(1, 1)));
}

TEST(VnejsiSISONaStav, LeadingCoefficientIsDividedOutAndFeedThroughIsTheRatio) {
    CLDDS_Vnejsi_SISO vnejsi(poly({-1, 2}), poly({1, 2}));
    CLDDS_Stav_SISO stav;
    stav = vnejsi;
    EXPECT_EQ(stav.get_F()(0, 0), 0.5);
    EXPECT_EQ(stav.get_G()(0, 0), 0.5);
    EXPECT_EQ(stav.get_H()(0, 0), 2.0);
    EXPECT_EQ(stav.get_L()(0, 0), 1.0);

    // Equal degrees: H[i] = B[i] - A[i] * L with L = B[n] / A[n].
    CLDDS_Vnejsi_SISO rovne(poly({0.1, -0.7, 2}), poly({0.3, 0.5, 3}));
    CLDDS_Stav_SISO s2(rovne);
    const double L = 1.5;
    EXPECT_EQ(s2.get_L()(0, 0), L);
    EXPECT_EQ(s2.get_H()(0, 0), 0.3 - 0.1 * L);
    EXPECT_EQ(s2.get_H()(0, 1), 0.5 - -0.7 * L);
}

TEST(VnejsiSISONaStav, ConstantNumeratorIsConverted) {
    CLDDS_Vnejsi_SISO vnejsi(poly({0.1, -0.7, 1}), poly({3}));
    CLDDS_Stav_SISO stav(vnejsi);
    ASSERT_EQ(stav.get_n(), 2);
    EXPECT_EQ((std::vector<double>{stav.get_H()(0, 0), stav.get_H()(0, 1)}), (std::vector<double>{3, 0}));
    EXPECT_EQ(stav.get_L()(0, 0), 0.0);
    const Matrix<double> ie = vnejsi.impulsni_funkce();
    const Matrix<double> is = stav.impulsni_funkce();
    for (int t = 0; t < 50; ++t) EXPECT_NEAR(ie(t, 0), is(t, 0), 1e-12) << t;

    // A constant read from a file is set into an empty polynomial.
    Polynom zeSouboru('x', false);
    zeSouboru.add(3.0, 0);
    CLDDS_Vnejsi_SISO vnejsi2(poly({0.1, -0.7, 1}), zeSouboru);
    CLDDS_Stav_SISO stav2(vnejsi2);
    EXPECT_EQ((std::vector<double>{stav2.get_H()(0, 0), stav2.get_H()(0, 1)}), (std::vector<double>{3, 0}));
}

// Random transfer functions realised in state space have the same impulse response:
// h(0) = L, h(k) = H F^(k-1) G, and the state-space class's own response.
TEST(VnejsiSISONaStav, RoundTripKeepsImpulseResponse) {
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> modul(0.05, 0.9), uhel(0.1, 3.0), koef(-2.0, 2.0), vedouci(0.5, 3.0);
    for (int pokus = 0; pokus < 40; ++pokus) {
        const int n = 1 + pokus % 6;
        std::vector<std::complex<double>> koreny;
        while (static_cast<int>(koreny.size()) < n) {
            if (n - static_cast<int>(koreny.size()) >= 2 && gen() % 2) {
                const auto z = std::polar(modul(gen), uhel(gen));
                koreny.push_back(z);
                koreny.push_back(std::conj(z));
            } else {
                koreny.push_back(koef(gen) > 0 ? modul(gen) : -modul(gen));
            }
        }
        const double an = pokus % 3 == 0 ? 1.0 : vedouci(gen);
        std::vector<double> b(static_cast<std::size_t>(pokus % (n + 1)) + 1);
        for (double& x : b) x = koef(gen);
        CLDDS_Vnejsi_SISO vnejsi(poly(zKorenu(koreny, an)), poly(b));
        CLDDS_Stav_SISO stav(vnejsi);

        const std::vector<double> ie = sloupec(vnejsi.impulsni_funkce());
        const double mez = 1e-10 * (1.0 + nejvetsi(ie));
        const Matrix<double> F = stav.get_F(), G = stav.get_G(), H = stav.get_H();
        ASSERT_EQ(F.get_rows(), n);
        EXPECT_NEAR(stav.get_L()(0, 0), ie[0], mez);
        Matrix<double> FkG = G;
        for (int k = 1; k < 50; ++k) {
            EXPECT_NEAR((H * FkG)(0, 0), ie[static_cast<std::size_t>(k)], mez) << "pokus " << pokus << " k " << k;
            FkG = F * FkG;
        }
        const std::vector<double> is = sloupec(stav.impulsni_funkce());
        for (int k = 0; k < 50; ++k)
            EXPECT_NEAR(is[static_cast<std::size_t>(k)], ie[static_cast<std::size_t>(k)], mez) << "pokus " << pokus;
    }
}

}  // namespace test_vnejsi_siso
}  // namespace
