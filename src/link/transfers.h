// SPDX-License-Identifier: GPL-3.0-or-later
// The exchanges with the radio on a serial device: each opens the device,
// runs the whole exchange on the calling thread and closes the device again
// on every path. The application runs them on a worker thread (a QThread:
// QSerialPort wants a thread with an event dispatcher when an application
// object exists, though it needs no running event loop), kestra-cli
// directly.
#pragma once

#include <string>

#include "core/image/radio_image.h"
#include "link/exchange.h"

namespace kestra {

// Read (transactional into image, with the band-limit fill), write or
// initialise. The image for write and initialise has been finalised by the
// caller; it is only sent. factoryMode skips the identification check.
TransferResult RunTransfer(TransferKind kind, const std::string& device, RadioImage& image,
                           bool factoryMode, const ProgressCallback& progress);
TransferResult RunTransfer(TransferKind kind, const std::string& device, RadioImage& image,
                           const TransferOptions& options);

// The calibration block (0x3ED0-0x3F6F) or the DTMF decoder table
// (0x3E00-0x3E2F): read into image (only when the exchange succeeded) or
// write from it. Success carries "读数据成功" or "写数据成功".
// options.progress, trace, abort and (a write) verify as for RunTransfer;
// factoryMode is not looked at (the region exchanges check no
// identification).
TransferResult RunRegionExchange(RegionKind region, bool read, const std::string& device,
                                 RadioImage& image, const TransferOptions& options);

// A region write first reads what it will overwrite (per-radio data no read
// covers) and keeps it as a backup of this kind: "calibration" or "decoder".
const char* RegionBackupKind(RegionKind region);
// That read failed: its result, saying that nothing was written.
void NoteNothingWritten(TransferResult& readBefore);
// The write failed: its result, saying where the copy of the radio's data
// was kept (copyPath).
void NoteRegionCopy(TransferResult& write, const std::string& copyPath);

} // namespace kestra
