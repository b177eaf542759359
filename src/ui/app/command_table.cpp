// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_table.h"

#include <QStatusBar>
#include <QToolBar>

#include "ui/app/arrange_texts.h"
#include "ui/app/main_frame.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/program_app.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/dtmf_dlg.h"
#include "ui/dialogs/dtmf_init_dlg.h"
#include "ui/dialogs/fm_radio_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/dialogs/param_tuning_dlg.h"
#include "ui/grid/channel_arranger.h"
#include "ui/grid/document_history.h"
#include "ui/grid/program_view.h"

namespace kestra {

bool Always(const CMainFrame&) {
    return true;
}

bool WithActiveDocument(const CMainFrame& frame) {
    return frame.ActiveChild() != nullptr;
}

bool WithDocument(const CMainFrame& frame) {
    return !frame.DocumentWindows().isEmpty();
}

bool CanUndo(const CMainFrame& frame) {
    const CProgramView* view = frame.ActiveView();
    return view && view->history()->stack()->canUndo();
}

bool CanRedo(const CMainFrame& frame) {
    const CProgramView* view = frame.ActiveView();
    return view && view->history()->stack()->canRedo();
}

namespace {

void ToggleVisible(QWidget* bar) {
    bar->setVisible(bar->isHidden());
}

// The arranging commands act on the active document window, when there is one.
void Arrange(CProgramApp& a, void (*command)(ChannelArranger&)) {
    if (ChannelArranger* arranger = ChannelArranger::Of(a.frame()->ActiveView()))
        command(*arranger);
}

} // namespace

const std::vector<MenuRow>& MenuTable() {
    static const std::vector<MenuRow> menus = {
        {MenuId::File, text::kMenuFile},       {MenuId::Edit, text::kMenuEdit},
        {MenuId::Program, text::kMenuProgram}, {MenuId::Setup, text::kMenuSetup},
        {MenuId::View, text::kMenuView},       {MenuId::Window, text::kMenuWindow},
        {MenuId::Help, text::kMenuHelp},
    };
    return menus;
}

const std::vector<CommandRow>& CommandTable() {
    using M = MenuId;
    static const std::vector<CommandRow> rows = {
        // 文件
        {kIdFileNew, text::kFileNew, "Ctrl+N", "new", Always, [](CProgramApp& a) { a.OnFileNew(); },
         M::File, 1},
        {kIdFileOpen, text::kFileOpen, "Ctrl+O", "open", Always,
         [](CProgramApp& a) { a.OnFileOpen(); }, M::File, 1},
        {kIdFileOpenBackup, text::kFileOpenBackup, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnFileOpenBackup(); }, M::File},
        {kIdFileClose, text::kFileClose, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileClose(); }, M::File},
        {kIdFileSave, text::kFileSave, "Ctrl+S", "save", WithActiveDocument,
         [](CProgramApp& a) { a.OnFileSave(); }, M::File, 2},
        {kIdFileSaveAs, text::kFileSaveAs, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileSaveAs(); }, M::File},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        {kIdFileCompare, text::kFileCompare, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileCompare(); }, M::File},
        {kIdFileImportCsv, text::kFileImportCsv, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileImportCsv(); }, M::File},
        {kIdFileExportCsv, text::kFileExportCsv, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileExportCsv(); }, M::File},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        {kIdRecentFiles, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        // 打印... is also on the toolbar.
        {kIdFilePrint, text::kFilePrint, "Ctrl+P", "print", WithActiveDocument,
         [](CProgramApp& a) { a.OnFilePrint(); }, M::File, 4},
        {kIdFilePrintPreview, text::kFilePrintPreview, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFilePrintPreview(); }, M::File},
        {kIdFileExportPdf, text::kFileExportPdf, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.OnFileExportPdf(); }, M::File},
        {kIdFilePrintSetup, text::kFilePrintSetup, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnFilePrintSetup(); }, M::File},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        {kIdAppExit, text::kFileExit, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.frame()->close(); }, M::File},

        // 编辑 (the navigation tree shows 信道信息, 可选功能 and DTMF)
        {kIdEditUndo, text::kEditUndo, "Ctrl+Z", "undo", CanUndo,
         [](CProgramApp& a) { a.OnEditUndo(); }, M::Edit, 5},
        {kIdEditRedo, text::kEditRedo, "Ctrl+Y", "redo", CanRedo,
         [](CProgramApp& a) { a.OnEditRedo(); }, M::Edit, 5, false, false, nullptr,
         "Ctrl+Shift+Z"},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::Edit},
        // Arranging whole channels of the grid.
        {kIdEditMoveUp, text::kEditMoveUp, "Ctrl+Shift+Up", nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.MoveSelection(-1); }); },
         M::Edit},
        {kIdEditMoveDown, text::kEditMoveDown, "Ctrl+Shift+Down", nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.MoveSelection(1); }); },
         M::Edit},
        {kIdEditInsertChannel, text::kEditInsertChannel, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.InsertAtCurrent(); }); },
         M::Edit},
        {kIdEditDeleteChannel, text::kEditDeleteChannel, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.DeleteSelection(); }); },
         M::Edit},
        {kIdEditSortChannels, text::kEditSortChannels, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.Sort(); }); },
         M::Edit},
        {kIdEditFind, text::kEditFind, "Ctrl+F", nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.Find(); }); },
         M::Edit},
        {kIdEditFindNext, text::kEditFindNext, "F3", nullptr, WithActiveDocument,
         [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.FindNext(); }); },
         M::Edit},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::Edit},
        {kIdEditChannels, text::kEditChannels, nullptr, nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ShowChannels(); }, M::Edit, 0, true},
        {kIdEditOptional, text::kEditOptional, nullptr, nullptr, Always,
         [](CProgramApp& a) {
             a.RunDialogAsStep("options", text::kEditOptional,
                               [&a] { COptionalFeaturesDlg(a.state(), a.frame()).exec(); });
         },
         M::Edit, 0, true},
        {kIdEditDtmf, text::kEditDtmf, nullptr, nullptr, Always,
         [](CProgramApp& a) {
             a.RunDialogAsStep("dtmf", text::kEditDtmf, [&a] { CDtmfDlg(a.state(), a.frame()).exec(); });
         },
         M::Edit, 0, true},
        {kIdEditModel, text::kEditModel, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.frame()->ActiveView()->OnModelInfo(); }, M::Edit},
        {kIdEditFmRadio, text::kEditFmRadio, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) {
             a.RunDialogAsStep("fm", text::kEditFmRadio,
                               [&a] { CFmRadioDlg(a.state(), a.frame()).exec(); });
         },
         M::Edit},
        {kIdParamTuning, text::kEditParamTuning, nullptr, nullptr, Always,
         [](CProgramApp& a) {
             a.RunDialogAsStep("tuning", text::kEditParamTuning,
                               [&a] { CParamTuningDlg(a.state(), a.frame()).exec(); });
         },
         M::Edit, 0, false, true},
        {kIdDtmfInit, text::kEditDtmfInit, nullptr, nullptr, Always,
         [](CProgramApp& a) {
             a.RunDialogAsStep("decoder", text::kEditDtmfInit,
                               [&a] { CDtmfInitDlg(a.state(), a.frame()).exec(); });
         },
         M::Edit, 0, false, true},

        // 编程
        {kIdRead, text::kProgramRead, "Ctrl+R", "read", WithActiveDocument,
         [](CProgramApp& a) { a.OnRead(); }, M::Program, 3},
        {kIdWrite, text::kProgramWrite, "Ctrl+W", "write", WithActiveDocument,
         [](CProgramApp& a) { a.frame()->ActiveView()->OnWrite(); }, M::Program, 3},

        // 设置
        {kIdPortSetup, text::kSetupPort, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnPortSetup(); }, M::Setup},

        // 视图
        {kIdViewToolbar, text::kViewToolbar, nullptr, nullptr, Always,
         [](CProgramApp& a) { ToggleVisible(a.frame()->toolBar()); }, M::View, 0, false, false,
         [](const CMainFrame& f) { return !f.toolBar()->isHidden(); }},
        {kIdViewStatusBar, text::kViewStatusBar, nullptr, nullptr, Always,
         [](CProgramApp& a) { ToggleVisible(a.frame()->statusBar()); }, M::View, 0, false, false,
         [](const CMainFrame& f) { return !f.statusBar()->isHidden(); }},
        {kIdViewSplitter, text::kViewSplitter, "Ctrl+B", nullptr, Always,
         [](CProgramApp& a) { ToggleVisible(a.frame()->treeBar()); }, M::View, 0, false, false,
         [](const CMainFrame& f) { return !f.treeBar()->isHidden(); }},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::View},
        {kIdViewChinese, text::kLanguageChinese, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnViewLanguage(Language::Chinese); }, M::View, 0, false, false,
         [](const CMainFrame&) { return ChosenLanguage() == Language::Chinese; }, nullptr,
         text::kViewLanguage},
        {kIdViewEnglish, text::kLanguageEnglish, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnViewLanguage(Language::English); }, M::View, 0, false, false,
         [](const CMainFrame&) { return ChosenLanguage() == Language::English; }, nullptr,
         text::kViewLanguage},

        // 窗口 (the open documents follow these entries)
        {kIdWindowCascade, text::kWindowCascade, nullptr, nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ArrangeDocumentWindows(false); }, M::Window},
        {kIdWindowTile, text::kWindowTile, nullptr, nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ArrangeDocumentWindows(true); }, M::Window},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::Window},
        {kIdWindowNext, text::kWindowNext, "Ctrl+Tab", nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ActivateNextDocument(1); }, M::Window},
        {kIdWindowPrevious, text::kWindowPrevious, "Ctrl+Shift+Tab", nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ActivateNextDocument(-1); }, M::Window},

        // 帮助
        {kIdAppAbout, text::kHelpAbout, nullptr, "about", Always,
         [](CProgramApp& a) { a.OnAppAbout(); }, M::Help, 4},
    };
    return rows;
}

const CommandRow* FindCommand(int id) {
    if (id == kIdSeparator || id == kIdRecentFiles)
        return nullptr;
    for (const CommandRow& row : CommandTable())
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace kestra
