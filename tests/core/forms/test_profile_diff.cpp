// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli diff's core: differing fields as profile lines, bytes no field
// explains as raw lines.
#include <QtTest>
#include <random>

#include "core/forms/form_session.h"
#include "core/forms/profile_diff.h"
#include "core/image/calibration_layout.h"
#include "support/form_images.h"

using kestra::calibration::kTxGain;

using namespace kestra;
using namespace kestra::forms;

namespace {

// A with the profile applied as configure applies it.
RadioImage Configured(const RadioImage& a, const std::string& text) {
    AppState b;
    b.image = a;
    std::vector<ProfileSection> sections;
    std::string error;
    if (!ParseProfile(text, "t.ini", sections, error))
        qWarning("%s", error.c_str());
    FormSession session(b);
    for (const ProfileSection& s : sections)
        if (!session.RunSection(s, error))
            qWarning("%s", error.c_str());
    session.PrepareSave();
    return b.image;
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

RadioImage Opened(unsigned seed) {
    return Configured(FormTestImage(seed), ""); // as saved by the application
}

} // namespace

class TestProfileDiff : public QObject {
    Q_OBJECT
private slots:
    void oneChannelAndOneSetting() {
        const RadioImage a = Opened(5);
        QVERIFY(Diff(a, a).empty());
        const RadioImage b = Configured(a, "[channel A005]\n信道名字=ZQX9\n");
        QVERIFY(a != b);
        std::vector<ProfileSection> d = Diff(a, b);
        QVERIFY2(d.size() == 1, WriteProfile(d).c_str());
        QCOMPARE(QString::fromStdString(d[0].header), QStringLiteral("channel A005"));
        const std::string text = WriteProfile(d);
        QVERIFY2(text.find("\n信道名字=ZQX9\n") != std::string::npos, text.c_str());
        QVERIFY(text.find("; 信道名字=") != std::string::npos);

        // The diff's lines turn A into B.
        std::string applied;
        for (const ProfileSection& s : d)
            if (s.header != "raw")
                applied += WriteProfile({s});
        QVERIFY(Configured(a, applied) == b);

        const RadioImage c = Configured(a, "[options]\n静噪电平=2\n");
        const RadioImage c2 = Configured(a, "[options]\n静噪电平=7\n");
        d = Diff(c, c2);
        QCOMPARE(d.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(d[0].header), QStringLiteral("options"));
        QCOMPARE(QString::fromStdString(WriteProfile(d)),
                 QStringLiteral("[options]\n; 静噪电平=2\n静噪电平=7\n\n"));
    }

    void calibrationByte() {
        RadioImage a = Opened(7);
        a[kTxGain] = 0x05;
        RadioImage b = a;
        b[kTxGain] = 0x06;
        std::vector<ProfileSection> d = Diff(a, b);
        QCOMPARE(d.size(), std::size_t{1});
        QCOMPARE(
            QString::fromStdString(WriteProfile(d)),
            QString::asprintf("[raw]\n; 0x3F22=%02X\n0x3F22=%02X\n\n", a[kTxGain], b[kTxGain]));
        d = Diff(a, b, true);
        QVERIFY2(!d.empty() && d[0].header == "tuning", WriteProfile(d).c_str());
        QCOMPARE(QString::fromStdString(d[0].header), QStringLiteral("tuning"));
        // The tuning field explains the byte (the [raw] section holds only
        // what closing the dialog normalises and B keeps as it is).
        const std::string text = WriteProfile(d);
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
            AppState state;
            state.image = a;
            state.factoryMode = seed % 3 == 0;
            std::vector<ProfileSection> sections;
            std::string error;
            QVERIFY2(ParseProfile(diff, "diff", sections, error), error.c_str());
            FormSession session(state);
            for (const ProfileSection& section : sections)
                QVERIFY2(session.RunSection(section, error), error.c_str());
            session.PrepareSave();
            for (std::size_t i = 0; i < kImageSize; ++i)
                if (state.image[i] != b[i])
                    QFAIL(qPrintable(QString("seed %1: 0x%2 is %3, B has %4\n")
                                         .arg(seed)
                                         .arg(i, 4, 16, QChar('0'))
                                         .arg(state.image[i], 2, 16, QChar('0'))
                                         .arg(b[i], 2, 16, QChar('0')) +
                                     QString::fromStdString(diff)));
        }
    }

    void rawLines() {
        RadioImage a;
        a.Fill(0);
        RadioImage b = a;
        for (int i = 0; i < 20; ++i)
            b[static_cast<std::size_t>(0x100 + i)] = 0xAB;
        b[kImageSize - 1] = 1;
        const std::vector<ProfileLine> lines = RawDifferenceLines(a, b);
        QCOMPARE(lines.size(), std::size_t{6}); // 16 + 4 bytes, then the last byte
        QCOMPARE(QString::fromStdString(lines[1].key), QStringLiteral("0x0100"));
        QCOMPARE(lines[1].value.size(), std::size_t{16 * 3 - 1});
        QCOMPARE(QString::fromStdString(lines[3].key + "=" + lines[3].value),
                 QStringLiteral("0x0110=AB AB AB AB"));
        QCOMPARE(QString::fromStdString(lines[4].value), QStringLiteral("0x3FFF=00"));
        QVERIFY(RawDifferenceLines(a, a).empty());
    }

    void entries() {
        // "header|key|A|B", "-" for a side without the key. A channel A shows
        // empty and B in use: the key both show is one entry, the keys only B
        // shows have no A text; a key only A shows has no B text.
        auto shown = [](const std::vector<DiffEntry>& entries) {
            QStringList out;
            for (const DiffEntry& e : entries)
                out << QString::fromStdString(e.header + "|" + e.key + "|" + e.a.value_or("-") +
                                              "|" + e.b.value_or("-"));
            return out;
        };
        std::vector<ProfileSection> pa, pb;
        std::string error;
        QVERIFY(ParseProfile("[channel A005]\n接收频率=\n[x]\nk=a=b\nk=2\n", "a", pa, error));
        QVERIFY(ParseProfile("[channel A005]\n接收频率=145.01250\n发射频率=145.01250\n[x]\nk=2\n",
                             "b", pb, error));
        // The first "k" of A pairs with B's only "k"; the second is A's
        // alone, its text after the first '=' kept whole.
        QCOMPARE(shown(DiffEntries(DiffSections(pa, pb))),
                 QStringList({"channel A005|接收频率||145.01250", "channel A005|发射频率|-|145.01250",
                              "x|k|a=b|2", "x|k|2|-"}));
        // A raw line: both sides.
        RadioImage a = Opened(7);
        a[kTxGain] = 0x05;
        RadioImage b = a;
        b[kTxGain] = 0x16;
        QCOMPARE(shown(DiffEntries(Diff(a, b))), QStringList({"raw|0x3F22|05|16"}));
    }
};

QTEST_GUILESS_MAIN(TestProfileDiff)
#include "test_profile_diff.moc"
