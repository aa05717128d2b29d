// Measures the window, under whatever Qt platform the environment selects (offscreen for
// repeatable figures):
//   window_bench startup [rounds]    start-up of Form1 beside a bare QWidget and a one-label
//                                    window, whole processes from exec to the first frame,
//                                    taking turns; prints medians of wall and CPU time, peak
//                                    memory, and the ratios
//   window_bench enter [count]       time from Enter in Text1 to the four outputs written
//   window_bench calculate [count]   that many calculations in a row, for a heap profiler
//   window_bench paste [rounds]      memory over rounds of pasting a million digits, Enter,
//                                    select all and delete; then typing into the long line
//   window_bench child form1|bare|label  one start-up; prints its peak memory and CPU time
//   window_bench show form1|bare|label   that window, titled Mezolin, until it is closed: for
//                                        timing start-up from outside (as under Wine)
// On Windows only `show` is built: the others read the process's figures the POSIX way.
#include "ui/form1.h"
#include "ui/startup.h"
#include "ui/window_font.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The window a start-up shows: Form1 as the program makes it (its face and Qt's translation
// first), a bare QWidget, or a window with one label in the program's face.
std::unique_ptr<QWidget> MakeWindow(const std::string& kind) {
    if (kind == "form1") {
        mezolin::PrepareApplication();
        return std::make_unique<mezolin::Form1>();
    }
    auto window = std::make_unique<QWidget>();
    window->resize(225, 137);
    if (kind == "label") {
        // The least a window that shows any text pays: the font system, in the same face.
        QApplication::setFont(mezolin::WindowFont());
        new QLabel(QStringLiteral("Mezolin"), window.get());
    }
    return window;
}

int Show(int argc, char** argv, const std::string& kind) {
    QApplication app(argc, argv);
    const std::unique_ptr<QWidget> window = MakeWindow(kind);
    window->setWindowTitle(QStringLiteral("Mezolin"));
    window->show();
    return QApplication::exec();
}

#ifndef _WIN32
// One start-up in this process: builds the window, shows it and waits until it is exposed,
// then prints its peak resident memory (KiB) and the CPU time it has used since exec (us).
int Child(int argc, char** argv, const std::string& kind) {
    QApplication app(argc, argv);
    const std::unique_ptr<QWidget> window = MakeWindow(kind);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    std::printf("%ld %.0f\n", usage.ru_maxrss, cpu);
    std::fflush(stdout);
    return 0;
}

struct StartupFigures {
    double wall = 0; // us from starting the process to its first frame
    double cpu = 0;  // us of CPU time the process used by then
    double peak = 0; // KiB of peak resident memory by then
};

StartupFigures RunChild(const char* self, const char* kind) {
    const std::string command = std::string(self) + " child " + kind;
    const auto start = Clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    StartupFigures figures;
    if (pipe == nullptr || std::fscanf(pipe, "%lf %lf", &figures.peak, &figures.cpu) != 2) {
        std::fprintf(stderr, "child %s failed\n", kind);
        std::exit(1);
    }
    figures.wall = Micros(Clock::now() - start);
    pclose(pipe);
    return figures;
}

// Whole processes, from exec to the first frame: dynamic loading included, as a user waits for
// it. The three kinds take turns, so that a slow spell of the machine hits all of them alike.
int Startup(const char* self, int rounds) {
    const char* kinds[] = {"form1", "bare", "label"};
    for (const char* kind : kinds) {
        RunChild(self, kind); // warm the file cache for all
    }
    std::vector<double> wall[3], cpu[3], peak[3];
    for (int k = 0; k < rounds; ++k) {
        for (int n = 0; n < 3; ++n) {
            const StartupFigures f = RunChild(self, kinds[n]);
            wall[n].push_back(f.wall);
            cpu[n].push_back(f.cpu);
            peak[n].push_back(f.peak);
        }
    }
    std::printf("exec to first frame, medians of %d (platform %s):\n", rounds,
                qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))
                    .toLocal8Bit()
                    .constData());
    for (int n = 0; n < 3; ++n) {
        std::printf("  %-6s wall %7.0f us  cpu %7.0f us  peak %6.1f MiB\n", kinds[n],
                    Median(wall[n]), Median(cpu[n]), Median(peak[n]) / 1024);
    }
    std::printf("  Form1 / bare:  wall %.3f  cpu %.3f\n", Median(wall[0]) / Median(wall[1]),
                Median(cpu[0]) / Median(cpu[1]));
    std::printf("  Form1 / label: wall %.3f  cpu %.3f\n", Median(wall[0]) / Median(wall[2]),
                Median(cpu[0]) / Median(cpu[2]));
    return 0;
}

#endif

