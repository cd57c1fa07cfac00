// cldds-graf: the report parser on every kind of report and its bounds, the CSV and SVG it
// writes, the figures of a step response, the rendered pictures, and the program's messages.

#include <gtest/gtest.h>
#include <png.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "GrafBode.h"
#include "GrafCsv.h"
#include "GrafSvg.h"
#include "GrafCteniZpravy.h"
#include "GrafZprava.h"
#include "Vstup_Vystup.h"
#include "e2e.h"

namespace {
namespace e2e_graf {

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

Zprava zeTextu(const std::string& text) {
    std::istringstream proud(text);
    return nactiZpravu(proud, "z.txt");
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
        const Zprava zprava = zeTextu(text);
        EXPECT_EQ(text.rfind("System " + zprava.druhSystemu + ":\n", 0), 0u);
        EXPECT_EQ(zprava.mimo, zprava.druhSystemu.find("MIMO") != std::string::npos);
        EXPECT_EQ(zprava.stabilni, text.find(" System je stabilni \n") != std::string::npos);
        const std::vector<std::string> ocekavane = radkyHodnot(text);
        ASSERT_EQ(zprava.pocetRadku(), ocekavane.size());
        for (std::size_t k = 0; k < ocekavane.size(); ++k) {
            std::string radek;
            for (std::size_t j = 0; j < zprava.sirka; ++j) {
                radek += (radek.empty() ? "" : ";") + CSVCislo(zprava.hodnota(k, j));
                nekonecne = nekonecne || !std::isfinite(zprava.hodnota(k, j));
            }
            EXPECT_EQ(radek, bezZnamenkaNan(ocekavane[k])) << "step " << k;
        }
    }
    EXPECT_TRUE(nekonecne);
}

struct PripadZpravy {
    const char* nazev;
    const char* chyba;  // nullptr: the report is read
    std::size_t radku;
    std::size_t sirka;
};

const char* const HLAVICKA_MIMO = "System Stavove MIMO:\nF:\n0.500\n\nG: \n1.000\n\n x\n\n System neni stabilni\n\n";
const std::string SISO = "System Vnejsi SISO:\nB:  1.0000 \nA:  1.0000 -0.5000 \n\n System je stabilni \n\n";
const std::string FREKVENCE = SISO + "w;zesileni y1/u1 [dB];faze y1/u1 [st]\n0,1;-3;-10\n";
const std::string POLY = SISO + "Poly systemu: x\n0.5;0;0.5;1;uvnitr\nSpektralni polomer: 0.5\n";

TEST(GrafZprava, AcceptsReportsAndNamesWhatIsWrongWithOthers) {
    const std::string mimo = HLAVICKA_MIMO;
    const std::string radek = "Rezerva zesileni [dB];w\n";
    const std::vector<std::pair<std::string, PripadZpravy>> pripady = {
        {SISO + "0\n1,5\r\n-2,5e-07\n\n\n", {"SISO, CRLF, empty lines at the end", nullptr, 3, 1}},
        {mimo + "0;inf\n-nan;1\n-inf;-0,0625\n", {"MIMO with non-finite values", nullptr, 3, 2}},
        {"", {"empty", "soubor je prazdny", 0, 0}},
        {"System Vnejsi SISO\n", {"title", "prvni radek neni titulek systemu (radek 1 souboru)", 0, 0}},
        {"System Vnejsi SISO:\n0\n1\n", {"verdict", "chybi radek s verdiktem stability", 0, 0}},
        {SISO.substr(0, SISO.size() - 1) + "0\n", {"empty line", "chybi prazdny radek (radek 6 souboru)", 0, 0}},
        {SISO + "0,5\n0.5\n", {"decimal point", "spatny format hodnoty -> 0.5 (radek 8 souboru)", 0, 0}},
        {SISO + "1,2,3\n", {"two commas", "spatny format hodnoty -> 1,2,3 (radek 7 souboru)", 0, 0}},
        {SISO + " 1\n", {"blank", "spatny format hodnoty ->  1 (radek 7 souboru)", 0, 0}},
        {SISO + "1e999\n", {"overflow", "spatny format hodnoty -> 1e999 (radek 7 souboru)", 0, 0}},
        {SISO + "1;2\n", {"SISO line of two", "system SISO ma na radku jen jednu hodnotu (radek 7", 0, 0}},
        {mimo + "1;2\n3\n", {"ragged MIMO", "nemaji stejny pocet vystupu (radek 13 souboru)", 0, 0}},
        {mimo + "1;;2\n", {"empty cell", "spatny format hodnoty ->  (radek 12 souboru)", 0, 0}},
        {SISO + "1\n\n2\n", {"gap", "prazdny radek mezi hodnotami (radek 8 souboru)", 0, 0}},
        {SISO, {"no values", "zprava nema zadne hodnoty", 0, 0}},
        {SISO + std::string(65537, '0') + "\n", {"long line", "radek je delsi nez 65536 znaku (radek 7", 0, 0}},
        {SISO + "w;zesileni y1/u1 [dB];faze y1/u1 [st]\n0,1;-3;nan\n3,14159;inf;nan\n", {"frequencies", nullptr, 2, 3}},
        {SISO + "w;zesileni y1/u1 [dB]\n0,1;-3\n", {"gain without phase", "nema ke kazdemu zesileni fazi", 0, 0}},
        {SISO + "w;zesileni y1/u1 [dB];faze y1/u1 [st]\n0,1;-3\n", {"short line", "kolik ma hlavicka sloupcu", 0, 0}},
        {FREKVENCE + radek + "6;1\nRezerva faze [st];w\ninf;-\n\n", {"margins", nullptr, 1, 3}},
        {FREKVENCE + radek + "inf;-\n", {"no phase margin", "chybi rezerva faze", 0, 0}},
        {FREKVENCE + radek + "Rezerva faze [st];w\n", {"no line", "pod hlavickou rezervy chybi radek (radek 9", 0, 0}},
        {FREKVENCE + radek + "6;-\nRezerva faze [st];w\ninf;-\n", {"w missing", "spatny radek rezervy -> 6;-", 0, 0}},
        {FREKVENCE + radek + "inf;-\n6;1\n", {"crossing after none", "spatny radek rezervy -> 6;1", 0, 0}},
        {FREKVENCE + radek + "6;1\nRezerva faze [st];w\ninf;-\n\n1\n", {"after margins", "za rezervami je dalsi", 0, 0}},
        {std::string(HLAVICKA_MIMO) + "w;a;b\n1;2;3\n" + radek, {"MIMO margins", "rezervy ma jen zprava systemu SISO", 0, 0}},
        {SISO + "Poly systemu: x\n0.5;0;0.5;1;uvnitr\n", {"no radius", "chybi radek se spektralnim polomerem", 0, 0}},
        {SISO + "Poly systemu: x\n0,5;0;0.5;1;uvnitr\nSpektralni polomer: 0.5\n", {"comma", "spatny radek polu", 0, 0}},
        {SISO + "Poly systemu: x\n0.5;0;0.5;0;uvnitr\nSpektralni polomer: 0.5\n", {"multiplicity", "spatny radek polu", 0, 0}},
        {SISO + "Poly systemu: x\n0.5;0;0.5;1;tam\nSpektralni polomer: 0.5\n", {"place", "spatny radek polu", 0, 0}},
        {SISO + "Poly systemu: x\nSpektralni polomer: 0\n1\n", {"after radius", "za spektralnim polomerem", 0, 0}},
        {POLY + "Nuly systemu: x\n1;0;1;1;vne\nStaticke zesileni: x\ny1/u1;0.5\n", {"zeros and gain", nullptr, 0, 0}},
        {POLY + "Nuly systemu: x\n1;0;1;1;mimo\n", {"zero place", "spatny radek nul -> 1;0;1;1;mimo (radek 11", 0, 0}},
        {POLY + "Staticke zesileni: x\ny1/u1;0.5\nNuly systemu: x\n", {"order", "spatny radek statickeho zesileni", 0, 0}},
        {POLY + "Staticke zesileni: x\ny1u1;0.5\n", {"pair", "spatny radek statickeho zesileni -> y1u1;0.5", 0, 0}},
        {POLY + "Staticke zesileni: x\ny1/u1;0,5\n", {"gain comma", "spatny radek statickeho zesileni", 0, 0}},
        {POLY + "\nStaticke zesileni: x\n", {"after the end", "za koncem zpravy polu je dalsi radek (radek 11", 0, 0}},
    };
    for (const auto& [text, p] : pripady) {
        SCOPED_TRACE(p.nazev);
        if (p.chyba == nullptr) {
            const Zprava zprava = zeTextu(text);
            EXPECT_EQ(zprava.pocetRadku(), p.radku);
            EXPECT_EQ(zprava.sirka, p.sirka);
            continue;
        }
        try {
            zeTextu(text);
            ADD_FAILURE() << "read as a report";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Chybna zprava :z.txt -> ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(p.chyba), std::string::npos) << e.what();
        }
    }
}

