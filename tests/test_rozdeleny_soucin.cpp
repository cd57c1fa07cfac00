// Products of double matrices by slices: the compensated sum of the slice products lies within
// its stated bound of the exact product (computed here in Arb at 4096 bits, which is exact for
// these sums), and that bound is of the order of the result's last bit where the slices hold
// every row whole.
#include <gtest/gtest.h>

#include <arb.h>

#include <cmath>
#include <random>

#include "RozdelenySoucin.h"

namespace {
namespace test_rozdeleny_soucin {

namespace {

// Matrices whose rows or columns span many binary orders, zeros among them.
Eigen::MatrixXd nahodna(long r, long c, int rozpeti, bool cela, std::mt19937& nahoda) {
    std::uniform_real_distribution<double> hodnota(-1.0, 1.0);
    std::uniform_int_distribution<int> rad(-rozpeti, rozpeti), cifra(-9, 9);
    Eigen::MatrixXd A(r, c);
    for (long i = 0; i < r; ++i)
        for (long j = 0; j < c; ++j) A(i, j) = cela ? cifra(nahoda) : std::ldexp(hodnota(nahoda), rad(nahoda));
    return A;
}

}  // namespace

TEST(RozdelenySoucin, SlicedProductsAreExactWithinTheirBound) {
    struct Pripad {
        long n, k;
        int rozpetiA, rozpetiX;
        bool celaA;
    };
    const Pripad pripady[] = {{1, 1, 0, 0, false}, {7, 3, 0, 0, true},   {50, 8, 3, 3, false},
                              {300, 5, 0, 40, true}, {64, 4, 60, 0, false}, {33, 6, 200, 200, false}};
    std::mt19937 nahoda(5);
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.n);
        const Eigen::MatrixXd A = nahodna(p.n, p.n, p.rozpetiA, p.celaA, nahoda);
        Eigen::MatrixXd X = nahodna(p.n, p.k, p.rozpetiX, false, nahoda);
        const int bitu = bituRezu(p.n);
        const RezyRadku rezy(A, bitu);
        const RezySloupcu sloupce(X, bitu);
        SoucetSKompenzaci soucet(p.n, p.k);
        ASSERT_TRUE(soucet.pridejSoucin(rezy, sloupce));
        const Eigen::MatrixXd v = soucet.vysledek(), chyba = soucet.chyba();
        arb_t presny, clen;
        arb_init(presny);
        arb_init(clen);
        for (long i = 0; i < p.n; ++i)
            for (long j = 0; j < p.k; ++j) {
                arb_zero(presny);
                for (long t = 0; t < p.n; ++t) {
                    arb_set_d(clen, A(i, t));
                    arb_t x;
                    arb_init(x);
                    arb_set_d(x, X(t, j));
                    arb_mul(clen, clen, x, 4096);
                    arb_add(presny, presny, clen, 4096);
                    arb_clear(x);
                }
                ASSERT_TRUE(arb_is_exact(presny));
                arb_set_d(clen, v(i, j));
                arb_sub(clen, clen, presny, 4096);
                arb_abs(clen, clen);
                EXPECT_LE(arf_get_d(arb_midref(clen), ARF_RND_UP), chyba(i, j)) << i << " " << j;
                // Twice the spacing of the doubles at the value (beyond the range of subnormals),
                // unless rows too wide for three slices leave a part to rounding.
                if (!rezy.maZbytek) {
                    EXPECT_LE(chyba(i, j), 2.0 * std::ldexp(std::fabs(v(i, j)), -52) + 1e-280) << i << " " << j;
                }
            }
        arb_clear(clen);
        arb_clear(presny);
    }
}

}  // namespace test_rozdeleny_soucin
}  // namespace
