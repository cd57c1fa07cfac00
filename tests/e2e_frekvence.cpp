// Frekvence as a user runs it: the two state-space systems whose reports were hundreds of dB
// wrong (a lower triangular F with a coupling of 2e9, and one scaled over 24 decades) give the
// exact values, byte for byte against reports checked with an independent 60-digit evaluation;
// --rezervy ano appends the margins in their fixed form, and is refused where it does not belong.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_frekvence {

namespace {

using e2e::precti;
using e2e::spust;

class Frekvence : public e2e::SAdresarem {
protected:
    std::string vysledek = adresar + "/vysledek.txt";
    static std::string data(const std::string& jmeno) { return std::string(CLDDS_TEST_DATA) + "/" + jmeno; }
};

// The lines after the 256 frequency lines.
std::string zaFrekvencemi(const std::string& zprava) {
    std::size_t od = zprava.find("\nw;");
    for (int radek = 0; radek < 257 && od != std::string::npos; ++radek) od = zprava.find('\n', od + 1);
    return od == std::string::npos ? "" : zprava.substr(od + 1);
}

}  // namespace

TEST_F(Frekvence, TheReportedStateSpaceSystemsGiveTheirExactValues) {
    for (const std::string jmeno : {"frekvence_h3", "frekvence_spatne_skalovany"}) {
        SCOPED_TRACE(jmeno);
        const e2e::Vysledek v = spust({"StavSISO", data(jmeno + ".txt"), "Frekvence", vysledek});
        EXPECT_EQ(v.exit_status, 0);
        EXPECT_EQ(precti(vysledek), precti(data(jmeno + "_zprava.txt")));
    }
}

TEST_F(Frekvence, MarginsFollowTheFrequencyLinesInTheirFixedForm) {
    struct Pripad {
        std::vector<std::string> argumenty;
        std::string ocekavane;
    };
    const std::string prvniRadu = soubor("k.txt", "0.9\n-0.5 1\n");  // 0.9 / (z - 0.5)
    const std::string naHranici = soubor("h.txt", "1.5\n-0.5 1\n");  // |H(-1)| = 1
    const std::string nic = soubor("n.txt", "0.2\n-0.5 1\n");        // |H| < 1 everywhere
    // F = [[0.5, 1], [0, 0.5]], G = [0; 1], H = [0.3 0]: 0.3 / (z - 0.5)^2.
    const std::string stav = soubor("s.txt", "0.5 1\n0 0.5\n\n0\n1\n\n0.3 0\n\n0\n\n0\n0\n");
    const std::vector<Pripad> pripady = {
        {{"--rezervy", "ano", "VnejsiSISO", prvniRadu},
         "Rezerva zesileni [dB];w\n4,43697;3,14159\nRezerva faze [st];w\n86,1774;1,1152\n"},
        {{"--rezervy", "ano", "VnejsiSISO", naHranici}, "Rezerva zesileni [dB];w\n0;3,14159\nRezerva faze [st];w\n0;3,14159\n"},
        {{"--rezervy", "ano", "VnejsiSISO", nic}, "Rezerva zesileni [dB];w\n17,5012;3,14159\nRezerva faze [st];w\ninf;-\n"},
        {{"--rezervy", "ano", "StavSISO", stav},
         "Rezerva zesileni [dB];w\n7,9588;1,0472\nRezerva faze [st];w\n110,487;0,31756\n"},
    };
    for (const Pripad& p : pripady) {
        std::vector<std::string> argumenty = p.argumenty;
        argumenty.insert(argumenty.end(), {"Frekvence", vysledek});
        ASSERT_EQ(spust(argumenty).exit_status, 0);
        const std::string s = precti(vysledek);
        EXPECT_EQ(zaFrekvencemi(s), p.ocekavane) << p.argumenty[3];
        // Without the option the report is that of the plain run: the frequency lines alone.
        ASSERT_EQ(spust({p.argumenty[2], p.argumenty[3], "Frekvence", vysledek}).exit_status, 0);
        EXPECT_TRUE(precti(vysledek) + p.ocekavane == s) << p.argumenty[3];
    }
}

}  // namespace e2e_frekvence
}  // namespace
