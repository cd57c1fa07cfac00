#ifndef MODULKRUZNICE_H
#define MODULKRUZNICE_H

#include "ModulAritmetika.h"

// The exact split of an integer polynomial's roots by the unit circle, shared by the stability
// verdict and the pole listing.

CelyPolynom obracene(const CelyPolynom& p);

// A square-free polynomial without roots at 0 split by the circle: g = gcd(s, s*) (s* the
// reversal, whose roots are the 1/z of those of s) holds every root on the circle and the
// pairs z, 1/z off it; h = s / g has no root on the circle.
struct RozdeleniKruznici {
    CelyPolynom g;              // g without z - 1 and z + 1: palindromic, of even degree
    CelyPolynom h;
    bool jedna = false;         // z = 1 is a root of s
    bool minusJedna = false;    // z = -1 is a root of s
};
RozdeleniKruznici rozdelPodleKruznice(const CelyPolynom& s);

// For a palindromic g of degree 2m: the G of degree m with g(z) = z^m G(z + 1/z).
CelyPolynom stopovyPolynom(const CelyPolynom& g);

// The number of roots of the trace polynomial G (square-free) that are real and lie in
// (-2, 2), counted exactly by Sturm sequences; each gives a conjugate pair of roots of g on the
// circle (z + 1/z = x), every other root of G a pair z, 1/z off it.
long realnychVIntervalu(const CelyPolynom& G);

#endif
