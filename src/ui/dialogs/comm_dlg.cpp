// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/comm_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QSettings>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/link_texts.h"
#include "link/transfers.h"
#include "ui/app/access_keys.h"
#include "ui/app/backup_folder.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/app/user_settings.h"

namespace kestra {

namespace {

const char* const kTextVerifyAfterWrite = KESTRA_TEXT("kestra", "写后校验(&V)");
// The per-user setting that keeps the check box's state.
const char* const kVerifySettingKey = "Transfer/VerifyAfterWrite";

} // namespace

CCommDlg::CCommDlg(AppState& state, TransferKind kind, QWidget* parent)
    : CCommDlg(state, TransferExchange(kind), TransferTitle(kind), parent) {
    staysOpen_ = kind == TransferKind::Initialise;
    backupKind_ = kind == TransferKind::Read    ? "read"
                  : kind == TransferKind::Write ? "write"
                                                : "init";
    backupBeforeStart_ = kind != TransferKind::Read;
}

CCommDlg::CCommDlg(AppState& state, RegionKind region, bool read, QWidget* parent)
    : CCommDlg(state, RegionJobExchange(region, read), read ? kTitleRead : kTitleWrite, parent) {
    startOnShow_ = true;
    if (read)
        return;
    // What the write overwrites: read into the job's copy only.
    JobExchange before = RegionJobExchange(region, true);
    before.readsIntoImage = false;
    readBefore_ = new TransferJob(state, std::move(before), this);
    backupKind_ = RegionBackupKind(region);
    connect(readBefore_, &TransferJob::progress, this, &CCommDlg::OnProgress);
    connect(readBefore_, &TransferJob::finished, this, &CCommDlg::OnReadBeforeFinished);
    progress_->setRange(0, TotalSteps());
    ShowPosition(0);
}

int CCommDlg::TotalSteps() const {
    return (readBefore_ ? readBefore_->Steps() : 0) + job_->Steps();
}

bool CCommDlg::Running() const {
    return job_->Running() || (readBefore_ && readBefore_->Running());
}

CCommDlg::CCommDlg(AppState& state, JobExchange exchange, const char* title, QWidget* parent)
    : QDialog(parent), state_(state), job_(new TransferJob(state, std::move(exchange), this)),
      backupFolder_(state.backupFolder) {
    setObjectName(QStringLiteral("commDialog"));
    setWindowTitle(T(title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, job_->Steps());
    progress_->setTextVisible(false);
    progress_->setMinimumWidth(320);
    progress_->setAccessibleName(T(title));
    percent_ = new QLabel(this);
    percent_->setObjectName(QStringLiteral("percentLabel"));
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) +
                              16);
    ShowPosition(0);
    // Made before the buttons: Tab follows the dialog down.
    if (job_->CanVerify())
        AddVerifyCheck();

    start_ = new QPushButton(T(text::kCommStart), this);
    exit_ = new QPushButton(T(text::kCommExit), this);
    start_->setObjectName(QStringLiteral("startButton"));
    exit_->setObjectName(QStringLiteral("exitButton"));
    start_->setDefault(true);
    exit_->setAutoDefault(false);

    connect(start_, &QPushButton::clicked, this, &CCommDlg::OnStart);
    connect(exit_, &QPushButton::clicked, this, &CCommDlg::reject);
    connect(job_, &TransferJob::progress, this, &CCommDlg::OnProgress);
    connect(job_, &TransferJob::finished, this, &CCommDlg::OnJobFinished);

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
    if (verify_)
        layout->addWidget(verify_);
    layout->addLayout(row);
    setFixedSize(sizeHint());
}

void CCommDlg::AddVerifyCheck() {
    verify_ = new QCheckBox(T(kTextVerifyAfterWrite), this);
    verify_->setObjectName(QStringLiteral("verifyCheck"));
    verify_->setChecked(QSettings().value(QString::fromUtf8(kVerifySettingKey), true).toBool());
    OnVerifyToggled(verify_->isChecked());
    connect(verify_, &QCheckBox::toggled, this, [this](bool verify) {
        ChangeUserSettings([verify](QSettings& settings) {
            settings.setValue(QString::fromUtf8(kVerifySettingKey), verify);
        });
        OnVerifyToggled(verify);
    });
}

void CCommDlg::OnVerifyToggled(bool verify) {
    job_->SetVerify(verify);
    progress_->setRange(0, TotalSteps());
    ShowPosition(0);
}