// The report is read no further than the largest valid one reaches: the bounds stop a
// response of more steps or outputs, a file of more lines, as soon as they are passed.
TEST(GrafZprava, RefusesMoreThanTheLargestValidReport) {
    std::string kroky = SISO;
    for (int k = 0; k < 100000; ++k) kroky += "0\n";
    EXPECT_EQ(zeTextu(kroky).pocetRadku(), 100000u);
    std::string sirokyRadek = "0";
    for (int j = 1; j < 257; ++j) sirokyRadek += ";0";
    const std::vector<std::pair<std::string, std::string>> pripady = {
        {kroky + "0\n", "zprava ma vice nez 100000 kroku (radek 100007 souboru)"},
        {std::string(HLAVICKA_MIMO) + sirokyRadek + "\n", "zprava ma vice nez 256 vystupu (radek 12 souboru)"},
        {kroky + std::string(9994, '\n') + "\n", "soubor ma vice nez 110000 radku (radek 110001 souboru)"},
    };
    for (const auto& [text, chyba] : pripady) {
        try {
            zeTextu(text);
            ADD_FAILURE() << chyba;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), "Chybna zprava :z.txt -> " + chyba);
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
    const std::vector<std::string> csv = radky(csvHodnot(zeTextu(zprava)));
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

// The parts beyond the values: zeros with the column that tells them from poles, the static
// gains and the margins as blocks after an empty line, labels quoted as RFC 4180 wants.
TEST(GrafCsv, ExportsZerosGainsMarginsAndQuotesLabels) {
    const std::vector<std::pair<std::string, std::string>> pripady = {
        {e2e::precti(e2e::data("graf_poly_nuly_zesileni.txt")),
         "re,im,velikost,nasobnost,poloha,druh\n1.000000001,0,1.000000001,1,vne,pol\n0.6,0.8,1,2,na kruznici,pol\n"
         "0.6,-0.8,1,2,na kruznici,pol\n0.5,0,0.5,1,uvnitr,pol\n-0.5,0,0.5,1,uvnitr,nula\n0,1,1,1,na kruznici,nula\n"
         "0,-1,1,1,na kruznici,nula\n\nvystup/vstup,staticke zesileni\ny1/u1,-inf\n"},
        {e2e::precti(e2e::data("graf_poly_nuly_neurceny.txt")),
         "re,im,velikost,nasobnost,poloha,druh\n1,0,1,1,na kruznici,pol\n0.5,0,0.5,1,uvnitr,pol\n\n"
         "vystup/vstup,staticke zesileni\ny1/u1,inf\ny1/u2,-inf\ny2/u1,0\ny2/u2,nan\n"},
        {POLY, "re,im,velikost,nasobnost,poloha\n0.5,0,0.5,1,uvnitr\n"},
        {FREKVENCE + "Rezerva zesileni [dB];w\n6;1\n-inf;2,5\nRezerva faze [st];w\ninf;-\n",
         "w,zesileni y1/u1 [dB],faze y1/u1 [st]\n0.1,-3,-10\n\nrezerva,hodnota,w\nzesileni [dB],6,1\n"
         "zesileni [dB],-inf,2.5\nfaze [st],inf,-\n"},
        {SISO + "w;a,b;\"c\"\n1;2;3\n", "w,\"a,b\",\"\"\"c\"\"\"\n1,2,3\n"},
    };
    for (const auto& [zprava, csv] : pripady) EXPECT_EQ(csvHodnot(zeTextu(zprava)), csv);
}

std::vector<std::string> atributy(const std::string& svg, const std::string& regex) {
    std::vector<std::string> nalezene;
    const std::regex vzor(regex);
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), vzor); it != std::sregex_iterator(); ++it) {
        nalezene.push_back((*it)[1]);
    }
    return nalezene;
}

