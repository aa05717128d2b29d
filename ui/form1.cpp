#include "ui/form1.h"

#include "calc/calc.h"
#include "ui/access_keys.h"
#include "ui/announce.h"
#include "ui/app_icon.h"
#include "ui/error_report.h"
#include "ui/message_box.h"
#include "ui/piece_quote.h"
#include "ui/window_font.h"
#include "ui/window_place.h"
#include "ui_form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

namespace mezolin {

Form1::Form1(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::Form1>()) {
    // Before the controls exist, so that each is built in the font it will show.
    setFont(WindowFont());
    ui_->setupUi(this);
    // A main window rather than a transient dialog: title, system menu, minimise and close.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    // Where the window first opens, if the window manager allows: the stored place of the client
    // area, or as near it as keeps the window wholly on the screen. Its size comes from the
    // description. The native window is made here, as showing it would, so that its frame is
    // known where the platform knows it before the window is shown (Windows). Where it does
    // not (X11, before a window manager has framed the window), room is kept for a frame as
    // large as any usual one, above or below: a window manager may put either the client area
    // or the frame's corner at the place asked for.
    const QPoint stored(285, 245);
    const QScreen* screen = QGuiApplication::screenAt(stored);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    winId();
    QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull()) {
        frame = QMargins(8, 32, 8, 32);
    }
    setGeometry(QRect(PlaceWindow(stored, size(), frame, screen->availableGeometry()), size()));

    // Esc clicks Command2 wherever the focus is, at once. A shortcut of the window, not of the
    // button, so the button keeps its access key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ui_->Command2, &QPushButton::click);
    // Every control that can take the focus: the access keys at once, and by their place on the
    // keyboard.
    new AccessKeys({{KeyOfI, ui_->Command1}, {KeyOfYery, ui_->Command2}},
                   {ui_->Command1, ui_->Command2, ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4},
                   this);

    connect(ui_->Command1, &QPushButton::clicked, this, [this] { Run(&Form1::Calculate); });
    connect(ui_->Command2, &QPushButton::clicked, this, [this] { Run(&Form1::ExitProgram); });
    connect(ui_->Text1, &InputLine::doubleClicked, this, [this] { Run(&Form1::ClearInput); });

    ui_->Command1->setFocus();
}

Form1::~Form1() = default;

void Form1::closeEvent(QCloseEvent* event) {
    // Closing while an action runs cannot happen: its message box is modal.
    ending_ = true;
    QDialog::closeEvent(event);
}

void Form1::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    constexpr Qt::WindowStates larger = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & larger) != 0) {
        setWindowState(windowState() & ~larger);
    }
}

void Form1::Run(void (Form1::*action)()) {
    // A message box runs an event loop of its own, so a key or click may arrive while an action
    // is still running; it is dropped, as it would be on a blocked window.
    if (busy_ || ending_) {
        return;
    }
    busy_ = true;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    const bool finished = RunAction(this, [this, action] { (this->*action)(); });
    if (!finished) {
        ending_ = true;
        hide();
    }
}

void Form1::Calculate() {
    std::expected<Matrix4x4, EntryError> read;
    try {
        read = ReadMatrix(ui_->Text1->text().toStdString());
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
    const QString matrix = QString::fromStdString(report.MatrixText);
    ui_->Label2->setText(matrix);
    // A screen reader reads the rows as lines, without the line ends and spaces drawn on screen.
    QStringList rows = matrix.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (QString& row : rows) {
        row = row.trimmed();
    }
    ui_->Label2->setAccessibleName(rows.join(u'\n'));
    ui_->Text2->setText(QString::fromStdString(report.SumText));
    ui_->Text3->setText(QString::fromStdString(report.MaxText));
    ui_->Text4->setText(QString::fromStdString(report.DifferenceText));
    // Spoken at once, wherever the focus is, from what the boxes now show under their names.
    Announce(this, QStringLiteral("Сумма %1, максимум %2, разность %3")
                       .arg(ui_->Text2->text(), ui_->Text3->text(), ui_->Text4->text()));
}

void Form1::ClearInput() {
    ui_->Text1->clear();
}

void Form1::ExitProgram() {
    // Events already queued still reach the window before the event loop ends; ending_ makes
    // them act on nothing.
    ending_ = true;
    hide();
    QCoreApplication::exit(0);
}

void Form1::ShowInputError(const QString& text) {
    ShowCriticalBox(this, QStringLiteral("Ошибка ввода данных?"), text);
    // Give the keyboard back to the window; without a window manager nobody else would.
    activateWindow();
}

void Form1::ShowWrongCount() {
    ShowInputError(QStringLiteral("Ошибка при вводе данных!\r\nВведите массив правильно!"));
}

void Form1::ShowOverflow(const OverflowError& error) {
    // One arg() call for all four, so a piece holding "%3" stays as typed.
    ShowInputError(QStringLiteral("Ошибка %1: переполнение.\r\nЧисло «%2» (строка %3, "
                                  "столбец %4) не помещается в диапазон от -32768 до 32767.")
                       .arg(QString::number(error.ErrorNumber()), QuotePiece(error.PieceText()),
                            QString::number(error.Row()), QString::number(error.Column())));
}

} // namespace mezolin
