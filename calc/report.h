// Statistics of a matrix and the texts that show them.
#pragma once

#include "calc/matrix.h"

#include <cstdint>
#include <string>

namespace mezolin {

// Returns the matrix as four lines, row by row: each element in plain decimal followed by one
// space, each row followed by CR LF. Allocates; may throw std::bad_alloc.
[[nodiscard]] std::string FormatMatrix(const Matrix4x4& matrix);

// Returns the largest element. Never throws, never allocates.
[[nodiscard]] std::int16_t FindMaximum(const Matrix4x4& matrix) noexcept;

// Returns the sum of the elements greater than zero (0 when there are none); at most
// 16 * 32767, so it cannot overflow. Never throws, never allocates.
[[nodiscard]] std::int32_t SumPositive(const Matrix4x4& matrix) noexcept;

// Returns the four texts for the matrix: FormatMatrix, the sum of the positive elements, the
// maximum, and the maximum minus that sum, each number in plain decimal ("-" then digits for a
// negative value). Allocates; may throw std::bad_alloc.
[[nodiscard]] MatrixReport BuildReport(const Matrix4x4& matrix);

} // namespace mezolin
