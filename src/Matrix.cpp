#include "Matrix.h"

#include <climits>
#include <cmath>
#include <iomanip>
#include <utility>
#include <vector>

#include "Vyjimky.h"

namespace {


// From this size on, determinants use the division-free method instead of cofactor
// expansion, and real inverses use elimination instead of one minor per element.
const int PRAH_RYCHLEHO_VYPOCTU = 5;

// Everything in which the element types differ, in one place.
//   nula()          zero of determinants and sums
//   jednicka()      unit element of the kinds and of the 0x0 determinant
//   znamenko(z)     the sign factor +1 or -1 as an element
//   jeNula(x)       zero test of pivots, determinants and divisors
//   prvekInverze()  one element of the inverse from its minor determinant
//   oddelovac()     written after each element of a row but the last
//   Okruh           ring in which the division-free determinant runs
template <typename T>
struct PrvekMatice;

template <>
struct PrvekMatice<int> {
    // Unsigned arithmetic wraps modulo 2^32, so intermediate values of the division-free
    // determinant may overflow harmlessly: the result is exact whenever it fits an int.
    using Okruh = unsigned int;

    static int nula() { return 0; }
    static int jednicka() { return 1; }
    static int znamenko(bool zaporne) { return zaporne ? -1 : 1; }
    static bool jeNula(const int& x) { return x == 0; }
    static int prvekInverze(const int& minor, const int& det, double mocnina) {
        return static_cast<int>((minor / det) * mocnina);
    }
    static const char* oddelovac() { return ""; }
    static Okruh doOkruhu(const int& x) { return static_cast<Okruh>(x); }
    static int zOkruhu(const Okruh& x) {
        return x <= static_cast<Okruh>(INT_MAX) ? static_cast<int>(x) : -static_cast<int>(~x) - 1;
    }
};

template <>
struct PrvekMatice<double> {
    using Okruh = double;

    static double nula() { return 0.0; }
    static double jednicka() { return 1.0; }
    static double znamenko(bool zaporne) { return zaporne ? -1.0 : 1.0; }
    static bool jeNula(const double& x) { return x == 0.0; }
    static double prvekInverze(const double& minor, const double& det, double mocnina) {
        return mocnina * (minor / det);
    }
    static const char* oddelovac() { return ""; }
    static Okruh doOkruhu(const double& x) { return x; }
    static const double& zOkruhu(const Okruh& x) { return x; }
};

template <>
struct PrvekMatice<Polynom> {
    using Okruh = Polynom;

    static Polynom nula() { return Polynom(0.0, 'x', false); }
    static Polynom jednicka() { return Polynom(1.0, 'x', false); }
    static Polynom znamenko(bool zaporne) { return Polynom(zaporne ? -1.0 : 1.0, 'x', false); }
    static bool jeNula(const Polynom& x) { return x == 0.0; }
    static Polynom prvekInverze(const Polynom& minor, const Polynom& det, double mocnina) {
        Polynom delenec = minor;  // the long division normalises its dividend in place
        return (delenec / det) * mocnina;
    }
    static const char* oddelovac() { return ";"; }
    static Okruh doOkruhu(const Polynom& x) { return x; }
    static const Polynom& zOkruhu(const Okruh& x) { return x; }
};

template <>
struct PrvekMatice<Zlomek<Polynom>> {
    using Z = Zlomek<Polynom>;
    using Okruh = Z;

