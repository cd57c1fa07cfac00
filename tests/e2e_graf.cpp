// cldds-graf: the report parser on every kind of report, the CSV and SVG it writes, the
// rendered picture, and the program's messages.

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "GrafCsv.h"
#include "GrafSvg.h"
#include "GrafZprava.h"
#include "Vstup_Vystup.h"
#include "e2e.h"

namespace {

const std::string GRAF = CLDDS_GRAF_BINARY;

std::vector<std::string> radky(const std::string& text) {
    std::vector<std::string> vysledek;
    std::istringstream proud(text);
    for (std::string radek; std::getline(proud, radek);) vysledek.push_back(radek);
    return vysledek;
}

// The value lines of a report: everything after the verdict and its empty line.
std::vector<std::string> radkyHodnot(const std::string& zprava) {
    const std::vector<std::string> vse = radky(zprava);
    for (std::size_t i = 0; i < vse.size(); ++i) {
        if (vse[i].find("System je stabilni") != std::string::npos ||
            vse[i].find("System neni stabilni") != std::string::npos) {
            return std::vector<std::string>(vse.begin() + static_cast<long>(i) + 2, vse.end());
        }
    }
    return {};
}

// cldds writes nan with its sign; the parser reads both as nan.
std::string bezZnamenkaNan(std::string text) { return std::regex_replace(text, std::regex("-nan"), "nan"); }

// Reports written by cldds: those of the end-to-end data and one whose response overflows to
// inf and nan.
std::vector<std::string> zpravyCldds(const std::string& adresar) {
    std::vector<std::string> cesty;
    DIR* d = ::opendir(CLDDS_TEST_DATA);
    while (dirent* polozka = d ? ::readdir(d) : nullptr) {
        const std::string jmeno = polozka->d_name;
        if (jmeno.size() > 4 && jmeno.compare(jmeno.size() - 4, 4, ".csv") == 0) cesty.push_back(e2e::data(jmeno));
    }
    if (d) ::closedir(d);
    e2e::zapis(adresar + "/preteceni.txt", "0 1\n1e300 -1e300 1\n");
    e2e::spust({"VnejsiSISO", adresar + "/preteceni.txt", "Impulse", adresar + "/preteceni_zprava.txt"});
    cesty.push_back(adresar + "/preteceni_zprava.txt");
    return cesty;
}

// Every value, formatted again as cldds formats it, gives back the line of the report: the
// parser loses nothing of what the report holds, and the step and output counts agree.
TEST(GrafZprava, ReadsBackEveryReportThatClddsWrites) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::vector<std::string> cesty = zpravyCldds(adresar);
    ASSERT_GE(cesty.size(), 10u);
    bool nekonecne = false;
    for (const std::string& cesta : cesty) {
        SCOPED_TRACE(cesta);
        const std::string text = e2e::precti(cesta);
        std::istringstream proud(text);
        const Zprava zprava = nactiZpravu(proud, cesta);
        EXPECT_EQ(text.rfind("System " + zprava.druhSystemu + ":\n", 0), 0u);
        EXPECT_EQ(zprava.mimo, zprava.druhSystemu.find("MIMO") != std::string::npos);
        EXPECT_EQ(zprava.stabilni, text.find(" System je stabilni \n") != std::string::npos);
        const std::vector<std::string> ocekavane = radkyHodnot(text);
        ASSERT_EQ(zprava.kroky.size(), ocekavane.size());
        for (std::size_t k = 0; k < ocekavane.size(); ++k) {
            std::string radek;
            for (double hodnota : zprava.kroky[k]) {
                radek += (radek.empty() ? "" : ";") + CSVCislo(hodnota);
                nekonecne = nekonecne || !std::isfinite(hodnota);
            }
            EXPECT_EQ(radek, bezZnamenkaNan(ocekavane[k])) << "step " << k;
        }
    }
    EXPECT_TRUE(nekonecne);
}

struct PripadZpravy {
    const char* nazev;
    const char* chyba;  // nullptr: the report is read
    int kroku;
    int vystupu;
};

const char* const HLAVICKA_MIMO = "System Stavove MIMO:\nF:\n0.500\n\nG: \n1.000\n\n x\n\n System neni stabilni\n\n";

