// H (zI - F)^-1 G + L with a rigorous error bound. F is balanced by a diagonal similarity of
// powers of two (exact), reduced once to upper Hessenberg form by an orthogonal similarity Q
// (skipped when it is already in that form), and each frequency is one elimination of the
// Hessenberg matrix, O(n^2) per input. The bound treats the computed Q as an exact similarity
// of the exact system, Q^-1 F* Q = Fh + E with E bounded from the residual F* Q - Q Fh, and the
// error of each solve by JistaEliminace.
#include <Eigen/Core>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <functional>
#include <vector>

#include "FrekvencniOdezva.h"
#include "ChybaCteni.h"
#include "HusteSoucty.h"
#include "HustyRozklad.h"
#include "JisteNormy.h"
#include "JistaHessenbergova.h"
#include "PrvkoveMatice.h"
#include "SpektralniMez.h"
#include "TrojuhelnikovaOdezva.h"
#include "ZpresneniStavu.h"
#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"
#include "StrukturaPrenosu.h"

namespace {

using HustaMatice = Eigen::MatrixXd;
// Unit roundoff of long double (x87 extended, 64-bit significand).
constexpr double U_DLOUHE = 0x1p-64;
using smerovane::gama;
using smerovane::nahoru;

HustaMatice naEigen(const Matrix<double>& M, int radku, int sloupcu) {
    HustaMatice V(radku, sloupcu);
    for (int i = 0; i < radku; ++i)
        for (int j = 0; j < sloupcu; ++j) V(i, j) = M(i, j);
    return V;
}

HustaMatice transponovana(const HustaMatice& A) {
    HustaMatice T(A.cols(), A.rows());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) T(j, i) = A(i, j);
    return T;
}

// A - B elementwise (each difference rounded once).
template <typename M>
M rozdil(M A, const M& B) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) A(i, j) -= B(i, j);
    return A;
}

// I - A for a square A, elementwise.
HustaMatice jednotkovaBez(HustaMatice A) {
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) A(i, j) = (i == j ? 1.0 : 0.0) - A(i, j);
    return A;
}

// A in long double (exact), and back to double (each value rounded once).
MaticeL naDlouhe(const HustaMatice& A) {
    MaticeL V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = A(i, j);
    return V;
}

HustaMatice naDvojite(const MaticeL& A) {
    HustaMatice V(A.rows(), A.cols());
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) V(i, j) = static_cast<double>(A(i, j));
    return V;
}

// The sum of row i of A (of |A| when `velikostiRadku`), in the order of its columns.
double soucetRadku(const HustaMatice& A, long i, bool velikostiRadku = false) {
    double soucet = 0.0;
    for (long j = 0; j < A.cols(); ++j) soucet += velikostiRadku ? std::fabs(A(i, j)) : A(i, j);
    return soucet;
}

