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
// A dialog of several pages opens their host with OpenHost instead and binds
// each page with binder(page).
//
// However the dialog closes (a CloseDialog key, Esc or Enter reaching the
// dialog, the close box, accept/reject, or being destroyed unclosed) the
// focused edit loses the focus first and the form is closed once
// (FormBinder::Finish; the pages in the host's store order). The title is
// T(form.Title()).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/forms/form.h"
#include "ui/widgets/form_binder.h"

namespace kestra {

class CFormDialog : public QDialog {
    Q_OBJECT
public:
    ~CFormDialog() override;

    // The form and its binder; of a dialog of pages, the binder of page
    // `page` (form(): the first page).
    forms::Form& form() const { return binder().form(); }
    FormBinder& binder(int page = 0) const { return *binders_.at(static_cast<std::size_t>(page)); }

    void done(int result) override;

protected:
    // renderGrid: the main view's RenderGrid, for forms that render (may be
    // empty).
    CFormDialog(AppState& state, std::function<void()> renderGrid, QWidget* parent);

    // Makes the form on this dialog's context, opens it (FillChoices and
    // LoadFromImage) and makes the binder.
    template <class F, class... Args> F& OpenForm(Args&&... args) {
        auto form = std::make_shared<F>(context_, std::forward<Args>(args)...);
        F& ref = *form;
        ref.Open();
        Adopt(std::move(form), {&ref}, {0}, ref.Title(), [] { return 0; });
        return ref;
    }
    // Makes the host of a dialog of pages (forms::DtmfDialog) on this
    // dialog's context, opens it and makes a binder for each page. Closing
    // stores the pages in H::CloseOrder(); Enter or Esc that no field took
    // goes to the form of the host's current page.
    template <class H> H& OpenHost() {
        auto host = std::make_shared<H>(context_);
        H& ref = *host;
        ref.Open();
        std::vector<forms::Form*> pages;
        for (int page = 0; page < H::kPageCount; ++page)
            pages.push_back(&ref.PageForm(page));
        const auto& order = H::CloseOrder();
        Adopt(std::move(host), pages, {order.begin(), order.end()}, ref.Title(),
              [&ref] { return ref.CurrentPage(); });
        return ref;
    }

    // Enter or Esc that no bound field took (an unbound button, the dialog
    // itself): the form decides, as for its fields.
    void keyPressEvent(QKeyEvent* event) override;
    // The buttons get their access keys when the dialog first shows, laid
    // out by then.
    void showEvent(QShowEvent* event) override;

private:
    // Takes the owner of the pages (a form, or a host), makes a binder for
    // each page and sets the title.
    void Adopt(std::shared_ptr<void> owner, const std::vector<forms::Form*>& pages,
               std::vector<int> closeOrder, const std::string& title,
               std::function<int()> currentPage);
    // The binders finish in the close order (each once).
    void Finish();

    forms::FormContext context_;
    std::shared_ptr<void> owner_;
    std::vector<FormBinder*> binders_; // by page
    std::vector<int> closeOrder_;
    std::function<int()> currentPage_;
    bool keysGiven_ = false;
};

// Chains the tab order of a dialog's direct child widgets that take the focus
// by Tab by their place in the laid-out dialog: top to bottom, each row left
// to right.
void SetTabOrderByPosition(QWidget* dialog);

// Fixes a widget's width to hold `chars` digits of its font and its frame.
void FitWidthToChars(QWidget* widget, int chars);

} // namespace kestra
