#ifndef SMEROVANEZAOKROUHLENI_H
#define SMEROVANEZAOKROUHLENI_H

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

// Rigorous bounds in plain doubles (round to nearest) for the floating-point certificates of
// both the tool and the module of exact arithmetic. u is the unit roundoff. A value computed
// with at most n roundings, each of relative error at most u in the normal range, lies within a
// factor (1 + u)^n <= 1 + gamma_n of the exact one (Higham, Accuracy and Stability of Numerical
// Algorithms, 2nd ed., Lemma 3.1). nahoru and dolu widen by 64u, which covers a few dozen
// roundings and their own. Gradual underflow adds at most 2^-1075 per operation, which the
// absolute term PODTECENI covers many times over.
namespace smerovane {

constexpr double U = std::numeric_limits<double>::epsilon() / 2.0;
constexpr double PODTECENI = 1e-290;
// Relative error of one complex operation as this code does them: a product by the textbook
// formula is within sqrt(2) gamma_2 (Higham, Lemma 3.5), a quotient a conj(b) / |b|^2 within
// about 6u; 8u covers both and a sum.
constexpr double U_KOMPLEXNI = 8.0 * U;

// gamma_n = n u / (1 - n u), the bound of n roundings in a row (u the unit roundoff).
inline double gama(double n, double u = U) { return n * u / (1.0 - n * u); }

// An upper bound of the exact non-negative value that x approximates.
inline double nahoru(double x) { return x * (1.0 + 64.0 * U) + PODTECENI; }
// A lower bound of the exact non-negative value that x approximates.
inline double dolu(double x) { return x * (1.0 - 64.0 * U); }

// An upper bound of |z| without a square root: max + (sqrt 2 - 1) min lies on the chord of the
// convex sqrt(max^2 + min^2) and so above it, by at most 8.3 %.
inline double velikostNahoru(std::complex<double> z) {
    const double a = std::fabs(z.real()), b = std::fabs(z.imag());
    return (std::max(a, b) + 0.41422 * std::min(a, b)) * (1.0 + 4.0 * U);
}

// A lower bound of |z| (hypot is within one unit in the last place).
inline double velikostDolu(std::complex<double> z) { return std::hypot(z.real(), z.imag()) * (1.0 - 4.0 * U); }

}  // namespace smerovane

#endif
