#include "CLDDS_Vnejsi_MIMO.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "Pole.h"
#include "JistaStabilita.h"
#include "PresnePrevody.h"
#include "NacitaniModulu.h"
#include "Vstup_Vystup.h"
#include "ZadaniPresnosti.h"
#include "Vyjimky.h"

namespace {

using Index = std::size_t;

// Coefficient of power k, zero above the degree.
double koeficient(const Polynom& p, int k) {
    return p.get_stupen() >= k ? p[static_cast<Index>(k)] : 0.0;
}

}  // namespace

CLDDS_Vnejsi_MIMO::CLDDS_Vnejsi_MIMO()
    : a(2, 2, Matrix<Polynom>::ZEROS),
      b(2, 2, Matrix<Polynom>::ZEROS),
      r(2, 2, Matrix<int>::ZEROS),
      s(2, 2, Matrix<int>::ZEROS),
      l(2),
      m(2),
      b0(2, 2, Matrix<double>::ZEROS) {
    // Coefficients of the lags 1 and 2 of each element.
    const double koefA[2][2][2] = {{{-0.5827, 0.1745}, {-0.022, 0.1797}},
                                   {{0.0167, -0.0886}, {-0.4564, -0.083}}};
    const double koefB[2][2][2] = {{{-0.0035, 0.0955}, {0.1484, 0.2197}},
                                   {{0.2783, 0.3107}, {-0.0371, -0.3489}}};
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) {
            a(i, j) = Polynom(koefA[i][j], 2, 'x', false);
            b(i, j) = Polynom(koefB[i][j], 2, 'x', false);
            r(i, j) = 2;
            s(i, j) = 2;
        }
    najdiNejvysiStupne();
    prevodNaZ();
    maxStupenA = 0;
    for (int i = 0; i < l; ++i) maxStupenA = std::max(maxStupenA, A(i, i).get_stupen());
}

CLDDS_Vnejsi_MIMO::CLDDS_Vnejsi_MIMO(const Matrix<Polynom>& A, const Matrix<Polynom>& B) {
    kontrola(A, B);
    l = A.get_rows();
    m = A.get_columns();
    b0 = Matrix<double>(l, m, Matrix<double>::ZEROS);
    this->A = A;
    maxStupenA = 0;
    for (int i = 0; i < l; ++i) maxStupenA = std::max(maxStupenA, A(i, i).get_stupen());
    this->B = B;
    prevodNaK();
}

void CLDDS_Vnejsi_MIMO::kontrola(const Matrix<Polynom>& A, const Matrix<Polynom>& B) const {
    if (A.get_count() == 0 || B.get_count() == 0)
        throw vyjm::CLDDS_MIMO(A.get_count(), B.get_count(), "Nulove rozmery Matic A,B\n");
    if (A.get_columns() != B.get_columns())
        throw vyjm::CLDDS_MIMO(A.get_columns(), B.get_columns(), "Nespravne rozmery Matic A,B\n");
    if (A.get_rows() != B.get_rows())
        throw vyjm::CLDDS_MIMO(A.get_rows(), B.get_rows(), "Nespravne rozmery Matic A,B\n");

    // A non-square A has a diagonal of min(rows, columns) elements; nothing past it is read.
    const int diagonala = std::min(A.get_rows(), A.get_columns());
    for (int i = 0; i < diagonala; ++i)
        if (A(i, i).get_stupen() == 0)
            throw vyjm::CLDDS_Vnejsi_MIMO(A(i, i).get_stupen(), 0, "Nulovy stupen u matice A \n");
    for (int i = 0; i + 1 < diagonala; ++i)
        if (A(i, i).get_stupen() != A(i + 1, i + 1).get_stupen())
            throw vyjm::CLDDS_Vnejsi_MIMO(A(i, i).get_stupen(), A(i + 1, i + 1).get_stupen(),
                                          "Nestejne stupne u diagonaly Matice A \n");

    const int tmp_stupen = A(0, 0).get_stupen();
    for (int i = 0; i < A.get_rows(); ++i)
        for (int j = 0; j < A.get_columns(); ++j)
            if (i != j && A(i, j).get_stupen() >= tmp_stupen)
                throw vyjm::CLDDS_Vnejsi_MIMO(
                    tmp_stupen, A(i, j).get_stupen(),
                    "Diagonalni stupne jsou mensi nebo rovny nez nediagonalni Matice A\n");
    for (int i = 0; i < B.get_rows(); ++i)
        for (int j = 0; j < B.get_columns(); ++j)
            if (B(i, j).get_stupen() > tmp_stupen)
                throw vyjm::CLDDS_Vnejsi_MIMO(tmp_stupen, B(i, j).get_stupen(),
                                              "Matice B ma vetsi stupen nez Matice A\n");

    // The responses keep one output history per column of A: as many outputs as inputs.
    if (A.get_rows() != A.get_columns())
        throw vyjm::CLDDS_MIMO(A.get_rows(), A.get_columns(), "Matice A neni ctvercova\n");
    // Each row is normalised by the leading coefficient of its diagonal element.
    for (int i = 0; i < diagonala; ++i) {
        const int stupen = A(i, i).get_stupen();
        if (stupen < 0 || A(i, i)[static_cast<Index>(stupen)] == 0.0)
            throw vyjm::CLDDS_Vnejsi_MIMO(stupen, i,
                                          "Nulovy koeficient u nejvyssi mocniny na diagonale Matice A\n");
    }
}

