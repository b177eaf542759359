// SPDX-License-Identifier: GPL-3.0-or-later
// One description of a dialog field, read alike by the form that owns it, the
// Qt widget binder and kestra-cli's settings/configure.
//
// A form lists its fields in a table (std::vector<FieldSpec>) in the order of
// the dialog, top to bottom; the position in that table is the field's id.
// The table is fixed for the life of the program; what changes while a dialog
// is open (texts, selections, enabled flags, grid rows) lives in FieldState.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/codec/byte_fields.h"
#include "core/codec/utf8.h"
#include "core/forms/number_edit.h"

namespace kestra::forms {

enum class FieldKind {
    Edit,          // single-line edit
    SpinEdit,      // edit with an up-down control
    TypeableCombo, // drop-down combo that can be typed into
    DropDownList,  // drop-down list: one of its entries or nothing
    CheckBox,
    RadioGroup, // group of radio buttons; choices are the button labels
    GridCell,   // a grid whose cells are edited in place; key "ROW/COLUMN"
    PushButton,
};

// Which typed characters an edit accepts. Characters are Unicode code points
// of UTF-8 text.
struct KeyFilter {
    // Characters accepted, after upper-casing when upperCase is set; nullptr
    // accepts any character.
    const char* allowed = nullptr;
    // Only the printable ASCII characters 0x20..0x7E.
    bool printableAscii = false;
    // Typed ASCII letters become upper case (the edit shows upper case).
    bool upperCase = false;
    // A comma is taken as the decimal point: it is what the keypad's decimal
    // key types in comma-decimal locales, and dropping it would turn 12,5
    // into 125.
    bool decimalComma = false;

    // The character as the edit takes it (upper-cased or the point, where asked).
    char32_t Transform(char32_t c) const;
    bool Accepts(char32_t c) const;
    // The text with every character transformed and the refused ones dropped.
    std::string Apply(const std::string& utf8) const;
};

// Common filters.
namespace filters {
inline constexpr KeyFilter kAny{};
inline constexpr KeyFilter kDigits{"0123456789", false, false};
inline constexpr KeyFilter kDecimal{"0123456789.", false, false, true};
inline constexpr KeyFilter kPrintableAscii{nullptr, true, false};
inline constexpr KeyFilter kDtmf{"0123456789ABCD*#", false, true};
// Hexadecimal digits, upper-cased.
inline constexpr KeyFilter kHex{"0123456789ABCDEF", false, true};
// Any character, upper-cased.
inline constexpr KeyFilter kAnyUpper{nullptr, false, true};
} // namespace filters

// How a table-driven field keeps its value in the image.
enum class StoredAs {
    Index,          // list: the list index
    Number,         // list: the number the selected entry's text starts with
    NumberMinusOne, // list: that number minus 1
    Hundredths,     // edit: its decimal text x 100 (ExactMul), truncated
    Value,          // spin edit: its number (FieldSpec::number), clamped to what the field holds
    Word,           // the same in bits [shift, shift + width) of the 16-bit little-endian word
                    // at the offset ({o, 6, 10}: the word holds value x 64); the word's other
                    // bits are written 0
    Ticked,         // check box: 1 when ticked
    Cleared,        // check box: 1 when cleared
};

// Where a table-driven field lives in the image: a bit field of one byte (or
// of a word, StoredAs::Word), absolute or relative to the record a form works
// on (the form passes the base), and the rule that turns the field's value
// into the stored one.
struct ImageLocation {
    BitField field{-1, 0, 8}; // offset -1: the form loads and stores the field itself
    StoredAs storedAs = StoredAs::Index;
    bool Valid() const { return field.offset >= 0; }
    int Largest() const { return (1 << field.width) - 1; }
};

// What a list field selects when the loaded value has no entry
// (SelectDefaultIfNone): an index, or the first entry beginning with a text.
struct Fallback {
    int index = -1;
    const char* text = nullptr;
    bool Given() const { return index >= 0 || text != nullptr; }
};

struct FieldSpec {
    FieldSpec() = default;
    FieldSpec(std::string key_, FieldKind kind_, std::vector<std::string> choices_ = {})
        : key(std::move(key_)), kind(kind_), choices(std::move(choices_)) {}

    std::string key; // the label as the dialog shows it, without a trailing
                     // colon; the profile key
    FieldKind kind = FieldKind::Edit;
    std::vector<std::string> choices; // list entries, radio button labels,
                                      // typeable combo entries
    int textLimit = 0;                // characters; 0 = no limit
    KeyFilter filter;
    bool readOnly = false;  // shown, never edited (a profile line is an error)
    bool inProfile = true;  // printed by `kestra-cli settings` (when visible)
    bool shown = true;      // false: the dialog has no widget for it; the form
                            // still loads and stores its bytes
    ImageLocation location; // table-driven fields
    NumberEdit number;      // a factory form's number field: range, decimal or hexadecimal
    Fallback fallback;
    // GridCell: the titles of the editable columns (the row labels are the
    // fixed first column and live in FieldState::rows).
    std::vector<std::string> columns;
    // PushButton: the id of the grid whose row label the button takes as its
    // profile value ("ANI 呼叫"), or -1 when it takes none.
    int argumentGrid = -1;
};

// The live state of one field while its dialog is open.
struct FieldState {
    std::string text; // edit and combo text; a list's selected entry text
    int index = -1;   // list / radio selection, -1 = none
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    // GridCell: row labels and the cell texts, row-major over the columns.
    std::vector<std::string> rows;
    std::vector<std::string> cells;
};

} // namespace kestra::forms
