// State-space systems: responses, shape checks, stability.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLLDS_Stav_SISO.h"
#include "Vyjimky.h"

namespace {
namespace test_stav_system {

namespace {

using Hodnoty = std::vector<double>;
using Husta = std::vector<Hodnoty>;  // plain row-major matrix for reference computations

Matrix<double> matice(int radky, int sloupce, const Hodnoty& h) {
    if (radky == 0 || sloupce == 0) return Matrix<double>(radky, sloupce, Matrix<double>::ZEROS);
    return Matrix<double>(radky, sloupce, h.data());
}

Matrix<double> matice(const Husta& h) {
    Hodnoty plocha;
    for (const auto& radek : h) plocha.insert(plocha.end(), radek.begin(), radek.end());
    return matice(static_cast<int>(h.size()), static_cast<int>(h[0].size()), plocha);
}

Husta soucin(const Husta& a, const Husta& b) {
    Husta c(a.size(), Hodnoty(b[0].size(), 0.0));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b[0].size(); ++j)
            for (std::size_t k = 0; k < b.size(); ++k) c[i][j] += a[i][k] * b[k][j];
    return c;
}

Husta nahodna(std::mt19937& gen, std::size_t r, std::size_t s) {
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Husta m(r, Hodnoty(s));
    for (auto& radek : m)
        for (auto& v : radek) v = d(gen);
    return m;
}

// Random F scaled to infinity norm 0.9, so no eigenvalue has modulus above 0.9.
Husta nahodnaStabilni(std::mt19937& gen, std::size_t n) {
    Husta f = nahodna(gen, n, n);
    double norma = 0.0;
    for (const auto& radek : f) {
        double s = 0.0;
        for (double v : radek) s += std::fabs(v);
        norma = std::max(norma, s);
    }
    for (auto& radek : f)
        for (auto& v : radek) v *= 0.9 / norma;
    return f;
}

// y(k) = H F^k x0 + sum_{r<k} H F^(k-r-1) G u(r) + L u(k), term by term; u one row per input.
Husta uzavrenyTvar(const Husta& F, const Husta& G, const Husta& H, const Husta& L,
                   const Husta& x0, const Husta& u) {
    const std::size_t kroky = u[0].size();
    std::vector<Husta> mocniny{Husta(F.size(), Hodnoty(F.size(), 0.0))};
    for (std::size_t i = 0; i < F.size(); ++i) mocniny[0][i][i] = 1.0;
    for (std::size_t k = 1; k <= kroky; ++k) mocniny.push_back(soucin(mocniny.back(), F));
    auto sloupec = [&](std::size_t k) {
        Husta c(u.size(), Hodnoty(1));
        for (std::size_t i = 0; i < u.size(); ++i) c[i][0] = u[i][k];
        return c;
    };
    Husta y(H.size(), Hodnoty(kroky, 0.0));
    for (std::size_t k = 0; k < kroky; ++k) {
        std::vector<Husta> cleny{soucin(soucin(H, mocniny[k]), x0), soucin(L, sloupec(k))};
        for (std::size_t r = 0; r < k; ++r)
            cleny.push_back(soucin(soucin(soucin(H, mocniny[k - r - 1]), G), sloupec(r)));
        for (const auto& c : cleny)
            for (std::size_t o = 0; o < H.size(); ++o) y[o][k] += c[o][0];
    }
    return y;
}

// The error of type Chyba that akce raises, or nothing.
template <typename Chyba, typename Akce>
std::optional<Chyba> zachyt(Akce akce) {
    try {
        akce();
    } catch (const Chyba& e) {
        return e;
    }
    return std::nullopt;
}

const Matrix<double> F2 = matice(2, 2, {0.5, 0.1, 0.0, 0.8});
const Matrix<double> G2 = matice(2, 1, {1.0, 0.5});
const Matrix<double> H2 = matice(1, 2, {1.0, 0.0});
const Matrix<double> L1 = matice(1, 1, {0.0});
const Matrix<double> X2 = matice(2, 1, {0.0, 0.0});

}  // namespace

TEST(StavSISO, ExampleSystemImpulseAndStepResponsesStartAsComputedByHand) {
    const CLDDS_Stav_SISO s;
    const Matrix<double> i = s.impulsni_funkce();
    const Matrix<double> h = s.prechodova_funkce();
    ASSERT_EQ(i.get_rows(), 50);
    ASSERT_EQ(h.get_rows(), 50);
    EXPECT_EQ(i.get_columns(), 1);
    EXPECT_DOUBLE_EQ(i(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(i(1, 0), 0.02);
    EXPECT_DOUBLE_EQ(i(2, 0), 0.0556);
    EXPECT_DOUBLE_EQ(h(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(h(1, 0), 0.02);
    EXPECT_DOUBLE_EQ(h(2, 0), 0.0756);
}

TEST(StavSISO, InitialStateAndFeedThroughEnterTheOutput) {
    // F x0 = (0.7, 1.6), F^2 x0 = (0.51, 1.28), F^3 x0 = (0.383, 1.024).
    const Matrix<double> x0 = matice(2, 1, {1.0, 2.0});
    const CLDDS_Stav_SISO bezVstupu(F2, G2, H2, L1, x0, 2, 1.0);
    const Matrix<double> y = bezVstupu.vystup_systemu(Matrix<double>(4, 1, Matrix<double>::ZEROS));
    ASSERT_EQ(y.get_rows(), 4);
    EXPECT_DOUBLE_EQ(y(0, 0), 1.0);
    EXPECT_DOUBLE_EQ(y(1, 0), 0.7);
    EXPECT_DOUBLE_EQ(y(2, 0), 0.51);
    EXPECT_DOUBLE_EQ(y(3, 0), 0.383);

    const CLDDS_Stav_SISO sL(F2, G2, H2, matice(1, 1, {3.0}), x0, 2, 1.0);
    EXPECT_DOUBLE_EQ(sL.vystup_systemu(matice(1, 1, {2.0}))(0, 0), 3.0 * 2.0 + 1.0);
    EXPECT_DOUBLE_EQ(sL.impulsni_funkce()(0, 0), 3.0 + 1.0);
    EXPECT_DOUBLE_EQ(sL.prechodova_funkce()(0, 0), 3.0 + 1.0);
}

TEST(StavSISO, InputMustBeOneColumn) {
    const CLDDS_Stav_SISO s;
    EXPECT_EQ(s.vystup_systemu(Matrix<double>(5, 1, Matrix<double>::ONES)).get_rows(), 5);
    for (const Matrix<double>& vstup : {Matrix<double>(1, 5, Matrix<double>::ONES), Matrix<double>()}) {
        const auto e = zachyt<vyjm::CLDDS_Stav_SISO>([&] { s.vystup_systemu(vstup); });
        ASSERT_TRUE(e);
        EXPECT_STREQ(e->what(), "Pocet sloupcu u vstupu StavSISO je 1\n");
        EXPECT_EQ(e->get_n(), 1);
        EXPECT_EQ(e->get_l(), vstup.get_columns());
        EXPECT_EQ(e->get_m(), 1);
    }
}

TEST(StavSISO, ConstructorRejectsEveryShapeThatDoesNotFit) {
    const Matrix<double> prazdna;
    struct Pripad {
        Matrix<double> F, G, H, L, x0;
        int n;
        std::string zprava;
        int radky, sloupce;
    };
    const std::vector<Pripad> pripady = {
        {matice(2, 3, Hodnoty(6, 0.1)), G2, H2, L1, X2, 2, "Matice F neni ctvercova\n", 2, 3},
        {prazdna, prazdna, prazdna, prazdna, prazdna, 0, "Matice F je prazdna, system nema zadny stav\n", 0, 0},
        {F2, G2, H2, L1, X2, 3, "Rad systemu neodpovida rozmeru matice F\n", 2, 2},
        {F2, matice(2, 2, Hodnoty(4, 1.0)), H2, L1, X2, 2,
         "Matice G musi mit stejny pocet radku jako matice F a jeden sloupec\n", 2, 2},
        {F2, matice(3, 1, Hodnoty(3, 1.0)), H2, L1, X2, 2,
         "Matice G musi mit stejny pocet radku jako matice F a jeden sloupec\n", 3, 1},
        {F2, G2, matice(1, 3, Hodnoty(3, 1.0)), L1, X2, 2,
         "Matice H musi mit jeden radek a stejny pocet sloupcu jako matice F\n", 1, 3},
        {F2, G2, matice(2, 2, Hodnoty(4, 1.0)), L1, X2, 2,
         "Matice H musi mit jeden radek a stejny pocet sloupcu jako matice F\n", 2, 2},
        {F2, G2, H2, prazdna, X2, 2, "Matice L musi mit jeden radek a jeden sloupec\n", 0, 0},
        {F2, G2, H2, matice(1, 2, {0.0, 0.0}), X2, 2, "Matice L musi mit jeden radek a jeden sloupec\n", 1, 2},
        {F2, G2, H2, L1, prazdna, 2, "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n", 0, 0},
        {F2, G2, H2, L1, matice(1, 2, {0.0, 0.0}), 2,
         "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n", 1, 2},
    };
    for (const auto& p : pripady) {
        const auto e = zachyt<vyjm::CLDDS_Stav_SISO>([&] { CLDDS_Stav_SISO s(p.F, p.G, p.H, p.L, p.x0, p.n, 1.0); });
        ASSERT_TRUE(e) << p.zprava;
        EXPECT_EQ(e->what(), p.zprava);
        EXPECT_EQ(e->get_n(), p.n);
        EXPECT_EQ(e->get_l(), p.radky) << p.zprava;
        EXPECT_EQ(e->get_m(), p.sloupce) << p.zprava;
    }
}

TEST(StavSystem, RecursionMatchesTheClosedFormOnRandomStableSystems) {
    std::mt19937 gen(7);
    for (std::size_t n = 1; n <= 5; ++n) {
        for (std::size_t kanaly = 1; kanaly <= 3; ++kanaly) {
            const Husta F = nahodnaStabilni(gen, n), G = nahodna(gen, n, kanaly), H = nahodna(gen, kanaly, n),
                        L = nahodna(gen, kanaly, kanaly), x0 = nahodna(gen, n, 1), u = nahodna(gen, kanaly, 40);
            const Husta ocekavane = uzavrenyTvar(F, G, H, L, x0, u);
            const int k = static_cast<int>(kanaly);
            Matrix<double> y;
            if (kanaly == 1) {
                const CLDDS_Stav_SISO s(matice(F), matice(G), matice(H), matice(L), matice(x0),
                                        static_cast<int>(n), 1.0);
                y = s.vystup_systemu(matice(u).transpozice()).transpozice();
            } else {
                const CLDDS_Stav_MIMO s(k, k, matice(F), matice(G), matice(H), matice(L), matice(x0),
                                        static_cast<int>(n), 1.0);
                y = s.vystup_systemu(matice(u));
            }
            ASSERT_EQ(y.get_rows(), k);
            ASSERT_EQ(y.get_columns(), 40);
            double rozdil = 0.0, velikost = 0.0;
            for (int o = 0; o < k; ++o)
                for (int j = 0; j < 40; ++j) {
                    rozdil = std::max(rozdil, std::fabs(y(o, j) - ocekavane[o][j]));
                    velikost = std::max(velikost, std::fabs(ocekavane[o][j]));
                }
            EXPECT_LT(rozdil, 1e-12 * velikost) << "n = " << n << ", channels = " << kanaly;
        }
    }
}

TEST(StavMIMO, ImpulseOnAllInputsIsTheSumOfSingleInputOutputs) {
    std::mt19937 gen(11);
    const CLDDS_Stav_MIMO s(2, 2, matice(nahodnaStabilni(gen, 3)), matice(nahodna(gen, 3, 2)),
                            matice(nahodna(gen, 2, 3)), matice(nahodna(gen, 2, 2)),
                            Matrix<double>(3, 1, Matrix<double>::ZEROS), 3, 1.0);
    const Matrix<double> i = s.impulsni_funkce();
    ASSERT_EQ(i.get_rows(), 2);
    ASSERT_EQ(i.get_columns(), 50);
    EXPECT_EQ(s.prechodova_funkce().get_columns(), 50);
    Matrix<double> u1(2, 50, Matrix<double>::ZEROS), u2(2, 50, Matrix<double>::ZEROS);
    u1(0, 0) = 1.0;
    u2(1, 0) = 1.0;
    const Matrix<double> soucet = s.vystup_systemu(u1) + s.vystup_systemu(u2);
    for (int o = 0; o < 2; ++o)
        for (int k = 0; k < 50; ++k) EXPECT_NEAR(i(o, k), soucet(o, k), 1e-14);
}

TEST(StavMIMO, InputNeedsOneRowPerInput) {
    const CLDDS_Stav_MIMO s;
    const Matrix<double> y = s.vystup_systemu(Matrix<double>(2, 7, Matrix<double>::ONES));
    EXPECT_EQ(y.get_rows(), 2);
    EXPECT_EQ(y.get_columns(), 7);
    for (const Matrix<double>& vstup : {Matrix<double>(3, 7, Matrix<double>::ONES), Matrix<double>()}) {
        const auto e = zachyt<vyjm::CLDDS_Stav_MIMO>([&] { s.vystup_systemu(vstup); });
        ASSERT_TRUE(e);
        EXPECT_STREQ(e->what(), "Radky vstupu neodpovidaji poctu vstupu StavMIMO");
        EXPECT_EQ(e->get_n(), vstup.get_columns());
    }
}

TEST(StavMIMO, ChecksRunInOrderWithTheirMessagesAndNumbers) {
    const Matrix<double> F3 = Matrix<double>(3, 3, Matrix<double>::ONE), G32 = Matrix<double>(3, 2, Matrix<double>::ONES),
                         H23 = Matrix<double>(2, 3, Matrix<double>::ONES), L22 = Matrix<double>(2, 2, Matrix<double>::ZEROS),
                         X3 = Matrix<double>(3, 1, Matrix<double>::ZEROS), prazdna;
    auto vytvor = [](int l, int m, const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                     const Matrix<double>& L, const Matrix<double>& x0, int n) {
        return [=] { CLDDS_Stav_MIMO s(l, m, F, G, H, L, x0, n, 1.0); };
    };
    // Two inputs and three outputs fail on the counts before F is looked at.
    const auto e1 = zachyt<vyjm::CLDDS_MIMO>(vytvor(2, 3, matice(3, 2, Hodnoty(6, 0.0)), G32,
                                                    Matrix<double>(3, 3, Matrix<double>::ONES), L22, X3, 3));
    ASSERT_TRUE(e1);
    EXPECT_STREQ(e1->what(), "Vstupy a vystupy u stavoveho popisu nejsou stejne\n");
    EXPECT_EQ(e1->get_l(), 2);
    EXPECT_EQ(e1->get_m(), 3);
    const auto e2 =
        zachyt<vyjm::CLDDS_MIMO>(vytvor(2, 2, F3, Matrix<double>(3, 3, Matrix<double>::ONES), H23, L22, X3, 3));
    ASSERT_TRUE(e2);
    EXPECT_STREQ(e2->what(), "Pocet vstupu neodpovida poctu sloupcu matice G\n");
    EXPECT_EQ(e2->get_m(), 3);
    const auto e3 =
        zachyt<vyjm::CLDDS_MIMO>(vytvor(2, 2, F3, G32, Matrix<double>(3, 3, Matrix<double>::ONES), L22, X3, 3));
    ASSERT_TRUE(e3);
    EXPECT_STREQ(e3->what(), "Pocet vystupu neodpovida poctu radku matice H\n");

    struct Pripad {
        std::function<void()> akce;
        std::string zprava;
        int cislo;
    };
    const std::vector<Pripad> pripady = {
        {vytvor(2, 2, matice(3, 2, Hodnoty(6, 0.0)), G32, Matrix<double>(2, 2, Matrix<double>::ONES), L22, X3, 3),
         "Matice F neni ctvercova\n", 3},
        {vytvor(2, 2, F3, Matrix<double>(2, 2, Matrix<double>::ONE), H23, L22, X3, 3),
         "Matice F nema stejny pocet radku jako Matice G radku\n", 3},
        {vytvor(2, 2, F3, G32, Matrix<double>(2, 2, Matrix<double>::ONE), L22, X3, 3),
         "Matice F nema stejny pocet sloupcu jako Matice H sloupcu\n", 3},
        {vytvor(2, 2, F3, G32, H23, Matrix<double>(2, 3, Matrix<double>::ZEROS), X3, 3),
         "Matice L nema stejny pocet sloupcu jako Matice G sloupcu\n", 2},
        {vytvor(2, 2, F3, G32, H23, Matrix<double>(3, 2, Matrix<double>::ZEROS), X3, 3),
         "Matice L nema stejny pocet radku jako Matice H radku\n", 3},
        // The data of an empty file, and a system with states but no input.
        {vytvor(0, 0, prazdna, prazdna, prazdna, prazdna, prazdna, 0), "Matice F je prazdna, system nema zadny stav\n", 0},
        {vytvor(0, 0, Matrix<double>(2, 2, Matrix<double>::ONE), Matrix<double>(2, 0, Matrix<double>::ZEROS),
                Matrix<double>(0, 2, Matrix<double>::ZEROS), prazdna, Matrix<double>(2, 1, Matrix<double>::ZEROS), 2),
         "System nema zadny vstup, matice G nema zadny sloupec\n", 0},
        {vytvor(2, 2, F3, G32, H23, L22, X3, 4), "Rad systemu neodpovida rozmeru matice F\n", 4},
        {vytvor(2, 2, F3, G32, H23, L22, Matrix<double>(2, 1, Matrix<double>::ZEROS), 3),
         "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n", 2},
        {vytvor(2, 2, F3, G32, H23, L22, prazdna, 3),
         "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n", 0},
    };
    for (const auto& p : pripady) {
        const auto e = zachyt<vyjm::CLDDS_Stav_MIMO>(p.akce);
        ASSERT_TRUE(e) << p.zprava;
        EXPECT_EQ(e->what(), p.zprava);
        EXPECT_EQ(e->get_n(), p.cislo) << p.zprava;
    }
    EXPECT_NO_THROW(vytvor(2, 2, F3, G32, H23, L22, X3, 3)());
}

TEST(StavStabilita, UnitRootIsStableAndPrintsXTimesIdentity) {
    const Matrix<double> jedna = matice(1, 1, {1.0});
    const CLDDS_Stav_SISO s(jedna, jedna, jedna, L1, matice(1, 1, {0.0}), 1, 1.0);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(s.stabilni());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1.0000 0.0000 \n\n");

    const CLDDS_Stav_SISO nestabilni(matice(1, 1, {-1.01}), jedna, jedna, L1, matice(1, 1, {0.0}), 1, 1.0);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(nestabilni.stabilni());
    testing::internal::GetCapturedStdout();
}

TEST(StavStabilita, VerdictFollowsChosenEigenvalues) {
    // Block upper triangular F: real eigenvalues and rotation blocks r (cos, -sin; sin, cos)
    // on the diagonal, random entries above. The largest modulus decides the verdict.
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> modul(0.1, 0.9), uhel(0.2, 3.0), nad(-2.0, 2.0);
    for (int pokus = 0; pokus < 24; ++pokus) {
        const int n = 1 + pokus % 6;
        const double nejvetsi = (pokus % 2 == 0) ? 0.95 : 1.05;
        Husta F(n, Hodnoty(n, 0.0));
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) F[i][j] = nad(gen);
        for (int i = 0; i < n;) {
            const double r = (i == 0) ? nejvetsi : modul(gen);
            if (i + 1 < n && (pokus / 2) % 2 == 0) {
                const double a = uhel(gen);
                F[i][i] = F[i + 1][i + 1] = r * std::cos(a);
                F[i][i + 1] = -r * std::sin(a);
                F[i + 1][i] = r * std::sin(a);
                i += 2;
            } else {
                F[i][i] = (gen() % 2 ? r : -r);
                i += 1;
            }
        }
        const CLDDS_Stav_MIMO s(1, 1, matice(F), Matrix<double>(n, 1, Matrix<double>::ONES),
                                Matrix<double>(1, n, Matrix<double>::ONES), matice(1, 1, {0.0}),
                                Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
        testing::internal::CaptureStdout();
        EXPECT_EQ(s.stabilni(), nejvetsi < 1.0) << "n = " << n << ", case " << pokus;
        testing::internal::GetCapturedStdout();
    }
}

}  // namespace test_stav_system
}  // namespace
