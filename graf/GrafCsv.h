#ifndef GRAF_CSV_H
#define GRAF_CSV_H

#include <string>

#include "GrafZprava.h"

// The values of the report as standard CSV, a decimal point, each value in the shortest text
// that reads back as the same double ("inf", "-inf", "nan" for the others): for a response a
// header "k,y1,y2,..." and one line a step with its number and the outputs; for a frequency
// response the report's header and lines with "," for ";"; for poles a header
// "re,im,velikost,nasobnost,poloha" and one line a pole.
std::string csvHodnot(const Zprava& zprava);

#endif
