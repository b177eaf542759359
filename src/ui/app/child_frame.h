// SPDX-License-Identifier: GPL-3.0-or-later
// CChildFrame: a document window in the main frame's MDI area, holding one
// CProgramView. Its close box asks the main frame to close the document
// (after unsaved changes have been dealt with); the window and its document
// then go. Its title is the document's name with "*" while the document is
// modified.
#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "core/document/app_state.h"
#include "ui/app/program_doc.h"

namespace kestra {

class CProgramView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 1095;
    static constexpr int kInitialHeight = 650;

    CChildFrame(AppState& state, std::unique_ptr<CProgramDoc> doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CProgramView* view() const { return view_; }
    CProgramDoc* document() const { return doc_.get(); }

    // Shrinks the window (created 1095 x 650) to its form's size where the
    // form is smaller; the window must be shown.
    void FitToForm();

    // The document holds changes not saved.
    bool IsModified() const;

    // Which window of its file this is, when the file is open in several
    // ("a.dat:2"); 0 when it is the only one.
    void SetCopyNumber(int number);

signals:
    // The close box was clicked.
    void closeRequested();

protected:
    void UpdateTitle();
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgramDoc> doc_;
    CProgramView* view_;
    int copyNumber_ = 0;
};

} // namespace kestra
