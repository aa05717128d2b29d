#include "ui/piece_quote.h"

#include <QTextBoundaryFinder>
#include <utility>

namespace mezolin {
namespace {

constexpr qsizetype ShownClusters = 40;
constexpr qsizetype ShownCodePoints = 100;
constexpr int MarksPerCluster = 3;
// A cluster longer than this ends the quote: the rest of it is not shown anyway, and finding
// its end could take decoding the whole piece.
constexpr qsizetype LongestCluster = 256;

constexpr char16_t FirstStrongIsolate = 0x2068;
constexpr char16_t PopDirectionalIsolate = 0x2069;
constexpr char16_t Ellipsis = 0x2026;
constexpr char16_t Replacement = 0xFFFD;

bool IsMark(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// A character that would act on the text around the quote without being seen: one that ends a
// line, another control character, or an explicit embedding, override or isolate.
bool ActsUnseen(char32_t c) {
    switch (QChar::direction(c)) {
    case QChar::DirLRE:
    case QChar::DirRLE:
    case QChar::DirLRO:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        break;
    }
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
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

// The quote as it is built: clusters are added until one of the bounds is reached.
class Quote {
public:
    // Adds one cluster as shown: its first code point and what follows, less the marks past the
    // first few. Returns false, having added what fits, when the code points run out.
    bool AddCluster(QStringView cluster) {
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
                if (codePoints_ == ShownCodePoints) {
                    return false;
                }
                ++codePoints_;
                if (c == U'\t' || c == U'\r' || c == U'\n') {
                    text_ += u' ';
                } else if (ActsUnseen(c)) {
                    text_ += Replacement;
                } else {
                    text_ += cluster.mid(i, units);
                }
            }
            i += units;
        }
        return true;
    }

    // The quote, isolated, with "…" where the piece goes on.
    QString Finish(bool cut) && {
        if (cut) {
            text_ += Ellipsis;
        }
        text_ += PopDirectionalIsolate;
        return std::move(text_);
    }

private:
    QString text_{QChar(FirstStrongIsolate)};
    qsizetype codePoints_ = 0;
};

} // namespace

QString QuotePiece(std::string_view piece) {
    // Decode a growing head of the piece until it holds one cluster more than is shown, a
    // cluster too long to show whole, or the whole piece. A cluster boundary before the last
    // decoded character cannot be moved by what follows it, so the clusters found before that are
    // final.
    for (std::size_t head = 256;; head *= 4) {
        const std::size_t take = WholeCharacters(piece, head);
        const bool whole = take == piece.size();
        const QString text = QString::fromUtf8(piece.data(), static_cast<qsizetype>(take));
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        qsizetype clusters = 0;
        qsizetype start = 0;
        Quote quote;
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
            if (clusters == ShownClusters) {
                return std::move(quote).Finish(true); // a 41st cluster: the piece goes on
            }
            // The last decoded cluster may go on past the head; it counts once it is whole, or
            // once it alone uses up the code points.
            const bool open = end == text.size() && !whole;
            const QStringView cluster = QStringView(text).mid(start, end - start);
            if (!quote.AddCluster(cluster) || cluster.size() > LongestCluster) {
                return std::move(quote).Finish(true);
            }
            if (open) {
                break;
            }
            ++clusters;
            start = end;
        }
        if (whole) {
            return std::move(quote).Finish(false);
        }
    }
}

} // namespace mezolin
