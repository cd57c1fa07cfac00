#include "SpektralniMez.h"

#include <algorithm>
#include <cmath>

#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"

namespace {

using MaticeC = Eigen::MatrixXcd;
using smerovane::gama;
using smerovane::nahoru;

// ||A||_inf of a complex matrix, from above.
double normaRadku(const MaticeC& A) {
    double v = 0.0;
    for (long i = 0; i < A.rows(); ++i) {
        double radek = 0.0;
        for (long j = 0; j < A.cols(); ++j) radek += smerovane::velikostNahoru(A(i, j));
        v = std::max(v, radek);
    }
    return nahoru(v * (1.0 + gama(A.cols() + 1.0)));
}

// || |A| |B| ||_inf for real |A|, |B| given as magnitudes.
double normaSoucinu(const Eigen::MatrixXd& A, const Eigen::MatrixXd& B) {
    const Eigen::VectorXd radky = B.rowwise().sum();
    return nahoru((A * radky).maxCoeff() * (1.0 + gama(2.0 * (A.cols() + B.cols()))));
}

Eigen::MatrixXd velikosti(const MaticeC& A) {
    Eigen::MatrixXd V(A.rows(), A.cols());
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j) V(i, j) = smerovane::velikostNahoru(A(i, j));
    return V;
}

}  // namespace

SpektralniMez::SpektralniMez(const Eigen::MatrixXd& F) {
    const long n = F.rows();
    const Eigen::EigenSolver<Eigen::MatrixXd> rozklad(F);
    if (rozklad.info() != Eigen::Success) return;
    const MaticeC V = rozklad.eigenvectors();
    const Eigen::VectorXcd lambda = rozklad.eigenvalues();
    const MaticeC W = V.partialPivLu().inverse();
    const Eigen::MatrixXd absV = velikosti(V), absW = velikosti(W);
    // Complex products are within gamma of |A||B| (Higham, section 3.6), with complex units.
    const double g = gama(n + 2.0, smerovane::U_KOMPLEXNI);
    const double beta = nahoru(normaRadku(MaticeC::Identity(n, n) - W * V) + g * normaSoucinu(absW, absV));
    if (!(beta < 0.5)) return;
    const double normaV = normaRadku(V), inverzeV = nahoru(normaRadku(W) / (1.0 - beta));
    // R* = F* V - V Lambda: computed R, the rounding of both products, and (F* - F) V.
    const MaticeC R = F.cast<std::complex<double>>() * V - V * lambda.asDiagonal();
    double velikostLambda = 0.0;
    for (long i = 0; i < n; ++i) velikostLambda = std::max(velikostLambda, smerovane::velikostNahoru(lambda(i)));
    const double FV = normaSoucinu(F.cwiseAbs(), absV);
    const double rezidua = nahoru(normaRadku(R) + (g + CHYBA_CTENI) * FV + g * normaV * velikostLambda +
                                  n * smerovane::PODTECENI);
    for (long i = 0; i < n; ++i) vlastniCisla.push_back(lambda(i));
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
