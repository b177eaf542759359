// SPDX-License-Identifier: GPL-3.0-or-later
// The application's commands as data. One row per command gives its
// identifier, text, shortcut, icon, the rule that enables it and the handler
// that runs it, and where it appears: a menu, a toolbar group, the navigation
// tree, the factory items of "编辑". The main frame builds its menus, toolbar,
// tree and shortcuts from these rows and reports command identifiers only;
// CProgramApp runs the row's handler. Adding a dialog is one row (or a
// handler in the row that is there) and one handler.
#pragma once

#include <vector>

namespace kestra {

class CMainFrame;
class CProgramApp;

// Command identifiers. Layout rows (a menu separator, the place of the recent
// files) have their own two.
enum CommandId : int {
    kIdRecentFiles = -1,
    kIdSeparator = 0,
    kIdFileNew = 1,
    kIdFileOpen,
    kIdFileClose,
    kIdFileSave,
    kIdFileSaveAs,
    kIdFilePrintSetup,
    kIdFilePrint,
    kIdFilePrintPreview,
    kIdEditUndo,
    kIdEditRedo,
    kIdAppAbout,
    kIdAppExit,
    kIdViewToolbar,
    kIdViewStatusBar,
    kIdViewSplitter,
    kIdRead,
    kIdWrite,
    kIdPortSetup,
    kIdEditChannels,
    kIdEditOptional,
    kIdEditDtmf,
    kIdEditModel,
    kIdEditFmRadio,
    kIdParamTuning,
    kIdDtmfInit,
    kIdFileImportCsv,
    kIdFileExportCsv,
    kIdFileOpenBackup,
    kIdFileCompare,
    kIdFileExportPdf,
    kIdViewChinese,
    kIdViewEnglish,
    kIdWindowCascade,
    kIdWindowTile,
    kIdWindowNext,
    kIdWindowPrevious,
    kIdEditMoveUp,
    kIdEditMoveDown,
    kIdEditInsertChannel,
    kIdEditDeleteChannel,
    kIdEditSortChannels,
    kIdEditFind,
    kIdEditFindNext,
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

// One command: its identifier, text (menu entry, tree item and tool tip,
// UTF-8), menu, enable rule and handler; the rest is named where it is set:
//   Command(kIdRead, text::kProgramRead, MenuId::Program, WithActiveDocument, handler)
//       .Key("Ctrl+R").Icon("read").Toolbar(3)
struct CommandRow {
    int id = kIdSeparator;
    const char* text = nullptr;
    MenuId menu = MenuId::None; // MenuId::None: toolbar only
    EnableRule enabled = nullptr;
    CommandHandler handler = nullptr;  // nullptr: a layout row
    const char* shortcut = nullptr;    // portable key text ("Ctrl+R")
    const char* altShortcut = nullptr; // a second key for the same command
    const char* icon = nullptr;        // toolbar icon in the resources ("read")
    int toolbarGroup = 0;              // 0: not on the toolbar; groups are separated
    bool inTree = false;               // an item of the navigation tree, in row order
    bool factory = false;              // appended to its menu by the factory unlock
    CheckRule checked = nullptr;       // a checkable entry: whether it is checked
    const char* submenu = nullptr;     // shown in this submenu of its menu

    CommandRow Key(const char* key) const { return With(&CommandRow::shortcut, key); }
    CommandRow AltKey(const char* key) const { return With(&CommandRow::altShortcut, key); }
    CommandRow Icon(const char* name) const { return With(&CommandRow::icon, name); }
    CommandRow Toolbar(int group) const { return With(&CommandRow::toolbarGroup, group); }
    CommandRow InTree() const { return With(&CommandRow::inTree, true); }
    CommandRow Factory() const { return With(&CommandRow::factory, true); }
    CommandRow Checked(CheckRule rule) const { return With(&CommandRow::checked, rule); }
    CommandRow Submenu(const char* title) const { return With(&CommandRow::submenu, title); }

private:
    template <typename T, typename V> CommandRow With(T CommandRow::*field, V value) const {
        CommandRow row = *this;
        row.*field = value;
        return row;
    }
};

CommandRow Command(int id, const char* text, MenuId menu, EnableRule enabled,
                   CommandHandler handler);
// A menu separator, and the place of the recent files in a menu.
CommandRow Separator(MenuId menu);
CommandRow RecentFiles(MenuId menu);

// The menu bar, left to right.
const std::vector<MenuRow>& MenuTable();
// Every command, in menu order; the toolbar and the tree keep the same order.
const std::vector<CommandRow>& CommandTable();
// The row of a command; nullptr for an unknown identifier or a layout row.
const CommandRow* FindCommand(int id);

} // namespace kestra
