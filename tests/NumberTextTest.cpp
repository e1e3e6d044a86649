#include "NumberText.h"
#include "Errors.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace
{

using vorsa::FormatPadded;
using vorsa::StrToInt;
using vorsa::testing::PrintTo;

// --- Text to integer ------------------------------------------------------

struct AcceptedRow {
    const char *name;
    std::string text;
    std::int32_t value;
};

class StrToIntAccepts : public ::testing::TestWithParam<AcceptedRow>
{
};

TEST_P(StrToIntAccepts, ReturnsTheValue)
{
    EXPECT_EQ(StrToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, StrToIntAccepts,
    ::testing::Values(AcceptedRow{"Zero", "0", 0}, AcceptedRow{"Decimal", "42", 42},
                      AcceptedRow{"LeadingZeros", "07", 7},
                      AcceptedRow{"ManyLeadingZeros", "000000000000000000002147483647", INT32_MAX},
                      AcceptedRow{"LeadingBlanks", "   3", 3}, AcceptedRow{"Plus", "+3", 3},
                      AcceptedRow{"Minus", "-3", -3}, AcceptedRow{"BlanksThenSign", "  -25", -25},
                      AcceptedRow{"Dollar", "$1F", 31}, AcceptedRow{"LowerX", "x1f", 31},
                      AcceptedRow{"UpperX", "X10", 16}, AcceptedRow{"ZeroX", "0x10", 16},
                      AcceptedRow{"ZeroUpperX", "0XaB", 171}, AcceptedRow{"SignedHex", "-$10", -16},
                      AcceptedRow{"BlanksSignHex", " +0x7fffffff", INT32_MAX},
                      AcceptedRow{"Max", "2147483647", INT32_MAX},
                      AcceptedRow{"Min", "-2147483648", INT32_MIN},
                      AcceptedRow{"HexMin", "-$80000000", INT32_MIN},
                      AcceptedRow{"MinusZero", "-0", 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct RejectedRow {
    const char *name;
    std::string text;
};

class StrToIntRejects : public ::testing::TestWithParam<RejectedRow>
{
};

TEST_P(StrToIntRejects, RaisesTheConversionErrorWithTheWholeText)
{
    const std::string &text = GetParam().text;
    try {
        StrToInt(text);
        FAIL() << "no error for '" << text << "'";
    } catch (const vorsa::EConvertError &error) {
        EXPECT_EQ(std::string(error.what()), "'" + text + "' は整数ではありません");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, StrToIntRejects,
    ::testing::Values(
        RejectedRow{"Empty", ""}, RejectedRow{"OnlyBlanks", "   "}, RejectedRow{"OnlyPlus", "+"},
        RejectedRow{"OnlyMinus", " -"}, RejectedRow{"TrailingBlank", "42 "},
        RejectedRow{"BlankAfterSign", "- 5"}, RejectedRow{"DoubleSign", "--5"},
        RejectedRow{"LeadingTab", "\t5"}, RejectedRow{"DiscTime", "03:25:40"},
        RejectedRow{"Colon", "25:"}, RejectedRow{"Decimals", "1.5"}, RejectedRow{"Exponent", "1e3"},
        RejectedRow{"OnlyDollar", "$"}, RejectedRow{"OnlyZeroX", "0x"}, RejectedRow{"OnlyX", "-x"},
        RejectedRow{"HexDigitInDecimal", "1F"}, RejectedRow{"BadHexDigit", "$1G"},
        RejectedRow{"SignAfterPrefix", "$-5"}, RejectedRow{"TwoPrefixes", "$0x5"},
        RejectedRow{"FullWidthDigit", "１"}, RejectedRow{"OverMax", "2147483648"},
        RejectedRow{"UnderMin", "-2147483649"}, RejectedRow{"HexOverMax", "$80000000"},
        RejectedRow{"HexAllOnes", "$FFFFFFFF"}, RejectedRow{"Huge", "99999999999999999999999"}),
    [](const auto &info) { return std::string(info.param.name); });

// A line read whole may hold a NUL byte; C's conversions would stop there.
TEST(StrToIntNul, RejectsAnEmbeddedNul)
{
    EXPECT_THROW(StrToInt(std::string("5\0", 2)), vorsa::EConvertError);
}

// --- Integer to padded text -----------------------------------------------

struct PaddedRow {
    const char *name;
    std::int32_t value;
    int digits;
    std::string expected;
};

class FormatPaddedRows : public ::testing::TestWithParam<PaddedRow>
{
};

TEST_P(FormatPaddedRows, PadsDigitsAfterTheSign)
{
    EXPECT_EQ(FormatPadded(GetParam().value, GetParam().digits), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatPaddedRows,
    ::testing::Values(PaddedRow{"Zero", 0, 2, "00"}, PaddedRow{"OneDigit", 5, 2, "05"},
                      PaddedRow{"Wider", 123, 2, "123"}, PaddedRow{"ThreeDigits", 7, 3, "007"},
                      PaddedRow{"MinusOne", -1, 2, "-01"}, PaddedRow{"MinusTwelve", -12, 3, "-012"},
                      PaddedRow{"NegativeWider", -123, 2, "-123"},
                      PaddedRow{"Min", INT32_MIN, 2, "-2147483648"},
                      PaddedRow{"MinPadded", INT32_MIN, 12, "-002147483648"},
                      PaddedRow{"Max", INT32_MAX, 11, "02147483647"},
                      // printf prints nothing here; a name always gets its digit.
                      PaddedRow{"ZeroWithoutPrecision", 0, 0, "0"},
                      PaddedRow{"NegativePrecision", -4, -1, "-4"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormatPadded, AgreesWithPrintfAroundZero)
{
    for (int digits = 1; digits <= 4; ++digits) {
        for (int value = -1200; value <= 1200; ++value) {
            char expected[32];
            std::snprintf(expected, sizeof expected, "%.*d", digits, value);
            ASSERT_EQ(FormatPadded(value, digits), expected) << value << " " << digits;
        }
    }
}

} // namespace
