#ifndef JISTASTABILITA_H
#define JISTASTABILITA_H

#include <functional>
#include <vector>

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"

// Stability verdicts that are exactly those of the system as written: no pole outside the
// closed unit disc (a pole of magnitude exactly 1 counts as stable, whatever its
// multiplicity). Each first tries a floating-point certificate with rigorous error bounds;
// when the poles come too close to the circle for it, the module of exact arithmetic decides
// (loaded on first use; vyjm::FileError when it cannot be loaded).
// `presne` gives the values as written, of which the doubles are the correctly rounded values;
// it is called only when the exact path runs.

// The roots of a (index = power, non-zero at the top).
bool stabilniPolynom(const std::vector<double>& a, const std::function<PresnaMatice()>& presne);
// The eigenvalues of the square matrix F.
bool stabilniMatice(const Matrix<double>& F, const std::function<PresnaMatice()>& presne);
// The roots of det A(z) for the square polynomial matrix A (presne); C is the block companion
// matrix computed from A in floating point (each entry one rounded quotient), or empty.
bool stabilniDeterminant(const Matrix<double>& C, const std::function<PresnaMatice()>& presne);

// The exact values of doubles (each double is a finite binary fraction), for systems that were
// not read from a file.
PresnaMatice presneZMatice(const Matrix<double>& M);
PresnaMatice presneZPolynomu(const Polynom& p);
PresnaMatice presneZPolynomialniMatice(const Matrix<Polynom>& M);

#endif
