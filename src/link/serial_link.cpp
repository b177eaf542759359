// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial_link.h"

#include <QSerialPort>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "link/serial_devices.h"

#if defined(__unix__) || defined(__APPLE__)
#define KESTRA_POSIX_PORTS 1
#include <climits>
#include <cstdlib>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace kestra {

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// The longest a wait goes without looking at the abort flag.
constexpr int kAbortPollMs = 20;

// Whole milliseconds from now until deadline, rounded up so that a wait
// never ends before the deadline.
int MillisUntil(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<Millis>(left).count());
}

std::string SystemErrorText(int err) {
    static std::mutex mutex;
    const std::lock_guard<std::mutex> lock(mutex);
    return std::strerror(err);
}

#ifdef KESTRA_POSIX_PORTS
std::string ResolvedPath(const std::string& device) {
    char resolved[PATH_MAX];
    if (::realpath(device.c_str(), resolved))
        return resolved;
    return device;
}

// The flow control the driver reports for the terminal open as fd, as
// QSerialPort names it; false (errno set) when fd is no terminal. Hardware
// flow control is kept as the driver has it; software flow control never:
// the exchange is binary and its data holds 0x11 and 0x13 (a 136 MHz
// radio's identification does), which XON/XOFF would swallow, and a fresh
// Linux terminal has it on.
bool DriverFlowControl(int fd, int& flow) {
    struct termios tio;
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    flow = (tio.c_cflag & CRTSCTS) ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl;
    return true;
}
#endif

} // namespace

std::string WindowsPortName(int n) {
    return n < 10 ? Format("COM%d", n) : Format("\\\\.\\COM%d", n);
}

std::string LinuxPortDevice(int n) {
    if (n >= 1 && n <= 8)
        return Format("/dev/ttyUSB%d", n - 1);
    if (n >= 9 && n <= 12)
        return Format("/dev/ttyACM%d", n - 9);
    if (n >= 13 && n <= 16)
        return Format("/dev/ttyS%d", n - 13);
    return std::string();
}

std::string PortDeviceName(int n) {
#ifdef _WIN32
    return WindowsPortName(n);
#else
    return LinuxPortDevice(n);
#endif
}

int PortNumberFromComName(const std::string& name) {
    // sscanf "%*[^M]M%d": at least one character before the first 'M'.
    const std::size_t m = name.find('M');
    int n = 0;
    if (m == 0 || m == std::string::npos || !ScanInt(name.c_str() + m + 1, n))
        return 0;
    return n;
}

int PortNumberOfDevice(const std::string& device) {
#ifdef _WIN32
    return PortNumberFromComName(device);
#else
    const std::string path = ResolvedPath(device);
    for (int n = 1; n <= kPortCount; ++n) {
        const std::string name = LinuxPortDevice(n);
        if (device == name || path == name || path == ResolvedPath(name))
            return n;
    }
    return 0;
#endif
}

std::string ResolvePortArgument(const std::string& arg) {
    if (arg.size() > 3 && StartsWithIgnoreCase(arg, "COM") &&
        arg.find_first_not_of("0123456789", 3) == std::string::npos && arg.size() < 8) {
        const int n = LeadingInt(arg.substr(3));
#ifdef _WIN32
        if (n >= 1)
            return WindowsPortName(n);
#else
        if (n >= 1 && n <= kPortCount)
            return LinuxPortDevice(n);
#endif
    }
#ifdef _WIN32
    return arg;
#else
    if (arg.empty() || arg.find('/') != std::string::npos)
        return arg;
    return "/dev/" + arg;
#endif
}

namespace {

// The group that owns the device, and whether that group may read and write
// it; empty when it cannot be told.
std::string DeviceGroup(const std::string& device, bool* groupAccess) {
    *groupAccess = false;
#ifdef KESTRA_POSIX_PORTS
    struct stat st;
    if (::stat(device.c_str(), &st) != 0)
        return std::string();
    *groupAccess = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    std::vector<char> buffer(16384);
    struct group entry;
    struct group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->gr_name)
        return found->gr_name;
#else
    (void)device;
#endif
    return std::string();
}

