#ifndef GRAF_UKAZATELE_H
#define GRAF_UKAZATELE_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "GrafZprava.h"

// The usual figures of one output y(0) ... y(N-1) of a discrete step response. A figure
// that the response does not determine is empty (written "-"):
// - konecna: y(N-1), given only when the response has settled: N >= 2, every value finite,
//   and over the last fifth of the steps (at least the last two) every value lies within
//   0.1 % of the largest distance of any value from y(N-1). A response that still moves (an
//   unstable one, an integrator's ramp, an oscillation on the unit circle, a slow pole cut
//   off by too few steps) has no final value, nor any of the figures below.
// - with the change D = konecna - y(0) (the figures below need D != 0):
//   nabeh: k90 - k10, the first steps at which (y(k) - y(0)) / D reaches 0.1 and 0.9;
//   vrchol, krokVrcholu: the extreme value in the direction of D (the largest for D > 0,
//   the smallest for D < 0) and the first step that reaches it;
//   prekmit: (vrchol - konecna) / D in percent (0 when the response never passes konecna);
//   ustaleni: the first step from which every value stays within 2 % of |D| of konecna.
struct UkazateleOdezvy {
    std::optional<double> konecna;
    std::optional<std::size_t> nabeh;
    std::optional<double> vrchol;
    std::optional<std::size_t> krokVrcholu;
    std::optional<double> prekmit;
    std::optional<std::size_t> ustaleni;
};

UkazateleOdezvy ukazateleOdezvy(const std::vector<double>& y);
// The figures of every output of a response report.
std::vector<UkazateleOdezvy> ukazateleZpravy(const Zprava& zprava);

// The figures as CSV: a header, then one line per output ("y1", ...), values as the CSV of
// the report writes them, "-" for a figure the response does not determine.
std::string csvUkazatelu(const std::vector<UkazateleOdezvy>& ukazatele);

// The texts of one output's figures for the table under the plot, in the report's number
// form (decimal comma), "-" where a figure is empty; the column labels beside.
std::vector<std::string> textyUkazatelu(const UkazateleOdezvy& u);
std::vector<std::string> popiskyUkazatelu();

#endif
