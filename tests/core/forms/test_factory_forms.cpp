// SPDX-License-Identifier: GPL-3.0-or-later
// The factory forms without a display: the tuning grids' layout and byte
// bindings over every pair of band limits, shown values of a blank image,
// the number-edit rule, the derived bytes at store, and the bytes each form
// must leave alone.
#include <QtTest>

#include "core/forms/dtmf_init_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/param_tuning_form.h"
#include "support/form_images.h"
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

// A form of type F opened on an image under band limits.
template <typename F> struct Opened {
    AppState state;
    FormContext context{state, {}, {}};
    F form{context};
    explicit Opened(const RadioImage& image = RadioImage(), BandLimits limits = BandLimits()) {
        state.image = image;
        state.bandLimits = limits;
        form.Open();
    }
};
using Tuning = Opened<ParamTuningForm>;

// The field's text after the profile line KEY=VALUE (VALUE "++"/"--": a spin).
std::string Do(Form& form, const std::string& key, const std::string& value) {
    const bool spin = value == "++" || value == "--";
    if (const std::string error = test::ApplyLine(form, key + (spin ? "" : "=") + value);
        !error.empty())
        return "error: " + error;
    const int id = form.FieldId(key);
    return id >= 0 ? form.State(id).text : std::string();
}

using test::Hex;

// The first offset where a and b differ outside the bytes `skip` allows, or -1.
template <typename Skip> int FirstChange(const RadioImage& a, const RadioImage& b, Skip skip) {
    for (int i = 0; i < int(kImageSize); ++i)
        if (!skip(i) && a.Byte(i) != b.Byte(i))
            return i;
    return -1;
}

// Where each tuning grid's rows lie: calibration band 0's first row, the
// distance between bands and between rows, the rows per band.
struct GridPlace {
    int first, stride, step, rows;
};
constexpr GridPlace kPlaces[] = {{0x3F00, 6, 3, 2}, {0x3F39, 6, 3, 2}, {0x3ED0, 12, 4, 3}};

} // namespace

class TestFactoryForms : public QObject {
    Q_OBJECT

private slots:
    void tuningLayout_data() {
        QTest::addColumn<BandLimits>("limits");
        QTest::addColumn<QList<int>>("bands"); // the calibration bands shown
        QTest::addColumn<QStringList>("ranges");
        QTest::newRow("defaults: two bands")
            << Limits(136, 174, 400, 480) << QList<int>{0, 2} << QStringList{"136-174", "400-480"};
        QTest::newRow("both in 400-520: one band")
            << Limits(400, 440, 440, 480) << QList<int>{2} << QStringList{"400-480"};
        QTest::newRow("B in none: A's band, whole range")
            << Limits(200, 260, 300, 330) << QList<int>{1} << QStringList{"200-330"};
        QTest::newRow("A in none: B's band")
            << Limits(300, 330, 400, 480) << QList<int>{2} << QStringList{"300-480"};
        QTest::newRow("neither in one: band 0")
            << Limits(300, 310, 320, 330) << QList<int>{0} << QStringList{"300-330"};
    }
    void tuningLayout() {
        QFETCH(BandLimits, limits);
        QFETCH(QList<int>, bands);
        QFETCH(QStringList, ranges);
        Tuning t(RadioImage(), limits);
        QStringList shown, labels;
        for (const auto& label : t.form.State(ParamTuningForm::kSquelchGrid).rows)
            shown << QString::fromStdString(label);
        for (const QString& range : ranges)
            labels << range + " sql 1" << range + " sql 9";
        QCOMPARE(shown, labels);
        for (int g = 0; g < 3; ++g) {
            const GridPlace& p = kPlaces[g];
            QList<int> offsets, expected;
            for (const auto& row : t.form.Rows(g))
                offsets << row.offset;
            for (int band : bands)
                for (int r = 0; r < p.rows; ++r)
                    expected << p.first + band * p.stride + r * p.step;
            QCOMPARE(offsets, expected);
        }
    }

