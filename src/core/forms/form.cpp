// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/form.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/codec/codecs.h"

namespace kestra::forms {

Form::Form(FormContext& context) : context_(context) {}

Form::~Form() = default;

int Form::FieldId(const std::string& key) const {
    const auto& fields = Fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].key == key)
            return static_cast<int>(i);
    return -1;
}

void Form::Open() {
    FillChoices();
    LoadFromImage();
}

void Form::Close() {
    StoreToImage();
}

void Form::FillChoices() {
    states_.assign(Fields().size(), FieldState{});
}

void Form::FocusGained(int) {}
void Form::TextTyped(int) {}
void Form::TextCommitted(int) {}
void Form::ListPicked(int) {}
void Form::BoxToggled(int) {}
void Form::RadioPressed(int) {}
void Form::ButtonPressed(int, const std::string&) {}
void Form::SpinStep(int, int) {}
void Form::GridCellCommitted(int, int, int) {}

KeyOutcome Form::KeyPressed(int, DialogKey) {
    return KeyOutcome::Swallowed;
}

std::optional<std::string> Form::StepGridCell(int, const std::string&, int) const {
    return std::nullopt;
}

const std::string& Form::Cell(int id, int row, int col) const {
    static const std::string kEmpty;
    const std::size_t cols = Spec(id).columns.size();
    const std::size_t at = static_cast<std::size_t>(row) * cols + static_cast<std::size_t>(col);
    const auto& cells = State(id).cells;
    return at < cells.size() ? cells[at] : kEmpty;
}

void Form::SetCell(int id, int row, int col, std::string text) {
    FieldState& st = State(id);
    const std::size_t cols = Spec(id).columns.size();
    const std::size_t size = st.rows.size() * cols;
    if (st.cells.size() != size)
        st.cells.resize(size);
    st.cells[static_cast<std::size_t>(row) * cols + static_cast<std::size_t>(col)] =
        std::move(text);
}

void Form::Select(int id, int index) {
    FieldState& st = State(id);
    const auto& choices = Spec(id).choices;
    if (index < 0 || index >= static_cast<int>(choices.size())) {
        st.index = -1;
        st.text.clear();
        return;
    }
    st.index = index;
    st.text = choices[static_cast<std::size_t>(index)];
}

int Form::FindEntryBeginningWith(int id, const std::string& prefix) const {
    const auto& choices = Spec(id).choices;
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].compare(0, prefix.size(), prefix) == 0)
            return static_cast<int>(i);
    return -1;
}

void Form::SelectDefaultIfNone(int id) {
    if (Selected(id) >= 0)
        return;
    const Fallback& fb = Spec(id).fallback;
    if (fb.text != nullptr)
        Select(id, FindEntryBeginningWith(id, fb.text));
    else if (fb.index >= 0)
        Select(id, fb.index);
}

int LoadLocation(const RadioImage& image, const ImageLocation& at, int base) {
    const BitField& f = at.field;
    if (at.storedAs == StoredAs::Word)
        return static_cast<int>(image.Le(f.offset + base, 2) >> f.shift) & at.Largest();
    return image.Get(BitField{f.offset + base, f.shift, f.width});
}

void StoreLocation(RadioImage& image, const ImageLocation& at, int base, int value) {
    const BitField& f = at.field;
    if (at.storedAs == StoredAs::Word)
        image.SetLe(f.offset + base, 2, static_cast<std::uint32_t>(value) << f.shift);
    else
        image.Set(BitField{f.offset + base, f.shift, f.width}, value);
}

void Form::LoadTableField(int id, int base) {
    const FieldSpec& desc = Spec(id);
    const int value = LoadLocation(image(), desc.location, base);
    switch (desc.location.storedAs) {
    case StoredAs::Index:
        Select(id, value);
        break;
    case StoredAs::Number:
        Select(id, FindEntryBeginningWith(id, std::to_string(value)));
        break;
    case StoredAs::NumberMinusOne:
        Select(id, FindEntryBeginningWith(id, std::to_string(value + 1)));
        break;
    case StoredAs::Hundredths:
        SetText(id, HundredthsText(value));
        return;
    case StoredAs::Value:
    case StoredAs::Word:
        SetText(id, desc.number.Show(value));
        return;
    case StoredAs::Ticked:
    case StoredAs::Cleared:
        State(id).checked = (value != 0) == (desc.location.storedAs == StoredAs::Ticked);
        return;
    }
    SelectDefaultIfNone(id);
}

long long ScaledDecimal(const std::string& text, double scale) {
    constexpr double kLimit = 1e15;
    const double v = std::trunc(ExactMul(LeadingDecimal(TypedDecimalPoint(text)), scale));
    return static_cast<long long>(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
}

std::string ClampedIntText(const std::string& text, int low, int high) {
    const int v = LeadingInt(text);
    return std::to_string(v < low ? low : v > high ? high : v);
}

std::string HundredthsText(int value) {
    return FormatDecimal(ExactMul(value, 0.01), 2);
}

int SpinWrap(long long value, int low, int high, int delta) {
    if (value >= low && value <= high)
        return static_cast<int>(value);
    return delta > 0 ? low : high;
}

int StoredValueOf(const FieldSpec& desc, const FieldState& state) {
    const StoredAs as = desc.location.storedAs;
    switch (as) {
    case StoredAs::Hundredths:
        return static_cast<int>(ScaledDecimal(state.text, 100.0));
    case StoredAs::Value:
    case StoredAs::Word:
        return std::clamp(desc.number.Read(state.text), 0, desc.location.Largest());
    case StoredAs::Ticked:
    case StoredAs::Cleared:
        return state.checked == (as == StoredAs::Ticked) ? 1 : 0;
    default:
        break;
    }
    if (state.index < 0 || as == StoredAs::Index)
        return std::max(state.index, 0);
    const int number = std::atoi(desc.choices[static_cast<std::size_t>(state.index)].c_str());
    return as == StoredAs::Number ? number : number - 1;
}

void Form::StoreTableField(int id, int base) {
    StoreLocation(image(), Spec(id).location, base, StoredValueOf(Spec(id), State(id)));
}

} // namespace kestra::forms
