// The command line end to end: argument grammar, order of checks and outputs, every message,
// exit status, an always empty standard error, and which result files exist afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e.h"

namespace {

using e2e::nacteno;
using e2e::vytvoreno;
using e2e::nelzeOtevrit;

using e2e::data;
using e2e::existuje;
using e2e::precti;
using e2e::spust;


// The matrix x*I that every state-space stability test prints, for two states.
const std::string XI_2 = "1.0000 0.0000 ; 0.0000 \n0.0000 ; 1.0000 0.0000 \n\n";

void ocekavej(const e2e::Vysledek& v, const std::string& vystup, int status) {
    EXPECT_EQ(v.stdout_text, vystup);
    EXPECT_EQ(v.stderr_text, "");
    EXPECT_EQ(v.exit_status, status);
}

class Driver : public ::testing::Test {
protected:
    std::string adresar = e2e::docasnyAdresar();
    std::string vysledek = adresar + "/vysledek.csv";

    ~Driver() override {
        if (adresar.rfind("/tmp/cldds_e2e_", 0) == 0) std::filesystem::remove_all(adresar);
    }
};

}  // namespace

// ---------------------------------------------------------------- argument count and kind

TEST_F(Driver, NoArgumentsReportCountOne) {
    ocekavej(spust({}), "Spatny pocet parametru ->1 Musi byt presne 5 parametru nebo 7", 1);
}

TEST_F(Driver, TwoArgumentsReportCountThreeWithoutLookingAtKindOrFile) {
    ocekavej(spust({"Nesmysl", adresar + "/chybi.txt"}), "Spatny pocet parametru ->3 Musi byt presne 5 parametru nebo 7",
             1);
}

TEST_F(Driver, KindIsCaseSensitiveAndCheckedBeforeTheFileIsOpened) {
    ocekavej(spust({"vnejsiSISO", adresar + "/chybi.txt", "Stabilita"}), "Spatne Zadany prvni parametr ->vnejsiSISO", 1);
}

TEST_F(Driver, MissingOrUnreadableSystemFileNamesThePathAndPrintsNoLoadLine) {
    const std::string chybi = adresar + "/chybi.txt";
    ocekavej(spust({"VnejsiSISO", chybi, "Impulse", vysledek}), nelzeOtevrit(chybi), 1);
    EXPECT_FALSE(existuje(vysledek));
    // A directory opens but cannot be read: it is reported the same way.
    ocekavej(spust({"StavSISO", adresar, "Stabilita"}), nelzeOtevrit(adresar), 1);
}

// ---------------------------------------------------------------- the two forms

TEST_F(Driver, StabilitaAloneGivesTheVerdictWithStatusZero) {
    const std::string stabilni = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", stabilni, "Stabilita"}), nacteno(stabilni) + "Je stabilni\n", 0);
    // An unstable system is a result, not an error.
    const std::string nestabilni = data("driver_vnejsi_siso_nestabilni.txt");
    ocekavej(spust({"VnejsiSISO", nestabilni, "Stabilita"}), nacteno(nestabilni) + "Neni stabilni\n", 0);
    // The state-space test prints x*I before the verdict.
    const std::string stav = data("driver_stav_siso.txt");
    ocekavej(spust({"StavSISO", stav, "Stabilita"}), nacteno(stav) + XI_2 + "Je stabilni\n", 0);
    const std::string mimo = data("driver_vnejsi_mimo.txt");
    ocekavej(spust({"VnejsiMIMO", mimo, "Stabilita"}), nacteno(mimo) + "Je stabilni\n", 0);
}

TEST_F(Driver, ThreeArgumentsAcceptOnlyStabilitaAfterTheLoadLine) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse"}), nacteno(soubor) + "Spatny parametr Impulse", 1);
}

TEST_F(Driver, FourArgumentsRejectStabilitaAndUnknownOperations) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Stabilita", vysledek}),
             nacteno(soubor) + "Spatne Zadany 3 parametr ->Stabilita", 1);
    ocekavej(spust({"VnejsiSISO", soubor, "impulse", vysledek}), nacteno(soubor) + "Spatne Zadany 3 parametr ->impulse",
             1);
    EXPECT_FALSE(existuje(vysledek));
}

// ---------------------------------------------------------------- responses

TEST_F(Driver, ImpulseWritesTheReportAndBothLines) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse", vysledek}), nacteno(soubor) + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_impulse.csv")));
}

