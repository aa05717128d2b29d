// Feeds arbitrary lines to ReadMatrix and checks what must hold for every line:
//  - the line is refused as WrongCount exactly when it does not split into 16 pieces;
//  - an accepted line holds the same elements that ConvertToken gives piece by piece, and an
//    overflow names a piece that really overflows;
//  - the report's matrix text, turned back into one line, reads back to the same matrix and
//    the same report.
#include "calc/calc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

bool Overflows(std::string_view piece) {
    try {
        (void)mezolin::ConvertToken(piece);
        return false;
    } catch (const mezolin::OverflowError&) {
        return true;
    }
}

// "a b c d \r\n...e f g h \r\n" back to "a b c d ... e f g h".
std::string ToLine(const std::string& matrixText) {
    std::string line;
    for (std::size_t k = 0; k < matrixText.size(); ++k) {
        if (matrixText.compare(k, 3, " \r\n") == 0) {
            line += ' ';
            k += 2;
        } else {
            line += matrixText[k];
        }
    }
    if (!line.empty()) {
        line.pop_back();
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto pieces = mezolin::SplitOnSpace(line);

    std::expected<mezolin::Matrix4x4, mezolin::EntryError> matrix;
    try {
        matrix = mezolin::ReadMatrix(line);
    } catch (const mezolin::OverflowError& error) {
        Require(pieces.size() == 16, "overflow raised for a line of the wrong count");
        Require(error.PiecePosition() < 16, "overflow without a position");
        Require(error.PieceText() == pieces[error.PiecePosition()], "overflow names wrong text");
        Require(Overflows(pieces[error.PiecePosition()]), "named piece does not overflow");
        for (std::size_t k = 0; k < error.PiecePosition(); ++k) {
            Require(!Overflows(pieces[k]), "an earlier piece overflows too");
        }
        return 0;
    }

    Require(matrix.has_value() == (pieces.size() == 16), "count test disagrees with split");
    if (!matrix) {
        Require(matrix.error() == mezolin::EntryError::WrongCount, "refusal is not WrongCount");
        return 0;
    }
    for (std::size_t k = 0; k < 16; ++k) {
        Require(matrix->Elements[k] == mezolin::ConvertToken(pieces[k]), "element differs");
    }

    const mezolin::MatrixReport report = mezolin::BuildReport(*matrix);
    const auto again = mezolin::ReadMatrix(ToLine(report.MatrixText));
    Require(again.has_value() && *again == *matrix, "matrix text does not read back");
    Require(mezolin::BuildReport(*again) == report, "report differs after reading back");
    return 0;
}
