// SPDX-License-Identifier: GPL-3.0-or-later
// CIniFile: the settings file Program.ini, through the toolkit-free
// ProfileFile (core/document/profile_file.h); this class only converts texts.
//
//   [Setup]  COM=<port number 1..16>   Type=<model name>
//   [About]  Version=...  Copyright=...  Company=...
//
// A Program.ini next to the program is used (an unpacked copy). An installed
// program (no file next to it, the packaged defaults in share/kestra/) never
// writes beside itself: the Program.ini in the per-user configuration folder
// takes the writes, and reads look there first and then at the packaged
// defaults. Otherwise an empty file is created next to the program; when that
// fails, or the file there cannot be replaced, the per-user file takes the
// writes and reads look there first (see ProfileFile).
#pragma once

#include <QString>

#include "core/document/app_directory.h"
#include "core/document/profile_file.h"

namespace kestra {

// Where the program looks for Default.dat and the bitmaps: beside itself,
// then in the per-user configuration folder (where the user's Program.ini
// is), then in the packaged share/kestra/ of an installed program.
ProgramFolders ProgramFoldersFor(const std::string& appDirectory);

class CIniFile {
public:
    explicit CIniFile(const QString& appDirectory);

    // The stored text (at most 259 characters); empty when the key is missing.
    QString GetString(const QString& section, const QString& key) const;
    // The stored decimal number; def when the key is missing.
    int GetInt(const QString& section, const QString& key, int def) const;
    // False when the entry could not be written, with the system's reason
    // in reason (when given) where it is known.
    bool WriteString(const QString& section, const QString& key, const QString& value,
                     QString* reason = nullptr);
    bool WriteInt(const QString& section, const QString& key, int value, QString* reason = nullptr);

    // The file that takes the writes (empty when no file could be created).
    QString Path() const { return QString::fromStdString(file_.Path()); }
    // The read-only file next to the program when writes go elsewhere.
    QString FallbackPath() const { return QString::fromStdString(file_.FallbackPath()); }

private:
    ProfileFile file_;
};

} // namespace kestra
