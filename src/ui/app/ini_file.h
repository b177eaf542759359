// CIniFile: the settings file Program.ini, through the toolkit-free
// ProfileFile (core/document/profile_file.h); this class only converts texts.
//
//   [Setup]  COM=<port number 1..16>   Type=<model name>
//   [About]  Version=...  Copyright=...  Company=...
//
// The file lives next to the program. Constructing a CIniFile makes sure it
// exists (an empty one is created when it is missing). When it can be neither
// written nor created there (an installed, read-only location), a Program.ini
// in the per-user configuration directory takes the writes, and reads look
// there first and then at the file next to the program.
#pragma once

#include <QString>

#include "core/document/profile_file.h"

namespace kestra {

class CIniFile {
public:
    explicit CIniFile(const QString& appDirectory);

    // The stored text (at most 259 characters); empty when the key is missing.
    QString GetString(const QString& section, const QString& key) const;
    // The stored decimal number; def when the key is missing.
    int GetInt(const QString& section, const QString& key, int def) const;
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInt(const QString& section, const QString& key, int value);

    // The file that takes the writes (empty when no file could be created).
    QString Path() const { return QString::fromStdString(file_.Path()); }
    // The read-only file next to the program when writes go elsewhere.
    QString FallbackPath() const { return QString::fromStdString(file_.FallbackPath()); }

private:
    ProfileFile file_;
};

} // namespace kestra
