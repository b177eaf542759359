// SPDX-License-Identifier: GPL-3.0-or-later
// Access keys: every menu and menu entry, and the buttons of the view and
// the dialogs, can be reached from the keyboard (Alt + the underlined
// letter). The texts stay the system's own; the key is added when a text is
// shown, as Chinese desktop software shows it: "文件(&F)", "打开(&O)...".
// A translated text that holds the letter marks it in place ("&File").
#pragma once

#include <QChar>
#include <QString>

#include "ui/app/command_table.h"

class QWidget;

namespace kestra {

// The access key of a menu of the menu bar, and of a command's entry (a null
// QChar for none).
QChar MenuAccessKey(MenuId menu);
QChar CommandAccessKey(int id);
// The access key of a submenu by its title's source text (视图 → 语言).
QChar SubmenuAccessKey(const char* submenu);

// text with key as its access key: the letter marked where text holds it as
// a Latin letter, else "(&K)" appended (before a closing "..." or "…"). A
// '&' of the text itself is kept as a literal ampersand.
QString WithAccessKey(const QString& text, QChar key);
// The text as a person reads it: without "(&K)" and the marking '&'.
QString WithoutAccessKey(const QString& text);

// Gives every push button, check box and radio button under root that has
// no access key one: the button's own letter from a short table of common
// button texts, else the first letter not taken yet in root. "确定" and
// "取消" keep theirs (Enter and Esc).
void GiveAccessKeys(QWidget* root);

} // namespace kestra
