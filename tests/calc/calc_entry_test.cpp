// Splitting the line and reading it into a matrix.
#include "calc/calc.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace mezolin {
namespace {

template <typename Row> std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

std::string Join(const std::vector<std::string>& pieces, const std::string& separator = " ") {
    std::string line;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        line += (k == 0 ? "" : separator) + pieces[k];
    }
    return line;
}

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(std::to_string(n));
    }
    return numbers;
}

// --- SplitOnSpace -------------------------------------------------------------------------

struct SplitRow {
    std::string name;
    std::string text;
    std::vector<std::string> pieces;
};

class SplitOnSpaceTest : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitOnSpaceTest, CutsAtEverySpaceOnly) {
    EXPECT_EQ(SplitOnSpace(GetParam().text), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Splitting, SplitOnSpaceTest,
    testing::Values(SplitRow{"EmptyTextHasNoPieces", "", {}},
                    SplitRow{"NoSpaceIsOnePiece", "abc", {"abc"}},
                    SplitRow{"OneSpace", "1 2", {"1", "2"}},
                    SplitRow{"LoneSpaceIsTwoEmptyPieces", " ", {"", ""}},
                    SplitRow{"DoubleSpaceGivesEmptyPiece", "1  2", {"1", "", "2"}},
                    SplitRow{"LeadingSpace", " 1", {"", "1"}},
                    SplitRow{"TrailingSpace", "1 ", {"1", ""}},
                    SplitRow{"TabDoesNotSplit", "1\t2", {"1\t2"}},
                    SplitRow{"LineBreakDoesNotSplit", "1\r\n2", {"1\r\n2"}},
                    SplitRow{"NoBreakSpaceDoesNotSplit", "1\u00A02", {"1\u00A02"}},
                    SplitRow{"IdeographicSpaceDoesNotSplit", "1\u30002", {"1\u30002"}},
                    SplitRow{"HintText",
                             "(Введите матрицу размером 4x4.)",
                             {"(Введите", "матрицу", "размером", "4x4.)"}}),
    RowName<SplitRow>);

// --- ReadMatrix: the count test -----------------------------------------------------------

struct CountRow {
    std::string name;
    std::string text;
    bool accepted;
};

class ReadMatrixCountTest : public testing::TestWithParam<CountRow> {};

TEST_P(ReadMatrixCountTest, AcceptsExactlySixteenPieces) {
    const auto matrix = ReadMatrix(GetParam().text);
    EXPECT_EQ(matrix.has_value(), GetParam().accepted);
    if (!matrix) {
        EXPECT_EQ(matrix.error(), EntryError::WrongCount);
    }
}

const std::string Sixteen = Join(Numbers(1, 16));

INSTANTIATE_TEST_SUITE_P(
    CountTest, ReadMatrixCountTest,
    testing::Values(CountRow{"SixteenNumbers", Sixteen, true}, CountRow{"Empty", "", false},
                    CountRow{"FifteenNumbers", Join(Numbers(1, 15)), false},
                    CountRow{"SeventeenNumbers", Join(Numbers(1, 17)), false},
                    CountRow{"SpaceBeforeFirst", " " + Sixteen, false},
                    CountRow{"SpaceAfterLast", Sixteen + " ", false},
                    CountRow{"DoubleSpaceInside", "1  2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", false},
                    CountRow{"FifteenAfterOneSpace", " " + Join(Numbers(1, 15)), true},
                    CountRow{"FifteenSpacesOnly", std::string(15, ' '), true},
                    CountRow{"SixteenSpaces", std::string(16, ' '), false},
                    CountRow{"HintText", "(Введите матрицу размером 4x4.)", false},
                    CountRow{"TabSeparated", Join(Numbers(1, 16), "\t"), false},
                    CountRow{"NoBreakSpaceSeparated", Join(Numbers(1, 16), "\u00A0"), false},
                    CountRow{"SixteenWords", Join(std::vector<std::string>(16, "abc")), true},
                    CountRow{"SeventeenWithHugeNumber", Join(Numbers(1, 16)) + " 40000", false}),
    RowName<CountRow>);

// --- ReadMatrix: placement ----------------------------------------------------------------

TEST(ReadMatrixPlacement, FillsRowByRow) {
    const auto matrix = ReadMatrix(Sixteen);
    ASSERT_TRUE(matrix.has_value());
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            EXPECT_EQ((*matrix)(i, j), (i - 1) * 4 + j) << "element " << i << ", " << j;
            EXPECT_EQ(matrix->At(i, j), (i - 1) * 4 + j);
        }
    }
}

