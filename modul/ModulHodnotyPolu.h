#ifndef MODULHODNOTYPOLU_H
#define MODULHODNOTYPOLU_H

#include <stdexcept>

#include "ModulObaly.h"
#include "ModulKruhy.h"
#include "ModulZpresneni.h"
#include "PolSystemu.h"

// The printed values of one pole: each the nearest double of the exact value (ties to even),
// by Ziv's strategy on a box refined at doubling precision, with an exact check for the one
// value a ball never rounds (a double, a midpoint between doubles, 0). The structure is exact:
// a real root has imaginary part 0 and magnitude |re|, a root on the circle magnitude 1; the
// lower root of a conjugate pair is the mirror image of the upper one (the caller's job).

// A pole whose value lies beyond the range of double, which no report can hold.
class MimoRozsahDouble : public std::runtime_error {
public:
    MimoRozsahDouble() : std::runtime_error("Pol systemu presahuje rozsah cisel double\n") {}
};

// The real root of f that koren isolates.
Pol polRealny(const PolynomSDerivaci& f, const IzolovanyKoren& koren, long nasobnost);

// The root of f in the upper half-plane that koren isolates.
Pol polKomplexni(const PolynomSDerivaci& f, const IzolovanyKoren& koren, long nasobnost);

// The root z = (t + i sqrt(4 - t^2)) / 2 on the unit circle for the root t of the trace
// polynomial G that the real ball T isolates.
Pol polNaKruznici(const PolynomSDerivaci& G, const RealnyInterval& T, long nasobnost);

#endif
