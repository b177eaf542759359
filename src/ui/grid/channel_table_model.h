// SPDX-License-Identifier: GPL-3.0-or-later
// ChannelTableModel: shows one ChannelGrid in a QTableView. Model row r and
// column c are grid row r + 1 and column c + 1; the grid's header row and
// label column are the view's header sections. The model only shows the
// grid: every change of cell text goes through the grid's own rules
// (StartCellEdit, the Commit* functions, RenderGrid, GridToImage). The grid
// holds the source texts; the model and the editors show them translated
// (ShownText) and hand the grid back the source text of a shown one.
#pragma once

#include <QAbstractTableModel>

#include "core/document/app_state.h"
#include "core/grid/channel_grid.h"
#include "core/grid/document_snapshot.h"
#include "core/grid/grid_clipboard.h"

namespace kestra {

class DocumentHistory;

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ChannelTableModel(AppState& state, QObject* parent = nullptr);

    ChannelGrid& grid() { return grid_; }
    const ChannelGrid& grid() const { return grid_; }
    AppState& state() { return state_; }

    static GridCell CellOf(const QModelIndex& index) {
        return GridCell{index.row() + 1, index.column() + 1};
    }
    QModelIndex IndexOf(GridCell cell) const { return index(cell.row - 1, cell.col - 1); }
    // A cell text as the view shows it.
    static QString ShownText(const std::string& cellText);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Fills the grid from the image (RenderGrid).
    void Render();
    // Writes the grid into the image (GridToImage, which commits the open
    // editor's live text and finalises the image).
    void ConvertToImage();
    // Opens an editor on a cell by the grid's rules; returns what opens.
    EditorSpec StartEdit(GridCell cell);
    // Keeps the open editor's live text in the grid (a shown choice or "no
    // tone" text goes back as its source text).
    void SetLiveEditorText(GridCell cell, const std::string& text);
    // Commits the open editor (if it is the one on cell) with its live text.
    void CommitEditor(GridCell cell);
    // Forgets the open editor without committing it.
    void DiscardEditor();
    // A block as TSV, each cell as the grid shows it (CopyCells).
    std::string Copy(const GridRect& rect) const;
    // Pastes TSV at a cell by the grid's rules (PasteCells), a shown text
    // taken as its cell text, and shows the rows it changed.
    PasteResult Paste(GridCell at, const std::string& tsv);

    // The image, band limits and grid texts as they are now.
    DocumentSnapshot Snapshot() const;
    // Puts a snapshot back: image, band limits and grid texts (the current
    // cell stays; an open editor is forgotten).
    void Restore(const DocumentSnapshot& snapshot);
    // Where committed cells and pastes are recorded as undo steps (none:
    // not recorded).
    void SetHistory(DocumentHistory* history) { history_ = history; }

private:
    void RowChanged(int gridRow);
    void AllChanged();

    AppState& state_;
    ChannelGrid grid_;
    DocumentHistory* history_ = nullptr;
};

} // namespace kestra
