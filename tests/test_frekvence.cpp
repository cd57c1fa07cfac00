// The frequency response of every kind against direct evaluation (products of factors, a
// dense complex solve, the inverse of a 2 x 2 matrix), phase unwrapping across +-180 degrees,
// and poles on the circle: z = 1 below the lowest frequency, z = -1 met at w = pi.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FrekvencniOdezva.h"
#include "ZpravaFrekvenci.h"

namespace {

const double PI = 3.14159265358979323846;

Polynom polynom(std::vector<double> k) { return Polynom(k.data(), static_cast<int>(k.size())); }

Matrix<double> nahodna(int r, int c, std::mt19937& nahoda) {
    std::uniform_real_distribution<double> hodnota(-0.6, 0.6);
    Matrix<double> M(r, c, Matrix<double>::ZEROS);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) M(i, j) = hodnota(nahoda);
    return M;
}

// H (zI - F)^-1 G + L by Gauss-Jordan elimination on the dense complex matrix [zI - F | G].
std::vector<Komplexni> primo(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, Komplexni z) {
    const int n = F.get_rows(), l = G.get_columns();
    std::vector<std::vector<Komplexni>> M(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) M[i].push_back((i == j ? z : 0.0) - F(i, j));
        for (int j = 0; j < l; ++j) M[i].push_back(G(i, j));
    }
    for (int s = 0; s < n; ++s) {
        for (int r = s + 1; r < n; ++r)
            if (std::abs(M[r][s]) > std::abs(M[s][s])) std::swap(M[r], M[s]);
        for (int r = 0; r < n; ++r) {
            if (r == s) continue;
            const Komplexni f = M[r][s] / M[s][s];
            for (int c = s; c < n + l; ++c) M[r][c] -= f * M[s][c];
        }
    }
    std::vector<Komplexni> Y;
    for (int o = 0; o < H.get_rows(); ++o)
        for (int i = 0; i < l; ++i) {
            Komplexni y = L(o, i);
            for (int j = 0; j < n; ++j) y += H(o, j) * M[j][n + i] / M[j][j];
            Y.push_back(y);
        }
    return Y;
}

TEST(Frekvence, EveryKindAgreesWithDirectEvaluation) {
    const std::vector<double> w = {1e-3 * PI, 0.3, 1.0, 2.0, 3.0, PI};
    // (z + 0.5) / ((z - 0.5)(z + 0.3)) = (z + 0.5) / (z^2 - 0.2 z - 0.15)
    const FrekvencniOdezva siso = frekvencePodilu(polynom({0.5, 1}), polynom({-0.15, -0.2, 1}), w);
    // A = [[z - 0.5, 0.25], [0, z - 0.2]], B = [[1, 0.5], [0, 1]]: A^-1 B by the 2 x 2 inverse.
    Matrix<Polynom> A(2, 2, Matrix<Polynom>::ZEROS), B(2, 2, Matrix<Polynom>::ZEROS);
    A(0, 0) = polynom({-0.5, 1});
    A(0, 1) = polynom({0.25});
    A(1, 1) = polynom({-0.2, 1});
    B(0, 0) = B(1, 1) = polynom({1});
    B(0, 1) = polynom({0.5});
    const FrekvencniOdezva mimo = frekvenceMaticovehoZlomku(A, B, w);
    std::mt19937 nahoda(18);
    const Matrix<double> F = nahodna(7, 7, nahoda), G = nahodna(7, 2, nahoda), H = nahodna(3, 7, nahoda),
                         L = nahodna(3, 2, nahoda);
    const FrekvencniOdezva stav = frekvenceStavu(F, G, H, L, w);
    ASSERT_EQ(stav.vystupu, 3);
    ASSERT_EQ(stav.vstupu, 2);
    for (std::size_t k = 0; k < w.size(); ++k) {
        SCOPED_TRACE(w[k]);
        const Komplexni z = std::polar(1.0, w[k]);
        EXPECT_LT(std::abs(siso(k, 0, 0) - (z + 0.5) / ((z - 0.5) * (z + 0.3))), 1e-13);
        const Komplexni a = z - 0.5, d = z - 0.2;
        const Komplexni ocekavane[2][2] = {{1.0 / a, 0.5 / a - 0.25 / (a * d)}, {0.0, 1.0 / d}};
        for (int o = 0; o < 2; ++o)
            for (int i = 0; i < 2; ++i) EXPECT_LT(std::abs(mimo(k, o, i) - ocekavane[o][i]), 1e-13);
        const std::vector<Komplexni> Y = primo(F, G, H, L, z);
        for (int o = 0; o < 3; ++o)
            for (int i = 0; i < 2; ++i) EXPECT_LT(std::abs(stav(k, o, i) - Y[static_cast<std::size_t>(o * 2 + i)]), 1e-12);
        EXPECT_FALSE(siso.singularni[k] || mimo.singularni[k] || stav.singularni[k]);
    }
}

