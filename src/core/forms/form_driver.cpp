// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/form_driver.h"

#include "core/codec/decimal.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/forms/profile_labels.h"

namespace kestra::forms {

namespace {

struct GridKey {
    int id = -1;
    int row = -1;
    int col = -1;
};

// Labels (keys, entries, row labels, column titles) are found in any shipped
// language (core/forms/profile_labels.h).
int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    return FindLabel(list, text);
}

int FieldOf(const Form& form, const std::string& key) {
    std::vector<std::string> keys;
    for (int id = 0; id < form.FieldCount(); ++id)
        keys.push_back(form.Spec(id).key);
    return FindLabel(keys, key);
}

// "ROW/COLUMN" of a grid field; row labels and column titles may not hold a
// '/' of their own, but every split is tried so that one of them may.
GridKey FindGridCell(const Form& form, const std::string& key) {
    for (int id = 0; id < form.FieldCount(); ++id) {
        const FieldSpec& desc = form.Spec(id);
        if (desc.kind != FieldKind::GridCell)
            continue;
        for (auto slash = key.find('/'); slash != std::string::npos;
             slash = key.find('/', slash + 1)) {
            const int row = IndexOf(form.State(id).rows, key.substr(0, slash));
            const int col = IndexOf(desc.columns, key.substr(slash + 1));
            if (row >= 0 && col >= 0)
                return GridKey{id, row, col};
        }
    }
    return GridKey{};
}

std::string TypedText(const FieldSpec& desc, const std::string& value) {
    std::string text = desc.filter.Apply(value);
    if (desc.textLimit > 0)
        text = Utf8Left(text, static_cast<std::size_t>(desc.textLimit));
    return text;
}

std::string EntryList(const std::vector<std::string>& choices) {
    std::string out;
    for (const auto& c : choices) {
        if (!out.empty())
            out += ", ";
        out += TranslateText(c.c_str());
    }
    return out;
}

bool Usable(const Form& form, int id, std::string& error) {
    const FieldState& st = form.State(id);
    if (form.Spec(id).readOnly) {
        error = TranslateText(KESTRA_TEXT("kestra", "该项只读"));
        return false;
    }
    if (!st.visible) {
        error = TranslateText(KESTRA_TEXT("kestra", "该项未显示"));
        return false;
    }
    if (!st.enabled) {
        error = TranslateText(KESTRA_TEXT("kestra", "该项不可用"));
        return false;
    }
    return true;
}

} // namespace

void PasteText(Form& form, int id, const std::string& value) {
    form.FocusGained(id);
    form.State(id).text = TypedText(form.Spec(id), value);
    form.TextTyped(id);
    form.TextCommitted(id);
}

