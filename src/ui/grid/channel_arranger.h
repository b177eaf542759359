// SPDX-License-Identifier: GPL-3.0-or-later
// ChannelArranger: the arranging commands of one CProgramView (move, insert,
// delete, sort, find) and the moving of rows by dragging their labels.
//
//   Ctrl+Shift+Up / Down    the selected rows (or the current one) one place
//                           up / down within the band, still selected
//   drag row labels         the row, or the selected rows when the drag
//                           starts on one of them, to where they are dropped
//                           (Esc during the drag leaves them where they are)
//   编辑 -> 插入空信道       a free channel at the current row
//   编辑 -> 删除信道         the selected rows
//   编辑 -> 排序…            CSortChannelsDlg: selected rows or whole band
//   Ctrl+F / F3             find a frequency or name / find the next one
//
// Each change is one undo step: the document is taken as it is (grid texts
// and image), the grid converted, the channels arranged by core (which
// finalises the image) and the grid rendered; undo puts back exactly what
// there was. A refused operation changes nothing and says why.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "core/grid/channel_arrange.h"

class QFrame;
class QTimer;
class QWidget;

namespace kestra {

class CProgramView;

class ChannelArranger : public QObject {
    Q_OBJECT
public:
    // Made by the view; watches the view's row labels for drags.
    explicit ChannelArranger(CProgramView* view);
    // The arranger of a view.
    static ChannelArranger* Of(const CProgramView* view);

    // Rows (records) the commands act on: the selected rows' span, or the
    // current row when nothing is selected.
    struct Rows {
        int first = 1;
        int last = 1;
    };
    Rows SelectedRows() const;

    bool MoveSelection(int delta);
    // The rows first..last to `to` (the new place of the first of them),
    // selected afterwards.
    bool MoveRows(int first, int last, int to);
    bool InsertAtCurrent();
    bool DeleteSelection();
    bool SortRows(int first, int last, SortKey key);
    // Opens the sort dialog and sorts what it chose.
    void Sort();
    // Asks what to find, then finds it after the current row.
    void Find();
    // Finds the last text again after the current row (asks when there is none).
    void FindNext();
    // Finds text after the current row and makes the match current; false
    // (and a message) when nothing matches.
    bool FindText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Run(const char* step, int selectFirst, int selectLast,
             const std::function<ArrangeResult(RadioImage&, const BandLimits&)>& op);
    void SelectRows(int first, int last);
    void Tell(const QString& message);
    int RowAtLabel(int y) const;
    // The line that shows where dragged rows will land (hidden: nowhere).
    void ShowDropLine(int target);
    // Where the dragged rows' first row lands when they are dropped on the
    // label of row target.
    int DropPlace(int target) const;

    CProgramView* view_;
    // The row-label strip, kept so that events arriving while the view is
    // being destroyed are told apart without calling into the view.
    QPointer<QWidget> labels_;
    QString findText_;
    // A drag of row labels: where it started and the rows it carries.
    int dragStartY_ = -1;
    Rows dragRows_;
    bool dragging_ = false;
    QFrame* dropLine_ = nullptr;
    // Beyond the labels the table keeps scrolling while the pointer stays.
    QTimer* autoScroll_ = nullptr;
    int dragY_ = 0;
    // Ends a drag without a drop (Esc, or the release).
    void EndDrag();
    // Scrolls a row towards a pointer above or below the labels; false when
    // the pointer is over them.
    bool ScrollTowards(int y);
};

} // namespace kestra
