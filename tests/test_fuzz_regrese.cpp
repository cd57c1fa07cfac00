// Replays, through the fuzz targets' own code, every input kept under tests/fuzz/regrese/<target>/
// (inputs that crashed, leaked, hung or broke a promise of the program in some version)
// and every seed under tests/fuzz/corpus/<target>/. Each must finish within a generous limit of
// processor time and escape with nothing but the program's own errors, which the targets absorb.
// Memory errors and undefined behaviour show up when this runs under the sanitizers
// (make test-sanitize).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cile_fuzz.h"

namespace {
namespace test_fuzz_regrese {

namespace {

namespace fs = std::filesystem;

struct Vstup {
    std::string cil;    // target name, the name of the directory
    std::string druh;   // "regrese" or "corpus"
    fs::path cesta;
};

// Names the input by its file (listings and failures) instead of dumping its bytes.
void PrintTo(const Vstup& vstup, std::ostream* os) { *os << vstup.cesta.filename().string(); }

std::vector<Vstup> vsechnyVstupy() {
    std::vector<Vstup> vstupy;
    for (const char* druh : {"regrese", "corpus"}) {
        for (const std::string& cil : fuzz::jmenaCilu()) {
            const fs::path adresar = fs::path(CLDDS_FUZZ_DATA) / druh / cil;
            std::error_code chyba;
            if (!fs::is_directory(adresar, chyba)) continue;
            std::vector<fs::path> soubory;
            for (const auto& polozka : fs::directory_iterator(adresar))
                if (polozka.is_regular_file()) soubory.push_back(polozka.path());
            std::sort(soubory.begin(), soubory.end());
            for (const fs::path& soubor : soubory) vstupy.push_back({cil, druh, soubor});
        }
    }
    return vstupy;
}

std::string jmenoTestu(const ::testing::TestParamInfo<Vstup>& info) {
    std::string jmeno = info.param.druh + "_" + info.param.cil + "_" + info.param.cesta.stem().string();
    for (char& c : jmeno)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return jmeno;
}

std::string obsah(const fs::path& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The fuzzers give up on an input after 10 s. The replay measures the processor time of its
// own thread, which a busy machine does not stretch, and allows six times that, for the
// sanitizers' slowdown: the limit catches an input that hangs again, not a slow machine.
const double LIMIT_SEKUND = 60.0;

double casProcesoru() {
    timespec cas {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cas);
    return static_cast<double>(cas.tv_sec) + 1e-9 * static_cast<double>(cas.tv_nsec);
}

class UlozenyVstup : public ::testing::TestWithParam<Vstup> {};

}  // namespace

TEST_P(UlozenyVstup, RunsThroughItsTargetWithoutFaultInTime) {
    const Vstup& vstup = GetParam();
    const fuzz::Cil cil = fuzz::cil(vstup.cil);
    ASSERT_NE(cil, nullptr) << vstup.cil;
    const std::string data = obsah(vstup.cesta);
    const double zacatek = casProcesoru();
    EXPECT_NO_THROW(cil(reinterpret_cast<const std::uint8_t*>(data.data()), data.size())) << vstup.cesta;
    EXPECT_LT(casProcesoru() - zacatek, LIMIT_SEKUND) << vstup.cesta;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, UlozenyVstup, ::testing::ValuesIn(vsechnyVstupy()), jmenoTestu);

// The layout the fuzz runs depend on: every target has seeds to start from, and no directory
// holds inputs for a target that does not exist (they would never be replayed).
TEST(FuzzAdresare, EveryTargetHasSeedsAndEveryDirectoryATarget) {
    for (const std::string& cil : fuzz::jmenaCilu()) {
        const fs::path seminka = fs::path(CLDDS_FUZZ_DATA) / "corpus" / cil;
        ASSERT_TRUE(fs::is_directory(seminka)) << seminka;
        EXPECT_FALSE(fs::is_empty(seminka)) << seminka;
    }
    for (const char* druh : {"regrese", "corpus"}) {
        const fs::path koren = fs::path(CLDDS_FUZZ_DATA) / druh;
        if (!fs::is_directory(koren)) continue;
        for (const auto& polozka : fs::directory_iterator(koren))
            EXPECT_NE(fuzz::cil(polozka.path().filename().string()), nullptr) << polozka.path();
    }
}

// The harness itself: a promise broken inside a target reaches the caller, the program's own
// errors do not, and the console is given back afterwards.
TEST(FuzzCile, OwnErrorsAreAbsorbedAndBrokenPromisesReported) {
    EXPECT_FALSE(fuzz::proved([] { throw vyjm::ConvertError("x"); }));
    EXPECT_TRUE(fuzz::proved([] {}));
    EXPECT_THROW(fuzz::proved([] { throw std::length_error("x"); }), std::length_error);
    EXPECT_THROW(fuzz::zkontrolujZpravu("Titulek\n System je stabilni \n\n1\n", true, 2), fuzz::Porucha);
    EXPECT_NO_THROW(fuzz::zkontrolujZpravu("Titulek\n System neni stabilni\n\n1\n2\n", false, 2));

    std::streambuf* const puvodni = std::cout.rdbuf();
    {
        fuzz::TichaKonzole ticho;
        std::cout << "abc" << std::fixed;
        EXPECT_EQ(ticho.naVystup(), 3u);
        EXPECT_EQ(ticho.naChyby(), 0u);
    }
    EXPECT_EQ(std::cout.rdbuf(), puvodni);
    EXPECT_FALSE(std::cout.flags() & std::ios::fixed);
}

}  // namespace test_fuzz_regrese
}  // namespace
