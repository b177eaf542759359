// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/profile_diff.h"

#include <cstdio>
#include <functional>

#include "core/forms/form_session.h"
#include "core/grid/channel_grid.h"

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

// The sections `settings` prints for form (all of them when empty), in an
// order that applies: the band limits ([model]) first, since channel
// frequencies are typed under them, then the channels, then the others.
bool PrintedSections(const AppState& opened, const std::string& form,
                     std::vector<ProfileSection>& out, std::string& error) {
    AppState state;
    CopyDocumentState(opened, state);
    FormSession session(state);
    if (!form.empty())
        return session.SettingsSections(form, out, error);
    if (!session.SettingsSections("model", out, error) ||
        !session.SettingsSections("channel", out, error))
        return false;
    for (const FormName& f : FormNames()) {
        const std::string name = f.name;
        if (name == "model" || name == "channel" ||
            !(f.printedByDefault || (f.factoryOnly && state.factoryMode)))
            continue;
        if (!session.SettingsSections(name, out, error))
            return false;
    }
    return true;
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

namespace {

// Raw lines for the bytes where `differs` holds: A's bytes as the comment,
// B's as the line.
std::vector<ProfileLine> RawLines(const RadioImage& a, const RadioImage& b,
                                  const std::function<bool(std::size_t)>& differs) {
    std::vector<ProfileLine> lines;
    std::size_t i = 0;
    while (i < kImageSize) {
        if (!differs(i)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < kImageSize && end - i < kRawBytesPerLine && differs(end))
            ++end;
        char key[16];
        std::snprintf(key, sizeof key, "0x%04zX", i);
        lines.push_back(MakeLine(ProfileLine::Kind::Comment, std::string(),
                                 key + ("=" + HexBytes(a, i, end - i))));
        lines.push_back(MakeLine(ProfileLine::Kind::Value, key, HexBytes(b, i, end - i)));
        i = end;
    }
    return lines;
}

// The tuning rows are named after the band limits ("136-174 低功率"): A's
// tuning section is printed as under B's limits, so that new limits alone
// differ in [model] only, not in every tuning row gone and another come.
// The rows are A's bytes of the calibration band B's limits show, the ones
// B's lines set when applied after B's [model].
void NameTuningRowsAsIn(const AppState& b, const AppState& a, std::vector<ProfileSection>& pa) {
    BandLimits limitsA, limitsB;
    LoadBandLimitsFromImage(a.image, limitsA);
    LoadBandLimitsFromImage(b.image, limitsB);
    if (limitsA == limitsB)
        return;
    for (ProfileSection& section : pa) {
        if (section.FormName() != "tuning")
            continue;
        AppState named;
        CopyDocumentState(a, named);
        StoreBandLimitsToImage(limitsB, named.image);
        named.bandLimits = limitsB;
        std::vector<ProfileSection> renamed;
        std::string ignored;
        if (PrintedSections(named, "tuning", renamed, ignored) && renamed.size() == 1)
            section = renamed.front();
    }
}

} // namespace

std::vector<ProfileLine> RawDifferenceLines(const RadioImage& a, const RadioImage& b) {
    return RawLines(a, b, [&](std::size_t i) { return a[i] != b[i]; });
}

bool DiffImages(const AppState& a, const AppState& b, const std::string& form,
                std::vector<ProfileSection>& out, std::string& error) {
    std::vector<ProfileSection> pa;
    std::vector<ProfileSection> pb;
    if (!PrintedSections(a, form, pa, error) || !PrintedSections(b, form, pb, error))
        return false;
    NameTuningRowsAsIn(b, a, pa);
    out = DiffSections(pa, pb);
    if (!form.empty() || a.image == b.image)
        return true; // equal images differ in nothing (whatever saving does)

    // What the differing lines explain: B's texts applied to A. A section
    // that cannot be applied explains nothing.
    // B's lines applied to A as configure runs them: afterForms is the
    // image when the last section closed, saved what saving makes of it.
    AppState applied;
    CopyDocumentState(a, applied);
    RadioImage afterForms;
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
        afterForms = applied.image;
        session.PrepareSave();
    }
    const RadioImage& saved = applied.image;
    // A's bytes that saving alone rewrites (A never saved): where they are
    // unlike B they are a difference, whatever saving makes of them.
    RadioImage resaved = a.image;
    BandLimits resavedLimits;
    PassThroughGrid(resaved, resavedLimits);
    // The [raw] bytes: those, those saving leaves unlike B, and then those
    // that saving with the [raw] bytes in place (the grid rendered from them
    // and converted) still leaves unlike B, until none is left. Every byte
    // the forms left unlike B always gives B for an image saving leaves as it is.
    std::vector<bool> set(kImageSize, false);
    bool any = false;
    for (std::size_t i = 0; i < kImageSize; ++i)
        any |= set[i] =
            saved[i] != b.image[i] || (a.image[i] != b.image[i] && resaved[i] != a.image[i]);
    for (int round = 0; any && round < 10; ++round) {
        RadioImage image = afterForms;
        for (std::size_t i = 0; i < kImageSize; ++i)
            if (set[i])
                image[i] = b.image[i];
        BandLimits limits;
        PassThroughGrid(image, limits);
        if (image == b.image)
            break;
        bool grown = false;
        for (std::size_t i = 0; i < kImageSize; ++i)
            if (image[i] != b.image[i] && !set[i])
                grown = set[i] = true;
        if (!grown) // what saving changes back: B itself, as the forms left it
            for (std::size_t i = 0; i < kImageSize; ++i)
                set[i] = set[i] || afterForms[i] != b.image[i];
    }
    ProfileSection raw;
    raw.header = "raw";
    raw.lines = RawLines(a.image, b.image, [&](std::size_t i) { return set[i]; });
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
