// The last line of defence: what happens to an error that no action handles.
#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace mezolin {

// The text of the report for error: "Ошибка N." with the error's number where it has one (out
// of memory is 7, a system error its code), otherwise "Ошибка: " and its own text.
[[nodiscard]] QString FatalErrorText(const std::exception_ptr& error);

// The exit status of a program ended by the top-level error report.
inline constexpr int FatalExitStatus = 1;

// Runs one action of a window. An exception that escapes it is reported in a modal critical
// message box owned by owner, and once the box is closed the event loop is told to end with
// FatalExitStatus. Where the report itself fails (out of memory, say), one line goes to standard
// error instead and the loop is told to end all the same. Returns true when the action ran to
// its end, false when it failed. Never throws: no exception reaches Qt's event loop.
[[nodiscard]] bool RunAction(QWidget* owner, const std::function<void()>& action) noexcept;

} // namespace mezolin
