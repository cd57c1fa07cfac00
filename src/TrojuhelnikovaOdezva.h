#ifndef TROJUHELNIKOVAODEZVA_H
#define TROJUHELNIKOVAODEZVA_H

#include <vector>

#include "FrekvencniOdezva.h"

// The order in which substitution solves (zI - F) x = g when F is triangular up to a permutation
// of the states (the graph of its off-diagonal non-zeros, edge r -> c for F_rc != 0, has no
// cycle): every state after the states it reads. Empty when there is a cycle.
std::vector<int> poradiDosazovani(const Matrix<double>& F);

// H (zI - F)^-1 G + L of such an F by substitution, without any similarity, so that couplings
// of any size cost nothing in accuracy. The bound is elementwise: with the exact T* = z*I - F*
// within E of the computed T (the point, the rounding of the diagonal, the reading dF) and the
// substitution's backward error |dT| <= gamma |T| (Higham, theorem 8.5),
// |x* - x| <= M*^-1 (|dG| + (|dT| + |E|) |x|) for the comparison matrix M* of T*, whose inverse
// bounds |T*^-1| elementwise. O(non-zeros of F) per frequency and input. Values that this leaves
// without a bound (a diagonal too close to 0) keep inf.
void trojuhelnikovaOdezva(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                          const Matrix<double>& L, const Matrix<double>& dF, const Matrix<double>& dG,
                          const Matrix<double>& dH, const Matrix<double>& dL, const std::vector<int>& poradi,
                          const std::vector<double>& w, FrekvencniOdezva& odezva);

#endif
