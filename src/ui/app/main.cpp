// SPDX-License-Identifier: GPL-3.0-or-later
// kestra: the desktop application.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>

#include "ui/app/backup_folder.h"
#include "ui/app/main_frame.h"
#include "ui/app/program_app.h"
#include "ui/app/translation.h"
#include "core/document/app_directory.h"
#include "core/document/file_io.h"

namespace {

void SetNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Kestra"));
    QCoreApplication::setApplicationName(QStringLiteral("kestra"));
}

// The run's language (--lang, 视图 → 语言, the locale), installed; false
// after printing a bad --lang.
bool SetUpLanguage(QStringList& arguments, const QString& appDirectory) {
    kestra::Language language = kestra::Language::Chinese;
    QString error;
    kestra::InstallTranslations(appDirectory); // for a message about --lang
    if (!kestra::StartLanguage(arguments, kestra::UserLocale(), language, error)) {
        std::fprintf(stderr, "kestra: %s\n", error.toLocal8Bit().constData());
        return false;
    }
    kestra::InstallLanguage(language, appDirectory);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const QString appDirectory =
        QString::fromStdString(kestra::ExecutableDirectory(argc > 0 ? argv[0] : nullptr));
    {
        // The whole command line is checked before the display is needed:
        // --help, --version and a usage error (status 2) work without one,
        // over ssh and in scripts too.
        QCoreApplication core(argc, argv);
        SetNames();
        QStringList arguments = core.arguments();
        if (!SetUpLanguage(arguments, appDirectory))
            return 2;
        const int status = kestra::CProgramApp::HandleCommandLineOnly(arguments);
        if (status >= 0)
            return status;
    }
    QApplication app(argc, argv);
    SetNames();
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestra.Kestra"));
    QApplication::setWindowIcon(kestra::ApplicationIcon());

    kestra::StartOptions options;
    options.appDirectory = appDirectory;
    options.arguments = QCoreApplication::arguments();
    options.backupFolder = kestra::DefaultBackupFolder();
    // kestra_<language>.qm beside the program or in the resources.
    if (!SetUpLanguage(options.arguments, appDirectory))
        return 2;

    kestra::RemoveTemporaryFilesOnSignals();
    kestra::CProgramApp theApp;
    const int status = theApp.InitInstance(options);
    if (status >= 0)
        return status;
    return app.exec();
}
