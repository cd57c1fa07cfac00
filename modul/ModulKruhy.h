#ifndef MODULKRUHY_H
#define MODULKRUHY_H

#include <vector>

#include "ModulAritmetika.h"

// Where the roots of a non-zero integer polynomial lie relative to the circle |z| = R,
// decided by inclusion discs in ball arithmetic around floating-point approximations of the
// roots: the discs |z - r_i| <= n |q(r_i)| / |q_n prod_{j != i} (r_i - r_j)| hold every root,
// and a connected group of k of them exactly k. Cheap (O(n^2) ball operations), whatever the
// size of the coefficients; undecided when a disc meets the circle.
enum class PolohaKorenu {
    VsechnyUvnitr,  // every root in the closed disc |z| <= R
    NektereVne,     // some root certainly outside it
    Nerozhodnuto,
};

PolohaKorenu polohaKorenu(const CelyPolynom& p, long polomer);

// One root of a square-free polynomial isolated by its own disc: the disc's centre rounded to
// doubles (a real root has imaginary part 0), the magnitude, and the side of the unit circle.
struct IzolovanyKoren {
    double re, im, velikost;
    bool vne;  // outside the unit circle, else inside
};

// The roots of the square-free q (q(0) != 0), each in a disc that meets no other disc and not
// the unit circle, around approximations refined by Newton steps in ball arithmetic; false
// when the discs do not separate so (multiple-looking clusters, roots near the circle).
bool izolovaneKoreny(const CelyPolynom& q, std::vector<IzolovanyKoren>& koreny);

#endif
