// SPDX-License-Identifier: GPL-3.0-or-later
// CFormDialog: the base of every editing dialog built on a form. It owns the
// form's context, the form and its FormBinder; a dialog derives from it,
// opens its form with OpenForm, lays out the binder's widgets and calls
// binder().Refresh().
//
//   class CModelInfoDlg : public CFormDialog {
//       CModelInfoDlg(AppState& state, QWidget* parent)
//           : CFormDialog(state, nullptr, parent) {
//           auto& form = OpenForm<forms::ModelInfoForm>();
//           ... layout of binder().Label(id) and binder().Widget(id) ...
//           binder().Refresh();
//       }
//   };
//
// However the dialog closes (a CloseDialog key, Esc or Enter reaching the
// dialog, the close box, accept/reject, or being destroyed unclosed) the
// focused edit loses the focus first and the form is closed once
// (FormBinder::Finish). The title is T(form.Title()).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "core/forms/form.h"
#include "ui/widgets/form_binder.h"

namespace kestra {

class CFormDialog : public QDialog {
    Q_OBJECT
public:
    ~CFormDialog() override;

    forms::Form& form() const { return *form_; }
    FormBinder& binder() const { return *binder_; }

    void done(int result) override;

protected:
    // renderGrid: the main view's RenderGrid, for forms that render (may be
    // empty).
    CFormDialog(AppState& state, std::function<void()> renderGrid, QWidget* parent);

    // Makes the form on this dialog's context, opens it (FillChoices and
    // LoadFromImage) and makes the binder.
    template <class F, class... Args> F& OpenForm(Args&&... args) {
        auto form = std::make_unique<F>(context_, std::forward<Args>(args)...);
        F& ref = *form;
        Adopt(std::move(form));
        return ref;
    }

    // Enter or Esc that no bound field took (an unbound button, the dialog
    // itself): the form decides, as for its fields.
    void keyPressEvent(QKeyEvent* event) override;
    // The buttons get their access keys when the dialog first shows, laid
    // out by then.
    void showEvent(QShowEvent* event) override;

private:
    void Adopt(std::unique_ptr<forms::Form> form);

    forms::FormContext context_;
    std::unique_ptr<forms::Form> form_;
    FormBinder* binder_ = nullptr;
    bool keysGiven_ = false;
};

// Chains the tab order of a dialog's direct child widgets that take the focus
// by Tab by their place in the laid-out dialog: top to bottom, each row left
// to right.
void SetTabOrderByPosition(QWidget* dialog);

// Fixes a widget's width to hold `chars` digits of its font and its frame.
void FitWidthToChars(QWidget* widget, int chars);

} // namespace kestra
