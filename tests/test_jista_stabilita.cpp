// Stability verdicts against truths known by construction: polynomials built from chosen roots
// (integer or decimal coefficients), matrices whose eigenvalues are fixed by their form. Every
// verdict is checked on the exact path and on the floating-point certificate separately (the
// certificate may leave a case open, but never contradict the truth), and through the system
// classes.
#include <gtest/gtest.h>

#include <flint/fmpq.h>

#include <complex>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "JistaStabilita.h"
#include "ModulVerdikt.h"
#include "KorenyPolynomu.h"
#include "ModulObaly.h"
#include "RychlyCertifikat.h"
#include "System.h"

namespace {
namespace test_jista_stabilita {

namespace {

using Koeficienty = std::vector<long>;

CelyPolynom krat(const CelyPolynom& a, const CelyPolynom& b) {
    CelyPolynom c;
    fmpz_poly_mul(c.get(), a.get(), b.get());
    return c;
}

CelyPolynom mocnina(const CelyPolynom& a, unsigned long k) {
    CelyPolynom c;
    fmpz_poly_pow(c.get(), a.get(), k);
    return c;
}

CelyPolynom z(const Koeficienty& k) { return CelyPolynom::zCelych(k); }

// (z - r)(z - conj r) for r = radius * (0.6 + 0.8i), radius = 1 + d * 10^-9, scaled by 10^18.
CelyPolynom parNaPolomeru(long d) {
    const long r = 1000000000L + d;  // radius * 10^9
    CelyPolynom p;
    fmpz_t c;
    fmpz_init(c);
    fmpz_set_si(c, r);
    fmpz_mul_si(c, c, r);
    fmpz_poly_set_coeff_fmpz(p.get(), 0, c);  // radius^2 * 10^18
    fmpz_set_si(c, r);
    fmpz_mul_si(c, c, -1200000000L);  // -2 * 0.6 * radius * 10^18
    fmpz_poly_set_coeff_fmpz(p.get(), 1, c);
    fmpz_set_si(c, 1000000000L);
    fmpz_mul_si(c, c, 1000000000L);
    fmpz_poly_set_coeff_fmpz(p.get(), 2, c);
    fmpz_clear(c);
    return p;
}

// z^k - (1 + d 10^-9), times 10^9.
CelyPolynom mocninaMinus(long k, long d) {
    CelyPolynom p;
    fmpz_poly_set_coeff_si(p.get(), k, 1000000000L);
    fmpz_poly_set_coeff_si(p.get(), 0, -(1000000000L + d));
    return p;
}

std::vector<std::string> texty(const CelyPolynom& p) {
    std::vector<std::string> vysledek;
    for (long k = 0; k <= p.stupen(); ++k) {
        char* text = fmpz_get_str(nullptr, 10, p.get()->coeffs + k);
        vysledek.emplace_back(text);
        flint_free(text);
    }
    return vysledek;
}

std::vector<double> hodnoty(const std::vector<std::string>& t) {
    std::vector<double> v;
    for (const std::string& s : t) v.push_back(std::strtod(s.c_str(), nullptr));
    return v;
}

struct PripadPolynomu {
    const char* nazev;
    std::vector<std::string> koeficienty;  // from power 0 up, as written
    bool stabilni;
    bool doublyNaDruheStrane = false;  // the doubles of the coefficients get the other verdict
};

std::vector<PripadPolynomu> pripadyPolynomu() {
    const CelyPolynom zMinus1 = z({-1, 1});
    return {
        {"(z-1)^8 - 1e-12", texty([&] {
             CelyPolynom p = mocnina(zMinus1, 8);
             fmpz_poly_scalar_mul_si(p.get(), p.get(), 1000000000000L);
             fmpz_poly_set_coeff_si(p.get(), 0, 1000000000000L - 1);
             return p;
         }()), false},
        {"(z-1)^30 - 1e-5", texty([&] {
             CelyPolynom p = mocnina(zMinus1, 30);
             fmpz_poly_scalar_mul_si(p.get(), p.get(), 100000);
             CelyPolynom posun = z({-1});
             fmpz_poly_add(p.get(), p.get(), posun.get());
             return p;
         }()), false},
        {"(z^2+1)^17", texty(mocnina(z({1, 0, 1}), 17)), true},
        {"(z^2-z+1)^14", texty(mocnina(z({1, -1, 1}), 14)), true},
        {"(z-1)^3 (z+1)^2 (2z-1)", texty(krat(krat(mocnina(zMinus1, 3), mocnina(z({1, 1}), 2)), z({-1, 2}))), true},
        {"z - 1.0000000001", texty(z({-10000000001L, 10000000000L})), false},
        {"z - 0.9999999999", texty(z({-9999999999L, 10000000000L})), true},
        {"pair at radius 1 + 1e-9", texty(parNaPolomeru(1)), false},
        {"pair at radius 1 - 1e-9", texty(parNaPolomeru(-1)), true},
        {"pair on the circle", texty(parNaPolomeru(0)), true},
        {"(z-1)(z-1.0000000002)", texty(krat(zMinus1, z({-5000000001L, 5000000000L}))), false},
        {"1e-9 inside and outside", texty(krat(z({-999999999L, 1000000000L}), z({-1000000001L, 1000000000L}))), false},
        {"z^200 - 1", texty(mocninaMinus(200, 0)), true},
        {"z^200 - (1 + 1e-9)", texty(mocninaMinus(200, 1)), false},
        {"z^200 - (1 - 1e-9)", texty(mocninaMinus(200, -1)), true},
        {"(z^2+1)^3 (z - 1.0000000001)",
         texty(krat(mocnina(z({1, 0, 1}), 3), z({-10000000001L, 10000000000L}))), false},
        {"z^3 (z^4 - 1)", texty(krat(z({0, 0, 0, 1}), z({-1, 0, 0, 0, 1}))), true},
        {"constant", texty(z({7})), true},
        // Decimals whose doubles move the root near 1 across the circle.
        {"(z - 1.000000000001)(z - 0.999997999999)", {"0.999997999999999997999999", "-1.999998", "1"}, false, true},
        {"(z - 0.999999999999)(z - 0.999998)", {"0.999997999999000002", "-1.999997999999", "1"}, true, true},
        // A pair z, 1/z off the circle and a pair on it, both in the common factor with the reversal.
        {"(z - 1.25)(z - 0.8)", {"1", "-2.05", "1"}, false},
        {"z^2 - 1.95 z + 1", {"1", "-1.95", "1"}, true},
    };
}

std::vector<std::string> textyDoublu(const std::vector<double>& a) {
    std::vector<std::string> t;
    for (double x : a) t.push_back(presnyText(x));
    return t;
}

TEST(JistaStabilita, PolynomialsFromChosenRootsGetTheirTrueVerdictOnEveryPath) {
    for (const PripadPolynomu& pripad : pripadyPolynomu()) {
        SCOPED_TRACE(pripad.nazev);
        EXPECT_EQ(presnyVerdikt(polynomZTextu(pripad.koeficienty)), pripad.stabilni);

        const std::vector<double> a = hodnoty(pripad.koeficienty);
        if (pripad.doublyNaDruheStrane) {
            EXPECT_NE(presnyVerdikt(polynomZTextu(textyDoublu(a))), pripad.stabilni);
        }
        const std::optional<bool> rychly = certifikatKorenu(a, CHYBA_CTENI, korenyPolynomu(a));
        if (rychly) {
            EXPECT_EQ(*rychly, pripad.stabilni);
        }

        if (a.size() < 2) continue;
        CLDDS_Vnejsi_SISO system(Polynom(a.data(), static_cast<int>(a.size())), Polynom(1.0));
        PresnaMatice presne;
        presne.novyTvar(1, 1);
        presne.pridejPrvek(pripad.koeficienty);
        system.nastavPresne(PresnyVnejsi{presne, PresnaMatice()});
        EXPECT_EQ(system.stabilni(), pripad.stabilni);
    }
}

// Every root of these comes with its mirror 1/conj(z): the common factor with the reversal holds
// them all and leaves nothing for the discs or the isolation, so only that factor can tell that
// the pairs off the circle put a root outside.
TEST(JistaStabilita, PairsMirroredInTheCircleAreJudgedByTheCommonFactorWithTheReversal) {
    const struct {
        const char* nazev;
        CelyPolynom p;
        long naKruznici;
    } pripady[] = {
        {"(z - 2)(2z - 1)", z({2, -5, 2}), 0},
        {"(z^2 - 2z + 2)(2z^2 - 2z + 1): 1 +- i and (1 +- i)/2", krat(z({2, -2, 1}), z({1, -2, 2})), 0},
        {"(z - 2)(2z - 1)(z^2 + z + 1): and a pair on the circle", krat(z({2, -5, 2}), z({1, 1, 1})), 2},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        const RozborPolu rozbor = rozeber(pripad.p);
        ASSERT_EQ(rozbor.cinitele.size(), 1u);
        EXPECT_EQ(rozbor.cinitele[0].casti.h.stupen(), 0);
        EXPECT_EQ(rozbor.cinitele[0].naKruznici, pripad.naKruznici);
        EXPECT_FALSE(verdiktRozboru(rozbor));
    }
}

TEST(JistaStabilita, ZeroPolynomialIsNeverStable) { EXPECT_FALSE(presnyVerdikt(CelyPolynom())); }

// Coefficients across the whole range of double: roots from 1e-154 to beyond 1e308, some within
// 1e-300 of the circle.
TEST(JistaStabilita, CoefficientsOfAnySizeGetTheirVerdict) {
    auto mocniny = [](std::vector<std::pair<int, const char*>> cleny) {
        std::vector<std::string> k(static_cast<std::size_t>(cleny.back().first + 1), "0");
        for (const auto& [mocnina, text] : cleny) k[static_cast<std::size_t>(mocnina)] = text;
        return k;
    };
    const struct {
        const char* nazev;
        std::vector<std::string> koeficienty;
        bool stabilni;
    } pripady[] = {
        {"(z^13 + 1)(1e308 z^2 - 1)", mocniny({{0, "-1"}, {2, "1e308"}, {13, "-1"}, {15, "1e308"}}), true},
        {"a root near -1e309", mocniny({{0, "-1"}, {2, "1e308"}, {15, "1e308"}, {16, "0.1"}}), false},
        {"1e-300 + 1.7976931348623157e308 z^20", mocniny({{0, "1e-300"}, {20, "1.7976931348623157e308"}}), true},
        {"1.7976931348623157e308 + 1e-300 z^20", mocniny({{0, "1.7976931348623157e308"}, {20, "1e-300"}}), false},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        EXPECT_EQ(presnyVerdikt(polynomZTextu(pripad.koeficienty)), pripad.stabilni);
    }
}

// Approximations on the wrong side of the circle: the disc around each reaches across it, so
// the certificate must weigh the disc, not the approximation.
TEST(JistaStabilita, CertificateWeighsTheDiscsNotTheApproximations) {
    using K = std::complex<double>;
    const struct {
        const char* nazev;
        std::vector<double> a;
        std::vector<K> odhady;
        bool stabilni;
    } pripady[] = {
        {"root 1.1 taken for 0.9", {-1.1, 1}, {0.9}, false},
        {"root 0.9 taken for 1.1", {-0.9, 1}, {1.1}, true},
        {"+-1.1i taken for +-0.9i", {1.21, 0, 1}, {K(0, 0.9), K(0, -0.9)}, false},
        {"+-0.9i taken for +-1.1i", {0.81, 0, 1}, {K(0, 1.1), K(0, -1.1)}, true},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        const std::optional<bool> verdikt = certifikatKorenu(pripad.a, CHYBA_CTENI, pripad.odhady);
        EXPECT_TRUE(!verdikt || *verdikt == pripad.stabilni);
    }
}

// Roots 1e-100 off the circle: the isolating balls of the first precisions straddle it, and only
// a ball wholly inside or outside places a root.
TEST(JistaStabilita, IsolationPlacesRootsJustOffTheCircle) {
    // (z - (1 + d 10^-100))(2z - 1) times 10^100
    const auto blizko = [](long d) {
        CelyPolynom p;
        fmpz_poly_set_str(p.get(), "2  -1 1");
        CeleCislo mocnina;
        fmpz_set_ui(mocnina.get(), 10);
        fmpz_pow_ui(mocnina.get(), mocnina.get(), 100);
        fmpz_poly_scalar_mul_fmpz(p.get(), p.get(), mocnina.get());
        fmpz_sub_si(p.get()->coeffs, p.get()->coeffs, d);
        return krat(p, z({-1, 2}));
    };
    const struct {
        const char* nazev;
        CelyPolynom h;
        PolohaKorenu poloha;
    } pripady[] = {
        {"1 + 1e-100", blizko(1), PolohaKorenu::NektereVne},
        {"1 - 1e-100", blizko(-1), PolohaKorenu::VsechnyUvnitr},
        {"pair at radius 1 + 1e-9", parNaPolomeru(1), PolohaKorenu::NektereVne},
        {"pair at radius 1 - 1e-9", parNaPolomeru(-1), PolohaKorenu::VsechnyUvnitr},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        EXPECT_EQ(polohaIzolaci(pripad.h), pripad.poloha);
    }
}

TEST(JistaStabilita, CertificateDecidesRootsClearOfTheCircle) {
    // Random real roots and pairs with magnitudes in [0.2, 0.9] or one at 1.1: the fast path
    // alone must give the verdict.
    std::mt19937 gen(17);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int pokus = 0; pokus < 60; ++pokus) {
        const bool stabilni = pokus % 2 == 0;
        std::vector<std::complex<double>> koreny;
        for (int i = 0; i < 3 + pokus % 20; ++i) {
            const double r = i == 0 && !stabilni ? 1.1 : 0.2 + 0.7 * u(gen);
            koreny.push_back(std::polar(r, 3.0 * u(gen)));
        }
        std::vector<std::complex<double>> c{1.0};
        for (const std::complex<double>& k : koreny)
            for (const std::complex<double>& kk : {k, std::conj(k)}) {
                c.push_back(0.0);
                for (std::size_t j = c.size() - 1; j > 0; --j) c[j] = c[j - 1] - kk * c[j];
                c[0] *= -kk;
            }
        std::vector<double> a;
        for (const std::complex<double>& x : c) a.push_back(x.real());
        const std::optional<bool> rychly = certifikatKorenu(a, CHYBA_CTENI, korenyPolynomu(a));
        ASSERT_TRUE(rychly.has_value()) << "case " << pokus;
        EXPECT_EQ(*rychly, stabilni) << "case " << pokus;
    }
}

// A state-space system of the rows of F as texts (B, C, D of no consequence).
CLDDS_Stav stav(const std::vector<std::vector<std::string>>& radky) {
    const int n = static_cast<int>(radky.size());
    Matrix<double> F(n, n, Matrix<double>::ZEROS);
    PresnaMatice presne;
    presne.novyTvar(n, n);
    for (int i = 0; i < n; ++i) {
        presne.pridejRadek(radky[static_cast<std::size_t>(i)]);
        for (int j = 0; j < n; ++j) F(i, j) = std::strtod(radky[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)].c_str(), nullptr);
    }
    CLDDS_Stav s(F, Matrix<double>(n, 1, Matrix<double>::ONES), Matrix<double>(1, n, Matrix<double>::ONES),
                 Matrix<double>(1, 1, Matrix<double>::ZEROS), Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
    s.nastavPresne(PresnyStav{presne, PresnaMatice(), PresnaMatice(), PresnaMatice()});
    return s;
}

// A cycle through k states with one edge of weight w: F^k = w I, so the eigenvalues are
// w^(1/k) times the k-th roots of unity.
std::vector<std::vector<std::string>> vazenyCyklus(int k, const std::string& w) {
    std::vector<std::vector<std::string>> F(static_cast<std::size_t>(k), std::vector<std::string>(static_cast<std::size_t>(k), "0"));
    for (int i = 0; i < k; ++i) F[static_cast<std::size_t>(i)][static_cast<std::size_t>((i + 1) % k)] = i == 0 ? w : "1";
    return F;
}

// S J S^-1 for J with Jordan blocks of eigenvalue -1 (order 3) and 1 (order 2) and S a
// product of integer shears (determinant 1, so S^-1 is integral too).
std::vector<std::vector<std::string>> skryteJordanovyBloky() {
    constexpr int n = 5;
    std::vector<std::vector<long>> J(n, std::vector<long>(n, 0)), S(n, std::vector<long>(n, 0)), Si = S;
    for (int i = 0; i < 3; ++i) J[i][i] = -1;
    J[0][1] = J[1][2] = 1;
    J[3][3] = J[4][4] = 1;
    J[3][4] = 1;
    // S = I + N with N strictly upper triangular: S^-1 = I - N + N^2 - ...
    for (int i = 0; i < n; ++i) {
        S[i][i] = 1;
        for (int j = i + 1; j < n; ++j) S[i][j] = (i + 2 * j) % 3 - 1;
    }
    std::vector<std::vector<long>> N(n, std::vector<long>(n, 0)), mocninaN(n, std::vector<long>(n, 0));
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) N[i][j] = S[i][j];
    auto nasob = [](const std::vector<std::vector<long>>& A, const std::vector<std::vector<long>>& B) {
        std::vector<std::vector<long>> C(n, std::vector<long>(n, 0));
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < n; ++k)
                for (int j = 0; j < n; ++j) C[i][j] += A[i][k] * B[k][j];
        return C;
    };
    for (int i = 0; i < n; ++i) Si[i][i] = mocninaN[i][i] = 1;
    for (int k = 1; k < n; ++k) {
        mocninaN = nasob(mocninaN, N);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) Si[i][j] += (k % 2 ? -1 : 1) * mocninaN[i][j];
    }
    const std::vector<std::vector<long>> F = nasob(nasob(S, J), Si);
    std::vector<std::vector<std::string>> texty(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) texty[i].push_back(std::to_string(F[i][j]));
    return texty;
}

