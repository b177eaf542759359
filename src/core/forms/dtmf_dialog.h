// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF dialog (编辑 -> DTMF, title "DTMF") and what its three pages share.
//
// The dialog hosts three pages behind tabs, in this order:
//
//   编码      DtmfEncodeForm    rate, delays, side tone, PTT IDs, reply wait
//   解码      DtmfDecodeForm    group call code, remote stun, decode response
//   自动拨号  DtmfCodeListForm  ten auto-dial codes, own ID, separator, call ID
//
// There is no OK or Cancel: every page loads from the image when the dialog
// opens and whenever its tab is selected, and stores when its tab is left and
// when the dialog closes. Closing stores the pages in the order encode, code
// list, decode, so that a group call code changed on the decode page rewrites
// the auto-dial codes after the code list page has stored its table, whichever
// tab is showing. Enter and Esc close nothing; only the close box does.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/forms/form.h"

namespace kestra::forms {

// "A", "B", "C", "D", "*", "#": the group call code and separator choices.
const std::vector<std::string>& DtmfSuffixChoices();

// The entry of DtmfSuffixChoices() for a stored code byte, or -1.
int DtmfSuffixIndex(std::uint8_t code);

// The text of one DTMF code: its character, or "" above 0x0F.
std::string DtmfCodeText(std::uint8_t code);

// An edit of DTMF keys ("0".."9", "A".."D", "*", "#", typed letters upper-cased)
// holding at most limit characters.
FieldSpec DtmfEdit(const char* key, int limit);

// When text is not empty and ends with the non-empty oldSuffix, that suffix
// is replaced by newSuffix and true returned; otherwise text stays.
bool ReplaceSuffix(std::string& text, const std::string& oldSuffix, const std::string& newSuffix);

class DtmfDialog {
public:
    enum Page { kEncode, kDecode, kCodeList, kPageCount };

    explicit DtmfDialog(FormContext& context);
    ~DtmfDialog();
    DtmfDialog(const DtmfDialog&) = delete;
    DtmfDialog& operator=(const DtmfDialog&) = delete;

    static std::string Title();
    // The tab texts, in tab order.
    static const std::vector<std::string>& PageNames();
    // The page whose tab text is name, or -1.
    static int PageOfName(const std::string& name);

    // Creates the pages (each fills its choices and loads) and shows the
    // encode page.
    void Open();
    int CurrentPage() const { return current_; }
    // The page being left stores, then the page selected loads.
    void SelectPage(int page);
    Form& PageForm(int page) { return *pages_[static_cast<std::size_t>(page)]; }
    // The order the pages store in when the dialog closes: encode, code
    // list, decode.
    static const std::array<int, kPageCount>& CloseOrder();
    // Stores the pages in CloseOrder().
    void Close();

private:
    FormContext& context_;
    std::array<std::unique_ptr<Form>, kPageCount> pages_;
    int current_ = kEncode;
};

} // namespace kestra::forms
