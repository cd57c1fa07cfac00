#include "ModulKorenyCebysev.h"

#include <algorithm>
#include <cmath>

#include "HustyRozklad.h"

std::vector<std::complex<double>> odhadyKorenuCebysev(const std::vector<CeleCislo>& a, bool druhy) {
    std::vector<std::complex<double>> koreny;
    const long d = static_cast<long>(a.size()) - 1;
    if (d < 2 || fmpz_is_zero(a.back().get())) return koreny;
    slong ed = 0;
    const double vedouci = fmpz_get_d_2exp(&ed, a.back().get());
    // x T_0 = T_1 (x U_0 = U_1 / 2), x T_k = (T_(k-1) + T_(k+1)) / 2 alike, and the top one
    // replaced by -sum a_k T_k / a_d at a root: the transpose of that matrix, upper Hessenberg,
    // goes straight to the Schur form.
    Eigen::MatrixXd H(d, d);
    H.setZero();
    H(1, 0) = druhy ? 0.5 : 1.0;
    for (long k = 1; k < d; ++k) {
        H(k - 1, k) = 0.5;
        if (k + 1 < d) H(k + 1, k) = 0.5;
    }
    for (long k = 0; k < d; ++k) {
        slong e = 0;
        const double m = fmpz_get_d_2exp(&e, a[static_cast<std::size_t>(k)].get());
        if (e - ed > 1000) return koreny;
        H(k, d - 1) -= std::ldexp(m / vedouci, static_cast<int>(std::max<slong>(e - ed, -1100))) / 2.0;
    }
    return vlastniCislaHessenbergovy(H);
}
