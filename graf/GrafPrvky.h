#ifndef GRAF_PRVKY_H
#define GRAF_PRVKY_H

#include <ostream>
#include <string>

#include "GrafZprava.h"

// Pieces shared by every picture of cldds-graf.

// Text with the XML special characters escaped.
std::string xml(const std::string& text);
// A coordinate with two decimals.
std::string px(double hodnota);
// The stroke of curve number `krivka`: colours that stay apart for the usual colour-vision
// deficiencies first, then the same colours dashed.
std::string styl(int krivka);
// The start of the picture: the SVG element of the given size, a white background, the title
// with the kind of system and its verdict, and the subtitle with the report's name.
void zacatekSvg(std::ostream& svg, double sirka, double vyska, const Zprava& zprava, const std::string& nazev);
// The red note above the plot on values that are not drawn; nothing when there are none.
void poznamkaMezer(std::ostream& svg, double sirka, int nekreslenych);

#endif
