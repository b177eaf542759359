// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/channel_table_view.h"

#include <algorithm>

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "ui/app/access_keys.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/grid/cell_delegates.h"
#include "ui/grid/channel_table_model.h"

namespace kestra {

namespace {
const char* const kPasteTitle = KESTRA_TEXT("kestra", "粘贴");
const char* const kCopyCells = KESTRA_TEXT("kestra", "复制");
const char* const kPasteNotFitting = KESTRA_TEXT("kestra", "以下单元格未能粘贴：");
const char* const kPasteMoreNotListed = KESTRA_COUNT_TEXT("kestra", "另有 %n 个单元格未列出");
const char* const kPasteCleared = KESTRA_TEXT("kestra", "以下信道已被清空（接收频率为空）：");
// The report lists this many cells (and channels), so that it fits on a
// screen.
} // namespace

int TwipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

ChannelTableView::ChannelTableView(ChannelTableModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setModel(model);
    setObjectName(QStringLiteral("channelGrid"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One block: copying, pasting and arranging act on one block of cells.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // A click on a row label makes that row's first data cell current (and
    // selects the row, as item views do).
    verticalHeader()->setSectionsClickable(true);
    verticalHeader()->setHighlightSections(false);
    // (Watched on the header's viewport: the header itself ignores presses
    // near a label's edge, where a resizable header has its grips.)
    verticalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    // A screen reader keeps the texts of the cells it has read: a changed
    // cell is announced, or it would read the old text when it comes back.
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (!QAccessible::isActive())
                    return;
                QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
                if (!table || !table->tableInterface())
                    return;
                for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
                    for (int c = topLeft.column(); c <= bottomRight.column(); ++c)
                        if (QAccessibleInterface* cell = table->tableInterface()->cellAt(r, c)) {
                            QAccessibleEvent event(cell, QAccessible::NameChanged);
                            QAccessible::updateAccessibility(&event);
                        }
            });

    frequencyDelegate_ = new GridCellDelegate(model, EditorKind::Frequency, this);
    toneDelegate_ = new GridCellDelegate(model, EditorKind::Tone, this);
    choiceDelegate_ = new GridCellDelegate(model, EditorKind::Choice, this);
    for (int col = 1; col < kGridCols; ++col) {
        GridCellDelegate* delegate = nullptr;
        switch (EditorForColumn(col)) {
        case EditorKind::Frequency:
            delegate = frequencyDelegate_;
            break;
        case EditorKind::Tone:
            delegate = toneDelegate_;
            break;
        default:
            delegate = choiceDelegate_;
            break;
        }
        setItemDelegateForColumn(col - 1, delegate);
    }
    for (GridCellDelegate* d : {frequencyDelegate_, toneDelegate_, choiceDelegate_}) {
        connect(d, &GridCellDelegate::editorOpened, this,
                [this](QWidget* editor) { openEditor_ = editor; });
        connect(d, &GridCellDelegate::enterPressed, this, &ChannelTableView::OnEditorEnter);
        // Once the key has left the editor, which the paste closes.
        connect(d, &GridCellDelegate::blockPasted, this, &ChannelTableView::PasteClipboard,
                Qt::QueuedConnection);
    }
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelTableView::OnScrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelTableView::OnScrolled);
    ApplyGeometry();
}

void ChannelTableView::ApplyGeometry() {
    const double dpi = logicalDpiX();
    // The radio's widths, widened where a title would be cut (English).
    const QFontMetrics titleMetrics(horizontalHeader()->font());
    minimumWidths_.clear();
    for (int col = 1; col < kGridCols; ++col) {
        const QString title =
            model() ? model()->headerData(col - 1, Qt::Horizontal).toString() : QString();
        minimumWidths_.push_back(std::max(TwipsToPixels(GridColumnWidthTwips(col), dpi),
                                          titleMetrics.horizontalAdvance(title) + 12));
    }
    // The label column is the vertical header; its labels must not be clipped.
    const QFontMetrics labelMetrics(verticalHeader()->font());
    const int labelWidth = std::max(TwipsToPixels(GridColumnWidthTwips(kColLabel), dpi),
                                    labelMetrics.horizontalAdvance(QStringLiteral("B 128")) + 14);
    verticalHeader()->setFixedWidth(labelWidth);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setFixedHeight(fontMetrics().height() + 10);
    FitColumns();
}

int ChannelTableView::NaturalWidth() const {
    int width = verticalHeader()->width() + 2 * frameWidth() +
                verticalScrollBar()->sizeHint().width();
    for (int w : minimumWidths_)
        width += w;
    return width;
}

