// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/program_view.h"

#include "link/link_texts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/codec/codecs.h"
#include "core/forms/view_steps.h"
#include "ui/app/access_keys.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/batch_channel_dlg.h"
#include "ui/dialogs/channel_edit_dlg.h"
#include "ui/dialogs/comm_dlg.h"
#include "ui/dialogs/model_info_dlg.h"
#include "ui/dialogs/password_dlg.h"
#include "ui/grid/channel_arranger.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/document_history.h"

namespace kestra {

CProgramView::CProgramView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("programView"));
    model_ = new ChannelTableModel(state, this);
    table_ = new ChannelTableView(model_, this);
    table_->setAccessibleName(T(text::kEditChannels));
    history_ = new DocumentHistory(model_, this);
    new ChannelArranger(this);

    // Access keys clear of the menu bar's (F, E, P, S, V, W, H).
    batchButton_ = new QPushButton(WithAccessKey(T(text::kButtonBatch), QLatin1Char('B')), this);
    channelEditButton_ =
        new QPushButton(WithAccessKey(T(text::kButtonChannelEdit), QLatin1Char('C')), this);
    initialiseButton_ =
        new QPushButton(WithAccessKey(T(text::kButtonInitialise), QLatin1Char('I')), this);
    batchButton_->setObjectName(QStringLiteral("batchButton"));
    channelEditButton_->setObjectName(QStringLiteral("channelEditButton"));
    initialiseButton_->setObjectName(QStringLiteral("initialiseButton"));
    initialiseButton_->setVisible(state.factoryMode);
    for (QPushButton* b : {batchButton_, channelEditButton_, initialiseButton_}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        b->setMinimumWidth(fontMetrics().horizontalAdvance(b->text()) + 32);
    }
    connect(initialiseButton_, &QPushButton::clicked, this, &CProgramView::OnInitialise);
    connect(channelEditButton_, &QPushButton::clicked, this, &CProgramView::OnChannelEdit);
    connect(batchButton_, &QPushButton::clicked, this, &CProgramView::OnBatchGeneration);

    // The table takes the window's width (its columns share what is beyond
    // their minimum widths); the buttons line up with its right edge.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(batchButton_);
    buttons->addWidget(channelEditButton_);
    buttons->addWidget(initialiseButton_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 14, 20, 14);
    column->setSpacing(10);
    column->addLayout(buttons);
    column->addWidget(table_, 1);

    model_->Render();
    table_->SetCurrentCell(GridCell{1, 1});
    // Rendering the new document is no change; the edits from here on are.
    model_->SetHistory(history_);

    qApp->installEventFilter(this);
}

CProgramView::~CProgramView() {
    qApp->removeEventFilter(this);
    // Whatever the grid shows (an open editor's text included) goes into
    // the image.
    if (convertOnDestroy_)
        model_->ConvertToImage();
}

QSize CProgramView::sizeHint() const {
    constexpr int kRowsShown = 20;
    const QSize layoutHint = QWidget::sizeHint();
    const int tableHeight = table_->horizontalHeader()->minimumHeight() + 2 * table_->frameWidth() +
                            kRowsShown * table_->verticalHeader()->defaultSectionSize();
    const int otherHeight = layoutHint.height() - table_->sizeHint().height();
    // As wide as the grid with its columns at their minimum widths.
    const QMargins margins = layout()->contentsMargins();
    return QSize(std::max(layoutHint.width(),
                          table_->NaturalWidth() + margins.left() + margins.right()),
                 otherHeight + tableHeight);
}

void CProgramView::RenderGrid() {
    table_->CommitAndCloseEditor();
    model_->Render();
}

void CProgramView::ConvertGridToImage() {
    // An open editor's text is committed first: a change of its own, one
    // step (a shortcut such as Ctrl+W reaches here with the editor open).
    table_->CommitAndCloseEditor();
    model_->ConvertToImage();
}

const RadioImage& CProgramView::ImageAsItStands() {
    ConvertGridToImage();
    return state_.image;
}

namespace {

const char* DoneText(TransferKind kind) {
    switch (kind) {
    case TransferKind::Read:
        return text::kStatusReadDone;
    case TransferKind::Write:
        return text::kStatusWriteDone;
    case TransferKind::Initialise:
        break;
    }
    return text::kStatusInitialiseDone;
}

} // namespace

bool CProgramView::RunTransferDialog(TransferKind kind, bool* backedUp) {
    CCommDlg dialog(state_, kind, this);
    GiveAccessKeys(&dialog);
    dialog.exec();
    if (const std::optional<TransferResult>& result = dialog.LastResult()) {
        QString report = !result->succeeded ? T(result->message)
                         : result->verified && kind == TransferKind::Write ? T(kTextWriteVerified)
                                            : T(DoneText(kind));
        if (!dialog.BackupError().isEmpty())
            report = T(text::kStatusBackupFailed).arg(report, dialog.BackupError());
        emit exchangeReported(report);
    }
    if (backedUp)
        *backedUp = dialog.BackupError().isEmpty();
    return dialog.Succeeded();
}

