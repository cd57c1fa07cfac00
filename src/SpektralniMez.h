#ifndef SPEKTRALNIMEZ_H
#define SPEKTRALNIMEZ_H

#include <Eigen/Core>

#include <cmath>
#include <complex>
#include <vector>

// A rigorous bound of ||(zI - F*)^-1||_inf at every point z, for every F* within CHYBA_CTENI of
// the real matrix F elementwise, from one eigendecomposition: with F V = V Lambda + R computed
// and W ~ V^-1, ||I - W V|| <= beta < 1 gives ||V^-1|| <= ||W|| / (1 - beta), and
// zI - F* = V (zI - Lambda - E) V^-1 with ||E|| <= ||V^-1|| ||R*||, so
// ||(zI - F*)^-1|| <= ||V|| ||V^-1|| / (min |z - lambda_i| - ||E||). O(n^3) once, O(n) per
// point; where the comparison matrices of the LU factors give no bound (a dense F far from
// triangular), this one usually does, unless F is far from diagonalisable.
class SpektralniMez {
public:
    explicit SpektralniMez(const Eigen::MatrixXd& F);
    // inf where no bound exists (F not diagonalised well enough, or z too close to an eigenvalue);
    // |z* - z| <= chybaZ for the exact point z*.
    double inverze(std::complex<double> z, double chybaZ) const;

private:
    std::vector<std::complex<double>> vlastniCisla;
    double podminenost = INFINITY;  // ||V|| ||V^-1||
    double chybaSpektra = INFINITY;  // ||E||
};

#endif
