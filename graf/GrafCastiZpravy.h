#ifndef GRAF_CASTI_ZPRAVY_H
#define GRAF_CASTI_ZPRAVY_H

#include <string>
#include <string_view>
#include <vector>

#include "GrafRadky.h"
#include "GrafZprava.h"

// The parts of the report reader, shared by its files.

// The pole report from its header line on: the poles, the spectral radius, then the zero and
// static gain sections when there are any.
void ctiPoly(RadkyZpravy& radky, Zprava& zprava);

// The margin sections of a frequency report, from the header of the gain margin on.
void ctiRezervy(RadkyZpravy& radky, Zprava& zprava);

#endif
