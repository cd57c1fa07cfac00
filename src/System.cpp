#include "System.h"

#include <vector>

#include "JistaStabilita.h"
#include "NacitaniModulu.h"
#include "OdvozeneMatice.h"
#include "ZadaniPresnosti.h"
#include "Polynoms.h"

CLDDS_Stav::CLDDS_Stav() : n(0), T(0.0) {}

CLDDS_Stav::CLDDS_Stav(const Matrix<double>& F, const Matrix<double>& G, const Matrix<double>& H,
                       const Matrix<double>& L, const Matrix<double>& x0, const int& n,
                       const double& T)
    : F(F), G(G), H(H), L(L), x0(x0), n(n), T(T) {}

// One pass over the steps carrying the state: every sample costs one product with F, G, H
// and L, so the work grows linearly with the number of steps. The outputs are the same
// sequence as y(k) = H F^k x0 + sum_{r<k} H F^(k-r-1) G u(r) + L u(k).
Matrix<double> CLDDS_Stav::odezvaStavu(const Matrix<double>& u) const {
    const int stavy = F.get_rows();
    const int vstupy = G.get_columns();
    const int vystupy = H.get_rows();
    const int kroky = u.get_columns();

    Matrix<double> y(vystupy, kroky, Matrix<double>::ZEROS);
    std::vector<double> x(static_cast<std::size_t>(stavy), 0.0);
    std::vector<double> dalsi(static_cast<std::size_t>(stavy), 0.0);
    for (int i = 0; i < stavy && i < x0.get_rows(); ++i) x[static_cast<std::size_t>(i)] = x0(i, 0);

    for (int k = 0; k < kroky; ++k) {
        for (int o = 0; o < vystupy; ++o) {
            double hodnota = 0.0;
            for (int j = 0; j < stavy; ++j) hodnota += H(o, j) * x[static_cast<std::size_t>(j)];
            for (int i = 0; i < vstupy; ++i) hodnota += L(o, i) * u(i, k);
            y(o, k) = hodnota;
        }
        for (int r = 0; r < stavy; ++r) {
            double hodnota = 0.0;
            for (int j = 0; j < stavy; ++j) hodnota += F(r, j) * x[static_cast<std::size_t>(j)];
            for (int i = 0; i < vstupy; ++i) hodnota += G(r, i) * u(i, k);
            dalsi[static_cast<std::size_t>(r)] = hodnota;
        }
        x.swap(dalsi);
    }
    return y;
}

void CLDDS_Stav::popisStavu(std::ostream& os) const {
    os << "F:\n" << F << std::endl;
    os << "G: \n" << G << std::endl;
    os << "H: \n" << H << std::endl;
    os << "L: \n" << L << std::endl;
    os << "x0: \n" << x0 << std::endl << std::endl;
}

bool CLDDS_Stav::stavova_stabilita(std::ostream& konzole) const {
    vypisXKratI(konzole, n, n);

    return zapsane.verdikt([this] {
        // The poles are the eigenvalues of the n x n block of F.
        const Matrix<double> ctverec = F.get_rows() == n && F.get_columns() == n ? F : F.submatice(1, n, 1, n);
        const PresnyStav* presne = zapsane.zapsaneHodnoty();
        return stabilniMatice(ctverec, [&] { return presne ? presne->F.ctverec(n) : presneZMatice(ctverec); });
    });
}

std::vector<Pol> CLDDS_Stav::polyStavu() const {
    const Matrix<double> ctverec = F.get_rows() == n && F.get_columns() == n ? F : F.submatice(1, n, 1, n);
    const PresnyStav* presne = zapsane.zapsaneHodnoty();
    return presnePolyZModulu(zadani::MATICE, presne ? presne->F.ctverec(n) : presneZMatice(ctverec));
}

FrekvencniOdezva CLDDS_Stav::frekvencniOdezvaStavu(const std::vector<double>& w) const {
    FrekvencniOdezva odezva = frekvenceStavu(F, G, H, L, w, zapsane.zapsaneHodnoty());
    PresnyStav hodnoty = presneHodnoty();
    odezva.presne = {std::move(hodnoty.F), std::move(hodnoty.G), std::move(hodnoty.H), std::move(hodnoty.L)};
    return odezva;
}

PresnyStav CLDDS_Stav::presneHodnoty() const {
    return zapsane.neboZDoublu(
        [this] { return PresnyStav{presneZMatice(F), presneZMatice(G), presneZMatice(H), presneZMatice(L)}; });
}
