// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/batch_channel_dlg.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

using Form = forms::BatchChannelForm;

namespace {

constexpr int kFrequencyChars = 9;
constexpr int kStepChars = 6;
constexpr int kChannelChars = 3;
constexpr int kIntervalChars = 2;

} // namespace

CBatchChannelDlg::CBatchChannelDlg(AppState& state, std::function<void()> renderGrid,
                                   QWidget* parent)
    : CFormDialog(state, std::move(renderGrid), parent) {
    setObjectName(QStringLiteral("batchChannelDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();

    // Widgets are made in tab order: top to bottom, each row left to right.
    // Three blocks (range, frequencies, signalling), each a grid whose first
    // column holds the section titles, all of one width.
    const int titleWidth = [&] {
        int w = 0;
        for (const char* t : {text::kBatchRange, text::kBatchRxFrequency, text::kBatchTxFrequency,
                              text::kBatchRxTone, text::kBatchTxTone})
            w = std::max(w, fontMetrics().horizontalAdvance(T(t)));
        return w + 12;
    }();
    auto block = [&] {
        auto* g = new QGridLayout;
        g->setHorizontalSpacing(8);
        g->setVerticalSpacing(8);
        g->setColumnMinimumWidth(0, titleWidth);
        return g;
    };
    auto title = [&](QGridLayout* g, int r, const char* text) {
        g->addWidget(new QLabel(T(text), this), r, 0);
    };
    auto radios = [&](int id) {
        auto* h = new QHBoxLayout;
        h->setSpacing(12);
        for (QRadioButton* r : b.RadioButtons(id))
            h->addWidget(r);
        return h;
    };
    auto edit = [&](int id, int chars) {
        QWidget* w = b.Widget(id);
        FitWidthToChars(w, chars);
        return w;
    };

    // 范围
    QGridLayout* rangeBlock = block();
    title(rangeBlock, 0, text::kBatchRange);
    QHBoxLayout* range = radios(Form::kRange);
    range->addWidget(edit(Form::kFrom, kChannelChars));
    range->addSpacing(10);
    range->addWidget(b.Label(Form::kTo));
    range->addWidget(edit(Form::kTo, kChannelChars));
    range->addStretch(1);
    rangeBlock->addLayout(range, 0, 1);

    // 接收频率 / 发射频率: columns label-or-mode, edit, step label, step
    // edit, directions.
    QGridLayout* freq = block();
    freq->setColumnStretch(6, 1);
    title(freq, 0, text::kBatchRxFrequency);
    freq->addWidget(b.Label(Form::kRxStart, T(text::kBatchStartFrequency)), 0, 1);
    freq->addWidget(edit(Form::kRxStart, kFrequencyChars), 0, 2);
    freq->addWidget(b.Label(Form::kRxStep, T(text::kBatchRxStep)), 0, 3);
    freq->addWidget(edit(Form::kRxStep, kStepChars), 0, 4);
    freq->addLayout(radios(Form::kRxStepDir), 0, 5);
    const auto& txModes = b.RadioButtons(Form::kTxMode);
    title(freq, 1, text::kBatchTxFrequency);
    freq->addWidget(txModes[Form::kTxSame], 1, 1);
    freq->addWidget(txModes[Form::kTxOffset], 2, 1);
    freq->addWidget(edit(Form::kOffset, kFrequencyChars), 2, 2);
    QHBoxLayout* offsetDir = radios(Form::kOffsetDir);
    offsetDir->addStretch(1);
    freq->addLayout(offsetDir, 2, 3, 1, 3);
    freq->addWidget(txModes[Form::kTxFromStart], 3, 1);
    freq->addWidget(edit(Form::kTxStart, kFrequencyChars), 3, 2);
    freq->addWidget(b.Label(Form::kTxStep, T(text::kBatchTxStep)), 3, 3);
    freq->addWidget(edit(Form::kTxStep, kStepChars), 3, 4);
    freq->addLayout(radios(Form::kTxStepDir), 3, 5);

    // 接收信令 / 发射信令: columns same-mode, start label-or-mode, list,
    // random, interval label, interval, directions.
    QGridLayout* tones = block();
    tones->setColumnStretch(8, 1);
    auto toneRow = [&](int r, int list, int random, int interval, int direction) {
        tones->addWidget(b.Widget(list), r, 3);
        auto* box = static_cast<QCheckBox*>(b.Widget(random));
        box->setText(T(text::kBatchRandom));
        tones->addWidget(box, r, 4);
        tones->addWidget(b.Label(interval, T(text::kBatchInterval)), r, 5);
        tones->addWidget(edit(interval, kIntervalChars), r, 6);
        tones->addLayout(radios(direction), r, 7);
    };
    title(tones, 0, text::kBatchRxTone);
    tones->addWidget(b.Label(Form::kRxTone, T(text::kBatchStartTone)), 0, 2,
                     Qt::AlignRight | Qt::AlignVCenter);
    toneRow(0, Form::kRxTone, Form::kRxRandom, Form::kRxInterval, Form::kRxIntervalDir);
    title(tones, 1, text::kBatchTxTone);
    const auto& toneModes = b.RadioButtons(Form::kTxToneMode);
    tones->addWidget(toneModes[Form::kToneSame], 1, 1);
    tones->addWidget(toneModes[Form::kToneFromStart], 1, 2);
    toneRow(1, Form::kTxTone, Form::kTxRandom, Form::kTxInterval, Form::kTxIntervalDir);

    // The nine option lists, three to a row.
    auto* options = new QGridLayout;
    options->setHorizontalSpacing(10);
    options->setVerticalSpacing(8);
    options->setColumnMinimumWidth(2, 14);
    options->setColumnMinimumWidth(5, 14);
    for (int id = Form::kPower; id <= Form::kVoice; ++id) {
        const int n = id - Form::kPower;
        const int column = (n % 3) * 3;
        options->addWidget(b.Label(id), n / 3, column);
        options->addWidget(b.Widget(id), n / 3, column + 1);
        options->setColumnStretch(column + 1, 1);
    }

    // 信道名字, then the buttons.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(b.Label(Form::kName));
    bottom->addWidget(edit(Form::kName, 9));
    bottom->addWidget(b.Widget(Form::kByNumber));
    bottom->addStretch(1);
    apply_ = static_cast<QPushButton*>(b.Widget(Form::kApply));
    cancel_ = new QPushButton(T(text::kCancel), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    // Enter presses nothing in this dialog (the form swallows it), so no
    // button is shown as the default.
    for (QPushButton* button : {apply_, cancel_}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 48);
        bottom->addWidget(button);
    }

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 16, 18, 16);
    outer->setSpacing(12);
    for (QLayout* l : {rangeBlock, freq, tones})
        outer->addLayout(l);
    outer->addWidget(line);
    outer->addLayout(options);
    outer->addSpacing(4);
    outer->addLayout(bottom);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    b.Refresh();
    SetTabOrderByPosition(this);
}

} // namespace kestra
