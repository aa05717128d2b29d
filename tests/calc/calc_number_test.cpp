// Reading one piece as a number and rounding it to 16 bits.
#include "calc/calc.h"
#include "calc/number_internal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace mezolin {
namespace {

template <typename Row> std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// --- LeadingNumber: number syntax ---------------------------------------------------------

struct NumberRow {
    std::string name;
    std::string piece;
    double value;
};

class LeadingNumberTest : public testing::TestWithParam<NumberRow> {};

TEST_P(LeadingNumberTest, ReadsTheLongestNumberAtTheStart) {
    EXPECT_EQ(LeadingNumber(GetParam().piece), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, LeadingNumberTest,
    testing::Values(
        NumberRow{"Plain", "7", 7.0}, NumberRow{"Minus", "-3", -3.0}, NumberRow{"Plus", "+4", 4.0},
        NumberRow{"LeadingZeros", "007", 7.0}, NumberRow{"Fraction", "2.5", 2.5},
        NumberRow{"NoIntegerDigits", ".5", 0.5}, NumberRow{"NoFractionDigits", "5.", 5.0},
        NumberRow{"CommaEndsNumber", "1,5", 1.0}, NumberRow{"LettersEndNumber", "12abc", 12.0},
        NumberRow{"LettersOnly", "abc", 0.0}, NumberRow{"Empty", "", 0.0},
        NumberRow{"LoneMinus", "-", 0.0}, NumberRow{"LonePeriod", ".", 0.0},
        NumberRow{"SignAndPeriod", "-.", 0.0}, NumberRow{"SecondPeriodEnds", "1.2.3", 1.2},
        NumberRow{"DoubleSignIsNoNumber", "--5", 0.0}, NumberRow{"Exponent", "1e2", 100.0},
        NumberRow{"ExponentCapital", "1E2", 100.0}, NumberRow{"FractionExponent", "1.5e1", 15.0},
        NumberRow{"NegativeExponent", "25e-1", 2.5}, NumberRow{"PlusExponent", "2e+3", 2000.0},
        NumberRow{"ExponentWithoutDigits", "3e", 3.0},
        NumberRow{"ExponentSignWithoutDigits", "3e-", 3.0},
        NumberRow{"ExponentLetterFirst", "e5", 0.0}, NumberRow{"TabInsideDigits", "1\t2", 12.0},
        NumberRow{"LineFeedInsideDigits", "1\n2", 12.0}, NumberRow{"TabAfterSign", "-\t7", -7.0},
        NumberRow{"TabInsideExponent", "1e\t2", 100.0},
        NumberRow{"CarriageReturnEnds", "1\r2", 1.0},
        NumberRow{"NoBreakSpaceEnds", "1\u00A02", 1.0},
        NumberRow{"TypographicMinusIsNoSign", "\u22125", 0.0},
        NumberRow{"EnDashIsNoSign", "\u20135", 0.0},
        NumberRow{"ArabicIndicDigitIsNoDigit", "\u0661", 0.0},
        NumberRow{"FullwidthDigitIsNoDigit", "\uFF11", 0.0}, NumberRow{"PercentEnds", "50%", 50.0},
        NumberRow{"CurrencyFirst", "$5", 0.0}, NumberRow{"InfinityIsNoNumber", "inf", 0.0},
        NumberRow{"NanIsNoNumber", "nan", 0.0}, NumberRow{"HexFloatIsNoNumber", "0x10", 0.0},
        NumberRow{"TooSmallForDoubleIsZero", "1e-400", 0.0},
        NumberRow{"ZeroWithHugeExponent", "0e5000", 0.0},
        NumberRow{"LongRunBroughtBack", "15" + std::string(400, '0') + "e-400", 15.0},
        NumberRow{"LongFractionZeros", "0." + std::string(400, '0') + "1e401", 1.0},
        NumberRow{"HugeExponentDigits", "0.5e-99999999999999999999999", 0.0},
        NumberRow{"LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        NumberRow{"SmallestSubnormal", "4.9406564584124654e-324",
                  std::numeric_limits<double>::denorm_min()},
        NumberRow{"PastTwoToTheFiftyThree", "9007199254740993", 9007199254740992.0},
        NumberRow{"HalfwayBrokenByLastDigit", "9007199254740993." + std::string(1000, '0') + "1",
                  9007199254740994.0}),
    RowName<NumberRow>);

TEST(LeadingNumberSign, MinusZeroIsNegativeZero) {
    EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
    EXPECT_FALSE(std::signbit(LeadingNumber("0")));
}

// --- LeadingNumber: radix forms -----------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Radix, LeadingNumberTest,
    testing::Values(
        NumberRow{"Hex", "&H10", 16.0}, NumberRow{"HexLowerCase", "&hff", 255.0},
        NumberRow{"HexFFFFIsMinusOne", "&HFFFF", -1.0},
        NumberRow{"Hex8000IsMinimum", "&H8000", -32768.0}, NumberRow{"Hex7FFF", "&H7fff", 32767.0},
        NumberRow{"HexFiveDigits", "&H10000", 65536.0},
        NumberRow{"HexEightDigitsNegative", "&HFFFFFFFF", -1.0},
        NumberRow{"HexEightDigitsMinimum", "&H80000000", -2147483648.0},
        NumberRow{"HexLeadingZeroWidens", "&H0FFFF", 65535.0},
        NumberRow{"HexStopsAtNonDigit", "&H1G", 1.0}, NumberRow{"HexWithoutDigits", "&H", 0.0},
        NumberRow{"HexTabInside", "&H\t1\t0", 16.0}, NumberRow{"Octal", "&O17", 15.0},
        NumberRow{"OctalLowerCase", "&o10", 8.0},
        NumberRow{"Octal177777IsMinusOne", "&O177777", -1.0},
        NumberRow{"Octal200000Widens", "&O200000", 65536.0},
        NumberRow{"OctalThirtyTwoBits", "&O37777777777", -1.0},
        NumberRow{"OctalStopsAtEight", "&O78", 7.0}, NumberRow{"AmpersandAlone", "&", 0.0},
        NumberRow{"AmpersandOtherLetter", "&X10", 0.0}, NumberRow{"SignBeforeRadix", "-&H10", 0.0}),
    RowName<NumberRow>);

struct FailingRow {
    std::string name;
    std::string piece;
};

class LeadingNumberOverflowTest : public testing::TestWithParam<FailingRow> {};

TEST_P(LeadingNumberOverflowTest, Throws) {
    try {
        (void)LeadingNumber(GetParam().piece);
        FAIL() << "no OverflowError";
    } catch (const OverflowError& error) {
        EXPECT_EQ(error.PieceText(), GetParam().piece);
        EXPECT_EQ(error.PiecePosition(), OverflowError::NoPosition);
        EXPECT_EQ(error.Row(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Overflow, LeadingNumberOverflowTest,
                         testing::Values(FailingRow{"BeyondDouble", "1e400"},
                                         FailingRow{"NegativeBeyondDouble", "-1e309"},
                                         FailingRow{"JustPastLargestDouble", "1.8e308"},
                                         FailingRow{"LongDigitRun", std::string(400, '9')},
                                         FailingRow{"HexNineDigits", "&H123456789"},
                                         FailingRow{"OctalBeyondThirtyTwoBits", "&O40000000000"}),
                         RowName<FailingRow>);

// The quick reader of short decimals on pieces longer than any count in an int: a piece that
// exists only as its length, a head and one character repeated, and that notes how far it was
// read.
struct LongPieceRow {
    std::string name;
    std::string head;
    char repeated;
    std::uint64_t length;
    std::uint64_t mostRead; // how far the reader may look before it gives up
};

class ReadShortDecimalTest : public testing::TestWithParam<LongPieceRow> {};

struct LongPiece {
    const LongPieceRow* row;
    std::uint64_t at;
    std::uint64_t* furthest;

    char operator*() const {
        *furthest = std::max(*furthest, at + 1);
        return at < row->head.size() ? row->head[at] : row->repeated;
    }
    LongPiece& operator++() {
        ++at;
        return *this;
    }
    friend bool operator!=(const LongPiece& a, const LongPiece& b) { return a.at != b.at; }
};

TEST_P(ReadShortDecimalTest, LeavesLongNumbersToTheFullReader) {
    const LongPieceRow& row = GetParam();
    std::uint64_t furthest = 0;
    double value = -1.0;
    EXPECT_FALSE(detail::ReadShortDecimal(LongPiece{&row, 0, &furthest},
                                          LongPiece{&row, row.length, &furthest}, false, value));
    EXPECT_EQ(value, -1.0);
    EXPECT_LE(furthest, row.mostRead);
}

constexpr std::uint64_t PastInt = (std::uint64_t{1} << 31) + 16;
constexpr std::uint64_t PastUnsigned = (std::uint64_t{1} << 32) + 5;

INSTANTIATE_TEST_SUITE_P(LongPieces, ReadShortDecimalTest,
                         testing::Values(LongPieceRow{"SixteenDigits", "", '1', 16, 16},
                                         LongPieceRow{"DigitsPastInt", "", '9', PastInt, 16},
                                         LongPieceRow{"DigitsPastUnsigned", "", '1', PastUnsigned,
                                                      16},
                                         LongPieceRow{"FractionPastInt", "1.", '5', PastInt, 17},
                                         LongPieceRow{"ExponentPastInt", "1e", '1', PastInt, 6}),
                         RowName<LongPieceRow>);

// Decimal reading must be correctly rounded: glibc's strtod is, so it serves as the reference
// on random decimals, short ones near 1 as well as long ones around every scale that matters.
struct RandomDecimalRow {
    std::string name;
    int maxIntegerDigits;
    int maxFractionDigits;
    int minExponent;
    int maxExponent;
};

class LeadingNumberRoundingTest : public testing::TestWithParam<RandomDecimalRow> {};

TEST_P(LeadingNumberRoundingTest, MatchesCorrectlyRoundedReference) {
    const auto& row = GetParam();
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> integerLength(1, row.maxIntegerDigits);
    std::uniform_int_distribution<int> fractionLength(0, row.maxFractionDigits);
    std::uniform_int_distribution<int> exponent(row.minExponent, row.maxExponent);
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int k = integerLength(random); k > 0; --k) {
            text += static_cast<char>('0' + digit(random));
        }
        text += '.';
        for (int k = fractionLength(random); k > 0; --k) {
            text += static_cast<char>('0' + digit(random));
        }
        text += 'e' + std::to_string(exponent(random));
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::isinf(expected)) {
            EXPECT_THROW((void)LeadingNumber(text), OverflowError) << text;
        } else {
            EXPECT_EQ(LeadingNumber(text), expected) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rounding, LeadingNumberRoundingTest,
                         testing::Values(RandomDecimalRow{"Short", 8, 8, -30, 30},
                                         RandomDecimalRow{"Long", 40, 40, -340, 320},
                                         RandomDecimalRow{"VeryLong", 400, 400, -800, 400}),
                         RowName<RandomDecimalRow>);

// --- RoundToInt16: rounding and range -----------------------------------------------------

struct RoundRow {
    std::string name;
    double value;
    std::optional<int> rounded; // nullopt: overflow
};

class RoundToInt16Test : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundToInt16Test, RoundsHalfToEvenThenChecksRange) {
    if (GetParam().rounded) {
        EXPECT_EQ(RoundToInt16(GetParam().value), *GetParam().rounded);
    } else {
        EXPECT_THROW((void)RoundToInt16(GetParam().value), OverflowError);
    }
}

constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rounding, RoundToInt16Test,
    testing::Values(RoundRow{"HalfToZero", 0.5, 0}, RoundRow{"OneAndHalfUp", 1.5, 2},
                    RoundRow{"TwoAndHalfDown", 2.5, 2}, RoundRow{"ThreeAndHalfUp", 3.5, 4},
                    RoundRow{"MinusHalf", -0.5, 0}, RoundRow{"MinusOneAndHalf", -1.5, -2},
                    RoundRow{"MinusTwoAndHalf", -2.5, -2}, RoundRow{"JustOverHalf", 0.51, 1},
                    RoundRow{"JustUnderHalf", 0.49999999999999994, 0},
                    RoundRow{"MinusJustOverHalf", -2.5000000000000004, -3},
                    RoundRow{"Maximum", 32767.0, 32767}, RoundRow{"Minimum", -32768.0, -32768},
                    RoundRow{"MaximumPlusFraction", 32767.4, 32767},
                    RoundRow{"MaximumPlusHalfOverflows", 32767.5, std::nullopt},
                    RoundRow{"MinimumMinusHalfIsEven", -32768.5, -32768},
                    RoundRow{"MinimumMinusMoreOverflows", -32768.6, std::nullopt},
                    RoundRow{"JustPastMaximum", 32768.0, std::nullopt},
                    RoundRow{"JustPastMinimum", -32769.0, std::nullopt},
                    RoundRow{"Huge", 1e300, std::nullopt}, RoundRow{"Infinity", Inf, std::nullopt},
                    RoundRow{"MinusInfinity", -Inf, std::nullopt},
                    RoundRow{"NotANumber", std::numeric_limits<double>::quiet_NaN(), std::nullopt}),
    RowName<RoundRow>);

// --- ConvertToken -------------------------------------------------------------------------

struct TokenRow {
    std::string name;
    std::string piece;
    std::optional<int> value; // nullopt: overflow
};

class ConvertTokenTest : public testing::TestWithParam<TokenRow> {};

TEST_P(ConvertTokenTest, ReadsThenRounds) {
    if (GetParam().value) {
        EXPECT_EQ(ConvertToken(GetParam().piece), *GetParam().value);
        return;
    }
    try {
        (void)ConvertToken(GetParam().piece);
        FAIL() << "no OverflowError";
    } catch (const OverflowError& error) {
        EXPECT_EQ(error.PieceText(), GetParam().piece);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, ConvertTokenTest,
    testing::Values(TokenRow{"TwoAndHalf", "2.5", 2}, TokenRow{"ThreeAndHalf", "3.5", 4},
                    TokenRow{"MinusTwoAndHalf", "-2.5", -2}, TokenRow{"PointFive", ".5", 0},
                    TokenRow{"PointFiftyOne", "0.51", 1}, TokenRow{"Comma", "1,5", 1},
                    TokenRow{"Exponent", "1.5e1", 15}, TokenRow{"Maximum", "32767", 32767},
                    TokenRow{"Minimum", "-32768", -32768},
                    TokenRow{"MaximumPlusHalfPiece", "32767.5", std::nullopt},
                    TokenRow{"MinimumMinusHalfPiece", "-32768.5", -32768},
                    TokenRow{"PastMaximum", "32768", std::nullopt},
                    TokenRow{"PastMinimum", "-32769", std::nullopt},
                    TokenRow{"HundredThousand", "1e5", std::nullopt},
                    TokenRow{"BeyondDouble", "1e400", std::nullopt},
                    TokenRow{"HexMinusOne", "&HFFFF", -1},
                    TokenRow{"HexPastSixteenBits", "&H10000", std::nullopt},
                    TokenRow{"HexThirtyTwoBitMinusOne", "&HFFFFFFFF", -1},
                    TokenRow{"TabBetweenDigits", "1\t2", 12}),
    RowName<TokenRow>);

} // namespace
} // namespace mezolin
