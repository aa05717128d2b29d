#include "ui/app_icon.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mezolin"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("org.mezolin.Mezolin"));
    QApplication::setWindowIcon(mezolin::AppIcon());

    mezolin::Form1 window;
    window.show();
    window.activateWindow(); // without a window manager, shortcuts need an active window
    return QApplication::exec();
}
