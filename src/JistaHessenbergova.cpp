#include "JistaHessenbergova.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "HusteSoucty.h"
#include "SmerovaneZaokrouhleni.h"

// Complex values are kept as separate real and imaginary arrays, so that every inner loop below
// is an update of whole rows (no sums across a row), which the compiler vectorises. The two
// types of the workspace have a namespace of their own, as the class's private workspace holds them.
namespace hessenbergova_prace {

struct Vektory {
    std::vector<double> re, im;
    Vektory(std::size_t velikost = 0) : re(velikost, 0.0), im(velikost, 0.0) {}
};

// P M = L U for the Hessenberg M = zI - F: U row by row; L as the multiplier and the row swap
// of each step. The bounds of L come from its
// rows' sums of |multipliers| and from |L^-1| <= |E_n-2| P_n-2 ... |E_0| P_0 applied to ones
// (both swapped along with the rows).
struct Rozklad {
    int n = 0;
    Vektory U;
    std::vector<double> velikostiU;  // upper bounds of |u_ij| above the diagonal, row by row
    std::vector<double> diagonala;   // lower bounds of |u_ii|
    std::vector<Komplexni> nasobitele;
    std::vector<char> prohozeni;
    NormyRozkladu normy;
};

}  // namespace hessenbergova_prace

