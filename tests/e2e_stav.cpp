// The state-space kinds through the real tool: reports, console text and conversion files.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "e2e.h"

namespace {
namespace e2e_stav {

namespace {

// Expected console text with @SYSTEM@ and @VYSLEDEK@ standing for the two paths.
std::string ocekavanyVystup(const std::string& soubor, const std::string& system, const std::string& vysledek) {
    std::string text = e2e::precti(e2e::data(soubor));
    for (const auto& [znacka, cesta] : {std::pair<std::string, std::string>{"@SYSTEM@", system}, {"@VYSLEDEK@", vysledek}}) {
        const auto pozice = text.find(znacka);
        if (pozice != std::string::npos) text.replace(pozice, znacka.size(), cesta);
    }
    return text;
}

struct Beh {
    std::string druh, system, operace, ocekavanySoubor, ocekavanaKonzole;
};

void overBeh(const Beh& b) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string vysledek = adresar + "/vysledek.txt";
    const std::string system = e2e::data(b.system);
    const e2e::Vysledek v = e2e::spust({b.druh, system, b.operace, vysledek});
    EXPECT_EQ(v.exit_status, 0);
    EXPECT_EQ(v.stderr_text, "");
    EXPECT_EQ(v.stdout_text, ocekavanyVystup(b.ocekavanaKonzole, system, vysledek));
    EXPECT_EQ(e2e::precti(vysledek), e2e::precti(e2e::data(b.ocekavanySoubor)));
    ::unlink(vysledek.c_str());
    ::rmdir(adresar.c_str());
}

}  // namespace

TEST(E2eStav, SisoImpulseReportAndTheCharacteristicMatrixOnTheConsole) {
    overBeh({"StavSISO", "stav_siso.txt", "Impulse", "stav_siso_impulse.csv", "stav_siso_impulse.stdout"});
}

TEST(E2eStav, MimoStepReportWithOneLinePerStep) {
    overBeh({"StavMIMO", "stav_mimo.txt", "Prechod", "stav_mimo_prechod.csv", "stav_mimo_prechod.stdout"});
}

TEST(E2eStav, SisoConversionWritesTheTransferFunction) {
    overBeh({"StavSISO", "stav_siso.txt", "PrevodNaVnejsi", "stav_siso_vnejsi.txt", "stav_siso_vnejsi.stdout"});
}

TEST(E2eStav, MimoStabilityVerdictFollowsTheCharacteristicMatrix) {
    const std::string system = e2e::data("stav_mimo.txt");
    const e2e::Vysledek v = e2e::spust({"StavMIMO", system, "Stabilita"});
    EXPECT_EQ(v.exit_status, 0);
    EXPECT_EQ(v.stdout_text, ocekavanyVystup("stav_mimo_stabilita.stdout", system, ""));
}

TEST(E2eStav, EmptyFileIsRejectedWithAMessageNotACrash) {
    for (const std::string druh : {"StavSISO", "StavMIMO"}) {
        const e2e::Vysledek v = e2e::spust({druh, e2e::data("stav_prazdny.txt"), "Stabilita"});
        EXPECT_EQ(v.exit_status, 1) << druh;
        EXPECT_EQ(v.stdout_text, "Matice F je prazdna, system nema zadny stav\n") << druh;
    }
}

}  // namespace e2e_stav
}  // namespace
