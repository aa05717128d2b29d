// Converting one piece of the input line into a matrix element.
#pragma once

#include <cstdint>
#include <string_view>

namespace mezolin {

// Reads the longest number at the start of piece: an optional + or - sign, decimal digits with
// an optional period and an optional exponent (E or e, optional sign, digits), or a radix form
// &H<hex digits> / &O<octal digits>. Tab, line feed and space are skipped wherever they stand.
// Reading stops at the first character that cannot continue the number; a piece that holds no
// number reads as 0. Decimal numbers are correctly rounded to the nearest double, however many
// digits they have; a value too small for a double reads as (signed) zero.
// Hex with up to 4 digits is a signed 16-bit pattern, with 5 to 8 digits a signed 32-bit pattern;
// octal up to 0177777 is a signed 16-bit pattern, up to 037777777777 a signed 32-bit pattern.
// Returns the value. Throws OverflowError for a value too large for a double, or for a radix
// form wider than 32 bits. Never allocates, except for the OverflowError it throws.
[[nodiscard]] double LeadingNumber(std::string_view piece);

// Rounds value to the nearest integer, ties to even, whatever the floating-point environment.
// Returns the rounded value. Throws OverflowError when it lies outside -32768..32767 (NaN and
// infinities included). Never allocates, except for the OverflowError it throws.
[[nodiscard]] std::int16_t RoundToInt16(double value);

// Returns RoundToInt16(LeadingNumber(piece)). Throws OverflowError (carrying piece) when either
// step does. Never allocates, except for the OverflowError it throws.
[[nodiscard]] std::int16_t ConvertToken(std::string_view piece);

} // namespace mezolin
