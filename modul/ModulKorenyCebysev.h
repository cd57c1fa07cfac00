#ifndef MODULKORENYCEBYSEV_H
#define MODULKORENYCEBYSEV_H

#include <complex>
#include <vector>

#include "ModulObaly.h"

// Floating-point approximations of all roots of sum_k a_k T_k(x) (Chebyshev polynomials of the
// first kind; of the second kind, U_k, when druhy; a_d != 0, d >= 2): the eigenvalues of its colleague matrix (Good 1961), whose
// roots in and near [-1, 1] come out to about the rounding of the coefficients relative to
// the largest, unlike those of the same polynomial in powers of x. Empty when a ratio of the
// coefficients leaves the range of double. No guarantee: starting points for inclusion discs.
std::vector<std::complex<double>> odhadyKorenuCebysev(const std::vector<CeleCislo>& a, bool druhy);

#endif
