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
#include <optional>
#include <functional>
#include <vector>

#include "FrekvencniOdezva.h"
#include "ChybaCteni.h"
#include "JistaHessenbergova.h"
#include "SpektralniMez.h"
#include "TrojuhelnikovaOdezva.h"
#include "ZpresneniStavu.h"
#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"
#include "StrukturaPrenosu.h"

namespace {

using Matice = Eigen::MatrixXd;
using MaticeL = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
// Unit roundoff of long double (x87 extended, 64-bit significand).
constexpr double U_DLOUHE = 0x1p-64;
using smerovane::gama;
using smerovane::nahoru;

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
    Matice Q;                   // empty for Q = I
    double chybaF = 0.0;        // ||Q^-1 F* Q - F||_inf
    double normaQ = 1.0, inverzeQ = 1.0;  // ||Q||_inf, ||Q^-1||_inf
    std::vector<double> chybyG, chybyH;
};

// The system balanced by D = diag(2^e): D^-1 F D, D^-1 G, H D, with the bounds of each value's
// reading and its low parts (ChybaCteni.h), scaled alike. Exact, as the scaling keeps every
// value normal (else the system is taken as it is).
using Vyvazeny = VyvazenySystem;

// The bounds when Q = I: only the reading of the values.
void bezTransformace(const Vyvazeny& v, Hessenbergova& s) {
    s.chybaF = nahoru(normaRadku(v.dF) + s.F.rows() * smerovane::PODTECENI);
    for (long j = 0; j < s.G.cols(); ++j) s.chybyG.push_back(nahoru(normaRadku(v.dG.col(j))));
    for (long o = 0; o < s.H.rows(); ++o) s.chybyH.push_back(nahoru(v.dH.row(o).sum() * (1.0 + gama(s.H.cols()))));
}

// The bounds of the orthogonal reduction (F, G, H are the balanced system, exact but for
// the reading of the file). False when Q is too far from orthogonal for them.
// ||A||_inf of a long double matrix, from above as a double.
double normaRadkuL(const MaticeL& A) {
    long double v = 0.0L;
    for (long i = 0; i < A.rows(); ++i) v = std::max(v, A.row(i).cwiseAbs().sum());
    return nahoru(static_cast<double>(v * (1.0L + static_cast<long double>(gama(A.cols() + 1.0, U_DLOUHE)))));
}

// The bounds of the orthogonal reduction (F, G, H are the balanced system, exact but for
// the reading of the file). The residuals are computed in long double, whose rounding (2^-64)
// leaves the bounds near the true residuals. False when Q is too far from orthogonal for them.
// A bound of ||F* Q - Q Fh||_inf for every F* within dF of F elementwise: the residual summed in
// double where its rounding stays within 64 u (1 + ||F||) (systems of few states), in long
// double otherwise.
double reziduumPodobnosti(const Matice& F, const Matice& dF, const Matice& Q, const Matice& Fh) {
    const double n = static_cast<double>(F.rows());
    const double zaokrouhleni = normaSoucinu(F, Q) + normaSoucinu(Q, Fh);
    const double cteni = normaSoucinu(dF, Q) + n * smerovane::PODTECENI;
    if (nahoru(gama(n + 2.0) * zaokrouhleni) <= 64.0 * smerovane::U * (1.0 + normaRadku(F)))
        return nahoru(normaRadku(F * Q - Q * Fh) + gama(n + 2.0) * zaokrouhleni + cteni);
    const MaticeL FL = F.cast<long double>(), QL = Q.cast<long double>();
    return nahoru(normaRadkuL(FL * QL - QL * Fh.cast<long double>()) + gama(n + 2.0, U_DLOUHE) * zaokrouhleni + cteni);
}

