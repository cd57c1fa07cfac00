#include "ZpresneniStavu.h"

#include <climits>
#include <cmath>
#include <utility>

#include "SmerovaneZaokrouhleni.h"

namespace {

using Eigen::MatrixXcd;
using Eigen::MatrixXd;
using Eigen::VectorXd;
using smerovane::gama;
using smerovane::nahoru;

MatrixXd sloupce(const MatrixXd& A, const std::vector<int>& vyber) {
    MatrixXd V(A.rows(), static_cast<long>(vyber.size()));
    for (std::size_t k = 0; k < vyber.size(); ++k) V.col(static_cast<long>(k)) = A.col(vyber[k]);
    return V;
}

MatrixXd radky(const MatrixXd& A, const std::vector<int>& vyber) {
    MatrixXd V(static_cast<long>(vyber.size()), A.cols());
    for (std::size_t k = 0; k < vyber.size(); ++k) V.row(static_cast<long>(k)) = A.row(vyber[k]);
    return V;
}

MatrixXd vyber(const MatrixXd& A, const std::vector<int>& r, const std::vector<int>& s) { return sloupce(radky(A, r), s); }

// x = prvni + druha exactly, each of at most 27 significant bits, so that its product with a
// slice of at most 26 bits is exact.
std::pair<double, double> pulky(double x) {
    if (x == 0.0 || !std::isfinite(x)) return {x, 0.0};
    int e = 0;
    std::frexp(x, &e);
    const double prvni = std::ldexp(std::trunc(std::ldexp(x, 26 - e)), e - 26);
    return {prvni, x - prvni};
}

// [B | -A] for X = [A | B] (the real and imaginary parts of complex columns side by side):
// the parts of i X.
MatrixXd krat_i(const MatrixXd& X) {
    const long a = X.cols() / 2;
    MatrixXd P(X.rows(), X.cols());
    P.leftCols(a) = X.rightCols(a);
    P.rightCols(a) = -X.leftCols(a);
    return P;
}

// An upper bound of the outer product u v^T of non-negative vectors.
MatrixXd vnejsi(const VectorXd& u, const Eigen::RowVectorXd& v) { return (u * v) * (1.0 + 4.0 * smerovane::U); }

// An upper bound of |A|^T B for non-negative B, summed over n rows.
MatrixXd transponovanySoucin(const MatrixXd& absA, const MatrixXd& B) {
    return (absA.transpose() * B) * (1.0 + gama(absA.rows() + 2.0));
}

// V0^T R in double into the sum (real parts, then imaginary), with the bound of its rounding:
// complex dot products of n terms over |V0|^T |R|.
void pridejDualni(SoucetSKompenzaci& soucet, const MatrixXcd& V0, const MatrixXcd& R, const MatrixXd& velikostV,
                  const MatrixXd& velikostR) {
    const long n = V0.rows(), a = R.cols(), b = V0.cols();
    const MatrixXcd VR = V0.transpose() * R;
    MatrixXd VRr(b, 2 * a), velikostVR(b, 2 * a);
    VRr << VR.real(), VR.imag();
    const MatrixXd VRmez = transponovanySoucin(velikostV, velikostR) * gama(2.0 * n + 2.0, smerovane::U_KOMPLEXNI);
    velikostVR << VRmez, VRmez;
    soucet.pridejPriblizne(VRr, velikostVR);
}

}  // namespace

struct ZpresneniStavu::Rezidua {
    MatrixXcd R;
    MatrixXd chyba;  // per element, a bound of |R* - R|
};

ZpresneniStavu::ZpresneniStavu(VyvazenySystem system)
    : s(std::move(system)), bitu(bituRezu(s.F.rows())), rezyF(s.F, bitu) {
    const double navyseni = 1.0 + gama(s.F.cols() + 2.0);
    radkyF = s.F.cwiseAbs().rowwise().sum() * navyseni;
    radkyFlo = s.Flo.cwiseAbs().rowwise().sum() * navyseni;
    radkyEF = s.eF.cwiseAbs().rowwise().sum() * navyseni;
    maFlo = !s.Flo.isZero(0.0);
    maGlo = !s.Glo.isZero(0.0);
    maHlo = !s.Hlo.isZero(0.0);
}

