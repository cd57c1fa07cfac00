#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ConvertFunction.h"
#include "ModulAritmetika.h"
#include "Vyjimky.h"

namespace {
namespace test_convert {

namespace {

std::string zpravaChyby(const std::string& text) {
    try {
        StringToDouble(text);
    } catch (const vyjm::ConvertError& e) {
        return e.what();
    }
    return "<bez chyby>";
}

}  // namespace

TEST(StringToDouble, ReadsWholeNumbersInEveryNotation) {
    EXPECT_EQ(StringToDouble("2.5"), 2.5);
    EXPECT_EQ(StringToDouble("  2.5"), 2.5);
    EXPECT_EQ(StringToDouble("1e3"), 1000.0);
    EXPECT_EQ(StringToDouble("-1.25E-2"), -0.0125);
    EXPECT_EQ(StringToDouble("+7"), 7.0);
    EXPECT_EQ(StringToDouble(".5"), 0.5);
    EXPECT_EQ(StringToDouble("5."), 5.0);
    EXPECT_EQ(StringToDouble("1e-400"), 0.0);  // underflow is the number zero, not an error
    const double minusNula = StringToDouble("-0");
    EXPECT_EQ(minusNula, 0.0);
    EXPECT_TRUE(std::signbit(minusNula));
}

TEST(StringToDouble, RejectsEverythingThatIsNotExactlyOneFiniteNumber) {
    // A decimal comma must never be read as a different number.
    for (const std::string& text : std::vector<std::string>{"1,5", "2.5abc", "1e3x", "nan", "inf", "-inf", "infinity", "1e400",
                                   "-1e400", "abc", "", " ", "0x10", "1.5 2", "e5", ".", "-", "1e", "F:"}) {
        EXPECT_EQ(zpravaChyby(text), "Spatny format vstupu -> " + text) << "text: " << text;
    }
}

// The double reader and the exact reader scan one grammar: they take the same decimal texts
// (the exact reader also takes the hexadecimal form of the values the tool hands it), and the
// exact value of a text rounds to the double that the double reader gives.
TEST(StringToDouble, AgreesWithTheExactReaderOnWhatIsANumberAndOnItsValue) {
    const std::vector<std::string> texty{
        "0", "-0", "+0.0", "7", "+7", "-7.", ".5", "5.", "  2.5", "1e3", "1E3", "1e+3", "1e-3", "-1.25E-2", "0.1",
        "123456789012345678901234567890", "0.000000000000000000000000000001", "1.00000000000000011102230246251565404",
        "9007199254740993", "2.2250738585072011e-308", "4.9406564584124654e-324", "2.4703282292062327e-324",
        "2.4703282292062328e-324", "1e-400", "1.7976931348623157e308", "1.7976931348623158e308", "00012.500e-01",
        // not numbers
        "", " ", ".", "-", "+", "e5", ".e5", "1e", "1e+", "1e-", "1e3x", "1,5", "2.5abc", "1.2.3", "1..2", "--1", "+-1",
        "1 ", "1.5 2", "0x", "0x.p1", "nan", "inf", "-inf", "infinity", "1e400", "1.8e308", "\t1", "1e3.5", "1d3"};
    Racionalni presna;
    for (const std::string& text : texty) {
        double hodnota = 0.0;
        bool cte = true;
        try {
            hodnota = StringToDouble(text);
        } catch (const vyjm::ConvertError&) {
            cte = false;
        }
        bool presneCte = true;
        try {
            nactiRacionalni(presna.get(), text);
        } catch (const std::invalid_argument&) {
            presneCte = false;
        }
        // The double reader also refuses what leaves the range of double, which the grammar takes.
        const bool mimoRozsah = presneCte && !cte;
        if (mimoRozsah) {
            EXPECT_TRUE(std::isinf(std::strtod(text.c_str(), nullptr))) << text;
            continue;
        }
        EXPECT_EQ(cte, presneCte) << text;
        if (!cte) continue;
        bool vRozsahu = false;
        const std::string zaokrouhleny = zaokrouhlenyText(presna.get(), vRozsahu);
        EXPECT_TRUE(vRozsahu) << text;
        EXPECT_EQ(zaokrouhleny, presnyText(hodnota == 0.0 ? 0.0 : hodnota)) << text;
    }
}

TEST(StringToDouble, ShowsControlBytesOfARejectedTextAsQuestionMarks) {
    EXPECT_EQ(zpravaChyby("1\t2"), "Spatny format vstupu -> 1?2");
    EXPECT_EQ(zpravaChyby(std::string("1\0x", 3)), "Spatny format vstupu -> 1?x");
}

TEST(DoubleToString, UsesGeneralNotationWithSixSignificantDigits) {
    EXPECT_EQ(DoubleToString(1.0), "1");
    EXPECT_EQ(DoubleToString(0.5), "0.5");
    EXPECT_EQ(DoubleToString(-0.125), "-0.125");
    EXPECT_EQ(DoubleToString(100000.0), "100000");
    EXPECT_EQ(DoubleToString(1000000.0), "1e+06");
    EXPECT_EQ(DoubleToString(2500000.0), "2.5e+06");
    EXPECT_EQ(DoubleToString(0.00001), "1e-05");
    EXPECT_EQ(DoubleToString(0.0001), "0.0001");
    EXPECT_EQ(DoubleToString(3.14159265), "3.14159");
    EXPECT_EQ(DoubleToString(-0.0), "-0");
}

namespace {

// The text a stream in fixed notation writes, the form the system files have always had.
std::string pevnyText(double cislo, int desetinnych) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(desetinnych) << cislo;
    return s.str();
}

// The text reads back as the very same double, sign of zero included.
bool cteSeZpet(const std::string& text, double cislo) {
    const double zpet = std::strtod(text.c_str(), nullptr);
    return std::memcmp(&zpet, &cislo, sizeof cislo) == 0;
}

}  // namespace

TEST(DoubleToStringVerne, KeepsTheFixedTextWhereItHoldsTheValueAndWritesTheDigitsNeededElsewhere) {
    const double nekonecno = std::numeric_limits<double>::infinity();
    struct Pripad {
        double cislo;
        int desetinnych;
        std::string text;
    };
    const std::vector<Pripad> pripady{
        {0.5, 3, "0.500"}, {-0.25, 3, "-0.250"}, {0.2, 4, "0.2000"}, {0.0, 4, "0.0000"}, {-0.0, 3, "-0.000"},
        {123456789.123, 3, "123456789.123"}, {1e20, 3, "100000000000000000000.000"},
        {0.0625, 4, "0.0625"}, {0.0625, 3, "0.0625"},  // "0.062" would read back as another value
        {0.0004877, 3, "0.0004877"}, {0.8888888, 4, "0.8888888"}, {1.9512, 3, "1.9512"},
        {1.2345678901234567, 3, "1.2345678901234567"}, {1e-20, 4, "1e-20"}, {-1e-20, 3, "-1e-20"},
        {1.5e-7, 4, "1.5e-07"}, {5e-324, 3, "5e-324"},
        // Non-finite values keep the fixed text; a conversion that yields them is refused elsewhere.
        {nekonecno, 3, "inf"}, {-nekonecno, 4, "-inf"}, {std::numeric_limits<double>::quiet_NaN(), 3, "nan"}};
    for (const Pripad& p : pripady) {
        const std::string text = DoubleToStringVerne(p.cislo, p.desetinnych);
        EXPECT_EQ(text, p.text) << p.text;
        if (std::isfinite(p.cislo)) {
            EXPECT_TRUE(cteSeZpet(text, p.cislo)) << text;
        }
    }
}

TEST(DoubleToStringVerne, EveryFiniteDoubleReadsBackAndKeepsTheFixedTextWhereThatSuffices) {
    std::mt19937_64 generator(14);
    std::uniform_int_distribution<long long> cislice(-99999999, 99999999);
    std::uniform_int_distribution<int> mocnina(0, 12);
    std::vector<double> cisla;
    while (cisla.size() < 4000) {
        // Arbitrary bit patterns reach every magnitude; decimals with a few digits are the
        // values that systems are written with.
        const unsigned long long bity = generator();
        double cislo;
        std::memcpy(&cislo, &bity, sizeof cislo);
        if (std::isfinite(cislo)) cisla.push_back(cislo);
        cisla.push_back(static_cast<double>(cislice(generator)) / std::pow(10.0, mocnina(generator)));
    }
    for (const double cislo : cisla) {
        for (const int desetinnych : {3, 4}) {
            const std::string text = DoubleToStringVerne(cislo, desetinnych);
            ASSERT_TRUE(cteSeZpet(text, cislo)) << text;
            const std::string pevny = pevnyText(cislo, desetinnych);
            if (cteSeZpet(pevny, cislo)) {
                EXPECT_EQ(text, pevny);
            }
        }
    }
}

TEST(IntToString, WritesPlainDecimal) {
    EXPECT_EQ(IntToString(0), "0");
    EXPECT_EQ(IntToString(-42), "-42");
    EXPECT_EQ(IntToString(1234567), "1234567");
}

TEST(Split, DropsEmptyPieces) {
    EXPECT_EQ(split("a,,b,", ','), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(split(",,,", ','), std::vector<std::string>{});
    EXPECT_EQ(split("", ' '), std::vector<std::string>{});
    EXPECT_EQ(split("  1   2 ", ' '), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(split("1\t2", ' '), (std::vector<std::string>{"1\t2"}));  // tab is no separator
}

TEST(Replace, TouchesOnlyTheFirstOccurrence) {
    std::string s = "1.5e-05";
    EXPECT_TRUE(replace(s, ".", ","));
    EXPECT_EQ(s, "1,5e-05");
    std::string dve = "1.2.3";
    EXPECT_TRUE(replace(dve, ".", ","));
    EXPECT_EQ(dve, "1,2.3");
    std::string bez = "1e-10";
    EXPECT_FALSE(replace(bez, ".", ","));
    EXPECT_EQ(bez, "1e-10");
}

}  // namespace test_convert
}  // namespace
