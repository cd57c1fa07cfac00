// The pole report of the real tool: every value the nearest double of the exact pole (checked
// against independent references in test_poly), in the report's own text, and a pole beyond the
// range of double refused without a report.
#include <gtest/gtest.h>

#include <string>

#include "e2e.h"

namespace {
namespace e2e_poly {

namespace {

using e2e::nacteno;
using e2e::spust;

// The report from its header line on.
std::string teloZpravy(const std::string& zprava) {
    const std::size_t zacatek = zprava.find("Poly systemu:");
    return zacatek == std::string::npos ? zprava : zprava.substr(zacatek);
}

TEST(Poly, EveryValueIsTheNearestDoubleOfTheExactPole) {
    const std::string hlavicka = "Poly systemu: realna cast;imaginarni cast;velikost;nasobnost;poloha\n";
    const struct {
        const char* nazev;
        const char* system;
        const char* telo;
    } pripady[] = {
        {"(z - 1)^7 - 7e-15 z^2: a cluster", "1\n-1 7 -21.000000000000007 35 -35 21 -7 1\n",
         "1.0095290136706425;0;1.0095290136706425;1;vne\n"
         "1.005919439800346;0.007455071549821773;1.005947064939331;1;vne\n"
         "1.005919439800346;-0.007455071549821773;1.005947064939331;1;vne\n"
         "0.9978620739644178;0.009253780276147506;0.9979049810006805;1;uvnitr\n"
         "0.9978620739644178;-0.009253780276147506;0.9979049810006805;1;uvnitr\n"
         "0.991453979399915;0.0041031052796734625;0.9914624696582636;1;uvnitr\n"
         "0.991453979399915;-0.0041031052796734625;0.9914624696582636;1;uvnitr\n"
         "Spektralni polomer: 1.0095290136706425\n"},
        {"a pair 7.9e-9 from the real axis", "1\n0.81 -1.79999999999999993 1\n",
         "0.8999999999999999;7.937253933193772e-09;0.9;1;uvnitr\n"
         "0.8999999999999999;-7.937253933193772e-09;0.9;1;uvnitr\n"
         "Spektralni polomer: 0.9\n"},
        {"purely imaginary", "1\n1.21 0 1\n", "0;1.1;1.1;1;vne\n0;-1.1;1.1;1;vne\nSpektralni polomer: 1.1\n"},
        {"magnitude of the exact pole", "1\n0.9999999800000001 -1.599999984 1\n",
         "0.799999992;0.599999994;0.99999999;1;uvnitr\n"
         "0.799999992;-0.599999994;0.99999999;1;uvnitr\n"
         "Spektralni polomer: 0.99999999\n"},
    };
    const std::string adresar = e2e::docasnyAdresar();
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        const std::string system = adresar + "/system.txt", zprava = adresar + "/poly.txt";
        e2e::zapis(system, pripad.system);
        const e2e::Vysledek v = spust({"VnejsiSISO", system, "Poly", zprava});
        EXPECT_EQ(v.exit_status, 0) << v.stdout_text;
        EXPECT_EQ(teloZpravy(e2e::precti(zprava)), hlavicka + pripad.telo);
    }
}

TEST(Poly, APoleBeyondTheRangeOfDoubleIsRefusedWithoutAReport) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string system = adresar + "/system.txt", zprava = adresar + "/poly.txt";
    // 0.1 z^2 + 1e308 z + 1: a pole near -1e309
    e2e::zapis(system, "1\n1 1e308 0.1\n");
    const e2e::Vysledek v = spust({"VnejsiSISO", system, "Poly", zprava});
    EXPECT_EQ(v.exit_status, 1);
    EXPECT_EQ(v.stdout_text, nacteno(system) + "Pol systemu presahuje rozsah cisel double\n");
    EXPECT_FALSE(e2e::existuje(zprava));
}

}  // namespace

}  // namespace e2e_poly
}  // namespace