std::string PermissionHint(const std::string& device) {
    bool groupAccess = false;
    const std::string group = DeviceGroup(device, &groupAccess);
    if (!group.empty() && group != "root" && groupAccess)
        return FillIn(TranslateText(KESTRA_TEXT(
                          "kestra", "。请加入拥有该设备的组“%1”（sudo usermod -aG %1 $USER），然后重新登录。")),
                      {group});
    std::string why;
    if (group == "root")
        why = TranslateText(KESTRA_TEXT("kestra", "。该设备属于组“root”"));
    else if (!group.empty())
        why = FillIn(TranslateText(KESTRA_TEXT("kestra", "。拥有该设备的组“%1”不能读写它")), {group});
    else
        why = TranslateText(KESTRA_TEXT("kestra", "。你所在的组都不能使用该设备"));
    // The rule gives a cable to dialout when the cable is plugged in; it
    // knows a few USB chips and never a built-in port.
    const std::string rule = InstalledUdevRule();
    SerialDeviceInfo info;
    const bool known = FindSerialDevice(device, &info);
    if (known && info.usb && !rule.empty()) {
        if (UdevRuleCovers(rule, info))
            return why + FillIn(TranslateText(KESTRA_TEXT(
                                    "kestra", "：已安装的 udev 规则 %1 在插入数据线时把它交给组"
                                              "“dialout”：请拔下数据线再插上，并加入该组。")),
                                {rule});
        return why +
               FillIn(TranslateText(KESTRA_TEXT(
                          "kestra", "：已安装的 udev 规则 %1 不认识这条数据线的芯片（%2）："
                                    "需要另一条把它交给组“dialout”的 udev 规则；然后加入该组。")),
                      {rule, info.CableName()});
    }
    if ((known && !info.usb) || !rule.empty())
        return why + TranslateText(KESTRA_TEXT(
                         "kestra", "：Kestra 的 udev 规则只管 USB 串口数据线，不管这个设备："
                                   "需要另一条把它交给组“dialout”的 udev 规则；然后加入该组。"));
    return why + FillIn(TranslateText(KESTRA_TEXT(
                            "kestra", "：需要一条把它交给组“dialout”的 udev 规则（见示例规则 %1 和 "
                                      "README 中的“Serial port permissions”）；然后加入该组。")),
                        {"res/udev/60-kestra.rules"});
}

} // namespace

std::string DescribeOpenFailure(const std::string& device, int err, const HolderProcess* holder) {
    // A port of the table as the user chose it ("COM3", 设置 → 串口), and
    // the device it stands for.
    const int number = PortNumberOfDevice(device);
    const std::string shown = EscapeControl(device); // a name given on the command line
    std::string text = (number > 0 && device != WindowsPortName(number)
                            ? "COM" + std::to_string(number) + " (" + shown + ")"
                            : shown) +
                       ": " + SystemErrorText(err);
    if (err == EBUSY) {
        if (holder && holder->pid > 0)
            text += FillIn(TranslateText(KESTRA_TEXT("kestra", "（端口被进程 %1（%2）占用）")),
                           {std::to_string(holder->pid), holder->name.empty() ? "?" : holder->name});
        else
            text += TranslateText(KESTRA_TEXT("kestra", "（端口被另一个程序占用）"));
    } else if (err == EACCES || err == EPERM) {
        text += PermissionHint(device);
    }
    return text;
}

PortProbe ProbePorts(const std::string& selectedDevice) {
    PortProbe probe;
    for (int n = 1; n <= kPortCount; ++n) {
        SerialLink link;
        const auto i = static_cast<std::size_t>(n);
        probe.available[i] = link.Open(PortDeviceName(n), &probe.reasons[i]);
    }
    SerialLink link;
    if (!selectedDevice.empty() && link.Open(selectedDevice, nullptr))
        probe.selected = PortNumberOfDevice(selectedDevice);
    return probe;
}

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() {
    Close();
}

bool SerialLink::IsOpen() const {
    return port_ != nullptr;
}