void CLDDS_Vnejsi_MIMO::upravaA_B(Matrix<Polynom>& tmp_A, Matrix<Polynom>& tmp_B) {
    for (int i = 0; i < l; ++i) {
        const int maxStupen = tmp_A(i, i).get_stupen();
        for (int j = 0; j < m; ++j) {
            // In powers of z^-1: coefficient k belongs to the lag k.
            tmp_A(i, j) = tmp_A(i, j).zrcadleni(maxStupen);
            if (tmp_B(i, j).get_stupen() == maxStupen) {
                b0(i, j) = tmp_B(i, j)[static_cast<Index>(maxStupen)];
                tmp_B(i, j) = tmp_B(i, j).odeberPosledniStupen();
            }
            tmp_B(i, j) = tmp_B(i, j).zrcadleni(maxStupen);
        }
        // One division per coefficient, and only exact zeros leave the top: a scaled copy of
        // the row gives the same equation, whatever the size of the coefficients.
        if (tmp_A(i, i)[0] != 1.0) {
            const double kraceni = tmp_A(i, i)[0];
            for (int j = 0; j < m; ++j) {
                tmp_A(i, j) = tmp_A(i, j) / kraceni;
                tmp_B(i, j) = tmp_B(i, j) / kraceni;
                if (b0(i, j) != 0.0) b0(i, j) = b0(i, j) / kraceni;
            }
        }
    }
}

void CLDDS_Vnejsi_MIMO::prevodNaK() {
    r = Matrix<int>(l, m, Matrix<int>::ZEROS);
    s = Matrix<int>(l, m, Matrix<int>::ZEROS);

    Matrix<Polynom> tmp_A(l, m, Matrix<Polynom>::ZEROS);
    Matrix<Polynom> tmp_B(l, m, Matrix<Polynom>::ZEROS);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) {
            tmp_A(i, j) = A(i, j).bezZbytku();
            tmp_B(i, j) = B(i, j).bezZbytku();
        }
    upravaA_B(tmp_A, tmp_B);

    // Each normalised element is replaced by its lag coefficients in place, and the two
    // matrices become a and b: no second pair of l x m polynomial matrices.
    const char promena = A(0, 0).get_promena();
    const bool znamenko = A(0, 0).get_znamenko();

    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) {
            // Index 0 of the normalised row is the 1 of y_i(t) (or 0 off the diagonal);
            // the lags start at index 1. A list of no coefficients stays empty. Only exact
            // zeros leave the top: the lags are quotients of what the user wrote, of any size.
            int r_ij = tmp_A(i, j).get_delkaPolynomy() - 1;
            Polynom a_ij(promena, znamenko);
            if (r_ij > 0) {
                a_ij = Polynom(r_ij, promena, znamenko);
                for (int k = 0; k < r_ij; ++k) a_ij[static_cast<Index>(k)] = tmp_A(i, j)[static_cast<Index>(k + 1)];
                a_ij.odeberNulyNahore();
            }
            r(i, j) = a_ij.get_delkaPolynomy();
            tmp_A(i, j) = a_ij;

            int s_ij = tmp_B(i, j).get_delkaPolynomy();
            Polynom b_ij(promena, znamenko);
            if (s_ij > 0) {
                b_ij = Polynom(s_ij, promena, znamenko);
                for (int k = 0; k + 1 < s_ij; ++k) b_ij[static_cast<Index>(k)] = tmp_B(i, j)[static_cast<Index>(k + 1)];
                b_ij.odeberNulyNahore();
            }
            s(i, j) = b_ij.get_delkaPolynomy();
            tmp_B(i, j) = b_ij;
        }
    a = std::move(tmp_A);
    b = std::move(tmp_B);
    najdiNejvysiStupne();
}