    // Whatever the limits, every row is bound to bytes of its own kind
    // inside the calibration block, and closing the form changes nothing
    // outside the block, its derived bytes and the band points.
    void tuningRowsAlwaysBoundToCalibrationBytes() {
        const RadioImage image = RandomImage(7);
        for (int a = 0; a <= 600; a += 25) {
            for (int b = 0; b <= 600; b += 25) {
                Tuning t(image, Limits(a, a + 20, b, b + 20));
                ParamTuningForm& form = t.form;
                for (int g = 0; g < 3; ++g) {
                    const GridPlace& p = kPlaces[g];
                    const int rows = int(form.Rows(g).size());
                    QVERIFY(rows == p.rows || rows == 2 * p.rows);
                    for (const auto& row : form.Rows(g)) {
                        QVERIFY(row.offset >= p.first && row.offset < p.first + 3 * p.stride);
                        QVERIFY((row.offset - p.first) % p.stride % p.step == 0);
                    }
                }
                form.Close();
                QCOMPARE(FirstChange(t.state.image, image,
                                     [](int i) {
                                         return i >= region::kCalibration &&
                                                i < region::kBandPoints + 60;
                                     }),
                         -1);
            }
        }
    }

    void tuningShowsABlankImage() {
        Tuning t; // every byte 0xFF
        const ParamTuningForm& form = t.form;
        for (int g = 0; g < 3; ++g)
            for (const auto& cell : form.State(g).cells)
                QCOMPARE(cell, std::string(g == ParamTuningForm::kPowerGrid ? "255" : "0"));
        // 发射音频信号 normalised, 窄带话音+亚音频偏 a word >> 6, 静噪低阈值 not
        // normalised; 测试模式 is off with its bit 7 set.
        std::string shown;
        for (const char* key : {"V段发射功率驱动", "U段发射功率驱动", "发射音频信号",
                                "窄带话音+亚音频偏", "压扩压阈值", "V段静噪低阈值"})
            shown += form.State(form.FieldId(key)).text + " ";
        for (const char* key : {"预加重", "测试模式"})
            shown += form.State(form.FieldId(key)).checked ? "on " : "off ";
        QCOMPARE(QString::fromStdString(shown), QString("15 15 63 1023 FFFF 255 on off "));
    }

    void tuningClampsAndWraps() {
        Tuning t;
        ParamTuningForm& form = t.form;
        // Hexadecimal shown upper case.
        const std::tuple<const char*, const char*, const char*> fields[] = {
            {"发射音频信号", "99", "63"}, {"发射音频信号", "++", "0"},
            {"发射音频信号", "--", "63"}, {"压扩压阈值", "1a", "1A"},
            {"压扩压阈值", "++", "1B"},   {"压扩压阈值", "--", "1A"},
            {"压扩压阈值", "--", "19"},   {"压扩压阈值", "FFFF", "FFFF"},
            {"压扩压阈值", "++", "0"},    {"V段静噪低阈值", "x9", "0"}};
        for (const auto& [key, value, shown] : fields)
            QCOMPARE(Do(form, key, value), std::string(shown));
        QCOMPARE(form.StepCell(ParamTuningForm::kPowerGrid, "255", 1), std::string("1"));
        QCOMPARE(form.StepCell(ParamTuningForm::kPowerGrid, "1", -1), std::string("255"));
        QCOMPARE(form.StepCell(ParamTuningForm::kDetectionGrid, "136", 1), std::string("137"));
        // A typed cell is clamped (and cut to 3 characters); KEY++ / KEY--
        // press the cell editor's spin: step 1, wrapping.
        const std::tuple<const char*, const char*, int, int, int, const char*> cells[] = {
            {"136-174 sql 1/低端", "200", 0, 0, 0, "127"},
            {"136-174 sql 9/高端", "-5", 0, 1, 2, "0"},
            {"400-480 低功率/中端", "0", 1, 2, 1, "1"},
            {"400-480 静噪检测3/窄带 低", "1377", 2, 5, 3, "137"},
            {"136-174 sql 1/低端", "++", 0, 0, 0, "0"},
            {"136-174 sql 1/低端", "--", 0, 0, 0, "127"},
            {"136-174 sql 1/低端", "--", 0, 0, 0, "126"},
            {"400-480 低功率/中端", "--", 1, 2, 1, "255"},
            {"400-480 静噪检测3/窄带 低", "++", 2, 5, 3, "0"},
        };
        for (const auto& [key, value, grid, row, col, shown] : cells) {
            QCOMPARE(Do(form, key, value), std::string());
            QCOMPARE(form.Cell(grid, row, col), std::string(shown));
        }
    }

