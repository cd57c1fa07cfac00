#include "CLDDS_Stav_MIMO.h"

#include <iostream>
#include <ostream>
#include <utility>

#include "CLDDS_Vnejsi_MIMO.h"
#include "PresnePrevody.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"
#include "ZpravyStavuMIMO.h"

namespace {

// The fraction inverse costs one cofactor determinant per element; beyond this order the
// conversion is refused before any work.
const int MAX_RAD_PREVODU = 8;

}  // namespace

CLDDS_Stav_MIMO::CLDDS_Stav_MIMO() : CLDDS(), CLDDS_Stav(), l(2), m(2) {
    const double f[] = {-32.279, -70.151, 1, 0,  //
                        29.086,  57.474,  0, 1,  //
                        57.722,  124.972, 0, 0,  //
                        -61.617, -121.356, 0, 0};
    const double g[] = {-24.882, 17.533, 20.913, -13.7, 44.341, -30.921, -43.59, 28.804};
    const double h[] = {-57.722, -124.972, 0, 0, 61.617, 121.356, 10, 0};
    const double d[] = {-44.341, 30.921, 43.59, -28.804};
    const double x[] = {0, 0, 0, 0};
    F = Matrix<double>(4, 4, f);
    G = Matrix<double>(4, 2, g);
    H = Matrix<double>(2, 4, h);
    L = Matrix<double>(2, 2, d);
    x0 = Matrix<double>(4, 1, x);
    n = 4;
}

CLDDS_Stav_MIMO::CLDDS_Stav_MIMO(const int& l, const int& m, const Matrix<double>& F,
                                 const Matrix<double>& G, const Matrix<double>& H,
                                 const Matrix<double>& L, const Matrix<double>& x0, const int& n,
                                 const double& T)
    : CLDDS(), CLDDS_Stav(F, G, H, L, x0, n, T), l(l), m(m) {
    kontrola();
}

CLDDS_Stav_MIMO::CLDDS_Stav_MIMO(const CLDDS_Stav& data)
    : CLDDS(), CLDDS_Stav(data), l(G.get_columns()), m(H.get_rows()) {
    kontrola();
}

void CLDDS_Stav_MIMO::kontrola() const {
    const int radkyF = F.get_rows();
    const int sloupceF = F.get_columns();
    const int radkyG = G.get_rows();
    const int sloupceG = G.get_columns();
    const int radkyH = H.get_rows();
    const int sloupceH = H.get_columns();

    if (l != m) throw vyjm::CLDDS_MIMO(l, m, zpravyStavuMIMO::VSTUPY_A_VYSTUPY);
    if (l != sloupceG)
        throw vyjm::CLDDS_MIMO(l, sloupceG, "Pocet vstupu neodpovida poctu sloupcu matice G\n");
    if (m != radkyH)
        throw vyjm::CLDDS_MIMO(m, radkyH, "Pocet vystupu neodpovida poctu radku matice H\n");
    if (radkyF != sloupceF) throw vyjm::CLDDS_Stav_MIMO(radkyF, zpravyStavuMIMO::F_NENI_CTVERCOVA);
    if (radkyF != radkyG) throw vyjm::CLDDS_Stav_MIMO(radkyF, zpravyStavuMIMO::RADKY_F_A_G);
    if (sloupceF != sloupceH)
        throw vyjm::CLDDS_Stav_MIMO(radkyF,
                                    "Matice F nema stejny pocet sloupcu jako Matice H sloupcu\n");
    if (sloupceG != radkyH)
        throw vyjm::CLDDS_Stav_MIMO(sloupceG, "Matice G nema stejny pocet sloupcu jako Matice H radku\n");
    if (L.get_columns() != sloupceG)
        throw vyjm::CLDDS_Stav_MIMO(sloupceG,
                                    "Matice L nema stejny pocet sloupcu jako Matice G sloupcu\n");
    if (L.get_rows() != radkyH) throw vyjm::CLDDS_Stav_MIMO(sloupceH, zpravyStavuMIMO::RADKY_L_A_H);

    // Beyond the nine checks above: a system needs a state and an input, the stored order
    // must be that of F, and the initial state must be a column of that length.
    if (radkyF < 1) throw vyjm::CLDDS_Stav_MIMO(radkyF, "Matice F je prazdna, system nema zadny stav\n");
    if (sloupceG < 1)
        throw vyjm::CLDDS_Stav_MIMO(sloupceG, "System nema zadny vstup, matice G nema zadny sloupec\n");
    if (n != radkyF) throw vyjm::CLDDS_Stav_MIMO(n, "Rad systemu neodpovida rozmeru matice F\n");
    if (x0.get_rows() != radkyF || x0.get_columns() != 1)
        throw vyjm::CLDDS_Stav_MIMO(x0.get_rows(),
                                    "Vektor x0 musi mit stejny pocet radku jako matice F a jeden sloupec\n");
}

