// Key presses for window tests.
#pragma once

#include "ui/access_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

// Sends a key with its text, the way a keyboard with that letter would. QTest::keyClick cannot
// do this for letters outside Latin-1.
inline void SendKey(QWidget* target, Qt::Key key, const QString& text,
                    Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Press, target, key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, target, key, text, modifiers);
}

// Sends a key the way a platform does, with its place on the keyboard: first to the shortcuts,
// then, unless one of them took it, to the target as a key press and release.
inline void SendPlacedKey(QWidget* target, Qt::Key key, const QString& text,
                          Qt::KeyboardModifiers modifiers, quint32 scanCode) {
    if (qt_sendShortcutOverrideEvent(target, 0, key, modifiers, text)) {
        return;
    }
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers, scanCode, 0, 0, text);
        QApplication::sendEvent(target, &event);
    }
}
