// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/virtual_radio.h"

#include "core/codec/text_seam.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/document/default_image.h"
#include "core/image/finalize.h"
#include "core/image/settings_layout.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#define KESTRA_HAVE_PTY 1
#endif

namespace kestra {

namespace {

struct ExampleChannel {
    int record;
    std::uint32_t rx;
    std::uint32_t tx;
    const char* rxTone;
    const char* txTone;
    bool highPower;
    bool wide;
    const char* name;
};

constexpr ExampleChannel kExampleChannels[] = {
    {1, 14550000, 14550000, nullptr, nullptr, true, true, "CALL"},
    {2, 14565000, 14505000, nullptr, "88.5", true, true, "RPT"},
    {3, 43850000, 43850000, "D023N", "D023N", false, false, "UHF"},
    {FirstRecordOfBand(1), 44600625, 44600625, nullptr, nullptr, true, false, "PMR1"},
    {FirstRecordOfBand(1) + 1, 43350000, 43350000, "67.0", nullptr, true, true, "SIMP"},
};

} // namespace

RadioImage ExampleRadioMemory() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    for (const ExampleChannel& c : kExampleChannels) {
        ChannelRecord r(image, c.record);
        r.Clear();
        r.SetRx(c.rx);
        r.SetTx(c.tx);
        if (c.rx != c.tx) {
            r.SetShiftDirection(c.tx < c.rx ? 1 : 2);
            r.SetShiftAmount(c.tx < c.rx ? c.rx - c.tx : c.tx - c.rx);
        }
        if (c.rxTone)
            r.SetRxTone(ToneTextToValue(c.rxTone));
        if (c.txTone)
            r.SetTxTone(ToneTextToValue(c.txTone));
        r.SetHighPower(c.highPower);
        r.SetWide(c.wide);
        for (int i = 0; c.name[i] && i < ChannelRecord::kNameLength; ++i)
            r.SetByte(ChannelRecord::kName + i, static_cast<std::uint8_t>(c.name[i]));
    }
    image.Set(settings::kChannelIndexA, 0);
    image.Set(settings::kChannelIndexB, 0);
    FinalizeImage(image, BandLimits());
    return image;
}

VirtualRadio::VirtualRadio(VirtualRadioOptions options)
    : responder_(options, options.memory ? *options.memory : ExampleRadioMemory()),
      pacing_(options.pacing) {}

VirtualRadio::~VirtualRadio() {
    Stop();
}

bool VirtualRadio::IsRunning() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return !device_.empty();
}

std::string VirtualRadio::Device() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return device_;
}

std::string VirtualRadio::Error() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

RadioImage VirtualRadio::Memory() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return responder_.Memory();
}

void VirtualRadio::SetMemory(const RadioImage& memory) {
    const std::lock_guard<std::mutex> lock(mutex_);
    responder_.Memory() = memory;
}

void VirtualRadio::SetBehaviour(const RadioBehaviour& behaviour) {
    const std::lock_guard<std::mutex> lock(mutex_);
    responder_.SetBehaviour(behaviour);
}

void VirtualRadio::SetPacing(bool pacing) {
    const std::lock_guard<std::mutex> lock(mutex_);
    pacing_ = pacing;
}

void VirtualRadio::ResetStats() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stats_ = VirtualRadioStats();
    responder_ = RadioResponder(responder_.Behaviour(), responder_.Memory());
}

VirtualRadioStats VirtualRadio::Stats() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    VirtualRadioStats s = stats_;
    s.greetings = responder_.Greetings();
    s.exchangesCompleted = responder_.ExchangesCompleted();
    return s;
}

std::vector<RadioBlockRecord> VirtualRadio::LastBlocks() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return responder_.Blocks();
}

#ifdef KESTRA_HAVE_PTY

std::string VirtualRadio::Start() {
    const std::lock_guard<std::mutex> life(lifecycle_);
    if (thread_.joinable())
        return Device();
    std::string error;
    int pipeFds[2];
    if (!pty_.Open(&error)) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = error;
        return std::string();
    }
    if (::pipe(pipeFds) != 0) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = std::string("pipe: ") + std::strerror(errno);
        pty_.Close();
        return std::string();
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    ::fcntl(wakeRead_, F_SETFD, FD_CLOEXEC);
    ::fcntl(wakeWrite_, F_SETFD, FD_CLOEXEC);
    stop_ = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        device_ = pty_.SlavePath();
        error_.clear();
    }
    thread_ = std::thread([this] { Serve(); });
    return pty_.SlavePath();
}

