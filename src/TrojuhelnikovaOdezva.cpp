#include "TrojuhelnikovaOdezva.h"

#include <algorithm>
#include <cmath>

#include "SmerovaneZaokrouhleni.h"

using smerovane::nahoru;
using smerovane::velikostDolu;
using smerovane::velikostNahoru;

std::vector<int> poradiDosazovani(const Matrix<double>& F) {
    const int n = F.get_rows();
    std::vector<int> zavislosti(static_cast<std::size_t>(n), 0), poradi, pripravene;
    std::vector<std::vector<int>> ctenari(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (r != c && F(r, c) != 0.0) {
                ++zavislosti[static_cast<std::size_t>(r)];
                ctenari[static_cast<std::size_t>(c)].push_back(r);
            }
    for (int r = 0; r < n; ++r)
        if (zavislosti[static_cast<std::size_t>(r)] == 0) pripravene.push_back(r);
    while (!pripravene.empty()) {
        const int c = pripravene.back();
        pripravene.pop_back();
        poradi.push_back(c);
        for (const int r : ctenari[static_cast<std::size_t>(c)])
            if (--zavislosti[static_cast<std::size_t>(r)] == 0) pripravene.push_back(r);
    }
    if (static_cast<int>(poradi.size()) != n) poradi.clear();
    return poradi;
}

namespace {

struct Clen {
    int sloupec;
    double hodnota, chyba;  // F_rc and its reading's bound
};

// The off-diagonal entries of F by rows.
std::vector<std::vector<Clen>> radkyMimoDiagonalu(const Matrix<double>& F, const Matrix<double>& dF) {
    const int n = F.get_rows();
    std::vector<std::vector<Clen>> radky(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (r != c && F(r, c) != 0.0) radky[static_cast<std::size_t>(r)].push_back({c, F(r, c), dF(r, c)});
    return radky;
}

// The solve of one frequency: the diagonal of zI - F with its bounds, the state x = (zI - F)^-1 g
// of one input and the bound e of its error, entry by entry.
struct Dosazeni {
    std::vector<Komplexni> t, x;
    std::vector<double> dolni, chybaDiagonaly, e;
    explicit Dosazeni(std::size_t n) : t(n), x(n), dolni(n), chybaDiagonaly(n), e(n) {}

    // False when a diagonal entry may vanish.
    bool diagonala(const Matrix<double>& F, const Matrix<double>& dF, double w) {
        const Komplexni z = bodKruznice(w);
        bool regularni = true;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const int r = static_cast<int>(i);
            t[i] = z - F(r, r);
            chybaDiagonaly[i] = nahoru(chybaBoduKruznice(w) + smerovane::U * velikostNahoru(t[i]) + dF(r, r));
            dolni[i] = velikostDolu(t[i]) - chybaDiagonaly[i];
            regularni = regularni && t[i] != 0.0 && dolni[i] > 0.0;
        }
        return regularni;
    }

    // Row r of the substitution for input `vstup`; g bounds the roundings of a computed value.
    void radek(int r, int vstup, const std::vector<Clen>& clenove, const Matrix<double>& G, const Matrix<double>& dG,
               double g) {
        const std::size_t i = static_cast<std::size_t>(r);
        Komplexni soucet = G(r, vstup);
        double velikost = std::fabs(G(r, vstup)), cteni = 0.0, zavislost = 0.0;
        for (const Clen& c : clenove) {
            const std::size_t j = static_cast<std::size_t>(c.sloupec);
            soucet += c.hodnota * x[j];
            const double vx = velikostNahoru(x[j]);
            velikost += std::fabs(c.hodnota) * vx;
            cteni += c.chyba * vx;
            zavislost += (std::fabs(c.hodnota) + c.chyba) * e[j];
        }
        x[i] = podil(soucet, t[i]);
        // rho_r: the reading of G and F, the diagonal's perturbation, the substitution's
        // backward error; then e = M*^-1 rho in the same order.
        const double rho = dG(r, vstup) + cteni + chybaDiagonaly[i] * velikostNahoru(x[i]) +
                           g * (velikost + velikostNahoru(t[i]) * velikostNahoru(x[i]));
        e[i] = (rho + zavislost) * (1.0 + 4.0 * smerovane::U) / dolni[i];
    }
};

// y = H x + L of output o, input `vstup`, kept where its bound is tighter than the one held.
void vystup(const Dosazeni& d, const Matrix<double>& H, const Matrix<double>& L, const Matrix<double>& dH,
            const Matrix<double>& dL, int o, int vstup, double navyseni, std::size_t index, FrekvencniOdezva& odezva) {
    const int n = H.get_columns();
    Komplexni y = L(o, vstup);
    double chyba = dL(o, vstup), velikost = std::fabs(L(o, vstup));
    for (int r = 0; r < n; ++r) {
        if (H(o, r) == 0.0 && dH(o, r) == 0.0) continue;
        const std::size_t i = static_cast<std::size_t>(r);
        y += H(o, r) * d.x[i];
        velikost += std::fabs(H(o, r)) * velikostNahoru(d.x[i]);
        chyba += std::fabs(H(o, r)) * d.e[i] * navyseni + dH(o, r) * (velikostNahoru(d.x[i]) + d.e[i] * navyseni);
    }
    const double mez = nahoru(chyba * (1.0 + smerovane::gama(2.0 * n + 2.0)) +
                              smerovane::gama(n + 2.0, smerovane::U_KOMPLEXNI) * velikost + smerovane::PODTECENI);
    if (odezva.jeKonstantni(o, vstup) || !std::isfinite(mez) || !(mez < odezva.chyby[index])) return;
    odezva.hodnoty[index] = y;
    odezva.chyby[index] = mez;
}

}  // namespace

void trojuhelnikovaOdezva(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                          const Matrix<double>& L, const Matrix<double>& dF, const Matrix<double>& dG,
                          const Matrix<double>& dH, const Matrix<double>& dL, const std::vector<int>& poradi,
                          const std::vector<double>& w, FrekvencniOdezva& odezva) {
    const int n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    const std::vector<std::vector<Clen>> radky = radkyMimoDiagonalu(F, dF);
    std::size_t nejdelsi = 0;
    for (const std::vector<Clen>& radek : radky) nejdelsi = std::max(nejdelsi, radek.size());
    // Each computed value carries at most nejdelsi + 3 complex roundings; the non-negative
    // substitution for the bound compounds its own along at most n steps.
    const double g = smerovane::gama(nejdelsi + 3.0, smerovane::U_KOMPLEXNI);
    const double navyseni = std::pow(1.0 + smerovane::gama(nejdelsi + 4.0), n + 1.0);
    Dosazeni d(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < w.size(); ++k) {
        if (!d.diagonala(F, dF, w[k])) continue;
        for (int vstup = 0; vstup < l; ++vstup) {
            for (const int r : poradi) d.radek(r, vstup, radky[static_cast<std::size_t>(r)], G, dG, g);
            for (int o = 0; o < m; ++o) vystup(d, H, L, dH, dL, o, vstup, navyseni, odezva.index(k, o, vstup), odezva);
        }
    }
}
