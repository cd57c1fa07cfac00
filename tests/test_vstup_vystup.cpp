// Readers of system files and input signals, the result report and the result number form.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "Matrix.h"
#include "Polynoms.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"

namespace {
namespace test_vstup_vystup {

namespace {

std::string cesta(const std::string& jmeno) { return std::string(CLDDS_TEST_DATA) + "/" + jmeno; }

std::vector<double> koeficienty(const Polynom& p) {
    std::vector<double> k;
    for (int i = 0; i < p.get_delkaPolynomy(); ++i) k.push_back(p[static_cast<std::size_t>(i)]);
    return k;
}

std::vector<std::vector<double>> radky(const Matrix<double>& M) {
    std::vector<std::vector<double>> r(static_cast<std::size_t>(M.get_rows()));
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) r[static_cast<std::size_t>(i)].push_back(M(i, j));
    return r;
}

using Radky = std::vector<std::vector<double>>;

struct Stav {
    Matrix<double> F, G, H, L, x0;
};

Stav nactiStav(const std::string& text) {
    std::istringstream vstup(text);
    Stav s;
    cteniDatZeSouboruStav(vstup, s.F, s.G, s.H, s.L, s.x0);
    return s;
}

struct VnejsiSISO {
    Polynom A{'x', false};
    Polynom B{'x', false};
};

VnejsiSISO nactiVnejsiSISO(const std::string& text) {
    std::istringstream vstup(text);
    VnejsiSISO s;
    cteniDatZeSouboruVnejsiSISO(vstup, s.A, s.B);
    return s;
}

struct VnejsiMIMO {
    Matrix<Polynom> A, B;
};

VnejsiMIMO nactiVnejsiMIMO(const std::string& text) {
    std::istringstream vstup(text);
    VnejsiMIMO s;
    cteniDatZeSouboruVnejsiMIMO(vstup, s.A, s.B);
    return s;
}

Matrix<double> nactiVstup(const std::string& text, bool SISO) {
    std::istringstream vstup(text);
    Matrix<double> u;
    cteniDatZeSouboruVstup(vstup, u, SISO);
    return u;
}

// The message of the vyjm error E that f raises; fails the test when nothing is raised.
template <typename E, typename Fn>
std::string zpravaChyby(Fn f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error raised";
    return "";
}

const std::string CHYBA_PROUDU = "Chyba pri zpracovani vystupu\n stavSISO";

void expectStavZPrikladu(const Stav& s) {
    EXPECT_EQ(radky(s.F), (Radky{{0.5, 0.1}, {0, 0.8}}));
    EXPECT_EQ(radky(s.G), (Radky{{1}, {0.5}}));
    EXPECT_EQ(radky(s.H), (Radky{{1, 0}}));
    EXPECT_EQ(radky(s.L), (Radky{{0}}));
    EXPECT_EQ(radky(s.x0), (Radky{{0}, {0}}));
}

}  // namespace

// ---------------------------------------------------------------- state-space files

TEST(CteniStav, ExampleFileGivesTheFiveMatrices) {
    std::ifstream soubor(cesta("cteni_stav.txt"));
    ASSERT_TRUE(soubor.is_open());
    Stav s;
    cteniDatZeSouboruStav(soubor, s.F, s.G, s.H, s.L, s.x0);
    expectStavZPrikladu(s);
    // A normal end of file leaves the stream cleared for the caller.
    EXPECT_TRUE(soubor.good());
}

TEST(CteniStav, CrlfAndRunsOfEmptyLinesReadLikeTheExample) {
    std::ifstream soubor(cesta("cteni_stav_crlf_prazdne_radky.txt"), std::ios::binary);
    ASSERT_TRUE(soubor.is_open());
    Stav s;
    cteniDatZeSouboruStav(soubor, s.F, s.G, s.H, s.L, s.x0);
    expectStavZPrikladu(s);
}

TEST(CteniStav, EmptyLinesBeforeBetweenAndAfterBlocksAndBlankRuns) {
    expectStavZPrikladu(nactiStav("\n\n  0.5   0.1  \n0 0.8\n\n\n\n1\n 0.5\n\n1  0\n\n0\n\n0\n0\n\n\n"));
    // A last line without a line feed is read like any other.
    expectStavZPrikladu(nactiStav("0.5 0.1\n0 0.8\n\n1\n0.5\n\n1 0\n\n0\n\n0\n0"));
}

TEST(CteniStav, MissingBlocksStayEmptyAndAnEmptyFileReadsNothing) {
    Stav s = nactiStav("0.5 0.1\n0 0.8\n\n1\n0.5\n");
    EXPECT_EQ(radky(s.G), (Radky{{1}, {0.5}}));
    EXPECT_EQ(s.H.get_count(), 0);
    EXPECT_EQ(s.L.get_count(), 0);
    EXPECT_EQ(s.x0.get_count(), 0);

    Stav prazdny = nactiStav("");
    EXPECT_EQ(prazdny.F.get_count(), 0);
    EXPECT_EQ(prazdny.x0.get_count(), 0);
}

TEST(CteniStav, InitialStateIsAColumnOfOneValuePerLine) {
    Stav s = nactiStav("1 0 0\n0 1 0\n0 0 1\n\n1\n1\n1\n\n1 0 0\n\n0\n\n1\n2\n3\n");
    EXPECT_EQ(radky(s.x0), (Radky{{1}, {2}, {3}}));
    // A line of blanks inside the x0 block stands for 0.
    Stav nula = nactiStav("1 0\n0 1\n\n1\n0\n\n1 0\n\n0\n\n  \n4\n");
    EXPECT_EQ(radky(nula.x0), (Radky{{0}, {4}}));

    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1\n\n1\n\n1\n\n0\n\n1 2\n"); }),
              "Pocatecni stav x0 ma na kazdem radku jen jednu hodnotu (radek 9 souboru)\n");
}