bool SerialLink::Open(const std::string& device, std::string* osReason) {
    Close();
    std::string reason;
    if (!OpenDevice(device, reason)) {
        Close();
        if (osReason)
            *osReason = std::move(reason);
        return false;
    }
    openedCount_ = SteadyCounter().Count();
    closed_ = false;
    SetLowLatency();
    return true;
}

void SerialLink::SetLowLatency() {
    lowLatency_ = false;
    savedSerialFlags_ = -1;
#if defined(__linux__) && defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
    const int fd = static_cast<int>(port_->handle());
    struct serial_struct serial;
    std::memset(&serial, 0, sizeof serial);
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) {
        lowLatencyNote_ = "low latency: off (the driver does not take ASYNC_LOW_LATENCY: " + // not shown: trace
                          SystemErrorText(errno) + ")";
        return;
    }
    if (!(serial.flags & ASYNC_LOW_LATENCY)) {
        const int before = serial.flags;
        serial.flags |= ASYNC_LOW_LATENCY;
        if (::ioctl(fd, TIOCSSERIAL, &serial) != 0) {
            lowLatencyNote_ = "low latency: off (ASYNC_LOW_LATENCY refused: " + // not shown: trace
                              SystemErrorText(errno) + ")";
            return;
        }
        savedSerialFlags_ = before;
        std::memset(&serial, 0, sizeof serial);
        if (::ioctl(fd, TIOCGSERIAL, &serial) != 0 || !(serial.flags & ASYNC_LOW_LATENCY)) {
            lowLatencyNote_ = "low latency: off (the driver ignored ASYNC_LOW_LATENCY)"; // not shown: trace
            return;
        }
    }
    lowLatency_ = true;
    lowLatencyNote_ = "low latency: on (ASYNC_LOW_LATENCY)"; // not shown: trace
#else
    lowLatencyNote_ = "low latency: off (not available on this system)"; // not shown: trace
#endif
}

void SerialLink::RestoreLatency() {
#if defined(__linux__) && defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
    // The flag outlives the port in some drivers; the next program finds the
    // driver as it was.
    if (savedSerialFlags_ < 0 || !port_)
        return;
    const int fd = static_cast<int>(port_->handle());
    struct serial_struct serial;
    std::memset(&serial, 0, sizeof serial);
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags = savedSerialFlags_;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
    savedSerialFlags_ = -1;
}

void SerialLink::TraceNote(const std::string& note) {
    if (!trace_)
        return;
    TraceEvent event;
    event.ms = TraceMs();
    event.note = note.c_str();
    trace_(event);
}

bool SerialLink::OpenDevice(const std::string& device, std::string& reason) {
    openRefused_ = false;
    if (device.empty()) {
        reason = TranslateText(KESTRA_TEXT("kestra", "未选择串口"));

        return false;
    }
    std::string path = device;
    std::string qtName = device;
    int flow = QSerialPort::NoFlowControl;
#ifdef KESTRA_POSIX_PORTS
    // Links such as /dev/serial/by-id/... are opened as the device they name,
    // so that lock files agree with other programs.
    path = ResolvedPath(device);
    HolderProcess holder;
    const int err = claim_.Acquire(path, &holder);
    if (err != 0 || !DriverFlowControl(claim_.fd(), flow)) {
        const int error = err != 0 ? err : errno;
        openRefused_ = error == EBUSY || error == EACCES || error == EPERM;
        reason = DescribeOpenFailure(device, error, &holder);
        return false;
    }
    qtName = claim_.QtPortName();
#endif
    if (!OpenQtPort(qtName, flow)) {
        openRefused_ = port_->error() == QSerialPort::PermissionError;
        reason = QtOpenFailure(device, path);
        return false;
    }
#if defined(KESTRA_POSIX_PORTS) && defined(TIOCNXCL)
    // QSerialPort has just put the terminal into exclusive mode, which a
    // killed program could never take back; the flock guards the port.
    ::ioctl(static_cast<int>(port_->handle()), TIOCNXCL);
#endif
    return true;
}

