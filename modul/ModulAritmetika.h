#ifndef MODULARITMETIKA_H
#define MODULARITMETIKA_H

#include <string>
#include <vector>

#include "ModulObaly.h"
#include "PresnaMatice.h"

// The exact value of a number text: decimal (sign, digits with an optional '.', an optional
// exponent; the texts that the file readers take) or the hexadecimal form of presnyText. A
// text whose value lies below the range of double, which the readers take as 0, is 0 here as
// well; the value of any other text is exactly the one written. std::invalid_argument for a
// text that is not a number.
void nactiRacionalni(fmpq_t hodnota, const std::string& text);

// The polynomial of one element (coefficients from power 0 up).
void nactiPolynom(RacionalniPolynom& p, const std::vector<std::string>& koeficienty);
// The coefficient of power k of element (i, j), 0 where the element has none.
void nactiKoeficient(fmpq* cil, const PresnaMatice& A, long i, long j, long k);
// The coefficients of power k of every element (a real matrix: k = 0); M has its shape.
void nactiMatici(RacionalniMatice& M, const PresnaMatice& hodnoty, long k);
// The integers M and the positive common denominator E of a rational matrix, Q = M / E.
void celaMatice(const RacionalniMatice& Q, CelaMatice& M, fmpz_t E);
// The same for a real matrix as written, F = M / E; M has F's shape.
void celaMatice(const PresnaMatice& F, CelaMatice& M, fmpz_t E);
// q(E z) for an integer polynomial q.
CelyPolynom vNasobku(const CelyPolynom& q, const fmpz_t E);
// The nearest double to a rational (rounded once), as the exact text of presnyText; vRozsahu
// is false when the value lies beyond the range of double.
std::string zaokrouhlenyText(const fmpq_t hodnota, bool& vRozsahu);

// Integer polynomials with exactly the roots (multiplicities included) of:
// - the polynomial of one element of koeficienty (from power 0 up);
CelyPolynom polynomZTextu(const std::vector<std::string>& koeficienty);
// - det(zI - F) for the square real matrix F (one coefficient per element);
CelyPolynom charakteristickyPolynomPresne(const PresnaMatice& F);
// - the same for F = M / E held as integers: det(zI - F) E^n = q(E z), q = det(wI - M).
CelyPolynom charakteristickyZCelych(const CelaMatice& M, const fmpz_t E);
// - det A(z) for the square polynomial matrix A.
CelyPolynom determinantPresne(const PresnaMatice& A);
// The one of these that the block asks for by its kind (zadani::POLYNOM, MATICE or
// POLYNOMIALNI_MATICE, ZadaniPresnosti.h); false for another kind or a block that is not square.
bool polynomPolu(char druh, const PresnaMatice& blok, CelyPolynom& p);

#endif