TEST(CteniStav, RaggedRowsOfABlockAreRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1 2\n3\n"); }),
              "Radky matice F nemaji stejny pocet hodnot (radek 2 souboru)\n");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1 2\n3 4\n\n1\n2\n\n1 0\n0 1 2\n"); }),
              "Radky matice H nemaji stejny pocet hodnot (radek 8 souboru)\n");
    // A line of blanks is not an empty line: it is a row without values, so it cannot
    // separate two blocks.
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("0.5 0.1\n0 0.8\n   \n1\n0.5\n"); }),
              "Radky matice F nemaji stejny pocet hodnot (radek 3 souboru)\n");
}

TEST(CteniStav, ASixthBlockIsRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1\n\n1\n\n1\n\n0\n\n0\n\n7\n"); }),
              "Soubor stavoveho popisu ma vice nez pet bloku F, G, H, L, x0 (radek 11 souboru)\n");
    // Empty lines after the fifth block are fine.
    EXPECT_NO_THROW(nactiStav("1\n\n1\n\n1\n\n0\n\n0\n\n\n"));
}

TEST(CteniStav, NumbersFollowTheStrictRule) {
    // The labels of a written file are not numbers.
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("F:\n0.5 0.1\n"); }), "Spatny format vstupu -> F:");
    // A decimal comma is never read as a different number.
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1,5\n"); }), "Spatny format vstupu -> 1,5");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1 nan\n"); }), "Spatny format vstupu -> nan");
    Stav s = nactiStav("-1.5e-3 +2 .5 -0\n");
    EXPECT_EQ(radky(s.F), (Radky{{-1.5e-3, 2, 0.5, -0.0}}));
}

TEST(CteniStav, ControlCharactersAndBinaryJunkAreRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav("1\t2\n"); }),
              "Nepovoleny znak s kodem 9 (radek 1 souboru); hodnoty se oddeluji jen mezerou\n");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiStav(std::string("1 2\n3 \0 4\n", 10)); }),
              "Nepovoleny znak s kodem 0 (radek 2 souboru); hodnoty se oddeluji jen mezerou\n");
    // A carriage return in the middle of a line is not a line end.
    EXPECT_THROW(nactiStav("1\r2\n"), vyjm::ConvertError);
    // Bytes above 127 are no number either.
    EXPECT_THROW(nactiStav("\xff\xfe\x80\n"), vyjm::ConvertError);
}

// ---------------------------------------------------------------- line length and stream state

