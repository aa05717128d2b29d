// What a screen reader speaks without the focus moving.
#pragma once

#include <QString>

class QWidget;

namespace mezolin {

// Asks assistive technology to speak text once, politely: queued after what it is saying, not
// interrupting it. With Qt 6.8 or later this is Qt's own announcement (AT-SPI, UI Automation);
// on Windows with an older Qt, a UI Automation notification raised on the window's own handle,
// where the system has one (Windows 10 version 1709 and later). Elsewhere, and where the lookup
// fails, nothing is said.
void Announce(QWidget* window, const QString& text);

} // namespace mezolin
