#ifndef FREKVENCNIODEZVA_H
#define FREKVENCNIODEZVA_H

#include <complex>
#include <vector>

#include "Matrix.h"
#include "Polynoms.h"

using Komplexni = std::complex<double>;

// H(e^{jw}) of a system at a list of frequencies w (sampling period 1), in double precision.
// A frequency at which the system's matrix (A(z), det A(z) or zI - F) is exactly singular in
// the evaluation, a pole met exactly, has no value: singularni[k] is then set.
struct FrekvencniOdezva {
    int vystupu = 0;
    int vstupu = 0;
    std::vector<Komplexni> hodnoty;  // frequency by frequency, each output's row of inputs
    std::vector<bool> singularni;

    FrekvencniOdezva(int vystupu, int vstupu, std::size_t frekvenci)
        : vystupu(vystupu), vstupu(vstupu),
          hodnoty(frekvenci * static_cast<std::size_t>(vystupu) * static_cast<std::size_t>(vstupu)),
          singularni(frekvenci, false) {}
    std::size_t frekvenci() const { return singularni.size(); }
    Komplexni& operator()(std::size_t k, int o, int i) {
        return hodnoty[(k * static_cast<std::size_t>(vystupu) + static_cast<std::size_t>(o)) *
                           static_cast<std::size_t>(vstupu) + static_cast<std::size_t>(i)];
    }
    Komplexni operator()(std::size_t k, int o, int i) const { return const_cast<FrekvencniOdezva&>(*this)(k, o, i); }
};

// e^{jw}; exactly -1 at w = pi (the double nearest it), so that a pole at -1 is met there.
Komplexni bodKruznice(double w);

// p(z) by Horner's scheme (coefficients up to the degree of p).
Komplexni hodnotaPolynomu(const Polynom& p, Komplexni z);

// B(z) / A(z), one Horner pass each per frequency.
FrekvencniOdezva frekvencePodilu(const Polynom& B, const Polynom& A, const std::vector<double>& w);

// A(z)^-1 B(z) for the matrix fraction A(z) Y = B(z) U: every element by Horner, then the
// m x m complex system solved by elimination, O(m^2 d + m^3) per frequency.
FrekvencniOdezva frekvenceMaticovehoZlomku(const Matrix<Polynom>& A, const Matrix<Polynom>& B,
                                        const std::vector<double>& w);

// H (zI - F)^-1 G + L: F reduced once to upper Hessenberg form by orthogonal similarity
// (Householder reflections, G and H transformed with it), then per frequency one elimination
// of the Hessenberg matrix, O(n^2) per input. A matrix F already in that form is kept as it is.
FrekvencniOdezva frekvenceStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, const std::vector<double>& w);

#endif
