// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/program_app.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

#include "core/document/version_notice.h"
#include "link/serial_link.h"
#include "link/virtual_radio.h"
#include "ui/app/backup_folder.h"
#include "ui/app/child_frame.h"
#include "ui/app/command_line.h"
#include "ui/app/command_table.h"
#include "ui/app/ini_file.h"
#include "ui/app/main_frame.h"
#include "ui/app/message_box.h"
#include "ui/app/program_doc.h"
#include "ui/app/splash_wnd.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/app/user_settings.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/port_setup_dlg.h"
#include "ui/grid/program_view.h"

namespace kestra {

namespace {

void PrintTo(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

bool InstallToolkitTranslation() {
    static bool installed = false;
    if (installed)
        return true;
    auto* translator = new QTranslator(qApp);
    // "qt" gathers the catalogues of every Qt module (qtbase, ...).
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = true;
    return true;
}

CProgramApp::CProgramApp()
    : recent_([this](const QStringList& files) {
          if (frame_)
              frame_->SetRecentFiles(files);
      }) {}

CProgramApp::~CProgramApp() {
    SetUserSettingsReporter(nullptr);
    // The views convert their grids while the state still exists.
    frame_.reset();
    if (radio_)
        radio_->Stop();
}

int CProgramApp::HandleCommandLineOnly(const QStringList& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    if (line.help) {
        PrintTo(stdout, line.helpText);
        return 0;
    }
    if (line.version) {
        PrintTo(stdout, QString::fromStdString(VersionNotice("kestra")));
        return 0;
    }
    if (!line.error.isEmpty()) {
        PrintTo(stderr,
                QStringLiteral("kestra: %1\n%2\n")
                    .arg(line.error, T(KESTRA_TEXT("kestra", "用“kestra --help”查看更多信息。"))));
        return 2;
    }
    return -1;
}

int CProgramApp::InitInstance(const StartOptions& options) {
    const int status = HandleCommandLineOnly(options.arguments);
    if (status >= 0)
        return status;
    const CommandLine line = ParseCommandLine(options.arguments);

    // Qt's own dialogs speak Chinese only in a Chinese run.
    if (CurrentLanguage() == Language::Chinese)
        InstallToolkitTranslation();
    state_.appDirectory = options.appDirectory.toStdString();
    state_.backupFolder = QDir::toNativeSeparators(options.backupFolder).toStdString();
    ini_ = std::make_unique<CIniFile>(options.appDirectory);
    LoadSettings(line);
    if (line.simulate) {
        radio_ = std::make_unique<VirtualRadio>();
        const std::string device = radio_->Start();
        if (device.empty()) {
            PrintTo(stderr, QStringLiteral("kestra: %1\n")
                                .arg(T(KESTRA_TEXT("kestra", "虚拟对讲机无法启动：%1")))
                                .arg(QString::fromStdString(radio_->Error())));
            return 1;
        }
        state_.portName = device;
    }

    CSplashWnd::ShowSplashScreen(options.appDirectory);
    CSplashWnd::PauseWhileShown();

    docManager_ = std::make_unique<CMyDocManager>(state_);
    frame_ = std::make_unique<CMainFrame>(state_);
    SetUserSettingsReporter([this](const QString& file, const QString& reason) {
        ShowMessage(
            frame_.get(),
            WithReason(T(text::kSettingsNotSaved).arg(QDir::toNativeSeparators(file)), reason),
            QMessageBox::Warning);
    });
    documents_ = std::make_unique<DocumentCommands>(state_, *frame_, *docManager_, recent_);
    csv_ = std::make_unique<CsvCommands>(state_, *frame_, recent_);
    printing_ = std::make_unique<PrintCommands>(state_, *frame_, recent_);
    ConnectCommands();
    frame_->SetRecentFiles(recent_.Files());
    ShowPort();

    CChildFrame* first = nullptr;
    if (!line.file.isEmpty())
        first = documents_->OpenFile(line.file);
    if (!first) {
        // Without a file (or when it could not be loaded) the program starts
        // with a new document.
        frame_->AddDocumentWindow(docManager_->NewDocument());
    }

    CSplashWnd::HideSplashScreen();
    if (options.maximised)
        frame_->showMaximized();
    else
        frame_->show();
    frame_->repaint();
    return -1;
}

void CProgramApp::LoadSettings(const CommandLine& line) {
    const int port =
        ini_->GetInt(QString::fromUtf8(text::kIniSetup), QString::fromUtf8(text::kIniCom), 0);
    // Port 0 (no entry) names no device: every exchange reports that the port
    // cannot be opened until a port is chosen.
    state_.portName = PortDeviceName(port);
    if (!line.port.isEmpty())
        state_.portName = ResolvePortArgument(line.port.toStdString());
    state_.modelName =
        ini_->GetString(QString::fromUtf8(text::kIniSetup), QString::fromUtf8(text::kIniType))
            .toStdString();
}

void CProgramApp::ConnectCommands() {
    connect(frame_.get(), &CMainFrame::commandTriggered, this, &CProgramApp::RunCommand);
    connect(frame_.get(), &CMainFrame::recentFileChosen, this,
            [this](const QString& path) { documents_->OpenFile(path); });
    connect(frame_.get(), &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            documents_->OpenFile(path);
    });
    frame_->SetCloseGuard([this](CChildFrame* child) { return documents_->MayDiscard(child); });
    frame_->SetExitGuard([this] { return documents_->MayExit(); });
}

void CProgramApp::RunCommand(int id) {
    const CommandRow* row = FindCommand(id);
    if (!row || !row->handler || !row->enabled(*frame_))
        return;
    row->handler(*this);
    frame_->UpdateCommands();
}

void CProgramApp::RunDialogAsStep(const char* form, const char* text,
                                  const std::function<void()>& dialog) {
    // Without a document there is nothing to edit: what a dialog changed
    // would be gone with the next document, or sent to a radio unasked.
    if (CChildFrame* child = frame_->ActiveChild())
        child->view()->RunDialog(form, text, dialog);
}

void CProgramApp::OnPortSetup() {
    PortTable ports;
    if (radio_)
        ports.virtualRadio = radio_->Device();
    CPortSetupDlg dialog(state_, *ini_, frame_.get(), ports);
    dialog.exec();
    ShowPort();
}

void CProgramApp::ShowPort() {
    const bool virtualRadio = radio_ && state_.portName == radio_->Device();
    frame_->ShowVirtualRadio(virtualRadio ? QString::fromStdString(state_.portName) : QString());
}

void CProgramApp::OnViewLanguage(Language language) {
    const bool changed = language != ChosenLanguage();
    QString file;
    QString reason;
    const bool saved = ChooseLanguage(language, &file, &reason);
    frame_->UpdateCommands();
    if (!saved)
        ShowMessage(
            frame_.get(),
            WithReason(T(text::kLanguageNotSaved).arg(QDir::toNativeSeparators(file)), reason),
            QMessageBox::Warning);
    else if (changed)
        ShowMessage(frame_.get(), T(text::kLanguageAfterRestart), QMessageBox::Information);
}

void CProgramApp::OnAppAbout() {
    CAboutDlg dialog(*ini_, frame_.get());
    dialog.exec();
}

} // namespace kestra