TEST(ReadMatrixPlacement, EmptyFirstPieceIsZero) {
    const auto matrix = ReadMatrix(" " + Join(Numbers(2, 16)));
    ASSERT_TRUE(matrix.has_value());
    Matrix4x4 expected;
    for (int k = 1; k < 16; ++k) {
        expected.Elements[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k + 1);
    }
    EXPECT_EQ(*matrix, expected);
}

TEST(ReadMatrixPlacement, WordsGiveZeros) {
    const auto matrix = ReadMatrix(Join(std::vector<std::string>(16, "abc")));
    ASSERT_TRUE(matrix.has_value());
    EXPECT_EQ(*matrix, Matrix4x4{});
}

TEST(ReadMatrixPlacement, AtRejectsIndexOutsideOneToFour) {
    Matrix4x4 matrix;
    EXPECT_THROW((void)matrix.At(0, 1), std::out_of_range);
    EXPECT_THROW((void)matrix.At(1, 5), std::out_of_range);
    EXPECT_THROW((void)std::as_const(matrix).At(5, 4), std::out_of_range);
#ifndef NDEBUG
    // The unchecked access asserts in debug builds.
    EXPECT_DEATH((void)matrix(0, 1), "");
    EXPECT_DEATH((void)std::as_const(matrix)(4, 5), "");
#endif
}

// --- ReadMatrix: overflow -----------------------------------------------------------------

struct OverflowRow {
    std::string name;
    std::string text;
    std::size_t position;
    std::string piece;
    int row;
    int column;
};

class ReadMatrixOverflowTest : public testing::TestWithParam<OverflowRow> {};

TEST_P(ReadMatrixOverflowTest, ThrowsWithPieceAndPosition) {
    try {
        (void)ReadMatrix(GetParam().text);
        FAIL() << "no OverflowError";
    } catch (const OverflowError& error) {
        EXPECT_EQ(error.ErrorNumber(), 6);
        EXPECT_EQ(error.Error(), EntryError::Overflow);
        EXPECT_EQ(error.PiecePosition(), GetParam().position);
        EXPECT_EQ(error.PieceText(), GetParam().piece);
        EXPECT_EQ(error.Row(), GetParam().row);
        EXPECT_EQ(error.Column(), GetParam().column);
        EXPECT_NE(std::string(error.what()).find("6"), std::string::npos);
    }
}

std::string WithPiece(std::size_t position, const std::string& piece) {
    auto numbers = Numbers(1, 16);
    numbers[position] = piece;
    return Join(numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Overflow, ReadMatrixOverflowTest,
    testing::Values(OverflowRow{"FirstPiece", WithPiece(0, "40000"), 0, "40000", 1, 1},
                    OverflowRow{"LastPiece", WithPiece(15, "-32769"), 15, "-32769", 4, 4},
                    OverflowRow{"KeepsPieceAsTyped", WithPiece(6, "4\t0000x"), 6, "4\t0000x", 2, 3},
                    OverflowRow{"FirstOfTwoWins", "1 2 3 99999 5 6 7 8 9 10 11 12 13 14 15 70000",
                                3, "99999", 1, 4},
                    OverflowRow{"BeyondDouble", WithPiece(9, "1e400"), 9, "1e400", 3, 2}),
    RowName<OverflowRow>);

TEST(ReadMatrixOverflow, EachCallStartsAfresh) {
    EXPECT_THROW((void)ReadMatrix(WithPiece(3, "32768")), OverflowError);
    const auto matrix = ReadMatrix(Sixteen);
    ASSERT_TRUE(matrix.has_value());
    EXPECT_EQ((*matrix)(1, 4), 4);
}

// --- Large lines --------------------------------------------------------------------------

TEST(ReadMatrixLargeLines, ManySpacesAreWrongCount) {
    const std::string spaces(64u << 20, ' ');
    const auto matrix = ReadMatrix(spaces);
    ASSERT_FALSE(matrix.has_value());
    EXPECT_EQ(matrix.error(), EntryError::WrongCount);
}

TEST(ReadMatrixLargeLines, HugePiecesConvert) {
    // Sixteen pieces of 4 MiB: digits padded by zeros after the period, and long runs of
    // fractional digits that must still round correctly.
    std::vector<std::string> pieces;
    for (int k = 1; k <= 16; ++k) {
        pieces.push_back(std::to_string(k) + "." + std::string(4u << 20, k % 2 == 0 ? '0' : '4'));
    }
    const auto matrix = ReadMatrix(Join(pieces));
    ASSERT_TRUE(matrix.has_value());
    for (std::size_t k = 0; k < 16; ++k) {
        EXPECT_EQ(matrix->Elements[k], static_cast<std::int16_t>(k + 1));
    }
}

} // namespace
} // namespace mezolin
