#include "ZpresneniStavu.h"

#include <climits>
#include <cmath>
#include <utility>

#include "HusteSoucty.h"
#include "PrvkoveMatice.h"
#include "SmerovaneZaokrouhleni.h"

namespace {

using Eigen::MatrixXcd;
using Eigen::MatrixXd;
using Eigen::RowVectorXd;
using Eigen::VectorXd;
using smerovane::gama;
using smerovane::nahoru;

std::size_t indexVyberu(long k) { return static_cast<std::size_t>(k); }

MatrixXd vybraneSloupce(const MatrixXd& A, const std::vector<int>& vyber) {
    MatrixXd V(A.rows(), static_cast<long>(vyber.size()));
    for (long k = 0; k < V.cols(); ++k)
        for (long i = 0; i < V.rows(); ++i) V(i, k) = A(i, vyber[indexVyberu(k)]);
    return V;
}

MatrixXd vybraneRadky(const MatrixXd& A, const std::vector<int>& vyber) {
    MatrixXd V(static_cast<long>(vyber.size()), A.cols());
    for (long j = 0; j < V.cols(); ++j)
        for (long k = 0; k < V.rows(); ++k) V(k, j) = A(vyber[indexVyberu(k)], j);
    return V;
}

MatrixXd vybranePrvky(const MatrixXd& A, const std::vector<int>& radky, const std::vector<int>& sloupce) {
    MatrixXd V(static_cast<long>(radky.size()), static_cast<long>(sloupce.size()));
    for (long j = 0; j < V.cols(); ++j)
        for (long k = 0; k < V.rows(); ++k) V(k, j) = A(radky[indexVyberu(k)], sloupce[indexVyberu(j)]);
    return V;
}

// [A | 0] with a zero block as wide as A: a real value among real and imaginary parts.
MatrixXd sNulovymiImaginarnimi(const MatrixXd& A) {
    MatrixXd V = MatrixXd::Zero(A.rows(), 2 * A.cols());
    for (long k = 0; k < A.size(); ++k) V.data()[k] = A.data()[k];
    return V;
}

// x = prvni + druha exactly, each of at most 27 significant bits, so that its product with a
// slice of at most 26 bits is exact.
std::pair<double, double> pulkyBodu(double x) {
    if (x == 0.0 || !std::isfinite(x)) return {x, 0.0};
    int e = 0;
    std::frexp(x, &e);
    const double prvni = std::ldexp(std::trunc(std::ldexp(x, 26 - e)), e - 26);
    return {prvni, x - prvni};
}

// [B | -A] for X = [A | B] (the real and imaginary parts of complex columns side by side):
// the parts of i X.
MatrixXd kratImaginarni(const MatrixXd& X) {
    const long polovina = X.size() / 2;
    MatrixXd P(X.rows(), X.cols());
    for (long k = 0; k < polovina; ++k) {
        P.data()[k] = X.data()[polovina + k];
        P.data()[polovina + k] = -X.data()[k];
    }
    return P;
}

// The real parts of the columns of A, then their imaginary parts.
MatrixXd castiVedleSebe(const MatrixXcd& A) {
    MatrixXd P(A.rows(), 2 * A.cols());
    const long polovina = A.size();
    for (long k = 0; k < polovina; ++k) {
        P.data()[k] = A.data()[k].real();
        P.data()[polovina + k] = A.data()[k].imag();
    }
    return P;
}

// An upper bound of the outer product u v^T of non-negative vectors, times c >= 0.
MatrixXd vnejsiNahoru(const VectorXd& u, const RowVectorXd& v, double c = 1.0) {
    MatrixXd P(u.size(), v.size());
    for (long j = 0; j < P.cols(); ++j)
        for (long i = 0; i < P.rows(); ++i) P(i, j) = u(i) * v(j) * (1.0 + 4.0 * smerovane::U) * c;
    return P;
}

// An upper bound of |A|^T B for non-negative B, summed over n rows.
MatrixXd transponovanySoucinNahoru(const MatrixXd& absA, const MatrixXd& B) {
    MatrixXd P = soucinTransponovane(absA, B);
    vynasobPrvky(P, 1.0 + gama(absA.rows() + 2.0));
    return P;
}

// V0^T R in double into the sum (real parts, then imaginary), with the bound of its rounding:
// complex dot products of n terms over |V0|^T |R|.
void pridejDualni(SoucetSKompenzaci& soucet, const MatrixXcd& V0, const MatrixXcd& R, const MatrixXd& velikostV,
                  const MatrixXd& velikostR) {
    const long n = V0.rows();
    MatrixXd mez = transponovanySoucinNahoru(velikostV, velikostR);
    vynasobPrvky(mez, gama(2.0 * n + 2.0, smerovane::U_KOMPLEXNI));
    MatrixXd obeMeze(mez.rows(), 2 * mez.cols());
    for (long k = 0; k < mez.size(); ++k) obeMeze.data()[k] = obeMeze.data()[mez.size() + k] = mez.data()[k];
    soucet.pridejPriblizne(castiVedleSebe(soucinTransponovane(V0, R)), obeMeze);
}

}  // namespace

