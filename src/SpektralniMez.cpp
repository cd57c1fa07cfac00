#include "SpektralniMez.h"

#include <algorithm>
#include <cmath>

#include "HusteSoucty.h"
#include "HustyRozklad.h"
#include "JisteNormy.h"
#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"

namespace {

using smerovane::gama;
using smerovane::nahoru;

// |a_ij| of a complex matrix, each from above.
Eigen::MatrixXd velikostiShora(const Eigen::MatrixXcd& A) {
    Eigen::MatrixXd V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = smerovane::velikostNahoru(A(i, j));
    return V;
}

// I - A for a square A, elementwise.
Eigen::MatrixXcd jednotkovaBezKomplexni(Eigen::MatrixXcd A) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) A(i, j) = (i == j ? 1.0 : 0.0) - A(i, j);
    return A;
}

// F V - V diag(lambda), the first product in complex arithmetic as written.
Eigen::MatrixXcd reziduumVlastnich(const Eigen::MatrixXd& F, const Eigen::MatrixXcd& V,
                                   const std::vector<std::complex<double>>& lambda) {
    Eigen::MatrixXcd Fc(F.rows(), F.cols());
    for (long j = 0; j < F.cols(); ++j)
        for (long i = 0; i < F.rows(); ++i) Fc(i, j) = F(i, j);
    Eigen::MatrixXcd R = soucin(Fc, V);
    for (long j = 0; j < R.cols(); ++j)
        for (long i = 0; i < R.rows(); ++i) R(i, j) -= V(i, j) * lambda[static_cast<std::size_t>(j)];
    return R;
}

}  // namespace

SpektralniMez::SpektralniMez(const Eigen::MatrixXd& F) {
    const long n = F.rows();
    const VlastniRozklad rozklad = vlastniRozklad(F);
    if (!rozklad.uspech) return;
    const Eigen::MatrixXcd& V = rozklad.vektory;
    const std::vector<std::complex<double>>& lambda = rozklad.hodnoty;
    const Eigen::MatrixXcd W = inverzeLU(V);
    const Eigen::MatrixXd absV = velikostiShora(V), absW = velikostiShora(W);
    // Complex products are within gamma of |A||B| (Higham, section 3.6), with complex units.
    const double g = gama(n + 2.0, smerovane::U_KOMPLEXNI);
    const double beta = nahoru(normaRadkuShora(jednotkovaBezKomplexni(soucin(W, V))) + g * normaSoucinuShora(absW, absV));
    if (!(beta < 0.5)) return;
    const double normaV = normaRadkuShora(V), inverzeV = nahoru(normaRadkuShora(W) / (1.0 - beta));
    // R* = F* V - V Lambda: computed R, the rounding of both products, and (F* - F) V.
    const Eigen::MatrixXcd R = reziduumVlastnich(F, V, lambda);
    double velikostLambda = 0.0;
    for (const std::complex<double>& l : lambda) velikostLambda = std::max(velikostLambda, smerovane::velikostNahoru(l));
    const double FV = normaSoucinuShora(F, absV);
    const double rezidua = nahoru(normaRadkuShora(R) + (g + CHYBA_CTENI) * FV + g * normaV * velikostLambda +
                                  n * smerovane::PODTECENI);
    vlastniCisla = lambda;
    podminenost = nahoru(normaV * inverzeV);
    chybaSpektra = nahoru(inverzeV * rezidua);
    if (!std::isfinite(podminenost) || !std::isfinite(chybaSpektra)) podminenost = chybaSpektra = INFINITY;
}

double SpektralniMez::inverze(std::complex<double> z, double chybaZ) const {
    if (!std::isfinite(podminenost)) return INFINITY;
    double vzdalenost = INFINITY;
    for (const std::complex<double>& l : vlastniCisla) vzdalenost = std::min(vzdalenost, smerovane::velikostDolu(z - l));
    const double rezerva = vzdalenost * (1.0 - 4.0 * smerovane::U) - chybaZ - chybaSpektra;
    if (!(rezerva > 0.0)) return INFINITY;
    return nahoru(podminenost / rezerva);
}