void CLDDS_Vnejsi_MIMO::najdiNejvysiStupne() {
    maxStupen_r = 0;
    maxStupen_s = 0;
    // The diagonal history is one lag longer; that lag is shifted along and never read.
    Matrix<int> delky = r;
    for (int i = 0; i < std::min(l, m); ++i) delky(i, i) = delky(i, i) + 1;
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) {
            maxStupen_r = std::max(maxStupen_r, delky(i, j));
            maxStupen_s = std::max(maxStupen_s, s(i, j));
        }
}

void CLDDS_Vnejsi_MIMO::prevodNaZ() {
    A = Matrix<Polynom>(l, m, Matrix<Polynom>::ZEROS);
    B = Matrix<Polynom>(l, m, Matrix<Polynom>::ZEROS);
    const char promena = a(0, 0).get_promena();
    const bool znamenko = a(0, 0).get_znamenko();
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < m; ++j) {
            Polynom A_ij(r(i, j) + 1, promena, znamenko);
            Polynom B_ij(s(i, j) + 1, promena, znamenko);
            for (int k = 0; k < r(i, j); ++k) A_ij[static_cast<Index>(k + 1)] = a(i, j)[static_cast<Index>(k)];
            if (i == j) A_ij[0] = 1.0;
            for (int k = 0; k < s(i, j); ++k) B_ij[static_cast<Index>(k + 1)] = b(i, j)[static_cast<Index>(k)];
            A(i, j) = A_ij.zrcadleni(0);
            B(i, j) = B_ij.zrcadleni(0);
        }
}

Matrix<double> CLDDS_Vnejsi_MIMO::rekurze(const Matrix<double>& u) const {
    const int N = u.get_columns();
    Matrix<double> y(l, N, Matrix<double>::ZEROS);
    // p_y(j, k) = y_j(t-1-k), p_u(j, k) = u_j(t-1-k).
    Matrix<double> p_y(l, maxStupen_r, Matrix<double>::ZEROS);
    Matrix<double> p_u(m, maxStupen_s, Matrix<double>::ZEROS);

    for (int t = 0; t < N; ++t) {
        for (int i = 0; i < l; ++i) {
            double tmp = 0.0;
            for (int j = 0; j < m; ++j) {
                const Polynom& a_ij = a(i, j);
                const Polynom& b_ij = b(i, j);
                for (int k = 0; k < r(i, j); ++k) tmp = -(p_y(j, k) * a_ij[static_cast<Index>(k)]) + tmp;
                for (int k = 0; k < s(i, j); ++k) tmp = p_u(j, k) * b_ij[static_cast<Index>(k)] + tmp;
            }
            double vystup = tmp;
            for (int j = 0; j < b0.get_columns(); ++j) vystup = vystup + b0(i, j) * u(j, t);
            y(i, t) = vystup;
        }
        // Histories move only after every output of step t is known.
        for (int i = 0; i < l; ++i) {
            for (int k = maxStupen_r - 1; k >= 1; --k) p_y(i, k) = p_y(i, k - 1);
            if (maxStupen_r > 0) p_y(i, 0) = y(i, t);
        }
        for (int j = 0; j < m; ++j) {
            for (int k = maxStupen_s - 1; k >= 1; --k) p_u(j, k) = p_u(j, k - 1);
            if (maxStupen_s > 0) p_u(j, 0) = u(j, t);
        }
    }
    return y;
}

Matrix<double> CLDDS_Vnejsi_MIMO::vystup_systemu(Matrix<double> vstup) const {
    if (vstup.get_rows() != l)
        throw vyjm::CLDDS_Vnejsi_MIMO(l, vstup.get_rows(), "Radky vstupu neodpovidaji poctu vstup VnejsiMIMO");
    return rekurze(vstup);
}

Matrix<double> CLDDS_Vnejsi_MIMO::impulsni_funkce() const {
    // Every input is pulsed at once.
    Matrix<double> u(m, POCET_KROKU, Matrix<double>::ZEROS);
    for (int j = 0; j < m; ++j) u(j, 0) = 1.0;
    return rekurze(u);
}

Matrix<double> CLDDS_Vnejsi_MIMO::prechodova_funkce() const {
    return rekurze(Matrix<double>(m, POCET_KROKU, Matrix<double>::ONES));
}

