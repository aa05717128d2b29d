// Window tests fail on any Qt warning they do not expect.
#pragma once

#include <QRegularExpression>
#include <QTest>

// Call from init(): the test function that follows fails on every warning except the known
// harmless ones named here, one by one.
inline void FailOnUnexpectedWarnings() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral(
        "^(?!("
        // The offscreen platform has no window manager to hand a window's size limits to.
        "This plugin does not support propagateSizeHints\\(\\)"
        ")$)")));
}
