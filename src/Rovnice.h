#ifndef ROVNICE_H
#define ROVNICE_H

#include <vector>

#include "Pole.h"
#include "Polynoms.h"

// Magnitudes of the roots of a polynomial in positive powers (index = power), in floating
// point. Degree 1 and 2 are solved in closed form; higher degrees numerically (KorenyPolynomu.h).
// Stability verdicts do not rest on these values (see JistaStabilita.h).
//
// Special coefficients, decided before any solving:
// - a coefficient that is not finite makes every magnitude +infinity (never NaN);
// - each exactly zero coefficient at the top of the nominal degree is a root at infinity
//   and gives the magnitude +infinity; the zero polynomial thus has all its magnitudes
//   +infinity;
// - each exactly zero coefficient at the bottom is a root 0 and gives the magnitude 0.
class Rovnice : public Polynom {
    Pole<double> solution;  // one magnitude per degree, smallest first

    // Closed forms and the numeric method work on the core equation: finite coefficients,
    // index = power, non-zero at both ends. Each returns one magnitude per root.
    static std::vector<double> linearSolution(const std::vector<double>& a);
    static std::vector<double> KvadraticSolution(const std::vector<double>& a);
    static std::vector<double> numerickeReseni(const std::vector<double>& a);

public:
    explicit Rovnice(const Polynom& p);
    // Computes the magnitudes into solution; may be called again, it starts afresh.
    void AbsolutValue();
    const Pole<double>& get_solution() const { return solution; }
};

#endif
