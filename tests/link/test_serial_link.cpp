// SPDX-License-Identifier: GPL-3.0-or-later
// SerialLink on a real pseudo-terminal through QSerialPort: port names, the
// read time-out rules, purge, exclusive opening and the locks it rests on,
// the reasons a port does not open, the probe. The serial devices and their
// cables as sysfs describes them, on a fake sysfs and /dev in the test's
// temporary folder; a failure on a cable named in its detail line.
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "link/pseudo_terminal.h"
#include "link/serial_devices.h"
#include "link/serial_link.h"
#include "link/transfers.h"
#include "link/virtual_radio.h"
#include "support/fake_sysfs.h"
#include "support/image_bytes.h"
#include "support/link_fixture.h"

using namespace kestra;
using test::Q;
using test::WriteAll;

namespace {

using Clock = std::chrono::steady_clock;

void WriteMaster(const PseudoTerminal& pty, const std::uint8_t* data, std::size_t n) {
    QCOMPARE(::write(pty.Master(), data, n), static_cast<ssize_t>(n));
}

// The terminal's exclusive-mode flag of the device, read through a
// descriptor of this process; -1 when it cannot be read.
int ExclusiveFlag(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    int exclusive = -1;
    if (::ioctl(fd, TIOCGEXCL, &exclusive) != 0)
        exclusive = -1;
    ::close(fd);
    return exclusive;
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void init() {
        std::string error;
        QVERIFY2(pty_.Open(&error), error.c_str());
    }

    void cleanup() {
        qunsetenv("KESTRA_SYSFS");
        qunsetenv("KESTRA_DEVDIR");
        qunsetenv("KESTRA_LOCKDIR");
        // Nothing a failed test planted outlives it.
        QDir(LockDir()).removeRecursively();
        pty_.Close();
    }

    void portNames() {
        QCOMPARE(Q(WindowsPortName(9)), QString("COM9"));
        QCOMPARE(Q(WindowsPortName(10)), QString("\\\\.\\COM10"));
        // The ends of each run of the Linux table; no device outside 1..16.
        const std::pair<int, const char*> ends[] = {{1, "/dev/ttyUSB0"},
                                                    {8, "/dev/ttyUSB7"},
                                                    {9, "/dev/ttyACM0"},
                                                    {12, "/dev/ttyACM3"},
                                                    {13, "/dev/ttyS0"},
                                                    {16, "/dev/ttyS3"},
                                                    {0, ""},
                                                    {17, ""}};
        for (const auto& [n, device] : ends)
            QCOMPARE(Q(LinuxPortDevice(n)), QString(device));
        // The "%*[^M]M%d" rule of Windows names.
        const std::pair<const char*, int> com[] = {
            {"COM7", 7}, {"\\\\.\\COM12", 12}, {"COM0", 0}, {"ttyUSB0", 0}, {"M5", 0}};
        for (const auto& [name, n] : com)
            QCOMPARE(PortNumberFromComName(name), n);
#ifdef __linux__
        for (int n = 1; n <= kPortCount; ++n)
            QCOMPARE(PortNumberOfDevice(PortDeviceName(n)), n);
        QCOMPARE(PortNumberOfDevice(pty_.SlavePath()), 0);
        const std::pair<const char*, const char*> arguments[] = {
            {"ttyUSB0", "/dev/ttyUSB0"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"},
            {"COM3", "/dev/ttyUSB2"},    {"/dev/serial/by-id/usb-x", "/dev/serial/by-id/usb-x"},
            {"com13", "/dev/ttyS0"},     {"COM16", "/dev/ttyS3"},
            {"COM17", "/dev/COM17"}};
        for (const auto& [argument, device] : arguments)
            QCOMPARE(Q(ResolvePortArgument(argument)), QString(device));
        QCOMPARE(ResolvePortArgument(pty_.SlavePath()), pty_.SlavePath());
#endif
    }

    // What a read of `wanted` bytes returns and when, with `sent` bytes
    // waiting: nothing waits 150 ms, bytes followed by silence end it after
    // the 100 ms gap (the total would allow 500 ms), a full read at once.
    // The lower bounds are the clock's; that the read ends early enough is
    // judged by order: a byte sent 400 ms in (four times the gap, still
    // inside the 500 ms total) is not taken, and a full read ends before
    // any time-out could have run.
    void readTimeOuts_data() {
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("minMs");
        QTest::newRow("silent") << 0 << 1 << kReadTotalPerByteMs + kReadTotalConstantMs - 2;
        QTest::newRow("gap after three bytes") << 3 << 8 << kReadIntervalTimeoutMs - 5;
        QTest::newRow("complete") << 5 << 5 << 0;
    }
    void readTimeOuts() {
        QFETCH(int, sent);
        QFETCH(int, wanted);
        QFETCH(int, minMs);
        SerialLink link;
        QVERIFY(link.Open(pty_.SlavePath(), nullptr));
        link.Purge();
        const std::uint8_t bytes[5] = {9, 8, 7, 6, 5};
        if (sent)
            WriteMaster(pty_, bytes, std::size_t(sent));
        std::uint8_t buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), 0xEE);
        const int master = pty_.Master();
        std::atomic<bool> readDone{false};
        std::thread late([&readDone, master] {
            for (int i = 0; i < 40 && !readDone; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const std::uint8_t b = 0x42;
            // Whether the byte went out shows in what the read got.
            if (!readDone && ::write(master, &b, 1) != 1)
                return;
        });
        QElapsedTimer timer;
        timer.start();
        const std::size_t got = link.Read(buffer, std::size_t(wanted));
        const qint64 ms = timer.elapsed();
        readDone = true;
        late.join();
        QCOMPARE(got, std::size_t(sent));
        QVERIFY2(ms >= minMs, QByteArray::number(ms));
        if (sent == wanted)
            QVERIFY2(ms < kReadIntervalTimeoutMs, QByteArray::number(ms));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(buffer[i], i < sent ? bytes[i] : std::uint8_t(0xEE));
    }

    // One byte every 75 ms never trips the 100 ms gap, so only the total
    // time-out (22 x 50 + 100 = 1200 ms) ends a read of 22 bytes that would
    // take 1575 ms to arrive. Judged by order, not by a clock: the read ends
    // while bytes are still to come, and not before the 16 bytes due by
    // 1125 ms have arrived (a total 100 ms short would end it at 15). A round
    // in which this machine kept the sender more than 20 ms off its beat
    // proves nothing and is run again.
    void readStopsAtTotalTimeOut() {
        constexpr int kWanted = 22;
        constexpr int kBeatMs = 75;
        const int due = (kReadTotalPerByteMs * kWanted + kReadTotalConstantMs - 50) / kBeatMs + 1;
        for (int round = 0; round < 3; ++round) {
            SerialLink link;
            QVERIFY(link.Open(pty_.SlavePath(), nullptr));
            link.Purge();
            std::atomic<int> written{0};
            std::atomic<bool> stop{false};
            std::atomic<bool> onBeat{true};
            const int master = pty_.Master();
            const auto t0 = Clock::now();
            std::thread sender([&, master] {
                for (int i = 0; i < kWanted && !stop; ++i) {
                    const auto at = t0 + std::chrono::milliseconds(kBeatMs * i);
                    std::this_thread::sleep_until(at);
                    const std::uint8_t b = static_cast<std::uint8_t>(i);
                    if (::write(master, &b, 1) != 1)
                        break;
                    if (Clock::now() - at > std::chrono::milliseconds(20))
                        onBeat = false;
                    written = i + 1;
                }
            });
            std::uint8_t buffer[kWanted] = {};
            const std::size_t got = link.Read(buffer, kWanted);
            const int writtenAtEnd = written;
            stop = true;
            sender.join();
            if (!onBeat)
                continue;
            const QByteArray counts =
                QByteArray::number(qulonglong(got)) + " of " + QByteArray::number(writtenAtEnd);
            QVERIFY2(writtenAtEnd < kWanted && got < std::size_t(kWanted), counts);
            QVERIFY2(got >= std::size_t(due), counts);
            for (std::size_t i = 0; i < got; ++i)
                QCOMPARE(buffer[i], static_cast<std::uint8_t>(i));
            return;
        }
        QSKIP("the machine is too busy to send a byte every 75 ms");
    }

    // What a write sends, every exchange on a pseudo-terminal sees; here that
    // the write says it went out, and that bytes waiting in the receive queue
    // are gone after a purge. The exchange is binary: 0x11 and 0x13 are data
    // (a 136 MHz radio's identification holds 0x13), never XON/XOFF, though a
    // fresh Linux terminal has software flow control on.
    void writePurgeAndRawBytes() {
        const int fd = ::open(pty_.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        termios tio{};
        QCOMPARE(::tcgetattr(fd, &tio), 0);
        tio.c_iflag |= IXON | IXOFF;
        QCOMPARE(::tcsetattr(fd, TCSANOW, &tio), 0);
        ::close(fd);
        SerialLink link;
        QVERIFY(link.Open(pty_.SlavePath(), nullptr));
        const std::uint8_t command[4] = {'R', 0x3F, 0x70, 0x10};
        QVERIFY(link.Write(command, 4));
        const std::uint8_t stale[3] = {0x50, 0x47, 0x41};
        WriteMaster(pty_, stale, 3);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        link.Purge();
        std::uint8_t got[3] = {};
        QCOMPARE(link.Read(got, 1), std::size_t(0));
        const std::uint8_t sent[3] = {0x60, 0x13, 0x11};
        WriteMaster(pty_, sent, 3);
        QCOMPARE(link.Read(got, 3), std::size_t(3));
        QVERIFY(std::equal(got, got + 3, sent));
    }

    // A program started with its standard streams closed (simulate >&-):
    // neither end of a new pair takes one of their numbers, so what is
    // printed for the user fails instead of reaching the line.
    void pseudoTerminalLeavesClosedStandardStreamsClosed() {
        int saved[3];
        for (int fd = 0; fd < 3; ++fd) {
            saved[fd] = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
            ::close(fd);
        }
        PseudoTerminal pty;
        const bool opened = pty.Open(nullptr);
        int taken = 0;
        for (int fd = 0; fd < 3; ++fd) {
            taken += ::fcntl(fd, F_GETFD) >= 0;
            ::dup2(saved[fd], fd);
            ::close(saved[fd]);
        }
        QVERIFY(opened);
        QCOMPARE(taken, 0);
    }

    void exclusiveModeIsNotKept() {
        const std::string device = pty_.SlavePath();
        {
            // QSerialPort puts the terminal into exclusive mode; a program killed
            // while it held the port could never take that back.
            SerialLink link;
            QVERIFY(link.Open(device, nullptr));
            if (::geteuid() == 0)
                QCOMPARE(ExclusiveFlag(device), 0);
        }
        if (::geteuid() != 0)
            QSKIP("only root opens a terminal left in exclusive mode");
        // A flag left behind by a program that is gone (the descriptor that set
        // it is closed; the pseudo-terminal lives on) is cleared on opening.
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        QCOMPARE(::ioctl(fd, TIOCEXCL), 0);
        ::close(fd);
        QCOMPARE(ExclusiveFlag(device), 1);
        SerialLink link;
        std::string reason;
        QVERIFY2(link.Open(device, &reason), reason.c_str());
        QCOMPARE(ExclusiveFlag(device), 0);
    }

    // Lock files as QSerialPort, lockdev and minicom write them: %1 stands
    // for the pid of a program that runs ("sleep"), and a live lock keeps the
    // port until its program has gone.
    void lockFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<LockFileState>("state");
        QTest::addColumn<bool>("removable");
        // A pid that no longer runs: a child that has ended.
        QProcess child;
        child.start(QStringLiteral("true"), {});
        child.waitForFinished(5000);
        const QByteArray dead = QByteArray::number(child.processId());
        const auto row = [](const char* name, const char* kind, const QByteArray& content,
                            LockFileState state = LockFileState::Stale, bool removable = true) {
            QTest::newRow(name) << QString(kind) << content << state << removable;
        };
        const LockFileState live = LockFileState::Live;
        row("none", "none", QByteArray(), LockFileState::Absent);
        row("empty", "file", QByteArray());
        row("junk", "file", "no pid here\n");
        row("pid then junk", "file", "12ab\nx\n");
        row("binary", "file", QByteArray("\x01\x02\x03\x04", 4));
        row("process gone", "file", dead + "\nkestra-cli\nhost\n");
        row("pid now another program", "file", "1\nkestra-cli-no-such-program\nhost\n");
        row("running, another program", "file", "      %1 minicom root\n");
        row("directory", "directory", QByteArray());
        row("link to nowhere", "link", QByteArray());
        row("directory with files", "directory", "x", LockFileState::Stale, false);
        row("live, QSerialPort", "file", "%1\nsleep\nhost\nmachine\nboot\n", live);
        row("live, lockdev", "file", "      %1\n", live);
        row("live, minicom", "file", "      %1 sleep root\n", live);
    }

    void lockFiles() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(LockFileState, state);
        QFETCH(bool, removable);
        QProcess sleeper;
        sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(sleeper.waitForStarted(5000));
        const QByteArray pid = QByteArray::number(sleeper.processId());
        content.replace("%1", pid);
        const std::string device = pty_.SlavePath();
        // Planted in a lock directory of the test's own, which Kestra is told
        // to judge; QSerialPort keeps writing its own lock in the system's.
        QVERIFY(QDir().mkpath(LockDir()));
        qputenv("KESTRA_LOCKDIR", LockDir().toLocal8Bit());
        const std::string lockPath = PortLockFilePath(device);
        QCOMPARE(Q(lockPath), LockDir() + "/LCK..pts_" + Q(device).section('/', -1));
        if (kind == "file") {
            QVERIFY(WriteAll(Q(lockPath), content));
        } else if (kind == "link") {
            QCOMPARE(::symlink("/nonexistent/kestra-lock", lockPath.c_str()), 0);
        } else if (kind == "directory") {
            QCOMPARE(::mkdir(lockPath.c_str(), 0755), 0);
            if (!content.isEmpty())
                QVERIFY(WriteAll(Q(lockPath + "/inside"), content));
        }
        HolderProcess holder;
        QCOMPARE(InspectLockFile(lockPath, &holder), state);
        std::string reason;
        SerialLink link;
        if (state == LockFileState::Live) {
            QCOMPARE(QByteArray::number(holder.pid), pid);
            QCOMPARE(Q(holder.name), QStringLiteral("sleep"));
            QVERIFY(!link.Open(device, &reason));
            const QString held = QStringLiteral("端口被进程 %1（sleep）占用").arg(pid);
            QVERIFY2(Q(reason).contains(held), reason.c_str());
            QFile file(Q(lockPath));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content); // a live lock is not touched
        }
        // Its process gone, a live lock is stale too. Opening removes the
        // stale lock or, when it cannot, leaves it alone while the flock
        // keeps the port.
        sleeper.kill();
        sleeper.waitForFinished(5000);
        QVERIFY2(link.Open(device, &reason), reason.c_str());
        QCOMPARE(QFileInfo::exists(Q(lockPath + (removable ? "" : "/inside"))), !removable);
        // QSerialPort locks the device by its name, unless a stale lock could
        // not be removed: then Kestra has it open the device by another name.
        qunsetenv("KESTRA_LOCKDIR");
        QCOMPARE(InspectLockFile(PortLockFilePath(device), nullptr),
                 removable ? LockFileState::Live : LockFileState::Absent);
        SerialLink second;
        QVERIFY(!second.Open(device, &reason));
        link.Close();
        QVERIFY(test::PortOpensAgain(device));
    }

    // The lock file Kestra judges is the one QSerialPort writes: while a link
    // is open it names this program, and closing removes it. The test only
    // reads the system's lock directory.
    void lockFileIsTheOneQSerialPortWrites() {
        const std::string device = pty_.SlavePath();
        const std::string lockPath = PortLockFilePath(device);
        QVERIFY2(Q(lockPath).endsWith("/LCK..pts_" + Q(device).section('/', -1)), lockPath.c_str());
        SerialLink link;
        std::string reason;
        QVERIFY2(link.Open(device, &reason), reason.c_str());
        HolderProcess holder;
        QCOMPARE(InspectLockFile(lockPath, &holder), LockFileState::Live);
        QCOMPARE(holder.pid, static_cast<int>(::getpid()));
        QCOMPARE(Q(holder.name), QStringLiteral("test_serial_link"));
        link.Close();
        QCOMPARE(InspectLockFile(lockPath, nullptr), LockFileState::Absent);
    }

    void openFailureReasons() {
        // A missing port's reason is test_cli_transfers' check.
        std::string reason;
        SerialLink link;
        QVERIFY(!link.Open("", &reason));
        QVERIFY(!reason.empty());

        // A regular file is not a serial port.
        QTemporaryFile file;
        QVERIFY(file.open());
        QVERIFY(!link.Open(file.fileName().toStdString(), &reason));
        QVERIFY(!link.IsOpen());

        // A port of the table is named as chosen (--port COM8) with its device.
        const std::string com8 = LinuxPortDevice(8);
        if (!QFile::exists(QString::fromStdString(com8))) {
            QVERIFY(!link.Open(com8, &reason));
            QVERIFY2(reason.rfind("COM8 (" + com8 + "): ", 0) == 0, reason.c_str());
        }
    }

    void permissionHint() {
        // A permission problem names the group that owns the device when joining
        // it helps; for a device of root's group, or one its group may not use,
        // a udev rule is needed.
        const auto hint = [](const std::string& device) {
            return Q(DescribeOpenFailure(device, EACCES));
        };
        // Where the installed rule is looked for: none yet.
        const QString rules = dir_.path() + "/rules.d";
        const QString installed = rules + "/60-kestra.rules";
        QVERIFY(QDir().mkpath(rules));
        qputenv("KESTRA_UDEV_RULES", rules.toLocal8Bit());
        const QString unknown = hint("/dev/kestra-none");
        QVERIFY2(unknown.contains(QString::fromLocal8Bit(std::strerror(EACCES))),
                 qPrintable(unknown));
        QVERIFY2(unknown.contains("udev 规则") && unknown.contains("README"), qPrintable(unknown));
        QVERIFY2(!unknown.contains("请加入"), qPrintable(unknown));
        // A device name given on the command line is shown escaped, on one line.
        QVERIFY(hint("/tmp/x\x1b[31m\nNEXT").startsWith("/tmp/x\\x1B[31m\\nNEXT: "));

        // Once the rule is installed, a cable it knows needs plugging in
        // again, another chip a rule of its own; a built-in port is never the
        // rule's. The sources' sample rule is named only while none is
        // installed.
        test::FakeSysfs fake = FakeCables();
        fake.AddUsbSerial("ttyUSB4", 8, "cp210x", "10c4", "8a5f", "Silicon Labs", "CP2104", "");
        const struct {
            const char* name;
            bool ruleInstalled;
            const char* says;
        } rows[] = {
            {"ttyUSB0", false, "见示例规则 res/udev/60-kestra.rules 和 README"},
            {"ttyUSB0", true,
             "已安装的 udev 规则 %1 在插入数据线时把它交给组“dialout”："
             "请拔下数据线再插上"},
            {"ttyUSB2", true, "%1 在插入数据线时"}, // CP210x ea60, a product the rule names
            {"ttyUSB9", true, "%1 在插入数据线时"},
            {"ttyUSB4", true, "%1 不认识这条数据线的芯片（Silicon Labs CP210x 10c4:8a5f）"},
            {"ttyACM0", true, "%1 不认识这条数据线的芯片（CDC-ACM 2341:0043）"},
            {"ttyS1", false, "Kestra 的 udev 规则只管 USB 串口数据线，不管这个设备"},
            {"ttyS1", true, "只管 USB 串口数据线，不管这个设备"},
            {"kestra-none", true, "只管 USB 串口数据线，不管这个设备"},
        };
        for (const auto& row : rows) {
            QFile::remove(installed);
            if (row.ruleInstalled)
                QVERIFY(QFile::copy(QStringLiteral(KESTRA_UDEV_RULE), installed));
            const QString text = hint(fake.DevPath(row.name));
            const QString says = QString::fromUtf8(row.says);
            QVERIFY2(text.contains(says.contains("%1") ? says.arg(installed) : says),
                     qPrintable(text));
            QCOMPARE(text.contains("README"), says.contains("README"));
        }
        QFile::remove(installed);
        qunsetenv("KESTRA_SYSFS");
        qunsetenv("KESTRA_DEVDIR");

        if (::geteuid() != 0)
            QSKIP("giving a file to the groups root and dialout needs root");
        const struct group* dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("there is no group dialout on this system");
        QTemporaryFile file;
        QVERIFY(file.open());
        const std::string path = file.fileName().toStdString();
        const struct {
            gid_t group;
            mode_t mode;
            bool join;
            const char* text;
        } cases[] = {
            {dialout->gr_gid, 0660, true, "请加入拥有该设备的组“dialout”"},
            {dialout->gr_gid, 0600, false, "拥有该设备的组“dialout”不能读写"},
            {0, 0660, false, "该设备属于组“root”"},
            {0, 0600, false, "该设备属于组“root”"},
        };
        for (const auto& c : cases) {
            QCOMPARE(::chown(path.c_str(), static_cast<uid_t>(-1), c.group), 0);
            QCOMPARE(::chmod(path.c_str(), c.mode), 0);
            const QString text = hint(path);
            QVERIFY2(text.contains(c.text), qPrintable(text));
            QCOMPARE(text.contains("请加入"), c.join);
            QCOMPARE(text.contains("res/udev/60-kestra.rules"), !c.join);
        }
    }

    void probeSkipsHeldPorts() {
        // The probe leaves nothing open behind it, and a device that is not in
        // the table has no port number.
        const PortProbe probe = ProbePorts(pty_.SlavePath());
        QCOMPARE(probe.available.size(), std::size_t(kPortCount + 1));
        QCOMPARE(probe.selected, 0);
        QVERIFY(test::PortOpensAgain(pty_.SlavePath()));
        // Each port that did not open says why.
        for (int n = 1; n <= kPortCount; ++n)
            QCOMPARE(probe.reasons[static_cast<std::size_t>(n)].empty(),
                     bool(probe.available[static_cast<std::size_t>(n)]));

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

    // The devices below are the fake cables of BuildCableZoo; a cable that
    // comes is listed in its place, one that goes is not.
    void everyCableIsNamed() {
        test::FakeSysfs fake = FakeCables();
        fake.AddBuiltIn("ttyS2", true, true); // a newer kernel's layout: the same row
        const std::vector<SerialDeviceInfo> devices = ListSerialDevices();
        // ttyS0 has no UART behind it and tty1 no device: neither is listed.
        QStringList rows;
        for (const SerialDeviceInfo& d : devices) {
            QCOMPARE(d.path, fake.DevPath(d.name));
            rows << QString::fromStdString(
                d.name + " " + std::to_string(d.portNumber) + " " + d.family + "|" + d.CableName() +
                "|" + d.manufacturer + "|" + d.serial + "|" + d.driver + "|" +
                std::to_string(d.latencyTimerMs) + (d.usb ? " usb" : ""));
        }
        QCOMPARE(rows,
                 QStringList({"ttyACM0 9 CDC-ACM|CDC-ACM 2341:0043|Arduino (www.arduino.cc)|"
                              "85736323838351|cdc_acm|-1 usb",
                              "ttyS1 14 ||||serial|-1", "ttyS2 15 ||||serial|-1",
                              "ttyUSB0 1 FTDI|FTDI FT232R 0403:6001|FTDI|A50285BI|ftdi_sio|16 usb",
                              "ttyUSB1 2 Prolific PL2303|Prolific PL2303 067b:2303|Prolific "
                              "Technology Inc.||pl2303|-1 usb",
                              "ttyUSB2 3 Silicon Labs CP210x|Silicon Labs CP210x 10c4:ea60|"
                              "Silicon Labs|0001|cp210x|-1 usb",
                              "ttyUSB9 0 WCH CH340/CH341|WCH CH340 1a86:7523|||ch341|-1 usb"}));
        QCOMPARE(devices[3].byIdLinks,
                 std::vector<std::string>{
                     fake.Dev() + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"});
        QVERIFY(devices[4].byIdLinks.empty());

        fake.AddUsbSerial("ttyUSB3", 7, "ftdi_sio", "0403", "6015", "FTDI", "FT230X", "X1");
        const std::vector<SerialDeviceInfo> after = ListSerialDevices();
        QCOMPARE(after.size(), devices.size() + 1);
        QCOMPARE(after[after.size() - 2].name, std::string("ttyUSB3")); // before ttyUSB9
        QCOMPARE(after[after.size() - 2].CableName(), std::string("FTDI FT-X 0403:6015"));
        fake.Remove("ttyUSB0");
        fake.Remove("ttyUSB3");
        QCOMPARE(ListSerialDevices().size(), devices.size() - 1);
    }

    void theDetailLineNamesTheCable() {
        test::FakeSysfs fake = FakeCables();
        const std::string usb0 = fake.DevPath("ttyUSB0");
        const std::string link =
            fake.Dev() + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QCOMPARE(PortLabel(usb0), "FTDI FT232R 0403:6001 on " + usb0);
        QCOMPARE(PortLabel(link), "FTDI FT232R 0403:6001 on " + link);
        // No cable: the device alone.
        QCOMPARE(PortLabel(fake.DevPath("ttyS1")), fake.DevPath("ttyS1"));
        QCOMPARE(PortLabel("/dev/kestra-no-such-port"), std::string("/dev/kestra-no-such-port"));

        // A faulty radio behind the FTDI cable's device node.
        VirtualRadioOptions options;
        options.wrongAckAfterBlock = 1;
        VirtualRadio radio(options);
        const std::string pty = radio.Start();
        QVERIFY(!pty.empty());
        fake.PointAt("ttyUSB0", pty);
        RadioImage image;
        const TransferResult result = RunTransfer(TransferKind::Read, usb0, image, false, nullptr);
        QVERIFY(!result.succeeded);
        QCOMPARE(result.message, std::string("通信出错"));
        QCOMPARE(result.detail,
                 "FTDI FT232R 0403:6001 on " + usb0 + ": 在块 0x0000 处没有收到确认（收到 15）");
    }

private:
    test::FakeSysfs FakeCables() {
        test::FakeSysfs fake(dir_.path().toStdString() + "/" + QTest::currentTestFunction());
        test::BuildCableZoo(fake);
        qputenv("KESTRA_SYSFS", QByteArray::fromStdString(fake.Sys()));
        qputenv("KESTRA_DEVDIR", QByteArray::fromStdString(fake.Dev()));
        return fake;
    }

    QTemporaryDir dir_;
    QString LockDir() const {
        return dir_.path() + QStringLiteral("/lock");
    }
    PseudoTerminal pty_;
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_serial_link.moc"
