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

QString DefaultBackupFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        return QString();
    return QDir::cleanPath(data + QLatin1Char('/') + QLatin1String(text::kBackupFolderName));
}

QString SaveBackupImage(const std::string& folder, const char* kind, const RadioImage& image,
                        QString* savedPath) {
    if (folder.empty())
        return T(text::kBackupNoDataFolder);
    std::string reason, path;
    if (!SaveBackup(folder, kind, image, std::time(nullptr), reason, &path))
        return QString::fromStdString(reason);
    if (savedPath)
        *savedPath = QDir::toNativeSeparators(QString::fromStdString(path));
    return QString();
}

QString NewestBackup(const std::string& folder) {
    if (folder.empty())
        return QString();
    const std::vector<std::string> names = BackupFileNames(folder);
    if (names.empty())
        return QString();
    return QDir(QDir::fromNativeSeparators(QString::fromStdString(folder)))
        .filePath(QString::fromStdString(names.back()));
}

} // namespace kestra
