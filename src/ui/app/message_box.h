// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes with the application's title, always shown from the
// user-interface thread.
#pragma once

#include <QMessageBox>
#include <QString>

namespace kestra {

// Widens a message box so that its whole title shows in the caption (every
// box here gets this).
void FitTitle(QMessageBox* box);

// text, and below it the system's reason for a failure when it is known.
QString WithReason(const QString& text, const QString& reason);

// A message with an OK button.
void ShowMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Warning);
// A message and a detail line below it.
void ShowMessage(QWidget* parent, const QString& text, const QString& detail,
                 QMessageBox::Icon icon);
// OK and Cancel; true for OK. Enter chooses OK unless cancelIsDefault.
bool AskOkCancel(QWidget* parent, const QString& text, bool cancelIsDefault = false);

// "文件已修改，是否保存？" with 保存(&S), 不保存(&N) and 取消 (Escape);
// document, the document's title, stands below it.
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice AskSaveChanges(QWidget* parent, const QString& document);

// text with 重新载入, goOn (the command with what the window shows) and 取消
// (Escape and Enter).
enum class ChangedFileChoice { Reload, GoOn, Cancel };
ChangedFileChoice AskChangedFile(QWidget* parent, const QString& text, const QString& goOn);

// The open dialog, titled with the command, starting in folder: the file
// chosen, or empty when cancelled.
QString AskOpenName(QWidget* parent, const QString& title, const QString& folder,
                    const QString& filter);
// The save dialog: starts at file when one is named, else in folder; the
// name chosen, or empty when cancelled. title names the command, when given.
QString AskSaveName(QWidget* parent, const QString& filter, const QString& suffix,
                    const QString& file, const QString& folder, const QString& title = QString());

} // namespace kestra
