// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic backups: a copy of every image read from or sent to the radio,
// kept in one folder as YYYYMMDD-HHMMSS-<kind>.dat (local time).
//
// A backup in a second that already has backups (of any kind) gets the next
// number, "-2", "-3", ... before ".dat", so that the names sort in the order
// the backups were written ("-read", "-write-2", "-read-3"). The name is
// claimed atomically, so a backup never replaces a file, even when several
// programs save backups into the folder at the same moment (two of them may
// then take the same number for different kinds).
// The names are local time, so they tell the order only while the clock and
// the time zone stay put: backups are ordered by the time their files were
// written, the names only telling apart files of the same instant.
// After each save only the newest kBackupsKept backups are kept: pruning
// removes only files Kestra wrote (a regular file of that name pattern and
// exactly 16384 bytes), oldest first, and never the backup just written.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "core/image/radio_image.h"

namespace kestra {

inline constexpr int kBackupsKept = 200;

// "20261206-233000-read" for kind "read" at that local time (no suffix, no
// extension).
std::string BackupStem(std::time_t now, const std::string& kind);

// True when name (a file name, no folder) is one that SaveBackup writes.
bool IsBackupFileName(const std::string& name);

// The backup files in dir (names, no folder), oldest first: by the time the
// file was last written, then by the time in the name, then by same-second
// suffix ("-2" before "-10"), then by name (backups named by earlier
// versions counted the suffix per kind); other files are not listed. The
// last is the newest backup. Empty when dir is missing or cannot be read.
std::vector<std::string> BackupFileNames(const std::string& dir);

// Writes image into dir (created when missing) as a new backup of kind
// ("read", "write", "init", or "calibration" / "decoder": what a region
// write found in the radio before it wrote), atomically, then prunes the
// oldest backups.
// On failure returns false with the reason; never throws. savedPath (when
// given) receives the written file's path.
bool SaveBackup(const std::string& dir, const std::string& kind, const RadioImage& image,
                std::time_t now, std::string& reason, std::string* savedPath = nullptr);

} // namespace kestra
