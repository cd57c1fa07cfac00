// The external kinds through the real tool: reports, conversions to state space and the
// rejection of a denominator without a leading coefficient.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_vnejsi {

namespace {

using e2e::nacteno;
using e2e::vytvoreno;


// Runs one operation that writes a result file and compares the file and the console.
void overSoubor(const std::string& druh, const std::string& systemovySoubor, const std::string& operace,
                const std::string& ocekavany, const std::string& vstupniSoubor = "") {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string vysledek = adresar + "/vysledek.txt";
    const std::string system = e2e::data(systemovySoubor);
    std::vector<std::string> argumenty{druh, system, operace, vysledek};
    if (!vstupniSoubor.empty()) argumenty.push_back(e2e::data(vstupniSoubor));
    const e2e::Vysledek v = e2e::spust(argumenty);
    EXPECT_EQ(v.exit_status, 0);
    EXPECT_EQ(v.stderr_text, "");
    EXPECT_EQ(v.stdout_text, nacteno(system) + vytvoreno(vysledek));
    EXPECT_EQ(e2e::precti(vysledek), e2e::precti(e2e::data(ocekavany)));
    ::unlink(vysledek.c_str());
    ::rmdir(adresar.c_str());
}

}  // namespace

TEST(E2eVnejsi, SisoImpulseReportOfNormalisedDenominator) {
    overSoubor("VnejsiSISO", "vnejsi_siso.txt", "Impulse", "vnejsi_siso_impulse.csv");
}

TEST(E2eVnejsi, MimoStepReportWithFeedThroughAndCoupling) {
    overSoubor("VnejsiMIMO", "vnejsi_mimo.txt", "Prechod", "vnejsi_mimo_prechod.csv");
}

TEST(E2eVnejsi, MimoOutputForSignalWithOneLinePerInput) {
    overSoubor("VnejsiMIMO", "vnejsi_mimo.txt", "Vystup", "vnejsi_mimo_vystup.csv", "vnejsi_mimo_vstup.txt");
}

TEST(E2eVnejsi, SisoConversionWritesCompanionForm) {
    overSoubor("VnejsiSISO", "vnejsi_siso_prevod.txt", "PrevodNaStav", "vnejsi_siso_stav.txt");
}

// A sampled plant: H holds coefficients that three decimals would write as 0.000, and F one
// that needs four.
TEST(E2eVnejsi, SisoConversionWritesEveryValueWithTheDigitsItNeeds) {
    overSoubor("VnejsiSISO", "vnejsi_siso_prevod_male.txt", "PrevodNaStav", "vnejsi_siso_prevod_male_stav.txt");
}

TEST(E2eVnejsi, MimoConversionWritesBlockObserverForm) {
    overSoubor("VnejsiMIMO", "vnejsi_mimo.txt", "PrevodNaStav", "vnejsi_mimo_stav.txt");
}

TEST(E2eVnejsi, StabilityVerdictOnTheConsole) {
    const std::string siso = e2e::data("vnejsi_siso.txt");
    EXPECT_EQ(e2e::spust({"VnejsiSISO", siso, "Stabilita"}).stdout_text, nacteno(siso) + "Je stabilni\n");
    const std::string mimo = e2e::data("vnejsi_mimo.txt");
    EXPECT_EQ(e2e::spust({"VnejsiMIMO", mimo, "Stabilita"}).stdout_text, nacteno(mimo) + "Je stabilni\n");
}

TEST(E2eVnejsi, ZeroLeadingCoefficientOfDenominatorIsReportedWithoutResult) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string vysledek = adresar + "/vysledek.txt";
    const e2e::Vysledek siso = e2e::spust({"VnejsiSISO", e2e::data("vnejsi_siso_nulovy_vedouci.txt"), "Impulse", vysledek});
    EXPECT_EQ(siso.stdout_text, "Jmenovatel ma nulovy koeficient u nejvyssi mocniny\n");
    EXPECT_EQ(siso.stderr_text, "");
    EXPECT_FALSE(e2e::existuje(vysledek));
    const e2e::Vysledek mimo = e2e::spust({"VnejsiMIMO", e2e::data("vnejsi_mimo_nulovy_vedouci.txt"), "Impulse", vysledek});
    EXPECT_EQ(mimo.stdout_text, "Nulovy koeficient u nejvyssi mocniny na diagonale Matice A\n");
    EXPECT_FALSE(e2e::existuje(vysledek));
    ::rmdir(adresar.c_str());
}

}  // namespace e2e_vnejsi
}  // namespace
