// SPDX-License-Identifier: GPL-3.0-or-later
// The channel list as it is printed: one row per non-empty record, in grid
// order (A 001..B 128, then A VFO and B VFO), with the columns
//
//   信道  信道名字  接收频率  发射频率  接收信令  发射信令  功率  扫描  带宽  繁忙
//
// The label and the eight channel columns carry the texts the channel grid
// renders (RenderRow: an RX or TX whose top byte is FF or 00 shows empty, a
// busy lockout value without a text shows empty); the name is the channel
// form's (ReadChannelName). Every text is a source text, as the grid stores
// it: the printing layer shows it translated, as the grid view does.
#pragma once

#include <string>
#include <vector>

#include "core/image/radio_image.h"

namespace kestra {

inline constexpr int kPrintColumns = 10;

struct ChannelPrintTable {
    std::vector<std::string> header;            // kPrintColumns texts
    std::vector<std::vector<std::string>> rows; // kPrintColumns texts each
};

ChannelPrintTable BuildChannelPrintTable(const RadioImage& image, const BandLimits& limits);

} // namespace kestra
