// SPDX-License-Identifier: GPL-3.0-or-later
// kestra: the desktop application.
#include <QApplication>
#include <QIcon>

#include "ui/app/backup_folder.h"
#include "ui/app/main_frame.h"
#include "ui/app/program_app.h"
#include "ui/app/translation.h"
#include "core/document/app_directory.h"
#include "core/document/file_io.h"

namespace {

// --help and --version are answered without a display.
bool AsksForInformationOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForInformationOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        const int status = kestra::CProgramApp::HandleCommandLineOnly(core.arguments());
        if (status >= 0)
            return status;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestra"));
    QCoreApplication::setApplicationName(QStringLiteral("kestra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestra.Kestra"));
    QApplication::setWindowIcon(kestra::ApplicationIcon());

    kestra::StartOptions options;
    options.appDirectory =
        QString::fromStdString(kestra::ExecutableDirectory(argc > 0 ? argv[0] : nullptr));
    options.arguments = QCoreApplication::arguments();
    options.backupFolder = kestra::DefaultBackupFolder();
    // kestra_<language>.qm beside the program or in the resources, when there is one.
    kestra::InstallTranslations(options.appDirectory);

    kestra::RemoveTemporaryFilesOnSignals();
    kestra::CProgramApp theApp;
    const int status = theApp.InitInstance(options);
    if (status >= 0)
        return status;
    return app.exec();
}
