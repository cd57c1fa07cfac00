#ifndef GRAF_CSV_H
#define GRAF_CSV_H

#include <string>

#include "GrafZprava.h"

// The values of the report as standard CSV (RFC 4180 quoting, lines ended by LF), a decimal
// point, each value in the shortest text that reads back as the same double ("inf", "-inf",
// "nan" for the others):
// - a response: a header "k,y1,y2,..." and one line a step with its number and the outputs;
// - a frequency response: the report's header and lines with "," for ";"; with margins, an
//   empty line and the block "rezerva,hodnota,w" with a line per crossover
//   ("zesileni [dB],12.5,1.2"; "inf,-" when there is none);
// - poles: a header "re,im,velikost,nasobnost,poloha" and one line a pole; with a zero
//   section a sixth column "druh" says "pol" or "nula" and the zeros follow the poles; with
//   static gains, an empty line and the block "vystup/vstup,staticke zesileni".
std::string csvHodnot(const Zprava& zprava);

#endif
