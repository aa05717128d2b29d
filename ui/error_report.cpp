#include "ui/error_report.h"

#include "calc/matrix.h"
#include "ui/message_box.h"

#include <QCoreApplication>
#include <cstdio>
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

bool RunAction(QWidget* owner, const std::function<void()>& action) noexcept {
    try {
        action();
        return true;
    } catch (...) {
        try {
            ShowCriticalBox(owner, QStringLiteral("Mezolin"),
                            FatalErrorText(std::current_exception()));
        } catch (...) {
            std::fputs("mezolin: ошибка завершила программу, и показать её не удалось "
                       "(an error ended the program, and it could not be shown).\n",
                       stderr);
        }
        QCoreApplication::exit(FatalExitStatus);
        return false;
    }
}

} // namespace mezolin
