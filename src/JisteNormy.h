#ifndef JISTENORMY_H
#define JISTENORMY_H

#include "HusteSoucty.h"

// Upper bounds of infinity norms for the floating-point certificates, summed in plain loops in
// double. A sum of k non-negative terms in any order is within gamma_(k-1) of the exact one
// (Higham, "Accuracy and Stability of Numerical Algorithms", 2nd ed., section 3.1), which each
// factor below covers together with the final rounding of smerovane::nahoru.

// ||A||_inf of a real matrix; 0 for an empty one.
double normaRadkuShora(const RefD& A);
// ||A||_inf of a complex matrix, each |a_ij| bounded by smerovane::velikostNahoru; 0 for an
// empty one.
double normaRadkuShora(const RefC& A);
// || |A| |B| ||_inf without forming |A| |B|: |A| (|B| e), k + l - 1 roundings per row for A
// of k columns and B of l.
double normaSoucinuShora(const RefD& A, const RefD& B);

#endif
