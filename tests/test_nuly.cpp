// Zeros and static gain by construction: the determinant of the system matrix against FLINT's
// polynomial determinant of the same pencil, zeros of systems built from chosen zeros, and
// gains against the exact rational value computed here by another route (Cramer's rule at
// z = 1, each pair's own numerator and denominator around z = 1, or the Jordan form the
// system was built from).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <flint/fmpz_poly_mat.h>

#include "ModulNuly.h"
#include "ModulPoly.h"
#include "ModulZesileni.h"
#include "PolSystemu.h"
#include "ZadaniPresnosti.h"

namespace {
namespace test_nuly {

namespace {

using Hodnoty = std::vector<std::vector<std::string>>;  // rows of number texts

PresnaMatice blok(const Hodnoty& radky) {
    PresnaMatice b;
    b.novyTvar(static_cast<int>(radky.size()), radky.empty() ? 0 : static_cast<int>(radky[0].size()));
    for (const auto& r : radky) b.pridejRadek(r);
    return b;
}

// A matrix of polynomials, each element its coefficients from power 0 up.
PresnaMatice polynomy(const std::vector<std::vector<std::vector<std::string>>>& radky) {
    PresnaMatice b;
    b.novyTvar(static_cast<int>(radky.size()), static_cast<int>(radky[0].size()));
    for (const auto& r : radky)
        for (const auto& prvek : r) b.pridejPrvek(prvek);
    return b;
}

struct Stav {
    Hodnoty F, G, H, L;
};

std::vector<PresnaMatice> bloky(const Stav& s) { return {blok(s.F), blok(s.G), blok(s.H), blok(s.L)}; }

// The module's answer to a task asking `co` ("nuly" or "zesileni"), its one block read back;
// fails the test on a failure text.
PresnaMatice odpoved(const char* co, const std::vector<PresnaMatice>& b) {
    PresnaMatice ukol;
    ukol.novyTvar(1, 1);
    ukol.pridejPrvek({co});
    std::vector<const PresnaMatice*> u = {&ukol};
    for (const PresnaMatice& x : b) u.push_back(&x);
    char druh = 0;
    std::vector<PresnaMatice> vysledek;
    const std::string text = presneNulyZadani(zadani::zapis(zadani::NULY, u));
    EXPECT_TRUE(zadani::nacti(text, druh, vysledek)) << text;
    EXPECT_EQ(druh, zadani::VYSLEDEK) << text;
    return vysledek.size() == 1 ? vysledek[0] : PresnaMatice();
}

std::vector<Pol> nuly(const std::vector<PresnaMatice>& b) {
    std::vector<Pol> p;
    EXPECT_TRUE(polyZBloku(odpoved(zadani::NULY_NULY, b), p));
    return p;
}

std::vector<std::string> zesileni(const std::vector<PresnaMatice>& b) {
    const PresnaMatice v = odpoved(zadani::NULY_ZESILENI, b);
    std::vector<std::string> texty;
    for (int i = 0; i < v.get_rows(); ++i)
        for (int j = 0; j < v.get_columns(); ++j) texty.push_back(v.prvek(i, j).at(0));
    return texty;
}

std::unique_ptr<RacionalniMatice> racionalni(const Hodnoty& h) {
    const long r = static_cast<long>(h.size()), c = h.empty() ? 0 : static_cast<long>(h[0].size());
    auto M = std::make_unique<RacionalniMatice>(r, c);
    nactiMatici(*M, blok(h), 0);
    return M;
}

std::string text(long x) { return std::to_string(x); }

Hodnoty nahodna(std::mt19937& gen, int r, int c, int mez) {
    std::uniform_int_distribution<int> d(-mez, mez);
    Hodnoty h(static_cast<std::size_t>(r), std::vector<std::string>(static_cast<std::size_t>(c)));
    for (auto& radek : h)
        for (auto& x : radek) x = text(d(gen));
    return h;
}

// det [zI - F, -G; H, L] of an integer system by FLINT's determinant of polynomial matrices.
void determinantFlint(fmpz_poly_t det, const Stav& s) {
    const long n = static_cast<long>(s.F.size()), m = static_cast<long>(s.H.size()), N = n + m;
    fmpz_poly_mat_t P;
    fmpz_poly_mat_init(P, N, N);
    for (long r = 0; r < N; ++r)
        for (long c = 0; c < N; ++c) {
            const std::string& x = r < n ? (c < n ? s.F[r][c] : s.G[r][c - n]) : (c < n ? s.H[r - n][c] : s.L[r - n][c - n]);
            fmpz_poly_set_si(fmpz_poly_mat_entry(P, r, c), (r < n ? -1 : 1) * std::stol(x));
            if (r == c && r < n) fmpz_poly_set_coeff_si(fmpz_poly_mat_entry(P, r, c), 1, 1);
        }
    fmpz_poly_mat_det(det, P);
    fmpz_poly_mat_clear(P);
}

void determinantModulu(fmpq_poly_t det, const Stav& s) {
    auto F = racionalni(s.F), G = racionalni(s.G), H = racionalni(s.H), L = racionalni(s.L);
    determinantSystemoveMatice(det, *F, *G, *H, *L);
}

bool stejne(const Stav& s) {
    fmpz_poly_t ocekavany;
    fmpz_poly_init(ocekavany);
    determinantFlint(ocekavany, s);
    fmpq_poly_t det, flint;
    fmpq_poly_init(det);
    fmpq_poly_init(flint);
    determinantModulu(det, s);
    fmpq_poly_set_fmpz_poly(flint, ocekavany);
    const bool shoda = fmpq_poly_equal(det, flint) != 0;
    fmpq_poly_clear(det);
    fmpq_poly_clear(flint);
    fmpz_poly_clear(ocekavany);
    return shoda;
}

const PolohaPolu U = PolohaPolu::Uvnitr, K = PolohaPolu::NaKruznici;

void porovnej(const std::vector<Pol>& p, const std::vector<Pol>& ocekavane) {
    ASSERT_EQ(p.size(), ocekavane.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p[i].re, ocekavane[i].re);
        EXPECT_EQ(p[i].im, ocekavane[i].im);
        EXPECT_EQ(p[i].velikost, ocekavane[i].velikost);
        EXPECT_EQ(p[i].nasobnost, ocekavane[i].nasobnost);
        EXPECT_EQ(p[i].poloha, ocekavane[i].poloha);
    }
}

// The text of the nearest double of a rational given as numerator/denominator.
std::string zaokrouhleno(const fmpq_t q) {
    bool vRozsahu = true;
    return zaokrouhlenyText(q, vRozsahu);
}

// p(1).
void vJedne(Racionalni& hodnota, RacionalniPolynom& p) {
    Racionalni jedna;
    fmpq_one(jedna.get());
    fmpq_poly_evaluate_fmpq(hodnota.get(), p.get(), jedna.get());
}

// c / d at z = 1 with their common factors z - 1 divided out, as the module writes it: the
// rounded value, or "inf" / "-inf" (the sign of the limit from z > 1) for a pole.
std::string hodnotaVJedne(RacionalniPolynom& citatel, RacionalniPolynom& jmenovatel) {
    if (fmpq_poly_is_zero(citatel.get())) return presnyText(0.0);
    RacionalniPolynom c, d, delitel;
    fmpq_poly_set(c.get(), citatel.get());
    fmpq_poly_set(d.get(), jmenovatel.get());
    fmpq_poly_set_coeff_si(delitel.get(), 0, -1);
    fmpq_poly_set_coeff_si(delitel.get(), 1, 1);
    Racionalni hc, hd;
    for (vJedne(hc, c), vJedne(hd, d); fmpq_is_zero(hc.get()) && fmpq_is_zero(hd.get()); vJedne(hc, c), vJedne(hd, d)) {
        fmpq_poly_div(c.get(), c.get(), delitel.get());
        fmpq_poly_div(d.get(), d.get(), delitel.get());
    }
    if (!fmpq_is_zero(hd.get())) {
        fmpq_div(hc.get(), hc.get(), hd.get());
        return zaokrouhleno(hc.get());
    }
    for (; fmpq_is_zero(hd.get()); vJedne(hd, d)) fmpq_poly_div(d.get(), d.get(), delitel.get());
    return fmpq_sgn(hc.get()) * fmpq_sgn(hd.get()) > 0 ? "inf" : "-inf";
}

}  // namespace

// Constant pivots, pivots in state columns, a chain with relative degree n, L singular or
// zero, more zero rows than the states can fill: every path of the reduction, and random
// systems, give FLINT's determinant exactly.
TEST(SystemovaMatice, DeterminantIsThatOfThePencil) {
    const std::vector<std::pair<const char*, Stav>> pripady = {
        {"L invertible", {{{"2", "1"}, {"0", "-3"}}, {{"1", "0"}, {"1", "1"}}, {{"0", "1"}, {"1", "0"}}, {{"2", "1"}, {"1", "1"}}}},
        {"L = 0", {{{"2", "1"}, {"0", "-3"}}, {{"1", "0"}, {"1", "1"}}, {{"0", "1"}, {"1", "0"}}, {{"0", "0"}, {"0", "0"}}}},
        {"L of rank one", {{{"1", "2", "0"}, {"0", "1", "1"}, {"1", "0", "2"}}, {{"1", "0"}, {"0", "1"}, {"1", "1"}},
                           {{"1", "0", "1"}, {"0", "1", "0"}}, {{"1", "2"}, {"2", "4"}}}},
        {"chain of integrators, relative degree 3",
         {{{"0", "1", "0"}, {"0", "0", "1"}, {"0", "0", "0"}}, {{"0"}, {"0"}, {"1"}}, {{"1", "0", "0"}}, {{"0"}}}},
        {"F = 0, H G = 0", {{{"0", "0"}, {"0", "0"}}, {{"1"}, {"0"}}, {{"0", "1"}}, {{"0"}}}},
        {"two equal outputs: identically zero", {{{"1", "0"}, {"0", "2"}}, {{"1", "0"}, {"0", "1"}}, {{"1", "1"}, {"1", "1"}}, {{"0", "0"}, {"0", "0"}}}},
        {"three channels, two states", {{{"1", "1"}, {"0", "1"}}, {{"1", "0", "2"}, {"0", "1", "1"}},
                                         {{"1", "0"}, {"0", "1"}, {"1", "1"}}, {{"0", "0", "0"}, {"0", "0", "0"}, {"0", "0", "0"}}}},
    };
    for (const auto& [nazev, s] : pripady) {
        SCOPED_TRACE(nazev);
        EXPECT_TRUE(stejne(s));
    }
    std::mt19937 gen(24);
    for (int pokus = 0; pokus < 60; ++pokus) {
        const int n = 1 + pokus % 7, m = 1 + pokus % 3;
        Stav s{nahodna(gen, n, n, 9), nahodna(gen, n, m, 3), nahodna(gen, m, n, 3), nahodna(gen, m, m, pokus % 3)};
        if (pokus % 5 == 0) s.L = Hodnoty(m, std::vector<std::string>(m, "0"));
        SCOPED_TRACE(pokus);
        EXPECT_TRUE(stejne(s));
    }
}

// Zeros chosen first: B = (z - 1/2)(z + 3/4), a realisation of B / A in state space, a 2 x 2
// matrix fraction with det B = (z - 1/2)(z + 1/4), a zero on the circle and one at 0.
TEST(NulySystemu, ChosenZerosComeBackWithMultiplicityAndPlace) {
    const PresnaMatice B = polynomy({{{"-0.375", "0.25", "1"}}});
    const PresnaMatice A = polynomy({{{"0.1", "0", "-0.5", "1"}}});
    // Controllable canonical form of B / A: F the companion of A, G = e_3, H = B's coefficients.
    const Stav realizace{{{"0", "1", "0"}, {"0", "0", "1"}, {"-0.1", "0", "0.5"}}, {{"0"}, {"0"}, {"1"}}, {{"-0.375", "0.25", "1"}}, {{"0"}}};
    const std::vector<Pol> dvojice = {{-0.75, 0, 0.75, 1, U}, {0.5, 0, 0.5, 1, U}};
    porovnej(nuly({A, B}), dvojice);
    porovnej(nuly(bloky(realizace)), dvojice);

    const PresnaMatice A2 = polynomy({{{"0.1", "1"}, {"0.2"}}, {{"0"}, {"-0.3", "1"}}});
    const PresnaMatice B2 = polynomy({{{"-0.5", "1"}, {"1"}}, {{"0"}, {"0.25", "1"}}});
    porovnej(nuly({A2, B2}), {{0.5, 0, 0.5, 1, U}, {-0.25, 0, 0.25, 1, U}});

    // (z + 1) z^2 over z^3 - 0.5: a zero on the circle, a double zero at 0.
    porovnej(nuly({polynomy({{{"-0.5", "0", "0", "1"}}}), polynomy({{{"0", "0", "1", "1"}}})}),
             {{-1, 0, 1, 1, K}, {0, 0, 0, 2, U}});
}

// No zero polynomial: B = 0, and a system matrix whose outputs repeat each other, answer an
// empty block; a constant B answers a list without zeros.
TEST(NulySystemu, IdenticallyZeroPolynomialGivesAnEmptyBlock) {
    const Stav opakovane{{{"0.5", "0"}, {"0", "0.2"}}, {{"1", "0"}, {"0", "1"}}, {{"1", "1"}, {"1", "1"}}, {{"0", "0"}, {"0", "0"}}};
    for (const PresnaMatice& b : {odpoved(zadani::NULY_NULY, {polynomy({{{"-0.5", "1"}}}), polynomy({{{"0"}}})}),
                                  odpoved(zadani::NULY_NULY, bloky(opakovane))})
        EXPECT_EQ(b.get_columns(), 0);
    const PresnaMatice konstanta = odpoved(zadani::NULY_NULY, {polynomy({{{"-0.5", "1"}}}), polynomy({{{"2"}}})});
    EXPECT_EQ(konstanta.get_columns(), 1);
    EXPECT_EQ(konstanta.get_rows(), 0);
}

// Poles at z = 1 kept or cancelled, with the sign of the limit from z > 1: 1/(z - 1),
// -1/(z - 1)^2, (z - 1)/((z - 1)(z - 1/2)), a zero at 1 that outlasts the pole, and the same shapes in state space and as a
// matrix fraction.
TEST(StatickeZesileni, PoleAtOneIsInfiniteUnlessCancelled) {
    const struct {
        const char* nazev;
        std::vector<PresnaMatice> system;
        std::vector<std::string> ocekavane;
    } pripady[] = {
        {"1/(z - 1)", {polynomy({{{"-1", "1"}}}), polynomy({{{"1"}}})}, {"inf"}},
        {"1/(1 - z)", {polynomy({{{"1", "-1"}}}), polynomy({{{"1"}}})}, {"-inf"}},
        {"-1/(z - 1)^2", {polynomy({{{"1", "-2", "1"}}}), polynomy({{{"-1"}}})}, {"-inf"}},
        {"(z - 1)/((z - 1)(z - 1/2))", {polynomy({{{"0.5", "-1.5", "1"}}}), polynomy({{{"-1", "1"}}})}, {presnyText(2.0)}},
        {"(z - 1)^2/((z - 1)(z - 1/2))", {polynomy({{{"0.5", "-1.5", "1"}}}), polynomy({{{"1", "-2", "1"}}})}, {presnyText(0.0)}},
        {"double integrator in state space", bloky({{{"1", "1"}, {"0", "1"}}, {{"0"}, {"1"}}, {{"1", "0"}}, {{"0"}}}), {"inf"}},
        {"eigenvalue 1 not reached by the input",
         bloky({{{"1", "0"}, {"0", "0.5"}}, {{"0"}, {"1"}}, {{"1", "1"}}, {{"0"}}}), {presnyText(2.0)}},
        {"two integrators, one cancelled pair", bloky({{{"1", "0", "0"}, {"0", "1", "0"}, {"0", "0", "0.5"}},
                                                       {{"1", "0"}, {"0", "0"}, {"0", "1"}},
                                                       {{"1", "0", "0"}, {"0", "-1", "1"}}, {{"0", "0"}, {"0", "3"}}}),
         {"inf", presnyText(0.0), presnyText(0.0), presnyText(5.0)}},
        {"A(1) singular, matrix fraction", {polynomy({{{"-1", "1"}, {"0"}}, {{"0"}, {"-0.5", "1"}}}),
                                            polynomy({{{"-1", "1"}, {"0"}}, {{"1"}, {"1"}}})},
         {presnyText(1.0), presnyText(0.0), presnyText(2.0), presnyText(2.0)}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        EXPECT_EQ(zesileni(p.system), p.ocekavane);
    }
}

// Random systems with and without an eigenvalue 1: every element equals the exact value of
// its own pair, det [zI - F, -G_j; H_i, L_ij] / det(zI - F) around z = 1 (Cramer's rule when
// I - F is invertible), rounded once.
TEST(StatickeZesileni, EveryPairEqualsItsExactValue) {
    std::mt19937 gen(7);
    for (int pokus = 0; pokus < 24; ++pokus) {
        const int n = 2 + pokus % 4, m = 1 + pokus % 3;
        Stav s{nahodna(gen, n, n, 2), nahodna(gen, n, m, 3), nahodna(gen, m, n, 3), nahodna(gen, m, m, 2)};
        if (pokus % 2 == 1) {  // eigenvalue 1 (once or twice): the diagonal blocks of a triangle
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < i; ++j) s.F[i][j] = "0";
            s.F[0][0] = "1";
            if (pokus % 4 == 1) s.F[n - 1][n - 1] = "1";
        }
        SCOPED_TRACE(pokus);
        const std::vector<std::string> texty = zesileni(bloky(s));
        ASSERT_EQ(texty.size(), static_cast<std::size_t>(m * m));
        RacionalniPolynom jmenovatel, citatel;
        auto F = racionalni(s.F), bezG = racionalni(Hodnoty(static_cast<std::size_t>(n))), bezH = racionalni({}),
             bezL = racionalni({});
        determinantSystemoveMatice(jmenovatel.get(), *F, *bezG, *bezH, *bezL);
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) {
                Stav par{s.F, {}, {s.H[i]}, {{s.L[i][j]}}};
                for (int k = 0; k < n; ++k) par.G.push_back({s.G[k][j]});
                determinantModulu(citatel.get(), par);
                EXPECT_EQ(texty[static_cast<std::size_t>(i * m + j)], hodnotaVJedne(citatel, jmenovatel))
                    << "pair " << i << "," << j;
            }
    }
}