TEST(JistaStabilita, MatricesWithKnownEigenvaluesGetTheirTrueVerdictOnEveryPath) {
    const struct {
        const char* nazev;
        std::vector<std::vector<std::string>> F;
        bool stabilni;
        bool jisteRychle;  // clear of the circle: the floating-point certificate must decide
    } pripady[] = {
        {"triangular, 1.1 first", {{"1.1", "1000000", "1000000"}, {"0", "-0.9", "1000000"}, {"0", "0", "0.5"}}, false, false},
        {"triangular, 1.001 first", {{"1.001", "1000000", "1000000"}, {"0", "-0.9", "1000000"}, {"0", "0", "0.5"}}, false, false},
        {"triangular, 1.1 last", {{"0.5", "1e8", "1e8"}, {"0", "-0.9", "1e8"}, {"0", "0", "1.1"}}, false, false},
        {"triangular, all inside", {{"0.999", "1e8", "1e8"}, {"0", "-0.9", "1e8"}, {"0", "0", "0.5"}}, true, false},
        {"rotation by decimals", {{"0.6", "-0.8"}, {"0.8", "0.6"}}, true, false},
        {"Jordan blocks on the circle, hidden", skryteJordanovyBloky(), true, false},
        {"cycle of 5, weight 1", vazenyCyklus(5, "1"), true, false},
        {"cycle of 5, weight 1 + 1e-9", vazenyCyklus(5, "1.000000001"), false, false},
        {"cycle of 16, weight 1 - 1e-9", vazenyCyklus(16, "0.999999999"), true, false},
        {"cycle of 16, weight 1 + 1e-9", vazenyCyklus(16, "1.000000001"), false, false},
        {"cycle of 16, weight 0.5", vazenyCyklus(16, "0.5"), true, true},
        {"cycle of 4, weight 3", vazenyCyklus(4, "3"), false, true},
        {"nilpotent", {{"0", "5"}, {"0", "0"}}, true, true},
        {"rotation inside", {{"0.3", "-0.4"}, {"0.4", "0.3"}}, true, true},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        const int n = static_cast<int>(pripad.F.size());
        PresnaMatice presne;
        presne.novyTvar(n, n);
        std::vector<double> F;
        for (const auto& radek : pripad.F) {
            presne.pridejRadek(radek);
            for (const std::string& t : radek) F.push_back(std::strtod(t.c_str(), nullptr));
        }
        EXPECT_EQ(presnyVerdikt(charakteristickyPolynomPresne(presne)), pripad.stabilni);
        const std::optional<bool> rychly = certifikatMocnin(F, n, CHYBA_CTENI);
        if (rychly) {
            EXPECT_EQ(*rychly, pripad.stabilni);
        } else {
            EXPECT_FALSE(pripad.jisteRychle) << "the certificate should decide this one";
        }
        std::ostringstream nikam;
        EXPECT_EQ(stav(pripad.F).stavova_stabilita(nikam), pripad.stabilni);
    }
}