bool sTransformaci(const Vyvazeny& v, const Matice& Q, Hessenbergova& s) {
    const Matice &F = v.F, &G = v.G, &H = v.H;
    const double n = static_cast<double>(F.rows());
    const Matice Qt = Q.transpose();
    const double odchylkaQ = nahoru(normaRadku(Matice::Identity(F.rows(), F.rows()) - Qt * Q) +
                                    gama(n + 1.0) * normaSoucinu(Qt, Q));
    if (!(odchylkaQ < 0.5)) return false;
    const double inverzeQ = nahoru(normaRadku(Qt) / (1.0 - odchylkaQ));
    const MaticeL QL = Q.cast<long double>();
    const double g = gama(n + 2.0, U_DLOUHE);
    s.chybaF = nahoru(inverzeQ * reziduumPodobnosti(F, v.dF, Q, s.F));
    s.Q = Q;
    s.normaQ = normaRadku(Q);
    s.inverzeQ = inverzeQ;
    const MaticeL zpet = G.cast<long double>() - QL * s.G.cast<long double>();
    for (long j = 0; j < G.cols(); ++j)
        s.chybyG.push_back(nahoru(inverzeQ * (normaRadkuL(zpet.col(j)) + g * normaSoucinu(Q, s.G.col(j)) +
                                              normaRadku(v.dG.col(j)) + smerovane::PODTECENI)));
    // hh is H Q in long double rounded once.
    const Matice HQ = H.cwiseAbs() * Q.cwiseAbs(), dHQ = v.dH * Q.cwiseAbs();
    for (long o = 0; o < H.rows(); ++o)
        s.chybyH.push_back(nahoru((g * HQ.row(o).sum() + dHQ.row(o).sum() + smerovane::U * s.H.row(o).cwiseAbs().sum()) *
                                      (1.0 + gama(n)) + smerovane::PODTECENI));
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

// D^-1 A D for D = diag(2^e) on the sides that `radky` and `sloupce` ask for.
void skaluj(Matice& A, const std::vector<int>& e, bool radky, bool sloupce) {
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (radky) A.row(static_cast<long>(i)) *= std::ldexp(1.0, -e[i]);
        if (sloupce) A.col(static_cast<long>(i)) *= std::ldexp(1.0, e[i]);
    }
}

// A bound scaled out of the normal range may have rounded down.
void nahoruMimoRozsah(Matice& d) {
    for (long i = 0; i < d.rows(); ++i)
        for (long j = 0; j < d.cols(); ++j)
            if (d(i, j) != 0.0) d(i, j) = smerovane::nahoru(d(i, j));
}

Vyvazeny vyvaz(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H, const Matrix<double>& L,
               const PresnyStav* texty) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    Vyvazeny v;
    v.F = naEigen(F, n, n);
    v.G = naEigen(G, n, l);
    v.H = naEigen(H, m, n);
    v.L = naEigen(L, m, l);
    v.dF = naEigen(chybyCteni(F, texty ? &texty->F : nullptr), n, n);
    v.dG = naEigen(chybyCteni(G, texty ? &texty->G : nullptr), n, l);
    v.dH = naEigen(chybyCteni(H, texty ? &texty->H : nullptr), m, n);
    v.dL = naEigen(chybyCteni(L, texty ? &texty->L : nullptr), m, l);
    const std::vector<int> e = vyvazeni(v.F);
    Vyvazeny s = v;
    for (Matice* A : {&s.F, &s.dF}) skaluj(*A, e, true, true);
    for (Matice* A : {&s.G, &s.dG}) skaluj(*A, e, true, false);
    for (Matice* A : {&s.H, &s.dH}) skaluj(*A, e, false, true);
    if (!normalni(v.F, s.F) || !normalni(v.G, s.G) || !normalni(v.H, s.H)) return v;
    for (Matice* d : {&s.dF, &s.dG, &s.dH}) nahoruMimoRozsah(*d);
    s.exponenty = e;
    return s;
}

// The low parts of M as written and the bounds of what remains (ChybaCteni.h), balanced like
// the system; a low part that the scaling takes out of the normal range joins the bound.
void dolni(const Matrix<double>& M, const PresnaMatice* text, const std::vector<int>& e, bool radky, bool sloupce,
           Matice& lo, Matice& zbyva) {
    Matrix<double> chyby, zbyvajici;
    const Matrix<double> d = dolniCasti(M, text, chyby, zbyvajici);
    lo = naEigen(d, M.get_rows(), M.get_columns());
    zbyva = naEigen(zbyvajici, M.get_rows(), M.get_columns());
    const Matice puvodni = lo;
    skaluj(lo, e, radky, sloupce);
    skaluj(zbyva, e, radky, sloupce);
    nahoruMimoRozsah(zbyva);
    for (long i = 0; i < lo.rows(); ++i)
        for (long j = 0; j < lo.cols(); ++j)
            if (puvodni(i, j) != 0.0 && !std::isnormal(lo(i, j))) {
                zbyva(i, j) = smerovane::nahoru(zbyva(i, j) + smerovane::nahoru(std::fabs(lo(i, j))));
                lo(i, j) = 0.0;
            }
}

