#ifndef ROZDELENYSOUCIN_H
#define ROZDELENYSOUCIN_H

#include <Eigen/Core>

#include <vector>

// Products of double matrices without rounding, by splitting the factors into slices whose
// products a plain double matrix product computes exactly (Ozaki, Ogita, Oishi and Rump,
// "Error-free transformations of matrix multiplication by using fast routines of matrix
// arithmetic", Numer. Algorithms 59, 2012): a row slice of A holds integer multiples of
// 2^(e_i - p beta) below 2^(e_i - (p - 1) beta), a column slice of X likewise, and with
// 2 beta + log2(n) <= 53 every partial sum of a slice product is an integer below 2^53 in the
// unit of the pair, so any order of summation is exact. The slices' products are then summed
// with compensation (SoucetSKompenzaci).

// Bits of one slice for products of inner dimension n.
int bituRezu(long n);

// A split by rows into at most three slices (A = sum of rezy + zbytek exactly); zbytek, what
// three slices leave of rows with a wide range of magnitudes, is multiplied with rounding.
struct RezyRadku {
    std::vector<Eigen::MatrixXd> rezy;
    Eigen::MatrixXd zbytek;
    bool maZbytek = false;
    // Per row: |A_ij| < 2^exponenty[i], and the unit of the last slice.
    std::vector<int> exponenty;
    int bitu = 0;

    RezyRadku() = default;
    RezyRadku(const Eigen::MatrixXd& A, int bitu);
};

// X truncated column by column to two slices (X = prvni + druhy exactly afterwards): the
// part below 2^(e_j - 2 beta) is dropped, as an approximate solution may lose it.
struct RezySloupcu {
    Eigen::MatrixXd prvni, druhy;
    std::vector<int> exponenty;  // |X_ij| < 2^exponenty[j]
    RezySloupcu(Eigen::MatrixXd& X, int bitu);
};

// Sum of matrices with compensation (Ogita, Rump and Oishi, "Accurate sum and dot product",
// SIAM J. Sci. Comput. 26, 2005, algorithm Sum2): the result s + c of K summands p is within
// u |sum| + gamma_K^2 sum |p| of the exact sum, elementwise, without underflow.
class SoucetSKompenzaci {
public:
    SoucetSKompenzaci(long radku, long sloupcu);
    void pridej(const Eigen::MatrixXd& x);
    // Adds A X exactly; false when a slice unit could fall below the normal range (the sum is
    // then not exact and must not be used).
    bool pridejSoucin(const RezyRadku& A, const RezySloupcu& X);
    // The sum rounded to double, and the elementwise bound of its distance from the exact sum.
    Eigen::MatrixXd vysledek() const;
    Eigen::MatrixXd chyba() const;
    // Adds x computed with rounding, together with the bound of its error.
    void pridejPriblizne(const Eigen::MatrixXd& x, const Eigen::MatrixXd& chybaX);

private:
    // Elementwise: the running sum s, its compensation c, sum |p| and the added bounds.
    Eigen::MatrixXd s, c, velikostiClenu, zbytky;
    long pocet = 0;
};

#endif