TEST(CteniRadku, LinesOf511CharactersAreAcceptedAnd512Rejected) {
    const std::string radek511 = std::string(510, ' ') + "7";
    const std::string radek512 = std::string(511, ' ') + "7";
    ASSERT_EQ(radek511.size(), 511u);

    EXPECT_EQ(radky(nactiStav(radek511 + "\n").F), (Radky{{7}}));
    // The carriage return of a CRLF line does not count.
    EXPECT_EQ(radky(nactiStav(radek511 + "\r\n").F), (Radky{{7}}));
    EXPECT_EQ(radky(nactiStav(radek511).F), (Radky{{7}}));

    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { nactiStav(radek512 + "\n"); }), CHYBA_PROUDU);
    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { nactiStav(radek512 + "\r\n"); }), CHYBA_PROUDU);
    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { nactiVnejsiSISO(radek512); }), CHYBA_PROUDU);
    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { nactiVnejsiMIMO("1\n" + radek512 + "\n"); }), CHYBA_PROUDU);
    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { nactiVstup(radek512, true); }), CHYBA_PROUDU);
    // A huge line without any line end stops early instead of filling memory.
    EXPECT_THROW(nactiVstup(std::string(5'000'000, '1'), true), vyjm::FileError);
}

TEST(CteniRadku, AFailedStreamIsReportedAsAFileError) {
    std::istringstream vadny("1\n");
    vadny.setstate(std::ios::failbit);
    Matrix<double> F, G, H, L, x0, u;
    EXPECT_THROW(cteniDatZeSouboruStav(vadny, F, G, H, L, x0), vyjm::FileError);
    EXPECT_THROW(cteniDatZeSouboruVstup(vadny, u, true), vyjm::FileError);

    // A read error in the middle of the file (the buffer fails after some characters).
    struct VadnyBuffer : std::streambuf {
        std::string data = "1 2\n3 4\n";
        std::size_t pozice = 0;
        int_type underflow() override {
            if (pozice >= data.size()) throw std::ios_base::failure("cteni selhalo");
            setg(&data[pozice], &data[pozice], &data[pozice] + 1);
            ++pozice;
            return traits_type::to_int_type(*gptr());
        }
    } buffer;
    std::istream proud(&buffer);
    EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] { cteniDatZeSouboruStav(proud, F, G, H, L, x0); }), CHYBA_PROUDU);
}

// ---------------------------------------------------------------- external SISO files

TEST(CteniVnejsiSISO, ExampleFileGivesNumeratorThenDenominator) {
    std::ifstream soubor(cesta("cteni_vnejsi_siso.txt"));
    ASSERT_TRUE(soubor.is_open());
    Polynom A('x', false), B('x', false);
    cteniDatZeSouboruVnejsiSISO(soubor, A, B);
    EXPECT_EQ(koeficienty(B), (std::vector<double>{0.5, 1}));
    EXPECT_EQ(B.get_stupen(), 1);
    EXPECT_EQ(koeficienty(A), (std::vector<double>{0.15, -0.8, 1}));
    EXPECT_EQ(A.get_stupen(), 2);
}

TEST(CteniVnejsiSISO, EmptyLinesBlanksCrlfAndExtraLines) {
    VnejsiSISO s = nactiVnejsiSISO("\r\n\n   0.5  1 \r\n\r\n\n0.15   -0.8 1\n\n9 9 9\n");
    EXPECT_EQ(koeficienty(s.B), (std::vector<double>{0.5, 1}));
    EXPECT_EQ(koeficienty(s.A), (std::vector<double>{0.15, -0.8, 1}));
    // Only two polynomial lines are read: a broken third line is never looked at.
    EXPECT_NO_THROW(nactiVnejsiSISO("1\n1 1\nx,y\n"));
}

TEST(CteniVnejsiSISO, OneLineLeavesTheDenominatorWithoutCoefficients) {
    VnejsiSISO s = nactiVnejsiSISO("0.5 1\n");
    EXPECT_EQ(koeficienty(s.B), (std::vector<double>{0.5, 1}));
    EXPECT_EQ(s.A.get_delkaPolynomy(), 0);
    // A line of blanks is a polynomial line without coefficients.
    VnejsiSISO prazdnyB = nactiVnejsiSISO("   \n1 1\n");
    EXPECT_EQ(prazdnyB.B.get_delkaPolynomy(), 0);
    EXPECT_EQ(koeficienty(prazdnyB.A), (std::vector<double>{1, 1}));
}

TEST(CteniVnejsiSISO, ATrailingZeroRaisesTheDegree) {
    VnejsiSISO s = nactiVnejsiSISO("1 0.5 0\n1 1\n");
    EXPECT_EQ(s.B.get_stupen(), 2);
    EXPECT_EQ(koeficienty(s.B), (std::vector<double>{1, 0.5, 0}));
}