namespace {

// Largest order whose capacity refusal comes from the polynomial products of det A.
const int MAX_RAD_SOUCINU = 4;

// Largest order of a state-space realisation. Its F grows with the square of the order (the
// largest file, 128 rows of degree 128, would ask for 16384 states: 2 GB and hours of writing);
// 1000 states take a fraction of a second and cover every det A a polynomial can hold.
const int MAX_RAD_REALIZACE = 1000;

// Block companion matrix of A(z) = A_d z^d + ... + A_0 (n x n blocks, A_d the leading
// coefficients): first block row -A_d^-1 A_(d-1), ..., -A_d^-1 A_0, identities below the
// diagonal. det A(z) = det(A_d) det(zI - C), so its eigenvalues are the roots of det A.
// False when A_d is not diagonal with a non-zero diagonal (the checks of the constructor
// guarantee it is).
bool blokovaDoprovodna(const Matrix<Polynom>& A, int d, Matrix<double>& C) {
    const int n = A.get_rows();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if ((i == j) == (koeficient(A(i, j), d) == 0.0)) return false;
    const int rad = n * d;
    C = Matrix<double>(rad, rad, Matrix<double>::ZEROS);
    for (int i = 0; i < n; ++i) {
        const double vedouci = koeficient(A(i, i), d);
        for (int blok = 0; blok < d; ++blok)
            for (int j = 0; j < n; ++j) C(i, blok * n + j) = -koeficient(A(i, j), d - 1 - blok) / vedouci;
    }
    for (int i = n; i < rad; ++i) C(i, i - n) = 1.0;
    return true;
}

}  // namespace

bool CLDDS_Vnejsi_MIMO::stabilni() const {
    // The capacity of the polynomial bounds det A, of n d + 1 coefficients. Up to order 4 the
    // refusal names the size of the first polynomial product that overflows, as the
    // determinant of a polynomial matrix reports it.
    const int delkaDeterminantu = A.get_rows() * maxStupenA + 1;
    if (delkaDeterminantu > Polynom::MAX_DELKA) {
        if (A.get_rows() <= MAX_RAD_SOUCINU) A.det();
        throw vyjm::Max_sizePolynom(delkaDeterminantu, Polynom::ZPRAVA_KAPACITA);
    }
    return zapsane.verdikt([this] {
        // The roots of det A are the eigenvalues of the block companion matrix.
        Matrix<double> C;
        if (!blokovaDoprovodna(A, maxStupenA, C)) C = Matrix<double>();
        return stabilniDeterminant(C, [this] { return presneHodnoty().A; });
    });
}

PresnyVnejsi CLDDS_Vnejsi_MIMO::presneHodnoty() const {
    return zapsane.neboZDoublu(
        [this] { return PresnyVnejsi{presneZPolynomialniMatice(A), presneZPolynomialniMatice(B)}; });
}

void CLDDS_Vnejsi_MIMO::zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const {
    zapisZpravy(
        f, stabilni(), "System Vnejsi MIMO:\n",
        [this](std::ostream& os) {
            os << "Matice B:\n" << B << std::endl;
            os << "Matice A:\n" << A << std::endl << std::endl;
        },
        telo, "Chyba pri zpracovani vystupu VnejsiMIMO");
}

void CLDDS_Vnejsi_MIMO::CSVexport(Matrix<double> vystup, std::fstream& f) const {
    zapisZpravu(f, hodnotyVysledku(vystup, RozlozeniVysledku::MIMO));
}

std::vector<Pol> CLDDS_Vnejsi_MIMO::poly() const {
    return presnePolyZModulu(zadani::POLYNOMIALNI_MATICE, presneHodnoty().A);
}

FrekvencniOdezva CLDDS_Vnejsi_MIMO::frekvencni_odezva(const std::vector<double>& w) const {
    FrekvencniOdezva odezva = frekvenceMaticovehoZlomku(A, B, w);
    PresnyVnejsi hodnoty = presneHodnoty();
    odezva.presne = {std::move(hodnoty.A), std::move(hodnoty.B)};
    return odezva;
}

CLDDS_Stav CLDDS_Vnejsi_MIMO::realizace() const {
    const int N = maxStupenA;

    // The realisation has N l states, as many as det A has roots; a larger order is refused
    // before any work.
    if (N * l > MAX_RAD_REALIZACE)
        throw vyjm::CLDDS_Vnejsi_MIMO(N * l, MAX_RAD_REALIZACE,
                                      "U prevodu vnejsi -> stav je max rad systemu 1000 (pocet radku matice A krat "
                                      "stupen jeji diagonaly)\n");

    // Block observer form, computed exactly: -A_k A_N^-1 in the first block column,
    // identities to the right of the diagonal, B_k - A_k A_N^-1 B_N in G.
    Matrix<double> F, G, H, L;
    std::string chyba;
    if (!realizacePresne(presneHodnoty(), false, F, G, H, L, chyba)) throw vyjm::CLDDS_Vnejsi_MIMO(l, m, chyba);
    const int n = N * l;
    return CLDDS_Stav(F, G, H, L, Matrix<double>(n, 1, Matrix<double>::ZEROS), n, T);
}
