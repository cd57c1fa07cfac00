// Benchmarks of the hot paths: determinants, characteristic polynomials, root and eigenvalue
// magnitudes, stability, responses and conversions, at sizes 2 ... 64 where they apply.
// Pairs of a straightforward method and the one the tool uses run side by side, and a
// table of their speed-ups follows the usual listing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Matrix.h"
#include "OdvozeneMatice.h"
#include "Polynoms.h"
#include "JistaStabilita.h"
#include "ModulKruznice.h"
#include "ModulPoly.h"
#include "ModulVerdikt.h"
#include "Rovnice.h"
#include "System.h"

namespace {

const int KROKU_SIGNALU = 250;

// ---------------------------------------------------------------- data

// Random n x n matrix scaled to the infinity norm `norma`: every eigenvalue lies inside
// that radius, so systems built on it are stable.
Matrix<double> nahodnaMatice(int n, unsigned seed, double norma = 0.9) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Matrix<double> m(n, n, Matrix<double>::ZEROS);
    double nejvic = 0.0;
    for (int i = 0; i < n; ++i) {
        double radek = 0.0;
        for (int j = 0; j < n; ++j) {
            m(i, j) = d(gen);
            radek += std::fabs(m(i, j));
        }
        nejvic = std::max(nejvic, radek);
    }
    return m * (norma / nejvic);
}

Matrix<double> nahodnyBlok(int r, int s, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Matrix<double> m(r, s, Matrix<double>::ZEROS);
    for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = d(gen);
    return m;
}

