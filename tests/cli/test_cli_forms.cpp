// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli settings, configure and diff: the model name read beside the
// program, the sections --profile and --set make and the order they run in,
// --factory and --seed passed on, refusals that write nothing, and diff's
// exit status. The fields' values and the reasons of refusals are the forms'
// own tests' (tests/core/forms).
#include <QtTest>

#include <QTemporaryDir>

#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "support/cli_process.h"

using namespace kestra;
using namespace kestra::testing;

class CliFormsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString in_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static std::string Rx(const RadioImage& image, int channel) {
        return FrequencyToText(image.Frequency(RecordOffset(channel)));
    }

private slots:
    void initTestCase() {
        RadioImage image;
        ApplyBuiltInDefaults(image);
        in_ = Path("in.dat");
        QVERIFY(WriteAll(in_, ToBytes(image)));
    }

    void modelNameComesFromProgramIniBesideTheProgram() {
        QTemporaryDir home;
        const QString cli = home.filePath("kestra-cli");
        QVERIFY(QFile::copy(KESTRA_CLI_PATH, cli));
        QVERIFY(WriteAll(home.filePath("Program.ini"), "[Setup]\r\nCOM=1\r\nType=K-58 对讲机\r\n"));
        const Run r = Cli({"settings", in_, "--form", "model"}, cli);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith("[model]\n; 机型=K-58 对讲机\n"), r.out.constData());
    }

    // Profiles and --set lines run in command-line order; consecutive --set
    // lines of one section are one opening of its dialog, so a spin line
    // moves the lines after it to the next channel.
    void configureRunsSectionsInOrder() {
        const QString profile = Path("p.ini"), out = Path("out.dat");
        QVERIFY(WriteAll(profile, "[channel A005]\r\n接收频率=145.0125\r\n信道名字=R1\r\n"));
        const Run r = Cli({"configure", in_, "-o", out, "--profile", profile, "--set",
                           "channel A005:信道号++", "--set", "channel A005:接收频率=145.2",
                           "--set", "channel A001:接收频率=145", "--set", "model:A段上限=170",
                           "--set", "channel A001:信道名字=N"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out, QByteArray());
        const RadioImage image = FromBytes(ReadAll(out));
        QCOMPARE(Rx(image, 5), std::string("145.01250"));
        QCOMPARE(Rx(image, 6), std::string("145.20000"));
        // A001 opened twice: the name went to the frequency the first stored.
        QCOMPARE(Rx(image, 1), std::string("145.00000"));
        QCOMPARE(int(image[RecordOffset(1) + 24]), int('N'));
    }

    void factoryAndSeedArePassedOn() {
        const QString out = Path("factory.dat");
        Run r = Cli({"configure", in_, "-o", out, "--factory", "QDM537", "--set",
                     "decoder:Twist=12a"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        r = Cli({"settings", out, "--factory", "QDM537", "--form", "decoder"});
        QVERIFY2(r.out.endsWith("\nTwist=12A\n\n"), r.out.constData());

        auto batch = [&](const QString& seed, const QString& name) {
            const Run run = Cli({"configure", in_, "-o", Path(name), "--seed", seed, "--set",
                                 "batch:范围=B段", "--set", "batch:接收起始频率=430", "--set",
                                 "batch:接收随机=1", "--set", "batch:应用="});
            return run.exitCode == 0 ? ReadAll(Path(name)) : QByteArray();
        };
        const QByteArray a = batch("5", "a.dat");
        QVERIFY(!a.isEmpty());
        QCOMPARE(batch("5", "b.dat"), a);
        QVERIFY(batch("6", "c.dat") != a);
    }

    // Every refusal exits 2 with its reason, and no OUT is written even when
    // earlier sections ran (a wrong password and an unknown option are the
    // option parser's, shared with settings: test_cli_offline).
    void configureRefusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed set") << QStringList{"--set", "接收频率=1"}
                                       << "--set:1: expected 'SECTION:KEY=VALUE'";
        QTest::newRow("refused second set")
            << QStringList{"--set", "channel A001:接收频率=145", "--set", "channel A001:频率=1"}
            << "--set:2: [channel A001] 频率: no such field";
        QTest::newRow("profile line") << QStringList{"--profile", "BAD"} << "bad.ini:3:";
        QTest::newRow("missing profile")
            << QStringList{"--profile", "/nonexistent/p.ini"} << "cannot read the profile";
        QTest::newRow("factory form") << QStringList{"--set", "tuning:x=1"} << "--factory";
        QTest::newRow("bad seed") << QStringList{"--seed", "-1"} << "--seed takes a number";
    }
    void configureRefusalsWriteNothing() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QVERIFY(WriteAll(Path("bad.ini"), "[model]\nA段下限=140\n[model] \n"));
        args.replaceInStrings(QRegularExpression("^BAD$"), Path("bad.ini"));
        const QString out = Path("refused.dat");
        const Run r = Cli(QStringList{"configure", in_, "-o", out} + args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(r.out, QByteArray());
        QVERIFY(!QFile::exists(out));
    }

    // diff: 0 equal, 1 different (the profile on standard output), and
    // --form keeps to one form.
    void diffExitStatus() {
        const QString b = Path("b.dat");
        QCOMPARE(Cli({"configure", in_, "-o", b, "--set", "channel A005:接收频率=145.0125",
                      "--set", "channel A005:信道名字=ZQX9", "--set", "options:静噪电平=7"})
                     .exitCode,
                 0);
        Run r = Cli({"diff", in_, in_});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
        r = Cli({"diff", in_, b});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains("[channel A005]\n") && r.out.contains("\n静噪电平=7\n"),
                 r.out.constData());
        r = Cli({"diff", in_, b, "--form", "options"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.startsWith("[options]\n") && !r.out.contains("[channel"));
    }

    // A profile is shareable across languages: --lang en prints English
    // labels only, and that profile configures byte for byte the image the
    // Chinese one does, over every form (batch, channel and factory ones too).
    void englishProfileGivesTheImageOfTheChineseOne() {
        auto configure = [&](const QString& base, const QString& out, const QStringList& more) {
            const Run r = Cli(QStringList{"configure", base, "-o", out, "--seed", "3", "--factory",
                                          "QDM537"} + more);
            return r.exitCode == 0 ? ReadAll(out) : QByteArray(r.err);
        };
        const QByteArray zhBatch = configure(in_, Path("zh-batch.dat"),
            {"--set", "batch:范围=全部", "--set", "batch:接收起始频率=145", "--set",
             "batch:接收随机=1", "--set", "batch:功率=低", "--set", "batch:应用="});
        QCOMPARE(configure(in_, Path("en-batch.dat"),
                           {"--set", "batch:Range=All", "--set", "batch:RX start frequency=145",
                            "--set", "batch:RX random=1", "--set", "batch:Power=Low", "--set",
                            "batch:Apply="}),
                 zhBatch);
        const QString blank = Path("blank.dat");
        QCOMPARE(Cli({"new", blank}).exitCode, 0);
        QByteArray image[2];
        for (int en = 0; en < 2; ++en) {
            const QStringList lang = en ? QStringList{"--lang", "en"} : QStringList{};
            QByteArray text = Cli(lang + QStringList{"settings", Path("zh-batch.dat"), "--factory",
                                                     "QDM537"}).out;
            text += Cli(QStringList{"settings", Path("zh-batch.dat"), "--form", "channel"} + lang).out;
            QVERIFY(text.contains(en ? "[dtmf Auto Dial]\n" : "[dtmf 自动拨号]\n"));
            QVERIFY(text.contains(en ? "\nPower=Low\n" : "\n功率=低\n"));
            if (en)
                QVERIFY2(!QString::fromUtf8(text).contains(QRegularExpression("[\\x{3000}-\\x{9fff}]")),
                         text.constData());
            const QString profile = Path(en ? "en.ini" : "zh.ini");
            QVERIFY(WriteAll(profile, text));
            image[en] = configure(blank, Path(en ? "en.dat" : "zh.dat"), {"--profile", profile});
        }
        QCOMPARE(image[1], image[0]);
        const int at = RecordOffset(1), size = RecordOffset(kChannelCount + 1) - at;
        QCOMPARE(image[0].mid(at, size), zhBatch.mid(at, size)); // the channels came over
    }
};

QTEST_GUILESS_MAIN(CliFormsTest)
#include "test_cli_forms.moc"
