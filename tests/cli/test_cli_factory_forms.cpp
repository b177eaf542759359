// kestra-cli settings and configure with the factory forms tuning and
// decoder: refused without --factory, printed in dialog order, applied end
// to end, and a printed profile that applies cleanly.
#include <QtTest>

#include <QTemporaryDir>

#include "core/document/default_image.h"
#include "support/cli_process.h"

using namespace kestra;
using namespace kestra::testing;

class CliFactoryFormsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Defaults() {
        RadioImage image;
        ApplyBuiltInDefaults(image);
        const QString path = Path("defaults.dat");
        WriteAll(path, ToBytes(image));
        return path;
    }
    static QList<QByteArray> Keys(const QByteArray& section) {
        QList<QByteArray> keys;
        for (const QByteArray& line : section.split('\n'))
            if (line.contains('='))
                keys << line.left(line.indexOf('='));
        return keys;
    }

private slots:
    void refusedWithoutFactory() {
        const QString in = Defaults();
        const QString out = Path("out.dat");
        for (const char* form : {"tuning", "decoder"}) {
            Run r = Cli({"settings", in, "--form", form});
            QCOMPARE(r.exitCode, 2);
            QVERIFY2(r.err.contains("needs --factory"), r.err.constData());
            QCOMPARE(r.out, QByteArray());
            r = Cli({"configure", in, "-o", out, "--set", QString(form) + ":Twist=1"});
            QCOMPARE(r.exitCode, 2);
            QVERIFY(!QFile::exists(out));
        }
        // Without --form the factory forms are left out.
        QVERIFY(!Cli({"settings", in}).out.contains("[tuning]"));
    }

    void settingsPrintsInDialogOrder() {
        const QString in = Defaults();
        const Run r = Cli({"settings", in, "--factory", "qdm537"});
        QCOMPARE(r.exitCode, 0);
        // After the default forms: tuning, then decoder.
        const int tuning = r.out.indexOf("\n[tuning]\n");
        const int decoder = r.out.indexOf("\n[decoder]\n");
        QVERIFY(r.out.startsWith("[model]\n") && tuning > 0 && decoder > tuning);
        const QList<QByteArray> keys = Keys(r.out.mid(tuning, decoder - tuning));
        QCOMPARE(keys.size(), 12 + 12 + 24 + 24 + 10);
        QCOMPARE(keys[0], QByteArray("136-174 sql 1/低端"));
        QCOMPARE(keys.last(), QByteArray("MCU 去加重"));
        // The built-in image leaves the decoder table blank.
        QVERIFY(r.out.endsWith("\nTwist=FFFF\n\n"));
    }

    void configureEndToEnd() {
        const QString in = Defaults();
        const QString out = Path("tuned.dat");
        const Run r =
            Cli({"configure", in, "-o", out, "--factory", "QDM537", "--set",
                 "tuning:136-174 低功率/低端=40", "--set", "tuning:136-174 低功率/中端=50", "--set",
                 "tuning:136-174 低功率/高端=45", "--set", "tuning:测试模式=0", "--set",
                 "decoder:Twist=12a", "--set", "decoder:Twist++"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QByteArray image = ReadAll(out);
        QCOMPARE(image.mid(0x3F4B, 6).toHex(' '), QByteArray("30 e6 02 60 cc 85"));
        QCOMPARE(image.at(0x3F2F) & 0x80, 0x80);
        QCOMPARE(image.mid(0x3E28, 4).toHex(' '), QByteArray("01 c3 01 2b"));
    }

    // A printed profile applies cleanly; once applied, its fields are
    // normalised and applying the profile printed then changes nothing.
    void printedProfileAppliesCleanly() {
        RadioImage image;
        ApplyBuiltInDefaults(image);
        for (int i = 0x3E00; i < 0x3FAC; ++i)
            image[std::size_t(i)] = std::uint8_t(i * 37);
        QString in = Path("pattern.dat");
        WriteAll(in, ToBytes(image));
        QByteArray applied[2];
        for (QByteArray& result : applied) {
            const Run printed = Cli({"settings", in, "--factory", "QDM537"});
            QCOMPARE(printed.exitCode, 0);
            QVERIFY(WriteAll(Path("p.ini"), printed.out));
            const QString out = Path(&result == applied ? "once.dat" : "twice.dat");
            const Run r = Cli(
                {"configure", in, "-o", out, "--factory", "QDM537", "--profile", Path("p.ini")});
            QVERIFY2(r.exitCode == 0, r.err.constData());
            result = ReadAll(out);
            in = out;
        }
        QCOMPARE(applied[1], applied[0]);
    }
};

QTEST_GUILESS_MAIN(CliFactoryFormsTest)
#include "test_cli_factory_forms.moc"
