// Poles by construction: integer polynomials from chosen roots (multiple roots, roots on the
// circle, reciprocal pairs, a pair 1e-9 outside), systems of every class whose poles are fixed
// by their form, and random small-integer polynomials whose poles must agree with the exact
// stability verdict. Printed values against references computed here in other ways: cosines
// and sines of the roots of unity, Durand-Kerner iterations at 1024 bits, decimal roots read
// by strtod.
#include <gtest/gtest.h>

#include <acb_poly.h>
#include <flint/nmod_mat.h>
#include <flint/nmod_poly.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "ModulHessenberg.h"
#include "ModulHodnotyPolu.h"
#include "ModulIzolace.h"
#include "ModulPoly.h"
#include "ModulVerdikt.h"

namespace {
namespace test_poly {

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

// An MPFR number of 320 bits, owned.
struct Mpfr {
    mpfr_t x;
    Mpfr() { mpfr_init2(x, 320); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
    ~Mpfr() { mpfr_clear(x); }
};

// The roots of z^n - 1 (znamenko 1) or z^n + 1 (-1) from cos and sin at 320 bits; the angles
// that are multiples of pi/2 give their exact values.
std::vector<Pol> korenyJednotky(int n, int znamenko) {
    std::vector<Pol> poly;
    Mpfr uhel, c, s;
    for (int k = 0; k < n; ++k) {
        const int citatel = znamenko > 0 ? 2 * k : 2 * k + 1;  // angle = pi citatel / n
        Pol pol{0.0, 0.0, 1.0, 1, PolohaPolu::NaKruznici};
        if (2 * citatel % n == 0) {
            const int ctvrtiny = 2 * citatel / n % 4;  // angle in quarter turns
            pol.re = ctvrtiny == 0 ? 1.0 : ctvrtiny == 2 ? -1.0 : 0.0;
            pol.im = ctvrtiny == 1 ? 1.0 : ctvrtiny == 3 ? -1.0 : 0.0;
        } else {
            mpfr_const_pi(uhel.x, MPFR_RNDN);
            mpfr_mul_si(uhel.x, uhel.x, citatel, MPFR_RNDN);
            mpfr_div_si(uhel.x, uhel.x, n, MPFR_RNDN);
            mpfr_sin_cos(s.x, c.x, uhel.x, MPFR_RNDN);
            pol.re = mpfr_get_d(c.x, MPFR_RNDN);
            pol.im = mpfr_get_d(s.x, MPFR_RNDN);
        }
        poly.push_back(pol);
    }
    return poly;
}

void seradJakoModul(std::vector<Pol>& poly) {
    std::sort(poly.begin(), poly.end(), [](const Pol& a, const Pol& b) {
        if (a.velikost != b.velikost) return a.velikost > b.velikost;
        if (a.re != b.re) return a.re > b.re;
        return a.im > b.im;
    });
}

TEST(PresnePoly, RootsOfUnityAreTheNearestDoublesOfCosinesAndSines) {
    for (const int n : {3, 8, 12, 33, 64, 100, 255})
        for (const int znamenko : {1, -1}) {
            SCOPED_TRACE(std::to_string(n) + (znamenko > 0 ? " z^n - 1" : " z^n + 1"));
            std::vector<long> k(static_cast<std::size_t>(n + 1), 0);
            k.front() = -znamenko;
            k.back() = 1;
            std::vector<Pol> ocekavane = korenyJednotky(n, znamenko);
            seradJakoModul(ocekavane);
            porovnej(presnePoly(CelyPolynom::zCelych(k)), ocekavane);
        }
}

// The roots of the square-free polynomial with these decimal coefficients (power 0 up), by
// Durand-Kerner iterations at 1024 bits, each part rounded from the midpoint; parts below
// 2^-700 are the exact zeros of real and purely imaginary roots, and magnitudes within 2^-700
// of 1 lie on the circle.
std::vector<Pol> referencniKoreny(const std::vector<std::string>& koeficienty) {
    const long prec = 1024;
    const CelyPolynom p = polynomZTextu(koeficienty);
    const long n = p.stupen();
    struct AcbPolynom {
        acb_poly_t p;
        AcbPolynom() { acb_poly_init(p); }
        ~AcbPolynom() { acb_poly_clear(p); }
    } polynom;
    acb_poly_set_fmpz_poly(polynom.p, p.get(), prec);
    KomplexniIntervaly koreny(n);
    EXPECT_EQ(acb_poly_find_roots(koreny.data(), polynom.p, nullptr, 0, prec), n);
    BinarniCislo mez;
    arf_set_si_2exp_si(mez.get(), 1, -700);
    const auto nula = [&](arb_srcptr x) { return arf_cmpabs(arb_midref(x), mez.get()) < 0; };
    std::vector<Pol> poly;
    RealnyInterval velikost, odJedne;
    for (long i = 0; i < n; ++i) {
        acb_abs(velikost.get(), koreny[i], prec);
        arb_sub_ui(odJedne.get(), velikost.get(), 1, prec);
        const bool realny = nula(acb_imagref(koreny[i])), naKruznici = nula(odJedne.get());
        Pol pol;
        pol.re = nula(acb_realref(koreny[i])) ? 0.0 : arf_get_d(arb_midref(acb_realref(koreny[i])), ARF_RND_NEAR);
        pol.im = realny ? 0.0 : arf_get_d(arb_midref(acb_imagref(koreny[i])), ARF_RND_NEAR);
        pol.velikost = naKruznici ? 1.0 : realny ? std::fabs(pol.re) : arf_get_d(arb_midref(velikost.get()), ARF_RND_NEAR);
        pol.poloha = naKruznici ? PolohaPolu::NaKruznici
                     : arf_sgn(arb_midref(odJedne.get())) < 0 ? PolohaPolu::Uvnitr
                                                              : PolohaPolu::Vne;
        poly.push_back(pol);
    }
    seradJakoModul(poly);
    return poly;
}

TEST(PresnePoly, ValuesAreTheNearestDoublesOfAHighPrecisionReference) {
    const struct {
        const char* nazev;
        std::vector<std::string> koeficienty;
    } pripady[] = {
        {"(z - 1)^7 - 7e-15 z^2: a cluster", {"-1", "7", "-21.000000000000007", "35", "-35", "21", "-7", "1"}},
        {"a pair 7.9e-9 from the real axis", {"0.81", "-1.79999999999999993", "1"}},
        {"+-1.1i: real part 0", {"1.21", "0", "1"}},
        {"0.99999999 (0.8 +- 0.6i): magnitude of the exact pole", {"0.9999999800000001", "-1.599999984", "1"}},
        {"0.5 +- 0.5i: every part a double", {"0.5", "-1", "1"}},
        {"(z^2 + 4)(z^2 + 49)", {"196", "0", "53", "0", "1"}},
        {"+-7.5i, +-14.5i, +-4.75i", {"68310225", "0", "4566904", "0", "74000", "0", "256"}},
        // w^4 + 2 w^2 - 1 for w = z - 0.5: the pair 0.5 +- i sqrt(1 + sqrt 2), irreducible
        {"a quartic whose real parts are 0.5", {"-0.8125", "-2.5", "3.5", "-2", "1"}},
        {"(z - 0.25)(z + 3)(2z - 1)", {"0.75", "-2.75", "4.5", "2"}},
        {"random decimals", {"0.313", "-1.27", "0.05", "2.9", "-0.7", "1.111", "1"}},
        {"(z^2 - 1.2 z + 1)(z - 2): a pair on the circle", {"-2", "3.4", "-3.2", "1"}},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        porovnej(presnePoly(polynomZTextu(pripad.koeficienty)), referencniKoreny(pripad.koeficienty));
    }
}

// z^5 - 2 (2^40 z - 1)^2 has two real roots within 2^-139 of 2^-40, which no double approximation
// tells apart, so only Arb's isolation separates them; the other three are 2^27 times the cube
// roots of unity up to a relative 2^-66, far below half a unit in the last place.
TEST(PresnePoly, ARootPairCloserThanDoublesIsSeparatedByIsolation) {
    CelyPolynom p;
    CeleCislo c;
    fmpz_poly_set_coeff_si(p.get(), 5, 1);
    fmpz_set_si(c.get(), -1);
    fmpz_mul_2exp(c.get(), c.get(), 81);
    fmpz_poly_set_coeff_fmpz(p.get(), 2, c.get());
    fmpz_one(c.get());
    fmpz_mul_2exp(c.get(), c.get(), 42);
    fmpz_poly_set_coeff_fmpz(p.get(), 1, c.get());
    fmpz_poly_set_coeff_si(p.get(), 0, -2);
    const double r = std::ldexp(1.0, 27), x = std::ldexp(1.0, -40), y = std::sqrt(3.0) * std::ldexp(1.0, 26);
    porovnej(presnePoly(p), {{r, 0, r, 1, V}, {-r / 2, y, r, 1, V}, {-r / 2, -y, r, 1, V}, {x, 0, x, 1, U}, {x, 0, x, 1, U}});
    EXPECT_EQ(izolujKorenyArb(p, 0).size(), 4u);  // two real roots near 2^-40, 2^27, one of the pair
}

// Roots from 1e-400 (below every double) to 1e300, and one beyond the range of double.
TEST(PresnePoly, RootsOfAnyMagnitudeRoundOrAreRefused) {
    const auto soucin = [](const std::vector<const char*>& koreny) {
        RacionalniPolynom p, cinitel;
        fmpq_poly_one(p.get());
        for (const char* koren : koreny) {
            Racionalni hodnota;
            nactiRacionalni(hodnota.get(), koren);
            fmpq_neg(hodnota.get(), hodnota.get());
            fmpq_poly_zero(cinitel.get());
            fmpq_poly_set_coeff_fmpq(cinitel.get(), 0, hodnota.get());
            fmpq_poly_set_coeff_si(cinitel.get(), 1, 1);
            fmpq_poly_mul(p.get(), p.get(), cinitel.get());
        }
        CelyPolynom q;
        fmpq_poly_get_numerator(q.get(), p.get());
        return q;
    };
    const std::vector<const char*> koreny = {"1e300", "-3e-200", "1.5e-320", "2e-400", "0.1"};
    std::vector<Pol> ocekavane;
    for (const char* koren : koreny) {
        const double x = std::strtod(koren, nullptr);  // the nearest double
        const PolohaPolu poloha = std::fabs(x) > 1.0 ? PolohaPolu::Vne : PolohaPolu::Uvnitr;
        ocekavane.push_back(Pol{x, 0.0, std::fabs(x), 1, poloha});
    }
    seradJakoModul(ocekavane);
    porovnej(presnePoly(soucin(koreny)), ocekavane);
    EXPECT_THROW(presnePoly(soucin({"0.5", "-2e309"})), MimoRozsahDouble);
    // below 2^1024 but nearer to it than to the largest double
    EXPECT_THROW(presnePoly(soucin({"1.79769313486232e308", "3"})), MimoRozsahDouble);
}

}  // namespace

// The characteristic polynomial modulo primes below 2^28 against FLINT's: dense and sparse
// matrices (zero pivots, which swap rows and columns, and a zero subdiagonal, which splits the
// Hessenberg form), orders on both sides of the vector width, entries up to p - 1.
TEST(PresnePoly, CharacteristicPolynomialModuloAPrimeIsFlints) {
    std::mt19937 gen(5);
    for (const std::uint32_t p : {prvocisloPod(MEZ_PRVOCISEL), prvocisloPod(MEZ_PRVOCISEL / 2 + 100), prvocisloPod(1000)}) {
        for (long n = 1; n <= 40; n += 3) {
            for (const int ridkost : {0, 2, 8}) {  // one entry in ridkost + 1 is non-zero
                SCOPED_TRACE(n);
                std::uniform_int_distribution<std::uint32_t> prvek(0, p - 1);
                std::vector<std::uint32_t> A(static_cast<std::size_t>(n * n));
                nmod_mat_t M;
                nmod_mat_init(M, n, n, p);
                for (long k = 0; k < n * n; ++k) {
                    const bool nula = ridkost > 0 && gen() % static_cast<unsigned>(ridkost + 1) != 0;
                    A[static_cast<std::size_t>(k)] = nula ? 0 : prvek(gen);
                    M->entries[k] = A[static_cast<std::size_t>(k)];
                }
                nmod_poly_t q;
                nmod_poly_init(q, p);
                nmod_mat_charpoly(q, M);
                const std::vector<std::uint32_t> c = charakteristickyModP(A, n, p);
                ASSERT_EQ(c.size(), static_cast<std::size_t>(n + 1));
                for (long k = 0; k <= n; ++k) EXPECT_EQ(c[static_cast<std::size_t>(k)], nmod_poly_get_coeff_ui(q, k));
                nmod_poly_clear(q);
                nmod_mat_clear(M);
            }
        }
    }
}

// The exact value of a number text, short decimals (read in machine words) and long ones alike,
// against the fraction written out.
TEST(PresnePoly, NumberTextsReadExactly) {
    const std::pair<const char*, const char*> pripady[] = {
        {"-0.125", "-1/8"},
        {"+7.", "7"},
        {".5", "1/2"},
        {"-0", "0"},
        {"0.000", "0"},
        {"123456789012345678", "123456789012345678"},
        {"999999999999999999e18", "999999999999999999000000000000000000"},
        {"1.5e-18", "3/2000000000000000000"},
        {"-0.000000000000000001", "-1/1000000000000000000"},
        {"1234567890123456789", "1234567890123456789"},
        {"5e19", "50000000000000000000"},
        {"1e-19", "1/10000000000000000000"},
        {"0x1.8p+1", "3"},
    };
    for (const auto& [text, zlomek] : pripady) {
        SCOPED_TRACE(text);
        fmpq_t hodnota, ocekavana;
        fmpq_init(hodnota);
        fmpq_init(ocekavana);
        nactiRacionalni(hodnota, text);
        ASSERT_EQ(fmpq_set_str(ocekavana, zlomek, 10), 0);
        EXPECT_TRUE(fmpq_equal(hodnota, ocekavana));
        fmpq_clear(hodnota);
        fmpq_clear(ocekavana);
    }
}

}  // namespace test_poly
}  // namespace
