// SPDX-License-Identifier: GPL-3.0-or-later
// TransferJob: runs one exchange with the radio (read, write, initialise, the
// calibration block, the decoder table) on a worker thread and reports its
// progress and its end by signals on the thread that owns the job.
//
//   job.Start()  -> TransferBusy set; copy of the image; worker started
//   worker       -> progress(position, total) ... (queued to the job's thread)
//   worker ends  -> TransferBusy cleared; a successful read's copy replaces
//                   the image; finished(succeeded); Result() holds the message
//
// The worker never touches the application's image: it exchanges a copy, so a
// failed read leaves the image exactly as it was, and nothing else needs a
// lock while the exchange runs. An exchange always ends by itself (every wait
// of the serial link is bounded); it cannot be interrupted.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/document/app_state.h"
#include "link/exchange.h"

class QThread;

namespace kestra {

// One exchange as the job runs it.
struct JobExchange {
    // Runs on the worker thread over the device, on a copy of the image;
    // options carry factory mode, verify and the progress callback.
    std::function<TransferResult(const std::string& device, const TransferOptions& options,
                                 RadioImage& image)>
        run;
    // Progress steps of a complete exchange (without a verification).
    int steps = 0;
    // With verify: the steps of the exchange and its read-back; 0 when the
    // exchange cannot be verified.
    int verifiedSteps = 0;
    // A read: when it succeeds, the copy replaces the image.
    bool readsIntoImage = false;
};

// The read, write or initialise transfer.
JobExchange TransferExchange(TransferKind kind);
// The calibration-block or decoder-table exchange (read or write).
JobExchange RegionJobExchange(RegionKind region, bool read);

class TransferJob : public QObject {
    Q_OBJECT
public:
    TransferJob(AppState& state, JobExchange exchange, QObject* parent = nullptr);
    // Waits for a running exchange to end.
    ~TransferJob() override;

    // Starts the exchange on the state's port (and factory mode). Does nothing
    // and returns false while this job runs or TransferBusy says another
    // exchange does.
    bool Start();
    bool Running() const { return worker_ != nullptr; }
    // The progress steps the next exchange takes.
    int Steps() const { return Verifying() ? exchange_.verifiedSteps : exchange_.steps; }
    // Whether the exchange can be verified (write, initialise, a region write).
    bool CanVerify() const { return exchange_.verifiedSteps > 0; }
    // Write and initialise: read back and compare after the write (see
    // TransferOptions::verify). Takes effect with the next Start.
    void SetVerify(bool verify) { verify_ = verify; }
    bool Verifying() const { return verify_ && CanVerify(); }
    // The result of the last exchange that ended.
    const TransferResult& Result() const { return result_; }
    // The copy the last exchange worked on, once it has ended: after a
    // successful read the image as read (band-limit fill included), after a
    // write or initialise the image exactly as sent.
    const RadioImage& Image() const { return scratch_; }

signals:
    // After every block: the steps done and the steps in all.
    void progress(int position, int total);
    // The exchange ended; Result() tells how. Emitted after the image has been
    // replaced (a successful read) and TransferBusy cleared.
    void finished(bool succeeded);

private:
    void OnWorkerEnded();

    AppState& state_;
    const JobExchange exchange_;
    bool verify_ = false;
    QThread* worker_ = nullptr;
    RadioImage scratch_;
    TransferResult result_;
    // The worker's result, handed over when the worker has ended.
    TransferResult workerResult_;
};

} // namespace kestra
