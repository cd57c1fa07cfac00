// Conversions between the descriptions are exact for the values as written and rounded once:
// integer data gives integer coefficients to the last digit, whatever the size of the system,
// and a coefficient beyond the range of double refuses the conversion.
#include <gtest/gtest.h>

#include <flint/fmpz_mat.h>
#include <flint/fmpz_poly.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "MalePrevody.h"
#include "ModulAritmetika.h"
#include "ModulCharakteristicky.h"
#include "ModulPrevod.h"
#include "Vyjimky.h"
#include "ZadaniPresnosti.h"

namespace {
namespace test_presne_prevody {

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
    CelaMatice A(n, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) fmpz_set_si(A.prvek(i, j), M[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    CelyPolynom p;
    fmpz_mat_charpoly(p.get(), A.get());
    std::vector<double> c;
    for (long k = 0; k <= n; ++k) c.push_back(fmpz_get_d(p.get()->coeffs + k));
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

// The exact core against FLINT's rational routines, which it replaces by multimodular
// computations over the integers: the same polynomials, coefficient for coefficient.
namespace {

using Texty = std::vector<std::vector<std::string>>;

PresnaMatice zTextu(const Texty& radky) {
    PresnaMatice M;
    M.novyTvar(static_cast<int>(radky.size()), radky.empty() ? 0 : static_cast<int>(radky.front().size()));
    for (const auto& r : radky) M.pridejRadek(r);
    return M;
}

// det(zI - F) as the rational routine gives it, made an integer primitive polynomial.
CelyPolynom charakteristickyRacionalne(const PresnaMatice& F) {
    const long n = F.get_rows();
    RacionalniMatice Q(n, n);
    nactiMatici(Q, F, 0);
    RacionalniPolynom p;
    fmpq_mat_charpoly(p.get(), Q.get());
    CelyPolynom c;
    fmpq_poly_get_numerator(c.get(), p.get());
    fmpz_poly_primitive_part(c.get(), c.get());
    return c;
}

// Random texts of every form the readers take: short decimals, long integers, tiny and
// huge exponents, the hexadecimal form of a double, zeros.
std::string nahodnyText(std::mt19937& gen) {
    std::uniform_int_distribution<int> druh(0, 7), cislice(-999, 999);
    switch (druh(gen)) {
        case 0: return std::to_string(cislice(gen));
        case 1: return std::to_string(cislice(gen)) + "e-3";
        case 2: return std::to_string(cislice(gen)) + "123456789012345678901";
        case 3: return "0." + std::to_string(std::abs(cislice(gen))) + "e-40";
        case 4: return presnyText(cislice(gen) / 7.0);
        case 5: return std::to_string(cislice(gen) % 3) + ".5e30";
        default: return "0";
    }
}

Texty nahodna(std::mt19937& gen, int n) {
    Texty r(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(n)));
    for (auto& radek : r)
        for (auto& x : radek) x = nahodnyText(gen);
    return r;
}

Texty vzor(int n, const std::function<std::string(int, int)>& prvek) {
    Texty r(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(n)));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) r[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = prvek(i, j);
    return r;
}

}  // namespace

TEST(PresneJadro, CharacteristicPolynomialMatchesTheRationalRoutine) {
    std::mt19937 gen(31);
    std::vector<Texty> matice;
    for (int n : {1, 2, 3, 7, 16, 30}) matice.push_back(nahodna(gen, n));
    matice.push_back(vzor(40, [](int i, int j) { return j == (i * 7 + 3) % 40 ? "1" : "0"; }));   // permutation
    matice.push_back(vzor(33, [](int i, int j) { return std::to_string(1 + (i * 31 + j * 17) % 9); }));  // digits
    matice.push_back(vzor(12, [](int, int) { return "0"; }));
    // Sylvester's Hadamard matrix: orthogonal rows, so the determinant meets Hadamard's bound.
    matice.push_back(vzor(32, [](int i, int j) { return __builtin_popcount(static_cast<unsigned>(i & j)) % 2 ? "-1" : "1"; }));
    // The same plus 7 everywhere: det = 8 det(H), within 3 bits of the bound shifted by the mean.
    matice.push_back(vzor(32, [](int i, int j) { return __builtin_popcount(static_cast<unsigned>(i & j)) % 2 ? "6" : "8"; }));
    matice.push_back(vzor(9, [](int i, int j) { return i == j ? "-0.3" : j == i + 1 ? "1" : "0"; }));  // Jordan block
    matice.push_back(vzor(25, [](int i, int j) { return std::to_string((i + 1) * (j % 5 - 2)) + ".25"; }));  // rank two
    matice.push_back(vzor(6, [](int i, int j) { return i == j ? (i % 2 ? "1e300" : "1e-300") : "0"; }));
    matice.push_back(vzor(5, [](int i, int j) { return std::to_string(i - j) + "e-200"; }));
    matice.push_back(vzor(28, [](int i, int j) { return i >= j ? "-123456789.987654321" : "0"; }));
    for (const Texty& t : matice) {
        const PresnaMatice F = zTextu(t);
        EXPECT_EQ(charakteristickyPolynomPresne(F), charakteristickyRacionalne(F)) << "order " << F.get_rows() << ", " << t[0][0];
        // The bound that sets the number of primes holds every coefficient of the integer matrix.
        const long n = F.get_rows();
        CelaMatice M(n, n);
        CeleCislo E;
        celaMatice(F, M, E.get());
        CelyPolynom q;
        fmpz_mat_charpoly(q.get(), M.get());
        const std::vector<long> meze = mezeCharakteristickeho(M);
        for (long j = 0; j <= n; ++j)
            EXPECT_LE(static_cast<long>(fmpz_bits(q.get()->coeffs + n - j)), meze[static_cast<std::size_t>(j)]) << "order " << n << ", j " << j;
    }
}

// det(A_1 z + A_0) against the determinant of the polynomial matrix itself.
TEST(PresneJadro, DeterminantOfDegreeOneMatchesThePolynomialDeterminant) {
    std::mt19937 gen(32);
    std::uniform_int_distribution<int> male(-3, 3);
    for (int n : {1, 3, 6, 30}) {
        for (int pripad = 0; pripad < 3; ++pripad) {
            PresnaMatice A;
            A.novyTvar(n, n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    // Case 0: A_1 = I and a permutation; 1: random decimal A_1; 2: A_1 singular.
                    const std::string a1 = pripad == 0 ? (i == j ? "1" : "0")
                                           : pripad == 1 ? std::to_string(male(gen)) + ".5"
                                                         : std::to_string(i == 0 ? 0 : male(gen));
                    const std::string a0 = pripad == 0 ? (j == (i + 1) % n ? "1" : "0") : std::to_string(male(gen)) + "e-2";
                    A.pridejPrvek({a0, a1});
                }
            PolynomialniMatice M(n, n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    RacionalniPolynom p;
                    nactiPolynom(p, A.prvek(i, j));
                    fmpq_poly_scalar_mul_si(p.get(), p.get(), 100);  // every denominator divides 100
                    fmpq_poly_get_numerator(M.prvek(i, j), p.get());
                }
            CelyPolynom ocekavany;
            fmpz_poly_mat_det(ocekavany.get(), M.get());
            if (!fmpz_poly_is_zero(ocekavany.get())) fmpz_poly_primitive_part(ocekavany.get(), ocekavany.get());
            EXPECT_EQ(determinantPresne(A), ocekavany) << "order " << n << ", case " << pripad;
        }
    }
}

namespace {

// The answer of a conversion to the external description computed with the rational routines:
// A = det(zI - F), B = det(zI - F + G H) - A + L A, each coefficient rounded once.
std::string prenosRacionalne(const PresnaMatice& F, const PresnaMatice& G, const PresnaMatice& H, const PresnaMatice& L) {
    const long n = F.get_rows();
    RacionalniMatice Fq(n, n), Gq(n, 1), Hq(1, n), vazba(n, n), GH(n, n);
    nactiMatici(Fq, F, 0);
    nactiMatici(Gq, G, 0);
    nactiMatici(Hq, H, 0);
    Racionalni l;
    nactiKoeficient(l.get(), L, 0, 0, 0);
    fmpq_mat_mul(GH.get(), Gq.get(), Hq.get());
    fmpq_mat_sub(vazba.get(), Fq.get(), GH.get());
    RacionalniPolynom A, B, LA;
    fmpq_mat_charpoly(A.get(), Fq.get());
    fmpq_mat_charpoly(B.get(), vazba.get());
    fmpq_poly_sub(B.get(), B.get(), A.get());
    fmpq_poly_scalar_mul_fmpq(LA.get(), A.get(), l.get());
    fmpq_poly_add(B.get(), B.get(), LA.get());
    bool vRozsahu = true;
    auto blok = [&vRozsahu](const fmpq_poly_struct* p) {
        std::vector<std::string> koeficienty;
        Racionalni c;
        for (long k = 0; k < std::max(fmpq_poly_length(p), 1L); ++k) {
            fmpq_poly_get_coeff_fmpq(c.get(), p, k);
            bool konecne = true;
            koeficienty.push_back(zaokrouhlenyText(c.get(), konecne));
            vRozsahu = vRozsahu && konecne;
        }
        PresnaMatice M;
        M.novyTvar(1, 1);
        M.pridejPrvek(koeficienty);
        return M;
    };
    const PresnaMatice bA = blok(A.get()), bB = blok(B.get());
    if (!vRozsahu) return "!Koeficient vysledku prevodu presahuje rozsah cisel double\n";
    return zadani::zapis(zadani::VYSLEDEK, {&bA, &bB});
}

std::string ulohaNaVnejsi(const PresnaMatice& F, const PresnaMatice& G, const PresnaMatice& H, const PresnaMatice& L) {
    return zadani::zapis(zadani::NA_VNEJSI, {&F, &G, &H, &L});
}

}  // namespace

// Above 16 states one channel takes the determinant lemma over the integers, with one common
// denominator for F and the products G H: decimals of different lengths in every block (the
// random texts of order 17 leave the range of double and are refused by both).
TEST(PresneJadro, SingleChannelConversionMatchesTheRationalRoutine) {
    std::mt19937 gen(33);
    std::uniform_int_distribution<int> cislo(-99, 99);
    for (int n : {17, 24, 30, 40}) {
        Texty f = nahodna(gen, n), g(static_cast<std::size_t>(n)), h(1);
        if (n == 24 || n == 40) f = vzor(n, [&](int i, int j) { return std::to_string(cislo(gen)) + (i == j ? ".5" : "e-1"); });
        // Sparse: a cycle with a few couplings, whose products by F run over the non-zero entries.
        if (n == 30) f = vzor(n, [](int i, int j) { return j == (i + 1) % 30 ? "0.5" : i == j && i % 3 == 0 ? "-0.25" : "0"; });
        for (int i = 0; i < n; ++i) {
            g[static_cast<std::size_t>(i)] = {std::to_string(cislo(gen)) + "e-3"};
            h[0].push_back(std::to_string(cislo(gen)) + ".25");
        }
        const PresnaMatice F = zTextu(f), G = zTextu(g), H = zTextu(h), L = zTextu({{"-0.7"}});
        EXPECT_EQ(presnyPrevod(ulohaNaVnejsi(F, G, H, L)), prenosRacionalne(F, G, H, L)) << "order " << n;
    }
}

// A transfer function beyond the range of double is refused whether the bound of its
// coefficients lets the determinant decide up front or only the finished result shows it; a
// result within the range is never refused.
TEST(PresneJadro, ConversionBeyondTheRangeOfDoubleIsRefusedAndOneWithinIsNot) {
    const std::string odmitnuti = "!Koeficient vysledku prevodu presahuje rozsah cisel double\n";
    const PresnaMatice G = zTextu({{"1"}, {"0"}, {"0"}, {"0"}}), H = zTextu({{"1", "1", "0", "0"}}), L = zTextu({{"0"}});
    struct Pripad {
        Texty F;
        bool odmitnut;
    } pripady[] = {
        {vzor(4, [](int i, int j) { return std::to_string(1 + (i * 3 + j) % 5) + "e200"; }), true},  // det near 1e800
        {vzor(4, [](int i, int j) { return i == j ? (i < 2 ? "1e300" : "1e-300") : "0"; }), true},    // det 1, z^2 term 1e600
        {vzor(4, [](int i, int j) { return i == j ? (i < 1 ? "1e300" : "1e-300") : "0"; }), false},
        {vzor(4, [](int i, int j) { return i == j ? "1e250" : "0"; }), true},  // (z - 1e250)^4: constant 1e1000
        {vzor(4, [](int i, int j) { return i == j ? "1e70" : "0"; }), false},
        // The bound allows 1e400, the determinant is 0: A = z^4, B = z^3.
        {vzor(4, [](int i, int j) { return j > i ? "1e200" : "0"; }), false},
    };
    for (const Pripad& p : pripady) {
        const std::string odpoved = presnyPrevod(ulohaNaVnejsi(zTextu(p.F), G, H, L));
        EXPECT_EQ(odpoved == odmitnuti, p.odmitnut) << p.F[0][0] << ": " << odpoved.substr(0, 60);
        if (!p.odmitnut) {
            EXPECT_EQ(odpoved[0], zadani::VYSLEDEK);
        }
    }
}

// Small systems of short decimals convert in 128-bit integers without the module: the same
// doubles as the module's, to the last bit, and the module whenever a value does not fit.
namespace {

std::string kratke(std::mt19937& gen) {
    static const char* const tvary[] = {"0", "1", "-1", "0.5", "-0.25", "0.1", "-0.7", "2", "0.125", "-3.75", "1e-3",
                                        "0.333", "12.5", "-0.05", "7e2", "0.9999"};
    return tvary[gen() % (sizeof tvary / sizeof tvary[0])];
}

PresnaMatice nahodnyBlok(std::mt19937& gen, int r, int s) {
    PresnaMatice M;
    M.novyTvar(r, s);
    for (int i = 0; i < r; ++i) {
        std::vector<std::string> radek;
        for (int j = 0; j < s; ++j) radek.push_back(kratke(gen));
        M.pridejRadek(radek);
    }
    return M;
}

std::vector<double> hodnoty(const PresnaMatice& blok, int i, int j) {
    std::vector<double> v;
    for (const std::string& t : blok.prvek(i, j)) v.push_back(std::strtod(t.c_str(), nullptr));
    return v;
}

std::vector<double> koeficientyPolynomu(const Polynom& p) {
    std::vector<double> c;
    for (int k = 0; k <= p.get_stupen(); ++k) c.push_back(p[static_cast<std::size_t>(k)]);
    return c;
}

// The same doubles bit for bit (a -0 would be written "-0.0000").
bool stejneBity(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

}  // namespace

TEST(MalePrevody, TransferFunctionsAreTheModulesToTheLastBit) {
    std::mt19937 gen(41);
    int rychle = 0;
    for (int pokus = 0; pokus < 300; ++pokus) {
        const int n = 1 + pokus % 8, vstupy = 1 + pokus % 3, vystupy = 1 + (pokus / 3) % 2;
        PresnyStav stav{nahodnyBlok(gen, n, n), nahodnyBlok(gen, n, vstupy), nahodnyBlok(gen, vystupy, n),
                        nahodnyBlok(gen, vystupy, vstupy)};
        Polynom A;
        Matrix<Polynom> B;
        if (!malyPrenos(stav, A, B)) continue;
        ++rychle;
        const std::string odpoved = presnyPrevod(zadani::zapis(zadani::NA_VNEJSI, {&stav.F, &stav.G, &stav.H, &stav.L}));
        char druh = 0;
        std::vector<PresnaMatice> modul;
        ASSERT_TRUE(zadani::nacti(odpoved, druh, modul)) << odpoved;
        EXPECT_TRUE(stejneBity(koeficientyPolynomu(A), hodnoty(modul[0], 0, 0))) << "order " << n;
        for (int i = 0; i < vystupy; ++i)
            for (int j = 0; j < vstupy; ++j)
                EXPECT_TRUE(stejneBity(koeficientyPolynomu(B(i, j)), hodnoty(modul[1], i, j))) << "order " << n << " (" << i << ", " << j << ")";
    }
    // More than a third of them stay within the bounds (the denominator 10^(s n) of det(zI - F)
    // is the first to leave them).
    EXPECT_GT(rychle, 100);
}

TEST(MalePrevody, RealisationsAreTheModulesToTheLastBit) {
    std::mt19937 gen(42);
    int rychle = 0;
    for (int pokus = 0; pokus < 300; ++pokus) {
        const int n = 1 + pokus % 10;
        const PresnaMatice a = nahodnyBlok(gen, 1, n + 1), b = nahodnyBlok(gen, 1, 1 + pokus % (n + 1));
        PresnyVnejsi vnejsi;
        vnejsi.A.novyTvar(1, 1);
        std::vector<std::string> ka, kb;
        for (int k = 0; k <= n; ++k) ka.push_back(a.prvek(0, k).front());
        for (int k = 0; k < b.get_columns(); ++k) kb.push_back(b.prvek(0, k).front());
        vnejsi.A.pridejPrvek(ka);
        vnejsi.B.novyTvar(1, 1);
        vnejsi.B.pridejPrvek(kb);
        Matrix<double> F, G, H, L;
        if (!malaRealizace(vnejsi, F, G, H, L)) continue;
        ++rychle;
        const std::string odpoved = presnyPrevod(zadani::zapis(zadani::NA_STAV_SISO, {&vnejsi.A, &vnejsi.B}));
        char druh = 0;
        std::vector<PresnaMatice> modul;
        ASSERT_TRUE(zadani::nacti(odpoved, druh, modul)) << odpoved;
        const Matrix<double>* rychly[] = {&F, &G, &H, &L};
        for (int blok = 0; blok < 4; ++blok)
            for (int i = 0; i < modul[static_cast<std::size_t>(blok)].get_rows(); ++i)
                for (int j = 0; j < modul[static_cast<std::size_t>(blok)].get_columns(); ++j) {
                    const double x = (*rychly[blok])(i, j), y = hodnoty(modul[static_cast<std::size_t>(blok)], i, j).front();
                    EXPECT_TRUE(std::memcmp(&x, &y, sizeof x) == 0) << "block " << blok << " (" << i << ", " << j << "): " << x << " " << y;
                }
    }
    EXPECT_GT(rychle, 200);
}

// What does not fit goes to the module: a hexadecimal text, 19 digits, a power of ten beyond
// 127 bits, a quotient that is no quotient of two exact doubles.
TEST(MalePrevody, LeaveToTheModuleWhatDoesNotFit) {
    auto stav = [](const std::string& f) {
        return PresnyStav{zTextu({{f, "0.5"}, {"1", "0"}}), zTextu({{"1"}, {"0"}}), zTextu({{"0", "1"}}), zTextu({{"0"}})};
    };
    Polynom A;
    Matrix<Polynom> B;
    EXPECT_TRUE(malyPrenos(stav("0.3"), A, B));
    for (const char* f : {"0x1.8p+1", "1234567890123456789", "1e30", "0.12345678901234567"}) {
        EXPECT_FALSE(malyPrenos(stav(f), A, B)) << f;
    }
    PresnyVnejsi vnejsi{zTextu({{"1"}}), zTextu({{"1"}})};
    vnejsi.A.novyTvar(1, 1);
    vnejsi.A.pridejPrvek({"0.3", "0.7"});  // 1/0.7 = 10/7: numerator and denominator exact doubles
    vnejsi.B.novyTvar(1, 1);
    vnejsi.B.pridejPrvek({"1"});
    Matrix<double> F, G, H, L;
    EXPECT_TRUE(malaRealizace(vnejsi, F, G, H, L));
    vnejsi.A.novyTvar(1, 1);
    vnejsi.A.pridejPrvek({"0.3", "9007199254740993"});  // a_n of 54 bits
    EXPECT_FALSE(malaRealizace(vnejsi, F, G, H, L));
}

}  // namespace test_presne_prevody
}  // namespace
