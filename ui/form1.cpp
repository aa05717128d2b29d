#include "ui/form1.h"

#include "calc/calc.h"
#include "ui/app_icon.h"
#include "ui/error_report.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QShortcut>
#include <string_view>

namespace mezolin {
namespace {

const QString InputErrorTitle = QStringLiteral("Ошибка ввода данных?");

// How a piece is quoted in a message: tab, CR and LF as spaces, at most 40 characters.
QString QuotedPiece(const std::string& piece) {
    constexpr std::size_t Shown = 40;
    // Enough bytes for one character more than is shown, however long the piece is: a UTF-8
    // character takes at most four, and a character cut here lies past the ones shown.
    const std::string_view head = std::string_view(piece).substr(0, 4 * (Shown + 1));
    QString text = QString::fromUtf8(head.data(), static_cast<qsizetype>(head.size()));
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n') {
            c = u' ';
        }
    }
    const QList<uint> characters = text.toUcs4();
    if (characters.size() > static_cast<qsizetype>(Shown)) {
        text = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                                 static_cast<qsizetype>(Shown)) +
               QChar(0x2026);
    }
    return text;
}

void ShowInputError(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Critical, InputErrorTitle, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // Give the keyboard back to the window; without a window manager nobody else would.
    owner->activateWindow();
}

} // namespace

Form1::Form1(QWidget* parent) : QDialog(parent) {
    ui_.setupUi(this);
    // A main window rather than a transient dialog: title, system menu, minimise and close.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    // Where the window first opens, if the window manager allows; its size comes from the
    // description.
    setGeometry(QRect(QPoint(285, 245), size()));

    // Esc clicks Command2 wherever the focus is. A shortcut of the window, not of the button,
    // so the button keeps its access key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ui_.Command2, &QPushButton::animateClick);

    connect(ui_.Command1, &QPushButton::clicked, this,
            [this] { RunAction(this, [this] { Calculate(); }); });
    connect(ui_.Command2, &QPushButton::clicked, this,
            [this] { RunAction(this, [this] { ExitProgram(); }); });
    connect(ui_.Text1, &InputLine::doubleClicked, this,
            [this] { RunAction(this, [this] { ClearInput(); }); });

    ui_.Command1->setFocus();
}

void Form1::Calculate() {
    std::expected<Matrix4x4, EntryError> read;
    try {
        read = ReadMatrix(ui_.Text1->text().toStdString());
    } catch (const OverflowError& error) {
        ShowOverflow(error);
        return;
    }
    if (!read) {
        ShowWrongCount();
        return;
    }
    matrix_ = *read;
    const MatrixReport report = BuildReport(matrix_);
    ui_.Label2->setText(QString::fromStdString(report.MatrixText));
    ui_.Text2->setText(QString::fromStdString(report.SumText));
    ui_.Text3->setText(QString::fromStdString(report.MaxText));
    ui_.Text4->setText(QString::fromStdString(report.DifferenceText));
}

void Form1::ExitProgram() {
    QCoreApplication::exit(0);
}

void Form1::ClearInput() {
    ui_.Text1->clear();
}

void Form1::ShowWrongCount() {
    ShowInputError(this, QStringLiteral("Ошибка при вводе данных!\r\nВведите массив правильно!"));
}

void Form1::ShowOverflow(const OverflowError& error) {
    // One arg() call for all four, so a piece holding "%3" stays as typed.
    ShowInputError(this,
                   QStringLiteral("Ошибка %1: переполнение.\r\nЧисло «%2» (строка %3, "
                                  "столбец %4) не помещается в диапазон от -32768 до 32767.")
                       .arg(QString::number(error.ErrorNumber()), QuotedPiece(error.PieceText()),
                            QString::number(error.Row()), QString::number(error.Column())));
}

} // namespace mezolin
