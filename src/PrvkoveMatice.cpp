#include "PrvkoveMatice.h"

#include <algorithm>
#include <cmath>
#include <complex>

using Eigen::MatrixXd;

MatrixXd absolutniHodnoty(const RefPrvku& A) {
    MatrixXd V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = std::fabs(A(i, j));
    return V;
}

MatrixXd soucetAbsolutnich(const RefPrvku& A, const RefPrvku& B) {
    MatrixXd V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = std::fabs(A(i, j)) + std::fabs(B(i, j));
    return V;
}

MatrixXd velikostiCasti(const Eigen::MatrixXcd& A) {
    MatrixXd V(A.rows(), A.cols());
    for (long k = 0; k < A.size(); ++k) V.data()[k] = std::fabs(A.data()[k].real()) + std::fabs(A.data()[k].imag());
    return V;
}

MatrixXd soucetPrvku(const RefPrvku& A, const RefPrvku& B) {
    MatrixXd V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = A(i, j) + B(i, j);
    return V;
}

MatrixXd nasobekPrvku(const RefPrvku& A, double c) {
    MatrixXd V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = A(i, j) * c;
    return V;
}

Eigen::VectorXd souctyVelikostiRadku(const RefPrvku& A, double c) {
    Eigen::VectorXd s = Eigen::VectorXd::Zero(A.rows());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) s(i) += std::fabs(A(i, j));
    for (long i = 0; i < A.rows(); ++i) s(i) *= c;
    return s;
}

Eigen::RowVectorXd souctyVelikostiSloupcu(const RefPrvku& A) {
    Eigen::RowVectorXd s(A.cols());
    for (long j = 0; j < A.cols(); ++j) {
        double soucet = 0.0;
        for (long i = 0; i < A.rows(); ++i) soucet += std::fabs(A(i, j));
        s(j) = soucet;
    }
    return s;
}

Eigen::RowVectorXd maximaVelikostiSloupcu(const RefPrvku& A) {
    Eigen::RowVectorXd m(A.cols());
    for (long j = 0; j < A.cols(); ++j) {
        double nejvetsi = 0.0;
        for (long i = 0; i < A.rows(); ++i) nejvetsi = std::max(nejvetsi, std::fabs(A(i, j)));
        m(j) = nejvetsi;
    }
    return m;
}

void vynasobPrvky(MatrixXd& A, double c) {
    double* a = A.data();
    for (long k = 0; k < A.size(); ++k) a[k] *= c;
}

bool jeNulova(const RefPrvku& A) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i)
            if (A(i, j) != 0.0) return false;
    return true;
}

bool jeKonecna(const RefPrvku& A) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i)
            if (!std::isfinite(A(i, j))) return false;
    return true;
}

bool jeKonecna(const Eigen::Ref<const Eigen::MatrixXcd>& A) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i)
            if (!std::isfinite(A(i, j).real()) || !std::isfinite(A(i, j).imag())) return false;
    return true;
}
