#ifndef GRAF_REZERVY_H
#define GRAF_REZERVY_H

#include <ostream>
#include <string>
#include <vector>

#include "GrafPrvky.h"
#include "GrafZprava.h"

// The margins of a SISO frequency report on its Bode diagram.

// The lines under the title: each margin at every crossover, in the report's text
// ("Rezerva zesileni [dB]: 12,5 pri w 1,2"), or "inf" with the words that there is none.
std::vector<std::string> radkyRezerv(const Zprava& zprava);
// Widens the ranges of the two panels to hold 0 dB, the magnitude at each phase crossover and
// the phase reference (-180 degrees plus a multiple of 360) of each gain crossover.
void rozsahRezerv(const Zprava& zprava, double& minZesileni, double& maxZesileni, double& minFaze, double& maxFaze);
// Every crossover as a dotted line through both panels; the gain margin as a bar from the
// magnitude at the phase crossover up to 0 dB, the phase margin as a bar from the phase
// reference to the phase at the gain crossover, each labelled with its value.
void znackyRezerv(std::ostream& svg, const Zprava& zprava, const Plocha& zesileni, const Plocha& faze);

#endif
