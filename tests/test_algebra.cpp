#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "Pole.h"
#include "Polynoms.h"
#include "Vyjimky.h"
#include "Zlomek.h"

namespace {
namespace test_algebra {

namespace {

// Polynomial from coefficients listed from power 0 up.
Polynom z(std::initializer_list<double> koeficienty) {
    std::vector<double> k(koeficienty);
    return Polynom(k.data(), static_cast<int>(k.size()));
}

std::string text(const Polynom& p) {
    std::ostringstream s;
    s << p;
    return s.str();
}

void ocekavej(const Polynom& p, std::initializer_list<double> koeficienty) {
    std::vector<double> k(koeficienty);
    ASSERT_EQ(p.get_delkaPolynomy(), static_cast<int>(k.size())) << text(p);
    ASSERT_EQ(p.get_stupen(), static_cast<int>(k.size()) - 1) << text(p);
    for (std::size_t i = 0; i < k.size(); ++i) EXPECT_DOUBLE_EQ(p[i], k[i]) << "index " << i;
}

int kapacitaZChyby(const std::function<void()>& akce) {
    try {
        akce();
    } catch (const vyjm::Max_sizePolynom& e) {
        EXPECT_STREQ(e.what(), "Prekrocena max velikost Polynomu 500");
        return e.get_velikost();
    }
    return -1;
}

}  // namespace

TEST(Pole, LengthsAndResizeKeepValues) {
    EXPECT_EQ(Pole<int>(0).get_length(), 0);
    EXPECT_EQ(Pole<double>(-3).get_length(), 0);
    Pole<double> p(4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(p[i], 0.0);
    p[3] = 7.0;
    p._resize(6);
    EXPECT_EQ(p.get_length(), 6);
    EXPECT_EQ(p[3], 7.0);
    EXPECT_EQ(p[5], 0.0);
    p._resize(2);
    EXPECT_EQ(p.get_length(), 2);
    EXPECT_EQ(static_cast<int>(p.get_pole().size()), 2);
    Pole<Polynom> polynomy(2);
    EXPECT_EQ(polynomy[1].get_promena(), 'x');
    EXPECT_EQ(polynomy[1].get_delkaPolynomy(), 0);
}

TEST(Pole, ListingKeepsPlusSignSwitchedOn) {
    const double hodnoty[] = {0.5, -2.0};
    std::ostringstream s;
    s << Pole<double>(hodnoty, 2);
    EXPECT_EQ(s.str(), "pole[0] = +0.500\npole[+1] = -2.000\n");
}

TEST(Polynom, ConstructorsSetLengthAndDegree) {
    Polynom prazdny;
    EXPECT_EQ(prazdny.get_delkaPolynomy(), 0);
    EXPECT_EQ(prazdny.get_stupen(), 0);
    EXPECT_TRUE(prazdny == 0.0);
    Polynom konstanta(0.0);
    EXPECT_EQ(konstanta.get_delkaPolynomy(), 1);
    EXPECT_TRUE(konstanta == 0.0);
    ocekavej(Polynom(1.5, 3), {0, 0, 0, 1.5});
    Polynom nulovy(0);
    EXPECT_EQ(nulovy.get_stupen(), -1);
    Polynom zPole(Pole<double>(3), 5);  // positions the array lacks stay zero
    ocekavej(zPole, {0, 0, 0, 0, 0});
    Polynom pismeno(2.0, 'z', true);
    EXPECT_EQ(pismeno.get_promena(), 'z');
    EXPECT_TRUE(pismeno.get_znamenko());
}

TEST(Polynom, CapacityIsFiveHundredCoefficients) {
    EXPECT_NO_THROW(Polynom(1.0, 499));
    EXPECT_EQ(kapacitaZChyby([] { Polynom(1.0, 500); }), 501);
    EXPECT_EQ(kapacitaZChyby([] { Polynom p(501); }), 501);
    EXPECT_EQ(kapacitaZChyby([] { Polynom p; p.add(1.0, 500); }), 501);
    EXPECT_EQ(kapacitaZChyby([] { Polynom(1.0, 2).zrcadleni(500); }), 501);
    // Products reserve twice the longer factor: 251 coefficients already fail.
    EXPECT_EQ(kapacitaZChyby([] { Polynom(1.0, 250) * Polynom(1.0, 0); }), 502);
    EXPECT_NO_THROW(Polynom(1.0, 249) * Polynom(1.0, 249));
    // A write through the index may reach the last coefficient, never beyond it; reads beyond
    // it give 0.
    Polynom p;
    p[499] = 2.0;
    EXPECT_EQ(static_cast<const Polynom&>(p)[499], 2.0);
    EXPECT_EQ(kapacitaZChyby([&p] { p[500] = 1.0; }), 501);
    EXPECT_EQ(kapacitaZChyby([&p] { p[static_cast<std::size_t>(-1)] = 1.0; }), std::numeric_limits<int>::max());
    EXPECT_EQ(static_cast<const Polynom&>(p)[500], 0.0);
}

TEST(Polynom, AddSetsCoefficientAndRaisesDegreeOnlyAboveIt) {
    Polynom p;
    p.add(2.0, 0);
    EXPECT_EQ(p[0], 2.0);
    EXPECT_EQ(p.get_delkaPolynomy(), 0);
    EXPECT_EQ(p.get_stupen(), 0);
    p.add(1.0, 3);
    EXPECT_EQ(p.get_delkaPolynomy(), 4);
    EXPECT_EQ(p.get_stupen(), 3);
    p.add(5.0, 1);  // sets, does not add
    p.add(6.0, 1);
    EXPECT_EQ(p[1], 6.0);
    EXPECT_EQ(p.get_stupen(), 3);
}

TEST(Polynom, ArithmeticWithPolynomials) {
    ocekavej(z({1, 1}) * z({2, 1}), {2, 3, 1});
    ocekavej(z({1, 2, 3}) + z({1, -2, -3}), {2});
    ocekavej(z({1, 2}) - z({0, 0, 4}), {1, 2, -4});
    Polynom delenec = z({2, 3, 1});
    ocekavej(delenec / z({1, 1}), {2, 1});
    Polynom rozdil = z({-1, 0, 1});
    ocekavej(rozdil / z({-1, 1}), {1, 1});
    Polynom konstantou = z({2, 4});
    ocekavej(konstantou / z({2}), {1, 2});
    Polynom nula = z({0});
    ocekavej(nula / z({1, 1}), {0});
}

TEST(Polynom, LongDivisionSatisfiesDivisionIdentityOnRandomPolynomials) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> d(-2.0, 2.0);
    for (int pokus = 0; pokus < 200; ++pokus) {
        const int stupenB = 1 + pokus % 4;
        const int stupenA = stupenB + pokus % 5;
        Polynom a(stupenA + 1), b(stupenB + 1);
        for (int i = 0; i <= stupenA; ++i) a[i] = d(gen);
        for (int i = 0; i <= stupenB; ++i) b[i] = d(gen);
        a[stupenA] += a[stupenA] < 0 ? -1.0 : 1.0;  // keep leading coefficients away from zero
        b[stupenB] += b[stupenB] < 0 ? -1.0 : 1.0;
        Polynom kopie = a;
        const Polynom q = kopie / b;
        const Polynom r = a % b;
        EXPECT_LT(r.get_stupen(), stupenB);
        const Polynom zpet = q * b + r;
        for (int i = 0; i <= stupenA; ++i) EXPECT_NEAR(zpet[i], a[i], 1e-9) << "pokus " << pokus;
    }
}

TEST(Polynom, ArithmeticOnEmptyPolynomialsGivesAZeroThatTestsAsZero) {
    EXPECT_TRUE(Polynom() + Polynom() == 0.0);
    EXPECT_TRUE(Polynom() - Polynom() == 0.0);
    EXPECT_TRUE(Polynom() * Polynom() == 0.0);
    EXPECT_FALSE(Polynom() - Polynom() != 0.0);
}

TEST(Polynom, ArithmeticWithRealNumbers) {
    ocekavej(z({1, 2}) + 3.0, {4, 2});
    ocekavej(z({1, 2}) - 3.0, {-2, 2});
    ocekavej(z({1, 2}) * 2.0, {2, 4});
    ocekavej(z({1, 2}) / 2.0, {0.5, 1});
    EXPECT_EQ((z({1, 2}) / 0.0).get_delkaPolynomy(), 0);
    EXPECT_EQ((Polynom() * 2.0).get_delkaPolynomy(), 0);
    // Zero tops leave the degree but stay stored above the length.
    const Polynom nuly = z({3, 0, 0}) * 1e-9;
    EXPECT_EQ(nuly.get_stupen(), 0);
    EXPECT_EQ(nuly.get_delkaPolynomy(), 1);
    EXPECT_DOUBLE_EQ(nuly[0], 3e-9);
}

// A top coefficient leaves the degree when it is zero up to rounding against the sizes it
// comes from, whatever the absolute size of the polynomial.
TEST(Polynom, TopCoefficientsGoOnlyWhenZeroUpToRounding) {
    const auto normalizovany = [](std::initializer_list<double> k) {
        Polynom p = z(k);
        p.reduceDegree();
        return p;
    };
    const double nepresne = 0.1 + 0.2;  // 0.3 up to one rounding
    const struct {
        const char* nazev;
        Polynom vysledek;
        int stupen;
    } pripady[] = {
        {"rounding-level top beside 1e12", normalizovany({1e12, 3e12, 1e-6}), 1},
        {"rounding-level top beside 2", normalizovany({1, 2, 1e-16}), 1},
        {"all coefficients small", normalizovany({1e-30, 2e-20}), 1},
        {"small top beside 1", normalizovany({1, 1e-9}), 1},
        {"exact zeros", normalizovany({5, 0, 0}), 0},
        {"zero polynomial stops at degree 0", normalizovany({0, 0, 0}), 0},
        {"an infinite coefficient is no size to judge by", normalizovany({1, HUGE_VAL, 2}), 2},
        {"difference cancelling to rounding", z({1, 2, nepresne}) - z({0, 0, 0.3}), 1},
        {"sum cancelling exactly", z({1e-20, 1}) + z({0, -1}), 0},
        {"small coefficient beside a large one", z({1, 1e-20}) + z({1}), 1},
        {"scaled by 1e-9", z({1, 1, 1}) * 1e-9, 2},
        {"divided by 1e9", z({1, 1}) / 1e9, 1},
        {"product of small tops", z({1, 1e-5}) * z({1, 1e-5}), 2},
        {"quotient of 1e-40 scaled polynomials", z({2e-40, 3e-40, 1e-40}) / z({1e-20, 1e-20}), 1},
    };
    for (const auto& pripad : pripady) {
        EXPECT_EQ(pripad.vysledek.get_stupen(), pripad.stupen) << pripad.nazev << ": " << text(pripad.vysledek);
        EXPECT_EQ(pripad.vysledek.get_delkaPolynomy(), pripad.stupen + 1) << pripad.nazev;
    }
}

TEST(Polynom, MirroringAndShifting) {
    const Polynom p = z({1, 2, 3});
    const Polynom m = p.zrcadleni(0);
    ocekavej(m, {3, 2, 1});
    EXPECT_TRUE(m.get_znamenko());
    EXPECT_FALSE(p.get_znamenko());
    ocekavej(z({1, 2}).zrcadleni(3), {0, 0, 2, 1});
    Polynom posun = z({0, 0, 5});
    posun.zarovnaniNaKraj();
    ocekavej(posun, {5});
    Polynom nuly(3);
    nuly.zarovnaniNaKraj();
    EXPECT_EQ(nuly.get_stupen(), 0);
    ocekavej(z({4, 1, 3}).odeberPosledniStupen(), {4, 1});
    const Polynom konst = Polynom(2.0, 'z', false).odeberPosledniStupen();
    EXPECT_EQ(konst.get_delkaPolynomy(), 0);
    EXPECT_EQ(konst.get_promena(), 'x');
}

TEST(Polynom, ComparisonsAreExact) {
    EXPECT_TRUE(z({3}) == 3.0);
    EXPECT_FALSE(z({3, 1}) == 3.0);
    EXPECT_TRUE(z({3, 1}) != 3.0);
    EXPECT_TRUE(z({1, 2}) == z({1, 2}));
    EXPECT_FALSE(z({1, 2}) == z({1, 2 + 1e-15}));
    EXPECT_TRUE(z({1, 2}) > z({5}));
    EXPECT_TRUE(z({1, 2}) < z({1, 3}));
}

TEST(Polynom, TextFormListsCoefficientsFromTheTop) {
    EXPECT_EQ(text(z({-0.5, 0, 2})), "2.0000 0.0000 -0.5000 ");
    EXPECT_EQ(text(Polynom()), "0.0000 ");
    std::ostringstream s;
    s << z({1}) << 0.25;
    EXPECT_EQ(s.str(), "1.0000 0.2500");  // the stream keeps fixed notation with 4 decimals
}

TEST(Zlomek, ArithmeticNeverReduces) {
    const Zlomek<double> pulka(1.0, 2.0);
    const Zlomek<double> soucet = pulka + pulka;
    EXPECT_EQ(soucet[1], 2.0);
    EXPECT_EQ(soucet[2], 2.0);
    const Zlomek<double> ruzne = pulka + Zlomek<double>(1.0, 3.0);
    EXPECT_EQ(ruzne[1], 5.0);
    EXPECT_EQ(ruzne[2], 6.0);
    const Zlomek<double> rozdil = pulka - Zlomek<double>(1.0, 3.0);
    EXPECT_EQ(rozdil[1], 1.0);
    EXPECT_EQ(rozdil[2], 6.0);
    const Zlomek<double> soucin = pulka * Zlomek<double>(3.0, 5.0);
    EXPECT_EQ(soucin[1], 3.0);
    EXPECT_EQ(soucin[2], 10.0);
    const Zlomek<double> podil = pulka / Zlomek<double>(3.0, 5.0);
    EXPECT_EQ(podil[1], 5.0);
    EXPECT_EQ(podil[2], 6.0);
    EXPECT_EQ((pulka + 1)[1], 3.0);
    EXPECT_EQ((pulka * 4)[1], 4.0);
    EXPECT_EQ((pulka - 2.0)[1], -3.0);
}

TEST(Zlomek, ZeroDenominatorsAndDivisorsGiveSafeFractions) {
    const Zlomek<double> tri(3.0, 0.0);
    EXPECT_EQ(tri[1], 3.0);
    EXPECT_EQ(tri[2], 1.0);
    const Zlomek<double> nula = Zlomek<double>(1.0, 2.0) / Zlomek<double>(0.0, 5.0);
    EXPECT_EQ(nula[1], 0.0);
    EXPECT_EQ(nula[2], 1.0);
    EXPECT_EQ((Zlomek<double>(1.0, 2.0) / 0)[2], 1.0);
    const Zlomek<Polynom> polynomy(z({1, 1}), Polynom());
    EXPECT_TRUE(polynomy[2] == 1.0);
}

TEST(Zlomek, RemovingTheFractionDivides) {
    EXPECT_EQ(Zlomek<double>(6.0, 3.0).odstraneniZlomku(), 2.0);
    ocekavej(Zlomek<Polynom>(z({2, 3, 1}), z({1, 1})).odstraneniZlomku(), {2, 1});
}

TEST(Zlomek, ComparisonLooksAtTheNumeratorOnly) {
    Zlomek<double> ctyriPulky(4.0, 2.0);
    EXPECT_TRUE(ctyriPulky == 4.0);
    EXPECT_FALSE(ctyriPulky == 2.0);
    EXPECT_TRUE(ctyriPulky != 2.0);
    EXPECT_EQ(&ctyriPulky[0], &ctyriPulky[3]);
    EXPECT_EQ(&ctyriPulky[-1], &ctyriPulky[3]);
    EXPECT_EQ(ctyriPulky[0], 0.0);
}

TEST(Zlomek, TextForms) {
    std::ostringstream s;
    s << Zlomek<Polynom>(z({1, 2}), z({3}));
    EXPECT_EQ(s.str(), "|2.0000 1.0000  / 3.0000 |");
}

TEST(Polynom, ConstReadsStoreNothingAndKeepEarlierReferencesValid) {
    const double koef[] = {1.5, -2.0, 0.25};
    const Polynom p(koef, 3);
    const double& druhy = p[1];
    // Reads far beyond the stored coefficients give zeros and move nothing.
    for (std::size_t k = 3; k < 500; ++k) EXPECT_EQ(p[k], 0.0);
    EXPECT_EQ(druhy, -2.0);
    EXPECT_EQ(p.get_delkaPolynomy(), 3);
    EXPECT_EQ(p.get_stupen(), 2);
}

}  // namespace test_algebra
}  // namespace
