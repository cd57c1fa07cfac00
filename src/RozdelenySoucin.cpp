#include "RozdelenySoucin.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "HusteSoucty.h"
#include "PrvkoveMatice.h"
#include "SmerovaneZaokrouhleni.h"

namespace {

using Eigen::MatrixXd;

// The exponent e with |x| < 2^e for the largest |x| of a row or column; INT_MIN for zeros.
int exponentRezu(double nejvetsi) {
    if (nejvetsi == 0.0) return INT_MIN;
    int e = 0;
    std::frexp(nejvetsi, &e);
    return e;
}

// x rounded toward zero to an integer multiple of 2^jednotka (exact: ldexp only moves the
// exponent, and what trunc drops lies below the unit).
inline double rezNaJednotku(double x, int jednotka) {
    return std::ldexp(std::trunc(std::ldexp(x, -jednotka)), jednotka);
}

// The exponent of each row's largest magnitude.
std::vector<int> exponentyRadku(const MatrixXd& A) {
    std::vector<double> nejvetsi(static_cast<std::size_t>(A.rows()), 0.0);
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i)
            nejvetsi[static_cast<std::size_t>(i)] = std::max(nejvetsi[static_cast<std::size_t>(i)], std::fabs(A(i, j)));
    std::vector<int> exponenty;
    for (const double x : nejvetsi) exponenty.push_back(exponentRezu(x));
    return exponenty;
}

}  // namespace

int bituRezu(long n) {
    int log2n = 0;
    while ((1L << log2n) < n) ++log2n;
    return (53 - log2n) / 2;
}

RezyRadku::RezyRadku(const MatrixXd& A, int b) : exponenty(exponentyRadku(A)), bitu(b) {
    MatrixXd zbyva = A;
    for (int p = 1; p <= 3 && !jeNulova(zbyva); ++p) {
        MatrixXd r = MatrixXd::Zero(A.rows(), A.cols());
        for (long j = 0; j < A.cols(); ++j)
            for (long i = 0; i < A.rows(); ++i) {
                const int e = exponenty[static_cast<std::size_t>(i)];
                if (e != INT_MIN) r(i, j) = rezNaJednotku(zbyva(i, j), e - p * bitu);
            }
        // Exact: r holds the leading bits of zbyva.
        for (long k = 0; k < zbyva.size(); ++k) zbyva.data()[k] -= r.data()[k];
        rezy.push_back(std::move(r));
    }
    maZbytek = !jeNulova(zbyva);
    if (maZbytek) zbytek = std::move(zbyva);
}

RezySloupcu::RezySloupcu(MatrixXd& X, int bitu) : prvni(X.rows(), X.cols()), druhy(X.rows(), X.cols()) {
    const Eigen::RowVectorXd nejvetsi = maximaVelikostiSloupcu(X);
    for (long j = 0; j < X.cols(); ++j) {
        const int e = exponentRezu(nejvetsi(j));
        exponenty.push_back(e);
        for (long i = 0; i < X.rows(); ++i) {
            prvni(i, j) = e == INT_MIN ? 0.0 : rezNaJednotku(X(i, j), e - bitu);
            druhy(i, j) = e == INT_MIN ? 0.0 : rezNaJednotku(X(i, j) - prvni(i, j), e - 2 * bitu);
        }
    }
    X = soucetPrvku(prvni, druhy);
}

SoucetSKompenzaci::SoucetSKompenzaci(long radku, long sloupcu)
    : s(MatrixXd::Zero(radku, sloupcu)), c(s), velikostiClenu(s), zbytky(s) {}

void SoucetSKompenzaci::pridej(const MatrixXd& x) {
    // TwoSum (Knuth) per element: t + e = s + x exactly, e gathered in c. Only additions and
    // subtractions, each rounded as written (no reassociation without -ffast-math).
    double *sp = s.data(), *cp = c.data(), *vp = velikostiClenu.data();
    const double* xp = x.data();
    for (long k = 0; k < s.size(); ++k) {
        const double t = sp[k] + xp[k];
        const double z = t - sp[k];
        cp[k] += (sp[k] - (t - z)) + (xp[k] - z);
        sp[k] = t;
        vp[k] += std::fabs(xp[k]);
    }
    ++pocet;
}

void SoucetSKompenzaci::pridejPriblizne(const MatrixXd& x, const MatrixXd& chybaX) {
    pridej(x);
    for (long k = 0; k < zbytky.size(); ++k) zbytky.data()[k] += chybaX.data()[k];
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
    // Each slice product is exact in any order of summation, so the blocked product will do.
    for (const MatrixXd& r : A.rezy)
        for (const MatrixXd* x : {&X.prvni, &X.druhy}) pridej(soucin(r, *x));
    if (A.maZbytek) {
        // |fl(Z X) - Z X| <= gamma_n |Z| |X| (Higham, eq. 3.13), |Z| |X| itself computed from above.
        MatrixXd mez = soucin(absolutniHodnoty(A.zbytek), soucetAbsolutnich(X.prvni, X.druhy));
        vynasobPrvky(mez, smerovane::gama(n + 2.0) * (1.0 + smerovane::gama(n + 2.0)));
        pridejPriblizne(soucin(A.zbytek, soucetPrvku(X.prvni, X.druhy)), mez);
    }
    return true;
}

MatrixXd SoucetSKompenzaci::vysledek() const { return soucetPrvku(s, c); }

MatrixXd SoucetSKompenzaci::chyba() const {
    // |res - S| <= u |S| + gamma_K^2 sum |p| with |S| <= (|res| + that) ...: divided by 1 - u.
    const double g = smerovane::gama(pocet + 1.0), gg = g * g;
    MatrixXd mez(s.rows(), s.cols());
    for (long k = 0; k < s.size(); ++k) {
        const double v = std::fabs(s.data()[k] + c.data()[k]);
        const double m = (smerovane::U * v + gg * velikostiClenu.data()[k]) / (1.0 - smerovane::U) + zbytky.data()[k];
        mez.data()[k] = m * (1.0 + 8.0 * smerovane::U) + smerovane::PODTECENI;
    }
    return mez;
}
