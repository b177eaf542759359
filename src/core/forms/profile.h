// SPDX-License-Identifier: GPL-3.0-or-later
// Profiles: what a user does in the dialogs, as text.
//
//   ; a comment            (also # ...; blank lines are ignored)
//   [channel A005]         a section opens one dialog; the header is the
//   接收频率=145.0123       form name and, for some forms, an argument
//   信道名字=RPT1           KEY=VALUE: VALUE verbatim up to the line end
//   信道号++               KEY++ / KEY-- press a spin button once
//
// Text is UTF-8; a final "\r" (CRLF files) is not part of a line, a UTF-8
// byte order mark at the start of the file is skipped. The reader is strict:
// a line before the first section, a header with anything around its
// brackets, a line that is neither KEY=VALUE nor KEY++/KEY--, an empty key and
// invalid UTF-8 are errors naming the line.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestra::forms {

struct ProfileLine {
    enum class Kind { Value, SpinUp, SpinDown, Comment };
    Kind kind = Kind::Value;
    std::string key;
    std::string value; // Value: the value; Comment: the comment text after ';'
    int number = 0;    // line number in its source (1-based; 0 when built)
};

struct ProfileSection {
    std::string header; // text between the brackets: "channel A005"
    std::vector<ProfileLine> lines;
    std::string source; // where it came from, for messages ("a.ini", "--set")
    int number = 0;     // line number of the header

    // The form name (text before the first blank) and its argument (after it;
    // empty when there is no blank).
    std::string FormName() const;
    std::string Argument() const;
    bool HasArgument() const;
};

// Reads a profile item by item from a source of bytes, holding one line at
// a time, so that a caller can run each line as it comes and stop at the
// first error. A line of the source is not limited in length (the caller
// limits the source).
class ProfileReader {
public:
    // Puts up to size bytes into buffer and returns how many; 0 at the end,
    // -1 on an error (with error set).
    using Source = std::function<long(char* buffer, std::size_t size, std::string& error)>;
    enum class Item { Header, Line, End, Error };

    ProfileReader(Source source, std::string name);
    // The next header (section: header, source, number; no lines) or line
    // (comments and blank lines are skipped); End at the end of the source;
    // Error with "NAME:LINE: message" (control characters shown escaped).
    Item Next(ProfileSection& section, ProfileLine& line, std::string& error);

private:
    bool NextRawLine(std::string& line, std::string& error);

    Source source_;
    std::string name_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t scanned_ = 0;
    bool ended_ = false;
    bool sawSection_ = false;
    bool first_ = true;
    int number_ = 0;
};

// Parses a whole profile. On an error returns false and sets error to
// "SOURCE:LINE: message".
bool ParseProfile(const std::string& text, const std::string& source,
                  std::vector<ProfileSection>& sections, std::string& error);

// Parses one line as KEY=VALUE, KEY++ or KEY-- (no comments, no header).
bool ParseProfileLine(const std::string& text, ProfileLine& line, std::string& error);

// Writes sections: each is its header line, its lines, then one blank line.
// Comment lines are written as "; " + value.
std::string WriteProfile(const std::vector<ProfileSection>& sections);

} // namespace kestra::forms
