// The window's actions as a user sees them: calculate, the message boxes, exit and clear.
#include "qt_warnings.h"
#include "send_key.h"
#include "ui/error_report.h"
#include "ui/form1.h"
#include "ui/startup.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <new>
#include <stdexcept>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleAnnouncementEvent>
#endif

using mezolin::Form1;

namespace {

// What the window asked assistive technology to speak, as an accessibility update handler sees
// it; an announcement that would interrupt is marked so.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
QStringList announced;
void KeepAnnouncement(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Announcement) {
        auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
        const bool polite =
            announcement->politeness() == QAccessible::AnnouncementPoliteness::Polite;
        announced << (polite ? QString() : QStringLiteral("assertive: ")) + announcement->message();
    }
}
#endif

const QString InputErrorTitle = QStringLiteral("Ошибка ввода данных?");
const QString WrongCountText =
    QStringLiteral("Ошибка при вводе данных!\r\nВведите массив правильно!");

// What a modal message box showed before the test closed it.
struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
};

// Closes every modal message box that comes up, as a user pressing its button would, after it
// has stood open for holdMs, and keeps what the last one showed and how many stood open at once.
class BoxCloser : public QObject {
public:
    SeenBox last;
    int count = 0;
    int mostOpen = 0;

    explicit BoxCloser(int holdMs = 0) {
        connect(&timer_, &QTimer::timeout, this, [this, holdMs] {
            int open = 0;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                open += qobject_cast<QMessageBox*>(widget) && widget->isVisible() ? 1 : 0;
            }
            mostOpen = std::max(mostOpen, open);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                return;
            }
            if (box != shown_) {
                shown_ = box;
                since_.start();
            }
            if (since_.elapsed() < holdMs) {
                return;
            }
            ++count;
            last = {true, box->windowTitle(), box->text(), box->icon(), box->textFormat(), {}};
            for (QAbstractButton* button : box->buttons()) {
                last.buttons << button->text().remove(u'&');
            }
            box->buttons().constFirst()->click();
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
    QMessageBox* shown_ = nullptr;
    QElapsedTimer since_;
};

// Runs the application's event loop until something ends it; 99 if nothing does within 5 s.
int RunEventLoop(const std::function<void()>& start) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QTimer::singleShot(0, qApp, start);
    return QApplication::exec();
}

// Whether each line of a box's text is laid out as one line, and the text around a quote keeps
// its order: every place in the line outside the quote lies right of the one before it.
bool ReadsInOrder(const QString& text, const QFont& font) {
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine one = layout.createLine();
        one.setLineWidth(100000);
        layout.endLayout();
        if (one.textLength() != line.size()) {
            return false;
        }
        const auto open = static_cast<int>(line.indexOf(QChar(0x2068)));
        const auto close = static_cast<int>(line.lastIndexOf(QChar(0x2069)));
        qreal previous = -1;
        for (int i = 0; i <= line.size(); ++i) {
            if (open >= 0 && i > open && i <= close) {
                continue; // inside the quote: the quoted text's own order
            }
            const qreal x = one.cursorToX(i);
            if (x <= previous) {
                return false;
            }
            previous = x;
        }
    }
    return true;
}

struct Outputs {
    QString matrix, sum, maximum, difference;
    friend bool operator==(const Outputs&, const Outputs&) = default;
};

} // namespace

namespace QTest {
template <> char* toString(const Outputs& o) {
    return qstrdup(
        qPrintable(QStringLiteral("[%1] sum %2, max %3, diff %4")
                       .arg(QString(o.matrix).replace(QStringLiteral("\r\n"), QStringLiteral("|")),
                            o.sum, o.maximum, o.difference)));
}
} // namespace QTest

class Form1ActionsTest : public QObject {
    Q_OBJECT

private:
    Form1* form_ = nullptr;
    QLineEdit* text1_ = nullptr;

    QPushButton* Button(const char* name) {
        return form_->findChild<QPushButton*>(QLatin1String(name));
    }
    QLineEdit* Edit(const char* name) { return form_->findChild<QLineEdit*>(QLatin1String(name)); }

