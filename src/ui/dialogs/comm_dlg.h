// SPDX-License-Identifier: GPL-3.0-or-later
// CCommDlg: the progress dialog of the read, write and initialise exchanges.
//
//   [=========== progress 0..TransferBlockCount ===========]
//   [ 开始 ]              42%                      [ 退出 ]
//
// "开始" starts the exchange as a TransferJob (off the user-interface thread,
// unless TransferBusy says one is running); both buttons are disabled
// meanwhile. The dialog only shows the job's progress and result: messages
// are shown by the user-interface thread. A read, a write and every failure
// close the dialog; a successful initialise says "初始化数据成功" and stays
// open at 0%, ready to run again.
//
// Every successful read, write and initialise leaves a backup (backup_folder.h)
// of the image the job exchanged: as read from the radio, or exactly as sent.
// A read's is saved before exchangeFinished. A write's and an initialise's
// is saved when "开始" is pressed, before the first byte goes out, and kept
// whatever the exchange then does: a write cut short (a power cut, a killed
// program) still leaves the image it was sending. When that backup cannot be
// saved, a message box gives the reason and asks whether to send without it
// (Cancel, the default, sends nothing). A backup that cannot be saved never
// fails an exchange; BackupError() tells the opener why.
//
// Write and initialise carry the check box 写后校验 (on unless the user turned
// it off; the choice is kept in the per-user settings): the memory is read
// back after the write and compared, and the progress bar covers both.
//
//   [=========== progress ===========]
//   [x] 写后校验
//   [ 开始 ]        42%        [ 退出 ]
//
// The factory dialogs' "读数据" and "写数据" run their region's exchange in
// the same dialog, titled after the button; it starts as soon as it shows
// and closes when the exchange ends (the opener says a success). "写数据"
// first reads the region from the radio (the "读数据" exchange, into a copy)
// and keeps that as a "calibration" or "decoder" backup: the per-radio
// data a read never covers. When that read fails nothing is written; when
// the backup cannot be saved, a message box asks whether to write without
// it (Cancel, the default, writes nothing); a write that fails then says
// where the copy is. The progress covers both exchanges, and 写后校验
// (the same setting as the write's) reads the region back.
#pragma once

#include <QDialog>

#include <optional>

#include "core/document/app_state.h"
#include "link/transfer_job.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kestra {

class CCommDlg : public QDialog {
    Q_OBJECT
public:
    CCommDlg(AppState& state, TransferKind kind, QWidget* parent = nullptr);
    CCommDlg(AppState& state, RegionKind region, bool read, QWidget* parent = nullptr);
    ~CCommDlg() override;

    // True when the last exchange completed; read by the opener afterwards.
    bool Succeeded() const { return succeeded_; }
    // The result of the last exchange; none when "开始" was never pressed.
    const std::optional<TransferResult>& LastResult() const { return lastResult_; }
    bool Running() const;
    // Why the backup of a successful exchange was not saved (the last such
    // reason while the dialog was open); empty when every backup was saved.
    const QString& BackupError() const { return backupError_; }

    QProgressBar* progressBar() const { return progress_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* exitButton() const { return exit_; }
    QLabel* percentLabel() const { return percent_; }
    // 写后校验; null for read and the factory exchanges.
    QCheckBox* verifyCheck() const { return verify_; }

    // "开始".
    void OnStart();

    void reject() override;

signals:
    // An exchange ended; emitted before its message, if any, is shown.
    void exchangeFinished(bool succeeded);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CCommDlg(AppState& state, JobExchange exchange, const char* title, QWidget* parent);
    void OnProgress(int position, int total);
    void OnJobFinished(bool succeeded);
    void OnReadBeforeFinished(bool succeeded);
    // Shows the end of an exchange (result) and closes, or stays open.
    void Finish(const TransferResult& result);
    int TotalSteps() const;
    void ShowPosition(int position);
    void SetRunning(bool running);
    void AddVerifyCheck();
    void OnVerifyToggled(bool verify);

    // A successful initialise leaves the dialog open for the next radio.
    bool staysOpen_ = false;
    bool startOnShow_ = false;
    // "read", "write" or "init"; none for the factory dialogs' exchanges.
    const char* backupKind_ = nullptr;
    // Write and initialise: the backup is saved before the exchange starts.
    bool backupBeforeStart_ = false;
    QString backupError_;
    AppState& state_;
    TransferJob* job_;
    // A region write: the read of what it will overwrite, run first; null
    // otherwise. progressBase_ is where the running job's progress starts.
    TransferJob* readBefore_ = nullptr;
    int progressBase_ = 0;
    QString regionCopy_;       // the backup readBefore_'s copy went to
    std::string backupFolder_; // the state's, when the dialog opened
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* exit_;
    QLabel* percent_;
    QCheckBox* verify_ = nullptr;
    std::optional<TransferResult> lastResult_;
    bool succeeded_ = false;
};

} // namespace kestra
