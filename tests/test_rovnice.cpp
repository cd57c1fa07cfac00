#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "Polynoms.h"
#include "Rovnice.h"

namespace {
namespace test_rovnice {

namespace {

using Komplex = std::complex<long double>;
const double NEKONECNO = std::numeric_limits<double>::infinity();

Polynom zKoeficientu(const std::vector<double>& a) {
    return Polynom(a.data(), static_cast<int>(a.size()));
}

std::vector<double> velikostiPolynomu(const Polynom& p) {
    Rovnice r(p);
    r.AbsolutValue();
    const Pole<double>& s = r.get_solution();
    std::vector<double> v;
    for (int i = 0; i < s.get_length(); ++i) v.push_back(s[i]);
    return v;
}

std::vector<double> velikosti(const std::vector<double>& a) { return velikostiPolynomu(zKoeficientu(a)); }

// Monic polynomial with the given roots (each non-real root with its conjugate). The factors
// are multiplied in an order that spreads every partial product around the plane, so that
// the coefficients do not lose the roots to cancellation.
std::vector<double> zKorenu(std::vector<Komplex> koreny) {
    std::vector<Komplex> vsechny;
    for (const Komplex& z : koreny) {
        vsechny.push_back(z);
        if (z.imag() != 0) vsechny.push_back(std::conj(z));
    }
    std::sort(vsechny.begin(), vsechny.end(),
              [](const Komplex& x, const Komplex& y) { return std::arg(x) < std::arg(y); });
    std::size_t bitu = 0;
    while ((std::size_t{1} << bitu) < vsechny.size()) ++bitu;
    std::vector<std::pair<std::size_t, std::size_t>> poradi;
    for (std::size_t i = 0; i < vsechny.size(); ++i) {
        std::size_t obracene = 0;
        for (std::size_t b = 0; b < bitu; ++b)
            if ((i >> b) & 1) obracene |= std::size_t{1} << (bitu - 1 - b);
        poradi.emplace_back(obracene, i);
    }
    std::sort(poradi.begin(), poradi.end());
    std::vector<Komplex> c{Komplex(1)};
    for (const auto& dvojice : poradi) {
        const Komplex z = vsechny[dvojice.second];
        std::vector<Komplex> dalsi(c.size() + 1);
        for (std::size_t i = 0; i < c.size(); ++i) {
            dalsi[i + 1] += c[i];
            dalsi[i] -= z * c[i];
        }
        c = dalsi;
    }
    std::vector<double> a;
    for (const Komplex& x : c) a.push_back(static_cast<double>(x.real()));
    return a;
}

std::vector<double> velikostiKorenu(const std::vector<Komplex>& koreny) {
    std::vector<double> v;
    for (const Komplex& z : koreny) {
        v.push_back(static_cast<double>(std::abs(z)));
        if (z.imag() != 0) v.push_back(static_cast<double>(std::abs(z)));
    }
    std::sort(v.begin(), v.end());
    return v;
}

void porovnej(const std::vector<double>& spocitane, const std::vector<double>& ocekavane, double relativne) {
    ASSERT_EQ(spocitane.size(), ocekavane.size());
    for (std::size_t i = 0; i < ocekavane.size(); ++i)
        EXPECT_NEAR(spocitane[i], ocekavane[i], relativne * ocekavane[i]) << "index " << i;
}

void kontrolaKorenu(const std::vector<Komplex>& koreny, double relativne) {
    porovnej(velikosti(zKorenu(koreny)), velikostiKorenu(koreny), relativne);
}

bool stabilni(const std::vector<double>& v) {
    return std::all_of(v.begin(), v.end(), [](double x) { return !(x > 1.0); });
}

std::vector<double> mocnina(const std::vector<double>& f, int k) {
    std::vector<double> r{1.0};
    for (int i = 0; i < k; ++i) {
        std::vector<double> s(r.size() + f.size() - 1, 0.0);
        for (std::size_t a = 0; a < r.size(); ++a)
            for (std::size_t b = 0; b < f.size(); ++b) s[a + b] += r[a] * f[b];
        r = s;
    }
    return r;
}

std::vector<double> soucin(const std::vector<double>& f, const std::vector<double>& g) {
    std::vector<double> s(f.size() + g.size() - 1, 0.0);
    for (std::size_t a = 0; a < f.size(); ++a)
        for (std::size_t b = 0; b < g.size(); ++b) s[a + b] += f[a] * g[b];
    return s;
}

// Roots in the annulus r1 <= |z| <= r2 with angles spread evenly and jittered, conjugate pairs.
std::vector<Komplex> kruhoveKoreny(int pocetDvojic, double r1, double r2, unsigned seminko) {
    std::mt19937 gen(seminko);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<Komplex> koreny;
    for (int i = 0; i < pocetDvojic; ++i) {
        const double polomer = r1 + (r2 - r1) * u(gen);
        const double uhel = 3.14159265358979323846 * (i + 0.5 + 0.3 * (u(gen) - 0.5)) / pocetDvojic;
        koreny.push_back(std::polar<long double>(polomer, uhel));
    }
    return koreny;
}

}  // namespace

TEST(RovniceUzavreneTvary, LinearAndQuadraticExamples) {
    porovnej(velikosti({-0.5, 1.0}), {0.5}, 1e-15);
    porovnej(velikosti({3.0, 2.0}), {1.5}, 1e-15);
    porovnej(velikosti({0.56, -1.5, 1.0}), {0.7, 0.8}, 1e-14);
    porovnej(velikosti({0.56, 1.5, 1.0}), {0.7, 0.8}, 1e-14);  // smallest first for either sign
    EXPECT_EQ(velikosti({1.0, 0.0, 1.0}), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(velikosti({2.0, 0.0, 2.0}), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(velikosti({1.0, -2.0, 1.0}), (std::vector<double>{1.0, 1.0}));
}

TEST(RovniceUzavreneTvary, QuadraticKeepsWidelySeparatedRootsAccurate) {
    // x^2 - (1e8 + 1e-8) x + 1: the small root is lost to cancellation in the textbook formula.
    porovnej(velikosti({1.0, -(1e8 + 1e-8), 1.0}), {1e-8, 1e8}, 1e-14);
    porovnej(velikosti({1e-300, 1.0, 1e300}), {1e-300, 1e-300}, 1e-14);
}

TEST(RovniceUzavreneTvary, ConstantAndEmptyPolynomialsHaveNoMagnitudes) {
    EXPECT_TRUE(velikostiPolynomu(Polynom(5.0)).empty());
    EXPECT_TRUE(velikostiPolynomu(Polynom()).empty());
    EXPECT_TRUE(velikostiPolynomu(Polynom(0)).empty());
}

TEST(RovniceNumericky, ThirdDegreeExamplesAreAccurateAndSmallestFirst) {
    porovnej(velikosti({-0.006, 0.11, -0.6, 1.0}), {0.1, 0.2, 0.3}, 1e-12);
    const std::vector<double> v = velikosti({0.27075, -0.9025, -0.3, 1.0});
    porovnej(v, {0.3, 0.95, 0.95}, 1e-12);
    EXPECT_TRUE(stabilni(v));
}

TEST(RovniceNaKruhu, RootsAMillionthOffTheCircleGetTheRightVerdict) {
    const std::vector<Komplex> ostatni{0.5L, Komplex(-0.2L, 0.6L)};
    for (long double smer : {1.0L, -1.0L}) {  // real roots near 1 and near -1
        std::vector<Komplex> venku(ostatni), uvnitr(ostatni);
        venku.push_back(smer * (1.0L + 1e-6L));
        uvnitr.push_back(smer * (1.0L - 1e-6L));
        porovnej(velikosti(zKorenu(venku)), velikostiKorenu(venku), 1e-12);
        porovnej(velikosti(zKorenu(uvnitr)), velikostiKorenu(uvnitr), 1e-12);
        EXPECT_FALSE(stabilni(velikosti(zKorenu(venku))));
        EXPECT_TRUE(stabilni(velikosti(zKorenu(uvnitr))));
    }
    for (long double uhel : {0.7L, 2.5L}) {  // complex pairs
        std::vector<Komplex> venku(ostatni), uvnitr(ostatni);
        venku.push_back(std::polar<long double>(1.0L + 1e-6L, uhel));
        uvnitr.push_back(std::polar<long double>(1.0L - 1e-6L, uhel));
        porovnej(velikosti(zKorenu(venku)), velikostiKorenu(venku), 1e-12);
        porovnej(velikosti(zKorenu(uvnitr)), velikostiKorenu(uvnitr), 1e-12);
        EXPECT_FALSE(stabilni(velikosti(zKorenu(venku))));
        EXPECT_TRUE(stabilni(velikosti(zKorenu(uvnitr))));
    }
    // Both on one polynomial, one just inside and one just outside.
    const std::vector<double> v = velikosti(zKorenu({1.0L - 1e-6L, Komplex(0.0L, 1.0L + 1e-6L), -0.4L}));
    porovnej(v, {0.4, 1.0 - 1e-6, 1.0 + 1e-6, 1.0 + 1e-6}, 1e-12);
}

TEST(RovniceZKorenu, EqualMagnitudesClustersAndComplexPairs) {
    kontrolaKorenu({0.5L, -0.5L, Komplex(0.0L, 0.5L), Komplex(0.3L, 0.4L)}, 1e-12);
    kontrolaKorenu({0.5L, 0.51L, 0.49L, Komplex(0.5L, 0.3L), -0.9L}, 1e-9);
    kontrolaKorenu({Komplex(0.9L, 0.3L), Komplex(-0.2L, 0.7L), Komplex(0.0L, 1.3L), Komplex(-1.1L, 0.1L)}, 1e-12);
    kontrolaKorenu({1e-3L, 2e-3L, 1e3L, Komplex(2.0L, 5.0L), 7.0L}, 1e-12);
}

TEST(RovniceZKorenu, RandomRootsUpToDegreeTwelve) {
    std::mt19937 gen(20240611);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int stupen = 3; stupen <= 12; ++stupen) {
        for (int pokus = 0; pokus < 5; ++pokus) {
            std::vector<Komplex> koreny;
            int zbyva = stupen;
            while (zbyva > 0) {
                const long double polomer = 0.2L + 1.6L * u(gen);
                const bool realny = zbyva == 1 || u(gen) < 0.3;
                const long double uhel = realny ? (u(gen) < 0.5 ? 0.0L : 3.14159265358979323846L)
                                                : 3.14159265358979323846L * u(gen);
                const Komplex z = std::polar<long double>(polomer, uhel);
                bool oddeleny = true;  // keep the roots apart so that they are well conditioned
                for (const Komplex& w : koreny)
                    oddeleny = oddeleny && std::abs(z - w) > 0.1L && std::abs(z - std::conj(w)) > 0.1L;
                if (!oddeleny || (!realny && z.imag() < 0.05L)) continue;
                koreny.push_back(realny ? Komplex(z.real(), 0.0L) : z);
                zbyva -= realny ? 1 : 2;
            }
            SCOPED_TRACE("degree " + std::to_string(stupen));
            kontrolaKorenu(koreny, 1e-9);
        }
    }
}

TEST(RovniceZKorenu, HighDegreesWithRootsInAnAnnulus) {
    kontrolaKorenu(kruhoveKoreny(20, 0.8, 1.2, 1), 1e-9);    // degree 40
    kontrolaKorenu(kruhoveKoreny(50, 0.9, 1.1, 2), 1e-9);    // degree 100
    kontrolaKorenu(kruhoveKoreny(249, 0.95, 1.05, 3), 1e-9); // degree 498
}

TEST(RovniceZvlastniKoeficienty, ZeroLowCoefficientsAreExactZeroRoots) {
    const std::vector<double> v = velikosti(soucin({0.0, 0.0, 0.0, 1.0}, zKorenu({0.5L, -2.0L, 0.25L})));
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[0], 0.0);
    EXPECT_EQ(v[1], 0.0);
    EXPECT_EQ(v[2], 0.0);
    porovnej({v[3], v[4], v[5]}, {0.25, 0.5, 2.0}, 1e-14);
    EXPECT_EQ(velikosti({0.0, 4.0}), (std::vector<double>{0.0}));
    EXPECT_EQ(velikosti({0.0, 0.0, 1.0}), (std::vector<double>{0.0, 0.0}));
}

TEST(RovniceZvlastniKoeficienty, ZeroLeadingCoefficientsAreRootsAtInfinity) {
    const std::vector<double> v = velikosti({-0.5, 1.0, 0.0, 0.0});
    ASSERT_EQ(v.size(), 3u);
    EXPECT_DOUBLE_EQ(v[0], 0.5);
    EXPECT_EQ(v[1], NEKONECNO);
    EXPECT_EQ(v[2], NEKONECNO);
    EXPECT_FALSE(stabilni(v));
    EXPECT_EQ(velikosti({3.0, 0.0}), (std::vector<double>{NEKONECNO}));
    EXPECT_EQ(velikosti({0.0, 0.0, 0.0}), (std::vector<double>(2, NEKONECNO)));
    const std::vector<double> w = velikosti({0.0, 0.12, -0.7, 1.0, 0.0});  // z (z - 0.3)(z - 0.4), top zero
    porovnej({w[1], w[2]}, {0.3, 0.4}, 1e-14);
    EXPECT_EQ(w[0], 0.0);
    EXPECT_EQ(w[3], NEKONECNO);
}

TEST(RovniceZvlastniKoeficienty, NonFiniteCoefficientsGiveInfiniteMagnitudes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const std::vector<double>& a : {std::vector<double>{nan, 1.0}, std::vector<double>{1.0, 2.0, nan},
                                         std::vector<double>{0.1, NEKONECNO, 0.2, 1.0},
                                         std::vector<double>{0.5, 0.1, 0.2, 0.3, -NEKONECNO}}) {
        const std::vector<double> v = velikosti(a);
        EXPECT_EQ(v, std::vector<double>(a.size() - 1, NEKONECNO));
        EXPECT_FALSE(stabilni(v));
    }
}

TEST(RovniceZvlastniKoeficienty, CoefficientsSpanningTheWholeDoubleRange) {
    // 1e-300 + 1e300 z^4 + 1e-300 z^8: four roots of magnitude 1e-150 and four of 1e150.
    std::vector<double> a(9, 0.0);
    a[0] = 1e-300;
    a[4] = 1e300;
    a[8] = 1e-300;
    std::vector<double> ocekavane(4, 1e-150);
    ocekavane.insert(ocekavane.end(), 4, 1e150);
    porovnej(velikosti(a), ocekavane, 1e-12);
    // Roots near 1e-600 and 1e600 cannot be represented: they come out as 0 and infinity.
    const std::vector<double> v = velikosti({1e-300, 1e300, 1e300, 1e-300});
    EXPECT_EQ(v[0], 0.0);
    EXPECT_DOUBLE_EQ(v[1], 1.0);
    EXPECT_EQ(v[2], NEKONECNO);
}

TEST(RovniceIdentity, ScalingCoefficientsOrVariableScalesTheMagnitudes) {
    const std::vector<double> a = zKorenu({0.3L, Komplex(0.5L, 0.6L), -1.7L, Komplex(-0.1L, 0.9L)});
    const std::vector<double> zaklad = velikosti(a);
    for (double k : {1e-200, 3.0, 1e200}) {
        std::vector<double> b(a);
        for (double& x : b) x *= k;
        porovnej(velikosti(b), zaklad, 1e-13);
    }
    for (int e : {-150, -3, 150}) {  // p(2^e z): magnitudes divided by 2^e
        std::vector<double> b(a);
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = std::ldexp(b[i], e * static_cast<int>(i));
        std::vector<double> ocekavane(zaklad);
        for (double& x : ocekavane) x = std::ldexp(x, -e);
        porovnej(velikosti(b), ocekavane, 1e-13);
    }
}

TEST(RovniceIdentity, ProductOfMagnitudesAndReciprocalsOfTheReversedPolynomial) {
    std::mt19937 gen(7);
    std::normal_distribution<double> normalni(0.0, 1.0);
    for (int stupen : {3, 5, 8, 13, 30, 80}) {
        std::vector<double> a(static_cast<std::size_t>(stupen) + 1);
        for (double& x : a) x = normalni(gen);
        const std::vector<double> v = velikosti(a);
        double soucetLogaritmu = 0.0;
        for (double x : v) soucetLogaritmu += std::log(x);
        EXPECT_NEAR(soucetLogaritmu, std::log(std::fabs(a.front() / a.back())), 1e-9 * stupen) << "degree " << stupen;

        std::vector<double> obracene(a.rbegin(), a.rend());
        std::vector<double> prevracene = velikosti(obracene);
        for (double& x : prevracene) x = 1.0 / x;
        std::sort(prevracene.begin(), prevracene.end());
        porovnej(prevracene, v, 1e-9);
    }
}

TEST(RovniceRobustnost, WildInputsTerminateWithSortedMagnitudesAndNoNaN) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<std::vector<double>> vstupy;
    for (int i = 0; i < 2; ++i) {
        std::vector<double> a(500);
        for (double& x : a) x = (u(gen) < 0.5 ? -1.0 : 1.0) * std::pow(10.0, -300.0 + 600.0 * u(gen));
        vstupy.push_back(a);
    }
    vstupy.push_back(mocnina({0.25, -1.0, 1.0}, 249));
    std::vector<double> spicka(500, 1e-300);
    spicka[250] = 1e300;
    vstupy.push_back(spicka);
    std::vector<double> podnormalni(4, std::numeric_limits<double>::denorm_min());
    vstupy.push_back(podnormalni);
    for (const std::vector<double>& a : vstupy) {
        const std::vector<double> v = velikosti(a);
        ASSERT_EQ(v.size(), a.size() - 1);
        EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
        EXPECT_TRUE(std::none_of(v.begin(), v.end(), [](double x) { return std::isnan(x); }));
    }
}

