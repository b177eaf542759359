// SerialLink on a real pseudo-terminal through QSerialPort: port names, the
// read time-out rules, purge, exclusive opening, the probe.
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <thread>

#include <grp.h>
#include <unistd.h>

#include "link/pseudo_terminal.h"
#include "link/serial_link.h"
#include "support/link_fixture.h"

using namespace kestra;
using Clock = std::chrono::steady_clock;

namespace {

qint64 MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void WriteMaster(const PseudoTerminal& pty, const std::uint8_t* data, std::size_t n) {
    QCOMPARE(::write(pty.Master(), data, n), static_cast<ssize_t>(n));
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void portNames();
    void resolvePortArgument();
    void silentReadTakes150ms();
    void readStopsAfterGapBetweenBytes();
    void readStopsAtTotalTimeOut();
    void completeReadReturnsAtOnce();
    void writeAndPurge();
    void openIsExclusive();
    void openFailureReasons();
    void probeSkipsHeldPorts();

private:
    PseudoTerminal pty_;
};

void TestSerialLink::init() {
    std::string error;
    QVERIFY2(pty_.Open(&error), error.c_str());
}

void TestSerialLink::cleanup() {
    pty_.Close();
}

void TestSerialLink::portNames() {
    QCOMPARE(QString::fromStdString(WindowsPortName(1)), QString("COM1"));
    QCOMPARE(QString::fromStdString(WindowsPortName(9)), QString("COM9"));
    QCOMPARE(QString::fromStdString(WindowsPortName(10)), QString("\\\\.\\COM10"));
    QCOMPARE(QString::fromStdString(WindowsPortName(16)), QString("\\\\.\\COM16"));
    const char* table[17] = {"",
                             "/dev/ttyUSB0",
                             "/dev/ttyUSB1",
                             "/dev/ttyUSB2",
                             "/dev/ttyUSB3",
                             "/dev/ttyUSB4",
                             "/dev/ttyUSB5",
                             "/dev/ttyUSB6",
                             "/dev/ttyUSB7",
                             "/dev/ttyACM0",
                             "/dev/ttyACM1",
                             "/dev/ttyACM2",
                             "/dev/ttyACM3",
                             "/dev/ttyS0",
                             "/dev/ttyS1",
                             "/dev/ttyS2",
                             "/dev/ttyS3"};
    for (int n = 0; n <= 16; ++n)
        QCOMPARE(QString::fromStdString(LinuxPortDevice(n)), QString(table[n]));
    QVERIFY(LinuxPortDevice(17).empty());
#ifdef __linux__
    QCOMPARE(QString::fromStdString(PortDeviceName(9)), QString("/dev/ttyACM0"));
    QCOMPARE(PortNumberOfDevice("/dev/ttyUSB3"), 4);
    QCOMPARE(PortNumberOfDevice("/dev/ttyS3"), 16);
    QCOMPARE(PortNumberOfDevice(pty_.SlavePath()), 0);
#endif
    // The "%*[^M]M%d" rule of Windows names.
    QCOMPARE(PortNumberFromComName("COM7"), 7);
    QCOMPARE(PortNumberFromComName("\\\\.\\COM12"), 12);
    QCOMPARE(PortNumberFromComName("COM0"), 0);
    QCOMPARE(PortNumberFromComName("ttyUSB0"), 0);
    QCOMPARE(PortNumberFromComName("M5"), 0);
}

void TestSerialLink::resolvePortArgument() {
#ifdef __linux__
    QCOMPARE(QString::fromStdString(ResolvePortArgument("ttyUSB0")), QString("/dev/ttyUSB0"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument("/dev/ttyUSB0")), QString("/dev/ttyUSB0"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument("/dev/serial/by-id/usb-x")),
             QString("/dev/serial/by-id/usb-x"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument("COM3")), QString("/dev/ttyUSB2"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument("com13")), QString("/dev/ttyS0"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument("COM17")), QString("/dev/COM17"));
    QCOMPARE(QString::fromStdString(ResolvePortArgument(pty_.SlavePath())),
             QString::fromStdString(pty_.SlavePath()));
#endif
}

void TestSerialLink::silentReadTakes150ms() {
    SerialLink link;
    QVERIFY(link.Open(pty_.SlavePath(), nullptr));
    std::uint8_t b = 0xAA;
    const auto start = Clock::now();
    QCOMPARE(link.Read(&b, 1), std::size_t(0));
    const qint64 ms = MsSince(start);
    QVERIFY2(ms >= 148 && ms < 300, QByteArray::number(ms));
    QCOMPARE(b, std::uint8_t(0xAA));
}

void TestSerialLink::readStopsAfterGapBetweenBytes() {
    SerialLink link;
    QVERIFY(link.Open(pty_.SlavePath(), nullptr));
    link.Purge();
    const std::uint8_t sent[3] = {1, 2, 3};
    WriteMaster(pty_, sent, 3);
    std::uint8_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    const auto start = Clock::now();
    // The total would allow 500 ms; the line falls quiet after three bytes.
    QCOMPARE(link.Read(buffer, 8), std::size_t(3));
    const qint64 ms = MsSince(start);
    QVERIFY2(ms >= 95 && ms < 300, QByteArray::number(ms));
    QCOMPARE(buffer[0], std::uint8_t(1));
    QCOMPARE(buffer[2], std::uint8_t(3));
    for (int i = 3; i < 8; ++i)
        QCOMPARE(buffer[i], std::uint8_t(0xEE));
}

void TestSerialLink::readStopsAtTotalTimeOut() {
    SerialLink link;
    QVERIFY(link.Open(pty_.SlavePath(), nullptr));
    link.Purge();
    // One byte every 75 ms never trips the 100 ms gap; 20 bytes would take
    // 1425 ms, beyond the 20 x 50 + 100 = 1100 ms in all.
    std::atomic<bool> stop{false};
    const int master = pty_.Master();
    std::thread sender([&stop, master] {
        const auto t0 = Clock::now();
        for (int i = 0; i < 20 && !stop; ++i) {
            std::this_thread::sleep_until(t0 + std::chrono::milliseconds(75 * i));
            const std::uint8_t b = static_cast<std::uint8_t>(i);
            if (::write(master, &b, 1) != 1)
                break;
        }
    });
    std::uint8_t buffer[20] = {};
    const auto start = Clock::now();
    const std::size_t got = link.Read(buffer, 20);
    const qint64 ms = MsSince(start);
    stop = true;
    sender.join();
    QVERIFY2(ms >= 1095 && ms < 1300, QByteArray::number(ms));
    QVERIFY2(got >= 12 && got < 20, QByteArray::number(qulonglong(got)));
    for (std::size_t i = 0; i < got; ++i)
        QCOMPARE(buffer[i], static_cast<std::uint8_t>(i));
}

void TestSerialLink::completeReadReturnsAtOnce() {
    SerialLink link;
    QVERIFY(link.Open(pty_.SlavePath(), nullptr));
    link.Purge();
    const std::uint8_t sent[5] = {9, 8, 7, 6, 5};
    WriteMaster(pty_, sent, 5);
    std::uint8_t buffer[5] = {};
    const auto start = Clock::now();
    QCOMPARE(link.Read(buffer, 5), std::size_t(5));
    QVERIFY(MsSince(start) < 50);
    QVERIFY(std::equal(sent, sent + 5, buffer));
}

void TestSerialLink::writeAndPurge() {
    SerialLink link;
    QVERIFY(link.Open(pty_.SlavePath(), nullptr));
    const std::uint8_t command[4] = {'R', 0x3F, 0x70, 0x10};
    QVERIFY(link.Write(command, 4));
    std::uint8_t got[4] = {};
    std::size_t n = 0;
    for (int i = 0; i < 100 && n < 4; ++i) {
        const ssize_t k = ::read(pty_.Master(), got + n, 4 - n);
        if (k > 0)
            n += static_cast<std::size_t>(k);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    QCOMPARE(n, std::size_t(4));
    QVERIFY(std::equal(command, command + 4, got));

    // Bytes waiting in the receive queue are gone after a purge.
    const std::uint8_t stale[3] = {0x50, 0x47, 0x41};
    WriteMaster(pty_, stale, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    link.Purge();
    std::uint8_t b = 0;
    QCOMPARE(link.Read(&b, 1), std::size_t(0));
}

void TestSerialLink::openIsExclusive() {
    const std::string device = pty_.SlavePath();
    std::string reason;
    {
        SerialLink first;
        QVERIFY(first.Open(device, &reason));
        SerialLink second;
        QVERIFY(!second.Open(device, &reason));
        QVERIFY2(QString::fromStdString(reason).contains("held open by another program"),
                 reason.c_str());
        QVERIFY(!second.IsOpen());
        first.Close();
        QVERIFY(second.Open(device, &reason));
    }
    // Destroying a link closes it.
    QVERIFY(test::PortOpensAgain(device));
}

void TestSerialLink::openFailureReasons() {
    std::string reason;
    SerialLink link;
    QVERIFY(!link.Open("/dev/kestra-no-such-port", &reason));
    QVERIFY2(QString::fromStdString(reason).contains("No such file or directory"), reason.c_str());
    QVERIFY(!link.Open("", &reason));
    QVERIFY(!reason.empty());

    // A regular file is not a serial port.
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(!link.Open(file.fileName().toStdString(), &reason));
    QVERIFY(!link.IsOpen());

    // A permission problem names the group that owns the device; without
    // one to name, the usual owner of serial adapters.
    const QString fallback =
        QString::fromStdString(DescribeOpenFailure("/dev/kestra-none", EACCES));
    QVERIFY2(fallback.contains("Permission denied"), qPrintable(fallback));
    QVERIFY2(fallback.contains("Join the group \"dialout\""), qPrintable(fallback));
    const struct group* tty = ::getgrnam("tty");
    if (!tty || ::chown(file.fileName().toLocal8Bit().constData(), static_cast<uid_t>(-1),
                        tty->gr_gid) != 0)
        QSKIP("cannot give a file to the group tty here");
    const QString denied =
        QString::fromStdString(DescribeOpenFailure(file.fileName().toStdString(), EACCES));
    QVERIFY2(denied.contains("Join the group \"tty\""), qPrintable(denied));
}

void TestSerialLink::probeSkipsHeldPorts() {
    // The probe leaves nothing open behind it, and a device that is not in
    // the table has no port number.
    const PortProbe probe = ProbePorts(pty_.SlavePath());
    QCOMPARE(probe.available.size(), std::size_t(kPortCount + 1));
    QCOMPARE(probe.selected, 0);
    QVERIFY(test::PortOpensAgain(pty_.SlavePath()));

    // Where a port of the table exists here, holding it open hides it.
    int present = 0;
    for (int n = 1; n <= kPortCount && !present; ++n)
        if (probe.available[static_cast<std::size_t>(n)])
            present = n;
    if (!present)
        QSKIP("no port of the table can be opened on this machine");
    SerialLink holder;
    QVERIFY(holder.Open(PortDeviceName(present), nullptr));
    const PortProbe held = ProbePorts(PortDeviceName(present));
    QVERIFY(!held.available[static_cast<std::size_t>(present)]);
    QCOMPARE(held.selected, 0);
    holder.Close();
    const PortProbe free = ProbePorts(PortDeviceName(present));
    QVERIFY(free.available[static_cast<std::size_t>(present)]);
    QCOMPARE(free.selected, present);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_serial_link.moc"
