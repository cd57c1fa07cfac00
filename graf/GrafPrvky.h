#ifndef GRAF_PRVKY_H
#define GRAF_PRVKY_H

#include <ostream>
#include <string>
#include <vector>

#include "GrafOsa.h"
#include "GrafSchody.h"
#include "GrafZprava.h"

// Pieces shared by every picture of cldds-graf.

// The width of every picture in pixels.
constexpr double SIRKA_OBRAZKU = 800.0;

// A coordinate with two decimals. Coordinates are finite by construction; one far outside the
// picture (a value outside its axis) is held to +-1e6 pixels, which renderers accept.
std::string px(double hodnota);
// The stroke of curve number `krivka`: colours that stay apart for the usual colour-vision
// deficiencies first, then the same colours dashed.
std::string styl(int krivka);
// The start of the picture: the SVG element of the given size, a white background, the title
// with the kind of system and its verdict, and the subtitle with the report's name.
void zacatekSvg(std::ostream& svg, double sirka, double vyska, const Zprava& zprava, const std::string& nazev);
// A line of text under the title (row 0 is the first line under the subtitle).
void radekPodTitulkem(std::ostream& svg, double sirka, int radek, const std::string& text, const char* barva = "black");
// The red note on values that are not drawn, with where the first of them is ("prvni v kroku
// 3"); nothing when there are none.
void poznamkaMezer(std::ostream& svg, double sirka, int radek, int nekreslenych, const std::string& prvni);

// A rectangle of the picture and the two axes that map values into it.
struct Plocha {
    double vlevo;
    double vpravo;
    double nahore;
    double dole;
    Osa osaX;
    Osa osaY;

    double x(long double hodnota) const { return vlevo + osaX.podil(hodnota) * (vpravo - vlevo); }
    double y(long double hodnota) const { return dole - osaY.podil(hodnota) * (dole - nahore); }
};

// The grid lines of both axes, their labels, the axis titles and the frame.
void mrizka(std::ostream& svg, const Plocha& p, const std::string& popisekX, const std::string& popisekY);
// A polyline of points (x, y in the axes' values), in the style of curve `krivka`; a single
// point is drawn as a dot.
void krivka(std::ostream& svg, const Plocha& p, const std::vector<Bod>& body, int krivka);
// A dot in the colour of curve `cislo`.
void tecka(std::ostream& svg, const Plocha& p, const Bod& bod, int cislo);
// A legend of coloured lines with labels, one row of 20 pixels each, from (x, y) down; at
// most 16 rows.
void legenda(std::ostream& svg, double x, double y, const std::vector<std::string>& popisky);
// A small table: a header row and the rows, each cell at its column's x, from y down.
void tabulka(std::ostream& svg, double y, const std::vector<double>& sloupce,
             const std::vector<std::vector<std::string>>& radky);

#endif
