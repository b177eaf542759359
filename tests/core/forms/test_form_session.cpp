// SPDX-License-Identifier: GPL-3.0-or-later
// A document driven through its dialogs: sections run with the main view's
// steps around them, the settings printed for an image, the round trip of
// settings through configure on built-in and randomised images, and
// kestra-cli diff's core (differing fields as profile lines, bytes no field
// explains as raw lines).
#include <QtTest>

#include <random>

#include "core/document/default_image.h"
#include "core/forms/form_session.h"
#include "core/forms/profile_diff.h"
#include "core/forms/profile_labels.h"
#include "core/image/calibration_layout.h"
#include "support/form_images.h"

using kestra::calibration::kTxGain;
using namespace kestra;
using namespace kestra::forms;

namespace {

std::vector<ProfileSection> Settings(const RadioImage& image, const std::string& form) {
    AppState state;
    state.image = image;
    FormSession session(state);
    std::vector<ProfileSection> out;
    std::string error;
    if (!session.SettingsSections(form, out, error))
        qWarning("%s", error.c_str());
    return out;
}

std::vector<ProfileSection> Diff(const RadioImage& ia, const RadioImage& ib, bool factory = false) {
    AppState a;
    AppState b;
    a.image = ia;
    b.image = ib;
    a.factoryMode = b.factoryMode = factory;
    std::vector<ProfileSection> out;
    std::string error;
    if (!DiffImages(a, b, std::string(), out, error))
        qWarning("%s", error.c_str());
    return out;
}

// "header|key|A|B", "-" for a side without the key.
QStringList Shown(const std::vector<DiffEntry>& entries) {
    QStringList out;
    for (const DiffEntry& e : entries)
        out << QString::fromStdString(e.header + "|" + e.key + "|" + e.a.value_or("-") + "|" +
                                      e.b.value_or("-"));
    return out;
}

} // namespace

class FormSessionTest : public QObject {
    Q_OBJECT
private slots:
    void sectionRunsBetweenGridToImageAndRenderGrid() {
        AppState state;
        ApplyBuiltInDefaults(state.image);
        FormSession session(state);
        // A grid edit not yet converted reaches the dialog.
        session.grid().SetText(5, kColRx, "145.00000");
        session.grid().SetText(5, kColTx, "145.00000");
        std::string error;
        const auto run = [&](const char* text) {
            return session.RunSection(Sections(text)[0], error);
        };
        QVERIFY2(run("[channel A005]\n信道名字=X\n发射频率=145.6\n"), error.c_str());
        QCOMPARE(session.grid().Text(5, kColTx), std::string("145.60000")); // rendered after
        QCOMPARE(int(ChannelRecord(state.image, 5).Byte(ChannelRecord::kName)), int('X'));
        // The model dialog's limits govern the dialogs and the grid after it.
        QVERIFY(run("[channel A006]\n接收频率=500\n"));
        QCOMPARE(session.grid().Text(6, kColRx), std::string("136.00000"));
        QVERIFY(run("[model]\nB段上限=520\n"));
        QVERIFY(run("[channel A006]\n接收频率=500\n"));
        QCOMPARE(session.grid().Text(6, kColRx), std::string("500.00000"));
        // Each change of the band limits names the channels it clears then.
        for (const char* text : {"[model]\nB段上限=480\n", "[model]\nB段上限=520\n",
                                 "[channel A006]\n接收频率=500\n", "[model]\nB段上限=480\n"})
            QVERIFY(run(text));
        const std::string cleared =
            "t.ini:1: [model]: 1 个信道的接收频率不在新的频段范围内，已清除：A006";
        QCOMPARE(session.Cleared(), std::vector<std::string>(2, cleared));
        // A label names a channel only when it reads back as itself.
        for (const char* text :
             {"[channel A200]\n接收频率=146\n", "[channel A1]\n接收频率=146\n"}) {
            QVERIFY2(!run(text), text);
            QVERIFY(session.grid().RowEmpty(200) && session.grid().Text(1, kColRx).empty());
        }
    }

