#ifndef SMEROVANEZAOKROUHLENI_H
#define SMEROVANEZAOKROUHLENI_H

#include <limits>

// Rigorous bounds in plain doubles for the floating-point certificates of both the tool and
// the module of exact arithmetic. u is the unit roundoff. A value computed with at most 15
// roundings, each of relative error at most u in the normal range, lies within a factor
// (1 + u)^15 <= 1 + gamma_15 of the exact one (Higham, Accuracy and Stability of Numerical
// Algorithms, 2nd ed., Lemma 3.1); the factors 1 +- 16u below cover that and their own
// rounding. Gradual underflow adds at most 2^-1075 per operation, which the absolute term
// covers many times over.
namespace smerovane {

constexpr double U = std::numeric_limits<double>::epsilon() / 2.0;
constexpr double PODTECENI = 1e-290;

// gamma_n = n u / (1 - n u), the bound of n roundings in a row.
inline double gama(double n) { return n * U / (1.0 - n * U); }

// An upper bound of the exact non-negative value that x approximates.
inline double nahoru(double x) { return x * (1.0 + 16.0 * U) + PODTECENI; }
// A lower bound of the exact non-negative value that x approximates.
inline double dolu(double x) { return x * (1.0 - 16.0 * U); }

}  // namespace smerovane

#endif
