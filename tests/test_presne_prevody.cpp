// Conversions between the descriptions are exact for the values as written and rounded once:
// integer data gives integer coefficients to the last digit, whatever the size of the system,
// and a coefficient beyond the range of double refuses the conversion.
#include <gtest/gtest.h>

#include <flint/fmpz_mat.h>
#include <flint/fmpz_poly.h>

#include <random>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Vyjimky.h"

namespace {

using Radky = std::vector<std::vector<long>>;

Matrix<double> realna(const Radky& r) {
    Matrix<double> M(static_cast<int>(r.size()), static_cast<int>(r.front().size()), Matrix<double>::ZEROS);
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) M(i, j) = static_cast<double>(r[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    return M;
}

// det(zI - M) by FLINT, independently of the conversion.
std::vector<double> charakteristicky(const Radky& M) {
    const long n = static_cast<long>(M.size());
    fmpz_mat_t A;
    fmpz_mat_init(A, n, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(A, i, j), M[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    fmpz_poly_t p;
    fmpz_poly_init(p);
    fmpz_mat_charpoly(p, A);
    std::vector<double> c;
    for (long k = 0; k <= n; ++k) c.push_back(fmpz_get_d(p->coeffs + k));
    fmpz_poly_clear(p);
    fmpz_mat_clear(A);
    return c;
}

std::vector<double> koeficienty(const Polynom& p) {
    std::vector<double> c;
    for (int k = 0; k <= p.get_stupen(); ++k) c.push_back(p[static_cast<std::size_t>(k)]);
    return c;
}

CLDDS_Vnejsi_SISO naVnejsi(const Radky& F, const Radky& G, const Radky& H, long L = 0) {
    const int n = static_cast<int>(F.size());
    CLDDS_Stav_SISO stav(realna(F), realna(G), realna(H), realna({{L}}),
                         Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
    return CLDDS_Vnejsi_SISO(stav);
}

Radky jednicky(int r, int s) { return Radky(static_cast<std::size_t>(r), std::vector<long>(static_cast<std::size_t>(s), 1)); }

TEST(PresnePrevody, MatrixOfOnesGivesItsExactTransferFunction) {
    // F = G H = ones(n): A = z^n - n z^(n-1), B = n z^(n-1).
    for (int n : {4, 16, 40, 128}) {
        const CLDDS_Vnejsi_SISO v = naVnejsi(jednicky(n, n), jednicky(n, 1), jednicky(1, n));
        std::vector<double> A(static_cast<std::size_t>(n + 1), 0.0), B(static_cast<std::size_t>(n), 0.0);
        A[static_cast<std::size_t>(n)] = 1.0;
        A[static_cast<std::size_t>(n - 1)] = -n;
        B[static_cast<std::size_t>(n - 1)] = n;
        EXPECT_EQ(koeficienty(v.get_A()), A) << "n " << n;
        EXPECT_EQ(koeficienty(v.get_B()), B) << "n " << n;
    }
}

TEST(PresnePrevody, IntegerMatricesGiveIntegerCoefficientsToTheLastDigit) {
    std::mt19937 gen(21);
    std::uniform_int_distribution<long> cislo(-2, 2);
    for (int n : {3, 8, 20}) {
        Radky F(static_cast<std::size_t>(n), std::vector<long>(static_cast<std::size_t>(n))), G(static_cast<std::size_t>(n), {0}),
            H(1, std::vector<long>(static_cast<std::size_t>(n)));
        for (auto& r : F)
            for (long& x : r) x = cislo(gen);
        for (auto& r : G) r[0] = cislo(gen);
        for (long& x : H[0]) x = cislo(gen);
        const long L = cislo(gen);
        const CLDDS_Vnejsi_SISO v = naVnejsi(F, G, H, L);
        EXPECT_EQ(koeficienty(v.get_A()), charakteristicky(F)) << "n " << n;
        // B = det(zI - F + G H) - det(zI - F) + L det(zI - F).
        Radky vazba = F;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) vazba[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] -= G[static_cast<std::size_t>(i)][0] * H[0][static_cast<std::size_t>(j)];
        std::vector<double> B = charakteristicky(vazba);
        const std::vector<double> A = charakteristicky(F);
        for (std::size_t k = 0; k < B.size(); ++k) B[k] += (L - 1) * A[k];
        while (B.size() > 1 && B.back() == 0.0) B.pop_back();
        EXPECT_EQ(koeficienty(v.get_B()), B) << "n " << n;
    }
}

TEST(PresnePrevody, JordanFormsUnderUnimodularSimilarityKeepTheirExactCharacteristicPolynomial) {
    // S J S^-1 with J = Jordan blocks of 2 (order 3) and -1 (order 2), S = I + N (N strictly
    // upper triangular, so S^-1 = I - N + N^2 - ... is integral): det(zI - F) = (z - 2)^3 (z + 1)^2.
    const Radky F = {{2, 1, 0, 0, 0}, {0, 2, 1, 0, 0}, {0, 0, 2, 0, 0}, {0, 0, 0, -1, 1}, {0, 0, 0, 0, -1}};
    const Radky S = {{1, 2, -1, 3, 1}, {0, 1, 1, -2, 2}, {0, 0, 1, 1, -1}, {0, 0, 0, 1, 3}, {0, 0, 0, 0, 1}};
    Radky N = S, Si(5, std::vector<long>(5, 0)), mocnina(5, std::vector<long>(5, 0));
    for (int i = 0; i < 5; ++i) N[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 0;
    auto krat = [](const Radky& a, const Radky& b) {
        Radky c(a.size(), std::vector<long>(b.front().size(), 0));
        for (std::size_t i = 0; i < a.size(); ++i)
            for (std::size_t k = 0; k < b.size(); ++k)
                for (std::size_t j = 0; j < b.front().size(); ++j) c[i][j] += a[i][k] * b[k][j];
        return c;
    };
    for (int i = 0; i < 5; ++i) Si[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = mocnina[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 1;
    for (int k = 1; k < 5; ++k) {
        mocnina = krat(mocnina, N);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) Si[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] += (k % 2 ? -1 : 1) * mocnina[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    }
    const CLDDS_Vnejsi_SISO v = naVnejsi(krat(krat(S, F), Si), jednicky(5, 1), jednicky(1, 5));
    EXPECT_EQ(koeficienty(v.get_A()), (std::vector<double>{-8, -4, 10, 1, -4, 1}));
}

TEST(PresnePrevody, SevenDigitCoefficientsSurviveTheRoundTrip) {
    // A monic, B of lower degree: the companion form holds the coefficients themselves, and
    // its exact transfer function gives them back unchanged.
    std::mt19937 gen(8);
    std::uniform_int_distribution<long> cislice(-9999999, 9999999);
    for (int n = 1; n <= 12; ++n) {
        std::vector<double> a, b;
        for (int k = 0; k < n; ++k) a.push_back(static_cast<double>(cislice(gen)) * 1e-7);
        a.push_back(1.0);
        for (int k = 0; k < n; ++k) b.push_back(static_cast<double>(cislice(gen)) * 1e-5);
        CLDDS_Vnejsi_SISO puvodni(Polynom(a.data(), n + 1), Polynom(b.data(), n));
        CLDDS_Stav_SISO stav(puvodni);
        const CLDDS_Vnejsi_SISO zpet(stav);
        EXPECT_EQ(koeficienty(zpet.get_A()), a) << "n " << n;
        while (b.size() > 1 && b.back() == 0.0) b.pop_back();
        EXPECT_EQ(koeficienty(zpet.get_B()), b) << "n " << n;
    }
}

TEST(PresnePrevody, CoefficientsBeyondTheRangeOfDoubleRefuseTheConversion) {
    const std::string zprava = "Koeficient vysledku prevodu presahuje rozsah cisel double\n";
    Matrix<double> F(2, 2, Matrix<double>::ZEROS);
    F(0, 0) = F(0, 1) = F(1, 0) = 1e300;
    F(1, 1) = -1e300;  // det(zI - F) has the constant -2e600
    CLDDS_Stav_SISO stav(F, realna({{1}, {0}}), realna({{1, 0}}), realna({{0}}), Matrix<double>(2, 1, Matrix<double>::ZEROS), 2, 1.0);
    try {
        CLDDS_Vnejsi_SISO v(stav);
        FAIL() << "converted";
    } catch (const vyjm::CLDDS_Stav_SISO& e) {
        EXPECT_EQ(e.what(), zprava);
    }
    // 1e-300 z - 1e300: the companion row holds 1e600.
    const double a[] = {-1e300, 1e-300};
    const double b[] = {1.0};
    CLDDS_Vnejsi_SISO vnejsi(Polynom(a, 2), Polynom(b, 1));
    try {
        CLDDS_Stav_SISO s(vnejsi);
        FAIL() << "converted";
    } catch (const vyjm::CLDDS_Vnejsi_SISO& e) {
        EXPECT_EQ(e.what(), zprava);
    }
}

}  // namespace