namespace {

using hessenbergova_prace::Rozklad;
using hessenbergova_prace::Vektory;
using smerovane::nahoru;

// An upper bound of |re + i im|.
inline double velikostHodnoty(double re, double im) { return smerovane::velikostNahoru({re, im}); }

// y -= (fr + i fi) x over [od, do_).
inline void odecti(double* yr, double* yi, const double* xr, const double* xi, double fr, double fi, int od, int po) {
    for (int c = od; c < po; ++c) {
        yr[c] -= fr * xr[c] - fi * xi[c];
        yi[c] -= fr * xi[c] + fi * xr[c];
    }
}

// zI - F into M (only the Hessenberg part is written; the rest is never read).
void sestav(const HessenbergovSystem& s, Komplexni z, Vektory& M) {
    const int n = s.n;
    for (int i = 0; i < n; ++i)
        for (int j = std::max(0, i - 1); j < n; ++j) {
            M.re[static_cast<std::size_t>(i) * n + j] = -s.F[static_cast<std::size_t>(i) * n + j];
            M.im[static_cast<std::size_t>(i) * n + j] = 0.0;
        }
    for (int i = 0; i < n; ++i) {
        M.re[static_cast<std::size_t>(i) * n + i] += z.real();
        M.im[static_cast<std::size_t>(i) * n + i] = z.imag();
    }
}

// Factors r.U (which holds zI - F) in place.
bool rozlozHessenbergovu(int n, Rozklad& r) {
    Vektory& M = r.U;
    r.n = n;
    r.normy = NormyRozkladu();
    r.nasobitele.assign(static_cast<std::size_t>(std::max(n - 1, 0)), 0.0);
    r.prohozeni.assign(r.nasobitele.size(), 0);
    std::vector<double> radkyL(static_cast<std::size_t>(n), 1.0), inverzeL(static_cast<std::size_t>(n), 1.0);
    for (int s = 0; s + 1 < n; ++s) {
        double* hr = &M.re[static_cast<std::size_t>(s) * n];
        double* hi = &M.im[static_cast<std::size_t>(s) * n];
        double* dr = hr + n;
        double* di = hi + n;
        if (velikostHodnoty(dr[s], di[s]) > velikostHodnoty(hr[s], hi[s])) {
            std::swap_ranges(hr + s, hr + n, dr + s);
            std::swap_ranges(hi + s, hi + n, di + s);
            std::swap(radkyL[static_cast<std::size_t>(s)], radkyL[static_cast<std::size_t>(s) + 1]);
            std::swap(inverzeL[static_cast<std::size_t>(s)], inverzeL[static_cast<std::size_t>(s) + 1]);
            r.prohozeni[static_cast<std::size_t>(s)] = 1;
        }
        if (hr[s] == 0.0 && hi[s] == 0.0) return false;
        if (dr[s] == 0.0 && di[s] == 0.0) continue;
        const Komplexni f = podil({dr[s], di[s]}, {hr[s], hi[s]});
        r.nasobitele[static_cast<std::size_t>(s)] = f;
        dr[s] = di[s] = 0.0;
        odecti(dr, di, hr, hi, f.real(), f.imag(), s + 1, n);
        const double l = velikostHodnoty(f.real(), f.imag());
        radkyL[static_cast<std::size_t>(s) + 1] += l;
        inverzeL[static_cast<std::size_t>(s) + 1] += l * inverzeL[static_cast<std::size_t>(s)];
    }
    const std::size_t posledni = static_cast<std::size_t>(n) * n - 1;
    if (M.re[posledni] == 0.0 && M.im[posledni] == 0.0) return false;
    const double navyseni = 1.0 + smerovane::gama(2.0 * n + 4.0);
    r.normy.L = nahoru(*std::max_element(radkyL.begin(), radkyL.end()) * navyseni);
    r.normy.inverzeL = nahoru(*std::max_element(inverzeL.begin(), inverzeL.end()) * std::pow(navyseni, n));
    return true;
}

// ||U||_inf and ||U^-1||_inf through the comparison matrix (JistaEliminace.h), by columns:
// w_r = (1 + sum_c>r |u_rc| w_c) / |u_rr| with the sums gathered as each w_c is known.
void normyU(Rozklad& r) {
    const int n = r.n;
    r.velikostiU.resize(static_cast<std::size_t>(n) * n);
    r.diagonala.resize(static_cast<std::size_t>(n));
    std::vector<double> w(static_cast<std::size_t>(n));
    double nejvetsiRadek = 0.0, inverze = 0.0;
    // Bottom up, one pass over the rows: each row's |u_rc| (kept for normaFunkcionalu), its sum,
    // and w_r = (1 + sum_c>r |u_rc| w_c) / |u_rr|.
    for (int i = n - 1; i >= 0; --i) {
        const double* ur = &r.U.re[static_cast<std::size_t>(i) * n];
        const double* ui = &r.U.im[static_cast<std::size_t>(i) * n];
        double* v = &r.velikostiU[static_cast<std::size_t>(i) * n];
        // velikostHodnoty() of every element, their sum and their sum weighted by w.
        double soucetRadku = 0.0, vazeny = 0.0;
        for (int c = i + 1; c < n; ++c) {
            v[c] = velikostHodnoty(ur[c], ui[c]);
            soucetRadku += v[c];
            vazeny += v[c] * w[static_cast<std::size_t>(c)];
        }
        const double diagonala = std::hypot(ur[i], ui[i]);
        r.diagonala[static_cast<std::size_t>(i)] = diagonala * (1.0 - 4.0 * smerovane::U);
        nejvetsiRadek = std::max(nejvetsiRadek, diagonala * (1.0 + 4.0 * smerovane::U) + soucetRadku);
        w[static_cast<std::size_t>(i)] = (1.0 + vazeny) / r.diagonala[static_cast<std::size_t>(i)];
        inverze = std::max(inverze, w[static_cast<std::size_t>(i)]);
    }
    const double navyseni = 1.0 + smerovane::gama(2.0 * n + 4.0);
    r.normy.U = nahoru(nejvetsiRadek * navyseni);
    r.normy.inverzeU = nahoru(inverze * std::pow(navyseni, 2.0 * n));
}

// ||t||_1 for t^T = |h|^T M(U)^-1 |E_n-2| P_n-2 ... |E_0| P_0, an upper bound of |h^T (P^T L U)^-1|
// elementwise: M(U)^T w = |h| forward (by rows of U), then the eliminations transposed.
double normaFunkcionalu(const Rozklad& r, const double* h) {
    const int n = r.n;
    std::vector<double> w(h, h + n);
    for (int i = 0; i < n; ++i) w[static_cast<std::size_t>(i)] = std::fabs(w[static_cast<std::size_t>(i)]);
    for (int c = 0; c < n; ++c) {
        const double wc = w[static_cast<std::size_t>(c)] / r.diagonala[static_cast<std::size_t>(c)];
        w[static_cast<std::size_t>(c)] = wc;
        const double* a = &r.velikostiU[static_cast<std::size_t>(c) * n];
        for (int j = c + 1; j < n; ++j) w[static_cast<std::size_t>(j)] += a[j] * wc;
    }
    for (int s = n - 2; s >= 0; --s) {
        const Komplexni f = r.nasobitele[static_cast<std::size_t>(s)];
        w[static_cast<std::size_t>(s)] += velikostHodnoty(f.real(), f.imag()) * w[static_cast<std::size_t>(s) + 1];
        if (r.prohozeni[static_cast<std::size_t>(s)]) std::swap(w[static_cast<std::size_t>(s)], w[static_cast<std::size_t>(s) + 1]);
    }
    double soucet = 0.0;
    for (const double x : w) soucet += x;
    // Every value above is a sum of non-negative terms, each rounded; the errors compound along
    // the two substitutions.
    return nahoru(soucet * std::pow(1.0 + smerovane::gama(2.0 * n + 4.0), 3.0 * n));
}

// b := M^-1 b for one column b.
void resHessenbergovu(const Rozklad& r, Vektory& b) {
    const int n = r.n;
    for (int s = 0; s + 1 < n; ++s) {
        if (r.prohozeni[static_cast<std::size_t>(s)]) {
            std::swap(b.re[static_cast<std::size_t>(s)], b.re[static_cast<std::size_t>(s) + 1]);
            std::swap(b.im[static_cast<std::size_t>(s)], b.im[static_cast<std::size_t>(s) + 1]);
        }
        const Komplexni f = r.nasobitele[static_cast<std::size_t>(s)];
        const double xr = b.re[static_cast<std::size_t>(s)], xi = b.im[static_cast<std::size_t>(s)];
        b.re[static_cast<std::size_t>(s) + 1] -= f.real() * xr - f.imag() * xi;
        b.im[static_cast<std::size_t>(s) + 1] -= f.real() * xi + f.imag() * xr;
    }
    // Back substitution, each row's real and imaginary sums from the left.
    for (int s = n - 1; s >= 0; --s) {
        const std::size_t radek = static_cast<std::size_t>(s) * n;
        const double *ur = &r.U.re[radek], *ui = &r.U.im[radek], *xr = b.re.data(), *xi = b.im.data();
        double sr = 0.0, si = 0.0;
        for (int c = s + 1; c < n; ++c) {
            sr += ur[c] * xr[c] - ui[c] * xi[c];
            si += ur[c] * xi[c] + ui[c] * xr[c];
        }
        const Komplexni x = podil({b.re[static_cast<std::size_t>(s)] - sr, b.im[static_cast<std::size_t>(s)] - si},
                                  {r.U.re[radek + static_cast<std::size_t>(s)], r.U.im[radek + static_cast<std::size_t>(s)]});
        b.re[static_cast<std::size_t>(s)] = x.real();
        b.im[static_cast<std::size_t>(s)] = x.imag();
    }
}

// b := M^-T b: M^T = U^T T^-T for T = E_n-2 P_n-2 ... E_0 P_0, so U^T a = b, then T^T a.
void resHessenbergovuTransponovane(const Rozklad& r, Vektory& b) {
    const int n = r.n;
    for (int s = 0; s < n; ++s) {
        const double* ur = &r.U.re[static_cast<std::size_t>(s) * n];
        const double* ui = &r.U.im[static_cast<std::size_t>(s) * n];
        const Komplexni a = podil({b.re[static_cast<std::size_t>(s)], b.im[static_cast<std::size_t>(s)]}, {ur[s], ui[s]});
        b.re[static_cast<std::size_t>(s)] = a.real();
        b.im[static_cast<std::size_t>(s)] = a.imag();
        odecti(b.re.data(), b.im.data(), ur, ui, a.real(), a.imag(), s + 1, n);
    }
    for (int s = n - 2; s >= 0; --s) {
        const Komplexni f = r.nasobitele[static_cast<std::size_t>(s)];
        odecti(b.re.data(), b.im.data(), b.re.data() + 1, b.im.data() + 1, f.real(), f.imag(), s, s + 1);
        if (r.prohozeni[static_cast<std::size_t>(s)]) {
            std::swap(b.re[static_cast<std::size_t>(s)], b.re[static_cast<std::size_t>(s) + 1]);
            std::swap(b.im[static_cast<std::size_t>(s)], b.im[static_cast<std::size_t>(s) + 1]);
        }
    }
}

// r = b - (zI - F) x for the Hessenberg F, in double, as a sum of scaled columns of F (rows
// of Ft, F transposed row by row; column j of F has non-zeros up to row j + 1).
Vektory reziduumHessenbergovo(const std::vector<double>& Ft, int n, Komplexni z, const Vektory& b, const Vektory& x) {
    Vektory r = b;
    for (int i = 0; i < n; ++i) {
        r.re[static_cast<std::size_t>(i)] -= z.real() * x.re[static_cast<std::size_t>(i)] - z.imag() * x.im[static_cast<std::size_t>(i)];
        r.im[static_cast<std::size_t>(i)] -= z.real() * x.im[static_cast<std::size_t>(i)] + z.imag() * x.re[static_cast<std::size_t>(i)];
    }
    for (int j = 0; j < n; ++j) {
        const double* sloupec = &Ft[static_cast<std::size_t>(j) * n];
        const double xr = x.re[static_cast<std::size_t>(j)], xi = x.im[static_cast<std::size_t>(j)];
        const int po = std::min(n, j + 2);
        for (int i = 0; i < po; ++i) {
            r.re[static_cast<std::size_t>(i)] += sloupec[i] * xr;
            r.im[static_cast<std::size_t>(i)] += sloupec[i] * xi;
        }
    }
    return r;
}

// Maximum norm (soucet false) or sum of magnitudes, as an upper bound.
double normaVektoru(const Vektory& v, bool soucet) {
    double a = 0.0;
    for (std::size_t i = 0; i < v.re.size(); ++i) {
        const double x = velikostHodnoty(v.re[i], v.im[i]);
        a = soucet ? a + x : std::max(a, x);
    }
    return nahoru(a * (1.0 + smerovane::gama(v.re.size() + 1.0)));
}

double normaJednohoRadku(const std::vector<double>& A, int n, int k, int radek) {
    double a = 0.0;
    for (int j = 0; j < k; ++j) a += std::fabs(A[static_cast<std::size_t>(radek) * k + j]);
    return nahoru(a * (1.0 + smerovane::gama(n + 1.0)));
}

// L + h^T x in double, left to right, and the sum of the magnitudes of its terms.
struct SoucinRadku {
    double re, im, soucet;
};

SoucinRadku soucinRadku(double L, const double* h, const Vektory& x, int n) {
    SoucinRadku y{L, 0.0, std::fabs(L)};
    for (int j = 0; j < n; ++j) {
        const double xr = x.re[static_cast<std::size_t>(j)], xi = x.im[static_cast<std::size_t>(j)];
        y.re += h[j] * xr;
        y.im += h[j] * xi;
        y.soucet += std::fabs(h[j]) * (std::fabs(xr) + std::fabs(xi));
    }
    return y;
}

}  // namespace

