#ifndef MODULPOLY_H
#define MODULPOLY_H

#include <string>
#include <vector>

#include "ModulAritmetika.h"
#include "ModulRozbor.h"
#include "PolSystemu.h"

// The distinct roots of a non-zero integer polynomial (any, not only a pole polynomial) with
// their multiplicities and their places relative to the unit circle, decided exactly as the
// stability verdict decides them. Every value is the nearest double of the exact one (real
// part, imaginary part and magnitude each rounded on its own, ties to even); a real root has
// imaginary part 0, conjugate roots mirror each other, a root on the circle has magnitude 1, a
// real part that is exactly 0 is 0. Sorted by magnitude, then real and imaginary part, all
// descending. MimoRozsahDouble (ModulHodnotyPolu.h) when a root lies beyond the range of
// double.
std::vector<Pol> presnePoly(const CelyPolynom& p);
std::vector<Pol> polyRozboru(const RozborPolu& rozbor);

// The answer to a pole task in the text form of ZadaniPresnosti.h (one block whose roots or
// eigenvalues are asked, its kind as for stability): the block of polyNaBlok, or a failure
// text.
std::string presnePolyZadani(const std::string& zadani);

#endif
