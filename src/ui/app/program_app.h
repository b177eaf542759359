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
// setup, print, port and about, CSV import
// and export, opening a backup and comparing with a file.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "core/document/app_state.h"

class QWidget;

namespace kestra {

class CChildFrame;
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
    // CSV interchange of the active document's channels. Export converts
    // the grid into the image and writes every non-empty channel; import
    // reads the file, previews it (CCsvImportDlg) and, on 导入, lands the
    // rows in the image and the grid. Failures are reported.
    void OnFileExportCsv();
    bool ExportCsvTo(const QString& path);
    void OnFileImportCsv();
    bool ImportCsvFrom(const QString& path);
    void OnFilePrintSetup();
    void OnFilePrint();
    void OnPortSetup();
    void OnAppAbout();

    QStringList RecentFiles() const;
    // Where the file dialogs start: the folder of the last file opened or
    // saved while it exists, else the home folder.
    QString StartFolder() const;

private:
    void LoadSettings(const CommandLine& line);
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void StoreRecentFiles(const QStringList& files);
    void RememberFolder(const QString& filePath);
    void ConnectCommands();

    AppState state_;
    std::unique_ptr<CIniFile> ini_;
    std::unique_ptr<CMyDocManager> docManager_;
    std::unique_ptr<VirtualRadio> radio_;
    std::unique_ptr<CMainFrame> frame_;
    struct PrinterHolder;
    std::unique_ptr<PrinterHolder> printer_;
    QString lastFolder_;
};

// The settings of the recent-file list (4 entries).
inline constexpr const char* kRecentFilesGroup = "Recent File List";
// The per-user setting of the folder the file dialogs start in.
inline constexpr const char* kLastFolderKey = "Settings/LastFolder";

// Loads Qt's own Chinese translations (the buttons and labels of the file,
// print and message dialogs) into the application, once; false when they
// are not installed.
bool InstallToolkitTranslation();

} // namespace kestra