// Steps 0, 1, 2, 3 fill the plot area exactly: k from 0 to the last step 3 (each value held
// to the next step, the last a point), values from 0 to 3. A nan ends the staircase, leaves the
// last step a dot, and is noted with its step.
TEST(GrafSvg, PlacesAKnownStaircaseOnItsAxes) {
    const Zprava z = zeTextu("System Vnejsi SISO:\n\n System je stabilni \n\n0\n1\n2\n3\n");
    const std::string svg = svgOdezvy(z, "z.txt", nullptr);
    const Plocha& p = rozvrzeniOdezvy(z, 0).plocha;
    const std::vector<std::string> cary = atributy(svg, "<polyline[^>]* points=\"([^\"]*)\"");
    ASSERT_EQ(cary.size(), 1u);
    const std::vector<std::string> body = atributy(cary[0] + " ", "(\\S+) ");
    ASSERT_EQ(body.size(), 7u);
    char ocekavany[64];
    std::snprintf(ocekavany, sizeof(ocekavany), "%.2f,%.2f", p.vlevo, p.dole);
    EXPECT_EQ(body.front(), ocekavany);
    std::snprintf(ocekavany, sizeof(ocekavany), "%.2f,%.2f", p.vpravo, p.nahore);
    EXPECT_EQ(body.back(), ocekavany);
    EXPECT_EQ(atributy(svg, "text-anchor=\"middle\">(\\d+)</text>"), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(atributy(svg, "text-anchor=\"end\">([^<]*)</text>"), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_NE(svg.find("System Vnejsi SISO: je stabilni"), std::string::npos);
    EXPECT_EQ(svg.find("Mezery"), std::string::npos);

    const std::string svgMezery = svgOdezvy(zeTextu("System Vnejsi SISO:\n\n System neni stabilni\n\n0\n1\nnan\n3\n"), "z.txt", nullptr);
    EXPECT_EQ(atributy(svgMezery, "<polyline[^>]* points=\"([^\"]*)\"").size(), 1u);
    EXPECT_GE(atributy(svgMezery, "(<circle)").size(), 3u);  // every finite sample a dot, the last alone too
    EXPECT_NE(svgMezery.find("Mezery v krivce: inf a nan se nekresli (pocet hodnot: 1, prvni v kroku 2)"), std::string::npos);
    EXPECT_NE(svgMezery.find("System Vnejsi SISO: neni stabilni"), std::string::npos);
}

// Many steps are thinned to what the pixel columns can show, keeping every extremum: a
// single spike among 100000 steps is still drawn to its full height.
TEST(GrafSvg, ThinsLongResponsesKeepingEveryExtremum) {
    std::string text = SISO;
    for (int k = 0; k < 100000; ++k) text += k == 77777 ? "-5\n" : (k % 2 ? "1\n" : "0\n");
    const Zprava z = zeTextu(text);
    const std::string svg = svgOdezvy(z, "z.txt", nullptr);
    EXPECT_LT(svg.size(), 60000u);
    const Plocha& p = rozvrzeniOdezvy(z, 0).plocha;
    std::vector<double> y;
    for (const std::string& bod : atributy(svg, "[ \"][0-9.]+,([0-9.]+)")) y.push_back(std::stod(bod));
    ASSERT_FALSE(y.empty());
    EXPECT_DOUBLE_EQ(*std::max_element(y.begin(), y.end()), std::round(p.y(-5) * 100) / 100);
    EXPECT_DOUBLE_EQ(*std::min_element(y.begin(), y.end()), std::round(p.y(1) * 100) / 100);
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

// Pixels of the area in a colour (not black, white or the grey of the grid).
int barevnychPixelu(const Obrazek& o, double vlevo, double vpravo, double nahore, double dole) {
    int pocet = 0;
    for (unsigned y = static_cast<unsigned>(nahore) + 2; y + 2 < dole && y < o.vyska; ++y) {
        for (unsigned x = static_cast<unsigned>(vlevo) + 2; x + 2 < vpravo && x < o.sirka; ++x) {
            const unsigned char* bod = &o.rgba[4 * (y * o.sirka + x)];
            if (bod[0] != bod[1] || bod[1] != bod[2]) ++pocet;
        }
    }
    return pocet;
}

// Renders an SVG with rsvg-convert, which refuses any text that is not well-formed XML.
Obrazek vykresli(const std::string& svg) {
    const std::string png = svg.substr(0, svg.size() - 4) + ".png";
    const std::string prikaz = "rsvg-convert '" + svg + "' -o '" + png + "' 2>/dev/null";
    EXPECT_EQ(std::system(prikaz.c_str()), 0) << "rsvg-convert refused " << svg << " (make deps installs librsvg2-bin)";
    return prectiPng(png);
}

// The program's SVG of a MIMO step response with its figures renders to an image of the
// stated size whose plot area holds both coloured staircases.
TEST(GrafSvg, RendersWithRsvgConvert) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string zprava = adresar + "/zprava.txt";
    e2e::spust({"StavMIMO", e2e::priklad("stav_mimo.txt"), "Prechod", zprava});
    const e2e::Vysledek v = e2e::spust({"--ukazatele", adresar + "/u.csv", zprava, adresar + "/graf.svg"}, "", GRAF);
    ASSERT_EQ(v.exit_status, 0) << v.stdout_text;
    EXPECT_EQ(v.stdout_text, adresar + "/u.csv Soubor Vytvoren\n\n" + adresar + "/graf.svg Soubor Vytvoren\n\n");
    const Obrazek o = vykresli(adresar + "/graf.svg");
    const RozvrzeniOdezvy r = rozvrzeniOdezvy(nactiZpravuZeSouboru(zprava), 3);
    EXPECT_EQ(o.sirka, static_cast<unsigned>(r.sirka));
    EXPECT_EQ(o.vyska, static_cast<unsigned>(r.vyska));
    // Two staircases across 590 pixels of width draw well over a thousand coloured pixels.
    EXPECT_GT(barevnychPixelu(o, r.plocha.vlevo, r.plocha.vpravo, r.plocha.nahore, r.plocha.dole), 1000);
}

// Pole and frequency reports of every kind, written by cldds, and the hand-written ones with
// zeros, gains and margins: the parser reads back each pole line exactly and every frequency
// line; the CSV holds the same; the Bode diagram and the pole map render with their curves
// and marks in colour.
TEST(GrafSvg, RendersBodeDiagramsAndPoleMapsOfEveryKind) {
    const std::string adresar = e2e::docasnyAdresar();
    const char* const druhy[][2] = {{"VnejsiSISO", "vnejsi_siso.txt"}, {"VnejsiMIMO", "vnejsi_mimo.txt"},
                                    {"StavSISO", "stav_siso.txt"}, {"StavMIMO", "stav_mimo.txt"}};
    std::vector<std::string> zpravy = {e2e::data("graf_poly_nuly_zesileni.txt"), e2e::data("graf_poly_nuly_neurceny.txt"),
                                       e2e::data("graf_frekvence_rezervy.txt")};
    for (const auto& [druh, soubor] : druhy) {
        for (const std::string operace : {"Poly", "Frekvence"}) {
            const std::string zprava = adresar + "/" + druh + operace + ".txt";
            ASSERT_EQ(e2e::spust({druh, e2e::priklad(soubor), operace, zprava}).exit_status, 0);
            zpravy.push_back(zprava);
        }
    }
    for (const std::string& zprava : zpravy) {
        SCOPED_TRACE(zprava);
        const Zprava z = nactiZpravuZeSouboru(zprava);
        const std::vector<std::string> telo = radkyHodnot(e2e::precti(zprava));
        const std::vector<std::string> csv = radky(csvHodnot(z));
        if (z.druh == DruhZpravy::Poly) {
            ASSERT_GE(telo.size(), z.poly.size() + 2);
            for (std::size_t i = 0; i < z.poly.size(); ++i) {
                std::string radek = telo[i + 1];
                EXPECT_EQ(std::strtod(radek.c_str(), nullptr), z.poly[i].re);
                std::replace(radek.begin(), radek.end(), ';', ',');
                EXPECT_EQ(csv[i + 1].substr(0, radek.size()), radek);
            }
        } else {
            ASSERT_EQ(z.druh, DruhZpravy::Frekvence);
            EXPECT_EQ(z.pocetRadku(), 256u);
            EXPECT_EQ(csv[0], std::regex_replace(telo[0], std::regex(";"), ","));
        }
        const std::string svg = adresar + "/graf.svg";
        ASSERT_EQ(e2e::spust({zprava, svg}, "", GRAF).exit_status, 0);
        const Obrazek o = vykresli(svg);
        EXPECT_GT(barevnychPixelu(o, 82, o.sirka - 130.0, 72, o.vyska - 60.0), z.druh == DruhZpravy::Poly ? 100 : 1000);
    }
    const std::string bode = svgBode(nactiZpravuZeSouboru(e2e::data("graf_frekvence_rezervy.txt")), "r.txt");
    EXPECT_NE(bode.find(">GM 4,43697 dB<"), std::string::npos);
    EXPECT_NE(bode.find(">PM 24,1868 st<"), std::string::npos);
    EXPECT_NE(bode.find("Rezerva zesileni [dB]: 4,43697 pri w 0,722734"), std::string::npos);
}

// Values at the ends of the range of double (subnormal, near the largest, an overflow that
// ends in inf and nan) and a report name of any bytes give finite coordinates and an SVG that
// stays valid XML.
TEST(GrafSvg, CoordinatesStayFiniteAndTheTextValidXml) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string zleJmeno = adresar + "/r\x01\xff\xc3(<&>\"'\xed\xa0\x80.txt";
    std::string preteceni;
    for (int k = 0; k < 50; ++k) preteceni += (k < 31 ? "1e+" + std::to_string(10 * k) : std::string(k % 2 ? "inf" : "nan")) + "\n";
    const std::vector<std::pair<std::string, std::string>> pripady = {
        {adresar + "/subnormal.txt", SISO + "0\n4,94066e-324\n-9,88131e-324\n"},
        {adresar + "/velke.txt", SISO + "-1,79769e+308\n1,79769e+308\n"},
        {adresar + "/preteceni.txt", SISO + preteceni},
        {zleJmeno, POLY},
    };
    for (const auto& [cesta, text] : pripady) {
        SCOPED_TRACE(cesta);
        e2e::zapis(cesta, text);
        const std::string svg = adresar + "/graf.svg";
        ASSERT_EQ(e2e::spust({cesta, svg}, "", GRAF).exit_status, 0);
        const std::string obsah = e2e::precti(svg);
        EXPECT_TRUE(atributy(obsah, "=\"([^\"]*(nan|inf)[^\"]*)\"").empty());
        EXPECT_GT(vykresli(svg).sirka, 0u);
    }
    EXPECT_NE(e2e::precti(adresar + "/graf.svg").find(">r\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD(&lt;&amp;&gt;&quot;&apos;"),
              std::string::npos);
}

// The figures of step responses whose figures are known: a first-order step 2(1 - 0.5^k);
// the second-order 1 - 0.5^k cos(k pi/2) of (z + 0.25)/(z^2 + 0.25), which overshoots by 25 %
// at step 2; a slow pole that needs more steps than the 50 of a plain run, and responses that
// never settle (an integrator, an unstable pole), whose figures are "-".
TEST(GrafUkazatele, KnownFiguresOfStepResponses) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string pomala = "y1,20,42,20,";
    const std::vector<std::vector<std::string>> pripady = {
        {"1\n-0.5 1\n", "50", "y1,2,3,2,"},           {"0.25 1\n0.25 0 1\n", "50", "y1,1,0,1.25,2,25,5"},
        {"1\n-0.95 1\n", "50", "y1,-,-,-,-,-,-"},      {"1\n-0.95 1\n", "400", pomala},
        {"1\n-1 1\n", "50", "y1,-,-,-,-,-,-"},         {"1\n-2 1\n", "50", "y1,-,-,-,-,-,-"},
        {"0\n-0.5 1\n", "50", "y1,0,-,-,-,-,-"},
    };
    for (const std::vector<std::string>& p : pripady) {
        SCOPED_TRACE(p[0] + " " + p[1]);
        e2e::zapis(adresar + "/s.txt", p[0]);
        ASSERT_EQ(e2e::spust({"--kroky", p[1], "VnejsiSISO", adresar + "/s.txt", "Prechod", adresar + "/r.txt"}).exit_status, 0);
        const e2e::Vysledek v = e2e::spust({"--ukazatele", adresar + "/u.csv", adresar + "/r.txt", adresar + "/r.csv"}, "", GRAF);
        ASSERT_EQ(v.exit_status, 0) << v.stdout_text;
        const std::vector<std::string> csv = radky(e2e::precti(adresar + "/u.csv"));
        ASSERT_EQ(csv.size(), 2u);
        EXPECT_EQ(csv[0], "vystup,konecna hodnota,doba nabehu 10-90 % [kroky],vrchol,krok vrcholu,prekmit [%],"
                          "doba ustaleni 2 % [kroky]");
        EXPECT_EQ(csv[1].substr(0, p[2].size()), p[2]);
        if (p[2] == pomala) {
            EXPECT_EQ(csv[1].substr(csv[1].size() - 5), ",0,77");
        } else if (p[2] == "y1,2,3,2,") {
            EXPECT_EQ(csv[1].substr(csv[1].size() - 4), ",0,6");
        }
    }
}

