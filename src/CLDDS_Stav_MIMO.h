#ifndef CLDDS_STAV_MIMO_H
#define CLDDS_STAV_MIMO_H

#include <fstream>

#include "Matrix.h"
#include "System.h"

class CLDDS_Vnejsi_MIMO;

// State-space system with as many outputs as inputs; validated when built.
class CLDDS_Stav_MIMO : public CLDDS, private CLDDS_Stav {
    int l;  // inputs: columns of G
    int m;  // outputs: rows of H

    void kontrola() const;

public:
    using CLDDS_Stav::nastavPresne;
    using CLDDS_Stav::presneHodnoty;
    CLDDS_Stav_MIMO();
    CLDDS_Stav_MIMO(const int& l, const int& m, const Matrix<double>& F, const Matrix<double>& G,
                    const Matrix<double>& H, const Matrix<double>& L, const Matrix<double>& x0,
                    const int& n, const double& T);
    // The same checks on state-space data built elsewhere (a realisation): the inputs are the
    // columns of G, the outputs the rows of H.
    explicit CLDDS_Stav_MIMO(const CLDDS_Stav& data);
    // The realisation of a matrix fraction (CLDDS_Vnejsi_MIMO::realizace).
    CLDDS_Stav_MIMO(CLDDS_Vnejsi_MIMO& vnejsiMIMO);
    CLDDS_Stav_MIMO(const CLDDS_Stav_MIMO&) = default;
    CLDDS_Stav_MIMO(CLDDS_Stav_MIMO&&) noexcept = default;
    CLDDS_Stav_MIMO& operator=(const CLDDS_Stav_MIMO&) = default;
    CLDDS_Stav_MIMO& operator=(CLDDS_Stav_MIMO&&) noexcept = default;
    CLDDS_Stav_MIMO operator=(CLDDS_Vnejsi_MIMO& vnejsiMIMO);
    ~CLDDS_Stav_MIMO() override = default;

    Matrix<double> get_F() const { return F; }
    Matrix<double> get_G() const { return G; }
    Matrix<double> get_H() const { return H; }
    Matrix<double> get_L() const { return L; }
    Matrix<double> get_x0() const { return x0; }
    int get_n() const { return n; }
    double get_T() const { return T; }
    int get_l() const { return l; }
    int get_m() const { return m; }

    Matrix<double> vystup_systemu(Matrix<double> vstup) const override;
    Matrix<double> impulsni_funkce() const override;
    Matrix<double> prechodova_funkce() const override;
    bool stabilni() const override;
    void CSVexport(Matrix<double> vystup, std::fstream& f) const override;
    void zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const override;
    std::vector<Pol> poly() const override;
    FrekvencniOdezva frekvencni_odezva(const std::vector<double>& w) const override;
};

// The two conversions. The state-space description stands above the matrix fraction: the
// conversion that starts from state space is defined here, the realisation of a matrix
// fraction is computed by CLDDS_Vnejsi_MIMO::realizace and only wrapped here.

// State space to the matrix fraction det(zI - F) I, H adj(zI - F) G + L det(zI - F).
// Refuses F larger than 8 x 8 before any work; a failure leaves vnejsi_MIMO as it was.
CLDDS_Vnejsi_MIMO& operator>>(CLDDS_Stav_MIMO& stav_MIMO, CLDDS_Vnejsi_MIMO& vnejsi_MIMO);

// Matrix fraction to its block observer state-space form; a failure leaves stavMIMO as it was.
CLDDS_Stav_MIMO& operator>>(CLDDS_Vnejsi_MIMO& vnejsiMIMO, CLDDS_Stav_MIMO& stavMIMO);

#endif
