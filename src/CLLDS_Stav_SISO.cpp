#include "CLLDS_Stav_SISO.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <ostream>
#include <string>
#include <utility>

#include "CLDDS_Vnejsi_SISO.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"

namespace {

const int POCET_KROKU = 50;

void zkontrolujTvar(bool vyhovuje, const int& n, const Matrix<double>& matice,
                    const std::string& zprava) {
    if (!vyhovuje) throw vyjm::CLDDS_Stav_SISO(n, matice.get_rows(), matice.get_columns(), zprava);
}

double frobenius(const Matrix<double>& M) {
    double s = 0.0;
    for (int p = 0; p < M.get_count(); ++p) s += M.get_matrix()[p] * M.get_matrix()[p];
    return std::sqrt(s);
}

// Weight t of the feedback in det(zI - F + t G H) - det(zI - F) = t H adj(zI - F) G, which
// holds for every t because G H has rank one. The difference cancels, so its rounding error
// is that of det(zI - F + t G H) over t; that error grows like the n-th power of the norm
// of F - t G H. Their balance, t about |F| / (n |G| |H|), keeps the numerator to the accuracy
// of the denominator, where t = 1 loses every digit once G H outweighs F in a large system.
// A power of two, so that the weighting is exact.
double vahaVazby(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H) {
    const double vazba = frobenius(G) * frobenius(H) * F.get_rows();
    const double normaF = frobenius(F);
    if (!(vazba > 0.0) || !(normaF > 0.0) || !std::isfinite(vazba) || !std::isfinite(normaF)) return 1.0;
    const long m = std::lround(std::log2(normaF / vazba));
    return std::ldexp(1.0, static_cast<int>(std::max(-900L, std::min(900L, m))));
}

}  // namespace

CLDDS_Stav_SISO::CLDDS_Stav_SISO() : CLDDS(), CLDDS_Stav() {
    const double f[] = {0.98, 0.24, -0.12, 0.93};
    const double g[] = {0.02, 0.15};
    const double h[] = {1.0, 0.0};
    const double l[] = {0.0};
    const double x[] = {0.0, 0.0};
    F = Matrix<double>(2, 2, f);
    G = Matrix<double>(2, 1, g);
    H = Matrix<double>(1, 2, h);
    L = Matrix<double>(1, 1, l);
    x0 = Matrix<double>(2, 1, x);
    n = 2;
}

CLDDS_Stav_SISO::CLDDS_Stav_SISO(const Matrix<double>& F, const Matrix<double>& G,
                                 const Matrix<double>& H, const Matrix<double>& L,
                                 const Matrix<double>& x0, const int& n, const double& T)
    : CLDDS(), CLDDS_Stav(F, G, H, L, x0, n, T) {
    // The numbers carried by the error: the order n, then the rows and columns of the
    // matrix that does not fit.
    zkontrolujTvar(F.get_rows() == F.get_columns(), n, F, "Matice F neni ctvercova\n");
    zkontrolujTvar(F.get_rows() >= 1, n, F, "Matice F je prazdna, system nema zadny stav\n");
    zkontrolujTvar(F.get_rows() == n, n, F, "Rad systemu neodpovida rozmeru matice F\n");
    zkontrolujTvar(G.get_rows() == n && G.get_columns() == 1, n, G,
                   "Matice G musi mit stejny pocet radku jako matice F a jeden sloupec\n");
    zkontrolujTvar(H.get_rows() == 1 && H.get_columns() == n, n, H,
                   "Matice H musi mit jeden radek a stejny pocet sloupcu jako matice F\n");
    zkontrolujTvar(L.get_rows() == 1 && L.get_columns() == 1, n, L,
                   "Matice L musi mit jeden radek a jeden sloupec\n");
    zkontrolujTvar(x0.get_rows() == n && x0.get_columns() == 1, n, x0,
                   "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n");
}

CLDDS_Stav_SISO::CLDDS_Stav_SISO(CLDDS_Vnejsi_SISO& vnejsiSISO) : CLDDS(), CLDDS_Stav() {
    vnejsiSISO >> *this;
}

CLDDS_Stav_SISO CLDDS_Stav_SISO::operator=(CLDDS_Vnejsi_SISO& vnejsiSISO) {
    vnejsiSISO >> *this;
    return *this;
}

