// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/profile_file.h"

#include <vector>

#include "core/codec/gb18030.h"
#include "core/codec/text.h"
#include "core/document/file_io.h"

namespace kestra {

namespace {

// A settings file larger than this is not one of ours; it is left alone.
constexpr std::size_t kMaxProfileSize = 1 << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool SameName(const std::string& text, std::size_t begin, std::size_t end,
              const std::string& name) {
    return EqualsIgnoreCase(std::string_view(text).substr(begin, end - begin), name);
}

// Narrows [begin, end) to exclude blanks on both sides.
void Trim(const std::string& text, std::size_t& begin, std::size_t& end) {
    const std::string_view all(text);
    const std::string_view kept = TrimBlanks(all.substr(begin, end - begin));
    begin = kept.empty() ? end : static_cast<std::size_t>(kept.data() - all.data());
    end = begin + kept.size();
}

// One line of the file, as offsets into its text.
struct Line {
    enum Kind { Other, Section, Entry } kind = Other;
    std::size_t begin = 0;     // first byte
    std::size_t end = 0;       // end of the content, before "\r\n" or "\n"
    std::size_t next = 0;      // first byte of the next line
    std::size_t nameBegin = 0; // section name or key, trimmed
    std::size_t nameEnd = 0;
    std::size_t valueBegin = 0; // entry value, trimmed
    std::size_t valueEnd = 0;
};

Line ParseLine(const std::string& text, std::size_t begin) {
    Line line;
    line.begin = begin;
    const std::size_t newline = text.find('\n', begin);
    line.next = newline == std::string::npos ? text.size() : newline + 1;
    line.end = newline == std::string::npos ? text.size() : newline;
    if (line.end > begin && text[line.end - 1] == '\r')
        --line.end;
    std::size_t p = begin;
    if (begin == 0 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        p = 3; // a UTF-8 byte order mark
    while (p < line.end && IsBlank(text[p]))
        ++p;
    if (p == line.end || text[p] == ';' || text[p] == '#')
        return line;
    if (text[p] == '[') {
        const std::size_t close = text.find(']', p);
        if (close == std::string::npos || close >= line.end)
            return line;
        line.kind = Line::Section;
        line.nameBegin = p + 1;
        line.nameEnd = close;
        Trim(text, line.nameBegin, line.nameEnd);
        return line;
    }
    const std::size_t eq = text.find('=', p);
    if (eq == std::string::npos || eq >= line.end)
        return line;
    line.nameBegin = p;
    line.nameEnd = eq;
    Trim(text, line.nameBegin, line.nameEnd);
    if (line.nameBegin == line.nameEnd)
        return line;
    line.kind = Line::Entry;
    line.valueBegin = eq + 1;
    line.valueEnd = line.end;
    Trim(text, line.valueBegin, line.valueEnd);
    return line;
}

std::vector<Line> ParseLines(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t p = 0; p < text.size();) {
        lines.push_back(ParseLine(text, p));
        p = lines.back().next;
    }
    return lines;
}

// Where a key stands: the index of its line, or, when the key is absent, of
// the last entry of the first matching section (or its header), after which
// a new entry goes. Comments and blank lines after it stay with what follows.
struct Place {
    int entry = -1;
    int sectionEnd = -1;
};

Place Locate(const std::vector<Line>& lines, const std::string& text, const std::string& section,
             const std::string& key) {
    Place place;
    bool inSection = false;
    bool firstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == Line::Section) {
            inSection = SameName(text, line.nameBegin, line.nameEnd, section);
            firstSection = inSection && place.sectionEnd < 0;
            if (firstSection)
                place.sectionEnd = static_cast<int>(i);
            continue;
        }
        if (!inSection || line.kind != Line::Entry)
            continue;
        if (SameName(text, line.nameBegin, line.nameEnd, key)) {
            place.entry = static_cast<int>(i);
            return place;
        }
        if (firstSection)
            place.sectionEnd = static_cast<int>(i);
    }
    return place;
}

// The line ending the file uses (that of its first line), else "\n".
std::string LineEnding(const std::string& text) {
    const std::size_t newline = text.find('\n');
    return newline != std::string::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

bool Storable(const std::string& section, const std::string& key, const std::string& value) {
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value))
        return false;
    if (section.find(']') != std::string::npos || key.find('=') != std::string::npos)
        return false;
    // A name must read back as itself: no blanks around it, and a key must
    // not look like a section or a comment.
    for (const std::string* name : {&section, &key})
        if (IsBlank(name->front()) || IsBlank(name->back()))
            return false;
    return key[0] != '[' && key[0] != ';' && key[0] != '#';
}