void CProgramView::RunAsStep(const char* text, const std::function<void()>& change,
                             bool renderAfter) {
    ConvertGridToImage();
    const DocumentSnapshot before = history_->Take();
    change();
    // A dialog left without a change is no step, and the grid stays as it is.
    if (state_.image == before.image && state_.bandLimits == before.limits)
        return;
    if (renderAfter)
        RenderGrid();
    history_->Record(text, before);
}

void CProgramView::RunDialog(const char* form, const char* text,
                             const std::function<void()>& dialog) {
    const forms::ViewSteps& steps = forms::StepsAround(form);
    if (steps.convertBefore)
        ConvertGridToImage();
    else
        table_->CommitAndCloseEditor(); // an open cell editor is no conversion
    DocumentSnapshot before = history_->Take();
    if (steps.renderOnApply) {
        // The dialog asks for RenderGrid after each "应用"; each is a step.
        renderOnApply_ = [this, text, &before] {
            RenderGrid();
            history_->Record(text, before);
            before = history_->Take();
        };
        dialog();
        renderOnApply_ = nullptr;
        return;
    }
    dialog();
    // A dialog left without a change is no step, and the grid stays as it is.
    if (state_.image == before.image && state_.bandLimits == before.limits)
        return;
    if (steps.renderAfter)
        RenderGrid();
    history_->Record(text, before);
}

void CProgramView::OnRead() {
    table_->CommitAndCloseEditor();
    const DocumentSnapshot before = history_->Take();
    bool backedUp = true;
    if (!RunTransferDialog(TransferKind::Read, &backedUp))
        return;
    RenderGrid();
    // Undo gives back the document the read replaced; what came from the
    // radio is unmodified while its backup keeps it. Without one it stays
    // modified, so that closing asks before the only copy is gone.
    history_->Record(text::kProgramRead, before);
    if (backedUp)
        history_->MarkClean();
}

void CProgramView::OnWrite() {
    ImageAsItStands(); // what is sent
    RunTransferDialog(TransferKind::Write);
}

void CProgramView::OnInitialise() {
    ImageAsItStands(); // what is sent
    RunTransferDialog(TransferKind::Initialise);
}

void CProgramView::OnChannelEdit() {
    const int row = table_->CurrentCell().row;
    RunDialog("channel", text::kButtonChannelEdit, [this, row] {
        CChannelEditDlg dialog(state_, row, this);
        dialog.exec();
    });
    table_->setFocus();
}

void CProgramView::OnBatchGeneration() {
    RunDialog("batch", text::kButtonBatch, [this] {
        CBatchChannelDlg dialog(state_, [this] { renderOnApply_(); }, this);
        dialog.exec();
    });
}

void CProgramView::OnModelInfo() {
    RunDialog("model", text::kEditModel, [this] {
        const RadioImage image = state_.image;
        const BandLimits limits = state_.bandLimits;
        CModelInfoDlg dialog(state_, this);
        dialog.exec();
        // Channels the new limits leave out are cleared: only when asked.
        const std::vector<int> out = RecordsLeftOut(state_.image, limits, state_.bandLimits);
        if (out.empty())
            return;
        constexpr std::size_t kNamed = 8;
        if (!AskOkCancel(this,
                         T(text::kModelLeavesOut, static_cast<int>(out.size()))
                             .arg(QString::fromStdString(ChannelLabelList(out, kNamed))),
                         true)) {
            state_.image = image;
            state_.bandLimits = limits;
            return;
        }
        for (const int n : out)
            ClearRecord(state_.image, n);
    });
}

void CProgramView::OnFactoryUnlock() {
    CPasswordDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    state_.factoryMode = true;
    ShowInitialiseButton();
    emit factoryUnlocked();
}

void CProgramView::ShowInitialiseButton() {
    initialiseButton_->setVisible(true);
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+F11 addressed to this view or any of its controls opens the
    // factory unlock; the key reaches no control.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F11 && (key->modifiers() & Qt::ControlModifier)) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (widget == this || isAncestorOf(widget))) {
                if (!key->isAutoRepeat())
                    OnFactoryUnlock();
                return true;
            }
        }
        if (QPushButton* button = ButtonForAccessKey(watched, *key)) {
            button->animateClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* CProgramView::ButtonForAccessKey(QObject* receiver, const QKeyEvent& key) const {
    // Qt fires a button's access key only while the focus is inside its
    // document window; from the rest of the main window the current
    // document's buttons answer it here, as the menus' keys do.
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || !(key.modifiers() & Qt::AltModifier) || widget->window() != window())
        return nullptr;
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (w->windowType() == Qt::SubWindow)
            return nullptr; // a document window: its own buttons' keys apply
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub || !sub->mdiArea() || sub->mdiArea()->currentSubWindow() != sub)
        return nullptr;
    for (QPushButton* b : {batchButton_, channelEditButton_, initialiseButton_})
        if (b->isVisible() && b->isEnabled() && !b->shortcut().isEmpty() &&
            b->shortcut() == QKeySequence(key.keyCombination()))
            return b;
    return nullptr;
}

} // namespace kestra