TEST(RovniceRobustnost, SolvingIsRepeatableAndLeavesThePolynomialAlone) {
    const Polynom p = zKoeficientu({-0.006, 0.11, -0.6, 1.0});
    Rovnice r(p);
    EXPECT_EQ(r.get_solution().get_length(), 3);
    r.AbsolutValue();
    const double prvni = r.get_solution()[2];
    r.AbsolutValue();
    EXPECT_EQ(r.get_solution().get_length(), 3);
    EXPECT_EQ(r.get_solution()[2], prvni);
    EXPECT_TRUE(static_cast<const Polynom&>(r) == p);
}

TEST(Rovnice, RandomPolynomialsOfFullCapacityGiveSortedFiniteMagnitudes) {
    // Speed is measured by the benchmarks; here the largest degree must simply come out sound.
    std::mt19937 gen(3);
    std::normal_distribution<double> normalni(0.0, 1.0);
    std::vector<double> a499(500);
    for (double& x : a499) x = normalni(gen);
    const std::vector<double> v = velikosti(a499);
    ASSERT_EQ(v.size(), 499u);
    for (std::size_t i = 0; i < v.size(); ++i) {
        EXPECT_TRUE(std::isfinite(v[i])) << i;
        if (i > 0) {
            EXPECT_LE(v[i - 1], v[i]) << i;
        }
    }
}

}  // namespace test_rovnice
}  // namespace
