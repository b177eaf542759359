// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/profile.h"

#include "core/forms/field_desc.h"

#include <algorithm>

#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/codec/utf8.h"

namespace kestra::forms {

std::string ProfileSection::FormName() const {
    return header.substr(0, header.find(' '));
}

std::string ProfileSection::Argument() const {
    const auto blank = header.find(' ');
    return blank == std::string::npos ? std::string() : header.substr(blank + 1);
}

bool ProfileSection::HasArgument() const {
    return header.find(' ') != std::string::npos;
}

bool ParseProfileLine(const std::string& text, ProfileLine& line, std::string& error) {
    const auto eq = text.find('=');
    if (eq != std::string::npos) {
        line.kind = ProfileLine::Kind::Value;
        line.key = text.substr(0, eq);
        line.value = text.substr(eq + 1);
    } else if (text.size() > 2 && (text.compare(text.size() - 2, 2, "++") == 0 ||
                                   text.compare(text.size() - 2, 2, "--") == 0)) {
        line.kind = text.back() == '+' ? ProfileLine::Kind::SpinUp : ProfileLine::Kind::SpinDown;
        line.key = text.substr(0, text.size() - 2);
        line.value.clear();
    } else {
        error = TranslateText(KESTRA_TEXT("kestra", "应为 KEY=VALUE、KEY++ 或 KEY--"));
        return false;
    }
    if (line.key.empty()) {
        error = TranslateText(KESTRA_TEXT("kestra", "该行没有键名"));
        return false;
    }
    return true;
}

ProfileReader::ProfileReader(Source source, std::string name)
    : source_(std::move(source)), name_(std::move(name)) {}

bool ProfileReader::NextRawLine(std::string& line, std::string& error) {
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        // Bytes before scanned_ hold no line end (a long line is searched
        // once, not again after every chunk).
        const std::size_t end = buffer_.find('\n', std::max(pos_, scanned_));
        if (end != std::string::npos) {
            if (pos_ == 0 && end + 1 == buffer_.size()) {
                // The buffer is the line: handed over, not copied.
                line.swap(buffer_);
                line.pop_back();
                buffer_.clear();
                pos_ = scanned_ = 0;
                return true;
            }
            line.assign(buffer_, pos_, end - pos_);
            pos_ = end + 1;
            return true;
        }
        scanned_ = buffer_.size();
        if (ended_) {
            if (pos_ >= buffer_.size())
                return false;
            line.assign(buffer_, pos_, std::string::npos);
            buffer_.clear();
            buffer_.shrink_to_fit();
            pos_ = scanned_ = 0;
            return true;
        }
        buffer_.erase(0, pos_);
        scanned_ -= pos_;
        pos_ = 0;
        const std::size_t had = buffer_.size();
        buffer_.resize(had + kChunk);
        const long n = source_(&buffer_[had], kChunk, error);
        if (n < 0) {
            buffer_.clear();
            error = EscapeControl(name_) + ": " + error;
            ended_ = true;
            return false;
        }
        buffer_.resize(had + static_cast<std::size_t>(n));
        if (n == 0)
            ended_ = true;
    }
}

ProfileReader::Item ProfileReader::Next(ProfileSection& section, ProfileLine& parsed,
                                        std::string& error) {
    auto fail = [&](const std::string& message) {
        error = EscapeControl(name_) + ":" + std::to_string(number_) + ": " + message;
        ended_ = true;
        buffer_.clear();
        pos_ = 0;
        return Item::Error;
    };
    std::string line;
    for (;;) {
        error.clear();
        if (!NextRawLine(line, error))
            return error.empty() ? Item::End : Item::Error;
        ++number_;
        if (first_) {
            first_ = false;
            if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
                line.erase(0, 3);
            else if (StartsLikeUtf16(line))
                return fail(Utf16Refusal());
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Blanks around a line are no part of it when it is blank, a comment
        // or a section header. Comments are skipped whatever their bytes: one
        // may quote a file written in another encoding.
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (!IsUtf8(line))
            return fail(TranslateText(KESTRA_TEXT("kestra", "该行不是有效的 UTF-8 文本")));
        if (trimmed[0] == '[') {
            // "[ options ]" is [options]; the blank inside [channel A001] stays.
            const std::string_view name = trimmed.back() == ']'
                                              ? TrimBlanks(trimmed.substr(1, trimmed.size() - 2))
                                              : std::string_view();
            if (name.empty() || trimmed.find_first_of("[]", 1) != trimmed.size() - 1)
                return fail(TranslateText(KESTRA_TEXT("kestra", "节标题须写作 [名称]，前后不得有其他字符")));
            section.header = std::string(name);
            section.lines.clear();
            section.source = name_;
            section.number = number_;
            sawSection_ = true;
            return Item::Header;
        }
        if (!sawSection_)
            return fail(TranslateText(KESTRA_TEXT("kestra", "该行位于第一个 [节] 之前")));
        std::string why;
        if (!ParseProfileLine(line, parsed, why))
            return fail(why);
        parsed.number = number_;
        return Item::Line;
    }
}

bool ParseProfile(const std::string& text, const std::string& source,
                  std::vector<ProfileSection>& sections, std::string& error) {
    std::size_t at = 0;
    ProfileReader reader(
        [&text, &at](char* buffer, std::size_t size, std::string&) {
            const std::size_t n = std::min(size, text.size() - at);
            text.copy(buffer, n, at);
            at += n;
            return static_cast<long>(n);
        },
        source);
    std::vector<ProfileSection> out;
    ProfileSection section;
    ProfileLine line;
    for (;;) {
        switch (reader.Next(section, line, error)) {
        case ProfileReader::Item::Header:
            out.push_back(section);
            break;
        case ProfileReader::Item::Line:
            out.back().lines.push_back(line);
            break;
        case ProfileReader::Item::End:
            for (auto& s : out)
                sections.push_back(std::move(s));
            return true;
        case ProfileReader::Item::Error:
            return false;
        }
    }
}

std::string WriteProfile(const std::vector<ProfileSection>& sections) {
    std::string out;
    for (const ProfileSection& section : sections) {
        out += '[';
        out += section.header;
        out += "]\n";
        for (const ProfileLine& line : section.lines) {
            switch (line.kind) {
            case ProfileLine::Kind::Value:
                out += line.key;
                out += '=';
                out += line.value;
                break;
            case ProfileLine::Kind::SpinUp:
                out += line.key;
                out += "++";
                break;
            case ProfileLine::Kind::SpinDown:
                out += line.key;
                out += "--";
                break;
            case ProfileLine::Kind::Comment:
                out += "; ";
                out += line.value;
                break;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

} // namespace kestra::forms
