#ifndef ZPRAVAFREKVENCI_H
#define ZPRAVAFREKVENCI_H

#include <ostream>
#include <vector>

#include "FrekvencniOdezva.h"

// Points of the frequency report.
constexpr int POCET_FREKVENCI = 256;

// w_k = 1e-3 pi 1000^(k / 255), k = 0 ... 255: logarithmically from 1e-3 pi to exactly pi.
std::vector<double> frekvenceZpravy();

// The body of the frequency report of `odezva`, evaluated at frekvenceZpravy(): a header line
// "w" and, for each output/input pair (each output's inputs in turn), "zesileni yO/uI [dB]"
// and "faze yO/uI [st]", separated by ";"; then one line per frequency with w, the magnitude in
// dB and the unwrapped phase in degrees of every pair, in the result form (6 significant
// digits, decimal comma), each the exact value rounded (JisteHodnotyFrekvence.h). A pole at a
// listed frequency has magnitude inf and phase nan; an exact zero of H, -inf and nan.
void zapisFrekvence(std::ostream& f, const FrekvencniOdezva& odezva, const std::vector<double>& w);

// The stability margins of a SISO system after the frequency lines (ModulRezervy.h): the line
// "Rezerva zesileni [dB];w" and one line "margin;w" per phase crossover by rising w, then
// "Rezerva faze [st];w" and the phase margins at the gain crossovers; "inf;-" under a header
// with no crossover.
void zapisRezerv(std::ostream& f, const FrekvencniOdezva& odezva);

#endif
