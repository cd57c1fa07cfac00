#ifndef JISTAELIMINACE_H
#define JISTAELIMINACE_H

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

using Komplexni = std::complex<double>;

// a b by the textbook formula, without the checks of std::complex for inf and nan operands
// (they cost a library call per product); within sqrt(2) gamma_2 of the exact product.
inline Komplexni soucin(Komplexni a, Komplexni b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// a / b as a conj(b) / |b|^2 on b scaled by a power of two (exact), so that no square
// overflows or underflows: within about 6 u of the exact quotient. b must not be 0.
Komplexni podilSeSkalou(Komplexni a, Komplexni b);
// The same, without the scaling where no square can overflow or underflow (the usual case,
// inline).
inline Komplexni podil(Komplexni a, Komplexni b) {
    const double velikost = std::max(std::fabs(b.real()), std::fabs(b.imag()));
    if (!(velikost > 0x1p-300 && velikost < 0x1p300 && std::fabs(a.real()) < 0x1p300 && std::fabs(a.imag()) < 0x1p300))
        return podilSeSkalou(a, b);
    const double jmenovatel = b.real() * b.real() + b.imag() * b.imag();
    return {(a.real() * b.real() + a.imag() * b.imag()) / jmenovatel,
            (a.imag() * b.real() - a.real() * b.imag()) / jmenovatel};
}

// Norms of the triangular factors of PM = LU, each an upper bound: ||L||_inf, ||U||_inf,
// ||L^-1||_inf and ||U^-1||_inf; the inverses through the comparison matrices, whose inverses
// bound |L^-1| and |U^-1| elementwise.
struct NormyRozkladu {
    double L = 0.0, U = 0.0, inverzeL = 0.0, inverzeU = 0.0;

    // A bound of |dM| in the computed PM + dM = LU (Higham, theorems 9.3 and 9.4: gamma_3n |L||U|
    // covers the factorisation and each solve with the factors).
    double chybaRozkladu(int n) const;
    // A bound of ||M*^-1||_inf for every M* within chybaM (maximum row-sum norm) of M; inf when
    // the bounds do not give one.
    double inverzePresne(int n, double chybaM) const;
};

// ||U||_inf and ||U^-1||_inf of the upper triangle of U (n x n, row by row) into `normy`.
void normyHorni(const std::vector<Komplexni>& U, int n, NormyRozkladu& normy);

// Solves M X = P (M n x n, P n x k, both row by row, overwritten) by elimination with partial
// pivoting and bounds the error against the exact system: when the exact matrix is M - E with
// ||E||_inf <= chybaM and the exact column j of P differs from the given one by at most
// chybaP[j] (maximum norm), the exact solution's column j differs from X's by at most
// chyby[j]. Below the diagonal M has non-zeros in at most `pasmo` rows (n - 1 in general, 1 for
// a Hessenberg matrix); only those take part. The bound follows Higham (Accuracy and Stability
// of Numerical Algorithms, theorems 9.3 and 9.4): the computed X solves (M + dM) X = P with
// |dM| <= gamma_3n |L||U|, and ||M^-1|| <= ||U^-1|| ||L^-1|| / (1 - ...), each bounded through
// the comparison matrices of the triangular factors. False, with no bound, when M is singular
// as evaluated, a value overflows, or the bound does not exist (a matrix too close to
// singular for it).
bool jisteVyres(std::vector<Komplexni>& M, int n, int pasmo, std::vector<Komplexni>& P, int k, double chybaM,
                const std::vector<double>& chybaP, std::vector<double>& chyby);


// Componentwise bounds of the data of jisteVystupy, each of the shape of its value.
struct ChybyDat {
    std::vector<double> M, G, H, D;
};

// Y = D + H M^-1 G (M n x n, G n x l, H m x n, D m x l, row by row) with a bound on each element
// against the exact data, which differ from the given by at most `chyby` elementwise. With
// X ~ M^-1 G and V ~ M^-T H^T from one LU factorisation and the residuals R = G - M X,
// S = H^T - M^T V, the exact Y = D + H X + V^T R + S^T M^-1 R: the first-order error is
// |V|^T (bounds of R) elementwise, and ||M^-1|| (bounded as in jisteVyres) enters only the
// second-order term. So the bound is as tight as the data's own sensitivity, however
// non-normal M is; rows and columns are first scaled by powers of two (exactly) so that a
// badly scaled M does not spoil ||M^-1|| either. False when M is singular as evaluated, a
// value overflows, or M is too close to singular for the bound of ||M^-1||.
bool jisteVystupy(std::vector<Komplexni> M, int n, std::vector<Komplexni> G, int l, std::vector<Komplexni> H, int m,
                  const std::vector<Komplexni>& D, ChybyDat chyby, std::vector<Komplexni>& Y,
                  std::vector<double>& chybyY);

#endif
