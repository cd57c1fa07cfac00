#ifndef MATRIX_H
#define MATRIX_H

#include <iostream>
#include <ostream>

#include "Pole.h"
#include "Polynoms.h"
#include "Zlomek.h"

// The message of an inverse refused for a zero determinant (with vyjm::Null_det).
constexpr const char* ZPRAVA_NULOVY_DETERMINANT = "Nelze udelat inversni matici nulovy determinant\n";

// Dense matrix in row-major order, instantiated for int, double, Polynom and
// Zlomek<Polynom>. Arithmetic on unfitting shapes yields the empty matrix, never an error.
// Its two derived classes are in OdvozeneMatice.h.
template <typename T>
class Matrix;

// Row proxy that makes m[i][j] work.
template <typename T>
class tRow {
    int row;
    Matrix<T>* tmp;
    double chyba;
    T mimo;  // this proxy's own zero element, handed out for a position outside the matrix

public:
    tRow();
    tRow(int row, Matrix<T>* tmp);
    T& operator[](int j);
};

template <typename T>
class Matrix {
public:
    enum TypMatice { ONE = 0, ZEROS = 1, ONES = 2 };

protected:
    Pole<T> _matrix;
    int _rows;
    int _columns;
    int _count;
    short znamenko;  // sign of the row exchanges made by the triangular reduction

    bool uprava_radku(Matrix<T>& matice, int x);
    // The transposed signed minors of this square matrix: element (i, j) is
    // prvek(det of the minor without row j and column i, (-1)^(i+j)).
    template <typename Prvek>
    Matrix transponovaneKofaktory(Prvek prvek) const {
        Matrix tmp(_rows, _columns, ZEROS);
        for (int i = 0; i < _rows; ++i)
            for (int j = 0; j < _columns; ++j)
                tmp(i, j) = prvek(submatice(j + 1, i + 1).det(), (i + j) % 2 == 0 ? 1.0 : -1.0);
        return tmp;
    }
    void my_swap(Matrix<T>& matice, int x_pom, int y_pom);

public:
    Matrix();
    Matrix(const int& _rows, const int& _columns, TypMatice typ);
    Matrix(const int& _rows, const int& _columns, const T* matrix);
    Matrix(const int& _rows, const int& _columns, const Pole<T>& matrix);
    Matrix(const Matrix& other) = default;
    Matrix(Matrix&& other) noexcept = default;
    Matrix& operator=(const Matrix& other) = default;
    Matrix& operator=(Matrix&& other) noexcept = default;
    ~Matrix() = default;

    int get_rows() const { return _rows; }
    int get_columns() const { return _columns; }
    int get_count() const { return _count; }
    short get_znamenko() const { return znamenko; }
    Pole<T>& get_matrix() { return _matrix; }
    const Pole<T>& get_matrix() const { return _matrix; }

    // Changes the shape in place; stored elements keep their flat positions.
    // A request with zero rows or zero columns is ignored.
    void _resize(const int& rows, const int& columns);

    tRow<T> operator[](int i);
    // Element (i, j) without a proxy; unchecked like the proxy.
    T& operator()(int i, int j) { return _matrix[i * _columns + j]; }
    const T& operator()(int i, int j) const { return _matrix[i * _columns + j]; }

    Matrix operator+(const T& cislo) const;
    Matrix operator-(const T& cislo) const;
    Matrix operator*(const T& cislo) const;
    Matrix operator/(const T& cislo) const;

    Matrix operator+(const Matrix& matrix) const;
    Matrix operator-(const Matrix& matrix) const;
    Matrix operator*(const Matrix& matrix) const;
    // Element-wise product at equal flat positions, shaped like this.
    Matrix operator,(const Matrix& matrix) const;
    // Power; negative exponents go through the inverse.
    Matrix operator^(const int& cislo) const;
    Matrix transpozice() const;

    // Determinant: cofactor expansion for small sizes, a division-free O(n^4) method above.
    // The 0x0 matrix gives the unit element, a non-square one the zero element.
    T det() const;
    // Determinant by plain cofactor expansion along the first row, whatever the size.
    T detRozvojem() const;
    // Minor without row `rows` and column `columns` (1-based).
    Matrix submatice(const int& rows, const int& columns) const;
    // Block of rows fromRow..toRow and columns fromColumn..toColumn (1-based, inclusive).
    Matrix submatice(const int& fromRow, const int& toRow, const int& fromColumn,
                     const int& toColumn) const;
    // Copies matrix into this with its top-left element at (rows, columns), 0-based.
    void vlozSubmatici(const Matrix& matrix, const int& rows, const int& columns);
    // Raises vyjm::Null_det on a zero determinant; a non-square matrix gives the empty one.
    Matrix inverze() const;
    Matrix adjungce() const;
    // Fraction-free reduction to upper triangular form; pivots are appended to RozsirujiciCisla.
    Matrix Prevod_na_Trojuhelnikovy_tvar(Pole<T>& RozsirujiciCisla);
};

template <typename T>
std::ostream& operator<<(std::ostream& os, const Matrix<T>& matrix);

// Conversions between element types; each replaces and returns its left operand.
Matrix<Polynom>& operator<<(Matrix<Polynom>& Pmatrix, const Matrix<double>& Dmatrix);
Matrix<Zlomek<Polynom>>& operator<<(Matrix<Zlomek<Polynom>>& Zmatrix, const Matrix<double>& Dmatrix);
Matrix<Zlomek<Polynom>>& operator<<(Matrix<Zlomek<Polynom>>& Zmatrix, const Matrix<Polynom>& Pmatrix);

#endif