std::vector<int> ShareColumnWidths(const std::vector<int>& minimum, int available) {
    std::vector<int> widths = minimum;
    int extra = available;
    for (int w : minimum)
        extra -= w;
    if (extra <= 0 || widths.empty())
        return widths;
    // The frequency columns (the first two) grow first, up to half their
    // minimum width again; what is left goes to every column in proportion
    // to its minimum width.
    const int frequencyColumns = std::min<int>(2, static_cast<int>(widths.size()));
    for (int c = 0; c < frequencyColumns; ++c) {
        const int grow = std::min(extra / (frequencyColumns - c), minimum[c] / 2);
        widths[c] += grow;
        extra -= grow;
    }
    int total = 0;
    for (int w : minimum)
        total += w;
    int given = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const int share = c + 1 == widths.size()
                              ? extra - given
                              : static_cast<int>(static_cast<long long>(extra) * minimum[c] / total);
        widths[c] += share;
        given += share;
    }
    return widths;
}

void ChannelTableView::FitColumns() {
    const std::vector<int> widths = ShareColumnWidths(minimumWidths_, viewport()->width());
    for (std::size_t c = 0; c < widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), widths[c]);
}

void ChannelTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitColumns();
}

GridCell ChannelTableView::CurrentCell() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return GridCell{1, 1};
    return ChannelTableModel::CellOf(index);
}

void ChannelTableView::SelectRowBlock(int anchor, int row) {
    const int col = CurrentCell().col;
    const QModelIndex current = model_->IndexOf(GridCell{row, col});
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model_->IndexOf(GridCell{std::min(anchor, row), 1}),
                       model_->IndexOf(GridCell{std::max(anchor, row), kGridCols - 1})),
        QItemSelectionModel::ClearAndSelect);
    scrollTo(model_->IndexOf(GridCell{anchor, col}));
    scrollTo(current);
}

int ChannelTableView::RowBlockAnchor() const {
    const int current = CurrentCell().row;
    QItemSelectionModel* selection = selectionModel();
    if (!selection->isRowSelected(current - 1, QModelIndex()))
        return current;
    int first = current, last = current;
    while (first > 1 && selection->isRowSelected(first - 2, QModelIndex()))
        --first;
    while (last < kGridRows && selection->isRowSelected(last, QModelIndex()))
        ++last;
    return current == first ? last : first;
}

void ChannelTableView::SetCurrentCell(GridCell cell) {
    const QModelIndex index = model_->IndexOf(cell);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
}

void ChannelTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        model_->grid().current = ChannelTableModel::CellOf(current);
}

QWidget* ChannelTableView::StartEditAt(GridCell cell) {
    CommitAndCloseEditor();
    const EditorSpec editor = model_->StartEdit(cell);
    if (editor.kind == EditorKind::None)
        return nullptr;
    opening_ = true;
    const QModelIndex index = model_->IndexOf(editor.cell);
    SetCurrentCell(editor.cell);
    const bool opened = edit(index, QAbstractItemView::AllEditTriggers, nullptr);
    opening_ = false;
    if (!opened) {
        model_->DiscardEditor();
        return nullptr;
    }
    return openEditor_.data();
}

void ChannelTableView::CommitAndCloseEditor() {
    if (QWidget* editor = openEditor_.data()) {
        openEditor_.clear();
        commitData(editor);
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    // An editor without a widget (none should remain) is committed as well.
    model_->CommitEditor(model_->grid().editor.cell);
}

void ChannelTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == openEditor_.data())
        openEditor_.clear();
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        // Escape: the typed text is dropped and the cell keeps its text.
        model_->DiscardEditor();
        hint = QAbstractItemDelegate::NoHint;
    } else if (hint != QAbstractItemDelegate::NoHint) {
        // Tab and the like close the editor without opening another one.
        hint = QAbstractItemDelegate::NoHint;
    }
    QTableView::closeEditor(editor, hint);
}

void ChannelTableView::OnEditorEnter(QWidget* editor) {
    if (editor != openEditor_.data())
        return;
    const ChannelGrid::OpenEditor open = model_->grid().editor;
    const bool textWasEmpty = GridCellDelegate::EditorText(editor).isEmpty();
    setFocus(Qt::OtherFocusReason);
    CommitAndCloseEditor();
    SetCurrentCell(CellAfterEditorEnter(open.kind, open.cell, textWasEmpty));
}

void ChannelTableView::OnScrolled() {
    if (!opening_)
        CommitAndCloseEditor();
}

