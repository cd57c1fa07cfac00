#ifndef JISTAHESSENBERGOVA_H
#define JISTAHESSENBERGOVA_H

#include <memory>
#include <vector>

#include "JistaEliminace.h"

// A state-space system in upper Hessenberg form (F n x n, G n x l, H m x n, L m x l; real,
// row by row) and how far it may lie from the exact system it stands for: the exact one is
// similar to (F + E, G + dG, H + dH) with ||E||_inf <= chybaF, ||dG_j||_inf <= chybyG[j],
// ||dH_o||_1 <= chybyH[o], and |dL| <= CHYBA_CTENI |L|.
struct HessenbergovSystem {
    int n = 0, l = 0, m = 0;
    std::vector<double> F, G, H, L;
    std::vector<double> Ft;  // F transposed
    double chybaF = 0.0;
    std::vector<double> chybyG, chybyH;
};

// Y = L + H (zI - F)^-1 G at one point z (|z - z*| <= chybaZ for the exact point z*) with a
// bound on each element, from one elimination of the Hessenberg matrix, O(n^2) per input and
// output; the work space is kept from one point to the next. ||M^-1|| is bounded through the
// comparison matrices of the factors, as in jisteVyres.
// - Without the adjoint, X ~ (zI - F)^-1 G has the a-priori bound of jisteVyres, and each value
//   the bound ||H_o||_1 ||X* - X||.
// - With it (sDualem), also V ~ (zI - F)^-T H^T, and with the residuals R and S the exact value
//   is L + H X + V^T R + S^T M^-1 R: the first-order error is ||V_o||_1 times the bound of R's
//   column, ||M^-1|| enters only the second-order term, and the bound is about as tight as the
//   value's own sensitivity; twice the work.
// False where no bound exists (a matrix singular as evaluated or too close to singular).
class HessenbergovoVyhodnoceni {
public:
    explicit HessenbergovoVyhodnoceni(HessenbergovSystem system);
    ~HessenbergovoVyhodnoceni();
    HessenbergovoVyhodnoceni(const HessenbergovoVyhodnoceni&) = delete;
    HessenbergovoVyhodnoceni& operator=(const HessenbergovoVyhodnoceni&) = delete;

    bool vystupy(Komplexni z, double chybaZ, bool sDualem, std::vector<Komplexni>& Y, std::vector<double>& chybyY);

private:
    struct Prostor;
    bool bezDualu(double chybaM, double inverze, std::vector<Komplexni>& Y, std::vector<double>& chybyY);
    HessenbergovSystem s;
    double normaM = 0.0, normaMt = 0.0;  // ||zI - F||_inf and ||zI - F||_1 for |z| = 1
    std::unique_ptr<Prostor> prostor;
};

#endif
