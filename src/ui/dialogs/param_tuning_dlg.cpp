// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/param_tuning_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/forms/param_tuning_form.h"
#include "ui/app/translation.h"
#include "ui/widgets/spin_edit.h"

namespace kestra {

namespace {

using forms::ParamTuningForm;

constexpr int kGridCount = 3;
constexpr int kNumberRows = 12; // the number fields in two columns
constexpr int kBoxColumns = 5;

// The in-place editor of a calibration grid: an edit with an up-down control
// placed over the cell. Cells are drawn centred, the current one in red.
class TuningCellDelegate : public QStyledItemDelegate {
public:
    TuningCellDelegate(ParamTuningForm& form, FormBinder& binder, int grid, QTableWidget* table)
        : QStyledItemDelegate(table), form_(form), binder_(binder), grid_(grid), table_(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* spin = new SpinEdit(parent);
        const forms::FieldSpec& desc = form_.Spec(grid_);
        spin->SetRules(desc.filter, desc.textLimit);
        spin->setFrame(false);
        spin->setAlignment(Qt::AlignCenter);
        QObject::connect(spin, &SpinEdit::stepped, spin, [this, spin](int delta) {
            spin->SetText(QString::fromStdString(
                form_.StepCell(grid_, spin->edit()->text().toStdString(), delta)));
            spin->edit()->selectAll();
        });
        return spin;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* spin = static_cast<SpinEdit*>(editor);
        spin->SetText(index.data(Qt::EditRole).toString());
        spin->edit()->selectAll();
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (binder_.finished())
            return;
        form_.SetCell(grid_, index.row(), index.column(),
                      static_cast<SpinEdit*>(editor)->edit()->text().toStdString());
        form_.GridCellCommitted(grid_, index.row(), index.column());
        binder_.Refresh();
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        editor->setGeometry(option.rect);
    }

    // Enter commits at once (the item views queue it, and the spin box would
    // first put its own text into the edit).
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* editor = static_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
        if (index == table_->currentIndex())
            option->palette.setColor(QPalette::Text, Qt::red);
    }

private:
    ParamTuningForm& form_;
    FormBinder& binder_;
    const int grid_;
    QTableWidget* table_;
};

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
    auto& form = OpenForm<ParamTuningForm>();

    auto* grids = new QVBoxLayout;
    grids->setSpacing(10);
    for (int g = 0; g < kGridCount; ++g) {
        QTableWidget* table = binder().Table(g);
        table->setItemDelegate(new TuningCellDelegate(form, binder(), g, table));
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

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(readButton());
    buttons->addWidget(writeButton());

    auto* right = new QVBoxLayout;
    right->setSpacing(14);
    right->addLayout(numbers);
    right->addLayout(boxes);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(22);
    layout->addLayout(grids);
    layout->addLayout(right);

    binder().Refresh();
    LayOutGrids();

    // Tab order: the grids, the number fields, the switches, the buttons.
    QWidget* previous = nullptr;
    for (int id = 0; id < form.FieldCount(); ++id) {
        QWidget* w = binder().Widget(id);
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, readButton());
    setTabOrder(readButton(), writeButton());
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
    adjustSize();
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
