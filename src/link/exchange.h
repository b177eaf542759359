// SPDX-License-Identifier: GPL-3.0-or-later
// The programming exchanges with the radio, as plain logic over a BytePort:
// the handshake, the identification check, the block loop and the end
// markers of the read, write and initialise transfers and of the calibration
// and decoder-table exchanges.
//
// Wire elements (letters are ASCII):
//
//   greeting          -> 02 "PROGRAM", one byte at a time, 1 ms apart
//   greeting answer   <- "PG" within 100 ms; at most 4 attempts
//   ident request     -> 02
//   IdentBlock        <- 32 bytes: 8 identification bytes, 8 bytes not
//                        examined, four band limits (BCD, low byte first)
//   acknowledgement   <> 41 ("A")
//   block command     -> letter ("R" or "W"), address high, address low, length
//   read reply        <- 4 header bytes (not examined), then the data
//   end markers       -> "ENDR" / "ENDW", no answer
//
// A block is 1 to 32 bytes and never crosses a 32-byte boundary. Radio
// addresses are image offsets.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "link/byte_port.h"

namespace kestra {

enum class TransferKind { Read, Write, Initialise };
enum class RegionKind { Calibration, DecoderTable };

// Half-open range [start, end) of image offsets; start == end is empty.
struct ByteRange {
    int start = 0;
    int end = 0;
};

// The two ranges an exchange moves, first then second.
struct TransferRanges {
    ByteRange first;
    ByteRange second;
};

// ReadRanges of a read: 0x0000-0x2FFF and 0x3F70-0x3FFF (389 blocks).
inline constexpr TransferRanges kReadRanges{{0x0000, 0x3000}, {0x3F70, 0x4000}};
// WriteRanges of a write: the same ranges as a read.
inline constexpr TransferRanges kWriteRanges{{0x0000, 0x3000}, {0x3F70, 0x4000}};
// WriteRanges of an initialise: the whole image (512 blocks).
inline constexpr TransferRanges kInitialiseRanges{{0x0000, 0x4000}, {0, 0}};
// What an initialise's verification reads back after the read ranges: the
// decoder table and the calibration block, as the factory exchanges read
// them (8 blocks). 0x3000-0x3DFF and 0x3E30-0x3ECF are read by nothing.
inline constexpr TransferRanges kFactoryRanges{{0x3E00, 0x3E30}, {0x3ED0, 0x3F70}};

TransferRanges RangesOf(TransferKind kind);
// 0x3ED0-0x3F6F (calibration) or 0x3E00-0x3E2F (decoder table).
ByteRange RegionRange(RegionKind region);

// The blocks an exchange over ranges moves (SplitBlocks of both), its
// progress steps.
int BlockCount(const TransferRanges& ranges);
// 389 for read and write, 512 for initialise.
int TransferBlockCount(TransferKind kind);
// The steps of a transfer as its progress counts them: with verify, a write
// or initialise adds the read-back's 389, an initialise also kFactoryRanges'.
int TransferSteps(TransferKind kind, bool verify);
// Title of the progress dialog: "读数据", "写数据" or "初始化数据".
const char* TransferTitle(TransferKind kind);
// "%d%%" of position * 100 / total (integer division); "0%" when total is 0.
std::string PercentText(int position, int total);

struct Block {
    int address = 0;
    int length = 0;
};
// The blocks of a range in address order: each runs to the next 32-byte
// boundary or to the end of the range.
std::vector<Block> SplitBlocks(ByteRange range);

// Called after every block with the step count and the total.
using ProgressCallback = std::function<void(int position, int total)>;

inline constexpr std::array<std::uint8_t, 8> kGreeting = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::uint8_t kGreetingAnswer0 = 0x50; // 'P'
inline constexpr std::uint8_t kGreetingAnswer1 = 0x47; // 'G'
inline constexpr std::uint8_t kIdentRequest = 0x02;
inline constexpr std::uint8_t kAck = 0x41;
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::array<std::uint8_t, 4> kEndOfRead = {'E', 'N', 'D', 'R'};
inline constexpr std::array<std::uint8_t, 4> kEndOfWrite = {'E', 'N', 'D', 'W'};
inline constexpr int kHandshakeAttempts = 4;
inline constexpr int kHandshakeWindowMs = 100;
inline constexpr int kGreetingPauseMs = 1;
inline constexpr int kMaxBlockLength = 32;

// Identifications the radio may send in the first 8 bytes of its IdentBlock.
using Identification = std::array<std::uint8_t, 8>;
inline constexpr Identification kIdentModel = {'Q', 'V', 'N', '-', 'K', '5', '2', 0x00};
inline constexpr Identification kIdentVersion = {'V', '1', '.', '0', '.', '1', 0xFF, 0xFF};
inline constexpr Identification kIdentBlank = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

using IdentBlock = std::array<std::uint8_t, 32>;
inline constexpr int kIdentLimitsOffset = 16;

// The identification check: the model string and "V1.0.1" are accepted for
// every operation, a blank radio (eight 0xFF) only for write and initialise.
bool IdentificationAccepted(const IdentBlock& ident, bool forRead);

// After a read: where the memory just read has no band limits (byte 0x2E13
// or 0x2E1B is 0xFF), the pair is taken from the IdentBlock. The four bytes
// are copied as the radio sent them, which for decimal digits is the limit's
// BCD encoding.
void FillBandLimits(const IdentBlock& ident, RadioImage& image);

enum class ExchangeStatus { Succeeded, CommunicationError, RadioDataInvalid };

struct ExchangeSpec {
    bool read = true;
    TransferRanges ranges;
    bool checkIdentification = false; // skipped in factory mode and by the region exchanges
    bool fillBandLimits = false;      // the read transfer only
    // When the handshake's 4 attempts go unanswered, greet again until this
    // many milliseconds have passed (a radio busy storing what it was just
    // sent); 0: give up at once.
    int handshakeRetryMs = 0;
};

// Sends the greeting and waits for "PG", at most 4 attempts; true on "PG".
// heard, when given, receives the first bytes that arrived (up to
// kHeardBytes), to tell a radio that answers wrongly from a silent one.
inline constexpr std::size_t kHeardBytes = 8;
bool Handshake(BytePort& port, std::vector<std::uint8_t>* heard = nullptr);

// Runs one exchange on an open, configured port: purge, handshake,
// identification, acknowledgement, the blocks, the end marker and (read)
// the band-limit fill. A read stores the blocks into image as they arrive;
// callers that need the image unchanged on failure pass a scratch copy.
// On failure *failedStep (when given) says which step failed, in words:
// "no answer to the greeting", "wrong identification (...)", "no
// acknowledgement at block 0x0040 (got 15)", "port closed", ...;
// *blocksStarted (when given) whether it got as far as the first block.
ExchangeStatus RunExchange(BytePort& port, const ExchangeSpec& exchange, RadioImage& image,
                           const ProgressCallback& progress, std::string* failedStep = nullptr,
                           bool* blocksStarted = nullptr);

struct TransferResult {
    bool succeeded = false;
    std::string message; // "通信出错", "读数据成功", "初始化数据成功", ...
    // Optional second line: the system's reason the port did not open, the
    // step an exchange failed at (with the port or cable it used), where a
    // verification found the radio's memory differing.
    std::string detail;
    // A write or initialise sent the whole image ("ENDW" included), whatever
    // its verification found afterwards.
    bool sent = false;
    // The memory read back after the write matched what was sent.
    bool verified = false;
    // A write or initialise failed once the radio had begun taking blocks:
    // its memory may be part old, part new (the detail's last line says so).
    bool partlyWritten = false;
    // The port did not open because another program holds it or it is not
    // permitted (rather than being absent or no serial port).
    bool portRefused = false;
};

// The first byte of the read ranges where the radio's memory (read back)
// differs from what was sent, and how many differ.
struct VerifyDifference {
    int address = -1; // -1: none
    std::uint8_t sent = 0;
    std::uint8_t found = 0;
    int count = 0;
};
VerifyDifference CompareReadRanges(const RadioImage& sent, const RadioImage& readBack);
// The same over the given ranges.
VerifyDifference CompareRanges(const RadioImage& sent, const RadioImage& readBack,
                               const TransferRanges& ranges);
// How long the read-back greets a radio that does not answer at once after
// "ENDW".
inline constexpr int kVerifyRetryMs = 3000;

struct TransferOptions {
    bool factoryMode = false; // skips the identification check
    ProgressCallback progress;
    // Every byte sent and received; used by the functions that open the
    // device themselves (RunTransfer). A port given to RunTransferOn traces
    // itself.
    TraceCallback trace;
    // When set, the exchange stops early (and fails) once it turns true;
    // kestra-cli sets it on SIGINT, SIGTERM and SIGHUP. Used by RunTransfer like trace.
    const std::atomic<bool>* abort = nullptr;
    // Write and initialise: read the memory back afterwards (the ranges a
    // read covers) and compare it with what was sent. The progress then runs
    // over both exchanges (the write's blocks, then the read's).
    bool verify = false;
};

// The read, write and initialise transfers over an open port. A read fills a
// scratch copy and replaces image only when the whole exchange succeeded;
// write and initialise only read image. A failure's detail names the step
// that failed. With options.verify a write or initialise that differs when
// read back fails with "写频校验失败" and the first differing address with
// the bytes sent and found; a clean one says "写频完成，已校验" (a write's
// message, an initialise's detail).
TransferResult RunTransferOn(BytePort& port, TransferKind kind, RadioImage& image,
                             const TransferOptions& options);
// The calibration and decoder-table exchanges over an open port: no
// identification check, no band-limit fill; a read changes image only when
// it succeeded. A write with verify reads the region back afterwards and
// compares it, as a write's verification does (its message stays
// "写数据成功"; the progress covers both exchanges).
TransferResult RunRegionExchangeOn(BytePort& port, RegionKind region, bool read, RadioImage& image,
                                   const ProgressCallback& progress = nullptr, bool verify = false);

} // namespace kestra
