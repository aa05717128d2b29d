#include "ui/error_report.h"

#include "calc/matrix.h"
#include "ui/message_box.h"

#include <QCoreApplication>
#include <new>
#include <system_error>

namespace mezolin {
namespace {

constexpr int OutOfMemory = 7;

QString Numbered(int number) {
    return QStringLiteral("Ошибка %1.").arg(number);
}

} // namespace

QString FatalErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const OverflowError& overflow) {
        return Numbered(overflow.ErrorNumber());
    } catch (const std::bad_alloc&) {
        return Numbered(OutOfMemory);
    } catch (const std::system_error& system) {
        return Numbered(system.code().value());
    } catch (const std::exception& other) {
        return QStringLiteral("Ошибка: %1").arg(QString::fromLocal8Bit(other.what()));
    } catch (...) {
        return QStringLiteral("Ошибка: неизвестная ошибка.");
    }
}

bool RunAction(QWidget* owner, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (...) {
        ShowCriticalBox(owner, QStringLiteral("Mezolin"), FatalErrorText(std::current_exception()));
        QCoreApplication::exit(FatalExitStatus);
        return false;
    }
}

} // namespace mezolin
