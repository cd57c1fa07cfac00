// H (zI - F)^-1 G + L with a rigorous error bound. F is balanced by a diagonal similarity of
// powers of two (exact), reduced once to upper Hessenberg form by an orthogonal similarity Q
// (skipped when it is already in that form), and each frequency is one elimination of the
// Hessenberg matrix, O(n^2) per input. The bound treats the computed Q as an exact similarity
// of the exact system, Q^-1 F* Q = Fh + E with E bounded from the residual F* Q - Q Fh, and the
// error of each solve by JistaEliminace.
#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "FrekvencniOdezva.h"
#include "JistaHessenbergova.h"
#include "MezeChyb.h"
#include "RychlyCertifikat.h"
#include "StrukturaPrenosu.h"

namespace {

using Matice = Eigen::MatrixXd;
using meze::gama;
using meze::nahoru;

Matice naEigen(const Matrix<double>& M, int radku, int sloupcu) {
    Matice V(radku, sloupcu);
    for (int i = 0; i < radku; ++i)
        for (int j = 0; j < sloupcu; ++j) V(i, j) = M(i, j);
    return V;
}

// || |A| |B| ||_inf without forming the product: |A| (|B| e).
double normaSoucinu(const Matice& A, const Matice& B) {
    const Eigen::VectorXd radky = B.cwiseAbs().rowwise().sum();
    return nahoru((A.cwiseAbs() * radky).maxCoeff() * (1.0 + gama(2.0 * (A.cols() + B.cols()))));
}

double normaRadku(const Matice& A) {
    return A.size() == 0 ? 0.0 : nahoru(A.cwiseAbs().rowwise().sum().maxCoeff() * (1.0 + gama(A.cols() + 1.0)));
}

// Exponents e of the diagonal similarity D = diag(2^e) that brings the off-diagonal row and
// column sums of D^-1 F D close (Parlett and Reinsch, radix 2).
std::vector<int> vyvazeni(const Matice& F) {
    const long n = F.rows();
    std::vector<int> e(static_cast<std::size_t>(n), 0);
    Matice B = F;
    for (int pruchod = 0; pruchod < 64; ++pruchod) {
        bool zmena = false;
        for (long i = 0; i < n; ++i) {
            const double c = B.col(i).cwiseAbs().sum() - std::fabs(B(i, i));
            const double r = B.row(i).cwiseAbs().sum() - std::fabs(B(i, i));
            if (c == 0.0 || r == 0.0) continue;
            int f = 0;
            for (double cc = c; cc < r / 2.0; cc *= 4.0) ++f;
            for (double cc = c; cc > r * 2.0; cc /= 4.0) --f;
            if (f == 0 || std::ldexp(c, f) + std::ldexp(r, -f) >= 0.95 * (c + r)) continue;
            B.col(i) *= std::ldexp(1.0, f);
            B.row(i) *= std::ldexp(1.0, -f);
            e[static_cast<std::size_t>(i)] += f;
            zmena = true;
        }
        if (!zmena) break;
    }
    return e;
}

// The system on which the frequencies are evaluated, and the bounds that relate it to the
// exact one: ||Q^-1 F* Q - Fh||_inf <= chybaF, ||Q^-1 g*_j - gh_j||_inf <= chybyG[j],
// ||h*_o Q - hh_o||_1 <= chybyH[o].
struct Hessenbergova {
    Matice F, G, H;
    double chybaF = 0.0;
    std::vector<double> chybyG, chybyH;
};

// The bounds when Q = I: only the reading of the values.
void bezTransformace(Hessenbergova& s) {
    s.chybaF = nahoru(CHYBA_CTENI * normaRadku(s.F) + s.F.rows() * meze::PODTECENI);
    for (long j = 0; j < s.G.cols(); ++j) s.chybyG.push_back(nahoru(CHYBA_CTENI * normaRadku(s.G.col(j))));
    for (long o = 0; o < s.H.rows(); ++o)
        s.chybyH.push_back(nahoru(CHYBA_CTENI * s.H.row(o).cwiseAbs().sum() * (1.0 + gama(s.H.cols()))));
}

// The bounds of the orthogonal reduction (F, G, H are the balanced system, exact but for
// the reading of the file). False when Q is too far from orthogonal for them.
bool sTransformaci(const Matice& F, const Matice& G, const Matice& H, const Matice& Q, Hessenbergova& s) {
    const double n = static_cast<double>(F.rows());
    const Matice Qt = Q.transpose();
    const double odchylkaQ = nahoru(normaRadku(Matice::Identity(F.rows(), F.rows()) - Qt * Q) +
                                    gama(n + 1.0) * normaSoucinu(Qt, Q));
    if (!(odchylkaQ < 0.5)) return false;
    const double inverzeQ = nahoru(normaRadku(Qt) / (1.0 - odchylkaQ));
    const double rezidua = nahoru(normaRadku(F * Q - Q * s.F) + (gama(n + 2.0) + CHYBA_CTENI) * normaSoucinu(F, Q) +
                                  gama(n + 2.0) * normaSoucinu(Q, s.F) + n * meze::PODTECENI);
    s.chybaF = nahoru(inverzeQ * rezidua);
    const Matice zpet = G - Q * s.G;
    for (long j = 0; j < G.cols(); ++j)
        s.chybyG.push_back(nahoru(inverzeQ * (normaRadku(zpet.col(j)) + gama(n + 2.0) * normaSoucinu(Q, s.G.col(j)) +
                                              CHYBA_CTENI * normaRadku(G.col(j)) + meze::PODTECENI)));
    const Matice HQ = H.cwiseAbs() * Q.cwiseAbs();
    for (long o = 0; o < H.rows(); ++o)
        s.chybyH.push_back(nahoru((gama(n + 1.0) + CHYBA_CTENI) * HQ.row(o).sum() * (1.0 + gama(n)) + meze::PODTECENI));
    return std::isfinite(s.chybaF);
}

// True when every non-zero value of both is a normal double.
bool normalni(const Matice& A, const Matice& B) {
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j)
            if (A(i, j) != 0.0 && (!std::isnormal(A(i, j)) || !std::isnormal(B(i, j)))) return false;
    return true;
}

