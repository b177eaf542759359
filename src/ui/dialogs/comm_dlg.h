// CCommDlg: the progress dialog of the read, write and initialise exchanges.
//
//   [=========== progress 0..TransferBlockCount ===========]
//   [ 开始 ]              42%                      [ 退出 ]
//
// "开始" runs the exchange (RunTransfer) on a worker thread unless
// TransferBusy says one is running; both buttons are disabled meanwhile. The
// worker exchanges a copy of the image; after a successful read the copy
// replaces the image (on the user-interface thread), so a failed read leaves
// the image as it was. Messages are shown by the user-interface thread.
// A read, a write and every failure close the dialog; a successful
// initialise says "初始化数据成功" and stays open at 0%, ready to run again.
#pragma once

#include <QDialog>

#include "core/document/app_state.h"
#include "link/transfers.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace kestra {

class CCommDlg : public QDialog {
    Q_OBJECT
public:
    CCommDlg(AppState& state, TransferKind kind, QWidget* parent = nullptr);
    ~CCommDlg() override;

    // True when the last exchange completed; read by the opener afterwards.
    bool Succeeded() const { return succeeded_; }
    bool Running() const { return worker_ != nullptr; }
    TransferKind kind() const { return kind_; }

    QProgressBar* progressBar() const { return progress_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* exitButton() const { return exit_; }
    QLabel* percentLabel() const { return percent_; }

    // "开始".
    void OnStart();

    void reject() override;

signals:
    // An exchange ended; emitted before its message, if any, is shown.
    void exchangeFinished(bool succeeded);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnProgress(int position, int total);
    void OnWorkerFinished();
    void SetRunning(bool running);

    AppState& state_;
    const TransferKind kind_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* exit_;
    QLabel* percent_;
    QThread* worker_ = nullptr;
    RadioImage scratch_;
    TransferResult result_;
    bool succeeded_ = false;
};

} // namespace kestra
