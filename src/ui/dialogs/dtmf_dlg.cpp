// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/dtmf_dlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/forms/dtmf_code_list_form.h"
#include "core/forms/dtmf_decode_form.h"
#include "core/forms/dtmf_encode_form.h"
#include "ui/app/translation.h"
#include "ui/widgets/form_binder.h"
#include "ui/widgets/table_helpers.h"

namespace kestra {

using forms::DtmfDialog;

namespace {

QGridLayout* PageGrid(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    return grid;
}

// Label and field of every field of a page, one pair a row.
QWidget* FieldRows(FormBinder& b) {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    for (int id = 0; id < b.form().FieldCount(); ++id) {
        grid->addWidget(b.Label(id), id, 0);
        grid->addWidget(b.Widget(id), id, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(b.form().FieldCount(), 1);
    return page;
}

} // namespace

CDtmfDlg::CDtmfDlg(AppState& state, QWidget* parent)
    : CFormDialog(state, nullptr, parent), host_(OpenHost<DtmfDialog>()) {
    setObjectName(QStringLiteral("dtmfDialog"));
    tabs_ = new QTabWidget(this);
    const auto& names = DtmfDialog::PageNames();
    tabs_->addTab(EncodePage(), T(names[DtmfDialog::kEncode]));
    tabs_->addTab(DecodePage(), T(names[DtmfDialog::kDecode]));
    tabs_->addTab(CodeListPage(), T(names[DtmfDialog::kCodeList]));
    for (int page = 0; page < DtmfDialog::kPageCount; ++page)
        binder(page).Refresh();
    // The stack has hidden the page left (and moved the focus out of it,
    // which ran its focus-loss rule) when the selection has changed.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
        if (binder(page).finished())
            return;
        host_.SelectPage(page);
        binder(page).Refresh();
    });
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages from any field: a drop-down
    // list would otherwise take the key for its type-ahead search.
    for (const auto& [key, step] : {std::pair{Qt::CTRL | Qt::Key_Tab, 1},
                                    std::pair{Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), tabs_);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            tabs_->setCurrentIndex((tabs_->currentIndex() + step + tabs_->count()) %
                                   tabs_->count());
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(tabs_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* CDtmfDlg::EncodePage() {
    QWidget* page = FieldRows(binder(DtmfDialog::kEncode));
    using E = forms::DtmfEncodeForm;
    for (int id : {E::kPttIdStart, E::kPttIdEnd})
        FitWidthToChars(binder(DtmfDialog::kEncode).Widget(id), 18);
    return page;
}

QWidget* CDtmfDlg::DecodePage() {
    QWidget* page = FieldRows(binder(DtmfDialog::kDecode));
    FitWidthToChars(binder(DtmfDialog::kDecode).Widget(forms::DtmfDecodeForm::kStunCode), 17);
    return page;
}

QWidget* CDtmfDlg::CodeListPage() {
    using L = forms::DtmfCodeListForm;
    FormBinder& b = binder(DtmfDialog::kCodeList);
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    QTableWidget* codes = b.Table(L::kCodes);
    b.Refresh();
    SetRowLabelTitle(codes, T(b.form().Spec(L::kCodes).key));
    codes->horizontalHeader()->setStretchLastSection(true);
    codes->setColumnWidth(0, fontMetrics().horizontalAdvance(QString(18, QLatin1Char('0'))));
    for (int r = 0; r < codes->rowCount(); ++r)
        codes->item(r, 0)->setTextAlignment(Qt::AlignCenter);
    // Enter on the list edits the current code; Enter in the editor also
    // moves one row down. A press on a code shows no selection (the editor
    // opens over it), a press on a row number shows it, and so does closing
    // the editor.
    b.SetGridOptions(L::kCodes, GridOptions{true, true});
    connect(codes, &QTableWidget::pressed, codes, [codes] {
        if (QApplication::mouseButtons() & Qt::LeftButton)
            ShowSelection(codes, false);
    });
    connect(codes->verticalHeader(), &QHeaderView::sectionPressed, codes, [codes](int row) {
        ShowSelection(codes, true);
        codes->setCurrentCell(row, 0);
    });
    connect(codes->itemDelegate(), &QAbstractItemDelegate::closeEditor, codes,
            [codes] { ShowSelection(codes, true); });
    codes->setMinimumHeight(codes->horizontalHeader()->sizeHint().height() +
                            codes->verticalHeader()->defaultSectionSize() * codes->rowCount() +
                            2 * codes->frameWidth());
    grid->addWidget(codes, 0, 0, 1, 5);
    grid->addWidget(b.Label(L::kOwnId), 1, 0);
    grid->addWidget(b.Widget(L::kOwnId), 1, 1);
    grid->addWidget(b.Label(L::kSeparator), 1, 3);
    grid->addWidget(b.Widget(L::kSeparator), 1, 4);
    grid->addWidget(b.Label(L::kCallId), 2, 0);
    grid->addWidget(b.Widget(L::kCallId), 2, 1);
    grid->addWidget(b.Widget(L::kAniCall), 2, 3, 1, 2);
    grid->setColumnMinimumWidth(2, 16);
    for (int id : {L::kOwnId, L::kCallId})
        FitWidthToChars(b.Widget(id), 9);
    return page;
}

} // namespace kestra
