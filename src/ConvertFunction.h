#ifndef CONVERTFUNCTION_H
#define CONVERTFUNCTION_H

#include <string>
#include <vector>

// Decimal text of an integer.
std::string IntToString(const int& integer);

// The real number that the whole text spells (leading white space allowed).
// Anything else - trailing characters, a decimal comma, "nan", "inf", a value out of
// the range of double - raises vyjm::ConvertError "Spatny format vstupu -> " + text.
double StringToDouble(const std::string& retezec);

// General notation with at most 6 significant digits, as a default stream writes it.
std::string DoubleToString(const double& doubleCislo);

// A value for a written system file: fixed notation with `desetinnych` decimals when that
// text reads back (strtod) as the same double; otherwise the shortest text that reads back
// exactly, in plain decimals or, where that is shorter, in exponent form ("0.0004877",
// "1e-20", "1.5e-07"). inf and nan keep their fixed text ("inf", "-nan").
std::string DoubleToStringVerne(const double& cislo, int desetinnych);

// The shortest text that reads back (strtod) as exactly the same double, with a decimal point,
// in plain decimals or, where that is shorter, in exponent form; -0 is written 0.
std::string DoubleToStringNejkratsi(const double& cislo);

// Pieces of s between delimiters; empty pieces are dropped.
std::vector<std::string> split(const std::string& s, char delim);

// Replaces the first occurrence of from by to; false when from does not occur.
bool replace(std::string& str, const std::string& from, const std::string& to);

#endif
