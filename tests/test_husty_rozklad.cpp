// The dense decompositions compiled once (HustyRozklad) satisfy their defining identities to a
// few units of roundoff, and the norm bounds of the certificates (JisteNormy) lie above the
// exact norms (computed in Arb at 4096 bits, exact for these sums) and close to them.
#include <gtest/gtest.h>

#include <arb.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

#include "HusteSoucty.h"
#include "HustyRozklad.h"
#include "JisteNormy.h"

namespace {
namespace test_husty_rozklad {

namespace {

using Komplex = std::complex<double>;

Eigen::MatrixXd nahodnaMatice(long r, long c, int rozpeti, std::mt19937& nahoda) {
    std::uniform_real_distribution<double> hodnota(-1.0, 1.0);
    std::uniform_int_distribution<int> rad(-rozpeti, rozpeti);
    Eigen::MatrixXd A(r, c);
    for (long j = 0; j < c; ++j)
        for (long i = 0; i < r; ++i) A(i, j) = std::ldexp(hodnota(nahoda), rad(nahoda));
    return A;
}

double nejvetsiOdchylka(const Eigen::MatrixXcd& A, const Eigen::MatrixXcd& B) {
    double d = 0.0;
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) d = std::max(d, std::abs(A(i, j) - B(i, j)));
    return d;
}

Eigen::MatrixXcd komplexni(const Eigen::MatrixXd& A) { return A.cast<Komplex>(); }

// The exact sum of non-negative terms (doubles, products of two, moduli), as an Arb ball.
class PresnySoucet {
public:
    PresnySoucet() { arb_init(s); }
    ~PresnySoucet() { arb_clear(s); }
    PresnySoucet(const PresnySoucet&) = delete;
    PresnySoucet& operator=(const PresnySoucet&) = delete;
    void pridej(double a, double b = 1.0) {
        Arb x(a), y(b);
        arb_mul(x.v, x.v, y.v, PRESNOST);
        arb_add(s, s, x.v, PRESNOST);
    }
    void pridejVelikost(Komplex z) {
        Arb x(z.real()), y(z.imag());
        arb_hypot(x.v, x.v, y.v, PRESNOST);
        arb_add(s, s, x.v, PRESNOST);
    }
    // The whole ball lies at or below mez.
    bool nejvys(double mez) const {
        Arb m(mez);
        return arb_le(s, m.v);
    }
    double priblizne() const { return arf_get_d(arb_midref(s), ARF_RND_NEAR); }

private:
    static constexpr slong PRESNOST = 4096;
    struct Arb {
        arb_t v;
        explicit Arb(double x) {
            arb_init(v);
            arb_set_d(v, x);
        }
        ~Arb() { arb_clear(v); }
        Arb(const Arb&) = delete;
        Arb& operator=(const Arb&) = delete;
    };
    arb_t s;
};

}  // namespace

TEST(HustyRozklad, DecompositionsMeetTheirIdentities) {
    std::mt19937 nahoda(11);
    for (long n : {1L, 2L, 7L, 60L, 130L}) {
        SCOPED_TRACE(n);
        const Eigen::MatrixXd A = nahodnaMatice(n, n, 2, nahoda);
        const HessenbergovTvar t = hessenbergovTvar(A);
        for (long j = 0; j < n; ++j)
            for (long i = j + 2; i < n; ++i) EXPECT_EQ(t.H(i, j), 0.0);
        const double mez = 50.0 * n * 0x1p-52;
        EXPECT_LE(nejvetsiOdchylka(komplexni(soucinTransponovane(t.Q, t.Q)), Eigen::MatrixXcd::Identity(n, n)), mez);
        EXPECT_LE(nejvetsiOdchylka(komplexni(soucin(A, t.Q)), komplexni(soucin(t.Q, t.H))), 4.0 * mez);

        const VlastniRozklad r = vlastniRozklad(A);
        ASSERT_TRUE(r.uspech);
        ASSERT_EQ(static_cast<long>(r.hodnoty.size()), n);
        Eigen::MatrixXcd VL = r.vektory;
        for (long j = 0; j < n; ++j) {
            VL.col(j) *= r.hodnoty[static_cast<std::size_t>(j)];
            EXPECT_NEAR(r.vektory.col(j).norm(), 1.0, mez);
        }
        EXPECT_LE(nejvetsiOdchylka(soucin(komplexni(A), r.vektory), VL), 100.0 * mez);
        const Eigen::MatrixXcd W = inverzeLU(r.vektory);
        EXPECT_LE(nejvetsiOdchylka(soucin(W, r.vektory), Eigen::MatrixXcd::Identity(n, n)), 1e-6);

        // The eigenvalues of the Hessenberg form without vectors: the same set.
        const std::vector<Komplex> hodnoty = vlastniCislaHessenbergovy(t.H);
        ASSERT_EQ(hodnoty.size(), r.hodnoty.size());
        for (const Komplex& h : hodnoty)
            EXPECT_TRUE(std::any_of(r.hodnoty.begin(), r.hodnoty.end(), [&](Komplex l) { return std::abs(h - l) < 1e-8; }))
                << h;
    }
}

TEST(HustyRozklad, HessenbergEigenvaluesOfKnownPolynomials) {
    // Companion matrices (upper Hessenberg) of z^4 - 1 and z^3 - 2 z^2 + z - 2 = (z - 2)(z^2 + 1):
    // conjugate pairs side by side, the positive imaginary part first.
    const std::vector<std::vector<double>> polynomy = {{-1.0, 0.0, 0.0, 0.0}, {-2.0, 1.0, -2.0}};
    const std::vector<std::vector<Komplex>> koreny = {{1.0, -1.0, {0.0, 1.0}, {0.0, -1.0}}, {2.0, {0.0, 1.0}, {0.0, -1.0}}};
    for (std::size_t p = 0; p < polynomy.size(); ++p) {
        const long d = static_cast<long>(polynomy[p].size());
        Eigen::MatrixXd C = Eigen::MatrixXd::Zero(d, d);
        for (long i = 0; i < d; ++i) {
            if (i > 0) C(i, i - 1) = 1.0;
            C(i, d - 1) = -polynomy[p][static_cast<std::size_t>(i)];
        }
        const std::vector<Komplex> hodnoty = vlastniCislaHessenbergovy(C);
        ASSERT_EQ(hodnoty.size(), koreny[p].size());
        for (std::size_t i = 0; i + 1 < hodnoty.size(); ++i) {
            if (hodnoty[i].imag() != 0.0 && hodnoty[i] == std::conj(hodnoty[i + 1])) {
                EXPECT_GT(hodnoty[i].imag(), 0.0);
            }
        }
        for (const Komplex& k : koreny[p])
            EXPECT_TRUE(std::any_of(hodnoty.begin(), hodnoty.end(), [&](Komplex h) { return std::abs(h - k) < 1e-13; }))
                << k;
    }
    EXPECT_TRUE(vlastniCislaHessenbergovy(Eigen::MatrixXd(0, 0)).empty());
}

TEST(JisteNormy, BoundsLieAboveTheExactNormsAndNearThem) {
    std::mt19937 nahoda(3);
    // The bounds of the block of rows radku / 3 .. and columns prvni .. prvni + sirka - 1 (a
    // view whose columns are not contiguous with each other), and of a whole complex matrix.
    struct Pripad {
        long radku, sloupcu, prvni, sirka;
        int rozpeti;
    };
    const Pripad pripady[] = {{1, 1, 0, 1, 0}, {9, 4, 1, 2, 0}, {50, 50, 0, 50, 30}, {131, 40, 13, 1, 300}, {8, 200, 7, 150, 3}};
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.radku * 1000 + p.sloupcu);
        const Eigen::MatrixXd A = nahodnaMatice(p.radku, p.sloupcu, p.rozpeti, nahoda);
        const long r0 = p.radku / 3, radku = p.radku - r0;
        const Eigen::MatrixXd B = nahodnaMatice(p.sirka, 5, p.rozpeti, nahoda);
        const Eigen::MatrixXcd C = komplexni(A) + Komplex(0.0, 1.0) * komplexni(nahodnaMatice(p.radku, p.sloupcu, p.rozpeti, nahoda));
        const auto blok = A.block(r0, p.prvni, radku, p.sirka);
        const double normaA = normaRadkuShora(blok), normaC = normaRadkuShora(C), soucinAB = normaSoucinuShora(blok, B);
        double nejA = 0.0, nejC = 0.0, nejAB = 0.0;
        for (long i = 0; i < p.radku; ++i) {
            PresnySoucet a, c, ab;
            for (long j = 0; j < p.sloupcu; ++j) c.pridejVelikost(C(i, j));
            EXPECT_TRUE(c.nejvys(normaC));
            nejC = std::max(nejC, c.priblizne());
            if (i >= radku) continue;
            for (long j = 0; j < p.sirka; ++j) {
                a.pridej(std::fabs(blok(i, j)));
                for (long k = 0; k < B.cols(); ++k) ab.pridej(std::fabs(blok(i, j)), std::fabs(B(j, k)));
            }
            EXPECT_TRUE(a.nejvys(normaA));
            EXPECT_TRUE(ab.nejvys(soucinAB));
            nejA = std::max(nejA, a.priblizne());
            nejAB = std::max(nejAB, ab.priblizne());
        }
        EXPECT_LE(normaA, nejA * (1.0 + 1e-12) + 1e-289);
        EXPECT_LE(normaC, nejC * 1.09 + 1e-289);  // velikostNahoru: at most 8.3 % above |z|
        EXPECT_LE(soucinAB, nejAB * (1.0 + 1e-12) + 1e-289);
    }
    // No bound passes over a NaN; an empty matrix has norm 0.
    Eigen::MatrixXd N = Eigen::MatrixXd::Ones(3, 3);
    N(1, 2) = NAN;
    Eigen::MatrixXcd NC = komplexni(Eigen::MatrixXd::Ones(3, 3));
    NC(2, 0) = Komplex(0.0, NAN);
    EXPECT_EQ(normaRadkuShora(N), INFINITY);
    EXPECT_EQ(normaRadkuShora(NC), INFINITY);
    EXPECT_EQ(normaSoucinuShora(Eigen::MatrixXd::Ones(3, 3), N), INFINITY);
    EXPECT_EQ(normaRadkuShora(Eigen::MatrixXd(0, 4)), 0.0);
}

}  // namespace test_husty_rozklad
}  // namespace
