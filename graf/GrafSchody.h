#ifndef GRAF_SCHODY_H
#define GRAF_SCHODY_H

#include <cstddef>
#include <vector>

#include "GrafZprava.h"

// A point of a curve: step k (or w) and value.
struct Bod {
    double x;
    double y;
};

// The polylines of one output: one for every run of finite values.
using Krivky = std::vector<std::vector<Bod>>;

// The staircases of every output of a response, in steps and values: one polyline for every
// run of finite values, so that inf and nan leave a gap. The value of step k is held from k
// to k + 1, but the last step of the report is a point: the axis ends there. When a pixel
// column holds more than one step (krokuNaPixel > 1), the steps of each column are thinned
// to the first, the smallest, the largest and the last of them in the order they come, so
// every extremum stays on the curve while the points stay at four per column, whatever the
// number of steps. The values are read once, line by line, for all outputs together.
std::vector<Krivky> schodyVystupu(const Zprava& zprava, double krokuNaPixel);

#endif
