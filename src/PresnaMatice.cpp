#include "PresnaMatice.h"

#include <cstdio>

std::string presnyText(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

namespace {

std::vector<std::string> koeficientyPolynomu(const Polynom& p) {
    std::vector<std::string> texty;
    for (int k = 0; k < p.get_delkaPolynomy(); ++k) texty.push_back(presnyText(p[static_cast<std::size_t>(k)]));
    return texty;
}

}  // namespace

PresnaMatice PresnaMatice::ctverec(int n) const {
    PresnaMatice blok;
    blok.radky = blok.sloupce = n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            blok.prvky.push_back(i < radky && j < sloupce ? prvek(i, j) : std::vector<std::string>());
    return blok;
}

PresnaMatice PresnaMatice::zMatice(const Matrix<double>& M) {
    PresnaMatice vysledek;
    vysledek.radky = M.get_rows();
    vysledek.sloupce = M.get_columns();
    for (int i = 0; i < vysledek.radky; ++i)
        for (int j = 0; j < vysledek.sloupce; ++j) vysledek.prvky.push_back({presnyText(M(i, j))});
    return vysledek;
}

PresnaMatice PresnaMatice::zPolynomu(const Polynom& p) {
    PresnaMatice vysledek;
    vysledek.radky = vysledek.sloupce = 1;
    vysledek.prvky.push_back(koeficientyPolynomu(p));
    return vysledek;
}

PresnaMatice PresnaMatice::zPolynomialniMatice(const Matrix<Polynom>& M) {
    PresnaMatice vysledek;
    vysledek.radky = M.get_rows();
    vysledek.sloupce = M.get_columns();
    for (int i = 0; i < vysledek.radky; ++i)
        for (int j = 0; j < vysledek.sloupce; ++j) vysledek.prvky.push_back(koeficientyPolynomu(M(i, j)));
    return vysledek;
}
