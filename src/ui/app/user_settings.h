// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own settings (the language, the recent files, the start folder,
// 写后校验), changed through one call that writes them at once and tells
// whether they reached their file: a read-only configuration folder or a full
// disk would otherwise lose them at the next start without a word.
#pragma once

#include <QSettings>
#include <QString>
#include <functional>

namespace kestra {

// Makes change on the settings and writes them out. False when they could not
// be written: failedFile then receives the settings file's name when given
// (the caller says what was lost), and reason the system's reason when it is
// known; otherwise the first failure of a run goes to the reporter, so that
// the user hears of it once.
bool ChangeUserSettings(const std::function<void(QSettings&)>& change,
                        QString* failedFile = nullptr, QString* reason = nullptr);

// reason is empty when the system gave none.
void SetUserSettingsReporter(
    std::function<void(const QString& file, const QString& reason)> reporter);

} // namespace kestra
