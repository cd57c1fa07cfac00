#ifndef MODULNULY_H
#define MODULNULY_H

#include <string>

#include "ModulAritmetika.h"

// Zeros and static gain of a system whose values are read exactly (the task zadani::NULY of
// ZadaniPresnosti.h: what is asked, then the blocks A and B of an external description or F,
// G, H and L of a state-space one).
//
// The zeros are the roots of the zero polynomial of the system as written, no factor
// cancelled against the poles: det B(z) for an external description (B itself for SISO), the
// determinant of the system matrix [zI - F, -G; H, L] for state space (for SISO the numerator
// H adj(zI - F) G + L det(zI - F) of the transfer function). They are listed by presnePoly
// like the poles; an identically zero polynomial gives an empty block.
//
// The static gain is that of ModulZesileni.h.
std::string presneNulyZadani(const std::string& zadani);

// det [zI - F, -G; H, L] exactly, for F n x n, G n x m, H m x n, L m x m: a multimodular
// computation (one reduction of the pencil per prime, CRT up to a Hadamard bound on the
// coefficients), so that its size does not grow with the rational entries met on the way.
void determinantSystemoveMatice(fmpq_poly_t det, RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                RacionalniMatice& L);

#endif
