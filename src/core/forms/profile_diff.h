// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between two images, as a profile (`kestra-cli diff`).
//
// Both images are opened as the application opens them and their dialogs are
// printed as `settings` prints them: every channel form and every settings
// form (with factory mode also the factory forms), or only the form named.
// For each dialog whose fields differ, one section with, per differing key,
// a comment line with the text in A and the line with the text in B:
//
//   [channel A005]
//   ; 接收频率=145.0000
//   接收频率=145.0125
//
// A key shown in only one image has only its comment ("; KEY=text" from A)
// or only its line (from B). The sections come in an order that applies:
// [model] (the band limits, under which channel frequencies are typed)
// first, then the channels, then the other dialogs. Without a form name a
// last section "[raw]" sets every byte the lines leave unlike B: B's
// differing field lines are applied to A as `configure` runs them, and each
// byte that then differs from B is listed as "; 0xOFFS=AA BB" (A's bytes)
// and "0xOFFS=AA BB" (B's), up to 16 bytes a line. So `configure A` with
// the whole diff gives exactly B for images that saving leaves as they are
// (a channel without TX, which no dialog can make, included).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "core/forms/profile.h"

namespace kestra::forms {

// The differing lines of two printed profiles, as sections (see above).
std::vector<ProfileSection> DiffSections(const std::vector<ProfileSection>& a,
                                         const std::vector<ProfileSection>& b);

// The differing bytes of two images as the "raw" section's lines (empty when
// equal).
std::vector<ProfileLine> RawDifferenceLines(const RadioImage& a, const RadioImage& b);

// The whole comparison (see above); an empty result means no difference. On
// an unusable form name returns false with the error.
bool DiffImages(const AppState& a, const AppState& b, const std::string& form,
                std::vector<ProfileSection>& out, std::string& error);

// One differing key of a comparison, A's and B's text side by side (what the
// application's compare list shows).
struct DiffEntry {
    std::string header; // the section: "channel A005", "options", "raw"
    std::string key;    // "接收频率", "0x3ED5"
    std::optional<std::string> a; // none: the key is not shown for A
    std::optional<std::string> b; // none: the key is not shown for B
};

// The sections of DiffImages (or DiffSections) as entries, in their order:
// a comment "; KEY=text" and the line for the same KEY right after it are one
// entry; a comment alone is a key only A shows, a line alone one only B shows.
std::vector<DiffEntry> DiffEntries(const std::vector<ProfileSection>& diff);

} // namespace kestra::forms
