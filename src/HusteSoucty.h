#ifndef HUSTESOUCTY_H
#define HUSTESOUCTY_H

#include <Eigen/Core>

#include <complex>

// Products of dense matrices by Eigen's blocked kernels, compiled once here: every caller passes
// plain matrices or blocks of them (Ref), so each kernel is instantiated for one type only. Each
// element is a dot product of the inner dimension k in some order, within gamma_k |A| |B| of
// the exact one (Higham, "Accuracy and Stability of Numerical Algorithms", 2nd ed., section 3.5;
// complex: section 3.6).

using MaticeL = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
using RefD = Eigen::Ref<const Eigen::MatrixXd>;
using RefC = Eigen::Ref<const Eigen::MatrixXcd>;
// Every parameter is a Ref, which binds only matrices of its own scalar type: a call has one match.
using RefL = Eigen::Ref<const MaticeL>;

Eigen::MatrixXd soucin(const RefD& A, const RefD& B);                   // A B
Eigen::MatrixXd soucinTransponovane(const RefD& A, const RefD& B);      // A^T B
Eigen::MatrixXcd soucin(const RefC& A, const RefC& B);                  // A B
Eigen::MatrixXcd soucinTransponovane(const RefC& A, const RefC& B);     // A^T B (no conjugate)
MaticeL soucin(const RefL& A, const RefL& B);                           // A B in long double

#endif
