// SPDX-License-Identifier: GPL-3.0-or-later
// The application's automatic backups: the folder they are kept in and
// saving one. The folder is backups/ in the per-user data folder
// (QStandardPaths::AppDataLocation), where kestra-cli keeps its backups too;
// the files are named and pruned by core/document/backups.h.
#pragma once

#include <QString>

#include "core/image/radio_image.h"

namespace kestra {

// The backup folder (it may not exist yet); empty when the system names no
// per-user data folder.
QString BackupFolder();
// Moves the backup folder (tests keep theirs in a temporary folder); an empty
// folder returns to the per-user data folder.
void SetBackupFolder(const QString& folder);

// Saves image into BackupFolder() as a backup of kind ("read", "write" or
// "init"). Returns an empty text, or the reason no backup was saved (for the
// status bar); never throws.
QString SaveBackupImage(const char* kind, const RadioImage& image);

// The path of the newest backup in BackupFolder() (by name, as pruning
// orders them), or empty when there is none.
QString NewestBackup();

} // namespace kestra
