#include "ui/input_line.h"

#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace mezolin {
namespace {

// Characters removed plus characters inserted to turn before into after, edited in one place.
qsizetype EditSize(QStringView before, QStringView after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return (before.size() - head - tail) + (after.size() - head - tail);
}

} // namespace

InputLine::InputLine(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &InputLine::CountEdit);
}

void InputLine::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void InputLine::CountEdit(const QString& text) {
    edited_ += EditSize(last_, text);
    last_ = text;
    if (edited_ > UndoLimit && !forgetting_) {
        // Not from inside the line edit's own change notification: once it has finished.
        forgetting_ = true;
        QTimer::singleShot(0, this, &InputLine::ForgetHistory);
    }
}

void InputLine::ForgetHistory() {
    forgetting_ = false;
    edited_ = 0;
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int end = selectionEnd();
    // setText empties the undo history; the text stays as it is.
    const bool modified = isModified();
    setText(text());
    setModified(modified);
    if (start >= 0) {
        setSelection(cursor == start ? end : start, cursor == start ? start - end : end - start);
    } else {
        setCursorPosition(cursor);
    }
}

} // namespace mezolin
