#ifndef ROVNICE_H
#define ROVNICE_H

#include "Pole.h"
#include "Polynoms.h"

// Magnitudes of the roots of a polynomial in positive powers (index = power).
// Degree 1 and 2 are solved in closed form; higher degrees numerically to a relative
// accuracy of 1e-9 or better for simple roots. A magnitude within TOLERANCE_KRUHU of 1.0
// is reported as exactly 1.0, so roots on the unit circle count as stable.
class Rovnice : public Polynom {
    Pole<double> solution;  // one magnitude per degree, smallest first

    void linearSolution();
    void KvadraticSolution();
    void numerickeReseni();
    void zaokrouhleniNaKruh();

public:
    static constexpr double TOLERANCE_KRUHU = 1e-9;

    explicit Rovnice(const Polynom& p);
    void AbsolutValue();
    const Pole<double>& get_solution() const { return solution; }
};

#endif