bool ZpresneniStavu::rezidua(const PresnyBod& bod, const RezySloupcu& X, const std::vector<int>& vstupy,
                             Rezidua& r) const {
    const long n = s.F.rows(), a = static_cast<long>(vstupy.size());
    const MatrixXd Xr = X.prvni + X.druhy;
    SoucetSKompenzaci soucet(n, 2 * a);
    MatrixXd b = MatrixXd::Zero(n, 2 * a);
    b.leftCols(a) = sloupce(s.G, vstupy);
    soucet.pridej(b);
    if (maGlo) {
        b.leftCols(a) = sloupce(s.Glo, vstupy);
        soucet.pridej(b);
    }
    // -z X: every half of Re z and Im z times a slice of X is exact.
    const auto [r1, r2] = pulky(bod.hi.real());
    const auto [i1, i2] = pulky(bod.hi.imag());
    for (const MatrixXd* x : {&X.prvni, &X.druhy}) {
        const MatrixXd ix = krat_i(*x);
        for (const double c : {r1, r2})
            if (c != 0.0) soucet.pridej(-c * *x);
        for (const double c : {i1, i2})
            if (c != 0.0) soucet.pridej(c * ix);
    }
    // The low part of z with rounding: two products and a sum per value.
    const MatrixXd ix = krat_i(Xr);
    const double zl = std::fabs(bod.lo.real()) + std::fabs(bod.lo.imag());
    soucet.pridejPriblizne(-bod.lo.real() * Xr + bod.lo.imag() * ix,
                           (Xr.cwiseAbs() + ix.cwiseAbs()) * (zl * 3.0 * smerovane::U * (1.0 + 4.0 * smerovane::U)));
    if (!soucet.pridejSoucin(rezyF, X)) return false;
    const Eigen::RowVectorXd nejvetsiX = Xr.cwiseAbs().colwise().maxCoeff();
    if (maFlo) soucet.pridejPriblizne(s.Flo * Xr, vnejsi(radkyFlo, nejvetsiX) * gama(n + 2.0));
    const MatrixXd R = soucet.vysledek(), chyba = soucet.chyba();
    r.R.resize(n, a);
    r.R.real() = R.leftCols(a);
    r.R.imag() = R.rightCols(a);
    // What the data beyond 64 bits and the point leave of R*: eG, eF |X|, |z* - z| |X|.
    const MatrixXd velikostX = Xr.leftCols(a).cwiseAbs() + Xr.rightCols(a).cwiseAbs();
    const Eigen::RowVectorXd nejvetsi = velikostX.colwise().maxCoeff();
    r.chyba = (chyba.leftCols(a) + chyba.rightCols(a) + sloupce(s.eG, vstupy) + vnejsi(radkyEF, nejvetsi) +
               velikostX * bod.chyba) *
              (1.0 + 8.0 * smerovane::U);
    return r.R.allFinite() && r.chyba.allFinite();
}

Eigen::VectorXd ZpresneniStavu::normyS(const PresnyBod& bod, const MatrixXcd& V0, const std::vector<int>& vystupy) const {
    const long n = s.F.rows();
    const double zr = bod.hi.real(), zi = bod.hi.imag();
    const MatrixXd Vr = V0.real(), Vi = V0.imag(), Ht = radky(s.H, vystupy).transpose();
    const MatrixXd Sr = Ht - (zr * Vr - zi * Vi) + s.F.transpose() * Vr;
    const MatrixXd Si = -(zr * Vi + zi * Vr) + s.F.transpose() * Vi;
    const MatrixXd velikostV = Vr.cwiseAbs() + Vi.cwiseAbs();
    // Per output, sums over the states: |S|, the rounding gamma (|H| + |z| |V| + |F|^T |V|), the
    // reading of H and F (the doubles alone), and |z* - z_hi| |V|.
    const Eigen::RowVectorXd sumaV = velikostV.colwise().sum(), FV = radkyF.transpose() * velikostV;
    const Eigen::RowVectorXd dFV = (s.dF.cwiseAbs().rowwise().sum().transpose() * velikostV) * (1.0 + gama(2.0 * n));
    const Eigen::RowVectorXd sumaH = Ht.cwiseAbs().colwise().sum(), dH = radky(s.dH, vystupy).rowwise().sum().transpose();
    const double z = std::fabs(zr) + std::fabs(zi);
    const double bodu = bod.chyba + std::fabs(bod.lo.real()) + std::fabs(bod.lo.imag());
    const Eigen::RowVectorXd normy = (Sr.cwiseAbs() + Si.cwiseAbs()).colwise().sum() +
                                     gama(n + 4.0) * (sumaH + z * sumaV + FV) + dH + dFV + bodu * sumaV;
    return (normy * (1.0 + gama(n + 8.0))).transpose();
}

