// The input line: a plain line edit that also reports double-clicks.
#pragma once

#include <QLineEdit>

namespace mezolin {

class InputLine : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    // Emitted after the line edit has handled a double-click of the left mouse button.
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace mezolin

// The window's description names the class without its namespace.
using mezolin::InputLine;
