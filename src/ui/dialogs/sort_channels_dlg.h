// SPDX-License-Identifier: GPL-3.0-or-later
// CSortChannelsDlg: 编辑 -> 排序…: the sort key (receive frequency, name,
// transmit frequency) and the rows to sort (the selected rows or the whole
// band). It decides nothing; the view sorts what it chose.
#pragma once

#include <QDialog>

#include "core/grid/channel_arrange.h"

class QComboBox;
class QRadioButton;

namespace kestra {

class CSortChannelsDlg : public QDialog {
    Q_OBJECT
public:
    // selected: the selected rows (first, last); band: the band's rows. The
    // selected rows are offered only when they are more than one row.
    CSortChannelsDlg(int selectedFirst, int selectedLast, int bandFirst, int bandLast,
                     QWidget* parent = nullptr);

    SortKey key() const;
    // The rows chosen: the selected ones or the whole band.
    int first() const;
    int last() const;

    QComboBox* keyBox() const { return key_; }
    QRadioButton* selectedButton() const { return selected_; }
    QRadioButton* bandButton() const { return band_; }

private:
    QComboBox* key_;
    QRadioButton* selected_;
    QRadioButton* band_;
    int rows_[4];
};

} // namespace kestra
