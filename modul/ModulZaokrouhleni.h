#ifndef MODULZAOKROUHLENI_H
#define MODULZAOKROUHLENI_H

#include <arb.h>
#include <flint/fmpq.h>

// Correct rounding of a real number known as a ball (Ziv's strategy): the ball decides the
// nearest double (ties to even) when every point of it rounds to the same double; otherwise the
// value is computed again at higher precision. A value that is itself a double, a midpoint
// between two doubles or 0 is never decided so; for those the caller checks the one candidate
// that the ball still admits exactly (kandidat) and takes its rounding.

enum class Zaokrouhleni {
    Hotovo,        // hodnota holds the nearest double
    Nerozhodnuto,  // the ball straddles a rounding boundary: more precision, or the exact check
    MimoRozsah,    // the value rounds beyond the largest double
};

Zaokrouhleni zaokrouhli(const arb_t x, double& hodnota);

// The value that the ball cannot tell from a rounding boundary or a double: 0 when the ball
// holds 0, otherwise its midpoint rounded to one bit more than the double at its place (54 bits;
// subnormals: a multiple of 2^-1075). False when the ball does not hold that value.
bool kandidat(const arb_t x, fmpq_t c);

// The nearest double of the exact value c (a candidate, or any rational); false beyond the
// range of double.
bool nejblizsi(const fmpq_t c, double& hodnota);

#endif
