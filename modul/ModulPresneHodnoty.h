#ifndef MODULPRESNEHODNOTY_H
#define MODULPRESNEHODNOTY_H

#include <optional>

#include <acb.h>
#include <arb.h>
#include <flint/fmpq.h>

#include "ModulAritmetika.h"

// Exact answers to "is this value of a root exactly the rational c?", for the values that a
// ball can never round (doubles, midpoints between doubles, 0). The root z of the square-free
// integer polynomial f is given by a box N that holds no other root of f (a real root: a real
// interval), and c lies in the part of N in question. Each question becomes one about the real
// roots of an integer polynomial, counted by Sturm sequences in an interval.

// Re z == c for a root z in the upper half-plane: z - c is purely imaginary, so
// q(v) = f(v + c) = E(v^2) + v O(v^2) has the pair +-i y, and -y^2 is a real root of
// gcd(E, O), the polynomial of the pairs of roots symmetric about c.
bool realnaCastJe(const CelyPolynom& f, acb_srcptr N, const fmpq_t c);

// Im z == c (c > 0): f(x + i c) = R(x) + i I(x) has the real root Re z, a real root of
// gcd(R, I) in the real interval of N.
bool imaginarniCastJe(const CelyPolynom& f, acb_srcptr N, const fmpq_t c);

// |z| == c for a root z in the upper half-plane that N holds, X a larger box isolating it: the
// roots of f(c w) on the unit circle come from the real roots t of the trace polynomial of its
// common divisor with its reversal, z = c (t + i sqrt(4 - t^2)) / 2. Empty when the box X is
// too small to tell that root from z (then ask again with a smaller N).
std::optional<bool> velikostJe(const CelyPolynom& f, acb_srcptr N, acb_srcptr X, const fmpq_t c);

// For a root t of the trace polynomial G isolated by the real interval T (t in (-2, 2), the
// root z = (t + i sqrt(4 - t^2)) / 2 on the unit circle): Im z == c, that is t = s sqrt(4 - 4c^2)
// with s the sign of t.
bool imaginarniCastNaKruzniciJe(const CelyPolynom& G, arb_srcptr T, const fmpq_t c);

#endif
