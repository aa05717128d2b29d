// How a piece of the input line is quoted in a message box.
#pragma once

#include <QString>
#include <string_view>

namespace mezolin {

// Returns the piece (UTF-8) as it is quoted in a message: its first 40 user-perceived characters
// (grapheme clusters), with "…" after them if the piece goes on; tab, CR and LF shown as spaces;
// at most three combining marks kept on any one character, so that a run of marks cannot stack
// over the lines around the quote. Decodes only as much of the piece as it needs: a little
// more than the quoted part. Does not throw except std::bad_alloc; allocates the result.
[[nodiscard]] QString QuotePiece(std::string_view piece);

} // namespace mezolin
