// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port: opening (exclusive), line settings, purge, reads and
// writes with the radio's time-out rules, pauses and closing; port numbers
// and their device names; the probe of the port dialog.
//
// Port numbers 1..16 name these devices:
//
//   Windows   1-9 "COM1".."COM9", 10-16 "\\.\COM10".."\\.\COM16"
//   Linux     1-8 /dev/ttyUSB0-7, 9-12 /dev/ttyACM0-3, 13-16 /dev/ttyS0-3
//             (other POSIX systems use the Linux table)
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/byte_port.h"
#include "link/port_lock.h"

class QSerialPort;

namespace kestra {

inline constexpr int kPortCount = 16;
inline constexpr int kBaudRate = 9600;

// Device name of port n (1..16) on this platform. Outside 1..16: "COM%d" on
// Windows, which names no device, and an empty name elsewhere.
std::string PortDeviceName(int n);
// The Windows rule: "COM%d" up to 9, "\\.\COM%d" from 10.
std::string WindowsPortName(int n);
// The Linux table; empty outside 1..16.
std::string LinuxPortDevice(int n);
// The port number in a Windows port name by the "%*[^M]M%d" rule (skip to
// the first 'M', read the number behind it); 0 when there is none.
int PortNumberFromComName(const std::string& name);
// The port number of a device on this platform: the "%*[^M]M%d" rule on
// Windows, the table (after resolving links) elsewhere; 0 when it has none.
int PortNumberOfDevice(const std::string& device);

// The device that a --port argument names: "COM3" (any letter case) is port
// 3 of this platform's table; on POSIX systems a name without a '/' is taken
// under /dev ("ttyUSB0" -> "/dev/ttyUSB0") and a path is used as it is.
std::string ResolvePortArgument(const std::string& arg);

struct PortProbe {
    std::vector<bool> available = std::vector<bool>(kPortCount + 1, false); // index 1..16
    // Why each port that is not available did not open (held by a program,
    // not permitted, not there).
    std::vector<std::string> reasons = std::vector<std::string>(kPortCount + 1);
    int selected = 0; // the selected device's port number when it can be opened, else 0
};
// Tries to open (and at once closes) each of the 16 ports, then the selected
// device.
PortProbe ProbePorts(const std::string& selectedDevice);

// The reason, for the user, why opening device failed with the system error
// err: the system's text, then for a port in use the process that holds it
// (when known), for a permission problem the group that owns the device to
// join, or, when the device is root's or not open to its group, that a udev
// rule is needed.
std::string DescribeOpenFailure(const std::string& device, int err,
                                const HolderProcess* holder = nullptr);

// One serial port opened for an exchange. Use it on the thread that opened
// it; it closes itself when destroyed.
class SerialLink : public BytePort {
public:
    SerialLink();
    ~SerialLink() override;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens the device for reading and writing, refusing it when another
    // program holds it (see port_lock.h), and configures 9600 baud 8N1,
    // binary, parity checking off, no software flow control; hardware flow
    // control and the DTR and RTS lines stay as the driver reports them. On
    // failure osReason (when given) receives the system's reason.
    bool Open(const std::string& device, std::string* osReason);
    // After a failed Open: the device is there, but another program holds
    // it or it is not permitted to us (choosing another port would not help).
    bool OpenRefused() const { return openRefused_; }
    bool IsOpen() const;
    void Close();

    // Every byte sent and received goes to the trace, with the milliseconds
    // since the port was opened.
    void SetTrace(TraceCallback trace) { trace_ = std::move(trace); }
    // Once *abort becomes true, reads, writes and pauses return at once (within
    // a few milliseconds when they are waiting) and the exchange fails; the
    // bytes still queued are discarded when the port closes.
    void SetAbortFlag(const std::atomic<bool>* abort) { abort_ = abort; }
    bool Aborted() const override { return abort_ && abort_->load(); }
    bool Closed() const override { return closed_; }

    // Whether the driver holds received bytes back no longer than it must:
    // on opening, ASYNC_LOW_LATENCY is set where the driver takes it (a
    // USB-serial chip then sends what it has at once instead of waiting out
    // its latency timer); a pseudo-terminal and most other devices refuse,
    // which is no error. LowLatencyNote says which, for --trace.
    bool LowLatency() const { return lowLatency_; }
    const std::string& LowLatencyNote() const { return lowLatencyNote_; }
    // Sends a remark to the trace (see TraceEvent::note).
    void TraceNote(const std::string& note);

    void Purge() override;
    bool Write(const std::uint8_t* data, std::size_t n) override;
    std::size_t Read(std::uint8_t* buffer, std::size_t n) override;
    void Pause(int ms) override;

private:
    bool OpenDevice(const std::string& device, std::string& reason);
    bool OpenQtPort(const std::string& name, int flowControl);
    std::string QtOpenFailure(const std::string& device, const std::string& path) const;
    void SetLowLatency();
    void RestoreLatency();
    std::int64_t TraceMs() const;

    std::unique_ptr<QSerialPort> port_;
    PortClaim claim_; // POSIX: the flock and the lock file, while the port is open
    bool openRefused_ = false;
    TraceCallback trace_;
    const std::atomic<bool>* abort_ = nullptr;
    std::int64_t openedCount_ = 0;
    bool closed_ = false;
    bool lowLatency_ = false;
    std::string lowLatencyNote_;
    int savedSerialFlags_ = -1; // the driver's flags before ASYNC_LOW_LATENCY was set
};

} // namespace kestra