    void channelSettingsPrintEveryRecord() {
        RadioImage image = CleanRandomImage(7);
        ClearRecord(image, 2);
        const auto sections = Settings(image, "channel");
        QCOMPARE(sections.size(), std::size_t(258));
        // An empty channel prints only 接收频率=.
        QCOMPARE(QString::fromStdString(sections[0].header + "|" + sections[128].header + "|" +
                                        sections[257].header + "|" + WriteProfile({sections[1]})),
                 QString("channel A001|channel B001|channel B VFO|[channel A002]\n接收频率=\n\n"));
        for (const auto& s : sections)
            for (const auto& l : s.lines)
                QVERIFY(l.key != "信道号");
        QVERIFY(Settings(image, "batch").empty());
        // A section's header prints that section alone.
        for (const char* header : {"dtmf 编码", "dtmf 解码", "dtmf 自动拨号", "channel A005"}) {
            const auto one = Settings(image, header);
            QCOMPARE(one.size(), std::size_t(1));
            QCOMPARE(one[0].header, std::string(header));
        }
        // A DTMF page named in another shipped language.
        SetProfileLanguages({[](const std::string& s) { return s == "编码" ? "Encode" : s; }});
        QCOMPARE(Settings(image, "dtmf Encode").size(), std::size_t(1));
        SetProfileLanguages({});
        AppState state;
        FormSession session(state);
        std::vector<ProfileSection> none;
        std::string error;
        for (const char* header : {"dtmf 编", "channel A129", "model 1", "dtmfx 编码"})
            QVERIFY2(!session.SettingsSections(header, none, error) && none.empty(), header);
        const auto all = Settings(image, "");
        QCOMPARE(all.size(), std::size_t(6));
        QCOMPARE(all[0].header, std::string("model"));
    }