// Exponents e of the diagonal similarity D = diag(2^e) that brings the off-diagonal row and
// column sums of D^-1 F D close (Parlett and Reinsch, radix 2).
std::vector<int> vyvazeni(const HustaMatice& F) {
    const long n = F.rows();
    std::vector<int> e(static_cast<std::size_t>(n), 0);
    HustaMatice B = F;
    for (int pruchod = 0; pruchod < 64; ++pruchod) {
        bool zmena = false;
        for (long i = 0; i < n; ++i) {
            double c = 0.0;
            for (long k = 0; k < n; ++k) c += std::fabs(B(k, i));
            c -= std::fabs(B(i, i));
            const double r = soucetRadku(B, i, true) - std::fabs(B(i, i));
            if (c == 0.0 || r == 0.0) continue;
            int f = 0;
            for (double cc = c; cc < r / 2.0; cc *= 4.0) ++f;
            for (double cc = c; cc > r * 2.0; cc /= 4.0) --f;
            if (f == 0 || std::ldexp(c, f) + std::ldexp(r, -f) >= 0.95 * (c + r)) continue;
            const double sloupec = std::ldexp(1.0, f), radek = std::ldexp(1.0, -f);
            for (long k = 0; k < n; ++k) B(k, i) *= sloupec;
            for (long k = 0; k < n; ++k) B(i, k) *= radek;
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
    HustaMatice F, G, H;
    HustaMatice Q;              // empty for Q = I
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
    s.chybaF = nahoru(normaRadkuShora(v.dF) + s.F.rows() * smerovane::PODTECENI);
    for (long j = 0; j < s.G.cols(); ++j) s.chybyG.push_back(nahoru(normaRadkuShora(v.dG.col(j))));
    for (long o = 0; o < s.H.rows(); ++o) s.chybyH.push_back(nahoru(soucetRadku(v.dH, o) * (1.0 + gama(s.H.cols()))));
}

// ||A_(:, prvni .. prvni + sloupcu - 1)||_inf of a long double matrix, from above as a double
// (inf where a row sums to NaN).
double normaRadkuDlouhe(const MaticeL& A, long prvni, long sloupcu) {
    std::vector<long double> radky(static_cast<std::size_t>(A.rows()), 0.0L);
    for (long j = prvni; j < prvni + sloupcu; ++j)
        for (long i = 0; i < A.rows(); ++i) radky[static_cast<std::size_t>(i)] += std::fabs(A(i, j));
    long double v = 0.0L;
    for (long double r : radky) {
        if (std::isnan(r)) return INFINITY;
        v = std::max(v, r);
    }
    return nahoru(static_cast<double>(v * (1.0L + static_cast<long double>(gama(sloupcu + 1.0, U_DLOUHE)))));
}

// A bound of ||F* Q - Q Fh||_inf for every F* within dF of F elementwise: the residual summed in
// double where its rounding stays within 64 u (1 + ||F||) (systems of few states), in long
// double otherwise.
double reziduumPodobnosti(const HustaMatice& F, const HustaMatice& dF, const HustaMatice& Q, const HustaMatice& Fh) {
    const double n = static_cast<double>(F.rows());
    const double zaokrouhleni = normaSoucinuShora(F, Q) + normaSoucinuShora(Q, Fh);
    const double cteni = normaSoucinuShora(dF, Q) + n * smerovane::PODTECENI;
    if (nahoru(gama(n + 2.0) * zaokrouhleni) <= 64.0 * smerovane::U * (1.0 + normaRadkuShora(F)))
        return nahoru(normaRadkuShora(rozdil(soucin(F, Q), soucin(Q, Fh))) + gama(n + 2.0) * zaokrouhleni + cteni);
    const MaticeL FL = naDlouhe(F), QL = naDlouhe(Q);
    const MaticeL R = rozdil(soucin(FL, QL), soucin(QL, naDlouhe(Fh)));
    return nahoru(normaRadkuDlouhe(R, 0, R.cols()) + gama(n + 2.0, U_DLOUHE) * zaokrouhleni + cteni);
}

// The bounds of the orthogonal reduction (F, G, H are the balanced system, exact but for
// the reading of the file; Qt is Q transposed). The residuals are computed in long double,
// whose rounding (2^-64) leaves the bounds near the true residuals. False when Q is too far
// from orthogonal for them.
bool sTransformaci(const Vyvazeny& v, const HustaMatice& Q, const HustaMatice& Qt, Hessenbergova& s) {
    const HustaMatice &F = v.F, &G = v.G, &H = v.H;
    const double n = static_cast<double>(F.rows());
    const double odchylkaQ = nahoru(normaRadkuShora(jednotkovaBez(soucin(Qt, Q))) +
                                    gama(n + 1.0) * normaSoucinuShora(Qt, Q));
    if (!(odchylkaQ < 0.5)) return false;
    const double inverzeQ = nahoru(normaRadkuShora(Qt) / (1.0 - odchylkaQ));
    const MaticeL QL = naDlouhe(Q);
    const double g = gama(n + 2.0, U_DLOUHE);
    s.chybaF = nahoru(inverzeQ * reziduumPodobnosti(F, v.dF, Q, s.F));
    s.Q = Q;
    s.normaQ = normaRadkuShora(Q);
    s.inverzeQ = inverzeQ;
    const MaticeL zpet = rozdil(naDlouhe(G), soucin(QL, naDlouhe(s.G)));
    for (long j = 0; j < G.cols(); ++j)
        s.chybyG.push_back(nahoru(inverzeQ * (normaRadkuDlouhe(zpet, j, 1) + g * normaSoucinuShora(Q, s.G.col(j)) +
                                              normaRadkuShora(v.dG.col(j)) + smerovane::PODTECENI)));
    // hh is H Q in long double rounded once. Each term of the sum below passes at most 2n + 2
    // roundings in double (n in an element of the product, n - 1 in the row sum, the scaling
    // and the two additions), which the factor 1 + gamma_(2n+3) undoes.
    const HustaMatice absQ = absolutniHodnoty(Q);
    const HustaMatice HQ = soucin(absolutniHodnoty(H), absQ), dHQ = soucin(v.dH, absQ);
    for (long o = 0; o < H.rows(); ++o)
        s.chybyH.push_back(nahoru((g * soucetRadku(HQ, o) + soucetRadku(dHQ, o) + smerovane::U * soucetRadku(s.H, o, true)) *
                                      (1.0 + gama(2.0 * n + 3.0)) + smerovane::PODTECENI));
    return std::isfinite(s.chybaF);
}

// True when every non-zero value of both is a normal double.
bool normalni(const HustaMatice& A, const HustaMatice& B) {
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j)
            if (A(i, j) != 0.0 && (!std::isnormal(A(i, j)) || !std::isnormal(B(i, j)))) return false;
    return true;
}

bool jeHessenbergova(const HustaMatice& F) {
    for (long i = 2; i < F.rows(); ++i)
        for (long j = 0; j + 1 < i; ++j)
            if (F(i, j) != 0.0) return false;
    return true;
}

// D^-1 A D for D = diag(2^e) on the sides that `radky` and `sloupce` ask for: a_ij times
// 2^(e_j - e_i) in one step, so the value is exact wherever the result is a normal double (two
// steps could pass through the subnormal range and lose bits on the way).
void skalujMocninami(HustaMatice& A, const std::vector<int>& e, bool radky, bool sloupce) {
    if (e.empty()) return;
    for (long j = 0; j < A.cols(); ++j)
        for (long i = 0; i < A.rows(); ++i) {
            const int exponent = (sloupce ? e[static_cast<std::size_t>(j)] : 0) - (radky ? e[static_cast<std::size_t>(i)] : 0);
            A(i, j) = std::ldexp(A(i, j), exponent);
        }
}

// A bound scaled out of the normal range may have rounded down.
void nahoruMimoRozsah(HustaMatice& d) {
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
    for (HustaMatice* A : {&s.F, &s.dF}) skalujMocninami(*A, e, true, true);
    for (HustaMatice* A : {&s.G, &s.dG}) skalujMocninami(*A, e, true, false);
    for (HustaMatice* A : {&s.H, &s.dH}) skalujMocninami(*A, e, false, true);
    if (!normalni(v.F, s.F) || !normalni(v.G, s.G) || !normalni(v.H, s.H)) return v;
    for (HustaMatice* d : {&s.dF, &s.dG, &s.dH}) nahoruMimoRozsah(*d);
    s.exponenty = e;
    return s;
}

// The low parts of M as written and the bounds of what remains (ChybaCteni.h), balanced like
// the system; a low part that the scaling takes out of the normal range joins the bound.
void dolni(const Matrix<double>& M, const PresnaMatice* text, const std::vector<int>& e, bool radky, bool sloupce,
           HustaMatice& lo, HustaMatice& zbyva) {
    Matrix<double> chyby, zbyvajici;
    const Matrix<double> d = dolniCasti(M, text, chyby, zbyvajici);
    lo = naEigen(d, M.get_rows(), M.get_columns());
    zbyva = naEigen(zbyvajici, M.get_rows(), M.get_columns());
    const HustaMatice puvodni = lo;
    skalujMocninami(lo, e, radky, sloupce);
    skalujMocninami(zbyva, e, radky, sloupce);
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
    if (jeHessenbergova(v.F)) {
        s.F = v.F;
        s.G = v.G;
        s.H = v.H;
        bezTransformace(v, s);
        return std::isfinite(s.chybaF);
    }
    HessenbergovTvar tvar = hessenbergovTvar(v.F);
    s.F = std::move(tvar.H);
    const HustaMatice& Q = tvar.Q;
    const HustaMatice Qt = transponovana(Q);
    s.G = naDvojite(soucin(naDlouhe(Qt), naDlouhe(v.G)));
    s.H = naDvojite(soucin(naDlouhe(v.H), naDlouhe(Q)));
    return sTransformaci(v, Q, Qt, s);
}

// znamenko A (a sign, exact) and the bounds d of A row by row.
std::vector<Komplexni> komplexni(const HustaMatice& A, const HustaMatice& d, std::vector<double>& chyby,
                                 double znamenko = 1.0) {
    std::vector<Komplexni> v;
    chyby.clear();
    for (long i = 0; i < A.rows(); ++i)
        for (long j = 0; j < A.cols(); ++j) {
            v.emplace_back(znamenko * A(i, j));
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
    std::vector<Komplexni> M = komplexni(v.F, v.dF, chyby.M, -1.0);
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
HessenbergovSystem poRadcich(const Hessenbergova& h, const Vyvazeny& v) {
    HessenbergovSystem s;
    s.n = static_cast<int>(h.F.rows());
    s.l = static_cast<int>(h.G.cols());
    s.m = static_cast<int>(h.H.rows());
    const auto doRadku = [](const HustaMatice& A, std::vector<double>& v) {
        for (long i = 0; i < A.rows(); ++i)
            for (long j = 0; j < A.cols(); ++j) v.push_back(A(i, j));
    };
    doRadku(h.F, s.F);
    doRadku(transponovana(h.F), s.Ft);
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
    const auto vyhodnoceni = std::make_shared<HessenbergovoVyhodnoceni>(poRadcich(h, *vyvazeny), spektralniMez(vyvazeny));
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
