#include "calc/matrix.h"

#include <stdexcept>
#include <utility>

namespace mezolin {
namespace {

void CheckIndex(int i, int j) {
    if (i < 1 || i > Matrix4x4::Rows || j < 1 || j > Matrix4x4::Columns) {
        throw std::out_of_range("Matrix4x4: row and column must lie in 1..4");
    }
}

std::string Describe(const std::string& piece, std::size_t position) {
    std::string message = "overflow (error 6): the number \"" + piece.substr(0, 64) + "\"";
    if (position != OverflowError::NoPosition) {
        message += " at piece " + std::to_string(position);
    }
    return message + " does not fit a signed 16-bit integer";
}

} // namespace

std::int16_t& Matrix4x4::At(int i, int j) {
    CheckIndex(i, j);
    return (*this)(i, j);
}

std::int16_t Matrix4x4::At(int i, int j) const {
    CheckIndex(i, j);
    return (*this)(i, j);
}

OverflowError::OverflowError(std::string piece, std::size_t position)
    : piece_(std::move(piece)), position_(position), message_(Describe(piece_, position)) {}

int OverflowError::Row() const noexcept {
    return position_ == NoPosition ? 0 : static_cast<int>(position_ / Matrix4x4::Columns) + 1;
}

int OverflowError::Column() const noexcept {
    return position_ == NoPosition ? 0 : static_cast<int>(position_ % Matrix4x4::Columns) + 1;
}

} // namespace mezolin
