#ifndef GRAF_CSV_H
#define GRAF_CSV_H

#include <string>

#include "GrafZprava.h"

// The values of the report as standard CSV: a header "k,y1,y2,...", then one line a step
// with its number and the outputs, a decimal point, each value in the shortest text that
// reads back as the same double ("inf", "-inf", "nan" for the others).
std::string csvHodnot(const Zprava& zprava);

#endif
