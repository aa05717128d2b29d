// The program's message boxes.
#pragma once

#include <QString>

class QWidget;

namespace mezolin {

// Shows a modal message box owned by owner, with the critical icon, plain text and one OK
// button, wide enough that a window manager shows its whole title; returns once it is closed.
void ShowCriticalBox(QWidget* owner, const QString& title, const QString& text);

} // namespace mezolin