// xI - F, the matrix of degree-one polynomials whose determinant the stability test took.
Matrix<Polynom> charakteristickaMatice(const Matrix<double>& F) {
    const int n = F.get_rows();
    Matrix<Polynom> m(n, n, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = Polynom(-F(i, j), 0, 'x', false);
    for (int i = 0; i < n; ++i) m(i, i).add(1.0, 1);
    return m;
}

// Monic polynomial of degree n with random roots inside the disc of radius 0.9.
Polynom stabilniPolynom(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> polomer(0.1, 0.9), uhel(0.0, 3.14159265358979);
    std::vector<double> c{1.0};
    auto nasob = [&c](const std::vector<double>& f) {
        std::vector<double> r(c.size() + f.size() - 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i)
            for (std::size_t j = 0; j < f.size(); ++j) r[i + j] += c[i] * f[j];
        c = r;
    };
    int stupen = 0;
    while (stupen + 2 <= n) {
        const double r = polomer(gen), a = uhel(gen);
        nasob({r * r, -2.0 * r * std::cos(a), 1.0});
        stupen += 2;
    }
    if (stupen < n) nasob({-polomer(gen), 1.0});
    return Polynom(c.data(), static_cast<int>(c.size()));
}

CLDDS_Stav_SISO stavSISO(int n) {
    return CLDDS_Stav_SISO(nahodnaMatice(n, 11u + n), nahodnyBlok(n, 1, 12u + n), nahodnyBlok(1, n, 13u + n),
                           Matrix<double>(1, 1, Matrix<double>::ZEROS), Matrix<double>(n, 1, Matrix<double>::ZEROS), n,
                           1.0);
}

CLDDS_Stav_MIMO stavMIMO(int n, int kanaly) {
    return CLDDS_Stav_MIMO(kanaly, kanaly, nahodnaMatice(n, 21u + n), nahodnyBlok(n, kanaly, 22u + n),
                           nahodnyBlok(kanaly, n, 23u + n), Matrix<double>(kanaly, kanaly, Matrix<double>::ZEROS),
                           Matrix<double>(n, 1, Matrix<double>::ZEROS), n, 1.0);
}

CLDDS_Vnejsi_SISO vnejsiSISO(int n) {
    const Polynom A = stabilniPolynom(n, 31u + n);
    const Polynom B = stabilniPolynom(n - 1, 32u + n);
    return CLDDS_Vnejsi_SISO(A, B);
}

// n x n matrix fraction of degree 2: diagonal (z - 0.5)(z + 0.4) plus small couplings of
// degree 1 off the diagonal; B of degree 1.
CLDDS_Vnejsi_MIMO vnejsiMIMO(int n) {
    std::mt19937 gen(41u + n);
    std::uniform_real_distribution<double> male(-0.01, 0.01), d(-1.0, 1.0);
    Matrix<Polynom> A(n, n, Matrix<Polynom>::ZEROS), B(n, n, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double diag[] = {-0.2, -0.1, 1.0};
            const double mimo[] = {male(gen), male(gen)};
            const double b[] = {d(gen), d(gen)};
            A(i, j) = i == j ? Polynom(diag, 3) : Polynom(mimo, 2);
            B(i, j) = Polynom(b, 2);
        }
    return CLDDS_Vnejsi_MIMO(A, B);
}

Matrix<double> signal(int kanaly, bool sloupec) {
    std::mt19937 gen(51u + kanaly);
    Matrix<double> u(kanaly, KROKU_SIGNALU, Matrix<double>::ZEROS);
    for (int p = 0; p < u.get_count(); ++p) u.get_matrix()[p] = static_cast<double>(gen() % 2);
    return sloupec ? u.transpozice() : u;
}

// A stream that formats nothing: the printed x*I would only flood the listing.
std::ostream& nikam() {
    static std::ostream proud(nullptr);
    return proud;
}

// ---------------------------------------------------------------- determinants

void det_real_cofactor(benchmark::State& stav) {
    const Matrix<double> m = nahodnaMatice(static_cast<int>(stav.range(0)), 1);
    for (auto _ : stav) benchmark::DoNotOptimize(m.detRozvojem());
}

void det_real_fast(benchmark::State& stav) {
    const Matrix<double> m = nahodnaMatice(static_cast<int>(stav.range(0)), 1);
    for (auto _ : stav) benchmark::DoNotOptimize(m.det());
}

void det_poly_cofactor(benchmark::State& stav) {
    const Matrix<Polynom> m = charakteristickaMatice(nahodnaMatice(static_cast<int>(stav.range(0)), 2));
    for (auto _ : stav) benchmark::DoNotOptimize(m.detRozvojem());
}

void det_poly_fast(benchmark::State& stav) {
    const Matrix<Polynom> m = charakteristickaMatice(nahodnaMatice(static_cast<int>(stav.range(0)), 2));
    for (auto _ : stav) benchmark::DoNotOptimize(m.det());
}

// ---------------------------------------------------------------- magnitudes and stability

void root_magnitudes(benchmark::State& stav) {
    const Polynom p = stabilniPolynom(static_cast<int>(stav.range(0)), 4);
    for (auto _ : stav) {
        Rovnice r(p);
        r.AbsolutValue();
        benchmark::DoNotOptimize(r.get_solution());
    }
}

// The exact path alone: the characteristic polynomial of F in integers and its certified verdict.
void stability_state_exact(benchmark::State& stav) {
    const PresnaMatice F = presneZMatice(nahodnaMatice(static_cast<int>(stav.range(0)), 5));
    for (auto _ : stav) benchmark::DoNotOptimize(presnyVerdikt(charakteristickyPolynomPresne(F)));
}

// z^n + 1: every root on the circle, from the real roots of the trace polynomial.
CelyPolynom jednotkovy(int n) {
    std::vector<long> k(static_cast<std::size_t>(n + 1), 0);
    k.front() = k.back() = 1;
    return CelyPolynom::zCelych(k);
}

// The exact pole listing, every value correctly rounded: roots on the circle, and the
// eigenvalues of a random F off it.
void poles_roots_of_unity(benchmark::State& stav) {
    const CelyPolynom p = jednotkovy(static_cast<int>(stav.range(0)));
    for (auto _ : stav) benchmark::DoNotOptimize(presnePoly(p));
}

void poles_state_exact(benchmark::State& stav) {
    const CelyPolynom p = charakteristickyPolynomPresne(presneZMatice(nahodnaMatice(static_cast<int>(stav.range(0)), 5)));
    for (auto _ : stav) benchmark::DoNotOptimize(presnePoly(p));
}

// The count of the roots on the circle: Sturm sequences of the trace polynomial.
void circle_count_sturm(benchmark::State& stav) {
    const RozdeleniKruznici casti = rozdelPodleKruznice(jednotkovy(static_cast<int>(stav.range(0))));
    for (auto _ : stav) benchmark::DoNotOptimize(realnychVIntervalu(stopovyPolynom(casti.g)));
}

// The straightforward stability test of a state-space system: the characteristic matrix of
// polynomials, its determinant and the root magnitudes of that (in floating point only).
void stability_state_polydet(benchmark::State& stav) {
    const int n = static_cast<int>(stav.range(0));
    const Matrix<double> F = nahodnaMatice(n, 6);
    for (auto _ : stav) {
        OwnMatrix FF(n, n, Matrix<Polynom>::ZEROS);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) FF(i, j) = Polynom(F(i, j), 0, 'x', false);
        Rovnice r(FF.vlastni_matice(nikam()).det());
        r.AbsolutValue();
        benchmark::DoNotOptimize(r.get_solution());
    }
}

