// The input line: a line edit that reports double-clicks and keeps its undo history bounded.
#pragma once

#include <QLineEdit>

namespace mezolin {

class InputLine : public QLineEdit {
    Q_OBJECT

public:
    explicit InputLine(QWidget* parent = nullptr);

    // How many characters, inserted and removed together, the undo history may hold before it
    // is forgotten. Qt keeps one record of about 20 bytes per character edited, for ever, so a
    // few pastes of a long line would otherwise hold hundreds of megabytes.
    static constexpr qsizetype UndoLimit = 65536;

signals:
    // Emitted after the line edit has handled a double-click of the left mouse button.
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void CountEdit(const QString& text);
    void ForgetHistory();

    QString last_;         // the text before the last change
    qsizetype edited_ = 0; // characters inserted and removed since the history was last empty
    bool forgetting_ = false;
};

} // namespace mezolin

// The window's description names the class without its namespace.
using mezolin::InputLine;