namespace {

int SpinDirection(const ProfileLine& line) {
    return line.kind == ProfileLine::Kind::SpinUp ? 1 : -1;
}

// "row/column = value", or a press of the cell's spin.
bool ApplyGridCellLine(Form& form, const GridKey& cell, const ProfileLine& line,
                       std::string& error) {
    if (!Usable(form, cell.id, error))
        return false;
    std::string text = TypedText(form.Spec(cell.id), line.value);
    if (line.kind != ProfileLine::Kind::Value) {
        // The editor opens on the cell's text, its spin is pressed once,
        // the editor is committed.
        const std::optional<std::string> stepped =
            form.StepGridCell(cell.id, form.Cell(cell.id, cell.row, cell.col), SpinDirection(line));
        if (!stepped) {
            error = TranslateText(KESTRA_TEXT("kestra", "表格单元没有微调按钮"));
            return false;
        }
        text = *stepped;
    }
    form.SetCell(cell.id, cell.row, cell.col, std::move(text));
    form.GridCellCommitted(cell.id, cell.row, cell.col);
    return true;
}

// A drop-down list entry or a radio button, by its label.
bool ApplyChoice(Form& form, int id, const std::string& value, std::string& error) {
    const FieldSpec& desc = form.Spec(id);
    FieldState& st = form.State(id);
    const bool list = desc.kind == FieldKind::DropDownList;
    const int index = IndexOf(desc.choices, value);
    if (index < 0) {
        error = FillIn(TranslateText(list ? KESTRA_TEXT("kestra", "“%1”不是列表中的项（%2）")
                                          : KESTRA_TEXT("kestra", "“%1”不是该组中的按钮（%2）")),
                       {value, EntryList(desc.choices)});
        return false;
    }
    if (list && index == st.index)
        return true; // picking the selected entry changes nothing
    st.index = index;
    st.text = desc.choices[static_cast<std::size_t>(index)];
    if (list)
        form.ListPicked(id);
    else
        form.RadioPressed(id);
    return true;
}

bool ApplyCheckBox(Form& form, int id, const std::string& value, std::string& error) {
    if (value != "1" && value != "0") {
        error = TranslateText(KESTRA_TEXT("kestra", "复选框只接受 1 或 0"));
        return false;
    }
    FieldState& st = form.State(id);
    const bool checked = value == "1";
    if (checked != st.checked) {
        st.checked = checked;
        form.BoxToggled(id);
    }
    return true;
}

// A press; a button that acts on a grid row takes that row's label.
bool ApplyButton(Form& form, int id, const std::string& value, std::string& error) {
    const FieldSpec& desc = form.Spec(id);
    std::string argument = value;
    if (desc.argumentGrid >= 0) {
        const auto& rows = form.State(desc.argumentGrid).rows;
        const int row = IndexOf(rows, value);
        if (row < 0) {
            error = FillIn(TranslateText(KESTRA_TEXT("kestra", "该按钮的值是“%1”中一行的行标签")),
                           {TranslateText(form.Spec(desc.argumentGrid).key.c_str())});
            return false;
        }
        argument = rows[static_cast<std::size_t>(row)];
    } else if (!value.empty()) {
        error = TranslateText(KESTRA_TEXT("kestra", "按钮不带值"));
        return false;
    }
    form.ButtonPressed(id, argument);
    return true;
}

// Whether shown says what given said: the same text but for blanks round it
// and letter case, or the same number however written.
bool SameInSubstance(const std::string& given, const std::string& shown) {
    const std::string_view a = TrimBlanks(given);
    const std::string_view b = TrimBlanks(shown);
    if (ToUpperAscii(std::string(a)) == ToUpperAscii(std::string(b)))
        return true;
    const std::optional<double> x = ParseDecimal(a);
    const std::optional<double> y = ParseDecimal(b);
    return x && y && *x == *y;
}

// What a typed value line left in its field, when it says something else.
void NoteStoredAs(const ProfileLine& line, const std::string& shown,
                  std::optional<std::string>* storedAs) {
    if (storedAs && !SameInSubstance(line.value, shown))
        *storedAs = shown;
}

bool ApplyValueLine(Form& form, int id, const ProfileLine& line, std::string& error) {
    const FieldSpec& desc = form.Spec(id);
    switch (desc.kind) {
    case FieldKind::Edit:
    case FieldKind::SpinEdit:
        PasteText(form, id, line.value);
        return true;
    case FieldKind::TypeableCombo: {
        // An entry's label in another language types the entry itself.
        const int entry = IndexOf(desc.choices, line.value);
        PasteText(form, id, entry < 0 ? line.value : desc.choices[static_cast<std::size_t>(entry)]);
        return true;
    }
    case FieldKind::DropDownList:
    case FieldKind::RadioGroup:
        return ApplyChoice(form, id, line.value, error);
    case FieldKind::CheckBox:
        return ApplyCheckBox(form, id, line.value, error);
    case FieldKind::PushButton:
        return ApplyButton(form, id, line.value, error);
    case FieldKind::GridCell:
        error = TranslateText(KESTRA_TEXT("kestra", "表格逐个单元设置：行/列=值"));
        return false;
    }
    return false;
}

} // namespace

