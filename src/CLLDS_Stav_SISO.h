#ifndef CLLDS_STAV_SISO_H
#define CLLDS_STAV_SISO_H

#include <fstream>

#include "Matrix.h"
#include "Polynoms.h"
#include "System.h"
#include "Zlomek.h"

class CLDDS_Vnejsi_SISO;

// State-space system with one input and one output.
class CLDDS_Stav_SISO : public CLDDS, private CLDDS_Stav {
    void kontrola() const;

public:
    using CLDDS_Stav::nastavPresne;
    using CLDDS_Stav::presneHodnoty;
    CLDDS_Stav_SISO();
    // Raises vyjm::CLDDS_Stav_SISO unless F is n x n (n >= 1), G n x 1, H 1 x n, L 1 x 1, x0 n x 1.
    CLDDS_Stav_SISO(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                    const Matrix<double>& L, const Matrix<double>& x0, const int& n, const double& T);
    // The same checks on state-space data built elsewhere (a realisation).
    explicit CLDDS_Stav_SISO(const CLDDS_Stav& data);
    // The realisation of a transfer function (CLDDS_Vnejsi_SISO::realizace).
    CLDDS_Stav_SISO(CLDDS_Vnejsi_SISO& vnejsiSISO);
    CLDDS_Stav_SISO(const CLDDS_Stav_SISO&) = default;
    CLDDS_Stav_SISO(CLDDS_Stav_SISO&&) noexcept = default;
    CLDDS_Stav_SISO& operator=(const CLDDS_Stav_SISO&) = default;
    CLDDS_Stav_SISO& operator=(CLDDS_Stav_SISO&&) noexcept = default;
    CLDDS_Stav_SISO operator=(CLDDS_Vnejsi_SISO& vnejsiSISO);
    ~CLDDS_Stav_SISO() override = default;

    const Matrix<double>& get_F() const { return F; }
    const Matrix<double>& get_G() const { return G; }
    const Matrix<double>& get_H() const { return H; }
    const Matrix<double>& get_L() const { return L; }
    const Matrix<double>& get_x0() const { return x0; }
    int get_n() const { return n; }
    double get_T() const { return T; }

    Matrix<double> vystup_systemu(Matrix<double> vstup) const override;
    Matrix<double> impulsni_funkce() const override;
    Matrix<double> prechodova_funkce() const override;
    bool stabilni() const override;
    void CSVexport(Matrix<double> vystup, std::fstream& f) const override;
    void zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const override;
    std::vector<Pol> poly() const override;
    FrekvencniOdezva frekvencni_odezva(const std::vector<double>& w) const override;
};

// The two conversions. The state-space description stands above the transfer function: the
// conversion that starts from state space is defined here, the realisation of a transfer
// function is computed by CLDDS_Vnejsi_SISO::realizace and only wrapped here.

// State space to the transfer function B(z)/A(z): A = det(zI - F) and
// B = H adj(zI - F) G + L det(zI - F), exact for the values as written and rounded once.
// A failure leaves vnejsi_SISO as it was.
CLDDS_Vnejsi_SISO& operator>>(CLDDS_Stav_SISO& stav_SISO, CLDDS_Vnejsi_SISO& vnejsi_SISO);

// Transfer function to its controllable canonical state-space form; a failure leaves
// stav_SISO as it was.
CLDDS_Stav_SISO& operator>>(CLDDS_Vnejsi_SISO& vnejsi_SISO, CLDDS_Stav_SISO& stav_SISO);

#endif
