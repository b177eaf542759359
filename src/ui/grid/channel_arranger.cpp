// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/channel_arranger.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "core/grid/channel_grid.h"
#include "ui/app/arrange_texts.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/sort_channels_dlg.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/document_history.h"
#include "ui/grid/program_view.h"

namespace kestra {

ChannelArranger::ChannelArranger(CProgramView* view)
    : QObject(view), view_(view), autoScroll_(new QTimer(this)) {
    setObjectName(QStringLiteral("channelArranger"));
    labels_ = view->table()->verticalHeader()->viewport();
    labels_->installEventFilter(this);
    view->table()->installEventFilter(this); // Esc during a drag
    autoScroll_->setInterval(50);
    connect(autoScroll_, &QTimer::timeout, this, [this] { // stopped when the drag ends
        ScrollTowards(dragY_);
        ShowDropLine(RowAtLabel(dragY_));
    });
}

bool ChannelArranger::ScrollTowards(int y) {
    QScrollBar* bar = view_->table()->verticalScrollBar();
    if (y < 0)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (labels_ && y >= labels_->height())
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else
        return false;
    return true;
}

void ChannelArranger::EndDrag() {
    dragStartY_ = -1;
    dragging_ = false;
    autoScroll_->stop();
    if (labels_)
        labels_->unsetCursor();
    ShowDropLine(0);
}

ChannelArranger* ChannelArranger::Of(const CProgramView* view) {
    return view ? view->findChild<ChannelArranger*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
}

ChannelArranger::Rows ChannelArranger::SelectedRows() const {
    const int current = view_->table()->CurrentCell().row;
    Rows rows{current, current};
    const QModelIndexList selected = view_->table()->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return rows;
    rows = Rows{kGridRows, 0};
    for (const QModelIndex& index : selected) {
        rows.first = std::min(rows.first, index.row() + 1);
        rows.last = std::max(rows.last, index.row() + 1);
    }
    return rows;
}

bool ChannelArranger::Run(const char* step, int selectFirst, int selectLast,
                          const std::function<ArrangeResult(RadioImage&, const BandLimits&)>& op) {
    ChannelTableView* table = view_->table();
    ChannelTableModel* model = view_->model();
    table->CommitAndCloseEditor();
    const DocumentSnapshot before = view_->history()->Take();
    model->ConvertToImage();
    const ArrangeResult result = op(model->state().image, model->state().bandLimits);
    if (!result.ok()) {
        model->Restore(before);
        Tell(QString::fromStdString(result.error));
        return false;
    }
    model->Render();
    view_->history()->Record(step, before);
    SelectRows(selectFirst, selectLast);
    return true;
}

void ChannelArranger::SelectRows(int first, int last) {
    view_->table()->SelectRowBlock(last, first);
}

void ChannelArranger::Tell(const QString& message) {
    ShowMessage(view_, message);
}

bool ChannelArranger::MoveSelection(int delta) {
    const Rows rows = SelectedRows();
    const int to = rows.first + delta;
    const int end = rows.last + delta;
    // At the band's edge the keys do nothing.
    if (IsMemoryRecord(rows.first) && BandOfRecord(rows.first) == BandOfRecord(rows.last) &&
        (!IsMemoryRecord(to) || !IsMemoryRecord(end) ||
         BandOfRecord(to) != BandOfRecord(rows.first) ||
         BandOfRecord(end) != BandOfRecord(rows.first))) {
        QApplication::beep();
        return false;
    }
    return MoveRows(rows.first, rows.last, to);
}

bool ChannelArranger::MoveRows(int first, int last, int to) {
    return Run(text::kStepMoveChannels, to, to + (last - first),
               [=](RadioImage& image, const BandLimits& limits) {
                   return MoveChannels(image, limits, first, last, to);
               });
}

bool ChannelArranger::InsertAtCurrent() {
    const int at = view_->table()->CurrentCell().row;
    return Run(text::kEditInsertChannel, at, at, [=](RadioImage& image, const BandLimits& limits) {
        return InsertChannel(image, limits, at);
    });
}

bool ChannelArranger::DeleteSelection() {
    const Rows rows = SelectedRows();
    return Run(text::kEditDeleteChannel, rows.first, rows.first,
               [=](RadioImage& image, const BandLimits& limits) {
                   return DeleteChannels(image, limits, rows.first, rows.last);
               });
}

bool ChannelArranger::SortRows(int first, int last, SortKey key) {
    return Run(text::kSortTitle, first, last, [=](RadioImage& image, const BandLimits& limits) {
        return SortChannels(image, limits, first, last, key);
    });
}

void ChannelArranger::Sort() {
    view_->table()->CommitAndCloseEditor();
    const Rows rows = SelectedRows();
    const int bandFirst = FirstRecordOfBand(std::max(0, BandOfRecord(rows.first)));
    CSortChannelsDlg dialog(rows.first, rows.last, bandFirst, bandFirst + kBandChannels - 1, view_);
    if (dialog.exec() == QDialog::Accepted)
        SortRows(dialog.first(), dialog.last(), dialog.key());
}

void ChannelArranger::Find() {
    view_->table()->CommitAndCloseEditor();
    QInputDialog dialog(view_);
    dialog.setObjectName(QStringLiteral("findDialog"));
    dialog.setWindowTitle(T(text::kFindTitle));
    dialog.setLabelText(T(text::kFindPrompt));
    dialog.setTextValue(findText_);
    dialog.setOkButtonText(T(text::kOk));
    dialog.setCancelButtonText(T(text::kCancel));
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().trimmed().isEmpty())
        return;
    findText_ = dialog.textValue();
    FindText(findText_);
}

