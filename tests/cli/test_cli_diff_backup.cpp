// kestra-cli diff between two files. (The backups of read and write are
// tested with the other transfer commands in tests/link.)
#include <QtTest>

#include "core/image/calibration_layout.h"
#include "support/cli_process.h"

using namespace kestra;
using namespace kestra::testing;

class TestCliDiffBackup : public QObject {
    Q_OBJECT
private slots:
    void diff() {
        QTemporaryDir tmp;
        const QString a = tmp.filePath("a.dat"), b = tmp.filePath("b.dat"),
                      c = tmp.filePath("c.dat");
        QCOMPARE(Cli({"new", "--builtin", tmp.filePath("new.dat")}).exitCode, 0);
        QCOMPARE(Cli({"configure", tmp.filePath("new.dat"), "-o", a}).exitCode, 0);
        QCOMPARE(Cli({"configure", a, "-o", b, "--set", "channel A005:接收频率=145.0125", "--set",
                      "channel A005:信道名字=ZQX9", "--set", "options:静噪电平=7"})
                     .exitCode,
                 0);

        Run r = Cli({"diff", a, a});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());

        r = Cli({"diff", a, b});
        QCOMPARE(r.exitCode, 1);
        const QString text = QString::fromUtf8(r.out);
        QVERIFY2(text.contains("[channel A005]\n; 接收频率=\n接收频率=145.01250\n") &&
                     text.contains("\n信道名字=ZQX9\n"),
                 qPrintable(text));
        QVERIFY(text.contains("[options]\n; 静噪电平=") && text.contains("\n静噪电平=7\n"));
        QVERIFY(!text.contains("[raw]"));
        r = Cli({"diff", a, b, "--form", "options"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QString::fromUtf8(r.out).contains("channel"));

        RadioImage image = FromBytes(ReadAll(a));
        image[calibration::kTxGain] ^= 0x10;
        QVERIFY(WriteAll(c, ToBytes(image)));
        r = Cli({"diff", a, c});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.out).startsWith("[raw]\n; 0x3F22="), r.out.constData());

        QCOMPARE(Cli({"diff", a, tmp.filePath("missing.dat")}).exitCode, 2);
        QCOMPARE(Cli({"diff", a}).exitCode, 2);
        QCOMPARE(Cli({"diff", a, b, "--form", "nosuch"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliDiffBackup)
#include "test_cli_diff_backup.moc"
