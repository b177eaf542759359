// SPDX-License-Identifier: GPL-3.0-or-later
// Form: the toolkit-free logic of one editing dialog.
//
// How a dialog uses it (the Qt dialog and kestra-cli do the same):
//
//   FormContext ctx{state, [&] { view.RenderGrid(); }};
//   ChannelEditForm form(ctx, channel);     // one form object per opening
//   form.Open();                            // FillChoices + LoadFromImage
//   ... copy every FieldState into its widget (Fields() says which widget) ...
//   on a user event: write the widget's value into State(id), call the event
//   method, then copy every FieldState back into its widget (the form may
//   have changed any of them: texts, selections, enabled/visible flags):
//       focus enters an edit      FocusGained(id)
//       text changed by typing    TextTyped(id)      (the while-typing rule)
//       focus leaves an edit      TextCommitted(id)  (the focus-loss rule)
//       list entry picked         ListPicked(id)     (after index/text set)
//       check box clicked         BoxToggled(id)     (after checked set)
//       radio button pressed      RadioPressed(id)   (after index set)
//       push button pressed       ButtonPressed(id, argument)
//       up-down control stepped   SpinStep(id, +1 or -1)
//       grid cell editor closed   GridCellCommitted(id, row, col) (after cell set)
//       Enter or Esc              KeyPressed(id, key) -> close the dialog or not
//   form.Close();                           // however the dialog closes
//
// Typing goes through the field's KeyFilter and text limit (the binder sets
// them on the widget; ApplyProfileLine does the same for a pasted value).
// The form never talks to widgets; it holds plain fields and the image.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "core/forms/field_desc.h"

namespace kestra::forms {

// What a dialog reaches outside itself.
struct FormContext {
    AppState& state;
    // The main view's RenderGrid (batch generation renders after "应用").
    std::function<void()> renderGrid;
    // Seed for the random tones of batch generation instead of the time
    // (kestra-cli --seed).
    std::optional<unsigned> randomSeed;
};

enum class DialogKey { Enter, Escape };
enum class KeyOutcome { Swallowed, CloseDialog };

class Form {
public:
    explicit Form(FormContext& context);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The dialog's title and its field table (fixed for the program's life).
    virtual std::string Title() const = 0;
    virtual const std::vector<FieldSpec>& Fields() const = 0;

    int FieldCount() const { return static_cast<int>(states_.size()); }
    const FieldSpec& Spec(int id) const { return Fields()[static_cast<std::size_t>(id)]; }
    FieldState& State(int id) { return states_[static_cast<std::size_t>(id)]; }
    const FieldState& State(int id) const { return states_[static_cast<std::size_t>(id)]; }
    // The id of the field whose key is `key`, or -1.
    int FieldId(const std::string& key) const;

    // Lifecycle. Open = FillChoices + LoadFromImage; Close stores (a dialog
    // without storing, like batch generation, overrides it).
    virtual void Open();
    virtual void Close();
    virtual void FillChoices();
    virtual void LoadFromImage() = 0;
    virtual void NormaliseFields() {}
    virtual void StoreToImage() = 0;

    // User events (see the header comment). The default does nothing.
    virtual void FocusGained(int id);
    virtual void TextTyped(int id);
    virtual void TextCommitted(int id);
    virtual void ListPicked(int id);
    virtual void BoxToggled(int id);
    virtual void RadioPressed(int id);
    virtual void ButtonPressed(int id, const std::string& argument);
    virtual void SpinStep(int id, int delta);
    virtual void GridCellCommitted(int id, int row, int col);
    // Enter and Esc are swallowed unless a form says otherwise.
    virtual KeyOutcome KeyPressed(int id, DialogKey key);

    // Grid cells (GridCell fields): row 0.. over FieldState::rows, col 0.. over
    // FieldSpec::columns.
    const std::string& Cell(int id, int row, int col) const;
    void SetCell(int id, int row, int col, std::string text);
    // What the spin of grid id's in-place editor makes of the editor's text
    // (delta +1 or -1); nullopt when that grid's editor has no spin.
    virtual std::optional<std::string> StepGridCell(int id, const std::string& text,
                                                    int delta) const;
    // What field id's text shows once stored and loaded again: its text,
    // unless storing keeps less of it.
    virtual std::string StoredText(int id) const { return Text(id); }

protected:
    FormContext& context() { return context_; }
    const FormContext& context() const { return context_; }
    RadioImage& image() { return context_.state.image; }
    BandLimits& limits() { return context_.state.bandLimits; }
    const BandLimits& limits() const { return context_.state.bandLimits; }

    void SetText(int id, std::string text) { State(id).text = std::move(text); }
    const std::string& Text(int id) const { return State(id).text; }
    // Selects entry `index` of a list or radio group (-1: nothing); the
    // state's text follows the selection.
    void Select(int id, int index);
    int Selected(int id) const { return State(id).index; }
    void Enable(int id, bool enabled) { State(id).enabled = enabled; }
    // SelectDefaultIfNone: when nothing is selected, the fallback of the
    // field's table row (an index, or the first entry beginning with a text).
    void SelectDefaultIfNone(int id);
    // The first entry whose text begins with prefix, or -1.
    int FindEntryBeginningWith(int id, const std::string& prefix) const;

    // Table-driven fields (FieldSpec::location): load selects the entry for
    // the stored value and applies the fallback (a Hundredths edit shows the
    // value x 0.01 with "%.2f", a number field its rule's text, a check box
    // its tick); store writes the selection (index 0 when nothing is
    // selected), the edit's value or the tick (StoreLocation).
    // base is added to relative offsets (0 for absolute ones).
    void LoadTableField(int id, int base);
    void StoreTableField(int id, int base);

private:
    FormContext& context_;
    std::vector<FieldState> states_;
};

// The value a table-driven field stores for its current selection, text or tick.
int StoredValueOf(const FieldSpec& desc, const FieldState& state);

// The value stored at a location (base added to its offset), and storing one:
// a Word location writes its whole word, the others their bit field only.
int LoadLocation(const RadioImage& image, const ImageLocation& at, int base);
void StoreLocation(RadioImage& image, const ImageLocation& at, int base, int value);

// The decimal number at the start of text (0 when there is none) times scale,
// multiplied exactly (ExactMul) and truncated toward zero; held within
// +-10^15 so that any text converts. A comma is the decimal point: fields
// that take any character see 0,5 typed in comma-decimal locales.
long long ScaledDecimal(const std::string& text, double scale);

// The integer at the start of text (0 when there is none) clamped to
// [low, high], as decimal text.
std::string ClampedIntText(const std::string& text, int low, int high);

// A value in hundredths as a text with two decimals ("%.2f": 155 is "1.55").
std::string HundredthsText(int value);

// An up-down control's result: value when it lies in [low, high], else the
// low limit when stepping up (delta > 0) and the high limit when stepping down.
int SpinWrap(long long value, int low, int high, int delta);

} // namespace kestra::forms