Matrix<double> CLDDS_Stav_SISO::vystup_systemu(Matrix<double> vstup) const {
    if (vstup.get_columns() != 1)
        throw vyjm::CLDDS_Stav_SISO(1, vstup.get_columns(), 1, "Pocet sloupcu u vstupu StavSISO je 1\n");
    // The column of steps becomes the single input row of the recursion and back.
    return odezvaStavu(vstup.transpozice()).transpozice();
}

Matrix<double> CLDDS_Stav_SISO::impulsni_funkce() const {
    Matrix<double> u(1, POCET_KROKU, Matrix<double>::ZEROS);
    u(0, 0) = 1.0;
    return odezvaStavu(u).transpozice();
}

Matrix<double> CLDDS_Stav_SISO::prechodova_funkce() const {
    return odezvaStavu(Matrix<double>(1, POCET_KROKU, Matrix<double>::ONES)).transpozice();
}

bool CLDDS_Stav_SISO::stabilni() const { return stavova_stabilita(std::cout); }

void CLDDS_Stav_SISO::CSVexport(Matrix<double> vystup, std::fstream& f) const {
    const auto popis = [this](std::ostream& os) { popisStavu(os); };
    zapisVysledku(f, *this, "System Stavove SISO:\n", popis, vystup, RozlozeniVysledku::SISO,
                  "Chyba pri zpracovani vystupu Stav SISO\n");
}

Zlomek<Polynom> prenosovaFunkce(const CLDDS_Stav_SISO& stav) {
    const Matrix<double>& F = stav.get_F();
    const int n = F.get_rows();
    const Pole<double> a = F.charakteristickyPolynom();
    const Polynom A(a, 'x', false);
    // The characteristic polynomials are computed in real arithmetic (division-free, exact on
    // exact data), not as determinants of polynomial matrices. det(zI - F + t G H) is that of
    // the feedback F - t G H; its difference from A, over t, is H adj(zI - F) G, of degree n - 1.
    const double t = vahaVazby(F, stav.get_G(), stav.get_H());
    const Pole<double> sVazbou = (F - stav.get_G() * stav.get_H() * t).charakteristickyPolynom();
    Pole<double> rozdil(n);
    for (int k = 0; k < n; ++k) rozdil[k] = (sVazbou[k] - a[k]) / t;
    const Polynom B = Polynom(rozdil, 'x', false) + A * stav.get_L()(0, 0);
    return Zlomek<Polynom>(B, A);
}

Zlomek<Polynom> prenosovaFunkcePresInverzi(const CLDDS_Stav_SISO& stav) {
    const int n = stav.get_F().get_rows();
    const Zlomek<Polynom> Lpolynom(Polynom(stav.get_L()(0, 0), 0, 'x', false),
                                   Polynom(1.0, 0, 'x', false));
    Matrix<Zlomek<Polynom>> Fpolynom, Gpolynom, Hpolynom;
    Fpolynom << stav.get_F();
    Gpolynom << stav.get_G();
    Hpolynom << stav.get_H();

    const Zlomek<Polynom> z(Polynom(1.0, 1, 'x', false), Polynom(1.0, 0, 'x', false));
    const Matrix<Zlomek<Polynom>> jednotkovaMatice(n, n, Matrix<Zlomek<Polynom>>::ONE);
    const InversniMaticeZlomek Y(jednotkovaMatice * z - Fpolynom);
    const Matrix<Zlomek<Polynom>> U = Y.inverze();

    // Numerators of the inverse: the adjugate of zI - F over the common denominator det(zI - F).
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) Fpolynom(i, j)[1] = U(i, j)[1];
    const Matrix<Zlomek<Polynom>> tmp_U = Hpolynom * Fpolynom * Gpolynom;

    const Zlomek<Polynom> newU = Zlomek<Polynom>(tmp_U(0, 0)[1], U(0, 0)[2]) + Lpolynom;
    return newU;
}

CLDDS_Vnejsi_SISO& operator>>(CLDDS_Stav_SISO& stav_SISO, CLDDS_Vnejsi_SISO& vnejsi_SISO) {
    const Zlomek<Polynom> prenos = prenosovaFunkce(stav_SISO);
    CLDDS_Vnejsi_SISO vysledek(prenos[2], prenos[1]);
    vnejsi_SISO = std::move(vysledek);
    return vnejsi_SISO;
}