TEST(CteniVnejsiSISO, LabelsAndDecimalCommasAreRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiSISO("B:\n0.2 0\n"); }), "Spatny format vstupu -> B:");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiSISO("1\n0,5 1\n"); }),
              "Spatny format vstupu -> 0,5");
}

// ---------------------------------------------------------------- external MIMO files

TEST(CteniVnejsiMIMO, ExampleFileGivesBThenA) {
    std::ifstream soubor(cesta("cteni_vnejsi_mimo.txt"));
    ASSERT_TRUE(soubor.is_open());
    Matrix<Polynom> A, B;
    cteniDatZeSouboruVnejsiMIMO(soubor, A, B);
    ASSERT_EQ(B.get_rows(), 2);
    ASSERT_EQ(B.get_columns(), 2);
    EXPECT_EQ(koeficienty(B(0, 0)), (std::vector<double>{1}));
    EXPECT_EQ(koeficienty(B(0, 1)), (std::vector<double>{0.5}));
    EXPECT_EQ(koeficienty(B(1, 0)), (std::vector<double>{0}));
    EXPECT_EQ(koeficienty(B(1, 1)), (std::vector<double>{1}));
    ASSERT_EQ(A.get_rows(), 2);
    ASSERT_EQ(A.get_columns(), 2);
    EXPECT_EQ(koeficienty(A(0, 0)), (std::vector<double>{-0.5, 1}));
    EXPECT_EQ(koeficienty(A(0, 1)), (std::vector<double>{0.25}));
    EXPECT_EQ(koeficienty(A(1, 0)), (std::vector<double>{0}));
    EXPECT_EQ(koeficienty(A(1, 1)), (std::vector<double>{-0.2, 1}));
    EXPECT_EQ(A(1, 1).get_stupen(), 1);
    // Constants are polynomials of length 1, so arithmetic on two of them keeps the value.
    EXPECT_EQ(koeficienty(B(0, 0) - B(0, 1)), (std::vector<double>{0.5}));
    EXPECT_EQ(koeficienty(A(0, 1) * B(0, 1)), (std::vector<double>{0.125}));
}

TEST(CteniVnejsiMIMO, EmptyLinesCrlfBlanksAndEmptyCells) {
    VnejsiMIMO s = nactiVnejsiMIMO("\n\r\n 1 ; 0.5\r\n0;;1\r\n\r\n\r\n\n-0.5  1;0.25\n0; -0.2 1 \n\n\n");
    ASSERT_EQ(s.B.get_rows(), 2);
    ASSERT_EQ(s.B.get_columns(), 2);
    EXPECT_EQ(koeficienty(s.B(1, 1)), (std::vector<double>{1}));
    ASSERT_EQ(s.A.get_rows(), 2);
    ASSERT_EQ(s.A.get_columns(), 2);
    EXPECT_EQ(koeficienty(s.A(0, 0)), (std::vector<double>{-0.5, 1}));
    EXPECT_EQ(koeficienty(s.A(1, 1)), (std::vector<double>{-0.2, 1}));

    // A cell of blanks is a polynomial without coefficients.
    VnejsiMIMO mezera = nactiVnejsiMIMO("1;  \n\n1 1;0\n");
    ASSERT_EQ(mezera.B.get_columns(), 2);
    EXPECT_EQ(mezera.B(0, 1).get_delkaPolynomy(), 0);
}

TEST(CteniVnejsiMIMO, MissingBlockLeavesAEmpty) {
    VnejsiMIMO s = nactiVnejsiMIMO("1;0.5\n0;1\n\n\n");
    EXPECT_EQ(s.B.get_count(), 4);
    EXPECT_EQ(s.A.get_count(), 0);
}

TEST(CteniVnejsiMIMO, RaggedCellsAndAThirdBlockAreRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiMIMO("1;0.5\n0\n\n1;0\n0;1\n"); }),
              "Radky matice B nemaji stejny pocet bunek (radek 2 souboru)\n");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiMIMO("1;0\n0;1\n\n1 1;0\n0;1 1;0\n"); }),
              "Radky matice A nemaji stejny pocet bunek (radek 5 souboru)\n");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiMIMO("1\n\n1 1\n\n\n2 2\n"); }),
              "Soubor vnejsiho popisu MIMO ma vice nez dva bloky, B a A (radek 6 souboru)\n");
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVnejsiMIMO("1;0,5\n"); }), "Spatny format vstupu -> 0,5");
}

