#include "calc/entry.h"

#include "calc/number_internal.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace mezolin {

std::vector<std::string> SplitOnSpace(std::string_view text) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    pieces.reserve(static_cast<std::size_t>(std::ranges::count(text, ' ')) + 1);
    std::size_t start = 0;
    for (std::size_t space = text.find(' '); space != std::string_view::npos;
         space = text.find(' ', start)) {
        pieces.emplace_back(text.substr(start, space - start));
        start = space + 1;
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::expected<Matrix4x4, EntryError> ReadMatrix(std::string_view text) {
    constexpr std::size_t Count = 16;

    // The count test comes first and stops at the seventeenth piece, so a huge line with many
    // spaces costs no more than its first few pieces.
    if (text.empty()) {
        return std::unexpected(EntryError::WrongCount);
    }
    std::array<std::string_view, Count> pieces;
    std::size_t start = 0;
    for (std::size_t k = 0; k + 1 < Count; ++k) {
        const std::size_t space = text.find(' ', start);
        if (space == std::string_view::npos) {
            return std::unexpected(EntryError::WrongCount);
        }
        pieces[k] = text.substr(start, space - start);
        start = space + 1;
    }
    if (text.find(' ', start) != std::string_view::npos) {
        return std::unexpected(EntryError::WrongCount);
    }
    pieces[Count - 1] = text.substr(start);

    Matrix4x4 matrix;
    for (std::size_t k = 0; k < Count; ++k) {
        double value = 0.0;
        if (!detail::ScanLeadingNumber(pieces[k], value) ||
            !detail::RoundToInt16Checked(value, matrix.Elements[k])) {
            throw OverflowError(std::string(pieces[k]), k);
        }
    }
    return matrix;
}

} // namespace mezolin
