#include "ui/startup.h"

#include "ui/window_font.h"

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace mezolin {
namespace {

constexpr char NoDisplayLine[] =
    "mezolin: Mezolin нужен графический рабочий стол, а открыть дисплей не удалось "
    "(Mezolin needs a graphical desktop; no display could be opened).\n";

// Qt reports a display it cannot open with a fatal message, after which it aborts. While the
// application is being made, its messages are held back here, and a fatal one ends the process
// with NoDisplayLine instead. qInstallMessageHandler takes a plain function, so what the handler
// needs lives in these two variables, used only by StartApplication on the main thread.
struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* heldMessages = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(NoDisplayLine, stderr);
        std::_Exit(1);
    }
    heldMessages->push_back({type, QString::fromUtf8(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    std::vector<HeldMessage> held;
    heldMessages = &held;
    previousHandler = qInstallMessageHandler(HoldMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    heldMessages = nullptr;
    // The display is open: what Qt said on the way is said now, as it would have been.
    for (const HeldMessage& message : held) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        qt_message_output(message.type, context, message.text);
    }

    QApplication::setApplicationName(QStringLiteral("Mezolin"));
    QApplication::setApplicationVersion(QStringLiteral(MEZOLIN_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("org.mezolin.Mezolin"));
    PrepareApplication();
    return app;
}

void PrepareApplication() {
#ifdef Q_OS_WIN
    // Windows has no package to bring the face: the program carries the file, so that every
    // Windows draws the very face the layout is drawn for.
    QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/LiberationSans-Regular.ttf"));
#endif
    // Before any widget: a line edit lays out its text in the application's font before its
    // own, and would load a face size that nothing shows.
    QApplication::setFont(WindowFont());

    // Qt's own texts: beside the program on Windows, in Qt's translations folder on Linux.
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(QStringLiteral("qtbase_ru"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

} // namespace mezolin
