#include "core/forms/profile_diff.h"

#include <cstdio>

#include "core/forms/form_session.h"

namespace kestra::forms {

namespace {

constexpr std::size_t kRawBytesPerLine = 16;

ProfileLine MakeLine(ProfileLine::Kind kind, const std::string& key, const std::string& value) {
    ProfileLine line;
    line.kind = kind;
    line.key = key;
    line.value = value;
    return line;
}

ProfileLine CommentFor(const ProfileLine& line) {
    return MakeLine(ProfileLine::Kind::Comment, std::string(), line.key + "=" + line.value);
}

// The sections `settings` prints for form (all of them when empty).
bool PrintedSections(const AppState& opened, const std::string& form,
                     std::vector<ProfileSection>& out, std::string& error) {
    AppState state;
    CopyDocumentState(opened, state);
    FormSession session(state);
    if (!form.empty())
        return session.SettingsSections(form, out, error);
    return session.SettingsSections("channel", out, error) &&
           session.SettingsSections(std::string(), out, error);
}

const ProfileSection* FindSection(const std::vector<ProfileSection>& sections,
                                  const std::string& header) {
    for (const ProfileSection& s : sections)
        if (s.header == header)
            return &s;
    return nullptr;
}

// The lines of b that differ from a, each after a's text as a comment.
ProfileSection DiffSection(const ProfileSection* a, const ProfileSection& b) {
    ProfileSection out;
    out.header = b.header;
    std::vector<bool> used(a ? a->lines.size() : 0, false);
    for (const ProfileLine& lb : b.lines) {
        const ProfileLine* match = nullptr;
        for (std::size_t i = 0; a && i < a->lines.size() && !match; ++i) {
            if (!used[i] && a->lines[i].key == lb.key) {
                used[i] = true;
                match = &a->lines[i];
            }
        }
        if (match && match->value == lb.value)
            continue;
        if (match)
            out.lines.push_back(CommentFor(*match));
        out.lines.push_back(lb);
    }
    for (std::size_t i = 0; i < used.size(); ++i)
        if (!used[i])
            out.lines.push_back(CommentFor(a->lines[i]));
    return out;
}

std::string HexBytes(const RadioImage& image, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", image[i]);
        text += (i > from ? " " : "") + std::string(hex);
    }
    return text;
}

} // namespace

std::vector<ProfileSection> DiffSections(const std::vector<ProfileSection>& a,
                                         const std::vector<ProfileSection>& b) {
    std::vector<ProfileSection> out;
    for (const ProfileSection& sb : b) {
        ProfileSection d = DiffSection(FindSection(a, sb.header), sb);
        if (!d.lines.empty())
            out.push_back(std::move(d));
    }
    ProfileSection none;
    for (const ProfileSection& sa : a) {
        if (FindSection(b, sa.header))
            continue;
        none.header = sa.header;
        ProfileSection d = DiffSection(&sa, none);
        if (!d.lines.empty())
            out.push_back(std::move(d));
    }
    return out;
}

std::vector<ProfileLine> RawDifferenceLines(const RadioImage& a, const RadioImage& b) {
    std::vector<ProfileLine> lines;
    std::size_t i = 0;
    while (i < kImageSize) {
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < kImageSize && end - i < kRawBytesPerLine && a[end] != b[end])
            ++end;
        char key[16];
        std::snprintf(key, sizeof key, "0x%04zX", i);
        lines.push_back(
            MakeLine(ProfileLine::Kind::Comment, std::string(), key + ("=" + HexBytes(a, i, end))));
        lines.push_back(MakeLine(ProfileLine::Kind::Value, key, HexBytes(b, i, end)));
        i = end;
    }
    return lines;
}

bool DiffImages(const AppState& a, const AppState& b, const std::string& form,
                std::vector<ProfileSection>& out, std::string& error) {
    std::vector<ProfileSection> pa;
    std::vector<ProfileSection> pb;
    if (!PrintedSections(a, form, pa, error) || !PrintedSections(b, form, pb, error))
        return false;
    out = DiffSections(pa, pb);
    if (!form.empty())
        return true;

    // What the differing lines explain: B's texts applied to A. A section
    // that cannot be applied explains nothing.
    AppState applied;
    CopyDocumentState(a, applied);
    {
        FormSession session(applied);
        for (const ProfileSection& section : out) {
            ProfileSection run;
            run.header = section.header;
            run.source = "diff";
            for (const ProfileLine& line : section.lines)
                if (line.kind == ProfileLine::Kind::Value)
                    run.lines.push_back(line);
            std::string ignored;
            if (!run.lines.empty())
                session.RunSection(run, ignored);
        }
        session.PrepareSave();
    }
    ProfileSection raw;
    raw.header = "raw";
    // Bytes A and B share stay out, whatever applying did to them (a form
    // may store a normalised value in a byte its lines did not change).
    RadioImage unexplained = a.image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (applied.image[i] == b.image[i])
            unexplained[i] = b.image[i];
    raw.lines = RawDifferenceLines(unexplained, b.image);
    if (!raw.lines.empty())
        out.push_back(std::move(raw));
    return true;
}

std::vector<DiffEntry> DiffEntries(const std::vector<ProfileSection>& diff) {
    std::vector<DiffEntry> entries;
    for (const ProfileSection& section : diff) {
        const std::vector<ProfileLine>& lines = section.lines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            DiffEntry entry;
            entry.header = section.header;
            const ProfileLine& line = lines[i];
            if (line.kind == ProfileLine::Kind::Comment) {
                // "KEY=text": a key never holds '=' (the line reader splits
                // at the first one).
                const std::size_t eq = line.value.find('=');
                entry.key = line.value.substr(0, eq);
                entry.a = eq == std::string::npos ? std::string() : line.value.substr(eq + 1);
                if (i + 1 < lines.size() && lines[i + 1].kind == ProfileLine::Kind::Value &&
                    lines[i + 1].key == entry.key)
                    entry.b = lines[++i].value;
            } else {
                entry.key = line.key;
                entry.b = line.value;
            }
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

} // namespace kestra::forms
