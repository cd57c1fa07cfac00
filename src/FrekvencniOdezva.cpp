#include "FrekvencniOdezva.h"

#include <algorithm>
#include <cmath>

#include "Konstanty.h"
#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"
#include "StrukturaPrenosu.h"

namespace {

// What the error bound of p(z) at |z| = 1 needs of the coefficients c_k: sum |c_k|, sum k |c_k|
// and the degree.
struct VelikostPolynomu {
    double soucet = 0.0;
    double derivace = 0.0;
    int stupen = 0;

    explicit VelikostPolynomu(const Polynom& p) : stupen(std::max(p.get_stupen(), 0)) {
        for (int k = 0; k <= stupen; ++k) {
            soucet += std::fabs(p[static_cast<std::size_t>(k)]);
            derivace += k * std::fabs(p[static_cast<std::size_t>(k)]);
        }
        soucet = smerovane::nahoru(soucet * (1.0 + smerovane::gama(stupen + 1.0)));
        derivace = smerovane::nahoru(derivace * (1.0 + smerovane::gama(stupen + 2.0)));
    }

    // |p*(z*) - fl(p(z))| for the exact coefficients p* (each within CHYBA_CTENI of the double),
    // the exact point z* within `chybaBodu` of z, and Horner's rounding (Higham, eq. 5.3, with
    // complex operations): gamma_2d sum |c_k| |z|^k, plus |p'| |z* - z|.
    double chyba(double chybaBodu) const {
        const double mocnina = std::pow(1.0 + 4.0 * smerovane::U + chybaBodu, stupen);
        return smerovane::nahoru(mocnina * ((smerovane::gama(2.0 * stupen + 2.0, smerovane::U_KOMPLEXNI) + CHYBA_CTENI) * soucet +
                                       chybaBodu * derivace) +
                            (stupen + 1.0) * smerovane::PODTECENI);
    }
};

bool nulovy(const Polynom& p) {
    for (int k = 0; k <= std::max(p.get_stupen(), 0); ++k)
        if (p[static_cast<std::size_t>(k)] != 0.0) return false;
    return true;
}

// b / a and its bound from the bounds of a and b: |B*/A* - b/a| <= (|a| eb + |b| ea) /
// (|a| (|a| - ea)), and the rounding of the quotient. inf when |a| <= ea.
double chybaPodilu(Komplexni a, double ea, Komplexni b, double eb, Komplexni podil) {
    const double velikostA = smerovane::velikostDolu(a);
    if (!(velikostA > ea)) return std::numeric_limits<double>::infinity();
    const double citatel = smerovane::velikostNahoru(a) * eb + smerovane::velikostNahoru(b) * ea;
    return smerovane::nahoru(citatel / (velikostA * (velikostA - ea) * (1.0 - 4.0 * smerovane::U)) +
                        smerovane::U_KOMPLEXNI * smerovane::velikostNahoru(podil));
}

// Frequency k of A(z)^-1 B(z) again by jisteVystupy with the elementwise bounds of every
// element's evaluation: every value whose bound this makes smaller takes it.
void zpresniZlomek(const Matrix<Polynom>& A, const Matrix<Polynom>& B, const std::vector<double>& w,
                   FrekvencniOdezva& odezva, std::size_t k) {
    const int m = A.get_rows(), l = B.get_columns();
    const Komplexni z = bodKruznice(w[k]);
    const double chybaBodu = chybaBoduKruznice(w[k]);
    ChybyDat chyby;
    std::vector<Komplexni> M, P, I(static_cast<std::size_t>(m) * m, 0.0), D(static_cast<std::size_t>(m) * l, 0.0);
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < m; ++j) {
            M.push_back(hodnotaPolynomu(A(i, j), z));
            chyby.M.push_back(VelikostPolynomu(A(i, j)).chyba(chybaBodu));
        }
        for (int j = 0; j < l; ++j) {
            P.push_back(hodnotaPolynomu(B(i, j), z));
            chyby.G.push_back(VelikostPolynomu(B(i, j)).chyba(chybaBodu));
        }
        I[static_cast<std::size_t>(i) * m + i] = 1.0;
    }
    chyby.H.assign(I.size(), 0.0);
    chyby.D.assign(D.size(), 0.0);
    std::vector<Komplexni> Y;
    std::vector<double> chybyY;
    if (!jisteVystupy(std::move(M), m, P, l, I, m, D, chyby, Y, chybyY)) return;
    odezva.prevezmiTesnejsi(k, Y, chybyY);
}

}  // namespace

