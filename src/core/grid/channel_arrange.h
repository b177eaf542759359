// SPDX-License-Identifier: GPL-3.0-or-later
// Arranging whole channels inside one band: move, insert, delete, sort, find.
//
// A channel is its whole 32-byte record (frequencies, tones, flags, shift,
// name). Everything else the image keeps about a channel is derived from the
// records by FinalizeImage (presence and scan bitmaps, first present channel)
// or points at a channel: the band channel index (0x204F / 0x2050) follows
// its channel to its new place. The operations work on the memory channels
// of one band (A001-A128 or B001-B128); the VFO records never move. Each one
// ends with FinalizeImage, so the image is left as a save leaves it; the
// caller converts the grid into the image first and renders it afterwards.
//
// Record 252 (B124) lies under the fixed block at 0x1F70-0x1F77: its bytes
// 0x10-0x17 (shift amount and four reserved bytes) always hold the block, so
// B124 has no shift amount or reserved bytes of its own. Hence:
//   - a channel put into B124 lands without those eight bytes: the
//     finalisation that ends every operation writes the block over them, so
//     the block stays exactly as it was;
//   - a channel taken out of B124 takes, instead of the block, the values
//     the channel owns: the shift amount its two frequencies give (|RX - TX|
//     within one band, else 10 MHz, as the grid conversion stores it) and
//     the reserved bytes of a new channel (0x14, 0x15 = 0; 0x16, 0x17 = FF).
// So the block never travels into another record, and moving a channel out
// of B124 and back gives back the same image.
#pragma once

#include <string>
#include <vector>

#include "core/codec/text_seam.h"
#include "core/image/radio_image.h"

namespace kestra {

// Why an operation was refused; %1 and %2 are channel labels ("A005").
namespace arrangetext {
inline constexpr const char* kNotMemoryChannel = KESTRA_TEXT("kestra", "%1 不是存储信道");
inline constexpr const char* kOtherBand = KESTRA_TEXT("kestra", "%1 和 %2 不在同一频段");
inline constexpr const char* kReversed = KESTRA_TEXT("kestra", "%1 在 %2 之后");
inline constexpr const char* kBeyondBand = KESTRA_TEXT("kestra", "超出 %1 所在频段");
inline constexpr const char* kBandFull =
    KESTRA_TEXT("kestra", "%1 不是空信道，无法插入：频段末尾的信道不能被挤出");
inline constexpr const char* kBandFullHidden = KESTRA_TEXT(
    "kestra", "%1 看似为空，却存有两个频段以外的信道，无法插入：频段末尾的信道不能被挤出");
} // namespace arrangetext

// What an operation did: an empty error on success, else why it was refused
// (translated and filled in); a refused operation changes nothing.
struct ArrangeResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

enum class SortKey { Rx, Tx, Name };

// Why first..last is not a span of memory channels of one band, in order;
// empty when it is one.
std::string CheckSpan(int first, int last);

// The channel of record n is empty: the grid shows an empty row for it.
bool ChannelEmpty(const RadioImage& image, const BandLimits& limits, int n);

// The block first..last, its first channel put at `to`, stays within the
// memory channels of its own band.
bool MoveStaysInBand(int first, int last, int to);

// Moves the channels first..last so that the first of them lands at `to`;
// the channels in between shift by the block's length. All in one band.
ArrangeResult MoveChannels(RadioImage& image, const BandLimits& limits, int first, int last,
                           int to);
// A free (cleared) channel at `at`; the rest of the band shifts down one.
// Refused when the band's last channel is not empty.
ArrangeResult InsertChannel(RadioImage& image, const BandLimits& limits, int at);
// Removes first..last; the rest of the band shifts up, and the channels
// freed at the band's end are cleared.
ArrangeResult DeleteChannels(RadioImage& image, const BandLimits& limits, int first, int last);
// Sorts first..last, stably: by receive frequency, by transmit frequency
// (receive-only channels after the others) or by name (letter case ignored,
// unnamed after named). Empty channels go to the end of the range.
ArrangeResult SortChannels(RadioImage& image, const BandLimits& limits, int first, int last,
                           SortKey key);

// The first record after `after` (wrapping round, `after` itself last) whose
// channel matches the query: a number matches a receive or transmit frequency
// of that value in MHz ("145.5" matches 145.50000); any text matches a name
// containing it, letter case ignored. 0 when none matches or the query is
// blank. Empty channels never match; the VFO records are searched too.
int FindChannel(const RadioImage& image, const BandLimits& limits, const std::string& query,
                int after);

// A range of records from a label or "FROM-TO" ("A005", "B001-B010"); false
// when the text is neither.
bool ParseChannelRange(const std::string& text, int& first, int& last);

} // namespace kestra
