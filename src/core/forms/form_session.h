// A document driven through its dialogs: what `kestra-cli settings` and
// `kestra-cli configure` do, without a display.
//
// The session holds the main view's grid, rendered from the image when the
// session starts (as opening a document does). Each profile section is one
// open-and-close of its dialog with everything the main view does around it:
//
//   form      before the dialog    after it
//   channel   GridToImage          RenderGrid
//   model     GridToImage          RenderGrid
//   batch     GridToImage          (each "应用" renders the grid)
//   tuning    -                    -     (factory only)
//   decoder   -                    -     (factory only)
//   options, fm, dtmf              nothing (they edit no channel)
//
// A dtmf section ("dtmf 解码") opens the DTMF dialog, selects the page it
// names, runs its lines on that page and closes the dialog.
//
// The batch dialog gets a GridToImage first so that grid edits not yet
// converted are not replaced when "应用" renders the grid.
//
// Rows the view has converted and not changed since are left out of the next
// conversion and rendering (converting them again changes nothing), so that
// 258 channel sections do not run 258 complete conversions.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "core/forms/form.h"
#include "core/forms/profile.h"
#include "core/grid/channel_grid.h"

namespace kestra::forms {

// The form names, in the order `settings` prints them (FORMS.md).
struct FormName {
    const char* name;
    bool factoryOnly;
    bool available; // built into this version
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

    // The sections `settings` prints for one form (an empty name: every form
    // printed by default, plus the factory forms in factory mode), or for
    // one section named by its header ("dtmf 编码", "channel A005").
    bool SettingsSections(const std::string& name, std::vector<ProfileSection>& sections,
                          std::string& error);

    // What saving does before the bytes are written: GridToImage, which
    // finalises the image.
    void PrepareSave();

    // Runs the complete GridToImage and RenderGrid around every dialog
    // instead of the rows that changed (the same result; for checking).
    void SetFullViewPasses(bool full) { fullViewPasses_ = full; }

    ChannelGrid& grid() { return grid_; }
    FormContext& context() { return context_; }

private:
    // Checks the header and opens the dialog's form (nullptr and error when
    // the header names no usable dialog).
    // The entry of a form that can be opened now, or nullptr and an error.
    const FormName* UsableForm(const std::string& name, std::string& error) const;
    std::unique_ptr<Form> OpenForm(const ProfileSection& section, std::string& error);
    // The form of a dialog that opens without an argument, or nullptr.
    std::unique_ptr<Form> MakeForm(const std::string& name);
    bool ApplyLines(Form& form, const ProfileSection& section, std::string& error);
    bool RunDtmfSection(const ProfileSection& section, std::string& error);
    void Before(const std::string& name);
    void After(const std::string& name);
    // The main view's RenderGrid (the whole grid).
    void RenderView();
    // The main view's GridToImage, which finalises the image.
    void ConvertGrid();

    AppState& state_;
    ChannelGrid grid_;
    FormContext context_;
    bool fullViewPasses_ = false;
    // True when every row but changedRows_ has been converted from a grid
    // rendered from the image, with no change to its record since.
    bool converted_ = false;
    std::vector<int> changedRows_;
    RadioImage beforeDialog_;
};

} // namespace kestra::forms
