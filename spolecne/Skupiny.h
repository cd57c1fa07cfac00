#ifndef SKUPINY_H
#define SKUPINY_H

#include <numeric>
#include <vector>

// A partition of n items (discs around root approximations) into connected groups:
// union-find with path halving.
class Skupiny {
    std::vector<long> rodic;

public:
    explicit Skupiny(long n) : rodic(static_cast<std::size_t>(n)) { std::iota(rodic.begin(), rodic.end(), 0L); }
    // The representative of the group of x.
    long koren(long x) {
        while (rodic[static_cast<std::size_t>(x)] != x) {
            long& r = rodic[static_cast<std::size_t>(x)];
            r = rodic[static_cast<std::size_t>(r)];
            x = r;
        }
        return x;
    }
    void spoj(long a, long b) { rodic[static_cast<std::size_t>(koren(a))] = koren(b); }
};

#endif
