// How a piece of the input line is quoted in a message box.
#pragma once

#include <QString>
#include <string_view>

namespace mezolin {

// Returns the piece (UTF-8) as it is quoted in a message, between U+2068 FIRST STRONG ISOLATE
// and U+2069 POP DIRECTIONAL ISOLATE, so that it can change neither the direction nor the order
// of the text around it. Inside: the piece's first 40 user-perceived characters (grapheme
// clusters) and at most 100 code points, with "…" after them if the piece goes on; tab, CR and
// LF shown as spaces; every other control character, the line and paragraph separators and the
// explicit direction controls shown as U+FFFD, so that they neither break the line nor act
// unseen; at most three combining marks kept on any one character, so that a run of marks
// cannot stack over the lines around the quote; a cluster of more than 256 UTF-16 code units
// ends the quote there, with "…". Decodes only as much of the piece as it needs: a little more
// than the quoted part, at most about 64 KiB whatever the piece holds. Does not throw except
// std::bad_alloc; allocates the result.
[[nodiscard]] QString QuotePiece(std::string_view piece);

} // namespace mezolin
