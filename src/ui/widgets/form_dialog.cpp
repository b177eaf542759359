// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/form_dialog.h"

#include <QKeyEvent>
#include <QLayout>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <vector>

#include "ui/app/access_keys.h"
#include "ui/app/translation.h"

namespace kestra {

CFormDialog::CFormDialog(AppState& state, std::function<void()> renderGrid, QWidget* parent)
    : QDialog(parent), context_{state, std::move(renderGrid), std::nullopt} {}

CFormDialog::~CFormDialog() {
    // A dialog destroyed without closing stores as closing does.
    Finish();
}

void CFormDialog::Adopt(std::shared_ptr<void> owner, const std::vector<forms::Form*>& pages,
                        std::vector<int> closeOrder, const std::string& title,
                        std::function<int()> currentPage) {
    owner_ = std::move(owner);
    for (forms::Form* page : pages)
        binders_.push_back(new FormBinder(*page, this));
    closeOrder_ = std::move(closeOrder);
    currentPage_ = std::move(currentPage);
    setWindowTitle(T(title));
}

void CFormDialog::Finish() {
    for (int page : closeOrder_)
        binder(page).Finish();
}

void CFormDialog::done(int result) {
    Finish();
    QDialog::done(result);
}

void CFormDialog::showEvent(QShowEvent* event) {
    if (!keysGiven_) {
        keysGiven_ = true;
        GiveAccessKeys(this);
    }
    QDialog::showEvent(event);
}

void CFormDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    FormBinder* current = binders_.empty() ? nullptr : &binder(currentPage_());
    if (!current || current->finished() || (!enter && !escape) ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    const auto outcome =
        current->form().KeyPressed(-1, enter ? forms::DialogKey::Enter : forms::DialogKey::Escape);
    current->Refresh();
    if (outcome == forms::KeyOutcome::CloseDialog)
        reject();
}

void SetTabOrderByPosition(QWidget* dialog) {
    if (dialog->layout())
        dialog->layout()->activate();
    struct Place {
        QWidget* widget;
        QRect rect;
    };
    std::vector<Place> places;
    for (QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if ((w->focusPolicy() & Qt::TabFocus) != 0)
            places.push_back({w, w->geometry()});
    // Rows: widgets whose vertical centres lie within half the height of the
    // row's first widget of it.
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.rect.center().y() < b.rect.center().y();
    });
    for (std::size_t first = 0; first < places.size();) {
        std::size_t end = first + 1;
        const int y = places[first].rect.center().y();
        const int tolerance = std::max(4, places[first].rect.height() / 2);
        while (end < places.size() && places[end].rect.center().y() - y <= tolerance)
            ++end;
        std::sort(places.begin() + static_cast<std::ptrdiff_t>(first),
                  places.begin() + static_cast<std::ptrdiff_t>(end),
                  [](const Place& a, const Place& b) { return a.rect.x() < b.rect.x(); });
        first = end;
    }
    for (std::size_t i = 1; i < places.size(); ++i)
        QWidget::setTabOrder(places[i - 1].widget, places[i].widget);
}

void FitWidthToChars(QWidget* widget, int chars) {
    QStyleOptionFrame option;
    option.initFrom(widget);
    const int text = widget->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0')));
    const QSize size =
        widget->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text + 8, 0), widget);
    widget->setFixedWidth(std::max(size.width(), widget->minimumSizeHint().width()));
}

} // namespace kestra
