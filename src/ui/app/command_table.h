// SPDX-License-Identifier: GPL-3.0-or-later
// The application's commands as data. One row per command gives its
// identifier, text, shortcut, icon, the rule that enables it and the handler
// that runs it, and where it appears: a menu, a toolbar group, the navigation
// tree, the factory items of "编辑". The main frame builds its menus, toolbar,
// tree and shortcuts from these rows and reports command identifiers only;
// CProgramApp runs the row's handler. Adding a dialog is one row (or a
// handler in the row that is there) and one handler.
//
// A row without a handler is a dialog not built yet: present, disabled.
#pragma once

#include <vector>

namespace kestra {

class CMainFrame;
class CProgramApp;

// Command identifiers, as the radio's programming software numbers them.
enum CommandId : int {
    kIdFileNew = 57600,
    kIdFileOpen = 57601,
    kIdFileClose = 57602,
    kIdFileSave = 57603,
    kIdFileSaveAs = 57604,
    kIdFilePrintSetup = 57606,
    kIdFilePrint = 57607,
    kIdFilePrintPreview = 57609,
    kIdEditUndo = 57643,
    kIdEditRedo = 57644,
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
    kIdFileImportCsv = 32820,
    kIdFileExportCsv = 32821,
    kIdFileOpenBackup = 32822,
    kIdFileCompare = 32823,
    kIdFileExportPdf = 32830,
    kIdViewChinese = 32860,
    kIdViewEnglish = 32861,
    kIdWindowCascade = 57650,
    kIdWindowTile = 57651,
    kIdWindowNext = 32850,
    kIdWindowPrevious = 32851,
    kIdEditMoveUp = 32840,
    kIdEditMoveDown = 32841,
    kIdEditInsertChannel = 32842,
    kIdEditDeleteChannel = 32843,
    kIdEditSortChannels = 32844,
    kIdEditFind = 32845,
    kIdEditFindNext = 32846,
    // Layout rows: a menu separator, and the place of the recent files.
    kIdSeparator = 0,
    kIdRecentFiles = -1,
};

enum class MenuId { None, File, Edit, Program, Setup, View, Window, Help };

struct MenuRow {
    MenuId menu;
    const char* text;
};

using EnableRule = bool (*)(const CMainFrame& frame);
using CheckRule = bool (*)(const CMainFrame& frame);
using CommandHandler = void (*)(CProgramApp& app);

// Enable rules.
bool Always(const CMainFrame& frame);
// A visible, active document window: the one the command acts on.
bool WithActiveDocument(const CMainFrame& frame);
// A document window, visible or hidden.
bool WithDocument(const CMainFrame& frame);
// The active document has a step to undo / to redo.
bool CanUndo(const CMainFrame& frame);
bool CanRedo(const CMainFrame& frame);

struct CommandRow {
    int id;
    const char* text;     // menu entry, tree item and tool tip (UTF-8)
    const char* shortcut; // portable key text ("Ctrl+R") or nullptr
    const char* icon;     // toolbar icon in the resources ("read") or nullptr
    EnableRule enabled;
    CommandHandler handler;      // nullptr: the dialog is not built yet
    MenuId menu;                 // MenuId::None: toolbar only
    int toolbarGroup = 0;        // 0: not on the toolbar; groups are separated
    bool inTree = false;         // an item of the navigation tree, in row order
    bool factory = false;        // appended to its menu by the factory unlock
    CheckRule checked = nullptr; // a checkable entry: whether it is checked
    const char* altShortcut = nullptr; // a second key for the same command
    const char* submenu = nullptr;     // shown in this submenu of its menu
};

// The menu bar, left to right.
const std::vector<MenuRow>& MenuTable();
// Every command, in menu order; the toolbar and the tree keep the same order.
const std::vector<CommandRow>& CommandTable();
// The row of a command; nullptr for an unknown identifier or a layout row.
const CommandRow* FindCommand(int id);

} // namespace kestra
