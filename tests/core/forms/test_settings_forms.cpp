// The optional features and FM radio forms, without a display.
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <random>

#include "core/document/default_image.h"
#include "core/forms/fm_radio_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/optional_features_form.h"
#include "core/image/settings_layout.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using O = OptionalFeaturesForm;

QByteArray Bytes(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

// Applies "KEY=VALUE" (or KEY++ / KEY--) as a profile line; the error or "".
std::string Do(Form& form, const std::string& text) {
    ProfileLine line;
    std::string error;
    if (ParseProfileLine(text, line, error))
        ApplyProfileLine(form, line, error);
    return error;
}

// Opens a form on the image, runs the lines, closes it; the image after.
template <class FormT>
RadioImage OpenClose(const RadioImage& image, const std::vector<std::string>& lines = {}) {
    AppState state;
    state.image = image;
    FormContext ctx{state, {}, {}};
    FormT form(ctx);
    form.Open();
    for (const auto& l : lines)
        if (!Do(form, l).empty())
            qWarning("%s: %s", l.c_str(), Do(form, l).c_str());
    form.Close();
    return state.image;
}

RadioImage Defaults() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    return image;
}

} // namespace

class SettingsFormsTest : public QObject {
    Q_OBJECT
private slots:
    void everyOptionRowLoadsStoresAndFallsBack() {
        // Every value each list row's bits can hold: a value with an entry is
        // shown as that entry and stored back unchanged; any other shows the
        // row's fallback and is stored in that corrected form, which then
        // stays. Nothing but the row's own bits changes.
        const RadioImage base = OpenClose<O>(Defaults()); // every field in range
        const auto& rows = OptionalFeatureFields();
        QCOMPARE(int(rows.size()), 33);
        for (int id = 0; id < O::kFieldCount; ++id) {
            const FieldSpec& row = rows[static_cast<std::size_t>(id)];
            if (row.kind != FieldKind::DropDownList)
                continue;
            const BitField bits = row.location.field;
            for (int v = 0; v < (1 << bits.width); ++v) {
                RadioImage image = base;
                image.Set(bits, v);
                AppState state;
                state.image = image;
                FormContext ctx{state, {}, {}};
                O form(ctx);
                form.Open();
                const int index = form.State(id).index;
                QVERIFY2(index >= 0, row.key.c_str());
                form.Close();
                const int stored = state.image.Get(bits);
                const auto& c = row.choices;
                const std::string number =
                    std::to_string(row.location.storedAs == StoredAs::NumberMinusOne ? v + 1 : v);
                const bool hasEntry = row.location.storedAs == StoredAs::Index
                                          ? v < int(c.size())
                                          : std::find(c.begin(), c.end(), number) != c.end();
                const QString where = QString::fromStdString(row.key) + " " + QString::number(v);
                if (hasEntry)
                    QVERIFY2(stored == v, qPrintable(where));
                else if (row.fallback.index >= 0)
                    QVERIFY2(index == row.fallback.index, qPrintable(where));
                else
                    QVERIFY2(row.fallback.text &&
                                 StartsWith(c[std::size_t(index)], row.fallback.text),
                             qPrintable(where));
                image.Set(bits, stored);
                QVERIFY2(state.image == image, qPrintable(where));
                QVERIFY2(OpenClose<O>(image) == image, qPrintable(where)); // settled
            }
        }
    }

