#include "ui/form1.h"

#include "calc/calc.h"
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
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QShortcutEvent>
#include <QWindow>
#include <initializer_list>

namespace mezolin {
namespace {

// The keys that carry и and ы on the standard Russian layout, by their place on the keyboard,
// which no layout changes: B and S on a US keyboard. On Windows Qt gives a key's scan code; on
// X11 and Wayland its key code, which is the scan code plus 8.
#ifdef Q_OS_WIN
constexpr quint32 KeyI = 0x30;
constexpr quint32 KeyYery = 0x1F;
#else
constexpr quint32 KeyI = 0x30 + 8;
constexpr quint32 KeyYery = 0x1F + 8;
#endif

} // namespace

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
    // Every control that can take the focus: the access keys by their place on the keyboard.
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_->Command1, ui_->Command2, ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4}) {
        control->installEventFilter(this);
    }

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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // A button's access key would otherwise animate a press and click 100 ms later, when
    // Enter may already have started another action, or Esc ended the program.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous() &&
        (watched == ui_->Command1 || watched == ui_->Command2)) {
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
    // Under a layout without Cyrillic letters, Alt with the key of и or ы matches no access key
    // and reaches the focused control as a Latin letter. It clicks the button all the same, as
    // a Russian user expects. (Under a Cyrillic layout the access key has already clicked it,
    // and the key never arrives here.)
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
            QPushButton* button = key->nativeScanCode() == KeyI      ? ui_->Command1
                                  : key->nativeScanCode() == KeyYery ? ui_->Command2
                                                                     : nullptr;
            if (button != nullptr) {
                button->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
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
    ui_->Label2->setText(QString::fromStdString(report.MatrixText));
    ui_->Text2->setText(QString::fromStdString(report.SumText));
    ui_->Text3->setText(QString::fromStdString(report.MaxText));
    ui_->Text4->setText(QString::fromStdString(report.DifferenceText));
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