// In use: the floating-point certificate, the exact path where it cannot decide.
void stability_state_certified(benchmark::State& stav) {
    const int n = static_cast<int>(stav.range(0));
    const CLDDS_Stav s(nahodnaMatice(n, 6), nahodnyBlok(n, 1, 7), nahodnyBlok(1, n, 8),
                       Matrix<double>(1, 1, Matrix<double>::ZEROS), Matrix<double>(n, 1, Matrix<double>::ZEROS), n,
                       1.0);
    for (auto _ : stav) benchmark::DoNotOptimize(s.stavova_stabilita(nikam()));
}

void stability_external_mimo(benchmark::State& stav) {
    const CLDDS_Vnejsi_MIMO s = vnejsiMIMO(static_cast<int>(stav.range(0)));
    for (auto _ : stav) benchmark::DoNotOptimize(s.stabilni());
}

// ---------------------------------------------------------------- responses (250 steps for Vystup)

template <typename Vyrobce>
void odezvy(benchmark::State& stav, Vyrobce vyrob, int druh) {
    const auto system = vyrob(static_cast<int>(stav.range(0)));
    const Matrix<double> u = signal(1, true);
    for (auto _ : stav) {
        if (druh == 0) benchmark::DoNotOptimize(system.impulsni_funkce());
        if (druh == 1) benchmark::DoNotOptimize(system.prechodova_funkce());
        if (druh == 2) benchmark::DoNotOptimize(system.vystup_systemu(u));
    }
}

template <typename Vyrobce>
void odezvyMIMO(benchmark::State& stav, Vyrobce vyrob, int kanaly, int druh) {
    const auto system = vyrob(static_cast<int>(stav.range(0)));
    const Matrix<double> u = signal(kanaly, false);
    for (auto _ : stav) {
        if (druh == 0) benchmark::DoNotOptimize(system.impulsni_funkce());
        if (druh == 1) benchmark::DoNotOptimize(system.prechodova_funkce());
        if (druh == 2) benchmark::DoNotOptimize(system.vystup_systemu(u));
    }
}

void response_state_siso_impulse(benchmark::State& s) { odezvy(s, stavSISO, 0); }
void response_state_siso_step(benchmark::State& s) { odezvy(s, stavSISO, 1); }
void response_state_siso_output(benchmark::State& s) { odezvy(s, stavSISO, 2); }
void response_state_mimo4_impulse(benchmark::State& s) { odezvyMIMO(s, [](int n) { return stavMIMO(n, 4); }, 4, 0); }
void response_state_mimo4_step(benchmark::State& s) { odezvyMIMO(s, [](int n) { return stavMIMO(n, 4); }, 4, 1); }
void response_state_mimo4_output(benchmark::State& s) { odezvyMIMO(s, [](int n) { return stavMIMO(n, 4); }, 4, 2); }
void response_external_siso_impulse(benchmark::State& s) { odezvy(s, vnejsiSISO, 0); }
void response_external_siso_step(benchmark::State& s) { odezvy(s, vnejsiSISO, 1); }
void response_external_siso_output(benchmark::State& s) { odezvy(s, vnejsiSISO, 2); }
void response_external_mimo_impulse(benchmark::State& s) { odezvyMIMO(s, vnejsiMIMO, 0, 0); }
void response_external_mimo_step(benchmark::State& s) { odezvyMIMO(s, vnejsiMIMO, 0, 1); }

void response_external_mimo_output(benchmark::State& stav) {
    const int n = static_cast<int>(stav.range(0));
    const CLDDS_Vnejsi_MIMO system = vnejsiMIMO(n);
    const Matrix<double> u = signal(n, false);
    for (auto _ : stav) benchmark::DoNotOptimize(system.vystup_systemu(u));
}

// ---------------------------------------------------------------- conversions

// The exact transfer function (module of exact arithmetic, rounded once).
void siso_to_external(benchmark::State& stav) {
    CLDDS_Stav_SISO s = stavSISO(static_cast<int>(stav.range(0)));
    for (auto _ : stav) benchmark::DoNotOptimize(CLDDS_Vnejsi_SISO(s));
}

void mimo3_to_external(benchmark::State& stav) {
    CLDDS_Stav_MIMO s = stavMIMO(static_cast<int>(stav.range(0)), 3);
    for (auto _ : stav) benchmark::DoNotOptimize(CLDDS_Vnejsi_MIMO(s));
}

void external_siso_to_state(benchmark::State& stav) {
    CLDDS_Vnejsi_SISO v = vnejsiSISO(static_cast<int>(stav.range(0)));
    for (auto _ : stav) benchmark::DoNotOptimize(CLDDS_Stav_SISO(v));
}

