// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli's transfer commands end to end: `kestra-cli simulate` serves
// the virtual radio in its own process, the other commands talk to it.
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <signal.h>

#include "core/document/dat_file.h"
#include "core/grid/channel_grid.h"
#include "link/exchange.h"
#include "link/virtual_radio.h"
#include "support/cli_process.h"
#include "support/fake_sysfs.h"
#include "support/link_fixture.h"

using namespace kestra;

namespace {

// A run of kestra-cli with its standard error line by line.
struct CliRun {
    int exitCode = -1;
    QString out;
    QStringList err;
};

CliRun RunCli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment()) {
    const testing::Run run = testing::CliTo(KESTRA_CLI_PATH, args, QString(), 20000, env);
    return {run.exitCode, QString::fromUtf8(run.out),
            QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts)};
}

// The first line on standard error that is not a progress percentage.
QString FirstMessage(const CliRun& run) {
    static const QRegularExpression percent("^\\d+%$");
    for (const QString& line : run.err)
        if (!percent.match(line).hasMatch())
            return line;
    return QString();
}

// A `kestra-cli simulate` process; Stop() sends SIGTERM.
class Simulator : public test::ChildProcess {
public:
    Simulator() : ChildProcess(true) {}
    bool Start(const QStringList& args) {
        ChildProcess::Start(QStringLiteral(KESTRA_CLI_PATH), QStringList{"simulate"} + args);
        device_ = FirstLine();
        return device_.startsWith('/');
    }
    bool Stop() { return Release(); }
    QString device() const { return device_; }

private:
    QString device_;
};

// The paths of the backups of one kind ("read", "write", "" for any) in
// dir, by name (with its same-second number when another came first in that
// second).
QStringList Backups(const QString& dir, const char* kind) {
    QStringList paths;
    for (const QString& name :
         QDir(dir).entryList({QStringLiteral("*%1*.dat").arg(kind)}, QDir::Files, QDir::Name))
        paths << QDir(dir).filePath(name);
    return paths;
}

bool Save(const QString& path, const RadioImage& image) {
    return SaveDatFile(path.toStdString(), image, nullptr);
}

// The image in the file; all zeros, which no image of these tests is, when
// it cannot be loaded.
RadioImage Loaded(const QString& path) {
    RadioImage image;
    if (!LoadDatFile(path.toStdString(), image, nullptr))
        image = RadioImage();
    return image;
}

// The image as the application sends it after opening the file.
RadioImage AsSent(RadioImage image) {
    BandLimits limits;
    PassThroughGrid(image, limits);
    return image;
}

} // namespace

class TestCliTransfers : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void readWriteAndSave() {
        const RadioImage radioMemory = test::PatternImage(41);
        QVERIFY(Save(Path("radio.dat"), radioMemory));
        Simulator sim;
        QVERIFY(sim.Start({"--image", Path("radio.dat"), "--save", Path("saved.dat")}));

