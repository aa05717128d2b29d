#include "ui/form1.h"
#include "ui/window_font.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The program reads no command line: Qt gets only the program's name, so that no argument
    // such as -platform or -style can change it.
    char fallbackName[] = "mezolin";
    char* arguments[] = {argc > 0 ? argv[0] : fallbackName, nullptr};
    int count = 1;
    QApplication app(count, arguments);
    QApplication::setApplicationName(QStringLiteral("Mezolin"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("org.mezolin.Mezolin"));
    // Before any widget: a line edit lays out its text in the application's font before its
    // own, and would load a face size that nothing shows.
    QApplication::setFont(mezolin::WindowFont());

    mezolin::Form1 window;
    // The message boxes take the program's icon too: the window's, decoded once.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    window.activateWindow(); // without a window manager, shortcuts need an active window
    return QApplication::exec();
}
