// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/sort_channels_dlg.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/codec/codecs.h"
#include "ui/app/access_keys.h"
#include "ui/app/arrange_texts.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

namespace {
QString Label(int n) {
    return QString::fromStdString(ChannelLabel(n));
}
} // namespace

CSortChannelsDlg::CSortChannelsDlg(int selectedFirst, int selectedLast, int bandFirst, int bandLast,
                                   QWidget* parent)
    : QDialog(parent), rows_{selectedFirst, selectedLast, bandFirst, bandLast} {
    setObjectName(QStringLiteral("sortChannelsDlg"));
    setWindowTitle(T(text::kSortTitle));
    key_ = new QComboBox(this);
    key_->addItems({T(text::kSortByRx), T(text::kSortByName), T(text::kSortByTx)});
    selected_ = new QRadioButton(
        T(text::kSortSelectedRows).arg(Label(selectedFirst), Label(selectedLast)), this);
    band_ = new QRadioButton(T(text::kSortWholeBand).arg(Label(bandFirst), Label(bandLast)), this);
    // Only a block of memory channels inside one band can be sorted alone.
    const bool block =
        selectedLast > selectedFirst && CheckSpan(selectedFirst, selectedLast).empty();
    selected_->setEnabled(block);
    (block ? selected_ : band_)->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(T(text::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(T(text::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(WithAccessKey(T(text::kSortKey), QLatin1Char('B')), key_); // its buddy
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(selected_);
    layout->addWidget(band_);
    layout->addWidget(buttons);
    GiveAccessKeys(this);
}

SortKey CSortChannelsDlg::key() const {
    static const SortKey keys[] = {SortKey::Rx, SortKey::Name, SortKey::Tx};
    return keys[std::max(0, key_->currentIndex())];
}

int CSortChannelsDlg::first() const {
    return selected_->isChecked() ? rows_[0] : rows_[2];
}

int CSortChannelsDlg::last() const {
    return selected_->isChecked() ? rows_[1] : rows_[3];
}

} // namespace kestra