    static Z nula() { return Z(0.0); }
    static Z jednicka() { return Z(1.0); }
    static Z znamenko(bool zaporne) { return Z(zaporne ? -1.0 : 1.0); }
    static bool jeNula(const Z& x) { return x == 0.0; }
    static Z prvekInverze(const Z& minor, const Z& det, double mocnina) {
        return (minor / det) * static_cast<int>(mocnina);
    }
    static const char* oddelovac() { return ""; }
    static Okruh doOkruhu(const Z& x) { return x; }
    static const Z& zOkruhu(const Okruh& x) { return x; }
};

// Characteristic polynomial det(xI - a) by Berkowitz's method, highest power first:
// O(n^4) ring operations, no division and no zero test, so it serves every element type
// and is exact on exact data. `a` is the square matrix in row-major order. The polynomial
// of the trailing block B = a[k.., k..] is built for k = n-1 down to 0 from that of the
// next smaller block through a Toeplitz product. Its constant term is (-1)^n det(a).
template <typename R>
std::vector<R> berkowitz(const std::vector<R>& a, int n, const R& nula, const R& jedna) {
    auto prvek = [&](int i, int j) -> const R& { return a[static_cast<std::size_t>(i) * n + j]; };

    std::vector<R> p{jedna};
    for (int k = n - 1; k >= 0; --k) {
        const int m = n - k;   // size of the block starting at k
        const int zbytek = m - 1;  // size of the block starting at k+1

        // q[t] = r * B'^t * c for t = 0 .. m-2, with r the row and c the column of the
        // block's first element outside the corner, and B' the block starting at k+1.
        std::vector<R> q;
        std::vector<R> v;
        for (int i = 0; i < zbytek; ++i) v.push_back(prvek(k + 1 + i, k));
        for (int t = 0; t + 2 <= m; ++t) {
            R s = nula;
            for (int i = 0; i < zbytek; ++i) s = s + prvek(k, k + 1 + i) * v[i];
            q.push_back(s);
            if (t + 3 <= m) {
                std::vector<R> w;
                for (int i = 0; i < zbytek; ++i) {
                    R u = nula;
                    for (int j = 0; j < zbytek; ++j) u = u + prvek(k + 1 + i, k + 1 + j) * v[j];
                    w.push_back(u);
                }
                v = std::move(w);
            }
        }

        // Toeplitz column (1, -a_kk, -q[0], -q[1], ...) times the previous polynomial.
        std::vector<R> nove;
        for (int i = 0; i <= m; ++i) {
            R s = i < m ? p[i] : nula;
            if (i >= 1) s = s - prvek(k, k) * p[i - 1];
            for (int j = 0; j + 2 <= i; ++j) s = s - q[i - j - 2] * p[j];
            nove.push_back(s);
        }
        p = std::move(nove);
    }
    return p;
}

template <typename R>
R determinantZCharakteristickeho(const std::vector<R>& p, const R& nula) {
    const std::size_t n = p.size() - 1;
    return n % 2 == 0 ? p[n] : nula - p[n];
}

template <typename T>
std::vector<typename PrvekMatice<T>::Okruh> charakteristickyVOkruhu(const Matrix<T>& m) {
    using P = PrvekMatice<T>;
    std::vector<typename P::Okruh> prvky;
    prvky.reserve(static_cast<std::size_t>(m.get_count()));
    for (int p = 0; p < m.get_count(); ++p) prvky.push_back(P::doOkruhu(m.get_matrix()[p]));
    return berkowitz(prvky, m.get_rows(), P::doOkruhu(P::nula()), P::doOkruhu(P::jednicka()));
}

// Real inverse by Gauss-Jordan elimination with partial pivoting: O(n^3) and far more
// accurate on large matrices than cofactors. Returns false when a pivot column is
// entirely zero, so the caller can fall back to the minor formula.
bool inverzeEliminaci(const Matrix<double>& matice, Matrix<double>& vysledek) {
    const int n = matice.get_rows();
    Matrix<double> a = matice;
    Matrix<double> inv(n, n, Matrix<double>::ONE);
    for (int s = 0; s < n; ++s) {
        int pivot = s;
        for (int r = s + 1; r < n; ++r)
            if (std::fabs(a(r, s)) > std::fabs(a(pivot, s))) pivot = r;
        if (a(pivot, s) == 0.0) return false;
        if (pivot != s) {
            for (int c = 0; c < n; ++c) {
                std::swap(a(pivot, c), a(s, c));
                std::swap(inv(pivot, c), inv(s, c));
            }
        }
        const double d = a(s, s);
        for (int c = 0; c < n; ++c) {
            a(s, c) /= d;
            inv(s, c) /= d;
        }
        for (int r = 0; r < n; ++r) {
            if (r == s) continue;
            const double f = a(r, s);
            if (f == 0.0) continue;
            for (int c = 0; c < n; ++c) {
                a(r, c) -= f * a(s, c);
                inv(r, c) -= f * inv(s, c);
            }
        }
    }
    vysledek = std::move(inv);
    return true;
}

template <typename T>
bool rychlaInverze(const Matrix<T>&, Matrix<T>&) {
    return false;  // exact types keep one minor per element
}

template <>
bool rychlaInverze<double>(const Matrix<double>& matice, Matrix<double>& vysledek) {
    return inverzeEliminaci(matice, vysledek);
}

}  // namespace

// ---------------------------------------------------------------- tRow

template <typename T>
tRow<T>::tRow() : row(0), tmp(nullptr), chyba(0.0), mimo() {}

template <typename T>
tRow<T>::tRow(int row, Matrix<T>* tmp) : row(row), tmp(tmp), chyba(0.0), mimo() {}

