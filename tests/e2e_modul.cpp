// The module of exact arithmetic is loaded only from beside the tool's real path (or where the
// installation puts it relative to it): a missing, truncated, foreign or incomplete module is
// refused with a message and the old result kept; a library planted in the working directory
// never runs; a result path never names the tool or its module.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProtokolModulu.h"
#include "e2e.h"

namespace {
namespace e2e_modul {

namespace {

namespace fs = std::filesystem;

const std::string MODUL = "libcldds_presne.so";

std::string modulSestaveni() { return fs::path(CLDDS_BINARY).parent_path().string() + "/" + MODUL; }

// A library of the given C++ source, built with the system's compiler; false without one.
bool prelozModul(const std::string& zdroj, const std::string& cil) {
    const std::string soubor = cil + ".cpp";
    e2e::zapis(soubor, zdroj);
    const e2e::Vysledek v =
        e2e::spust({"-c", "c++ -shared -fPIC -o \"$0\" \"$1\"", cil, soubor}, "", "/bin/sh");
    fs::remove(soubor);
    return v.exit_status == 0 && fs::exists(cil);
}

// A library of the right protocol version without the other entry points.
const std::string JEN_VERZE =
    "extern \"C\" int cldds_verze_protokolu() { return " + std::to_string(protokol::VERZE_MODULU) + "; }\n";

// The same, leaving the file "zasazeny_bezel" in the working directory when it is loaded.
const std::string ZASAZENY = JEN_VERZE +
    "#include <cstdio>\n"
    "__attribute__((constructor)) static void bezi() { if (std::FILE* f = std::fopen(\"zasazeny_bezel\", \"w\")) "
    "std::fclose(f); }\n";

class Modul : public e2e::SAdresarem {
protected:
    std::string bin = adresar + "/bin";
    std::string nastroj = bin + "/cldds";
    std::string system = adresar + "/kruh.txt";
    std::string vysledek = adresar + "/vysledek.txt";
    const std::string STARY = "the report of an earlier run\n";