bool ApplyProfileLine(Form& form, const ProfileLine& line, std::string& error,
                      std::optional<std::string>* storedAs) {
    if (storedAs)
        storedAs->reset();
    if (line.kind == ProfileLine::Kind::Comment)
        return true;
    const int id = FieldOf(form, line.key);
    if (id < 0) {
        const GridKey cell = FindGridCell(form, line.key);
        if (cell.id < 0) {
            error = TranslateText(KESTRA_TEXT("kestra", "此对话框中没有该项"));
            return false;
        }
        if (!ApplyGridCellLine(form, cell, line, error))
            return false;
        if (line.kind == ProfileLine::Kind::Value)
            NoteStoredAs(line, form.Cell(cell.id, cell.row, cell.col), storedAs);
        return true;
    }
    const FieldSpec& desc = form.Spec(id);
    if (!Usable(form, id, error))
        return false;
    if (line.kind != ProfileLine::Kind::Value) {
        if (desc.kind != FieldKind::SpinEdit) {
            error = TranslateText(KESTRA_TEXT("kestra", "该项没有微调按钮"));
            return false;
        }
        form.SpinStep(id, SpinDirection(line));
        return true;
    }
    if (!ApplyValueLine(form, id, line, error))
        return false;
    const bool typed =
        desc.kind == FieldKind::Edit || desc.kind == FieldKind::SpinEdit ||
        (desc.kind == FieldKind::TypeableCombo && IndexOf(desc.choices, line.value) < 0);
    if (typed)
        NoteStoredAs(line, form.StoredText(id), storedAs);
    return true;
}

std::vector<ProfileLine> FormProfileLines(const Form& form) {
    std::vector<ProfileLine> lines;
    auto add = [&](const std::string& key, const std::string& value) {
        ProfileLine line;
        line.key = key;
        line.value = value;
        lines.push_back(std::move(line));
    };
    for (int id = 0; id < form.FieldCount(); ++id) {
        const FieldSpec& desc = form.Spec(id);
        const FieldState& st = form.State(id);
        if (!desc.inProfile || !st.visible || desc.kind == FieldKind::PushButton)
            continue;
        if (desc.readOnly) {
            ProfileLine line;
            line.kind = ProfileLine::Kind::Comment;
            line.value = PrintedLabel(desc.key) + "=" + st.text;
            lines.push_back(std::move(line));
            continue;
        }
        if (!st.enabled)
            continue;
        switch (desc.kind) {
        case FieldKind::Edit:
        case FieldKind::SpinEdit:
            add(PrintedLabel(desc.key), st.text);
            break;
        case FieldKind::TypeableCombo: {
            const bool entry = IndexOf(desc.choices, st.text) >= 0;
            add(PrintedLabel(desc.key), entry ? PrintedLabel(st.text) : st.text);
            break;
        }
        case FieldKind::DropDownList:
        case FieldKind::RadioGroup:
            if (st.index >= 0 && st.index < static_cast<int>(desc.choices.size()))
                add(PrintedLabel(desc.key),
                    PrintedLabel(desc.choices[static_cast<std::size_t>(st.index)]));
            break;
        case FieldKind::CheckBox:
            add(PrintedLabel(desc.key), st.checked ? "1" : "0");
            break;
        case FieldKind::GridCell:
            for (std::size_t r = 0; r < st.rows.size(); ++r)
                for (std::size_t c = 0; c < desc.columns.size(); ++c)
                    add(PrintedLabel(st.rows[r]) + "/" + PrintedLabel(desc.columns[c]),
                        form.Cell(id, static_cast<int>(r), static_cast<int>(c)));
            break;
        case FieldKind::PushButton:
            break;
        }
    }
    return lines;
}

} // namespace kestra::forms
