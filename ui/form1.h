// The program's one window.
#pragma once

#include "calc/matrix.h"
#include "ui_form1.h"

#include <QDialog>

namespace mezolin {

// The window is a dialog: that gives it the default button (Enter clicks Command1 unless
// another push button has the focus) and modal message boxes of its own.
class Form1 : public QDialog {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // The matrix of the last line that passed the count test; all zeros before the first.
    [[nodiscard]] const Matrix4x4& Matrix() const noexcept { return matrix_; }

private:
    // Reads Text1 and shows the results, or says why it cannot.
    void Calculate();
    // Ends the program at once, exit status 0.
    void ExitProgram();
    // Empties Text1.
    void ClearInput();

    void ShowWrongCount();
    void ShowOverflow(const OverflowError& error);

    Ui::Form1 ui_;
    Matrix4x4 matrix_;
};

} // namespace mezolin

// The window keeps the name its description gives it.
using mezolin::Form1;
