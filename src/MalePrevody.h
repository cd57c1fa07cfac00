#ifndef MALEPREVODY_H
#define MALEPREVODY_H

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"

// The exact conversions of small systems written with short decimals, without the module of
// exact arithmetic (whose loading costs far more than their arithmetic): every value is an
// integer over a power of ten, the results are computed in 128-bit integers with every
// overflow detected, and each coefficient p / q is rounded once by the division of two
// doubles that hold p and q exactly, which IEEE arithmetic rounds correctly. So the results are
// those of the module to the last bit. Each returns false, and leaves the module to do the
// work, whenever a value does not fit these bounds (a hexadecimal text, more than 18 digits,
// an intermediate beyond 127 bits, a result not exactly a quotient of two doubles).

// State space to A(z) = det(zI - F), B(z) = H adj(zI - F) G + L det(zI - F), up to 8 states
// and 16 pairs of channels.
bool malyPrenos(const PresnyStav& stav, Polynom& A, Matrix<Polynom>& B);

// B(z) / A(z) to the controllable canonical form.
bool malaRealizace(const PresnyVnejsi& vnejsi, Matrix<double>& F, Matrix<double>& G, Matrix<double>& H,
                   Matrix<double>& L);

#endif
