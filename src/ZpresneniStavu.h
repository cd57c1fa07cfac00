#ifndef ZPRESNENISTAVU_H
#define ZPRESNENISTAVU_H

#include <Eigen/Core>

#include <vector>

#include "FrekvencniOdezva.h"
#include "RozdelenySoucin.h"

// A state space balanced by D = diag(2^exponenty) (exact; no exponents: not balanced), with
// |written - double| <= d* for the doubles alone and, for the refinement, the values as
// written kept to about 64 bits: written = double + lo + d, |d| <= e (ChybaCteni.h: dolniCasti).
struct VyvazenySystem {
    Eigen::MatrixXd F, G, H, L;
    Eigen::MatrixXd dF, dG, dH, dL;
    Eigen::MatrixXd Flo, Glo, Hlo, Llo;
    Eigen::MatrixXd eF, eG, eH, eL;
    std::vector<int> exponenty;
};

// The values L + H (zI - F)^-1 G of some output/input pairs at the exact point of a listed
// frequency, from approximate solutions X0 ~ (zI - F)^-1 G_i and V0 ~ (zI - F)^-T H_o^T (any
// vectors will do): with the exact residuals R* = G* - (z* I - F*) X0 and
// S* = H*^T - (z* I - F*)^T V0, the exact value is L* + H* X0 + V0^T R* + S*^T M*^-1 R*.
// R and H X0 are computed without rounding from the values as written to 64 bits and the point
// to 2^-55 (RozdelenySoucin.h), so the first-order error is |V0|^T times what the data and the
// point leave of R, and ||M*^-1|| (inverze0) enters only the second-order term, S being
// computed in double. The bound thus follows the value's own sensitivity to 2^-55 instead of to
// the roundings of double; O(n^2) per input and output.
class ZpresneniStavu {
public:
    explicit ZpresneniStavu(VyvazenySystem system);
    // Y (vystupy x vstupy, row by row) and the bound of each value; false when a bound does
    // not exist (a value not finite, a slice below the range of double).
    bool hodnoty(const PresnyBod& bod, Eigen::MatrixXcd X0, const Eigen::MatrixXcd& V0, double inverze0,
                 const std::vector<int>& vstupy, const std::vector<int>& vystupy, std::vector<Komplexni>& Y,
                 std::vector<double>& chyby) const;

private:
    struct Rezidua;
    bool rezidua(const PresnyBod& bod, const RezySloupcu& X, const std::vector<int>& vstupy, Rezidua& r) const;
    bool pridejPrimeAH(SoucetSKompenzaci& soucet, const RezySloupcu& X, const Eigen::MatrixXd& Xr,
                       const std::vector<int>& vstupy, const std::vector<int>& vystupy) const;
    Eigen::VectorXd normyS(const PresnyBod& bod, const Eigen::MatrixXcd& V0, const std::vector<int>& vystupy) const;
    VyvazenySystem s;
    int bitu = 0;
    RezyRadku rezyF;
    Eigen::VectorXd radkyF, radkyFlo, radkyEF;  // row sums of |F|, |Flo|, |eF|, raised by gamma_n+2
    Eigen::VectorXd radkyDF;                    // row sums of dF
    bool maFlo = false, maGlo = false, maHlo = false;
};

#endif
