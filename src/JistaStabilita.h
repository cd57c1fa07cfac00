#ifndef JISTASTABILITA_H
#define JISTASTABILITA_H

#include <complex>
#include <optional>
#include <vector>

#include "PresnaAritmetika.h"

// Certain verdicts on the roots of an integer polynomial: true when no root lies outside the
// closed unit disc (a root of magnitude exactly 1 counts as inside, whatever its
// multiplicity). The zero polynomial has no finite set of roots and is never stable; a
// non-zero constant has no roots and is.

// Decides with approximations of the roots in hand (any points will do, typically the
// floating-point roots or eigenvalues of the system), and falls back on the exact path when
// they cannot settle it. The verdict never depends on the approximations.
bool stabilniKoreny(const CelyPolynom& p, const std::vector<std::complex<double>>& odhady);

// The fast path alone. Around the approximations r_1 ... r_n of the n non-zero roots it puts
// the inclusion discs |z - r_i| <= n |q(r_i)| / |a_n prod_{j != i} (r_i - r_j)| (q the
// polynomial without its roots at 0, in ball arithmetic): their union holds every root, and a
// connected group of k discs exactly k. Empty when some disc meets the unit circle and no
// group lies wholly outside it.
std::optional<bool> rychlyVerdikt(const CelyPolynom& p, std::vector<std::complex<double>> odhady);

// The exact path alone, for any p: on the square-free part s, the roots on the unit circle
// are those of g = gcd(s, s*) (s* the reversed polynomial); the rest, those of s / g, are
// isolated in ball arithmetic until each lies clearly inside or outside, and g is tested for a
// root off the circle through the real roots of its trace polynomial.
bool presnyVerdikt(const CelyPolynom& p);

#endif
