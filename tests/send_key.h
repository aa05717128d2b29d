// Key presses for window tests.
#pragma once

#include <QTest>

// Sends a key with its text, the way a keyboard with that letter would. QTest::keyClick cannot
// do this for letters outside Latin-1.
inline void SendKey(QWidget* target, Qt::Key key, const QString& text,
                    Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Press, target, key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, target, key, text, modifiers);
}
