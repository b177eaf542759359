// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_job.h"

#include <QThread>
#include <utility>

#include "link/transfers.h"

namespace kestra {

JobExchange TransferExchange(TransferKind kind) {
    JobExchange exchange;
    exchange.steps = TransferBlockCount(kind);
    exchange.verifiedSteps = kind == TransferKind::Read ? 0 : TransferSteps(kind, true);
    exchange.readsIntoImage = kind == TransferKind::Read;
    exchange.run = [kind](const std::string& device, const TransferOptions& options,
                          RadioImage& image) { return RunTransfer(kind, device, image, options); };
    return exchange;
}

JobExchange RegionJobExchange(RegionKind region, bool read) {
    JobExchange exchange;
    exchange.steps = BlockCount({RegionRange(region), {0, 0}});
    exchange.verifiedSteps = read ? 0 : 2 * exchange.steps;
    exchange.readsIntoImage = read;
    exchange.run = [region, read](const std::string& device, const TransferOptions& options,
                                  RadioImage& image) {
        return RunRegionExchange(region, read, device, image, options);
    };
    return exchange;
}

TransferJob::TransferJob(AppState& state, JobExchange exchange, QObject* parent)
    : QObject(parent), state_(state), exchange_(std::move(exchange)) {}

TransferJob::~TransferJob() {
    if (!worker_)
        return;
    // Bounded: every wait of the link is.
    worker_->wait();
    delete worker_;
    state_.transferBusy = false;
}

bool TransferJob::Start() {
    bool idle = false;
    if (worker_ || !state_.transferBusy.compare_exchange_strong(idle, true))
        return false;
    scratch_ = state_.image;
    workerResult_ = TransferResult{};
    const std::string device = state_.portName;
    TransferOptions options;
    options.factoryMode = state_.factoryMode;
    options.verify = Verifying();
    worker_ = QThread::create([this, device, options]() mutable {
        options.progress = [this](int position, int total) {
            // Delivered on the job's thread, in order, ahead of the end.
            QMetaObject::invokeMethod(
                this, [this, position, total] { emit progress(position, total); },
                Qt::QueuedConnection);
        };
        workerResult_ = exchange_.run(device, options, scratch_);
    });
    connect(worker_, &QThread::finished, this, &TransferJob::OnWorkerEnded, Qt::QueuedConnection);
    worker_->start();
    return true;
}

void TransferJob::OnWorkerEnded() {
    if (!worker_)
        return;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    result_ = workerResult_;
    if (result_.succeeded && exchange_.readsIntoImage)
        state_.image = scratch_;
    state_.transferBusy = false;
    emit finished(result_.succeeded);
}

} // namespace kestra
