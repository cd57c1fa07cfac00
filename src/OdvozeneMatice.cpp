#include "OdvozeneMatice.h"

#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
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

namespace {

// The text that the matrix printing gives a 1 x sloupce row of `prvek`, less its line end.
std::string textRadku(const Polynom& prvek, int sloupce) {
    Matrix<Polynom> m(1, sloupce, Matrix<Polynom>::ZEROS);
    for (int j = 0; j < sloupce; ++j) m(0, j) = prvek;
    std::ostringstream text;
    text << m;
    std::string radek = text.str();
    radek.pop_back();
    return radek;
}

}  // namespace

void vypisXKratI(std::ostream& konzole, int radky, int sloupce) {
    if (radky <= 0 || sloupce <= 0) {
        konzole << std::endl;
        return;
    }
    // x as the product of x and 1, the form in which x*I holds it; an empty place is the ONE
    // matrix's zero element, the constant 0 of length 1. The texts of one place and of the
    // separator come from the matrix printing itself, which a row of n places would repeat
    // n times over.
    const Polynom x = Polynom(1.0, 1, 'x', false) * Polynom(1.0, 'x', false);
    const std::string textX = textRadku(x, 1), textNuly = textRadku(Polynom(0.0, 'x', false), 1);
    const std::string oddelovac = textRadku(Polynom(0.0, 'x', false), 2).substr(textNuly.size(), std::string::npos);
    const std::string oddelovacPrvku = oddelovac.substr(0, oddelovac.size() - textNuly.size());
    std::string radek;
    for (int i = 0; i < radky; ++i) {
        radek.clear();
        for (int j = 0; j < sloupce; ++j) {
            if (j > 0) radek += oddelovacPrvku;
            radek += j == i ? textX : textNuly;
        }
        konzole << radek << std::endl;
    }
    // The stream keeps the number format that printing the places leaves behind.
    konzole << std::fixed << std::setprecision(4) << std::endl;
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