bool SerialLink::OpenQtPort(const std::string& name, int flowControl) {
    // 9600 baud, 8 data bits, no parity, 1 stop bit, raw binary bytes, no
    // parity checking. The DTR and RTS lines are left alone. The driver's
    // queues cannot be sized through QSerialPort; its own read buffer is
    // unbounded.
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(QString::fromStdString(name));
    port_->setBaudRate(kBaudRate);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(static_cast<QSerialPort::FlowControl>(flowControl));
    return port_->open(QIODevice::ReadWrite);
}

std::string SerialLink::QtOpenFailure(const std::string& device, const std::string& path) const {
#ifdef KESTRA_POSIX_PORTS
    // The system opened the device for us a moment ago, so a refusal here is
    // another program's lock file, taken in the meantime.
    if (port_->error() == QSerialPort::PermissionError) {
        HolderProcess holder;
        FindPortHolder(path, &holder);
        return DescribeOpenFailure(device, EBUSY, &holder);
    }
#else
    (void)path;
#endif
    return EscapeControl(device) + ": " + port_->errorString().toStdString();
}

void SerialLink::Close() {
    if (port_) {
        RestoreLatency();
        // An aborted exchange leaves no bytes behind for the driver to drain.
        if (Aborted())
            port_->clear(QSerialPort::AllDirections);
        port_->close();
        port_.reset();
    }
    claim_.Release();
}

std::int64_t SerialLink::TraceMs() const {
    const MonotonicCounter& counter = SteadyCounter();
    return (counter.Count() - openedCount_) * 1000 / counter.Frequency();
}

void SerialLink::Purge() {
    if (port_)
        port_->clear(QSerialPort::AllDirections);
}

bool SerialLink::Write(const std::uint8_t* data, std::size_t n) {
    if (!port_ || Aborted())
        return false;
    if (trace_)
        trace_(TraceEvent{true, data, n, n, TraceMs()});
    const auto deadline =
        Clock::now() + Millis(kWriteTotalPerByteMs * static_cast<int>(n) + kWriteTotalConstantMs);
    const qint64 size = static_cast<qint64>(n);
    if (port_->write(reinterpret_cast<const char*>(data), size) != size)
        return false;
    while (port_->bytesToWrite() > 0) {
        const int wait = std::min(MillisUntil(deadline), kAbortPollMs);
        if (wait <= 0 || Aborted())
            return false;
        if (!port_->waitForBytesWritten(wait)) {
            const QSerialPort::SerialPortError error = port_->error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
                return false;
        }
    }
    return true;
}

std::size_t SerialLink::Read(std::uint8_t* buffer, std::size_t n) {
    if (!port_ || n == 0 || Aborted())
        return 0;
    const auto start = Clock::now();
    const auto totalDeadline =
        start + Millis(kReadTotalPerByteMs * static_cast<int>(n) + kReadTotalConstantMs);
    auto lastByte = start;
    std::size_t got = 0;
    for (;;) {
        const qint64 k =
            port_->read(reinterpret_cast<char*>(buffer + got), static_cast<qint64>(n - got));
        if (k > 0) {
            got += static_cast<std::size_t>(k);
            lastByte = Clock::now();
        }
        if (got == n)
            break;
        // The gap between two bytes counts from the first byte on; before it
        // only the total time-out applies.
        auto deadline = totalDeadline;
        if (got > 0 && lastByte + Millis(kReadIntervalTimeoutMs) < deadline)
            deadline = lastByte + Millis(kReadIntervalTimeoutMs);
        const int wait = std::min(MillisUntil(deadline), kAbortPollMs);
        if (wait <= 0 || Aborted())
            break;
        if (!port_->waitForReadyRead(wait)) {
            const QSerialPort::SerialPortError error = port_->error();
            if (!port_->isOpen() ||
                (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)) {
                closed_ = true;
                break; // the device went away; nothing more will arrive
            }
        }
    }
    if (trace_)
        trace_(TraceEvent{false, buffer, got, n, TraceMs()});
    return got;
}

void SerialLink::Pause(int ms) {
    const auto end = Clock::now() + Millis(ms);
    while (!Aborted() && Clock::now() < end)
        std::this_thread::sleep_for(
            std::min(end - Clock::now(), Clock::duration(Millis(kAbortPollMs))));
}

} // namespace kestra
