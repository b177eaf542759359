// SPDX-License-Identifier: GPL-3.0-or-later
// A millisecond stopwatch over a monotonic counter.
#pragma once

#include <cstdint>

namespace kestra {

// A monotonic counter: a count that only grows, and its counts per second.
class MonotonicCounter {
public:
    virtual ~MonotonicCounter() = default;
    virtual std::int64_t Frequency() const = 0;
    virtual std::int64_t Count() const = 0;
};

// The process's monotonic clock (std::chrono::steady_clock).
const MonotonicCounter& SteadyCounter();

// Creating it reads the frequency and then the start count; the elapsed time
// is (count - start) * 1000 / frequency in signed 64-bit integers,
// multiplication first, division truncating.
class CStopwatch {
public:
    explicit CStopwatch(const MonotonicCounter& counter = SteadyCounter());
    std::int64_t ElapsedMs() const;

private:
    const MonotonicCounter* counter_;
    std::int64_t frequency_;
    std::int64_t start_;
};

} // namespace kestra
