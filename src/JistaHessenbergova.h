#ifndef JISTAHESSENBERGOVA_H
#define JISTAHESSENBERGOVA_H

#include <functional>
#include <memory>
#include <vector>

#include "JistaEliminace.h"

// A state-space system in upper Hessenberg form (F n x n, G n x l, H m x n, L m x l; real,
// row by row) and how far it may lie from the exact system it stands for: the exact one is
// similar to (F + E, G + dG, H + dH) with ||E||_inf <= chybaF, ||dG_j||_inf <= chybyG[j],
// ||dH_o||_1 <= chybyH[o], and |L* - L| <= dL elementwise. Beside it the system it came from,
// F0 = Q F Q^-1, G0, H0 (Q empty for the identity), with elementwise bounds dF0, dG0, dH0 of
// their reading: the adjoint evaluation takes its residuals there, where no similarity blurs
// them.
struct HessenbergovSystem {
    int n = 0, l = 0, m = 0;
    std::vector<double> F, G, H, L, dL;
    std::vector<double> Ft;  // F transposed
    double chybaF = 0.0;
    std::vector<double> chybyG, chybyH;
    std::vector<double> F0, F0t, G0, H0, dF0, dG0, dH0, Q;
    double normaQ = 1.0, inverzeQ = 1.0;  // ||Q||_inf, ||Q^-1||_inf
};

// Y = L + H (zI - F)^-1 G at one point z (|z - z*| <= chybaZ for the exact point z*) with a
// bound on each element, from one elimination of the Hessenberg matrix, O(n^2) per input and
// output; the work space is kept from one point to the next. ||M^-1|| is bounded through the
// comparison matrices of the factors, as in jisteVyres.
// - Without the adjoint, X ~ (zI - F)^-1 G and its residual in double bound each value through
//   |H_o|^T times the comparison matrices' inverses (or ||H_o||_1 ||M^-1||).
// - With it, also V ~ (zI - F)^-T H^T; both go back to the system as it came
//   (X0 = Q X, V0 = Q V, any vectors will do) and with the residuals R = G0 - (zI - F0) X0 and
//   S = H0^T - (zI - F0)^T V0 there (summed in double, or in long double where that does not
//   suffice) the exact value is
//   L + H0 X0 + V0^T R + S^T M0^-1 R: the first-order error is |V0_o|^T times the bounds of R's
//   column (elementwise for the reading), ||M0^-1|| enters only the second-order term, and the
//   bound is about as tight as the value's own sensitivity; twice the work.
// False where no bound exists (a matrix singular as evaluated or too close to singular).
class HessenbergovoVyhodnoceni {
public:
    // mezInverze(z, chybaZ), when given, bounds ||(z* I - F0*)^-1||_inf for the exact system as
    // it came, where the comparison matrices give no bound.
    explicit HessenbergovoVyhodnoceni(HessenbergovSystem system,
                                      std::function<double(Komplexni, double)> mezInverze = nullptr);
    ~HessenbergovoVyhodnoceni();
    HessenbergovoVyhodnoceni(const HessenbergovoVyhodnoceni&) = delete;
    HessenbergovoVyhodnoceni& operator=(const HessenbergovoVyhodnoceni&) = delete;

    // Without the adjoint, or with it and the residuals summed in double or in long double.
    enum class Dual { Bez, Rezidua, DlouhaRezidua };
    bool vystupy(Komplexni z, double chybaZ, Dual dualni, std::vector<Komplexni>& Y, std::vector<double>& chybyY);

private:
    struct Prostor;
    bool bezDualu(Komplexni z, double chybaM, double inverze, bool porovnani, std::vector<Komplexni>& Y,
                  std::vector<double>& chybyY);
    bool sDualem0(Komplexni z, double chybaZ, double inverze0, Dual dualni, std::vector<Komplexni>& Y,
                  std::vector<double>& chybyY);
    HessenbergovSystem s;
    std::unique_ptr<Prostor> prostor;
    std::function<double(Komplexni, double)> mezInverze;
    double normaM = 0.0;                   // ||zI - F||_inf for |z| = 1
    double normaM0 = 0.0, normaM0t = 0.0;  // ||zI - F0|| in both norms for |z| = 1
    double normaDF0 = 0.0;                 // ||dF0||_inf
};

#endif
