#ifndef MODULCHARAKTERISTICKY_H
#define MODULCHARAKTERISTICKY_H

#include <cstddef>
#include <functional>
#include <vector>

#include "ModulObaly.h"

// Characteristic polynomials of integer matrices, computed modulo primes below 2^28
// (ModulHessenberg.h) and put together by the Chinese remainder theorem, separately for every strongly connected part of
// the matrix (a diagonal block of its block triangular form). The number of primes follows a
// rigorous bound of the coefficients that is close to their size: the coefficient of w^(n-j)
// of det(wI - M) is, up to sign, the sum of the principal j x j minors of M; Hadamard's
// inequality bounds each minor by the product of the Euclidean norms of its rows, so the sum
// is at most e_j(r), the elementary symmetric function of the row norms r_i (and likewise of
// the column norms, and of those of M less its mean entry, ModulCharakteristicky.cpp). A
// cyclic permutation of order 256 needs 10 primes, 256 random digits about 50 (a bound of
// some 1390 bits over coefficients of some 1190).

// Puts the residues modulo successive primes together: symmetric residues modulo their
// product, which are the values themselves once the product exceeds twice their bound.
class Skladani {
    CelyPolynom vysledek;
    CeleCislo modul{1};

public:
    void pridej(const ModularniPolynom& zbytek) {
        if (fmpz_is_one(modul.get()))
            fmpz_poly_set_nmod_poly(vysledek.get(), zbytek.get());
        else
            fmpz_poly_CRT_ui(vysledek.get(), vysledek.get(), modul.get(), zbytek.get(), 1);
        fmpz_mul_ui(modul.get(), modul.get(), zbytek.get()->mod.n);
    }
    const CelyPolynom& hodnota() const { return vysledek; }
};

// Upper bounds of the coefficients of det(wI - M): element j bounds the coefficient of
// w^(n-j) as a power of two (|c| < 2^meze[j]), j = 0 ... n.
std::vector<long> mezeCharakteristickeho(const CelaMatice& M);

// Runs uloha(k) for k = 0 ... prvocisel - 1, one task per prime; for matrices of order n from
// 24 on two threads share them (below, a second thread costs more than it saves). The tasks write only into their own, prepared
// places; a failure in either thread is passed on after both have stopped.
void poPrvocislech(std::size_t prvocisel, long n, const std::function<void(std::size_t)>& uloha);

// det(zI - A) over Z/p for A n x n, row-major, and a prime p below 2^28 (ModulHessenberg.h).
void charakteristickyPolynomModP(nmod_poly_t det, const std::vector<mp_limb_t>& A, long n, nmod_t mod);

// det(wI - M) for a square integer matrix M.
CelyPolynom charakteristickyCelociselny(const CelaMatice& M);

// For a column G and a row H of integers: q = det(wI - M) and the numerator of the single-
// channel transfer function, v = H adj(wI - M) G, from the Markov parameters H M^k G modulo
// each prime. Each coefficient of adj(wI - M) at w^(n-1-j) is a sum of j x j minors of M with
// distinct row sets, so |v| at that power is at most |G|_1 |H|_1 e_j(r).
void charakteristickyAPrenos(const CelaMatice& M, const CelaMatice& G, const CelaMatice& H, CelyPolynom& q,
                             CelyPolynom& v);

#endif
