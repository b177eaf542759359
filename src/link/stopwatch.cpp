// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/stopwatch.h"

#include <chrono>

namespace kestra {

namespace {

class SteadyClockCounter : public MonotonicCounter {
public:
    std::int64_t Frequency() const override {
        using Period = std::chrono::steady_clock::period;
        return static_cast<std::int64_t>(Period::den / Period::num);
    }
    std::int64_t Count() const override {
        return static_cast<std::int64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
    }
};

} // namespace

const MonotonicCounter& SteadyCounter() {
    static const SteadyClockCounter counter;
    return counter;
}

CStopwatch::CStopwatch(const MonotonicCounter& counter)
    : counter_(&counter), frequency_(counter.Frequency()), start_(counter.Count()) {}

std::int64_t CStopwatch::ElapsedMs() const {
    return (counter_->Count() - start_) * 1000 / frequency_;
}

} // namespace kestra
