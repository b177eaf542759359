// CMainFrame: the main window. Caption "写频软件"; menus, toolbar and status
// bar; the navigation tree panel on the left; the MDI area with the document
// windows on a tiled background ("BackGround.bmp" next to the program, else
// the built-in tile).
//
// Menus (command identifiers as the radio's programming software numbers
// them; entries whose dialogs do not exist yet are present but disabled):
//
//   文件  新建 Ctrl+N | 打开... Ctrl+O | 关闭 | 存为 Ctrl+S | 另存为... |
//         recent files | 打印设置... | 退出
//   编辑  信道信息 | 可选功能 | DTMF | 机型 | 收音机
//         (+ 参数调节, DTMF 初始化 after the factory unlock)
//   编程  读频 Ctrl+R | 写频 Ctrl+W
//   设置  串口
//   视图  工具栏 | 状态栏 | 分隔栏 Ctrl+B
//   帮助  关于...
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "ui/app/lock_keys.h"
#include "core/document/app_state.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kestra {

class CChildFrame;
class CIniFile;
class CNavTreeBar;
class CProgramDoc;
class CProgramView;

// Command identifiers.
enum CommandId : int {
    kIdFileNew = 57600,
    kIdFileOpen = 57601,
    kIdFileClose = 57602,
    kIdFileSave = 57603,
    kIdFileSaveAs = 57604,
    kIdFilePrintSetup = 57606,
    kIdFilePrint = 57607,
    kIdAppAbout = 57664,
    kIdAppExit = 57665,
    kIdViewToolbar = 59392,
    kIdViewStatusBar = 59393,
    kIdViewSplitter = 32772,
    kIdRead = 32773,
    kIdWrite = 32774,
    kIdPortSetup = 32777,
    kIdEditChannels = 32787,
    kIdEditOptional = 32788,
    kIdEditDtmf = 32789,
    kIdEditModel = 32805,
    kIdEditFmRadio = 32806,
    kIdParamTuning = 32807,
    kIdDtmfInit = 32808,
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 4;

    CMainFrame(AppState& state, CIniFile& ini, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* action(int id) const;
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* editMenu() const { return editMenu_; }
    QMdiArea* mdiArea() const { return mdi_; }
    CNavTreeBar* treeBar() const { return treeBar_; }
    QToolBar* toolBar() const { return toolBar_; }
    QLabel* indicator(int i) const { return indicators_[i]; }

    // Document windows.
    CChildFrame* AddDocumentWindow(std::unique_ptr<CProgramDoc> doc);
    void DestroyDocumentWindow(CChildFrame* child);
    QList<CChildFrame*> DocumentWindows() const;
    // The active document window (hidden or not), else the newest one.
    CChildFrame* ActiveChild() const;
    CProgramView* ActiveView() const;

    // "信道信息": the active document window shown in its normal state.
    void ShowChannels();
    // The factory unlock's menu entries, appended to "编辑" once.
    void AppendFactoryMenuItems();
    void SetRecentFiles(const QStringList& files);

signals:
    void recentFileChosen(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAction* AddAction(QMenu* menu, int id, const char* text, const QKeySequence& key = {},
                       const char* icon = nullptr);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTreeBar();
    void LoadBackground();
    void OnTreeItem(const QString& label);
    void OnPortSetup();
    void UpdateCommands();
    void UpdateIndicators(const LockKeyState& state);

    AppState& state_;
    CIniFile& ini_;
    QMdiArea* mdi_;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QToolBar* toolBar_ = nullptr;
    CNavTreeBar* treeBar_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* indicators_[3] = {nullptr, nullptr, nullptr};
    LockKeyState locks_;
    std::map<int, QAction*> actions_;
    // The last activated document window (checked with qobject_cast: it may
    // be going).
    QPointer<QMdiSubWindow> current_;
};

// The icon of a toolbar command from the resources ("new", "open", ...).
QIcon CommandIcon(const char* name);
// The application's icon.
QIcon ApplicationIcon();

} // namespace kestra