namespace {

// A system built from its Jordan form J: blocks of the given eigenvalues and sizes, each upper
// bidiagonal with ones above the diagonal; F = S J S^-1, G = S G', H = H' S^-1.
using Bloky = std::vector<std::pair<const char*, long>>;

long rad(const Bloky& bloky) {
    long n = 0;
    for (const auto& b : bloky) n += b.second;
    return n;
}

// The expansion around z = 1 read off the Jordan form: a block of size b at 1 adds
// sum_i H'_(v,i) G'_(i+l,u) to the coefficient of t^-(l+1), a block at another eigenvalue adds
// H'_b (I - J_b)^-1 G'_b to the value at 1.
std::vector<ClenVJedne> rozvojJordanova(const Bloky& bloky, RacionalniMatice& Gj, RacionalniMatice& Hj,
                                       RacionalniMatice& L) {
    const long n = rad(bloky), m = fmpq_mat_nrows(L.get());
    std::vector<std::unique_ptr<RacionalniMatice>> C;  // C[l]: the coefficients of t^-(l+1)
    for (long l = 0; l < n; ++l) C.push_back(std::make_unique<RacionalniMatice>(m, m));
    RacionalniMatice D(m, m);
    fmpq_mat_set(D.get(), L.get());
    Racionalni vlastni, x;
    long r = 0;
    for (const auto& [text, b] : bloky) {
        nactiRacionalni(vlastni.get(), text);
        RacionalniMatice IminusJ(b, b), inverze(b, b);
        for (long i = 0; i < b; ++i) {
            fmpq_one(IminusJ.prvek(i, i));
            fmpq_sub(IminusJ.prvek(i, i), IminusJ.prvek(i, i), vlastni.get());
            if (i + 1 < b) fmpq_set_si(IminusJ.prvek(i, i + 1), -1, 1);
        }
        const bool vJedne = fmpq_is_one(vlastni.get());
        if (!vJedne) fmpq_mat_inv(inverze.get(), IminusJ.get());
        for (long v = 0; v < m; ++v)
            for (long u = 0; u < m; ++u)
                for (long i = 0; i < b; ++i)
                    for (long k = 0; k < b; ++k) {
                        fmpq_mul(x.get(), Hj.prvek(v, r + i), Gj.prvek(r + k, u));
                        if (vJedne && k >= i) fmpq_add(C[k - i]->prvek(v, u), C[k - i]->prvek(v, u), x.get());
                        if (vJedne) continue;
                        fmpq_mul(x.get(), x.get(), inverze.prvek(i, k));
                        fmpq_add(D.prvek(v, u), D.prvek(v, u), x.get());
                    }
        r += b;
    }
    std::vector<ClenVJedne> cleny(static_cast<std::size_t>(m * m));
    for (long v = 0; v < m; ++v)
        for (long u = 0; u < m; ++u) {
            ClenVJedne& c = cleny[static_cast<std::size_t>(v * m + u)];
            fmpq_set(c.koeficient.get(), D.prvek(v, u));
            for (long l = 0; l < n; ++l)
                if (!fmpq_is_zero(C[l]->prvek(v, u))) {
                    c.rad = l + 1;
                    fmpq_set(c.koeficient.get(), C[l]->prvek(v, u));
                }
        }
    return cleny;
}

std::unique_ptr<RacionalniMatice> nahodnaQ(std::mt19937& gen, long r, long c, int mez) {
    auto M = std::make_unique<RacionalniMatice>(r, c);
    std::uniform_int_distribution<int> d(-mez, mez);
    for (long i = 0; i < r; ++i)
        for (long j = 0; j < c; ++j) fmpq_set_si(M->prvek(i, j), d(gen), 1);
    return M;
}

}  // namespace

