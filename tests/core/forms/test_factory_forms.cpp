// SPDX-License-Identifier: GPL-3.0-or-later
// The factory forms without a display: the tuning grids' layout and byte
// bindings over every pair of band limits, shown values of a blank image,
// the number-edit rule, the derived bytes at store, and the bytes each form
// must leave alone.
#include <QtTest>

#include <random>

#include "core/forms/dtmf_init_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/param_tuning_form.h"
#include "support/form_lines.h"

using namespace kestra;
using namespace kestra::forms;

Q_DECLARE_METATYPE(kestra::BandLimits)

namespace {

constexpr std::int32_t MHz = 100000;

BandLimits Limits(int aLow, int aHigh, int bLow, int bHigh) {
    BandLimits l;
    l.low[0] = aLow * MHz;
    l.high[0] = aHigh * MHz;
    l.low[1] = bLow * MHz;
    l.high[1] = bHigh * MHz;
    return l;
}

RadioImage RandomImage(unsigned seed) {
    std::mt19937 rng(seed);
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng());
    return image;
}

struct Fixture {
    AppState state;
    FormContext context{state, {}, {}};
    explicit Fixture(const RadioImage& image = RadioImage(), BandLimits limits = BandLimits()) {
        state.image = image;
        state.bandLimits = limits;
    }
};

// The field's text after the profile line KEY=VALUE (VALUE "++"/"--": a spin).
std::string Do(Form& form, const std::string& key, const std::string& value) {
    const bool spin = value == "++" || value == "--";
    if (const std::string error = test::ApplyLine(form, key + (spin ? "" : "=") + value);
        !error.empty())
        return "error: " + error;
    const int id = form.FieldId(key);
    return id >= 0 ? form.State(id).text : std::string();
}

std::string Text(const Form& form, const std::string& key) {
    return form.State(form.FieldId(key)).text;
}

QByteArray Hex(const RadioImage& image, int at, int n) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + at), n).toHex(' ');
}

// The first offset where a and b differ outside the bytes `skip` allows, or -1.
template <typename Skip> int FirstChange(const RadioImage& a, const RadioImage& b, Skip skip) {
    for (int i = 0; i < int(kImageSize); ++i)
        if (!skip(i) && a.Byte(i) != b.Byte(i))
            return i;
    return -1;
}

QList<int> Offsets(const ParamTuningForm& form, int grid) {
    QList<int> out;
    for (const auto& row : form.Rows(grid))
        out << row.offset;
    return out;
}

} // namespace

