#include "ZapisSystemu.h"

#include <ostream>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "ConvertFunction.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"

namespace {

// The written files lay values out as the matrix and polynomial text forms do, with the same
// decimals, but a value that those decimals would change is written with the digits it needs.
constexpr int DESETINNYCH_MATICE = 3;
constexpr int DESETINNYCH_POLYNOMU = 4;

void zapisHodnoty(std::ostream& f, const Matrix<double>& M) {
    const Pole<double>& prvky = M.get_matrix();
    for (int i = 0; i < M.get_count(); ++i) {
        f << DoubleToStringVerne(prvky[i], DESETINNYCH_MATICE);
        f << ((i + 1) % M.get_columns() != 0 ? " " : "\n");
    }
}

// From the highest power down, each coefficient followed by a blank.
void zapisHodnoty(std::ostream& f, const Polynom& p) {
    for (int i = p.get_stupen(); i >= 0; --i) {
        f << DoubleToStringVerne(p[static_cast<std::size_t>(i)], DESETINNYCH_POLYNOMU) << " ";
    }
}

void zapisHodnoty(std::ostream& f, const Matrix<Polynom>& M) {
    const Pole<Polynom>& prvky = M.get_matrix();
    for (int i = 0; i < M.get_count(); ++i) {
        zapisHodnoty(f, prvky[i]);
        f << ((i + 1) % M.get_columns() != 0 ? "; " : "\n");
    }
}

template <typename StavovySystem>
void zapisStav(std::ostream& fileOut, const StavovySystem& system) {
    fileOut << "F:\n";
    zapisHodnoty(fileOut, system.get_F());
    fileOut << "\nG:\n";
    zapisHodnoty(fileOut, system.get_G());
    fileOut << "\nH:\n";
    zapisHodnoty(fileOut, system.get_H());
    fileOut << "\nL:\n";
    zapisHodnoty(fileOut, system.get_L());
    fileOut << "\nx0:\n";
    zapisHodnoty(fileOut, system.get_x0());
    fileOut << '\n';
    if (fileOut.fail()) throw vyjm::FileError(ZPRAVA_CHYBA_SOUBORU);
}

template <typename VnejsiSystem>
void zapisVnejsi(std::ostream& fileOut, const VnejsiSystem& system) {
    fileOut << "B:\n";
    zapisHodnoty(fileOut, system.get_B());
    fileOut << "\nA:\n";
    zapisHodnoty(fileOut, system.get_A());
    fileOut << '\n';
    if (fileOut.fail()) throw vyjm::FileError(ZPRAVA_CHYBA_SOUBORU);
}

}  // namespace

void zapisDatDoSouboruStav(std::ostream& fileOut, CLDDS_Stav_SISO& stavSISO) { zapisStav(fileOut, stavSISO); }

void zapisDatDoSouboruStav(std::ostream& fileOut, CLDDS_Stav_MIMO& stavMIMO) { zapisStav(fileOut, stavMIMO); }

void zapisDatDoSouboruVnejsi(std::ostream& fileOut, CLDDS_Vnejsi_SISO& vnejsiSISO) {
    zapisVnejsi(fileOut, vnejsiSISO);
}

void zapisDatDoSouboruVnejsi(std::ostream& fileOut, CLDDS_Vnejsi_MIMO& vnejsiMIMO) {
    zapisVnejsi(fileOut, vnejsiMIMO);
}
