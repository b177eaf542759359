// SPDX-License-Identifier: GPL-3.0-or-later
// The byte-level port the exchanges talk through. SerialLink implements it
// on a real serial device; tests can put a scripted radio behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "link/stopwatch.h"

namespace kestra {

// Trace of the bytes that crossed the port: sent (true) or received, the
// bytes, and the milliseconds since the port was opened. A receive that came
// up short also reports how many bytes were asked for.
struct TraceEvent {
    bool sent = false;
    const std::uint8_t* data = nullptr;
    std::size_t count = 0;
    std::size_t requested = 0;
    std::int64_t ms = 0;
    // Not bytes but a remark on the port ("low latency: on"); data is unset.
    const char* note = nullptr;
};
using TraceCallback = std::function<void(const TraceEvent&)>;

class BytePort {
public:
    virtual ~BytePort() = default;

    // Discards everything in the transmit and the receive queue.
    virtual void Purge() = 0;
    // Sends n bytes; false when they could not all be handed to the driver in
    // 50 ms per byte plus 50 ms.
    virtual bool Write(const std::uint8_t* data, std::size_t n) = 0;
    // Receives up to n bytes into buffer and returns how many arrived. It
    // returns as soon as n bytes have arrived, when more than 100 ms pass
    // between two bytes, or when 50 ms per byte plus 100 ms have passed in
    // all. Bytes that did not arrive leave their buffer positions untouched.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t n) = 0;
    // Waits the given number of milliseconds.
    virtual void Pause(int ms) = 0;
    // True once the exchange is to stop early (an interrupted kestra-cli).
    virtual bool Aborted() const { return false; }
    // True once the device has gone away (a cable pulled out, the other end
    // of a pseudo-terminal closed): nothing more will arrive.
    virtual bool Closed() const { return false; }
    // The counter the handshake's stopwatch runs on.
    virtual const MonotonicCounter& Counter() const { return SteadyCounter(); }
};

// Read time-outs, in milliseconds.
inline constexpr int kReadIntervalTimeoutMs = 100;
inline constexpr int kReadTotalPerByteMs = 50;
inline constexpr int kReadTotalConstantMs = 100;
// Write time-outs, in milliseconds.
inline constexpr int kWriteTotalPerByteMs = 50;
inline constexpr int kWriteTotalConstantMs = 50;

} // namespace kestra
