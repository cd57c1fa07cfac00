#ifndef GRAF_CTENI_ZPRAVY_H
#define GRAF_CTENI_ZPRAVY_H

#include <cstdint>
#include <istream>
#include <string>

#include "GrafZprava.h"

// Reads a report; a text that is not one raises GrafChyba naming the path and the line.
// velikost, when known, is the size of the report in bytes: every value takes at least two
// of them, so room for the values is taken once instead of growing by copies.
Zprava nactiZpravu(std::istream& vstup, const std::string& cesta, std::uint64_t velikost = 0);
Zprava nactiZpravuZeSouboru(const std::string& cesta);

#endif
