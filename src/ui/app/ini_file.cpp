#include "ui/app/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "ui/app/ui_texts.h"

namespace kestra {

namespace {

constexpr int kMaxStringLength = 259;

// Opens the file for reading, or creates it empty when it does not exist.
// An existing file is never truncated.
bool EnsureFile(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    if (file.exists())
        return false;
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

bool Writable(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile() && info.isWritable();
}

QString KeyPath(const QString& section, const QString& key) {
    return section + '/' + key;
}

} // namespace

CIniFile::CIniFile(const QString& appDirectory) {
    const QString local = appDirectory + QString::fromUtf8(text::kIniFileName);
    if (EnsureFile(local) && Writable(local)) {
        writePath_ = local;
        return;
    }
    if (QFileInfo(local).isReadable())
        fallbackPath_ = local;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    const QString user = QDir(dir).filePath(QString::fromUtf8(text::kIniFileName));
    if (EnsureFile(user))
        writePath_ = user;
}

bool CIniFile::Lookup(const QString& section, const QString& key, QString* value) const {
    for (const QString* path : {&writePath_, &fallbackPath_}) {
        if (path->isEmpty())
            continue;
        QSettings settings(*path, QSettings::IniFormat);
        const QVariant v = settings.value(KeyPath(section, key));
        if (!v.isValid())
            continue;
        // QSettings splits a value at its commas; the text is what the user wrote.
        if (v.userType() == QMetaType::QStringList)
            *value = v.toStringList().join(QStringLiteral(", "));
        else
            *value = v.toString();
        return true;
    }
    return false;
}

QString CIniFile::GetString(const QString& section, const QString& key) const {
    QString value;
    if (!Lookup(section, key, &value))
        return QString();
    return value.left(kMaxStringLength);
}

int CIniFile::GetInt(const QString& section, const QString& key, int def) const {
    QString value;
    if (!Lookup(section, key, &value))
        return def;
    return ProfileIntFromText(value);
}

bool CIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (writePath_.isEmpty())
        return false;
    QSettings settings(writePath_, QSettings::IniFormat);
    settings.setValue(KeyPath(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CIniFile::WriteInt(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

int ProfileIntFromText(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    long long n = 0;
    bool digits = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        digits = true;
        n = n * 10 + (t[i].unicode() - '0');
        if (n > 0x7FFFFFFF)
            n = 0x7FFFFFFF;
    }
    if (!digits || negative)
        return 0;
    return static_cast<int>(n);
}

} // namespace kestra
