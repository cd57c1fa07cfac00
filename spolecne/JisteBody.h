#ifndef JISTEBODY_H
#define JISTEBODY_H

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "PresnaMatice.h"

// Enclosures of the values of a frequency report and the decision whether their printed form
// (6 significant digits) is certain. Shared by the tool, whose floating-point bounds settle most
// values, and the module of exact arithmetic, which refines the rest in ball arithmetic.

// [dolni, horni] holds the exact value; nan when nothing is known yet. A point interval
// (dolni == horni) is an exact value.
struct Rozsah {
    double dolni = NAN;
    double horni = NAN;

    bool znamy() const { return !std::isnan(dolni) && !std::isnan(horni); }
    bool presny() const { return dolni == horni; }
};

// One value of the report: magnitude in dB and phase in degrees of one output/input pair at
// one frequency. An exact zero of H has db = [-inf, -inf], a pole db = [inf, inf]; their phase
// is not a number. The phase may lie on any branch: unwrapping moves it by multiples of 360.
struct BodFrekvence {
    Rozsah db;
    Rozsah faze;

    bool nula() const { return db.dolni == -INFINITY && db.horni == -INFINITY; }
    bool pol() const { return db.dolni == INFINITY && db.horni == INFINITY; }
};

// The text of a report value (printf's %g with 6 digits); 0 for either zero.
std::string sestPlatnych(double x);

// True when every value of the interval prints alike (rounding to nearest is monotone, so the
// two ends decide).
bool rozhodnuty(const Rozsah& r);

// The printable values of one pair along the frequencies, and the indices of the values that
// are not certain yet. The phase is unwrapped: each value moved by the multiple of 360 that
// brings it within 180 of the last value before it that is a number (half-way rounds away from
// zero), the first one into (-180, 180]. A value is uncertain when it is not known, when its
// interval does not fix its text, or when the multiple of 360 of its step is not certain (then
// the value before it is listed too). Values after an unknown phase are not judged.
struct RozvinutaDvojice {
    std::vector<double> db;
    std::vector<double> faze;
    std::vector<std::size_t> nejiste;
};
RozvinutaDvojice rozvin(const std::vector<BodFrekvence>& body);

// The values of one pair as they cross into and out of the module: a block of one column,
// one row per frequency, its element listing the ends of the dB and phase intervals (exact
// texts of the doubles, "nan", "inf", "-inf").
PresnaMatice bodyNaBlok(const std::vector<BodFrekvence>& body);
// False when the block is not of that form.
bool bodyZBloku(const PresnaMatice& blok, std::vector<BodFrekvence>& body);

#endif
