#ifndef GRAF_SOUBOR_H
#define GRAF_SOUBOR_H

#include <string>

// Writes the whole text to a temporary file beside the path and renames it into place, so
// the path holds either the complete output or what it held before. Raises GrafChyba when
// the file cannot be written.
void zapisCelySoubor(const std::string& cesta, const std::string& obsah);

#endif