// A polynomial matrix from rows of cells, each cell its coefficients from power 0 up.
void maticeZTextu(const std::vector<std::vector<std::vector<std::string>>>& bunky, Matrix<Polynom>& A,
                  PresnaMatice& presne) {
    const int n = static_cast<int>(bunky.size());
    A = Matrix<Polynom>(n, n, Matrix<Polynom>::ZEROS);
    presne.novyTvar(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const std::vector<std::string>& t = bunky[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            const std::vector<double> a = hodnoty(t);
            A(i, j) = Polynom(a.data(), static_cast<int>(a.size()));
            presne.pridejPrvek(t);
        }
}

// The verdict of the system A^-1 I whose values as written are `presne`.
bool verdiktSystemu(const Matrix<Polynom>& A, const PresnaMatice& presne) {
    const int l = A.get_rows();
    Matrix<Polynom> B(l, l, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i) B(i, i) = Polynom(1.0);
    CLDDS_Vnejsi_MIMO system(A, B);
    system.nastavPresne(PresnyVnejsi{presne, PresnaMatice()});
    return system.stabilni();
}

TEST(JistaStabilita, DeterminantsWithKnownFactorsGetTheirTrueVerdict) {
    const struct {
        const char* nazev;
        std::vector<std::vector<std::vector<std::string>>> A;
        bool stabilni;
    } pripady[] = {
        {"diag(0.001z - 0.002): poles at 2", {{{"-0.002", "0.001"}, {"0"}}, {{"0"}, {"-0.002", "0.001"}}}, false},
        {"diag(1e-9 z - 0.9e-9)", {{{"-0.9e-9", "1e-9"}, {"0"}}, {{"0"}, {"-0.9e-9", "1e-9"}}}, true},
        {"[[z, 1], [-1, z]]: z^2 + 1", {{{"0", "1"}, {"1"}}, {{"-1"}, {"0", "1"}}}, true},
        {"[[z - 0.5, 0.25], [0, z - 1]]", {{{"-0.5", "1"}, {"0.25"}}, {{"0"}, {"-1", "1"}}}, true},
        {"[[z^2 - 1, 1], [0, z^2 - 1.0000000002]]",
         {{{"-1", "0", "1"}, {"1"}}, {{"0"}, {"-1.0000000002", "0", "1"}}}, false},
        {"coupled: det = z^2 + 0.3", {{{"0", "1"}, {"0.3"}}, {{"-1"}, {"0", "1"}}}, true},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        Matrix<Polynom> A;
        PresnaMatice presne;
        maticeZTextu(pripad.A, A, presne);
        EXPECT_EQ(presnyVerdikt(determinantPresne(presne)), pripad.stabilni);
        EXPECT_EQ(verdiktSystemu(A, presne), pripad.stabilni);
    }
}

// The integer of a decimal's digits: its value times 10^(number of decimals).
void cislice(CeleCislo& x, std::string text) {
    text.erase(text.find('.'), 1);
    fmpz_set_str(x.get(), text.c_str(), 10);
}

// det A = L1 L2 z^2 + b c for A = [[L1 z, b], [-c, L2 z]]: poles +-i sqrt(b c / (L1 L2)). These
// decimals put the poles just outside the circle; the entries of the block companion matrix,
// the rounded quotients b/L1 and c/L2 of their doubles, put them 2.6 units of roundoff inside.
// Each quotient lies almost three roundings (both readings and the division) from the value as
// written, more than the certificate's allowance for its own arithmetic absorbs: a certificate
// that took the quotients for exact decides "stable" (checked below), so only the allowance for
// reading keeps it undecided and leaves the verdict to the exact path.
TEST(JistaStabilita, DoublesInsideTheCircleDoNotHideDecimalsOutsideIt) {
    const std::string L1 = "1.00000002846228130959360669295", b = "1.00000004031325795406104361973",
                      c = "1.00000001116107040122216176314", L2 = "1.00000002301204682364499376491";
    CeleCislo x, y, bc, L1L2;
    cislice(x, b);
    cislice(y, c);
    fmpz_mul(bc.get(), x.get(), y.get());
    cislice(x, L1);
    cislice(y, L2);
    fmpz_mul(L1L2.get(), x.get(), y.get());
    EXPECT_GT(fmpz_cmp(bc.get(), L1L2.get()), 0);  // b c > L1 L2: every text has 29 decimals

    const double horni = std::strtod(b.c_str(), nullptr) / std::strtod(L1.c_str(), nullptr);
    const double dolni = std::strtod(c.c_str(), nullptr) / std::strtod(L2.c_str(), nullptr);
    EXPECT_LT(std::fma(horni, dolni, -1.0), 0.0);
    EXPECT_EQ(certifikatMocnin({0.0, -horni, dolni, 0.0}, 2, 0.0), std::optional<bool>(true));

    Matrix<Polynom> A;
    PresnaMatice presne;
    maticeZTextu({{{"0", L1}, {b}}, {{"-" + c}, {"0", L2}}}, A, presne);
    EXPECT_FALSE(verdiktSystemu(A, presne));
}

TEST(PresnaAritmetika, NumberTextsKeepTheValueTheySpell) {
    const struct {
        const char* text;
        const char* hodnota;  // numerator/denominator
    } pripady[] = {
        {"1.00000000000000000001", "100000000000000000001/100000000000000000000"},
        {"-2.5e-3", "-1/400"},
        {".5", "1/2"},
        {"7.", "7"},
        {"1e-400", "0"},  // below the range of double: read as 0
        {"-0", "0"},
        {"0x1.8p-3", "3/16"},
        {"-0x1.999999999999ap-4", "-3602879701896397/36028797018963968"},
        {"12e2", "1200"},
    };
    fmpq_t hodnota, ocekavana;
    fmpq_init(hodnota);
    fmpq_init(ocekavana);
    for (const auto& pripad : pripady) {
        nactiRacionalni(hodnota, pripad.text);
        fmpq_set_str(ocekavana, pripad.hodnota, 10);
        EXPECT_TRUE(fmpq_equal(hodnota, ocekavana)) << pripad.text;
    }
    fmpq_clear(hodnota);
    fmpq_clear(ocekavana);
    // The exact text of a double reads back as that double.
    for (double x : {0.1, -1e-300, 123456.789, 5e-324}) {
        nactiRacionalni(hodnota, presnyText(x));
        EXPECT_EQ(fmpq_get_d(hodnota), x) << presnyText(x);
    }
}

}  // namespace

}  // namespace test_jista_stabilita
}  // namespace
