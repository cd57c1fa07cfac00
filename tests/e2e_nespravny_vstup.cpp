// Broken and hostile system files through the real tool, for every kind: one table row per
// case with the exact exit status, the exact standard output (errors) or its first and last
// line (successes), an empty standard error, and whether the result file exists afterwards.
// Readable inputs live in tests/data/nespravny_*; binary, invisible and long ones are
// generated from a valid file of the kind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_nespravny_vstup {

namespace {

using e2e::nacteno;
using e2e::vytvoreno;
using e2e::nelzeOtevrit;

using e2e::data;
using e2e::existuje;
using e2e::priklad;
using e2e::spust;

std::string format(const std::string& kus) { return "Spatny format vstupu -> " + kus; }
std::string znak(int kod, int radek) {
    return "Nepovoleny znak s kodem " + std::to_string(kod) + " (radek " + std::to_string(radek) +
           " souboru); hodnoty se oddeluji jen mezerou\n";
}
const std::string DLOUHY_RADEK = "Chyba pri zpracovani vystupu\n stavSISO";

// ---------------------------------------------------------------- the kinds

struct Druh {
    std::string jmeno;
    std::string platny;      // a valid system file of the kind
    std::string prazdny;     // the message for a file without any value
    std::string signal;      // a valid input signal for the kind (example file)
};

const std::vector<Druh>& druhy() {
    static const std::vector<Druh> d = {
        {"VnejsiSISO", "0.5 1\n0.15 -0.8 1\n", "Jmenovatel u systemu ma nulovy stupen\n", "vstup_siso.txt"},
        {"VnejsiMIMO", "1;0.5\n0;1\n\n-0.5 1;0.25\n0;-0.2 1\n", "Nulove rozmery Matic A,B\n", "vstup_mimo.txt"},
        {"StavSISO", "0.5 0.1\n0 0.8\n\n1\n0.5\n\n1 0\n\n0\n\n0\n0\n",
         "Matice F je prazdna, system nema zadny stav\n", "vstup_siso.txt"},
        {"StavMIMO", "0.5 0.2\n-0.1 0.6\n\n1 0\n0 1\n\n1 0\n0.5 1\n\n0 0\n0 0.5\n\n0\n0\n",
         "Matice F je prazdna, system nema zadny stav\n", "vstup_mimo.txt"},
    };
    return d;
}

// ---------------------------------------------------------------- changes of a valid file

std::size_t konecPrvnihoRadku(const std::string& s) { return s.find('\n'); }

// The first line padded with blanks to `delka` characters (blanks at the end are allowed).
std::string prvniRadekDlouhy(const std::string& s, std::size_t delka) {
    std::string t = s;
    const std::size_t konec = konecPrvnihoRadku(t);
    t.insert(konec, delka - konec, ' ');
    return t;
}

// The first value of the file replaced by `cislo`.
std::string prvniHodnota(const std::string& s, const std::string& cislo) {
    const std::size_t konec = s.find_first_of(" ;\n");
    return cislo + s.substr(konec);
}

std::string crlf(const std::string& s) {
    std::string t;
    for (char c : s) {
        if (c == '\n') t += '\r';
        t += c;
    }
    return t;
}

// ---------------------------------------------------------------- the table

enum class Zdroj { Data, Obsah, Adresar, Cesta };

struct Pripad {
    std::string nazev;
    std::string druh;
    Zdroj zdroj;
    std::string system;  // file name in tests/data, content, or path (by zdroj)
    int status;
    // Errors: the whole standard output after the load line (nacteno) or without it.
    // Successes (status 0): empty; the output must begin with the load line and end with the
    // file line.
    std::string vystup;
    bool nacteno;
    bool soubor;                  // the result file exists afterwards
    std::string signal = "";      // tests/data or examples file: "Vystup" instead of "Impulse"
    bool vysledekBezAdresare = false;  // the result path lies in a missing directory
};

Pripad chyba(std::string nazev, const std::string& druh, Zdroj zdroj, std::string system, std::string vystup) {
    return {std::move(nazev), druh, zdroj, std::move(system), 1, std::move(vystup), false, false};
}

Pripad uspech(std::string nazev, const std::string& druh, Zdroj zdroj, std::string system) {
    return {std::move(nazev), druh, zdroj, std::move(system), 0, "", true, true};
}

// The cases that every kind shares, generated from its valid file.
void spolecnePripady(const Druh& d, std::vector<Pripad>& t) {
    const std::string& j = d.jmeno;
    t.push_back(chyba("PrazdnySoubor", j, Zdroj::Obsah, "", d.prazdny));
    t.push_back(chyba("JenPrazdneRadky", j, Zdroj::Obsah, "\n\n\n\n", d.prazdny));
    t.push_back(chyba("JenMezery", j, Zdroj::Obsah, "   \n \n     ", d.prazdny));
    t.push_back(chyba("BinarniData", j, Zdroj::Obsah, std::string("\x7f" "ELF\x02\x01\x01\0\0\0\n\x03\0>\0", 15),
                      znak(127, 1)));
    std::string snul = d.platny;
    snul.insert(1, 1, '\0');
    t.push_back(chyba("NulVRadku", j, Zdroj::Obsah, snul, znak(0, 1)));
    std::string tab = d.platny;
    const std::size_t mezera = tab.find(' ');
    tab[mezera] = '\t';
    const int radekTabu = 1 + static_cast<int>(std::count(tab.begin(), tab.begin() + static_cast<long>(mezera), '\n'));
    t.push_back(chyba("Tabulator", j, Zdroj::Obsah, tab, znak(9, radekTabu)));
    t.push_back(chyba("Radek512Znaku", j, Zdroj::Obsah, prvniRadekDlouhy(d.platny, 512), DLOUHY_RADEK));
    t.push_back(uspech("Radek511Znaku", j, Zdroj::Obsah, prvniRadekDlouhy(d.platny, 511)));
    t.push_back(uspech("Radek511ZnakuSCrlf", j, Zdroj::Obsah, crlf(prvniRadekDlouhy(d.platny, 511))));
    t.push_back(uspech("Crlf", j, Zdroj::Obsah, crlf(d.platny)));
    const std::string mimoRozsah = "1" + std::string(400, '0');
    t.push_back(chyba("DlouheCisloMimoRozsah", j, Zdroj::Obsah, prvniHodnota(d.platny, mimoRozsah), format(mimoRozsah)));
    t.push_back(uspech("DlouheCisloVRozsahu", j, Zdroj::Obsah, prvniHodnota(d.platny, "0." + std::string(300, '0') + "5")));
    t.push_back(chyba("AdresarMistoSouboru", j, Zdroj::Adresar, "", ""));
    t.push_back(chyba("NecitelnySoubor", j, Zdroj::Cesta, "/proc/self/mem", nelzeOtevrit("/proc/self/mem")));
    // An endless stream of NUL bytes ends at the line limit, not with the memory.
    t.push_back(chyba("NekonecnyProudNul", j, Zdroj::Cesta, "/dev/zero", DLOUHY_RADEK));
    Pripad bezAdresare = chyba("VysledekVNeexistujicimAdresari", j, Zdroj::Obsah, d.platny, "");
    bezAdresare.nacteno = true;
    bezAdresare.vysledekBezAdresare = true;
    t.push_back(bezAdresare);
}

// The readable files in tests/data: "1,5", "nan", "inf", "1e400", "-0", ragged rows, a missing
// block, an extra block and labels, for each kind.
void souboroveRadky(std::vector<Pripad>& t) {
    const auto d = [](const char* jmeno) { return std::string("nespravny_") + jmeno + ".txt"; };
    const Zdroj D = Zdroj::Data;

    t.push_back(chyba("Carka", "VnejsiSISO", D, d("vnejsi_siso_carka"), format("-0,8")));
    t.push_back(chyba("Nan", "VnejsiSISO", D, d("vnejsi_siso_nan"), format("nan")));
    t.push_back(chyba("Inf", "VnejsiSISO", D, d("vnejsi_siso_inf"), format("inf")));
    t.push_back(chyba("Exponent400", "VnejsiSISO", D, d("vnejsi_siso_1e400"), format("1e400")));
    t.push_back(uspech("ZapornaNula", "VnejsiSISO", D, d("vnejsi_siso_minus_nula")));
    t.push_back(chyba("ChybiBlok", "VnejsiSISO", D, d("vnejsi_siso_chybi_blok"), "Jmenovatel u systemu ma nulovy stupen\n"));
    // Lines after the second polynomial are not read at all.
    t.push_back(uspech("NavicBlok", "VnejsiSISO", D, d("vnejsi_siso_navic_blok")));
    t.push_back(chyba("Stitky", "VnejsiSISO", D, d("vnejsi_siso_stitky"), format("B:")));
    Pripad signalSISO{"NerovneRadkySignalu", "VnejsiSISO", D, "driver_vnejsi_siso.txt", 1,
                      "Radky vstupniho signalu nemaji stejny pocet hodnot (radek 2 souboru)\n", true, false,
                      "nespravny_vstup_siso_nerovne_radky.txt"};
    t.push_back(signalSISO);

    t.push_back(chyba("Carka", "VnejsiMIMO", D, d("vnejsi_mimo_carka"), format("0,5")));
    t.push_back(chyba("Nan", "VnejsiMIMO", D, d("vnejsi_mimo_nan"), format("nan")));
    t.push_back(chyba("Inf", "VnejsiMIMO", D, d("vnejsi_mimo_inf"), format("inf")));
    t.push_back(chyba("Exponent400", "VnejsiMIMO", D, d("vnejsi_mimo_1e400"), format("1e400")));
    t.push_back(uspech("ZapornaNula", "VnejsiMIMO", D, d("vnejsi_mimo_minus_nula")));
    t.push_back(chyba("NerovneRadky", "VnejsiMIMO", D, d("vnejsi_mimo_nerovne_radky"),
                      "Radky matice B nemaji stejny pocet bunek (radek 2 souboru)\n"));
    t.push_back(chyba("ChybiBlok", "VnejsiMIMO", D, d("vnejsi_mimo_chybi_blok"), "Nulove rozmery Matic A,B\n"));
    t.push_back(chyba("NavicBlok", "VnejsiMIMO", D, d("vnejsi_mimo_navic_blok"),
                      "Soubor vnejsiho popisu MIMO ma vice nez dva bloky, B a A (radek 7 souboru)\n"));
    t.push_back(chyba("Stitky", "VnejsiMIMO", D, d("vnejsi_mimo_stitky"), format("B:")));
    // A and B are square and a line holds at most 256 cells: a 257th row is refused while
    // reading, before thousands of rows of polynomials could use up the memory.
    std::string radky;
    for (int r = 0; r < 300; ++r) radky += "1\n";
    t.push_back(chyba("PrilisMnohoRadku", "VnejsiMIMO", Zdroj::Obsah, radky,
                      "Matice B ma vice nez 256 radku, radek pojme jen 256 bunek a matice neni ctvercova "
                      "(radek 257 souboru)\n"));
    // det A of degree 500 does not fit a polynomial: the report's verdict fails while the
    // report is written, and no result file appears.
    Pripad kapacita = chyba("DeterminantNadKapacitu", "VnejsiMIMO", D, d("vnejsi_mimo_velky_determinant"),
                            "Prekrocena max velikost Polynomu 500Dana velikost je 502\n");
    kapacita.nacteno = true;
    t.push_back(kapacita);

    t.push_back(chyba("Carka", "StavSISO", D, d("stav_siso_carka"), format("0,5")));
    t.push_back(chyba("Nan", "StavSISO", D, d("stav_siso_nan"), format("nan")));
    t.push_back(chyba("Inf", "StavSISO", D, d("stav_siso_inf"), format("-inf")));
    t.push_back(chyba("Exponent400", "StavSISO", D, d("stav_siso_1e400"), format("1e400")));
    t.push_back(uspech("ZapornaNula", "StavSISO", D, d("stav_siso_minus_nula")));
    t.push_back(chyba("NerovneRadky", "StavSISO", D, d("stav_siso_nerovne_radky"),
                      "Radky matice F nemaji stejny pocet hodnot (radek 2 souboru)\n"));
    t.push_back(chyba("ChybiBlok", "StavSISO", D, d("stav_siso_chybi_blok"),
                      "Matice L musi mit jeden radek a jeden sloupec\n"));
    t.push_back(chyba("NavicBlok", "StavSISO", D, d("stav_siso_navic_blok"),
                      "Soubor stavoveho popisu ma vice nez pet bloku F, G, H, L, x0 (radek 14 souboru)\n"));
    t.push_back(chyba("Stitky", "StavSISO", D, d("stav_siso_stitky"), format("F:")));

    t.push_back(chyba("Carka", "StavMIMO", D, d("stav_mimo_carka"), format("0,5")));
    t.push_back(chyba("Nan", "StavMIMO", D, d("stav_mimo_nan"), format("NaN")));
    t.push_back(chyba("Inf", "StavMIMO", D, d("stav_mimo_inf"), format("infinity")));
    t.push_back(chyba("Exponent400", "StavMIMO", D, d("stav_mimo_1e400"), format("-1e400")));
    t.push_back(uspech("ZapornaNula", "StavMIMO", D, d("stav_mimo_minus_nula")));
    t.push_back(chyba("NerovneRadky", "StavMIMO", D, d("stav_mimo_nerovne_radky"),
                      "Radky matice L nemaji stejny pocet hodnot (radek 11 souboru)\n"));
    t.push_back(chyba("ChybiBlok", "StavMIMO", D, d("stav_mimo_chybi_blok"),
                      "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n"));
    t.push_back(chyba("NavicBlok", "StavMIMO", D, d("stav_mimo_navic_blok"),
                      "Soubor stavoveho popisu ma vice nez pet bloku F, G, H, L, x0 (radek 16 souboru)\n"));
    t.push_back(chyba("Stitky", "StavMIMO", D, d("stav_mimo_stitky"), format("G:")));
    // A block with more rows than the blocks before it allow is refused at that row: for
    // StavMIMO in the words of the system's own shape checks, for StavSISO naming the row.
    const std::string F2 = "0.5 0\n0 0.5\n\n", G2 = "1 0\n0 1\n\n", H2 = "1 0\n0 1\n\n", L2 = "0 0\n0 0\n\n";
    const std::string x0 = "0\n0\n", radekNavic = "1 1\n\n";
    const Zdroj O = Zdroj::Obsah;
    t.push_back(chyba("RadekFNavic", "StavMIMO", O, "0.5 0\n0 0.5\n" + radekNavic + G2 + H2 + L2 + x0,
                      "Matice F neni ctvercova\n"));
    t.push_back(chyba("RadekGNavic", "StavMIMO", O, F2 + "1 0\n0 1\n" + radekNavic + H2 + L2 + x0,
                      "Matice F nema stejny pocet radku jako Matice G radku\n"));
    t.push_back(chyba("RadekHNavic", "StavMIMO", O, F2 + G2 + "1 0\n0 1\n" + radekNavic + L2 + x0,
                      "Vstupy a vystupy u stavoveho popisu nejsou stejne\n"));
    t.push_back(chyba("RadekLNavic", "StavMIMO", O, F2 + G2 + H2 + "0 0\n0 0\n" + radekNavic + x0,
                      "Matice L nema stejny pocet radku jako Matice H radku\n"));
    t.push_back(chyba("RadekX0Navic", "StavMIMO", O, F2 + G2 + H2 + L2 + x0 + "0\n",
                      "Pocatecni stav x0 ma vice nez 2 radku, kolik jich ma matice F (radek 15 souboru)\n"));
    t.push_back(chyba("RadekHNavic", "StavSISO", O, "0.5\n\n1\n\n1\n1\n\n0\n\n0\n",
                      "Matice H ma vice nez 1 radku, kolik ma matice G sloupcu (radek 6 souboru)\n"));
    Pripad signalMIMO{"NerovneRadkySignalu", "StavMIMO", D, "driver_stav_mimo.txt", 1,
                      "Radky vstupniho signalu nemaji stejny pocet hodnot (radek 2 souboru)\n", true, false,
                      "nespravny_vstup_mimo_nerovne_radky.txt"};
    t.push_back(signalMIMO);
}

// Names the row in listings and failures instead of dumping its bytes.
void PrintTo(const Pripad& p, std::ostream* os) { *os << p.druh << " " << p.nazev; }

std::vector<Pripad> tabulka() {
    std::vector<Pripad> t;
    for (const Druh& d : druhy()) spolecnePripady(d, t);
    souboroveRadky(t);
    return t;
}

std::string jmenoPripadu(const ::testing::TestParamInfo<Pripad>& info) {
    return info.param.druh + "_" + info.param.nazev;
}

class NespravnyVstup : public ::testing::TestWithParam<Pripad> {
protected:
    std::string adresar = e2e::docasnyAdresar();

