// SPDX-License-Identifier: GPL-3.0-or-later
// The document commands of 文件 and 编辑: new (asking "所有数据将会被清除！"
// while a document window is open), open, a recent file, open a backup,
// compare, save, save as, close, undo and redo, and read's guard.
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

#include <QString>

namespace kestra {

struct AppState;
class CChildFrame;
class CMainFrame;
class CMyDocManager;
class CProgramDoc;
class RecentFileList;

class DocumentCommands {
public:
    DocumentCommands(AppState& state, CMainFrame& frame, CMyDocManager& documents,
                     RecentFileList& recent);

    void OnNew();
    void OnOpen();
    // Opens a file as a new document window; a file that cannot be loaded
    // is reported (and leaves the recent list when it is gone) and changes
    // nothing. Returns the new window or null.
    CChildFrame* OpenFile(const QString& path);
    // 打开备份...: the open dialog in the backup folder (created when
    // missing), then the file chosen as 打开 opens it.
    void OnOpenBackup();
    // 比较...: the active document (its grid converted into the image) in
    // CCompareDlg; a channel chosen there becomes the grid's current row.
    // Asked first as 写频 asks (ShowsItsFile).
    void OnCompare();
    // 写频 of the active document, after ShowsItsFile.
    void OnWrite();
    void OnSave();
    void OnSaveAs();
    // Saves the active document under path; a failure is reported.
    bool SaveAs(const QString& path);
    void OnClose();
    void OnUndo();
    void OnRedo();
    // 读频 into the active document, after MayDiscard.
    void OnRead();

    // Asks about the unsaved changes of child before they would be replaced
    // or closed; true when the command may go on (saved, or 不保存).
    bool MayDiscard(CChildFrame* child);
    // MayDiscard for every document window, before the program ends.
    bool MayExit();
    // Saves child: under its file, or asking a name; false when cancelled or
    // failed (reported).
    bool SaveChild(CChildFrame* child);

private:
    // Asks before a save over a file another window or program changed
    // since, and over a file longer than an image (its bytes beyond the
    // image's would be lost); Cancel is the default of both.
    bool SaveChildAs(CChildFrame* child, const QString& path);
    // True when a command may go on with what child shows. An unmodified
    // window whose file another window or program changed since asks:
    // 重新载入 (the file into the window, as one undo step; the command
    // stops), goOn (what the window shows), or 取消.
    bool ShowsItsFile(CChildFrame* child, const char* goOn);
    // Says that only the image's bytes of a longer file were read.
    void NoteLongerFile(const CProgramDoc& doc);
    // path lies in the backups folder.
    bool IsBackup(const QString& path) const;
    // The open dialog of command for a .dat file in folder; the chosen file
    // opens.
    void OpenChosenIn(const QString& folder, const char* command);
    // The save dialog for a .dat file, current suggested; empty when cancelled.
    QString AskDatName(const QString& current);

    AppState& state_;
    CMainFrame& frame_;
    CMyDocManager& documents_;
    RecentFileList& recent_;
};

} // namespace kestra
