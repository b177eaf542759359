// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli as a process: which command an argument list reaches, its exit
// status (0 success, 1 failed, 2 bad usage or input), what goes to standard
// output and standard error, and the commands on .dat files alone. For
// settings, configure and diff: the model name read beside the program, the
// sections --profile and --set make and the order they run in, --factory and
// --seed passed on, refusals that write nothing, and diff's exit status; the
// fields' values and the reasons of refusals are the forms' own tests'.
#include <QtTest>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "core/document/default_image.h"
#include "core/grid/channel_arrange.h"
#include "core/grid/channel_grid.h"
#include "support/cli_process.h"
#include "support/form_images.h"

using namespace kestra;
using namespace kestra::testing;

class CliOfflineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString image_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static std::string Rx(const RadioImage& image, int channel) {
        return FrequencyToText(image.Frequency(RecordOffset(channel)));
    }

private slots:
    void initTestCase() {
        image_ = dir_.filePath("in.dat");
        const RadioImage image = BuiltInImage();
        QVERIFY(WriteAll(image_, Bytes(image)));
        QVERIFY(WriteAll(dir_.filePath("short.dat"), QByteArray(1000, '\xFF')));
        QVERIFY(WriteAll(dir_.filePath("long.dat"), Bytes(image) + Bytes(image)));
        QVERIFY(WriteAll(dir_.filePath("long1.dat"), Bytes(image) + '\0'));
        QVERIFY(WriteAll(dir_.filePath("empty.dat"), QByteArray()));
        QVERIFY(Cli({"export-csv", image_, "-o", dir_.filePath("good.csv")}).exitCode == 0);
        QVERIFY(WriteAll(dir_.filePath("bad.csv"), "Frequency\n\xFF\n"));
        QVERIFY(WriteAll(dir_.filePath("bad.ini"), "[model]\nA段下限=140\n[model\n"));
        // Sparse: a file over the limit is refused whole, never read.
        QFile big(dir_.filePath("big.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize((qint64(64) << 20) + 1));
    }

    // IMG in args stands for a usable image, MISSING for a file that is not
    // there, SHORT for one of 1000 bytes, CSV for a CSV that is not UTF-8
    // text, BIG for one over the size limit, INI for a profile with a bad
    // third line, NODIR for a file in a folder that does not exist (ODD too,
    // its name with control characters), FOLDER for the test's folder, PORT for
    // a port that does not exist, LONG for a file of two images (LONG1, of
    // an image and a byte), EMPTY for an empty file, GOOD for a usable CSV.
    // A run that fails prints nothing on standard output and writes no OUT;
    // no run changes LONG.
    // The C locale speaks English where LANGUAGE asks for Chinese, as gettext
    // has it: a script sets LC_ALL=C for messages it can read.
    void cLocaleSpeaksEnglish() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C");
        env.insert("LANGUAGE", "zh_CN:zh");
        const Run r = CliTo(KESTRA_CLI_PATH, {"frobnicate"}, QString(), 30000, env);
        QVERIFY2(r.err.startsWith("kestra-cli: unknown command"), r.err.constData());
    }

    void routing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStdout");
        QTest::addColumn<QString>("fragment");
        auto row = [](const char* name, QStringList args, int code, bool out, QString text) {
            QTest::newRow(name) << args << code << out << text;
        };
        auto refused = [&row](const char* name, const QStringList& args, const QString& text) {
            row(name, args, 2, false, text); // bad usage or input
        };
        refused("no command", {}, "missing command");
        row("help", {"--help"}, 0, true, "  configure IN.dat -o OUT.dat");
        row("version", {"--version"}, 0, true, "kestra-cli ");
        refused("unknown command", {"frobnicate"}, "unknown command 'frobnicate'");
        refused("unknown option for a command", {"--bogus"}, "unknown option --bogus");
        row("command help", {"channels", "IMG", "--help"}, 0, true,
            "Usage: kestra-cli channels IMAGE.dat\n");
        // --help as an option's value or after "--" is a word like any other.
        refused("--help as a value", {"diff", "IMG", "IMG", "--form", "--help"},
                "unknown form '--help'");
        refused("--help after --", {"channels", "--", "--help"}, "“--help”");
        refused("unknown option", {"new", "--bogus", "x.dat"}, "unknown option --bogus");
        refused("value for a flag", {"new", "--builtin=1", "x.dat"}, "takes no value");
        refused("option without value", {"export-csv", "IMG", "-o"}, "-o needs a value");
        refused("missing file argument", {"resave", "IMG"}, "an input and an output file");
        refused("input missing", {"channels", "MISSING"}, "missing.dat");
        refused("input short", {"resave", "SHORT", "OUT"}, "1000");
        row("output unwritable", {"new", "--builtin", "NODIR"}, 1, false, "Cannot save the file");
        // A file longer than an image is read with a note; nothing writes an
        // image over it (only its first 16384 bytes would be left). An empty
        // file is replaced.
        row("longer input", {"channels", "LONG1"}, 0, false,
            "has 16385 bytes, more than the 16384 bytes of a data file: only its first 16384 "
            "bytes were read");
        refused("resave over a longer file", {"resave", "IMG", "LONG"},
                "long.dat: it has 32768 bytes");
        refused("import-csv into the longer file it reads",
                {"import-csv", "LONG", "GOOD", "-o", "LONG"}, "long.dat: it has 32768 bytes");
        refused("read over a longer file", {"read", "--port", "PORT", "-o", "LONG"},
                "long.dat: it has 32768 bytes");
        row("new over an empty file", {"new", "--builtin", "EMPTY"}, 0, false, "");
        // File names in messages show their control characters escaped.
        refused("odd input name", {"channels", "ODD"}, "no\\x1B[2J\\n.dat");
        row("odd output name", {"new", "--builtin", "ODD"}, 1, false, "no\\x1B[2J\\n.dat");
        row("odd CSV output name", {"export-csv", "IMG", "-o", "ODD"}, 1, false,
            "no\\x1B[2J\\n.dat");
        row("channels", {"channels", "IMG"}, 0, true, "A 001\t\t\t\t\t\t\t\t\nA 002\t");
        row("settings", {"settings", "IMG", "--form=model"}, 0, true, "[model]\n");
        row("settings factory", {"settings", "IMG", "--factory", "qdm537"}, 0, true,
            "\n[decoder]\n");
        refused("settings wrong password", {"settings", "IMG", "--factory", "x"}, "does not match");
        refused("settings factory form", {"settings", "IMG", "--form", "tuning"},
                "needs --factory");
        refused("configure without -o", {"configure", "IMG"}, "-o OUT.dat is required");
        refused("calibration without read in Chinese", {"--lang", "zh", "calibration"},
                "calibration：需要 read 或 write");
        refused("configure without -o in Chinese", {"--lang", "zh", "configure", "IMG"},
                "configure：必须给出 -o OUT.dat");
        // A refused configure writes nothing, even when earlier sections ran.
        auto configure = [&refused](const char* name, const QStringList& more,
                                    const QString& text) {
            refused(name, QStringList{"configure", "IMG", "-o", "OUT"} + more, text);
        };
        configure("malformed --set", {"--set", "接收频率=1"},
                  "--set:1: expected 'SECTION:KEY=VALUE'");
        configure("malformed --set in Chinese", {"--set", "x\ty", "--lang", "zh"},
                  "--set:1：应为“SECTION:KEY=VALUE”，实际为“x\\ty”");
        configure("--set line in Chinese", {"--set", "a:b", "--lang", "zh"},
                  "--set:1: 应为 KEY=VALUE、KEY++ 或 KEY--");
        configure("refused second --set",
                  {"--set", "channel A001:接收频率=145", "--set", "channel A001:频率=1"},
                  "--set:2: [channel A001] 频率: no such field");
        configure("profile line", {"--profile", "INI"}, "bad.ini:3:");
        configure("missing profile", {"--profile", "MISSING"}, "cannot read the profile");
        configure("factory form", {"--set", "tuning:x=1"}, "--factory");
        configure("dtmf page", {"--set", "dtmf x:k=1"},
                  "needs its page: Encode, Decode, Auto Dial");
        configure("control characters quoted", {"--set", "options:静噪电平=\x1B[2J\n9"},
                  "'\\x1B[2J\\n9'");
        configure("bad seed", {"--seed", "-1"}, "--seed takes a number");
        row("export-csv", {"export-csv", "IMG"}, 0, true, "Location,Name,Frequency,");
        // An output never replaces an input of another kind.
        refused("export-csv over its image", {"export-csv", "IMG", "-o", "IMG"},
                "is the input file");
        refused("import-csv over its list", {"import-csv", "IMG", "CSV", "-o", "CSV"},
                "is the input file");
        refused("export-csv over its missing image", {"export-csv", "MISSING", "-o", "MISSING"},
                "is the input file");
        refused("import-csv report over a new image",
                {"import-csv", "IMG", "CSV", "-o", "OUT", "--report", "OUT"}, "is the output file");
        refused("import-csv report over its image",
                {"import-csv", "IMG", "CSV", "-o", "OUT", "--report", "IMG"}, "the report");
        refused("configure over its profile", {"configure", "IMG", "--profile", "INI", "-o", "INI"},
                "is the input file");
        refused("diff one file", {"diff", "IMG"}, "expected two image files");
        refused("diff missing", {"diff", "IMG", "MISSING"}, "missing.dat");
        refused("diff unknown form", {"diff", "IMG", "IMG", "--form", "nosuch"},
                "unknown form 'nosuch' (forms: channel, batch, model,");
        refused("import-csv without -o", {"import-csv", "IMG", "c.csv"}, "-o OUT.dat");
        refused("import-csv unusable", {"import-csv", "IMG", "CSV", "-o", "OUT"},
                "bad.csv: not UTF-8 text");
        refused("import-csv bad --start",
                {"import-csv", "IMG", "CSV", "-o", "OUT", "--start", "C9"}, "--start");
        refused("import-csv --start past A128",
                {"import-csv", "IMG", "CSV", "-o", "OUT", "--start", "A129"}, "--start");
        refused("import-csv missing", {"import-csv", "IMG", "MISSING", "-o", "OUT"},
                "missing.dat: " + EnglishReason(ENOENT));
        refused("import-csv over the limit", {"import-csv", "IMG", "BIG", "-o", "OUT"},
                "larger than 64 MiB, the limit for a CSV file (67108865 bytes); nothing written\n");
        refused("arrange without operation", {"arrange", "IMG", "-o", "x.dat"},
                "at least one operation");
        refused("arrange option without value", {"arrange", "IMG", "-o", "x.dat", "--move"},
                "option --move needs a value");
        refused("arrange stray --range", {"arrange", "IMG", "-o", "x.dat", "--range", "A001-A009"},
                "--range belongs right after a --sort");
        // The transfer commands refuse bad usage, and the factory commands a
        // wrong password or none, before they look at the port.
        refused("read without --port", {"read", "-o", "OUT"}, "--port");
        refused("read without -o", {"read", "--port", "PORT"}, "-o");
        refused("write short input", {"write", "--port", "PORT", "SHORT"}, "1000");
        refused("write missing input", {"write", "--port", "PORT", "MISSING"}, "missing");
        // A read refuses an output it could not create before the exchange.
        refused("read into a missing folder", {"read", "--port", "PORT", "-o", "NODIR"},
                "Cannot save the file");
        refused("decoder read into a folder",
                {"decoder", "read", "--port", "PORT", "--factory", "QDM537", "-o", "FOLDER"},
                EnglishReason(EISDIR));
        refused("read short base", {"read", "--port", "PORT", "--base", "SHORT", "-o", "OUT"},
                "1000");
        refused("init wrong password", {"init", "--port", "PORT", "--factory", "nope", "IMG"},
                "init: the factory password does not match");
        refused("decoder read without password", {"decoder", "read", "--port", "PORT", "-o", "OUT"},
                "decoder read: needs factory mode");
        refused("calibration neither read nor write", {"calibration", "--port", "PORT"},
                "kestra-cli: ");
        refused("read unknown option", {"read", "--port", "PORT", "--bogus", "-o", "OUT"},
                "unknown option --bogus");
        refused("value for --trace",
                {"calibration", "read", "--port=PORT", "--trace=1", "--factory=QDM537", "IMG"},
                "kestra-cli: option --trace takes no value");
        refused("simulate count", {"simulate", "--answer-on", "x"}, "a whole number");
        refused("simulate identification", {"simulate", "--ident", "QVN"}, "--ident takes");
        refused("simulate offset", {"simulate", "--corrupt-store", "0x4000"}, "0..0x3FFF");
        refused("value for --pace", {"simulate", "--pace=yes"},
                "kestra-cli: option --pace takes no value");
    }
    void routing() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, onStdout);
        QFETCH(QString, fragment);
        const std::pair<const char*, const char*> files[] = {
            {"IMG", "in.dat"},      {"MISSING", "missing.dat"},
            {"SHORT", "short.dat"}, {"OUT", "out.dat"},
            {"CSV", "bad.csv"},     {"BIG", "big.csv"},
            {"INI", "bad.ini"},     {"NODIR", "no/such/dir/x.dat"},
            {"FOLDER", "."},        {"ODD", "no/no\x1B[2J\n.dat"},
            {"LONG", "long.dat"},   {"LONG1", "long1.dat"},
            {"EMPTY", "empty.dat"}, {"GOOD", "good.csv"}};
        for (const auto& [name, file] : files)
            args.replaceInStrings(QRegularExpression(QStringLiteral("^%1$").arg(name)), Path(file));
        args.replaceInStrings("PORT", Path("no-such-port"));
        const Run r = Cli(args);
        QVERIFY2(r.exitCode == exitCode, r.err.constData());
        QVERIFY2(QString::fromUtf8(onStdout ? r.out : r.err).contains(fragment),
                 (onStdout ? r.out : r.err).constData());
        if (exitCode != 0) {
            QCOMPARE(r.out, QByteArray());
            QVERIFY(!QFile::exists(dir_.filePath("out.dat")));
        }
        QCOMPARE(QFileInfo(Path("long.dat")).size(), qint64(32768));
        if (args.contains(Path("empty.dat"))) // replaced by the built-in image
            QCOMPARE(ReadAll(Path("empty.dat")), ReadAll(image_));
        // The help fits a terminal of 80 columns.
        if (args == QStringList{"--help"})
            for (const QString& line : QString::fromUtf8(r.out).split('\n'))
                QVERIFY2(line.size() <= 80, qPrintable(line));
    }

    // The operations run in the order given, each as the application runs
    // it; one that is refused names itself and nothing is written.
    void arrangeAppliesOperationsInOrder() {
        RadioImage image = BuiltInImage();
        // Sorted by TX, A002-A003 would change places; by RX they stay.
        const std::uint32_t rx[] = {14700000, 14500000, 14600000};
        const std::uint32_t tx[] = {14500000, 14500000, 14800000};
        for (int n = 1; n <= 3; ++n) {
            ChannelRecord(image, n).SetRx(rx[n - 1]);
            ChannelRecord(image, n).SetTx(tx[n - 1]);
        }
        // A transmit frequency in no band: the grid the application shows
        // makes the channel simplex before the first operation.
        ChannelRecord(image, 5).SetRx(14500000);
        ChannelRecord(image, 5).SetTx(30000000);
        ChannelRecord(image, 5).SetShiftDirection(2);
        ChannelRecord(image, 256).SetRx(43900000);
        const QString in = dir_.filePath("arrange-in.dat"), out = dir_.filePath("arrange.dat");
        QVERIFY(WriteAll(in, Bytes(image)));
        const Run r = Cli({"arrange", in, "-o", out, "--move", "A001:A003", "--sort", "rx",
                           "--range=A002-A003", "--insert", "A002", "--delete", "B127-B128"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        BandLimits limits;
        PassThroughGrid(image, limits);
        QVERIFY(MoveChannels(image, limits, 1, 1, 3).ok());
        QVERIFY(SortChannels(image, limits, 2, 3, SortKey::Rx).ok());
        QVERIFY(InsertChannel(image, limits, 2).ok());
        QVERIFY(DeleteChannels(image, limits, 255, 256).ok());
        QCOMPARE(ReadAll(out), Bytes(image));
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

    // Standard output on a full disk: a /dev/full of its own in the
    // temporary folder (making one needs root). An output file that cannot
    // be written is a routing row.
    void fullStandardOutputExits1() {
#ifndef _WIN32
        if (::geteuid() != 0)
            QSKIP("making a device node needs root; run the tests as root for this case");
        const QString full = dir_.filePath("full");
        QVERIFY(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0);
        for (const char* command : {"channels", "settings"}) {
            const Run r = CliTo(KESTRA_CLI_PATH, {command, image_}, full);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(EnglishReason(ENOSPC).toUtf8()), r.err.constData());
        }
        QCOMPARE(CliTo(KESTRA_CLI_PATH, {"--help"}, full).exitCode, 1);
#endif
    }

    void modelNameComesFromProgramIniBesideTheProgram() {
        QTemporaryDir home;
        const QString cli = home.filePath("kestra-cli");
        QVERIFY(QFile::copy(KESTRA_CLI_PATH, cli));
        QVERIFY(WriteAll(home.filePath("Program.ini"), "[Setup]\r\nCOM=1\r\nType=K-58 对讲机\r\n"));
        const Run r = Cli({"settings", image_, "--form", "model"}, cli);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith("[model]\n; 机型=K-58 对讲机\n"), r.out.constData());
    }

    // Profiles and --set lines run in command-line order; consecutive --set
    // lines of one section are one opening of its dialog, so a spin line
    // moves the lines after it to the next channel.
    void configureRunsSectionsInOrder() {
        const QString profile = Path("p.ini"), out = Path("configured.dat");
        QVERIFY(WriteAll(profile, "[channel A005]\r\n接收频率=145.0125\r\n信道名字=R1\r\n"));
        const Run r = Cli({"configure", image_, "-o", out, "--profile", profile, "--set",
                           "channel A005:信道号++", "--set", "channel A005:接收频率=145.2", "--set",
                           "channel A001:接收频率=145", "--set", "model:A段上限=170", "--set",
                           "channel A001:信道名字=N", "--set", "channel A002:接收频率=1e3"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out, QByteArray());
        // What a dialog stored otherwise is said (a user would have seen it).
        QVERIFY2(r.err.contains("configure: --set:6: [channel A002] 接收频率: “1e3”"),
                 r.err.constData());
        const RadioImage image = FromBytes(ReadAll(out));
        QCOMPARE(Rx(image, 5), std::string("145.01250"));
        QCOMPARE(Rx(image, 6), std::string("145.20000"));
        // A001 opened twice: the name went to the frequency the first stored.
        QCOMPARE(Rx(image, 1), std::string("145.00000"));
        QCOMPARE(int(image[RecordOffset(1) + 24]), int('N'));
    }

    // --factory is passed on in the English profile's test, over the factory forms.
    void seedIsPassedOn() {
        auto batch = [&](const QString& seed, const QString& name) {
            const Run run = Cli({"configure", image_, "-o", Path(name), "--seed", seed, "--set",
                                 "batch:范围=B段", "--set", "batch:接收起始频率=430", "--set",
                                 "batch:接收随机=1", "--set", "batch:应用="});
            return run.exitCode == 0 ? ReadAll(Path(name)) : QByteArray();
        };
        const QByteArray a = batch("5", "a.dat");
        QVERIFY(!a.isEmpty());
        QCOMPARE(batch("5", "b.dat"), a);
        QVERIFY(batch("6", "c.dat") != a);
    }

    // diff: 0 equal, 1 different (the profile on standard output), and
    // --form keeps to one form.
    void diffExitStatus() {
        const QString b = Path("b.dat");
        QCOMPARE(Cli({"configure", image_, "-o", b, "--set", "channel A005:接收频率=145.0125",
                      "--set", "channel A005:信道名字=ZQX9", "--set", "options:静噪电平=7"})
                     .exitCode,
                 0);
        Run r = Cli({"diff", image_, image_});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
        r = Cli({"diff", image_, b});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains("[channel A005]\n") && r.out.contains("\n静噪电平=7\n"),
                 r.out.constData());
        r = Cli({"diff", image_, b, "--form", "options"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.startsWith("[options]\n") && !r.out.contains("[channel"));
        // The round trip through pipes, as the README shows it (and a CSV the same way).
        r = CliTo("/bin/bash",
                  {"-c",
                   "\"$0\" configure \"$1\" -o \"$2\" --profile <(\"$0\" diff \"$1\" \"$3\") && "
                   "\"$0\" import-csv \"$1\" <(\"$0\" export-csv \"$3\") -o \"$4\"",
                   KESTRA_CLI_PATH, image_, Path("b2.dat"), b, Path("b3.dat")},
                  QString());
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(ReadAll(Path("b2.dat")), ReadAll(b));
        QVERIFY(Cli({"channels", Path("b3.dat")}).out.contains("\t145.01250\t"));
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
        const QByteArray zhBatch = configure(image_, Path("zh-batch.dat"),
            {"--set", "batch:范围=全部", "--set", "batch:接收起始频率=145", "--set",
             "batch:接收随机=1", "--set", "batch:功率=低", "--set", "batch:应用="});
        QCOMPARE(configure(image_, Path("en-batch.dat"),
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

    // export-csv and import-csv: where the CSV and the import report go, and
    // the exit statuses. The rows themselves are the CSV module's tests'.
    void csvExportAndImport() {
        const QString in = image_, out = Path("csv.dat"), csv = Path("c.csv"), rep = Path("r.txt");
        QVERIFY(WriteAll(csv, "Frequency,Mode\r\n145.5,FM\r\n435.0071,NFM\r\n145.5,AM\r\n"));

        // --strict with a skipped row: exit 1, the report on standard error.
        Run r = Cli({"import-csv", in, csv, "-o", out, "--strict"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("skipped: Mode \"AM\"") && r.err.contains("nothing written"),
                 r.err.constData());
        QVERIFY(!QFile::exists(out));
        // An output that cannot be saved: no report of rows imported.
        r = Cli({"import-csv", in, csv, "-o", dir_.path()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.err.contains("imported"), r.err.constData());

        // --report takes the report instead of standard error; --start is used.
        r = Cli(
            {"import-csv", in, csv, "-o", out, "--start", "B001", "--overwrite", "--report", rep});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(r.out + r.err, QByteArray());
        QVERIFY(ReadAll(rep).endsWith("2 rows imported, 1 skipped\n"));

        // Band limits that leave channels out clear them, and say which.
        r = Cli({"configure", out, "-o", Path("narrow.dat"), "--set", "model:A段上限=140"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.endsWith("1 channel received outside the new band limits and was cleared: "
                                "B001\n"),
                 r.err.constData());

        // The grid's choices are source texts, English with --lang en.
        QVERIFY(Cli({"channels", out}).out.contains("B 001\t145.50000\t145.50000\t无\t无\t高"));
        QVERIFY(Cli({"--lang", "en", "channels", out})
                    .out.contains("B 001\t145.50000\t145.50000\tNone\tNone\tHigh"));

        // The CSV goes to standard output, or to -o.
        r = Cli({"export-csv", out});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("\r\n129,,145.500000,") && r.out.contains("\r\n130,,435.006250,"));
        QCOMPARE(Cli({"export-csv", out, "-o", csv}).exitCode, 0);
        QCOMPARE(ReadAll(csv), r.out);
        // A file name that is not UTF-8 is taken byte for byte.
        QProcess sh;
        sh.setWorkingDirectory(dir_.path());
        sh.start("/bin/sh", {"-c", "\"$0\" export-csv \"$1\" -o \"$(printf 'l\\377.csv')\"",
                             KESTRA_CLI_PATH, out});
        QVERIFY(sh.waitForFinished(30000) && sh.exitCode() == 0);
        const std::string latin = dir_.path().toStdString() + "/l\xFF.csv";
        QVERIFY(std::ifstream(latin).good());
        QCOMPARE(std::remove(latin.c_str()), 0); // Qt cannot name it to clean up

        // A NUL in a field neither cuts nor hides the report (the unusable
        // files are routing's rows).
        QVERIFY(WriteAll(csv, QByteArray("Frequency,Name\n145.5,A\0\x1B[2JB\r\n", 30)));
        r = Cli({"import-csv", in, csv, "-o", Path("nul.dat")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(
            r.err,
            QByteArray("row 1 (A\\0\\x1B[2JB, 145.5): A001, name \"A\\0\\x1B[2JB\" → \"A[2JB\"\n"
                       "1 row imported, 0 skipped\n"));
    }
};

QTEST_GUILESS_MAIN(CliOfflineTest)
#include "test_cli_offline.moc"
