#include "CLDDS_Vnejsi_SISO.h"

#include <initializer_list>
#include <vector>

#include "JistaStabilita.h"
#include "PresnePrevody.h"
#include "NacitaniModulu.h"
#include "Vstup_Vystup.h"
#include "ZadaniPresnosti.h"
#include "Vyjimky.h"

CLDDS_Vnejsi_SISO::CLDDS_Vnejsi_SISO()
    : a(2, 1, Matrix<double>::ZEROS), b(2, 1, Matrix<double>::ZEROS), r(2), s(2), b0(0.0) {
    // Second-order example: y(t) = 1.5114 y(t-1) - 0.5488 y(t-2) - 0.5 u(t-1) + u(t-2).
    a(0, 0) = -1.5114;
    a(1, 0) = 0.5488;
    b(0, 0) = -0.5;
    b(1, 0) = 1.0;
    prevodNaZ();
}

CLDDS_Vnejsi_SISO::CLDDS_Vnejsi_SISO(const Polynom& A, const Polynom& B) {
    kontrola(A, B);
    this->A = A;
    this->B = B;
    b0 = 0.0;
    prevodNaK();
}

CLDDS_Vnejsi_SISO::CLDDS_Vnejsi_SISO(const Zlomek<Polynom>& AB)
    : CLDDS_Vnejsi_SISO(AB.get_jmenovatel(), AB.get_citatel()) {}

void CLDDS_Vnejsi_SISO::kontrola(const Polynom& A, const Polynom& B) const {
    const int stupenA = A.get_stupen();
    const int stupenB = B.get_stupen();
    // A negative degree (a polynomial of length 0) is no better than degree 0.
    if (stupenA <= 0)
        throw vyjm::CLDDS_Vnejsi_SISO(stupenA, 0, "Jmenovatel u systemu ma nulovy stupen\n");
    if (stupenA < stupenB)
        throw vyjm::CLDDS_Vnejsi_SISO(stupenA, stupenB, "Citatel ma vetsi stupen jak jmenovatel");
    // The difference equation is normalised by the leading coefficient of A.
    if (A[static_cast<std::size_t>(stupenA)] == 0.0)
        throw vyjm::CLDDS_Vnejsi_SISO(stupenA, 0,
                                      "Jmenovatel ma nulovy koeficient u nejvyssi mocniny\n");
}

void CLDDS_Vnejsi_SISO::prevodNaK() {
    Polynom tmp_A = A.bezZbytku();
    Polynom tmp_B = B.bezZbytku();
    const int n = tmp_A.get_stupen();

    if (tmp_B.get_stupen() == n) {
        b0 = tmp_B[static_cast<std::size_t>(n)];
        tmp_B = tmp_B.odeberPosledniStupen();
    }

    // In powers of z^-1: coefficient i belongs to the lag i.
    tmp_A = tmp_A.zrcadleni(n);
    tmp_B = tmp_B.zrcadleni(n);

    // One division per coefficient, and only exact zeros leave the top: the equation of a
    // scaled copy of A and B is the same, whatever the size of the coefficients.
    if (tmp_A[0] != 1.0) {
        const double kraceni = tmp_A[0];
        tmp_A = tmp_A / kraceni;
        tmp_B = tmp_B / kraceni;
        if (b0 != 0.0) b0 = b0 / kraceni;
    }

    r = tmp_A.get_delkaPolynomy() - 1;
    s = tmp_B.get_delkaPolynomy() - 1;
    a = Matrix<double>(r, 1, Matrix<double>::ZEROS);
    b = Matrix<double>(s, 1, Matrix<double>::ZEROS);
    for (int k = 0; k < r; ++k) a(k, 0) = tmp_A[static_cast<std::size_t>(k + 1)];
    for (int k = 0; k < s; ++k) b(k, 0) = tmp_B[static_cast<std::size_t>(k + 1)];
}

void CLDDS_Vnejsi_SISO::prevodNaZ() {
    A = Polynom(r + 1, 'z', true);
    B = Polynom(s + 1, 'z', true);
    for (int k = 0; k < A.get_delkaPolynomy() - 1; ++k) A[static_cast<std::size_t>(k + 1)] = a(k, 0);
    A[0] = 1.0;
    for (int k = 0; k < B.get_delkaPolynomy() - 1; ++k) B[static_cast<std::size_t>(k + 1)] = b(k, 0);
    A = A.zrcadleni(0);
    B = B.zrcadleni(0);
}

