// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "ui/app/user_settings.h"

namespace kestra {

namespace {

constexpr int kRecentFileCount = 4;

QString EntryKey(int n) {
    return QStringLiteral("%1/File%2").arg(QString::fromUtf8(kRecentFilesGroup)).arg(n);
}

} // namespace

RecentFileList::RecentFileList(std::function<void(const QStringList&)> listChanged)
    : listChanged_(std::move(listChanged)),
      lastFolder_(QSettings().value(QString::fromUtf8(kLastFolderKey)).toString()) {}

QStringList RecentFileList::Files() const {
    QSettings settings;
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = settings.value(EntryKey(i)).toString();
        if (!f.isEmpty())
            files.append(f);
    }
    return files;
}

void RecentFileList::Opened(const QString& path, bool rememberFolder) {
    QStringList files = Files();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    Store(files);
    if (rememberFolder)
        RememberFolder(path);
}

void RecentFileList::Remove(const QString& path) {
    QStringList files = Files();
    if (files.removeAll(path))
        Store(files);
}

void RecentFileList::Store(const QStringList& files) {
    ChangeUserSettings([&files](QSettings& settings) {
        settings.remove(QString::fromUtf8(kRecentFilesGroup));
        for (int i = 0; i < files.size(); ++i)
            settings.setValue(EntryKey(i + 1), files[i]);
    });
    if (listChanged_)
        listChanged_(files);
}

QString RecentFileList::StartFolder() const {
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir())
        return lastFolder_;
    return QDir::homePath();
}

void RecentFileList::RememberFolder(const QString& filePath) {
    lastFolder_ = QFileInfo(filePath).absolutePath();
    ChangeUserSettings([this](QSettings& settings) {
        settings.setValue(QString::fromUtf8(kLastFolderKey), lastFolder_);
    });
}

} // namespace kestra