struct HessenbergovoVyhodnoceni::Prostor {
    Rozklad r;
    std::vector<Vektory> X;
    std::vector<double> normaX, chybaR;
};

HessenbergovoVyhodnoceni::HessenbergovoVyhodnoceni(HessenbergovSystem system,
                                                   std::function<double(Komplexni, double)> mez)
    : s(std::move(system)), prostor(std::make_unique<Prostor>()), mezInverze(std::move(mez)) {
    for (int i = 0; i < s.n; ++i) normaM = std::max(normaM, 1.0 + normaJednohoRadku(s.F, s.n, s.n, i));
    normaM = nahoru(normaM);
    prostor->r.U = Vektory(static_cast<std::size_t>(s.n) * static_cast<std::size_t>(s.n));
}

HessenbergovoVyhodnoceni::~HessenbergovoVyhodnoceni() = default;

bool HessenbergovoVyhodnoceni::rozlozV(Komplexni z, double chybaZ, double& chybaM, double& inverze, double& inverze0,
                                       bool& porovnani) {
    const int n = s.n;
    Rozklad& r = prostor->r;
    sestav(s, z, r.U);
    double zaokrouhleniDiagonaly = 0.0;
    for (int i = 0; i < n; ++i) {
        const std::size_t d = static_cast<std::size_t>(i) * n + i;
        zaokrouhleniDiagonaly = std::max(zaokrouhleniDiagonaly, smerovane::U * velikostHodnoty(r.U.re[d], r.U.im[d]));
    }
    // ||E||_inf for the exact M* = M - E: the system's own bound, the point's, the diagonal's rounding.
    chybaM = nahoru(s.chybaF + chybaZ + zaokrouhleniDiagonaly);
    if (!rozlozHessenbergovu(n, r)) return false;
    normyU(r);
    // ||M*^-1|| in this form and in the one the system came in (M0* = Q M* Q^-1).
    inverze = r.normy.inverzePresne(n, chybaM);
    inverze0 = nahoru(s.normaQ * inverze * s.inverzeQ);
    porovnani = std::isfinite(inverze);
    if (!porovnani && mezInverze) {
        inverze0 = mezInverze(z, chybaZ);
        inverze = nahoru(s.inverzeQ * inverze0 * s.normaQ);
    }
    return std::isfinite(inverze);
}