    ~NespravnyVstup() override {
        if (adresar.rfind("/tmp/cldds_e2e_", 0) == 0) std::filesystem::remove_all(adresar);
    }
};

}  // namespace

TEST_P(NespravnyVstup, ExitStatusMessageAndResultFile) {
    const Pripad& p = GetParam();
    std::string system;
    switch (p.zdroj) {
        case Zdroj::Data: system = data(p.system); break;
        case Zdroj::Cesta: system = p.system; break;
        case Zdroj::Adresar: system = adresar; break;
        case Zdroj::Obsah:
            system = adresar + "/system.txt";
            e2e::zapis(system, p.system);
            break;
    }
    const std::string vysledek = adresar + (p.vysledekBezAdresare ? "/neni/vysledek.csv" : "/vysledek.csv");
    std::vector<std::string> argumenty = {p.druh, system, p.signal.empty() ? "Impulse" : "Vystup", vysledek};
    if (!p.signal.empty()) argumenty.push_back(data(p.signal));

    const e2e::Vysledek v = spust(argumenty);

    EXPECT_EQ(v.exit_status, p.status);
    EXPECT_EQ(v.stderr_text, "");
    ASSERT_FALSE(v.stdout_text.empty());
    if (p.status == 0) {
        EXPECT_EQ(v.stdout_text.rfind(nacteno(system), 0), 0u) << v.stdout_text;
        const std::string konec = vytvoreno(vysledek);
        ASSERT_GE(v.stdout_text.size(), konec.size());
        EXPECT_EQ(v.stdout_text.substr(v.stdout_text.size() - konec.size()), konec) << v.stdout_text;
    } else {
        std::string zprava = p.vystup;
        if (p.zdroj == Zdroj::Adresar) zprava = nelzeOtevrit(system);
        if (p.vysledekBezAdresare) zprava = nelzeOtevrit(vysledek);
        EXPECT_EQ(v.stdout_text, (p.nacteno ? nacteno(system) : "") + zprava);
    }
    EXPECT_EQ(existuje(vysledek), p.soubor);
}

