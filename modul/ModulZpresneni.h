#ifndef MODULZPRESNENI_H
#define MODULZPRESNENI_H

#include <acb.h>
#include <arb.h>

#include "ModulAritmetika.h"

// Certified refinement of one simple root of an integer polynomial f by the interval Newton
// operator N(Y) = m - f(m) / f'(Y): when N(Y) lies inside the box Y, Y holds exactly one root
// of f and N(Y) holds it (Moore; for analytic f the complex version holds since
// f(y) - f(m) = (y - m) times a point of the convex hull of f'(Y)). Y is a small box around a
// Newton point m at precision prec; the result must also lie inside the box X that isolates
// the root, so it is the same root.
struct PolynomSDerivaci {
    CelyPolynom f;
    CelyPolynom derivace;
    explicit PolynomSDerivaci(const CelyPolynom& p);
};

// X (a real ball isolating a real root of f) narrowed to N(Y); false when prec does not
// suffice to narrow it.
bool zpresniRealny(const PolynomSDerivaci& f, arb_t X, long prec);

// The same for a box X isolating a root of f in the complex plane.
bool zpresniKomplexni(const PolynomSDerivaci& f, acb_t X, long prec);

#endif