void VirtualRadio::Stop() {
    const std::lock_guard<std::mutex> life(lifecycle_);
    if (!thread_.joinable())
        return;
    stop_ = true;
    const char wake = 1;
    while (::write(wakeWrite_, &wake, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    ::close(wakeRead_);
    ::close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
    pty_.Close();
    const std::lock_guard<std::mutex> lock(mutex_);
    device_.clear();
}

bool VirtualRadio::SendAll(const std::uint8_t* data, std::size_t n) {
    // Nobody may be reading the other end; after two seconds of a full queue
    // the bytes are dropped, as they would be on a line with no one listening.
    const auto giveUp = Clock::now() + std::chrono::seconds(2);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t k = ::write(pty_.Master(), data + done, n - done);
        if (k > 0) {
            done += static_cast<std::size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR)
            continue;
        if (k < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        if (stop_ || Clock::now() > giveUp)
            return false;
        pollfd fds[2] = {{pty_.Master(), POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        ::poll(fds, 2, 50);
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    stats_.bytesSent += n;
    return true;
}

// The pace of a 9600-baud line: every byte is complete on the line one byte
// time after the one before it.
class VirtualRadio::LinePace {
public:
    // Waits until a byte handed over at `at` has fully arrived.
    void Receive(Clock::time_point at) { rxFree_ = WaitAfter(rxFree_, at); }
    // Waits until the next byte of an answer queued at `queuedAt` has left.
    void Send(Clock::time_point queuedAt) { txFree_ = WaitAfter(txFree_, queuedAt); }

private:
    static Clock::time_point WaitAfter(Clock::time_point previous, Clock::time_point start) {
        const auto done = std::max(previous, start) + std::chrono::nanoseconds(kByteTimeNs);
        std::this_thread::sleep_until(done);
        return done;
    }
    Clock::time_point rxFree_{};
    Clock::time_point txFree_{};
};

VirtualRadio::LineEvent VirtualRadio::WaitForLine() {
    pollfd fds[2] = {{pty_.Master(), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int r = ::poll(fds, 2, 100);
    if ((r < 0 && errno != EINTR) || fds[1].revents)
        return LineEvent::Stop;
    if (r > 0 && (fds[0].revents & POLLIN))
        return LineEvent::Bytes;
    if (fds[0].revents & (POLLHUP | POLLERR)) // not expected: the slave stays open
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return LineEvent::Nothing;
}

void VirtualRadio::ServeByte(std::uint8_t byte, Clock::time_point readAt, LinePace& pace) {
    bool pacing;
    int delayMs;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pacing = pacing_;
        delayMs = responder_.Behaviour().replyDelayMs;
    }
    if (pacing)
        pace.Receive(readAt);
    answer_.clear();
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++stats_.bytesReceived;
        responder_.Receive(byte, answer_);
    }
    if (answer_.empty())
        return;
    // Held back like a USB chip holds what it received until its latency
    // timer runs out.
    if (delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    if (!pacing) {
        SendAll(answer_.data(), answer_.size());
        return;
    }
    // The answer is queued at once; its bytes leave back to back.
    const auto queuedAt = Clock::now();
    for (std::uint8_t b : answer_) {
        pace.Send(queuedAt);
        if (stop_ || !SendAll(&b, 1))
            break;
    }
}

void VirtualRadio::Serve() {
    LinePace pace;
    auto lastActivity = Clock::now();
    bool quiet = true;
    std::uint8_t buffer[512];
    while (!stop_) {
        const LineEvent event = WaitForLine();
        if (event == LineEvent::Stop)
            break;
        if (event == LineEvent::Nothing) {
            if (!quiet &&
                Clock::now() - lastActivity > std::chrono::milliseconds(kRadioQuietResetMs)) {
                const std::lock_guard<std::mutex> lock(mutex_);
                responder_.LineQuiet();
                quiet = true;
            }
            continue;
        }
        const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const auto readAt = Clock::now();
        quiet = false;
        for (ssize_t i = 0; i < n && !stop_; ++i)
            ServeByte(buffer[i], readAt, pace);
        lastActivity = Clock::now();
    }
}

#else

std::string VirtualRadio::Start() {
    const std::lock_guard<std::mutex> lock(mutex_);
    error_ = TranslateText(KESTRA_TEXT("kestra", "虚拟对讲机需要伪终端，此系统不提供"));
    return std::string();
}

void VirtualRadio::Stop() {}

void VirtualRadio::Serve() {}

bool VirtualRadio::SendAll(const std::uint8_t*, std::size_t) {
    return false;
}

#endif

} // namespace kestra
