#ifndef CLDDS_TESTS_TEST_MATRIX_POMOC_H
#define CLDDS_TESTS_TEST_MATRIX_POMOC_H

// Shared helpers of the matrix tests: random matrices, polynomial comparison and an
// independent determinant by the sum over all permutations.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Matrix.h"

namespace pomoc {

using ZP = Zlomek<Polynom>;

// Polynomial from coefficients given lowest power first.
inline Polynom poly(std::vector<double> koeficienty) {
    return Polynom(koeficienty.data(), static_cast<int>(koeficienty.size()));
}

// Coefficient k, reading nothing above the degree (values may linger there).
inline double koef(const Polynom& p, int k) {
    if (k < 0 || k > p.get_stupen() || k >= p.get_delkaPolynomy()) return 0.0;
    return p[static_cast<std::size_t>(k)];
}

inline double nejvetsiKoef(const Polynom& p) {
    double m = 0.0;
    for (int k = 0; k <= p.get_stupen(); ++k) m = std::max(m, std::fabs(koef(p, k)));
    return m;
}

// Equal coefficients, each within tol relative to the larger coefficient scale.
inline ::testing::AssertionResult stejnePolynomy(const Polynom& a, const Polynom& b, double tol) {
    const double meritko = 1.0 + std::max(nejvetsiKoef(a), nejvetsiKoef(b));
    const int stupen = std::max(a.get_stupen(), b.get_stupen());
    for (int k = 0; k <= stupen; ++k) {
        if (std::fabs(koef(a, k) - koef(b, k)) > tol * meritko) {
            std::ostringstream s;
            s << "coefficient " << k << ": " << koef(a, k) << " vs " << koef(b, k) << "  (" << a << "vs " << b << ")";
            return ::testing::AssertionFailure() << s.str();
        }
    }
    return ::testing::AssertionSuccess();
}

// a/b and c/d are the same rational function: a*d equals c*b.
inline ::testing::AssertionResult stejneZlomky(const ZP& x, const ZP& y, double tol) {
    return stejnePolynomy(x.get_citatel() * y.get_jmenovatel(), y.get_citatel() * x.get_jmenovatel(), tol);
}

inline std::string text(const Polynom& p) {
    std::ostringstream s;
    s << p;
    return s.str();
}

template <typename T>
std::string text(const Matrix<T>& m) {
    std::ostringstream s;
    s << m;
    return s.str();
}

// Sum over all permutations of the signed products; independent of the library's methods.
template <typename T>
T permutacniDet(const Matrix<T>& m, const T& nula) {
    const int n = m.get_rows();
    std::vector<int> perm(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) perm[static_cast<std::size_t>(i)] = i;
    T suma = nula;
    do {
        int inverze = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (perm[static_cast<std::size_t>(i)] > perm[static_cast<std::size_t>(j)]) ++inverze;
        T soucin = m(0, perm[0]);
        for (int i = 1; i < n; ++i) soucin = soucin * m(i, perm[static_cast<std::size_t>(i)]);
        suma = inverze % 2 == 0 ? suma + soucin : suma - soucin;
    } while (std::next_permutation(perm.begin(), perm.end()));
    return suma;
}

class Nahoda {
    std::mt19937 gen;

public:
    explicit Nahoda(unsigned seed) : gen(seed) {}

    int cele(int od, int po) { return std::uniform_int_distribution<int>(od, po)(gen); }
    double realne(double od, double po) { return std::uniform_real_distribution<double>(od, po)(gen); }

    Matrix<int> celaMatice(int n, int mez) {
        Matrix<int> m(n, n, Matrix<int>::ZEROS);
        for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = cele(-mez, mez);
        return m;
    }
    Matrix<double> realnaMatice(int n, double mez) {
        Matrix<double> m(n, n, Matrix<double>::ZEROS);
        for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = realne(-mez, mez);
        return m;
    }
    Polynom polynom(int stupen) {
        std::vector<double> k;
        for (int i = 0; i <= stupen; ++i) k.push_back(realne(-2.0, 2.0));
        return poly(k);
    }
    Matrix<Polynom> polynomialniMatice(int n, int stupen) {
        Matrix<Polynom> m(n, n, Matrix<Polynom>::ZEROS);
        for (int p = 0; p < m.get_count(); ++p) m.get_matrix()[p] = polynom(cele(0, stupen));
        return m;
    }
    // Denominators of degree 1 with a non-zero leading coefficient, or 1 when jmenovatel1.
    Matrix<ZP> zlomkovaMatice(int n, bool jmenovatel1) {
        Matrix<ZP> m(n, n, Matrix<ZP>::ZEROS);
        for (int p = 0; p < m.get_count(); ++p) {
            const Polynom jmenovatel = jmenovatel1 ? Polynom(1.0) : poly({realne(-1.0, 1.0), realne(0.5, 2.0)});
            m.get_matrix()[p] = ZP(polynom(cele(0, 1)), jmenovatel);
        }
        return m;
    }
};

}  // namespace pomoc

#endif
