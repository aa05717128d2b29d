#include "calc/report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>

namespace mezolin {
namespace {

// Plain decimal: "-" and the digits for a negative value, else the digits.
std::string DecimalText(std::int32_t value) {
    std::array<char, 12> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return std::string(digits.data(), end);
}

} // namespace

std::string FormatMatrix(const Matrix4x4& matrix) {
    // "-32768 " is the widest element; each row adds CR LF.
    std::array<char, Matrix4x4::Rows*(Matrix4x4::Columns * 7 + 2)> text{};
    char* out = text.data();
    char* const end = text.data() + text.size();
    for (int i = 1; i <= Matrix4x4::Rows; ++i) {
        for (int j = 1; j <= Matrix4x4::Columns; ++j) {
            out = std::to_chars(out, end, matrix(i, j)).ptr;
            *out++ = ' ';
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    return std::string(text.data(), out);
}

std::int16_t FindMaximum(const Matrix4x4& matrix) noexcept {
    return std::ranges::max(matrix.Elements);
}

std::int32_t SumPositive(const Matrix4x4& matrix) noexcept {
    return std::accumulate(
        matrix.Elements.begin(), matrix.Elements.end(), std::int32_t{0},
        [](std::int32_t sum, std::int16_t element) { return element > 0 ? sum + element : sum; });
}

MatrixReport BuildReport(const Matrix4x4& matrix) {
    const std::int32_t maximum = FindMaximum(matrix);
    const std::int32_t sum = SumPositive(matrix);
    return MatrixReport{
        .MatrixText = FormatMatrix(matrix),
        .SumText = DecimalText(sum),
        .MaxText = DecimalText(maximum),
        .DifferenceText = DecimalText(maximum - sum),
    };
}

} // namespace mezolin