// ---------------------------------------------------------------- input signals

TEST(CteniVstup, SisoLineBecomesAColumnOfSteps) {
    std::ifstream soubor(cesta("cteni_vstup_siso.txt"));
    ASSERT_TRUE(soubor.is_open());
    Matrix<double> u;
    cteniDatZeSouboruVstup(soubor, u, true);
    EXPECT_EQ(radky(u), (Radky{{1}, {1}, {1}, {1}, {1}}));
    // Blanks at both ends and runs of blanks read the same.
    EXPECT_EQ(radky(nactiVstup("  1  2   3 \n", true)), (Radky{{1}, {2}, {3}}));
}

TEST(CteniVstup, SisoFileWithTwoLinesGivesTwoColumns) {
    EXPECT_EQ(radky(nactiVstup("1 2 3\n4 5 6\n", true)), (Radky{{1, 4}, {2, 5}, {3, 6}}));
}

TEST(CteniVstup, MimoLinesBecomeRowsAndEmptyLinesAreIgnored) {
    std::ifstream soubor(cesta("cteni_vstup_mimo.txt"));
    ASSERT_TRUE(soubor.is_open());
    Matrix<double> u;
    cteniDatZeSouboruVstup(soubor, u, false);
    EXPECT_EQ(radky(u), (Radky{{1, 0, 0, 0}, {0, 0.5, 0, 0}}));
    EXPECT_EQ(radky(nactiVstup("\r\n\n1 0 0 0\r\n\r\n\n0 0.5 0 0\r\n\n", false)), (Radky{{1, 0, 0, 0}, {0, 0.5, 0, 0}}));
}

TEST(CteniVstup, RaggedLinesAndBadNumbersAreRejected) {
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVstup("1 0 0 0\n\n0 0.5 0\n", false); }),
              "Radky vstupniho signalu nemaji stejny pocet hodnot (radek 3 souboru)\n");
    EXPECT_THROW(nactiVstup("1 2 3\n4 5\n", true), vyjm::ConvertError);
    EXPECT_EQ(zpravaChyby<vyjm::ConvertError>([] { nactiVstup("1 1e400\n", true); }),
              "Spatny format vstupu -> 1e400");
}

TEST(CteniVstup, EmptyOrBlankFileGivesAnEmptySignal) {
    EXPECT_EQ(nactiVstup("", true).get_count(), 0);
    EXPECT_EQ(nactiVstup("\n\r\n\n", false).get_count(), 0);
    EXPECT_EQ(nactiVstup("     \n", true).get_count(), 0);
}

// ---------------------------------------------------------------- result number form

TEST(CSVCislo, SixSignificantDigitsWithADecimalComma) {
    EXPECT_EQ(CSVCislo(0.5), "0,5");
    EXPECT_EQ(CSVCislo(1.0), "1");
    EXPECT_EQ(CSVCislo(2.0), "2");
    EXPECT_EQ(CSVCislo(-0.0625), "-0,0625");
    EXPECT_EQ(CSVCislo(0.000015), "1,5e-05");
    EXPECT_EQ(CSVCislo(2.5e6), "2,5e+06");
    EXPECT_EQ(CSVCislo(1e-10), "1e-10");
    EXPECT_EQ(CSVCislo(-0.0), "-0");
    EXPECT_EQ(CSVCislo(3.14159265), "3,14159");
    EXPECT_EQ(CSVCislo(2.7182818), "2,71828");
    // Down to an exponent of -4 the plain notation is kept.
    EXPECT_EQ(CSVCislo(1.23456789e-4), "0,000123457");
    EXPECT_EQ(CSVCislo(999999.5), "1e+06");
    EXPECT_EQ(CSVCislo(123456.4), "123456");
}

// ---------------------------------------------------------------- result report

namespace {

void popis(std::ostream& os) { os << "B:  " << "1.0000 " << std::endl << std::endl; }

Matrix<double> matice(int r, int c, const std::vector<double>& hodnoty) {
    Matrix<double> M;
    M._resize(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) M(i, j) = hodnoty[static_cast<std::size_t>(i * c + j)];
    return M;
}

// Accepts `limit` characters, then fails every further write.
class OmezenyBuffer : public std::streambuf {
public:
    std::string data;
    std::size_t limit;
    explicit OmezenyBuffer(std::size_t limit) : limit(limit) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (data.size() >= limit) return traits_type::eof();
        data.push_back(traits_type::to_char_type(c));
        return c;
    }
};

}  // namespace