// Jordan blocks at 1 of several sizes beside blocks at other eigenvalues, hidden by a random
// similarity: every pair has the pole order and leading coefficient (or the value) that the
// Jordan form gives, by either exact way and by the choice between them. Inputs that miss the end of a chain, and outputs that miss its start,
// lower the order or remove the pole.
TEST(StatickeZesileni, LaurentTermsFollowTheJordanStructure) {
    const struct {
        const char* nazev;
        Bloky bloky;
        long kanaly;
    } pripady[] = {
        {"block of 3 at 1 beside 1/2 and -1/3", {{"1", 3}, {"0.5", 2}, {"-0.333", 1}}, 2},
        {"two blocks of 2 at 1", {{"1", 2}, {"2", 1}, {"1", 2}}, 3},
        {"semisimple 1 twice", {{"1", 1}, {"0.25", 3}, {"1", 1}}, 2},
        {"F - I nilpotent, one chain", {{"1", 5}}, 2},
        {"F - I nilpotent, three chains", {{"1", 3}, {"1", 1}, {"1", 2}}, 3},
        {"block of 2 at -1 and 1 at 1", {{"-1", 2}, {"1", 2}}, 1},
        {"chain of 7 at 1 beside 3/4 and -2", {{"0.75", 2}, {"1", 7}, {"-2", 1}}, 2},
        {"chains of 4 and 3 at 1 beside 1/2", {{"1", 4}, {"0.5", 3}, {"1", 3}}, 3},
    };
    std::mt19937 gen(11);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const long n = rad(p.bloky), m = p.kanaly;
        RacionalniMatice J(n, n), Sinv(n, n), SJ(n, n), F(n, n), G(n, m), H(m, n);
        long r = 0;
        for (const auto& [text, b] : p.bloky) {
            for (long i = 0; i < b; ++i) {
                nactiRacionalni(J.prvek(r + i, r + i), text);
                if (i + 1 < b) fmpq_one(J.prvek(r + i, r + i + 1));
            }
            r += b;
        }
        std::unique_ptr<RacionalniMatice> S;
        do S = nahodnaQ(gen, n, n, 2);
        while (!fmpq_mat_inv(Sinv.get(), S->get()));
        auto Gj = nahodnaQ(gen, n, m, 2), Hj = nahodnaQ(gen, m, n, 2), L = nahodnaQ(gen, m, m, 2);
        fmpq_zero(Gj->prvek(n - 1, 0));  // input 1 misses the end of the last chain
        fmpq_zero(Hj->prvek(0, 0));      // output 1 misses the start of the first
        fmpq_mat_mul(SJ.get(), S->get(), J.get());
        fmpq_mat_mul(F.get(), SJ.get(), Sinv.get());
        fmpq_mat_mul(G.get(), S->get(), Gj->get());
        fmpq_mat_mul(H.get(), Hj->get(), Sinv.get());
        const std::vector<ClenVJedne> ocekavane = rozvojJordanova(p.bloky, *Gj, *Hj, *L);
        for (auto rozvoj : {rozvojVJedne, rozvojVJedneRozkladem, rozvojVJedneCitatelem}) {
            const std::vector<ClenVJedne> cleny = rozvoj(F, G, H, *L);
            ASSERT_EQ(cleny.size(), ocekavane.size());
            for (std::size_t i = 0; i < cleny.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(cleny[i].rad, ocekavane[i].rad);
                EXPECT_TRUE(fmpq_equal(cleny[i].koeficient.get(), ocekavane[i].koeficient.get()));
            }
        }
    }
}

