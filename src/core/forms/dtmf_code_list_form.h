// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF code list page (tab 自动拨号 of the DTMF dialog),
// CDtmfCodeListPage:
//
//   grid       rows "0".."9", column 编码: the ten auto-dial codes at 0x20E0,
//              16 DTMF characters each, edited in place
//   自身 ID     own ID, 7 digits, 0x20B0
//   分隔符      A, B, C, D, *, #: the separator, 0x20DD
//   呼叫ID      the called number: not in the image, kept for the whole run
//              (AppState::dtmfCallId, "100" at start-up)
//   ANI 呼叫    the current code := call ID + separator + own ID (the button's
//              profile value names the row)
//
// Codes built by ANI 呼叫 end with the separator and the own ID. When the
// separator is changed or the own ID edit is left, every code that ends with
// the separator and own ID as they were before the change gets the new ones
// in their place. Empty codes never change, and an empty old suffix matches
// nothing. Leaving the own ID edit empty restores its previous text.
#pragma once

#include "core/forms/form.h"

namespace kestra::forms {

class DtmfCodeListForm : public Form {
public:
    enum Field { kCodes, kOwnId, kSeparator, kCallId, kAniCall, kFieldCount };

    explicit DtmfCodeListForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void FillChoices() override;
    void LoadFromImage() override;
    void StoreToImage() override;

    void FocusGained(int id) override;
    void TextCommitted(int id) override;
    void ListPicked(int id) override;
    // ANI 呼叫: argument is the row label of the code it fills (row "0" when
    // it names none).
    void ButtonPressed(int id, const std::string& argument) override;

private:
    void ReplaceSuffixes();

    // The separator and own ID before the change being made.
    std::string savedSeparator_;
    std::string savedOwnId_;
};

} // namespace kestra::forms
