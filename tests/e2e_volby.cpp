// Options before the kind: the refusals (nothing written, status 1), and responses of any
// length and of one input at a time, checked against superposition and against the plain run.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_volby {

namespace {

using e2e::precti;
using e2e::spust;

class Volby : public e2e::SAdresarem {
protected:
    std::string vysledek = adresar + "/vysledek.txt";
};

// The value lines of a report (after the first empty line), each split at ';' into numbers.
std::vector<std::vector<double>> hodnoty(const std::string& zprava) {
    std::vector<std::vector<double>> radky;
    const std::size_t zacatek = zprava.find("\n\n", zprava.find("stabilni"));
    std::string radek;
    for (std::size_t i = zacatek + 2; i < zprava.size(); ++i) {
        if (zprava[i] != '\n') {
            radek += zprava[i] == ',' ? '.' : zprava[i];
            continue;
        }
        std::vector<double> cisla;
        std::size_t od = 0;
        while (od <= radek.size()) {
            const std::size_t konec = std::min(radek.find(';', od), radek.size());
            cisla.push_back(std::stod(radek.substr(od, konec - od)));
            od = konec + 1;
        }
        radky.push_back(cisla);
        radek.clear();
    }
    return radky;
}

const std::string MIMO_STAV = "0.5 0.1\n0 -0.3\n\n1 0\n0 1\n\n1 0.5\n-0.2 1\n\n0.1 0\n0 0.2\n\n0\n0\n";

}  // namespace

TEST_F(Volby, EachBadOptionIsRefusedBeforeAnyFileIsWritten) {
    const std::string system = soubor("s.txt", "1\n-0.5 1\n"), mimo = soubor("m.txt", MIMO_STAV);
    struct Pripad {
        std::vector<std::string> argumenty;
        std::string zprava;
    };
    const std::vector<Pripad> pripady = {
        {{"--kroky", "0", "VnejsiSISO", system, "Impulse", vysledek},
         "Spatna hodnota volby --kroky ->0 Musi byt cele cislo od 1 do 100000\n"},
        {{"--kroky", "1e9", "VnejsiSISO", system, "Impulse", vysledek},
         "Spatna hodnota volby --kroky ->1e9 Musi byt cele cislo od 1 do 100000\n"},
        {{"--kroky", "100001", "VnejsiSISO", system, "Prechod", vysledek},
         "Spatna hodnota volby --kroky ->100001 Musi byt cele cislo od 1 do 100000\n"},
        {{"--kroky", "5", "--kroky", "6", "VnejsiSISO", system, "Impulse", vysledek},
         "Volba --kroky je zadana vicekrat\n"},
        {{"--rychle", "1", "VnejsiSISO", system, "Impulse", vysledek}, "Neznama volba ->--rychle\n"},
        {{"VnejsiSISO", system, "Impulse", vysledek, "--kroky", "5"},
         "Volba --kroky musi stat pred druhem systemu\n"},
        {{"--kroky", "5", "VnejsiSISO", system, "Stabilita"}, "Volba --kroky nepatri k operaci Stabilita\n"},
        {{"--nuly", "ano", "VnejsiSISO", system, "Impulse", vysledek}, "Volba --nuly nepatri k operaci Impulse\n"},
        {{"--nuly", "snad", "VnejsiSISO", system, "Poly", vysledek},
         "Spatna hodnota volby --nuly ->snad Musi byt ano nebo ne\n"},
        {{"--rezervy", "ano", "VnejsiMIMO", system, "Frekvence", vysledek},
         "Volba --rezervy patri jen k systemu SISO\n"},
        {{"--rezervy", "ano", "StavMIMO", mimo, "Frekvence", vysledek}, "Volba --rezervy patri jen k systemu SISO\n"},
        {{"--rezervy", "ano", "VnejsiSISO", system, "Poly", vysledek}, "Volba --rezervy nepatri k operaci Poly\n"},
        {{"--rezervy", "ano", "VnejsiSISO", system, "Impulse", vysledek},
         "Volba --rezervy nepatri k operaci Impulse\n"},
        {{"--vstup", "0", "VnejsiSISO", system, "Impulse", vysledek},
         "Spatna hodnota volby --vstup ->0 Musi byt cislo vstupu systemu od 1\n"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.argumenty[0] + " " + p.argumenty[1]);
        const e2e::Vysledek v = spust(p.argumenty);
        EXPECT_EQ(v.stdout_text, p.zprava);
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_FALSE(e2e::existuje(vysledek));
    }
    // The missing value is told after the last option; an input beyond the system's after loading.
    EXPECT_EQ(spust({"--kroky"}).stdout_text, "Volba --kroky nema hodnotu\n");
    const e2e::Vysledek v = spust({"--vstup", "3", "StavMIMO", soubor("m.txt", MIMO_STAV), "Prechod", vysledek});
    EXPECT_EQ(v.stdout_text, adresar + "/m.txt Soubor Nacten!\n\nSpatna hodnota volby --vstup ->3 Pocet vstupu systemu je 2\n");
    EXPECT_EQ(v.exit_status, 1);
    EXPECT_FALSE(e2e::existuje(vysledek));
}

TEST_F(Volby, FiftyStepsAsOptionsGiveTheReportOfThePlainRunByteForByte) {
    const std::string system = soubor("m.txt", MIMO_STAV);
    for (const char* operace : {"Impulse", "Prechod"}) {
        ASSERT_EQ(spust({"StavMIMO", system, operace, vysledek}).exit_status, 0);
        const std::string bezVoleb = precti(vysledek);
        ASSERT_EQ(spust({"--kroky", "50", "StavMIMO", system, operace, vysledek}).exit_status, 0);
        EXPECT_EQ(precti(vysledek), bezVoleb) << operace;
    }
}

TEST_F(Volby, ResponsesOfEachInputAloneAddUpToTheResponseOfAllInputs) {
    // x0 = 0, so the response is linear in the input.
    const std::string system = soubor("m.txt", MIMO_STAV);
    const std::string kroky = "300";
    for (const char* operace : {"Impulse", "Prechod"}) {
        ASSERT_EQ(spust({"--kroky", kroky, "StavMIMO", system, operace, vysledek}).exit_status, 0);
        const auto vse = hodnoty(precti(vysledek));
        ASSERT_EQ(vse.size(), 300u);
        ASSERT_EQ(spust({"--vstup", "1", "--kroky", kroky, "StavMIMO", system, operace, vysledek}).exit_status, 0);
        const auto prvni = hodnoty(precti(vysledek));
        ASSERT_EQ(spust({"--kroky", kroky, "--vstup", "2", "StavMIMO", system, operace, vysledek}).exit_status, 0);
        const auto druhy = hodnoty(precti(vysledek));
        for (std::size_t k = 0; k < vse.size(); ++k)
            for (std::size_t o = 0; o < 2; ++o)
                EXPECT_NEAR(prvni[k][o] + druhy[k][o], vse[k][o], 1e-5 * (1 + std::abs(vse[k][o]))) << operace << k;
    }
}

}  // namespace e2e_volby
}  // namespace
