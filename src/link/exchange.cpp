#include "link/exchange.h"

#include <algorithm>
#include <cstring>

#include "link/link_texts.h"

namespace kestra {

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
    return (ranges.first.end - ranges.first.start + 31) / 32 +
           (ranges.second.end - ranges.second.start + 31) / 32;
}

int TransferBlockCount(TransferKind kind) {
    return BlockCount(RangesOf(kind));
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
std::uint8_t ReadByte(BytePort& port) {
    std::uint8_t b = 0;
    port.Read(&b, 1);
    return b;
}

// Sends one byte and expects the acknowledgement back.
bool Acknowledge(BytePort& port) {
    port.Purge();
    port.Write(&kAck, 1);
    return ReadByte(port) == kAck;
}

// The letter, the address (big-endian) and the length of a block.
std::array<std::uint8_t, 4> BlockCommand(std::uint8_t letter, const Block& block) {
    std::array<std::uint8_t, 4> command{letter, 0, 0, static_cast<std::uint8_t>(block.length)};
    WriteBe(&command[1], 2, static_cast<std::uint32_t>(block.address));
    return command;
}

bool ReadBlock(BytePort& port, const Block& block, RadioImage& scratch) {
    const auto command = BlockCommand(kReadCommand, block);
    port.Purge();
    port.Write(command.data(), command.size());
    std::uint8_t header[4] = {};
    const std::size_t len = static_cast<std::size_t>(block.length);
    // A reply that does not arrive whole is a communication error: the bytes
    // that are missing would otherwise keep what the image held before.
    if (port.Read(header, sizeof header) != sizeof header)
        return false;
    if (port.Read(scratch.data() + block.address, len) != len)
        return false;
    return Acknowledge(port);
}

bool WriteBlock(BytePort& port, const Block& block, const RadioImage& image) {
    const auto command = BlockCommand(kWriteCommand, block);
    std::uint8_t data[kMaxBlockLength];
    std::memcpy(data, image.data() + block.address, static_cast<std::size_t>(block.length));
    port.Purge();
    port.Write(command.data(), command.size());
    port.Write(data, static_cast<std::size_t>(block.length));
    return ReadByte(port) == kAck;
}

} // namespace

bool Handshake(BytePort& port) {
    for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
        for (std::uint8_t b : kGreeting) {
            port.Pause(kGreetingPauseMs);
            port.Write(&b, 1);
        }
        const CStopwatch watch(port.Counter());
        for (;;) {
            // Bytes are taken in pairs: a first byte other than 'P' takes the
            // next one with it unexamined.
            if (ReadByte(port) == kGreetingAnswer0) {
                if (ReadByte(port) == kGreetingAnswer1)
                    return true;
            } else {
                ReadByte(port);
            }
            if (watch.ElapsedMs() > kHandshakeWindowMs)
                break;
        }
    }
    return false;
}

ExchangeStatus RunExchange(BytePort& port, const ExchangeSpec& exchange, RadioImage& image,
                           const ProgressCallback& progress) {
    port.Purge();
    if (!Handshake(port))
        return ExchangeStatus::CommunicationError;

    IdentBlock ident{};
    port.Purge();
    port.Write(&kIdentRequest, 1);
    if (port.Read(ident.data(), ident.size()) != ident.size())
        return ExchangeStatus::CommunicationError;
    if (exchange.checkIdentification && !IdentificationAccepted(ident, exchange.read))
        return ExchangeStatus::RadioDataInvalid;
    if (!Acknowledge(port))
        return ExchangeStatus::CommunicationError;

    const int total = BlockCount(exchange.ranges);
    int position = 0;
    for (const ByteRange& range : {exchange.ranges.first, exchange.ranges.second}) {
        for (const Block& block : SplitBlocks(range)) {
            const bool ok =
                exchange.read ? ReadBlock(port, block, image) : WriteBlock(port, block, image);
            if (!ok)
                return ExchangeStatus::CommunicationError;
            ++position;
            if (progress)
                progress(position, total);
        }
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

namespace {

TransferResult FailureOf(ExchangeStatus status) {
    TransferResult result;
    result.message = status == ExchangeStatus::RadioDataInvalid ? kTextRadioDataInvalid
                                                                : kTextCommunicationError;
    return result;
}

} // namespace

TransferResult RunTransferOn(BytePort& port, TransferKind kind, RadioImage& image,
                             const TransferOptions& options) {
    ExchangeSpec exchange;
    exchange.read = kind == TransferKind::Read;
    exchange.ranges = RangesOf(kind);
    exchange.checkIdentification = !options.factoryMode;
    exchange.fillBandLimits = exchange.read;

    RadioImage scratch = image;
    const ExchangeStatus status = RunExchange(port, exchange, scratch, options.progress);
    if (status != ExchangeStatus::Succeeded)
        return FailureOf(status);
    TransferResult result;
    result.succeeded = true;
    if (exchange.read)
        image = scratch;
    else if (kind == TransferKind::Initialise)
        result.message = kTextInitialiseSucceeded;
    return result;
}

TransferResult RunRegionExchangeOn(BytePort& port, RegionKind region, bool read,
                                   RadioImage& image) {
    ExchangeSpec exchange;
    exchange.read = read;
    exchange.ranges = {RegionRange(region), {0, 0}};

    RadioImage scratch = image;
    const ExchangeStatus status = RunExchange(port, exchange, scratch, nullptr);
    if (status != ExchangeStatus::Succeeded)
        return FailureOf(status);
    if (read)
        image = scratch;
    TransferResult result;
    result.succeeded = true;
    result.message = read ? kTextReadSucceeded : kTextWriteSucceeded;
    return result;
}

} // namespace kestra
