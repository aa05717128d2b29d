#include "ui/piece_quote.h"

#include <QTextBoundaryFinder>

namespace mezolin {
namespace {

constexpr qsizetype ShownClusters = 40;
constexpr int MarksPerCluster = 3;

bool IsMark(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// The start of the last whole UTF-8 character at or before byte `end` of piece.
std::size_t WholeCharacters(std::string_view piece, std::size_t end) {
    if (end >= piece.size()) {
        return piece.size();
    }
    while (end > 0 && (static_cast<unsigned char>(piece[end]) & 0xC0U) == 0x80U) {
        --end;
    }
    return end;
}

// One cluster as shown: its first code point and what follows, less the marks past the first
// few.
void AppendCluster(QString& out, QStringView cluster) {
    int marks = 0;
    for (qsizetype i = 0; i < cluster.size();) {
        char32_t c = cluster[i].unicode();
        qsizetype units = 1;
        if (cluster[i].isHighSurrogate() && i + 1 < cluster.size() &&
            cluster[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(cluster[i], cluster[i + 1]);
            units = 2;
        }
        if (i == 0 || !IsMark(c) || ++marks <= MarksPerCluster) {
            if (c == U'\t' || c == U'\r' || c == U'\n') {
                out += u' ';
            } else {
                out += cluster.mid(i, units);
            }
        }
        i += units;
    }
}

} // namespace

QString QuotePiece(std::string_view piece) {
    // Decode a growing head of the piece until it holds one cluster more than is shown, or the
    // whole piece. A cluster boundary before the last decoded character cannot be moved by
    // what follows it, so the clusters found before that are final.
    for (std::size_t head = 256;; head *= 4) {
        const std::size_t take = WholeCharacters(piece, head);
        const bool whole = take == piece.size();
        const QString text = QString::fromUtf8(piece.data(), static_cast<qsizetype>(take));
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        qsizetype clusters = 0;
        qsizetype start = 0;
        QString out;
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
            if (clusters == ShownClusters) {
                return out + QChar(0x2026); // a 41st cluster: the piece goes on
            }
            if (end == text.size() && !whole) {
                break; // this cluster may go on past the decoded head
            }
            AppendCluster(out, QStringView(text).mid(start, end - start));
            ++clusters;
            start = end;
        }
        if (whole) {
            return out;
        }
    }
}

} // namespace mezolin
