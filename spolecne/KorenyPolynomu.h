#ifndef KORENYPOLYNOMU_H
#define KORENYPOLYNOMU_H

#include <complex>
#include <vector>

// Exact rescaling by powers of two: the roots of b are the roots of a divided by 2^k,
// k chosen so that the geometric mean of the root magnitudes is near 1, and the
// largest |b_i| lies in [1, 2). Keeps the evaluation away from overflow and underflow.
// Each coefficient is also kept as significand times a power of two, since coefficients far
// below the largest one underflow in b but may still decide the smallest or largest roots.
struct Centrovani {
    std::vector<double> b;
    std::vector<double> vyznamne;  // b_i = vyznamne_i * 2^exponenty_i, |vyznamne_i| in [1, 2)
    std::vector<long> exponenty;   // meaningless where the coefficient is 0
    int k;
};

// Centring of the polynomial sum_i mantisy_i 2^exponenty_i z^i (non-zero at both ends).
Centrovani centrujRozlozene(const std::vector<double>& mantisy, const std::vector<long>& exponenty);
// Centring of the polynomial with coefficients a (index = power, non-zero at both ends).
Centrovani centruj(const std::vector<double>& a);

// Floating-point approximations of all roots of a centred polynomial of degree 3 or more
// (Aberth-Ehrlich iterations from starting circles of the Newton polygon, then polishing), in
// a bounded number of steps for any input. Simple roots come out to about the rounding of the
// coefficients times their condition; the copies of a k-fold root scatter by about the k-th
// root of it. Roots whose polygon circle lies beyond the range of doubles keep a point of that
// circle. No guarantee of their own: they are starting points for certified verdicts.
std::vector<std::complex<double>> korenyCentrovanych(const Centrovani& c);

// An approximation z = w 2^k, for roots beyond the range of double.
struct KorenSMeritkem {
    std::complex<double> w;
    long k;
};

// Approximations of all roots of sum_i mantisy_i 2^exponenty_i z^i (non-zero at both ends),
// whatever the spread of their magnitudes: where the root magnitudes of two neighbouring edges
// of the Newton polygon differ by more than 2^64, the polygon is cut into bands, and the roots
// of a band are approximated by those of the polynomial of its coefficients alone (the other
// terms are smaller by at least 2^-32 there), centred on its own.
std::vector<KorenSMeritkem> korenyPasem(const std::vector<double>& mantisy, const std::vector<long>& exponenty);

// Their magnitudes (for roots beyond the range, the radius of their polygon circle).
std::vector<double> velikostiKorenu(const Centrovani& c);

// The approximations for a polynomial with coefficients a (index = power, non-zero at the
// top), the exact roots at 0 included; empty when a coefficient is not finite.
std::vector<std::complex<double>> korenyPolynomu(const std::vector<double>& a);

#endif
