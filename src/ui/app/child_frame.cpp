// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/child_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>

#include "ui/grid/document_history.h"
#include "ui/grid/program_view.h"

namespace kestra {

CChildFrame::CChildFrame(AppState& state, std::unique_ptr<CProgramDoc> doc, QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(doc)) {
    setObjectName(QStringLiteral("childFrame"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    view_ = new CProgramView(state, this);
    setWidget(view_);
    setWindowIcon(qApp->windowIcon());
    UpdateTitle();
    connect(doc_.get(), &CProgramDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(view_->history(), &DocumentHistory::modifiedChanged, this, &CChildFrame::UpdateTitle);
    resize(kInitialWidth, kInitialHeight);
    // The window menu's own shortcuts (Ctrl+W closes on some platforms) would
    // clash with the program's commands.
    if (QMenu* menu = systemMenu())
        for (QAction* a : menu->actions())
            a->setShortcuts({});
}

CChildFrame::~CChildFrame() {
    delete view_;
}

void CChildFrame::FitToForm() {
    // The window shrinks to the form where the form is smaller.
    const QSize delta = view_->sizeHint() - view_->size();
    resize(std::min(kInitialWidth, width() + delta.width()),
           std::min(kInitialHeight, height() + delta.height()));
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(doc_->Title() +
                   (copyNumber_ > 0 ? QStringLiteral(":%1").arg(copyNumber_) : QString()) +
                   (IsModified() ? QStringLiteral("*") : QString()));
}

void CChildFrame::SetCopyNumber(int number) {
    if (number == copyNumber_)
        return;
    copyNumber_ = number;
    UpdateTitle();
}

bool CChildFrame::IsModified() const {
    return view_->history()->IsModified();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The main frame decides whether the document closes.
    event->ignore();
    emit closeRequested();
}

} // namespace kestra
