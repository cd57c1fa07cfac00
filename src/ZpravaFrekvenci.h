#ifndef ZPRAVAFREKVENCI_H
#define ZPRAVAFREKVENCI_H

#include <ostream>
#include <vector>

#include "FrekvencniOdezva.h"

// Points of the frequency report.
constexpr int POCET_FREKVENCI = 256;

// w_k = 1e-3 pi 1000^(k / 255), k = 0 ... 255: logarithmically from 1e-3 pi to exactly pi.
std::vector<double> frekvenceZpravy();

// The phase in degrees unwrapped along the list: each value moved by a multiple of 360 to lie
// within 180 of the last value before it that is a number (nan stays nan); the first stays as
// it is.
void rozvinFazi(std::vector<double>& faze);

// The body of the frequency report: a header line "w" and, for each output/input pair (each
// output's inputs in turn), "zesileni yO/uI [dB]" and "faze yO/uI [st]", separated by ";";
// then one line per frequency with w, the magnitude in dB and the unwrapped phase in degrees
// of every pair, in the result form (6 significant digits, decimal comma). A frequency with no
// value (a pole met exactly) has magnitude inf and phase nan; a zero of H, -inf and nan.
void zapisFrekvence(std::ostream& f, const FrekvencniOdezva& odezva, const std::vector<double>& w);

#endif
