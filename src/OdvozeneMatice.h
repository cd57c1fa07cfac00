#ifndef ODVOZENEMATICE_H
#define ODVOZENEMATICE_H

#include <iostream>
#include <ostream>

#include "Matrix.h"
#include "Polynoms.h"
#include "Zlomek.h"

// The two classes derived from the matrix template: the characteristic matrix and the inverse
// of a matrix of fractions.

// Characteristic matrix of a square polynomial matrix.
class OwnMatrix : public Matrix<Polynom> {
public:
    OwnMatrix(const int& _rows, const int& _columns, TypMatice typ);
    OwnMatrix(const int& _rows, const int& _columns, const Pole<Polynom>& matrix);
    OwnMatrix(const Matrix<Polynom>& matrix);
    OwnMatrix& operator=(Matrix<Polynom>&& matrix);

    // A - x*I; prints x*I in the matrix text form and an empty line on `konzole`.
    Matrix<Polynom> vlastni_matice(std::ostream& konzole = std::cout) const;
};

// The matrix x*I of the given shape (x on the diagonal) in the matrix text form, then an empty
// line: the text of OwnMatrix::vlastni_matice, written row by row so that no matrix of
// polynomials is built.
void vypisXKratI(std::ostream& konzole, int radky, int sloupce);

// Inverse of a fraction matrix whose elements all share the determinant as denominator.
class InversniMaticeZlomek : public Matrix<Zlomek<Polynom>> {
public:
    InversniMaticeZlomek();
    InversniMaticeZlomek(const int& _rows, const int& _columns, TypMatice typ);
    InversniMaticeZlomek(const int& _rows, const int& _columns, const Pole<Zlomek<Polynom>>& matrix);
    InversniMaticeZlomek(const Matrix<Zlomek<Polynom>>& matrix);

    // Raises vyjm::Null_det when the determinant polynomial is zero.
    Matrix<Zlomek<Polynom>> inverze() const;
};

#endif
