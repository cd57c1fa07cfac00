// Poles by construction: integer polynomials from chosen roots (multiple roots, roots on the
// circle, reciprocal pairs, a pair 1e-9 outside), systems of every class whose poles are fixed
// by their form, and random small-integer polynomials whose poles must agree with the exact
// stability verdict.
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
#include "ModulPoly.h"
#include "ModulVerdikt.h"

namespace {

CelyPolynom zTextu(const char* flint) {
    CelyPolynom p;
    fmpz_poly_set_str(p.get(), flint);
    return p;
}

CelyPolynom soucin(const std::vector<std::pair<std::vector<long>, unsigned long>>& cinitele) {
    CelyPolynom p = CelyPolynom::zCelych({1}), mocnina;
    for (const auto& [koeficienty, k] : cinitele) {
        fmpz_poly_pow(mocnina.get(), CelyPolynom::zCelych(koeficienty).get(), k);
        fmpz_poly_mul(p.get(), p.get(), mocnina.get());
    }
    return p;
}

const PolohaPolu U = PolohaPolu::Uvnitr, K = PolohaPolu::NaKruznici, V = PolohaPolu::Vne;

void porovnej(const std::vector<Pol>& poly, const std::vector<Pol>& ocekavane) {
    ASSERT_EQ(poly.size(), ocekavane.size());
    for (std::size_t i = 0; i < poly.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(poly[i].re, ocekavane[i].re);
        EXPECT_EQ(poly[i].im, ocekavane[i].im);
        EXPECT_EQ(poly[i].velikost, ocekavane[i].velikost);
        EXPECT_EQ(poly[i].nasobnost, ocekavane[i].nasobnost);
        EXPECT_EQ(poly[i].poloha, ocekavane[i].poloha);
    }
}

// Values are the doubles nearest the true poles: a correctly rounded sqrt gives them.
TEST(PresnePoly, ChosenRootsComeBackDistinctWithMultiplicityValueAndPlace) {
    const double s3 = std::sqrt(3.0) / 2, s2 = std::sqrt(0.5);
    const struct {
        const char* nazev;
        CelyPolynom p;
        std::vector<Pol> poly;
    } pripady[] = {
        {"(2z - 1)(z + 2)(z - 3)^2", soucin({{{-1, 2}, 1}, {{2, 1}, 1}, {{-3, 1}, 2}}),
         {{3, 0, 3, 2, V}, {-2, 0, 2, 1, V}, {0.5, 0, 0.5, 1, U}}},
        {"(z - 1)^2 (z^2 + 1)^3 (z + 1) on the circle", soucin({{{-1, 1}, 2}, {{1, 0, 1}, 3}, {{1, 1}, 1}}),
         {{1, 0, 1, 2, K}, {0, 1, 1, 3, K}, {0, -1, 1, 3, K}, {-1, 0, 1, 1, K}}},
        {"z^3 (z^2 - z + 1)", soucin({{{0, 1}, 3}, {{1, -1, 1}, 1}}),
         {{0.5, s3, 1, 1, K}, {0.5, -s3, 1, 1, K}, {0, 0, 0, 3, U}}},
        {"reciprocal pair (2z - 1)(z - 2) and (z^2 + z + 1)^2", soucin({{{2, -5, 2}, 1}, {{1, 1, 1}, 2}}),
         {{2, 0, 2, 1, V}, {-0.5, s3, 1, 2, K}, {-0.5, -s3, 1, 2, K}, {0.5, 0, 0.5, 1, U}}},
        {"z^4 + 1", soucin({{{1, 0, 0, 0, 1}, 1}}),
         {{s2, s2, 1, 1, K}, {s2, -s2, 1, 1, K}, {-s2, s2, 1, 1, K}, {-s2, -s2, 1, 1, K}}},
        {"(1 + 1e-9)(0.6 +- 0.8i)", zTextu("3  1000000002000000001 -1200000001200000000 1000000000000000000"),
         {{0.6000000006, 0.8000000008, 1.000000001, 1, V}, {0.6000000006, -0.8000000008, 1.000000001, 1, V}}},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        porovnej(presnePoly(pripad.p), pripad.poly);
    }
}

// Every pole is a root (the polynomial is small there), the multiplicities add up to the
// degree, the places match the magnitudes, and "stable" is "no pole outside".
TEST(PresnePoly, RandomSmallIntegerPolynomialsAgreeWithTheVerdict) {
    std::mt19937 nahoda(18);
    std::uniform_int_distribution<long> koeficient(-2, 2);
    int naKruznici = 0;
    for (int pokus = 0; pokus < 300; ++pokus) {
        std::vector<long> k(static_cast<std::size_t>(2 + pokus % 7));
        for (long& c : k) c = koeficient(nahoda);
        k.back() = pokus % 2 ? 1 : -2;
        const CelyPolynom p = CelyPolynom::zCelych(k);
        SCOPED_TRACE(pokus);
        const std::vector<Pol> poly = presnePoly(p);
        long stupen = 0;
        bool vne = false;
        for (const Pol& pol : poly) {
            stupen += pol.nasobnost;
            vne = vne || pol.poloha == PolohaPolu::Vne;
            naKruznici += pol.poloha == PolohaPolu::NaKruznici;
            std::complex<double> hodnota = 0.0, z(pol.re, pol.im);
            for (auto c = k.rbegin(); c != k.rend(); ++c) hodnota = hodnota * z + static_cast<double>(*c);
            EXPECT_LT(std::abs(hodnota), 1e-4) << pol.re << " " << pol.im;
            EXPECT_NEAR(std::abs(z), pol.velikost, 1e-12);
            const double vzor = pol.poloha == PolohaPolu::Uvnitr ? -1.0 : pol.poloha == PolohaPolu::Vne ? 1.0 : 0.0;
            EXPECT_EQ((pol.velikost > 1.0) - (pol.velikost < 1.0), vzor);
        }
        EXPECT_EQ(stupen, p.stupen());
        EXPECT_EQ(presnyVerdikt(p), !vne);
    }
    EXPECT_GT(naKruznici, 50);
}

Matrix<double> realna(const std::vector<std::vector<double>>& hodnoty) {
    Matrix<double> M(static_cast<int>(hodnoty.size()), static_cast<int>(hodnoty.front().size()), Matrix<double>::ZEROS);
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) M(i, j) = hodnoty[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    return M;
}

// Through the system classes and the module: the poles of each kind and the verdict in the
// report's header agree.
TEST(PresnePoly, EveryKindListsItsPolesAndAgreesWithItsVerdict) {
    // Non-normal triangular F: its eigenvalues are its diagonal, whatever the couplings.
    const Matrix<double> F = realna({{1.1, 1e6, 1e6}, {0, -0.9, 1e6}, {0, 0, 0.5}});
    const Matrix<double> jordan = realna({{1, 1, 0}, {0, 1, 1}, {0, 0, 1}});
    const CLDDS_Stav_SISO trojuhelnik(F, realna({{1}, {1}, {1}}), realna({{1, 0, 0}}), realna({{0}}),
                                      realna({{0}, {0}, {0}}), 3, 1.0);
    const CLDDS_Stav_MIMO jordanuv(1, 1, jordan, realna({{1}, {0}, {0}}), realna({{0, 0, 1}}), realna({{0}}),
                                   realna({{0}, {0}, {0}}), 3, 1.0);
    double a[] = {-1, 0, 1}, b[] = {0.5, 1}, c[] = {1};
    Matrix<Polynom> A(2, 2, Matrix<Polynom>::ZEROS), B(2, 2, Matrix<Polynom>::ZEROS);
    A(0, 0) = Polynom(a, 3);
    A(1, 1) = Polynom(a, 3);
    A(0, 1) = Polynom(b, 2);
    B(0, 0) = B(1, 1) = Polynom(c, 1);
    const CLDDS_Vnejsi_MIMO mimo(A, B);
    double a2[] = {0.25, 0, 1};
    const CLDDS_Vnejsi_SISO siso(Polynom(a2, 3), Polynom(c, 1));
    const struct {
        const char* nazev;
        const CLDDS& system;
        std::vector<Pol> poly;
    } pripady[] = {
        {"triangular F", trojuhelnik, {{1.1, 0, 1.1, 1, V}, {-0.9, 0, 0.9, 1, U}, {0.5, 0, 0.5, 1, U}}},
        {"Jordan block of 1", jordanuv, {{1, 0, 1, 3, K}}},
        {"diag (z^2 - 1)^2", mimo, {{1, 0, 1, 2, K}, {-1, 0, 1, 2, K}}},
        {"z^2 + 0.25", siso, {{0, 0.5, 0.5, 1, U}, {0, -0.5, 0.5, 1, U}}},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        const std::vector<Pol> poly = pripad.system.poly();
        porovnej(poly, pripad.poly);
        bool vne = false;
        for (const Pol& p : poly) vne = vne || p.poloha == PolohaPolu::Vne;
        std::streambuf* puvodni = std::cout.rdbuf(nullptr);
        EXPECT_EQ(pripad.system.stabilni(), !vne);
        std::cout.rdbuf(puvodni);
    }
    EXPECT_EQ(presnePolyZadani("P\n1 1\n1 0 0\n").substr(0, 2), "K\n");
    EXPECT_EQ(presnePolyZadani("P\n1 1\n0\n"), "!Polynom polu je nulovy\n");
    EXPECT_EQ(presnePolyZadani("X\n1 1\n1 1\n"), "!Chybne zadani presnych polu\n");
}

}  // namespace