INSTANTIATE_TEST_SUITE_P(Druhy, NespravnyVstup, ::testing::ValuesIn(tabulka()), jmenoPripadu);

// A file without read permission cannot be opened, which is reported by its path. The
// superuser reads it all the same, so the row only means something for other users; the
// table's /proc/self/mem row covers a file that opens but cannot be read for everyone.
TEST(NespravnyVstupPrava, FileWithoutReadPermissionIsReportedByItsPath) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop reading";
    const std::string adresar = e2e::docasnyAdresar();
    const std::string system = adresar + "/system.txt";
    const std::string vysledek = adresar + "/vysledek.csv";
    for (const Druh& d : druhy()) {
        e2e::zapis(system, d.platny);
        ASSERT_EQ(::chmod(system.c_str(), 0), 0);
        const e2e::Vysledek v = spust({d.jmeno, system, "Impulse", vysledek});
        EXPECT_EQ(v.exit_status, 1) << d.jmeno;
        EXPECT_EQ(v.stdout_text, nelzeOtevrit(system)) << d.jmeno;
        EXPECT_EQ(v.stderr_text, "") << d.jmeno;
        EXPECT_FALSE(existuje(vysledek)) << d.jmeno;
        ::chmod(system.c_str(), 0600);
    }
    std::filesystem::remove_all(adresar);
}

