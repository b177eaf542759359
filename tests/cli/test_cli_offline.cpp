// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli as a process: which command an argument list reaches, its exit
// status (0 success, 1 failed, 2 bad usage or input), what goes to standard
// output and standard error, and the commands on .dat files alone.
#include <QtTest>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "core/document/default_image.h"
#include "core/grid/channel_arrange.h"
#include "core/grid/channel_grid.h"
#include "support/cli_process.h"

using namespace kestra;
using namespace kestra::testing;

class CliOfflineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString image_;

private slots:
    void initTestCase() {
        image_ = dir_.filePath("in.dat");
        RadioImage image;
        ApplyBuiltInDefaults(image);
        QVERIFY(WriteAll(image_, ToBytes(image)));
        QVERIFY(WriteAll(dir_.filePath("short.dat"), QByteArray(1000, '\xFF')));
    }

    // IMG in args stands for a usable image, MISSING for a file that is not
    // there, SHORT for one of 1000 bytes, PORT for a port that does not exist. A run that fails
    // prints nothing on standard output and writes no OUT.
    void routing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStdout");
        QTest::addColumn<QString>("fragment");
        auto row = [](const char* name, QStringList args, int code, bool out, QString text) {
            QTest::newRow(name) << args << code << out << text;
        };
        row("no command", {}, 2, false, "missing command");
        row("help", {"--help"}, 0, true, "  configure IN.dat -o OUT.dat");
        row("version", {"--version"}, 0, true, "kestra-cli ");
        row("unknown command", {"frobnicate"}, 2, false, "unknown command 'frobnicate'");
        row("command help", {"channels", "IMG", "--help"}, 0, true,
            "Usage: kestra-cli channels IMAGE.dat\n");
        row("unknown option", {"new", "--bogus", "x.dat"}, 2, false, "unknown option --bogus");
        row("value for a flag", {"new", "--builtin=1", "x.dat"}, 2, false, "takes no value");
        row("option without value", {"export-csv", "IMG", "-o"}, 2, false, "-o needs a value");
        row("missing file argument", {"resave", "IMG"}, 2, false, "an input and an output file");
        row("input missing", {"channels", "MISSING"}, 2, false, "missing.dat");
        row("input short", {"resave", "SHORT", "OUT"}, 2, false, "1000");
        row("channels", {"channels", "IMG"}, 0, true, "A 001\t\t\t\t\t\t\t\t\nA 002\t");
        row("settings", {"settings", "IMG", "--form=model"}, 0, true, "[model]\n");
        row("settings factory", {"settings", "IMG", "--factory", "qdm537"}, 0, true,
            "\n[decoder]\n");
        row("settings wrong password", {"settings", "IMG", "--factory", "x"}, 2, false,
            "does not match");
        row("settings factory form", {"settings", "IMG", "--form", "tuning"}, 2, false,
            "needs --factory");
        row("configure without -o", {"configure", "IMG"}, 2, false, "needs -o OUT.dat");
        row("export-csv", {"export-csv", "IMG"}, 0, true, "Location,Name,Frequency,");
        row("diff one file", {"diff", "IMG"}, 2, false, "expected two image files");
        row("diff missing", {"diff", "IMG", "MISSING"}, 2, false, "missing.dat");
        row("diff unknown form", {"diff", "IMG", "IMG", "--form", "nosuch"}, 2, false, "nosuch");
        row("import-csv without -o", {"import-csv", "IMG", "c.csv"}, 2, false, "-o OUT.dat");
        row("arrange without operation", {"arrange", "IMG", "-o", "x.dat"}, 2, false,
            "at least one operation");
        row("arrange stray --range", {"arrange", "IMG", "-o", "x.dat", "--range", "A001-A009"},
            2, false, "--range belongs right after a --sort");
        // The transfer commands refuse bad usage before they look at the port.
        row("read without --port", {"read", "-o", "OUT"}, 2, false, "--port");
        row("read without -o", {"read", "--port", "PORT"}, 2, false, "-o");
        row("write short input", {"write", "--port", "PORT", "SHORT"}, 2, false, "1000");
        row("write missing input", {"write", "--port", "PORT", "MISSING"}, 2, false, "missing");
        row("read short base", {"read", "--port", "PORT", "--base", "SHORT", "-o", "OUT"}, 2, false,
            "1000");
        row("calibration neither read nor write", {"calibration", "--port", "PORT"}, 2, false,
            "kestra-cli: ");
        row("read unknown option", {"read", "--port", "PORT", "--bogus", "-o", "OUT"}, 2, false,
            "unknown option --bogus");
        row("value for --trace",
            {"calibration", "read", "--port=PORT", "--trace=1", "--factory=QDM537", "IMG"}, 2,
            false, "kestra-cli: option --trace takes no value");
        row("simulate count", {"simulate", "--answer-on", "x"}, 2, false, "a whole number");
        row("simulate identification", {"simulate", "--ident", "QVN"}, 2, false, "--ident takes");
        row("simulate offset", {"simulate", "--corrupt-store", "0x4000"}, 2, false, "0..0x3FFF");
        row("value for --pace", {"simulate", "--pace=yes"}, 2, false,
            "kestra-cli: option --pace takes no value");
    }
    void routing() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, onStdout);
        QFETCH(QString, fragment);
        args.replaceInStrings(QRegularExpression("^IMG$"), image_);
        args.replaceInStrings(QRegularExpression("^MISSING$"), dir_.filePath("missing.dat"));
        args.replaceInStrings(QRegularExpression("^SHORT$"), dir_.filePath("short.dat"));
        args.replaceInStrings(QRegularExpression("^OUT$"), dir_.filePath("out.dat"));
        args.replaceInStrings("PORT", dir_.filePath("no-such-port"));
        const Run r = Cli(args);
        QVERIFY2(r.exitCode == exitCode, r.err.constData());
        QVERIFY2(QString::fromUtf8(onStdout ? r.out : r.err).contains(fragment),
                 (onStdout ? r.out : r.err).constData());
        if (exitCode != 0) {
            QCOMPARE(r.out, QByteArray());
            QVERIFY(!QFile::exists(dir_.filePath("out.dat")));
        }
    }

    // What resave writes is resave_fuzz's check, on random images.
    void newWritesTheBuiltInImage() {
        const QString fresh = dir_.filePath("new.dat");
        QCOMPARE(Cli({"new", "--builtin", fresh}).exitCode, 0);
        RadioImage expected;
        ApplyBuiltInDefaults(expected);
        QCOMPARE(ReadAll(fresh), ToBytes(expected));
    }

    // The operations run in the order given, each as the application runs
    // it; one that is refused names itself and nothing is written.
    void arrangeAppliesOperationsInOrder() {
        RadioImage image;
        ApplyBuiltInDefaults(image);
        const std::uint32_t rx[] = {14700000, 14500000, 14600000};
        for (int n = 1; n <= 3; ++n)
            ChannelRecord(image, n).SetRx(rx[n - 1]);
        ChannelRecord(image, 256).SetRx(43900000);
        const QString in = dir_.filePath("arrange-in.dat"), out = dir_.filePath("arrange.dat");
        QVERIFY(WriteAll(in, ToBytes(image)));
        const Run r = Cli({"arrange", in, "-o", out, "--move", "A001:A003", "--sort", "rx",
                           "--range=A002-A003", "--insert", "A002", "--delete", "B127-B128"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        BandLimits limits;
        PassThroughGrid(image, limits);
        QVERIFY(MoveChannels(image, limits, 1, 1, 3).ok());
        QVERIFY(SortChannels(image, limits, 2, 3, SortKey::Rx).ok());
        QVERIFY(InsertChannel(image, limits, 2).ok());
        QVERIFY(DeleteChannels(image, limits, 255, 256).ok());
        QCOMPARE(ReadAll(out), ToBytes(image));
        QCOMPARE(ChannelRecord(image, 1).Rx(), 14500000u);
        QCOMPARE(ChannelRecord(image, 4).Rx(), 14700000u);

        // B128 is used: inserting into band B is refused, after a move that worked.
        const QString none = dir_.filePath("none.dat");
        const Run refused =
            Cli({"arrange", in, "-o", none, "--move", "A001:A002", "--insert", "B001"});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains("--insert B001: B128 "), refused.err.constData());
        QVERIFY(!QFile::exists(none));
    }

    void failedOutputsExit1() {
        Run r = Cli({"new", "--builtin", dir_.filePath("no/such/dir/x.dat")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
#ifndef _WIN32
        // Standard output on a full disk: a /dev/full of its own in the
        // temporary folder (making one needs root).
        if (::geteuid() != 0)
            QSKIP("making a device node needs root; run the tests as root for this case");
        const QString full = dir_.filePath("full");
        QVERIFY(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0);
        for (const char* command : {"channels", "settings"}) {
            r = CliTo(KESTRA_CLI_PATH, {command, image_}, full);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(std::strerror(ENOSPC)), r.err.constData());
        }
        QCOMPARE(CliTo(KESTRA_CLI_PATH, {"--help"}, full).exitCode, 1);
#endif
    }
};

QTEST_GUILESS_MAIN(CliOfflineTest)
#include "test_cli_offline.moc"
