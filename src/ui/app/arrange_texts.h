// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the channel arranging commands (编辑 menu, sort and find
// dialogs), shown through T().
#pragma once

#include "core/codec/text_seam.h"

namespace kestra::text {

inline constexpr const char* kEditMoveUp = KESTRA_TEXT("kestra", "信道上移");
inline constexpr const char* kEditMoveDown = KESTRA_TEXT("kestra", "信道下移");
inline constexpr const char* kEditInsertChannel = KESTRA_TEXT("kestra", "插入空信道");
inline constexpr const char* kEditDeleteChannel = KESTRA_TEXT("kestra", "删除信道");
inline constexpr const char* kEditSortChannels = KESTRA_TEXT("kestra", "排序…");
inline constexpr const char* kEditFind = KESTRA_TEXT("kestra", "查找…");
inline constexpr const char* kEditFindNext = KESTRA_TEXT("kestra", "查找下一个");

// Undo step of a move by keys or by dragging row labels.
inline constexpr const char* kStepMoveChannels = KESTRA_TEXT("kestra", "移动信道");

inline constexpr const char* kSortTitle = KESTRA_TEXT("kestra", "排序");
inline constexpr const char* kSortKey = KESTRA_TEXT("kestra", "排序依据：");
inline constexpr const char* kSortByRx = KESTRA_TEXT("kestra", "接收频率");
inline constexpr const char* kSortByName = KESTRA_TEXT("kestra", "名字");
inline constexpr const char* kSortByTx = KESTRA_TEXT("kestra", "发射频率");
// %1 and %2: the first and last channel ("A005", "A010").
inline constexpr const char* kSortSelectedRows = KESTRA_TEXT("kestra", "选中的行（%1 – %2）");
inline constexpr const char* kSortWholeBand = KESTRA_TEXT("kestra", "整个频段（%1 – %2）");

inline constexpr const char* kFindTitle = KESTRA_TEXT("kestra", "查找");
inline constexpr const char* kFindPrompt = KESTRA_TEXT("kestra", "频率（如 145.5）或名字：");
// %1: what was looked for.
inline constexpr const char* kFindNothing = KESTRA_TEXT("kestra", "未找到“%1”");

} // namespace kestra::text
