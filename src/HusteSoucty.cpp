#include "HusteSoucty.h"

#include <Eigen/Core>

namespace {

// A B, or A^T B, into a matrix of its own (no aliasing with the factors).
template <class Matice, class Ref>
Matice soucinDo(const Ref& A, const Ref& B) {
    Matice C(A.rows(), B.cols());
    C.noalias() = A * B;
    return C;
}

template <class Matice, class Ref>
Matice soucinTransponovanychDo(const Ref& A, const Ref& B) {
    Matice C(A.cols(), B.cols());
    C.noalias() = A.transpose() * B;
    return C;
}

}  // namespace

Eigen::MatrixXd soucin(const RefD& A, const RefD& B) { return soucinDo<Eigen::MatrixXd>(A, B); }

Eigen::MatrixXd soucinTransponovane(const RefD& A, const RefD& B) {
    return soucinTransponovanychDo<Eigen::MatrixXd>(A, B);
}

Eigen::MatrixXcd soucin(const RefC& A, const RefC& B) { return soucinDo<Eigen::MatrixXcd>(A, B); }

Eigen::MatrixXcd soucinTransponovane(const RefC& A, const RefC& B) {
    return soucinTransponovanychDo<Eigen::MatrixXcd>(A, B);
}

MaticeL soucin(const RefL& A, const RefL& B) { return soucinDo<MaticeL>(A, B); }
