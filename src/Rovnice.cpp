#include "Rovnice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "KorenyPolynomu.h"

namespace {

const double NEKONECNO = std::numeric_limits<double>::infinity();

}  // namespace

Rovnice::Rovnice(const Polynom& p) : Polynom(p), solution(p.get_stupen()) {}

std::vector<double> Rovnice::linearSolution(const std::vector<double>& a) {
    return {std::fabs(a[0]) / std::fabs(a[1])};
}

// Closed form on the centred coefficients: a complex pair has |x|^2 = a0 / a2; real roots
// come from the cancellation-free pair q / a2 and a0 / q.
std::vector<double> Rovnice::KvadraticSolution(const std::vector<double>& a) {
    const Centrovani c = centruj(a);
    const double b0 = c.b[0];
    const double b1 = c.b[1];
    const double b2 = c.b[2];
    // The ends only drop this low when the middle term dominates beyond the double range;
    // the two roots are then a0 / a1 and a1 / a2 to the last digit.
    if (std::fabs(b0) < 0x1p-1000 || std::fabs(b2) < 0x1p-1000)
        return {std::fabs(a[0]) / std::fabs(a[1]), std::fabs(a[1]) / std::fabs(a[2])};
    const double d = b1 * b1 - 4.0 * b2 * b0;
    double y1, y2;
    if (d < 0.0) {
        y1 = y2 = std::sqrt(b0 / b2);
    } else {
        const double q = -0.5 * (b1 + std::copysign(std::sqrt(d), b1));
        y1 = std::fabs(q / b2);
        y2 = std::fabs(b0 / q);
    }
    return {std::ldexp(y1, c.k), std::ldexp(y2, c.k)};
}

std::vector<double> Rovnice::numerickeReseni(const std::vector<double>& a) {
    return velikostiKorenu(centruj(a));
}


void Rovnice::AbsolutValue() {
    const int n = get_stupen();
    solution = Pole<double>(n);
    if (n <= 0) return;
    const Polynom& p = *this;

    std::vector<double> velikosti;
    velikosti.reserve(static_cast<std::size_t>(n));
    bool konecne = true;
    for (int i = 0; i <= n; ++i) konecne = konecne && std::isfinite(p[static_cast<std::size_t>(i)]);

    if (!konecne) {
        velikosti.assign(static_cast<std::size_t>(n), NEKONECNO);
    } else {
        int horni = n;
        while (horni >= 0 && p[static_cast<std::size_t>(horni)] == 0.0) {
            velikosti.push_back(NEKONECNO);
            --horni;
        }
        if (horni < 0) {
            velikosti.pop_back();  // the zero polynomial: n magnitudes, not n + 1
        } else {
            int dolni = 0;
            while (dolni < horni && p[static_cast<std::size_t>(dolni)] == 0.0) {
                velikosti.push_back(0.0);
                ++dolni;
            }
            std::vector<double> jadro;
            for (int i = dolni; i <= horni; ++i) jadro.push_back(p[static_cast<std::size_t>(i)]);
            std::vector<double> koreny;
            switch (horni - dolni) {
                case 0: break;
                case 1: koreny = linearSolution(jadro); break;
                case 2: koreny = KvadraticSolution(jadro); break;
                default: koreny = numerickeReseni(jadro); break;
            }
            velikosti.insert(velikosti.end(), koreny.begin(), koreny.end());
        }
    }

    for (double& v : velikosti)
        if (std::isnan(v)) v = NEKONECNO;  // never let an undefined value pass for stable
    std::sort(velikosti.begin(), velikosti.end());
    for (int i = 0; i < n; ++i) solution[i] = velikosti[static_cast<std::size_t>(i)];
}
