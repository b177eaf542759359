// SPDX-License-Identifier: GPL-3.0-or-later
// Times a full read and a full write against the virtual radio.
//
//   kestra_link_bench [--runs N] [--no-pacing] [--no-cable]
//
// Without pacing the radio answers at once, so the wall time is the
// program's own overhead (QSerialPort, the pseudo-terminal, the protocol).
// With pacing every byte takes its 10 bits at 9600 baud on the radio's
// side; the protocol waits for every answer, so the wall time cannot be
// below the wire time of all bytes exchanged, and the ratio shows how close
// the program comes to it.
//
// Then, at 9600 baud, what a USB cable costs: a read with every answer of
// the radio held back 16 ms (an FTDI chip's default latency timer) and
// 1 ms (low latency), and a write with and without its read-back (写后校验).
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "link/transfers.h"
#include "link/virtual_radio.h"

using namespace kestra;
using Clock = std::chrono::steady_clock;

namespace {

struct Sample {
    double wallMs = 0;
    std::uint64_t bytes = 0;
};

bool RunOnce(VirtualRadio& radio, const std::string& device, TransferKind kind, Sample& out,
             bool verify = false) {
    RadioImage image = radio.Memory();
    const VirtualRadioStats before = radio.Stats();
    const auto start = Clock::now();
    TransferOptions options;
    options.verify = verify;
    const TransferResult result = RunTransfer(kind, device, image, options);
    const auto end = Clock::now();
    if (!result.succeeded) {
        std::fprintf(stderr, "exchange failed: %s\n%s\n", result.message.c_str(),
                     result.detail.c_str());
        return false;
    }
    const VirtualRadioStats after = radio.Stats();
    out.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    out.bytes = (after.bytesReceived - before.bytesReceived) + (after.bytesSent - before.bytesSent);
    return true;
}

double WireMs(std::uint64_t bytes) {
    return static_cast<double>(bytes) * static_cast<double>(kByteTimeNs) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 10;
    bool paced = true;
    bool cable = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--no-pacing") == 0)
            paced = false;
        else if (std::strcmp(argv[i], "--no-cable") == 0)
            cable = false;
    }

    VirtualRadio radio;
    const std::string device = radio.Start();
    if (device.empty()) {
        std::fprintf(stderr, "cannot start the virtual radio: %s\n", radio.Error().c_str());
        return 1;
    }
    const TransferKind kinds[2] = {TransferKind::Read, TransferKind::Write};
    const char* names[2] = {"read", "write"};

    std::printf("Without pacing (%d runs each): software overhead\n", runs);
    for (int k = 0; k < 2; ++k) {
        std::vector<double> walls;
        Sample s;
        for (int r = 0; r < runs; ++r) {
            if (!RunOnce(radio, device, kinds[k], s))
                return 1;
            walls.push_back(s.wallMs);
        }
        std::sort(walls.begin(), walls.end());
        std::printf("  %-5s  %5llu bytes  min %7.1f ms  median %7.1f ms  max %7.1f ms\n", names[k],
                    static_cast<unsigned long long>(s.bytes), walls.front(),
                    walls[walls.size() / 2], walls.back());
    }

    if (paced) {
        radio.SetPacing(true);
        std::printf("With 9600-baud pacing: wall time against the wire time of the bytes\n");
        for (int k = 0; k < 2; ++k) {
            Sample s;
            if (!RunOnce(radio, device, kinds[k], s))
                return 1;
            const double wire = WireMs(s.bytes);
            std::printf("  %-5s  %5llu bytes  wire %8.1f ms  wall %8.1f ms  ratio %.4f (+%.2f%%)\n",
                        names[k], static_cast<unsigned long long>(s.bytes), wire, s.wallMs,
                        s.wallMs / wire, (s.wallMs / wire - 1.0) * 100.0);
        }
    }
    if (paced && cable) {
        std::printf("A USB cable at 9600 baud: every answer held back by the chip's latency timer\n");
        for (const int latency : {16, 1}) {
            RadioBehaviour behaviour;
            behaviour.replyDelayMs = latency;
            radio.SetBehaviour(behaviour);
            Sample s;
            if (!RunOnce(radio, device, TransferKind::Read, s))
                return 1;
            std::printf("  read at %2d ms  wall %8.1f ms  (wire %8.1f ms)\n", latency, s.wallMs,
                        WireMs(s.bytes));
        }
        radio.SetBehaviour(RadioBehaviour());
        std::printf("The read-back of a verified write, at 9600 baud\n");
        Sample plain;
        Sample verified;
        if (!RunOnce(radio, device, TransferKind::Write, plain) ||
            !RunOnce(radio, device, TransferKind::Write, verified, true))
            return 1;
        std::printf("  write %8.1f ms  write + verify %8.1f ms  (verify costs %.1f ms)\n",
                    plain.wallMs, verified.wallMs, verified.wallMs - plain.wallMs);
    }
    radio.Stop();
    return 0;
}
