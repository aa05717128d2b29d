// The window as it comes up: its controls, texts, keyboard and icon.
#include "calc/calc.h"
#include "qt_warnings.h"
#include "send_key.h"
#include "ui/form1.h"
#include "ui/startup.h"
#include "ui/window_place.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <climits>

using mezolin::Form1;

namespace {

// Letters that look alike: Latin x, Cyrillic kha, Cyrillic yo.
const QString LatinX = QStringLiteral("x");
const QString Kha = QString(QChar(0x0445));
const QString Yo = QString(QChar(0x0451));

const QString TaskText =
    QStringLiteral(
        "Задание:   \"Найти  разность  между  макси- мальным элементом матрицы размера 4") +
    Kha + QStringLiteral("4 и  суммой  ее  положительных  элементов\".");

// The style options a control paints with (Qt keeps initStyleOption protected).
struct ButtonOption : QPushButton {
    static QStyleOptionButton Of(const QPushButton* button) {
        QStyleOptionButton option;
        (button->*(&ButtonOption::initStyleOption))(&option);
        return option;
    }
};
struct EditOption : QLineEdit {
    static QStyleOptionFrame Of(const QLineEdit* edit) {
        QStyleOptionFrame option;
        (edit->*(&EditOption::initStyleOption))(&option);
        return option;
    }
};

// The rectangle a line edit draws its text in, as QLineEdit::paintEvent computes it: the
// style's contents rectangle less the text margins and two pixels on either side.
QRect EditTextRect(const QLineEdit* edit) {
    const QStyleOptionFrame option = EditOption::Of(edit);
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);
}

// The matrix text of a line of sixteen numbers, as the window shows it.
QString MatrixTextOf(const char* line) {
    return QString::fromStdString(mezolin::BuildReport(*mezolin::ReadMatrix(line)).MatrixText);
}

// The setting the window is drawn in, for the names of table rows.
QString Setting() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return QStringLiteral("scale %1, font %2 dpi")
        .arg(screen->devicePixelRatio())
        .arg(screen->logicalDotsPerInchY());
}

} // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT

private:
    Form1* form_ = nullptr;

    // A line that calculates without a message box, for the tests that press Command1.
    void EnterValidLine() {
        Control<QLineEdit>(QStringLiteral("Text1"))
            ->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
    }

    template <typename T> T* Control(const QString& name) {
        auto* control = form_->findChild<T*>(name);
        if (!control) {
            qFatal("no control %s of the expected kind", qPrintable(name));
        }
        return control;
    }

