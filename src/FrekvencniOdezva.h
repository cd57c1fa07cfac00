#ifndef FREKVENCNIODEZVA_H
#define FREKVENCNIODEZVA_H

#include <complex>
#include <functional>
#include <limits>
#include <vector>

#include "JistaEliminace.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"

// H(e^{jw}) of a system at a list of frequencies w (sampling period 1), in double precision,
// each value with a rigorous bound on its distance from the exact value of the system as
// written (the decimal values of its file, at the exact point e^{jw} of the listed frequency).
// A value whose bound does not exist (a pole met as evaluated, a matrix too close to singular
// for the bound) has the bound inf.
struct FrekvencniOdezva {
    int vystupu = 0;
    int vstupu = 0;
    std::vector<Komplexni> hodnoty;  // frequency by frequency, each output's row of inputs
    std::vector<double> chyby;       // likewise: |exact - value| <= chyba
    // Per pair: H is the constant value L (what no path of the system joins is only the direct
    // term), exact but for the reading of L; 0 for an exact zero.
    std::vector<bool> konstantni;
    // The system exactly as written, for the module of exact arithmetic: F, G, H, L (state
    // space) or A, B (matrix fraction, B(z)/A(z) as 1 x 1 blocks).
    std::vector<PresnaMatice> presne;
    // Evaluations of frequency k with ever tighter bounds, for the values that the bounds before
    // leave open (per pair, each output's inputs in turn: true for the open ones; an evaluation
    // may settle others too), each with its cost in complex multiplications.
    struct Zpresneni {
        std::function<void(FrekvencniOdezva&, std::size_t, const std::vector<bool>&)> vyhodnot;
        double cena = 0.0;
    };
    std::vector<Zpresneni> zpresneni;

    // Per frequency: the point is z = -1, where H of real data is exactly real.
    std::vector<bool> realne;

    FrekvencniOdezva(int vystupu, int vstupu, const std::vector<double>& w);
    std::size_t frekvenci() const { return realne.size(); }
    std::size_t index(std::size_t k, int o, int i) const {
        return (k * static_cast<std::size_t>(vystupu) + static_cast<std::size_t>(o)) * static_cast<std::size_t>(vstupu) +
               static_cast<std::size_t>(i);
    }
    Komplexni& operator()(std::size_t k, int o, int i) { return hodnoty[index(k, o, i)]; }
    Komplexni operator()(std::size_t k, int o, int i) const { return hodnoty[index(k, o, i)]; }
    double chyba(std::size_t k, int o, int i) const { return chyby[index(k, o, i)]; }
    bool jeKonstantni(int o, int i) const { return konstantni[static_cast<std::size_t>(o * vstupu + i)]; }
    // The values Y of frequency k (each output's row of inputs) with their bounds, each taken
    // where its bound is tighter than the one kept; constant pairs keep theirs.
    void prevezmiTesnejsi(std::size_t k, const std::vector<Komplexni>& Y, const std::vector<double>& chybyY);
};

// e^{jw}; exactly -1 at w = pi (the double nearest it).
Komplexni bodKruznice(double w);
// A bound on |e^{j omega} - bodKruznice(w)| for the exact frequency omega that w stands for:
// 0 at w = pi, elsewhere the rounding of w itself (omega_k = 0.001 pi 1000^(k / 255) within
// 16 units of its last place) and of the sine and cosine.
double chybaBoduKruznice(double w);

// The listed frequency k of the report as a double: 0.001 pi 1000^(k / 255), exactly pi at k = 255.
double frekvenceMrizky(int k);

// e^{j omega} for the listed frequency omega that w stands for, to about 64 bits: z = hi + lo
// (each part a pair of doubles) with |e^{j omega} - z| <= chyba. From omega and its cosine and
// sine in long double, whose C library functions (powl, cosl, sinl) are taken to be within
// 16 units of their last place, as for the doubles; 2^-55 covers those and the roundings. A w
// that is not a listed frequency has only bodKruznice(w) and chybaBoduKruznice(w).
struct PresnyBod {
    Komplexni hi, lo;
    double chyba = 0.0;
};
PresnyBod presnyBodKruznice(double w);

// p(z) by Horner's scheme (coefficients up to the degree of p).
Komplexni hodnotaPolynomu(const Polynom& p, Komplexni z);

// B(z) / A(z), one Horner pass each per frequency.
FrekvencniOdezva frekvencePodilu(const Polynom& B, const Polynom& A, const std::vector<double>& w);

// A(z)^-1 B(z) for the matrix fraction A(z) Y = B(z) U: every element by Horner, then the
// m x m complex system solved by elimination, O(m^2 d + m^3) per frequency.
FrekvencniOdezva frekvenceMaticovehoZlomku(const Matrix<Polynom>& A, const Matrix<Polynom>& B,
                                        const std::vector<double>& w);

// H (zI - F)^-1 G + L (FrekvenceStavu.cpp); `texty`, when given, tells which values are exactly
// their doubles (ChybaCteni.h), the others within CHYBA_CTENI.
FrekvencniOdezva frekvenceStavu(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                             const Matrix<double>& L, const std::vector<double>& w, const PresnyStav* texty = nullptr);

#endif
