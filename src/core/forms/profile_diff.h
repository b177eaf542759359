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
// or only its line (from B). Without a form name a last section "[raw]"
// lists the differing bytes no field explains: B's differing field lines are
// applied to A as `configure` would (saving included), and bytes of A that differ from B and still
// do after that are listed as "; 0xOFFS=AA BB" (A) and "0xOFFS=AA BB" (B), up to 16 bytes a line.
#pragma once

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

} // namespace kestra::forms
