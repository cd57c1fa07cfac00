#ifndef ZADANIPRESNOSTI_H
#define ZADANIPRESNOSTI_H

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PresnaMatice.h"
#include "Text.h"

// Tasks and results as text, the form in which they cross into and out of the module of exact
// arithmetic: a first line with one letter saying what is asked, then blocks, each a line
// "<rows> <columns>" followed by one line per element (row by row) that lists its coefficients
// from power 0 up, separated by blanks. The coefficient texts are those of the file or of
// presnyText, which hold no blank and no line end. A failure is a line "!" and its message.
namespace zadani {

// Stability: the roots of one polynomial (a 1 x 1 block), the eigenvalues of a real matrix,
// the roots of the determinant of a polynomial matrix.
const char POLYNOM = 'P';
const char MATICE = 'F';
const char POLYNOMIALNI_MATICE = 'A';
// Conversions: state space (F, G, H, L) to the external description (A, B); the external
// description (A, B) to state space (F, G, H, L), SISO and MIMO.
const char NA_VNEJSI = 'V';
const char NA_STAV_SISO = 'S';
const char NA_STAV_MIMO = 'M';
// The open values of a frequency report, and the stability margins of a SISO system.
const char FREKVENCE = 'W';
const char REZERVY = 'Z';
// The answer to a conversion.
const char VYSLEDEK = 'R';
// The answer to a pole listing, whose task names its block by the kinds of stability.
const char POLY = 'K';
// The zeros and the static gain H(1) of a system: a first 1 x 1 block listing what is asked
// ("nuly", "zesileni" or both), then A and B (external) or F, G, H and L (state space). The
// answer is a result (VYSLEDEK) with, in that order, the zeros in the form of the poles (an
// empty 0 x 0 block when their polynomial is identically zero) and the gain, one block of
// outputs x inputs whose elements are the exact texts of rounded doubles, "inf" or "-inf".
const char NULY = 'N';
const char* const NULY_NULY = "nuly";
const char* const NULY_ZESILENI = "zesileni";
const char CHYBA = '!';

inline std::string zapis(char druh, const std::vector<const PresnaMatice*>& bloky) {
    std::string text(1, druh);
    text += "\n";
    for (const PresnaMatice* blok : bloky) {
        text += std::to_string(blok->get_rows()) + " " + std::to_string(blok->get_columns()) + "\n";
        for (int i = 0; i < blok->get_rows(); ++i)
            for (int j = 0; j < blok->get_columns(); ++j) {
                const std::vector<std::string> prvek = blok->prvek(i, j);
                for (std::size_t k = 0; k < prvek.size(); ++k) text += (k ? " " : "") + prvek[k];
                text += "\n";
            }
    }
    return text;
}

// The next line of text from position `od` (moved past its line end); false at the end.
inline bool dalsiRadek(const std::string& text, std::size_t& od, std::string& radek) {
    if (od >= text.size()) return false;
    const std::size_t konec = std::min(text.find('\n', od), text.size());
    radek.assign(text, od, konec - od);
    od = konec + 1;
    return true;
}

// The pieces of a line between blanks.
inline std::vector<std::string> kusy(const std::string& radek) { return rozdel(radek, ' '); }

// False when the text is not of this form.
inline bool nacti(const std::string& text, char& druh, std::vector<PresnaMatice>& bloky) {
    std::size_t od = 0;
    std::string radek;
    if (!dalsiRadek(text, od, radek) || radek.size() != 1) return false;
    druh = radek[0];
    bloky.clear();
    while (dalsiRadek(text, od, radek)) {
        const std::vector<std::string> rozmery = kusy(radek);
        if (rozmery.size() != 2) return false;
        char* konec = nullptr;
        const long radky = std::strtol(rozmery[0].c_str(), &konec, 10);
        const long sloupce = std::strtol(rozmery[1].c_str(), &konec, 10);
        if (radky < 0 || sloupce < 0 || radky * sloupce > 10000000L) return false;
        PresnaMatice blok;
        blok.novyTvar(static_cast<int>(radky), static_cast<int>(sloupce));
        for (long e = 0; e < radky * sloupce; ++e) {
            if (!dalsiRadek(text, od, radek)) return false;
            blok.pridejPrvek(kusy(radek));
        }
        bloky.push_back(std::move(blok));
    }
    return true;
}

}  // namespace zadani

#endif
