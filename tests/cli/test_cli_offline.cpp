#include <QtTest>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "support/cli_process.h"

using namespace kestra;

using namespace kestra::testing;

class CliOfflineTest : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersion() {
        Run r = Cli({"--help"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("resave IN.dat OUT.dat"));
        QVERIFY(r.out.contains("channels IMAGE.dat"));
        r = Cli({"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("kestra-cli "));
        QCOMPARE(Cli({}).exitCode, 2);
        QCOMPARE(Cli({"frobnicate"}).exitCode, 2);
        QCOMPARE(Cli({"new", "--bogus", "x.dat"}).exitCode, 2);
    }

    void channelsPrintsTheGrid() {
        // The cells are RenderGrid's (tested in core): one line per row,
        // TAB-separated after the row label.
        QTemporaryDir dir;
        RadioImage image;
        ApplyBuiltInDefaults(image);
        ChannelRecord bvfo(image, 258);
        bvfo.SetRx(43500000);
        bvfo.SetTxNone();
        bvfo.SetRxTone({0x54, 0xC7});
        bvfo.SetTxTone({0x23, 0x80});
        bvfo.SetBusyLockout(1);
        const QString in = dir.filePath("in.dat");
        QVERIFY(WriteAll(in, ToBytes(image)));
        const Run r = Cli({"channels", in});
        QCOMPARE(r.exitCode, 0);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 259); // 258 lines and the final newline
        QCOMPARE(QString::fromUtf8(lines[0]), QString("A 001\t\t\t\t\t\t\t\t"));
        QCOMPARE(QString::fromUtf8(lines[257]),
                 QString("B VFO\t435.00000\t\tD754I\tD023N\t高\t是\t宽\t载波"));
    }

    void resaveIsThePassThroughTheGrid() {
        // What resave writes is tested in core and, over random images, by
        // resave_fuzz; here that the command does it, and only it.
        QTemporaryDir dir;
        const QString in = dir.filePath("in.dat");
        const QString out = dir.filePath("out.dat");
        QCOMPARE(Cli({"new", "--builtin", in}).exitCode, 0);
        QCOMPARE(Cli({"resave", in, out}).exitCode, 0);
        RadioImage expected = FromBytes(ReadAll(in));
        BandLimits limits;
        PassThroughGrid(expected, limits);
        QCOMPARE(ReadAll(out), ToBytes(expected));
        QVERIFY(ReadAll(out) != ReadAll(in));
        // Resaving the result again changes nothing.
        const QString again = dir.filePath("again.dat");
        QCOMPARE(Cli({"resave", out, again}).exitCode, 0);
        QCOMPARE(ReadAll(again), ReadAll(out));
    }

    void unusableInputGivesExit2AndNoOutput() {
        QTemporaryDir dir;
        const QString out = dir.filePath("out.dat");
        Run r = Cli({"resave", dir.filePath("missing.dat"), out});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(out));

        const QString shortFile = dir.filePath("short.dat");
        QVERIFY(WriteAll(shortFile, QByteArray(1000, '\xFF')));
        r = Cli({"resave", shortFile, out});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(QString::fromUtf8(r.err).contains("1000"));
        QVERIFY(!QFile::exists(out));
        r = Cli({"channels", shortFile});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());

        r = Cli({"channels", dir.path()}); // a directory
        QCOMPARE(r.exitCode, 2);

        QCOMPARE(Cli({"resave", shortFile}).exitCode, 2); // missing argument
        // An output that cannot be written is a failed operation.
        r = Cli({"new", "--builtin", dir.filePath("no/such/dir/x.dat")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
    }

#ifndef _WIN32
    void specialFilesAreWrittenThroughOrRefused() {
        QTemporaryDir dir;
        // An output that is a link to /dev/stdout (a pipe here) receives the
        // image; the link stays a link.
        const QString toStdout = dir.filePath("out.dat");
        QVERIFY(QFile::link(QStringLiteral("/dev/stdout"), toStdout));
        Run r = Cli({"new", "--builtin", toStdout});
        QCOMPARE(r.exitCode, 0);
        RadioImage expected;
        ApplyBuiltInDefaults(expected);
        QCOMPARE(r.out, ToBytes(expected));
        QVERIFY(QFileInfo(toStdout).isSymLink());

        // A FIFO as input is refused at once, exit 2, without waiting for a
        // writer (10 s limit, so a regression fails instead of hanging).
        const QString fifo = dir.filePath("fifo.dat");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        for (const QStringList& args :
             {QStringList{"channels", fifo}, QStringList{"resave", fifo, dir.filePath("x.dat")}}) {
            r = CliTo(KESTRA_CLI_PATH, args, QString(), 10000);
            QCOMPARE(r.exitCode, 2);
            QVERIFY2(QString::fromUtf8(r.err).contains(QStringLiteral("不是普通文件")), r.err);
            QVERIFY(r.out.isEmpty());
        }
        QVERIFY(!QFile::exists(dir.filePath("x.dat")));
    }

    void failedWriteOfStandardOutputExits1WithTheReason() {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.dat");
        QCOMPARE(Cli({"new", "--builtin", in}).exitCode, 0);
        const Run r = CliTo(KESTRA_CLI_PATH, {"channels", in}, QStringLiteral("/dev/full"));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(QString::fromUtf8(std::strerror(ENOSPC))),
                 r.err);
        QCOMPARE(CliTo(KESTRA_CLI_PATH, {"--help"}, QStringLiteral("/dev/full")).exitCode, 1);
    }
#endif
};

QTEST_GUILESS_MAIN(CliOfflineTest)
#include "test_cli_offline.moc"
