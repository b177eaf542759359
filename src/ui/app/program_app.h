// SPDX-License-Identifier: GPL-3.0-or-later
// CProgramApp: start-up and the application's commands.
//
// Start-up: Qt's own Chinese translations (file and print dialogs), the
// settings file (created when missing), the port ("Setup/COM" through the
// platform's port table, or --port, or the virtual radio of --simulate), the
// model name ("Setup/Type"), the program's directory, the splash screen, the
// main frame, then a new document or the file named on the command line, and
// the main frame shown maximised.
//
// The file dialogs start in the folder of the last file opened or saved. It
// is kept with the recent-file list in the per-user settings (never in
// Program.ini), so it is remembered from one run to the next.
//
// Commands: the main frame reports a command identifier and RunCommand runs
// the handler of its row in the command table (command_table.h). The
// commands live with their own jobs: the documents (document_commands.h),
// CSV (csv_commands.h), printing (print_commands.h) and the recent files
// (recent_files.h); the application keeps port setup, about and the
// language, and wires the rest.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/document/app_state.h"
#include "lang/language.h"
#include "ui/app/csv_commands.h"
#include "ui/app/document_commands.h"
#include "ui/app/print_commands.h"
#include "ui/app/recent_files.h"

namespace kestra {

class CIniFile;
class CMainFrame;
class CMyDocManager;
class VirtualRadio;
struct CommandLine;

struct StartOptions {
    // The program's directory, ending in a separator (Program.ini,
    // Default.dat, BackGround.bmp and startup.bmp are looked for there).
    QString appDirectory;
    // The command line, program name first.
    QStringList arguments;
    // Show the main frame maximised (a test may keep it normal).
    bool maximised = true;
    // Where exchanges keep their backups (DefaultBackupFolder() in the
    // program; a test's own folder); empty: none is kept.
    QString backupFolder;
};

class CProgramApp : public QObject {
    Q_OBJECT
public:
    CProgramApp();
    ~CProgramApp() override;

    // Runs start-up. Returns -1 when the program goes on to its event loop,
    // else the exit status (--help, --version, a usage error).
    int InitInstance(const StartOptions& options);
    // What the command line alone decides: the exit status after --help,
    // --version or a usage error (printed), else -1. Needs no display.
    static int HandleCommandLineOnly(const QStringList& arguments);

    AppState& state() { return state_; }
    CIniFile& ini() { return *ini_; }
    CMainFrame* frame() const { return frame_.get(); }
    VirtualRadio* virtualRadio() const { return radio_.get(); }

    // Runs a command by its row of the command table, when its rule allows.
    void RunCommand(int id);

    // 文件 and 编辑: new, open, save, close, undo, read's guard, ...
    DocumentCommands& documents() { return *documents_; }
    // A settings dialog run as one undo step of the active document; with
    // none, nothing runs.
    void RunDialogAsStep(const char* form, const char* text, const std::function<void()>& dialog);
    // 导入 CSV / 导出 CSV and the printing commands, on the active document.
    CsvCommands& csv() { return *csv_; }
    PrintCommands& printing() { return *printing_; }
    void OnPortSetup();
    void OnAppAbout();
    // 视图 → 语言: remembers the language for the next start and says so.
    void OnViewLanguage(Language language);

    const RecentFileList& recentFiles() const { return recent_; }

private:
    void LoadSettings(const CommandLine& line);
    void ConnectCommands();
    // The status bar says so while the port is the virtual radio's.
    void ShowPort();

    AppState state_;
    std::unique_ptr<CIniFile> ini_;
    std::unique_ptr<CMyDocManager> docManager_;
    std::unique_ptr<VirtualRadio> radio_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<DocumentCommands> documents_;
    std::unique_ptr<CsvCommands> csv_;
    std::unique_ptr<PrintCommands> printing_;
    RecentFileList recent_;
};


// Loads Qt's own Chinese translations (the buttons and labels of the file,
// print and message dialogs) into the application, once; false when they
// are not installed.
bool InstallToolkitTranslation();

} // namespace kestra
