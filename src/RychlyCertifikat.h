#ifndef RYCHLYCERTIFIKAT_H
#define RYCHLYCERTIFIKAT_H

#include <complex>
#include <optional>
#include <vector>

// Certain stability verdicts in floating point, for the systems whose poles keep clear of the
// unit circle: true when no pole lies outside the closed unit disc, false when one certainly
// does, empty when the bounds below cannot tell (the exact path then decides). Every value
// given may differ from the exact one by at most `relativniChyba` times its magnitude (2^-52
// covers a correctly rounded decimal); every rounding error of the work itself is bounded too.

// Eigenvalues of the square matrix F (row-major, n x n), by repeated squaring: with
// ||F^k|| < 1 in the maximum row-sum norm every eigenvalue has |z| < 1, and with
// |trace F^k| > n one has |z| > 1 (|trace F^k| <= n rho(F)^k).
std::optional<bool> certifikatMocnin(const std::vector<double>& F, int n, double relativniChyba);

// Roots of the polynomial a (index = power, a non-zero top coefficient), from approximations
// of them: around the approximations r_i of the roots other than 0 lie the inclusion discs
// |z - r_i| <= n |q(r_i)| / |q_n prod_{j != i} (r_i - r_j)| (q = a without its roots at 0);
// their union holds every root, and a connected group of k discs exactly k roots.
std::optional<bool> certifikatKorenu(const std::vector<double>& a, double relativniChyba,
                                     std::vector<std::complex<double>> odhady);

// The bound for values read from text (a correctly rounded decimal has a relative error of at
// most 2^-53; the factor two leaves room for the rounding of the bound itself).
constexpr double CHYBA_CTENI = 0x1p-52;

#endif
