// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/param_tuning_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/forms/param_tuning_form.h"
#include "ui/app/translation.h"
#include "ui/widgets/screen_fit.h"
#include "ui/widgets/spin_edit.h"

namespace kestra {

namespace {

using forms::ParamTuningForm;

constexpr int kGridCount = 3;
constexpr int kNumberRows = 12; // the number fields in two columns
constexpr int kBoxColumns = 5;

// The width of a cell that holds the editor: three digits and the arrows.
int CellWidth(QWidget* dialog) {
    SpinEdit probe(dialog);
    FitWidthToChars(&probe, 3);
    return probe.width() + probe.fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2;
}

} // namespace

CParamTuningDlg::CParamTuningDlg(AppState& state, QWidget* parent)
    : CFactoryDlg(state, RegionKind::Calibration, parent) {
    setObjectName(QStringLiteral("paramTuningDialog"));
    OpenForm<ParamTuningForm>();

    auto* grids = new QVBoxLayout;
    grids->setSpacing(10);
    for (int g = 0; g < kGridCount; ++g) {
        QTableWidget* table = binder().Table(g);
        // Cells edited in place with an up-down control, drawn centred,
        // the current one in red.
        binder().SetGridOptions(g, GridOptions{false, false, true});
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->horizontalHeader()->setHighlightSections(false);
        table->verticalHeader()->setHighlightSections(false);
        table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
        // (A left press on a cell opens its editor at once: the binder.)
        grids->addWidget(table);
    }
    grids->addStretch(1);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(8);
    numbers->setVerticalSpacing(5);
    for (int i = 0; i < ParamTuningForm::kNumberCount; ++i)
        AddNumberField(numbers, ParamTuningForm::kFirstNumber + i, i % kNumberRows,
                       i / kNumberRows * 3);
    numbers->setColumnMinimumWidth(2, 16);

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(14);
    boxes->setVerticalSpacing(6);
    for (int i = 0; i < ParamTuningForm::kBoxCount; ++i)
        boxes->addWidget(binder().Widget(ParamTuningForm::kFirstBox + i), i / kBoxColumns,
                         i % kBoxColumns);

    auto* right = new QVBoxLayout;
    right->setSpacing(14);
    right->addLayout(numbers);
    right->addLayout(boxes);
    right->addStretch(1);

    // The grids and fields scroll where the screen is too small for them;
    // 读数据 and 写数据 stay in sight below.
    auto* content = new QWidget;
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(14, 14, 14, 0);
    columns->setSpacing(22);
    columns->addLayout(grids);
    columns->addLayout(right);
    area_ = NewContentArea(content, this);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(14, 0, 14, 14);
    buttons->addStretch(1);
    buttons->addWidget(readButton());
    buttons->addWidget(writeButton());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(area_, 1);
    layout->addLayout(buttons);

    binder().Refresh();
    LayOutGrids();
    FitContent(this, area_);

    // Tab order: the grids, the number fields, the switches, the buttons.
    OrderFocus();
}

QTableWidget* CParamTuningDlg::grid(int id) const {
    return binder().Table(id);
}

void CParamTuningDlg::done(int result) {
    // An open cell editor commits before the form stores.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    CFactoryDlg::done(result);
}

void CParamTuningDlg::Reloaded() {
    LayOutGrids();
    FitContent(this, area_);
}

void CParamTuningDlg::showEvent(QShowEvent* event) {
    CFactoryDlg::showEvent(event);
    // Shown, the grids' rows take the height of the font the labels really
    // use (a Chinese one is taller): the fixed sizes and the window's size
    // are worked out once more.
    if (!fittedShown_) {
        fittedShown_ = true;
        Reloaded();
    }
}

void CParamTuningDlg::LayOutGrids() {
    const auto& form = static_cast<const ParamTuningForm&>(this->form());
    const int cellWidth = CellWidth(this);
    // One width of the label column for the three grids.
    int labelWidth = 0;
    for (int g = 0; g < kGridCount; ++g) {
        QStringList labels;
        for (const auto& row : form.Rows(g))
            labels << QString::fromStdString(row.range) + T(row.suffix);
        grid(g)->setVerticalHeaderLabels(labels);
        grid(g)->verticalHeader()->setMinimumWidth(0);
        labelWidth = std::max(labelWidth, grid(g)->verticalHeader()->sizeHint().width());
    }
    for (int g = 0; g < kGridCount; ++g) {
        QTableWidget* table = grid(g);
        table->verticalHeader()->setFixedWidth(labelWidth);
        QHeaderView* columns = table->horizontalHeader();
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString title = table->horizontalHeaderItem(c)->text();
            const int titleWidth = columns->fontMetrics().horizontalAdvance(title) + 16;
            columns->resizeSection(c, std::max(cellWidth, titleWidth));
        }
        const int frame = 2 * table->frameWidth();
        table->setFixedSize(labelWidth + columns->length() + frame,
                            columns->sizeHint().height() + table->verticalHeader()->length() +
                                frame);
    }
}

} // namespace kestra