FrekvencniOdezva::FrekvencniOdezva(int vystupu, int vstupu, const std::vector<double>& w)
    : vystupu(vystupu), vstupu(vstupu),
      hodnoty(w.size() * static_cast<std::size_t>(vystupu) * static_cast<std::size_t>(vstupu)),
      chyby(hodnoty.size(), std::numeric_limits<double>::infinity()),
      konstantni(static_cast<std::size_t>(vystupu) * static_cast<std::size_t>(vstupu), false) {
    for (const double x : w) realne.push_back(bodKruznice(x) == -1.0);
}

void FrekvencniOdezva::prevezmiTesnejsi(std::size_t k, const std::vector<Komplexni>& Y, const std::vector<double>& chybyY) {
    for (int o = 0; o < vystupu; ++o)
        for (int i = 0; i < vstupu; ++i) {
            const std::size_t e = index(k, o, i), p = static_cast<std::size_t>(o) * vstupu + i;
            if (jeKonstantni(o, i) || !(chybyY[p] < chyby[e])) continue;
            hodnoty[e] = Y[p];
            chyby[e] = chybyY[p];
        }
}

Komplexni bodKruznice(double w) {
    if (w == PI) return {-1.0, 0.0};
    return {std::cos(w), std::sin(w)};
}

double chybaBoduKruznice(double w) { return w == PI ? 0.0 : 256.0 * smerovane::U; }

double frekvenceMrizky(int k) { return k == 255 ? PI : 1e-3 * PI * std::pow(1000.0, k / 255.0); }

PresnyBod presnyBodKruznice(double w) {
    const long k = std::lround(85.0 * std::log10(w / PI) + 255.0);
    if (!(w > 0.0) || k < 0 || k > 255 || frekvenceMrizky(static_cast<int>(k)) != w)
        return {bodKruznice(w), 0.0, chybaBoduKruznice(w)};
    if (k == 255) return {{-1.0, 0.0}, 0.0, 0.0};
    const long double pi = 3.141592653589793238462643383279502884L;
    const long double omega = pi * std::pow(10.0L, static_cast<long double>(k - 255) / 85.0L);
    const long double c = std::cos(omega), s = std::sin(omega);
    // A long double's 64 bits are exactly the sum of two doubles.
    const double cHi = static_cast<double>(c), sHi = static_cast<double>(s);
    return {{cHi, sHi}, {static_cast<double>(c - cHi), static_cast<double>(s - sHi)}, 0x1p-55};
}

Komplexni hodnotaPolynomu(const Polynom& p, Komplexni z) {
    Komplexni r = 0.0;
    for (int i = p.get_stupen(); i >= 0; --i) r = soucin(r, z) + p[static_cast<std::size_t>(i)];
    return r;
}

FrekvencniOdezva frekvencePodilu(const Polynom& B, const Polynom& A, const std::vector<double>& w) {
    FrekvencniOdezva odezva(1, 1, w);
    if (nulovy(B)) {
        odezva.konstantni[0] = true;
        std::fill(odezva.chyby.begin(), odezva.chyby.end(), 0.0);
        return odezva;
    }
    const VelikostPolynomu velikostA(A), velikostB(B);
    for (std::size_t k = 0; k < w.size(); ++k) {
        const Komplexni z = bodKruznice(w[k]);
        const Komplexni a = hodnotaPolynomu(A, z), b = hodnotaPolynomu(B, z);
        if (a == 0.0) continue;
        const double chybaBodu = chybaBoduKruznice(w[k]);
        odezva(k, 0, 0) = podil(b, a);
        odezva.chyby[k] = chybaPodilu(a, velikostA.chyba(chybaBodu), b, velikostB.chyba(chybaBodu), odezva(k, 0, 0));
    }
    return odezva;
}

namespace {

// The pairs of A^-1 B that no path of A joins to an input, zero at every z. A^-1 is zero where
// no path of A leads (its diagonal is never zero): output o reads y_o.
std::vector<bool> konstantniPrvkyZlomku(const Matrix<Polynom>& A, const Matrix<Polynom>& B) {
    const std::size_t m = static_cast<std::size_t>(A.get_rows()), l = static_cast<std::size_t>(B.get_columns());
    std::vector<std::vector<bool>> nenulove(m, std::vector<bool>(m)), vstupy(m, std::vector<bool>(l)),
        vystupy(m, std::vector<bool>(m));
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j) nenulove[i][j] = i != j && !nulovy(A(static_cast<int>(i), static_cast<int>(j)));
        for (std::size_t j = 0; j < l; ++j) vstupy[i][j] = !nulovy(B(static_cast<int>(i), static_cast<int>(j)));
        vystupy[i][i] = true;
    }
    return bezCesty(nenulove, vstupy, vystupy);
}

