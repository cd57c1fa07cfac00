#ifndef ROVNICE_H
#define ROVNICE_H

#include <complex>
#include <vector>

#include "Pole.h"
#include "Polynoms.h"

template <typename T>
class Matrix;

// Magnitudes of the roots of a polynomial in positive powers (index = power).
// Degree 1 and 2 are solved in closed form; higher degrees numerically (Aberth-Ehrlich
// iterations from starting circles of the Newton polygon, then polishing) to a relative
// accuracy of 1e-9 or better for simple roots, in a bounded number of steps for any input.
// A multiple root, which doubles can only locate to the k-th root of the rounding errors,
// is recognised as such and all its copies get the magnitude of its centre.
// A magnitude within TOLERANCE_KRUHU of 1.0 is reported as exactly 1.0 (for every degree),
// so roots on the unit circle count as stable while a simple root at least 1e-6 off the
// circle keeps its side of it whenever the coefficients determine it that closely.
//
// Special coefficients, decided before any solving:
// - a coefficient that is not finite makes every magnitude +infinity (never NaN, which
//   would compare as "not greater than 1" and pass for stable);
// - each exactly zero coefficient at the top of the nominal degree is a root at infinity
//   and gives the magnitude +infinity, so a degenerate equation never passes for stable;
//   the zero polynomial thus has all its magnitudes +infinity;
// - each exactly zero coefficient at the bottom is a root 0 and gives the magnitude 0.
class Rovnice : public Polynom {
    Pole<double> solution;  // one magnitude per degree, smallest first

    // Closed forms and the numeric method work on the core equation: finite coefficients,
    // index = power, non-zero at both ends. Each returns one magnitude per root.
    static std::vector<double> linearSolution(const std::vector<double>& a);
    static std::vector<double> KvadraticSolution(const std::vector<double>& a);
    static std::vector<double> numerickeReseni(const std::vector<double>& a);
    void zaokrouhleniNaKruh();

public:
    static constexpr double TOLERANCE_KRUHU = 1e-9;

    explicit Rovnice(const Polynom& p);
    // Computes the magnitudes into solution; may be called again, it starts afresh.
    void AbsolutValue();
    const Pole<double>& get_solution() const { return solution; }
};

// Magnitudes of the eigenvalues of the square real matrix F, that is of the roots of
// det(xI - F), smallest first; empty for a non-square F. Computed without the polynomial:
// balancing, Hessenberg reduction and shifted QR, O(n^3) and backward stable, so every
// simple eigenvalue comes out with an error of about the rounding of F's entries times its
// condition number. An eigenvalue outside the unit circle whose neighbours make a group
// that the arithmetic cannot tell from one multiple eigenvalue (a Jordan block splits into
// a ring of about the k-th root of the rounding errors) gets the magnitude of the group's
// centre. The conventions are those of Rovnice: a magnitude within TOLERANCE_KRUHU of 1.0 is
// 1.0, and an entry that is not finite makes every magnitude +infinity.
Pole<double> velikostiVlastnichCisel(const Matrix<double>& F);

// Floating-point approximations of the roots of a (index = power, non-zero at the top) and of
// the eigenvalues of a square F: starting points for a certified verdict, with no guarantee of
// their own. Empty when the input is not finite or the iteration fails.
std::vector<std::complex<double>> korenyPolynomu(const std::vector<double>& a);
std::vector<std::complex<double>> vlastniCisla(const Matrix<double>& F);

// The stability rule of every system: no root magnitude above 1.0 (a magnitude of exactly
// 1.0 counts as stable; an empty list, a constant without roots, too).
bool vJednotkovemKruhu(const Pole<double>& velikosti);

#endif
