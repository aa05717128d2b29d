// Differential fuzzing of the number conversion against the C library:
//  - an input that is a well-formed decimal (optional sign, digits with an optional period,
//    optional exponent) must read with LeadingNumber to the very double that glibc's strtod
//    gives, bit for bit, or raise OverflowError exactly when strtod overflows;
//  - an input of exactly eight bytes is also taken as a double, and RoundToInt16 must agree
//    with nearbyint in the default rounding mode, raising OverflowError exactly when that
//    lies outside -32768..32767 or is not a number.
#include "calc/calc.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition, const char* what, std::string_view input) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s for \"%.*s\"\n", what,
                     static_cast<int>(std::min<std::size_t>(input.size(), 200)), input.data());
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// [+-]? (digits [. digits?] | . digits) ([eE] [+-]? digits)?, and nothing else.
bool WellFormedDecimal(std::string_view s) {
    std::size_t k = 0;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        ++k;
    }
    std::size_t digits = 0;
    for (; k < s.size() && IsDigit(s[k]); ++k) {
        ++digits;
    }
    if (k < s.size() && s[k] == '.') {
        for (++k; k < s.size() && IsDigit(s[k]); ++k) {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        ++k;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
            ++k;
        }
        const std::size_t start = k;
        for (; k < s.size() && IsDigit(s[k]); ++k) {
        }
        if (k == start) {
            return false;
        }
    }
    return k == s.size();
}

std::optional<double> Leading(std::string_view s) {
    try {
        return mezolin::LeadingNumber(s);
    } catch (const mezolin::OverflowError&) {
        return std::nullopt;
    }
}

std::optional<std::int16_t> Rounded(double value) {
    try {
        return mezolin::RoundToInt16(value);
    } catch (const mezolin::OverflowError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    if (WellFormedDecimal(input)) {
        const std::string text(input); // strtod needs the terminating zero
        errno = 0;
        const double expected = std::strtod(text.c_str(), nullptr);
        const bool overflows = errno == ERANGE && std::isinf(expected);
        const std::optional<double> got = Leading(input);
        Require(got.has_value() != overflows, "overflow differs from strtod", input);
        if (got) {
            Require(std::memcmp(&*got, &expected, sizeof expected) == 0,
                    "value differs from strtod", input);
        }
    }

    if (size == sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        const std::optional<std::int16_t> got = Rounded(value);
        const double nearest = std::nearbyint(value);
        const bool fits = !std::isnan(value) && nearest >= -32768.0 && nearest <= 32767.0;
        Require(got.has_value() == fits, "range test differs from nearbyint", "<8 bytes>");
        if (got) {
            Require(*got == static_cast<std::int16_t>(nearest), "rounding differs from nearbyint",
                    "<8 bytes>");
        }
    }
    return 0;
}
