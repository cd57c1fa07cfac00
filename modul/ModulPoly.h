#ifndef MODULPOLY_H
#define MODULPOLY_H

#include <string>
#include <vector>

#include "PolSystemu.h"
#include "ModulAritmetika.h"

// The distinct roots of a non-zero integer polynomial with their multiplicities (square-free
// factorisation) and their places relative to the unit circle, decided exactly as the
// stability verdict decides them: the roots of each factor on the circle are those of its
// common divisor with its reversal, counted through the trace polynomial, and every other
// root is isolated in ball arithmetic until it lies clearly inside or outside. Values are
// the midpoints of balls accurate to 64 bits, rounded to the nearest double; a part whose
// ball still holds 0 is written 0. Sorted by magnitude, then real and imaginary part, all
// descending.
std::vector<Pol> presnePoly(const CelyPolynom& p);

// The answer to a pole task in the text form of ZadaniPresnosti.h (one block whose roots or
// eigenvalues are asked, its kind as for stability): the block of polyNaBlok, or a failure
// text.
std::string presnePolyZadani(const std::string& zadani);

#endif
