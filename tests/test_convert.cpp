#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "ConvertFunction.h"
#include "Vyjimky.h"

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
