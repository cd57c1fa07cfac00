#ifndef SYSTEM_H
#define SYSTEM_H

#include <fstream>
#include <functional>
#include <iostream>
#include <utility>
#include <vector>

#include "FrekvencniOdezva.h"
#include "Matrix.h"
#include "PolSystemu.h"
#include "PresnaMatice.h"
#include "ZapsaneHodnoty.h"

// Steps of the impulse and step responses.
constexpr int POCET_KROKU = 50;

// The interface through which the driver runs every analysis of one system.
class CLDDS {
public:
    CLDDS() = default;
    CLDDS(const CLDDS&) = default;
    CLDDS& operator=(const CLDDS&) { return *this; }
    CLDDS& operator=(CLDDS&&) noexcept { return *this; }
    virtual ~CLDDS() = default;

    virtual Matrix<double> vystup_systemu(Matrix<double> vstup) const = 0;
    virtual Matrix<double> impulsni_funkce() const = 0;
    virtual Matrix<double> prechodova_funkce() const = 0;
    virtual bool stabilni() const = 0;
    virtual void CSVexport(Matrix<double> vystup, std::fstream& f) const = 0;

    // A report of this system: title, description and verdict, an empty line, then the body
    // that telo writes (zapisZpravy, Vstup_Vystup.h).
    virtual void zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const = 0;
    // The distinct poles with their multiplicities and places, decided exactly for the values
    // as written (module of exact arithmetic).
    virtual std::vector<Pol> poly() const = 0;
    // H(e^{jw}) at the frequencies w in double precision with rigorous bounds, and the system
    // exactly as written for the values the bounds leave open.
    virtual FrekvencniOdezva frekvencni_odezva(const std::vector<double>& w) const = 0;
};

// Data of a state-space description x(k+1) = F x(k) + G u(k), y(k) = H x(k) + L u(k).
class CLDDS_Stav {
protected:
    Matrix<double> F;
    Matrix<double> G;
    Matrix<double> H;
    Matrix<double> L;
    Matrix<double> x0;
    int n;
    double T;
    // The values exactly as written, when they come from a file (otherwise the doubles are
    // the exact values), and the verdict once decided.
    ZapsaneHodnoty<PresnyStav> zapsane;

    // Outputs (one row each) for the inputs u (one row per input, one column per step),
    // by the state recursion from x0.
    Matrix<double> odezvaStavu(const Matrix<double>& u) const;
    // The description of the system in a result report: F, G, H, L and x0 under their labels.
    void popisStavu(std::ostream& os) const;

public:
    CLDDS_Stav();
    CLDDS_Stav(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
               const Matrix<double>& L, const Matrix<double>& x0, const int& n, const double& T);
    CLDDS_Stav(const CLDDS_Stav&) = default;
    CLDDS_Stav(CLDDS_Stav&&) noexcept = default;
    CLDDS_Stav& operator=(const CLDDS_Stav&) = default;
    CLDDS_Stav& operator=(CLDDS_Stav&&) noexcept = default;
    ~CLDDS_Stav() = default;

    // Keeps the values as the file wrote them; the matrices hold their nearest doubles.
    void nastavPresne(PresnyStav hodnoty) { zapsane.nastav(std::move(hodnoty)); }
    // The exact values of F, G, H and L.
    PresnyStav presneHodnoty() const;

    // True when no eigenvalue of F (as written) lies outside the unit circle; decided exactly.
    // Prints the matrix x*I and an empty line on `konzole`.
    bool stavova_stabilita(std::ostream& konzole = std::cout) const;
    // The eigenvalues of F (as written), distinct, with multiplicities and places.
    std::vector<Pol> polyStavu() const;
    // H (zI - F)^-1 G + L at e^{jw}.
    FrekvencniOdezva frekvencniOdezvaStavu(const std::vector<double>& w) const;
};

#endif