    void optionEdgeCases_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("time-out minutes") << "发射限时 (min)" << 30 << "30" << 1;
        QTest::newRow("power-on display 3") << "开机信息显示方式" << 3 << "电压" << 1;
        QTest::newRow("squelch 12") << "静噪电平" << 12 << "4" << 4;
        QTest::newRow("backlight time 9") << "背光灯时间" << 9 << "10" << 9;
        QTest::newRow("backlight time 10") << "背光灯时间" << 10 << "5" << 4;
        QTest::newRow("scan mode 3") << "扫描模式" << 3 << "时间" << 0;
        QTest::newRow("backlight mode 3") << "背光灯模式" << 3 << "按键" << 1;
        QTest::newRow("keypad lock 0 is on") << "键盘锁" << 0 << "开" << 0;
        QTest::newRow("backlight colour 3") << "背光灯颜色" << 3 << "1" << 0;
    }
    void optionEdgeCases() {
        QFETCH(QString, label);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, storedBack);
        AppState state;
        state.image = Defaults();
        FormContext ctx{state, {}, {}};
        O form(ctx);
        const int id = form.FieldId(label.toStdString());
        QVERIFY(id >= 0);
        state.image.Set(form.Spec(id).location.field, stored);
        form.Open();
        QCOMPARE(QString::fromStdString(form.State(id).text), shown);
        form.Close();
        QCOMPARE(state.image.Get(form.Spec(id).location.field), storedBack);
    }

    void unnamedBitsAndBytesTravelUnchanged() {
        // No two rows share a bit, and no row owns a bit the dialog must leave
        // alone.
        std::vector<std::uint8_t> owned(kImageSize, 0);
        for (const FieldSpec& row : OptionalFeatureFields())
            if (row.location.Valid()) {
                const BitField& bits = row.location.field;
                QCOMPARE(owned[std::size_t(bits.offset)] & bits.Mask(), 0);
                owned[std::size_t(bits.offset)] |= std::uint8_t(bits.Mask());
            }
        for (int i = 0; i < settings::kGreetingLength; ++i)
            owned[std::size_t(settings::kGreeting + i)] = 0xFF;
        const std::pair<int, int> unnamed[] = {{0x2041, 0xFF}, {0x2045, 0xFF}, {0x2047, 0xFF},
                                               {0x2049, 0x18}, {0x204A, 0x01}, {0x204B, 0x80},
                                               {0x204C, 0x6E}, {0x204D, 0xC0}, {0x204E, 0x0F}};
        for (const auto& [offset, mask] : unnamed)
            QCOMPARE(owned[std::size_t(offset)] & mask, 0);
        for (int offset = 0x2067; offset <= 0x206F; ++offset)
            QCOMPARE(int(owned[std::size_t(offset)]), 0);
        // On random bytes, closing the dialog changes no bit that no row owns.
        std::mt19937 rng(3);
        for (int round = 0; round < 20; ++round) {
            RadioImage image;
            for (std::size_t i = 0; i < kImageSize; ++i)
                image[i] = static_cast<std::uint8_t>(rng());
            const RadioImage after = OpenClose<O>(image);
            for (std::size_t i = 0; i < kImageSize; ++i)
                QCOMPARE(after[i] & ~owned[i] & 0xFF, image[i] & ~owned[i] & 0xFF);
        }
    }

    void greetingMapsKeysAndPadsWithBlanks_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("storedBack");
        QTest::newRow("digit codes and keys")
            << QByteArray::fromHex("0102030E0FFFFF") << "123*#" << QByteArray("123*#  ");
        QTest::newRow("FF padding")
            << QByteArray("HI\xFF\xFF\xFF\xFF\xFF", 7) << "HI" << QByteArray("HI     ");
        QTest::newRow("trailing blanks")
            << QByteArray(" A B   ") << " A B" << QByteArray(" A B   ");
        QTest::newRow("DTMF letter code ends it")
            << QByteArray::fromHex("410A42434445FF") << "A" << QByteArray("A      ");
        QTest::newRow("erased") << QByteArray(7, '\xFF') << "" << QByteArray(7, ' ');
    }
    void greetingMapsKeysAndPadsWithBlanks() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(QByteArray, storedBack);
        AppState state;
        state.image = Defaults();
        std::memcpy(state.image.data() + settings::kGreeting, stored.constData(), 7);
        FormContext ctx{state, {}, {}};
        O form(ctx);
        form.Open();
        QCOMPARE(QString::fromStdString(form.State(O::kGreeting).text), shown);
        form.Close();
        QCOMPARE(Bytes(state.image, settings::kGreeting, 7), storedBack);
        // Typed: printable ASCII only, 7 characters.
        const RadioImage typed = OpenClose<O>(state.image, {"开机问候语编制=Hé\tllo wörld"});
        QCOMPARE(Bytes(typed, settings::kGreeting, 7), QByteArray("Hllo wr"));
    }

    void dualWatchTimeNormalisesAndWraps() {
        AppState state;
        state.image = Defaults();
        FormContext ctx{state, {}, {}};
        auto shownFor = [&](int byte) {
            state.image.Set(settings::kDualWatchTime, byte);
            O form(ctx);
            form.Open();
            const std::string text = form.State(O::kDualWatchTime).text;
            form.Close();
            return std::make_pair(text, state.image.Get(settings::kDualWatchTime));
        };
        QCOMPARE(shownFor(0), std::make_pair(std::string("1.50"), 150));
        QCOMPARE(shownFor(155), std::make_pair(std::string("1.55"), 155));
        QCOMPARE(shownFor(255), std::make_pair(std::string("2.55"), 255));
        QCOMPARE(shownFor(1), std::make_pair(std::string("0.01"), 1));
        QCOMPARE(shownFor(29), std::make_pair(std::string("0.29"), 29)); // exact, not 28

        O form(ctx);
        form.Open();
        auto& text = form.State(O::kDualWatchTime).text;
        const std::pair<const char*, const char*> typed[] = {
            {"3", "1.50"}, {"", "1.50"}, {"0.009", "1.50"}, {"0.289", "0.28"}, {"x", "1.50"}};
        for (const auto& [in, out] : typed) {
            text = in;
            form.TextCommitted(O::kDualWatchTime);
            QCOMPARE(text, std::string(out));
        }
        text = "2.55";
        form.SpinStep(O::kDualWatchTime, 1);
        QCOMPARE(text, std::string("0.01"));
        form.SpinStep(O::kDualWatchTime, -1);
        QCOMPARE(text, std::string("2.55"));
        form.SpinStep(O::kDualWatchTime, -1);
        QCOMPARE(text, std::string("2.54"));
        // Never shown, so no profile key.
        QVERIFY(!Do(form, "双频守候时间=1.00").empty());
        QVERIFY(!Do(form, "尾音模式=120").empty());
    }

    void fmFrequenciesLoadInRangeOnly_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("storedBack");
        QTest::newRow("108.000") << QByteArray::fromHex("008010") << "108.000"
                                 << QByteArray::fromHex("008010");
        QTest::newRow("108.010") << QByteArray::fromHex("108010") << ""
                                 << QByteArray::fromHex("FFFFFF");
        QTest::newRow("87.500") << QByteArray::fromHex("007508") << "87.500"
                                << QByteArray::fromHex("007508");
        QTest::newRow("76.000") << QByteArray::fromHex("006007") << "76.000"
                                << QByteArray::fromHex("006007");
        QTest::newRow("75.999") << QByteArray::fromHex("995907") << ""
                                << QByteArray::fromHex("FFFFFF");
        QTest::newRow("erased") << QByteArray::fromHex("FFFFFF") << ""
                                << QByteArray::fromHex("FFFFFF");
    }
    void fmFrequenciesLoadInRangeOnly() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(QByteArray, storedBack);
        for (int at : {fm::kCurrentFrequency, fm::Channel(1), fm::Channel(20)}) {
            AppState state;
            state.image = Defaults();
            std::memcpy(state.image.data() + at, stored.constData(), 3);
            FormContext ctx{state, {}, {}};
            FmRadioForm form(ctx);
            form.Open();
            const std::string text =
                at == fm::kCurrentFrequency
                    ? form.State(FmRadioForm::kCurrentFrequency).text
                    : form.Cell(FmRadioForm::kChannels, at == fm::Channel(1) ? 0 : 19, 0);
            QCOMPARE(QString::fromStdString(text), shown);
            form.Close();
            QCOMPARE(Bytes(state.image, at, 3), storedBack);
        }
    }

    void fmTypedFrequenciesTruncateAndFallBackTo76() {
        const std::pair<const char*, const char*> typed[] = {
            {"88.15", "508108"},   {"120", "006007"}, {"87.5005", "007508"}, {"108", "008010"},
            {"8a8.1x5", "508108"}, {"", "FFFFFF"},    {".", "006007"}};
        for (const auto& [text, bytes] : typed) {
            const RadioImage cell =
                OpenClose<FmRadioForm>(Defaults(), {std::string("3/频率=") + text});
            QCOMPARE(Bytes(cell, fm::Channel(3), 3).toHex().toUpper(), QByteArray(bytes));
            const RadioImage current =
                OpenClose<FmRadioForm>(Defaults(), {std::string("当前频率=") + text});
            // The current frequency edit filters nothing: a letter ends the number.
            if (std::string(text) != "8a8.1x5")
                QCOMPARE(Bytes(current, fm::kCurrentFrequency, 3).toHex().toUpper(),
                         QByteArray(bytes));
        }
        // A value still being typed when the dialog closes is stored corrected.
        AppState state;
        state.image = Defaults();
        FormContext ctx{state, {}, {}};
        FmRadioForm form(ctx);
        form.Open();
        form.State(FmRadioForm::kCurrentFrequency).text = "999";
        form.SetCell(FmRadioForm::kChannels, 0, 0, "50");
        form.Close();
        QCOMPARE(Bytes(state.image, fm::kCurrentFrequency, 3), QByteArray::fromHex("006007"));
        QCOMPARE(Bytes(state.image, fm::Channel(1), 3), QByteArray::fromHex("006007"));
    }

    void fmChannelListAndTheFFFill() {
        std::mt19937 rng(8);
        RadioImage image;
        for (std::size_t i = 0; i < kImageSize; ++i)
            image[i] = static_cast<std::uint8_t>(rng());
        const std::pair<int, const char*> channels[] = {{0xFF, "1"}, {0, "1"},   {1, "1"},
                                                        {2, "2"},    {20, "20"}, {21, "1"}};
        for (const auto& [byte, shown] : channels) {
            image.Set(fm::kCurrentChannel, byte);
            AppState state;
            state.image = image;
            FormContext ctx{state, {}, {}};
            FmRadioForm form(ctx);
            form.Open();
            QCOMPARE(form.State(FmRadioForm::kCurrentChannel).text, std::string(shown));
            form.Close();
            QCOMPARE(state.image.Get(fm::kCurrentChannel), std::atoi(shown));
            for (int i = 1; i <= fm::kChannelCount; ++i)
                QCOMPARE(int(state.image.Byte(fm::Channel(i) + 3)), 0xFF);
            // Only the FM block's fields change; 0x2F83 is not the dialog's.
            for (std::size_t i = 0; i < kImageSize; ++i)
                if (i < std::size_t(fm::kBegin) || i >= std::size_t(fm::kEnd) ||
                    i == std::size_t(fm::kCurrentFrequency + 3))
                    QCOMPARE(state.image[i], image[i]);
        }
    }
};

QTEST_GUILESS_MAIN(SettingsFormsTest)
#include "test_settings_forms.moc"