// The system with its low parts, for the refinement.
VyvazenySystem sDolnimiCastmi(VyvazenySystem s, const Matrix<double>& F, const Matrix<double>& G,
                              const Matrix<double>& H, const Matrix<double>& L, const PresnyStav* texty) {
    dolni(F, texty ? &texty->F : nullptr, s.exponenty, true, true, s.Flo, s.eF);
    dolni(G, texty ? &texty->G : nullptr, s.exponenty, true, false, s.Glo, s.eG);
    dolni(H, texty ? &texty->H : nullptr, s.exponenty, false, true, s.Hlo, s.eH);
    dolni(L, texty ? &texty->L : nullptr, {}, false, false, s.Llo, s.eL);
    return s;
}

// Reduces the balanced system; false when no bound relates it to the exact one.
bool pripravSystem(const Vyvazeny& v, Hessenbergova& s) {
    const long n = v.F.rows();
    if (jeHessenbergova(v.F)) {
        s.F = v.F;
        s.G = v.G;
        s.H = v.H;
        bezTransformace(v, s);
        return std::isfinite(s.chybaF);
    }
    const Eigen::HessenbergDecomposition<Matice> rozklad(v.F);
    const Matice Q = rozklad.matrixQ();
    s.F = rozklad.matrixH();
    for (long i = 2; i < n; ++i)
        for (long j = 0; j + 1 < i; ++j) s.F(i, j) = 0.0;
    s.G = (Q.transpose().cast<long double>() * v.G.cast<long double>()).cast<double>();
    s.H = (v.H.cast<long double>() * Q.cast<long double>()).cast<double>();
    return sTransformaci(v, Q, s);
}

// A and its bounds d row by row.
std::vector<Komplexni> komplexni(const Matice& A, const Matice& d, std::vector<double>& chyby) {
    std::vector<Komplexni> v;
    chyby.clear();
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j) {
            v.emplace_back(A(i, j));
            chyby.push_back(d(i, j));
        }
    return v;
}

// Frequency k again by one dense solve of zI - F (balanced, not reduced) and its adjoint: every
// value whose bound this makes smaller takes it.
void zpresni(const Vyvazeny& v, const std::vector<double>& w, FrekvencniOdezva& odezva, std::size_t k) {
    const int n = static_cast<int>(v.F.rows()), l = static_cast<int>(v.G.cols()), m = static_cast<int>(v.H.rows());
    const Komplexni z = bodKruznice(w[k]);
    ChybyDat chyby;
    std::vector<Komplexni> M = komplexni(-v.F, v.dF, chyby.M);
    for (int i = 0; i < n; ++i) {
        const std::size_t e = static_cast<std::size_t>(i) * n + i;
        M[e] += z;
        chyby.M[e] = nahoru(chyby.M[e] + chybaBoduKruznice(w[k]) + smerovane::U * smerovane::velikostNahoru(M[e]));
    }
    const std::vector<Komplexni> G = komplexni(v.G, v.dG, chyby.G), H = komplexni(v.H, v.dH, chyby.H),
                                 D = komplexni(v.L, v.dL, chyby.D);
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!jisteVystupy(std::move(M), n, G, l, H, m, D, chyby, Y, chybyY)) return;
    odezva.prevezmiTesnejsi(k, Y, chybyY);
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
HessenbergovSystem radkove(const Hessenbergova& h, const Vyvazeny& v) {
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
    s.Q = h.Q;
    s.normaQ = h.normaQ;
    s.inverzeQ = h.inverzeQ;
    doRadku(h.G, s.G);
    doRadku(h.H, s.H);
    doRadku(v.L, s.L);
    doRadku(v.dL, s.dL);
    s.chybaF = h.chybaF;
    s.chybyG = h.chybyG;
    s.chybyH = h.chybyH;
    return s;
}

