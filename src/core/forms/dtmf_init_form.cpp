// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/dtmf_init_form.h"

#include "core/codec/text_seam.h"
#include "core/image/calibration_layout.h"

namespace kestra::forms {

namespace {

namespace table = decoder_table;

int ValueOffset(int id) {
    return table::EntryOffset(id) + 2;
}

} // namespace

DtmfInitForm::DtmfInitForm(FormContext& context) : FactoryForm(context) {}

const KeyFilter& DtmfInitForm::DialogFilter() {
    return filters::kHex;
}

const NumberEdit& DtmfInitForm::Rule() {
    static const NumberEdit rule{0, 0xFFFF, true};
    return rule;
}

std::string DtmfInitForm::Title() const {
    return KESTRA_TEXT("kestra", "DTMF 解码初始化");
}

const std::vector<FieldSpec>& DtmfInitForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        const char* labels[table::kEntryCount] = {
            KESTRA_TEXT("kestra", "L_group high threshold"),
            KESTRA_TEXT("kestra", "L_group low threshold"),
            KESTRA_TEXT("kestra", "H_group high threshold"),
            KESTRA_TEXT("kestra", "H_group low threshold"),
            KESTRA_TEXT("kestra", "Power clipper level"),
            KESTRA_TEXT("kestra", "Power clipper time"),
            KESTRA_TEXT("kestra", "Total_P diff DTMF_P threshold"),
            KESTRA_TEXT("kestra", "Non-power clipper"),
            KESTRA_TEXT("kestra", "Non-power hold time 1"),
            KESTRA_TEXT("kestra", "Non-power hold time 2"),
            KESTRA_TEXT("kestra", "Twist"),
        };
        std::vector<FieldSpec> f;
        for (const char* label : labels) {
            f.emplace_back(label, FieldKind::SpinEdit);
            f.back().textLimit = 4;
            f.back().filter = DialogFilter();
        }
        return f;
    }();
    return fields;
}

void DtmfInitForm::LoadFromImage() {
    for (int id = 0; id < table::kEntryCount; ++id)
        SetText(id, Rule().Show(static_cast<int>(ReadBe(image().data() + ValueOffset(id), 2))));
    NormaliseFields();
}

void DtmfInitForm::NormaliseFields() {
    for (int id = 0; id < table::kEntryCount; ++id)
        TextCommitted(id);
}

void DtmfInitForm::StoreToImage() {
    NormaliseFields();
    for (int id = 0; id < table::kEntryCount; ++id)
        WriteBe(image().data() + table::EntryOffset(id), 2,
                table::kRegisterWords[static_cast<std::size_t>(id)]);
    for (int id = 0; id < table::kEntryCount; ++id)
        WriteBe(image().data() + ValueOffset(id), 2,
                static_cast<std::uint32_t>(Rule().Read(Text(id))));
}

} // namespace kestra::forms
