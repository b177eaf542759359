// SPDX-License-Identifier: GPL-3.0-or-later
// A document driven through its dialogs: sections run with the main view's
// steps around them, the settings printed for an image, and the round trip
// of settings through configure on built-in and randomised images.
#include <QtTest>

#include <random>

#include "core/document/default_image.h"
#include "core/forms/form_session.h"
#include "support/form_images.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

std::vector<ProfileSection> Sections(const std::string& text) {
    std::vector<ProfileSection> s;
    std::string error;
    if (!ParseProfile(text, "t.ini", s, error))
        qWarning("%s", error.c_str());
    return s;
}

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

// Runs the sections on a copy of the image and saves it as the application
// does; error receives the first failure.
RadioImage Configure(const RadioImage& image, const std::vector<ProfileSection>& sections,
                     std::string* error = nullptr) {
    AppState state;
    state.image = image;
    FormSession session(state, 1u);
    std::string why;
    for (const auto& s : sections) {
        if (!session.RunSection(s, why)) {
            if (error)
                *error = why;
            return state.image;
        }
    }
    session.PrepareSave();
    return state.image;
}

QString FirstDifference(const RadioImage& a, const RadioImage& b) {
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (a[i] != b[i])
            return QString("0x%1: %2 vs %3")
                .arg(i, 4, 16, QChar('0'))
                .arg(a[i], 2, 16, QChar('0'))
                .arg(b[i], 2, 16, QChar('0'));
    return QString();
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
        QVERIFY2(
            session.RunSection(Sections("[channel A005]\n信道名字=X\n发射频率=145.6\n")[0], error),
            error.c_str());
        QCOMPARE(session.grid().Text(5, kColTx), std::string("145.60000")); // rendered after
        QCOMPARE(int(ChannelRecord(state.image, 5).Byte(ChannelRecord::kName)), int('X'));
        // The model dialog's limits govern the dialogs and the grid after it.
        QVERIFY(session.RunSection(Sections("[channel A006]\n接收频率=500\n")[0], error));
        QCOMPARE(session.grid().Text(6, kColRx), std::string("136.00000"));
        QVERIFY(session.RunSection(Sections("[model]\nB段上限=520\n")[0], error));
        QVERIFY(session.RunSection(Sections("[channel A006]\n接收频率=500\n")[0], error));
        QCOMPARE(session.grid().Text(6, kColRx), std::string("500.00000"));
        // A label names a channel only when it reads back as itself.
        for (const char* text :
             {"[channel A200]\n接收频率=146\n", "[channel A1]\n接收频率=146\n"}) {
            QVERIFY2(!session.RunSection(Sections(text)[0], error), text);
            QVERIFY(session.grid().RowEmpty(200) && session.grid().Text(1, kColRx).empty());
        }
    }

    void channelSettingsPrintEveryRecord() {
        RadioImage image = CleanRandomImage(7);
        ClearRecord(image, 2);
        const auto sections = Settings(image, "channel");
        QCOMPARE(sections.size(), std::size_t(258));
        QCOMPARE(sections[0].header, std::string("channel A001"));
        QCOMPARE(sections[128].header, std::string("channel B001"));
        QCOMPARE(sections[257].header, std::string("channel B VFO"));
        QCOMPARE(sections[1].lines.size(), std::size_t(1)); // empty: only 接收频率=
        QCOMPARE(sections[1].lines[0].key, std::string("接收频率"));
        QCOMPARE(sections[1].lines[0].value, std::string());
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

    void settingsApplyToTheirImageWithoutChange_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("built-in defaults") << 0u;
        for (unsigned s = 1; s <= 6; ++s)
            QTest::newRow(qPrintable(QString("random %1").arg(s))) << s;
    }
    void settingsApplyToTheirImageWithoutChange() {
        QFETCH(unsigned, seed);
        const RadioImage image = FormTestImage(seed);
        auto sections = Settings(image, "channel");
        const auto model = Settings(image, "model");
        sections.insert(sections.end(), model.begin(), model.end());
        // Through text, as kestra-cli passes it.
        const auto reread = Sections(WriteProfile(sections));
        QCOMPARE(reread.size(), sections.size());
        std::string error;
        const RadioImage applied = Configure(image, reread, &error);
        QVERIFY2(error.empty(), error.c_str());
        const RadioImage resaved = Configure(image, {});
        QVERIFY2(applied == resaved, qPrintable(FirstDifference(applied, resaved)));
    }

    void settingsOfAnyImageApplyCleanlyAndSettle() {
        // Arbitrary bytes: the dialogs normalise what has no entry, after
        // which their own settings change nothing more.
        std::mt19937 rng(11);
        for (int round = 0; round < 4; ++round) {
            RadioImage image;
            for (std::size_t i = 0; i < kImageSize; ++i)
                image[i] = static_cast<std::uint8_t>(rng());
            for (int n = 1; n <= kChannelCount; n += 3) // some channels inside a band
                ChannelRecord(image, n).SetRx(14000000 +
                                              static_cast<std::uint32_t>(rng() % 1000) * 125);
            std::string error;
            auto sections = Settings(image, "channel");
            Configure(image, sections, &error);
            QVERIFY2(error.empty(), error.c_str());
            // Every section converts the whole grid, and a conversion of a
            // TX in no band depends on what the one before stored: the
            // settings settle from an image that saving leaves as it is.
            image = Configure(Configure(image, {}), {});
            sections = Settings(image, "channel");
            const RadioImage once = Configure(image, sections, &error);
            QVERIFY2(error.empty(), error.c_str());
            sections = Settings(once, "channel");
            const RadioImage twice = Configure(once, sections, &error);
            QVERIFY2(error.empty(), error.c_str());
            QVERIFY2(once == twice, qPrintable(FirstDifference(once, twice)));
        }
    }
};

QTEST_GUILESS_MAIN(FormSessionTest)
#include "test_form_session.moc"
