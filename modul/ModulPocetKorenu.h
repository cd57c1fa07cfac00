#ifndef MODULPOCETKORENU_H
#define MODULPOCETKORENU_H

#include <flint/fmpq.h>

#include "ModulAritmetika.h"

// Exact statements about the real roots of integer polynomials, by Sturm sequences (FLINT's
// subresultant remainders) on polynomials moved by a rational point: no isolation, no
// rounding.

// The integer polynomial whose roots are d (x_i - a) for the roots x_i of f and a = n / d
// (d > 0): sum_k f_k d^(deg - k) (y + n)^k.
CelyPolynom posunutyPolynom(const CelyPolynom& f, const fmpq_t a);

// f(a) == 0.
bool jeKorenem(const CelyPolynom& f, const fmpq_t a);

// The number of real roots of the square-free non-zero f greater than a.
long korenuNad(const CelyPolynom& f, const fmpq_t a);

// The number of real roots of the square-free non-zero f in the closed interval [a, b].
long korenuVIntervalu(const CelyPolynom& f, const fmpq_t a, const fmpq_t b);

#endif
