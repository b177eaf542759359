// SPDX-License-Identifier: GPL-3.0-or-later
// The application's automatic backups: the folder they are kept in and
// saving one. The folder is backups/ in the per-user data folder
// (QStandardPaths::AppDataLocation), where kestra-cli keeps its backups too;
// the files are named and pruned by core/document/backups.h.
#pragma once

#include <QString>
#include <string>

#include "core/image/radio_image.h"

namespace kestra {

// The application's backup folder (it may not exist yet), which main() puts
// into the application's state (AppState::backupFolder; a test gives its own);
// empty when the system names no per-user data folder.
QString DefaultBackupFolder();

// Saves image into folder as a backup of kind (see SaveBackup). Returns an
// empty text, or the reason no backup was saved; never throws. savedPath
// (when given) receives the saved file's path.
QString SaveBackupImage(const std::string& folder, const char* kind, const RadioImage& image,
                        QString* savedPath = nullptr);

// The path of the newest backup in folder (the last written, as pruning
// orders them), or empty when there is none.
QString NewestBackup(const std::string& folder);

} // namespace kestra
