#ifndef STRUKTURAPRENOSU_H
#define STRUKTURAPRENOSU_H

#include <vector>

// Which output/input pairs of C (zI - F)^-1 B no path of the system joins. (zI - F)^-1 has a
// non-zero diagonal polynomial and is zero at (r, c) when the graph of F's non-zero off-diagonal
// elements (edge r -> c for F_rc != 0) has no path from r to c (the matrix is then block
// triangular with r and c in blocks that do not meet). So pair (o, i) is exactly zero when no
// state that output o reads (C_or != 0) leads to a state that input i drives (B_ci != 0).
// hrany n x n, vstupy n x l (B), vystupy m x n (C); the answer m x l, row by row.
std::vector<bool> bezCesty(const std::vector<std::vector<bool>>& hrany, const std::vector<std::vector<bool>>& vstupy,
                           const std::vector<std::vector<bool>>& vystupy);

#endif
