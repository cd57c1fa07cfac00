#ifndef GRAF_BODE_H
#define GRAF_BODE_H

#include <string>

#include "GrafZprava.h"

// A Bode diagram of a frequency report: the magnitude in dB above, the phase in degrees
// below, both over w on a logarithmic axis spanning the data, with pi (the Nyquist frequency)
// marked and the phase ticks at multiples of 45 or 90 degrees. Up to four output/input pairs
// share one diagram, each a curve in its own colour with a legend when there are several;
// more pairs get one diagram per output, its inputs as the curves. Values inf and nan leave
// a gap, and a note says how many. The margins of a SISO report are marked at every
// crossover and listed under the title.
std::string svgBode(const Zprava& zprava, const std::string& nazevZpravy);

#endif