std::vector<VelikostPolynomu> velikostiPrvku(const Matrix<Polynom>& P) {
    std::vector<VelikostPolynomu> velikosti;
    for (int i = 0; i < P.get_rows(); ++i)
        for (int j = 0; j < P.get_columns(); ++j) velikosti.emplace_back(P(i, j));
    return velikosti;
}

// A(z) into M and B(z) into P (row by row) at one frequency, with ||A*(z*) - A(z)||_inf from the
// rows' sums of the elements' bounds and, per column of B, the largest bound of its elements.
struct ZlomekVBode {
    const Matrix<Polynom>& A;
    const Matrix<Polynom>& B;
    const std::vector<VelikostPolynomu> velikostA, velikostB;
    std::vector<Komplexni> M, P;
    double chybaM = 0.0;
    std::vector<double> chybyP;

    ZlomekVBode(const Matrix<Polynom>& A, const Matrix<Polynom>& B)
        : A(A), B(B), velikostA(velikostiPrvku(A)), velikostB(velikostiPrvku(B)),
          M(static_cast<std::size_t>(A.get_rows()) * A.get_rows()),
          P(static_cast<std::size_t>(A.get_rows()) * B.get_columns()),
          chybyP(static_cast<std::size_t>(B.get_columns())) {}

    void vyhodnot(double w) {
        const int m = A.get_rows(), l = B.get_columns();
        const Komplexni z = bodKruznice(w);
        const double chybaBodu = chybaBoduKruznice(w);
        chybaM = 0.0;
        std::fill(chybyP.begin(), chybyP.end(), 0.0);
        for (int i = 0; i < m; ++i) {
            double radek = 0.0;
            for (int j = 0; j < m; ++j) {
                M[static_cast<std::size_t>(i) * m + j] = hodnotaPolynomu(A(i, j), z);
                radek += velikostA[static_cast<std::size_t>(i) * m + j].chyba(chybaBodu);
            }
            chybaM = std::max(chybaM, radek);
            for (int j = 0; j < l; ++j) {
                P[static_cast<std::size_t>(i) * l + j] = hodnotaPolynomu(B(i, j), z);
                chybyP[j] = std::max(chybyP[j], velikostB[static_cast<std::size_t>(i) * l + j].chyba(chybaBodu));
            }
        }
    }
};

// The constant pairs are exact zeros at every frequency.
void vynulujKonstantni(FrekvencniOdezva& odezva) {
    for (int i = 0; i < odezva.vystupu; ++i)
        for (int j = 0; j < odezva.vstupu; ++j)
            if (odezva.jeKonstantni(i, j))
                for (std::size_t k = 0; k < odezva.frekvenci(); ++k) {
                    odezva(k, i, j) = 0.0;
                    odezva.chyby[odezva.index(k, i, j)] = 0.0;
                }
}

}  // namespace

FrekvencniOdezva frekvenceMaticovehoZlomku(const Matrix<Polynom>& A, const Matrix<Polynom>& B,
                                        const std::vector<double>& w) {
    const int m = A.get_rows();
    const int l = B.get_columns();
    FrekvencniOdezva odezva(m, l, w);
    odezva.konstantni = konstantniPrvkyZlomku(A, B);
    ZlomekVBode zlomek(A, B);
    std::vector<double> chybyX;
    for (std::size_t k = 0; k < w.size(); ++k) {
        zlomek.vyhodnot(w[k]);
        if (!jisteVyres(zlomek.M, m, m - 1, zlomek.P, l, smerovane::nahoru(zlomek.chybaM * (1.0 + smerovane::gama(m))),
                        zlomek.chybyP, chybyX))
            continue;
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < l; ++j) {
                odezva(k, i, j) = zlomek.P[static_cast<std::size_t>(i) * l + j];
                odezva.chyby[odezva.index(k, i, j)] = chybyX[static_cast<std::size_t>(j)];
            }
    }
    odezva.zpresneni.push_back({[A, B, w](FrekvencniOdezva& o, std::size_t k, const std::vector<bool>&) {
                                    zpresniZlomek(A, B, w, o, k);
                                },
                                (m + 6.0 * l) * m * m / 3.0});
    vynulujKonstantni(odezva);
    return odezva;
}