        // read: the radio's ranges into a copy of the base image.
        const RadioImage base = test::PatternImage(42);
        QVERIFY(Save(Path("base.dat"), base));
        // Each successful exchange leaves a backup of the image it moved.
        const QString bk = Path("bk");
        CliRun run = RunCli({"read", "--port", sim.device(), "--base", Path("base.dat"),
                             "--backup-dir", bk, "-o", Path("read.dat")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(run.err.last(), QString("Data read."));
        QCOMPARE(run.err.first(), QString("0%"));
        const RadioImage read = Loaded(Path("read.dat"));
        QCOMPARE(test::FirstMismatch(read, radioMemory, base, kReadRanges), -1);
        QVERIFY(Loaded(Backups(bk, "read").value(0)) == read);

        // write: what the application sends after opening the file; --verify
        // reads it back, the progress covering both.
        RadioImage edited = ExampleRadioMemory();
        ChannelRecord(edited, 5).SetRx(14600000);
        ChannelRecord(edited, 5).SetTx(14600000);
        QVERIFY(Save(Path("edited.dat"), edited));
        run = RunCli({"write", "--verify", "--port=" + sim.device(), "--backup-dir", bk,
                      Path("edited.dat")});
        QCOMPARE(run.exitCode, 0);
        // The note on success follows the progress on standard error: the
        // exit status alone says how the exchange went.
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.last(), QString("Writing to the radio is complete and verified"));
        QCOMPARE(run.err.filter("%").size(), 101);
        const RadioImage expected = AsSent(edited);
        QVERIFY(Loaded(Backups(bk, "write").value(0)) == expected);
        QCOMPARE(Backups(bk, "").size(), 2);

        // --trace shows the bytes of a read, the greeting first.
        run = RunCli({"read", "--trace", "--port", sim.device(), "--no-backup", "--backup-dir",
                      Path("none"), "-o", Path("traced.dat")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QFileInfo::exists(Path("none")));
        // A pseudo-terminal takes no low-latency setting: no error, the trace
        // says so first.
        QVERIFY2(run.err.first().contains("# " + sim.device() + ": low latency: off ("),
                 qPrintable(run.err.first()));
        QVERIFY2(run.err.value(1).endsWith("> 02"), qPrintable(run.err.value(1)));
        QVERIFY(run.err.filter(QRegularExpression("< 50$")).size() >= 1);
        QVERIFY(test::SameRange(Loaded(Path("traced.dat")), expected, 0, 0x3000));

        // simulate ends on SIGTERM and saves the radio's memory.
        QVERIFY(sim.Stop());
        const RadioImage saved = Loaded(Path("saved.dat"));
        QCOMPARE(test::FirstMismatch(saved, expected, radioMemory, kWriteRanges), -1);
    }

    void factoryCommands() {
        Simulator sim;
        QVERIFY(sim.Start({"--ident", "blank", "--save", Path("saved.dat")}));
        const RadioImage image = test::PatternImage(43);
        QVERIFY(Save(Path("image.dat"), image));

        // Factory mode skips the identification check a blank radio fails.
        const CliRun blankRead = RunCli({"read", "--factory", "QDM537", "--no-backup", "--port",
                                         sim.device(), "-o", Path("x.dat")});
        QCOMPARE(blankRead.exitCode, 0);

        // The password in any letter case; a blank radio can be initialised.
        // A backup folder that cannot be made: a warning, and the exchange succeeds.
        CliRun run = RunCli({"init", "--port", sim.device(), "--factory", "qdm537", "--backup-dir",
                             Path("image.dat") + "/bk", Path("image.dat")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.last(), QString("Data initialised."));
        QCOMPARE(run.err.size(), 103); // 0% .. 100%, one line each, the warning and the note
        QCOMPARE(run.err.filter("warning").size(), 1);

        // calibration write sends the file's bytes as they are, read back.
        // What it overwrote was read first and kept: the file's image with
        // the radio's region as it was.
        const RadioImage calibration = test::PatternImage(44);
        QVERIFY(Save(Path("calibration.dat"), calibration));
        const QString bk = Path("bk");
        run = RunCli({"calibration", "write", "--verify", "--port", sim.device(), "--factory",
                      "QDM537", "--backup-dir", bk, Path("calibration.dat")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.last(), QString("Data written."));
        const RadioImage initialised = AsSent(image);
        const TransferRanges calibrationRange{RegionRange(RegionKind::Calibration), {0, 0}};
        QCOMPARE(Backups(bk, "").size(), 1);
        const RadioImage before = Loaded(Backups(bk, "-calibration").value(0));
        QCOMPARE(test::FirstMismatch(before, initialised, calibration, calibrationRange), -1);
        run = RunCli({"decoder", "read", "--port", sim.device(), "--factory", "QDM537", "--base",
                      Path("calibration.dat"), "-o", Path("decoder.dat")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.last(), QString("Data read."));

        QVERIFY(sim.Stop());
        const RadioImage saved = Loaded(Path("saved.dat"));
        QCOMPARE(test::FirstMismatch(saved, calibration, initialised, calibrationRange), -1);
        const RadioImage decoder = Loaded(Path("decoder.dat"));
        const TransferRanges decoderRange{RegionRange(RegionKind::DecoderTable), {0, 0}};
        QCOMPARE(test::FirstMismatch(decoder, initialised, calibration, decoderRange), -1);
    }

    // A failed exchange exits 1 and writes no OUT: any progress lines, the
    // message, then the step that failed on the port it failed on. What a
    // write was sending is backed up whatever happened to it. A region write
    // whose reading first fails writes nothing; one that fails says where
    // the radio's data from before it is (BACKUP).
    void failures_data() {
        QTest::addColumn<QStringList>("simulate"); // empty: no radio, no port
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("progress");
        QTest::addColumn<QString>("message"); // in the language of the run
        QTest::addColumn<QString>("detail");  // the last lines; PORT for the device
        QTest::addColumn<int>("backups");
        const auto row = [](const char* name, const QStringList& simulate, const QStringList& args,
                            bool progress, const char* message, const QString& detail,
                            int backups) {
            QTest::newRow(name) << simulate << args << progress << QString(message) << detail
                                << backups;
        };
        const QStringList read{"read", "-o", "OUT"};
        const QStringList badAck{"--wrong-ack-after", "200"};
        // A byte of the example image the radio stores inverted.
        const auto storedWrong = [](int address) {
            const int sent = AsSent(ExampleRadioMemory())[std::size_t(address)];
            return QString::asprintf("PORT: first difference at 0x%04X: sent %02X, found %02X (1 "
                                     "byte differs)\nThe radio now holds data other than what was "
                                     "sent. Write to it again.",
                                     address, sent, sent ^ 0xFF);
        };
        row("no such port", {}, read, false, "Cannot open the serial port",
            "PORT: " + testing::EnglishReason(ENOENT), 0);
        row("refused identification", {"--ident", "blank"}, read, false,
            "The radio’s data is not valid. Write to the radio first.",
            "PORT: wrong identification (FF FF FF FF FF FF FF FF)", 0);
        row("no acknowledgement", badAck, read, true, "Communication error",
            "PORT: no acknowledgement at block 0x18E0 (got 15)", 0);
        row("no acknowledgement, write", badAck, {"write", "IMG"}, true, "Communication error",
            "The radio may now hold partly written data. Write to it again.", 1);
        row("failed verification", {"--corrupt-store", "0x2E14"}, {"write", "--verify", "IMG"},
            true, "Verifying the write failed", storedWrong(0x2E14), 1);
        row("calibration write, reading first fails", {"--silent"},
            {"calibration", "write", "--factory", "QDM537", "IMG"}, false, "Communication error",
            "PORT: no answer to the greeting\nNothing was written: the radio’s data could not be "
            "read before writing.",
            0);
        row("calibration write, failed verification", {"--corrupt-store", "0x3ED5"},
            {"calibration", "write", "--verify", "--factory", "QDM537", "IMG"}, false,
            "Verifying the write failed",
            storedWrong(0x3ED5) + "\nThe radio’s data from before the write is in “BACKUP”.", 1);
    }

    void failures() {
        QFETCH(QStringList, simulate);
        QFETCH(QStringList, args);
        QFETCH(bool, progress);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        QFETCH(int, backups);
        QVERIFY(Save(Path("image.dat"), ExampleRadioMemory()));
        Simulator sim;
        QString port = "/dev/kestra-no-such-port";
        if (!simulate.isEmpty()) {
            QVERIFY(sim.Start(simulate));
            port = sim.device();
        }
        args.replaceInStrings(QRegularExpression("^OUT$"), Path("out.dat"));
        args.replaceInStrings(QRegularExpression("^IMG$"), Path("image.dat"));
        const CliRun run = RunCli(args + QStringList{"--port", port, "--backup-dir", Path("bk")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.value(0) == "0%", progress);
        QCOMPARE(FirstMessage(run), message);
        const QStringList kept = Backups(Path("bk"), "");
        QCOMPARE(kept.size(), backups);
        QCOMPARE(run.err.mid(run.err.size() - 1 - detail.count('\n')).join('\n'),
                 QString(detail).replace("PORT", port).replace("BACKUP", kept.value(0)));
        QVERIFY(!QFile::exists(Path("out.dat")));
    }

    void interruptedExchange_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("command");
        QTest::newRow("Ctrl+C during read") << int(SIGINT) << "read";
        QTest::newRow("SIGTERM during read") << int(SIGTERM) << "read";
        QTest::newRow("SIGTERM during write") << int(SIGTERM) << "write";
        QTest::newRow("SIGHUP during read") << int(SIGHUP) << "read";
    }

    void interruptedExchange() {
        QFETCH(int, signal);
        QFETCH(QString, command);
        // A radio that holds back each answer 40 ms: a whole read takes about
        // 16 s. (Its answers leave whole, so a busy machine cannot open a gap
        // inside one the way a paced line's bytes can.)
        Simulator radio;
        QVERIFY(radio.Start({"--latency", "40"}));
        const QString out = Path("out.dat");
        QVERIFY(Save(Path("image.dat"), test::PatternImage(46)));
        const QString bk = Path("bk");
        const QStringList args =
            (command == "read"
                 ? QStringList{"read", "--port", radio.device(), "-o", out}
                 : QStringList{"write", "--port", radio.device(), Path("image.dat")}) +
            QStringList{"--backup-dir", bk};
        QProcess cli;
        cli.setReadChannel(QProcess::StandardError);
        cli.start(QStringLiteral(KESTRA_CLI_PATH), args);
        QVERIFY(cli.waitForStarted(5000));
        // Wait until the blocks are moving.
        QByteArray err;
        while (!err.contains("2%") && cli.waitForReadyRead(10000))
            err += cli.readAllStandardError();
        QVERIFY2(err.contains("2%"), err.constData());

        QCOMPARE(::kill(static_cast<pid_t>(cli.processId()), signal), 0);
        QVERIFY(cli.waitForFinished(10000));
        // It closed the port before it ended: no lock file left behind, and the
        // port opens.
        const std::string device = ResolvePortArgument(radio.device().toStdString());
        QCOMPARE(InspectLockFile(PortLockFilePath(device), nullptr), LockFileState::Absent);
        QVERIFY(test::PortOpensAgain(device));
        // It ends by the signal, after saying so, and saves nothing.
        QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
        QCOMPARE(cli.exitCode(), signal);
        err += cli.readAllStandardError();
        QVERIFY2(err.contains("kestra-cli: interrupted"), err.constData());
        QCOMPARE(err.contains("may now hold partly written data"), command == "write");
        // Where it was, not at the end of the exchange: judged by the last
        // percentage shown, not by a clock (the rest was 15 s away).
        const QList<QByteArray> shown = err.left(err.lastIndexOf('%')).split('\n');
        QVERIFY2(shown.last().toInt() < 50, err.constData());
        QVERIFY(!QFile::exists(out));
        // A write cut short has kept what it was sending, saved before it began.
        const QStringList backups = Backups(bk, "");
        QCOMPARE(backups.size(), command == "write" ? 1 : 0);
        if (command == "write")
            QVERIFY(Loaded(backups[0]) == AsSent(test::PatternImage(46)));
    }

    // ports: the numbers, then every device with its cable (a fake sysfs).
    void ports() {
        test::FakeSysfs fake(Path("fake").toStdString());
        test::BuildCableZoo(fake);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KESTRA_SYSFS", QString::fromStdString(fake.Sys()));
        env.insert("KESTRA_DEVDIR", QString::fromStdString(fake.Dev()));
        const CliRun ports = RunCli({"ports"}, env);
        QCOMPARE(ports.exitCode, 0);
        const QStringList lines = ports.out.split('\n');
        QVERIFY(lines.first().startsWith("1\t/dev/ttyUSB0\t"));
        // The cable, and why its port does not open when it does not (the
        // fake cable's device is not there).
        const QStringList first = lines.first().split('\t');
        QCOMPARE(first.value(3), QStringLiteral("FTDI FT232R 0403:6001"));
        QCOMPARE(first.value(4).isEmpty(), first.value(2) == QStringLiteral("available"));
        QVERIFY(lines.value(8).startsWith("9\t/dev/ttyACM0\t"));
        // The devices' fields are test_serial_link's; here their columns, "-"
        // for what is unknown, and the by-id links under their device.
        const QString dev = QString::fromStdString(fake.Dev());
        QVERIFY(lines.contains(dev + "/ttyS1\tCOM14\t-\t-\t-\t-\t-\t-\tserial\t-"));
        const int usb0 = lines.indexOf(dev + "/ttyUSB0\tCOM1\tFTDI\tFT232R\t0403:6001\tFTDI\t"
                                             "FT232R USB UART\tA50285BI\tftdi_sio\t16 ms");
        QVERIFY(usb0 > kPortCount);
        QCOMPARE(lines.value(usb0 + 1),
                 "\t" + dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
        // A port's state is a word of the run's language.
        const QString word = RunCli({"--lang", "zh", "ports"}, env).out.section('\t', 2, 2);
        QVERIFY2(word == "可用" || word == "不可用", qPrintable(word));
    }

private:
    QString Path(const char* name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(TestCliTransfers)
#include "test_cli_transfers.moc"
