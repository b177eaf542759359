#include "ui/app/command_table.h"

#include <QStatusBar>
#include <QToolBar>

#include "ui/app/main_frame.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/program_app.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/dtmf_dlg.h"
#include "ui/dialogs/dtmf_init_dlg.h"
#include "ui/dialogs/fm_radio_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/dialogs/param_tuning_dlg.h"
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

namespace {

void ToggleVisible(QWidget* bar) {
    bar->setVisible(bar->isHidden());
}

} // namespace

const std::vector<MenuRow>& MenuTable() {
    static const std::vector<MenuRow> menus = {
        {MenuId::File, text::kMenuFile},       {MenuId::Edit, text::kMenuEdit},
        {MenuId::Program, text::kMenuProgram}, {MenuId::Setup, text::kMenuSetup},
        {MenuId::View, text::kMenuView},       {MenuId::Help, text::kMenuHelp},
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
        {kIdFilePrintSetup, text::kFilePrintSetup, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.OnFilePrintSetup(); }, M::File},
        {kIdSeparator, nullptr, nullptr, nullptr, Always, nullptr, M::File},
        {kIdAppExit, text::kFileExit, nullptr, nullptr, Always,
         [](CProgramApp& a) { a.frame()->close(); }, M::File},

        // 编辑 (the navigation tree shows the first three)
        {kIdEditChannels, text::kEditChannels, nullptr, nullptr, WithDocument,
         [](CProgramApp& a) { a.frame()->ShowChannels(); }, M::Edit, 0, true},
        {kIdEditOptional, text::kEditOptional, nullptr, nullptr, Always,
         [](CProgramApp& a) { COptionalFeaturesDlg(a.state(), a.frame()).exec(); }, M::Edit, 0,
         true},
        {kIdEditDtmf, text::kEditDtmf, nullptr, nullptr, Always,
         [](CProgramApp& a) { CDtmfDlg(a.state(), a.frame()).exec(); }, M::Edit, 0, true},
        {kIdEditModel, text::kEditModel, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { a.frame()->ActiveView()->OnModelInfo(); }, M::Edit},
        // A command of the view: nothing before or after the dialog.
        {kIdEditFmRadio, text::kEditFmRadio, nullptr, nullptr, WithActiveDocument,
         [](CProgramApp& a) { CFmRadioDlg(a.state(), a.frame()).exec(); }, M::Edit},
        {kIdParamTuning, text::kEditParamTuning, nullptr, nullptr, Always,
         [](CProgramApp& a) { CParamTuningDlg(a.state(), a.frame()).exec(); }, M::Edit, 0, false,
         true},
        {kIdDtmfInit, text::kEditDtmfInit, nullptr, nullptr, Always,
         [](CProgramApp& a) { CDtmfInitDlg(a.state(), a.frame()).exec(); }, M::Edit, 0, false,
         true},

        // 编程
        {kIdRead, text::kProgramRead, "Ctrl+R", "read", WithActiveDocument,
         [](CProgramApp& a) { a.frame()->ActiveView()->OnRead(); }, M::Program, 3},
        {kIdWrite, text::kProgramWrite, "Ctrl+W", "write", WithActiveDocument,
         [](CProgramApp& a) { a.frame()->ActiveView()->OnWrite(); }, M::Program, 3},
        // On the toolbar only.
        {kIdFilePrint, text::kFilePrint, nullptr, "print", WithActiveDocument,
         [](CProgramApp& a) { a.OnFilePrint(); }, M::None, 4},

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