TEST_F(Driver, PrechodOfAStateSpaceSystemPrintsXIBeforeTheFileLine) {
    const std::string soubor = data("driver_stav_siso.txt");
    ocekavej(spust({"StavSISO", soubor, "Prechod", vysledek}), nacteno(soubor) + XI_2 + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_stav_siso_prechod.csv")));
}

TEST_F(Driver, ArgumentsAfterTheFifthAreIgnored) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse", vysledek, "navic", "jeste"}), nacteno(soubor) + vytvoreno(vysledek),
             0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_impulse.csv")));
}

TEST_F(Driver, ResultPathInAMissingDirectoryIsReportedAfterTheLoadLine) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    const std::string cesta = adresar + "/neni/vysledek.csv";
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse", cesta}), nacteno(soubor) + nelzeOtevrit(cesta), 1);
    ocekavej(spust({"VnejsiSISO", soubor, "Prechod", adresar}), nacteno(soubor) + nelzeOtevrit(adresar), 1);
}

TEST_F(Driver, VystupReadsTheSignalFile) {
    const std::string siso = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", siso, "Vystup", vysledek, data("driver_vstup_siso.txt")}),
             nacteno(siso) + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_vystup.csv")));

    const std::string mimo = data("driver_vnejsi_mimo.txt");
    ocekavej(spust({"VnejsiMIMO", mimo, "Vystup", vysledek, data("driver_vstup_mimo.txt")}),
             nacteno(mimo) + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_mimo_vystup.csv")));
}

TEST_F(Driver, VystupWithoutASignalFileLeavesTheResultFileUntouched) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    e2e::zapis(vysledek, "puvodni obsah\n");
    ocekavej(spust({"VnejsiSISO", soubor, "Vystup", vysledek}),
             nacteno(soubor) + "Spatny pocet parametru ->5 Chybi vstup do vystupu systemu\n", 1);
    EXPECT_EQ(precti(vysledek), "puvodni obsah\n");

    const std::string chybi = adresar + "/signal.txt";
    ocekavej(spust({"VnejsiSISO", soubor, "Vystup", vysledek, chybi}), nacteno(soubor) + nelzeOtevrit(chybi), 1);
    EXPECT_EQ(precti(vysledek), "puvodni obsah\n");
}

TEST_F(Driver, BrokenSignalIsRejectedBeforeTheResultFileIsOpened) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    const std::string signal = adresar + "/signal.txt";
    e2e::zapis(signal, "1 0,5 0\n");
    ocekavej(spust({"VnejsiSISO", soubor, "Vystup", vysledek, signal}), nacteno(soubor) + "Spatny format vstupu -> 0,5",
             1);
    EXPECT_FALSE(existuje(vysledek));
}

TEST_F(Driver, ResultFileIsEmptiedBeforeTheComputationRuns) {
    // Two signal lines are two columns, which the SISO system refuses only when it computes.
    const std::string soubor = data("driver_vnejsi_siso.txt");
    e2e::zapis(vysledek, "stary vysledek\n");
    ocekavej(spust({"VnejsiSISO", soubor, "Vystup", vysledek, data("driver_vstup_siso_dva_radky.txt")}),
             nacteno(soubor) + "Sloupce vstupu u VnejsiSISO je jedna", 1);
    ASSERT_TRUE(existuje(vysledek));
    EXPECT_EQ(precti(vysledek), "");
}

// ---------------------------------------------------------------- conversions

TEST_F(Driver, PrevodNaStavWritesTheLabelledStateSpaceFile) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    const std::string cil = adresar + "/stav.txt";
    ocekavej(spust({"VnejsiSISO", soubor, "PrevodNaStav", cil}), nacteno(soubor) + vytvoreno(cil), 0);
    EXPECT_EQ(precti(cil), precti(data("driver_vnejsi_siso_prevod.txt")));
}

TEST_F(Driver, PrevodNaVnejsiWritesTheLabelledExternalFile) {
    const std::string siso = data("driver_stav_siso.txt");
    const std::string cil = adresar + "/vnejsi.txt";
    ocekavej(spust({"StavSISO", siso, "PrevodNaVnejsi", cil}), nacteno(siso) + vytvoreno(cil), 0);
    EXPECT_EQ(precti(cil), precti(data("driver_stav_siso_prevod.txt")));

    const std::string mimo = data("driver_stav_mimo.txt");
    ocekavej(spust({"StavMIMO", mimo, "PrevodNaVnejsi", cil}), nacteno(mimo) + vytvoreno(cil), 0);
    EXPECT_EQ(precti(cil), precti(data("driver_stav_mimo_prevod.txt")));
}