Matrix<double> CLDDS_Vnejsi_SISO::rekurze(const Matrix<double>& u) const {
    const int N = u.get_rows();
    Matrix<double> y(N, 1, Matrix<double>::ZEROS);
    // p_y[q] = y(t-1-q), p_u[q] = u(t-1-q); a trimmed history (r or s = 0) has no cell.
    std::vector<double> p_y(static_cast<std::size_t>(r), 0.0);
    std::vector<double> p_u(static_cast<std::size_t>(s), 0.0);

    for (int t = 0; t < N; ++t) {
        double tmp_y = 0.0;
        for (int o = 0; o < r; ++o) tmp_y = (-p_y[static_cast<std::size_t>(o)]) * a(o, 0) + tmp_y;
        double tmp_u = 0.0;
        for (int o = 0; o < s; ++o) tmp_u = p_u[static_cast<std::size_t>(o)] * b(o, 0) + tmp_u;

        const double vstup = u(t, 0);
        double vystup = tmp_y + tmp_u;
        vystup = vystup + b0 * vstup;
        y(t, 0) = vystup;

        for (int q = r - 1; q >= 1; --q) p_y[static_cast<std::size_t>(q)] = p_y[static_cast<std::size_t>(q - 1)];
        if (r > 0) p_y[0] = vystup;
        for (int q = s - 1; q >= 1; --q) p_u[static_cast<std::size_t>(q)] = p_u[static_cast<std::size_t>(q - 1)];
        if (s > 0) p_u[0] = vstup;
    }
    return y;
}

Matrix<double> CLDDS_Vnejsi_SISO::vystup_systemu(Matrix<double> vstup) const {
    if (vstup.get_columns() != 1)
        throw vyjm::CLDDS_Vnejsi_SISO(vstup.get_columns(), 1, "Sloupce vstupu u VnejsiSISO je jedna");
    return rekurze(vstup);
}

Matrix<double> CLDDS_Vnejsi_SISO::impulsni_funkce() const {
    Matrix<double> u(POCET_KROKU, 1, Matrix<double>::ZEROS);
    u(0, 0) = 1.0;
    return rekurze(u);
}

Matrix<double> CLDDS_Vnejsi_SISO::prechodova_funkce() const {
    return rekurze(Matrix<double>(POCET_KROKU, 1, Matrix<double>::ONES));
}

bool CLDDS_Vnejsi_SISO::stabilni() const {
    return zapsane.verdikt([this] {
        std::vector<double> koeficienty;
        for (int k = 0; k < A.get_delkaPolynomy(); ++k) koeficienty.push_back(A[static_cast<std::size_t>(k)]);
        return stabilniPolynom(koeficienty, [this] { return presneHodnoty().A; });
    });
}

PresnyVnejsi CLDDS_Vnejsi_SISO::presneHodnoty() const {
    return zapsane.neboZDoublu([this] { return PresnyVnejsi{presneZPolynomu(A), presneZPolynomu(B)}; });
}

void CLDDS_Vnejsi_SISO::zapisZpravu(std::ostream& f, const std::function<void(std::ostream&)>& telo) const {
    zapisZpravy(
        f, stabilni(), "System Vnejsi SISO:\n",
        [this](std::ostream& os) {
            os << "B:  " << B << std::endl;
            os << "A:  " << A << std::endl << std::endl;
        },
        telo, "Chyba pri zpracovani vystupu\n VnejsiSISO");
}

void CLDDS_Vnejsi_SISO::CSVexport(Matrix<double> vystup, std::fstream& f) const {
    zapisZpravu(f, hodnotyVysledku(vystup, RozlozeniVysledku::SISO));
}

std::vector<Pol> CLDDS_Vnejsi_SISO::poly() const { return presnePolyZModulu(zadani::POLYNOM, presneHodnoty().A); }

FrekvencniOdezva CLDDS_Vnejsi_SISO::frekvencni_odezva(const std::vector<double>& w) const {
    FrekvencniOdezva odezva = frekvencePodilu(B, A, w);
    PresnyVnejsi hodnoty = presneHodnoty();
    odezva.presne = {std::move(hodnoty.A), std::move(hodnoty.B)};
    return odezva;
}

CLDDS_Stav CLDDS_Vnejsi_SISO::realizace() const {
    Matrix<double> F, G, H, L;
    std::string chyba;
    if (!realizacePresne(presneHodnoty(), true, F, G, H, L, chyba))
        throw vyjm::CLDDS_Vnejsi_SISO(A.get_stupen(), B.get_stupen(), chyba);
    const int n = F.get_rows();
    return CLDDS_Stav(F, G, H, L, Matrix<double>(n, 1, Matrix<double>::ZEROS), n, T);
}