// The job, a child, waits for a running exchange as it goes.
CCommDlg::~CCommDlg() = default;

void CCommDlg::OnStart() {
    if (Running() || state_.transferBusy)
        return;
    progressBase_ = 0;
    if (readBefore_) {
        if (!readBefore_->Start())
            return;
        succeeded_ = false;
        ShowPosition(0);
        SetRunning(true);
        return;
    }
    if (backupBeforeStart_) {
        // The image the job is about to send, kept before it goes out.
        const QString error = SaveBackupImage(backupFolder_, backupKind_, state_.image);
        if (!error.isEmpty()) {
            backupError_ = error;
            if (!AskOkCancel(this, T(text::kAskSendWithoutBackup).arg(error), true))
                return;
        }
    }
    if (!job_->Start())
        return;
    succeeded_ = false;
    ShowPosition(0);
    SetRunning(true);
}

// The running job's steps, after those of the jobs before it.
void CCommDlg::OnProgress(int position, int) {
    ShowPosition(progressBase_ + position);
}

void CCommDlg::ShowPosition(int position) {
    progress_->setValue(position);
    percent_->setText(QString::fromStdString(PercentText(position, progress_->maximum())));
}

void CCommDlg::OnReadBeforeFinished(bool succeeded) {
    if (!succeeded) {
        TransferResult result = readBefore_->Result();
        NoteNothingWritten(result);
        Finish(result);
        return;
    }
    regionCopy_.clear();
    const QString error =
        SaveBackupImage(backupFolder_, backupKind_, readBefore_->Image(), &regionCopy_);
    if (!error.isEmpty()) {
        backupError_ = error;
        if (!AskOkCancel(this, T(text::kAskWriteRegionWithoutBackup).arg(error), true)) {
            SetRunning(false);
            done(QDialog::Rejected);
            return;
        }
    }
    progressBase_ = readBefore_->Steps();
    if (!job_->Start()) { // another exchange took the port meanwhile
        SetRunning(false);
        ShowPosition(0);
    }
}

void CCommDlg::OnJobFinished(bool succeeded) {
    TransferResult result = job_->Result();
    // A read's backup: what was read. Write and initialise saved theirs
    // before they started.
    if (succeeded && backupKind_ && !backupBeforeStart_ && !readBefore_) {
        const QString error = SaveBackupImage(backupFolder_, backupKind_, job_->Image());
        if (!error.isEmpty())
            backupError_ = error;
    }
    if (!succeeded && !regionCopy_.isEmpty())
        NoteRegionCopy(result, regionCopy_.toStdString());
    Finish(result);
}

void CCommDlg::Finish(const TransferResult& result) {
    succeeded_ = result.succeeded;
    lastResult_ = result;
    emit exchangeFinished(succeeded_);

    const QString message = T(lastResult_->message);
    SetRunning(false);
    if (!succeeded_) {
        // The progress dialog goes first and the message belongs to the
        // window the exchange was started from, which gets the keyboard back
        // when the message closes (it was left with no active window).
        hide();
        QString detail = QString::fromStdString(lastResult_->detail);
        // Where to choose another, unless this one is there but held or
        // forbidden.
        if (lastResult_->message == kTextCannotOpenPort && !lastResult_->portRefused)
            detail += '\n' + T(text::kChoosePortHint)
                                 .arg(WithoutAccessKey(T(text::kMenuSetup)),
                                      WithoutAccessKey(T(text::kSetupPort)));
        ShowMessage(parentWidget() ? parentWidget() : this, message, detail.trimmed(),
                    QMessageBox::Warning);
        done(QDialog::Rejected);
        return;
    }
    if (staysOpen_) {
        // Ready for the next radio.
        if (lastResult_->detail.empty())
            ShowMessage(this, message, QMessageBox::Information);
        else
            ShowMessage(this, message, QString::fromStdString(lastResult_->detail),
                        QMessageBox::Information);
        ShowPosition(0);
        return;
    }
    done(QDialog::Accepted);
}

void CCommDlg::SetRunning(bool running) {
    start_->setEnabled(!running);
    exit_->setEnabled(!running);
    if (verify_)
        verify_->setEnabled(!running);
}

void CCommDlg::reject() {
    // A running exchange cannot be interrupted from the dialog.
    if (Running())
        return;
    QDialog::reject();
}

void CCommDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (startOnShow_) {
        startOnShow_ = false;
        QTimer::singleShot(0, this, &CCommDlg::OnStart);
    }
}

void CCommDlg::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kestra