template <typename T>
T& tRow<T>::operator[](int j) {
    if (tmp != nullptr) {
        const long long poloha = static_cast<long long>(row) * tmp->get_columns() + j;
        if (poloha >= 0 && poloha < tmp->get_count()) return tmp->get_matrix()[static_cast<int>(poloha)];
    }
    // A proxy of no matrix or a position outside the storage: hand out this proxy's own zero
    // element instead of touching memory that is not ours.
    mimo = T();
    return mimo;
}

// ---------------------------------------------------------------- construction

template <typename T>
Matrix<T>::Matrix() : _matrix(), _rows(0), _columns(0), _count(0), znamenko(1) {}

template <typename T>
Matrix<T>::Matrix(const int& _rows, const int& _columns, TypMatice typ) : Matrix() {
    if (_rows < 0 || _columns < 0) return;
    this->_rows = _rows;
    this->_columns = _columns;
    this->_count = _rows * _columns;
    this->_matrix = Pole<T>(this->_count);
    if (typ == ONE) {
        // Only the diagonal positions that exist, also when rows exceed columns.
        const int diagonala = _rows < _columns ? _rows : _columns;
        for (int i = 0; i < diagonala; ++i) this->_matrix[(_columns + 1) * i] = PrvekMatice<T>::jednicka();
    } else if (typ == ONES) {
        for (int i = 0; i < this->_count; ++i) this->_matrix[i] = PrvekMatice<T>::jednicka();
    }
}

template <typename T>
Matrix<T>::Matrix(const int& _rows, const int& _columns, const T* matrix) : Matrix() {
    if (_rows <= 0 || _columns <= 0 || matrix == nullptr) return;
    this->_rows = _rows;
    this->_columns = _columns;
    this->_count = _rows * _columns;
    this->_matrix = Pole<T>(matrix, this->_count);
}

template <typename T>
Matrix<T>::Matrix(const int& _rows, const int& _columns, const Pole<T>& matrix) : Matrix() {
    // A storage of another length would break the shape, so it gives the empty matrix.
    if (_rows <= 0 || _columns <= 0 || matrix.get_length() != _rows * _columns) return;
    this->_rows = _rows;
    this->_columns = _columns;
    this->_count = _rows * _columns;
    this->_matrix = matrix;
}

template <typename T>
void Matrix<T>::_resize(const int& rows, const int& columns) {
    if (rows <= 0 || columns <= 0) return;
    _rows = rows;
    _columns = columns;
    _count = rows * columns;
    znamenko = 1;
    _matrix._resize(_count);
}

template <typename T>
tRow<T> Matrix<T>::operator[](int i) {
    if (i >= 0 && i < _rows) return tRow<T>(i, this);
    return tRow<T>();
}

// ---------------------------------------------------------------- arithmetic

