// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file Program.ini: INI-style text read and changed one entry at
// a time.
//
//   ; a comment                 kept as it is
//   [Setup]                     section names and keys ignore letter case
//   COM=1                       the value is the raw text after '=', blanks
//   Type=QVN-K52;X              around it trimmed: ';' ',' '\' mean nothing
//
// Changing an entry rewrites only its line (or adds the line at the end of
// its section, or adds the section at the end); every other byte of the
// file, comments and line endings included, stays as it was, and the file
// is replaced atomically.
#pragma once

#include <functional>
#include <string>

namespace kestra {

inline constexpr const char* kProfileFileName = "Program.ini";

// The value of key in section; false when there is none. The first entry in
// file order wins when a key or a section appears more than once.
bool FindProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string& value);

// Sets key in section to value in the text (see above). False, and the text
// unchanged, when the names or the value could not be stored as they are
// (empty names, line breaks, '=' in a key, ']' in a section name).
bool SetProfileValue(std::string& text, const std::string& section, const std::string& key,
                     const std::string& value);

// The integer a profile value stands for: optional blanks, an optional sign
// and the leading decimal digits ("12abc" is 12); 0 when there are no digits
// or the number is negative.
int ProfileInt(const std::string& text);

// Reads a settings file that is a regular file of at most 1 MiB; false
// otherwise (text is then not to be used). text is UTF-8: a file that is not
// valid UTF-8 is read as GB 18030 (Windows programs write settings files in
// the ANSI code page, GBK on Chinese systems). Changing an entry keeps the
// file in the encoding it has.
bool ReadProfile(const std::string& path, std::string& text);
// The value of key in section of the settings file at path, read only; false
// when the file or the entry is missing.
bool ReadProfileValue(const std::string& path, const std::string& section, const std::string& key,
                      std::string& value);

class ProfileFile {
public:
    // programFile is the settings file next to the program. When it is
    // there, it is used: it takes the writes, or, when it cannot be replaced
    // (a read-only location), userFile is asked for a per-user path, whose
    // directory it has made; that file takes the writes, and reads look
    // there first and then at the program's file.
    // When there is no file next to the program but packagedFile (the
    // defaults an installed program ships in share/kestra/) is a regular
    // file, the program is installed: nothing is created next to it, the
    // user's file takes the writes and reads look there first and then at
    // the packaged file.
    // Otherwise an empty file is created next to the program, or, when that
    // fails (a name taken by something other than a regular file), the
    // user's file takes the writes.
    ProfileFile(const std::string& programFile, const std::function<std::string()>& userFile,
                const std::string& packagedFile = std::string());

    bool Get(const std::string& section, const std::string& key, std::string& value) const;
    // Writes the entry; false when it could not be written, with the
    // system's reason in reason (when given) where it is known.
    bool Set(const std::string& section, const std::string& key, const std::string& value,
             std::string* reason = nullptr);

    // The file that takes the writes (empty when no file could be created).
    const std::string& Path() const { return writePath_; }
    // The program's (or the packaged) file when writes go elsewhere and it
    // can be read.
    const std::string& FallbackPath() const { return fallbackPath_; }

private:
    std::string writePath_;
    std::string fallbackPath_;
};

} // namespace kestra