// Shows the window and waits until it is active; returns its Text1, or nullptr if it never
// became active.
QLineEdit* ShowActive(mezolin::Form1& form) {
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        return nullptr;
    }
    return form.findChild<QLineEdit*>(QStringLiteral("Text1"));
}

const QString Line = QStringLiteral("1 -2 3 -4 5 -6 7 -8 9 -10 11 -12 13 -14 15 -16");

int Enter(int argc, char** argv, int count) {
    QApplication app(argc, argv);
    mezolin::Form1 form;
    QLineEdit* text1 = ShowActive(form);
    if (text1 == nullptr) {
        return 1;
    }
    auto* text4 = form.findChild<QLineEdit*>(QStringLiteral("Text4"));
    text1->setText(Line);
    text1->setFocus();
    std::vector<double> times;
    for (int k = 0; k < count; ++k) {
        text4->clear();
        const auto start = Clock::now();
        QTest::keyClick(text1, Qt::Key_Return); // the default button runs synchronously
        const auto end = Clock::now();
        if (text4->text() != QStringLiteral("-49")) {
            std::fprintf(stderr, "outputs not written\n");
            return 1;
        }
        times.push_back(Micros(end - start));
    }
    std::printf("Enter in Text1 to outputs written, %d presses: median %.1f us, max %.1f us\n",
                count, Median(times), *std::max_element(times.begin(), times.end()));
    return 0;
}

int Calculate(int argc, char** argv, int count) {
    QApplication app(argc, argv);
    mezolin::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    auto* text1 = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* command1 = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (int k = 0; k < count; ++k) {
        // A different line each time, so every output really changes.
        text1->setText(QStringLiteral("%1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16").arg(k % 30000));
        command1->click();
        QCoreApplication::processEvents();
    }
    std::printf("%d calculations, last sum %s\n", count,
                qPrintable(form.findChild<QLineEdit*>(QStringLiteral("Text2"))->text()));
    return 0;
}

// Resident and peak resident memory of this process, in MiB.
std::pair<double, double> Memory() {
    double rss = 0, peak = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            std::sscanf(line, "VmRSS: %lf", &rss);
            std::sscanf(line, "VmHWM: %lf", &peak);
        }
        std::fclose(status);
    }
    return {rss / 1024, peak / 1024};
}

// Rounds of: paste a line of a million digits into Text1, Enter, close the box, select all,
// delete. Prints resident memory after each round, then the time to type one character into
// the long line.
int Paste(int argc, char** argv, int rounds) {
    QApplication app(argc, argv);
    mezolin::Form1 form;
    QLineEdit* text1 = ShowActive(form);
    if (text1 == nullptr) {
        return 1;
    }
    const QString digits = QStringLiteral("1234567890").repeated(100000);
    QApplication::clipboard()->setText(digits);
    text1->clear();
    text1->setFocus();
    QTimer closer; // closes the wrong-count box, as the user would
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    closer.start(10);
    for (int k = 1; k <= rounds; ++k) {
        QTest::keySequence(text1, QKeySequence::Paste);
        QTest::keyClick(text1, Qt::Key_Return);
        QTest::keySequence(text1, QKeySequence::SelectAll);
        QTest::keyClick(text1, Qt::Key_Delete);
        QCoreApplication::processEvents();
        const auto [rss, peak] = Memory();
        std::printf("round %2d: resident %.1f MiB, peak %.1f MiB\n", k, rss, peak);
    }
    QTest::keySequence(text1, QKeySequence::Paste);
    QCoreApplication::processEvents();
    std::vector<double> times;
    for (int k = 0; k < 5; ++k) {
        const auto start = Clock::now();
        QTest::keyClick(text1, Qt::Key_5);
        QCoreApplication::processEvents();
        times.push_back(Micros(Clock::now() - start));
    }
    std::printf("one character typed into a %lld-character line: median of 5 %.0f ms\n",
                static_cast<long long>(text1->text().size()), Median(times) / 1000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "show" && argc > 2) {
        return Show(argc, argv, argv[2]);
    }
#ifndef _WIN32
    if (mode == "child" && argc > 2) {
        return Child(argc, argv, argv[2]);
    }
    if (mode == "startup") {
        return Startup(argv[0], count > 0 ? count : 21);
    }
#endif
    if (mode == "enter") {
        return Enter(argc, argv, count > 0 ? count : 1000);
    }
    if (mode == "calculate") {
        return Calculate(argc, argv, count > 0 ? count : 10000);
    }
    if (mode == "paste") {
        return Paste(argc, argv, count > 0 ? count : 10);
    }
    std::fprintf(stderr, "usage: %s startup|enter|calculate|paste [count] | show <kind>\n",
                 argv[0]);
    return 2;
}
