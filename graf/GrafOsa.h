#ifndef GRAF_OSA_H
#define GRAF_OSA_H

#include <string>
#include <vector>

// One axis of the plot: a range rounded out to whole ticks of 1, 2 or 5 times a power of ten.
struct Osa {
    double od = 0.0;
    double po = 1.0;
    double krok = 1.0;
    std::vector<double> znacky;

    // Position of a value within the range, 0 at od and 1 at po.
    double podil(double hodnota) const;
    // Tick label with as many digits as the tick step needs and a decimal comma, like the
    // values of the report.
    std::string popisek(double znacka) const;
};

// The axis holding [minimum, maximum] (finite values) with about five ticks; celaCisla keeps
// the step at 1 or more, for the step numbers k.
Osa osaPro(double minimum, double maximum, bool celaCisla);

#endif
