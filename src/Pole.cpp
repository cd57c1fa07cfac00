#include "Pole.h"

#include <iomanip>

std::ostream& operator<<(std::ostream& os, const Pole<double>& pole) {
    for (int i = 0; i < pole.get_length(); ++i) {
        os << "pole[" << i << "] = " << std::fixed << std::setprecision(3) << std::showpos << pole[i]
           << std::endl;
    }
    return os;
}
