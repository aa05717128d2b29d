#include "ui/input_line.h"

#include <QMouseEvent>

namespace mezolin {

void InputLine::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

} // namespace mezolin
