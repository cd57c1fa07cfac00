#include "ModulHessenberg.h"

#include <utility>

#include <flint/ulong_extras.h>

// The two loops that carry the O(n^3) work, compiled twice: for AVX2 and for the processor
// every x86-64 has; the loader picks one at run time (g++, and clang++ from version 14).
#if defined(__x86_64__) && ((defined(__clang__) && __clang_major__ >= 14) || (defined(__GNUC__) && !defined(__clang__)))
#define VEKTOROVE __attribute__((target_clones("avx2", "default")))
#else
#define VEKTOROVE
#endif

namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

// Shoup's quotient of c: floor(c 2^32 / p). For b < p, c b - floor(w b / 2^32) p lies in
// [0, 2p), exact in 32-bit arithmetic since 2p < 2^32 (V. Shoup, NTL; D. Harvey, Faster
// arithmetic for number-theoretic transforms, 2014).
u32 shoup(u32 c, u32 p) { return static_cast<u32>((static_cast<u64>(c) << 32) / p); }

u32 soucin(u32 a, u32 b, u32 p) { return static_cast<u32>(static_cast<u64>(a) * b % p); }

u32 opacny(u32 a, u32 p) { return a == 0 ? 0 : p - a; }

// x mod p for x < 2p: x - p wraps around to a larger number exactly when x < p, so the smaller
// of the two is the residue (one subtraction and one minimum per vector lane).
inline u32 mensi(u32 x, u32 p) {
    const u32 y = x - p;
    return y < x ? y : x;
}

// a_k = a_k + c b_k mod p, w the Shoup quotient of c.
VEKTOROVE void pridejNasobek(u32* a, const u32* b, long delka, u32 c, u32 w, u32 p) {
    for (long k = 0; k < delka; ++k) {
        const u32 q = static_cast<u32>((static_cast<u64>(w) * b[k]) >> 32);
        const u32 r = mensi(c * b[k] - q * p, p);
        a[k] = mensi(a[k] + r, p);
    }
}

// sum_k u_k b_k mod p: every product is below 2^56, so 256 of them add up below 2^64 and
// are reduced once.
VEKTOROVE u32 skalarniSoucin(const u32* b, const u32* u, long delka, u32 p) {
    u64 soucet = 0;
    for (long od = 0; od < delka; od += 256) {
        const long konec = od + 256 < delka ? od + 256 : delka;
        u64 s = 0;
        for (long k = od; k < konec; ++k) s += static_cast<u64>(u[k]) * b[k];
        soucet += s % p;
    }
    return static_cast<u32>(soucet % p);
}

// A becomes upper Hessenberg by similarity, column by column: with u_i = a_ij / a_(j+1)j,
// T = I - u e_(j+1)^T clears column j below the subdiagonal, and T A T^-1 is every row i
// minus u_i times row j+1, then column j+1 plus that matrix times u (contiguous dot products).
void hessenberg(std::vector<u32>& A, long n, u32 p) {
    auto at = [&](long r, long c) -> u32& { return A[static_cast<std::size_t>(r * n + c)]; };
    std::vector<u32> u(static_cast<std::size_t>(n));
    for (long j = 0; j + 2 < n; ++j) {
        long i = j + 1;
        while (i < n && at(i, j) == 0) ++i;
        if (i == n) continue;
        if (i != j + 1) {
            for (long c = 0; c < n; ++c) std::swap(at(i, c), at(j + 1, c));
            for (long r = 0; r < n; ++r) std::swap(at(r, i), at(r, j + 1));
        }
        const u32 inverze = static_cast<u32>(n_invmod(at(j + 1, j), p));
        bool nic = true;
        for (i = j + 2; i < n; ++i) {
            const std::size_t ii = static_cast<std::size_t>(i);
            u[ii] = soucin(at(i, j), inverze, p);
            if (u[ii] == 0) continue;
            nic = false;
            const u32 c = opacny(u[ii], p);
            pridejNasobek(&at(i, j), &at(j + 1, j), n - j, c, shoup(c, p), p);
        }
        if (nic) continue;
        const std::size_t od = static_cast<std::size_t>(j + 2);
        for (long r = 0; r < n; ++r) {
            at(r, j + 1) = mensi(at(r, j + 1) + skalarniSoucin(&at(r, j + 2), &u[od], n - j - 2, p), p);
        }
    }
}

}  // namespace

void pridejNasobekModP(u32* a, const u32* b, long delka, u32 c, u32 p) {
    if (c != 0) pridejNasobek(a, b, delka, c, shoup(c, p), p);
}

u32 prvocisloPod(u32 pod) {
    if (pod > MEZ_PRVOCISEL) pod = MEZ_PRVOCISEL;
    u32 p = pod - 1;
    while (!n_is_prime(p)) --p;
    return p;
}

// p_m = (z - h_mm) p_(m-1) - sum_i h_(m-i),m (h_(m-i+1),(m-i) ... h_m,(m-1)) p_(m-i-1) over the
// leading blocks of the Hessenberg form H.
std::vector<u32> charakteristickyModP(std::vector<u32>& A, long n, u32 p) {
    hessenberg(A, n, p);
    auto at = [&](long r, long c) { return A[static_cast<std::size_t>(r * n + c)]; };
    std::vector<std::vector<u32>> P(static_cast<std::size_t>(n + 1));
    P[0] = {1};
    for (long m = 1; m <= n; ++m) {
        std::vector<u32>& q = P[static_cast<std::size_t>(m)];
        const std::vector<u32>& predchozi = P[static_cast<std::size_t>(m - 1)];
        q.assign(static_cast<std::size_t>(m + 1), 0);
        for (long k = 0; k < m; ++k) q[static_cast<std::size_t>(k + 1)] = predchozi[static_cast<std::size_t>(k)];
        const u32 c = opacny(at(m - 1, m - 1), p);
        pridejNasobek(q.data(), predchozi.data(), m, c, shoup(c, p), p);
        u32 t = 1;
        for (long i = 1; i < m; ++i) {
            t = soucin(t, at(m - i, m - i - 1), p);
            if (t == 0) break;
            const u32 ci = opacny(soucin(t, at(m - i - 1, m - 1), p), p);
            pridejNasobek(q.data(), P[static_cast<std::size_t>(m - i - 1)].data(), m - i, ci, shoup(ci, p), p);
        }
    }
    return P[static_cast<std::size_t>(n)];
}