template <typename T>
Matrix<T> Matrix<T>::operator+(const T& cislo) const {
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] + cislo;
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator-(const T& cislo) const {
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] - cislo;
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator*(const T& cislo) const {
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] * cislo;
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator/(const T& cislo) const {
    if (PrvekMatice<T>::jeNula(cislo)) return Matrix();
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) {
        T delenec = _matrix[p];  // the polynomial division normalises its dividend
        tmp._matrix[p] = delenec / cislo;
    }
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator+(const Matrix& matrix) const {
    if (_rows != matrix._rows || _columns != matrix._columns) return Matrix();
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] + matrix._matrix[p];
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator-(const Matrix& matrix) const {
    if (_rows != matrix._rows || _columns != matrix._columns) return Matrix();
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] - matrix._matrix[p];
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator*(const Matrix& matrix) const {
    if (_columns != matrix._rows) return Matrix();
    Matrix tmp(_rows, matrix._columns, ZEROS);
    for (int p = 0; p < tmp._count; ++p) {
        const int r = p / matrix._columns;
        const int c = p % matrix._columns;
        for (int j = 0; j < matrix._rows; ++j) tmp._matrix[p] = (*this)(r, j) * matrix(j, c) + tmp._matrix[p];
    }
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator,(const Matrix& matrix) const {
    if (_count != matrix._count) return Matrix();
    Matrix tmp(_rows, _columns, ZEROS);
    for (int p = 0; p < _count; ++p) tmp._matrix[p] = _matrix[p] * matrix._matrix[p];
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::operator^(const int& cislo) const {
    if (cislo == 0) return Matrix(_rows, _columns, ONE);
    if (cislo == 1) return *this;
    Matrix tmp = *this;
    long long exponent = cislo;
    if (cislo < 0) {
        tmp = inverze();
        exponent = -exponent;
    }
    const Matrix cinitel = tmp;
    for (long long i = 1; i < exponent; ++i) tmp = tmp * cinitel;
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::transpozice() const {
    Matrix tmp(_columns, _rows, ZEROS);
    for (int i = 0; i < _rows; ++i)
        for (int j = 0; j < _columns; ++j) tmp(j, i) = (*this)(i, j);
    return tmp;
}

// ---------------------------------------------------------------- elimination

template <typename T>
T Matrix<T>::detRozvojem() const {
    if (_rows != _columns) return T();
    if (_rows == 0) return PrvekMatice<T>::jednicka();
    if (_rows == 1) return _matrix[0];
    if (_rows == 2) return _matrix[0] * _matrix[3] - _matrix[1] * _matrix[2];
    T suma = PrvekMatice<T>::nula();
    for (int j = 0; j < _columns; ++j) {
        const T mezivysl = PrvekMatice<T>::znamenko(j % 2 != 0) * _matrix[j] * submatice(1, j + 1).detRozvojem();
        suma = suma + mezivysl;
    }
    return suma;
}

template <typename T>
T Matrix<T>::det() const {
    if (_rows != _columns) return T();
    if (_rows < PRAH_RYCHLEHO_VYPOCTU) return detRozvojem();

    using P = PrvekMatice<T>;
    return P::zOkruhu(determinantZCharakteristickeho(charakteristickyVOkruhu(*this), P::doOkruhu(P::nula())));
}

template <typename T>
Matrix<T> Matrix<T>::submatice(const int& rows, const int& columns) const {
    if (rows < 1 || rows > _rows || columns < 1 || columns > _columns) return Matrix();
    Matrix tmp(_rows - 1, _columns - 1, ZEROS);
    for (int i = 0; i < tmp._rows; ++i) {
        const int ii = i < rows - 1 ? i : i + 1;
        for (int j = 0; j < tmp._columns; ++j) {
            const int jj = j < columns - 1 ? j : j + 1;
            tmp(i, j) = (*this)(ii, jj);
        }
    }
    return tmp;
}

template <typename T>
Matrix<T> Matrix<T>::submatice(const int& fromRow, const int& toRow, const int& fromColumn,
                               const int& toColumn) const {
    const bool radkyPlati = fromRow >= 1 && toRow <= _rows && toRow >= fromRow;
    const bool sloupcePlati = fromColumn >= 1 && toColumn <= _columns && toColumn >= fromColumn;
    if (!radkyPlati || !sloupcePlati) return Matrix();
    Matrix tmp(toRow - fromRow + 1, toColumn - fromColumn + 1, ZEROS);
    for (int k = 0; k < tmp._rows; ++k)
        for (int j = 0; j < tmp._columns; ++j) tmp(k, j) = (*this)(fromRow - 1 + k, fromColumn - 1 + j);
    return tmp;
}

template <typename T>
void Matrix<T>::vlozSubmatici(const Matrix& matrix, const int& rows, const int& columns) {
    // The part of the block that falls outside this is left out.
    for (int k = 0; k < matrix._rows; ++k) {
        const int r = rows + k;
        if (r < 0 || r >= _rows) continue;
        for (int m = 0; m < matrix._columns; ++m) {
            const int c = columns + m;
            if (c < 0 || c >= _columns) continue;
            (*this)(r, c) = matrix(k, m);
        }
    }
}

template <typename T>
Matrix<T> Matrix<T>::inverze() const {
    if (_rows != _columns) return Matrix();
    const T _det = det();
    if (PrvekMatice<T>::jeNula(_det)) throw vyjm::Null_det(ZPRAVA_NULOVY_DETERMINANT);

    Matrix tmp;
    if (_rows >= PRAH_RYCHLEHO_VYPOCTU && rychlaInverze(*this, tmp)) return tmp;

    // Transposed cofactors over the determinant; minors of large matrices take the fast det.
    return transponovaneKofaktory(
        [&_det](const T& minor, double znamenko) { return PrvekMatice<T>::prvekInverze(minor, _det, znamenko); });
}

template <typename T>
Matrix<T> Matrix<T>::adjungce() const {
    if (_rows != _columns) return Matrix();
    return inverze() * det();
}

template <typename T>
void Matrix<T>::my_swap(Matrix<T>& matice, int x_pom, int y_pom) {
    for (int c = 0; c < matice._columns; ++c) {
        T tmp_change = matice(x_pom, c);
        matice(x_pom, c) = matice(y_pom, c);
        matice(y_pom, c) = tmp_change;
    }
}

template <typename T>
bool Matrix<T>::uprava_radku(Matrix<T>& matice, int x) {
    for (int i = x; i < matice._rows && PrvekMatice<T>::jeNula(matice(x, x)); ++i) {
        if (!PrvekMatice<T>::jeNula(matice(i, x))) {
            my_swap(matice, i, x);
            znamenko = static_cast<short>(-znamenko);
        }
    }
    return !PrvekMatice<T>::jeNula(matice(x, x));
}

template <typename T>
Matrix<T> Matrix<T>::Prevod_na_Trojuhelnikovy_tvar(Pole<T>& RozsirujiciCisla) {
    Matrix tmp(_rows, _columns, _matrix);
    int o = 0;
    // Pivots exist only on the diagonal positions that the shape has.
    const int diagonala = tmp._rows < tmp._columns ? tmp._rows : tmp._columns;
    for (int i = 0; i < diagonala; ++i) {
        if (PrvekMatice<T>::jeNula(tmp(i, i)) && !uprava_radku(tmp, i)) break;
        const T vrchniHodnota = tmp(i, i);
        for (int j = i + 1; j < tmp._rows; ++j) {
            const T spodniHodnota = tmp(j, i);
            if (PrvekMatice<T>::jeNula(spodniHodnota)) continue;
            ++o;
            RozsirujiciCisla._resize(o);
            RozsirujiciCisla[o - 1] = vrchniHodnota;
            for (int k = i; k < tmp._columns; ++k) tmp(j, k) = tmp(j, k) * vrchniHodnota - tmp(i, k) * spodniHodnota;
        }
    }
    return tmp;
}

// ---------------------------------------------------------------- text form and conversions

template <typename T>
std::ostream& operator<<(std::ostream& os, const Matrix<T>& matrix) {
    const Pole<T>& prvky = matrix.get_matrix();
    for (int i = 0; i < matrix.get_count(); ++i) {
        os << std::fixed << std::setprecision(3) << prvky[i];
        if ((i + 1) % matrix.get_columns() != 0)
            os << PrvekMatice<T>::oddelovac() << " ";
        else
            os << std::endl;
    }
    return os;
}

Matrix<Polynom>& operator<<(Matrix<Polynom>& Pmatrix, const Matrix<double>& Dmatrix) {
    Matrix<Polynom> tmp(Dmatrix.get_rows(), Dmatrix.get_columns(), Matrix<Polynom>::ZEROS);
    for (int p = 0; p < tmp.get_count(); ++p) tmp.get_matrix()[p] = Polynom(Dmatrix.get_matrix()[p], 'x', false);
    Pmatrix = std::move(tmp);
    return Pmatrix;
}

Matrix<Zlomek<Polynom>>& operator<<(Matrix<Zlomek<Polynom>>& Zmatrix, const Matrix<double>& Dmatrix) {
    Matrix<Zlomek<Polynom>> tmp(Dmatrix.get_rows(), Dmatrix.get_columns(), Matrix<Zlomek<Polynom>>::ZEROS);
    for (int p = 0; p < tmp.get_count(); ++p) {
        tmp.get_matrix()[p][1] = Polynom(Dmatrix.get_matrix()[p], 'x', false);
        tmp.get_matrix()[p][2] = Polynom(1.0, 'x', false);
    }
    Zmatrix = std::move(tmp);
    return Zmatrix;
}

Matrix<Zlomek<Polynom>>& operator<<(Matrix<Zlomek<Polynom>>& Zmatrix, const Matrix<Polynom>& Pmatrix) {
    Matrix<Zlomek<Polynom>> tmp(Pmatrix.get_rows(), Pmatrix.get_columns(), Matrix<Zlomek<Polynom>>::ZEROS);
    for (int p = 0; p < tmp.get_count(); ++p) {
        tmp.get_matrix()[p][1] = Pmatrix.get_matrix()[p];
        tmp.get_matrix()[p][2] = Polynom(1.0, 'x', false);
    }
    Zmatrix = std::move(tmp);
    return Zmatrix;
}

// ---------------------------------------------------------------- instantiations

template class tRow<int>;
template class tRow<double>;
template class tRow<Polynom>;
template class tRow<Zlomek<Polynom>>;

template class Matrix<int>;
template class Matrix<double>;
template class Matrix<Polynom>;
template class Matrix<Zlomek<Polynom>>;

template std::ostream& operator<< <int>(std::ostream&, const Matrix<int>&);
template std::ostream& operator<< <double>(std::ostream&, const Matrix<double>&);
template std::ostream& operator<< <Polynom>(std::ostream&, const Matrix<Polynom>&);
template std::ostream& operator<< <Zlomek<Polynom>>(std::ostream&, const Matrix<Zlomek<Polynom>>&);
