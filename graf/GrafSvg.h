#ifndef GRAF_SVG_H
#define GRAF_SVG_H

#include <string>
#include <vector>

#include "GrafPrvky.h"
#include "GrafUkazatele.h"
#include "GrafZprava.h"

// The layout of a response plot: the picture's size, the plot area with its axes, and where
// the table of figures starts. A MIMO plot keeps a column on the right for its legend; the
// table makes the picture taller.
struct RozvrzeniOdezvy {
    double sirka;
    double vyska;
    Plocha plocha;
    double tabulkaY;
};

RozvrzeniOdezvy rozvrzeniOdezvy(const Zprava& zprava, std::size_t radkuTabulky);

// A self-contained SVG of a response report: each output a staircase over the steps k, the
// step axis ending at the last step, a legend for MIMO. Values inf and nan leave a gap and a
// note says how many; when the response overflowed and its finite values span more than six
// decades, the value axis is a signed logarithmic one, so the finite part stays visible. With
// figures (ukazatele not null) they stand as a table under the plot.
std::string svgOdezvy(const Zprava& zprava, const std::string& nazevZpravy,
                      const std::vector<UkazateleOdezvy>* ukazatele);

#endif
