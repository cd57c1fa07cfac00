#include "JisteNormy.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "SmerovaneZaokrouhleni.h"

namespace {

// The row sums of |A| (|a_ij| given by `velikost`), column by column over the contiguous
// storage so that the compiler vectorises the inner loop; each row is summed in the order of
// its columns.
template <typename Skalar, typename Velikost>
std::vector<double> soucetRadkuVelikosti(const Eigen::Ref<const Eigen::Matrix<Skalar, Eigen::Dynamic, Eigen::Dynamic>>& A,
                                         Velikost velikost) {
    std::vector<double> radky(static_cast<std::size_t>(A.rows()), 0.0);
    for (long j = 0; j < A.cols(); ++j) {
        const Skalar* sloupec = A.data() + j * A.outerStride();
        for (long i = 0; i < A.rows(); ++i) radky[static_cast<std::size_t>(i)] += velikost(sloupec[i]);
    }
    return radky;
}

// The largest row sum, or inf where one is NaN (a NaN value or inf - inf), so that no bound
// passes over it.
double nejvetsiSoucetRadku(const std::vector<double>& radky) {
    double v = 0.0;
    for (double r : radky) {
        if (std::isnan(r)) return INFINITY;
        v = std::max(v, r);
    }
    return v;
}

double normaZRadku(const std::vector<double>& radky, long sloupcu) {
    return smerovane::nahoru(nejvetsiSoucetRadku(radky) * (1.0 + smerovane::gama(sloupcu + 1.0)));
}

// velikostNahoru may lose a NaN part in its max and min; it is kept here.
double velikostKomplexni(std::complex<double> z) {
    return z == z ? smerovane::velikostNahoru(z) : NAN;
}

}  // namespace

double normaRadkuShora(const RefD& A) {
    if (A.size() == 0) return 0.0;
    return normaZRadku(soucetRadkuVelikosti<double>(A, [](double a) { return std::fabs(a); }), A.cols());
}

double normaRadkuShora(const RefC& A) {
    if (A.size() == 0) return 0.0;
    return normaZRadku(soucetRadkuVelikosti<std::complex<double>>(A, velikostKomplexni), A.cols());
}

double normaSoucinuShora(const RefD& A, const RefD& B) {
    if (A.rows() == 0) return 0.0;
    const std::vector<double> radkyB = soucetRadkuVelikosti<double>(B, [](double b) { return std::fabs(b); });
    std::vector<double> radky(static_cast<std::size_t>(A.rows()), 0.0);
    for (long k = 0; k < A.cols(); ++k) {
        const double* sloupec = A.data() + k * A.outerStride();
        const double r = radkyB[static_cast<std::size_t>(k)];
        for (long i = 0; i < A.rows(); ++i) radky[static_cast<std::size_t>(i)] += std::fabs(sloupec[i]) * r;
    }
    return smerovane::nahoru(nejvetsiSoucetRadku(radky) * (1.0 + smerovane::gama(2.0 * (A.cols() + B.cols()))));
}
