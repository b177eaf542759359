// SPDX-License-Identifier: GPL-3.0-or-later
// CFactoryDlg: the base of the two factory dialogs (parameter tuning, DTMF
// decoder initialisation): a form dialog with the buttons "读数据" and
// "写数据", which move the dialog's region of the image to and from the
// radio in the progress dialog:
//
//   "读数据"  the region's read; on success "读数据成功", then the form shows
//            the image again (FactoryForm::ReloadAfterRead)
//   "写数据"  FactoryForm::PrepareWrite, then the region's write; on success
//            "写数据成功"
//
// A failure is reported by the progress dialog; a failed read leaves the
// image and the fields as they were.
#pragma once

#include "core/forms/factory_form.h"
#include "link/exchange.h"
#include "ui/widgets/form_dialog.h"

class QGridLayout;
class QPushButton;

namespace kestra {

class CFactoryDlg : public CFormDialog {
    Q_OBJECT
public:
    QPushButton* readButton() const { return read_; }
    QPushButton* writeButton() const { return write_; }

    // "读数据" and "写数据".
    void OnRead() { RunExchange(true); }
    void OnWrite() { RunExchange(false); }

protected:
    CFactoryDlg(AppState& state, RegionKind region, QWidget* parent);

    forms::FactoryForm& factoryForm() const { return static_cast<forms::FactoryForm&>(form()); }
    // After the form has loaded again (a successful read).
    virtual void Reloaded() {}
    // A number field's label and spin edit at row, column and column + 1.
    void AddNumberField(QGridLayout* layout, int id, int row, int column);
    // Called once the fields are laid out: Tab goes through the fields in
    // their order, then 读数据 and 写数据; the first field has the focus.
    void OrderFocus();

private:
    void RunExchange(bool read);

    AppState& state_;
    const RegionKind region_;
    QPushButton* read_;
    QPushButton* write_;
};

} // namespace kestra
