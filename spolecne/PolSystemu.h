#ifndef POLSYSTEMU_H
#define POLSYSTEMU_H

#include <vector>

#include "PresnaMatice.h"

// Where a pole lies relative to the unit circle.
enum class PolohaPolu { Uvnitr = -1, NaKruznici = 0, Vne = 1 };

// One distinct pole: its nearest doubles, how many times it is a root, and its place, which
// is certain.
struct Pol {
    double re = 0.0;
    double im = 0.0;
    double velikost = 0.0;
    long nasobnost = 1;
    PolohaPolu poloha = PolohaPolu::Uvnitr;
};

// The poles as they cross out of the module of exact arithmetic: a block of one column, one
// row per pole, its element listing re, im and the magnitude (exact texts of the doubles),
// the multiplicity and the place (-1, 0, 1).
PresnaMatice polyNaBlok(const std::vector<Pol>& poly);
// False when the block is not of that form.
bool polyZBloku(const PresnaMatice& blok, std::vector<Pol>& poly);

#endif
