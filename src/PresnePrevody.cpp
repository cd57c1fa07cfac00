#include "PresnePrevody.h"

#include <charconv>
#include <cstdlib>
#include <vector>

#include "MalePrevody.h"
#include "NacitaniModulu.h"
#include "ZadaniPresnosti.h"

namespace {

// The value of a text of presnyText ("-0x1.8p+1").
double hodnota(const std::string& text) {
    const bool zaporne = !text.empty() && text[0] == '-';
    const std::size_t zacatek = (zaporne ? 1 : 0) + 2;  // past the sign and "0x"
    double x = 0.0;
    if (text.size() > zacatek) std::from_chars(text.data() + zacatek, text.data() + text.size(), x, std::chars_format::hex);
    return zaporne ? -x : x;
}

Matrix<double> realna(const PresnaMatice& blok) {
    Matrix<double> M(blok.get_rows(), blok.get_columns(), Matrix<double>::ZEROS);
    for (int i = 0; i < blok.get_rows(); ++i)
        for (int j = 0; j < blok.get_columns(); ++j) {
            const std::vector<std::string> prvek = blok.prvek(i, j);
            if (!prvek.empty()) M(i, j) = hodnota(prvek.front());
        }
    return M;
}

Polynom polynom(const PresnaMatice& blok, int i, int j) {
    std::vector<double> koeficienty;
    for (const std::string& text : blok.prvek(i, j)) koeficienty.push_back(hodnota(text));
    return Polynom(koeficienty.data(), static_cast<int>(koeficienty.size()), 'x', false);
}

}  // namespace

bool prenosPresne(const PresnyStav& stav, Polynom& A, Matrix<Polynom>& B, std::string& chyba) {
    if (malyPrenos(stav, A, B)) return true;
    std::vector<PresnaMatice> vysledek;
    if (!presnyPrevod(zadani::NA_VNEJSI, {&stav.F, &stav.G, &stav.H, &stav.L}, vysledek, chyba)) return false;
    A = polynom(vysledek[0], 0, 0);
    const PresnaMatice& citatele = vysledek[1];
    B = Matrix<Polynom>(citatele.get_rows(), citatele.get_columns(), Matrix<Polynom>::ZEROS);
    for (int i = 0; i < citatele.get_rows(); ++i)
        for (int j = 0; j < citatele.get_columns(); ++j) B(i, j) = polynom(citatele, i, j);
    return true;
}

bool realizacePresne(const PresnyVnejsi& vnejsi, bool siso, Matrix<double>& F, Matrix<double>& G,
                     Matrix<double>& H, Matrix<double>& L, std::string& chyba) {
    if (siso && malaRealizace(vnejsi, F, G, H, L)) return true;
    std::vector<PresnaMatice> vysledek;
    const char druh = siso ? zadani::NA_STAV_SISO : zadani::NA_STAV_MIMO;
    if (!presnyPrevod(druh, {&vnejsi.A, &vnejsi.B}, vysledek, chyba)) return false;
    F = realna(vysledek[0]);
    G = realna(vysledek[1]);
    H = realna(vysledek[2]);
    L = realna(vysledek[3]);
    return true;
}
