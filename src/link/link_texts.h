// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the exchanges with the radio show the user, in one place. They
// travel as the source texts (TransferResult::message); whoever shows one
// translates it (see core/codec/text_seam.h).
#pragma once

#include "core/codec/text_seam.h"

namespace kestra {

inline constexpr const char* kTextCannotOpenPort = KESTRA_TEXT("kestra", "无法打开串口");
inline constexpr const char* kTextCommunicationError = KESTRA_TEXT("kestra", "通信出错");
inline constexpr const char* kTextRadioDataInvalid =
    KESTRA_TEXT("kestra", "当前对讲机数据无效, 请先写频.");
inline constexpr const char* kTextInitialiseSucceeded = KESTRA_TEXT("kestra", "初始化数据成功");
inline constexpr const char* kTextReadSucceeded = KESTRA_TEXT("kestra", "读数据成功");
inline constexpr const char* kTextWriteSucceeded = KESTRA_TEXT("kestra", "写数据成功");
// After a write that failed among the blocks.
inline constexpr const char* kTextPartlyWritten =
    KESTRA_TEXT("kestra", "对讲机中的数据可能只写入了一部分，请重新写入。");
// After a verification that found the radio's memory differing.
inline constexpr const char* kTextVerifyDiffers =
    KESTRA_TEXT("kestra", "对讲机中的数据与发送的不同，请重新写入。");
// A write or initialise read back and compared.
inline constexpr const char* kTextVerifyFailed = KESTRA_TEXT("kestra", "写频校验失败");
inline constexpr const char* kTextWriteVerified = KESTRA_TEXT("kestra", "写频完成，已校验");
// An initialise writes the whole memory; the read-back covers what the read
// and the factory exchanges read.
inline constexpr const char* kTextInitialiseVerified =
    KESTRA_TEXT("kestra", "已读回并校验 0x0000–0x2FFF、0x3E00–0x3E2F 和 0x3ED0–0x3FFF"
                          "（读频、解码表和校准块的范围）；0x3000–0x3DFF 和 0x3E30–0x3ECF "
                          "无法读回，未校验。");

// A region write first reads the region from the radio and keeps it as a
// backup; when that read fails, nothing is written.
inline constexpr const char* kTextRegionReadBeforeFailed =
    KESTRA_TEXT("kestra", "写入前未能读出对讲机中的原有数据，没有写入任何数据。");
// After a region write that failed; %1 the backup of what the radio held.
inline constexpr const char* kTextRegionCopyKept =
    KESTRA_TEXT("kestra", "写入前对讲机中的数据保存在“%1”。");

// Titles of the progress dialog.
inline constexpr const char* kTitleRead = KESTRA_TEXT("kestra", "读数据");
inline constexpr const char* kTitleWrite = KESTRA_TEXT("kestra", "写数据");
inline constexpr const char* kTitleInitialise = KESTRA_TEXT("kestra", "初始化数据");

} // namespace kestra
