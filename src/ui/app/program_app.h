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
// application's own: new (asking "所有数据将会被清除！" while a document
// window is open), open, the recent files, save, save as, close, print
// setup, print, print preview and PDF export of the channel list, port and
// about, CSV import and export, opening a backup and comparing with a file,
// undo and redo, and read (guarded, then the view's).
//
// Unsaved changes are never lost without asking: closing a document window
// or the program, 新建, 打开 (and a recent file) and 读频 ask
// "文件已修改，是否保存？" first while the document they would replace holds
// changes not saved. 保存 saves it (存为, or 另存为 for a document without a
// file) and the command goes on only when that succeeded; 不保存 goes on;
// 取消 stops the command. Closing a document (关闭, its close box) closes
// it for good: after 不保存 its changes are gone. Opening a file opens it
// beside the open documents, each with its own image.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/document/app_state.h"
#include "lang/language.h"
#include "ui/app/csv_commands.h"
#include "ui/app/print_commands.h"
#include "ui/app/recent_files.h"

class QPrinter;
class QWidget;

namespace kestra {

class CChildFrame;
class ChannelPrintLayout;
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

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    // Opens a file as a new document window; a file that cannot be loaded
    // is reported and changes nothing. Returns the new window or null.
    CChildFrame* OpenDocumentFile(const QString& path);
    // 打开备份...: the open dialog in the backup folder (created when
    // missing), then the file chosen as 打开 opens it.
    void OnFileOpenBackup();
    // 比较...: the active document (its grid converted into the image) in
    // CCompareDlg; a channel chosen there becomes the grid's current row.
    void OnFileCompare();
    void OnFileSave();
    void OnFileSaveAs();
    // Saves the active document under path; a failure is reported.
    bool SaveDocumentAs(const QString& path);
    void OnFileClose();
    // Asks about the unsaved changes of child before they would be replaced
    // or closed; true when the command may go on (saved, or 不保存).
    bool MayDiscard(CChildFrame* child);
    // Saves child: under its file, or asking a name; false when cancelled or
    // failed (reported).
    bool SaveChild(CChildFrame* child);
    void OnEditUndo();
    void OnEditRedo();
    // 读频 into the active document, after MayDiscard.
    void OnRead();
    // A settings dialog run as one undo step of the active (or else the
    // current) document.
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
    bool SaveChildAs(CChildFrame* child, const QString& path);
    bool MayExit();

    AppState state_;
    std::unique_ptr<CIniFile> ini_;
    std::unique_ptr<CMyDocManager> docManager_;
    std::unique_ptr<VirtualRadio> radio_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CsvCommands> csv_;
    std::unique_ptr<PrintCommands> printing_;
    RecentFileList recent_;
};


// Loads Qt's own Chinese translations (the buttons and labels of the file,
// print and message dialogs) into the application, once; false when they
// are not installed.
bool InstallToolkitTranslation();

} // namespace kestra
