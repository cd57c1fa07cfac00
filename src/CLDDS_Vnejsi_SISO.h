#ifndef CLDDS_VNEJSI_SISO_H
#define CLDDS_VNEJSI_SISO_H

#include <fstream>
#include <utility>

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"
#include "System.h"
#include "ZapsaneHodnoty.h"
#include "Zlomek.h"

class CLDDS_Stav_SISO;

// Transfer function B(z)/A(z), run as a difference equation in z^-1.
class CLDDS_Vnejsi_SISO : public CLDDS {
    Matrix<double> a;  // a[k][0]: coefficient of y(t-k-1), normalised on y(t)
    Matrix<double> b;  // b[k][0]: coefficient of u(t-k-1)
    Polynom A;
    Polynom B;
    int r = 0;
    int s = 0;
    double T = 1.0;  // sampling period; only carried along
    double b0 = 0.0;  // coefficient of the present input u(t)
    // The coefficients exactly as written, when they come from a file, and the verdict once
    // decided.
    ZapsaneHodnoty<PresnyVnejsi> zapsane;

    // Rejects deg A < 1, deg B > deg A and a zero leading coefficient of A
    // (vyjm::CLDDS_Vnejsi_SISO).
    void kontrola(const Polynom& A, const Polynom& B) const;
    void prevodNaK();
    void prevodNaZ();
    // The one difference-equation recursion behind all three responses: the output
    // column for the input column u (one row per step).
    Matrix<double> rekurze(const Matrix<double>& u) const;

public:
    CLDDS_Vnejsi_SISO();
    CLDDS_Vnejsi_SISO(const Polynom& A, const Polynom& B);
    CLDDS_Vnejsi_SISO(const Zlomek<Polynom>& AB);
    // The transfer function of a state-space system (operator>> in CLLDS_Stav_SISO.h, where
    // the conversion that starts from state space is defined).
    CLDDS_Vnejsi_SISO(CLDDS_Stav_SISO& stav);
    CLDDS_Vnejsi_SISO(const CLDDS_Vnejsi_SISO&) = default;
    CLDDS_Vnejsi_SISO(CLDDS_Vnejsi_SISO&&) noexcept = default;
    CLDDS_Vnejsi_SISO& operator=(const CLDDS_Vnejsi_SISO&) = default;
    CLDDS_Vnejsi_SISO& operator=(CLDDS_Vnejsi_SISO&&) noexcept = default;
    CLDDS_Vnejsi_SISO operator=(CLDDS_Stav_SISO& stav);
    ~CLDDS_Vnejsi_SISO() override = default;

    Matrix<double> vystup_systemu(Matrix<double> vstup) const override;
    Matrix<double> impulsni_funkce() const override;
    Matrix<double> prechodova_funkce() const override;
    // True when no root of A (as written) lies outside the unit circle; decided exactly.
    bool stabilni() const override;
    void CSVexport(Matrix<double> vystup, std::fstream& f) const override;
    void zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const override;
    std::vector<Pol> poly() const override;
    FrekvencniOdezva frekvencni_odezva(const std::vector<double>& w) const override;

    // Keeps the coefficients as the file wrote them; A and B hold their nearest doubles.
    void nastavPresne(PresnyVnejsi hodnoty) { zapsane.nastav(std::move(hodnoty)); }
    // The exact coefficients of A and B.
    PresnyVnejsi presneHodnoty() const;
    // The controllable canonical state-space form, computed exactly and rounded once: the
    // companion matrix of A divided by its leading coefficient, G = e_n / a_n,
    // H_i = b_i - a_i l and L = l = b_n / a_n, x0 = 0. Raises vyjm::CLDDS_Vnejsi_SISO when a
    // value lies beyond the range of double.
    CLDDS_Stav realizace() const;

    const Polynom& get_A() const { return A; }
    const Polynom& get_B() const { return B; }
    const Matrix<double>& get_a() const { return a; }
    const Matrix<double>& get_b() const { return b; }
    int get_r() const { return r; }
    int get_s() const { return s; }
    double get_b0() const { return b0; }
    double get_T() const { return T; }
};

#endif
