#include "StrukturaPrenosu.h"

std::vector<bool> bezCesty(const std::vector<std::vector<bool>>& hrany, const std::vector<std::vector<bool>>& vstupy,
                           const std::vector<std::vector<bool>>& vystupy) {
    const std::size_t n = hrany.size(), m = vystupy.size(), l = vstupy.empty() ? 0 : vstupy[0].size();
    std::vector<bool> vysledek(m * l, true);
    for (std::size_t o = 0; o < m; ++o) {
        // The states reachable from those that output o reads.
        std::vector<bool> dosazene(n, false);
        std::vector<std::size_t> fronta;
        for (std::size_t r = 0; r < n; ++r)
            if (vystupy[o][r]) {
                dosazene[r] = true;
                fronta.push_back(r);
            }
        while (!fronta.empty()) {
            const std::size_t r = fronta.back();
            fronta.pop_back();
            for (std::size_t c = 0; c < n; ++c)
                if (hrany[r][c] && !dosazene[c]) {
                    dosazene[c] = true;
                    fronta.push_back(c);
                }
        }
        for (std::size_t c = 0; c < n; ++c)
            if (dosazene[c])
                for (std::size_t i = 0; i < l; ++i)
                    if (vstupy[c][i]) vysledek[o * l + i] = false;
    }
    return vysledek;
}
