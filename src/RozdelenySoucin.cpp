#include "RozdelenySoucin.h"

#include <climits>
#include <cmath>

#include "SmerovaneZaokrouhleni.h"

namespace {

// The exponent e with |x| < 2^e for the largest |x| of a row or column; INT_MIN for zeros.
int exponent(double nejvetsi) {
    if (nejvetsi == 0.0) return INT_MIN;
    int e = 0;
    std::frexp(nejvetsi, &e);
    return e;
}

// x rounded toward zero to an integer multiple of 2^jednotka (exact: ldexp only moves the
// exponent, and what trunc drops lies below the unit).
inline double rez(double x, int jednotka) { return std::ldexp(std::trunc(std::ldexp(x, -jednotka)), jednotka); }

}  // namespace

int bituRezu(long n) {
    int log2n = 0;
    while ((1L << log2n) < n) ++log2n;
    return (53 - log2n) / 2;
}

RezyRadku::RezyRadku(const Eigen::MatrixXd& A, int b) : bitu(b) {
    Eigen::MatrixXd zbyva = A;
    for (long i = 0; i < A.rows(); ++i) exponenty.push_back(exponent(A.row(i).cwiseAbs().maxCoeff()));
    for (int p = 1; p <= 3 && !zbyva.isZero(0.0); ++p) {
        Eigen::MatrixXd r = Eigen::MatrixXd::Zero(A.rows(), A.cols());
        for (long i = 0; i < A.rows(); ++i) {
            if (exponenty[static_cast<std::size_t>(i)] == INT_MIN) continue;
            const int jednotka = exponenty[static_cast<std::size_t>(i)] - p * bitu;
            for (long j = 0; j < A.cols(); ++j) r(i, j) = rez(zbyva(i, j), jednotka);
        }
        zbyva -= r;
        rezy.push_back(std::move(r));
    }
    maZbytek = !zbyva.isZero(0.0);
    if (maZbytek) zbytek = std::move(zbyva);
}

RezySloupcu::RezySloupcu(Eigen::MatrixXd& X, int bitu) : prvni(X.rows(), X.cols()), druhy(X.rows(), X.cols()) {
    for (long j = 0; j < X.cols(); ++j) {
        const int e = exponent(X.col(j).cwiseAbs().maxCoeff());
        exponenty.push_back(e);
        for (long i = 0; i < X.rows(); ++i) {
            prvni(i, j) = e == INT_MIN ? 0.0 : rez(X(i, j), e - bitu);
            druhy(i, j) = e == INT_MIN ? 0.0 : rez(X(i, j) - prvni(i, j), e - 2 * bitu);
        }
    }
    X = prvni + druhy;
}

SoucetSKompenzaci::SoucetSKompenzaci(long radku, long sloupcu)
    : s(Eigen::ArrayXXd::Zero(radku, sloupcu)), c(s), velikosti(s), zbytky(s) {}

void SoucetSKompenzaci::pridej(const Eigen::MatrixXd& x) {
    // TwoSum (Knuth): t + e = s + x exactly.
    const Eigen::ArrayXXd t = s + x.array();
    const Eigen::ArrayXXd z = t - s;
    c += (s - (t - z)) + (x.array() - z);
    s = t;
    velikosti += x.array().abs();
    ++pocet;
}

void SoucetSKompenzaci::pridejPriblizne(const Eigen::MatrixXd& x, const Eigen::MatrixXd& chybaX) {
    pridej(x);
    zbytky += chybaX.array();
}

bool SoucetSKompenzaci::pridejSoucin(const RezyRadku& A, const RezySloupcu& X) {
    const long n = A.rezy.empty() ? 0 : A.rezy[0].cols();
    int nejmensiA = INT_MAX, nejvetsiA = INT_MIN, nejmensiX = INT_MAX, nejvetsiX = INT_MIN;
    for (const int e : A.exponenty)
        if (e != INT_MIN) nejmensiA = std::min(nejmensiA, e), nejvetsiA = std::max(nejvetsiA, e);
    for (const int e : X.exponenty)
        if (e != INT_MIN) nejmensiX = std::min(nejmensiX, e), nejvetsiX = std::max(nejvetsiX, e);
    if (nejvetsiA == INT_MIN || nejvetsiX == INT_MIN) return true;  // a factor is zero
    // The smallest unit of a slice product must be a double (no underflow), the largest sum finite.
    const int slicu = static_cast<int>(A.rezy.size());
    if (nejmensiA + nejmensiX - (slicu + 2) * A.bitu < -1074 + 1 || nejvetsiA + nejvetsiX + 64 > 1023) return false;
    for (const Eigen::MatrixXd& r : A.rezy)
        for (const Eigen::MatrixXd* x : {&X.prvni, &X.druhy}) pridej(r * *x);
    if (A.maZbytek) {
        const Eigen::MatrixXd absX = X.prvni.cwiseAbs() + X.druhy.cwiseAbs();
        const Eigen::MatrixXd absZ = A.zbytek.cwiseAbs();
        // |fl(Z X) - Z X| <= gamma_n |Z| |X| (Higham, eq. 3.13), |Z| |X| itself computed from above.
        pridejPriblizne(A.zbytek * (X.prvni + X.druhy),
                        (absZ * absX) * (smerovane::gama(n + 2.0) * (1.0 + smerovane::gama(n + 2.0))));
    }
    return true;
}

Eigen::MatrixXd SoucetSKompenzaci::vysledek() const { return (s + c).matrix(); }

Eigen::MatrixXd SoucetSKompenzaci::chyba() const {
    // |res - S| <= u |S| + gamma_K^2 sum |p| with |S| <= (|res| + that) ...: divided by 1 - u.
    const double g = smerovane::gama(pocet + 1.0);
    const Eigen::ArrayXXd v = (s + c).abs();
    const Eigen::ArrayXXd mez = (smerovane::U * v + g * g * velikosti) / (1.0 - smerovane::U) + zbytky;
    return (mez * (1.0 + 8.0 * smerovane::U) + smerovane::PODTECENI).matrix();
}
