#ifndef JISTAHESSENBERGOVA_H
#define JISTAHESSENBERGOVA_H

#include <functional>
#include <memory>
#include <vector>

#include <Eigen/Core>

#include "JistaEliminace.h"

// A state-space system in upper Hessenberg form (F n x n, G n x l, H m x n, L m x l; real,
// row by row) and how far it may lie from the exact system it stands for: the exact one is
// similar to (F + E, G + dG, H + dH) with ||E||_inf <= chybaF, ||dG_j||_inf <= chybyG[j],
// ||dH_o||_1 <= chybyH[o], and |L* - L| <= dL elementwise. Q is the similarity to the system
// it came from, F0 = Q F Q^-1 (empty for the identity).
struct HessenbergovSystem {
    int n = 0, l = 0, m = 0;
    std::vector<double> F, G, H, L, dL;
    std::vector<double> Ft;  // F transposed
    double chybaF = 0.0;
    std::vector<double> chybyG, chybyH;
    Eigen::MatrixXd Q;
    double normaQ = 1.0, inverzeQ = 1.0;  // ||Q||_inf, ||Q^-1||_inf
};

// Y = L + H (zI - F)^-1 G at one point z (|z - z*| <= chybaZ for the exact point z*) with a
// bound on each element, from one elimination of the Hessenberg matrix, O(n^2) per input and
// output; the work space is kept from one point to the next. ||M^-1|| is bounded through the
// comparison matrices of the factors, as in jisteVyres, or by mezInverze. X ~ (zI - F)^-1 G and
// its residual in double bound each value through |H_o|^T times the comparison matrices'
// inverses (or ||H_o||_1 ||M^-1||). False where no bound exists (a matrix singular as evaluated
// or too close to singular).
class HessenbergovoVyhodnoceni {
public:
    // mezInverze(z, chybaZ), when given, bounds ||(z* I - F0*)^-1||_inf for the exact system as
    // it came, where the comparison matrices give no bound.
    explicit HessenbergovoVyhodnoceni(HessenbergovSystem system,
                                      std::function<double(Komplexni, double)> mezInverze = nullptr);
    ~HessenbergovoVyhodnoceni();
    HessenbergovoVyhodnoceni(const HessenbergovoVyhodnoceni&) = delete;
    HessenbergovoVyhodnoceni& operator=(const HessenbergovoVyhodnoceni&) = delete;

    bool vystupy(Komplexni z, double chybaZ, std::vector<Komplexni>& Y, std::vector<double>& chybyY);

    // For a refinement in the system as it came: the columns X0 = Q (zI - F)^-1 G_i for the
    // inputs `vstupy` and V0 = Q (zI - F)^-T H_o^T for the outputs `vystupy` (approximations,
    // of no bound), and `inverze0`, a bound of ||(z* I - F0*)^-1||_inf for the exact system and
    // every |z* - z| <= chybaZ. False where that bound does not exist.
    bool reseni(Komplexni z, double chybaZ, const std::vector<int>& vstupy, const std::vector<int>& vystupy,
                Eigen::MatrixXcd& X0, Eigen::MatrixXcd& V0, double& inverze0);

private:
    struct Prostor;
    // Factors zI - F and bounds ||M*^-1|| in this form (inverze) and in the one the system came
    // in (inverze0); porovnani tells whether the comparison matrices gave it.
    bool rozlozV(Komplexni z, double chybaZ, double& chybaM, double& inverze, double& inverze0, bool& porovnani);
    // X_i ~ M^-1 G_i for every input, with ||X_i||_inf and a bound of its exact residual.
    void resVstupy(Komplexni z, double chybaM);
    bool bezDualu(Komplexni z, double chybaM, double inverze, bool porovnani, std::vector<Komplexni>& Y,
                  std::vector<double>& chybyY);
    HessenbergovSystem s;
    std::unique_ptr<Prostor> prostor;
    std::function<double(Komplexni, double)> mezInverze;
    double normaM = 0.0;  // ||zI - F||_inf for |z| = 1
};

#endif
