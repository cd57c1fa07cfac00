#include "CLLDS_Stav_SISO.h"

#include <algorithm>
#include <iostream>
#include <ostream>
#include <string>
#include <utility>

#include "CLDDS_Vnejsi_SISO.h"
#include "PresnePrevody.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"

namespace {

void zkontrolujTvar(bool vyhovuje, const int& n, const Matrix<double>& matice,
                    const std::string& zprava) {
    if (!vyhovuje) throw vyjm::CLDDS_Stav_SISO(n, matice.get_rows(), matice.get_columns(), zprava);
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
    kontrola();
}

CLDDS_Stav_SISO::CLDDS_Stav_SISO(const CLDDS_Stav& data) : CLDDS(), CLDDS_Stav(data) { kontrola(); }

void CLDDS_Stav_SISO::kontrola() const {
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

CLDDS_Stav_SISO::CLDDS_Stav_SISO(CLDDS_Vnejsi_SISO& vnejsiSISO) : CLDDS_Stav_SISO(vnejsiSISO.realizace()) {}

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

void CLDDS_Stav_SISO::zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const {
    const auto popis = [this](std::ostream& os) { popisStavu(os); };
    zapisZpravy(f, stabilni(), "System Stavove SISO:\n", popis, telo, "Chyba pri zpracovani vystupu Stav SISO\n");
}

void CLDDS_Stav_SISO::CSVexport(Matrix<double> vystup, std::fstream& f) const {
    zapisZpravu(f, hodnotyVysledku(vystup, RozlozeniVysledku::SISO));
}

std::vector<Pol> CLDDS_Stav_SISO::poly() const { return polyStavu(); }

FrekvencniOdezva CLDDS_Stav_SISO::frekvencni_odezva(const std::vector<double>& w) const {
    return frekvencniOdezvaStavu(w);
}

CLDDS_Vnejsi_SISO& operator>>(CLDDS_Stav_SISO& stav_SISO, CLDDS_Vnejsi_SISO& vnejsi_SISO) {
    // A = det(zI - F), B = H adj(zI - F) G + L det(zI - F), computed exactly.
    Polynom A;
    Matrix<Polynom> B;
    std::string chyba;
    if (!prenosPresne(stav_SISO.presneHodnoty(), A, B, chyba))
        throw vyjm::CLDDS_Stav_SISO(stav_SISO.get_n(), stav_SISO.get_F().get_rows(), stav_SISO.get_F().get_columns(), chyba);
    CLDDS_Vnejsi_SISO vysledek(A, B(0, 0));
    vnejsi_SISO = std::move(vysledek);
    return vnejsi_SISO;
}

CLDDS_Vnejsi_SISO::CLDDS_Vnejsi_SISO(CLDDS_Stav_SISO& stav) : A('x', false), B('x', false) { stav >> *this; }

CLDDS_Vnejsi_SISO CLDDS_Vnejsi_SISO::operator=(CLDDS_Stav_SISO& stav) {
    stav >> *this;
    return *this;
}

CLDDS_Stav_SISO& operator>>(CLDDS_Vnejsi_SISO& vnejsi_SISO, CLDDS_Stav_SISO& stav_SISO) {
    stav_SISO = CLDDS_Stav_SISO(vnejsi_SISO.realizace());
    return stav_SISO;
}