// Standard output that cannot take the program's lines: a full disk, a closed pipe.
int behSeZavrenouRourou(const std::vector<std::string>& argumenty) {
    int roura[2];
    if (::pipe(roura) != 0) return -1;
    ::close(roura[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(roura[1], 1);
        std::vector<char*> argv{const_cast<char*>(GRAF.c_str())};
        for (const std::string& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(GRAF.c_str(), argv.data());
        std::_Exit(127);
    }
    ::close(roura[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(GrafProgram, AnswersHelpAndVersionAndFailsOnAFailingStandardOutput) {
    const std::string adresar = e2e::docasnyAdresar();
    const e2e::Vysledek napoveda = e2e::spust({"--help"}, "", GRAF);
    EXPECT_EQ(napoveda.exit_status, 0);
    EXPECT_EQ(napoveda.stdout_text.rfind("Pouziti: cldds-graf [--ukazatele UKAZATELE.csv] ZPRAVA", 0), 0u);
    EXPECT_EQ(e2e::spust({"-h"}, "", GRAF).stdout_text, napoveda.stdout_text);
    const e2e::Vysledek verze = e2e::spust({"--version"}, "", GRAF);
    EXPECT_EQ(verze.exit_status, 0);
    EXPECT_TRUE(std::regex_match(verze.stdout_text, std::regex("cldds-graf [0-9]+\\.[0-9]+\\.[0-9]+\n")));
    const std::string zprava = adresar + "/zprava.txt";
    e2e::spust({"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Impulse", zprava});
    EXPECT_EQ(e2e::spust({zprava, adresar + "/a.svg"}, "/dev/full", GRAF).exit_status, 1);
    EXPECT_TRUE(e2e::existuje(adresar + "/a.svg"));
    EXPECT_EQ(behSeZavrenouRourou({zprava, adresar + "/b.csv"}), 1);
    EXPECT_TRUE(e2e::existuje(adresar + "/b.csv"));
    EXPECT_EQ(behSeZavrenouRourou({"--help"}), 1);
    // A limit on the size of files fails the write (status 1, no file), it does not kill.
    std::string dlouha = SISO;
    for (int k = 0; k < 2000; ++k) dlouha += "0,123456\n";
    e2e::zapis(adresar + "/dlouha.txt", dlouha);
    const std::string prikaz = "ulimit -f 4 && '" + GRAF + "' '" + adresar + "/dlouha.txt' '" + adresar + "/c.csv' >/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(prikaz.c_str())), 1);
    EXPECT_FALSE(e2e::existuje(adresar + "/c.csv"));
}

// Every failure prints one message, ends with status 1 and leaves every file as it was.
TEST(GrafProgram, RefusesBadArgumentsAndReportsWithoutWritingAnything) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string zprava = adresar + "/zprava.txt";
    const std::string rozbita = adresar + "/rozbita.txt";
    const std::string poly = adresar + "/poly.txt";
    e2e::spust({"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Impulse", zprava});
    e2e::spust({"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Poly", poly});
    e2e::zapis(rozbita, e2e::precti(zprava) + "1;2\n");
    ASSERT_EQ(::symlink(zprava.c_str(), (adresar + "/odkaz.csv").c_str()), 0);
    ASSERT_EQ(::link(zprava.c_str(), (adresar + "/tvrdy.svg").c_str()), 0);
    const std::string svg = adresar + "/graf.svg";
    const std::string pocet = "Spatny pocet parametru ->";
    const std::string zaroven = " je zaroven vstupnim souborem :" + zprava;
    const std::vector<std::pair<std::vector<std::string>, std::string>> pripady = {
        {{zprava}, pocet + "2 Musi byt presne 3 parametry: cldds-graf ZPRAVA VYSTUP.svg nebo VYSTUP.csv"},
        {{"--ukazatele", "u.csv", zprava}, pocet + "2 Musi byt presne 3 parametry: cldds-graf ZPRAVA VYSTUP.svg nebo VYSTUP.csv"},
        {{"--rychle", zprava, svg}, "Neznama volba ->--rychle"},
        {{"--ukazatele"}, "Volba --ukazatele nema hodnotu"},
        {{"--ukazatele", "a.csv", "--ukazatele", "b.csv", zprava, svg}, "Volba --ukazatele je zadana vicekrat"},
        {{zprava, svg, "--ukazatele", "u.csv"}, "Volba --ukazatele musi stat pred zpravou"},
        {{"--ukazatele", adresar + "/u.csv", poly, svg}, "Volba --ukazatele nepatri ke zprave Poly"},
        {{zprava, adresar + "/graf.png"}, "Spatna pripona vystupu ->" + adresar + "/graf.png Musi byt .svg nebo .csv"},
        {{adresar + "/chybi.txt", svg}, e2e::nelzeOtevrit(adresar + "/chybi.txt")},
        {{adresar, svg}, e2e::nelzeOtevrit(adresar)},
        {{"/dev/zero", svg}, "Chybna zprava :/dev/zero -> radek je delsi nez 65536 znaku (radek 1 souboru)"},
        {{rozbita, svg}, "Chybna zprava :" + rozbita + " -> system SISO ma na radku jen jednu hodnotu (radek 57 souboru)"},
        {{zprava, adresar + "/neni/graf.svg"}, "Soubor :" + adresar + "/neni/graf.svg se nepodarilo zapsat"},
        {{zprava, adresar + "/odkaz.csv"}, "Vysledny soubor :" + adresar + "/odkaz.csv" + zaroven},
        {{zprava, adresar + "/tvrdy.svg"}, "Vysledny soubor :" + adresar + "/tvrdy.svg" + zaroven},
        {{"--ukazatele", zprava, zprava, svg}, "Vysledny soubor :" + zprava + zaroven},
        {{"--ukazatele", svg, zprava, svg}, "Soubor ukazatelu :" + svg + " je zaroven vystupem :" + svg},
        {{"--ukazatele", adresar + "/./graf.svg", zprava, svg},
         "Soubor ukazatelu :" + adresar + "/./graf.svg je zaroven vystupem :" + svg},
    };
    const std::string puvodni = e2e::precti(zprava);
    for (const auto& [argumenty, zpravaChyby] : pripady) {
        const e2e::Vysledek v = e2e::spust(argumenty, "", GRAF);
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_EQ(v.stdout_text, zpravaChyby + "\n");
        EXPECT_EQ(v.stderr_text, "");
        EXPECT_FALSE(e2e::existuje(svg));
        EXPECT_FALSE(e2e::existuje(adresar + "/u.csv"));
        EXPECT_EQ(e2e::precti(zprava), puvodni);
    }
    const e2e::Vysledek csv = e2e::spust({zprava, adresar + "/hodnoty.CSV"}, "", GRAF);
    EXPECT_EQ(csv.exit_status, 0);
    EXPECT_EQ(radky(e2e::precti(adresar + "/hodnoty.CSV")).size(), 51u);
}

}  // namespace

}  // namespace e2e_graf
}  // namespace
