#include "link/transfers.h"

#include "link/link_texts.h"
#include "link/serial_link.h"

namespace kestra {

namespace {

TransferResult CannotOpen(const std::string& reason) {
    TransferResult result;
    result.message = kTextCannotOpenPort;
    result.detail = reason;
    return result;
}

} // namespace

TransferResult RunTransfer(TransferKind kind, const std::string& device, RadioImage& image,
                           bool factoryMode, const ProgressCallback& progress) {
    TransferOptions options;
    options.factoryMode = factoryMode;
    options.progress = progress;
    return RunTransfer(kind, device, image, options);
}

TransferResult RunTransfer(TransferKind kind, const std::string& device, RadioImage& image,
                           const TransferOptions& options) {
    SerialLink link;
    std::string reason;
    if (!link.Open(device, &reason))
        return CannotOpen(reason);
    link.SetTrace(options.trace);
    link.SetAbortFlag(options.abort);
    TransferResult result = RunTransferOn(link, kind, image, options);
    link.Close();
    return result;
}

TransferResult RunRegionExchange(RegionKind region, bool read, const std::string& device,
                                 RadioImage& image) {
    return RunRegionExchange(region, read, device, image, nullptr);
}

TransferResult RunRegionExchange(RegionKind region, bool read, const std::string& device,
                                 RadioImage& image, const TraceCallback& trace,
                                 const std::atomic<bool>* abort) {
    TransferOptions options;
    options.trace = trace;
    options.abort = abort;
    return RunRegionExchange(region, read, device, image, options);
}

TransferResult RunRegionExchange(RegionKind region, bool read, const std::string& device,
                                 RadioImage& image, const TransferOptions& options) {
    SerialLink link;
    std::string reason;
    if (!link.Open(device, &reason))
        return CannotOpen(reason);
    link.SetTrace(options.trace);
    link.SetAbortFlag(options.abort);
    TransferResult result = RunRegionExchangeOn(link, region, read, image, options.progress);
    link.Close();
    return result;
}

} // namespace kestra
