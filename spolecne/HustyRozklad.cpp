#include "HustyRozklad.h"

#include <cmath>

#include <Eigen/Eigenvalues>
#include <Eigen/LU>

// One RealSchur<MatrixXd> serves all three: EigenSolver holds one and reduces to Hessenberg form
// by the same HessenbergDecomposition, so its QR iteration and Householder code are compiled
// once here.

HessenbergovTvar hessenbergovTvar(const Eigen::MatrixXd& A) {
    const Eigen::HessenbergDecomposition<Eigen::MatrixXd> rozklad(A);
    HessenbergovTvar t;
    t.H = rozklad.matrixH();
    Eigen::VectorXd prostor(A.rows());
    rozklad.matrixQ().evalTo(t.Q, prostor);
    return t;
}

VlastniRozklad vlastniRozklad(const Eigen::MatrixXd& A) {
    const Eigen::EigenSolver<Eigen::MatrixXd> rozklad(A);
    VlastniRozklad r;
    if (rozklad.info() != Eigen::Success) return r;
    r.uspech = true;
    r.vektory = rozklad.eigenvectors();
    const Eigen::VectorXcd& hodnoty = rozklad.eigenvalues();
    r.hodnoty.assign(hodnoty.data(), hodnoty.data() + hodnoty.size());
    return r;
}

std::vector<std::complex<double>> vlastniCislaHessenbergovy(const Eigen::MatrixXd& H) {
    std::vector<std::complex<double>> hodnoty;
    const long d = H.rows();
    if (d == 0) return hodnoty;  // RealSchur takes the address of its empty workspace
    Eigen::RealSchur<Eigen::MatrixXd> schur(d);
    schur.computeFromHessenberg(H, Eigen::MatrixXd(), false);
    if (schur.info() != Eigen::Success) return hodnoty;
    const Eigen::MatrixXd& T = schur.matrixT();
    // 1 x 1 blocks are real eigenvalues, 2 x 2 blocks conjugate pairs.
    for (long i = 0; i < d;) {
        if (i == d - 1 || T(i + 1, i) == 0.0) {
            hodnoty.emplace_back(T(i, i), 0.0);
            ++i;
            continue;
        }
        const double p = 0.5 * (T(i, i) - T(i + 1, i + 1));
        const double z = std::sqrt(std::fabs(p * p + T(i + 1, i) * T(i, i + 1)));
        hodnoty.emplace_back(T(i + 1, i + 1) + p, z);
        hodnoty.emplace_back(T(i + 1, i + 1) + p, -z);
        i += 2;
    }
    return hodnoty;
}

Eigen::MatrixXcd inverzeLU(const Eigen::MatrixXcd& A) {
    return A.partialPivLu().inverse();
}