// The file's bytes as they are.
bool ReadProfileBytes(const std::string& path, std::string& bytes) {
    if (!ReadRegularFile(path, kMaxProfileSize + 1, bytes, nullptr))
        return false;
    return bytes.size() <= kMaxProfileSize;
}

} // namespace

bool ReadProfile(const std::string& path, std::string& text) {
    if (!ReadProfileBytes(path, text))
        return false;
    if (!IsUtf8(text)) {
        std::string utf8;
        Gb18030ToUtf8(text, utf8);
        text.swap(utf8);
    }
    return true;
}

bool ReadProfileValue(const std::string& path, const std::string& section, const std::string& key,
                      std::string& value) {
    std::string text;
    return ReadProfile(path, text) && FindProfileValue(text, section, key, value);
}

bool FindProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string& value) {
    const std::vector<Line> lines = ParseLines(text);
    const Place place = Locate(lines, text, section, key);
    if (place.entry < 0)
        return false;
    const Line& line = lines[static_cast<std::size_t>(place.entry)];
    value = text.substr(line.valueBegin, line.valueEnd - line.valueBegin);
    return true;
}

bool SetProfileValue(std::string& text, const std::string& section, const std::string& key,
                     const std::string& value) {
    if (!Storable(section, key, value))
        return false;
    const std::vector<Line> lines = ParseLines(text);
    const Place place = Locate(lines, text, section, key);
    const std::string eol = LineEnding(text);
    if (place.entry >= 0) {
        // Everything up to the value (the key as spelled, '=', blanks) stays.
        const Line& line = lines[static_cast<std::size_t>(place.entry)];
        text.replace(line.valueBegin, line.end - line.valueBegin, value);
        return true;
    }
    const std::string entry = key + '=' + value;
    if (place.sectionEnd >= 0) {
        const Line& last = lines[static_cast<std::size_t>(place.sectionEnd)];
        if (last.next == last.end) // the last line of a file without a final line break
            text.insert(last.next, eol + entry);
        else
            text.insert(last.next, entry + eol);
        return true;
    }
    if (!text.empty() && text.back() != '\n')
        text += eol;
    text += '[' + section + ']' + eol + entry + eol;
    return true;
}

int ProfileInt(const std::string& text) {
    int n = 0;
    return ScanInt(text.c_str(), n) && n > 0 ? n : 0;
}

ProfileFile::ProfileFile(const std::string& programFile,
                         const std::function<std::string()>& userFile,
                         const std::string& packagedFile) {
    const bool beside = IsRegularFile(programFile);
    const bool installed = !beside && !packagedFile.empty() && IsRegularFile(packagedFile);
    if (!installed && EnsureRegularFile(programFile) && CanReplaceFile(programFile)) {
        writePath_ = programFile;
        return;
    }
    if (installed)
        fallbackPath_ = packagedFile;
    else if (IsRegularFile(programFile))
        fallbackPath_ = programFile;
    const std::string user = userFile ? userFile() : std::string();
    if (!user.empty() && EnsureRegularFile(user))
        writePath_ = user;
}

bool ProfileFile::Get(const std::string& section, const std::string& key,
                      std::string& value) const {
    for (const std::string* path : {&writePath_, &fallbackPath_}) {
        std::string text;
        if (!path->empty() && ReadProfile(*path, text) &&
            FindProfileValue(text, section, key, value))
            return true;
    }
    return false;
}

bool ProfileFile::Set(const std::string& section, const std::string& key, const std::string& value,
                      std::string* reason) {
    std::string text;
    if (writePath_.empty())
        return false;
    // A file removed since start-up is made again.
    if (!ReadProfileBytes(writePath_, text) &&
        !(EnsureRegularFile(writePath_) && ReadProfileBytes(writePath_, text)))
        return false;
    // A file in GB 18030 stays in it: the entry is changed in the decoded
    // text, which encodes back to the same bytes everywhere else.
    std::string utf8;
    const bool legacy = !IsUtf8(text) && Gb18030ToUtf8(text, utf8);
    if (legacy && !(SetProfileValue(utf8, section, key, value) && Utf8ToGb18030(utf8, text)))
        return false;
    if (!legacy && !SetProfileValue(text, section, key, value))
        return false;
    return WriteWholeFile(writePath_, text.data(), text.size(), reason);
}

} // namespace kestra
