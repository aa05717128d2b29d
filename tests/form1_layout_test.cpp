// The window as it comes up: its controls, texts, keyboard and icon.
#include "send_key.h"
#include "ui/form1.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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
    void init() {
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
        QCOMPARE(form_->findChildren<QWidget*>().size(), 12);
        // The size the layout is drawn for, in a family named by its face: an alias such as
        // "Sans Serif" would cost a font search for each script at start-up.
        QCOMPARE(form_->font().pointSize(), 8);
        QCOMPARE(form_->font().family(), QFontInfo(form_->font()).family());
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
                                << QStringLiteral("Условие") << TaskText;
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
        QTRY_COMPARE(spy.count(), 1);
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
        QTRY_COMPARE(spy.count(), 1);
    }

    void accessKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("button");
        QTest::newRow("AltI") << 0x0418 << QStringLiteral("и") << "Command1";
        QTest::newRow("AltYery") << 0x042B << QStringLiteral("ы") << "Command2";
    }

    void accessKeys() {
        QFETCH(int, key);
        QFETCH(QString, letter);
        QFETCH(QString, button);
        QSignalSpy spy(Control<QPushButton>(button), &QAbstractButton::clicked);
        EnterValidLine();
        auto* text1 = Control<QLineEdit>(QStringLiteral("Text1"));
        text1->setFocus();
        const QString before = text1->text();
        SendKey(text1, static_cast<Qt::Key>(key), letter, Qt::AltModifier);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(text1->text(), before); // the letter is not typed into the box
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
