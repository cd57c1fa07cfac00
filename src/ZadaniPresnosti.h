#ifndef ZADANIPRESNOSTI_H
#define ZADANIPRESNOSTI_H

#include <sstream>
#include <string>
#include <vector>

#include "PresnaMatice.h"

// What the exact path decides on, as text, the form in which it crosses into the module of
// exact arithmetic: a first line "<zdroj> <rows> <columns>", then one line per element (row by
// row) listing its coefficients from power 0 up, separated by blanks. The coefficient texts
// are those of the file (or of presnyText), which hold no blank and no line end.
enum class ZdrojPolu : char {
    Polynom = 'P',             // the roots of the one polynomial of a 1 x 1 matrix
    Matice = 'F',              // the eigenvalues of a square real matrix
    PolynomialniMatice = 'A',  // the roots of the determinant of a square polynomial matrix
};

inline std::string zapisZadani(ZdrojPolu zdroj, const PresnaMatice& hodnoty) {
    std::string text;
    text += static_cast<char>(zdroj);
    text += " " + std::to_string(hodnoty.radky) + " " + std::to_string(hodnoty.sloupce) + "\n";
    for (const std::vector<std::string>& prvek : hodnoty.prvky) {
        for (std::size_t k = 0; k < prvek.size(); ++k) text += (k ? " " : "") + prvek[k];
        text += "\n";
    }
    return text;
}

// False when the text is not a task of this form.
inline bool nactiZadani(const std::string& text, ZdrojPolu& zdroj, PresnaMatice& hodnoty) {
    std::istringstream vstup(text);
    std::string radek;
    char druh = 0;
    if (!std::getline(vstup, radek)) return false;
    std::istringstream hlavicka(radek);
    if (!(hlavicka >> druh >> hodnoty.radky >> hodnoty.sloupce)) return false;
    if (druh != 'P' && druh != 'F' && druh != 'A') return false;
    if (hodnoty.radky < 0 || hodnoty.sloupce < 0 || hodnoty.radky > 100000 || hodnoty.sloupce > 100000) return false;
    zdroj = static_cast<ZdrojPolu>(druh);
    hodnoty.prvky.clear();
    const long pocet = static_cast<long>(hodnoty.radky) * hodnoty.sloupce;
    for (long i = 0; i < pocet; ++i) {
        if (!std::getline(vstup, radek)) return false;
        std::istringstream koeficienty(radek);
        std::vector<std::string> prvek;
        for (std::string kus; koeficienty >> kus;) prvek.push_back(kus);
        hodnoty.prvky.push_back(std::move(prvek));
    }
    return true;
}

#endif
