#include "calc/number.h"

#include "calc/matrix.h"
#include "calc/number_internal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <system_error>

namespace mezolin {
namespace detail {
namespace {

// Walks a piece while skipping the characters that never count: space, tab and line feed.
class Cursor {
public:
    static constexpr int End = -1;

    explicit Cursor(std::string_view piece) noexcept
        : p_(piece.data()), end_(piece.data() + piece.size()) {}

    // The next character that counts (0..255), or End.
    int Peek() noexcept {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\n')) {
            ++p_;
        }
        return p_ == end_ ? End : static_cast<unsigned char>(*p_);
    }
    void Next() noexcept { ++p_; }
    // The characters not read yet, skipped ones included.
    [[nodiscard]] const char* Position() const noexcept { return p_; }
    [[nodiscard]] const char* Limit() const noexcept { return end_; }

private:
    const char* p_;
    const char* end_;
};

constexpr int HexValue(int ch) noexcept {
    if (IsDigit(ch)) {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return -1;
}

// The pattern rules of the radix forms: up to 16 bits read as a signed 16-bit value, up to
// 32 bits as a signed 32-bit value.
constexpr double As16(std::uint64_t bits) noexcept {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
}
constexpr double As32(std::uint64_t bits) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

// After "&H": hex digits. Up to four digits make a 16-bit pattern, five to eight a 32-bit one.
// Leading zeros widen the pattern but are not held against the eight-digit limit.
std::optional<double> ReadHex(Cursor& in) noexcept {
    std::uint64_t bits = 0;
    std::size_t digits = 0;
    std::size_t significant = 0;
    for (int value = HexValue(in.Peek()); value >= 0; value = HexValue(in.Peek())) {
        in.Next();
        ++digits;
        if (significant > 0 || value != 0) {
            if (++significant > 8) {
                return std::nullopt;
            }
            bits = bits * 16 + static_cast<std::uint64_t>(value);
        }
    }
    return digits <= 4 ? As16(bits) : As32(bits);
}

// After "&O": octal digits. Values up to 0177777 make a 16-bit pattern, up to 037777777777 a
// 32-bit one; anything wider overflows.
std::optional<double> ReadOctal(Cursor& in) noexcept {
    std::uint64_t bits = 0;
    for (int ch = in.Peek(); ch >= '0' && ch <= '7'; ch = in.Peek()) {
        in.Next();
        bits = bits * 8 + static_cast<std::uint64_t>(ch - '0');
        if (bits > 0xFFFF'FFFFu) {
            return std::nullopt;
        }
    }
    return bits <= 0xFFFFu ? As16(bits) : As32(bits);
}

// Significant digits kept for the exact conversion. Any double is decided by its first 768
// significant decimal digits and whether anything non-zero follows them, so the rest of a longer
// run collapses into one sticky digit.
constexpr std::size_t KeptDigits = 800;
// Written exponents are clamped here: far beyond any double, yet small enough that adding the
// digit count of any piece cannot wrap.
constexpr std::int64_t ExponentClamp = 1'000'000'000'000;

std::optional<double> ReadDecimal(Cursor& in, bool negative) noexcept {
    if (double value = 0.0; ReadShortDecimal(in.Position(), in.Limit(), negative, value)) {
        return value;
    }

    std::array<char, KeptDigits + 32> text; // digits, a sticky digit, then "e<exponent>"
    std::size_t kept = 0;
    bool sticky = false;    // a non-zero digit was dropped past KeptDigits
    bool anyDigit = false;  // the mantissa holds at least one digit
    std::int64_t scale = 0; // value = (kept digits as an integer) * 10^scale
    std::uint64_t small = 0;

    bool fraction = false;
    for (int ch = in.Peek();; ch = in.Peek()) {
        if (IsDigit(ch)) {
            anyDigit = true;
            if (kept == 0 && ch == '0') {
                scale -= fraction ? 1 : 0;
            } else if (kept < KeptDigits) {
                if (kept < 19) {
                    small = small * 10 + static_cast<std::uint64_t>(ch - '0');
                }
                text[kept++] = static_cast<char>(ch);
                scale -= fraction ? 1 : 0;
            } else {
                scale += fraction ? 0 : 1;
                sticky = sticky || ch != '0';
            }
        } else if (ch == '.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
        in.Next();
    }
    if (!anyDigit) {
        return 0.0; // a lone sign or period is no number
    }

    if (int ch = in.Peek(); ch == 'e' || ch == 'E') {
        in.Next();
        bool expNegative = false;
        if (ch = in.Peek(); ch == '+' || ch == '-') {
            expNegative = ch == '-';
            in.Next();
        }
        std::int64_t exponent = 0;
        for (ch = in.Peek(); IsDigit(ch); ch = in.Peek()) {
            in.Next();
            exponent = std::min(exponent * 10 + (ch - '0'), ExponentClamp);
        }
        // An exponent letter without digits adds nothing.
        scale += expNegative ? -exponent : exponent;
    }

    const double zero = negative ? -0.0 : 0.0;
    if (kept == 0) {
        return zero;
    }

    if (!sticky && kept <= 15 && scale >= -22 && scale <= 22) {
        // Both operands are exact doubles, so one rounding gives the correctly rounded value.
        const double mantissa = static_cast<double>(small);
        const auto power = PowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
        const double value = scale < 0 ? mantissa / power : mantissa * power;
        return negative ? -value : value;
    }

    // The value lies in [10^(magnitude - 1), 10^magnitude).
    const std::int64_t magnitude = static_cast<std::int64_t>(kept) + scale;
    if (magnitude > 310) {
        return std::nullopt;
    }
    if (magnitude < -330) {
        return zero;
    }
    if (sticky) {
        text[kept++] = '1';
        --scale;
    }
    char* const end = text.data() + text.size();
    char* last = text.data() + kept;
    *last++ = 'e';
    last = std::to_chars(last, end, scale).ptr;

    double value = 0.0;
    const auto [ptr, error] =
        std::from_chars(text.data(), last, value, std::chars_format::scientific);
    if (error == std::errc::result_out_of_range) {
        // from_chars reports underflow and overflow alike; the magnitude tells them apart.
        if (magnitude > 0) {
            return std::nullopt;
        }
        return zero;
    }
    return negative ? -value : value;
}

std::optional<double> ReadLeading(std::string_view piece) noexcept {
    Cursor in(piece);
    int ch = in.Peek();
    if (ch == '&') {
        in.Next();
        ch = in.Peek();
        if (ch == 'H' || ch == 'h') {
            in.Next();
            return ReadHex(in);
        }
        if (ch == 'O' || ch == 'o') {
            in.Next();
            return ReadOctal(in);
        }
        return 0.0;
    }
    bool negative = false;
    if (ch == '+' || ch == '-') {
        negative = ch == '-';
        in.Next();
    }
    return ReadDecimal(in, negative);
}

} // namespace

bool ScanLeadingNumber(std::string_view piece, double& out) noexcept {
    const std::optional<double> value = ReadLeading(piece);
    out = value.value_or(0.0);
    return value.has_value();
}

bool RoundToInt16Checked(double value, std::int16_t& out) noexcept {
    // Also rejects NaN, for which every comparison is false.
    if (!(value >= -32768.5 && value <= 32767.5)) {
        return false;
    }
    // Floor by integer truncation: exact in this range, and free of the rounding mode.
    auto whole = static_cast<std::int32_t>(value);
    if (static_cast<double>(whole) > value) {
        --whole;
    }
    // value - whole lies in [0, 1); where it cannot be held exactly (value just above -0.5)
    // it rounds to at least 0.5, which still gives 0 below.
    const double rest = value - static_cast<double>(whole);
    if (rest > 0.5 || (rest == 0.5 && (whole & 1) != 0)) {
        ++whole;
    }
    if (whole < -32768 || whole > 32767) {
        return false;
    }
    out = static_cast<std::int16_t>(whole);
    return true;
}

} // namespace detail

double LeadingNumber(std::string_view piece) {
    double value = 0.0;
    if (!detail::ScanLeadingNumber(piece, value)) {
        throw OverflowError(std::string(piece));
    }
    return value;
}

std::int16_t RoundToInt16(double value) {
    std::int16_t rounded = 0;
    if (!detail::RoundToInt16Checked(value, rounded)) {
        std::array<char, 32> text{};
        const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
        throw OverflowError(std::string(text.data(), end));
    }
    return rounded;
}

std::int16_t ConvertToken(std::string_view piece) {
    double value = 0.0;
    std::int16_t rounded = 0;
    if (!detail::ScanLeadingNumber(piece, value) || !detail::RoundToInt16Checked(value, rounded)) {
        throw OverflowError(std::string(piece));
    }
    return rounded;
}

} // namespace mezolin
