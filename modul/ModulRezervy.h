#ifndef MODULREZERVY_H
#define MODULREZERVY_H

#include <string>
#include <vector>

#include "ModulPrenos.h"

// The gain and phase margins of a SISO loop H = N / D (in lowest terms) on the unit circle,
// z = e^{jw}, 0 < w <= pi. With c = cos w every condition is a real polynomial in c with exact
// coefficients: |N|^2 - |D|^2 = G(c), Re(N conj D) = P(c), Im(N conj D) = sin(w) Q(c)
// (N(z) D(1/z) = sum e_k z^k gives sum e_k cos kw = sum (e_k + e_-k) T_k(c) and
// sum e_k sin kw = sin w sum (e_k - e_-k) U_(k-1)(c), Chebyshev polynomials).
// - A gain crossover is a root of G of odd multiplicity in -1 < c < 1 (|H| - 1 changes sign),
//   and w = pi when |H(-1)| = 1. The phase margin there is arg(-H) in (-180, 180].
// - A phase crossover is a root of Q of odd multiplicity in -1 < c < 1 where P < 0 (H crosses
//   the negative real axis), and w = pi when H(-1) < 0. The gain margin is -20 log10 |H|.
// A root of even multiplicity touches without crossing and is not listed; so is a loop with
// |H| = 1 everywhere (G = 0) or H real everywhere (Q = 0). The roots are isolated exactly
// (Descartes' rule of signs on bisected intervals, exact signs at rational points) and the
// margins evaluated in ball arithmetic until their printed digits are certain.
struct Rezerva {
    double hodnota = 0.0;  // the margin, printable: its text is the exact value's
    double w = 0.0;        // the crossover frequency, printable alike
};
struct Rezervy {
    std::vector<Rezerva> zesileni;  // gain margins [dB] at the phase crossovers, by rising w
    std::vector<Rezerva> faze;      // phase margins [deg] at the gain crossovers, by rising w
};
Rezervy rezervy(PresnySystem& system);

// The task of zadani::REZERVY (the blocks of a SISO system) answered: two blocks of one
// column, one row per crossover listing the margin and w (exact texts of the doubles).
std::string presneRezervy(const std::string& zadani);

#endif
