#ifndef CHYBACTENI_H
#define CHYBACTENI_H

#include <string>

#include "Matrix.h"
#include "PresnaMatice.h"

// True when the decimal text (sign, digits with an optional '.', an optional exponent) is
// exactly a double: a value m 10^e = m 5^e 2^e whose odd part has at most 53 bits, within the
// range of normal doubles. Texts of more than 36 significant digits are taken as inexact.
bool presneVDouble(const std::string& text);

// Per element, a bound of |written value - double|: 0 where the text is exactly its double,
// CHYBA_CTENI |x| (and the spacing of subnormals) elsewhere, also where no text is known.
Matrix<double> chybyCteni(const Matrix<double>& M, const PresnaMatice* texty);

// The written values to about 64 bits: per element the double lo with written = M + lo + d,
// |d| <= zbyvajici. lo comes from the text read to long double (strtold, correctly rounded by
// the C library, 2^-64 relative); 0 where the text is exactly its double. Without a text
// lo = 0 and zbyvajici is the reading bound. `chyby` receives what chybyCteni gives.
Matrix<double> dolniCasti(const Matrix<double>& M, const PresnaMatice* texty, Matrix<double>& chyby,
                          Matrix<double>& zbyvajici);

#endif
