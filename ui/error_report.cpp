#include "ui/error_report.h"

#include "calc/matrix.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <new>
#include <system_error>

namespace mezolin {
namespace {

constexpr int OutOfMemory = 7;
constexpr int FatalExitStatus = 1;

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

void RunAction(QWidget* owner, const std::function<void()>& action) {
    try {
        action();
    } catch (...) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Mezolin"),
                        FatalErrorText(std::current_exception()), QMessageBox::Ok, owner);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        QCoreApplication::exit(FatalExitStatus);
    }
}

} // namespace mezolin