    void tuningStoresDerivedBytes() {
        const RadioImage before = RandomImage(3);
        Tuning t(before, Limits(136, 174, 400, 480));
        ParamTuningForm& form = t.form;
        const std::pair<const char*, const char*> lines[] = {
            {"136-174 低功率/低端", "40"}, {"136-174 低功率/中端", "50"},
            {"136-174 低功率/高端", "45"}, {"136-174 高功率/低端", "7"},
            {"136-174 高功率/中端", "7"},  {"测试模式", "0"},
            {"U段发射功率驱动", "3"}};
        for (const auto& [key, value] : lines)
            QVERIFY(Do(form, key, value).rfind("error", 0) != 0);
        form.Close();
        const RadioImage& image = t.state.image;
        QCOMPARE(Hex(image, 0x3F4B, 9), QByteArray("30E60260CC85000000"));
        QCOMPARE(Hex(image, 0x3F15, 10), QByteArray("423B352F28221C150F08"));
        QCOMPARE(image.Le(0x3F70 + 8, 4), 15500000u); // middle point of band 0
        QCOMPARE(image.Byte(0x3F2F) & 0x80, 0x80);    // test mode cleared: bit set
        QCOMPARE(image.Byte(0x3F20), std::uint8_t((before.Byte(0x3F20) & 0x0F) | 0x30));
    }

    // Opening and closing on a random image: the bytes of the block without
    // a field (0x3F13 included) stay, a second round changes nothing more.
    void tuningLeavesOtherBytesAlone() {
        const RadioImage before = RandomImage(11);
        Tuning t(before, Limits(136, 174, 400, 480));
        t.form.Close();
        const RadioImage once = t.state.image;
        ParamTuningForm again(t.context);
        again.Open();
        again.Close();
        QVERIFY(t.state.image == once);
        // Band 1's rows (not shown), the gaps, 0x3F13.
        const std::pair<int, int> untouched[] = {{0x3EDC, 12}, {0x3EF4, 12}, {0x3F06, 6},
                                                 {0x3F13, 1},  {0x3F1F, 1},  {0x3F3F, 6}};
        for (const auto& [at, n] : untouched)
            QCOMPARE(Hex(t.state.image, at, n), Hex(before, at, n));
    }

    void tuningButtonsMoveTheBandLimits() {
        Tuning t(RadioImage(), Limits(136, 174, 400, 480));
        ParamTuningForm& form = t.form;
        AppState& f = t.state;
        form.PrepareWrite();
        QCOMPARE(f.image.Frequency(0x2E18), 40000000u);
        // A read brings limits for band B only (band A's field stays blank).
        f.image.SetFrequency(0x2E18, 20000000);
        f.image.SetFrequency(0x2E1C, 26000000);
        f.image.Fill(0x2E10, 0x2E18, 0xFF);
        form.ReloadAfterRead();
        QCOMPARE(f.bandLimits.low[0], 13600000);
        QCOMPARE(f.bandLimits.low[1], 20000000);
        QCOMPARE(form.State(0).rows.back(), std::string("200-260 sql 9"));
    }

    void decoderTable() {
        RadioImage before = RandomImage(5);
        before.Fill(region::kDecoderTable, region::kDecoderTable + 44, 0xFF);
        Opened<DtmfInitForm> f(before);
        DtmfInitForm& form = f.form;
        for (int id = 0; id < form.FieldCount(); ++id)
            QCOMPARE(form.State(id).text, std::string("FFFF"));
        QCOMPARE(Do(form, "Twist", "G-12a"), std::string("12A")); // hexadecimal digits only
        QCOMPARE(Do(form, "L_group high threshold", "++"), std::string("0"));
        QCOMPARE(Do(form, "L_group high threshold", "--"), std::string("FFFF"));
        form.Close();
        const RadioImage image = f.state.image;
        QCOMPARE(Hex(image, 0x3E00, 8), QByteArray("01C4FFFF00D5FFFF"));
        QCOMPARE(Hex(image, 0x3E28, 4), QByteArray("01C3012A"));
        QCOMPARE(FirstChange(image, before, [](int i) { return i >= 0x3E00 && i < 0x3E2C; }), -1);
        DtmfInitForm again(f.context); // values stay as loaded
        again.Open();
        again.Close();
        QVERIFY(f.state.image == image);
    }
};

QTEST_GUILESS_MAIN(TestFactoryForms)
#include "test_factory_forms.moc"
