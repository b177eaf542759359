// CChildFrame: a document window in the main frame's MDI area, holding one
// CProgramView. Its close box hides it (the document stays open);
// "信道信息" shows it again. It tells when it has been hidden, so that the
// main frame can activate the next visible window.
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

signals:
    // HideWindow hid the window. (The MDI area itself hides and shows its
    // windows while it changes their states; that is not reported.)
    void windowHidden();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgramDoc> doc_;
    CProgramView* view_;
};

} // namespace kestra
