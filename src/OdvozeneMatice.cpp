#include "OdvozeneMatice.h"

#include <iostream>
#include <utility>

#include "Vyjimky.h"

// ---------------------------------------------------------------- OwnMatrix

OwnMatrix::OwnMatrix(const int& _rows, const int& _columns, TypMatice typ) : Matrix<Polynom>(_rows, _columns, typ) {}

OwnMatrix::OwnMatrix(const int& _rows, const int& _columns, const Pole<Polynom>& matrix)
    : Matrix<Polynom>(_rows, _columns, matrix) {}

OwnMatrix::OwnMatrix(const Matrix<Polynom>& matrix) : Matrix<Polynom>(matrix) {}

OwnMatrix& OwnMatrix::operator=(Matrix<Polynom>&& matrix) {
    Matrix<Polynom>::operator=(std::move(matrix));
    return *this;
}

Matrix<Polynom> OwnMatrix::vlastni_matice(std::ostream& konzole) const {
    const Polynom a(1.0, 1, 'x', false);
    Matrix<Polynom> JednotkovaMatice(_rows, _columns, ONE);
    const Matrix<Polynom> tmp(_rows, _columns, _matrix);
    const int diagonala = _rows < _columns ? _rows : _columns;
    for (int i = 0; i < diagonala; ++i) JednotkovaMatice(i, i) = a * JednotkovaMatice(i, i);
    vypisXKratI(konzole, _rows, _columns);
    return tmp - JednotkovaMatice;
}

void vypisXKratI(std::ostream& konzole, int radky, int sloupce) {
    // x as the product of x and 1, the form in which x*I holds it.
    const Polynom x = Polynom(1.0, 1, 'x', false) * Polynom(1.0, 'x', false);
    Matrix<Polynom> radek(1, sloupce, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < radky; ++i) {
        // An empty row is the ONE matrix's zero element, the constant 0 of length 1.
        for (int j = 0; j < sloupce; ++j) radek(0, j) = Polynom(0.0, 'x', false);
        if (i < sloupce) radek(0, i) = x;
        konzole << radek;
    }
    konzole << std::endl;
}

// ---------------------------------------------------------------- InversniMaticeZlomek

InversniMaticeZlomek::InversniMaticeZlomek() : Matrix<Zlomek<Polynom>>() {}

InversniMaticeZlomek::InversniMaticeZlomek(const int& _rows, const int& _columns, TypMatice typ)
    : Matrix<Zlomek<Polynom>>(_rows, _columns, typ) {}

InversniMaticeZlomek::InversniMaticeZlomek(const int& _rows, const int& _columns,
                                           const Pole<Zlomek<Polynom>>& matrix)
    : Matrix<Zlomek<Polynom>>(_rows, _columns, matrix) {}

InversniMaticeZlomek::InversniMaticeZlomek(const Matrix<Zlomek<Polynom>>& matrix) : Matrix<Zlomek<Polynom>>(matrix) {}

Matrix<Zlomek<Polynom>> InversniMaticeZlomek::inverze() const {
    if (_rows != _columns) return Matrix<Zlomek<Polynom>>();

    const Polynom _det = det().odstraneniZlomku();
    if (_det == 0.0) throw vyjm::Null_det(ZPRAVA_NULOVY_DETERMINANT);

    // Every element gets the same denominator, the determinant; nothing is reduced.
    return transponovaneKofaktory([&_det](const Zlomek<Polynom>& minor, double znamenko) {
        return Zlomek<Polynom>(minor.odstraneniZlomku() * znamenko, _det);
    });
}
