#include <QtTest>

#include <QTemporaryDir>

#include "support/cli_process.h"

using namespace kestra::testing;

class CliCsvTest : public QObject {
    Q_OBJECT
private slots:
    void exportImportAndExitStatuses() {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.dat"), out = dir.filePath("out.dat"),
                      csv = dir.filePath("c.csv"), rep = dir.filePath("r.txt");
        QCOMPARE(Cli({"new", "--builtin", in}).exitCode, 0);
        QVERIFY(WriteAll(csv, "Frequency,Mode\r\n145.5,FM\r\n435.0071,NFM\r\n145.5,AM\r\n"));
        Run r = Cli({"import-csv", in, csv, "-o", out, "--strict"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("skipped: mode AM"));
        QVERIFY(!QFile::exists(out));
        r = Cli(
            {"import-csv", in, csv, "-o", out, "--start", "B001", "--overwrite", "--report", rep});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(ReadAll(rep).contains("B002, 435.0071 → 435.00625: off the raster"));
        r = Cli({"export-csv", out});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("Location,Name,Frequency,"));
        QVERIFY(r.out.contains(
            "\r\n129,,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,,High,,,,,\r\n"));
        QVERIFY(r.out.contains("\r\n130,,435.006250,"));
        QCOMPARE(Cli({"export-csv", out, "-o", csv}).exitCode, 0);
        QCOMPARE(ReadAll(csv), r.out);

        const QString out2 = dir.filePath("out2.dat");
        for (const QByteArray& bad :
             {QByteArray("Frequency\n\xFF\xFE\n"), QByteArray("Name\nx\n"), QByteArray()}) {
            QVERIFY(WriteAll(csv, bad));
            QCOMPARE(Cli({"import-csv", in, csv, "-o", out2}).exitCode, 2);
            QVERIFY(!QFile::exists(out2));
        }
        QCOMPARE(Cli({"import-csv", in, csv, "-o", out2, "--start", "C9"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(CliCsvTest)
#include "test_cli_csv.moc"
