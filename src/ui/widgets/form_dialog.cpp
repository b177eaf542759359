#include "ui/widgets/form_dialog.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "ui/app/translation.h"

namespace kestra {

CFormDialog::CFormDialog(AppState& state, std::function<void()> renderGrid, QWidget* parent)
    : QDialog(parent), context_{state, std::move(renderGrid), std::nullopt} {}

CFormDialog::~CFormDialog() {
    // A dialog destroyed without closing stores as closing does.
    if (binder_)
        binder_->Finish();
}

void CFormDialog::Adopt(std::unique_ptr<forms::Form> form) {
    form_ = std::move(form);
    form_->Open();
    binder_ = new FormBinder(*form_, this);
    setWindowTitle(T(form_->Title()));
}

void CFormDialog::done(int result) {
    if (binder_)
        binder_->Finish();
    QDialog::done(result);
}

void CFormDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if (!form_ || binder_->finished() || (!enter && !escape) ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    const auto outcome =
        form_->KeyPressed(-1, enter ? forms::DialogKey::Enter : forms::DialogKey::Escape);
    binder_->Refresh();
    if (outcome == forms::KeyOutcome::CloseDialog)
        reject();
}

void FitWidthToChars(QWidget* widget, int chars) {
    QStyleOptionFrame option;
    option.initFrom(widget);
    const int text = widget->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0')));
    const QSize size =
        widget->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text + 8, 0), widget);
    widget->setFixedWidth(size.width());
}

} // namespace kestra