    Outputs Shown() {
        return {form_->findChild<QLabel*>(QStringLiteral("Label2"))->text(), Edit("Text2")->text(),
                Edit("Text3")->text(), Edit("Text4")->text()};
    }

    // Presses the keys or clicks named in keys, one after another, on target.
    void Press(QWidget* target, const QString& keys) {
        for (const QString& key : keys.split(u' ')) {
            if (key == QLatin1String("escape")) {
                QTest::keyClick(target, Qt::Key_Escape);
            } else if (key == QLatin1String("enter")) {
                QTest::keyClick(target, Qt::Key_Return);
            } else if (key == QLatin1String("altI")) {
                SendKey(target, static_cast<Qt::Key>(0x0418), QStringLiteral("и"), Qt::AltModifier);
            } else if (key == QLatin1String("altYery")) {
                SendKey(target, static_cast<Qt::Key>(0x042B), QStringLiteral("ы"), Qt::AltModifier);
            } else if (key == QLatin1String("close")) {
                form_->close();
            } else {
                QTest::mouseClick(Button(qPrintable(key)), Qt::LeftButton);
            }
        }
    }

    void Calculate(const QString& line) {
        text1_->setText(line);
        Button("Command1")->click();
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
        text1_ = Edit("Text1");
    }
    void cleanup() {
        QAccessible::installUpdateHandler(nullptr);
        delete form_;
        form_ = nullptr;
    }

    // --- Calculate ---------------------------------------------------------------------

    void calculate_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("matrix");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("difference");

