#ifndef PRVKOVEMATICE_H
#define PRVKOVEMATICE_H

#include <Eigen/Core>

// Elementwise work on dense double matrices as plain loops over the column-major storage
// (inner loops down a column, which the compiler vectorises), compiled once here instead of as
// an expression template in every caller. Each value is rounded as written: a sum of k terms
// has at most k - 1 roundings, in the order stated.

using RefPrvku = Eigen::Ref<const Eigen::MatrixXd>;

Eigen::MatrixXd absolutniHodnoty(const RefPrvku& A);                         // |A|
Eigen::MatrixXd soucetAbsolutnich(const RefPrvku& A, const RefPrvku& B);    // |A| + |B|
Eigen::MatrixXd velikostiCasti(const Eigen::MatrixXcd& A);                   // |Re A| + |Im A|
Eigen::MatrixXd soucetPrvku(const RefPrvku& A, const RefPrvku& B);           // A + B
Eigen::MatrixXd nasobekPrvku(const RefPrvku& A, double c);                   // A c
void vynasobPrvky(Eigen::MatrixXd& A, double c);                             // A := A c
// (sum_j |a_ij|) c for each row, j from the left.
Eigen::VectorXd souctyVelikostiRadku(const RefPrvku& A, double c = 1.0);
// sum_i |a_ij| for each column, i from the top.
Eigen::RowVectorXd souctyVelikostiSloupcu(const RefPrvku& A);
// max_i |a_ij| for each column (0 for no rows).
Eigen::RowVectorXd maximaVelikostiSloupcu(const RefPrvku& A);
bool jeNulova(const RefPrvku& A);    // every element 0 (NaN is not)
bool jeKonecna(const RefPrvku& A);   // no infinity, no NaN
bool jeKonecna(const Eigen::Ref<const Eigen::MatrixXcd>& A);

#endif
