// The labelled system files written after a conversion.

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "Vstup_Vystup.h"
#include "ZapisSystemu.h"
#include "Vyjimky.h"

namespace {
namespace test_vstup_vystup_zapis {

namespace {

Matrix<double> matice(int r, int c, std::vector<double> hodnoty) { return Matrix<double>(r, c, hodnoty.data()); }

Polynom polynom(std::vector<double> koeficienty) {
    return Polynom(koeficienty.data(), static_cast<int>(koeficienty.size()), 'x', false);
}

Matrix<Polynom> polynomy(int r, int c, const std::vector<Polynom>& prvky) {
    Matrix<Polynom> M;
    M._resize(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) M(i, j) = prvky[static_cast<std::size_t>(i * c + j)];
    return M;
}

CLDDS_Stav_SISO stavSISO() {
    return CLDDS_Stav_SISO(matice(2, 2, {0.5, 0.1, 0, 0.8}), matice(2, 1, {1, 0.5}), matice(1, 2, {1, 0}),
                           matice(1, 1, {0}), matice(2, 1, {0, 0}), 2, 1.0);
}

// Drops the label lines ("F:" etc.), leaving the layout of a readable system file.
std::string bezStitku(const std::string& text) {
    std::istringstream vstup(text);
    std::string radek, vysledek;
    while (std::getline(vstup, radek)) {
        if (!radek.empty() && radek.back() == ':') continue;
        vysledek += radek + "\n";
    }
    return vysledek;
}

// A stream whose every write fails.
class PlnyBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

const std::string CHYBA_ZAPISU = "Chyba pri zpracovani vystupu\n stavSISO";

}  // namespace

TEST(ZapisStav, SisoSystemIsWrittenAsSeventeenLinesAndAnEmptyLine) {
    CLDDS_Stav_SISO system = stavSISO();
    std::ostringstream f;
    zapisDatDoSouboruStav(f, system);
    EXPECT_EQ(f.str(),
              "F:\n0.500 0.100\n0.000 0.800\n\n"
              "G:\n1.000\n0.500\n\n"
              "H:\n1.000 0.000\n\n"
              "L:\n0.000\n\n"
              "x0:\n0.000\n0.000\n\n");
}

TEST(ZapisStav, MimoSystemIsWrittenWithTheSameLabels) {
    CLDDS_Stav_MIMO system(2, 2, matice(2, 2, {0.5, 0, 0, -0.25}), matice(2, 2, {1, 0, 0, 1}),
                           matice(2, 2, {1, 0.125, 0, 1}), matice(2, 2, {0, 0, 0, 2}), matice(2, 1, {1, -1}), 2, 1.0);
    std::ostringstream f;
    zapisDatDoSouboruStav(f, system);
    EXPECT_EQ(f.str(),
              "F:\n0.500 0.000\n0.000 -0.250\n\n"
              "G:\n1.000 0.000\n0.000 1.000\n\n"
              "H:\n1.000 0.125\n0.000 1.000\n\n"
              "L:\n0.000 0.000\n0.000 2.000\n\n"
              "x0:\n1.000\n-1.000\n\n");
}

TEST(ZapisStav, WrittenFileWithoutLabelsReadsBackToTheSameMatrices) {
    CLDDS_Stav_SISO system(matice(3, 3, {0.5, 0.25, 0, 0, 0.125, 1, -0.75, 0, 0.375}), matice(3, 1, {1, 0, -2}),
                           matice(1, 3, {0, 1, 0.5}), matice(1, 1, {0.625}), matice(3, 1, {1, 2, 3}), 3, 1.0);
    std::ostringstream f;
    zapisDatDoSouboruStav(f, system);
    std::istringstream zpet(bezStitku(f.str()));
    Matrix<double> F, G, H, L, x0;
    cteniDatZeSouboruStav(zpet, F, G, H, L, x0);
    // Every value has at most 3 decimals, so the text form keeps it exactly.
    for (const auto& dvojice : {std::make_pair(F, system.get_F()), std::make_pair(G, system.get_G()),
                                std::make_pair(H, system.get_H()), std::make_pair(L, system.get_L()),
                                std::make_pair(x0, system.get_x0())}) {
        ASSERT_EQ(dvojice.first.get_rows(), dvojice.second.get_rows());
        ASSERT_EQ(dvojice.first.get_columns(), dvojice.second.get_columns());
        for (int i = 0; i < dvojice.first.get_rows(); ++i)
            for (int j = 0; j < dvojice.first.get_columns(); ++j)
                EXPECT_EQ(dvojice.first(i, j), dvojice.second(i, j)) << i << "," << j;
    }
}

TEST(ZapisVnejsi, SisoPolynomialsFromTheHighestPowerDown) {
    CLDDS_Vnejsi_SISO system(polynom({-0.5, 1}), polynom({0, 0.2}));
    std::ostringstream f;
    zapisDatDoSouboruVnejsi(f, system);
    EXPECT_EQ(f.str(), "B:\n0.2000 0.0000 \nA:\n1.0000 -0.5000 \n");
}

TEST(ZapisVnejsi, MimoRowsWithCellsJoinedBySemicolonAndBlank) {
    CLDDS_Vnejsi_MIMO system(polynomy(2, 2, {polynom({-0.5, 1}), polynom({0.25}), polynom({0}), polynom({-0.2, 1})}),
                             polynomy(2, 2, {polynom({1}), polynom({0.5}), polynom({0}), polynom({1})}));
    std::ostringstream f;
    zapisDatDoSouboruVnejsi(f, system);
    EXPECT_EQ(f.str(),
              "B:\n1.0000 ; 0.5000 \n0.0000 ; 1.0000 \n\n"
              "A:\n1.0000 -0.5000 ; 0.2500 \n0.0000 ; 1.0000 -0.2000 \n\n");
}

TEST(ZapisVnejsi, CoefficientsThatFourDecimalsWouldChangeKeepTheirDigits) {
    CLDDS_Vnejsi_SISO system(polynom({-0.8888888, 1}), polynom({0.0004877, 0.0625}));
    std::ostringstream f;
    zapisDatDoSouboruVnejsi(f, system);
    EXPECT_EQ(f.str(), "B:\n0.0625 0.0004877 \nA:\n1.0000 -0.8888888 \n");
}

TEST(ZapisSystemu, AFailedStreamRaisesFileErrorInEveryWriter) {
    PlnyBuffer buffer;
    CLDDS_Stav_SISO stav = stavSISO();
    CLDDS_Vnejsi_SISO vnejsi(polynom({-0.5, 1}), polynom({0, 0.2}));
    {
        std::ostream f(&buffer);
        try {
            zapisDatDoSouboruStav(f, stav);
            ADD_FAILURE() << "no error";
        } catch (const vyjm::FileError& e) {
            EXPECT_EQ(std::string(e.what()), CHYBA_ZAPISU);
        }
    }
    {
        // A stream that had failed before is written to all the same and reported.
        std::ostringstream f;
        f.setstate(std::ios::badbit);
        EXPECT_THROW(zapisDatDoSouboruVnejsi(f, vnejsi), vyjm::FileError);
    }
}

}  // namespace test_vstup_vystup_zapis
}  // namespace
