#include "core/forms/profile.h"

#include "core/forms/field_desc.h"

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
        error = "expected KEY=VALUE, KEY++ or KEY--";
        return false;
    }
    if (line.key.empty()) {
        error = "the line has no key";
        return false;
    }
    return true;
}

bool ParseProfile(const std::string& text, const std::string& source,
                  std::vector<ProfileSection>& sections, std::string& error) {
    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    int number = 0;
    std::vector<ProfileSection> out;
    auto fail = [&](const std::string& message) {
        error = source + ":" + std::to_string(number) + ": " + message;
        return false;
    };
    while (pos < text.size()) {
        ++number;
        auto end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Comments are skipped whatever their bytes: one may quote a file
        // written in another encoding.
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (!Utf8Valid(line))
            return fail("the line is not valid UTF-8");
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3)
                return fail("a section header is '[' NAME ']' with nothing around it");
            ProfileSection section;
            section.header = line.substr(1, line.size() - 2);
            section.source = source;
            section.number = number;
            if (section.header.find_first_of("[]") != std::string::npos)
                return fail("a section header is '[' NAME ']' with nothing around it");
            out.push_back(std::move(section));
            continue;
        }
        if (out.empty())
            return fail("a line before the first [section]");
        ProfileLine parsed;
        std::string why;
        if (!ParseProfileLine(line, parsed, why))
            return fail(why);
        parsed.number = number;
        out.back().lines.push_back(std::move(parsed));
    }
    for (auto& s : out)
        sections.push_back(std::move(s));
    return true;
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
