#include "link/virtual_radio.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/document/default_image.h"
#include "core/image/finalize.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#define KESTRA_HAVE_PTY 1
#endif

namespace kestra {

namespace {

using Clock = std::chrono::steady_clock;

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
    {129, 44600625, 44600625, nullptr, nullptr, true, false, "PMR1"},
    {130, 43350000, 43350000, "67.0", nullptr, true, true, "SIMP"},
};

} // namespace

RadioImage ExampleRadioMemory() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    for (const ExampleChannel& c : kExampleChannels) {
        ChannelRecord r(image, c.record);
        r.Clear();
        r.setRx(c.rx);
        r.setTx(c.tx);
        if (c.rx != c.tx) {
            r.setShiftDirection(c.tx < c.rx ? 1 : 2);
            r.setShiftAmount(c.tx < c.rx ? c.rx - c.tx : c.tx - c.rx);
        }
        if (c.rxTone)
            r.setRxTone(ToneTextToValue(c.rxTone));
        if (c.txTone)
            r.setTxTone(ToneTextToValue(c.txTone));
        r.setHighPower(c.highPower);
        r.setWide(c.wide);
        for (int i = 0; c.name[i] && i < ChannelRecord::kNameLength; ++i)
            r.setByte(ChannelRecord::kName + i, static_cast<std::uint8_t>(c.name[i]));
    }
    image[region::kChannelIndexA] = 0;
    image[region::kChannelIndexB] = 0;
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
    return responder_.memory();
}

void VirtualRadio::SetMemory(const RadioImage& memory) {
    const std::lock_guard<std::mutex> lock(mutex_);
    responder_.memory() = memory;
}

void VirtualRadio::SetBehaviour(const RadioBehaviour& behaviour) {
    const std::lock_guard<std::mutex> lock(mutex_);
    responder_.SetBehaviour(behaviour);
}

void VirtualRadio::SetPacing(bool pacing) {
    const std::lock_guard<std::mutex> lock(mutex_);
    pacing_ = pacing;
}

VirtualRadioStats VirtualRadio::Stats() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    VirtualRadioStats s = stats_;
    s.greetings = responder_.greetings();
    s.exchangesCompleted = responder_.exchangesCompleted();
    return s;
}

void VirtualRadio::ResetStats() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stats_ = VirtualRadioStats();
    responder_ = RadioResponder(responder_.behaviour(), responder_.memory());
}

std::vector<RadioBlockRecord> VirtualRadio::LastBlocks() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return responder_.blocks();
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
        device_ = pty_.slavePath();
        error_.clear();
    }
    thread_ = std::thread([this] { Serve(); });
    return pty_.slavePath();
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
        const ssize_t k = ::write(pty_.master(), data + done, n - done);
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
        pollfd fds[2] = {{pty_.master(), POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        ::poll(fds, 2, 50);
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    stats_.bytesSent += n;
    return true;
}

void VirtualRadio::Serve() {
    const auto byteTime = std::chrono::nanoseconds(kByteTimeNs);
    Clock::time_point rxFree{};
    Clock::time_point txFree{};
    auto lastActivity = Clock::now();
    bool quiet = true;
    std::vector<std::uint8_t> out;
    std::uint8_t buffer[512];
    while (!stop_) {
        pollfd fds[2] = {{pty_.master(), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        const int r = ::poll(fds, 2, 100);
        if (r < 0 && errno != EINTR)
            break;
        if (fds[1].revents)
            break;
        if (r <= 0 || !(fds[0].revents & POLLIN)) {
            if (fds[0].revents & (POLLHUP | POLLERR)) // not expected: the slave stays open
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (!quiet &&
                Clock::now() - lastActivity > std::chrono::milliseconds(kRadioQuietResetMs)) {
                const std::lock_guard<std::mutex> lock(mutex_);
                responder_.LineQuiet();
                quiet = true;
            }
            continue;
        }
        const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const auto readAt = Clock::now();
        lastActivity = readAt;
        quiet = false;
        for (ssize_t i = 0; i < n && !stop_; ++i) {
            bool pacing;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                pacing = pacing_;
            }
            if (pacing) {
                // The byte is complete on the line one byte time after the
                // previous one, or after it was handed to us.
                rxFree = std::max(rxFree, readAt) + byteTime;
                std::this_thread::sleep_until(rxFree);
            }
            out.clear();
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                ++stats_.bytesReceived;
                responder_.Receive(buffer[i], out);
            }
            if (out.empty())
                continue;
            if (!pacing) {
                SendAll(out.data(), out.size());
                continue;
            }
            // The answer is queued at once; its bytes leave back to back, each
            // complete on the line one byte time after the one before.
            const auto queuedAt = Clock::now();
            for (std::uint8_t b : out) {
                txFree = std::max(txFree, queuedAt) + byteTime;
                std::this_thread::sleep_until(txFree);
                if (stop_ || !SendAll(&b, 1))
                    break;
            }
        }
        lastActivity = Clock::now();
    }
}

#else

std::string VirtualRadio::Start() {
    const std::lock_guard<std::mutex> lock(mutex_);
    error_ = "the virtual radio needs pseudo-terminals, which this system does not offer";
    return std::string();
}

void VirtualRadio::Stop() {}

void VirtualRadio::Serve() {}

bool VirtualRadio::SendAll(const std::uint8_t*, std::size_t) {
    return false;
}

#endif

} // namespace kestra