// L + H X0 into the sum: L with its low part, H X0 exactly by slices, and Hlo X0 with the bound
// of its rounding. False when the slices' product cannot be exact.
bool ZpresneniStavu::pridejPrimeAH(SoucetSKompenzaci& soucet, const RezySloupcu& X, const MatrixXd& Xr,
                                   const std::vector<int>& vstupy, const std::vector<int>& vystupy) const {
    const long n = s.F.rows(), a = static_cast<long>(vstupy.size()), b = static_cast<long>(vystupy.size());
    MatrixXd c = MatrixXd::Zero(b, 2 * a);
    c.leftCols(a) = vyber(s.L, vystupy, vstupy);
    soucet.pridej(c);
    c.leftCols(a) = vyber(s.Llo, vystupy, vstupy);
    soucet.pridej(c);
    const MatrixXd H = radky(s.H, vystupy);
    if (!soucet.pridejSoucin(RezyRadku(H, bitu), X)) return false;
    if (maHlo) {
        const Eigen::RowVectorXd nejvetsiX = Xr.cwiseAbs().colwise().maxCoeff();
        const double navyseni = 1.0 + gama(n + 2.0);
        const MatrixXd Hlo = radky(s.Hlo, vystupy);
        soucet.pridejPriblizne(Hlo * Xr, vnejsi(Hlo.cwiseAbs().rowwise().sum() * navyseni, nejvetsiX) * gama(n + 2.0));
    }
    return true;
}

bool ZpresneniStavu::hodnoty(const PresnyBod& bod, MatrixXcd X0, const MatrixXcd& V0, double inverze0,
                             const std::vector<int>& vstupy, const std::vector<int>& vystupy, std::vector<Komplexni>& Y,
                             std::vector<double>& chyby) const {
    const long n = s.F.rows(), a = static_cast<long>(vstupy.size()), b = static_cast<long>(vystupy.size());
    MatrixXd Xr(n, 2 * a);
    Xr << X0.real(), X0.imag();
    if (!Xr.allFinite() || !V0.allFinite() || !std::isfinite(inverze0)) return false;
    const RezySloupcu X(Xr, bitu);
    for (const int e : X.exponenty)
        if (e != INT_MIN && e - 2 * bitu - 60 < -1074) return false;
    Rezidua r;
    if (!rezidua(bod, X, vstupy, r)) return false;
    const MatrixXd velikostV = V0.real().cwiseAbs() + V0.imag().cwiseAbs();
    const MatrixXd velikostR = r.R.real().cwiseAbs() + r.R.imag().cwiseAbs();
    // Y = L + H X0 + V0^T R with compensation, H X0 exactly.
    SoucetSKompenzaci soucet(b, 2 * a);
    if (!pridejPrimeAH(soucet, X, Xr, vstupy, vystupy)) return false;
    pridejDualni(soucet, V0, r.R, velikostV, velikostR);
    const MatrixXd Yr = soucet.vysledek(), eY = soucet.chyba();
    // First order: |V0|^T (R* - R); second: ||S*|| ||M*^-1|| ||R*||; and L, H beyond 64 bits.
    const MatrixXd prvni = transponovanySoucin(velikostV, r.chyba);
    const Eigen::RowVectorXd normaR = velikostR.colwise().maxCoeff() + r.chyba.colwise().maxCoeff();
    const VectorXd S = normyS(bod, V0, vystupy);
    const VectorXd eH = radky(s.eH, vystupy).rowwise().sum() * (1.0 + gama(n + 2.0));
    const MatrixXd eL = vyber(s.eL, vystupy, vstupy);
    const Eigen::RowVectorXd velikostX = (Xr.leftCols(a).cwiseAbs() + Xr.rightCols(a).cwiseAbs()).colwise().maxCoeff();
    Y.assign(static_cast<std::size_t>(a * b), 0.0);
    chyby.assign(Y.size(), 0.0);
    for (long o = 0; o < b; ++o)
        for (long i = 0; i < a; ++i) {
            const std::size_t e = static_cast<std::size_t>(o * a + i);
            Y[e] = {Yr(o, i), Yr(o, a + i)};
            chyby[e] = nahoru(eY(o, i) + eY(o, a + i) + eL(o, i) + eH(o) * velikostX(i) + prvni(o, i) +
                              nahoru(S(o) * inverze0) * normaR(i) + smerovane::PODTECENI);
            if (!std::isfinite(chyby[e])) return false;
        }
    return true;
}
