// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/document_commands.h"

#include <QDir>
#include <QFileInfo>

#include "core/document/dat_file.h"
#include "ui/app/child_frame.h"
#include "ui/app/main_frame.h"
#include "ui/app/message_box.h"
#include "ui/app/program_doc.h"
#include "ui/app/recent_files.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/compare_dlg.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/document_history.h"
#include "ui/grid/program_view.h"

namespace kestra {

namespace {

QString DatFilter() {
    return QString::fromUtf8(text::kDatFilter);
}

} // namespace

DocumentCommands::DocumentCommands(AppState& state, CMainFrame& frame, CMyDocManager& documents,
                                   RecentFileList& recent)
    : state_(state), frame_(frame), documents_(documents), recent_(recent) {}

void DocumentCommands::OnNew() {
    if (!frame_.DocumentWindows().isEmpty()) {
        CChildFrame* current = frame_.CurrentChild();
        if (current)
            current->view()->table()->CommitAndCloseEditor();
        // Unsaved changes are asked about; otherwise the warning that the
        // data goes.
        if (current && current->view()->history()->NeedsSaving()) {
            if (!MayDiscard(current))
                return;
        } else if (!AskOkCancel(&frame_, T(text::kConfirmNew))) {
            return;
        }
        // The new document takes the place of the current one.
        frame_.DestroyDocumentWindow(frame_.CurrentChild());
    }
    frame_.AddDocumentWindow(documents_.NewDocument());
}

void DocumentCommands::OpenChosenIn(const QString& folder, const char* command) {
    const QString path =
        AskOpenName(&frame_, T(command).remove(QStringLiteral("...")), folder, DatFilter());
    if (!path.isEmpty())
        OpenFile(path);
}

QString DocumentCommands::AskDatName(const QString& current) {
    return AskSaveName(&frame_, DatFilter(), QStringLiteral("dat"), current,
                       recent_.StartFolder());
}

void DocumentCommands::OnOpen() {
    OpenChosenIn(recent_.StartFolder(), text::kFileOpen);
}

void DocumentCommands::OnOpenBackup() {
    const QString folder = QDir::fromNativeSeparators(QString::fromStdString(state_.backupFolder));
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    OpenChosenIn(folder.isEmpty() ? recent_.StartFolder() : folder, text::kFileOpenBackup);
}

void DocumentCommands::OnCompare() {
    CProgramView* view = frame_.ActiveView();
    if (!view || !ShowsItsFile(frame_.ActiveChild(), text::kCompareWindowContent))
        return;
    view->ImageAsItStands(); // the dialog compares against it
    CCompareDlg dialog(state_, recent_.StartFolder(), &frame_);
    QObject::connect(&dialog, &CCompareDlg::channelChosen, view, [view](int row) {
        view->table()->SetCurrentCell(GridCell{row, view->table()->CurrentCell().col});
    });
    dialog.exec();
}

CChildFrame* DocumentCommands::OpenFile(const QString& path) {
    QString error;
    std::unique_ptr<CProgramDoc> doc = documents_.OpenDocumentFile(path, &error);
    if (!doc) {
        ShowMessage(&frame_, error);
        if (!QFileInfo::exists(CMyDocManager::NormalisePath(path)))
            recent_.Remove(CMyDocManager::NormalisePath(path));
        return nullptr;
    }
    // The file dialogs do not start among the backups: a save there could
    // replace one.
    recent_.Opened(doc->PathName(), !IsBackup(doc->PathName()));
    CChildFrame* child = frame_.AddDocumentWindow(std::move(doc));
    if (child)
        NoteLongerFile(*child->document());
    return child;
}

void DocumentCommands::NoteLongerFile(const CProgramDoc& doc) {
    const std::string note =
        DatFileLongerNote(QDir::toNativeSeparators(doc.PathName()).toStdString(), doc.SizeOnDisk());
    if (!note.empty())
        ShowMessage(&frame_, QString::fromStdString(note) + QLatin1Char('\n') +
                                 T(text::kSavingDropsTheRest));
}

void DocumentCommands::OnWrite() {
    CChildFrame* child = frame_.ActiveChild();
    if (child && ShowsItsFile(child, text::kWriteWindowContent))
        child->view()->OnWrite();
}

bool DocumentCommands::ShowsItsFile(CChildFrame* child, const char* goOn) {
    if (!child)
        return false;
    child->view()->table()->CommitAndCloseEditor();
    CProgramDoc* doc = child->document();
    const QString path = doc->PathName();
    if (child->view()->history()->NeedsSaving() || !doc->FileChangedSince(path))
        return true;
    switch (AskChangedFile(&frame_, T(text::kFileChangedOnDisk).arg(QDir::toNativeSeparators(path)),
                           T(goOn))) {
    case ChangedFileChoice::GoOn:
        return true;
    case ChangedFileChoice::Cancel:
        return false;
    case ChangedFileChoice::Reload:
        break;
    }
    QString error;
    bool loaded = false;
    child->view()->RunAsStep(
        text::kStepReload,
        [&] {
            loaded = doc->OnOpenDocument(path, &error);
            if (loaded)
                doc->UnparkImage();
        },
        true);
    if (!loaded) {
        ShowMessage(&frame_, error);
        return false;
    }
    child->view()->history()->MarkClean();
    NoteLongerFile(*doc);
    return false;
}

void DocumentCommands::OnSave() {
    if (CChildFrame* child = frame_.ActiveChild())
        SaveChild(child);
}

void DocumentCommands::OnSaveAs() {
    CChildFrame* child = frame_.ActiveChild();
    if (!child)
        return;
    const QString path = AskDatName(child->document()->PathName());
    if (!path.isEmpty())
        SaveChildAs(child, path);
}

bool DocumentCommands::SaveChild(CChildFrame* child) {
    if (!child)
        return false;
    QString path = child->document()->PathName();
    // A backup keeps the radio's memory as it was: what was made of it is
    // saved under a name of the user's.
    if (path.isEmpty() || IsBackup(path)) {
        path = AskDatName(QString());
        if (path.isEmpty())
            return false;
    }
    return SaveChildAs(child, path);
}

bool DocumentCommands::SaveAs(const QString& path) {
    CChildFrame* child = frame_.ActiveChild();
    return child && SaveChildAs(child, path);
}

bool DocumentCommands::IsBackup(const QString& path) const {
    // Both canonical paths are empty when neither folder exists.
    const QString folder = QDir(QString::fromStdString(state_.backupFolder)).canonicalPath();
    return !folder.isEmpty() && QFileInfo(path).dir().canonicalPath() == folder;
}

bool DocumentCommands::SaveChildAs(CChildFrame* child, const QString& path) {
    QString error;
    const QString full = CMyDocManager::NormalisePath(path);
    if (child->document()->FileChangedSince(full) &&
        !AskOkCancel(&frame_, T(text::kFileChangedSince).arg(QDir::toNativeSeparators(full)), true))
        return false;
    const long long longer = LongerThanImage(full.toStdString());
    if (longer > 0 && !AskOkCancel(&frame_,
                                   T(text::kSaveOverLongerFile)
                                       .arg(QDir::toNativeSeparators(full), QString::number(longer),
                                            QString::number(kImageSize)),
                                   true))
        return false;
    if (!child->document()->OnSaveDocument(full, child->view(), &error)) {
        ShowMessage(&frame_, error);
        return false;
    }
    child->view()->history()->MarkClean();
    recent_.Opened(full, !IsBackup(full));
    return true;
}

bool DocumentCommands::MayDiscard(CChildFrame* child) {
    if (!child)
        return true;
    // The open editor's text is a change too.
    child->view()->table()->CommitAndCloseEditor();
    if (!child->view()->history()->NeedsSaving())
        return true;
    if (frame_.ActiveChild() != child)
        frame_.ShowChild(child);
    const QString path = child->document()->PathName();
    switch (AskSaveChanges(&frame_, path.isEmpty() ? child->document()->Title()
                                                   : QDir::toNativeSeparators(path))) {
    case SaveChoice::Save:
        return SaveChild(child);
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool DocumentCommands::MayExit() {
    for (CChildFrame* child : frame_.DocumentWindows())
        if (!MayDiscard(child))
            return false;
    return true;
}

void DocumentCommands::OnClose() {
    // The document closes with its window: changes left with 不保存 are
    // gone, and nothing can bring them back or send them to the radio.
    CChildFrame* child = frame_.ActiveChild();
    if (child && MayDiscard(child))
        frame_.DestroyDocumentWindow(child);
}

void DocumentCommands::OnUndo() {
    if (CProgramView* view = frame_.ActiveView()) {
        // Text typed into an open editor is committed first: undo takes it
        // back.
        view->table()->CommitAndCloseEditor();
        view->history()->Undo();
    }
}

void DocumentCommands::OnRedo() {
    if (CProgramView* view = frame_.ActiveView()) {
        view->table()->CommitAndCloseEditor();
        view->history()->Redo();
    }
}

void DocumentCommands::OnRead() {
    CChildFrame* child = frame_.ActiveChild();
    if (child && MayDiscard(child))
        child->view()->OnRead();
}

} // namespace kestra
