// What the process does before it builds the window.
#pragma once

#include <QApplication>
#include <memory>

namespace mezolin {

// Makes the application from the given arguments, then prepares it (PrepareApplication). Where
// the application cannot be made, ends the process with status 1, with no abort and no core
// dump: where the display could not be opened, after one line on standard error saying that
// Mezolin needs a graphical desktop; otherwise (a platform plugin missing or broken) after Qt's
// own words on why. Returns the application. Throws only std::bad_alloc.
[[nodiscard]] std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

// Prepares a new application for the window, before any widget exists: registers the font file
// that the Windows program carries beside it, makes WindowFont() the application's font, and
// installs Qt's own texts in Russian (context menus, the OK button) where that translation is
// found; without it they stay English. Returns nothing. Throws only std::bad_alloc.
void PrepareApplication();

} // namespace mezolin
