// CChildFrame: a document window in the main frame's MDI area, holding one
// CProgramView. Its close box asks the main frame to close it, which hides
// it (the document stays open) once unsaved changes have been dealt with;
// "信道信息" shows it again. It tells when it has been hidden, so that the
// main frame can activate the next visible window. Its title is the
// document's name with "*" while the document is modified.
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
    // The close box and "关闭": hides the window; the document stays open.
    void HideWindow();

    // The document holds changes not saved.
    bool IsModified() const;

signals:
    // The close box was clicked.
    void closeRequested();
    // HideWindow hid the window. (The MDI area itself hides and shows its
    // windows while it changes their states; that is not reported.)
    void windowHidden();

protected:
    void UpdateTitle();
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgramDoc> doc_;
    CProgramView* view_;
};

} // namespace kestra
