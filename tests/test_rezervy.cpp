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
