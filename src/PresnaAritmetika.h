#ifndef PRESNAARITMETIKA_H
#define PRESNAARITMETIKA_H

#include <string>
#include <vector>

#include <flint/fmpz_poly.h>

#include "PresnaMatice.h"

// Integer polynomial (FLINT's fmpz_poly), an owning value.
class CelyPolynom {
    fmpz_poly_t p;

public:
    CelyPolynom() { fmpz_poly_init(p); }
    CelyPolynom(const CelyPolynom& jiny) {
        fmpz_poly_init(p);
        fmpz_poly_set(p, jiny.p);
    }
    CelyPolynom(CelyPolynom&& jiny) noexcept {
        fmpz_poly_init(p);
        fmpz_poly_swap(p, jiny.p);
    }
    CelyPolynom& operator=(CelyPolynom jiny) noexcept {
        fmpz_poly_swap(p, jiny.p);
        return *this;
    }
    ~CelyPolynom() { fmpz_poly_clear(p); }

    // From coefficients written as integers (index = power).
    static CelyPolynom zCelych(const std::vector<long>& koeficienty);

    fmpz_poly_struct* get() { return p; }
    const fmpz_poly_struct* get() const { return p; }
    // -1 for the zero polynomial.
    long stupen() const { return fmpz_poly_degree(p); }
    bool operator==(const CelyPolynom& jiny) const { return fmpz_poly_equal(p, jiny.p) != 0; }
};

// The exact value of a number text: decimal (sign, digits with an optional '.', an optional
// exponent) or the hexadecimal form of presnyText. A text whose value lies below the range of
// double, which the readers take as 0, is 0 here as well; the value of any other text is
// exactly the one written.
void nactiRacionalni(fmpq_t hodnota, const std::string& text);

// Integer polynomials with exactly the roots (multiplicities included) of:
// - the polynomial of one element of koeficienty (from power 0 up);
CelyPolynom polynomZTextu(const std::vector<std::string>& koeficienty);
// - det(zI - F) for the square real matrix F (one coefficient per element);
CelyPolynom charakteristickyPolynomPresne(const PresnaMatice& F);
// - det A(z) for the square polynomial matrix A.
CelyPolynom determinantPresne(const PresnaMatice& A);

#endif
