#ifndef MODULPREVOD_H
#define MODULPREVOD_H

#include <string>
#include <vector>

#include "ModulAritmetika.h"

// Conversions between the descriptions in exact arithmetic, for a task in the text form of
// ZadaniPresnosti.h; every coefficient of the result is the exact one rounded once to the
// nearest double. The answer is a result text, or a failure text when the task cannot be
// read or a coefficient lies beyond the range of double.
//
// - State space (F, G, H, L) to the external description: A = det(zI - F) and
//   B_ij = H_i adj(zI - F) G_j + L_ij det(zI - F), over the integers; refused up front when the
//   exact determinant of F already lies beyond the range of double.
// - External SISO (A, B) to the controllable canonical form; external MIMO (A, B) to the block
//   observer form.
std::string presnyPrevod(const std::string& zadani);

// The coefficient matrices B_0 ... B_n of B(z) = H adj(zI - F) G + L D(z) for D = det(zI - F)
// (Bk holds n + 1 matrices of the shape of L).
void citateleAdjungovanou(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L,
                          const fmpq_poly_t D, std::vector<RacionalniMatice*>& Bk);
// D = det(zI - F) and, for one input and one output, B(z) by the determinant lemma.
void citatelLemmatem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L,
                     fmpq_poly_t D, fmpq_poly_t B);

#endif
