// Non-throwing forms of the number conversion, shared inside the library only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mezolin::detail {

// These return false where the throwing forms throw, and otherwise store the result in out, so
// that the library's own callers can test a piece without an exception.

// LeadingNumber without the exception.
[[nodiscard]] bool ScanLeadingNumber(std::string_view piece, double& out) noexcept;

// RoundToInt16 without the exception.
[[nodiscard]] bool RoundToInt16Checked(double value, std::int16_t& out) noexcept;

constexpr bool IsDigit(int ch) noexcept {
    return ch >= '0' && ch <= '9';
}

// The powers of ten that a double holds exactly.
inline constexpr std::array<double, 23> PowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of a decimal number after its sign, read straight from the characters
// [p, end): up to 15 digits with an optional period and an optional exponent of up to three
// digits, no skipped characters, and a value that two exact doubles give in one correctly
// rounded operation. Returns true and stores the value in out; returns false, having stored
// nothing, for anything else, which the full reader then takes. Gives up at the 16th digit, so
// it reads at most a few characters past that and its counts stay small however long the piece.
// A template over the character iterator, so that a test can hand it a piece of any length.
template <typename Iterator>
[[nodiscard]] bool ReadShortDecimal(Iterator p, Iterator end, bool negative, double& out) noexcept {
    constexpr int MostDigits = 15;
    const auto skipped = [&] { return p != end && (*p == ' ' || *p == '\t' || *p == '\n'); };
    std::uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;
    for (; p != end && IsDigit(*p); ++p) {
        if (++digits > MostDigits) {
            return false;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (p != end && *p == '.') {
        for (++p; p != end && IsDigit(*p); ++p) {
            if (++digits > MostDigits) {
                return false;
            }
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
            --scale;
        }
    }
    if (digits == 0 || skipped()) {
        return false;
    }
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        int exponent = 0;
        int exponentDigits = 0;
        for (; p != end && IsDigit(*p); ++p) {
            if (++exponentDigits > 3) {
                return false;
            }
            exponent = exponent * 10 + (*p - '0');
        }
        if (exponentDigits == 0 || skipped()) {
            return false;
        }
        scale += negativeExponent ? -exponent : exponent;
    }
    if (scale < -22 || scale > 22) {
        return false;
    }
    const double power = PowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
    const double value =
        scale < 0 ? static_cast<double>(mantissa) / power : static_cast<double>(mantissa) * power;
    out = negative ? -value : value;
    return true;
}

} // namespace mezolin::detail
