#include "ui/dialogs/comm_dlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

CCommDlg::CCommDlg(AppState& state, TransferKind kind, QWidget* parent)
    : QDialog(parent), state_(state), kind_(kind) {
    setObjectName(QStringLiteral("commDialog"));
    setWindowTitle(T(TransferTitle(kind)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, TransferBlockCount(kind));
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setMinimumWidth(320);

    start_ = new QPushButton(T(text::kCommStart), this);
    exit_ = new QPushButton(T(text::kCommExit), this);
    start_->setObjectName(QStringLiteral("startButton"));
    exit_->setObjectName(QStringLiteral("exitButton"));
    start_->setDefault(true);
    exit_->setAutoDefault(false);
    percent_ = new QLabel(QString::fromStdString(PercentText(0, progress_->maximum())), this);
    percent_->setObjectName(QStringLiteral("percentLabel"));
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) +
                              16);

    connect(start_, &QPushButton::clicked, this, &CCommDlg::OnStart);
    connect(exit_, &QPushButton::clicked, this, &CCommDlg::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(start_);
    row->addStretch(1);
    row->addWidget(percent_);
    row->addStretch(1);
    row->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addWidget(progress_);
    layout->addLayout(row);
    setFixedSize(sizeHint());
}

CCommDlg::~CCommDlg() {
    // An exchange always ends by itself (every wait of the link is bounded).
    if (worker_) {
        worker_->wait();
        delete worker_;
        state_.transferBusy = false;
    }
}

void CCommDlg::OnStart() {
    bool idle = false;
    if (worker_ || !state_.transferBusy.compare_exchange_strong(idle, true))
        return;
    succeeded_ = false;
    result_ = TransferResult{};
    progress_->setValue(0);
    percent_->setText(QString::fromStdString(PercentText(0, progress_->maximum())));
    SetRunning(true);

    scratch_ = state_.image;
    const std::string device = state_.portName;
    const bool factoryMode = state_.factoryMode;
    const TransferKind kind = kind_;
    worker_ = QThread::create([this, device, factoryMode, kind] {
        const ProgressCallback progress = [this](int position, int total) {
            QMetaObject::invokeMethod(
                this, [this, position, total] { OnProgress(position, total); },
                Qt::QueuedConnection);
        };
        result_ = RunTransfer(kind, device, scratch_, factoryMode, progress);
        state_.transferBusy = false;
    });
    connect(worker_, &QThread::finished, this, &CCommDlg::OnWorkerFinished, Qt::QueuedConnection);
    worker_->start();
}

void CCommDlg::OnProgress(int position, int total) {
    if (!worker_)
        return;
    progress_->setValue(position);
    percent_->setText(QString::fromStdString(PercentText(position, total)));
}

void CCommDlg::OnWorkerFinished() {
    if (!worker_)
        return;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;

    succeeded_ = result_.succeeded;
    if (succeeded_ && kind_ == TransferKind::Read)
        state_.image = scratch_;

    emit exchangeFinished(succeeded_);

    const QString message = T(result_.message);
    const QString detail = QString::fromStdString(result_.detail);
    if (!succeeded_) {
        ShowMessage(this, message, detail, QMessageBox::Warning);
        SetRunning(false);
        done(QDialog::Rejected);
        return;
    }
    SetRunning(false);
    if (kind_ == TransferKind::Initialise) {
        // Ready for the next radio.
        ShowMessage(this, message, QMessageBox::Information);
        progress_->setValue(0);
        percent_->setText(QString::fromStdString(PercentText(0, progress_->maximum())));
        return;
    }
    done(QDialog::Accepted);
}

void CCommDlg::SetRunning(bool running) {
    start_->setEnabled(!running);
    exit_->setEnabled(!running);
}

void CCommDlg::reject() {
    // A running exchange cannot be interrupted from the dialog.
    if (worker_)
        return;
    QDialog::reject();
}

void CCommDlg::closeEvent(QCloseEvent* event) {
    if (worker_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kestra
