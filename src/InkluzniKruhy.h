#ifndef INKLUZNIKRUHY_H
#define INKLUZNIKRUHY_H

#include "PresnaAritmetika.h"

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

#endif