class TestFactoryForms : public QObject {
    Q_OBJECT

private slots:
    void tuningLayout_data() {
        QTest::addColumn<BandLimits>("limits");
        QTest::addColumn<QStringList>("labels"); // squelch grid
        QTest::addColumn<QList<int>>("squelch");
        QTest::addColumn<QList<int>>("power");
        QTest::addColumn<QList<int>>("detection");
        QTest::newRow("defaults: two bands")
            << Limits(136, 174, 400, 480)
            << QStringList{"136-174 sql 1", "136-174 sql 9", "400-480 sql 1", "400-480 sql 9"}
            << QList<int>{0x3F00, 0x3F03, 0x3F0C, 0x3F0F}
            << QList<int>{0x3F39, 0x3F3C, 0x3F45, 0x3F48}
            << QList<int>{0x3ED0, 0x3ED4, 0x3ED8, 0x3EE8, 0x3EEC, 0x3EF0};
        QTest::newRow("both in 400-520: one band")
            << Limits(400, 440, 440, 480) << QStringList{"400-480 sql 1", "400-480 sql 9"}
            << QList<int>{0x3F0C, 0x3F0F} << QList<int>{0x3F45, 0x3F48}
            << QList<int>{0x3EE8, 0x3EEC, 0x3EF0};
        QTest::newRow("B in none: A's band, whole range")
            << Limits(200, 260, 300, 330) << QStringList{"200-330 sql 1", "200-330 sql 9"}
            << QList<int>{0x3F06, 0x3F09} << QList<int>{0x3F3F, 0x3F42}
            << QList<int>{0x3EDC, 0x3EE0, 0x3EE4};
        QTest::newRow("A in none: B's band")
            << Limits(300, 330, 400, 480) << QStringList{"300-480 sql 1", "300-480 sql 9"}
            << QList<int>{0x3F0C, 0x3F0F} << QList<int>{0x3F45, 0x3F48}
            << QList<int>{0x3EE8, 0x3EEC, 0x3EF0};
        QTest::newRow("neither in one: band 0")
            << Limits(300, 310, 320, 330) << QStringList{"300-330 sql 1", "300-330 sql 9"}
            << QList<int>{0x3F00, 0x3F03} << QList<int>{0x3F39, 0x3F3C}
            << QList<int>{0x3ED0, 0x3ED4, 0x3ED8};
    }
    void tuningLayout() {
        QFETCH(BandLimits, limits);
        QFETCH(QStringList, labels);
        Fixture f(RadioImage(), limits);
        ParamTuningForm form(f.context);
        form.Open();
        QStringList shown;
        for (const auto& label : form.State(ParamTuningForm::kSquelchGrid).rows)
            shown << QString::fromStdString(label);
        QCOMPARE(shown, labels);
        QTEST(Offsets(form, ParamTuningForm::kSquelchGrid), "squelch");
        QTEST(Offsets(form, ParamTuningForm::kPowerGrid), "power");
        QTEST(Offsets(form, ParamTuningForm::kDetectionGrid), "detection");
    }

    // Whatever the limits, every row is bound to bytes of its own kind
    // inside the calibration block, and closing the form changes nothing
    // outside the block, its derived bytes and the band points.
    void tuningRowsAlwaysBoundToCalibrationBytes() {
        const RadioImage image = RandomImage(7);
        for (int a = 0; a <= 600; a += 25) {
            for (int b = 0; b <= 600; b += 25) {
                Fixture f(image, Limits(a, a + 20, b, b + 20));
                ParamTuningForm form(f.context);
                form.Open();
                for (int g = 0; g < 3; ++g) {
                    const int rowsPerBand = g == ParamTuningForm::kDetectionGrid ? 3 : 2;
                    QVERIFY(form.Rows(g).size() == std::size_t(rowsPerBand) ||
                            form.Rows(g).size() == std::size_t(2 * rowsPerBand));
                    for (const auto& row : form.Rows(g)) {
                        const int first = g == 0 ? 0x3F00 : g == 1 ? 0x3F39 : 0x3ED0;
                        const int stride = g == 2 ? 12 : 6;
                        const int within = (row.offset - first) % stride;
                        QVERIFY(row.offset >= first && row.offset < first + 3 * stride);
                        QVERIFY(g == 2 ? within % 4 == 0 : within % 3 == 0);
                    }
                }
                form.Close();
                QCOMPARE(FirstChange(f.state.image, image,
                                     [](int i) {
                                         return i >= region::kCalibration &&
                                                i < region::kBandPoints + 60;
                                     }),
                         -1);
            }
        }
    }

    void tuningShowsABlankImage() {
        Fixture f; // every byte 0xFF
        ParamTuningForm form(f.context);
        form.Open();
        for (int g = 0; g < 3; ++g)
            for (const auto& cell : form.State(g).cells)
                QCOMPARE(cell, std::string(g == ParamTuningForm::kPowerGrid ? "255" : "0"));
        QCOMPARE(Text(form, "V段发射功率驱动"), std::string("15"));
        QCOMPARE(Text(form, "U段发射功率驱动"), std::string("15"));
        QCOMPARE(Text(form, "发射音频信号"), std::string("63"));        // normalised
        QCOMPARE(Text(form, "窄带话音+亚音频偏"), std::string("1023")); // word >> 6
        QCOMPARE(Text(form, "压扩压阈值"), std::string("FFFF"));
        QCOMPARE(Text(form, "V段静噪低阈值"), std::string("255")); // not normalised
        QVERIFY(form.State(form.FieldId("预加重")).checked);
        QVERIFY(!form.State(form.FieldId("测试模式")).checked); // bit 7 set: off
    }

