// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/backup_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <ctime>
#include <string>

#include "core/document/backups.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

namespace {

QString& FolderOverride() {
    static QString folder;
    return folder;
}

} // namespace

QString BackupFolder() {
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        return QString();
    return QDir::cleanPath(data + QLatin1Char('/') + QLatin1String(text::kBackupFolderName));
}

void SetBackupFolder(const QString& folder) {
    FolderOverride() = folder;
}

QString SaveBackupImage(const char* kind, const RadioImage& image) {
    const QString folder = BackupFolder();
    if (folder.isEmpty())
        return T(text::kBackupNoDataFolder);
    std::string reason;
    if (!SaveBackup(QDir::toNativeSeparators(folder).toStdString(), kind, image,
                    std::time(nullptr), reason))
        return QString::fromStdString(reason);
    return QString();
}

QString NewestBackup() {
    const QString folder = BackupFolder();
    if (folder.isEmpty())
        return QString();
    const std::vector<std::string> names =
        BackupFileNames(QDir::toNativeSeparators(folder).toStdString());
    if (names.empty())
        return QString();
    return QDir(folder).filePath(QString::fromStdString(names.back()));
}

} // namespace kestra
