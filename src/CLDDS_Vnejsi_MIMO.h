#ifndef CLDDS_VNEJSI_MIMO_H
#define CLDDS_VNEJSI_MIMO_H

#include <fstream>
#include <utility>

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"
#include "System.h"
#include "ZapsaneHodnoty.h"

class CLDDS_Stav_MIMO;

// Matrix fraction A(z) Y(z) = B(z) U(z); row i is the equation of output i.
class CLDDS_Vnejsi_MIMO : public CLDDS {
    Matrix<Polynom> a;  // a_ij[k]: coefficient of y_j(t-1-k), moved to the right-hand side
    Matrix<Polynom> b;  // b_ij[k]: coefficient of u_j(t-1-k)
    Matrix<Polynom> A;
    Matrix<Polynom> B;
    Matrix<int> r;
    Matrix<int> s;
    int l = 0;
    int m = 0;
    double T = 1.0;  // sampling period; handed on to the state-space description
    int maxStupen_r = 0;  // past outputs kept per output
    int maxStupen_s = 0;  // past inputs kept per input
    int maxStupenA = 0;   // common degree of the diagonal of A
    // The coefficients exactly as written, when they come from a file, and the verdict once
    // decided.
    ZapsaneHodnoty<PresnyVnejsi> zapsane;
    Matrix<double> b0;  // coefficients of the present inputs u_j(t)

    // The seven shape and degree checks, then a non-square A (vyjm::CLDDS_MIMO) and a
    // diagonal element of A with a zero leading coefficient (vyjm::CLDDS_Vnejsi_MIMO).
    void kontrola(const Matrix<Polynom>& A, const Matrix<Polynom>& B) const;
    void upravaA_B(Matrix<Polynom>& tmp_A, Matrix<Polynom>& tmp_B);
    void prevodNaK();
    void najdiNejvysiStupne();
    void prevodNaZ();
    // The one recursion behind all three responses: outputs (one row each) for the
    // inputs u (one row per input, one column per step).
    Matrix<double> rekurze(const Matrix<double>& u) const;

public:
    CLDDS_Vnejsi_MIMO();
    CLDDS_Vnejsi_MIMO(const Matrix<Polynom>& A, const Matrix<Polynom>& B);
    // The matrix fraction of a state-space system (operator>> in CLDDS_Stav_MIMO.h, where the
    // conversion that starts from state space is defined).
    CLDDS_Vnejsi_MIMO(CLDDS_Stav_MIMO& stav);
    CLDDS_Vnejsi_MIMO(const CLDDS_Vnejsi_MIMO&) = default;
    CLDDS_Vnejsi_MIMO(CLDDS_Vnejsi_MIMO&&) noexcept = default;
    CLDDS_Vnejsi_MIMO& operator=(const CLDDS_Vnejsi_MIMO&) = default;
    CLDDS_Vnejsi_MIMO& operator=(CLDDS_Vnejsi_MIMO&&) noexcept = default;
    CLDDS_Vnejsi_MIMO operator=(CLDDS_Stav_MIMO& stav);
    ~CLDDS_Vnejsi_MIMO() override = default;

    Matrix<double> vystup_systemu(Matrix<double> vstup) const override;
    Matrix<double> impulsni_funkce() const override;
    Matrix<double> prechodova_funkce() const override;
    // True when no root of det A (as written) lies outside the unit circle; decided exactly.
    bool stabilni() const override;
    void CSVexport(Matrix<double> vystup, std::fstream& f) const override;
    void zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const override;
    std::vector<Pol> poly() const override;
    FrekvencniOdezva frekvencni_odezva(const std::vector<double>& w) const override;

    const Matrix<Polynom>& get_A() const { return A; }
    const Matrix<Polynom>& get_B() const { return B; }
    const Matrix<Polynom>& get_a() const { return a; }
    const Matrix<Polynom>& get_b() const { return b; }
    const Matrix<int>& get_r() const { return r; }
    const Matrix<int>& get_s() const { return s; }
    const Matrix<double>& get_b0() const { return b0; }
    int get_l() const { return l; }
    int get_m() const { return m; }
    int get_maxStupen_r() const { return maxStupen_r; }
    int get_maxStupen_s() const { return maxStupen_s; }
    int get_maxStupenA() const { return maxStupenA; }
    // Keeps the coefficients as the file wrote them; A and B hold their nearest doubles.
    void nastavPresne(PresnyVnejsi hodnoty) { zapsane.nastav(std::move(hodnoty)); }
    // The exact coefficients of A and B.
    PresnyVnejsi presneHodnoty() const;
    // The block observer state-space form of n = l times the diagonal degree states, computed
    // exactly and rounded once, x0 = 0. More than 1000 states are refused before any work;
    // a value beyond the range of double raises vyjm::CLDDS_Vnejsi_MIMO.
    CLDDS_Stav realizace() const;
    double get_T() const { return T; }
};

#endif
