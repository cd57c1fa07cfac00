#ifndef MODULKRUHY_H
#define MODULKRUHY_H

#include <complex>
#include <vector>

#include "ModulAritmetika.h"
#include "ModulObaly.h"
#include "PolSystemu.h"

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

// True when some root of q (non-zero, no root at 0) certainly has magnitude above 2^e (e >= 0):
// by Pellet's test on |z| = 2^e, or by |q_(n-j)| > C(n, j) |q_n| 2^(e j) (the j-th elementary
// symmetric function of the roots is at most C(n, j) r^j for the largest magnitude r).
bool korenNad(const CelyPolynom& q, long e);

// Floating-point approximations of the roots of q (no root at 0), from the coefficients as
// significand times a power of two; not finite where a root lies beyond the range of double.
std::vector<std::complex<double>> odhadyKorenu(const CelyPolynom& q);

// One root of a square-free integer polynomial in a box that holds no other root of it.
struct IzolovanyKoren {
    KomplexniInterval box;  // a real root: imaginary part exactly 0, the real part its interval
    bool realny = false;
    PolohaPolu poloha = PolohaPolu::Uvnitr;
};

// The real roots and the roots in the upper half-plane (the others are their conjugates) of
// the square-free q (q(0) != 0, degree 2 or more), of which exactly naKruznici (counting both
// halves) lie on the unit circle: each in its own inclusion disc, the discs around
// approximations refined by Newton steps in ball arithmetic. False when the discs do not
// separate so (clusters, approximations out of the range of double).
bool korenyVKruzich(const CelyPolynom& q, long naKruznici, std::vector<IzolovanyKoren>& koreny);

// The same discs around given approximations of all roots of q (one per root, conjugates
// exactly conjugate), whatever their place relative to the circle.
bool korenyZOdhadu(const CelyPolynom& q, const std::vector<std::complex<double>>& odhady,
                   std::vector<IzolovanyKoren>& koreny);

#endif
