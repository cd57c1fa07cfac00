// The frequency report against an exact evaluation done here in its own way: every system is
// built from exact rationals (m 10^e, written as "me<e>"), and its H(e^{jw}) is the solve of
// (zI - F) x = g, or of A(z) x = b_i, in Arb's complex balls at 512 bits on the exact grid point.
// Checked: every floating-point bound holds, every printed magnitude and phase is the exact
// value rounded, exact poles, zeros and degenerate values come out exactly, and the phase
// unwrapping of certain intervals.
#include <gtest/gtest.h>

#include <acb_mat.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "FrekvencniOdezva.h"
#include "JisteHodnotyFrekvence.h"
#include "ModulFrekvence.h"
#include "ZpravaFrekvenci.h"

namespace {
namespace test_frekvence {

namespace {

const long PRESNOST = 512;

// An exact value m 10^e.
struct Cislo {
    long m = 0;
    int e = 0;
    std::string text() const { return std::to_string(m) + "e" + std::to_string(e); }
    double dvojite() const { return std::strtod(text().c_str(), nullptr); }
    void koule(arb_t x, long presnost) const {
        fmpq_t q;
        fmpq_init(q);
        fmpz_set_si(fmpq_numref(q), m);
        fmpz_set_ui(fmpq_denref(q), 1);
        fmpz_t p;
        fmpz_init_set_ui(p, 10);
        fmpz_pow_ui(p, p, static_cast<ulong>(std::abs(e)));
        if (e >= 0) fmpz_mul(fmpq_numref(q), fmpq_numref(q), p); else fmpz_set(fmpq_denref(q), p);
        fmpq_canonicalise(q);
        arb_set_fmpq(x, q, presnost);
        fmpz_clear(p);
        fmpq_clear(q);
    }
};
using Matice = std::vector<std::vector<Cislo>>;          // real values
using PolyMatice = std::vector<std::vector<std::vector<Cislo>>>;  // polynomials, power 0 up

PresnaMatice presna(const Matice& M) {
    PresnaMatice p;
    p.novyTvar(static_cast<int>(M.size()), M.empty() ? 0 : static_cast<int>(M[0].size()));
    for (const auto& radek : M)
        for (const Cislo& c : radek) p.pridejPrvek({c.text()});
    return p;
}

PresnaMatice presna(const PolyMatice& M) {
    PresnaMatice p;
    p.novyTvar(static_cast<int>(M.size()), static_cast<int>(M[0].size()));
    for (const auto& radek : M)
        for (const auto& prvek : radek) {
            std::vector<std::string> texty;
            for (const Cislo& c : prvek) texty.push_back(c.text());
            p.pridejPrvek(texty);
        }
    return p;
}

Matrix<double> dvojite(const Matice& M) {
    Matrix<double> D(static_cast<int>(M.size()), static_cast<int>(M[0].size()), Matrix<double>::ZEROS);
    for (std::size_t i = 0; i < M.size(); ++i)
        for (std::size_t j = 0; j < M[i].size(); ++j) D(static_cast<int>(i), static_cast<int>(j)) = M[i][j].dvojite();
    return D;
}

Polynom polynom(const std::vector<Cislo>& k) {
    std::vector<double> d;
    for (const Cislo& c : k) d.push_back(c.dvojite());
    return Polynom(d.data(), static_cast<int>(d.size()));
}

// A system and its exact H at grid point k, column i (every output), as balls.
struct Pripad {
    std::string jmeno;
    bool stavovy = true;
    Matice F, G, H, L;
    PolyMatice A, B;