bool jeHessenbergova(const Matice& F) {
    for (long i = 2; i < F.rows(); ++i)
        for (long j = 0; j + 1 < i; ++j)
            if (F(i, j) != 0.0) return false;
    return true;
}

// The system balanced by D = diag(2^e): D^-1 F D, D^-1 G, H D. Exact, as the scaling keeps
// every value normal (else the system is taken as it is).
struct Vyvazeny {
    Matice F, G, H, L;
};

Vyvazeny vyvaz(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H, const Matrix<double>& L) {
    const int n = F.get_rows();
    Vyvazeny v{naEigen(F, n, n), naEigen(G, n, G.get_columns()), naEigen(H, H.get_rows(), n),
               naEigen(L, L.get_rows(), L.get_columns())};
    const std::vector<int> e = vyvazeni(v.F);
    Matice Fs = v.F, Gs = v.G, Hs = v.H;
    for (int i = 0; i < n; ++i) {
        Fs.row(i) *= std::ldexp(1.0, -e[static_cast<std::size_t>(i)]);
        Fs.col(i) *= std::ldexp(1.0, e[static_cast<std::size_t>(i)]);
        Gs.row(i) *= std::ldexp(1.0, -e[static_cast<std::size_t>(i)]);
        Hs.col(i) *= std::ldexp(1.0, e[static_cast<std::size_t>(i)]);
    }
    if (normalni(v.F, Fs) && normalni(v.G, Gs) && normalni(v.H, Hs)) {
        v.F = Fs;
        v.G = Gs;
        v.H = Hs;
    }
    return v;
}

// Reduces the balanced system; false when no bound relates it to the exact one.
bool pripravSystem(const Vyvazeny& v, Hessenbergova& s) {
    const long n = v.F.rows();
    if (jeHessenbergova(v.F)) {
        s.F = v.F;
        s.G = v.G;
        s.H = v.H;
        bezTransformace(s);
        return std::isfinite(s.chybaF);
    }
    const Eigen::HessenbergDecomposition<Matice> rozklad(v.F);
    const Matice Q = rozklad.matrixQ();
    s.F = rozklad.matrixH();
    for (long i = 2; i < n; ++i)
        for (long j = 0; j + 1 < i; ++j) s.F(i, j) = 0.0;
    s.G = Q.transpose() * v.G;
    s.H = v.H * Q;
    return sTransformaci(v.F, v.G, v.H, Q, s);
}

// The bound of a value read from text: CHYBA_CTENI relative, and gradual underflow.
double chybaCteni(double x) { return x == 0.0 ? 0.0 : nahoru(CHYBA_CTENI * std::fabs(x)); }

std::vector<Komplexni> komplexni(const Matice& A, std::vector<double>& chyby) {
    std::vector<Komplexni> v;
    chyby.clear();
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j) {
            v.emplace_back(A(i, j));
            chyby.push_back(chybaCteni(A(i, j)));
        }
    return v;
}

