#ifndef MODULZESILENI_H
#define MODULZESILENI_H

#include <vector>

#include "ModulAritmetika.h"

// The static gain: H(1) of the transfer function with its common factors cancelled, each
// element the exact value rounded once to the nearest double; an element that keeps a pole at
// z = 1 is "inf" or "-inf", the sign of its limit for z -> 1 from above (the direction in
// which the step response runs away). A block of texts, one per output/input pair.

// A(z)^-1 B(z) at z = 1 for a matrix fraction A(z) Y = B(z) U.
PresnaMatice zesileniVnejsi(const PresnaMatice& A, const PresnaMatice& B);

// H (zI - F)^-1 G + L at z = 1 for F n x n, G n x m, H m x n, L m x m.
PresnaMatice zesileniStavu(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L);

// The same for one input and one output, given D = det(zI - F) and the numerator
// B = H adj(zI - F) G + L D of the transfer function.
PresnaMatice zesileniJednohoKanalu(const fmpq_poly_t D, const fmpq_poly_t B, RacionalniMatice& F, RacionalniMatice& G,
                                   RacionalniMatice& H, RacionalniMatice& L);

// One element of H (zI - F)^-1 G + L around z = 1: c t^-rad + (higher powers of t = z - 1),
// rad = 0 when the element has no pole at 1 (c is then its value there), else c != 0.
struct ClenVJedne {
    long rad = 0;
    Racionalni koeficient;
};

// The leading terms of every element (row-major, output by output), all pairs in one
// computation, by the faster of two exact ways for the Jordan chains at 1 (ModulZesileni.cpp).
std::vector<ClenVJedne> rozvojVJedne(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                     RacionalniMatice& L);

// The same through the decomposition of Q^n into the generalised eigenspace K of the eigenvalue
// 1 and the invariant complement R on which N = F - I is invertible: fast for short chains.
std::vector<ClenVJedne> rozvojVJedneRozkladem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                              RacionalniMatice& L);

// The same from det(zI - F) and the numerator H adj(zI - F) G around z = 1: a cost that does not
// depend on the chains. Refused (std::runtime_error with the user's message) beyond a budget
// of work that keeps the tool within its limits of time.
std::vector<ClenVJedne> rozvojVJedneCitatelem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H,
                                              RacionalniMatice& L);

#endif
