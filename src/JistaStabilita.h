#ifndef JISTASTABILITA_H
#define JISTASTABILITA_H

#include <vector>

#include "Matrix.h"
#include "PresnaMatice.h"

// Stability verdicts that are exactly those of the system as written: no pole outside the
// closed unit disc (a pole of magnitude exactly 1 counts as stable, whatever its
// multiplicity). Each first tries a floating-point certificate with rigorous error bounds;
// when the poles come too close to the circle for it, the module of exact arithmetic decides
// (loaded on first use; vyjm::FileError when it cannot be loaded).
// `presne` holds the values as written; the doubles are their correctly rounded values.

// The roots of a (index = power, non-zero at the top).
bool stabilniPolynom(const std::vector<double>& a, const PresnaMatice& presne);
// The eigenvalues of the square matrix F.
bool stabilniMatice(const Matrix<double>& F, const PresnaMatice& presne);
// The roots of det A(z) for the square polynomial matrix A (presne); C is the block companion
// matrix computed from A in floating point (each entry one rounded quotient), or empty.
bool stabilniDeterminant(const Matrix<double>& C, const PresnaMatice& presne);

#endif
