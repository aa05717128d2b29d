// The program's one window.
#pragma once

#include "calc/matrix.h"

#include <QDialog>
#include <memory>

namespace Ui {
class Form1;
} // namespace Ui

namespace mezolin {

// The window is a dialog: that gives it the default button (Enter clicks Command1 unless
// another push button has the focus) and modal message boxes of its own.
class Form1 : public QDialog {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The matrix of the last line that was calculated: one of sixteen pieces whose numbers all
    // fit. All zeros before the first; a line refused for its count or for a number out of
    // range leaves it as it was.
    [[nodiscard]] const Matrix4x4& Matrix() const noexcept { return matrix_; }

protected:
    // Closing the window ends the program at once, as ExitProgram does.
    void closeEvent(QCloseEvent* event) override;
    // The window keeps its one size: a window manager's maximise or full screen is undone.
    void changeEvent(QEvent* event) override;

private:
    // Runs one action, unless another is still running (a message box is open) or the program
    // is ending. Errors that escape the action go to the top-level error report.
    void Run(void (Form1::*action)());
    // Reads Text1 and shows the results, or says why it cannot.
    void Calculate();
    // Ends the program at once, exit status 0: the window is gone and no later event acts.
    void ExitProgram();
    // Empties Text1.
    void ClearInput();

    void ShowInputError(const QString& text);
    void ShowWrongCount();
    void ShowOverflow(const OverflowError& error);

    std::unique_ptr<Ui::Form1> ui_;
    Matrix4x4 matrix_;
    bool busy_ = false;
    bool ending_ = false;
};

} // namespace mezolin

// The window keeps the name its description gives it.
using mezolin::Form1;