// Frequency k again by one dense solve of zI - F (balanced, not reduced) and its adjoint: every
// value whose bound this makes smaller takes it.
void zpresni(const Vyvazeny& v, const std::vector<double>& w, FrekvencniOdezva& odezva, std::size_t k) {
    const int n = static_cast<int>(v.F.rows()), l = static_cast<int>(v.G.cols()), m = static_cast<int>(v.H.rows());
    const Komplexni z = bodKruznice(w[k]);
    ChybyDat chyby;
    std::vector<Komplexni> M = komplexni(-v.F, chyby.M);
    for (int i = 0; i < n; ++i) {
        const std::size_t e = static_cast<std::size_t>(i) * n + i;
        M[e] += z;
        chyby.M[e] = nahoru(chyby.M[e] + chybaBoduKruznice(w[k]) + meze::U * meze::velikostNahoru(M[e]));
    }
    const std::vector<Komplexni> G = komplexni(v.G, chyby.G), H = komplexni(v.H, chyby.H), D = komplexni(v.L, chyby.D);
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!jisteVystupy(std::move(M), n, G, l, H, m, D, chyby, Y, chybyY)) return;
    for (int o = 0; o < m; ++o)
        for (int i = 0; i < l; ++i) {
            const std::size_t e = odezva.index(k, o, i), p = static_cast<std::size_t>(o) * l + i;
            if (odezva.jeKonstantni(o, i) || !(chybyY[p] < odezva.chyby[e])) continue;
            odezva.hodnoty[e] = Y[p];
            odezva.chyby[e] = chybyY[p];
        }
}

std::vector<bool> strukturaStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    std::vector<std::vector<bool>> hrany(n, std::vector<bool>(n)), vstupy(n, std::vector<bool>(l)),
        vystupy(m, std::vector<bool>(n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) hrany[r][c] = r != c && F(r, c) != 0.0;
        for (int i = 0; i < l; ++i) vstupy[r][i] = G(r, i) != 0.0;
    }
    for (int o = 0; o < m; ++o)
        for (int r = 0; r < n; ++r) vystupy[o][r] = H(o, r) != 0.0;
    return bezCesty(hrany, vstupy, vystupy);
}

// The Hessenberg form row by row, for the evaluation at each frequency.
HessenbergovSystem radkove(const Hessenbergova& h, const Matice& L) {
    HessenbergovSystem s;
    s.n = static_cast<int>(h.F.rows());
    s.l = static_cast<int>(h.G.cols());
    s.m = static_cast<int>(h.H.rows());
    const auto doRadku = [](const Matice& A, std::vector<double>& v) {
        for (long i = 0; i < A.rows(); ++i)
            for (long j = 0; j < A.cols(); ++j) v.push_back(A(i, j));
    };
    doRadku(h.F, s.F);
    doRadku(h.F.transpose(), s.Ft);
    doRadku(h.G, s.G);
    doRadku(h.H, s.H);
    doRadku(L, s.L);
    s.chybaF = h.chybaF;
    s.chybyG = h.chybyG;
    s.chybyH = h.chybyH;
    return s;
}

// Frequency k by the Hessenberg form, with or without the adjoint: every value whose bound
// this makes smaller takes it.
void zapis(HessenbergovoVyhodnoceni& vyhodnoceni, const std::vector<double>& w, bool sDualem, FrekvencniOdezva& odezva,
           std::size_t k) {
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!vyhodnoceni.vystupy(bodKruznice(w[k]), chybaBoduKruznice(w[k]), sDualem, Y, chybyY)) return;
    for (int o = 0; o < odezva.vystupu; ++o)
        for (int i = 0; i < odezva.vstupu; ++i) {
            const std::size_t e = odezva.index(k, o, i), p = static_cast<std::size_t>(o * odezva.vstupu + i);
            if (odezva.jeKonstantni(o, i) || !(chybyY[p] < odezva.chyby[e])) continue;
            odezva.hodnoty[e] = Y[p];
            odezva.chyby[e] = chybyY[p];
        }
}

}  // namespace

FrekvencniOdezva frekvenceStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, const std::vector<double>& w) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    FrekvencniOdezva odezva(m, l, w);
    odezva.konstantni = strukturaStavu(F, G, H);
    for (std::size_t k = 0; k < w.size(); ++k)
        for (int o = 0; o < m; ++o)
            for (int i = 0; i < l; ++i)
                if (odezva.jeKonstantni(o, i)) {
                    odezva(k, o, i) = L(o, i);
                    odezva.chyby[odezva.index(k, o, i)] = nahoru(CHYBA_CTENI * std::fabs(L(o, i)));
                }
    const auto vyvazeny = std::make_shared<const Vyvazeny>(vyvaz(F, G, H, L));
    Hessenbergova h;
    if (pripravSystem(*vyvazeny, h)) {
        const auto vyhodnoceni = std::make_shared<HessenbergovoVyhodnoceni>(radkove(h, vyvazeny->L));
        for (std::size_t k = 0; k < w.size(); ++k) zapis(*vyhodnoceni, w, false, odezva, k);
        odezva.zpresneni.push_back({[vyhodnoceni, w](FrekvencniOdezva& o, std::size_t k) { zapis(*vyhodnoceni, w, true, o, k); },
                                    (1.5 + 2.0 * (l + m)) * n * n});
    }
    odezva.zpresneni.push_back({[vyvazeny, w](FrekvencniOdezva& o, std::size_t k) { zpresni(*vyvazeny, w, o, k); },
                                (n + 3.0 * (l + m)) * n * n / 3.0});
    return odezva;
}
