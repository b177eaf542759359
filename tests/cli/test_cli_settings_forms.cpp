// kestra-cli settings and configure with the settings dialogs: options, fm
// and the three pages of the DTMF dialog.
#include <QtTest>

#include <QTemporaryDir>

#include "core/document/default_image.h"
#include "core/image/settings_layout.h"
#include "support/cli_process.h"
#include "support/form_images.h"

using namespace kestra;
using namespace kestra::testing;

class CliSettingsFormsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Image(const QString& name, const RadioImage& image) {
        WriteAll(Path(name), ToBytes(image));
        return Path(name);
    }
    QString Defaults() { return Image("defaults.dat", FormTestImage(0)); }
    // configure IN -o OUT with args; the image written, or an empty array.
    QByteArray Configure(const QString& in, const QStringList& args) {
        const QString out = Path("out.dat");
        QFile::remove(out);
        const Run r = Cli(QStringList{"configure", in, "-o", out} + args);
        if (r.exitCode != 0)
            qWarning("%s", r.err.constData());
        return r.exitCode == 0 ? ReadAll(out) : QByteArray();
    }
    static QByteArray Hex(const RadioImage& image, int offset, int count) {
        return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count)
            .toHex()
            .toUpper();
    }

private slots:
    void settingsShowTheDefaults() {
        // The values are the forms' own tests'; here the sections, their
        // order, the keys of grids and which fields are left out.
        const Run r = Cli({"settings", Defaults()});
        QCOMPARE(r.exitCode, 0);
        const QString out = QString::fromUtf8(r.out);
        QStringList headers;
        for (const QString& line : out.split('\n'))
            if (line.startsWith('['))
                headers << line;
        QCOMPARE(headers, QStringList({"[model]", "[options]", "[fm]", "[dtmf 编码]", "[dtmf 解码]",
                                       "[dtmf 自动拨号]"}));
        // Options: 30 shown fields; the three hidden ones are no keys.
        const QString options = out.section("[options]\n", 1).section("\n\n", 0, 0);
        QCOMPARE(options.count('\n') + 1, 30);
        QVERIFY(options.startsWith("A信道显示=频率\nB信道显示=频率\n主信道A/B=A\n"));
        QVERIFY(options.contains("\n发射限时 (min)=30\n"));
        for (const char* hidden : {"双待复位时间", "双频守候时间", "尾音模式"})
            QVERIFY(!options.contains(QString::fromUtf8(hidden)));
        QVERIFY(out.contains("[fm]\n当前信道=1\n当前频率=\n1/频率=\n2/频率=\n"));
        QVERIFY(out.contains("\n20/频率=\n\n[dtmf 编码]\n速率 (digit/s)=10\n"));
        QVERIFY(out.endsWith("[dtmf 自动拨号]\n0/编码=100*100\n1/编码=\n2/编码=\n3/编码=\n"
                             "4/编码=\n5/编码=\n6/编码=\n7/编码=\n8/编码=\n9/编码=\n"
                             "自身 ID=100\n分隔符=*\n呼叫ID=100\n\n"));
    }

    void configureAppliesEachForm() {
        // Each section reaches its dialog (the values are the forms' own
        // tests'); a spin line works; the call ID typed in an earlier opening
        // of the DTMF dialog is still there in a later one.
        const QByteArray bytes =
            Configure(Defaults(),
                      {"--set", "options:开机问候语编制=HELLO", "--set", "fm:3/频率=88.15", "--set",
                       "dtmf 自动拨号:呼叫ID=555", "--set", "dtmf 编码:速率 (digit/s)=15", "--set",
                       "dtmf 编码:首位数码延迟时间 (ms)++", "--set", "dtmf 解码:组呼码=A", "--set",
                       "dtmf 自动拨号:分隔符=#", "--set", "dtmf 自动拨号:ANI 呼叫=2"});
        QVERIFY(!bytes.isEmpty());
        const RadioImage image = FromBytes(bytes);
        QCOMPARE(Hex(image, settings::kGreeting, 7), QByteArray("48454C4C4F2020"));
        QCOMPARE(Hex(image, fm::Channel(3), 4), QByteArray("508108FF"));
        QCOMPARE(image.Get(dtmf::kDigitRate), 34);
        QCOMPARE(image.Get(dtmf::kFirstDigitDelay), 6); // 300 ms
        QCOMPARE(image.Get(dtmf::kGroupCallCode), 0x0A);
        QCOMPARE(image.DtmfString(dtmf::CodeEntry(1), 16), std::string("100A100"));
        QCOMPARE(image.DtmfString(dtmf::CodeEntry(3), 16), std::string("555#100"));
    }

    void refusals_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("message");
        QTest::newRow("dtmf without page") << "dtmf:组呼码=A"
                                           << "'dtmf' needs its page: 编码, 解码, 自动拨号";
        QTest::newRow("dtmf unknown page") << "dtmf 译码:组呼码=A"
                                           << "needs its page";
        QTest::newRow("key of another page") << "dtmf 编码:组呼码=A"
                                             << "no such field";
        QTest::newRow("hidden option") << "options:双频守候时间=1.00"
                                       << "not shown";
        QTest::newRow("options argument") << "options x:提示音=开"
                                          << "takes no argument";
        QTest::newRow("separator E") << "dtmf 自动拨号:分隔符=E"
                                     << "no entry of the list";
        QTest::newRow("ANI without row") << "dtmf 自动拨号:ANI 呼叫="
                                         << "row label";
    }
    void refusals() {
        QFETCH(QString, set);
        QFETCH(QString, message);
        const QString out = Path("refused.dat");
        QFile::remove(out);
        const Run r = Cli({"configure", Defaults(), "-o", out, "--set", set});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QVERIFY(!QFile::exists(out));
    }

    void settingsApplyCleanly_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("built-in defaults") << 0u;
        QTest::newRow("random 31") << 31u;
    }
    void settingsApplyCleanly() {
        // Applying what settings printed changes only what opening and closing
        // each dialog normalises, and prints the same again.
        QFETCH(unsigned, seed);
        const QString in = Image("round.dat", FormTestImage(seed));
        const Run printed = Cli({"settings", in});
        QCOMPARE(printed.exitCode, 0);
        QVERIFY(WriteAll(Path("all.ini"), printed.out));
        QVERIFY(WriteAll(Path("empty.ini"), "[model]\n[options]\n[fm]\n[dtmf 编码]\n[dtmf 解码]\n"
                                            "[dtmf 自动拨号]\n"));
        const QByteArray applied = Configure(in, {"--profile", Path("all.ini")});
        const QByteArray normalised = Configure(in, {"--profile", Path("empty.ini")});
        QVERIFY(!applied.isEmpty());
        QCOMPARE(applied, normalised);
        const QString out = Image("round-out.dat", FromBytes(applied));
        QCOMPARE(Cli({"settings", out}).out, printed.out);
        QCOMPARE(Configure(out, {"--profile", Path("all.ini")}), applied);
    }
};

QTEST_GUILESS_MAIN(CliSettingsFormsTest)
#include "test_cli_settings_forms.moc"
