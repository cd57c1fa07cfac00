#ifndef GRAF_POLY_H
#define GRAF_POLY_H

#include <string>

#include "GrafZprava.h"

// A pole map of a pole report: the complex plane at equal scale on both axes and the unit
// circle, each pole a cross and each zero a ring, coloured by its place (inside blue, on the
// circle light orange, outside dark red) with its multiplicity beside it when above 1; a legend; the
// spectral radius under the title, in the report's text, and why the zeros are not defined
// when the report says so; the static gains as a small table beside the map.
std::string svgPolu(const Zprava& zprava, const std::string& nazevZpravy);

#endif
