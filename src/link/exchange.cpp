// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/exchange.h"

#include <algorithm>
#include <cstring>

#include "core/codec/text_seam.h"
#include "link/link_texts.h"

namespace kestra {

namespace {
constexpr const char* kPortClosed = KESTRA_TEXT("kestra", "端口已关闭");
} // namespace

TransferRanges RangesOf(TransferKind kind) {
    switch (kind) {
    case TransferKind::Read:
        return kReadRanges;
    case TransferKind::Write:
        return kWriteRanges;
    case TransferKind::Initialise:
        return kInitialiseRanges;
    }
    return kReadRanges;
}

ByteRange RegionRange(RegionKind region) {
    if (region == RegionKind::Calibration)
        return {region::kCalibration, region::kCalibrationEnd};
    return {region::kDecoderTable, region::kDecoderTableEnd};
}

int BlockCount(const TransferRanges& ranges) {
    return static_cast<int>(SplitBlocks(ranges.first).size() + SplitBlocks(ranges.second).size());
}

int TransferBlockCount(TransferKind kind) {
    return BlockCount(RangesOf(kind));
}

int TransferSteps(TransferKind kind, bool verify) {
    const int steps = TransferBlockCount(kind);
    if (!verify || kind == TransferKind::Read)
        return steps;
    return steps + BlockCount(kReadRanges) +
           (kind == TransferKind::Initialise ? BlockCount(kFactoryRanges) : 0);
}

const char* TransferTitle(TransferKind kind) {
    switch (kind) {
    case TransferKind::Read:
        return kTitleRead;
    case TransferKind::Write:
        return kTitleWrite;
    case TransferKind::Initialise:
        return kTitleInitialise;
    }
    return kTitleRead;
}

std::string PercentText(int position, int total) {
    if (total <= 0)
        return "0%";
    return Format("%d%%", position * 100 / total);
}

std::vector<Block> SplitBlocks(ByteRange range) {
    std::vector<Block> blocks;
    int a = range.start;
    while (a < range.end) {
        const int toBoundary = kMaxBlockLength - a % kMaxBlockLength;
        const int length = a + toBoundary <= range.end ? toBoundary : range.end - a;
        blocks.push_back({a, length});
        a += length;
    }
    return blocks;
}

bool IdentificationAccepted(const IdentBlock& ident, bool forRead) {
    const auto starts = [&ident](const Identification& id) {
        return std::equal(id.begin(), id.end(), ident.begin());
    };
    if (starts(kIdentBlank))
        return !forRead;
    return starts(kIdentModel) || starts(kIdentVersion);
}

void FillBandLimits(const IdentBlock& ident, RadioImage& image) {
    for (int band = 0; band < kBandCount; ++band) {
        if (BandLimitsPresent(image, band))
            continue;
        std::memcpy(image.data() + BandLimitsOffset(band),
                    ident.data() + kIdentLimitsOffset + band * 8, 8);
    }
}

namespace {

// Reads one byte; 0 when nothing arrived, as the cleared receive buffer reads.
std::uint8_t ReadByte(BytePort& port, bool* arrived = nullptr) {
    std::uint8_t b = 0;
    const bool got = port.Read(&b, 1) == 1;
    if (arrived)
        *arrived = got;
    return b;
}

// Why an expected acknowledgement was not one.
std::string AckFailure(BytePort& port, const std::string& where, bool arrived, std::uint8_t b) {
    if (port.Closed())
        return TranslateText(kPortClosed);
    if (!arrived)
        return FillIn(TranslateText(KESTRA_TEXT("kestra", "%1没有收到确认（什么也没收到）")), {where});
    return FillIn(TranslateText(KESTRA_TEXT("kestra", "%1没有收到确认（收到 %2）")),
                  {where, Format("%02X", b)});
}

// Sends one byte and expects the acknowledgement back; else *failure says why.
bool Acknowledge(BytePort& port, const std::string& where, std::string& failure) {
    port.Purge();
    port.Write(&kAck, 1);
    bool arrived = false;
    const std::uint8_t b = ReadByte(port, &arrived);
    if (b == kAck)
        return true;
    failure = AckFailure(port, where, arrived, b);
    return false;
}

// The letter, the address (big-endian) and the length of a block.
std::array<std::uint8_t, 4> BlockCommand(std::uint8_t letter, const Block& block) {
    std::array<std::uint8_t, 4> command{letter, 0, 0, static_cast<std::uint8_t>(block.length)};
    WriteBe(&command[1], 2, static_cast<std::uint32_t>(block.address));
    return command;
}

std::string AtBlock(const Block& block) {
    return FillIn(TranslateText(KESTRA_TEXT("kestra", "在块 0x%1 处")), {Format("%04X", block.address)});
}

bool ReadBlock(BytePort& port, const Block& block, RadioImage& scratch, std::string& failure) {
    const auto command = BlockCommand(kReadCommand, block);
    port.Purge();
    port.Write(command.data(), command.size());
    std::uint8_t header[4] = {};
    const std::size_t len = static_cast<std::size_t>(block.length);
    // A reply that does not arrive whole is a communication error: the bytes
    // that are missing would otherwise keep what the image held before.
    const std::size_t got = port.Read(header, sizeof header);
    const std::size_t data = got == sizeof header ? port.Read(scratch.data() + block.address, len)
                                                  : 0;
    if (got != sizeof header || data != len) {
        failure = port.Closed() ? TranslateText(kPortClosed)
                  : got + data == 0
                      ? FillIn(TranslateText(KESTRA_TEXT("kestra", "%1没有回应")), {AtBlock(block)})
                      : FillIn(TranslateText(KESTRA_TEXT("kestra", "%1回应不完整（%2 / %3 字节）")),
                               {AtBlock(block), std::to_string(got + data),
                                std::to_string(sizeof header + len)});
        return false;
    }
    return Acknowledge(port, AtBlock(block), failure);
}

bool WriteBlock(BytePort& port, const Block& block, const RadioImage& image,
                std::string& failure) {
    const auto command = BlockCommand(kWriteCommand, block);
    std::uint8_t data[kMaxBlockLength];
    std::memcpy(data, image.data() + block.address, static_cast<std::size_t>(block.length));
    port.Purge();
    port.Write(command.data(), command.size());
    port.Write(data, static_cast<std::size_t>(block.length));
    bool arrived = false;
    const std::uint8_t b = ReadByte(port, &arrived);
    if (b == kAck)
        return true;
    failure = AckFailure(port, AtBlock(block), arrived, b);
    return false;
}

std::string HexBytes(const std::uint8_t* data, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += Format(i ? " %02X" : "%02X", data[i]);
    return text;
}

} // namespace

bool Handshake(BytePort& port, std::vector<std::uint8_t>* heard) {
    // Every byte that arrives is read as one, and the first few are kept for
    // the message (a radio that answers wrongly is no silent one).
    const auto next = [&port, heard] {
        bool arrived = false;
        const std::uint8_t b = ReadByte(port, &arrived);
        if (arrived && heard && heard->size() < kHeardBytes)
            heard->push_back(b);
        return b;
    };
    for (int attempt = 0; attempt < kHandshakeAttempts && !port.Aborted(); ++attempt) {
        for (std::uint8_t b : kGreeting) {
            port.Pause(kGreetingPauseMs);
            port.Write(&b, 1);
        }
        const CStopwatch watch(port.Counter());
        for (;;) {
            // Bytes are taken in pairs: a first byte other than 'P' takes the
            // next one with it unexamined.
            if (next() == kGreetingAnswer0) {
                if (next() == kGreetingAnswer1)
                    return true;
            } else {
                next();
            }
            if (watch.ElapsedMs() > kHandshakeWindowMs || port.Aborted() || port.Closed())
                break;
        }
        if (port.Closed())
            break;
    }
    return false;
}

namespace {

ExchangeStatus RunExchangeSteps(BytePort& port, const ExchangeSpec& exchange, RadioImage& image,
                                const ProgressCallback& progress, std::string& failure,
                                bool& blocksStarted) {
    port.Purge();
    const CStopwatch greeting(port.Counter());
    std::vector<std::uint8_t> heard;
    bool answered = Handshake(port, &heard);
    while (!answered && greeting.ElapsedMs() < exchange.handshakeRetryMs && !port.Aborted() &&
           !port.Closed())
        answered = Handshake(port, &heard);
    if (!answered) {
        failure = port.Closed() ? TranslateText(kPortClosed)
                  : heard.empty()
                      ? TranslateText(KESTRA_TEXT("kestra", "握手没有回应"))
                      : FillIn(TranslateText(KESTRA_TEXT("kestra", "握手回应不是“PG”（收到 %1）")),
                               {HexBytes(heard.data(), heard.size())});
        return ExchangeStatus::CommunicationError;
    }

    IdentBlock ident{};
    port.Purge();
    port.Write(&kIdentRequest, 1);
    const std::size_t identBytes = port.Read(ident.data(), ident.size());
    if (identBytes != ident.size()) {
        failure = port.Closed()
                      ? TranslateText(kPortClosed)
                      : FillIn(TranslateText(KESTRA_TEXT("kestra", "没有识别信息（%1 / %2 字节）")),
                               {std::to_string(identBytes), std::to_string(ident.size())});
        return ExchangeStatus::CommunicationError;
    }
    if (exchange.checkIdentification && !IdentificationAccepted(ident, exchange.read)) {
        failure = FillIn(TranslateText(KESTRA_TEXT("kestra", "识别信息不符（%1）")),
                         {HexBytes(ident.data(), kIdentModel.size())});
        return ExchangeStatus::RadioDataInvalid;
    }
    if (!Acknowledge(port, TranslateText(KESTRA_TEXT("kestra", "在识别信息之后")), failure))
        return ExchangeStatus::CommunicationError;

    // The blocks actually sent: BlockCount for the read, write and
    // initialise ranges; one more for the calibration block, whose range
    // starts and ends in the middle of a 32-byte line.
    std::vector<Block> blocks = SplitBlocks(exchange.ranges.first);
    const std::vector<Block> second = SplitBlocks(exchange.ranges.second);
    blocks.insert(blocks.end(), second.begin(), second.end());
    const int total = static_cast<int>(blocks.size());
    int position = 0;
    blocksStarted = true;
    for (const Block& block : blocks) {
        const bool ok = exchange.read ? ReadBlock(port, block, image, failure)
                                      : WriteBlock(port, block, image, failure);
        if (!ok)
            return ExchangeStatus::CommunicationError;
        ++position;
        if (progress)
            progress(position, total);
    }

    if (exchange.read) {
        port.Write(kEndOfRead.data(), kEndOfRead.size());
        if (exchange.fillBandLimits)
            FillBandLimits(ident, image);
    } else {
        port.Write(kEndOfWrite.data(), kEndOfWrite.size());
    }
    return ExchangeStatus::Succeeded;
}

} // namespace

ExchangeStatus RunExchange(BytePort& port, const ExchangeSpec& exchange, RadioImage& image,
                           const ProgressCallback& progress, std::string* failedStep,
                           bool* blocksStarted) {
    std::string failure;
    bool started = false;
    const ExchangeStatus status =
        RunExchangeSteps(port, exchange, image, progress, failure, started);
    if (status != ExchangeStatus::Succeeded && port.Aborted())
        failure = "interrupted";
    if (failedStep)
        *failedStep = status == ExchangeStatus::Succeeded ? std::string() : failure;
    if (blocksStarted)
        *blocksStarted = started;
    return status;
}

VerifyDifference CompareReadRanges(const RadioImage& sent, const RadioImage& readBack) {
    return CompareRanges(sent, readBack, kReadRanges);
}

VerifyDifference CompareRanges(const RadioImage& sent, const RadioImage& readBack,
                               const TransferRanges& ranges) {
    VerifyDifference d;
    for (const ByteRange& range : {ranges.first, ranges.second}) {
        for (int a = range.start; a < range.end; ++a) {
            const std::size_t i = static_cast<std::size_t>(a);
            if (sent[i] == readBack[i])
                continue;
            if (d.count++ == 0) {
                d.address = a;
                d.sent = sent[i];
                d.found = readBack[i];
            }
        }
    }
    return d;
}

namespace {

// A write that failed once the radio had begun taking blocks may have left
// its memory half old, half new: the user is told to write again.
TransferResult FailureOf(ExchangeStatus status, std::string detail, bool partlyWritten) {
    TransferResult result;
    result.message = status == ExchangeStatus::RadioDataInvalid ? kTextRadioDataInvalid
                                                                : kTextCommunicationError;
    result.detail = std::move(detail);
    result.partlyWritten = partlyWritten;
    if (partlyWritten)
        result.detail += '\n' + TranslateText(kTextPartlyWritten);
    return result;
}

// After a write or initialise: reads the memory back with a read exchange
// over ranges (greeting again for a while when the radio is still busy) and
// compares. The progress goes on from stepsBefore, out of total.
void VerifyWrite(BytePort& port, const RadioImage& sent, const ProgressCallback& onProgress,
                 int stepsBefore, int total, const TransferRanges& ranges, TransferResult& result) {
    ExchangeSpec readBack;
    readBack.read = true;
    readBack.ranges = ranges;
    readBack.handshakeRetryMs = kVerifyRetryMs;
    ProgressCallback progress;
    if (onProgress)
        progress = [&onProgress, stepsBefore, total](int position, int) {
            onProgress(stepsBefore + position, total);
        };
    RadioImage found = sent;
    std::string failure;
    result.succeeded = false;
    result.verified = false;
    result.message = kTextVerifyFailed;
    if (RunExchange(port, readBack, found, progress, &failure) != ExchangeStatus::Succeeded) {
        result.detail = FillIn(TranslateText(KESTRA_TEXT("kestra", "读回时：%1")), {failure});
        return;
    }
    const VerifyDifference d = CompareRanges(sent, found, ranges);
    if (d.count > 0) {
        const char* text =
            KESTRA_COUNT_TEXT("kestra", "第一处差异在 0x%1：发送 %2，读到 %3（%n 个字节不同）");
        result.detail =
            FillIn(TranslateCount(text, d.count),
                   {Format("%04X", d.address), Format("%02X", d.sent), Format("%02X", d.found)}) +
            '\n' + TranslateText(kTextVerifyDiffers);
        return;
    }
    result.succeeded = true;
    result.verified = true;
    result.message = kTextWriteVerified;
    result.detail.clear();
}

} // namespace

TransferResult RunTransferOn(BytePort& port, TransferKind kind, RadioImage& image,
                             const TransferOptions& options) {
    ExchangeSpec exchange;
    exchange.read = kind == TransferKind::Read;
    exchange.ranges = RangesOf(kind);
    exchange.checkIdentification = !options.factoryMode;
    exchange.fillBandLimits = exchange.read;

    const bool verify = options.verify && !exchange.read;
    ProgressCallback progress = options.progress;
    if (verify && options.progress) {
        const int total = TransferSteps(kind, true);
        progress = [&options, total](int position, int) { options.progress(position, total); };
    }
    RadioImage scratch = image;
    std::string failure;
    bool started = false;
    const ExchangeStatus status =
        RunExchange(port, exchange, scratch, progress, &failure, &started);
    if (status != ExchangeStatus::Succeeded)
        return FailureOf(status, failure, started && !exchange.read);
    TransferResult result;
    result.succeeded = true;
    result.sent = !exchange.read;
    result.message = exchange.read ? kTextReadSucceeded : kTextWriteSucceeded;
    if (exchange.read)
        image = scratch;
    else if (verify) {
        const int total = TransferSteps(kind, true);
        const int written = TransferBlockCount(kind);
        VerifyWrite(port, image, options.progress, written, total, kReadRanges, result);
        // An initialise also wrote the factory blocks, which their own
        // exchange reads back.
        if (kind == TransferKind::Initialise && result.succeeded)
            VerifyWrite(port, image, options.progress, written + BlockCount(kReadRanges), total,
                        kFactoryRanges, result);
    }
    if (kind == TransferKind::Initialise && result.succeeded) {
        // The initialise's own message stays; what the verification covered
        // follows it.
        result.detail = result.verified ? TranslateText(kTextInitialiseVerified) : std::string();
        result.message = kTextInitialiseSucceeded;
    }
    return result;
}

TransferResult RunRegionExchangeOn(BytePort& port, RegionKind region, bool read, RadioImage& image,
                                   const ProgressCallback& onProgress, bool verify) {
    ExchangeSpec exchange;
    exchange.read = read;
    exchange.ranges = {RegionRange(region), {0, 0}};
    verify = verify && !read;
    const int blocks = BlockCount(exchange.ranges);
    ProgressCallback progress = onProgress;
    if (verify && onProgress)
        progress = [&onProgress, blocks](int position, int) { onProgress(position, 2 * blocks); };

    RadioImage scratch = image;
    std::string failure;
    bool started = false;
    const ExchangeStatus status =
        RunExchange(port, exchange, scratch, progress, &failure, &started);
    if (status != ExchangeStatus::Succeeded)
        return FailureOf(status, failure, started && !read);
    if (read)
        image = scratch;
    TransferResult result;
    result.succeeded = true;
    result.sent = !read;
    result.message = read ? kTextReadSucceeded : kTextWriteSucceeded;
    if (verify) {
        VerifyWrite(port, image, onProgress, blocks, 2 * blocks, exchange.ranges, result);
        // The region's own message stays.
        if (result.succeeded)
            result.message = kTextWriteSucceeded;
    }
    return result;
}

} // namespace kestra
