// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/user_settings.h"

namespace kestra {

namespace {

std::function<void(const QString&)>& Reporter() {
    static std::function<void(const QString&)> reporter;
    return reporter;
}

bool g_reported = false;

} // namespace

bool ChangeUserSettings(const std::function<void(QSettings&)>& change, QString* failedFile) {
    QSettings settings;
    change(settings);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (failedFile)
        *failedFile = settings.fileName();
    else if (!g_reported && Reporter()) {
        g_reported = true;
        Reporter()(settings.fileName());
    }
    return false;
}

void SetUserSettingsReporter(std::function<void(const QString& file)> reporter) {
    Reporter() = std::move(reporter);
    g_reported = false;
}

} // namespace kestra
