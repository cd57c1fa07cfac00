// The largest inputs the file formats allow, end to end: they are analysed, or refused up
// front with a message that names the limit. The files are generated into a fresh directory.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_meze {

namespace {

using e2e::nacteno;


// Rows of cells joined by ";", each cell a list of coefficients from power 0.
std::string diagonalniMIMO(int l, int stupen) {
    std::string a, b;
    for (int i = 0; i < l; ++i) {
        for (int j = 0; j < l; ++j) {
            if (j > 0) {
                a += ";";
                b += ";";
            }
            b += i == j ? "1" : "0";
            if (i != j) {
                a += "0";
                continue;
            }
            for (int k = 0; k < stupen; ++k) a += "0 ";
            a += "1";
        }
        a += "\n";
        b += "\n";
    }
    return b + "\n" + a;
}

using Meze = e2e::SAdresarem;

TEST_F(Meze, StateSpaceSystemOfTheWidestRowsIsAnalysed) {
    // 256 states, a cycle through all of them: eigenvalues the 256th roots of unity.
    std::string F;
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; ++j) F += std::string(j > 0 ? " " : "") + (j == (i + 1) % 256 ? "1" : "0");
        F += "\n";
    }
    std::string G, x0, H;
    for (int i = 0; i < 256; ++i) {
        G += "1\n";
        x0 += "0\n";
        H += std::string(i > 0 ? " " : "") + "1";
    }
    const std::string cesta = soubor("cyklus.txt", F + "\n" + G + "\n" + H + "\n\n0\n\n" + x0);
    const e2e::Vysledek v = e2e::spust({"StavSISO", cesta, "Stabilita"});
    EXPECT_EQ(v.exit_status, 0);
    ASSERT_EQ(v.stdout_text.rfind(nacteno(cesta), 0), 0u);
    const std::string xi = v.stdout_text.substr(nacteno(cesta).size());
    // x*I of 256 rows and an empty line, then the verdict.
    EXPECT_EQ(xi.rfind("1.0000 0.0000 ; 0.0000 ; 0.0000 ;", 0), 0u);
    std::size_t radky = 0;
    for (char c : xi) radky += c == '\n';
    EXPECT_EQ(radky, 256u + 1u + 1u);
    EXPECT_EQ(xi.substr(xi.size() - 13), "\nJe stabilni\n");
}

TEST_F(Meze, MatrixFractionWhoseDeterminantExceedsThePolynomialIsRefused) {
    // det A of five rows of degree 100 would have 501 coefficients.
    const std::string cesta = soubor("velky.txt", diagonalniMIMO(5, 100));
    const e2e::Vysledek v = e2e::spust({"VnejsiMIMO", cesta, "Stabilita"});
    EXPECT_EQ(v.stdout_text, nacteno(cesta) + "Prekrocena max velikost Polynomu 500Dana velikost je 501\n");
    EXPECT_EQ(v.exit_status, 1);
}

TEST_F(Meze, RealisationOfMoreThanAThousandStatesIsRefusedWithoutAResultFile) {
    const std::string cesta = soubor("realizace.txt", diagonalniMIMO(11, 91));
    const std::string vysledek = adresar + "/stav.txt";
    const e2e::Vysledek v = e2e::spust({"VnejsiMIMO", cesta, "PrevodNaStav", vysledek});
    EXPECT_EQ(v.stdout_text, nacteno(cesta) +
                                 "U prevodu vnejsi -> stav je max rad systemu 1000 (pocet radku matice A krat stupen "
                                 "jeji diagonaly)\n");
    EXPECT_EQ(v.exit_status, 1);
    EXPECT_FALSE(e2e::existuje(vysledek));
}

// Writes `zacatek`, then `kus` repeated `pocet` times, in blocks of about a megabyte.
void zapisOpakovane(const std::string& cesta, const std::string& zacatek, const std::string& kus, long pocet) {
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f << zacatek;
    const long vBloku = std::max(1L, (1L << 20) / static_cast<long>(kus.size()));
    std::string blok;
    for (long i = 0; i < vBloku; ++i) blok += kus;
    for (long zbyva = pocet; zbyva > 0; zbyva -= vBloku) {
        if (zbyva >= vBloku) {
            f << blok;
        } else {
            f << blok.substr(0, static_cast<std::size_t>(zbyva) * kus.size());
        }
    }
}

TEST_F(Meze, HugeInvalidFilesAreRefusedAtTheirFirstSurplusLine) {
    // Tens of megabytes that no valid file reaches are not read whole: the run stays in a few
    // megabytes (a valid file never needs more than the 256-state systems above).
    std::string radek256;
    for (int j = 0; j < 256; ++j) radek256 += j > 0 ? " 1" : "1";
    radek256 += "\n";
    struct Pripad {
        std::string nazev, druh, zacatek, kus;
        long pocet;
        bool signal;  // the generated file is the signal of Vystup, not the system
        std::string zprava;
    };
    const std::string system1 = "1\n\n1\n\n1\n\n0\n\n";
    const std::vector<Pripad> pripady = {
        {"G of 131072 rows", "StavSISO", "1\n\n", radek256, 131072, false,
         "Matice G ma vice nez 1 radku, kolik jich ma matice F (radek 4 souboru)\n"},
        {"x0 of 32 million lines", "StavSISO", system1, "0\n", 32'000'000, false,
         "Pocatecni stav x0 ma vice nez 1 radku, kolik jich ma matice F (radek 10 souboru)\n"},
        {"line ends only", "StavMIMO", "", "\n", 32'000'000, false,
         "Soubor ma vice nez 65536 radku (radek 65537 souboru)\n"},
        {"signal of 131072 lines", "VnejsiMIMO", "", radek256, 131072, true,
         "Radky vstupu neodpovidaji poctu vstup VnejsiMIMO"},
    };
    const std::string generovany = adresar + "/velky.txt";
    const std::string vysledek = adresar + "/vysledek.csv";
    const std::string mimo = e2e::priklad("vnejsi_mimo.txt");
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        zapisOpakovane(generovany, p.zacatek, p.kus, p.pocet);
        const e2e::Vysledek v = p.signal ? e2e::spust({p.druh, mimo, "Vystup", vysledek, generovany})
                                         : e2e::spust({p.druh, generovany, "Stabilita"});
        EXPECT_EQ(v.stdout_text, (p.signal ? nacteno(mimo) : "") + p.zprava);
        EXPECT_EQ(v.exit_status, 1);
        if (e2e::pametMeritelna) {
            EXPECT_LT(v.pametKB, 50 * 1024);
        }
        EXPECT_FALSE(e2e::existuje(vysledek));
        std::remove(generovany.c_str());
    }
}

}  // namespace

}  // namespace e2e_meze
}  // namespace
