// The program's one window.
#pragma once

#include "ui_form1.h"

#include <QDialog>

namespace mezolin {

// The window is a dialog: that gives it the default button (Enter clicks Command1 unless
// another push button has the focus) and modal message boxes of its own.
class Form1 : public QDialog {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

private:
    Ui::Form1 ui_;
};

} // namespace mezolin