struct ZpresneniStavu::Rezidua {
    MatrixXcd R;
    MatrixXd chyba;  // per element, a bound of |R* - R|
};

ZpresneniStavu::ZpresneniStavu(VyvazenySystem system)
    : s(std::move(system)), bitu(bituRezu(s.F.rows())), rezyF(s.F, bitu) {
    const double navyseni = 1.0 + gama(s.F.cols() + 2.0);
    radkyF = souctyVelikostiRadku(s.F, navyseni);
    radkyFlo = souctyVelikostiRadku(s.Flo, navyseni);
    radkyEF = souctyVelikostiRadku(s.eF, navyseni);
    radkyDF = souctyVelikostiRadku(s.dF);
    maFlo = !jeNulova(s.Flo);
    maGlo = !jeNulova(s.Glo);
    maHlo = !jeNulova(s.Hlo);
}

bool ZpresneniStavu::rezidua(const PresnyBod& bod, const RezySloupcu& X, const std::vector<int>& vstupy,
                             Rezidua& r) const {
    const long n = s.F.rows(), a = static_cast<long>(vstupy.size());
    const MatrixXd Xr = soucetPrvku(X.prvni, X.druhy);
    SoucetSKompenzaci soucet(n, 2 * a);
    soucet.pridej(sNulovymiImaginarnimi(vybraneSloupce(s.G, vstupy)));
    if (maGlo) soucet.pridej(sNulovymiImaginarnimi(vybraneSloupce(s.Glo, vstupy)));
    // -z X: every half of Re z and Im z times a slice of X is exact.
    const auto [r1, r2] = pulkyBodu(bod.hi.real());
    const auto [i1, i2] = pulkyBodu(bod.hi.imag());
    for (const MatrixXd* x : {&X.prvni, &X.druhy}) {
        const MatrixXd ix = kratImaginarni(*x);
        for (const double c : {r1, r2})
            if (c != 0.0) soucet.pridej(nasobekPrvku(*x, -c));
        for (const double c : {i1, i2})
            if (c != 0.0) soucet.pridej(nasobekPrvku(ix, c));
    }
    // The low part of z with rounding: two products and a sum per value.
    const MatrixXd ix = kratImaginarni(Xr);
    const double zl = std::fabs(bod.lo.real()) + std::fabs(bod.lo.imag());
    const double zlr = -bod.lo.real(), zli = bod.lo.imag();
    const double navyseni = zl * 3.0 * smerovane::U * (1.0 + 4.0 * smerovane::U);
    MatrixXd nizsi(n, 2 * a), mezNizsi(n, 2 * a);
    for (long k = 0; k < nizsi.size(); ++k) {
        nizsi.data()[k] = zlr * Xr.data()[k] + zli * ix.data()[k];
        mezNizsi.data()[k] = (std::fabs(Xr.data()[k]) + std::fabs(ix.data()[k])) * navyseni;
    }
    soucet.pridejPriblizne(nizsi, mezNizsi);
    if (!soucet.pridejSoucin(rezyF, X)) return false;
    if (maFlo)
        soucet.pridejPriblizne(soucin(s.Flo, Xr), vnejsiNahoru(radkyFlo, maximaVelikostiSloupcu(Xr), gama(n + 2.0)));
    const MatrixXd R = soucet.vysledek(), chyba = soucet.chyba();
    r.R.resize(n, a);
    for (long k = 0; k < r.R.size(); ++k) r.R.data()[k] = {R.data()[k], R.data()[r.R.size() + k]};
    // What the data beyond 64 bits and the point leave of R*: eG, eF |X|, |z* - z| |X|.
    const MatrixXd velikostX = soucetAbsolutnich(Xr.leftCols(a), Xr.rightCols(a));
    const MatrixXd eG = vybraneSloupce(s.eG, vstupy), eFX = vnejsiNahoru(radkyEF, maximaVelikostiSloupcu(velikostX));
    r.chyba.resize(n, a);
    for (long k = 0; k < r.chyba.size(); ++k)
        r.chyba.data()[k] = (chyba.data()[k] + chyba.data()[r.chyba.size() + k] + eG.data()[k] + eFX.data()[k] +
                             velikostX.data()[k] * bod.chyba) *
                            (1.0 + 8.0 * smerovane::U);
    return jeKonecna(r.R) && jeKonecna(r.chyba);
}