// The report's columns of one pair: magnitudes and phases, read back from the result form.
void sloupce(const std::string& telo, int par, std::vector<double>& db, std::vector<double>& faze) {
    std::istringstream proud(telo);
    std::string radek;
    std::getline(proud, radek);
    while (std::getline(proud, radek)) {
        for (char& c : radek) c = c == ',' ? '.' : c == ';' ? ' ' : c;
        std::istringstream cisla(radek);
        std::vector<std::string> kusy;
        for (std::string kus; cisla >> kus;) kusy.push_back(kus);
        db.push_back(std::strtod(kusy[static_cast<std::size_t>(1 + 2 * par)].c_str(), nullptr));
        faze.push_back(std::strtod(kusy[static_cast<std::size_t>(2 + 2 * par)].c_str(), nullptr));
    }
}

TEST(Frekvence, PhaseIsUnwrappedAcrossPlusMinus180) {
    std::vector<double> faze = {170, -170, -150, 170, NAN, -175, 179};
    rozvinFazi(faze);
    const std::vector<double> ocekavane = {170, 190, 210, 170, NAN, 185, 179};
    for (std::size_t i = 0; i < faze.size(); ++i) {
        if (std::isnan(ocekavane[i])) {
            EXPECT_TRUE(std::isnan(faze[i]));
        } else {
            EXPECT_EQ(faze[i], ocekavane[i]) << i;
        }
    }
    // 1 / (z - 0.5)^3 turns by -540 degrees from w = 0 to pi; the report follows it smoothly.
    const std::vector<double> w = frekvenceZpravy();
    ASSERT_EQ(w.size(), 256u);
    EXPECT_DOUBLE_EQ(w.front(), 1e-3 * PI);
    EXPECT_EQ(w.back(), PI);
    std::ostringstream telo;
    zapisFrekvence(telo, frekvencePodilu(polynom({1}), polynom({-0.125, 0.75, -1.5, 1}), w), w);
    std::vector<double> db, f;
    sloupce(telo.str(), 0, db, f);
    ASSERT_EQ(f.size(), 256u);
    EXPECT_EQ(telo.str().substr(0, telo.str().find('\n')), "w;zesileni y1/u1 [dB];faze y1/u1 [st]");
    for (std::size_t k = 1; k < f.size(); ++k) EXPECT_LT(std::fabs(f[k] - f[k - 1]), 30.0) << k;
    EXPECT_NEAR(f.back(), -540.0, 1e-3);
    EXPECT_NEAR(db.back(), -20 * std::log10(3.375), 1e-4);
}

// 1 / (z - 1): finite at every listed w (the lowest is 1e-3 pi, not 0), growing as w falls
// like |1 / (e^{jw} - 1)| = 1 / (2 sin(w / 2)), phase -90 - w/2 degrees. A pole at -1 is met
// exactly at w = pi: magnitude inf, phase nan, and the line is there.
TEST(Frekvence, PolesOnTheCircleAtAndBelowTheListedFrequencies) {
    const std::vector<double> w = frekvenceZpravy();
    std::ostringstream telo;
    zapisFrekvence(telo, frekvencePodilu(polynom({1}), polynom({-1, 1}), w), w);
    std::vector<double> db, faze;
    sloupce(telo.str(), 0, db, faze);
    ASSERT_EQ(db.size(), 256u);
    for (std::size_t k = 0; k < w.size(); ++k) {
        EXPECT_NEAR(db[k], -20 * std::log10(2 * std::sin(w[k] / 2)), 1e-4 * std::max(1.0, std::fabs(db[k])));
        EXPECT_NEAR(faze[k], -90 - w[k] * 90 / PI, 1e-3 * std::max(1.0, std::fabs(faze[k])));
    }
    EXPECT_NEAR(db.front(), 50.06, 0.01);

    Matrix<Polynom> A(2, 2, Matrix<Polynom>::ZEROS), B(2, 2, Matrix<Polynom>::ZEROS);
    A(0, 0) = polynom({1, 1});
    A(1, 1) = polynom({-0.5, 1});
    B(0, 0) = B(1, 1) = polynom({1});
    Matrix<double> F(2, 2, Matrix<double>::ZEROS), G(2, 1, Matrix<double>::ONES), H(1, 2, Matrix<double>::ONES),
        L(1, 1, Matrix<double>::ZEROS);
    F(0, 0) = 0.5;
    F(0, 1) = 3.0;
    F(1, 1) = -1.0;
    const FrekvencniOdezva odezvy[] = {frekvencePodilu(polynom({1}), polynom({1, 1}), w),
                                       frekvenceMaticovehoZlomku(A, B, w), frekvenceStavu(F, G, H, L, w)};
    for (const FrekvencniOdezva& odezva : odezvy) {
        std::ostringstream text;
        zapisFrekvence(text, odezva, w);
        const std::string zprava = text.str();
        EXPECT_EQ(std::count(zprava.begin(), zprava.end(), '\n'), 257);
        const std::string posledni = zprava.substr(zprava.rfind('\n', zprava.size() - 2) + 1);
        EXPECT_EQ(posledni.substr(0, 15), "3,14159;inf;nan") << posledni;
        EXPECT_FALSE(odezva.singularni[254]);
    }
}

}  // namespace
