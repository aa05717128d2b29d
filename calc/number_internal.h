// Non-throwing forms of the number conversion, shared inside the library only.
#pragma once

#include <cstdint>
#include <string_view>

namespace mezolin::detail {

// These return false where the throwing forms throw, and otherwise store the result in out.
// (A plain bool and an out-parameter keep the hot path free of std::optional round trips
// through memory.)

// LeadingNumber without the exception.
[[nodiscard]] bool ScanLeadingNumber(std::string_view piece, double& out) noexcept;

// RoundToInt16 without the exception.
[[nodiscard]] bool RoundToInt16Checked(double value, std::int16_t& out) noexcept;

} // namespace mezolin::detail
