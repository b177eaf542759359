// kestra-cli settings and configure end to end: profiles printed from an
// image, applied to one, and every way a profile can be refused.
#include <QtTest>

#include <QTemporaryDir>

#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "support/cli_process.h"
#include "support/form_images.h"

using namespace kestra;
using namespace kestra::testing;

class CliFormsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes an image file and returns its path.
    QString Image(const QString& name, const RadioImage& image) {
        const QString path = Path(name);
        WriteAll(path, ToBytes(image));
        return path;
    }
    QString Defaults() { return Image("defaults.dat", FormTestImage(0)); }
    // The image the application saves after opening `path` without edits.
    QByteArray Resaved(const QString& path) {
        const QString out = Path("resaved.dat");
        QFile::remove(out);
        Cli({"resave", path, out});
        return ReadAll(out);
    }

private slots:
    void settingsPrintsProfiles() {
        const QString in = Defaults();
        Run r = Cli({"settings", in, "--form", "model"});
        QCOMPARE(r.exitCode, 0);
        // The model name comes from the Program.ini shipped beside the program.
        QCOMPARE(r.out,
                 QByteArray("[model]\n; 机型=QVN-K52\nA段下限=136\nA段上限=174\nB段下限=400\n"
                            "B段上限=480\n\n"));
        r = Cli({"settings", in, "--form", "channel"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.count("\n[channel "), 257);
        QVERIFY(r.out.startsWith("[channel A001]\n接收频率=\n\n[channel A002]\n"));
        QVERIFY(r.out.endsWith("[channel B VFO]\n接收频率=\n\n"));
        r = Cli({"settings", in, "--form", "batch"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
    }

    void settingsRefusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown form") << QStringList{"--form", "frobs"} << "unknown form 'frobs'";
        QTest::newRow("wrong password") << QStringList{"--factory", "nope"} << "does not match";
        QTest::newRow("no image") << QStringList{} << "expected one image file";
    }
    void settingsRefusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QStringList image =
            message.contains("image file") ? QStringList{} : QStringList{Defaults()};
        const Run r = Cli(QStringList{"settings"} + image + args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(r.out, QByteArray());
    }

    void modelNameComesFromProgramIniBesideTheProgram() {
        QTemporaryDir home;
        const QString cli = home.filePath("kestra-cli");
        QVERIFY(QFile::copy(KESTRA_CLI_PATH, cli));
        QVERIFY(WriteAll(home.filePath("Program.ini"), "[Setup]\r\nCOM=1\r\nType=K-58 对讲机\r\n"));
        const Run r = Cli({"settings", Defaults()}, cli);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains("\n; 机型=K-58 对讲机\n"), r.out.constData());
        QVERIFY(QFileInfo(home.filePath("Program.ini")).size() > 0);
    }

    void configureEndToEnd() {
        const QString in = Defaults();
        const QString profile = Path("p.ini");
        QVERIFY(WriteAll(profile, "; made by hand\r\n[channel A005]\r\n接收频率=145.0123\r\n"
                                  "信道名字= R1 \r\n\r\n[channel B VFO]\r\n接收频率=435\r\n"));
        const QString out = Path("out.dat");
        const Run r = Cli({"configure", in, "-o", out, "--profile", profile, "--set",
                           "channel A005:功率=低", "--set", "channel A005:信道号++", "--set",
                           "channel A005:接收频率=145.2", "--set", "model:B段上限=520"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out, QByteArray());
        const RadioImage image = FromBytes(ReadAll(out));
        QCOMPARE(FrequencyToText(image.Frequency(RecordOffset(5))), std::string("145.01000"));
        QVERIFY(!(image[RecordOffset(5) + ChannelRecord::kFlags1] & 0x10)); // power low
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()) + RecordOffset(5) + 24, 7),
                 QByteArray(" R1 \xFF\xFF\xFF"));
        // The three consecutive --set lines were one opening of the dialog:
        // the spin moved it to A006, which received the frequency.
        QCOMPARE(FrequencyToText(image.Frequency(RecordOffset(6))), std::string("145.20000"));
        QCOMPARE(FrequencyToText(image.Frequency(RecordOffset(258))), std::string("435.00000"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()) + 0x2E1C, 4),
                 QByteArray::fromHex("00000052"));
        // The saved image is finalised: A005 is the first A channel.
        QCOMPARE(int(image[0x2E20]), 5);
    }

    void configureSeparatesSectionsOfDifferentSets() {
        const QString in = Defaults();
        const QString out = Path("sets.dat");
        // channel A001 / model / channel A001: two openings of A001, so the
        // second one starts from what the first stored.
        const Run r = Cli({"configure", in, "-o", out, "--set", "channel A001:接收频率=145",
                           "--set", "model:A段上限=170", "--set", "channel A001:信道名字=N"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const RadioImage image = FromBytes(ReadAll(out));
        QCOMPARE(int(image[24]), int('N'));
        QCOMPARE(int(image[0x2E17]), 0x17);
    }

    void configureRefusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown form") << QStringList{"--set", "frobs:a=b"} << "unknown form";
        QTest::newRow("factory form without --factory")
            << QStringList{"--set", "tuning:x=1"} << "--factory";
        QTest::newRow("unknown key")
            << QStringList{"--set", "channel A001:接收频率=145", "--set", "channel A001:频率=1"}
            << "--set:2: [channel A001] 频率: no such field";
        QTest::newRow("disabled field") << QStringList{"--set", "channel A002:信道名字=X"}
                                        << "[channel A002] 信道名字: the field is disabled";
        QTest::newRow("read-only field") << QStringList{"--set", "model:机型=K"} << "read-only";
        for (const char* header :
             {"channel A1", "channel a001", "channel B129", "channel", "channel  A001"})
            QTest::newRow(header) << QStringList{"--set", QString(header) + ":接收频率=1"}
                                  << "needs a channel label";
        QTest::newRow("argument of model")
            << QStringList{"--set", "model x:A段下限=140"} << "takes no argument";
        QTest::newRow("malformed set")
            << QStringList{"--set", "接收频率=1"} << "expected 'SECTION:KEY=VALUE'";
        QTest::newRow("malformed line")
            << QStringList{"--set", "model:A段下限"} << "expected KEY=VALUE";
        QTest::newRow("missing profile")
            << QStringList{"--profile", "/nonexistent/p.ini"} << "cannot read the profile";
        QTest::newRow("wrong password") << QStringList{"--factory", "x"} << "does not match";
        QTest::newRow("bad seed") << QStringList{"--seed", "-1"} << "--seed";
        QTest::newRow("value the key filter empties")
            << QStringList{"--set", "model:A段下限=x"} << "";
    }
    void configureRefusalsWriteNothing() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString in = Defaults();
        const QString out = Path("refused.dat");
        QFile::remove(out);
        const Run r = Cli(QStringList{"configure", in, "-o", out} + args);
        if (message.isEmpty()) { // a value the key filter empties is no error
            QCOMPARE(r.exitCode, 0);
            return;
        }
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QVERIFY(!QFile::exists(out));
    }

    void batchApplyIsSeeded() {
        const QString in = Defaults();
        auto run = [&](const QString& seed, const QString& out) {
            const Run r = Cli({"configure", in, "-o", Path(out), "--seed", seed, "--set",
                               "batch:范围=B段", "--set", "batch:接收起始频率=430", "--set",
                               "batch:接收随机=1", "--set", "batch:应用="});
            return r.exitCode == 0 ? ReadAll(Path(out)) : QByteArray();
        };
        const QByteArray a = run("5", "a.dat"), b = run("5", "b.dat"), c = run("6", "c.dat");
        QVERIFY(!a.isEmpty());
        QCOMPARE(a, b);
        QVERIFY(a != c);
        const RadioImage image = FromBytes(a);
        QCOMPARE(FrequencyToText(image.Frequency(RecordOffset(129))), std::string("430.00000"));
        QCOMPARE(int(image[RecordOffset(128) + 3]), 0xFF); // band A untouched
    }

    void profileSyntaxErrorsNameTheLine() {
        const QString profile = Path("bad.ini");
        QVERIFY(WriteAll(profile, "[model]\nA段下限=140\n[model] \n"));
        const QString out = Path("bad.dat");
        const Run r = Cli({"configure", Defaults(), "-o", out, "--profile", profile});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("bad.ini:3:"), r.err.constData());
        QVERIFY(!QFile::exists(out));
    }

    void settingsApplyCleanlyWithConfigure_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("built-in defaults") << 0u;
        QTest::newRow("random 21") << 21u;
        QTest::newRow("random 22") << 22u;
    }
    void settingsApplyCleanlyWithConfigure() {
        QFETCH(unsigned, seed);
        const RadioImage image = FormTestImage(seed);
        const QString in = Image("round.dat", image);
        const Run channels = Cli({"settings", in, "--form", "channel"});
        const Run all = Cli({"settings", in, "--form", "model"});
        QCOMPARE(channels.exitCode, 0);
        QVERIFY(WriteAll(Path("channels.ini"), channels.out));
        QVERIFY(WriteAll(Path("all.ini"), all.out));
        const QString out = Path("round-out.dat");
        const Run r = Cli({"configure", in, "-o", out, "--profile", Path("channels.ini"),
                           "--profile", Path("all.ini")});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(ReadAll(out), Resaved(in));
        // And what it printed then is what it prints now.
        QCOMPARE(Cli({"settings", out, "--form", "channel"}).out, channels.out);
    }
};

QTEST_GUILESS_MAIN(CliFormsTest)
#include "test_cli_forms.moc"