Eigen::VectorXd ZpresneniStavu::normyS(const PresnyBod& bod, const MatrixXcd& V0, const std::vector<int>& vystupy) const {
    const long n = s.F.rows(), b = static_cast<long>(vystupy.size());
    const double zr = bod.hi.real(), zi = bod.hi.imag();
    const MatrixXd V = castiVedleSebe(V0), H = vybraneRadky(s.H, vystupy);
    const MatrixXd FtVr = soucinTransponovane(s.F, V.leftCols(b)), FtVi = soucinTransponovane(s.F, V.rightCols(b));
    // Per output, sums over the states: |S| for S = H^T - z V0 + F^T V0, the rounding
    // gamma (|H| + |z| |V| + |F|^T |V|), the reading of H and F (the doubles alone), and |z* - z_hi| |V|.
    RowVectorXd sumaS(b);
    for (long o = 0; o < b; ++o) {
        double suma = 0.0;
        for (long j = 0; j < n; ++j) {
            const double vr = V(j, o), vi = V(j, b + o);
            const double Sr = H(o, j) - (zr * vr - zi * vi) + FtVr(j, o);
            const double Si = -(zr * vi + zi * vr) + FtVi(j, o);
            suma += std::fabs(Sr) + std::fabs(Si);
        }
        sumaS(o) = suma;
    }
    const MatrixXd velikostV = soucetAbsolutnich(V.leftCols(b), V.rightCols(b));
    const RowVectorXd sumaV = souctyVelikostiSloupcu(velikostV);
    const MatrixXd FV = soucinTransponovane(velikostV, radkyF), dFV = soucinTransponovane(velikostV, radkyDF);
    const VectorXd sumaH = souctyVelikostiRadku(H), dH = souctyVelikostiRadku(vybraneRadky(s.dH, vystupy));  // dH >= 0
    const double z = std::fabs(zr) + std::fabs(zi);
    const double bodu = bod.chyba + std::fabs(bod.lo.real()) + std::fabs(bod.lo.imag());
    const double g = gama(n + 4.0), navyseniDF = 1.0 + gama(2.0 * n), navyseni = 1.0 + gama(n + 8.0);
    VectorXd normy(b);
    for (long o = 0; o < b; ++o)
        normy(o) = (sumaS(o) + g * (sumaH(o) + z * sumaV(o) + FV(o, 0)) + dH(o) + dFV(o, 0) * navyseniDF +
                    bodu * sumaV(o)) *
                   navyseni;
    return normy;
}