TEST(GrafZprava, AcceptsReportsAndNamesWhatIsWrongWithOthers) {
    const std::string mimo = HLAVICKA_MIMO;
    const std::string siso = "System Vnejsi SISO:\nB:  1.0000 \nA:  1.0000 -0.5000 \n\n System je stabilni \n\n";
    const std::vector<std::pair<std::string, PripadZpravy>> pripady = {
        {siso + "0\n1,5\r\n-2,5e-07\n\n\n", {"SISO, CRLF, empty lines at the end", nullptr, 3, 1}},
        {mimo + "0;inf\n-nan;1\n-inf;-0,0625\n", {"MIMO with non-finite values", nullptr, 3, 2}},
        {"", {"empty", "soubor je prazdny", 0, 0}},
        {"System Vnejsi SISO\n", {"title", "prvni radek neni titulek systemu (radek 1 souboru)", 0, 0}},
        {"System Vnejsi SISO:\n0\n1\n", {"verdict", "chybi radek s verdiktem stability", 0, 0}},
        {siso.substr(0, siso.size() - 1) + "0\n", {"empty line", "chybi prazdny radek (radek 6 souboru)", 0, 0}},
        {siso + "0,5\n0.5\n", {"decimal point", "spatny format hodnoty -> 0.5 (radek 8 souboru)", 0, 0}},
        {siso + "1,2,3\n", {"two commas", "spatny format hodnoty -> 1,2,3 (radek 7 souboru)", 0, 0}},
        {siso + " 1\n", {"blank", "spatny format hodnoty ->  1 (radek 7 souboru)", 0, 0}},
        {siso + "1e999\n", {"overflow", "spatny format hodnoty -> 1e999 (radek 7 souboru)", 0, 0}},
        {siso + "1;2\n", {"SISO line of two", "system SISO ma na radku jen jednu hodnotu (radek 7", 0, 0}},
        {mimo + "1;2\n3\n", {"ragged MIMO", "nemaji stejny pocet vystupu (radek 13 souboru)", 0, 0}},
        {mimo + "1;;2\n", {"empty cell", "spatny format hodnoty ->  (radek 12 souboru)", 0, 0}},
        {siso + "1\n\n2\n", {"gap", "prazdny radek mezi hodnotami (radek 8 souboru)", 0, 0}},
        {siso, {"no values", "zprava nema zadne hodnoty", 0, 0}},
        {siso + "w;zesileni y1/u1 [dB];faze y1/u1 [st]\n0,1;-3;nan\n3,14159;inf;nan\n", {"frequencies", nullptr, 2, 3}},
        {siso + "w;zesileni y1/u1 [dB]\n0,1;-3\n", {"gain without phase", "nema ke kazdemu zesileni fazi", 0, 0}},
        {siso + "w;zesileni y1/u1 [dB];faze y1/u1 [st]\n0,1;-3\n", {"short line", "kolik ma hlavicka sloupcu", 0, 0}},
        {siso + "Poly systemu: x\n0.5;0;0.5;1;uvnitr\n", {"no radius", "chybi radek se spektralnim polomerem", 0, 0}},
        {siso + "Poly systemu: x\n0,5;0;0.5;1;uvnitr\nSpektralni polomer: 0.5\n", {"comma", "spatny radek polu", 0, 0}},
        {siso + "Poly systemu: x\n0.5;0;0.5;0;uvnitr\nSpektralni polomer: 0.5\n", {"multiplicity", "spatny radek polu", 0, 0}},
        {siso + "Poly systemu: x\n0.5;0;0.5;1;tam\nSpektralni polomer: 0.5\n", {"place", "spatny radek polu", 0, 0}},
        {siso + "Poly systemu: x\nSpektralni polomer: 0\n1\n", {"after radius", "za spektralnim polomerem", 0, 0}},
    };
    for (const auto& [text, p] : pripady) {
        SCOPED_TRACE(p.nazev);
        std::istringstream proud(text);
        if (p.chyba == nullptr) {
            const Zprava zprava = nactiZpravu(proud, "z.txt");
            EXPECT_EQ(static_cast<int>(zprava.kroky.size()), p.kroku);
            EXPECT_EQ(zprava.pocetVystupu(), p.vystupu);
            EXPECT_EQ(zprava.druh == DruhZpravy::Frekvence, zprava.popisky.size() == 3u);
            continue;
        }
        try {
            nactiZpravu(proud, "z.txt");
            ADD_FAILURE() << "read as a report";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Chybna zprava :z.txt -> ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(p.chyba), std::string::npos) << e.what();
        }
    }
}

