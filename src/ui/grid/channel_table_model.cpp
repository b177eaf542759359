// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/channel_table_model.h"

#include "core/codec/codecs.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/grid/document_history.h"

namespace kestra {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The source text of what an editor of the column shows: the cell texts the
// grid decides (choices, "no tone") are shown translated.
std::string SourceText(int col, const std::string& shown) {
    for (const std::string& choice : ChoicesForColumn(col))
        if (ChannelTableModel::ShownText(choice).toStdString() == shown)
            return choice;
    if (EditorForColumn(col) == EditorKind::Tone &&
        ChannelTableModel::ShownText(kNoToneText).toStdString() == shown)
        return kNoToneText;
    return shown;
}
} // namespace

QString ChannelTableModel::ShownText(const std::string& cellText) {
    return T(cellText);
}

ChannelTableModel::ChannelTableModel(AppState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state) {}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridRows - 1;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridCols - 1;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const GridCell cell = CellOf(index);
        const std::string& text = grid_.Text(cell.row, cell.col);
        return role == Qt::DisplayRole ? ShownText(text) : Q(text);
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return ShownText(grid_.Text(0, section + 1));
    return Q(grid_.Text(section + 1, kColLabel));
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void ChannelTableModel::Render() {
    RenderGrid(grid_, state_.image, state_.bandLimits);
    AllChanged();
}

void ChannelTableModel::ConvertToImage() {
    const bool editorOpen = grid_.EditorOpen();
    GridToImage(grid_, state_.image, state_.bandLimits);
    if (editorOpen)
        AllChanged();
}

EditorSpec ChannelTableModel::StartEdit(GridCell cell) {
    return StartCellEdit(grid_, cell);
}

void ChannelTableModel::SetLiveEditorText(GridCell cell, const std::string& text) {
    if (grid_.EditorOpen() && grid_.editor.cell == cell)
        grid_.editor.text = SourceText(cell.col, text);
}

void ChannelTableModel::CommitEditor(GridCell cell) {
    if (!grid_.EditorOpen() || !(grid_.editor.cell == cell))
        return;
    const DocumentSnapshot before = Snapshot();
    CommitOpenEditor(grid_, state_.image, state_.bandLimits);
    RowChanged(cell.row);
    if (history_)
        history_->Record(text::kStepCellEdit, before);
}

void ChannelTableModel::DiscardEditor() {
    grid_.editor = ChannelGrid::OpenEditor{};
}

std::string ChannelTableModel::Copy(const GridRect& rect) const {
    return CopyCells(grid_, rect,
                     [](int, const std::string& text) { return ShownText(text).toStdString(); });
}

PasteResult ChannelTableModel::Paste(GridCell at, const std::string& tsv) {
    const DocumentSnapshot before = Snapshot();
    const PasteResult result =
        PasteCells(grid_, state_.image, state_.bandLimits, at, tsv, &SourceText);
    if (result.firstRow > 0)
        emit dataChanged(index(result.firstRow - 1, 0), index(result.lastRow - 1, kGridCols - 2));
    if (history_)
        history_->Record(text::kStepPaste, before);
    return result;
}

DocumentSnapshot ChannelTableModel::Snapshot() const {
    return TakeSnapshot(state_.image, state_.bandLimits, grid_);
}

void ChannelTableModel::Restore(const DocumentSnapshot& snapshot) {
    const GridCell current = grid_.current;
    state_.image = snapshot.image;
    state_.bandLimits = snapshot.limits;
    grid_ = snapshot.grid;
    grid_.current = current;
    grid_.editor = ChannelGrid::OpenEditor{};
    AllChanged();
}

void ChannelTableModel::RowChanged(int gridRow) {
    emit dataChanged(index(gridRow - 1, 0), index(gridRow - 1, kGridCols - 2));
}

void ChannelTableModel::AllChanged() {
    emit dataChanged(index(0, 0), index(kGridRows - 2, kGridCols - 2));
}

} // namespace kestra
