// The command line end to end: argument grammar, order of checks and outputs, every message,
// exit status, an always empty standard error, and which result files exist afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_driver {

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

class Driver : public e2e::SAdresarem {
protected:
    std::string vysledek = adresar + "/vysledek.csv";
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

// --help, -h and --version alone print their text with status 0; beside other arguments they
// are options like any other, and unknown.
TEST_F(Driver, HelpAndVersionOnlyAsTheSoleArgument) {
    for (const char* napoveda : {"--help", "-h"}) {
        const e2e::Vysledek v = spust({napoveda});
        EXPECT_EQ(v.exit_status, 0);
        EXPECT_EQ(v.stdout_text.rfind("Pouziti: cldds [VOLBY] DRUH SOUBOR_SYSTEMU Stabilita\n", 0), 0u);
        for (const char* slovo : {"VnejsiMIMO", "StavMIMO", "Frekvence", "PrevodNaVnejsi", "--kroky N", "--vstup I",
                                  "--nuly ano|ne", "--zesileni ano|ne", "--rezervy ano|ne", "\nNavod: man cldds\n"})
            EXPECT_NE(v.stdout_text.find(slovo), std::string::npos) << slovo;
    }
    const e2e::Vysledek verze = spust({"--version"});
    EXPECT_EQ(verze.exit_status, 0);
    EXPECT_TRUE(std::regex_match(verze.stdout_text, std::regex("cldds [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << verze.stdout_text;
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"--help", "VnejsiSISO", soubor, "Stabilita"}), "Neznama volba ->--help\n", 1);
    ocekavej(spust({"-h", "x"}), "Spatny pocet parametru ->3 Musi byt presne 5 parametru nebo 7", 1);
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
    ocekavej(spust({"VnejsiSISO", soubor, "Frekvenc", vysledek}), nacteno(soubor) + "Spatne Zadany 3 parametr ->Frekvenc",
             1);
    ocekavej(spust({"VnejsiSISO", soubor, "poly", vysledek}), nacteno(soubor) + "Spatne Zadany 3 parametr ->poly", 1);
    EXPECT_FALSE(existuje(vysledek));
}

// ---------------------------------------------------------------- responses

TEST_F(Driver, ImpulseWritesTheReportAndBothLines) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse", vysledek}), nacteno(soubor) + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_impulse.csv")));
}

// Poly and Frekvence reports begin with exactly the header of the response reports: title,
// description and verdict, then an empty line.
TEST_F(Driver, PolyAndFrekvenceShareTheHeaderOfTheResponseReports) {
    const char* const druhy[][2] = {{"VnejsiSISO", "vnejsi_siso.txt"}, {"VnejsiMIMO", "vnejsi_mimo.txt"},
                                    {"StavSISO", "stav_siso.txt"}, {"StavMIMO", "stav_mimo.txt"}};
    for (const auto& [druh, soubor] : druhy) {
        const std::string odezva = precti((spust({druh, e2e::priklad(soubor), "Impulse", vysledek}), vysledek));
        const std::string hlavicka = odezva.substr(0, odezva.find("\n\n", odezva.find(" System ")) + 2);
        for (const std::string operace : {"Poly", "Frekvence"}) {
            SCOPED_TRACE(std::string(druh) + " " + operace);
            const e2e::Vysledek v = spust({druh, e2e::priklad(soubor), operace, vysledek});
            EXPECT_EQ(v.exit_status, 0);
            EXPECT_NE(v.stdout_text.find(vytvoreno(vysledek)), std::string::npos);
            const std::string zprava = precti(vysledek);
            EXPECT_EQ(zprava.substr(0, hlavicka.size()), hlavicka);
            EXPECT_EQ(zprava.substr(hlavicka.size(), 6), operace == "Poly" ? "Poly s" : "w;zesi");
        }
    }
    // 17 inputs and outputs: refused before any work, no file.
    std::string radek = "0";
    for (int i = 1; i < 17; ++i) radek += " 0";
    std::string system = "0.5\n\n" + radek + "\n\n";
    for (int i = 0; i < 17; ++i) system += "0\n";
    system += "\n";
    for (int i = 0; i < 17; ++i) system += radek + "\n";
    system += "\n0\n";
    const std::string soubor = adresar + "/sedmnact.txt";
    e2e::zapis(soubor, system);
    std::remove(vysledek.c_str());
    ocekavej(spust({"StavMIMO", soubor, "Frekvence", vysledek}),
             nacteno(soubor) + "U frekvencni charakteristiky je max 16 vstupu a vystupu, system jich ma 17\n", 1);
    EXPECT_FALSE(existuje(vysledek));
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

TEST_F(Driver, SignalOfTheWrongShapeLeavesTheResultFileAsItWas) {
    // The signal is checked against the system before the result file is opened.
    struct Pripad {
        std::string druh, system, signal, zprava;
    };
    const std::vector<Pripad> pripady = {
        {"VnejsiSISO", "driver_vnejsi_siso.txt", "1 1 1\n0 0 0\n", "Sloupce vstupu u VnejsiSISO je jedna"},
        {"StavSISO", "driver_stav_siso.txt", "", "Pocet sloupcu u vstupu StavSISO je 1\n"},
        {"VnejsiMIMO", "driver_vnejsi_mimo.txt", "1 0 0\n", "Radky vstupu neodpovidaji poctu vstup VnejsiMIMO"},
        {"StavMIMO", "driver_stav_mimo.txt", "1 0\n0 1\n1 1\n", "Radky vstupu neodpovidaji poctu vstupu StavMIMO"},
    };
    const std::string signal = adresar + "/signal.txt";
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.druh);
        e2e::zapis(signal, p.signal);
        e2e::zapis(vysledek, "stary vysledek\n");
        const std::string soubor = data(p.system);
        const e2e::Vysledek v = spust({p.druh, soubor, "Vystup", vysledek, signal});
        ocekavej(v, nacteno(soubor) + p.zprava, 1);
        EXPECT_EQ(precti(vysledek), "stary vysledek\n");
    }
}