bool HessenbergovoVyhodnoceni::vystupy(Komplexni z, double chybaZ, std::vector<Komplexni>& Y, std::vector<double>& chybyY) {
    double chybaM = 0.0, inverze = 0.0, inverze0 = 0.0;
    bool porovnani = false;
    if (!rozlozV(z, chybaZ, chybaM, inverze, inverze0, porovnani)) return false;
    return bezDualu(z, chybaM, inverze, porovnani, Y, chybyY);
}

bool HessenbergovoVyhodnoceni::reseni(Komplexni z, double chybaZ, const std::vector<int>& vstupy,
                                      const std::vector<int>& vystupy, Eigen::MatrixXcd& X0, Eigen::MatrixXcd& V0,
                                      double& inverze0) {
    const int n = s.n;
    double chybaM = 0.0, inverze = 0.0;
    bool porovnani = false;
    if (!rozlozV(z, chybaZ, chybaM, inverze, inverze0, porovnani)) return false;
    const Rozklad& r = prostor->r;
    // The columns side by side: real parts of X, imaginary parts of X, then those of V.
    const long a = static_cast<long>(vstupy.size()), b = static_cast<long>(vystupy.size());
    Eigen::MatrixXd P(n, 2 * (a + b));
    const auto uloz = [&P](const Vektory& x, long sloupec, long posun) {
        for (std::size_t j = 0; j < x.re.size(); ++j) {
            P(static_cast<long>(j), sloupec) = x.re[j];
            P(static_cast<long>(j), sloupec + posun) = x.im[j];
        }
    };
    for (std::size_t c = 0; c < vstupy.size(); ++c) {
        Vektory x(static_cast<std::size_t>(n));
        for (int j = 0; j < n; ++j) x.re[static_cast<std::size_t>(j)] = s.G[static_cast<std::size_t>(j) * s.l + vstupy[c]];
        resHessenbergovu(r, x);
        uloz(x, static_cast<long>(c), a);
    }
    for (std::size_t c = 0; c < vystupy.size(); ++c) {
        Vektory v(static_cast<std::size_t>(n));
        for (int j = 0; j < n; ++j) v.re[static_cast<std::size_t>(j)] = s.H[static_cast<std::size_t>(vystupy[c]) * n + j];
        resHessenbergovuTransponovane(r, v);
        uloz(v, 2 * a + static_cast<long>(c), b);
    }
    // Back to the system as it came, by one real product for each part (a product of one
    // column is a matrix-vector product).
    if (s.Q.size() != 0)
        for (const auto& [od, pocet] : {std::pair<long, long>{0, a}, {a, a}, {2 * a, b}, {2 * a + b, b}})
            P.middleCols(od, pocet) = soucin(s.Q, P.middleCols(od, pocet));
    X0.resize(n, a);
    V0.resize(n, b);
    for (long c = 0; c < a; ++c)
        for (long j = 0; j < n; ++j) X0(j, c) = {P(j, c), P(j, a + c)};
    for (long c = 0; c < b; ++c)
        for (long j = 0; j < n; ++j) V0(j, c) = {P(j, 2 * a + c), P(j, 2 * a + b + c)};
    return true;
}

