#include <QtTest>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/image/calibration.h"
#include "core/image/finalize.h"
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

    void newBuiltinIsTheDefaultImage() {
        QTemporaryDir dir;
        const QString out = dir.filePath("new.dat");
        const Run r = Cli({"new", "--builtin", out});
        QCOMPARE(r.exitCode, 0);
        RadioImage expected;
        ApplyBuiltInDefaults(expected);
        QCOMPARE(ReadAll(out),
                 QByteArray(reinterpret_cast<const char*>(expected.data()), kImageSize));
    }

    void channelsPrintsTheGrid() {
        QTemporaryDir dir;
        RadioImage image;
        ApplyBuiltInDefaults(image);
        ChannelRecord a1(image, 1);
        a1.SetRx(14512500);
        a1.SetTx(14572500);
        a1.SetRxTone({0x85, 0x08});
        a1.SetTxTone(kNoTone);
        ChannelRecord bvfo(image, 258);
        bvfo.SetRx(43500000);
        bvfo.SetTxNone();
        bvfo.SetRxTone({0x54, 0xC7});
        bvfo.SetTxTone({0x23, 0x80});
        bvfo.SetBusyLockout(1);
        const QString in = dir.filePath("in.dat");
        QVERIFY(WriteAll(in, QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize)));
        const Run r = Cli({"channels", in});
        QCOMPARE(r.exitCode, 0);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 259); // 258 lines and the final newline
        QCOMPARE(QString::fromUtf8(lines[0]),
                 QString("A 001\t145.12500\t145.72500\t88.5\t无\t高\t是\t宽\t关"));
        QCOMPARE(QString::fromUtf8(lines[1]), QString("A 002\t\t\t\t\t\t\t\t"));
        QCOMPARE(QString::fromUtf8(lines[128]), QString("B 001\t\t\t\t\t\t\t\t"));
        QCOMPARE(QString::fromUtf8(lines[257]),
                 QString("B VFO\t435.00000\t\tD754I\tD023N\t高\t是\t宽\t载波"));
    }

    void resaveRewritesOnlyTheDerivedBytes() {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.dat");
        const QString out = dir.filePath("out.dat");
        QCOMPARE(Cli({"new", "--builtin", in}).exitCode, 0);
        QCOMPARE(Cli({"resave", in, out}).exitCode, 0);
        const QByteArray before = ReadAll(in);
        const QByteArray after = ReadAll(out);
        QCOMPARE(after.size(), 16384);

        auto derived = [](int off) {
            return (off >= 0x2E00 && off <= 0x2E7F) || (off >= 0x1F70 && off <= 0x1F77) ||
                   (off >= 0x3F15 && off <= 0x3F1E) || (off >= 0x3F4B && off <= 0x3F6E) ||
                   (off >= 0x3F70 && off <= 0x3FAB) || off == 0x204F || off == 0x2050;
        };
        for (int off = 0; off < 16384; ++off)
            if (!derived(off) && off != 0x204E && before[off] != after[off])
                QFAIL(qPrintable(QString("byte 0x%1 changed").arg(off, 4, 16, QChar('0'))));
        // The finalisation also forces the tail tone bits 4-5 of 0x204E (0xFF
        // in the built-in image) to 0, and repairs the two channel indexes.
        QCOMPARE(quint8(after[0x204E]), quint8(0xCF));

        // The derived regions follow their rules.
        const RadioImage image = FromBytes(after);
        QCOMPARE(after.mid(0x2E00, 16), QByteArray::fromHex("56312e302e31ffffffffffffffffffff"));
        QCOMPARE(after.mid(0x2E10, 16), QByteArray::fromHex("00006013000040170000004000000048"));
        QCOMPARE(after.mid(0x2E20, 2), QByteArray::fromHex("ffff")); // no channels
        QCOMPARE(after.mid(0x2E28, 16), QByteArray(16, '\xFF'));
        QCOMPARE(after.mid(0x2E38, 8), before.mid(0x2E38, 8));
        QCOMPARE(after.mid(0x2E40, 64), QByteArray(64, '\0'));
        QCOMPARE(after.mid(0x1F70, 8), QByteArray::fromHex("b001040a080288aa"));
        QCOMPARE(after.mid(0x3F15, 10), QByteArray::fromHex("423b352f28221c150f08"));
        QCOMPARE(quint8(after[0x204F]), quint8(0xFE));
        QCOMPARE(quint8(after[0x2050]), quint8(0xFE));
        // Power rows are FF: all slopes 0, band points as for the default limits.
        QCOMPARE(after.mid(0x3F4B, 36), QByteArray(36, '\0'));
        RadioImage points;
        RecomputeBandPointsAndSlopes(points, BandLimits());
        QCOMPARE(after.mid(0x3F70, 60),
                 QByteArray(reinterpret_cast<const char*>(points.data() + 0x3F70), 60));
        // Resaving the result again changes nothing.
        const QString again = dir.filePath("again.dat");
        QCOMPARE(Cli({"resave", out, again}).exitCode, 0);
        QCOMPARE(ReadAll(again), after);
        (void)image;
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
        QCOMPARE(r.out, QByteArray(reinterpret_cast<const char*>(expected.data()), kImageSize));
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
