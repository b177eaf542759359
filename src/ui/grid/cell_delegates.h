// SPDX-License-Identifier: GPL-3.0-or-later
// The three in-place editors of the channel grid, as item delegates:
//
//   columns 1-2  frequency editor  framed line edit that lets in only
//                                  "0123456789." (typed or pasted) and keeps
//                                  Up/Down/PgUp/PgDn to itself
//   columns 3-4  tone editor       editable combo box, "无" and the 264 tone
//                                  texts, on the entry equal to the cell text
//   columns 5-8  choice editor     combo box with the column's choices
//
// Every editor opens with all of its text selected, so typing replaces it.
//
// An editor opens only after StartCellEdit has decided the cell and its
// text (ChannelTableModel::StartEdit). While it is open every change of its
// text is kept in the grid as the live editor text, so that GridToImage
// commits it; closing it commits through the grid's commit rules. Enter in an
// editor is reported to the view, which commits and moves the current cell.
#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>

#include "core/grid/channel_grid.h"

namespace kestra {

class ChannelTableModel;

// The frequency editor: a line edit whose validator passes every change of
// its text, typed, pasted, dropped or composed, through the grid's
// FilterFrequencyEdit, so that only the digits and the decimal point get in.
class FrequencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FrequencyEdit(QWidget* parent = nullptr);

    // The text before the change the validator is looking at.
    const QString& acceptedText() const { return accepted_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString accepted_;
};

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridCellDelegate(ChannelTableModel* model, EditorKind kind, QObject* parent = nullptr);

    EditorKind kind() const { return kind_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text an editor of this delegate currently holds.
    static QString EditorText(const QWidget* editor);

signals:
    void editorOpened(QWidget* editor) const;
    void enterPressed(QWidget* editor) const;
    // Ctrl+V in an editor with more than one cell on the clipboard: the
    // block goes into the grid from the cell, not into the editor.
    void blockPasted() const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    ChannelTableModel* model_;
    EditorKind kind_;
};

} // namespace kestra
