// Reading the input line into a matrix.
#pragma once

#include "calc/matrix.h"

#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace mezolin {

// Cuts text at every U+0020 SPACE: n spaces give n + 1 pieces, runs of spaces give empty
// pieces, and an empty text gives no pieces at all. No other character separates.
// Returns the pieces as copies. Allocates; may throw std::bad_alloc.
[[nodiscard]] std::vector<std::string> SplitOnSpace(std::string_view text);

// Reads a line of sixteen numbers separated by single spaces (UTF-8) into a matrix, row by row.
// Returns EntryError::WrongCount unless the line splits into exactly 16 pieces (empty pieces
// count). Each piece is converted with ConvertToken, in order; a piece that does not fit 16 bits
// throws OverflowError carrying its position and text. Time is linear and extra memory constant
// in the length of the line: never allocates, except for the OverflowError it throws.
[[nodiscard]] std::expected<Matrix4x4, EntryError> ReadMatrix(std::string_view text);

} // namespace mezolin
