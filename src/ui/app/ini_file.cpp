// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/ini_file.h"

#include <QDir>
#include <QStandardPaths>

namespace kestra {

namespace {

constexpr int kMaxStringLength = 259;

// Program.ini in the per-user configuration directory, which is made.
std::string UserProfilePath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return std::string();
    return QDir(dir).filePath(QString::fromUtf8(kProfileFileName)).toStdString();
}

} // namespace

ProgramFolders ProgramFoldersFor(const std::string& appDirectory) {
    ProgramFolders folders;
    folders.program = appDirectory;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!user.isEmpty())
        folders.user = QDir::toNativeSeparators(user + QLatin1Char('/')).toStdString();
    folders.data = PackagedDataDirectory(appDirectory);
    return folders;
}

CIniFile::CIniFile(const QString& appDirectory)
    : file_((appDirectory + QString::fromUtf8(kProfileFileName)).toStdString(), UserProfilePath,
            [&] {
                const std::string data = PackagedDataDirectory(appDirectory.toStdString());
                return data.empty() ? data : data + kProfileFileName;
            }()) {}

QString CIniFile::GetString(const QString& section, const QString& key) const {
    std::string value;
    if (!file_.Get(section.toStdString(), key.toStdString(), value))
        return QString();
    return QString::fromStdString(value).left(kMaxStringLength);
}

int CIniFile::GetInt(const QString& section, const QString& key, int def) const {
    std::string value;
    if (!file_.Get(section.toStdString(), key.toStdString(), value))
        return def;
    return ProfileInt(value);
}

bool CIniFile::WriteString(const QString& section, const QString& key, const QString& value,
                           QString* reason) {
    std::string why;
    if (file_.Set(section.toStdString(), key.toStdString(), value.toStdString(), &why))
        return true;
    if (reason)
        *reason = QString::fromStdString(why);
    return false;
}

bool CIniFile::WriteInt(const QString& section, const QString& key, int value, QString* reason) {
    return WriteString(section, key, QString::number(value), reason);
}

} // namespace kestra