    FrekvencniOdezva odezva(const std::vector<double>& w) const {
        if (stavovy) {
            const PresnyStav texty{presna(F), presna(G), presna(H), presna(L)};
            FrekvencniOdezva o = frekvenceStavu(dvojite(F), dvojite(G), dvojite(H), dvojite(L), w, &texty);
            o.presne = {texty.F, texty.G, texty.H, texty.L};
            return o;
        }
        Matrix<Polynom> a(static_cast<int>(A.size()), static_cast<int>(A.size()), Matrix<Polynom>::ZEROS),
            b(static_cast<int>(B.size()), static_cast<int>(B[0].size()), Matrix<Polynom>::ZEROS);
        for (std::size_t r = 0; r < A.size(); ++r) {
            for (std::size_t c = 0; c < A.size(); ++c) a(static_cast<int>(r), static_cast<int>(c)) = polynom(A[r][c]);
            for (std::size_t c = 0; c < B[0].size(); ++c) b(static_cast<int>(r), static_cast<int>(c)) = polynom(B[r][c]);
        }
        FrekvencniOdezva o = A.size() == 1 ? frekvencePodilu(b(0, 0), a(0, 0), w) : frekvenceMaticovehoZlomku(a, b, w);
        o.presne = {presna(A), presna(B)};
        return o;
    }

    // Y (outputs x inputs) by the solve of the exact system at z_k.
    void presne(long k, acb_mat_t Y) const {
        acb_t z;
        acb_init(z);
        bodMrizky(z, k, PRESNOST);
        const long n = stavovy ? static_cast<long>(F.size()) : static_cast<long>(A.size());
        const long l = stavovy ? static_cast<long>(G[0].size()) : static_cast<long>(B[0].size());
        acb_mat_t M, P, X;
        acb_mat_init(M, n, n);
        acb_mat_init(P, n, l);
        acb_mat_init(X, n, l);
        for (long r = 0; r < n; ++r) {
            for (long c = 0; c < n; ++c) prvek(acb_mat_entry(M, r, c), true, r, c, z);
            for (long c = 0; c < l; ++c) prvek(acb_mat_entry(P, r, c), false, r, c, z);
        }
        EXPECT_TRUE(acb_mat_solve(X, M, P, PRESNOST));
        if (stavovy) {
            acb_mat_t C, D;
            acb_mat_init(C, static_cast<long>(H.size()), n);
            acb_mat_init(D, static_cast<long>(H.size()), l);
            for (std::size_t o = 0; o < H.size(); ++o) {
                for (long c = 0; c < n; ++c) H[o][static_cast<std::size_t>(c)].koule(acb_realref(acb_mat_entry(C, static_cast<long>(o), c)), PRESNOST);
                for (long c = 0; c < l; ++c) L[o][static_cast<std::size_t>(c)].koule(acb_realref(acb_mat_entry(D, static_cast<long>(o), c)), PRESNOST);
            }
            acb_mat_mul(Y, C, X, PRESNOST);
            acb_mat_add(Y, Y, D, PRESNOST);
            acb_mat_clear(C);
            acb_mat_clear(D);
        } else {
            acb_mat_set(Y, X);
        }
        acb_mat_clear(M);
        acb_mat_clear(P);
        acb_mat_clear(X);
        acb_clear(z);
    }

