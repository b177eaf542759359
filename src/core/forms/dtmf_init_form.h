// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF decoder initialisation dialog (编辑 -> DTMF 初始化, factory only):
// the eleven values of the decoder table (core/image/calibration_layout.h),
// each a hexadecimal edit of 4 characters with a spin, 0-FFFF.
//
// Load: each value word (high byte first) shown with "%X", then
// NormaliseFields (the focus-loss rule on all eleven). Store: NormaliseFields,
// the eleven register words written again, each value high byte first. The
// four bytes after the table (0x3E2C-0x3E2F) travel with it in the exchanges
// but are never touched here.
//
// Only hexadecimal digits can be typed anywhere in the dialog (letters become
// upper case).
#pragma once

#include "core/forms/factory_form.h"

namespace kestra::forms {

class DtmfInitForm : public FactoryForm {
public:
    explicit DtmfInitForm(FormContext& context);

    // The key filter of the whole dialog.
    static const KeyFilter& DialogFilter();
    // The number rule of every field.
    static const NumberEdit& Rule();

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void NormaliseFields() override;
    void StoreToImage() override;
    const NumberEdit* NumberRule(int) const override { return &Rule(); }
};

} // namespace kestra::forms