private slots:
    // The application as the program prepares it: its font and Qt's own texts in Russian.
    void initTestCase() { mezolin::PrepareApplication(); }

    void init() {
        FailOnUnexpectedWarnings();
        form_ = new Form1;
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
    }
    void cleanup() {
        delete form_;
        form_ = nullptr;
    }

    void window() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Mezolin"));
        QCOMPARE(form_->size(), QSize(225, 137));
        QCOMPARE(form_->minimumSize(), QSize(225, 137));
        QCOMPARE(form_->maximumSize(), QSize(225, 137));
        // No maximise button, and neither maximised nor full screen takes hold.
        QVERIFY(!form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
            form_->setWindowState(state);
            QCOMPARE(form_->windowState(), Qt::WindowNoState);
        }
        QCOMPARE(form_->findChildren<QWidget*>().size(), 12);
        // The face and size the layout is drawn for, named by the face itself: an alias such
        // as "Sans Serif" would cost a font search for each script at start-up.
        QCOMPARE(form_->font().pixelSize(), 11);
        QCOMPARE(form_->font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(form_->font()).family(), QStringLiteral("Liberation Sans"));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("accessibleName");

        QTest::newRow("Text4") << "Text4"
                               << "QLineEdit" << QRect(104, 88, 121, 19)
                               << QStringLiteral("Разность")
                               << QStringLiteral("Разность между максимальным элементом "
                                                 "матрицы и суммой ее положительных элементов")
                               << QStringLiteral("Разность");
        QTest::newRow("Text3") << "Text3"
                               << "QLineEdit" << QRect(104, 64, 65, 19)
                               << QStringLiteral("Максимум")
                               << QStringLiteral("Максимальный элемент матрицы")
                               << QStringLiteral("Максимум");
        QTest::newRow("Text1") << "Text1"
                               << "QLineEdit" << QRect(0, 40, 225, 19)
                               << QStringLiteral("(Введите матрицу размером 4") + LatinX +
                                      QStringLiteral("4.)")
                               << QStringLiteral("Введите матрицу размером 4") + Kha +
                                      QStringLiteral("4")
                               << QStringLiteral("Матрица");
        QTest::newRow("Text2") << "Text2"
                               << "QLineEdit" << QRect(168, 64, 57, 19) << QStringLiteral("Сумма")
                               << QStringLiteral("Сумма положительных элементов матрицы")
                               << QStringLiteral("Сумма");
        QTest::newRow("Command1")
            << "Command1"
            << "QPushButton" << QRect(104, 112, 65, 25) << QStringLiteral("Выч&ислить")
            << QStringLiteral("Для нахождения разности между максимальным элементом матрицы "
                              "размера 4") +
                   Kha + QStringLiteral("4 и суммой е") + Yo +
                   QStringLiteral(" положительных элементов нажмите кнопку \"Вычислить\"")
            << QStringLiteral("Вычислить");
        QTest::newRow("Command2") << "Command2"
                                  << "QPushButton" << QRect(176, 112, 49, 25)
                                  << QStringLiteral("В&ыход")
                                  << QStringLiteral(
                                         "Для завершения работы программы нажмите кнопку \"Выход\"")
                                  << QStringLiteral("Выход");
        QTest::newRow("Label2") << "Label2"
                                << "QLabel" << QRect(8, 72, 81, 57) << QString()
                                << QStringLiteral("Вывод матрицы") << QString();
        QTest::newRow("Label1") << "Label1"
                                << "QLabel" << QRect(0, 0, 225, 39) << TaskText
                                << QStringLiteral("Условие")
                                << QStringLiteral("Задание: \"Найти разность между максимальным "
                                                  "элементом матрицы размера 4") +
                                       Kha +
                                       QStringLiteral("4 и суммой ее положительных элементов\".");
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QString, accessibleName);

        auto* control = Control<QWidget>(name);
        // What a screen reader reads: the name a sighted user reads, the tooltip as description.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
        QCOMPARE(accessible->text(QAccessible::Description), toolTip);
        QVERIFY(control->inherits(qPrintable(kind)));
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->toolTip(), toolTip);
        QVERIFY(control->isVisible());
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(edit->text(), text);
            QCOMPARE(edit->maxLength(), INT_MAX);
            QVERIFY(!edit->isReadOnly());
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->alignment() & (Qt::AlignLeft | Qt::AlignTop),
                     Qt::AlignLeft | Qt::AlignTop);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
    }

    void frameAroundLabel2() {
        const QRect inner = Control<QLabel>(QStringLiteral("Label2"))->geometry();
        QRect frame;
        for (const char* name : {"Line1", "Line2", "Line3", "Line4"}) {
            auto* line = Control<QFrame>(QLatin1String(name));
            QCOMPARE(line->frameShadow(), QFrame::Plain);
            QCOMPARE(line->focusPolicy(), Qt::NoFocus);
            frame |= line->geometry();
        }
        QCOMPARE(frame, QRect(QPoint(0, 64), QPoint(96, 136)));
        QVERIFY(frame.adjusted(2, 2, -2, -2).contains(inner));
    }

    void tabOrderAndInitialFocus() {
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(QStringLiteral("Command1")));
        const QStringList expected = {QStringLiteral("Command2"), QStringLiteral("Text2"),
                                      QStringLiteral("Text1"),    QStringLiteral("Text3"),
                                      QStringLiteral("Text4"),    QStringLiteral("Command1")};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void defaultButton_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("clicked");
        QTest::newRow("Text1") << "Text1"
                               << "Command1";
        QTest::newRow("Text2") << "Text2"
                               << "Command1";
        QTest::newRow("Text3") << "Text3"
                               << "Command1";
        QTest::newRow("Text4") << "Text4"
                               << "Command1";
        QTest::newRow("Command1") << "Command1"
                                  << "Command1";
        QTest::newRow("Command2") << "Command2"
                                  << "Command2";
    }

    void defaultButton() {
        QFETCH(QString, focus);
        QFETCH(QString, clicked);
        auto* command1 = Control<QPushButton>(QStringLiteral("Command1"));
        QVERIFY(command1->isDefault());
        EnterValidLine();
        QSignalSpy spy(Control<QPushButton>(clicked), &QAbstractButton::clicked);
        QSignalSpy other(Control<QPushButton>(clicked == QLatin1String("Command1")
                                                  ? QStringLiteral("Command2")
                                                  : QStringLiteral("Command1")),
                         &QAbstractButton::clicked);
        auto* target = Control<QWidget>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return spy.count() > 0; }));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(other.count(), 0);
    }

    void escapeClicksCommand2_data() {
        QTest::addColumn<QString>("focus");
        for (const char* name : {"Command1", "Command2", "Text1", "Text2", "Text3", "Text4"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void escapeClicksCommand2() {
        QFETCH(QString, focus);
        QSignalSpy spy(Control<QPushButton>(QStringLiteral("Command2")), &QAbstractButton::clicked);
        auto* target = Control<QWidget>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return spy.count() > 0; }));
        QCOMPARE(spy.count(), 1);
    }

    void accessKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<uint>("scanCode");  // 0: sent without a place on the keyboard
        QTest::addColumn<QString>("button"); // empty: none is clicked, and the letter is typed
        const Qt::KeyboardModifiers alt = Qt::AltModifier;
        const Qt::KeyboardModifiers none;
        QTest::newRow("AltI") << 0x0418 << QStringLiteral("и") << alt << 0u << "Command1";
        QTest::newRow("AltYery") << 0x042B << QStringLiteral("ы") << alt << 0u << "Command2";
        // The same keys under a Cyrillic layout, from a real keyboard: one click each.
        QTest::newRow("cyrillicAltI")
            << 0x0418 << QStringLiteral("и") << alt << uint{mezolin::KeyOfI} << "Command1";
        QTest::newRow("cyrillicAltYery")
            << 0x042B << QStringLiteral("ы") << alt << uint{mezolin::KeyOfYery} << "Command2";
        // Under a Latin layout the same keys carry B and S.
        QTest::newRow("latinAltB")
            << int{Qt::Key_B} << QStringLiteral("b") << alt << uint{mezolin::KeyOfI} << "Command1";
        QTest::newRow("latinAltS") << int{Qt::Key_S} << QStringLiteral("s") << alt
                                   << uint{mezolin::KeyOfYery} << "Command2";
        QTest::newRow("latinAltShiftB")
            << int{Qt::Key_B} << QStringLiteral("B") << (Qt::AltModifier | Qt::ShiftModifier)
            << uint{mezolin::KeyOfI} << "";
        QTest::newRow("latinB") << int{Qt::Key_B} << QStringLiteral("b") << none
                                << uint{mezolin::KeyOfI} << "";
        // Under the Ukrainian layout the key of ы carries і, a letter of its own.
        QTest::newRow("ukrainianAltI")
            << 0x0406 << QStringLiteral("і") << alt << uint{mezolin::KeyOfYery} << "";
        QTest::newRow("latinAltD")
            << int{Qt::Key_D} << QStringLiteral("d") << alt << uint{mezolin::KeyOfI + 2} << "";
    }

    void accessKeys() {
        QFETCH(int, key);
        QFETCH(QString, letter);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(uint, scanCode);
        QFETCH(QString, button);
        QSignalSpy command1(Control<QPushButton>(QStringLiteral("Command1")),
                            &QAbstractButton::clicked);
        QSignalSpy command2(Control<QPushButton>(QStringLiteral("Command2")),
                            &QAbstractButton::clicked);
        EnterValidLine();
        auto* text1 = Control<QLineEdit>(QStringLiteral("Text1"));
        text1->setFocus();
        text1->end(false);
        const QString before = text1->text();
        if (scanCode == 0) {
            SendKey(text1, static_cast<Qt::Key>(key), letter, modifiers);
        } else {
            SendPlacedKey(text1, static_cast<Qt::Key>(key), letter, modifiers, scanCode);
        }
        // Delivered at once, with no press animation to wait for.
        QCOMPARE(command1.count(), button == QLatin1String("Command1") ? 1 : 0);
        QCOMPARE(command2.count(), button == QLatin1String("Command2") ? 1 : 0);
        // A letter that clicks a button is not typed into the box; any other is, as ever.
        QCOMPARE(text1->text(), button.isEmpty() ? before + letter : before);
    }

    // Every text the window shows at start-up, and the matrix in two typical widths, whole in
    // its control, measured with the control's own font in the setting the test runs in.
    void textsFit_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text"); // for Label2; the others show their initial text
        const QString setting = Setting();
        for (const char* name :
             {"Label1", "Command1", "Command2", "Text1", "Text2", "Text3", "Text4"}) {
            QTest::addRow("%s @ %s", name, qPrintable(setting)) << name << QString();
        }
        QTest::addRow("Label2 one to sixteen @ %s", qPrintable(setting))
            << "Label2" << MatrixTextOf("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
        QTest::addRow("Label2 two-digit negatives @ %s", qPrintable(setting))
            << "Label2"
            << MatrixTextOf("-99 -98 -97 -96 -95 -94 -93 -92 -91 -90 -89 -88 -87 -86 -85 -84");
    }

    void textsFit() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* control = Control<QWidget>(name);
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            const QRect room = EditTextRect(edit);
            QVERIFY2(metrics.horizontalAdvance(edit->text()) < room.width(),
                     qPrintable(QStringLiteral("%1 px of text in %2 px")
                                    .arg(metrics.horizontalAdvance(edit->text()))
                                    .arg(room.width())));
            QVERIFY2(metrics.height() <= room.height(),
                     qPrintable(QStringLiteral("lines of %1 px in %2 px")
                                    .arg(metrics.height())
                                    .arg(room.height())));
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            const QStyleOptionButton option = ButtonOption::Of(button);
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QSize caption = metrics.size(Qt::TextShowMnemonic, button->text());
            QVERIFY2(caption.width() <= room.width() && caption.height() <= room.height(),
                     qPrintable(QStringLiteral("caption %1 x %2 px in %3 x %4 px")
                                    .arg(caption.width())
                                    .arg(caption.height())
                                    .arg(room.width())
                                    .arg(room.height())));
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            if (!text.isEmpty()) {
                // The rows; the empty line after the last CR LF shows nothing.
                label->setText(text.chopped(2));
                // One matrix row to a line.
                for (const QString& row : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                    QVERIFY2(metrics.horizontalAdvance(row.trimmed()) <=
                                 label->contentsRect().width(),
                             qPrintable(QStringLiteral("row '%1' is %2 px in %3 px")
                                            .arg(row)
                                            .arg(metrics.horizontalAdvance(row.trimmed()))
                                            .arg(label->contentsRect().width())));
                }
            }
            const int needed = label->heightForWidth(label->contentsRect().width());
            QVERIFY2(needed <= label->contentsRect().height(),
                     qPrintable(QStringLiteral("%1 px of lines in %2 px")
                                    .arg(needed)
                                    .arg(label->contentsRect().height())));
        }
    }

    // Qt's own texts in the window are Russian like the rest: the input's context menu.
    void contextMenuInRussian() {
        const std::unique_ptr<QMenu> menu(
            Control<QLineEdit>(QStringLiteral("Text1"))->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text().section(u'\t', 0, 0);
            }
        }
        // Undo, redo, cut, copy, paste, delete and select all, each named in Russian: Cyrillic
        // letters and no Latin ones. The words themselves are the translators'.
        QCOMPARE(texts.size(), 7);
        for (const QString& text : texts) {
            const bool cyrillic = std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.script() == QChar::Script_Cyrillic;
            });
            const bool latin = std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.script() == QChar::Script_Latin;
            });
            QVERIFY2(cyrillic && !latin, qPrintable(text));
        }
    }

    // Where the window opens: at its stored place if it fits on the screen there, else moved
    // just enough. The screen's free area, the client size and the frame vary by desktop.
    void placeWindow_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("expected");
        const QMargins none;
        const QMargins decorated(4, 24, 4, 4);
        QTest::newRow("fitsAtStored") << QRect(0, 0, 1024, 768) << none << QPoint(285, 245);
        QTest::newRow("fitsWithFrame") << QRect(0, 0, 1024, 768) << decorated << QPoint(285, 245);
        // 1920 x 1080 at a scale of 3: 640 x 360 in the window's own pixels.
        QTest::newRow("scale3TooLow") << QRect(0, 0, 640, 360) << none << QPoint(285, 223);
        QTest::newRow("scale3TooLowWithFrame")
            << QRect(0, 0, 640, 360) << decorated << QPoint(285, 219);
        QTest::newRow("tooFarRight") << QRect(0, 0, 400, 768) << none << QPoint(175, 245);
        QTest::newRow("panelOnTop") << QRect(0, 300, 1024, 468) << decorated << QPoint(285, 324);
        QTest::newRow("secondScreenLeft")
            << QRect(-1280, 0, 1280, 1024) << none << QPoint(-225, 245);
        QTest::newRow("screenSmallerThanWindow")
            << QRect(10, 20, 200, 100) << decorated << QPoint(14, 44);
    }

    void placeWindow() {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, expected);
        QCOMPARE(mezolin::PlaceWindow(QPoint(285, 245), QSize(225, 137), frame, available),
                 expected);
    }

    void icon() {
        const QIcon icon = form_->windowIcon();
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        for (const QSize& size : {QSize(16, 16), QSize(32, 32)}) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), size);
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    colours.insert(image.pixel(x, y));
                }
            }
            QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
            QVERIFY(colours.size() >= 4); // a picture, not a blank
        }
    }

    void closingEndsTheProgram() {
        // The application's event loop runs, the window is closed as by its close box, and
        // the loop must end on its own with status 0.
        QTimer::singleShot(0, form_, &QWidget::close);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!form_->isVisible());
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
