// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/dtmf_code_list_form.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/forms/dtmf_dialog.h"
#include "core/image/settings_layout.h"

namespace kestra::forms {

namespace {

constexpr int kCallIdLength = 7;

} // namespace

DtmfCodeListForm::DtmfCodeListForm(FormContext& context) : Form(context) {}

std::string DtmfCodeListForm::Title() const {
    return KESTRA_TEXT("kestra", "自动拨号");
}

const std::vector<FieldSpec>& DtmfCodeListForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        f[kCodes] = FieldSpec(KESTRA_TEXT("kestra", "序号"), FieldKind::GridCell);
        f[kCodes].columns = {KESTRA_TEXT("kestra", "编码")};
        f[kCodes].filter = filters::kDtmf;
        f[kCodes].textLimit = dtmf::kCodeLength;
        f[kOwnId] = FieldSpec(KESTRA_TEXT("kestra", "自身 ID"), FieldKind::Edit);
        f[kOwnId].filter = filters::kDigits;
        f[kOwnId].textLimit = dtmf::kOwnIdLength;
        f[kSeparator] = FieldSpec(KESTRA_TEXT("kestra", "分隔符"), FieldKind::DropDownList,
                                  DtmfSuffixChoices());
        f[kSeparator].fallback = Fallback{0, nullptr};
        f[kCallId] = DtmfEdit(KESTRA_TEXT("kestra", "呼叫ID"), kCallIdLength);
        f[kAniCall] = FieldSpec(KESTRA_TEXT("kestra", "ANI 呼叫"), FieldKind::PushButton);
        f[kAniCall].argumentGrid = kCodes;
        return f;
    }();
    return fields;
}

void DtmfCodeListForm::FillChoices() {
    Form::FillChoices();
    for (int row = 0; row < dtmf::kCodeCount; ++row)
        State(kCodes).rows.push_back(std::to_string(row));
    SetText(kCallId, context().state.dtmfCallId);
}

void DtmfCodeListForm::LoadFromImage() {
    const auto separator = static_cast<std::uint8_t>(image().Get(dtmf::kSeparator));
    Select(kSeparator, DtmfSuffixIndex(separator));
    SelectDefaultIfNone(kSeparator);
    savedSeparator_ = DtmfCodeText(separator);
    SetText(kOwnId, image().DtmfString(dtmf::kOwnId, dtmf::kOwnIdLength));
    savedOwnId_ = Text(kOwnId);
    for (int n = 1; n <= dtmf::kCodeCount; ++n)
        SetCell(kCodes, n - 1, 0, image().DtmfString(dtmf::CodeEntry(n), dtmf::kCodeLength));
}

void DtmfCodeListForm::StoreToImage() {
    context().state.dtmfCallId = Text(kCallId);
    if (Selected(kSeparator) >= 0)
        image().Set(dtmf::kSeparator, DtmfCharToCode(Text(kSeparator)[0]));
    image().SetDtmfString(dtmf::kOwnId, dtmf::kOwnIdLength, Text(kOwnId));
    for (int n = 1; n <= dtmf::kCodeCount; ++n)
        image().SetDtmfString(dtmf::CodeEntry(n), dtmf::kCodeLength, Cell(kCodes, n - 1, 0));
}

void DtmfCodeListForm::FocusGained(int id) {
    if (id == kSeparator)
        savedSeparator_ = Text(kSeparator);
    else if (id == kOwnId)
        savedOwnId_ = Text(kOwnId);
}

void DtmfCodeListForm::ReplaceSuffixes() {
    const std::string oldSuffix = savedSeparator_ + savedOwnId_;
    const std::string newSuffix = Text(kSeparator) + Text(kOwnId);
    for (int row = 0; row < dtmf::kCodeCount; ++row) {
        std::string code = Cell(kCodes, row, 0);
        if (ReplaceSuffix(code, oldSuffix, newSuffix))
            SetCell(kCodes, row, 0, code);
    }
    savedSeparator_ = Text(kSeparator);
    savedOwnId_ = Text(kOwnId);
}

void DtmfCodeListForm::TextCommitted(int id) {
    if (id != kOwnId)
        return;
    if (Text(kOwnId).empty()) {
        SetText(kOwnId, savedOwnId_);
        return;
    }
    ReplaceSuffixes();
}

void DtmfCodeListForm::ListPicked(int id) {
    if (id == kSeparator)
        ReplaceSuffixes();
}

void DtmfCodeListForm::ButtonPressed(int id, const std::string& argument) {
    if (id != kAniCall)
        return;
    const auto& rows = State(kCodes).rows;
    int row = 0;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r] == argument)
            row = static_cast<int>(r);
    SetCell(kCodes, row, 0, Text(kCallId) + Text(kSeparator) + Text(kOwnId));
}

} // namespace kestra::forms
