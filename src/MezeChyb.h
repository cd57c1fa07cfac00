#ifndef MEZECHYB_H
#define MEZECHYB_H

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

// Small pieces of rigorous rounding-error bounds in IEEE double (round to nearest); see Higham,
// Accuracy and Stability of Numerical Algorithms, 2nd ed., chapter 3.
namespace meze {

// Unit roundoff.
constexpr double U = std::numeric_limits<double>::epsilon() / 2.0;
// Covers the absolute errors of gradual underflow, which no relative bound does.
constexpr double PODTECENI = 1e-290;
// Relative error of one complex operation as this code does them: a product by the textbook
// formula is within sqrt(2) gamma_2 (Higham, lemma 3.5), a quotient a conj(b) / |b|^2 within
// about 6 u; 8 u covers both and a sum.
constexpr double U_KOMPLEXNI = 8.0 * U;

// gamma_n = n u / (1 - n u) for the unit roundoff u.
inline double gama(double n, double u = U) { return n * u / (1.0 - n * u); }

// An upper bound of a non-negative value computed with at most a few dozen roundings.
inline double nahoru(double x) { return x * (1.0 + 64.0 * U) + PODTECENI; }

// An upper bound of |z| without a square root: max + (sqrt 2 - 1) min lies on the chord of the
// convex sqrt(max^2 + min^2) and so above it, by at most 8.3 %.
inline double velikostNahoru(std::complex<double> z) {
    const double a = std::fabs(z.real()), b = std::fabs(z.imag());
    return (std::max(a, b) + 0.41422 * std::min(a, b)) * (1.0 + 4.0 * U);
}

// A lower bound of |z| (hypot is within one unit in the last place).
inline double velikostDolu(std::complex<double> z) { return std::hypot(z.real(), z.imag()) * (1.0 - 4.0 * U); }

}  // namespace meze

#endif
