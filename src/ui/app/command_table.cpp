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

CommandRow Command(int id, const char* text, MenuId menu, EnableRule enabled,
                   CommandHandler handler) {
    CommandRow row;
    row.id = id;
    row.text = text;
    row.menu = menu;
    row.enabled = enabled;
    row.handler = handler;
    return row;
}

CommandRow Separator(MenuId menu) {
    CommandRow row;
    row.menu = menu;
    row.enabled = Always;
    return row;
}

CommandRow RecentFiles(MenuId menu) {
    CommandRow row = Separator(menu);
    row.id = kIdRecentFiles;
    return row;
}

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
        Command(kIdFileNew, text::kFileNew, M::File, Always,
                [](CProgramApp& a) { a.documents().OnNew(); })
            .Key("Ctrl+N")
            .Icon("new")
            .Toolbar(1),
        Command(kIdFileOpen, text::kFileOpen, M::File, Always,
                [](CProgramApp& a) { a.documents().OnOpen(); })
            .Key("Ctrl+O")
            .Icon("open")
            .Toolbar(1),
        Command(kIdFileOpenBackup, text::kFileOpenBackup, M::File, Always,
                [](CProgramApp& a) { a.documents().OnOpenBackup(); }),
        Command(kIdFileClose, text::kFileClose, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnClose(); }),
        Command(kIdFileSave, text::kFileSave, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnSave(); })
            .Key("Ctrl+S")
            .Icon("save")
            .Toolbar(2),
        Command(kIdFileSaveAs, text::kFileSaveAs, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnSaveAs(); }),
        Separator(M::File),
        Command(kIdFileCompare, text::kFileCompare, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnCompare(); }),
        Command(kIdFileImportCsv, text::kFileImportCsv, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.csv().OnImport(); }),
        Command(kIdFileExportCsv, text::kFileExportCsv, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.csv().OnExport(); }),
        Separator(M::File),
        RecentFiles(M::File),
        Separator(M::File),
        // 打印... is also on the toolbar.
        Command(kIdFilePrint, text::kFilePrint, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.printing().OnPrint(); })
            .Key("Ctrl+P")
            .Icon("print")
            .Toolbar(4),
        Command(kIdFilePrintPreview, text::kFilePrintPreview, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.printing().OnPrintPreview(); }),
        Command(kIdFileExportPdf, text::kFileExportPdf, M::File, WithActiveDocument,
                [](CProgramApp& a) { a.printing().OnExportPdf(); }),
        Command(kIdFilePrintSetup, text::kFilePrintSetup, M::File, Always,
                [](CProgramApp& a) { a.printing().OnPrintSetup(); }),
        Separator(M::File),
        Command(kIdAppExit, text::kFileExit, M::File, Always,
                [](CProgramApp& a) { a.frame()->close(); }),

        // 编辑 (the navigation tree shows 信道信息, 可选功能 and DTMF)
        Command(kIdEditUndo, text::kEditUndo, M::Edit, CanUndo,
                [](CProgramApp& a) { a.documents().OnUndo(); })
            .Key("Ctrl+Z")
            .Icon("undo")
            .Toolbar(5),
        Command(kIdEditRedo, text::kEditRedo, M::Edit, CanRedo,
                [](CProgramApp& a) { a.documents().OnRedo(); })
            .Key("Ctrl+Y")
            .AltKey("Ctrl+Shift+Z")
            .Icon("redo")
            .Toolbar(5),
        Separator(M::Edit),
        // Arranging whole channels of the grid.
        Command(kIdEditMoveUp, text::kEditMoveUp, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.MoveSelection(-1); }); })
            .Key("Ctrl+Shift+Up"),
        Command(kIdEditMoveDown, text::kEditMoveDown, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.MoveSelection(1); }); })
            .Key("Ctrl+Shift+Down"),
        Command(
            kIdEditInsertChannel, text::kEditInsertChannel, M::Edit, WithActiveDocument,
            [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.InsertAtCurrent(); }); }),
        Command(
            kIdEditDeleteChannel, text::kEditDeleteChannel, M::Edit, WithActiveDocument,
            [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.DeleteSelection(); }); }),
        Command(kIdEditSortChannels, text::kEditSortChannels, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.Sort(); }); }),
        Command(kIdEditFind, text::kEditFind, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.Find(); }); })
            .Key("Ctrl+F"),
        Command(kIdEditFindNext, text::kEditFindNext, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { Arrange(a, [](ChannelArranger& r) { r.FindNext(); }); })
            .Key("F3"),
        Separator(M::Edit),
        Command(kIdEditChannels, text::kEditChannels, M::Edit, WithDocument,
                [](CProgramApp& a) { a.frame()->ShowChannels(); })
            .InTree(),
        // The settings of the open document: none to edit without one (what
        // was edited would be gone with the next document).
        Command(kIdEditOptional, text::kEditOptional, M::Edit, WithActiveDocument,
                [](CProgramApp& a) {
                    a.RunDialogAsStep("options", text::kEditOptional,
                                      [&a] { COptionalFeaturesDlg(a.state(), a.frame()).exec(); });
                })
            .InTree(),
        Command(kIdEditDtmf, text::kEditDtmf, M::Edit, WithActiveDocument,
                [](CProgramApp& a) {
                    a.RunDialogAsStep("dtmf", text::kEditDtmf,
                                      [&a] { CDtmfDlg(a.state(), a.frame()).exec(); });
                })
            .InTree(),
        Command(kIdEditModel, text::kEditModel, M::Edit, WithActiveDocument,
                [](CProgramApp& a) { a.frame()->ActiveView()->OnModelInfo(); }),
        Command(kIdEditFmRadio, text::kEditFmRadio, M::Edit, WithActiveDocument,
                [](CProgramApp& a) {
                    a.RunDialogAsStep("fm", text::kEditFmRadio,
                                      [&a] { CFmRadioDlg(a.state(), a.frame()).exec(); });
                }),
        Command(kIdParamTuning, text::kEditParamTuning, M::Edit, WithActiveDocument,
                [](CProgramApp& a) {
                    a.RunDialogAsStep("tuning", text::kEditParamTuning,
                                      [&a] { CParamTuningDlg(a.state(), a.frame()).exec(); });
                })
            .Factory(),
        Command(kIdDtmfInit, text::kEditDtmfInit, M::Edit, WithActiveDocument,
                [](CProgramApp& a) {
                    a.RunDialogAsStep("decoder", text::kEditDtmfInit,
                                      [&a] { CDtmfInitDlg(a.state(), a.frame()).exec(); });
                })
            .Factory(),

        // 编程
        Command(kIdRead, text::kProgramRead, M::Program, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnRead(); })
            .Key("Ctrl+R")
            .Icon("read")
            .Toolbar(3),
        Command(kIdWrite, text::kProgramWrite, M::Program, WithActiveDocument,
                [](CProgramApp& a) { a.documents().OnWrite(); })
            .Key("Ctrl+W")
            .Icon("write")
            .Toolbar(3),

        // 设置
        Command(kIdPortSetup, text::kSetupPort, M::Setup, Always,
                [](CProgramApp& a) { a.OnPortSetup(); }),

        // 视图
        Command(kIdViewToolbar, text::kViewToolbar, M::View, Always,
                [](CProgramApp& a) { ToggleVisible(a.frame()->toolBar()); })
            .Checked([](const CMainFrame& f) { return !f.toolBar()->isHidden(); }),
        Command(kIdViewStatusBar, text::kViewStatusBar, M::View, Always,
                [](CProgramApp& a) { ToggleVisible(a.frame()->statusBar()); })
            .Checked([](const CMainFrame& f) { return !f.statusBar()->isHidden(); }),
        Command(kIdViewSplitter, text::kViewSplitter, M::View, Always,
                [](CProgramApp& a) { ToggleVisible(a.frame()->treeBar()); })
            .Key("Ctrl+B")
            .Checked([](const CMainFrame& f) { return !f.treeBar()->isHidden(); }),
        Separator(M::View),
        Command(kIdViewChinese, text::kLanguageChinese, M::View, Always,
                [](CProgramApp& a) { a.OnViewLanguage(Language::Chinese); })
            .Checked([](const CMainFrame&) { return ChosenLanguage() == Language::Chinese; })
            .Submenu(text::kViewLanguage),
        Command(kIdViewEnglish, text::kLanguageEnglish, M::View, Always,
                [](CProgramApp& a) { a.OnViewLanguage(Language::English); })
            .Checked([](const CMainFrame&) { return ChosenLanguage() == Language::English; })
            .Submenu(text::kViewLanguage),

        // 窗口 (the open documents follow these entries)
        Command(kIdWindowCascade, text::kWindowCascade, M::Window, WithDocument,
                [](CProgramApp& a) { a.frame()->ArrangeDocumentWindows(false); }),
        Command(kIdWindowTile, text::kWindowTile, M::Window, WithDocument,
                [](CProgramApp& a) { a.frame()->ArrangeDocumentWindows(true); }),
        Separator(M::Window),
        Command(kIdWindowNext, text::kWindowNext, M::Window, WithDocument,
                [](CProgramApp& a) { a.frame()->ActivateNextDocument(1); })
            .Key("Ctrl+Tab"),
        Command(kIdWindowPrevious, text::kWindowPrevious, M::Window, WithDocument,
                [](CProgramApp& a) { a.frame()->ActivateNextDocument(-1); })
            .Key("Ctrl+Shift+Tab"),

        // 帮助
        Command(kIdAppAbout, text::kHelpAbout, M::Help, Always,
                [](CProgramApp& a) { a.OnAppAbout(); })
            .Icon("about")
            .Toolbar(4),
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
