// SPDX-License-Identifier: GPL-3.0-or-later
// The optional features and FM radio forms, without a display.
#include <QtTest>
#include <clocale>

#include <algorithm>
#include <cstring>
#include <random>

#include "core/document/default_image.h"
#include "core/forms/fm_radio_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/optional_features_form.h"
#include "core/image/settings_layout.h"
#include "support/form_lines.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using O = OptionalFeaturesForm;
using Fm = FmRadioForm;

QByteArray Hex(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count)
        .toHex()
        .toUpper();
}

RadioImage Defaults() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    return image;
}

RadioImage RandomImage(std::mt19937& rng) {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng());
    return image;
}

// A form opened on its own copy of an image; lines are applied as profile
// lines (an error fails the test).
template <class FormT> struct Opened {
    AppState state;
    FormContext ctx{state, {}, {}};
    FormT form{ctx};
    explicit Opened(const RadioImage& image, const std::vector<std::string>& lines = {}) {
        state.image = image;
        form.Open();
        for (const auto& text : lines)
            if (const std::string error = test::ApplyLine(form, text); !error.empty())
                qWarning("%s: %s", text.c_str(), error.c_str());
    }
    std::string Text(int id) const { return form.State(id).text; }
    const RadioImage& Closed() {
        form.Close();
        return state.image;
    }
};

template <class FormT>
RadioImage OpenClose(const RadioImage& image, const std::vector<std::string>& lines = {}) {
    return Opened<FormT>(image, lines).Closed();
}

} // namespace

class SettingsFormsTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
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
            const auto& c = row.choices;
            for (int v = 0; v < (1 << bits.width); ++v) {
                RadioImage image = base;
                image.Set(bits, v);
                Opened<O> d(image);
                const int index = d.form.State(id).index;
                QVERIFY2(index >= 0, row.key.c_str());
                const int stored = d.Closed().Get(bits);
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
                QVERIFY2(d.state.image == image, qPrintable(where));
                QVERIFY2(OpenClose<O>(image) == image, qPrintable(where)); // settled
            }
        }
    }

    void optionEdgeCases() {
        const struct {
            const char* label;
            int stored;
            const char* shown;
            int storedBack;
        } cases[] = {
            {"发射限时 (min)", 30, "30", 1}, {"开机信息显示方式", 3, "电压", 1},
            {"静噪电平", 12, "4", 4},        {"背光灯时间", 9, "10", 9},
            {"背光灯时间", 10, "5", 4},      {"扫描模式", 3, "时间", 0},
            {"背光灯模式", 3, "按键", 1},    {"键盘锁", 0, "开", 0},
            {"背光灯颜色", 3, "1", 0},
        };
        for (const auto& c : cases) {
            const int id = Opened<O>(Defaults()).form.FieldId(c.label);
            const BitField bits = OptionalFeatureFields()[std::size_t(id)].location.field;
            RadioImage image = Defaults();
            image.Set(bits, c.stored);
            Opened<O> d(image);
            QCOMPARE(d.Text(id), std::string(c.shown));
            QCOMPARE(d.Closed().Get(bits), c.storedBack);
        }
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
            const RadioImage image = RandomImage(rng);
            const RadioImage after = OpenClose<O>(image);
            for (std::size_t i = 0; i < kImageSize; ++i)
                QCOMPARE(after[i] & ~owned[i] & 0xFF, image[i] & ~owned[i] & 0xFF);
        }
    }

    void greetingMapsKeysAndPadsWithBlanks() {
        const struct {
            QByteArray stored;
            const char* shown;
            const char* storedBack;
        } cases[] = {
            {QByteArray::fromHex("0102030E0FFFFF"), "123*#", "3132332A232020"},
            {QByteArray("HI\xFF\xFF\xFF\xFF\xFF", 7), "HI", "48492020202020"},
            {QByteArray(" A B   "), " A B", "20412042202020"},
            {QByteArray::fromHex("410A42434445FF"), "A", "41202020202020"}, // A-D codes end it
        };
        for (const auto& c : cases) {
            RadioImage image = Defaults();
            std::memcpy(image.data() + settings::kGreeting, c.stored.constData(), 7);
            Opened<O> d(image);
            QCOMPARE(d.Text(O::kGreeting), std::string(c.shown));
            QCOMPARE(Hex(d.Closed(), settings::kGreeting, 7), QByteArray(c.storedBack));
        }
        // Typed: printable ASCII only, 7 characters.
        const RadioImage typed = OpenClose<O>(Defaults(), {"开机问候语编制=Hé\tllo wörld"});
        QCOMPARE(Hex(typed, settings::kGreeting, 7), QByteArray("486C6C6F207772"));
    }

    void dualWatchTimeNormalisesAndWraps() {
        const std::pair<int, const char*> stored[] = {
            {0, "1.50"}, {155, "1.55"}, {255, "2.55"}, {29, "0.29"}}; // 29: exact, not 28
        for (const auto& [byte, shown] : stored) {
            RadioImage image = Defaults();
            image.Set(settings::kDualWatchTime, byte);
            Opened<O> d(image);
            QCOMPARE(d.Text(O::kDualWatchTime), std::string(shown));
            QCOMPARE(d.Closed().Get(settings::kDualWatchTime), byte ? byte : 150);
        }
        Opened<O> d(Defaults());
        auto& text = d.form.State(O::kDualWatchTime).text;
        for (const auto& [in, out] :
             {std::pair{"3", "1.50"}, {"", "1.50"}, {"0.009", "1.50"}, {"0.289", "0.28"}}) {
            text = in;
            d.form.TextCommitted(O::kDualWatchTime);
            QCOMPARE(text, std::string(out));
        }
        text = "2.55";
        d.form.SpinStep(O::kDualWatchTime, 1);
        QCOMPARE(text, std::string("0.01"));
        d.form.SpinStep(O::kDualWatchTime, -1);
        QCOMPARE(text, std::string("2.55"));
        // Never shown, so no profile key.
        ProfileLine line{ProfileLine::Kind::Value, "双频守候时间", "1.00", 0};
        std::string error;
        QVERIFY(!ApplyProfileLine(d.form, line, error));
    }

    void fmFrequenciesLoadInRangeOnly() {
        // Stored bytes: shown text and what closing stores back, for the
        // current frequency and the first and last channel alike.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"008010", "108.000", "008010"}, {"108010", "", "FFFFFF"},
            {"007508", "87.500", "007508"},  {"006007", "76.000", "006007"},
            {"995907", "", "FFFFFF"},        {"FFFFFF", "", "FFFFFF"}};
        for (const auto& [stored, shown, back] : cases) {
            for (int at : {fm::kCurrentFrequency, fm::Channel(1), fm::Channel(20)}) {
                RadioImage image = Defaults();
                std::memcpy(image.data() + at, QByteArray::fromHex(stored).constData(), 3);
                Opened<Fm> d(image);
                QCOMPARE(at == fm::kCurrentFrequency
                             ? d.Text(Fm::kCurrentFrequency)
                             : d.form.Cell(Fm::kChannels, at == fm::Channel(1) ? 0 : 19, 0),
                         std::string(shown));
                QCOMPARE(Hex(d.Closed(), at, 3), QByteArray(back));
            }
        }
    }

    void fmTypedFrequenciesTruncateAndFallBackTo76() {
        const std::pair<const char*, const char*> typed[] = {
            {"88.15", "508108"}, {"120", "006007"}, {"87.5005", "007508"},
            {"108", "008010"},   {"", "FFFFFF"},    {".", "006007"}};
        for (const auto& [text, bytes] : typed) {
            QCOMPARE(
                Hex(OpenClose<Fm>(Defaults(), {std::string("3/频率=") + text}), fm::Channel(3), 3),
                QByteArray(bytes));
            QCOMPARE(Hex(OpenClose<Fm>(Defaults(), {std::string("当前频率=") + text}),
                         fm::kCurrentFrequency, 3),
                     QByteArray(bytes));
        }
        // The cells take digits and "." only.
        QCOMPARE(Hex(OpenClose<Fm>(Defaults(), {"3/频率=8a8.1x5"}), fm::Channel(3), 3),
                 QByteArray("508108"));
        {
            // The FM grid's cell editor has no spin.
            Opened<Fm> d(Defaults());
            QCOMPARE(test::ApplyLine(d.form, "3/频率++"),
                     std::string("表格单元没有微调按钮"));
        }
        // A value still being typed when the dialog closes is stored corrected.
        Opened<Fm> d(Defaults());
        d.form.State(Fm::kCurrentFrequency).text = "999";
        d.form.SetCell(Fm::kChannels, 0, 0, "50");
        d.Closed();
        QCOMPARE(Hex(d.state.image, fm::kCurrentFrequency, 3), QByteArray("006007"));
        QCOMPARE(Hex(d.state.image, fm::Channel(1), 3), QByteArray("006007"));
    }

    void fmChannelListAndTheFFFill() {
        std::mt19937 rng(8);
        RadioImage image = RandomImage(rng);
        const std::pair<int, const char*> channels[] = {{0xFF, "1"}, {0, "1"},   {1, "1"},
                                                        {2, "2"},    {20, "20"}, {21, "1"}};
        for (const auto& [byte, shown] : channels) {
            image.Set(fm::kCurrentChannel, byte);
            Opened<Fm> d(image);
            QCOMPARE(d.Text(Fm::kCurrentChannel), std::string(shown));
            const RadioImage& after = d.Closed();
            QCOMPARE(after.Get(fm::kCurrentChannel), std::atoi(shown));
            for (int i = 1; i <= fm::kChannelCount; ++i)
                QCOMPARE(int(after.Byte(fm::Channel(i) + 3)), 0xFF);
            // Nothing outside the FM block changes, nor 0x2F83 inside it.
            for (std::size_t i = 0; i < kImageSize; ++i)
                if (i < std::size_t(fm::kBegin) || i >= std::size_t(fm::kEnd) ||
                    i == std::size_t(fm::kCurrentFrequency + 3))
                    QCOMPARE(after[i], image[i]);
        }
    }
};

QTEST_GUILESS_MAIN(SettingsFormsTest)
#include "test_settings_forms.moc"