// The CSV read back as Python or a spreadsheet would: fields split at ",", numbers with a
// decimal point, each exactly the double the report's text denotes.
TEST(GrafCsv, ReadsBackToTheExactValuesOfTheReport) {
    const std::vector<std::string> texty = {"0", "4,28571", "-0,0625", "1,5e-05", "8,13809e-05",
                                            "0,1", "-1,23457e+300", "4,94066e-324", "inf", "nan"};
    std::string zprava = std::string(HLAVICKA_MIMO);
    for (std::size_t i = 0; i < texty.size(); ++i) zprava += texty[i] + ";" + texty[texty.size() - 1 - i] + "\n";
    std::istringstream proud(zprava);
    const std::vector<std::string> csv = radky(csvHodnot(nactiZpravu(proud, "z.txt")));
    ASSERT_EQ(csv.size(), texty.size() + 1);
    EXPECT_EQ(csv[0], "k,y1,y2");
    for (std::size_t i = 0; i < texty.size(); ++i) {
        SCOPED_TRACE(csv[i + 1]);
        std::vector<std::string> pole;
        std::istringstream radek(csv[i + 1]);
        for (std::string kus; std::getline(radek, kus, ',');) pole.push_back(kus);
        ASSERT_EQ(pole.size(), 3u);
        EXPECT_EQ(pole[0], std::to_string(i));
        for (int j = 0; j < 2; ++j) {
            std::string ocekavany = texty[j == 0 ? i : texty.size() - 1 - i];
            const std::size_t carka = ocekavany.find(',');
            if (carka != std::string::npos) ocekavany[carka] = '.';
            const double precteno = std::strtod(pole[j + 1].c_str(), nullptr);
            const double vzor = std::strtod(ocekavany.c_str(), nullptr);
            if (std::isnan(vzor)) {
                EXPECT_TRUE(std::isnan(precteno));
            } else {
                EXPECT_EQ(precteno, vzor);
            }
        }
    }
}

std::vector<std::string> atributy(const std::string& svg, const std::string& regex) {
    std::vector<std::string> nalezene;
    const std::regex vzor(regex);
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), vzor); it != std::sregex_iterator(); ++it) {
        nalezene.push_back((*it)[1]);
    }
    return nalezene;
}