// L + H X0 into the sum: L with its low part, H X0 exactly by slices, and Hlo X0 with the bound
// of its rounding. False when the slices' product cannot be exact.
bool ZpresneniStavu::pridejPrimeAH(SoucetSKompenzaci& soucet, const RezySloupcu& X, const MatrixXd& Xr,
                                   const std::vector<int>& vstupy, const std::vector<int>& vystupy) const {
    const long n = s.F.rows();
    soucet.pridej(sNulovymiImaginarnimi(vybranePrvky(s.L, vystupy, vstupy)));
    soucet.pridej(sNulovymiImaginarnimi(vybranePrvky(s.Llo, vystupy, vstupy)));
    if (!soucet.pridejSoucin(RezyRadku(vybraneRadky(s.H, vystupy), bitu), X)) return false;
    if (maHlo) {
        const MatrixXd Hlo = vybraneRadky(s.Hlo, vystupy);
        const VectorXd radkyHlo = souctyVelikostiRadku(Hlo, 1.0 + gama(n + 2.0));
        soucet.pridejPriblizne(soucin(Hlo, Xr), vnejsiNahoru(radkyHlo, maximaVelikostiSloupcu(Xr), gama(n + 2.0)));
    }
    return true;
}

bool ZpresneniStavu::hodnoty(const PresnyBod& bod, MatrixXcd X0, const MatrixXcd& V0, double inverze0,
                             const std::vector<int>& vstupy, const std::vector<int>& vystupy, std::vector<Komplexni>& Y,
                             std::vector<double>& chyby) const {
    const long n = s.F.rows(), a = static_cast<long>(vstupy.size()), b = static_cast<long>(vystupy.size());
    MatrixXd Xr = castiVedleSebe(X0);
    if (!jeKonecna(Xr) || !jeKonecna(V0) || !std::isfinite(inverze0)) return false;
    const RezySloupcu X(Xr, bitu);
    for (const int e : X.exponenty)
        if (e != INT_MIN && e - 2 * bitu - 60 < -1074) return false;
    Rezidua r;
    if (!rezidua(bod, X, vstupy, r)) return false;
    const MatrixXd velikostV = velikostiCasti(V0), velikostR = velikostiCasti(r.R);
    // Y = L + H X0 + V0^T R with compensation, H X0 exactly.
    SoucetSKompenzaci soucet(b, 2 * a);
    if (!pridejPrimeAH(soucet, X, Xr, vstupy, vystupy)) return false;
    pridejDualni(soucet, V0, r.R, velikostV, velikostR);
    const MatrixXd Yr = soucet.vysledek(), eY = soucet.chyba();
    // First order: |V0|^T (R* - R); second: ||S*|| ||M*^-1|| ||R*||; and L, H beyond 64 bits.
    const MatrixXd prvni = transponovanySoucinNahoru(velikostV, r.chyba);
    const RowVectorXd nejvetsiR = maximaVelikostiSloupcu(velikostR), nejvetsiChybaR = maximaVelikostiSloupcu(r.chyba);
    const VectorXd S = normyS(bod, V0, vystupy);
    const VectorXd eH = souctyVelikostiRadku(vybraneRadky(s.eH, vystupy), 1.0 + gama(n + 2.0));  // eH >= 0
    const MatrixXd eL = vybranePrvky(s.eL, vystupy, vstupy);
    const RowVectorXd velikostX = maximaVelikostiSloupcu(soucetAbsolutnich(Xr.leftCols(a), Xr.rightCols(a)));
    Y.assign(static_cast<std::size_t>(a * b), 0.0);
    chyby.assign(Y.size(), 0.0);
    for (long o = 0; o < b; ++o)
        for (long i = 0; i < a; ++i) {
            const std::size_t e = static_cast<std::size_t>(o * a + i);
            const double normaR = nejvetsiR(i) + nejvetsiChybaR(i);
            Y[e] = {Yr(o, i), Yr(o, a + i)};
            chyby[e] = nahoru(eY(o, i) + eY(o, a + i) + eL(o, i) + eH(o) * velikostX(i) + prvni(o, i) +
                              nahoru(S(o) * inverze0) * normaR + smerovane::PODTECENI);
            if (!std::isfinite(chyby[e])) return false;
        }
    return true;
}
