// SPDX-License-Identifier: GPL-3.0-or-later
// ChannelTableView: the table that shows the channel grid and drives its
// in-place editing and keyboard navigation.
//
//   left click on a data cell   StartCellEdit (an empty row edits RX)
//   click on a row label        that row's first data cell becomes current
//   Enter on the grid           StartCellEdit on the current cell
//   a printable character       StartCellEdit on the current cell, the
//                               character typed into the editor (its filter
//                               applies); the item views' keyboard search,
//                               which jumped to a row starting with the text,
//                               is off
//   resizing                    the columns share the width beyond their
//                               minimum widths, the frequency columns first
//   Enter in an editor          commit, then CellAfterEditorEnter
//   Right / Left                MoveRight / MoveLeft (wrapping rows)
//   Shift+Up / Shift+Down       a block of whole rows grows or shrinks by a
//                               row from its anchor
//   wheel                       one page per 120 step
//   any scrolling               commits the open editor
//   Ctrl+C                      the selected block as TSV on the clipboard
//   Ctrl+V                      pastes TSV from the selected block's top
//                               left cell (PasteCells; a single cell fills
//                               the block) and lists the cells that did not
//                               fit
#pragma once

#include <QPointer>
#include <QTableView>
#include <vector>

#include "core/grid/channel_grid.h"
#include "core/grid/grid_clipboard.h"

namespace kestra {

class ChannelTableModel;
class GridCellDelegate;

class ChannelTableView : public QTableView {
    Q_OBJECT
public:
    explicit ChannelTableView(ChannelTableModel* model, QWidget* parent = nullptr);

    ChannelTableModel* channelModel() const { return model_; }

    // Opens the editor StartCellEdit decides for a cell (closing an open one
    // first). Returns the editor widget, or nullptr when none opens.
    QWidget* StartEditAt(GridCell cell);
    // Commits the open editor, if any, and hides it.
    void CommitAndCloseEditor();
    // The open editor widget, if any.
    QWidget* OpenEditor() const { return openEditor_.data(); }
    // Makes a cell the current one and scrolls it into view.
    void SetCurrentCell(GridCell cell);
    GridCell CurrentCell() const;
    // Selects the whole rows from anchor to row, the cell of row in the
    // current column current (a block of channels, as Shift+click on the row
    // labels and Shift+Up/Down extend it).
    void SelectRowBlock(int anchor, int row);
    // Where such a block extends from: its far end from the current row, or
    // the current row when no block of whole rows holds it.
    int RowBlockAnchor() const;

    // The selected cells' bounding block (the current cell when nothing is
    // selected) as TSV on the clipboard.
    void CopySelection();
    // Pastes the clipboard's text from the selected block's top left cell,
    // a single cell over the whole block (TsvForBlock), as one undo step;
    // the cells that did not fit are listed in a message box.
    PasteResult PasteClipboard();

    // Column widths and row heights for the screen's resolution.
    void ApplyGeometry();
    // The width of the table with every column at its minimum width.
    int NaturalWidth() const;
    // Keyboard search is off: a typed character edits the current cell.
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // 复制 and 粘贴 for the mouse, as Ctrl+C and Ctrl+V do them.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The selected cells' bounding block, or the current cell when nothing
    // is selected.
    GridRect SelectedBlock() const;
    void OnEditorEnter(QWidget* editor);
    void OnScrolled();
    // Column widths: the minimum widths, and what the viewport has beyond
    // them shared out.
    void FitColumns();

    ChannelTableModel* model_;
    GridCellDelegate* frequencyDelegate_;
    GridCellDelegate* toneDelegate_;
    GridCellDelegate* choiceDelegate_;
    std::vector<int> minimumWidths_;
    QPointer<QWidget> openEditor_;
    bool opening_ = false;
    int wheelRemainder_ = 0;
};

// Column widths for a viewport `available` pixels wide: each column at least
// its minimum width; the frequency columns (the first two) take the width
// beyond the minimum first, up to half their minimum again, and the rest is
// shared in proportion to the minimum widths.
std::vector<int> ShareColumnWidths(const std::vector<int>& minimum, int available);

// Pixels for a length in twips at a resolution in dots per inch.
int TwipsToPixels(int twips, double dpi);

} // namespace kestra
