// The writer of whole files on the paths that the end-to-end runs do not reach: names at the
// length limit, targets that cannot be replaced, and a writer abandoned before potvrd().

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CelySoubor.h"
#include "e2e.h"

namespace {
namespace test_cely_soubor {

namespace {

namespace fs = std::filesystem;

// Writes the text whole; the kind of failure, or none.
std::string zapis(const std::string& cesta, const std::string& text) {
    try {
        CelySoubor soubor(cesta);
        soubor.proud() << text;
        soubor.potvrd();
        return "";
    } catch (const ChybaSouboru& e) {
        EXPECT_EQ(e.cesta(), cesta);
        return e.druh() == ChybaSouboru::Druh::Otevreni ? "otevreni" : "zapis";
    }
}

class CelySouborTest : public e2e::SAdresarem {
protected:
    std::size_t pocet() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(adresar), {})); }
};

}  // namespace

// A name of 255 bytes leaves no room for a suffix: the temporary name is cut, the file written.
TEST_F(CelySouborTest, LongestFileNameIsWritten) {
    const std::string cesta = adresar + "/" + std::string(255, 'a');
    EXPECT_EQ(zapis(cesta, "text\n"), "");
    EXPECT_EQ(e2e::precti(cesta), "text\n");
    EXPECT_EQ(pocet(), 1u);
}

// Targets that are refused before anything is written, and devices written in place.
TEST_F(CelySouborTest, TargetsThatCannotBeReplaced) {
    struct Pripad {
        std::string cesta;
        std::string chyba;
    };
    const std::vector<Pripad> pripady = {
        {"", "otevreni"},
        {adresar, "otevreni"},
        {adresar + "/chybi/soubor.txt", "otevreni"},
        {"/dev/null", ""},
        {"/dev/full", "zapis"},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(zapis(p.cesta, "text\n"), p.chyba) << p.cesta;
    EXPECT_EQ(pocet(), 0u);
}

// A writer dropped without potvrd() (an exception while the text was computed) removes its
// temporary file and leaves the old file as it was.
TEST_F(CelySouborTest, AbandonedWriterLeavesTheOldFile) {
    const std::string cesta = adresar + "/vysledek.txt";
    e2e::zapis(cesta, "old\n");
    {
        CelySoubor soubor(cesta);
        soubor.proud() << "half of a new";
        EXPECT_EQ(pocet(), 2u);
    }
    EXPECT_EQ(e2e::precti(cesta), "old\n");
    EXPECT_EQ(pocet(), 1u);
}

}  // namespace test_cely_soubor
}  // namespace
