// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual radio: a radio simulator with its own 16 KiB memory and
// identification, serving the radio's side of the programming protocol on a
// pseudo-terminal. Tests use it in-process, kestra-cli simulate and the
// desktop application's --simulate use it so that reading and writing can
// be tried without a radio. Like a real radio it keeps its memory between
// exchanges. All methods may be called from any thread.
//
//   VirtualRadio radio(options);
//   std::string device = radio.Start();   // e.g. "/dev/pts/7"
//   ... RunTransfer(TransferKind::Read, device, image, false, nullptr) ...
//   radio.Stop();
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/image/radio_image.h"
#include "link/pseudo_terminal.h"
#include "link/radio_responder.h"

namespace kestra {

struct VirtualRadioOptions : RadioBehaviour {
    // Every byte the radio receives is taken, and every byte it sends is sent,
    // at the pace of a 9600-baud line (10 bits per byte).
    bool pacing = false;
    // The radio's memory at start; without it, ExampleRadioMemory().
    std::optional<RadioImage> memory;
};

// A fresh simulator's memory: the built-in default image with five example
// channels, finalised with the default band limits:
//
//   A001 145.50000  simplex                              "CALL"
//   A002 145.65000  transmit 145.05000, transmit tone 88.5 "RPT"
//   A003 438.50000  simplex, D023N both ways, low power, narrow "UHF"
//   B001 446.00625  simplex, narrow                      "PMR1"
//   B002 433.50000  simplex, receive tone 67.0           "SIMP"
RadioImage ExampleRadioMemory();

struct VirtualRadioStats {
    int greetings = 0;          // greetings heard
    int exchangesCompleted = 0; // exchanges that reached "ENDR" or "ENDW"
    std::uint64_t bytesReceived = 0;
    std::uint64_t bytesSent = 0;
};

// 10 bits at 9600 baud.
inline constexpr std::int64_t kByteTimeNs = 1041667;
// The radio gives up on a half-finished exchange after this much silence.
inline constexpr int kRadioQuietResetMs = 1000;

class VirtualRadio {
public:
    explicit VirtualRadio(VirtualRadioOptions options = {});
    ~VirtualRadio();
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    // Creates the pseudo-terminal and starts serving; returns the device path
    // the application opens (the same for every exchange until Stop), or an
    // empty string when it could not start (see Error).
    std::string Start();
    // Stops serving and removes the device. Safe to call more than once.
    void Stop();
    bool IsRunning() const;
    std::string Device() const;
    std::string Error() const;

    RadioImage Memory() const;
    void SetMemory(const RadioImage& memory);
    // Changes identification and faults; takes effect with the next byte.
    void SetBehaviour(const RadioBehaviour& behaviour);
    void SetPacing(bool pacing);

    VirtualRadioStats Stats() const;
    // Zeroes the counters and puts the radio back to waiting for a greeting;
    // meant for use between exchanges.
    void ResetStats();
    // The blocks of the current or last exchange.
    std::vector<RadioBlockRecord> LastBlocks() const;

private:
    using Clock = std::chrono::steady_clock;
    class LinePace;
    enum class LineEvent { Bytes, Nothing, Stop };

    // The radio's thread: waits for bytes and answers each in turn.
    void Serve();
    LineEvent WaitForLine();
    void ServeByte(std::uint8_t byte, Clock::time_point readAt, LinePace& pace);
    bool SendAll(const std::uint8_t* data, std::size_t n);

    mutable std::mutex mutex_; // guards responder_, pacing_, stats_, device_, error_
    RadioResponder responder_;
    bool pacing_;
    VirtualRadioStats stats_;
    std::string device_;
    std::string error_;

    PseudoTerminal pty_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::vector<std::uint8_t> answer_; // used by the radio's thread only
    std::mutex lifecycle_;             // serialises Start and Stop
};

} // namespace kestra