    void SetUp() override {
        fs::create_directories(bin);
        fs::copy_file(CLDDS_BINARY, nastroj);
        // Poles +-i on the unit circle: only the exact path decides the verdict.
        e2e::zapis(system, "1\n1 0 1\n");
        e2e::zapis(vysledek, STARY);
    }
    e2e::Vysledek impulse() const { return e2e::spust({"VnejsiSISO", system, "Impulse", vysledek}, "", nastroj); }
};

}  // namespace

// Each module placed beside the tool copy: the run's status and message, and the old result
// kept whenever the module is refused.
TEST_F(Modul, MissingBrokenOrForeignModuleIsRefusedAndTheOldResultKept) {
    const std::string beside = bin + "/" + MODUL;
    const std::string instalace = bin + "/../lib/cldds/" + MODUL;
    const std::string pred = "Modul presne aritmetiky :" + beside;
    const std::string cely = e2e::precti(modulSestaveni());
    struct Pripad {
        const char* nazev;
        std::string obsah;   // the module's bytes; empty: none
        std::string zdroj;   // or a library built from this source
        std::string zprava;  // empty: the run succeeds
    };
    const std::vector<Pripad> pripady = {
        {"missing", "", "", "Modul presne aritmetiky se nepodarilo nacist (" + beside + ", " + instalace + ")\n"},
        {"truncated", cely.substr(0, cely.size() / 2), "", pred + " je poskozeny\n"},
        {"cut short", cely.substr(0, cely.size() - 100), "", pred + " je poskozeny\n"},
        {"not a library", "\x7f" "ELF but nothing more\n", "", pred + " je poskozeny\n"},
        {"another version", "", "extern \"C\" int cldds_verze_protokolu() { return 999; }\n",
         pred + " patri k jine verzi programu (protokol 999, program potrebuje " +
             std::to_string(protokol::VERZE_MODULU) + ")\n"},
        {"no version", "", "extern \"C\" int cldds_presna_stabilita() { return 1; }\n",
         pred + " patri k jine verzi programu (protokol 0, program potrebuje " +
             std::to_string(protokol::VERZE_MODULU) + ")\n"},
        {"entry points missing", "", JEN_VERZE, pred + " nema vsechny vstupni body\n"},
        {"the module itself", cely, "", ""},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        fs::remove(beside);
        if (!p.obsah.empty()) e2e::zapis(beside, p.obsah);
        if (!p.zdroj.empty() && !prelozModul(p.zdroj, beside)) {
            ADD_FAILURE() << "no compiler (c++) to build a test library";
            continue;
        }
        e2e::zapis(vysledek, STARY);
        const e2e::Vysledek v = impulse();
        EXPECT_EQ(v.stderr_text, "");
        if (p.zprava.empty()) {
            EXPECT_EQ(v.exit_status, 0) << v.stdout_text;
            EXPECT_NE(e2e::precti(vysledek), STARY);
        } else {
            EXPECT_EQ(v.exit_status, 1);
            EXPECT_EQ(v.stdout_text, e2e::nacteno(system) + p.zprava);
            EXPECT_EQ(e2e::precti(vysledek), STARY);
        }
    }
}

// The installed layout: bin/cldds finds lib/cldds/libcldds_presne.so.
TEST_F(Modul, InstalledLayoutFindsTheModuleRelativeToTheTool) {
    fs::create_directories(adresar + "/lib/cldds");
    fs::copy_file(modulSestaveni(), adresar + "/lib/cldds/" + MODUL);
    const e2e::Vysledek v = e2e::spust({"VnejsiSISO", system, "Stabilita"}, "", nastroj);
    EXPECT_EQ(v.stdout_text, e2e::nacteno(system) + "Je stabilni\n");
}

// A library in the working directory never runs: neither when the tool has no module of its
// own, nor when the tool cannot read its own path (/proc hidden in a mount namespace, where
// that can be made).
TEST_F(Modul, LibraryPlantedInTheWorkingDirectoryNeverRuns) {
    if (!prelozModul(ZASAZENY, adresar + "/" + MODUL)) GTEST_SKIP() << "no compiler (c++) to build a test library";
    const std::string prikaz = "cd \"$0\" && exec \"$1\" VnejsiSISO kruh.txt Poly poly.txt";
    const e2e::Vysledek v = e2e::spust({"-c", prikaz, adresar, nastroj}, "", "/bin/sh");
    EXPECT_EQ(v.exit_status, 1);
    EXPECT_NE(v.stdout_text.find("Modul presne aritmetiky se nepodarilo nacist (" + bin), std::string::npos)
        << v.stdout_text;
    EXPECT_FALSE(fs::exists(adresar + "/zasazeny_bezel"));

    const std::string bezProc = "mount -t tmpfs none /proc && " + prikaz;
    const e2e::Vysledek skryty =
        e2e::spust({"-m", "/bin/sh", "-c", bezProc, adresar, nastroj}, "", "/usr/bin/unshare");
    if (skryty.stdout_text.find("Soubor Nacten!") == std::string::npos)
        GTEST_SKIP() << "/proc cannot be hidden here: " << skryty.stderr_text;
    EXPECT_FALSE(fs::exists(adresar + "/zasazeny_bezel"));
    // The sanitizers' runtime needs /proc itself and writes its complaints to standard error.
    if (!skryty.stderr_text.empty()) GTEST_SKIP() << "the tool's runtime needs /proc: " << skryty.stderr_text.substr(0, 200);
    // Refused, unless a module is installed at the installation's own place.
    if (skryty.exit_status != 0) {
        EXPECT_NE(skryty.stdout_text.find("umisteni programu nelze zjistit"), std::string::npos) << skryty.stdout_text;
    }
}

// The tool and its module are never a result file, by any name.
TEST_F(Modul, ResultPathNamingTheToolOrItsModuleIsRefused) {
    const std::string modul = bin + "/" + MODUL;
    fs::copy_file(modulSestaveni(), modul);
    const std::string odkaz = adresar + "/odkaz.so";
    fs::create_symlink(modul, odkaz);
    const std::string nastrojPred = e2e::precti(nastroj);
    const std::string modulPred = e2e::precti(modul);
    for (const auto& [cesta, soubor] : std::vector<std::pair<std::string, std::string>>{
             {modul, modul}, {odkaz, modul}, {nastroj, nastroj}}) {
        const e2e::Vysledek v = e2e::spust({"VnejsiSISO", system, "Impulse", cesta}, "", nastroj);
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_EQ(v.stdout_text, e2e::nacteno(system) + "Vysledny soubor :" + cesta + " je soucasti programu :" + soubor + "\n");
    }
    EXPECT_EQ(e2e::precti(nastroj), nastrojPred);
    EXPECT_EQ(e2e::precti(modul), modulPred);
}

}  // namespace e2e_modul
}  // namespace