// Single-channel systems with decimal entries (denominators in F, G, H and L): the zeros, read
// from the transfer function's numerator, are the roots of the system matrix's determinant, and
// the gain is its value over det(zI - F) at z = 1, also where both vanish there.
TEST(NulySystemu, SingleChannelAnswersAreThoseOfTheSystemMatrix) {
    std::mt19937 gen(31);
    std::uniform_int_distribution<int> cislice(-9, 9);
    auto desetinna = [&](int r, int c) {
        Hodnoty h(static_cast<std::size_t>(r), std::vector<std::string>(static_cast<std::size_t>(c)));
        for (auto& radek : h)
            for (auto& x : radek) x = std::to_string(cislice(gen) / 10.0).substr(0, 4);
        return h;
    };
    for (int pokus = 0; pokus < 30; ++pokus) {
        const int n = 1 + pokus % 6;
        Stav s{desetinna(n, n), desetinna(n, 1), desetinna(1, n), pokus % 4 == 0 ? Hodnoty{{"0"}} : desetinna(1, 1)};
        if (pokus % 3 == 2) s.F[0] = std::vector<std::string>(static_cast<std::size_t>(n), "0"), s.F[0][0] = "1";
        SCOPED_TRACE(pokus);
        RacionalniPolynom citatel, jmenovatel;
        determinantModulu(citatel.get(), s);
        determinantModulu(jmenovatel.get(), Stav{s.F, Hodnoty(static_cast<std::size_t>(n)), {}, {}});
        CelyPolynom p;
        fmpq_poly_get_numerator(p.get(), citatel.get());
        if (fmpz_poly_is_zero(p.get())) {
            EXPECT_EQ(odpoved(zadani::NULY_NULY, bloky(s)).get_columns(), 0);
        } else {
            fmpz_poly_primitive_part(p.get(), p.get());
            porovnej(nuly(bloky(s)), presnePoly(p));
        }
        EXPECT_EQ(zesileni(bloky(s)), std::vector<std::string>{hodnotaVJedne(citatel, jmenovatel)});
    }
}

}  // namespace test_nuly
}  // namespace
