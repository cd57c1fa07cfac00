#ifndef JISTEHODNOTYFREKVENCE_H
#define JISTEHODNOTYFREKVENCE_H

#include <vector>

#include "FrekvencniOdezva.h"
#include "JisteBody.h"

// The printable values of a frequency report, each the exact value of the system as written
// rounded to the printed digits: per output/input pair (each output's inputs in turn) the
// magnitudes in dB and the unwrapped phases in degrees, frequency by frequency (inf and nan at
// a pole, -inf and nan at an exact zero). The floating-point values settle what their bounds
// fix; every pair with a value they leave open goes whole to the module of exact arithmetic,
// which evaluates the exact transfer function in ball arithmetic. That needs the report's own
// list of frequencies (frekvenceZpravy).
struct HodnotyFrekvenci {
    std::vector<std::vector<double>> db;
    std::vector<std::vector<double>> faze;
};
HodnotyFrekvenci jisteHodnoty(const FrekvencniOdezva& odezva);

// What a value h with |exact - h| <= chyba says of the exact magnitude in dB and phase in
// degrees; unknown when the disc reaches 0 or the value is not finite. The C library's log10,
// atan2 and hypot are within a few units in the last place of the exact results; the intervals
// are widened by more than that.
BodFrekvence bodZHodnoty(Komplexni h, double chyba);

#endif