GridRect ChannelTableView::SelectedBlock() const {
    const QModelIndexList selected = selectedIndexes();
    const GridCell current = CurrentCell();
    GridRect rect{current.row, current.col, current.row, current.col};
    if (!selected.isEmpty()) {
        const GridCell first = ChannelTableModel::CellOf(selected.first());
        rect = GridRect{first.row, first.col, first.row, first.col};
        for (const QModelIndex& index : selected) {
            const GridCell cell = ChannelTableModel::CellOf(index);
            rect.top = std::min(rect.top, cell.row);
            rect.bottom = std::max(rect.bottom, cell.row);
            rect.left = std::min(rect.left, cell.col);
            rect.right = std::max(rect.right, cell.col);
        }
    }
    return rect;
}

void ChannelTableView::CopySelection() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(model_->Copy(SelectedBlock())));
}

PasteResult ChannelTableView::PasteClipboard() {
    CommitAndCloseEditor();
    const GridRect block = SelectedBlock();
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const PasteResult result =
        model_->Paste(GridCell{block.top, block.left}, TsvForBlock(text, block));
    if (result.problems.empty() && result.cleared.empty())
        return result;
    QStringList lines;
    if (!result.cleared.empty()) {
        lines << T(kPasteCleared)
              << QString::fromStdString(ChannelLabelList(result.cleared, kListedPasteProblems));
    }
    if (!result.problems.empty())
        lines << T(kPasteNotFitting);
    for (const PasteProblem& p : result.problems)
        lines << QStringLiteral("%1 %2: \"%3\" - %4")
                     .arg(QString::fromStdString(p.rowLabel), T(p.colLabel),
                          QString::fromStdString(p.text), T(p.why));
    if (result.unlisted > 0)
        lines << T(kPasteMoreNotListed, result.unlisted);
    auto* box = new QMessageBox(QMessageBox::Warning, T(kPasteTitle), lines.join('\n'),
                                QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText); // the pasted texts, as they were
    box->setObjectName(QStringLiteral("pasteReport"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    FitTitle(box);
    box->open();
    return result;
}

void ChannelTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteClipboard();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // A printable character edits the current cell as a spreadsheet does:
    // the editor opens and the character goes into it (the editor's own
    // filter decides whether it is taken). The current cell stays where it
    // is; a cell without an editor ignores the character.
    const QString typed = event->text();
    if ((mods & ~Qt::ShiftModifier) == Qt::NoModifier && !typed.isEmpty() && typed.at(0).isPrint()) {
        if (QWidget* editor = StartEditAt(CurrentCell())) {
            QWidget* target = editor;
            if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit())
                target = combo->lineEdit();
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), typed,
                           event->isAutoRepeat(), static_cast<ushort>(event->count()));
            QCoreApplication::sendEvent(target, &copy);
        }
        event->accept();
        return;
    }
    // A block of whole rows (made on the row labels) stays whole rows.
    if (mods == Qt::ShiftModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        selectionModel()->isRowSelected(CurrentCell().row - 1, QModelIndex())) {
        const int step = event->key() == Qt::Key_Up ? -1 : 1;
        SelectRowBlock(RowBlockAnchor(), std::clamp(CurrentCell().row + step, 1, kGridRows));
        event->accept();
        return;
    }
    // Shift+F10 opens the cell's menu, as the menu key does.
    if (mods == Qt::ShiftModifier && event->key() == Qt::Key_F10) {
        const QPoint at = visualRect(currentIndex()).center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Right:
            SetCurrentCell(kestra::MoveRight(CurrentCell()));
            event->accept();
            return;
        case Qt::Key_Left:
            SetCurrentCell(kestra::MoveLeft(CurrentCell()));
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            StartEditAt(CurrentCell());
            event->accept();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void ChannelTableView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(WithAccessKey(T(kCopyCells), QLatin1Char('C')));
    copy->setShortcut(QKeySequence::Copy);
    QAction* paste = menu.addAction(WithAccessKey(T(kPasteTitle), QLatin1Char('P')));
    paste->setShortcut(QKeySequence::Paste);
    paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy)
        CopySelection();
    else if (chosen == paste)
        PasteClipboard();
}

void ChannelTableView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    // Shift and Ctrl clicks extend the selection instead of editing.
    if (event->button() != Qt::LeftButton ||
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        StartEditAt(ChannelTableModel::CellOf(index));
}

bool ChannelTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int section = verticalHeader()->logicalIndexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && section >= 0) {
            CommitAndCloseEditor();
            setFocus(Qt::MouseFocusReason);
            SetCurrentCell(GridCell{section + 1, kColRx});
            selectRow(section);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void ChannelTableView::wheelEvent(QWheelEvent* event) {
    // Each 120 of wheel rotation turns one page.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= 120) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        wheelRemainder_ -= 120;
    }
    while (wheelRemainder_ <= -120) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        wheelRemainder_ += 120;
    }
    event->accept();
}

} // namespace kestra
