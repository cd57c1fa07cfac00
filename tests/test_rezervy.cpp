// Stability margins of textbook loops whose crossovers and margins are known in closed form,
// printed to six digits: K/(z - a), K/(z - a)^2 (also as a Jordan block in state space),
// K/z^2 (a phase crossover exactly at pi/2), a loop that only touches |H| = 1, and loops on the
// boundary (|H(-1)| = 1: both margins exactly 0 at pi).
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "JisteBody.h"
#include "ModulRezervy.h"

namespace {
namespace test_rezervy {

namespace {

using Slozky = std::vector<std::string>;
const long double PI_L = 3.141592653589793238462643383279502884L;

// B(z) / A(z) with coefficients from power 0 up.
PresnySystem prenos(const Slozky& B, const Slozky& A) {
    PresnaMatice a, b;
    a.novyTvar(1, 1);
    a.pridejPrvek(A);
    b.novyTvar(1, 1);
    b.pridejPrvek(B);
    return PresnySystem({a, b});
}

PresnaMatice matice(int radky, int sloupce, const Slozky& hodnoty) {
    PresnaMatice m;
    m.novyTvar(radky, sloupce);
    for (const std::string& h : hodnoty) m.pridejPrvek({h});
    return m;
}

std::string text(const std::vector<Rezerva>& rezervy) {
    std::string t;
    for (const Rezerva& r : rezervy) t += sestPlatnych(r.hodnota) + ";" + sestPlatnych(r.w) + " ";
    return t.empty() ? "inf;-" : t.substr(0, t.size() - 1);
}

std::string text(long double hodnota, long double w) {
    return sestPlatnych(static_cast<double>(hodnota)) + ";" + sestPlatnych(static_cast<double>(w));
}

// arg(-H) in degrees, in (-180, 180].
long double rezervaFaze(std::complex<long double> H) { return std::arg(-H) * 180.0L / PI_L; }

}  // namespace

TEST(Rezervy, FirstOrderLoopsMatchTheirClosedForms) {
    struct Pripad {
        long double K, a;
        std::string Kt, minusA;
    };
    for (const Pripad& p : std::vector<Pripad>{{0.9L, 0.5L, "0.9", "-0.5"}, {2.0L, -0.3L, "2", "0.3"}, {0.2L, 0.5L, "0.2", "-0.5"}}) {
        SCOPED_TRACE(p.Kt + "/(z + " + p.minusA + ")");
        PresnySystem s = prenos({p.Kt}, {p.minusA, "1"});
        const Rezervy r = rezervy(s);
        // Phase crossover at pi (H(-1) = -K / (1 + a) < 0): GM = 20 log10((1 + a) / K).
        EXPECT_EQ(text(r.zesileni), text(20.0L * std::log10((1.0L + p.a) / p.K), PI_L));
        // Gain crossover where |e^jw - a| = K, cos w = (1 + a^2 - K^2) / (2a), if it lies in [-1, 1).
        const long double c = (1.0L + p.a * p.a - p.K * p.K) / (2.0L * p.a);
        if (c < -1.0L || c >= 1.0L) {
            EXPECT_EQ(text(r.faze), "inf;-");
            continue;
        }
        const long double w = std::acos(c);
        EXPECT_EQ(text(r.faze), text(rezervaFaze(p.K / (std::polar(1.0L, w) - p.a)), w));
    }
}

TEST(Rezervy, SecondOrderLoopsInBothDescriptionsMatchTheirClosedForms) {
    const long double K = 0.3L, a = 0.5L;
    // K/(z - a)^2 and the Jordan block F = [[a, 1], [0, a]], G = [0; 1], H = [K 0].
    PresnySystem vnejsi = prenos({"0.3"}, {"0.25", "-1", "1"});
    PresnySystem stav({matice(2, 2, {"0.5", "1", "0", "0.5"}), matice(2, 1, {"0", "1"}), matice(1, 2, {"0.3", "0"}),
                       matice(1, 1, {"0"})});
    // Phase crossover where e^jw - a is at 90 degrees, cos w = a: GM = -20 log10(K / (1 - a^2)).
    const std::string zesileni = text(-20.0L * std::log10(K / (1.0L - a * a)), std::acos(a));
    // Gain crossover where |e^jw - a|^2 = K.
    const long double w = std::acos((1.0L + a * a - K) / (2.0L * a));
    const std::string faze = text(rezervaFaze(K / ((std::polar(1.0L, w) - a) * (std::polar(1.0L, w) - a))), w);
    for (PresnySystem* s : {&vnejsi, &stav}) {
        const Rezervy r = rezervy(*s);
        EXPECT_EQ(text(r.zesileni), zesileni);
        EXPECT_EQ(text(r.faze), faze);
    }
}

// Exact crossings: K/z^2 has its phase -180 at w = pi/2 exactly (c = 0); |H(-1)| = 1 puts both
// margins at 0 exactly; 0.6/(z^2 + 0.6 z + 0.25) reaches |H| = 1 only at cos w = -0.75, a
// double root that touches without crossing; H = 0 has no crossover at all.
TEST(Rezervy, ExactCrossingsTouchingsAndNone) {
    struct Pripad {
        Slozky B, A;
        std::string zesileni, faze;
    };
    const std::vector<Pripad> pripady = {
        {{"0.5"}, {"0", "0", "1"}, text(-20.0L * std::log10(0.5L), PI_L / 2), "inf;-"},
        {{"1.5"}, {"-0.5", "1"}, "0;3.14159", "0;3.14159"},
        {{"0.6"}, {"0.25", "0.6", "1"}, "", "inf;-"},
        {{"0"}, {"-0.5", "1"}, "inf;-", "inf;-"},
    };
    for (const Pripad& p : pripady) {
        PresnySystem s = prenos(p.B, p.A);
        const Rezervy r = rezervy(s);
        if (!p.zesileni.empty()) {
            EXPECT_EQ(text(r.zesileni), p.zesileni) << p.A.size();
        }
        EXPECT_EQ(text(r.faze), p.faze) << p.A.size();
    }
}

namespace {

// A list of expected margins in the text form, by rising w.
std::string seznam(std::vector<std::pair<long double, long double>> rezervy) {
    std::sort(rezervy.begin(), rezervy.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    std::string t;
    for (const auto& r : rezervy) t += text(r.first, r.second) + " ";
    return t.empty() ? "inf;-" : t.substr(0, t.size() - 1);
}

// 1/(z^n - 1), poles at the n-th roots of unity: H = -1/2 at w = (2m + 1) pi / n (gain margin
// 20 log10 2), |H| = 1 where n w = +-pi/3 mod 2 pi, H = e^(-+j 2 pi / 3) (phase margin +-60).
std::pair<std::string, std::string> mocninaMinusJedna(int n) {
    std::vector<std::pair<long double, long double>> zesileni, faze;
    for (int m = 0; (2 * m + 1) <= n; ++m) zesileni.push_back({20.0L * std::log10(2.0L), (2 * m + 1) * PI_L / n});
    for (int m = 0; m <= n / 2; ++m)
        for (const int znamenko : {1, -1}) {
            const long double w = (2.0L * m * PI_L + znamenko * PI_L / 3.0L) / n;
            if (w > 0.0L && w <= PI_L) faze.push_back({60.0L * znamenko, w});
        }
    return {seznam(zesileni), seznam(faze)};
}

}  // namespace

// Poles and zeros on the circle are no crossings, the crossings between them are listed exactly:
// roots of unity (an interval of one crossing ending at an exact pole), an integrator, the pair
// e^(+-j pi/3), a pair of zeros at +-j. Closed forms on z = e^(jw):
// - K/((z - 1)(z - a)): phase -180 where cos w = (1 + a)/2, |z - 1||z - a| = 1 - a there; |H| = 1
//   where (2 - 2c)(1 + a^2 - 2ac) = K^2, a quadratic in c.
// - K/(z^2 - z + 1) = K e^(-jw)/(2c - 1): real only at the pole, |H| = 1 at c = (1 +- K)/2.
// - (z^2 + 1)/z^2 = 2c e^(-jw) and (z^2 + 1)/z^3 = 2c e^(-2jw): |H| = 1 at c = +-1/2, the zero at
//   w = pi/2; the second is -2 at pi.
TEST(Rezervy, PolesAndZerosOnTheCircle) {
    struct Pripad {
        std::string nazev;
        Slozky B, A;
        std::pair<std::string, std::string> ocekavane;
    };
    auto integrator = [](long double K, long double a) {
        const long double qa = 4.0L * a, qb = -2.0L * (1.0L + a) * (1.0L + a), qc = 2.0L * (1.0L + a * a) - K * K;
        const long double c = (-qb - std::sqrt(qb * qb - 4.0L * qa * qc)) / (2.0L * qa);
        const std::complex<long double> z = std::polar(1.0L, std::acos(c));
        return std::make_pair(text(20.0L * std::log10((1.0L - a) / K), std::acos((1.0L + a) / 2.0L)),
                              text(rezervaFaze(K / ((z - 1.0L) * (z - a))), std::acos(c)));
    };
    const long double w1 = std::acos(0.75L), w2 = std::acos(0.25L), w3 = PI_L / 3.0L;
    const std::vector<Pripad> pripady = {
        {"1/(z^4 - 1)", {"1"}, {"-1", "0", "0", "0", "1"}, mocninaMinusJedna(4)},
        {"1/(z^5 - 1)", {"1"}, {"-1", "0", "0", "0", "0", "1"}, mocninaMinusJedna(5)},
        {"1/(z^12 - 1)", {"1"}, {"-1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"}, mocninaMinusJedna(12)},
        {"0.3/((z - 1)(z - 0.5))", {"0.3"}, {"0.5", "-1.5", "1"}, integrator(0.3L, 0.5L)},
        {"1/((z - 1)(z - 0.5))", {"1"}, {"0.5", "-1.5", "1"}, integrator(1.0L, 0.5L)},
        {"0.1/((z - 1)(z - 0.8))", {"0.1"}, {"0.8", "-1.8", "1"}, integrator(0.1L, 0.8L)},
        {"0.5/(z^2 - z + 1)", {"0.5"}, {"1", "-1", "1"},
         {"inf;-", seznam({{180.0L - w1 * 180.0L / PI_L, w1}, {-w2 * 180.0L / PI_L, w2}})}},
        {"(z^2 + 1)/z^2", {"1", "0", "1"}, {"0", "0", "1"}, {"inf;-", seznam({{120.0L, w3}, {-120.0L, 2.0L * w3}})}},
        {"(z^2 + 1)/z^3", {"1", "0", "1"}, {"0", "0", "0", "1"},
         {seznam({{-20.0L * std::log10(2.0L), PI_L}}), seznam({{60.0L, w3}, {120.0L, 2.0L * w3}})}},
        // A gain crossover exactly at c = -1/2 (|A(e^(j 2 pi/3))| = 12, phase margin 60) beside a
        // crossover in the neighbouring interval; the others from a 40-digit evaluation on the circle.
        {"12/A7", {"12"}, {"1", "5", "-2", "-1", "2", "1", "-1", "4"},
         {"-4.54146;2.36631 " + text(20.0L * std::log10(0.75L), PI_L), "104.78;1.87835 " + text(60.0L, 2.0L * w3)}},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        PresnySystem s = prenos(p.B, p.A);
        const Rezervy r = rezervy(s);
        EXPECT_EQ(text(r.zesileni), p.ocekavane.first);
        EXPECT_EQ(text(r.faze), p.ocekavane.second);
    }
}

// Dozens of crossings, which the inclusion discs isolate (for n = 40, whose Q vanishes at c = 0,
// only those of G): 1/(z^n - 1) in closed form as above.
TEST(Rezervy, ManyCrossingsOfHighDegreeLoops) {
    for (const int n : {40, 41}) {
        SCOPED_TRACE(n);
        Slozky A(static_cast<std::size_t>(n + 1), "0");
        A.front() = "-1";
        A.back() = "1";
        PresnySystem s = prenos({"1"}, A);
        const Rezervy r = rezervy(s);
        EXPECT_EQ(text(r.zesileni), mocninaMinusJedna(n).first);
        EXPECT_EQ(text(r.faze), mocninaMinusJedna(n).second);
    }
}

}  // namespace test_rezervy
}  // namespace