    void tuningClampsAndWraps() {
        Fixture f;
        ParamTuningForm form(f.context);
        form.Open();
        QCOMPARE(Do(form, "发射音频信号", "99"), std::string("63"));
        QCOMPARE(Do(form, "发射音频信号", "++"), std::string("0"));
        QCOMPARE(Do(form, "发射音频信号", "--"), std::string("63"));
        QCOMPARE(Do(form, "压扩压阈值", "1a"), std::string("1A")); // shown upper case
        QCOMPARE(Do(form, "压扩压阈值", "++"), std::string("1B"));
        Do(form, "压扩压阈值", "--");
        QCOMPARE(Do(form, "压扩压阈值", "--"), std::string("19"));
        Do(form, "压扩压阈值", "FFFF");
        QCOMPARE(Do(form, "压扩压阈值", "++"), std::string("0"));
        QCOMPARE(Do(form, "V段静噪低阈值", "x9"), std::string("0"));

        for (auto [key, value] : {std::pair{"136-174 sql 1/低端", "200"},
                                  {"136-174 sql 9/高端", "-5"},
                                  {"400-480 低功率/中端", "0"},
                                  {"400-480 静噪检测3/窄带 低", "1377"}}) // cut to 3 characters
            QCOMPARE(Do(form, key, value), std::string());
        QCOMPARE(form.Cell(0, 0, 0), std::string("127"));
        QCOMPARE(form.Cell(0, 1, 2), std::string("0"));
        QCOMPARE(form.Cell(1, 2, 1), std::string("1"));
        QCOMPARE(form.Cell(2, 5, 3), std::string("137"));
        QCOMPARE(form.StepCell(ParamTuningForm::kPowerGrid, "255", 1), std::string("1"));
        QCOMPARE(form.StepCell(ParamTuningForm::kPowerGrid, "1", -1), std::string("255"));
        QCOMPARE(form.StepCell(ParamTuningForm::kDetectionGrid, "136", 1), std::string("137"));
        // KEY++ / KEY-- press the cell editor's spin: step 1, wrapping.
        for (auto [key, spin] : {std::pair{"136-174 sql 1/低端", "++"}, // 127 wraps to 0
                                 {"136-174 sql 1/低端", "--"},            // back to 127
                                 {"136-174 sql 1/低端", "--"},
                                 {"400-480 低功率/中端", "--"}, // 1 wraps to 255
                                 {"400-480 静噪检测3/窄带 低", "++"}})
            QCOMPARE(Do(form, key, spin), std::string());
        QCOMPARE(form.Cell(0, 0, 0), std::string("126"));
        QCOMPARE(form.Cell(1, 2, 1), std::string("255"));
        QCOMPARE(form.Cell(2, 5, 3), std::string("0"));
    }

