#ifndef GRAF_POLY_H
#define GRAF_POLY_H

#include <string>

#include "GrafZprava.h"

// A pole map of a pole report: the complex plane at equal scale on both axes, the unit circle,
// each pole marked by its place (inside: a blue disc, on the circle: an orange square,
// outside: a red cross) with its multiplicity beside it when above 1, a legend, and the
// spectral radius under the title.
std::string svgPolu(const Zprava& zprava, const std::string& nazevZpravy);

#endif