        const QString oneToSixteen = QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
        const QString oneToSixteenRows =
            QStringLiteral("1 2 3 4 \r\n5 6 7 8 \r\n9 10 11 12 \r\n13 14 15 16 \r\n");
        for (const char* trigger : {"Command1", "enter", "altI"}) {
            QTest::addRow("%s-OneToSixteen", trigger)
                << trigger << oneToSixteen << oneToSixteenRows << "136"
                << "16"
                << "-120";
        }
        QTest::newRow("click-AllNegative")
            << "Command1"
            << "-1 -2 -3 -4 -5 -6 -7 -8 -9 -10 -11 -12 -13 -14 -15 -16"
            << "-1 -2 -3 -4 \r\n-5 -6 -7 -8 \r\n-9 -10 -11 -12 \r\n-13 -14 -15 -16 \r\n"
            << "0"
            << "-1"
            << "-1";
        const QString maxRow = QStringLiteral("32767 32767 32767 32767 \r\n");
        QTest::newRow("click-AllMaximum")
            << "Command1" << QStringLiteral("32767 ").repeated(15) + QStringLiteral("32767")
            << maxRow.repeated(4) << "524272"
            << "32767"
            << "-491505";
        QTest::newRow("enter-Syntax")
            << "enter"
            << "2.5 3.5 -2.5 .5 0.51 1,5 12abc abc  - 1e2 1.5e1 &H10 &HFFFF &H8000 7"
            << "2 4 -2 0 \r\n1 1 12 0 \r\n0 0 100 15 \r\n16 -1 -32768 7 \r\n"
            << "158"
            << "100"
            << "-58";
    }

    void calculate() {
        QFETCH(QString, trigger);
        QFETCH(QString, line);
        QFETCH(QString, matrix);
        QFETCH(QString, sum);
        QFETCH(QString, maximum);
        QFETCH(QString, difference);
        BoxCloser boxes;

        text1_->setText(line);
        text1_->setFocus();
        Press(text1_, trigger);
        const Outputs expected{matrix, sum, maximum, difference};
        (void)QTest::qWaitFor([&] { return Shown() == expected; });
        QCOMPARE(Shown(), expected);
        QCOMPARE(text1_->text(), line);
        QVERIFY(!boxes.last.seen);
    }

    void calculateStoresTheMatrix() {
        Calculate(QStringLiteral("16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1"));
        QCOMPARE(form_->Matrix()(1, 1), 16);
        QCOMPARE(form_->Matrix()(2, 3), 10);
        QCOMPARE(form_->Matrix()(4, 4), 1);
        // A screen reader reads the rows as lines.
        QCOMPARE(form_->findChild<QLabel*>(QStringLiteral("Label2"))->accessibleName(),
                 QStringLiteral("16 15 14 13\n12 11 10 9\n8 7 6 5\n4 3 2 1"));
    }

    void typedOutputsAreOverwritten() {
        for (const char* name : {"Text2", "Text3", "Text4"}) {
            QTest::keyClicks(Edit(name), QStringLiteral("abc"));
        }
        Calculate(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
        QCOMPARE(Shown().sum, QStringLiteral("136"));
        QCOMPARE(Shown().maximum, QStringLiteral("16"));
        QCOMPARE(Shown().difference, QStringLiteral("-120"));
    }

    void longPastedLineIsKeptWhole() {
        // Sixteen numbers with long runs of leading zeros: 100,000 characters in all.
        QStringList pieces;
        for (int k = 1; k <= 16; ++k) {
            pieces << QString::number(k).rightJustified(k == 1 ? 6250 : 6249, u'0');
        }
        const QString line = pieces.join(u' ');
        QCOMPARE(line.size(), 100000);
        QApplication::clipboard()->setText(line);
        text1_->clear();
        text1_->setFocus();
        QTest::keySequence(text1_, QKeySequence::Paste);
        QCOMPARE(text1_->text(), line);
        QTest::keyClick(text1_, Qt::Key_Return);
        (void)QTest::qWaitFor([&] { return Shown().sum == QStringLiteral("136"); });
        QCOMPARE(Shown().sum, QStringLiteral("136"));
    }

    void undoKeepsOrdinaryEditsOnly_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("edits"); // pastes of the line and deletions of all
        QTest::addColumn<bool>("undoable");
        QTest::newRow("ordinary") << 100 << "paste delete" << true;
        QTest::newRow("belowLimit") << 30000 << "paste delete" << true;
        QTest::newRow("pastLimit") << 40000 << "paste delete" << false;
        QTest::newRow("pastLimitTextKept") << 70000 << "paste" << false;
        // Emptying the line does not empty the history: the edits add up.
        QTest::newRow("pastLimitOverEmptyLine") << 30000 << "paste delete paste" << false;
    }

    void undoKeepsOrdinaryEditsOnly() {
        QFETCH(int, length);
        QFETCH(QString, edits);
        QFETCH(bool, undoable);
        text1_->setText(QString());
        const QString line = QStringLiteral("7").repeated(length);
        QApplication::clipboard()->setText(line);
        text1_->setFocus();
        for (const QString& edit : edits.split(u' ')) {
            if (edit == QLatin1String("paste")) {
                QTest::keySequence(text1_, QKeySequence::Paste);
            } else {
                QTest::keySequence(text1_, QKeySequence::SelectAll);
                QTest::keyClick(text1_, Qt::Key_Delete);
            }
            QCoreApplication::processEvents();
        }
        const bool deleted = edits.endsWith(QLatin1String("delete"));
        QCOMPARE(text1_->isUndoAvailable(), undoable);
        QCOMPARE(text1_->text(), deleted ? QString() : line);
        QCOMPARE(text1_->cursorPosition(), text1_->text().size());
        if (undoable) {
            text1_->undo();
            QCOMPARE(text1_->text(), line);
        }
    }

    // --- The input error boxes: wrong count and overflow --------------------------------

    void inputErrorBox_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");

        for (const auto& [name, line] : std::initializer_list<std::pair<const char*, QString>>{
                 {"count-hint", QStringLiteral("(Введите матрицу размером 4x4.)")},
                 {"count-empty", QString()},
                 {"count-fifteen", QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15")},
                 {"count-trailingSpace", QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ")},
                 {"count-seventeenWithOverflow",
                  QStringLiteral("40000 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17")},
                 {"count-tabs",
                  QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16")}}) {
            QTest::newRow(name) << line << WrongCountText;
        }

        const QString head = QStringLiteral("Ошибка 6: переполнение.\r\nЧисло «\u2068");
        const QString tail = QStringLiteral(") не помещается в диапазон от -32768 до 32767.");
        const QString rest = QStringLiteral(" 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
        const QString nines = QStringLiteral("9").repeated(39);
        QTest::newRow("overflow-first")
            << QStringLiteral("40000") + rest
            << head + QStringLiteral("40000\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-row3col2")
            << QStringLiteral("1 2 3 4 5 6 7 8 9 -1e5 11 12 13 14 15 16")
            << head + QStringLiteral("-1e5\u2069» (строка 3, столбец 2") + tail;
        QTest::newRow("overflow-controlsAsSpaces")
            << QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 4\t0\n000\r5")
            << head + QStringLiteral("4 0 000 5\u2069» (строка 4, столбец 4") + tail;
        QTest::newRow("overflow-percentSignsKept")
            << QStringLiteral("1 2 3 4 5 6 7 99999%3%1 9 10 11 12 13 14 15 16")
            << head + QStringLiteral("99999%3%1\u2069» (строка 2, столбец 4") + tail;
        QTest::newRow("overflow-longCut")
            << nines + QStringLiteral("ЖЖ") + rest
            << head + nines + QStringLiteral("Ж…\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-longCyrillicCut")
            << QStringLiteral("99999") + QStringLiteral("Ж").repeated(100) + rest
            << head + QStringLiteral("99999") + QStringLiteral("Ж").repeated(35) +
                   QStringLiteral("…\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-hugePieceCut")
            << QStringLiteral("9").repeated(100000) + rest
            << head + nines + QStringLiteral("9…\u2069» (строка 1, столбец 1") + tail;
        // Forty user-perceived characters, each with no more than three marks on it.
        const QString acute = QString(QChar(0x0301));
        QTest::newRow("overflow-marksTrimmed")
            << QStringLiteral("40000") + acute.repeated(100) + rest
            << head + QStringLiteral("40000") + acute.repeated(3) +
                   QStringLiteral("\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-longMarkRunCut")
            << QStringLiteral("40000") + acute.repeated(1'000'000) + rest
            << head + QStringLiteral("40000") + acute.repeated(3) +
                   QStringLiteral("…\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-clustersCounted")
            << nines + QStringLiteral("e") + acute + QStringLiteral("Ж") + rest
            << head + nines + QStringLiteral("e") + acute +
                   QStringLiteral("…\u2069» (строка 1, столбец 1") + tail;
        QTest::newRow("overflow-fortyNotCut")
            << nines + QStringLiteral("9") + rest
            << head + nines + QStringLiteral("9\u2069» (строка 1, столбец 1") + tail;
        // The quote can change neither the direction nor the lines of the text around it: it
        // is isolated, and what would act unseen is shown.
        for (const auto& [name, piece, shown] :
             std::initializer_list<std::tuple<const char*, QString, QString>>{
                 {"rightToLeftOverride", QStringLiteral("40000\u202E5678"),
                  QStringLiteral("40000\uFFFD5678")},
                 {"rightToLeftEmbedding", QStringLiteral("99999\u202Babc"),
                  QStringLiteral("99999\uFFFDabc")},
                 {"rightToLeftIsolate", QStringLiteral("99999\u2067abc"),
                  QStringLiteral("99999\uFFFDabc")},
                 {"strayPopIsolate", QStringLiteral("99999\u2069\u202Eabc"),
                  QStringLiteral("99999\uFFFD\uFFFDabc")},
                 {"hebrewStaysInside", QStringLiteral("99999\u05E9\u05DC\u05D5\u05DD"),
                  QStringLiteral("99999\u05E9\u05DC\u05D5\u05DD")},
                 {"lineSeparator", QStringLiteral("99999\u2028x"), QStringLiteral("99999\uFFFDx")},
                 {"paragraphSeparator", QStringLiteral("99999\u2029x"),
                  QStringLiteral("99999\uFFFDx")},
                 {"otherControls", QStringLiteral("99999\u0007\u000B\u000C\u0085x"),
                  QStringLiteral("99999\uFFFD\uFFFD\uFFFD\uFFFDx")},
                 // One cluster of any length: the quote ends after 100 code points.
                 {"jamoClusterBounded",
                  QStringLiteral("99999") + QStringLiteral("\u1100").repeated(300) +
                      QStringLiteral("\u1161"),
                  QStringLiteral("99999") + QStringLiteral("\u1100").repeated(95) +
                      QStringLiteral("\u2026")},
                 {"joinedEmojiBounded",
                  QStringLiteral("99999") + QStringLiteral("\U0001F468\u200D").repeated(200) +
                      QStringLiteral("\U0001F468"),
                  QStringLiteral("99999") + QStringLiteral("\U0001F468\u200D").repeated(47) +
                      QStringLiteral("\U0001F468\u2026")}}) {
            QTest::addRow("overflow-%s", name)
                << piece + rest
                << head + shown + QStringLiteral("\u2069» (строка 1, столбец 1") + tail;
        }
    }

    void inputErrorBox() {
        QFETCH(QString, line);
        QFETCH(QString, text);
        Calculate(QStringLiteral("-1 -2 -3 -4 -5 -6 -7 -8 -9 -10 -11 -12 -13 -14 -15 -16"));
        const Outputs before = Shown();
        const mezolin::Matrix4x4 matrixBefore = form_->Matrix();

        BoxCloser boxes;
        Calculate(line);
        QCOMPARE(boxes.count, 1);
        QCOMPARE(boxes.last.title, InputErrorTitle);
        QCOMPARE(boxes.last.text, text);
        QCOMPARE(boxes.last.icon, QMessageBox::Critical);
        QCOMPARE(boxes.last.format, Qt::PlainText);
        QCOMPARE(boxes.last.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(ReadsInOrder(boxes.last.text, form_->font()));
        // Nothing changed, and the program goes on: the next good line is calculated.
        QCOMPARE(Shown(), before);
        QCOMPARE(text1_->text(), line);
        QVERIFY(form_->Matrix() == matrixBefore);
        Calculate(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
        QCOMPARE(Shown().sum, QStringLiteral("136"));
    }

    // --- ClearInput --------------------------------------------------------------------

    void doubleClickEmptiesTheInputOnly() {
        Calculate(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
        const Outputs before = Shown();
        QTest::mouseDClick(text1_, Qt::LeftButton);
        QCOMPARE(text1_->text(), QString());
        QCOMPARE(Shown(), before);

        BoxCloser boxes;
        Button("Command1")->click();
        QCOMPARE(boxes.last.text, WrongCountText);
    }

    // --- What a screen reader hears, the focus staying where it is ------------------------

    void resultsAreAnnounced_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QStringList>("heard");
        const QString oneToSixteen = QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
        const QString results = QStringLiteral("Сумма 136, максимум 16, разность -120");
        QTest::newRow("enter") << oneToSixteen << "enter" << QStringList{results};
        QTest::newRow("sameResultsAgain")
            << oneToSixteen << "enter enter" << QStringList{results, results};
        QTest::newRow("negatives")
            << "-1 -2 -3 -4 -5 -6 -7 -8 -9 -10 -11 -12 -13 -14 -15 -16"
            << "enter" << QStringList{QStringLiteral("Сумма 0, максимум -1, разность -1")};
        QTest::newRow("wrongCount") << "1 2 3"
                                    << "enter" << QStringList{};
        QTest::newRow("overflow") << "40000 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"
                                  << "enter" << QStringList{};
        QTest::newRow("doubleClick") << oneToSixteen << "doubleClick" << QStringList{};
    }

    void resultsAreAnnounced() {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        QSKIP("Qt before 6.8 has no accessibility announcement");
#else
        QFETCH(QString, line);
        QFETCH(QString, actions);
        QFETCH(QStringList, heard);
        BoxCloser boxes;
        text1_->setText(line);
        text1_->setFocus();
        announced.clear();
        QAccessible::installUpdateHandler(KeepAnnouncement);
        for (const QString& action : actions.split(u' ')) {
            if (action == QLatin1String("doubleClick")) {
                QTest::mouseDClick(text1_, Qt::LeftButton);
            } else {
                Press(text1_, action);
            }
        }
        QCOMPARE(announced, heard);
        QCOMPARE(form_->focusWidget(), text1_);
#endif
    }

    // --- ExitProgram -------------------------------------------------------------------

    void exitEndsTheProgram_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("keys");
        for (const char* name : {"Command1", "Command2", "Text1", "Text2", "Text3", "Text4"}) {
            QTest::addRow("escape-%s", name) << name << "escape";
        }
        QTest::newRow("altYery") << "Text1"
                                 << "altYery";
        QTest::newRow("enterOnCommand2") << "Command2"
                                         << "enter";
        QTest::newRow("click") << "Command1"
                               << "Command2";
        QTest::newRow("closeBox") << "Command1"
                                  << "close";
        // Keys already on their way when the program ends act on nothing: with the hint in
        // Text1, the Enter would otherwise show the wrong-count box.
        QTest::newRow("escapeThenEnter") << "Text1"
                                         << "escape enter";
        QTest::newRow("altYeryThenEnter") << "Text1"
                                          << "altYery enter";
        QTest::newRow("clickThenAltI") << "Text1"
                                       << "Command2 altI";
        QTest::newRow("closeThenEnter") << "Text1"
                                        << "close enter";
    }

    void exitEndsTheProgram() {
        QFETCH(QString, focus);
        QFETCH(QString, keys);
        auto* target = form_->findChild<QWidget*>(focus);
        QVERIFY(target);
        target->setFocus();
        BoxCloser boxes;
        const QString first = keys.section(u' ', 0, 0);
        const QString rest = keys.section(u' ', 1);
        bool goneAtOnce = false;
        const int status = RunEventLoop([&] {
            Press(target, first);
            goneAtOnce = !form_->isVisible();
            if (!rest.isEmpty()) {
                Press(target, rest);
            }
        });
        QCOMPARE(status, 0);
        QVERIFY(goneAtOnce);
        QVERIFY(!boxes.last.seen); // no question asked, and nothing after the exit
    }

    void accessKeyThenEnterRunsOneActionAtATime() {
        // The boxes stay open longer than a button's press animation would take.
        BoxCloser boxes(300);
        text1_->setFocus();
        Press(text1_, QStringLiteral("altI enter"));
        QVERIFY(QTest::qWaitFor([&] { return boxes.count == 2; }));
        QCOMPARE(boxes.mostOpen, 1);
        QCOMPARE(boxes.count, 2);
    }

    // --- The top-level error report ----------------------------------------------------

    void unhandledErrorIsReportedThenEnds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("outOfMemory") << 0 << QStringLiteral("Ошибка 7.");
        QTest::newRow("textOnly") << 1 << QStringLiteral("Ошибка: <b>boom</b>");
        QTest::newRow("notAnException") << 2 << QStringLiteral("Ошибка: неизвестная ошибка.");
    }

    void unhandledErrorIsReportedThenEnds() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        BoxCloser boxes;
        bool finished = true;
        const int status = RunEventLoop([&] {
            finished = mezolin::RunAction(form_, [kind] {
                if (kind == 0) {
                    throw std::bad_alloc();
                }
                if (kind == 1) {
                    throw std::runtime_error("<b>boom</b>");
                }
                throw 42;
            });
        });
        QVERIFY(!finished);
        QCOMPARE(status, mezolin::FatalExitStatus);
        QCOMPARE(boxes.count, 1);
        QCOMPARE(boxes.last.text, text);
        QCOMPARE(boxes.last.icon, QMessageBox::Critical);
        QCOMPARE(boxes.last.format, Qt::PlainText);
    }

    void actionWithoutErrorRunsQuietly() {
        BoxCloser boxes;
        int runs = 0;
        QVERIFY(mezolin::RunAction(form_, [&runs] { ++runs; }));
        QCOMPARE(runs, 1);
        QVERIFY(!boxes.last.seen);
    }
};

QTEST_MAIN(Form1ActionsTest)
#include "form1_actions_test.moc"
