#ifndef GRAF_BODE_H
#define GRAF_BODE_H

#include <string>

#include "GrafZprava.h"

// A Bode diagram of a frequency report: the magnitude in dB above, the phase in degrees
// below, both over w on a logarithmic axis with a tick at every decade; each output/input
// pair a curve in its own colour, with a legend when there are several. Values inf and nan
// leave a gap, and a note says how many.
std::string svgBode(const Zprava& zprava, const std::string& nazevZpravy);

#endif
