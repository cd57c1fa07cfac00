#ifndef MODULARITMETIKA_H
#define MODULARITMETIKA_H

#include <string>
#include <vector>

#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
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

// Owning values of FLINT's rationals, rational polynomials and rational matrices.
class RacionalniMatice {
    fmpq_mat_t m;

public:
    RacionalniMatice(long radky, long sloupce) { fmpq_mat_init(m, radky, sloupce); }
    RacionalniMatice(const RacionalniMatice&) = delete;
    RacionalniMatice& operator=(const RacionalniMatice&) = delete;
    ~RacionalniMatice() { fmpq_mat_clear(m); }
    fmpq_mat_struct* get() { return m; }
    fmpq* prvek(long i, long j) { return fmpq_mat_entry(m, i, j); }
};

class RacionalniPolynom {
    fmpq_poly_t p;

public:
    RacionalniPolynom() { fmpq_poly_init(p); }
    RacionalniPolynom(const RacionalniPolynom&) = delete;
    RacionalniPolynom& operator=(const RacionalniPolynom&) = delete;
    ~RacionalniPolynom() { fmpq_poly_clear(p); }
    fmpq_poly_struct* get() { return p; }
};

class Racionalni {
    fmpq_t q;

public:
    Racionalni() { fmpq_init(q); }
    Racionalni(const Racionalni&) = delete;
    Racionalni& operator=(const Racionalni&) = delete;
    ~Racionalni() { fmpq_clear(q); }
    fmpq* get() { return q; }
};

// The exact value of a number text: decimal (sign, digits with an optional '.', an optional
// exponent) or the hexadecimal form of presnyText. A text whose value lies below the range of
// double, which the readers take as 0, is 0 here as well; the value of any other text is
// exactly the one written.
void nactiRacionalni(fmpq_t hodnota, const std::string& text);

// The polynomial of one element (coefficients from power 0 up).
void nactiPolynom(RacionalniPolynom& p, const std::vector<std::string>& koeficienty);
// The coefficient of power k of element (i, j), 0 where the element has none.
void nactiKoeficient(fmpq* cil, const PresnaMatice& A, long i, long j, long k);
// The coefficients of power k of every element (a real matrix: k = 0); M has its shape.
void nactiMatici(RacionalniMatice& M, const PresnaMatice& hodnoty, long k);
// The nearest double to a rational (rounded once), as the exact text of presnyText; vRozsahu
// is false when the value lies beyond the range of double.
std::string zaokrouhlenyText(const fmpq_t hodnota, bool& vRozsahu);

// Integer polynomials with exactly the roots (multiplicities included) of:
// - the polynomial of one element of koeficienty (from power 0 up);
CelyPolynom polynomZTextu(const std::vector<std::string>& koeficienty);
// - det(zI - F) for the square real matrix F (one coefficient per element);
CelyPolynom charakteristickyPolynomPresne(const PresnaMatice& F);
// - det A(z) for the square polynomial matrix A.
CelyPolynom determinantPresne(const PresnaMatice& A);
// The one of these that the block asks for by its kind (zadani::POLYNOM, MATICE or
// POLYNOMIALNI_MATICE, ZadaniPresnosti.h); false for another kind or a block that is not square.
bool polynomPolu(char druh, const PresnaMatice& blok, CelyPolynom& p);

#endif
