// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/user_settings.h"

#include <QFileInfo>

#include "core/document/file_io.h"

namespace kestra {

namespace {

std::function<void(const QString&, const QString&)>& Reporter() {
    static std::function<void(const QString&, const QString&)> reporter;
    return reporter;
}

bool g_reported = false;

// Why file cannot be written, in the system's words: QSettings tells only
// that it failed. A trial file beside it takes as many bytes as the file
// holds now (a full disk, a read-only folder, a file size limit).
QString WriteFailureReason(const QString& file) {
    return QString::fromStdString(
        WriteTrialReason(file.toStdString(), static_cast<std::size_t>(QFileInfo(file).size())));
}

} // namespace

bool ChangeUserSettings(const std::function<void(QSettings&)>& change, QString* failedFile,
                        QString* reason) {
    QSettings settings;
    change(settings);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (failedFile) {
        *failedFile = settings.fileName();
        if (reason)
            *reason = WriteFailureReason(settings.fileName());
    } else if (!g_reported && Reporter()) {
        g_reported = true;
        Reporter()(settings.fileName(), WriteFailureReason(settings.fileName()));
    }
    return false;
}

void SetUserSettingsReporter(
    std::function<void(const QString& file, const QString& reason)> reporter) {
    Reporter() = std::move(reporter);
    g_reported = false;
}

} // namespace kestra
