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

namespace {

// Lays the form's widgets out, in tab order: top to bottom, each row left to
// right. Three blocks (range, frequencies, signalling), each a grid whose
// first column holds the section titles, all of one width.
class BatchLayout {
public:
    BatchLayout(QWidget* dialog, FormBinder& binder) : dialog_(dialog), b_(binder) {
        for (const char* t : {text::kBatchRange, text::kBatchRxFrequency, text::kBatchTxFrequency,
                              text::kBatchRxTone, text::kBatchTxTone})
            titleWidth_ = std::max(titleWidth_, dialog->fontMetrics().horizontalAdvance(T(t)));
        titleWidth_ += 12;
    }

    // 范围
    QGridLayout* Range() const {
        QGridLayout* block = Block();
        Title(block, 0, text::kBatchRange);
        QHBoxLayout* range = Radios(Form::kRange);
        range->addWidget(Edit(Form::kFrom, kChannelChars));
        range->addSpacing(10);
        range->addWidget(b_.Label(Form::kTo));
        range->addWidget(Edit(Form::kTo, kChannelChars));
        range->addStretch(1);
        block->addLayout(range, 0, 1);
        return block;
    }

    // 接收频率 / 发射频率: columns label-or-mode, edit, step label, step
    // edit, directions.
    QGridLayout* Frequencies() const {
        QGridLayout* freq = Block();
        freq->setColumnStretch(6, 1);
        Title(freq, 0, text::kBatchRxFrequency);
        freq->addWidget(b_.Label(Form::kRxStart, T(text::kBatchStartFrequency)), 0, 1);
        freq->addWidget(Edit(Form::kRxStart, kFrequencyChars), 0, 2);
        freq->addWidget(b_.Label(Form::kRxStep, T(text::kBatchRxStep)), 0, 3);
        freq->addWidget(Edit(Form::kRxStep, kStepChars), 0, 4);
        freq->addLayout(Radios(Form::kRxStepDir), 0, 5);
        const auto& txModes = b_.RadioButtons(Form::kTxMode);
        Title(freq, 1, text::kBatchTxFrequency);
        freq->addWidget(txModes[Form::kTxSame], 1, 1);
        freq->addWidget(txModes[Form::kTxOffset], 2, 1);
        freq->addWidget(Edit(Form::kOffset, kFrequencyChars), 2, 2);
        QHBoxLayout* offsetDir = Radios(Form::kOffsetDir);
        offsetDir->addStretch(1);
        freq->addLayout(offsetDir, 2, 3, 1, 3);
        freq->addWidget(txModes[Form::kTxFromStart], 3, 1);
        freq->addWidget(Edit(Form::kTxStart, kFrequencyChars), 3, 2);
        freq->addWidget(b_.Label(Form::kTxStep, T(text::kBatchTxStep)), 3, 3);
        freq->addWidget(Edit(Form::kTxStep, kStepChars), 3, 4);
        freq->addLayout(Radios(Form::kTxStepDir), 3, 5);
        return freq;
    }

    // 接收信令 / 发射信令: columns same-mode, start label-or-mode, list,
    // random, interval label, interval, directions.
    QGridLayout* Tones() const {
        QGridLayout* tones = Block();
        tones->setColumnStretch(8, 1);
        Title(tones, 0, text::kBatchRxTone);
        tones->addWidget(b_.Label(Form::kRxTone, T(text::kBatchStartTone)), 0, 2,
                         Qt::AlignRight | Qt::AlignVCenter);
        ToneRow(tones, 0, Form::kRxTone, Form::kRxRandom, Form::kRxInterval, Form::kRxIntervalDir);
        Title(tones, 1, text::kBatchTxTone);
        const auto& toneModes = b_.RadioButtons(Form::kTxToneMode);
        tones->addWidget(toneModes[Form::kToneSame], 1, 1);
        tones->addWidget(toneModes[Form::kToneFromStart], 1, 2);
        ToneRow(tones, 1, Form::kTxTone, Form::kTxRandom, Form::kTxInterval, Form::kTxIntervalDir);
        return tones;
    }

    // The nine option lists, three to a row.
    QGridLayout* Options() const {
        auto* options = new QGridLayout;
        options->setHorizontalSpacing(10);
        options->setVerticalSpacing(8);
        options->setColumnMinimumWidth(2, 14);
        options->setColumnMinimumWidth(5, 14);
        for (int id = Form::kPower; id <= Form::kVoice; ++id) {
            const int n = id - Form::kPower;
            const int column = (n % 3) * 3;
            options->addWidget(b_.Label(id), n / 3, column);
            options->addWidget(b_.Widget(id), n / 3, column + 1);
            options->setColumnStretch(column + 1, 1);
        }
        return options;
    }

    QWidget* Edit(int id, int chars) const {
        QWidget* w = b_.Widget(id);
        FitWidthToChars(w, chars);
        return w;
    }

private:
    QGridLayout* Block() const {
        auto* g = new QGridLayout;
        g->setHorizontalSpacing(8);
        g->setVerticalSpacing(8);
        g->setColumnMinimumWidth(0, titleWidth_);
        return g;
    }
    void Title(QGridLayout* g, int r, const char* text) const {
        g->addWidget(new QLabel(T(text), dialog_), r, 0);
    }
    QHBoxLayout* Radios(int id) const {
        auto* h = new QHBoxLayout;
        h->setSpacing(12);
        for (QRadioButton* r : b_.RadioButtons(id))
            h->addWidget(r);
        return h;
    }
    void ToneRow(QGridLayout* tones, int r, int list, int random, int interval,
                 int direction) const {
        tones->addWidget(b_.Widget(list), r, 3);
        auto* box = static_cast<QCheckBox*>(b_.Widget(random));
        box->setText(T(text::kBatchRandom));
        tones->addWidget(box, r, 4);
        tones->addWidget(b_.Label(interval, T(text::kBatchInterval)), r, 5);
        tones->addWidget(Edit(interval, kIntervalChars), r, 6);
        tones->addLayout(Radios(direction), r, 7);
    }

    QWidget* dialog_;
    FormBinder& b_;
    int titleWidth_ = 0;
};

} // namespace

CBatchChannelDlg::CBatchChannelDlg(AppState& state, std::function<void()> renderGrid,
                                   QWidget* parent)
    : CFormDialog(state, std::move(renderGrid), parent) {
    setObjectName(QStringLiteral("batchChannelDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();
    const BatchLayout layout(this, b);
    QGridLayout* rangeBlock = layout.Range();
    QGridLayout* freq = layout.Frequencies();
    QGridLayout* tones = layout.Tones();
    QGridLayout* options = layout.Options();

    // 信道名字, then the buttons.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(b.Label(Form::kName));
    bottom->addWidget(layout.Edit(Form::kName, 9));
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