    void tuningStoresDerivedBytes() {
        Fixture f(RandomImage(3), Limits(136, 174, 400, 480));
        const RadioImage before = f.state.image;
        ParamTuningForm form(f.context);
        form.Open();
        for (auto [key, value] : {std::pair{"136-174 低功率/低端", "40"},
                                  {"136-174 低功率/中端", "50"},
                                  {"136-174 低功率/高端", "45"},
                                  {"136-174 高功率/低端", "7"},
                                  {"136-174 高功率/中端", "7"},
                                  {"测试模式", "0"},
                                  {"U段发射功率驱动", "3"}})
            QVERIFY(Do(form, key, value).rfind("error", 0) != 0);
        form.Close();
        const RadioImage& image = f.state.image;
        QCOMPARE(Hex(image, 0x3F4B, 9), QByteArray("30 e6 02 60 cc 85 00 00 00"));
        QCOMPARE(Hex(image, 0x3F15, 10), QByteArray("42 3b 35 2f 28 22 1c 15 0f 08"));
        QCOMPARE(image.Le(0x3F70 + 8, 4), 15500000u); // middle point of band 0
        QCOMPARE(image.Byte(0x3F2F) & 0x80, 0x80);    // test mode cleared: bit set
        QCOMPARE(image.Byte(0x3F20), std::uint8_t((before.Byte(0x3F20) & 0x0F) | 0x30));
    }

    // Opening and closing on a random image: the bytes of the block without
    // a field (0x3F13 included) stay, a second round changes nothing more.
    void tuningLeavesOtherBytesAlone() {
        Fixture f(RandomImage(11), Limits(136, 174, 400, 480));
        const RadioImage before = f.state.image;
        for (int round = 0; round < 2; ++round) {
            const RadioImage last = f.state.image;
            ParamTuningForm form(f.context);
            form.Open();
            form.Close();
            if (round == 1)
                QVERIFY(f.state.image == last);
        }
        // Band 1's rows (not shown), the gaps, 0x3F13.
        for (auto [at, n] : {std::pair{0x3EDC, 12},
                             {0x3EF4, 12},
                             {0x3F06, 6},
                             {0x3F13, 1},
                             {0x3F1F, 1},
                             {0x3F3F, 6}})
            QCOMPARE(Hex(f.state.image, at, n), Hex(before, at, n));
    }

    void tuningButtonsMoveTheBandLimits() {
        Fixture f(RadioImage(), Limits(136, 174, 400, 480));
        ParamTuningForm form(f.context);
        form.Open();
        form.PrepareWrite();
        QCOMPARE(f.state.image.Frequency(0x2E18), 40000000u);
        // A read brings limits for band B only (band A's field stays blank).
        f.state.image.SetFrequency(0x2E18, 20000000);
        f.state.image.SetFrequency(0x2E1C, 26000000);
        f.state.image.Fill(0x2E10, 0x2E18, 0xFF);
        form.ReloadAfterRead();
        QCOMPARE(f.state.bandLimits.low[0], 13600000);
        QCOMPARE(f.state.bandLimits.low[1], 20000000);
        QCOMPARE(form.State(0).rows.back(), std::string("200-260 sql 9"));
    }

    void decoderTable() {
        Fixture f(RandomImage(5));
        f.state.image.Fill(region::kDecoderTable, region::kDecoderTable + 44, 0xFF);
        const RadioImage before = f.state.image;
        DtmfInitForm form(f.context);
        form.Open();
        for (int id = 0; id < form.FieldCount(); ++id)
            QCOMPARE(form.State(id).text, std::string("FFFF"));
        QCOMPARE(Do(form, "Twist", "G-12a"), std::string("12A")); // hexadecimal digits only
        QCOMPARE(Do(form, "L_group high threshold", "++"), std::string("0"));
        QCOMPARE(Do(form, "L_group high threshold", "--"), std::string("FFFF"));
        form.Close();
        const RadioImage image = f.state.image;
        QCOMPARE(Hex(image, 0x3E00, 8), QByteArray("01 c4 ff ff 00 d5 ff ff"));
        QCOMPARE(Hex(image, 0x3E28, 4), QByteArray("01 c3 01 2a"));
        QCOMPARE(FirstChange(image, before, [](int i) { return i >= 0x3E00 && i < 0x3E2C; }), -1);
        DtmfInitForm again(f.context); // values stay as loaded
        again.Open();
        again.Close();
        QVERIFY(f.state.image == image);
    }
};

QTEST_GUILESS_MAIN(TestFactoryForms)
#include "test_factory_forms.moc"
