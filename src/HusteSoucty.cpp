#include "HusteSoucty.h"

#include <Eigen/Core>

Eigen::MatrixXd soucin(const RefD& A, const RefD& B) {
    Eigen::MatrixXd C(A.rows(), B.cols());
    C.noalias() = A * B;
    return C;
}

Eigen::MatrixXd soucinTransponovane(const RefD& A, const RefD& B) {
    Eigen::MatrixXd C(A.cols(), B.cols());
    C.noalias() = A.transpose() * B;
    return C;
}

Eigen::MatrixXcd soucin(const RefC& A, const RefC& B) {
    Eigen::MatrixXcd C(A.rows(), B.cols());
    C.noalias() = A * B;
    return C;
}

Eigen::MatrixXcd soucinTransponovane(const RefC& A, const RefC& B) {
    Eigen::MatrixXcd C(A.cols(), B.cols());
    C.noalias() = A.transpose() * B;
    return C;
}

MaticeL soucin(const RefL& A, const RefL& B) {
    MaticeL C(A.rows(), B.cols());
    C.noalias() = A * B;
    return C;
}
