// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/grid/channel_arrange.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/grid/channel_grid.h"
#include "core/image/channel_name.h"
#include "core/image/finalize.h"
#include "core/image/settings_layout.h"

namespace kestra {

namespace {

using ChannelBytes = std::array<std::uint8_t, kRecordSize>;

// The record under the fixed block, and the block's place inside it.
constexpr int kSharedRecord = region::kFixedBlock / kRecordSize + 1; // 252, B124
constexpr int kSharedFrom = region::kFixedBlock - RecordOffset(kSharedRecord);
constexpr int kSharedTo = kSharedFrom + static_cast<int>(kFixedBlockBytes.size());
static_assert(kSharedFrom == ChannelRecord::kShiftAmount && kSharedTo == ChannelRecord::kName,
              "the fixed block covers the shift amount and bytes 0x14-0x17 of B124"); // not shown

ChannelBytes ClearedChannel() {
    static const ChannelBytes cleared = [] {
        RadioImage scratch;
        ClearRecord(scratch, 1);
        ChannelBytes bytes;
        std::memcpy(bytes.data(), scratch.data(), bytes.size());
        return bytes;
    }();
    return cleared;
}

// The channel of record n as it travels. Out of B124 it takes its own shift
// amount and the reserved bytes of a new channel instead of the fixed block.
ChannelBytes TakeChannel(const RadioImage& image, const BandLimits& limits, int n) {
    ChannelBytes bytes;
    std::memcpy(bytes.data(), image.data() + RecordOffset(n), bytes.size());
    if (n == kSharedRecord) {
        const ChannelBytes cleared = ClearedChannel();
        std::copy(cleared.begin() + kSharedFrom, cleared.begin() + kSharedTo,
                  bytes.begin() + kSharedFrom);
        const ConstChannelRecord rec(image, n);
        const std::uint32_t rx = rec.Rx();
        const std::uint32_t tx = rec.Tx();
        if (!ChannelEmpty(image, limits, n) && rx != tx && limits.InBand(tx) &&
            limits.SameBand(rx, tx))
            EncodeFrequency(rx > tx ? rx - tx : tx - rx, bytes.data() + kSharedFrom);
    }
    return bytes;
}

// Puts a channel into record n. What lands on the fixed block in B124 is
// written over by the finalisation that ends every operation.
void PutChannel(RadioImage& image, int n, const ChannelBytes& bytes) {
    std::memcpy(image.data() + RecordOffset(n), bytes.data(), bytes.size());
}

std::string Fill(const char* text, std::initializer_list<std::string> values) {
    return FillIn(TranslateText(text), values);
}

int LastRecordOfBand(int n) {
    return FirstRecordOfBand(BandOfRecord(n)) + kBandChannels - 1;
}

// Fills records first.. with the channels of `sources` (0: a cleared
// channel), moves the band channel index along with its channel and
// finalises the image.
ArrangeResult Rearrange(RadioImage& image, const BandLimits& limits, int first,
                        const std::vector<int>& sources) {
    std::vector<ChannelBytes> channels;
    channels.reserve(sources.size());
    for (const int source : sources)
        channels.push_back(source ? TakeChannel(image, limits, source) : ClearedChannel());

    const int band = BandOfRecord(first);
    const BitField indexField = settings::ChannelIndex(band);
    const int indexed = FirstRecordOfBand(band) + image.Get(indexField);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const int slot = first + static_cast<int>(i);
        if (sources[i] == slot)
            continue;
        PutChannel(image, slot, channels[i]);
        if (sources[i] == indexed && sources[i] != 0)
            image.Set(indexField, slot - FirstRecordOfBand(band));
    }
    FinalizeImage(image, limits);
    return ArrangeResult{};
}

std::vector<int> Iota(int from, int to) {
    std::vector<int> v;
    for (int n = from; n <= to; ++n)
        v.push_back(n);
    return v;
}

std::string LowerName(const RadioImage& image, int n) {
    std::string name = ReadChannelName(image, n);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

} // namespace

std::string CheckSpan(int first, int last) {
    for (const int n : {first, last})
        if (!IsMemoryRecord(n))
            return Fill(arrangetext::kNotMemoryChannel, {ChannelLabel(n)});
    if (BandOfRecord(first) != BandOfRecord(last))
        return Fill(arrangetext::kOtherBand, {ChannelLabel(first), ChannelLabel(last)});
    if (first > last)
        return Fill(arrangetext::kReversed, {ChannelLabel(first), ChannelLabel(last)});
    return std::string();
}

namespace {

bool HoldsChannel(const RadioImage& image, int n) {
    return FrequencyShown(ConstChannelRecord(image, n), ChannelRecord::kRx);
}

} // namespace

bool ChannelEmpty(const RadioImage& image, const BandLimits& limits, int n) {
    return !HoldsChannel(image, n) || !limits.InBand(ConstChannelRecord(image, n).Rx());
}

bool MoveStaysInBand(int first, int last, int to) {
    const int end = to + (last - first);
    return IsMemoryRecord(to) && IsMemoryRecord(end) && BandOfRecord(to) == BandOfRecord(first) &&
           BandOfRecord(end) == BandOfRecord(first);
}

ArrangeResult MoveChannels(RadioImage& image, const BandLimits& limits, int first, int last,
                           int to) {
    if (std::string error = CheckSpan(first, last); !error.empty())
        return {error};
    if (!MoveStaysInBand(first, last, to))
        return {Fill(arrangetext::kBeyondBand, {ChannelLabel(first)})};
    const int end = to + (last - first);
    if (to == first)
        return Rearrange(image, limits, first, {});
    std::vector<int> sources;
    if (to < first) { // the block, then the channels it passed
        sources = Iota(first, last);
        const std::vector<int> passed = Iota(to, first - 1);
        sources.insert(sources.end(), passed.begin(), passed.end());
        return Rearrange(image, limits, to, sources);
    }
    sources = Iota(last + 1, end);
    const std::vector<int> block = Iota(first, last);
    sources.insert(sources.end(), block.begin(), block.end());
    return Rearrange(image, limits, first, sources);
}

ArrangeResult InsertChannel(RadioImage& image, const BandLimits& limits, int at) {
    if (!IsMemoryRecord(at))
        return {Fill(arrangetext::kNotMemoryChannel, {ChannelLabel(at)})};
    const int bandLast = LastRecordOfBand(at);
    // A channel outside both bands shows as an empty row, but it is kept
    // like any other: it is not pushed out either.
    if (HoldsChannel(image, bandLast))
        return {Fill(ChannelEmpty(image, limits, bandLast) ? arrangetext::kBandFullHidden
                                                           : arrangetext::kBandFull,
                     {ChannelLabel(bandLast)})};
    std::vector<int> sources = Iota(at, bandLast - 1);
    sources.insert(sources.begin(), 0);
    return Rearrange(image, limits, at, sources);
}

ArrangeResult DeleteChannels(RadioImage& image, const BandLimits& limits, int first, int last) {
    if (std::string error = CheckSpan(first, last); !error.empty())
        return {error};
    std::vector<int> sources = Iota(last + 1, LastRecordOfBand(first));
    sources.resize(static_cast<std::size_t>(LastRecordOfBand(first) - first + 1), 0);
    return Rearrange(image, limits, first, sources);
}

ArrangeResult SortChannels(RadioImage& image, const BandLimits& limits, int first, int last,
                           SortKey key) {
    if (std::string error = CheckSpan(first, last); !error.empty())
        return {error};
    std::vector<int> sources = Iota(first, last);
    const auto used = std::stable_partition(sources.begin(), sources.end(),
                                            [&](int n) { return !ChannelEmpty(image, limits, n); });
    // Sort keys: a missing TX or name sorts after every present one.
    auto tx = [&](int n) {
        const ConstChannelRecord rec(image, n);
        const bool none = !FrequencyShown(rec, ChannelRecord::kTx);
        return std::make_pair(none, none ? 0u : rec.Tx());
    };
    auto name = [&](int n) {
        std::string lower = LowerName(image, n);
        return std::make_pair(lower.empty(), lower);
    };
    switch (key) {
    case SortKey::Rx:
        std::stable_sort(sources.begin(), used, [&](int a, int b) {
            return ConstChannelRecord(image, a).Rx() < ConstChannelRecord(image, b).Rx();
        });
        break;
    case SortKey::Tx:
        std::stable_sort(sources.begin(), used, [&](int a, int b) { return tx(a) < tx(b); });
        break;
    case SortKey::Name:
        std::stable_sort(sources.begin(), used, [&](int a, int b) { return name(a) < name(b); });
        break;
    }
    return Rearrange(image, limits, first, sources);
}

int FindChannel(const RadioImage& image, const BandLimits& limits, const std::string& query,
                int after) {
    std::string needle = query;
    needle.erase(0, needle.find_first_not_of(" \t"));
    needle.erase(needle.find_last_not_of(" \t") + 1);
    if (needle.empty())
        return 0;
    // 145,5 is the frequency 145.5; names are still searched with the comma.
    const std::string point = TypedDecimalPoint(needle);
    const bool number = ParseDecimal(point).has_value();
    const std::uint32_t f = number ? TextToFrequency(point) : 0;
    for (char& c : needle)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (int step = 1; step <= kChannelCount; ++step) {
        const int n = (after + step - 1) % kChannelCount + 1;
        if (ChannelEmpty(image, limits, n))
            continue;
        const ConstChannelRecord rec(image, n);
        const bool txShown = FrequencyShown(rec, ChannelRecord::kTx);
        if (f != 0 && (rec.Rx() == f || (txShown && rec.Tx() == f)))
            return n;
        if (LowerName(image, n).find(needle) != std::string::npos)
            return n;
    }
    return 0;
}

bool ParseChannelRange(const std::string& text, int& first, int& last) {
    const std::size_t dash = text.find('-');
    first = ChannelOfGivenLabel(text.substr(0, dash));
    last = dash == std::string::npos ? first : ChannelOfGivenLabel(text.substr(dash + 1));
    return first != 0 && last != 0;
}

} // namespace kestra