// Steps 0, 1, 2, 3 fill the plot area exactly: k from 0 to 4 (the last value is held for
// one step), values from 0 to 3. A nan splits the staircase in two and is noted.
TEST(GrafSvg, PlacesAKnownStaircaseOnItsAxes) {
    std::istringstream proud("System Vnejsi SISO:\n\n System je stabilni \n\n0\n1\n2\n3\n");
    const Zprava z = nactiZpravu(proud, "z.txt");
    const std::string svg = svgGrafu(z, "z.txt");
    const PlochaGrafu p = plochaGrafu(z);
    const std::vector<std::string> cary = atributy(svg, "<polyline[^>]* points=\"([^\"]*)\"");
    ASSERT_EQ(cary.size(), 1u);
    const std::vector<std::string> body = atributy(cary[0] + " ", "(\\S+) ");
    ASSERT_EQ(body.size(), 8u);
    char ocekavany[64];
    std::snprintf(ocekavany, sizeof(ocekavany), "%.2f,%.2f", p.vlevo, p.dole);
    EXPECT_EQ(body.front(), ocekavany);
    std::snprintf(ocekavany, sizeof(ocekavany), "%.2f,%.2f", p.vpravo, p.nahore);
    EXPECT_EQ(body.back(), ocekavany);
    EXPECT_EQ(atributy(svg, "text-anchor=\"middle\">(\\d+)</text>"), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(atributy(svg, "text-anchor=\"end\">([^<]*)</text>"), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_NE(svg.find("System Vnejsi SISO: je stabilni"), std::string::npos);
    EXPECT_EQ(svg.find("Mezery"), std::string::npos);

    std::istringstream sMezerou("System Vnejsi SISO:\n\n System neni stabilni\n\n0\n1\nnan\n3\n");
    const std::string svgMezery = svgGrafu(nactiZpravu(sMezerou, "z.txt"), "z.txt");
    EXPECT_EQ(atributy(svgMezery, "<polyline[^>]* points=\"([^\"]*)\"").size(), 2u);
    EXPECT_NE(svgMezery.find("Mezery v krivce: inf a nan se nekresli (pocet hodnot: 1)"), std::string::npos);
    EXPECT_NE(svgMezery.find("System Vnejsi SISO: neni stabilni"), std::string::npos);
}

// The pixels of a PNG as RGBA, read with libpng's simplified interface.
struct Obrazek {
    unsigned sirka = 0;
    unsigned vyska = 0;
    std::vector<unsigned char> rgba;
};

Obrazek prectiPng(const std::string& cesta) {
    png_image obraz{};
    obraz.version = PNG_IMAGE_VERSION;
    Obrazek o;
    if (!png_image_begin_read_from_file(&obraz, cesta.c_str())) return o;
    obraz.format = PNG_FORMAT_RGBA;
    o.rgba.resize(PNG_IMAGE_SIZE(obraz));
    if (png_image_finish_read(&obraz, nullptr, o.rgba.data(), 0, nullptr)) {
        o.sirka = obraz.width;
        o.vyska = obraz.height;
    }
    return o;
}

// Pixels of the plot area in a colour (not black, white or the grey of the grid).
int barevnychPixelu(const Obrazek& o, const PlochaGrafu& p) {
    int pocet = 0;
    for (unsigned y = static_cast<unsigned>(p.nahore) + 2; y + 2 < p.dole; ++y) {
        for (unsigned x = static_cast<unsigned>(p.vlevo) + 2; x + 2 < p.vpravo; ++x) {
            const unsigned char* bod = &o.rgba[4 * (y * o.sirka + x)];
            if (bod[0] != bod[1] || bod[1] != bod[2]) ++pocet;
        }
    }
    return pocet;
}

// The program's SVG of a MIMO report renders to an image of the stated size whose plot area
// holds both coloured staircases.
TEST(GrafSvg, RendersWithRsvgConvert) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string zprava = adresar + "/zprava.txt";
    e2e::spust({"StavMIMO", e2e::priklad("stav_mimo.txt"), "Prechod", zprava});
    const e2e::Vysledek v = e2e::spust({zprava, adresar + "/graf.svg"}, "", GRAF);
    ASSERT_EQ(v.exit_status, 0) << v.stdout_text;
    EXPECT_EQ(v.stdout_text, adresar + "/graf.svg Soubor Vytvoren\n\n");
    const std::string prikaz = "rsvg-convert " + adresar + "/graf.svg -o " + adresar + "/graf.png";
    ASSERT_EQ(std::system(prikaz.c_str()), 0) << "rsvg-convert is missing: make deps installs librsvg2-bin";
    const Obrazek o = prectiPng(adresar + "/graf.png");
    std::istringstream proud(e2e::precti(zprava));
    const PlochaGrafu p = plochaGrafu(nactiZpravu(proud, zprava));
    EXPECT_EQ(o.sirka, static_cast<unsigned>(p.sirka));
    EXPECT_EQ(o.vyska, static_cast<unsigned>(p.vyska));
    // Two staircases across 590 pixels of width draw well over a thousand coloured pixels.
    EXPECT_GT(barevnychPixelu(o, p), 1000);
}

// Pole and frequency reports of every kind, written by cldds: the parser reads back each
// pole line exactly and every frequency line; the CSV holds the same; the Bode diagram and the
// pole map render with their curves and marks in colour.
TEST(GrafSvg, RendersBodeDiagramsAndPoleMapsOfEveryKind) {
    const std::string adresar = e2e::docasnyAdresar();
    const char* const druhy[][2] = {{"VnejsiSISO", "vnejsi_siso.txt"}, {"VnejsiMIMO", "vnejsi_mimo.txt"},
                                    {"StavSISO", "stav_siso.txt"}, {"StavMIMO", "stav_mimo.txt"}};
    for (const auto& [druh, soubor] : druhy) {
        for (const std::string operace : {"Poly", "Frekvence"}) {
            SCOPED_TRACE(std::string(druh) + " " + operace);
            const std::string zprava = adresar + "/" + druh + operace + ".txt";
            ASSERT_EQ(e2e::spust({druh, e2e::priklad(soubor), operace, zprava}).exit_status, 0);
            std::istringstream proud(e2e::precti(zprava));
            const Zprava z = nactiZpravu(proud, zprava);
            const std::vector<std::string> telo = radkyHodnot(e2e::precti(zprava));
            const std::vector<std::string> csv = radky(csvHodnot(z));
            if (operace == "Poly") {
                ASSERT_EQ(z.druh, DruhZpravy::Poly);
                ASSERT_EQ(z.poly.size() + 2, telo.size());
                ASSERT_EQ(csv.size(), z.poly.size() + 1);
                for (std::size_t i = 0; i < z.poly.size(); ++i) {
                    std::string radek = telo[i + 1];
                    EXPECT_EQ(std::strtod(radek.c_str(), nullptr), z.poly[i].re);
                    std::replace(radek.begin(), radek.end(), ';', ',');
                    EXPECT_EQ(csv[i + 1], radek);
                }
            } else {
                ASSERT_EQ(z.druh, DruhZpravy::Frekvence);
                EXPECT_EQ(z.kroky.size(), 256u);
                EXPECT_EQ(csv.size(), 257u);
                EXPECT_EQ(csv[0], std::regex_replace(telo[0], std::regex(";"), ","));
            }
            const std::string svg = adresar + "/graf.svg", png = adresar + "/graf.png";
            ASSERT_EQ(e2e::spust({zprava, svg}, "", GRAF).exit_status, 0);
            ASSERT_EQ(std::system(("rsvg-convert " + svg + " -o " + png).c_str()), 0);
            const Obrazek o = prectiPng(png);
            const PlochaGrafu plocha{0, 0, 82, o.sirka - 130.0, 72, o.vyska - 60.0};
            EXPECT_GT(barevnychPixelu(o, plocha), operace == "Poly" ? 100 : 1000);
        }
    }
}

// Every failure prints one message, ends with status 1 and leaves no output file.
TEST(GrafProgram, RefusesBadArgumentsAndReportsWithoutWritingAnything) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string zprava = adresar + "/zprava.txt";
    const std::string rozbita = adresar + "/rozbita.txt";
    e2e::spust({"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Impulse", zprava});
    e2e::zapis(rozbita, e2e::precti(zprava) + "1;2\n");
    const std::string svg = adresar + "/graf.svg";
    const std::vector<std::pair<std::vector<std::string>, std::string>> pripady = {
        {{zprava}, "Spatny pocet parametru ->2 Musi byt presne 3 parametry: cldds-graf ZPRAVA VYSTUP.svg nebo VYSTUP.csv"},
        {{zprava, adresar + "/graf.png"}, "Spatna pripona vystupu ->" + adresar + "/graf.png Musi byt .svg nebo .csv"},
        {{adresar + "/chybi.txt", svg}, e2e::nelzeOtevrit(adresar + "/chybi.txt")},
        {{adresar, svg}, e2e::nelzeOtevrit(adresar)},
        {{rozbita, svg}, "Chybna zprava :" + rozbita + " -> system SISO ma na radku jen jednu hodnotu (radek 57 souboru)"},
        {{zprava, adresar + "/neni/graf.svg"}, "Soubor :" + adresar + "/neni/graf.svg se nepodarilo zapsat"},
    };
    for (const auto& [argumenty, zpravaChyby] : pripady) {
        const e2e::Vysledek v = e2e::spust(argumenty, "", GRAF);
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_EQ(v.stdout_text, zpravaChyby + "\n");
        EXPECT_EQ(v.stderr_text, "");
        EXPECT_FALSE(e2e::existuje(svg));
        EXPECT_FALSE(e2e::existuje(adresar + "/graf.png"));
    }
    const e2e::Vysledek csv = e2e::spust({zprava, adresar + "/hodnoty.CSV"}, "", GRAF);
    EXPECT_EQ(csv.exit_status, 0);
    EXPECT_EQ(radky(e2e::precti(adresar + "/hodnoty.CSV")).size(), 51u);
}

}  // namespace