TEST(ZapisVysledku, ReportBytesForEachLayoutAndVerdict) {
    struct Pripad {
        bool stabilni;
        RozlozeniVysledku rozlozeni;
        Matrix<double> vystup;
        std::string ocekavano;
    };
    const Pripad pripady[] = {
        {true, RozlozeniVysledku::SISO, matice(4, 1, {0.5, 1.0, -0.0625, 0.000015}),
         "T\nB:  1.0000 \n\n System je stabilni \n\n0,5\n1\n-0,0625\n1,5e-05\n"},
        // Two outputs (rows), three steps (columns): one step a line, no trailing ";".
        {false, RozlozeniVysledku::MIMO, matice(2, 3, {0, 1, 0.25, 0, 0.5, -2.5e6}),
         "T\nB:  1.0000 \n\n System neni stabilni\n\n0;0\n1;0,5\n0,25;-2,5e+06\n"},
        {false, RozlozeniVysledku::MIMO, matice(1, 3, {1, 2, 3}),
         "T\nB:  1.0000 \n\n System neni stabilni\n\n1\n2\n3\n"},
    };
    for (const Pripad& p : pripady) {
        std::ostringstream f;
        zapisVysledku(f, p.stabilni, "T\n", popis, p.vystup, p.rozlozeni, "chyba");
        EXPECT_EQ(f.str(), p.ocekavano);
    }
    std::ostringstream spatny;
    spatny.setstate(std::ios::failbit);
    EXPECT_NO_THROW(zapisVysledku(spatny, true, "T\n", popis, matice(1, 1, {1}), RozlozeniVysledku::SISO, "chyba"));
    EXPECT_EQ(spatny.str(), "");
}

TEST(ZapisVysledku, StreamFailingWhileWritingRaisesTheClassMessage) {
    for (RozlozeniVysledku r : {RozlozeniVysledku::SISO, RozlozeniVysledku::MIMO}) {
        OmezenyBuffer buffer(30);
        std::ostream f(&buffer);
        EXPECT_EQ(zpravaChyby<vyjm::FileError>([&] {
                      zapisVysledku(f, true, "System Stavove SISO:\n", popis, matice(5, 5, std::vector<double>(25, 1.5)),
                                    r, "Chyba pri zpracovani vystupu Stav SISO\n");
                  }),
                  "Chyba pri zpracovani vystupu Stav SISO\n");
        EXPECT_EQ(buffer.data, std::string("System Stavove SISO:\nB:  1.0000 \n\n").substr(0, 30));
    }
}

// ---------------------------------------------------------------- hostile input

TEST(CteniNahodnychDat, JunkEndsInAReaderErrorOrAResultNeverInACrash) {
    // Random bytes and random damage to a valid file: every reader either reads something or
    // raises one of its two error types.
    std::mt19937 generator(20240611);
    const std::string vzor = "0.5 0.1\n0 0.8\n\n1;0.5\n0.5\n\n1 0\n\n0\n\n0\n0\n";
    const char zdroj[] = " ;\n\r\t0123456789.-+eE,x\0\xff";
    const std::string znaky(zdroj, sizeof(zdroj) - 1);
    for (int pokus = 0; pokus < 3000; ++pokus) {
        std::string text;
        if (pokus % 2 == 0) {
            const std::size_t delka = generator() % 200;
            for (std::size_t i = 0; i < delka; ++i) text.push_back(static_cast<char>(generator() % 256));
        } else {
            text = vzor;
            for (int zmena = 0; zmena < 4; ++zmena) {
                const std::size_t kde = generator() % (text.size() + 1);
                const char znak = znaky[generator() % znaky.size()];
                if (generator() % 2 == 0 && kde < text.size()) {
                    text[kde] = znak;
                } else {
                    text.insert(kde, 1, znak);
                }
            }
        }
        auto zkus = [&](auto cteni) {
            try {
                cteni();
            } catch (const vyjm::ConvertError&) {
            } catch (const vyjm::FileError&) {
            }
        };
        zkus([&] { nactiStav(text); });
        zkus([&] { nactiVnejsiSISO(text); });
        zkus([&] { nactiVnejsiMIMO(text); });
        zkus([&] { nactiVstup(text, pokus % 3 == 0); });
    }
}

}  // namespace test_vstup_vystup
}  // namespace