// Every value of pair (o, i) at frequency k whose bound `chyba` makes smaller takes y.
void prevezmi(FrekvencniOdezva& odezva, std::size_t k, int o, int i, Komplexni y, double chyba) {
    const std::size_t e = odezva.index(k, o, i);
    if (odezva.jeKonstantni(o, i) || !(chyba < odezva.chyby[e])) return;
    odezva.hodnoty[e] = y;
    odezva.chyby[e] = chyba;
}

// Frequency k by the Hessenberg form.
void zapis(HessenbergovoVyhodnoceni& vyhodnoceni, const std::vector<double>& w, FrekvencniOdezva& odezva,
           std::size_t k) {
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!vyhodnoceni.vystupy(bodKruznice(w[k]), chybaBoduKruznice(w[k]), Y, chybyY)) return;
    for (int o = 0; o < odezva.vystupu; ++o)
        for (int i = 0; i < odezva.vstupu; ++i) {
            const std::size_t p = static_cast<std::size_t>(o * odezva.vstupu + i);
            prevezmi(odezva, k, o, i, Y[p], chybyY[p]);
        }
}

// True when the bounds of the first `frekvenci` frequencies fix at least a quarter of the values
// to 1e-8 of themselves, which six printed digits mostly need.
bool uzitecne(const FrekvencniOdezva& odezva, std::size_t frekvenci) {
    std::size_t dobrych = 0;
    const std::size_t hodnot = frekvenci * static_cast<std::size_t>(odezva.vystupu * odezva.vstupu);
    for (std::size_t e = 0; e < hodnot; ++e) dobrych += odezva.chyby[e] <= 1e-8 * std::abs(odezva.hodnoty[e]);
    return 4 * dobrych >= hodnot;
}

// The open pairs of frequency k again by the exact residuals (ZpresneniStavu.h), only the
// inputs and outputs they need.
void zpresniReziduem(HessenbergovoVyhodnoceni& vyhodnoceni, const ZpresneniStavu& zpresneni,
                     const std::vector<double>& w, FrekvencniOdezva& odezva, std::size_t k,
                     const std::vector<bool>& otevrene) {
    std::vector<int> vstupy, vystupy;
    for (int i = 0; i < odezva.vstupu; ++i)
        for (int o = 0; o < odezva.vystupu; ++o)
            if (otevrene[static_cast<std::size_t>(o * odezva.vstupu + i)]) {
                vstupy.push_back(i);
                break;
            }
    for (int o = 0; o < odezva.vystupu; ++o)
        for (int i = 0; i < odezva.vstupu; ++i)
            if (otevrene[static_cast<std::size_t>(o * odezva.vstupu + i)]) {
                vystupy.push_back(o);
                break;
            }
    if (vstupy.empty()) return;
    Eigen::MatrixXcd X0, V0;
    double inverze0 = 0.0;
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!vyhodnoceni.reseni(bodKruznice(w[k]), chybaBoduKruznice(w[k]), vstupy, vystupy, X0, V0, inverze0) ||
        !zpresneni.hodnoty(presnyBodKruznice(w[k]), std::move(X0), V0, inverze0, vstupy, vystupy, Y, chybyY))
        return;
    for (std::size_t o = 0; o < vystupy.size(); ++o)
        for (std::size_t i = 0; i < vstupy.size(); ++i)
            prevezmi(odezva, k, vystupy[o], vstupy[i], Y[o * vstupy.size() + i], chybyY[o * vstupy.size() + i]);
}

// The constant pairs at every frequency: L as read, within the bound of its reading.
void zapisKonstantni(const Matrix<double>& L, const Matrix<double>& chybaL, FrekvencniOdezva& odezva) {
    for (std::size_t k = 0; k < odezva.frekvenci(); ++k)
        for (int o = 0; o < odezva.vystupu; ++o)
            for (int i = 0; i < odezva.vstupu; ++i)
                if (odezva.jeKonstantni(o, i)) {
                    odezva(k, o, i) = L(o, i);
                    odezva.chyby[odezva.index(k, o, i)] = chybaL(o, i);
                }
}

// The spectral bound of ||(zI - F*)^-1|| for the balanced F, computed on first need (it costs an
// eigendecomposition).
std::function<double(Komplexni, double)> spektralniMez(const std::shared_ptr<const Vyvazeny>& vyvazeny) {
    auto spektralni = std::make_shared<std::unique_ptr<SpektralniMez>>();
    return [vyvazeny, spektralni](Komplexni z, double chybaZ) {
        if (!*spektralni) *spektralni = std::make_unique<SpektralniMez>(vyvazeny->F);
        return (*spektralni)->inverze(z, chybaZ);
    };
}

