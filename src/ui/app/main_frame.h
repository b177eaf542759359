// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: the main window. Caption "写频软件 - <document>" ("*" while
// it is modified), the bare "写频软件" without a document; menus, toolbar
// and status bar; the navigation tree panel on the left; the MDI area with
// the document windows on a tiled background ("BackGround.bmp" next to the
// program, else the built-in tile).
//
// Menus, toolbar, tree items and shortcuts are built from the command table
// (command_table.h); every one of them reports its command identifier through
// commandTriggered, and the application runs the command. Every menu and
// entry has an access key (access_keys.h); F10 opens the menu bar.
//
// Closing a document window and closing the main window go through the
// guards the application sets (unsaved changes); without one they just
// happen. A closed document window is gone with its document.
//
// The commands act on the current document window: the one last activated.
// The AppState's image is always that document's (CProgramDoc parks and
// unparks the images as windows are activated). Document windows open
// maximised in the MDI area; 窗口 lists them, switches between them
// (Ctrl+Tab, Ctrl+Shift+Tab) and cascades or tiles them.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "core/document/app_state.h"
#include "ui/app/command_table.h"
#include "ui/app/lock_keys.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;

namespace kestra {

class CChildFrame;
class CNavTreeBar;
class CProgramDoc;
class CProgramView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 4;
    // How long a message stays in the status bar.
    static constexpr int kStatusMessageMs = 5000;

    explicit CMainFrame(AppState& state, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* action(int id) const;
    QMenu* menu(MenuId id) const;
    QMenu* fileMenu() const { return menu(MenuId::File); }
    QMenu* editMenu() const { return menu(MenuId::Edit); }
    QMdiArea* mdiArea() const { return mdi_; }
    CNavTreeBar* treeBar() const { return treeBar_; }
    QToolBar* toolBar() const { return toolBar_; }
    QStatusBar* status() const { return status_; }
    QLabel* indicator(int i) const { return indicators_[i]; }
    // Shows that the exchanges go to the virtual radio on device; an empty
    // device hides the pane.
    void ShowVirtualRadio(const QString& device);

    // Document windows. A new window's document becomes the current one.
    CChildFrame* AddDocumentWindow(std::unique_ptr<CProgramDoc> doc);
    // Closes a document window and its document; the grid is not converted
    // (the document was saved or its changes discarded).
    void DestroyDocumentWindow(CChildFrame* child);
    QList<CChildFrame*> DocumentWindows() const;
    // The window the commands act on: the current document window.
    CChildFrame* ActiveChild() const;
    CProgramView* ActiveView() const;
    // The same as ActiveChild (kept for the callers that ask for the window
    // "信道信息" shows).
    CChildFrame* CurrentChild() const { return ActiveChild(); }

    // "信道信息": the current document window shown (restored when
    // minimised).
    void ShowChannels();
    // A document window shown and made the current one.
    void ShowChild(CChildFrame* child);
    // 窗口 -> 层叠 (false) or 平铺 (true).
    void ArrangeDocumentWindows(bool tile);
    // Ctrl+Tab (step 1) and Ctrl+Shift+Tab (step -1): the next or previous
    // document window in the order they were opened, wrapping.
    void ActivateNextDocument(int step);
    // The factory unlock's menu entries, appended to their menu once.
    void AppendFactoryMenuItems();
    void SetRecentFiles(const QStringList& files);
    // A message in the status bar for kStatusMessageMs.
    void ShowStatusMessage(const QString& text);
    // Enables and checks the commands by their rules.
    void UpdateCommands();

    // Decides whether a document window whose close box was clicked is
    // closed (true) or stays.
    void SetCloseGuard(std::function<bool(CChildFrame*)> guard) { closeGuard_ = std::move(guard); }
    // Decides whether the main window (the program) closes.
    void SetExitGuard(std::function<bool()> guard) { exitGuard_ = std::move(guard); }

signals:
    // A menu entry, toolbar button, shortcut or tree item chose a command.
    void commandTriggered(int id);
    void recentFileChosen(const QString& path);
    // Files dropped on the window, each to be opened as 打开 opens it.
    void filesDropped(const QStringList& paths);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTreeBar();
    void LoadBackground();
    // Makes child the current document: the image of the one before is
    // parked with its document and child's is put in the AppState.
    void MakeCurrent(CChildFrame* child);
    void LeaveCurrent(CChildFrame* before);
    void NumberCopies();
    // The open documents at the end of 窗口.
    void FillWindowMenu();
    void UpdateIndicators(const LockKeyState& state);
    void UpdateCaption();
    QString Caption() const;

    AppState& state_;
    QMdiArea* mdi_;
    std::map<MenuId, QMenu*> menus_;
    std::map<const char*, QMenu*> submenus_; // by their text (CommandRow::submenu)
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> windowActions_;
    QToolBar* toolBar_ = nullptr;
    CNavTreeBar* treeBar_ = nullptr;
    bool treeSized_ = false; // the tree has its width for the first show
    QStatusBar* status_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* indicators_[3] = {nullptr, nullptr, nullptr};
    QLabel* virtualRadio_ = nullptr;
    LockKeyState locks_;
    std::map<int, QAction*> actions_;
    // The current document window, whose document owns the AppState's
    // image (checked with qobject_cast: it may be going).
    QPointer<QMdiSubWindow> current_;
    std::function<bool(CChildFrame*)> closeGuard_;
    std::function<bool()> exitGuard_;
};

// The icon of a toolbar command from the resources ("new", "open", ...).
QIcon CommandIcon(const char* name);
// The application's icon.
QIcon ApplicationIcon();

} // namespace kestra
