#include "ui/startup.h"

#include "ui/window_font.h"

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace mezolin {
namespace {

constexpr char NoDisplayLine[] =
    "mezolin: Mezolin нужен графический рабочий стол, а открыть дисплей не удалось "
    "(Mezolin needs a graphical desktop; no display could be opened).\n";

// What libraries write straight to standard error while the application is being made (the
// Wayland client library says so when it finds no runtime folder), kept in a scratch file until
// it is known whether a display opened. Where no scratch file can be made, it goes out as ever.
class HeldStderr {
public:
    HeldStderr() {
#ifdef Q_OS_UNIX
        std::fflush(stderr);
        file_ = std::tmpfile();
        saved_ = file_ != nullptr ? ::dup(STDERR_FILENO) : -1;
        if (saved_ >= 0) {
            ::dup2(::fileno(file_), STDERR_FILENO);
        }
#endif
    }
    HeldStderr(const HeldStderr&) = delete;
    HeldStderr& operator=(const HeldStderr&) = delete;
    ~HeldStderr() {
        Release();
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }

    // Gives standard error back and returns what was written to it meanwhile (at most 64 KiB).
    // Safe to call more than once; later calls return nothing.
    std::string Release() {
        std::string text;
#ifdef Q_OS_UNIX
        if (saved_ < 0) {
            return text;
        }
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
        text.resize(64 * 1024);
        const ssize_t read = ::pread(::fileno(file_), text.data(), text.size(), 0);
        text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
#endif
        return text;
    }

private:
    std::FILE* file_ = nullptr;
    int saved_ = -1;
};

// Qt reports a display it cannot open, or a platform plugin it cannot load, with a fatal
// message, after which it aborts. While the application is being made, Qt's messages are held
// here, from whatever thread they come; a fatal one ends the process with status 1 instead of
// an abort: with one line where the display could not be opened, and otherwise with all that
// was held, in Qt's own words, since that is what a user or packager needs to mend it.
class Startup {
public:
    Startup() {
        std::lock_guard lock(mutex);
        current = this;
        previous = qInstallMessageHandler(Hold);
    }
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;
    // On every way out, the exceptional one included: no message reaches this object once it
    // is gone.
    ~Startup() { Stop(); }

    // The display is open: what was said on the way is said now, as it would have been.
    void Pass() {
        Stop();
        std::fputs(stderr_.Release().c_str(), stderr);
        for (const Message& message : held_) {
            const QByteArray category = message.category.toUtf8();
            const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
            qt_message_output(message.type, context, message.text);
        }
        held_.clear();
    }

private:
    struct Message {
        QtMsgType type;
        QString category;
        QString text;
    };

    void Stop() {
        std::lock_guard lock(mutex);
        if (current == this) {
            qInstallMessageHandler(previous);
            current = nullptr;
        }
    }

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        std::lock_guard lock(mutex);
        if (current == nullptr) {
            // From another thread, just as the start-up ended.
            if (previous != nullptr) {
                previous(type, context, text);
            }
            return;
        }
        current->held_.push_back({type, QString::fromUtf8(context.category), text});
        if (type == QtFatalMsg) {
            current->Fail();
        }
    }

    // Ends the process after a fatal message, the last one held.
    [[noreturn]] void Fail() {
        const std::string written = stderr_.Release();
        if (SaysNoDisplay()) {
            std::fputs(NoDisplayLine, stderr);
        } else {
            std::fputs(written.c_str(), stderr);
            for (const Message& message : held_) {
                const QByteArray category = message.category.toUtf8();
                const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
                const QString line = qFormatLogMessage(message.type, context, message.text);
                std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
            }
        }
        std::fflush(stderr);
        std::_Exit(1);
    }

    // Whether Qt said that the display could not be opened (X11 or Wayland), rather than that
    // a platform plugin is missing or broken.
    bool SaysNoDisplay() const {
        for (const Message& message : held_) {
            if (message.text.contains(QLatin1String("connect to display")) ||
                message.text.contains(QLatin1String("wl_display"))) {
                return true;
            }
        }
        return false;
    }

    // qInstallMessageHandler takes a plain function, so the start-up it reports to, and the
    // handler it replaced, are found here; the mutex guards both, and every start-up's messages.
    static inline std::mutex mutex;
    static inline Startup* current = nullptr;
    static inline QtMessageHandler previous = nullptr;

    HeldStderr stderr_;
    std::vector<Message> held_;
};

} // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    std::unique_ptr<QApplication> app;
    {
        Startup startup;
        app = std::make_unique<QApplication>(argc, argv);
        startup.Pass();
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
