#ifndef MODULVERDIKT_H
#define MODULVERDIKT_H

#include <string>

#include "ModulAritmetika.h"

// The exact stability verdict on the roots of an integer polynomial: true when no root lies
// outside the closed unit disc (a root of magnitude exactly 1 counts as inside, whatever its
// multiplicity). The zero polynomial has no finite set of roots and is never stable; a
// non-zero constant has no roots and is.
//
// On the square-free part s, the roots on the unit circle are those of g = gcd(s, s*) (s* the
// reversed polynomial, whose roots are the 1/z of those of s); the rest, the roots of s / g,
// are isolated in ball arithmetic until each lies clearly inside or outside the circle, and g
// is tested for a root off the circle through the real roots of its trace polynomial.
bool presnyVerdikt(const CelyPolynom& p);

// The verdict on a stability task in the text form of ZadaniPresnosti.h: 1 stable, 0 not stable, -1
// when the task cannot be read (chyba then says why).
int presnyVerdiktZadani(const std::string& zadani, std::string& chyba);

#endif
