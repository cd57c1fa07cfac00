#ifndef GRAF_SVG_H
#define GRAF_SVG_H

#include <string>

#include "GrafZprava.h"

// The picture and the rectangle of the plot area in it (pixels, y growing downwards). A MIMO
// plot keeps a column on the right for its legend and grows taller when the legend needs it.
struct PlochaGrafu {
    double sirka;
    double vyska;
    double vlevo;
    double vpravo;
    double nahore;
    double dole;
};

PlochaGrafu plochaGrafu(const Zprava& zprava);

// A self-contained SVG of the report: each output a staircase over the steps k (the value of
// step k held from k to k + 1), axes with ticks, a title with the kind of system and its
// verdict, a legend for MIMO. Values inf and nan leave a gap, and a note says how many.
std::string svgGrafu(const Zprava& zprava, const std::string& nazevZpravy);

#endif
