#ifndef PRESNAMATICE_H
#define PRESNAMATICE_H

#include <string>
#include <vector>

#include "Matrix.h"
#include "Polynoms.h"

// The exact values of a matrix whose elements are polynomials (a real matrix has one
// coefficient per element, a single polynomial is a 1 x 1 matrix): every coefficient kept as
// the text that spells it, so that a value such as 0.1 or 1.00000000000000000001 keeps the
// value it was written with and not that of its nearest double.
struct PresnaMatice {
    int radky = 0;
    int sloupce = 0;
    // Row-major; each element lists its coefficients from power 0 up (empty for 0).
    std::vector<std::vector<std::string>> prvky;

    const std::vector<std::string>& prvek(int i, int j) const {
        return prvky[static_cast<std::size_t>(i) * static_cast<std::size_t>(sloupce) + static_cast<std::size_t>(j)];
    }
    // The leading n x n block.
    PresnaMatice ctverec(int n) const;

    // The exact value of doubles: each double is a finite binary fraction, written out in full.
    static PresnaMatice zMatice(const Matrix<double>& M);
    static PresnaMatice zPolynomu(const Polynom& p);
    static PresnaMatice zPolynomialniMatice(const Matrix<Polynom>& M);
};

// The exact value of a finite double in the hexadecimal floating form of printf's %a, e.g.
// 0.1 gives 0x1.999999999999ap-4.
std::string presnyText(double x);

#endif
