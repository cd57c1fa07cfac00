#ifndef GRAF_SOUBOR_H
#define GRAF_SOUBOR_H

#include <string>

// Writes the whole text through the writer both programs share (CelySoubor.h), so the path
// holds either the complete output or what it held before, and a signal leaves no temporary
// file. Raises GrafChyba when the file cannot be written.
void zapisCelySoubor(const std::string& cesta, const std::string& obsah);

#endif
