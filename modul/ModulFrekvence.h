#ifndef MODULFREKVENCE_H
#define MODULFREKVENCE_H

#include <string>

#include <acb.h>

#include "JisteBody.h"
#include "ModulPrenos.h"

// The frequency report's values that the tool's floating-point bounds left open, for a task
// of the text form of ZadaniPresnosti.h (zadani::FREKVENCE): a block of the pairs asked for
// (one element "o i" each, 0-based), the system's blocks (F, G, H, L or A, B), then per pair
// what the tool knows of its 256 values (JisteBody.h). The answer holds per pair the printable
// values as point intervals: every value the exact one rounded to its printed digits.
std::string presnaFrekvence(const std::string& zadani);

// The task of zadani::FREKVENCE or zadani::REZERVY (ModulRezervy.h) answered.
std::string frekvencniUkol(const std::string& zadani);

// The listed frequency k of the report as a point of the circle: exp(i pi 10^((k - 255) / 85)),
// i.e. omega_k = 0.001 pi 1000^(k / 255).
void bodMrizky(acb_t z, long k, long presnost);

// The values of pair (o, i) certain to their printed digits, from what `body` holds: open
// values are evaluated in ball arithmetic at rising precision; where the ball cannot decide
// (an exact pole, zero, |H| = 1 or a real H), exact algebra on the pair's transfer function
// does. The points of the answer are point intervals.
std::vector<BodFrekvence> dorozhodni(PresnySystem& system, long o, long i, std::vector<BodFrekvence> body);

#endif