TEST_F(Driver, ExternalMimoConvertsToStateSpace) {
    const std::string soubor = data("driver_vnejsi_mimo.txt");
    const std::string cil = adresar + "/stav.txt";
    ocekavej(spust({"VnejsiMIMO", soubor, "PrevodNaStav", cil}), nacteno(soubor) + vytvoreno(cil), 0);
    // The written file is labelled; the labels are what the reader refuses in it.
    const std::string zapsano = precti(cil);
    EXPECT_EQ(zapsano.substr(0, 3), "F:\n");
    ocekavej(spust({"StavMIMO", cil, "Stabilita"}), "Spatny format vstupu -> F:", 1);
}

TEST_F(Driver, ConversionInTheWrongDirectionCreatesNoFile) {
    const std::string stav = data("driver_stav_siso.txt");
    ocekavej(spust({"StavSISO", stav, "PrevodNaStav", vysledek}), nacteno(stav) + "Spatny parametr PrevodNaStav", 1);
    const std::string vnejsi = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", vnejsi, "PrevodNaVnejsi", vysledek}), nacteno(vnejsi) + "Spatny parametr PrevodNaVnejsi",
             1);
    EXPECT_FALSE(existuje(vysledek));
}

TEST_F(Driver, FailingConversionLeavesNoResultFile) {
    const std::string soubor = data("driver_stav_mimo_9x9.txt");
    ocekavej(spust({"StavMIMO", soubor, "PrevodNaVnejsi", vysledek}),
             nacteno(soubor) + "U prevodu stav -> vnejsi je max F rozmer 8x8\n", 1);
    EXPECT_FALSE(existuje(vysledek));
}

// ---------------------------------------------------------------- errors below the driver

TEST_F(Driver, ReaderErrorsComeBeforeTheLoadLine) {
    ocekavej(spust({"VnejsiSISO", data("driver_vnejsi_siso_carka.txt"), "Impulse", vysledek}),
             "Spatny format vstupu -> 0,5", 1);
    ocekavej(spust({"StavSISO", data("driver_stav_nerovne_radky.txt"), "Impulse", vysledek}),
             "Radky matice F nemaji stejny pocet hodnot (radek 2 souboru)\n", 1);
    ocekavej(spust({"StavSISO", data("driver_stav_siso_nul.txt"), "Stabilita"}),
             "Nepovoleny znak s kodem 0 (radek 2 souboru); hodnoty se oddeluji jen mezerou\n", 1);
    ocekavej(spust({"StavSISO", data("driver_stav_siso_dlouhy_radek.txt"), "Stabilita"}),
             "Chyba pri zpracovani vystupu\n stavSISO", 1);
    EXPECT_FALSE(existuje(vysledek));
}

TEST_F(Driver, CrlfSystemFileReadsLikeTheLfOne) {
    const std::string soubor = data("driver_stav_siso_crlf.txt");
    ocekavej(spust({"StavSISO", soubor, "Prechod", vysledek}), nacteno(soubor) + XI_2 + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_stav_siso_prechod.csv")));
}

TEST_F(Driver, SystemClassErrorsArePrintedAsTheyAre) {
    ocekavej(spust({"VnejsiSISO", data("driver_vnejsi_siso_jeden_radek.txt"), "Stabilita"}),
             "Jmenovatel u systemu ma nulovy stupen\n", 1);
    ocekavej(spust({"StavMIMO", data("driver_stav_mimo_h_1x3.txt"), "Stabilita"}),
             "Vstupy a vystupy u stavoveho popisu nejsou stejne\n", 1);
}

TEST_F(Driver, StateSpaceMimoTakesInputsFromGAndOutputsFromH) {
    // F 3x3, G 3x2, H 2x3, L 2x2: two inputs, two outputs, three states.
    const std::string soubor = data("driver_stav_mimo_3stavy.txt");
    const std::string xi3 =
        "1.0000 0.0000 ; 0.0000 ; 0.0000 \n0.0000 ; 1.0000 0.0000 ; 0.0000 \n0.0000 ; 0.0000 ; 1.0000 0.0000 \n\n";
    ocekavej(spust({"StavMIMO", soubor, "Stabilita"}), nacteno(soubor) + xi3 + "Je stabilni\n", 0);
}

TEST_F(Driver, CapacityErrorAddsTheRequestedSize) {
    // Diagonal polynomials of 251 coefficients: their product in det A exceeds the capacity.
    const std::string soubor = data("driver_vnejsi_mimo_velky_stupen.txt");
    ocekavej(spust({"VnejsiMIMO", soubor, "Stabilita"}),
             nacteno(soubor) + "Prekrocena max velikost Polynomu 500Dana velikost je 502\n", 1);
}