CLDDS_Stav_MIMO::CLDDS_Stav_MIMO(CLDDS_Vnejsi_MIMO& vnejsiMIMO) : CLDDS_Stav_MIMO(vnejsiMIMO.realizace()) {}

CLDDS_Stav_MIMO CLDDS_Stav_MIMO::operator=(CLDDS_Vnejsi_MIMO& vnejsiMIMO) {
    vnejsiMIMO >> *this;
    return *this;
}

Matrix<double> CLDDS_Stav_MIMO::vystup_systemu(Matrix<double> vstup) const {
    if (vstup.get_rows() != l)
        throw vyjm::CLDDS_Stav_MIMO(vstup.get_columns(), "Radky vstupu neodpovidaji poctu vstupu StavMIMO");
    return odezvaStavu(vstup);
}

Matrix<double> CLDDS_Stav_MIMO::impulsni_funkce() const {
    // A unit impulse on every input at once.
    Matrix<double> u(m, POCET_KROKU, Matrix<double>::ZEROS);
    for (int j = 0; j < m; ++j) u(j, 0) = 1.0;
    return odezvaStavu(u);
}

Matrix<double> CLDDS_Stav_MIMO::prechodova_funkce() const {
    return odezvaStavu(Matrix<double>(m, POCET_KROKU, Matrix<double>::ONES));
}

bool CLDDS_Stav_MIMO::stabilni() const { return stavova_stabilita(std::cout); }

void CLDDS_Stav_MIMO::zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const {
    const auto popis = [this](std::ostream& os) { popisStavu(os); };
    zapisZpravy(f, stabilni(), "System Stavove MIMO:\n", popis, telo, "Chyba pri zpracovani vystupu Stav MIMO\n");
}

void CLDDS_Stav_MIMO::CSVexport(Matrix<double> vystup, std::fstream& f) const {
    zapisZpravu(f, hodnotyVysledku(vystup, RozlozeniVysledku::MIMO));
}

std::vector<Pol> CLDDS_Stav_MIMO::poly() const { return polyStavu(); }

FrekvencniOdezva CLDDS_Stav_MIMO::frekvencni_odezva(const std::vector<double>& w) const {
    return frekvencniOdezvaStavu(w);
}

CLDDS_Vnejsi_MIMO& operator>>(CLDDS_Stav_MIMO& stav_MIMO, CLDDS_Vnejsi_MIMO& vnejsi_MIMO) {
    const Matrix<double>& F = stav_MIMO.get_F();
    if (F.get_rows() > MAX_RAD_PREVODU)
        throw vyjm::CLDDS_Stav_MIMO(F.get_rows(), "U prevodu stav -> vnejsi je max F rozmer 8x8\n");

    // A = det(zI - F) I, B = H adj(zI - F) G + L det(zI - F), computed exactly.
    Polynom jmenovatel;
    Matrix<Polynom> B;
    std::string chyba;
    if (!prenosPresne(stav_MIMO.presneHodnoty(), jmenovatel, B, chyba))
        throw vyjm::CLDDS_Stav_MIMO(F.get_rows(), chyba);
    const int l = stav_MIMO.get_l();
    const int m = stav_MIMO.get_m();
    Matrix<Polynom> A(l, m, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l && i < m; ++i) A(i, i) = jmenovatel;

    CLDDS_Vnejsi_MIMO vysledek(A, B);
    vnejsi_MIMO = std::move(vysledek);
    return vnejsi_MIMO;
}

CLDDS_Vnejsi_MIMO::CLDDS_Vnejsi_MIMO(CLDDS_Stav_MIMO& stav) { stav >> *this; }

CLDDS_Vnejsi_MIMO CLDDS_Vnejsi_MIMO::operator=(CLDDS_Stav_MIMO& stav) {
    stav >> *this;
    return *this;
}

CLDDS_Stav_MIMO& operator>>(CLDDS_Vnejsi_MIMO& vnejsiMIMO, CLDDS_Stav_MIMO& stavMIMO) {
    stavMIMO = CLDDS_Stav_MIMO(vnejsiMIMO.realizace());
    return stavMIMO;
}
