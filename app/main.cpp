#include "ui/form1.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    // The program reads no command line: Qt gets only the program's name, so that no argument
    // such as -platform or -style can change it.
    char fallbackName[] = "mezolin";
    char* arguments[] = {argc > 0 ? argv[0] : fallbackName, nullptr};
    int count = 1;
    const auto app = mezolin::StartApplication(count, arguments);

    mezolin::Form1 window;
    // The message boxes take the program's icon too: the window's, decoded once.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    window.activateWindow(); // without a window manager, shortcuts need an active window
    return QApplication::exec();
}
