#include "ui/form1.h"

#include "ui/app_icon.h"

#include <QShortcut>

namespace mezolin {

Form1::Form1(QWidget* parent) : QDialog(parent) {
    ui_.setupUi(this);
    // A main window rather than a transient dialog: title, system menu, minimise and close.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    // Where the window first opens, if the window manager allows; its size comes from the
    // description.
    setGeometry(QRect(QPoint(285, 245), size()));

    // Esc clicks Command2 wherever the focus is. A shortcut of the window, not of the button,
    // so the button keeps its access key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ui_.Command2, &QPushButton::animateClick);

    ui_.Command1->setFocus();
}

} // namespace mezolin
