// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/dtmf_dialog.h"

#include "core/forms/profile_labels.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/forms/dtmf_code_list_form.h"
#include "core/forms/dtmf_decode_form.h"
#include "core/forms/dtmf_encode_form.h"

namespace kestra::forms {

const std::vector<std::string>& DtmfSuffixChoices() {
    static const std::vector<std::string> choices = {"A", "B", "C", "D", "*", "#"};
    return choices;
}

int DtmfSuffixIndex(std::uint8_t code) {
    const char c = DtmfCodeToChar(code);
    const auto& choices = DtmfSuffixChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (c != '\0' && choices[i][0] == c)
            return static_cast<int>(i);
    return -1;
}

std::string DtmfCodeText(std::uint8_t code) {
    const char c = DtmfCodeToChar(code);
    return c ? std::string(1, c) : std::string();
}

FieldSpec DtmfEdit(const char* key, int limit) {
    FieldSpec f(key, FieldKind::Edit);
    f.filter = filters::kDtmf;
    f.textLimit = limit;
    return f;
}

bool ReplaceSuffix(std::string& text, const std::string& oldSuffix, const std::string& newSuffix) {
    if (text.empty() || oldSuffix.empty() || text.size() < oldSuffix.size() ||
        text.compare(text.size() - oldSuffix.size(), oldSuffix.size(), oldSuffix) != 0)
        return false;
    text = text.substr(0, text.size() - oldSuffix.size()) + newSuffix;
    return true;
}

DtmfDialog::DtmfDialog(FormContext& context) : context_(context) {}

DtmfDialog::~DtmfDialog() = default;

std::string DtmfDialog::Title() {
    return "DTMF";
}

const std::vector<std::string>& DtmfDialog::PageNames() {
    static const std::vector<std::string> names = {KESTRA_TEXT("kestra", "编码"),
                                                   KESTRA_TEXT("kestra", "解码"),
                                                   KESTRA_TEXT("kestra", "自动拨号")};
    return names;
}

int DtmfDialog::PageOfName(const std::string& name) {
    return FindLabel(PageNames(), name);
}

void DtmfDialog::Open() {
    pages_[kEncode] = std::make_unique<DtmfEncodeForm>(context_);
    pages_[kDecode] = std::make_unique<DtmfDecodeForm>(context_);
    pages_[kCodeList] = std::make_unique<DtmfCodeListForm>(context_);
    for (auto& page : pages_)
        page->Open();
    current_ = kEncode;
}

void DtmfDialog::SelectPage(int page) {
    if (page == current_ || page < 0 || page >= kPageCount)
        return;
    PageForm(current_).StoreToImage();
    current_ = page;
    PageForm(current_).LoadFromImage();
}

const std::array<int, DtmfDialog::kPageCount>& DtmfDialog::CloseOrder() {
    static const std::array<int, kPageCount> order = {kEncode, kCodeList, kDecode};
    return order;
}

void DtmfDialog::Close() {
    for (int page : CloseOrder())
        PageForm(page).Close();
}

} // namespace kestra::forms