    // Element (r, c) of zI - F or G (state space), of A(z) or B(z) (matrix fraction).
    void prvek(acb_t v, bool matice, long r, long c, const acb_t z) const {
        acb_zero(v);
        acb_t clen;
        acb_init(clen);
        if (stavovy) {
            (matice ? F : G)[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)].koule(acb_realref(v), PRESNOST);
            if (matice) {
                acb_neg(v, v);
                if (r == c) acb_add(v, v, z, PRESNOST);
            }
        } else {
            const std::vector<Cislo>& p = (matice ? A : B)[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            for (std::size_t k = p.size(); k-- > 0;) {
                acb_mul(v, v, z, PRESNOST);
                acb_zero(clen);
                p[k].koule(acb_realref(clen), PRESNOST);
                acb_add(v, v, clen, PRESNOST);
            }
        }
        acb_clear(clen);
    }
};

std::string text(double x) { return sestPlatnych(x); }

// The exact dB and principal phase (degrees) of y as doubles, accurate far beyond 6 digits.
void dbFaze(const acb_t y, double& db, double& faze) {
    arb_t a;
    arb_init(a);
    acb_abs(a, y, PRESNOST);
    arb_log_base_ui(a, a, 10, PRESNOST);
    arb_mul_ui(a, a, 20, PRESNOST);
    db = arf_get_d(arb_midref(a), ARF_RND_NEAR);
    acb_arg(a, y, PRESNOST);
    arb_mul_ui(a, a, 180, PRESNOST);
    arb_t pi;
    arb_init(pi);
    arb_const_pi(pi, PRESNOST);
    arb_div(a, a, pi, PRESNOST);
    faze = arf_get_d(arb_midref(a), ARF_RND_NEAR);
    arb_clear(pi);
    arb_clear(a);
}

Cislo c(long m, int e = 0) { return {m, e}; }

// Random non-normal and badly scaled systems: lower triangular F with couplings up to 1e9,
// dense F scaled by D F D^-1 over 12 decades, and a plain dense F; G and H to match.
std::vector<Pripad> nahodneStavy() {
    std::mt19937 nahoda(24);
    std::uniform_int_distribution<long> cifry(-99, 99);
    std::uniform_int_distribution<int> rad(2, 9), skala(-6, 6);
    std::vector<Pripad> pripady;
    for (int p = 0; p < 24; ++p) {
        const int n = 2 + p % 6, druh = p % 3;
        Pripad s;
        s.jmeno = "nahodny " + std::to_string(p);
        std::vector<int> d(static_cast<std::size_t>(n));
        for (int& x : d) x = skala(nahoda);
        s.F.assign(static_cast<std::size_t>(n), std::vector<Cislo>(static_cast<std::size_t>(n)));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                Cislo& x = s.F[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                if (i == j) x = c(cifry(nahoda) * 9 / 10, -2);  // |diagonal| < 1
                else if (druh == 0 && i > j) x = c(cifry(nahoda), rad(nahoda));
                else if (druh == 1) x = c(cifry(nahoda), -2 + d[static_cast<std::size_t>(i)] - d[static_cast<std::size_t>(j)]);
                else if (druh == 2) x = c(cifry(nahoda) / 3, -2);
            }
        s.G.assign(static_cast<std::size_t>(n), {c(0)});
        s.H.assign(1, std::vector<Cislo>(static_cast<std::size_t>(n)));
        for (int i = 0; i < n; ++i) {
            s.G[static_cast<std::size_t>(i)][0] = c(cifry(nahoda), druh == 1 ? d[static_cast<std::size_t>(i)] : 0);
            s.H[0][static_cast<std::size_t>(i)] = c(cifry(nahoda), druh == 1 ? -d[static_cast<std::size_t>(i)] : 0);
        }
        s.L = {{c(p % 4 == 0 ? 0 : cifry(nahoda), -1)}};
        pripady.push_back(s);
    }
    return pripady;
}

std::vector<Pripad> pripady() {
    std::vector<Pripad> v = nahodneStavy();
    Pripad h3;  // the reported state-space case: lower triangular, coupling 2e9
    h3.jmeno = "h3";
    h3.F = {{c(-5, -1), c(0), c(0)}, {c(-6), c(7, -1), c(0)}, {c(5), c(2, 9), c(-5, -1)}};
    h3.G = {{c(-2)}, {c(2)}, {c(-1)}};
    h3.H = {{c(0), c(0), c(-1)}};
    h3.L = {{c(0)}};
    v.push_back(h3);
    Pripad mimo;  // two inputs and outputs, with a pair no path joins
    mimo.jmeno = "stavovy MIMO";
    mimo.F = {{c(5, -1), c(1, -1), c(0)}, {c(0), c(-3, -1), c(0)}, {c(2, -1), c(0), c(9, -1)}};
    mimo.G = {{c(1), c(0)}, {c(0), c(0)}, {c(0), c(1)}};
    mimo.H = {{c(1), c(0), c(0)}, {c(0), c(1), c(1)}};
    mimo.L = {{c(1, -1), c(0)}, {c(0), c(0)}};
    v.push_back(mimo);
    Pripad siso;  // (z + 0.5) / (z^2 - 0.2 z - 0.15)
    siso.jmeno = "vnejsi SISO";
    siso.stavovy = false;
    siso.A = {{{c(-15, -2), c(-2, -1), c(1)}}};
    siso.B = {{{c(5, -1), c(1)}}};
    v.push_back(siso);
    Pripad zlomek;  // A = [[z - 0.5, 0.25], [0.1 z, z^2 - 0.2]], B = [[1, 0.5 z], [0, 1]]
    zlomek.jmeno = "vnejsi MIMO";
    zlomek.stavovy = false;
    zlomek.A = {{{c(-5, -1), c(1), c(0)}, {c(25, -2)}}, {{c(0), c(1, -1)}, {c(-2, -1), c(0), c(1)}}};
    zlomek.B = {{{c(1)}, {c(0), c(5, -1)}}, {{c(0)}, {c(1)}}};
    v.push_back(zlomek);
    return v;
}

}  // namespace

// Every bound the floating-point evaluations give (first and every refinement) holds against
// the exact value, and every printed value is the exact one rounded.
TEST(Frekvence, BoundsHoldAndEveryPrintedValueIsTheExactOneRounded) {
    const std::vector<double> w = frekvenceZpravy();
    for (const Pripad& p : pripady()) {
        SCOPED_TRACE(p.jmeno);
        FrekvencniOdezva odezva = p.odezva(w);
        const FrekvencniOdezva puvodni = odezva;
        const std::vector<bool> vse(static_cast<std::size_t>(odezva.vystupu * odezva.vstupu), true);
        for (std::size_t k = 0; k < w.size(); ++k)
            for (const auto& z : puvodni.zpresneni) z.vyhodnot(odezva, k, vse);
        // The refinements reach the values' own sensitivity to 64-bit data: a state space
        // leaves no bound above 1e-12 of its value (a silent failure of one would).
        for (std::size_t e = 0; p.stavovy && e < odezva.hodnoty.size(); ++e) {
            if (std::abs(odezva.hodnoty[e]) > 0.0) {
                EXPECT_LT(odezva.chyby[e], 1e-12 * std::abs(odezva.hodnoty[e])) << e;
            }
        }
        const HodnotyFrekvenci hodnoty = jisteHodnoty(puvodni);
        // The exact path alone, from nothing known, prints the same.
        PresnySystem presny(puvodni.presne);
        for (int o = 0; o < odezva.vystupu; ++o)
            for (int i = 0; i < odezva.vstupu; ++i) {
                const std::vector<BodFrekvence> body = dorozhodni(presny, o, i, std::vector<BodFrekvence>(w.size()));
                const std::size_t dvojice = static_cast<std::size_t>(o * odezva.vstupu + i);
                for (std::size_t k = 0; k < w.size(); ++k)
                    EXPECT_EQ(text(body[k].db.dolni) + ";" + text(body[k].faze.dolni),
                              text(hodnoty.db[dvojice][k]) + ";" + text(hodnoty.faze[dvojice][k]))
                        << k;
            }
        std::vector<double> predchozi(static_cast<std::size_t>(odezva.vystupu * odezva.vstupu), NAN);
        for (long k = 0; k < 256; ++k) {
            acb_mat_t Y;
            acb_mat_init(Y, odezva.vystupu, odezva.vstupu);
            p.presne(k, Y);
            for (int o = 0; o < odezva.vystupu; ++o)
                for (int i = 0; i < odezva.vstupu; ++i) {
                    SCOPED_TRACE("k " + std::to_string(k) + " pair " + std::to_string(o) + std::to_string(i));
                    const acb_srcptr y = acb_mat_entry(Y, o, i);
                    for (const FrekvencniOdezva* f : {&puvodni, static_cast<const FrekvencniOdezva*>(&odezva)}) {
                        if (!std::isfinite(f->chyba(static_cast<std::size_t>(k), o, i))) continue;
                        acb_t d;
                        acb_init(d);
                        acb_set_d_d(d, (*f)(static_cast<std::size_t>(k), o, i).real(), (*f)(static_cast<std::size_t>(k), o, i).imag());
                        acb_sub(d, d, y, PRESNOST);
                        arb_t v;
                        arb_init(v);
                        acb_abs(v, d, PRESNOST);
                        EXPECT_LE(arf_get_d(arb_midref(v), ARF_RND_UP), f->chyba(static_cast<std::size_t>(k), o, i));
                        arb_clear(v);
                        acb_clear(d);
                    }
                    const std::size_t dvojice = static_cast<std::size_t>(o * odezva.vstupu + i);
                    if (acb_is_zero(y)) {
                        EXPECT_EQ(text(hodnoty.db[dvojice][static_cast<std::size_t>(k)]), "-inf");
                        continue;
                    }
                    double db = 0, faze = 0;
                    dbFaze(y, db, faze);
                    if (!std::isnan(predchozi[dvojice])) faze -= 360.0 * std::round((faze - predchozi[dvojice]) / 360.0);
                    predchozi[dvojice] = faze;
                    EXPECT_EQ(text(hodnoty.db[dvojice][static_cast<std::size_t>(k)]), text(db));
                    EXPECT_EQ(text(hodnoty.faze[dvojice][static_cast<std::size_t>(k)]), text(faze));
                }
            acb_mat_clear(Y);
        }
    }
}

// Values that no ball can settle are decided by exact algebra: a pole on the grid (z = -1 and
// the 20th root of unity at 0.1 pi), an exact zero, |H| = 1 everywhere, H real everywhere; and
// the poles off the grid stay finite.
TEST(Frekvence, PolesZerosAndDegenerateValuesAreExact) {
    const std::vector<double> w = frekvenceZpravy();
    struct Ocekavani {
        std::vector<Cislo> B, A;
        std::vector<std::pair<long, std::string>> body;  // k and "dB;phase"
    };
    // Phi_20 = z^8 - z^6 + z^4 - z^2 + 1 has e^{j 0.1 pi} among its roots.
    const std::vector<Ocekavani> pripady = {
        {{c(1)}, {c(1), c(1)}, {{255, "inf;nan"}, {254, "21.521;-87.5947"}}},
        {{c(1)}, {c(-1), c(1)}, {{0, "50.057;-90.09"}}},
        {{c(1)}, {c(1), c(0), c(-1), c(0), c(1), c(0), c(-1), c(0), c(1)}, {{170, "inf;nan"}, {255, "0;0"}}},
        {{c(-1), c(5, -1)}, {c(-5, -1), c(1)}, {{0, "0;179.46"}, {100, "0;171.905"}, {255, "0;0"}}},
        {{c(-3, -1), c(-4, -1), c(2)}, {c(-15, -2), c(-2, -1), c(1)}, {{0, "6.0206;0"}, {255, "6.0206;0"}}},
        {{c(0), c(1)}, {c(1), c(-25, -1), c(1)}, {{0, "6.02043;180"}, {255, "-13.0643;180"}}},
        {{c(0)}, {c(-5, -1), c(1)}, {{7, "-inf;nan"}}},
    };
    for (const Ocekavani& p : pripady) {
        Pripad s;
        s.stavovy = false;
        s.A = {{p.A}};
        s.B = {{p.B}};
        const HodnotyFrekvenci h = jisteHodnoty(s.odezva(w));
        for (const auto& [k, ocekavane] : p.body)
            EXPECT_EQ(text(h.db[0][static_cast<std::size_t>(k)]) + ";" + text(h.faze[0][static_cast<std::size_t>(k)]), ocekavane)
                << p.A.size() << " " << k;
    }
}

// A matrix fraction whose pairs differ: diag(z + 1, z - 0.5) has a pole at -1 in pair (1, 1)
// only, and the pairs off the diagonal are exact zeros.
TEST(Frekvence, APoleBelongsToThePairsThatHaveIt) {
    Pripad s;
    s.stavovy = false;
    s.A = {{{c(1), c(1)}, {c(0)}}, {{c(0)}, {c(-5, -1), c(1)}}};
    s.B = {{{c(1)}, {c(0)}}, {{c(0)}, {c(1)}}};
    const HodnotyFrekvenci h = jisteHodnoty(s.odezva(frekvenceZpravy()));
    EXPECT_EQ(text(h.db[0][255]) + ";" + text(h.faze[0][255]), "inf;nan");
    EXPECT_EQ(text(h.db[1][255]) + ";" + text(h.faze[1][255]), "-inf;nan");
    EXPECT_EQ(text(h.db[3][255]) + ";" + text(h.faze[3][255]), "-3.52183;-180");
}

// The listed frequencies print as the exact omega_k = 0.001 pi 1000^(k / 255) rounded.
TEST(Frekvence, TheGridPrintsTheExactFrequencies) {
    const std::vector<double> w = frekvenceZpravy();
    ASSERT_EQ(w.size(), 256u);
    for (long k = 0; k < 256; ++k) {
        acb_t z;
        acb_init(z);
        bodMrizky(z, k, 256);
        arb_t omega;
        arb_init(omega);
        acb_arg(omega, z, 256);
        EXPECT_EQ(text(w[static_cast<std::size_t>(k)]), text(arf_get_d(arb_midref(omega), ARF_RND_NEAR))) << k;
        arb_clear(omega);
        acb_clear(z);
    }
}

// Unwrapping certain intervals: moves of 360 within 180 of the last number, the first value
// into (-180, 180], exact values exactly, and the uncertain steps and texts listed.
TEST(Frekvence, PhasesAreUnwrappedAndUncertainValuesListed) {
    const auto bod = [](double db, double dolni, double horni) { return BodFrekvence{{db, db}, {dolni, horni}}; };
    const std::vector<BodFrekvence> jiste = {bod(1, 170, 170), bod(1, -170, -170), bod(1, -150, -150),
                                             bod(1, 170, 170), {{INFINITY, INFINITY}, {}}, bod(1, -175, -175),
                                             bod(1, 179, 179), bod(1, -180, -180)};
    const RozvinutaDvojice r = rozvin(jiste);
    const std::vector<std::string> ocekavane = {"170", "190", "210", "170", "nan", "185", "179", "180"};
    for (std::size_t i = 0; i < ocekavane.size(); ++i) EXPECT_EQ(text(r.faze[i]), ocekavane[i]) << i;
    EXPECT_TRUE(r.nejiste.empty());
    EXPECT_EQ(text(rozvin({bod(1, -180, -180)}).faze[0]), "180");

    // Across a rounding boundary of the text, a step of almost exactly 180, a first value on
    // both sides of +-180, an unknown value (after which nothing is judged).
    const std::vector<std::pair<std::vector<BodFrekvence>, std::vector<std::size_t>>> otevrene = {
        {{bod(1, 10.000049, 10.000051)}, {0}},
        {{bod(1, 0, 0), bod(1, 179.9999999, 180.0000001)}, {0, 1}},
        {{bod(1, 179.9999, 180.0001)}, {0}},
        {{bod(1, 1, 1), {}, bod(1, 1.0000049, 1.0000051)}, {1}},
        {{{{1, 1.0001}, {5, 5}}}, {0}},
    };
    for (std::size_t i = 0; i < otevrene.size(); ++i) EXPECT_EQ(rozvin(otevrene[i].first).nejiste, otevrene[i].second) << i;
}

}  // namespace test_frekvence
}  // namespace
