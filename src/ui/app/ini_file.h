// CIniFile: the settings file Program.ini, read and written through QSettings
// in INI format.
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
    const QString& Path() const { return writePath_; }
    // The read-only file next to the program when writes go elsewhere.
    const QString& FallbackPath() const { return fallbackPath_; }

private:
    bool Lookup(const QString& section, const QString& key, QString* value) const;

    QString writePath_;
    QString fallbackPath_;
};

// The integer a profile text stands for: optional blanks, an optional sign and
// the leading decimal digits ("12abc" is 12); 0 when there are no digits or the
// number is negative.
int ProfileIntFromText(const QString& text);

} // namespace kestra
