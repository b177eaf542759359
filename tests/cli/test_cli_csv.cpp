// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli export-csv and import-csv: where the CSV and the import report
// go, and the exit statuses. The rows themselves are the CSV module's tests'.
#include <QtTest>

#include <QTemporaryDir>

#include "core/document/default_image.h"
#include "support/cli_process.h"

using namespace kestra;
using namespace kestra::testing;

class CliCsvTest : public QObject {
    Q_OBJECT
private slots:
    void exportAndImport() {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.dat"), out = dir.filePath("out.dat"),
                      csv = dir.filePath("c.csv"), rep = dir.filePath("r.txt");
        RadioImage image;
        ApplyBuiltInDefaults(image);
        QVERIFY(WriteAll(in, ToBytes(image)));
        QVERIFY(WriteAll(csv, "Frequency,Mode\r\n145.5,FM\r\n435.0071,NFM\r\n145.5,AM\r\n"));

        // --strict with a skipped row: exit 1, the report on standard error.
        Run r = Cli({"import-csv", in, csv, "-o", out, "--strict"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("skipped: Mode \"AM\"") && r.err.contains("nothing written"),
                 r.err.constData());
        QVERIFY(!QFile::exists(out));

        // --report takes the report instead of standard error; --start is used.
        r = Cli(
            {"import-csv", in, csv, "-o", out, "--start", "B001", "--overwrite", "--report", rep});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out + r.err, QByteArray());
        QVERIFY(ReadAll(rep).endsWith("2 rows imported, 1 skipped\n"));

        // The CSV goes to standard output, or to -o.
        r = Cli({"export-csv", out});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("Location,Name,Frequency,"));
        QVERIFY(r.out.contains("\r\n129,,145.500000,") && r.out.contains("\r\n130,,435.006250,"));
        QCOMPARE(Cli({"export-csv", out, "-o", csv}).exitCode, 0);
        QCOMPARE(ReadAll(csv), r.out);

        // An unusable CSV or a bad --start is bad input: exit 2, nothing written.
        const QString out2 = dir.filePath("out2.dat");
        QVERIFY(WriteAll(csv, "Name\nx\n"));
        r = Cli({"import-csv", in, csv, "-o", out2});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith(csv.toUtf8() + ": "), r.err.constData());
        QCOMPARE(Cli({"import-csv", in, csv, "-o", out2, "--start", "C9"}).exitCode, 2);
        QCOMPARE(Cli({"import-csv", in, dir.filePath("none.csv"), "-o", out2}).exitCode, 2);
        QVERIFY(!QFile::exists(out2));

        // A file over the limit is refused whole (sparse, never read; the
        // other unusable files are the CSV module's). A NUL in a field
        // neither cuts nor hides the report.
        QFile big(csv);
        QVERIFY(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(big.resize((qint64(64) << 20) + 1));
        big.close();
        r = Cli({"import-csv", in, csv, "-o", out2});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("larger than 64 MiB, the limit for a CSV file (67108865 bytes)") &&
                     r.err.endsWith("; nothing written\n"),
                 r.err.constData());
        QVERIFY(!QFile::exists(out2));
        QVERIFY(WriteAll(csv, QByteArray("Frequency,Name\n145.5,A\0\x1B[2JB\r\n", 30)));
        r = Cli({"import-csv", in, csv, "-o", out2});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(
            r.err,
            QByteArray("row 1 (A\\0\\x1B[2JB, 145.5): A001, name \"A\\0\\x1B[2JB\" → \"A[2JB\"\n"
                       "1 rows imported, 0 skipped\n"));
    }
};

QTEST_GUILESS_MAIN(CliCsvTest)
#include "test_cli_csv.moc"