void ChannelArranger::FindNext() {
    if (findText_.trimmed().isEmpty())
        Find();
    else
        FindText(findText_);
}

bool ChannelArranger::FindText(const QString& text) {
    ChannelTableView* table = view_->table();
    table->CommitAndCloseEditor();
    findText_ = text;
    // Looked for in what a save would write, without touching the document.
    AppState& state = view_->model()->state();
    RadioImage image = state.image;
    BandLimits limits = state.bandLimits;
    ChannelGrid grid = view_->model()->grid();
    GridToImage(grid, image, limits);
    const GridCell current = table->CurrentCell();
    const int n = FindChannel(image, limits, text.toStdString(), current.row);
    if (n == 0) {
        Tell(T(text::kFindNothing).arg(text));
        return false;
    }
    table->SetCurrentCell(GridCell{n, current.col});
    return true;
}

int ChannelArranger::DropPlace(int target) const {
    return target < dragRows_.first ? target : target - (dragRows_.last - dragRows_.first);
}

void ChannelArranger::ShowDropLine(int target) {
    ChannelTableView* table = view_->table();
    if (!dropLine_) {
        dropLine_ = new QFrame(table->viewport());
        dropLine_->setObjectName(QStringLiteral("dropLine"));
        dropLine_->setAutoFillBackground(true);
        dropLine_->setBackgroundRole(QPalette::Highlight);
    }
    // No line where the rows cannot go: on themselves, or out of their band.
    const bool outOfBand =
        target != 0 && !MoveStaysInBand(dragRows_.first, dragRows_.last, DropPlace(target));
    if (dragging_ && labels_)
        labels_->setCursor(outOfBand ? Qt::ForbiddenCursor : Qt::ClosedHandCursor);
    if (target == 0 || outOfBand || (target >= dragRows_.first && target <= dragRows_.last)) {
        dropLine_->hide();
        return;
    }
    // Above the target row when the rows go up, below it when they go down.
    int y = table->rowViewportPosition(target - 1);
    if (target > dragRows_.last)
        y += table->rowHeight(target - 1);
    dropLine_->setGeometry(0, y - 1, table->viewport()->width(), 3);
    dropLine_->show();
    dropLine_->raise();
}

int ChannelArranger::RowAtLabel(int y) const {
    QHeaderView* header = view_->table()->verticalHeader();
    y = std::clamp(y, 0, header->viewport()->height() - 1);
    return header->logicalIndexAt(y) + 1;
}

bool ChannelArranger::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && dragging_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        EndDrag();
        return true;
    }
    if (watched != labels_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                               type != QEvent::MouseButtonRelease))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int row = RowAtLabel(mouse->position().toPoint().y());
        if (mouse->button() != Qt::LeftButton || row == 0)
            return false;
        view_->table()->CommitAndCloseEditor();
        if (mouse->modifiers() & Qt::ShiftModifier) {
            // Shift extends the block from its anchor to this row.
            ChannelTableView* table = view_->table();
            table->SelectRowBlock(table->RowBlockAnchor(), row);
            dragStartY_ = -1;
            return true;
        }
        const Rows selected = SelectedRows();
        if (row >= selected.first && row <= selected.last) {
            dragRows_ = selected;
        } else {
            // A click on a label makes that row's first data cell current.
            dragRows_ = Rows{row, row};
            view_->table()->setFocus(Qt::MouseFocusReason);
            view_->table()->SetCurrentCell(GridCell{row, kColRx});
            SelectRows(row, row);
        }
        dragStartY_ = mouse->position().toPoint().y();
        dragging_ = false;
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragStartY_ < 0 || !(mouse->buttons() & Qt::LeftButton))
            return false;
        const int y = mouse->position().toPoint().y();
        if (!dragging_ && std::abs(y - dragStartY_) >= QApplication::startDragDistance()) {
            dragging_ = true; // ShowDropLine gives the cursor
        }
        // Beyond the labels the table scrolls, on every move and while the
        // pointer stays there, so that any row can be reached.
        if (dragging_) {
            dragY_ = y;
            if (ScrollTowards(y))
                autoScroll_->start();
            else
                autoScroll_->stop();
            // Only over the labels is there a place to drop: elsewhere (the
            // cells, the tree, another document's window) no line shows.
            ShowDropLine(labels_->rect().contains(mouse->position().toPoint()) ? RowAtLabel(y) : 0);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragStartY_ < 0 || mouse->button() != Qt::LeftButton)
            return false;
        const bool dropped = dragging_;
        EndDrag();
        if (!dropped) {
            // A click without a drag on a row of a selected block takes that row alone.
            const int row = RowAtLabel(mouse->position().toPoint().y());
            view_->table()->SetCurrentCell(GridCell{row, kColRx});
            SelectRows(row, row);
            return true;
        }
        // A drop away from the labels leaves the rows where they are.
        if (!labels_->rect().contains(mouse->position().toPoint()))
            return true;
        const int target = RowAtLabel(mouse->position().toPoint().y());
        if (target < dragRows_.first || target > dragRows_.last)
            MoveRows(dragRows_.first, dragRows_.last, DropPlace(target));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kestra
