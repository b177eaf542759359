// SPDX-License-Identifier: GPL-3.0-or-later
// Unblocks code stuck opening FIFOs for reading (what the programs did before
// they refused FIFOs): after 5 s it opens them for writing, again and again,
// so that a regression fails its test instead of hanging it. POSIX only.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace kestra::test {

class FifoWatchdog {
public:
    explicit FifoWatchdog(std::vector<std::string> fifos) : fifos_(std::move(fifos)) {
        thread_ = std::thread([this] {
            for (int i = 0; i < 100 && !done_; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            while (!done_) {
                fired_ = true;
                for (const std::string& fifo : fifos_) {
                    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0)
                        ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    ~FifoWatchdog() { Stop(); }
    // True when the guarded code had to be unblocked.
    bool Stop() {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
        return fired_;
    }

private:
    std::vector<std::string> fifos_;
    std::atomic<bool> done_{false};
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

} // namespace kestra::test
