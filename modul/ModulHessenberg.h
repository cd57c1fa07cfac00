#ifndef MODULHESSENBERG_H
#define MODULHESSENBERG_H

#include <cstdint>
#include <vector>

// Characteristic polynomials over Z/p for primes p below 2^28, whose residues fit the 32-bit
// lanes of vector instructions and 256 of whose products add up in 64 bits: the reduction to upper Hessenberg form by
// similarity, then the recurrence over its leading blocks (H. Cohen, A Course in Computational
// Algebraic Number Theory, Algorithm 2.2.9), O(n^3). Every product is reduced by Shoup's
// method with a precomputed quotient, so the inner loops are plain 32-bit arithmetic that the
// compiler vectorises (AVX2 where the processor has it, chosen at run time).

const std::uint32_t MEZ_PRVOCISEL = std::uint32_t(1) << 28;

// The largest prime below `pod` and below MEZ_PRVOCISEL (pass MEZ_PRVOCISEL for the first).
std::uint32_t prvocisloPod(std::uint32_t pod);

// a_k = a_k + c b_k mod p for k < delka, every entry and c below p < MEZ_PRVOCISEL: one row
// added to another in the vectorised loop of the reduction.
void pridejNasobekModP(std::uint32_t* a, const std::uint32_t* b, long delka, std::uint32_t c, std::uint32_t p);

// det(zI - A) modulo p, coefficients from power 0 up (n + 1 of them); A is n x n, row-major,
// its entries below p, and is left in Hessenberg form.
std::vector<std::uint32_t> charakteristickyModP(std::vector<std::uint32_t>& A, long n, std::uint32_t p);

#endif
