#include "link/serial_link.h"

#include <QSerialPort>
#include <QString>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/codec/codecs.h"

#if defined(__unix__) || defined(__APPLE__)
#define KESTRA_POSIX_PORTS 1
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kestra {

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

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

std::string DescribeOpenFailure(const std::string& device, int err) {
    std::string text = device + ": " + SystemErrorText(err);
    if (err == EBUSY) {
        text += " (the port is held open by another program)";
    } else if (err == EACCES || err == EPERM) {
        std::string group;
#ifdef KESTRA_POSIX_PORTS
        struct stat st;
        if (::stat(device.c_str(), &st) == 0) {
            std::vector<char> buffer(16384);
            struct group entry;
            struct group* found = nullptr;
            if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
                found && found->gr_name)
                group = found->gr_name;
        }
#endif
        if (group.empty() || group == "root")
            group = "dialout";
        text += Format(". Join the group \"%s\" that owns the device "
                       "(sudo usermod -aG %s $USER), then log in again.",
                       group.c_str(), group.c_str());
    }
    return text;
}

PortProbe ProbePorts(const std::string& selectedDevice) {
    PortProbe probe;
    for (int n = 1; n <= kPortCount; ++n) {
        SerialLink link;
        probe.available[static_cast<std::size_t>(n)] = link.Open(PortDeviceName(n), nullptr);
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
    const auto fail = [&](std::string reason) {
        Close();
        if (osReason)
            *osReason = std::move(reason);
        return false;
    };
    if (device.empty())
        return fail("no serial port is selected");

    std::string path = device;
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
#ifdef KESTRA_POSIX_PORTS
    // Links such as /dev/serial/by-id/... are opened as the device they name,
    // so that lock files agree with other programs.
    path = ResolvedPath(device);
    // A second descriptor checks what the first open cannot tell us: whether
    // another program holds the device exclusively (TIOCEXCL, which a
    // privileged process could open through) or with flock. It holds our own
    // flock until the port is closed.
    guardFd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (guardFd_ < 0)
        return fail(DescribeOpenFailure(device, errno));
#ifdef TIOCGEXCL
    int exclusive = 0;
    if (::ioctl(guardFd_, TIOCGEXCL, &exclusive) == 0 && exclusive)
        return fail(DescribeOpenFailure(device, EBUSY));
#endif
    if (::flock(guardFd_, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        return fail(DescribeOpenFailure(device, err == EWOULDBLOCK ? EBUSY : err));
    }
    // Flow control stays as the driver reports it.
    struct termios tio;
    if (::tcgetattr(guardFd_, &tio) != 0)
        return fail(DescribeOpenFailure(device, errno));
    if (tio.c_cflag & CRTSCTS)
        flow = QSerialPort::HardwareControl;
    else if (tio.c_iflag & (IXON | IXOFF))
        flow = QSerialPort::SoftwareControl;
#endif

    // 9600 baud, 8 data bits, no parity, 1 stop bit, raw binary bytes, no
    // parity checking. The DTR and RTS lines are left alone. The driver's
    // queues cannot be sized through QSerialPort; its own read buffer is
    // unbounded.
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(QString::fromStdString(path));
    port_->setBaudRate(kBaudRate);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(flow);
    if (!port_->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_->error();
        const std::string text = port_->errorString().toStdString();
#ifdef KESTRA_POSIX_PORTS
        // The system opened the device for us a moment ago, so a refusal here
        // is another program's lock file.
        if (error == QSerialPort::PermissionError)
            return fail(DescribeOpenFailure(device, EBUSY));
#else
        (void)error;
#endif
        return fail(device + ": " + text);
    }
    openedCount_ = SteadyCounter().Count();
    return true;
}

void SerialLink::Close() {
    if (port_) {
        port_->close();
        port_.reset();
    }
#ifdef KESTRA_POSIX_PORTS
    if (guardFd_ >= 0) {
        ::close(guardFd_);
        guardFd_ = -1;
    }
#endif
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
    if (!port_)
        return false;
    if (trace_)
        trace_(TraceEvent{true, data, n, n, TraceMs()});
    const auto deadline =
        Clock::now() + Millis(kWriteTotalPerByteMs * static_cast<int>(n) + kWriteTotalConstantMs);
    const qint64 size = static_cast<qint64>(n);
    if (port_->write(reinterpret_cast<const char*>(data), size) != size)
        return false;
    while (port_->bytesToWrite() > 0) {
        const int wait = MillisUntil(deadline);
        if (wait <= 0)
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
    if (!port_ || n == 0)
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
        const int wait = MillisUntil(deadline);
        if (wait <= 0)
            break;
        if (!port_->waitForReadyRead(wait)) {
            const QSerialPort::SerialPortError error = port_->error();
            if (!port_->isOpen() ||
                (error != QSerialPort::NoError && error != QSerialPort::TimeoutError))
                break; // the device went away; nothing more will arrive
        }
    }
    if (trace_)
        trace_(TraceEvent{false, buffer, got, n, TraceMs()});
    return got;
}

void SerialLink::Pause(int ms) {
    std::this_thread::sleep_for(Millis(ms));
}

} // namespace kestra
