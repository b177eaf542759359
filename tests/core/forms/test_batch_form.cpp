// SPDX-License-Identifier: GPL-3.0-or-later
// Batch channel generation without a display: the field corrections, the
// enable rules and what "应用" writes.
#include <QtTest>
#include <clocale>

#include "core/document/default_image.h"
#include "core/forms/batch_channel_form.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/form_session.h"
#include "support/form_lines.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using B = BatchChannelForm;

struct Batch {
    AppState state;
    int renders = 0;
    FormContext ctx{state, [this] { ++renders; }, 1u};
    B form{ctx};
    Batch() {
        ApplyBuiltInDefaults(state.image);
        form.Open();
    }
    // Applies profile lines; fails the test on an error.
    void Do(std::initializer_list<std::string> lines) {
        for (const std::string& text : lines)
            QVERIFY2(test::ApplyLine(form, text).empty(), text.c_str());
    }
    QString Error(const char* text) { return QString::fromStdString(test::ApplyLine(form, text)); }
    std::string Text(int id) const { return form.State(id).text; }
    ChannelRecord rec(int n) { return ChannelRecord(state.image, n); }
    std::string Rx(int n) { return FrequencyToText(rec(n).Rx()); }
    std::string Tx(int n) { return FrequencyToText(rec(n).Tx()); }
    std::string RxTone(int n) { return ToneValueToText(rec(n).RxTone()); }
    std::string TxTone(int n) { return ToneValueToText(rec(n).TxTone()); }
    QByteArray Record(int n) {
        return QByteArray(reinterpret_cast<const char*>(state.image.data()) + RecordOffset(n),
                          kRecordSize);
    }
    // One column of channels first..last: Rx, Tx, RxTone or TxTone.
    QStringList Column(std::string (Batch::*cell)(int), int first, int last) {
        QStringList out;
        for (int n = first; n <= last; ++n)
            out << QString::fromStdString((this->*cell)(n));
        return out;
    }
    QStringList Texts(std::initializer_list<int> ids) const {
        QStringList out;
        for (int id : ids)
            out << QString::fromStdString(Text(id));
        return out;
    }
};

} // namespace

class BatchFormTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void nearestRaster() {
        const std::pair<std::uint32_t, std::uint32_t> cases[] = {
            {14501230, 14501250}, {14501250, 14501250}, {43500625, 43500625}, // up to 2.5, on
            {43500660, 43500625}, {14500010, 14500000}, {43500615, 43500625}, // down, down, up
            {700, 750},           {600, 625},           {0, 0},               // 7 and 6 kHz steps
            {14500125, 14500000}}; // 1.25 kHz either way: down
        for (const auto& [v, rounded] : cases)
            QCOMPARE(NearestRaster(v), rounded);
    }

    void opensOnFixedValuesWithItsEnableRules() {
        Batch b;
        QCOMPARE(b.Texts({B::kRange, B::kFrom, B::kTo, B::kRxStart, B::kTxStart, B::kOffset,
                          B::kRxTone, B::kPower, B::kScan, B::kRxInterval}),
                 QStringList({"全部", "1", "256", "136.00000", "136.00000", "0.00000", "无", "低",
                              "否", "0"}));
        for (int id : {B::kFrom, B::kOffset, B::kTxStart, B::kTxRandom, B::kTxTone})
            QVERIFY(!b.form.State(id).enabled);
        QVERIFY(b.Error("从信道=5").contains("该项不可用"));
        b.Do({"发射频率=偏移频率(MHz)", "偏移频率=5"});
        QVERIFY(b.Error("发射步进=5").contains("该项不可用"));
        b.Do({"发射频率=起始频率(MHz)", "发射步进=5", "发射信令=起始信令", "发射随机=1"});
        QVERIFY(!b.form.State(B::kOffsetDir).enabled);
        QVERIFY(!b.form.State(B::kTxTone).enabled);
        QVERIFY(!b.form.State(B::kTxInterval).enabled);
        b.Do({"接收随机=1"});
        QVERIFY(b.Error("接收信令=67.0").contains("该项不可用"));
        QVERIFY(b.Error("接收间隔方向=递减").contains("该项不可用"));
        QCOMPARE(b.renders, 0);
        QVERIFY(b.form.KeyPressed(B::kName, DialogKey::Escape) == KeyOutcome::CloseDialog);
    }

    void fieldCorrections() {
        Batch b;
        // Each line applied in turn, then the field's text ("" after a line: not checked).
        const std::pair<const char*, const char*> steps[] = {
            {"接收起始频率=145.0123", "145.01250"}, {"接收起始频率=600", "136.00000"},
            {"接收起始频率=435.0071", ""}, // then emptied: the text at focus,
            {"接收起始频率=", "435.00750"},  // 40 up, nearer than 85 down
            {"接收步进=7", "7.5"}, {"接收步进=6", "6.25"}, {"接收步进=12.5", "12.5"},
            {"接收步进=1500", "1000"}, {"接收步进=0.5", "0"}, {"接收步进=.5", "0"},
            {"接收步进=5x", "5"}, {"接收步进=", "0"}, {"接收间隔=35", "20"}, {"接收间隔=00", "0"},
            {"范围=从信道", "1-256"}, {"从信道=300", "1"}, // above the to channel
            {"从信道=129", ""}, {"到信道=100", "256"}, // below the from channel
            {"到信道=131", ""}, {"到信道=0", "256"}, {"范围=A段", "1-128"}, {"范围=B段", "129-256"},
            {"范围=A段", "1-128"}, {"范围=全部", "1-256"}};
        for (const auto& [line, shown] : steps) {
            b.Do({line});
            const std::string key = std::string(line).substr(0, std::string(line).find('='));
            const int id = b.form.FieldId(key);
            const std::string text =
                key == "范围" ? b.Text(B::kFrom) + "-" + b.Text(B::kTo) : b.Text(id);
            if (*shown)
                QVERIFY2(text == shown, line);
        }
    }

    void generatesChannels129To131() {
        Batch b;
        const QByteArray before128 = b.Record(128), before132 = b.Record(132);
        b.Do({"范围=从信道", "从信道=129", "到信道=131", "接收起始频率=430", "接收步进=12.5",
              "接收信令=67.0", "接收间隔=1", "功率=高", "扫描=是", "应用="});
        QCOMPARE(b.renders, 1);
        const QStringList rx = {"430.00000", "430.01250", "430.02500"};
        const QStringList tone = {"67.0", "69.3", "71.9"};
        QCOMPARE(b.Column(&Batch::Rx, 129, 131), rx);
        QCOMPARE(b.Column(&Batch::Tx, 129, 131), rx);
        QCOMPARE(b.Column(&Batch::RxTone, 129, 131), tone);
        QCOMPARE(b.Column(&Batch::TxTone, 129, 131), tone);
        for (int n = 129; n <= 131; ++n) {
            QCOMPARE(int(b.rec(n).Byte(ChannelRecord::kFlags1)), 0x18);
            QCOMPARE(int(b.rec(n).Byte(ChannelRecord::kFlags0)), 0x00);
        }
        QCOMPARE(b.Record(128), before128);
        QCOMPARE(b.Record(132), before132);
        // The same settings with "B段" start at B001 (record 129) as well.
        b.Do({"范围=B段", "应用="});
        QCOMPARE(b.Rx(256), std::string("431.58750"));
        QCOMPARE(b.renders, 2);
        QCOMPARE(int(b.rec(257).Byte(3)), 0xFF); // VFOs are never written
    }

    void stepsWrapAtTheBandEnds() {
        Batch b;
        b.Do({"范围=A段", "接收起始频率=173.99", "接收步进=5", "发射频率=起始频率(MHz)",
              "发射起始频率=136.005", "发射步进=2.5", "发射步进方向=递减", "应用="});
        // The limit itself is in the band.
        QCOMPARE(b.Column(&Batch::Rx, 1, 4),
                 QStringList({"173.99000", "173.99500", "174.00000", "136.00000"}));
        QCOMPARE(b.Column(&Batch::Tx, 1, 4),
                 QStringList({"136.00500", "136.00250", "136.00000", "174.00000"}));
        b.Do({"接收起始频率=400", "接收步进方向=递减", "应用="});
        QCOMPARE(b.Column(&Batch::Rx, 1, 2), QStringList({"400.00000", "480.00000"}));
        // A stepped value off both rasters goes to the nearest one.
        b.Do({"接收起始频率=145", "接收步进=6.25", "接收步进方向=递增", "范围=全部", "应用="});
        QCOMPARE(b.Rx(2), std::string("145.00625"));
    }

    void toneIndexesWrap() {
        Batch b;
        b.Do({"范围=A段", "接收信令=D754I", "接收间隔=1", "发射信令=起始信令", "发射起始信令=无",
              "发射间隔=2", "发射间隔方向=递减", "应用="});
        QCOMPARE(b.Column(&Batch::RxTone, 1, 3), QStringList({"D754I", "无", "67.0"}));
        // 无, index 263, 262.
        QCOMPARE(b.Column(&Batch::TxTone, 1, 3), QStringList({"无", "D743I", "D732I"}));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(b.state.image.data()) + 8, 4),
                 QByteArray::fromHex("54c7ffff"));
    }

    void randomTonesFollowTheSeed() {
        Batch b;
        b.Do({"接收随机=1", "应用="});
        const QStringList first = b.Column(&Batch::RxTone, 1, 256);
        QCOMPARE(b.Column(&Batch::TxTone, 1, 256), first); // transmit "默认": the same tone
        QVERIFY(first.count(first[0]) < 50);
        b.Do({"应用="}); // every "应用" seeds again: the same tones
        QCOMPARE(b.Column(&Batch::RxTone, 1, 256), first);
        b.ctx.randomSeed = 2;
        b.Do({"应用="});
        QVERIFY(b.Column(&Batch::RxTone, 1, 256) != first);
        // Random transmit tones of their own: they vary, and not with the
        // receive tones.
        b.Do({"发射信令=起始信令", "发射随机=1", "应用="});
        const QStringList tx = b.Column(&Batch::TxTone, 1, 256);
        QVERIFY(tx.count(tx[0]) < 50);
        int differing = 0;
        for (int n = 1; n <= 256; ++n)
            differing += b.RxTone(n) != b.TxTone(n);
        QVERIFY(differing > 200);
    }

    void namesByChannelNumber() {
        Batch b;
        b.Do({"范围=A段", "按信道号=1", "应用="});
        QCOMPARE(b.Record(7).mid(24, 7), QByteArray("007\xFF\xFF\xFF\xFF"));
        b.Do({"信道名字=CH", "应用="});
        QCOMPARE(b.Record(5).mid(24, 7), QByteArray("CH005\xFF\xFF"));
        b.Do({"信道名字=ABCDEF", "范围=B段", "应用="});
        QCOMPARE(b.Record(130).mid(24, 7), QByteArray("ABCD130"));
        b.Do({"按信道号=0", "信道名字=中R 1", "应用="}); // printable ASCII only
        QCOMPARE(b.Record(200).mid(24, 7), QByteArray("R 1\xFF\xFF\xFF\xFF"));
        QCOMPARE(uchar(b.Record(200)[31]), uchar(0xFF)); // byte 31 untouched
    }

    void offsetStaysInTheBandOfEachReceiveFrequency() {
        Batch b;
        b.Do({"范围=A段", "接收起始频率=145", "接收步进=12.5", "发射频率=偏移频率(MHz)",
              "偏移频率=0.6", "偏移方向=加", "应用="});
        QCOMPARE(b.Column(&Batch::Tx, 1, 2), QStringList({"145.60000", "145.61250"}));
        // Minus 5 MHz from 136: below band A, so its upper limit.
        b.Do({"范围=A段", "接收起始频率=136", "发射频率=偏移频率(MHz)", "偏移频率=5", "偏移方向=减",
              "应用="});
        QCOMPARE(b.Tx(1), std::string("174.00000"));
        // A UHF channel with +5 MHz transmits in band B, although the disabled
        // transmit start field still holds a band A frequency.
        b.Do({"偏移方向=加", "接收起始频率=435", "接收步进=20000"});
        QCOMPARE(b.Text(B::kRxStep), std::string("1000"));
        b.Do({"接收步进=40", "范围=从信道", "从信道=1", "到信道=4", "应用="});
        QCOMPARE(b.Tx(1), std::string("440.00000"));
        QCOMPARE(b.Tx(2), std::string("440.04000"));
        // Above band B the offset result becomes its lower limit ("加").
        b.Do({"接收起始频率=478", "接收步进=1000", "应用="});
        QCOMPARE(b.Column(&Batch::Rx, 1, 4),
                 QStringList({"478.00000", "479.00000", "480.00000", "400.00000"}));
        QCOMPARE(b.Column(&Batch::Tx, 1, 4),
                 QStringList({"400.00000", "400.00000", "400.00000", "405.00000"}));
    }

    void gridEditsSurviveApply() {
        // The view converts the grid before the dialog opens, so a cell edit
        // not yet converted is still in the grid that "应用" renders.
        AppState state;
        ApplyBuiltInDefaults(state.image);
        FormSession session(state, 3u);
        session.grid().SetText(200, kColRx, "435.00000");
        session.grid().SetText(200, kColTx, "435.00000");
        std::vector<ProfileSection> sections;
        std::string error;
        QVERIFY(ParseProfile("[batch]\n范围=A段\n接收起始频率=145\n应用=\n", "t", sections, error));
        QVERIFY2(session.RunSection(sections[0], error), error.c_str());
        QCOMPARE(session.grid().Text(200, kColRx), std::string("435.00000"));
        QCOMPARE(session.grid().Text(1, kColRx), std::string("145.00000"));
        QCOMPARE(session.grid().Text(128, kColRx), std::string("145.00000"));
    }
};

QTEST_GUILESS_MAIN(BatchFormTest)
#include "test_batch_form.moc"
