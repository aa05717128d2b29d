// What the process does before it builds the window.
#pragma once

#include <QApplication>
#include <memory>

namespace mezolin {

// Makes the application from the given arguments, then prepares it (PrepareApplication). Where
// no display can be opened, writes one line saying that Mezolin needs a graphical desktop to
// standard error and ends the process with status 1: no abort, no core dump, and none of Qt's
// own messages about it. Returns the application. Throws only std::bad_alloc.
[[nodiscard]] std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

// Prepares a new application for the window, before any widget exists: registers the font file
// that the Windows program carries beside it, makes WindowFont() the application's font, and
// installs Qt's own texts in Russian (context menus, the OK button) where that translation is
// found; without it they stay English. Returns nothing. Throws only std::bad_alloc.
void PrepareApplication();

} // namespace mezolin
