#ifndef HUSTYROZKLAD_H
#define HUSTYROZKLAD_H

#include <Eigen/Core>

#include <complex>
#include <vector>

// Eigen's dense decompositions behind plain functions, compiled once for both programs: the
// Hessenberg reduction, the real Schur form (with eigenvectors or without), the LU inverse.
// They promise nothing of their own; their callers bound the residuals of what they return.

// A = Q H Q^T: H upper Hessenberg (zeros below the subdiagonal), Q orthogonal as computed
// (Householder reflections accumulated).
struct HessenbergovTvar {
    Eigen::MatrixXd H, Q;
};
HessenbergovTvar hessenbergovTvar(const Eigen::MatrixXd& A);

// A V ~ V diag(hodnoty) for a real square A, complex eigenvectors in the columns of V (each of
// unit 2-norm); uspech false when the QR iteration did not converge.
struct VlastniRozklad {
    bool uspech = false;
    std::vector<std::complex<double>> hodnoty;
    Eigen::MatrixXcd vektory;
};
VlastniRozklad vlastniRozklad(const Eigen::MatrixXd& A);

// The eigenvalues of a real upper Hessenberg matrix straight from its Schur form, conjugate
// pairs next to each other (the one of positive imaginary part first); empty when the QR
// iteration did not converge.
std::vector<std::complex<double>> vlastniCislaHessenbergovy(const Eigen::MatrixXd& H);

// A^-1 by LU with partial pivoting (no check of the pivots: a singular A gives inf or NaN).
Eigen::MatrixXcd inverzeLU(const Eigen::MatrixXcd& A);

#endif
