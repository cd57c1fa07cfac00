// Benchmarks of the exact core (module of exact arithmetic, linked directly): characteristic
// polynomials at 50, 128 and 256 states, 1-bit (a cyclic permutation) and digit (random 1 ... 9)
// matrices, beside FLINT's rational routine as the straightforward method; det A(z) of the
// 255-output cycle zI + P; the exact conversion of a 256-state StavSISO, the refusal of one whose
// transfer function leaves the range of double, and small conversions (2 ... 8 states, without
// the cost of loading the module, which the whole-process table measures).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ModulAritmetika.h"
#include "ModulPrevod.h"
#include "PresnaMatice.h"
#include "ZadaniPresnosti.h"

namespace {

enum Druh { PERMUTACE = 0, CISLICE = 1 };

// A cycle through all states in shuffled order, or random digits 1 ... 9.
PresnaMatice matice(int n, Druh druh, unsigned seed = 3) {
    std::mt19937 gen(seed + static_cast<unsigned>(n));
    std::vector<int> poradi(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) poradi[static_cast<std::size_t>(i)] = i;
    std::shuffle(poradi.begin(), poradi.end(), gen);
    std::vector<std::vector<std::string>> radky(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(n), "0"));
    for (int i = 0; i < n; ++i) {
        if (druh == PERMUTACE)
            radky[static_cast<std::size_t>(poradi[static_cast<std::size_t>(i)])][static_cast<std::size_t>(poradi[static_cast<std::size_t>((i + 1) % n)])] = "1";
        else
            for (auto& x : radky[static_cast<std::size_t>(i)]) x = std::to_string(1 + gen() % 9);
    }
    PresnaMatice M;
    M.novyTvar(n, n);
    for (const auto& r : radky) M.pridejRadek(r);
    return M;
}

PresnaMatice sloupec01(int n, unsigned seed) {
    std::mt19937 gen(seed);
    PresnaMatice M;
    M.novyTvar(n, 1);
    for (int i = 0; i < n; ++i) M.pridejRadek({std::to_string(gen() % 2)});
    return M;
}

PresnaMatice transpozice(const PresnaMatice& v) {
    PresnaMatice M;
    M.novyTvar(1, v.get_rows());
    std::vector<std::string> radek;
    for (int i = 0; i < v.get_rows(); ++i) radek.push_back(v.prvek(i, 0).empty() ? "0" : v.prvek(i, 0).front());
    M.pridejRadek(radek);
    return M;
}

// The task text of a single-channel conversion of F with G, H of zeros and ones, L = 0.
std::string ulohaNaVnejsi(const PresnaMatice& F) {
    const int n = F.get_rows();
    const PresnaMatice G = sloupec01(n, 5), H = transpozice(sloupec01(n, 6));
    PresnaMatice L;
    L.novyTvar(1, 1);
    L.pridejRadek({"0"});
    return zadani::zapis(zadani::NA_VNEJSI, {&F, &G, &H, &L});
}

// A stable decimal matrix of order n (diagonal 0.5, -0.3, ..., couplings 0.1 above it).
PresnaMatice malaMatice(int n) {
    PresnaMatice M;
    M.novyTvar(n, n);
    for (int i = 0; i < n; ++i) {
        std::vector<std::string> radek(static_cast<std::size_t>(n), "0");
        radek[static_cast<std::size_t>(i)] = i % 2 ? "-0.3" : "0.5";
        if (i + 1 < n) radek[static_cast<std::size_t>(i + 1)] = "0.1";
        M.pridejRadek(radek);
    }
    return M;
}

void charpoly_flint_rational(benchmark::State& stav) {
    const PresnaMatice F = matice(static_cast<int>(stav.range(0)), static_cast<Druh>(stav.range(1)));
    const long n = F.get_rows();
    RacionalniMatice Q(n, n);
    nactiMatici(Q, F, 0);
    for (auto _ : stav) {
        RacionalniPolynom p;
        fmpq_mat_charpoly(p.get(), Q.get());
        benchmark::DoNotOptimize(p.get());
    }
}

void charpoly_in_use(benchmark::State& stav) {
    const PresnaMatice F = matice(static_cast<int>(stav.range(0)), static_cast<Druh>(stav.range(1)));
    for (auto _ : stav) benchmark::DoNotOptimize(charakteristickyPolynomPresne(F));
}

// zI + P for a cyclic permutation P of n outputs.
void det_polynomial_matrix_cycle(benchmark::State& stav) {
    const int n = static_cast<int>(stav.range(0));
    const PresnaMatice P = matice(n, PERMUTACE);
    PresnaMatice A;
    A.novyTvar(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const bool jedna = !P.prvek(i, j).empty() && P.prvek(i, j).front() == "1";
            A.pridejPrvek(i == j ? std::vector<std::string>{jedna ? "1" : "0", "1"}
                                 : std::vector<std::string>{jedna ? "1" : "0"});
        }
    for (auto _ : stav) benchmark::DoNotOptimize(determinantPresne(A));
}

void conversion_to_external_cycle(benchmark::State& stav) {
    const std::string uloha = ulohaNaVnejsi(matice(static_cast<int>(stav.range(0)), PERMUTACE));
    for (auto _ : stav) benchmark::DoNotOptimize(presnyPrevod(uloha));
}

// det(zI - F) of 256 digits has coefficients near 2^1196: refused.
void conversion_refused_out_of_range(benchmark::State& stav) {
    const std::string uloha = ulohaNaVnejsi(matice(static_cast<int>(stav.range(0)), CISLICE));
    for (auto _ : stav) {
        const std::string odpoved = presnyPrevod(uloha);
        if (odpoved.empty() || odpoved[0] != zadani::CHYBA) stav.SkipWithError("not refused");
        benchmark::DoNotOptimize(odpoved);
    }
}

void conversion_small_to_external(benchmark::State& stav) {
    const std::string uloha = ulohaNaVnejsi(malaMatice(static_cast<int>(stav.range(0))));
    for (auto _ : stav) benchmark::DoNotOptimize(presnyPrevod(uloha));
}

void rozmery(benchmark::internal::Benchmark* b) {
    for (int n : {50, 128, 256})
        for (int druh : {PERMUTACE, CISLICE}) b->Args({n, druh});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(charpoly_flint_rational)->Apply(rozmery);
BENCHMARK(charpoly_in_use)->Apply(rozmery);
BENCHMARK(det_polynomial_matrix_cycle)->Arg(255)->Unit(benchmark::kMillisecond);
BENCHMARK(conversion_to_external_cycle)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(conversion_refused_out_of_range)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(conversion_small_to_external)->DenseRange(2, 8, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
