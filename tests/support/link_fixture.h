// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the serial-link tests: test images, range comparisons,
// and a foreign process that holds a serial device open.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>
#include <string>

#include "core/image/radio_image.h"
#include "link/exchange.h"
#include "link/serial_link.h"

namespace kestra::test {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Seeded random bytes everywhere, with decimal band limits at 0x2E10 so that
// a read does not fill them from the identification block.
inline RadioImage PatternImage(unsigned seed) {
    RadioImage image;
    std::mt19937 rng(seed);
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng());
    BandLimits limits;
    limits.low[0] = 14000000 + static_cast<std::int32_t>(seed);
    StoreBandLimitsToImage(limits, image);
    return image;
}

// True when a and b hold the same bytes in [start, end).
inline bool SameRange(const RadioImage& a, const RadioImage& b, int start, int end) {
    for (int i = start; i < end; ++i)
        if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)])
            return false;
    return true;
}

// The exchanges as the tables name them: the three transfers in
// TransferKind's order, then the region exchanges' reads and writes.
inline constexpr int kRead = 0;
inline constexpr int kWrite = 1;
inline constexpr int kInitialise = 2;
inline constexpr int kCalibrationRead = 3;
inline constexpr int kCalibrationWrite = 4;
inline constexpr int kDecoderRead = 5;
inline constexpr int kDecoderWrite = 6;

inline bool Reads(int exchange) {
    return exchange == kRead || exchange == kCalibrationRead || exchange == kDecoderRead;
}

inline RegionKind RegionOf(int exchange) {
    return exchange < kDecoderRead ? RegionKind::Calibration : RegionKind::DecoderTable;
}

inline TransferRanges ExchangeRanges(int exchange) {
    if (exchange <= kInitialise)
        return RangesOf(static_cast<TransferKind>(exchange));
    return {RegionRange(RegionOf(exchange)), {0, 0}};
}

// inside: the bytes in the ranges come from `inside`; every other byte from
// `outside`. Returns the first offset that differs, or -1.
inline int FirstMismatch(const RadioImage& actual, const RadioImage& inside,
                         const RadioImage& outside, const TransferRanges& ranges) {
    for (int i = 0; i < static_cast<int>(kImageSize); ++i) {
        const bool in = (i >= ranges.first.start && i < ranges.first.end) ||
                        (i >= ranges.second.start && i < ranges.second.end);
        const RadioImage& expected = in ? inside : outside;
        if (actual[static_cast<std::size_t>(i)] != expected[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

// The port was closed: it opens again at once.
inline bool PortOpensAgain(const std::string& device) {
    SerialLink link;
    return link.Open(device, nullptr);
}

// A helper program that prints one line once it is ready ("held", or the
// simulator's device) and runs until its standard input closes (or, with
// terminate, until SIGTERM).
class ChildProcess {
public:
    explicit ChildProcess(bool terminate = false) : terminate_(terminate) {}
    ~ChildProcess() { Release(); }
    void Start(const QString& program, const QStringList& args) { process_.start(program, args); }
    // Its first line, trimmed; empty when none came in time.
    QString FirstLine() {
        if (!process_.waitForStarted(5000))
            return QString();
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000))
                return QString();
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    qint64 pid() const { return process_.processId(); }
    // SIGKILL: it gets no chance to clean up.
    void Kill() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // True when it ended normally with status 0.
    bool Release() {
        if (process_.state() != QProcess::NotRunning) {
            terminate_ ? process_.terminate() : process_.closeWriteChannel();
            if (!process_.waitForFinished(5000)) {
                Kill();
                return false;
            }
        }
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

private:
    QProcess process_;
    bool terminate_;
};

#ifdef KESTRA_PORT_HOLDER
// Another program holding the device open: "serial" (a SerialLink, with its
// lock file and flock), "exclusive" (a plain open with TIOCEXCL, as terminal
// programs do), "flock" or "open" (a plain open, no lock). Start, then
// Held: several holders can race.
class PortHolder : public ChildProcess {
public:
    bool Hold(const QString& mode, const std::string& device) {
        Start(mode, device);
        return Held();
    }
    void Start(const QString& mode, const std::string& device) {
        ChildProcess::Start(QStringLiteral(KESTRA_PORT_HOLDER), {mode, Q(device)});
    }
    bool Held() { return FirstLine() == "held"; }
};
#endif

} // namespace kestra::test
