// SPDX-License-Identifier: GPL-3.0-or-later
// What the file commands remember between runs, in the per-user settings:
// the recent-file list of 文件 (4 entries, newest first) and the folder the
// file dialogs start in.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace kestra {

class RecentFileList {
public:
    // listChanged receives the list after every change (the menu shows it).
    explicit RecentFileList(std::function<void(const QStringList&)> listChanged);

    QStringList Files() const;
    // path becomes the newest entry and, with rememberFolder, its folder the
    // start folder.
    void Opened(const QString& path, bool rememberFolder = true);
    // path is dropped from the list (a file that could not be opened).
    void Remove(const QString& path);

    // The folder of the last file opened or saved while it exists, else the
    // home folder.
    QString StartFolder() const;
    void RememberFolder(const QString& filePath);

private:
    void Store(const QStringList& files);

    std::function<void(const QStringList&)> listChanged_;
    QString lastFolder_;
};

// The settings of the recent-file list (4 entries).
inline constexpr const char* kRecentFilesGroup = "Recent File List"; // not shown
// The per-user setting of the folder the file dialogs start in.
inline constexpr const char* kLastFolderKey = "Settings/LastFolder"; // not shown

} // namespace kestra
