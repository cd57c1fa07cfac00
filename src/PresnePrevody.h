#ifndef PRESNEPREVODY_H
#define PRESNEPREVODY_H

#include <string>

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"

// Conversions between the descriptions computed exactly from the values as written (in the
// module of exact arithmetic), every coefficient rounded once to the nearest double. Each
// returns false with a message when a coefficient lies beyond the range of double.

// State space to A(z) = det(zI - F) and B(z) = H adj(zI - F) G + L det(zI - F), outputs x inputs.
bool prenosPresne(const PresnyStav& stav, Polynom& A, Matrix<Polynom>& B, std::string& chyba);

// External description to the controllable canonical form (siso) or the block observer form.
bool realizacePresne(const PresnyVnejsi& vnejsi, bool siso, Matrix<double>& F, Matrix<double>& G,
                     Matrix<double>& H, Matrix<double>& L, std::string& chyba);

#endif
