// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the desktop application's start-up to a shown main window, without
// a splash bitmap: settings file, main frame, a new document with its grid,
// the window shown and exposed. Runs offscreen unless a platform is given.
//
//   kestra_startup_bench [runs]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/app/main_frame.h"
#include "ui/app/program_app.h"

namespace {

// Start-up until the main frame is exposed on the screen; milliseconds.
double StartOnce(const QString& appDirectory) {
    QElapsedTimer timer;
    timer.start();
    kestra::CProgramApp app;
    kestra::StartOptions options;
    options.appDirectory = appDirectory;
    options.arguments = QStringList{QStringLiteral("kestra")};
    if (app.InitInstance(options) >= 0) {
        std::fprintf(stderr, "start-up failed\n");
        std::exit(1);
    }
    QWindow* window = app.frame()->windowHandle();
    while (!window || !window->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        window = app.frame()->windowHandle();
    }
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    // The offscreen platform's remark about size hints is noise here.
    if (type != QtDebugMsg && !message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    QElapsedTimer total;
    total.start();
    QApplication qapp(argc, argv);
    const double qappMs = total.nsecsElapsed() / 1e6;
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("KestraBench"));
    QCoreApplication::setApplicationName(QStringLiteral("kestra-bench"));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    QTemporaryDir dir;
    const QString appDirectory = dir.path() + QLatin1Char('/');
    const double first = StartOnce(appDirectory);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(StartOnce(appDirectory));
    std::sort(times.begin(), times.end());

    std::printf("platform                      %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("QApplication construction     %8.1f ms\n", qappMs);
    std::printf("first start-up to shown window %7.1f ms (fonts, styles and icons loaded)\n",
                first);
    std::printf("start-up to shown window      %8.1f ms median of %d (min %.1f, max %.1f)\n",
                times[times.size() / 2], runs, times.front(), times.back());
    std::printf("process start to first window %8.1f ms\n", qappMs + first);
    return 0;
}
