// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfers.h"

#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "link/link_texts.h"
#include "link/serial_devices.h"
#include "link/serial_link.h"

namespace kestra {

namespace {

TransferResult CannotOpen(const std::string& reason, bool refused) {
    TransferResult result;
    result.message = kTextCannotOpenPort;
    result.detail = reason;
    result.portRefused = refused;
    return result;
}

// Opens the device for an exchange and tells the trace how it is set up.
bool OpenForExchange(SerialLink& link, const std::string& device, const TransferOptions& options,
                     TransferResult& failure) {
    std::string reason;
    if (!link.Open(device, &reason)) {
        failure = CannotOpen(reason, link.OpenRefused());
        return false;
    }
    link.SetTrace(options.trace);
    link.SetAbortFlag(options.abort);
    link.TraceNote(PortLabel(device) + ": " + link.LowLatencyNote());
    SerialDeviceInfo info;
    if (FindSerialDevice(device, &info) && info.latencyTimerMs >= 0)
        link.TraceNote(Format("latency timer of the chip: %d ms", info.latencyTimerMs)); // not shown: trace
    return true;
}

// A failure's detail line names the port (or the cable) it happened on.
TransferResult Labelled(TransferResult result, const std::string& device) {
    if (!result.succeeded && !result.detail.empty())
        result.detail = PortLabel(device) + ": " + result.detail;
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
    TransferResult result;
    if (!OpenForExchange(link, device, options, result))
        return result;
    result = RunTransferOn(link, kind, image, options);
    link.Close();
    return Labelled(std::move(result), device);
}

TransferResult RunRegionExchange(RegionKind region, bool read, const std::string& device,
                                 RadioImage& image, const TransferOptions& options) {
    SerialLink link;
    TransferResult result;
    if (!OpenForExchange(link, device, options, result))
        return result;
    result = RunRegionExchangeOn(link, region, read, image, options.progress, options.verify);
    link.Close();
    return Labelled(std::move(result), device);
}

const char* RegionBackupKind(RegionKind region) {
    return region == RegionKind::Calibration ? "calibration" : "decoder";
}

void NoteNothingWritten(TransferResult& readBefore) {
    readBefore.detail += '\n' + TranslateText(kTextRegionReadBeforeFailed);
}

void NoteRegionCopy(TransferResult& write, const std::string& copyPath) {
    write.detail +=
        (write.detail.empty() ? "" : "\n") + FillIn(TranslateText(kTextRegionCopyKept), {copyPath});
}

} // namespace kestra