// A result file that cannot take the report (a device that is always full) is reported by
// its path after the load line, never a silent success.
TEST(NespravnyVstupZapis, FullDiskIsReportedByThePath) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string system = adresar + "/system.txt";
    for (const Druh& d : druhy()) {
        e2e::zapis(system, d.platny);
        const e2e::Vysledek v = spust({d.jmeno, system, "Impulse", "/dev/full"});
        EXPECT_EQ(v.exit_status, 1) << d.jmeno;
        EXPECT_EQ(v.stdout_text.rfind(nacteno(system), 0), 0u) << v.stdout_text;
        const std::string zprava = "Soubor :/dev/full se nepodarilo zapsat";
        ASSERT_GE(v.stdout_text.size(), zprava.size());
        EXPECT_EQ(v.stdout_text.substr(v.stdout_text.size() - zprava.size()), zprava) << d.jmeno;
        EXPECT_EQ(v.stderr_text, "") << d.jmeno;
    }
    std::filesystem::remove_all(adresar);
}

// The valid file of each kind, which every generated row starts from, and the sample signal
// of the kind really are accepted: otherwise the rows above would test nothing.
TEST(NespravnyVstupZaklad, ValidFileOfEachKindRunsWithItsSignal) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string system = adresar + "/system.txt";
    const std::string vysledek = adresar + "/vysledek.csv";
    for (const Druh& d : druhy()) {
        e2e::zapis(system, d.platny);
        const e2e::Vysledek v = spust({d.jmeno, system, "Vystup", vysledek, priklad(d.signal)});
        EXPECT_EQ(v.exit_status, 0) << d.jmeno << "\n" << v.stdout_text;
        EXPECT_EQ(v.stderr_text, "");
        EXPECT_TRUE(existuje(vysledek)) << d.jmeno;
        std::remove(vysledek.c_str());
    }
    std::filesystem::remove_all(adresar);
}

}  // namespace e2e_nespravny_vstup
}  // namespace
