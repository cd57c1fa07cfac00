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
    text += " " + std::to_string(hodnoty.get_rows()) + " " + std::to_string(hodnoty.get_columns()) + "\n";
    for (int i = 0; i < hodnoty.get_rows(); ++i)
        for (int j = 0; j < hodnoty.get_columns(); ++j) {
            const std::vector<std::string> prvek = hodnoty.prvek(i, j);
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
    int radky = -1, sloupce = -1;
    if (!std::getline(vstup, radek)) return false;
    std::istringstream hlavicka(radek);
    if (!(hlavicka >> druh >> radky >> sloupce)) return false;
    if (druh != 'P' && druh != 'F' && druh != 'A') return false;
    if (radky < 0 || sloupce < 0 || radky > 100000 || sloupce > 100000) return false;
    zdroj = static_cast<ZdrojPolu>(druh);
    hodnoty.novyTvar(radky, sloupce);
    const long pocet = static_cast<long>(radky) * sloupce;
    for (long i = 0; i < pocet; ++i) {
        if (!std::getline(vstup, radek)) return false;
        std::istringstream koeficienty(radek);
        std::vector<std::string> prvek;
        for (std::string kus; koeficienty >> kus;) prvek.push_back(kus);
        hodnoty.pridejPrvek(std::move(prvek));
    }
    return true;
}

#endif
