// The form of a factory dialog (parameter tuning, DTMF decoder
// initialisation): besides opening and closing, its region of the image
// travels in an exchange with the radio started by the dialog's "读数据" and
// "写数据" buttons. The dialog runs the exchange; the form says what happens
// to the image and the fields around it:
//
//   "写数据"  PrepareWrite(), then the write exchange of the region
//   "读数据"  the read exchange; when it succeeded, ReloadAfterRead()
#pragma once

#include "core/forms/form.h"

namespace kestra::forms {

class FactoryForm : public Form {
public:
    using Form::Form;

    // Before the write exchange: the fields go into the image.
    virtual void PrepareWrite() { StoreToImage(); }
    // After a successful read exchange: the fields show the image again.
    virtual void ReloadAfterRead() { LoadFromImage(); }
};

} // namespace kestra::forms
