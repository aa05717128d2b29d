// The statistics of a matrix and the texts that show them.
#include "calc/calc.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace mezolin {
namespace {

struct ReportRow {
    std::string name;
    std::array<std::int16_t, 16> elements;
    std::string matrixText;
    std::string sum;
    std::string maximum;
    std::string difference;
};

class BuildReportTest : public testing::TestWithParam<ReportRow> {};

Matrix4x4 From(const std::array<std::int16_t, 16>& elements) {
    Matrix4x4 matrix;
    matrix.Elements = elements;
    return matrix;
}

TEST_P(BuildReportTest, GivesTheFourTexts) {
    const auto& row = GetParam();
    const MatrixReport report = BuildReport(From(row.elements));
    EXPECT_EQ(report.MatrixText, row.matrixText);
    EXPECT_EQ(report.SumText, row.sum);
    EXPECT_EQ(report.MaxText, row.maximum);
    EXPECT_EQ(report.DifferenceText, row.difference);
    EXPECT_EQ(FormatMatrix(From(row.elements)), row.matrixText);
    EXPECT_EQ(std::to_string(SumPositive(From(row.elements))), row.sum);
    EXPECT_EQ(std::to_string(FindMaximum(From(row.elements))), row.maximum);
}

std::array<std::int16_t, 16> Filled(std::int16_t value) {
    std::array<std::int16_t, 16> elements{};
    elements.fill(value);
    return elements;
}

std::string Rows(const std::string& row) {
    return row + row + row + row;
}

INSTANTIATE_TEST_SUITE_P(
    Statistics, BuildReportTest,
    testing::Values(ReportRow{"OneToSixteen",
                              {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
                              "1 2 3 4 \r\n5 6 7 8 \r\n9 10 11 12 \r\n13 14 15 16 \r\n",
                              "136",
                              "16",
                              "-120"},
                    ReportRow{"AllZero", Filled(0), Rows("0 0 0 0 \r\n"), "0", "0", "0"},
                    ReportRow{
                        "AllNegative",
                        {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12, -13, -14, -15, -16},
                        "-1 -2 -3 -4 \r\n-5 -6 -7 -8 \r\n-9 -10 -11 -12 \r\n-13 -14 -15 -16 \r\n",
                        "0",
                        "-1",
                        "-1"},
                    ReportRow{"MaximumLastOfNegatives",
                              {-9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -9, -2},
                              "-9 -9 -9 -9 \r\n-9 -9 -9 -9 \r\n-9 -9 -9 -9 \r\n-9 -9 -9 -2 \r\n",
                              "0",
                              "-2",
                              "-2"},
                    ReportRow{"OnePositiveAmongNegatives",
                              {-7, -7, -7, -7, -7, -7, -7, -7, -7, -7, 5, -7, -7, -7, -7, -7},
                              "-7 -7 -7 -7 \r\n-7 -7 -7 -7 \r\n-7 -7 5 -7 \r\n-7 -7 -7 -7 \r\n",
                              "5",
                              "5",
                              "0"},
                    ReportRow{"ZerosAreNotSummed",
                              {0, 3, 0, -3, 0, 4, 0, -4, 0, 0, 0, 0, 0, 0, 0, 0},
                              "0 3 0 -3 \r\n0 4 0 -4 \r\n0 0 0 0 \r\n0 0 0 0 \r\n",
                              "7",
                              "4",
                              "-3"},
                    ReportRow{"AllMaximumSumsPastSixteenBits", Filled(32767),
                              Rows("32767 32767 32767 32767 \r\n"), "524272", "32767", "-491505"},
                    ReportRow{"AllMinimum", Filled(-32768),
                              Rows("-32768 -32768 -32768 -32768 \r\n"), "0", "-32768", "-32768"}),
    [](const testing::TestParamInfo<ReportRow>& row) { return row.param.name; });

TEST(BuildReportFromLine, ReadThenReport) {
    const auto matrix = ReadMatrix("1 -2 3 -4 5 -6 7 -8 9 -10 11 -12 13 -14 15 2.5");
    ASSERT_TRUE(matrix.has_value());
    const MatrixReport report = BuildReport(*matrix);
    EXPECT_EQ(report, (MatrixReport{"1 -2 3 -4 \r\n5 -6 7 -8 \r\n9 -10 11 -12 \r\n13 -14 15 2 \r\n",
                                    "66", "15", "-51"}));
}

} // namespace
} // namespace mezolin
