#ifndef MODULIZOLACE_H
#define MODULIZOLACE_H

#include <vector>

#include "ModulAritmetika.h"
#include "ModulObaly.h"
#include "ModulKruhy.h"

// Isolation of the roots of a square-free integer polynomial q with q(0) != 0, of which
// naKruznici lie on the unit circle (counted exactly beforehand): the real roots and those in
// the upper half-plane, each in a box of its own, with its place. First by inclusion discs
// (korenyVKruzich), else by Arb's isolation.
std::vector<IzolovanyKoren> izolujKoreny(const CelyPolynom& q, long naKruznici);

// Arb's isolation alone (arb_fmpz_poly_complex_roots: real roots with imaginary part exactly
// 0, conjugate pairs together), refined until exactly naKruznici balls meet the circle and
// every other ball lies clear of it and of the real axis.
std::vector<IzolovanyKoren> izolujKorenyArb(const CelyPolynom& q, long naKruznici);

// The real roots of the square-free G, all of whose m roots are real and lie in (-2, 2), in
// ascending order, each in a real ball of its own. The approximations come from `napoveda`
// (approximations of roots z of a polynomial whose roots give those of G as z + 1/z), else
// from Arb's isolation.
std::vector<RealnyInterval> realneKorenyStopy(const CelyPolynom& G, const CelyPolynom& napoveda);

#endif
