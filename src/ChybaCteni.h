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

#endif