TEST_F(Driver, ResultPathNamingAnInputFileIsRefusedAndTheInputKept) {
    // By its own path, another spelling of it, or a link to it.
    const std::string system = adresar + "/system.txt";
    const std::string signal = adresar + "/signal.txt";
    const std::string odkazSystem = adresar + "/odkaz_system.txt";
    const std::string odkazSignal = adresar + "/odkaz_signal.txt";
    const std::string obsahSystemu = precti(data("driver_vnejsi_siso.txt"));
    const std::string obsahSignalu = precti(data("driver_vstup_siso.txt"));
    e2e::zapis(system, obsahSystemu);
    e2e::zapis(signal, obsahSignalu);
    ASSERT_EQ(::symlink(system.c_str(), odkazSystem.c_str()), 0);
    ASSERT_EQ(::symlink(signal.c_str(), odkazSignal.c_str()), 0);
    struct Pripad {
        std::string operace, vysledek, vstup;
    };
    const std::vector<Pripad> pripady = {
        {"Impulse", system, system},
        {"PrevodNaStav", adresar + "/./system.txt", system},
        {"Prechod", odkazSystem, system},
        {"Vystup", odkazSystem, system},
        {"Vystup", signal, signal},
        {"Vystup", odkazSignal, signal},
        {"Poly", odkazSystem, system},
        {"Frekvence", system, system},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.operace + " " + p.vysledek);
        std::vector<std::string> argumenty = {"VnejsiSISO", system, p.operace, p.vysledek};
        if (p.operace == "Vystup") argumenty.push_back(signal);
        ocekavej(spust(argumenty),
                 nacteno(system) + "Vysledny soubor :" + p.vysledek + " je zaroven vstupnim souborem :" + p.vstup + "\n",
                 1);
        EXPECT_EQ(precti(system), obsahSystemu);
        EXPECT_EQ(precti(signal), obsahSignalu);
    }
}

TEST_F(Driver, StandardOutputThatCannotBeWrittenFailsTheRun) {
    const std::string soubor = data("driver_vnejsi_siso.txt");
    EXPECT_EQ(spust({"VnejsiSISO", soubor, "Stabilita"}, "/dev/full").exit_status, 1);
    // The report itself does not depend on the console and is written in full.
    EXPECT_EQ(spust({"VnejsiSISO", soubor, "Impulse", vysledek}, "/dev/full").exit_status, 1);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_impulse.csv")));
}

TEST_F(Driver, ValuesThatOverflowAreWrittenInfAndNan) {
    // 1 / (z^2 - 1e10 z + 1e10): the impulse response grows by 1e10 a step until it overflows
    // to inf; the next step subtracts inf from inf, and nan stays from there on.
    const std::string soubor = data("driver_vnejsi_siso_preteceni.txt");
    ocekavej(spust({"VnejsiSISO", soubor, "Impulse", vysledek}), nacteno(soubor) + vytvoreno(vysledek), 0);
    EXPECT_EQ(precti(vysledek), precti(data("driver_vnejsi_siso_preteceni_impulse.csv")));
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

}  // namespace e2e_driver
}  // namespace