    void settingsApplyToTheirImage_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<bool>("clean");
        QTest::newRow("built-in defaults") << 0u << true;
        for (unsigned s = 1; s <= 6; ++s)
            QTest::newRow(qPrintable(QString("clean %1").arg(s))) << s << true;
        for (unsigned s = 11; s <= 14; ++s)
            QTest::newRow(qPrintable(QString("random bytes %1").arg(s))) << s << false;
    }
    // The model and channel settings printed for an image apply to it without
    // an error, through text as kestra-cli passes them. On an image the
    // dialogs could have made they change nothing; on arbitrary bytes the
    // dialogs normalise what has no entry, after which their own settings
    // change nothing more.
    void settingsApplyToTheirImage() {
        QFETCH(unsigned, seed);
        QFETCH(bool, clean);
        std::mt19937 rng(seed);
        RadioImage image = !clean ? RandomImage(rng)
                           : seed ? CleanRandomImage(seed)
                                  : BuiltInImage();
        if (!clean)
            for (int n = 1; n <= kChannelCount; n += 3) // some channels inside a band
                ChannelRecord(image, n).SetRx(14000000 +
                                              static_cast<std::uint32_t>(rng() % 1000) * 125);
        std::string error;
        std::vector<std::string> notes;
        const auto applied = [&](const RadioImage& on) {
            auto sections = Settings(on, "model");
            const auto channels = Settings(on, "channel");
            sections.insert(sections.end(), channels.begin(), channels.end());
            return Configure(on, Sections(WriteProfile(sections)), &error, false, &notes);
        };
        const RadioImage once = applied(image);
        QVERIFY2(error.empty(), error.c_str());
        if (clean) {
            // Nothing printed is stored as something else.
            QVERIFY2(notes.empty(), notes.empty() ? "" : notes.front().c_str());
            const RadioImage resaved = Configure(image, {});
            QVERIFY2(once == resaved, FirstDifference(once, resaved).c_str());
            return;
        }
        // Every section converts the whole grid, and a conversion of a TX in
        // no band depends on what the one before stored: the settings settle
        // from an image that saving leaves as it is.
        image = Configure(Configure(image, {}), {});
        const RadioImage settled = applied(image);
        const RadioImage again = applied(settled);
        QVERIFY2(error.empty(), error.c_str());
        QVERIFY2(settled == again, FirstDifference(settled, again).c_str());
    }

    // A value a dialog stores as something else is noted with its place;
    // one only written another way (a number's digits, letter case, blanks
    // round it) or a list entry is not.
    void valuesStoredOtherwiseAreNoted() {
        const char* const rows[][2] = {
            {"[channel A001]\n接收频率=abc\n", "t.ini:2: [channel A001] 接收频率: “abc”存为“”"},
            {"[channel A001]\n接收频率= 145.5 \n", ""},
            {"[model]\nA段下限=100\n", "t.ini:2: [model] A段下限: “100”存为“136”"},
            {"[options]\n开机问候语编制=你好\n", "t.ini:2: [options] 开机问候语编制: “你好”存为“”"},
            {"[options]\n开机问候语编制=hello\n静噪电平=7\n", ""},
            {"[fm]\n1/频率=108.1\n", "t.ini:2: [fm] 1/频率: “108.1”存为“76.000”"},
            {"[channel A001]\n接收频率=145\n接收信令=88.55\n",
             "t.ini:3: [channel A001] 接收信令: “88.55”存为“88.5”"},
            {"[raw]\n0x3F15=00 00\n", "t.ini:2: [raw] 0x3F15: “00 00”存为“42 3B”"},
        };
        for (const auto& r : rows) {
            std::vector<std::string> notes;
            std::string error;
            Configure(BuiltInImage(), Sections(r[0]), &error, false, &notes);
            QVERIFY2(error.empty(), error.c_str());
            QCOMPARE(QString::fromStdString(notes.empty() ? std::string() : notes[0]),
                     QString::fromUtf8(r[1]));
        }
    }

    void diffShowsWhatDiffers() {
        RadioImage a = Configured(CleanRandomImage(5), "");
        QVERIFY(Diff(a, a).empty());
        // An image never saved differs from its saved copy, either way round.
        QVERIFY(!Diff(CleanRandomImage(5), a).empty() && !Diff(a, CleanRandomImage(5)).empty());
        std::vector<ProfileSection> d = Diff(a, Configured(a, "[channel A005]\n信道名字=ZQX9\n"));
        QVERIFY2(d.size() == 1, WriteProfile(d).c_str());
        QCOMPARE(QString::fromStdString(d[0].header), QStringLiteral("channel A005"));
        std::string text = WriteProfile(d);
        QVERIFY2(text.find("\n信道名字=ZQX9\n") != std::string::npos, text.c_str());
        QVERIFY(text.find("; 信道名字=") != std::string::npos);

        const RadioImage c = Configured(a, "[options]\n静噪电平=2\n");
        const RadioImage c2 = Configured(a, "[options]\n静噪电平=7\n");
        QCOMPARE(QString::fromStdString(WriteProfile(Diff(c, c2))),
                 QStringLiteral("[options]\n; 静噪电平=2\n静噪电平=7\n\n"));

        // A calibration byte: raw, unless factory mode shows its field.
        a[kTxGain] = 0x05;
        RadioImage b = a;
        b[kTxGain] = 0x06;
        QCOMPARE(QString::fromStdString(WriteProfile(Diff(a, b))),
                 QString("[raw]\n; 0x3F22=05\n0x3F22=06\n\n"));
        QCOMPARE(Shown(DiffEntries(Diff(a, b))), QStringList({"raw|0x3F22|05|06"}));
        d = Diff(a, b, true);
        QVERIFY2(!d.empty() && d[0].header == "tuning", WriteProfile(d).c_str());
        // The tuning field explains the byte (the [raw] section holds only
        // what closing the dialog normalises and B keeps as it is).
        text = WriteProfile(d);
        QVERIFY2(text.find("\n0x3F22=") == std::string::npos, text.c_str());
    }

    void diffThenConfigureGivesB() {
        // For images that saving leaves as they are, with band limits of
        // their own: configure A with the printed diff A B gives exactly B.
        std::mt19937 rng(17);
        auto saved = [&](unsigned seed) {
            RadioImage image = CleanRandomImage(seed);
            BandLimits limits;
            limits.low[0] = static_cast<std::int32_t>(136 + rng() % 14) * 100000;
            limits.high[0] = static_cast<std::int32_t>(150 + rng() % 25) * 100000;
            limits.low[1] = static_cast<std::int32_t>(400 + rng() % 40) * 100000;
            limits.high[1] = static_cast<std::int32_t>(440 + rng() % 81) * 100000;
            StoreBandLimitsToImage(limits, image);
            for (int pass = 0; pass < 4; ++pass)
                image = Configured(image, "");
            return image;
        };
        int pairs = 0;
        for (unsigned seed = 1; pairs < 200; seed += 2) {
            const RadioImage a = saved(seed);
            const RadioImage b = saved(seed + 1);
            if (Configured(a, "") != a || Configured(b, "") != b)
                continue; // not an image saving leaves as it is
            ++pairs;
            const std::string diff = WriteProfile(Diff(a, b, seed % 3 == 0));
            std::string error;
            const RadioImage configured = Configure(a, Sections(diff), &error, seed % 3 == 0);
            QVERIFY2(error.empty(), error.c_str());
            const std::string why = "seed " + std::to_string(seed) + ": " +
                                    FirstDifference(configured, b) + "\n" + diff;
            QVERIFY2(configured == b, why.c_str());
        }

        // New band limits alone differ in [model] only: the tuning rows,
        // named after the limits, are compared row by row.
        RadioImage a = Configured(BuiltInImage(), "");
        const std::string diff =
            WriteProfile(Diff(a, Configured(a, "[model]\nA段上限=150\n"), true));
        QVERIFY2(diff == "[model]\n; A段上限=174\nA段上限=150\n\n", diff.c_str());
    }

    void rawLines() {
        RadioImage a;
        a.Fill(0);
        RadioImage b = a;
        for (int i = 0; i < 20; ++i)
            b[static_cast<std::size_t>(0x100 + i)] = 0xAB;
        b[kImageSize - 1] = 1;
        // 16 + 4 bytes, then the last byte, each after A's line as a comment.
        QStringList lines;
        for (const ProfileLine& l : RawDifferenceLines(a, b))
            lines << QString::fromStdString(l.kind == ProfileLine::Kind::Comment
                                                ? ";" + l.value
                                                : l.key + "=" + l.value);
        const QString ab16 = "AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB";
        QCOMPARE(lines, QStringList({";0x0100=" + QString(ab16).replace("AB", "00"),
                                     "0x0100=" + ab16, ";0x0110=00 00 00 00",
                                     "0x0110=AB AB AB AB", ";0x3FFF=00", "0x3FFF=01"}));
        QVERIFY(RawDifferenceLines(a, a).empty());
    }

    void entries() {
        // A channel A shows empty and B in use: the key both show is one
        // entry, the keys only B shows have no A text; a key only A shows has
        // no B text.
        std::vector<ProfileSection> pa, pb;
        std::string error;
        QVERIFY(ParseProfile("[channel A005]\n接收频率=\n[x]\nk=a=b\nk=2\n", "a", pa, error));
        QVERIFY(ParseProfile("[channel A005]\n接收频率=145.01250\n发射频率=145.01250\n[x]\nk=2\n",
                             "b", pb, error));
        // The first "k" of A pairs with B's only "k"; the second is A's
        // alone, its text after the first '=' kept whole.
        QCOMPARE(Shown(DiffEntries(DiffSections(pa, pb))),
                 QStringList({"channel A005|接收频率||145.01250", "channel A005|发射频率|-|145.01250",
                              "x|k|a=b|2", "x|k|2|-"}));

        // The keys the entries show, in another language: composed ones
        // side by side.
        const LabelTranslator english = [](const std::string& s) -> std::string {
            return s == "频率"      ? "Frequency"
                   : s == " 低功率" ? " Low power"
                   : s == "低端"    ? "Low end"
                                    : s;
        };
        for (const auto& [key, shown] : std::vector<std::pair<std::string, std::string>>{
                 {"1/频率", "1/Frequency"},
                 {"136-174 低功率/低端", "136-174 Low power/Low end"},
                 {"频率", "Frequency"},
                 {"a/b/c", "a/b/c"}})
            QCOMPARE(TranslateKey(key, english), shown);
    }
};

QTEST_GUILESS_MAIN(FormSessionTest)
#include "test_form_session.moc"