void HessenbergovoVyhodnoceni::resVstupy(Komplexni z, double chybaM) {
    const int n = s.n, l = s.l;
    const Rozklad& r = prostor->r;
    std::vector<Vektory>& X = prostor->X;
    std::vector<double>&normaX = prostor->normaX, &chybaR = prostor->chybaR;
    X.assign(static_cast<std::size_t>(l), Vektory(static_cast<std::size_t>(n)));
    normaX.resize(X.size());
    chybaR.resize(X.size());
    const double g = smerovane::gama(n + 3.0, 2.0 * smerovane::U), dM = r.normy.chybaRozkladu(n);
    for (int i = 0; i < l; ++i) {
        for (int j = 0; j < n; ++j) X[i].re[static_cast<std::size_t>(j)] = s.G[static_cast<std::size_t>(j) * l + i];
        const Vektory b = X[i];
        resHessenbergovu(r, X[i]);
        normaX[i] = normaVektoru(X[i], false);
        // The a-priori backward error of the solve, dM ||X|| (Higham, theorem 9.4), unless it
        // is large enough to be worth the residual itself.
        chybaR[i] = nahoru(s.chybyG[i] + (chybaM + dM) * normaX[i]);
        if (dM > 1e-13) {
            const double rezidua = normaVektoru(reziduumHessenbergovo(s.Ft, n, z, b, X[i]), false);
            chybaR[i] = std::min(chybaR[i], nahoru(s.chybyG[i] + chybaM * normaX[i] + rezidua +
                                                   g * (normaVektoru(b, false) + normaM * normaX[i])));
        }
    }
}

