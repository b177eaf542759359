// SPDX-License-Identifier: GPL-3.0-or-later
// A document driven through its dialogs: what `kestra-cli settings` and
// `kestra-cli configure` do, without a display.
//
// The session holds the main view's grid, rendered from the image when the
// session starts (as opening a document does). Each profile section is one
// open-and-close of its dialog with exactly the steps the main view runs
// around it (core/forms/view_steps.h, the one description both read).
//
// A dtmf section ("dtmf 解码") opens the DTMF dialog, selects the page it
// names, runs its lines on that page and closes the dialog.
//
// Sections may be fed line by line (BeginSection, Line, EndSection), so that
// a profile is run as it is read: one section's lines are never held. The
// renders that each "应用" asks for are done once, when the batch section
// ends: nothing reads the grid in between, and each rendering replaces
// every row, so the last one alone counts. A section of a few lines that
// left the whole session (image, band limits, grid, call ID) as it was is
// not run again while the same section follows it: a section is a function
// of that state, so it would change nothing again (batch sections, whose
// "应用" draws random tones, excepted).
//
// "[raw]" sections (lines 0xOFFS=AA BB ...) set image bytes; they are
// applied after every form section of the run, by PrepareSave, and the grid
// is rendered from the image again before it is converted for saving. The
// bytes saving computes (the derived tables) are put back, and noted.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "core/forms/dtmf_dialog.h"
#include "core/forms/form.h"
#include "core/forms/profile.h"
#include "core/grid/channel_grid.h"

namespace kestra::forms {

// The form names, in the order `settings` prints them (FORMS.md).
// "AA BB ..." of count bytes from offset, as a [raw] line gives them.
std::string HexBytes(const RadioImage& image, std::size_t offset, std::size_t count);

struct FormName {
    const char* name;
    bool factoryOnly;
    bool printedByDefault;
};
const std::vector<FormName>& FormNames();
const FormName* FindFormName(const std::string& name);

// The record number of an exact channel label ("A005", "A VFO"), else 0.
int ChannelOfLabel(const std::string& label);
// The record number a section names ("channel A005" -> 5), else 0.
int ChannelOfSection(const ProfileSection& section);

class FormSession {
public:
    // Opens the document: renders the grid from state.image.
    FormSession(AppState& state, std::optional<unsigned> randomSeed = std::nullopt);
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    // Runs one section. On an error returns false with a message naming the
    // section, the line and the key; the image holds what the lines before
    // the error did (callers write nothing then).
    bool RunSection(const ProfileSection& section, std::string& error);
    // The same, fed a line at a time: section holds the header, source and
    // number (its lines are not read). Every call after an error fails.
    bool BeginSection(const ProfileSection& section, std::string& error);
    bool Line(const ProfileLine& line, std::string& error);
    bool EndSection(std::string& error);

    // The sections `settings` prints for one form (an empty name: every form
    // printed by default, plus the factory forms in factory mode), or for
    // one section named by its header ("dtmf 编码", "channel A005").
    bool SettingsSections(const std::string& name, std::vector<ProfileSection>& sections,
                          std::string& error);

    // What saving does before the bytes are written: the bytes of the [raw]
    // sections go into the image (and the grid is rendered from it), then
    // GridToImage, which finalises the image. A [raw] line whose bytes
    // saving changed is noted (Notes) as stored as the bytes saved.
    void PrepareSave();

    // The value lines a dialog stored as something other than their value
    // (see ApplyProfileLine), in order: "FILE:LINE: [section] KEY: “given”
    // was stored as “shown”"; after PrepareSave, then the [raw] lines whose
    // bytes saving changed.
    const std::vector<std::string>& Notes() const { return notes_; }
    // The channels each change of the band limits cleared, as the section
    // that changed them closed: "FILE:LINE: [model]: N channels ... : A001, ...".
    const std::vector<std::string>& Cleared() const { return cleared_; }

    ChannelGrid& grid() { return grid_; }
    FormContext& context() { return context_; }

private:
    // The entry of a form that can be opened now, or nullptr and an error.
    const FormName* UsableForm(const std::string& name, std::string& error) const;
    // Checks the header and opens the dialog's form, with the view's steps
    // before it (false and error when the header names no usable dialog).
    bool OpenSection(std::string& error);
    // The form of a dialog that opens without an argument, or nullptr.
    std::unique_ptr<Form> MakeForm(const std::string& name);
    bool RawLine(const ProfileLine& line, std::string& error);
    void Before(const std::string& name);
    void After(const std::string& name);
    // The main view's RenderGrid (the whole grid).
    void RenderView();
    // The main view's GridToImage, which finalises the image.
    void ConvertGrid();
    // What a section can change: image, band limits, call ID, grid texts.
    struct SessionState {
        RadioImage image;
        BandLimits limits;
        std::string callId;
        ChannelGrid grid;
    };
    SessionState TakeSessionState() const;
    bool SameState(const SessionState& before) const;
    // Opens the section's dialog and runs the lines held so far.
    bool OpenNow(std::string& error);
    bool ApplyOne(const ProfileLine& line, std::string& error);

    AppState& state_;
    ChannelGrid grid_;
    FormContext context_;
    // The section being run.
    ProfileSection section_;
    bool inSection_ = false;
    bool opened_ = false;
    bool failed_ = false;
    std::size_t lineCount_ = 0;
    std::vector<ProfileLine> held_;   // lines not run yet (they repeat the idle section's)
    std::vector<ProfileLine> recent_; // the section's first lines, for idle_
    SessionState atOpen_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<DtmfDialog> dtmf_;
    Form* target_ = nullptr;
    std::vector<std::string> notes_;
    std::vector<std::string> cleared_;
    // "应用" asked for a RenderGrid in the section being run.
    bool renderPending_ = false;
    // The document when the dialog opened (after the steps before it).
    RadioImage imageAtOpen_;
    BandLimits limitsAtOpen_;
    // The last section (of a few lines) that left the session as it was:
    // the same section right after it is not run (it would change nothing).
    struct Idle {
        std::string header;
        std::vector<ProfileLine> lines;
    };
    std::optional<Idle> idle_;
    // The [raw] bytes, applied by PrepareSave (later lines win), and the
    // index into rawLines_ of the line that set each (-1: none).
    RadioImage rawBytes_;
    std::vector<int> rawLineOf_;
    struct RawLineAt {
        std::string where; // "FILE:LINE: [raw] 0xOFFS"
        std::size_t offset;
        std::size_t count;
        std::string value;
    };
    std::vector<RawLineAt> rawLines_;
};

} // namespace kestra::forms
