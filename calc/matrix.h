// The shared types of the calculation: the matrix, the report texts and the entry errors.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

namespace mezolin {

// A 4x4 matrix of signed 16-bit integers, addressed 1-based by row i and column j.
// Element (i, j) sits at Elements[(i - 1) * 4 + (j - 1)]: the order in which the input line
// lists the numbers. A default-constructed matrix is all zeros.
struct Matrix4x4 {
    static constexpr int Rows = 4;
    static constexpr int Columns = 4;

    std::array<std::int16_t, 16> Elements{};

    // Returns element (i, j); i and j must lie in 1..4 (checked only by assert). Never throws,
    // never allocates.
    [[nodiscard]] constexpr std::int16_t& operator()(int i, int j) noexcept {
        return Elements[Index(i, j)];
    }
    [[nodiscard]] constexpr std::int16_t operator()(int i, int j) const noexcept {
        return Elements[Index(i, j)];
    }

    // Returns element (i, j). Throws std::out_of_range when i or j lies outside 1..4; never
    // allocates otherwise.
    [[nodiscard]] std::int16_t& At(int i, int j);
    [[nodiscard]] std::int16_t At(int i, int j) const;

    friend constexpr bool operator==(const Matrix4x4&, const Matrix4x4&) = default;

private:
    static constexpr std::size_t Index(int i, int j) noexcept {
        assert(i >= 1 && i <= Rows && j >= 1 && j <= Columns);
        return static_cast<std::size_t>((i - 1) * Columns + (j - 1));
    }
};

// The four texts the window shows for one matrix.
struct MatrixReport {
    std::string MatrixText;     // the matrix, one row per line (see FormatMatrix)
    std::string SumText;        // sum of the positive elements
    std::string MaxText;        // maximum element
    std::string DifferenceText; // maximum minus the sum

    friend bool operator==(const MatrixReport&, const MatrixReport&) = default;
};

// Why a line produced no matrix. WrongCount is returned as a value by ReadMatrix; Overflow is
// never returned: it travels as an OverflowError exception.
enum class EntryError { WrongCount, Overflow };

// Raised when a number does not fit a signed 16-bit integer (or is too large for a double).
// Carries the error number 6 and, when raised by ReadMatrix, the failing piece's 0-based
// position in the line; the piece's text is kept whole, exactly as it stood in the line.
class OverflowError : public std::exception {
public:
    static constexpr int Number = 6;
    static constexpr std::size_t NoPosition = static_cast<std::size_t>(-1);

    // Allocates (copies the piece); may throw std::bad_alloc.
    explicit OverflowError(std::string piece, std::size_t position = NoPosition);

    // The error number, always 6. Never throws.
    [[nodiscard]] int ErrorNumber() const noexcept { return Number; }
    // Always EntryError::Overflow. Never throws.
    [[nodiscard]] EntryError Error() const noexcept { return EntryError::Overflow; }
    // The 0-based position of the piece in the line, or NoPosition when the error was raised
    // outside ReadMatrix. Never throws.
    [[nodiscard]] std::size_t PiecePosition() const noexcept { return position_; }
    // The 1-based row and column of the piece in the matrix, or 0 when the error was raised
    // outside ReadMatrix. Never throw.
    [[nodiscard]] int Row() const noexcept;
    [[nodiscard]] int Column() const noexcept;
    // The piece as it stood in the line (UTF-8). Never throws.
    [[nodiscard]] const std::string& PieceText() const noexcept { return piece_; }
    // A short English description for logs and debuggers. Never throws.
    [[nodiscard]] const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string piece_;
    std::size_t position_;
    std::string message_;
};

} // namespace mezolin