// The system as written, for the refinement.
struct ZapsanyStav {
    Matrix<double> F, G, H, L;
    std::optional<PresnyStav> texty;
};

// The refinement by the exact residuals; it reads the values as written to 64 bits on first need.
FrekvencniOdezva::Zpresneni zpresneniReziduem(const std::shared_ptr<HessenbergovoVyhodnoceni>& vyhodnoceni,
                                              const std::shared_ptr<const Vyvazeny>& vyvazeny,
                                              const std::shared_ptr<const ZapsanyStav>& data,
                                              const std::vector<double>& w) {
    const int n = data->F.get_rows(), l = data->G.get_columns(), m = data->H.get_rows();
    auto zpresneni = std::make_shared<std::unique_ptr<const ZpresneniStavu>>();
    return {[vyhodnoceni, vyvazeny, data, zpresneni, w](FrekvencniOdezva& o, std::size_t k, const std::vector<bool>& p) {
                if (!*zpresneni) {
                    const auto& [F, G, H, L, texty] = *data;
                    *zpresneni = std::make_unique<const ZpresneniStavu>(
                        sDolnimiCastmi(*vyvazeny, F, G, H, L, texty ? &*texty : nullptr));
                }
                zpresniReziduem(*vyhodnoceni, **zpresneni, w, o, k, p);
            },
            (1.0 + l + m) * n * n};
}

// The values by the Hessenberg form (unless F is triangular, which the substitution settles)
// and its refinement; nothing where no bound relates that form to the exact system.
void hessenbergovaOdezva(const std::shared_ptr<const Vyvazeny>& vyvazeny, const std::shared_ptr<const ZapsanyStav>& data,
                         bool trojuhelnikova, const std::vector<double>& w, FrekvencniOdezva& odezva) {
    Hessenbergova h;
    if (!pripravSystem(*vyvazeny, h)) return;
    const auto vyhodnoceni = std::make_shared<HessenbergovoVyhodnoceni>(radkove(h, *vyvazeny), spektralniMez(vyvazeny));
    // Where the first frequencies show these bounds too coarse to settle the values (a dense F
    // far from normal), every value goes to the refinement at once.
    const std::size_t zkusebnich = 8;
    for (std::size_t k = 0; !trojuhelnikova && k < w.size(); ++k) {
        zapis(*vyhodnoceni, w, odezva, k);
        if (k + 1 == zkusebnich && !uzitecne(odezva, zkusebnich)) break;
    }
    odezva.zpresneni.push_back(zpresneniReziduem(vyhodnoceni, vyvazeny, data, w));
}

}  // namespace

FrekvencniOdezva frekvenceStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, const std::vector<double>& w, const PresnyStav* texty) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    FrekvencniOdezva odezva(m, l, w);
    odezva.konstantni = strukturaStavu(F, G, H);
    const Matrix<double> chybaL = chybyCteni(L, texty ? &texty->L : nullptr);
    zapisKonstantni(L, chybaL, odezva);
    const auto vyvazeny = std::make_shared<const Vyvazeny>(vyvaz(F, G, H, L, texty));
    // F triangular up to the order of its states: substitution, whatever the couplings.
    const std::vector<int> poradi = poradiDosazovani(F);
    if (!poradi.empty())
        trojuhelnikovaOdezva(F, G, H, L, chybyCteni(F, texty ? &texty->F : nullptr),
                             chybyCteni(G, texty ? &texty->G : nullptr), chybyCteni(H, texty ? &texty->H : nullptr),
                             chybaL, poradi, w, odezva);
    const auto data = std::make_shared<const ZapsanyStav>(
        ZapsanyStav{F, G, H, L, texty ? std::optional<PresnyStav>(*texty) : std::nullopt});
    hessenbergovaOdezva(vyvazeny, data, !poradi.empty(), w, odezva);
    odezva.zpresneni.push_back({[vyvazeny, w](FrekvencniOdezva& o, std::size_t k, const std::vector<bool>&) { zpresni(*vyvazeny, w, o, k); },
                                (n + 3.0 * (l + m)) * n * n / 3.0});
    return odezva;
}
