#ifndef GRAF_OSA_H
#define GRAF_OSA_H

#include <cstddef>
#include <string>
#include <vector>

// A tick of an axis: its value and its label ("" for a grid line without label).
struct Znacka {
    long double hodnota;
    std::string popisek;
};

// One axis of a plot. Positions are computed in long double, whose range holds every double
// with room to spare, so that subnormal values and ranges up to the largest double map to
// finite coordinates.
class Osa {
public:
    enum class Meritko { Linearni, Logaritmicke, SymetrickeLog };

    // Position of a value within the axis, 0 at its start and 1 at its end; NaN for a value
    // the axis cannot show (w <= 0 on a logarithmic axis, a non-finite value).
    double podil(long double hodnota) const;

    Meritko meritko = Meritko::Linearni;
    long double od = 0.0L;  // the ends, in the axis's own units (log10 w on a log axis)
    long double po = 1.0L;
    long double zaklad = 1.0L;  // the width of the linear part of a symmetric log axis
    std::vector<Znacka> znacky;
};

// The linear axis holding [minimum, maximum] (finite values), rounded out to about five
// ticks of 1, 2 or 5 times a power of ten; labels with a decimal comma, like the report.
Osa osaHodnot(double minimum, double maximum);
// The step axis of a response of pocetKroku steps: from 0 to the last step, pocetKroku - 1.
Osa osaKroku(std::size_t pocetKroku);
// The phase axis in degrees: ticks at the multiples of 45 or 90 degrees times a power of two.
Osa osaFaze(double minimum, double maximum);
// A signed logarithmic axis, sign(y) log10(1 + |y| / c) with c the power of ten at or below
// the smallest non-zero magnitude, holding [minimum, maximum]; ticks at 0 and at powers of
// ten. For responses that overflow, whose finite part spans hundreds of decades.
Osa osaSymetrickaLog(double minimum, double maximum, double nejmensiNenulova);
// The logarithmic frequency axis spanning [wMin, wMax]: labelled decades, grid lines at their
// multiples, and pi (the Nyquist frequency of the period 1) marked when the data reach it.
Osa osaFrekvenci(double wMin, double wMax);

#endif