bool HessenbergovoVyhodnoceni::bezDualu(Komplexni z, double chybaM, double inverze, bool porovnani,
                                        std::vector<Komplexni>& Y, std::vector<double>& chybyY) {
    const int n = s.n, l = s.l, m = s.m;
    const Rozklad& r = prostor->r;
    // With the factors, M* = P^T L U - D for ||D||_inf <= dM + ||E|| (dM the factorisation's
    // backward error, Higham, theorem 9.3), so |h^T M*^-1 w| <= ||t||_1 ||w||_inf /
    // (1 - ||(P^T L U)^-1|| ||D||) for t of normaFunkcionalu, and M* (X* - X) = R* is the exact
    // residual: the computed one (in double, with its rounding) and ||G* - G|| + ||E|| ||X||.
    // Without the comparison matrices (porovnani false) only ||M*^-1|| is known: t = ||h||_1 ||M*^-1||.
    const double D = nahoru(r.normy.chybaRozkladu(n) + chybaM);
    const double inverzeLU = nahoru(r.normy.inverzeL * r.normy.inverzeU);
    if (porovnani && !(inverzeLU * D < 0.5)) return false;
    const double zesileni = porovnani ? 1.0 / (1.0 - nahoru(inverzeLU * D)) : 0.0;
    resVstupy(z, chybaM);
    const std::vector<Vektory>& X = prostor->X;
    const std::vector<double>&normaX = prostor->normaX, &chybaR = prostor->chybaR;
    Y.assign(static_cast<std::size_t>(m) * l, 0.0);
    chybyY.assign(Y.size(), 0.0);
    const double soucetni = smerovane::gama(n + 2.0, smerovane::U_KOMPLEXNI);
    for (int o = 0; o < m; ++o) {
        const double* h = &s.H[static_cast<std::size_t>(o) * n];
        const double t = porovnani ? nahoru(normaFunkcionalu(r, h) * zesileni) : nahoru(normaJednohoRadku(s.H, n, n, o) * inverze);
        for (int i = 0; i < l; ++i) {
            const std::size_t e = static_cast<std::size_t>(o) * l + i;
            const SoucinRadku y = soucinRadku(s.L[e], h, X[i], n);
            // ||X* - X||_inf for the error of h* itself.
            const double chybaX = nahoru(inverze * chybaR[i]);
            Y[e] = {y.re, y.im};
            chybyY[e] = nahoru(s.dL[e] + s.chybyH[o] * (normaX[i] + chybaX) + t * chybaR[i] +
                               soucetni * nahoru(y.soucet * (1.0 + smerovane::gama(2.0 * n + 2.0))) + smerovane::PODTECENI);
            if (!std::isfinite(chybyY[e]) || !std::isfinite(y.re) || !std::isfinite(y.im)) return false;
        }
    }
    return true;
}