void external_mimo_to_state(benchmark::State& stav) {
    CLDDS_Vnejsi_MIMO v = vnejsiMIMO(static_cast<int>(stav.range(0)));
    for (auto _ : stav) benchmark::DoNotOptimize(CLDDS_Stav_MIMO(v));
}

const std::vector<int64_t> VELIKOSTI = {2, 4, 8, 16, 32, 64};

void velikosti(benchmark::internal::Benchmark* b, const std::vector<int64_t>& seznam) {
    for (int64_t n : seznam) b->Arg(n);
    b->Unit(benchmark::kMicrosecond);
}

#define MERENI(funkce, ...) \
    BENCHMARK(funkce)->Apply([](benchmark::internal::Benchmark* b) { velikosti(b, __VA_ARGS__); })

// Cofactor expansion grows with n!: it stops at the sizes where one expansion still takes
// about a second.
MERENI(det_real_cofactor, {2, 4, 8, 9, 10});
MERENI(det_real_fast, {2, 4, 8, 9, 10, 16, 32, 64});
MERENI(det_poly_cofactor, {2, 4, 8, 9});
MERENI(det_poly_fast, {2, 4, 8, 9, 16, 32, 64});
MERENI(root_magnitudes, VELIKOSTI);
MERENI(stability_state_exact, VELIKOSTI);
MERENI(stability_state_polydet, {2, 4, 8, 16, 32});
MERENI(poles_roots_of_unity, {16, 64, 255});
MERENI(poles_state_exact, VELIKOSTI);
MERENI(circle_count_sturm, {16, 64, 255});
MERENI(stability_state_certified, VELIKOSTI);
MERENI(stability_external_mimo, {2, 4, 8, 16, 32});
MERENI(response_state_siso_impulse, VELIKOSTI);
MERENI(response_state_siso_step, VELIKOSTI);
MERENI(response_state_siso_output, VELIKOSTI);
MERENI(response_state_mimo4_impulse, VELIKOSTI);
MERENI(response_state_mimo4_step, VELIKOSTI);
MERENI(response_state_mimo4_output, VELIKOSTI);
MERENI(response_external_siso_impulse, VELIKOSTI);
MERENI(response_external_siso_step, VELIKOSTI);
MERENI(response_external_siso_output, VELIKOSTI);
MERENI(response_external_mimo_impulse, {2, 4, 8, 16, 32});
MERENI(response_external_mimo_step, {2, 4, 8, 16, 32});
MERENI(response_external_mimo_output, {2, 4, 8, 16, 32});
MERENI(siso_to_external, VELIKOSTI);
// The MIMO state-space conversion takes at most 8 states.
MERENI(mimo3_to_external, {2, 4, 8});
MERENI(external_siso_to_state, VELIKOSTI);
MERENI(external_mimo_to_state, {2, 4, 8, 16, 32});

// ---------------------------------------------------------------- speed-up table

// The usual console listing, then for every pair (straightforward method, method in use)
// measured at the same size the ratio of their times.
class ReporterZrychleni : public benchmark::ConsoleReporter {
    std::map<std::pair<std::string, std::string>, double> casy;  // (name, size) -> seconds per call

public:
    void ReportRuns(const std::vector<Run>& behy) override {
        for (const Run& beh : behy)
            if (!beh.error_occurred && beh.run_type == Run::RT_Iteration && beh.iterations > 0)
                casy[{beh.run_name.function_name, beh.run_name.args}] =
                    beh.real_accumulated_time / static_cast<double>(beh.iterations);
        ConsoleReporter::ReportRuns(behy);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::pair<const char*, const char*> dvojice[] = {
            {"det_real_cofactor", "det_real_fast"},
            {"det_poly_cofactor", "det_poly_fast"},
            {"stability_state_polydet", "stability_state_certified"},
        };
        std::printf("\n%-50s %6s %14s %14s %10s\n", "straightforward vs in use", "n", "before [us]", "now [us]",
                    "speed-up");
        for (const auto& d : dvojice) {
            std::vector<std::pair<int, std::pair<double, double>>> radky;  // size, (before, now)
            for (const auto& zaznam : casy) {
                if (zaznam.first.first != d.first) continue;
                const auto rychly = casy.find({d.second, zaznam.first.second});
                if (rychly != casy.end())
                    radky.push_back({std::stoi(zaznam.first.second), {zaznam.second, rychly->second}});
            }
            std::sort(radky.begin(), radky.end());
            const std::string nazev = std::string(d.first) + " / " + d.second;
            for (const auto& r : radky)
                std::printf("%-50s %6d %14.1f %14.1f %9.1fx\n", nazev.c_str(), r.first, r.second.first * 1e6,
                            r.second.second * 1e6, r.second.first / r.second.second);
        }
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    ReporterZrychleni reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
