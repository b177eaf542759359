// SPDX-License-Identifier: GPL-3.0-or-later
// The form of a factory dialog (parameter tuning, DTMF decoder
// initialisation): besides opening and closing, its region of the image
// travels in an exchange with the radio started by the dialog's "读数据" and
// "写数据" buttons. The dialog runs the exchange; the form says what happens
// to the image and the fields around it:
//
//   "写数据"  PrepareWrite(), then the write exchange of the region
//   "读数据"  the read exchange; when it succeeded, ReloadAfterRead()
//
// Their fields are numbers with an up-down control: each field's rule
// (NumberRule, by default FieldSpec::number of a SpinEdit) decides the
// focus-loss and spin events.
// Esc closes the dialog (which stores, as every way of closing it does);
// Enter does nothing.
#pragma once

#include "core/forms/form.h"
#include "core/forms/number_edit.h"

namespace kestra::forms {

class FactoryForm : public Form {
public:
    using Form::Form;

    // Before the write exchange: the fields go into the image.
    virtual void PrepareWrite() { StoreToImage(); }
    // After a successful read exchange: the fields show the image again.
    virtual void ReloadAfterRead() { LoadFromImage(); }

    // The rule of a number field, nullptr for a field of another kind.
    virtual const NumberEdit* NumberRule(int id) const {
        return Spec(id).kind == FieldKind::SpinEdit ? &Spec(id).number : nullptr;
    }

    // A number field: the focus-loss rule, the spin rule.
    void TextCommitted(int id) override {
        if (const NumberEdit* rule = NumberRule(id))
            SetText(id, rule->Committed(Text(id)));
    }
    void SpinStep(int id, int delta) override {
        if (const NumberEdit* rule = NumberRule(id))
            SetText(id, rule->Stepped(Text(id), delta));
    }
    KeyOutcome KeyPressed(int, DialogKey key) override {
        return key == DialogKey::Escape ? KeyOutcome::CloseDialog : KeyOutcome::Swallowed;
    }
};

} // namespace kestra::forms
