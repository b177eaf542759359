// SPDX-License-Identifier: GPL-3.0-or-later
// The channel edit and model information forms, without a display.
#include <QtTest>
#include <clocale>

#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/model_info_form.h"
#include "support/text_rows.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using F = ChannelEditForm;

QByteArray Bytes(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

struct Fixture {
    AppState state;
    FormContext ctx{state, {}, {}};
    Fixture() { ApplyBuiltInDefaults(state.image); }
    ChannelRecord rec(int n) { return ChannelRecord(state.image, n); }
    void AddChannel(int n, std::uint32_t rx, std::uint32_t tx) {
        rec(n).SetRx(rx);
        rec(n).SetTx(tx);
        rec(n).SetRxTone(kNoTone);
        rec(n).SetTxTone(kNoTone);
    }
    QByteArray Record(int n) { return Bytes(state.image, RecordOffset(n), kRecordSize); }
};

// Opens the form on a channel; the test drives it and closes it.
struct Dialog {
    F form;
    Dialog(Fixture& f, int n) : form(f.ctx, n) { form.Open(); }
    void Type(int id, const std::string& text) { PasteText(form, id, text); }
    std::string Text(int id) const { return form.State(id).text; }
    QString Texts(std::initializer_list<int> ids) const {
        QStringList out;
        for (int id : ids)
            out << QString::fromStdString(Text(id));
        return out.join('|');
    }
    bool Enabled(int id) const { return form.State(id).enabled; }
    void Pick(int id, int index) {
        form.State(id).index = index;
        form.State(id).text = form.Spec(id).choices[static_cast<std::size_t>(index)];
        form.ListPicked(id);
    }
};

} // namespace

class ChannelFormsTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void typedFrequenciesSnapDownOntoTheRaster_data() {
        const char* const rows[][3] = {
            {"5 kHz nearer below", "145.0123", "145.01000"},
            {"6.25 kHz nearer below", "435.0071", "435.00625"},
            {"on the 2.5 kHz raster", "145.0275", "145.02750"},
            {"band limit included", "174", "174.00000"},
            {"outside both bands", "300", "136.00000"},
            {"no number", ".", "136.00000"},
        };
        test::AddTextRows("typed", "shown", rows);
    }
    void typedFrequenciesSnapDownOntoTheRaster() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f;
        f.AddChannel(3, 14500000, 14500000);
        Dialog d(f, 3);
        d.Type(F::kRx, typed.toStdString());
        QCOMPARE(QString::fromStdString(d.Text(F::kRx)), shown);
        d.Type(F::kTx, typed.toStdString());
        QCOMPARE(QString::fromStdString(d.Text(F::kTx)), shown);
        d.form.Close();
        QCOMPARE(QString::fromStdString(FrequencyToText(f.rec(3).Rx())), shown);
    }

    void emptyChannelOpensDisabledAndClosesCleared() {
        Fixture f;
        f.rec(9).SetByte(ChannelRecord::kRx + 3, 0xFF);
        f.rec(9).SetByte(0x0E, 0x12); // reserved bytes are lost with the channel
        Dialog d(f, 9);
        QCOMPARE(d.Text(F::kRx), std::string());
        QVERIFY(d.Enabled(F::kRx));
        for (int id = F::kTx; id < F::kFieldCount; ++id) {
            QVERIFY(!d.Enabled(id));
            QCOMPARE(d.Text(id), std::string());
        }
        QCOMPARE(d.form.State(F::kPower).index, -1);
        d.form.Close();
        RadioImage cleared;
        ClearRecord(cleared, 9);
        QCOMPARE(f.Record(9), Bytes(cleared, RecordOffset(9), kRecordSize));
    }

    void newChannelTakesTheDefaults() {
        Fixture f;
        Dialog d(f, 5);
        d.Type(F::kRx, "145.0123");
        QCOMPARE(d.Texts({F::kTx, F::kRxTone, F::kScan, F::kPower, F::kBandwidth}),
                 QString("145.01000|无|否|高|宽"));
        QVERIFY(d.Enabled(F::kName));
        QCOMPARE(d.form.rememberedRx(), std::string("145.01000"));
        d.form.Close();
        QCOMPARE(f.Record(5).left(16), Hex("0010501400105014ffffffff0030ff00"));
        // Emptying RX again and leaving the field empties the channel.
        Dialog e(f, 5);
        e.Type(F::kRx, "");
        QVERIFY(!e.Enabled(F::kTx));
        e.form.Close();
        QCOMPARE(int(f.rec(5).Byte(3)), 0xFF);
    }

    void vfoKeepsRxAndTxInOneBand() {
        Fixture f;
        for (int n : {256, 257})
            f.AddChannel(n, 14500000, 14500000);
        // B128 is a memory channel: TX may lie in the other band.
        Dialog mem(f, 256);
        mem.Type(F::kRx, "435");
        QCOMPARE(mem.Texts({F::kRx, F::kTx}), QString("435.00000|145.00000"));
        mem.Type(F::kTx, "440");
        QCOMPARE(mem.Text(F::kRx), std::string("435.00000"));
        mem.form.Close();
        QCOMPARE(f.rec(256).Tx(), 44000000u);
        // "A VFO": RX in band B pulls TX along.
        Dialog vfo(f, 257);
        vfo.Type(F::kRx, "435");
        QCOMPARE(vfo.Text(F::kTx), std::string("435.00000"));
        vfo.Type(F::kTx, "435.6");
        QCOMPARE(vfo.Text(F::kRx), std::string("435.00000"));
        vfo.form.Close();
        QCOMPARE(f.Record(257).left(8), Hex("0000504300005643"));
        // "B VFO": TX in band B sets RX to the TX text; what is shown is stored.
        f.AddChannel(258, 14500000, 14500000);
        Dialog b(f, 258);
        b.Type(F::kTx, "435.025");
        QCOMPARE(b.Text(F::kRx), std::string("435.02500"));
        b.form.Close();
        QCOMPARE(f.Record(258).left(8), Hex("0025504300255043"));
        QCOMPARE(f.rec(258).ShiftDirection(), 0);
    }

    void emptiedTxGetsItsTextBack() {
        Fixture f;
        f.AddChannel(1, 14500000, 14560000);
        Dialog d(f, 1);
        d.Type(F::kTx, "");
        QCOMPARE(d.Text(F::kTx), std::string("145.60000"));
        // A stored TX of FF or 00 in its top byte shows empty and stays empty.
        f.rec(2).SetTxNone();
        f.rec(2).SetRx(14500000);
        f.rec(3).SetRx(14500000);
        f.rec(3).SetByte(ChannelRecord::kTx + 3, 0x00);
        for (int n : {2, 3}) {
            Dialog e(f, n);
            QCOMPARE(e.Text(F::kTx), std::string());
            e.Type(F::kTx, "");
            QCOMPARE(e.Text(F::kTx), std::string());
            e.form.Close();
            QCOMPARE(f.Record(n).mid(4, 4), Hex("ffffffff"));
            QCOMPARE(int(f.rec(n).ShiftDirection()), 0);
        }
    }

    void shiftBytesFollowTheFrequencies_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QByteArray>("shift"); // bytes 15..19
        const char* const rows[][4] = {{"above", "145", "145.6", "0200000600"},
                                       {"below", "435", "430", "0100005000"},
                                       {"equal", "145", "145", "0000000001"},
                                       {"other band", "145", "435", "0200000029"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << Hex(r[3]);
    }
    void shiftBytesFollowTheFrequencies() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QByteArray, shift);
        Fixture f;
        f.AddChannel(7, 14500000, 14500000);
        Dialog d(f, 7);
        d.Type(F::kRx, rx.toStdString());
        d.Type(F::kTx, tx.toStdString());
        d.form.Close();
        QCOMPARE(f.Record(7).mid(15, 5), shift);
    }

    void listValuesWithoutEntryFallBack() {
        Fixture f;
        f.AddChannel(4, 14500000, 14500000);
        f.rec(4).SetByte(ChannelRecord::kFlags0, 0xC7); // voice 12, repeater 1, type 3
        f.rec(4).SetByte(ChannelRecord::kFlags1, 0xC0); // busy 3, everything else 0
        Dialog d(f, 4);
        QCOMPARE(d.Texts({F::kVoice, F::kSignallingType, F::kRepeater, F::kBusyLock, F::kPower}),
                 QString("关|关|倒频|关|低"));
        d.Pick(F::kPttId, 3);
        d.form.Close();
        QCOMPARE(int(f.rec(4).Byte(ChannelRecord::kFlags0)), 0x04);
        QCOMPARE(int(f.rec(4).Byte(ChannelRecord::kFlags1)), 0x03);
    }

    void toneTextsAreNormalised() {
        Fixture f;
        f.AddChannel(6, 14500000, 14500000);
        f.rec(6).SetRxTone(ToneTextToValue("D754I"));
        Dialog d(f, 6);
        QCOMPARE(d.Text(F::kRxTone), std::string("D754I"));
        d.Type(F::kRxTone, "d23");
        d.Type(F::kTxTone, "88.5");
        QCOMPARE(d.Texts({F::kRxTone, F::kTxTone}), QString("D023N|88.5"));
        d.form.Close();
        QCOMPARE(f.Record(6).mid(8, 4), Hex("23808508"));
        Dialog e(f, 6);
        e.Type(F::kTxTone, "abc");
        QCOMPARE(e.Text(F::kTxTone), std::string("无"));
        e.form.Close();
        QCOMPARE(f.Record(6).mid(10, 2), Hex("ffff"));
    }

    void nameBytes() {
        Fixture f;
        f.AddChannel(8, 14500000, 14500000);
        Dialog d(f, 8);
        d.Type(F::kName, "ABC");
        d.form.Close();
        QCOMPARE(f.Record(8).mid(24, 8), Hex("414243ffffffffff"));
        // Only printable ASCII can be typed, and at most 7 characters.
        Dialog e(f, 8);
        e.Type(F::kName, "中R\tP-T 12345");
        QCOMPARE(e.Text(F::kName), std::string("RP-T 12"));
        e.form.Close();
        QCOMPARE(f.Record(8).mid(24, 7), QByteArray("RP-T 12"));
        // A stored byte outside printable ASCII ends the shown name.
        for (std::uint8_t stop : {0x80, 0x01}) {
            f.rec(8).SetByte(ChannelRecord::kName + 2, stop);
            QCOMPARE(Dialog(f, 8).Text(F::kName), std::string("RP"));
        }
    }

    void channelNumberWrapsAndStoresOnEveryChange() {
        Fixture f;
        f.AddChannel(1, 14500000, 14500000);
        Dialog d(f, 1);
        d.Type(F::kName, "ONE");
        d.form.SpinStep(F::kChannel, -1);
        QCOMPARE(d.Text(F::kChannel) + " " + std::to_string(d.form.channel()), "B VFO 258");
        QCOMPARE(f.Record(1).mid(24, 3), QByteArray("ONE")); // stored on leaving
        d.form.SpinStep(F::kChannel, 1);
        QCOMPARE(d.Texts({F::kChannel, F::kName}), QString("A001|ONE"));
        d.form.SpinStep(F::kChannel, 1);
        QCOMPARE(d.Text(F::kChannel), std::string("A002"));
        // Typed numbers are clamped; the filter drops what cannot be typed.
        // The edit upper-cases letters as they are typed, so a lower-case band
        // letter reaches the case-sensitive label parser as the user meant it.
        // The same number typed again ("200") changes nothing, not even the text.
        QStringList shown;
        for (const char* typed : {"b5", "999", "A200", "200"}) {
            d.Type(F::kChannel, typed);
            shown << QString::fromStdString(d.Text(F::kChannel));
        }
        QCOMPARE(shown, QStringList({"B005", "B VFO", "B072", "200"}));
        d.form.SpinStep(F::kChannel, 1);
        QCOMPARE(d.Text(F::kChannel), std::string("B073"));
    }

    void enterValidatesEscapeClosesInRxOnly() {
        Fixture f;
        f.AddChannel(1, 14500000, 14500000);
        Dialog d(f, 1);
        d.form.State(F::kRx).text = "145.0123";
        QVERIFY(d.form.KeyPressed(F::kRx, DialogKey::Enter) == KeyOutcome::Swallowed);
        QCOMPARE(d.Text(F::kRx), std::string("145.01000"));
        QVERIFY(d.form.KeyPressed(F::kRx, DialogKey::Escape) == KeyOutcome::CloseDialog);
        QVERIFY(d.form.KeyPressed(F::kTx, DialogKey::Escape) == KeyOutcome::Swallowed);
        QVERIFY(d.form.KeyPressed(F::kName, DialogKey::Enter) == KeyOutcome::Swallowed);
    }

    void bandPresetCorrections_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("lowerEdited");
        QTest::addColumn<int>("wantLow");
        QTest::addColumn<int>("wantHigh");
        QTest::newRow("unchanged") << 136 << 174 << true << 136 << 174;
        QTest::newRow("inside preset") << 150 << 174 << true << 150 << 174;
        QTest::newRow("lower off, upper preset 2") << 300 << 450 << true << 400 << 450;
        QTest::newRow("lower off, upper preset 0") << 300 << 160 << true << 136 << 174;
        QTest::newRow("upper off, lower 420") << 420 << 600 << false << 420 << 520;
        QTest::newRow("upper off, lower 140") << 140 << 600 << false << 136 << 174;
        QTest::newRow("equal, lower left") << 400 << 400 << true << 400 << 520;
        QTest::newRow("equal, upper left") << 400 << 400 << false << 400 << 520;
        QTest::newRow("upper in other preset") << 170 << 400 << true << 170 << 174;
        QTest::newRow("lower above upper") << 250 << 210 << true << 200 << 210;
        QTest::newRow("upper below lower") << 250 << 210 << false << 250 << 260;
        QTest::newRow("both off") << 0 << 999 << false << 136 << 174;
        QTest::newRow("lower off, upper preset 1, equal") << 100 << 200 << true << 200 << 260;
    }
    void bandPresetCorrections() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, lowerEdited);
        QFETCH(int, wantLow);
        QFETCH(int, wantHigh);
        std::int64_t L = std::int64_t(low) * 100000, U = std::int64_t(high) * 100000;
        CorrectBandPair(L, U, lowerEdited);
        QCOMPARE(L / 100000, std::int64_t(wantLow));
        QCOMPARE(U / 100000, std::int64_t(wantHigh));
    }

    void modelFormShowsWholeMHzAndStoresLimits() {
        Fixture f;
        f.state.modelName = "K-1";
        f.state.bandLimits.high[0] = 17499999; // shown in whole MHz
        ModelInfoForm form(f.ctx);
        form.Open();
        QCOMPARE(form.State(ModelInfoForm::kModel).text, std::string("K-1"));
        QVERIFY(form.Spec(ModelInfoForm::kModel).readOnly);
        QCOMPARE(form.State(ModelInfoForm::kAHigh).text, std::string("174"));
        PasteText(form, ModelInfoForm::kBHigh, "6000"); // cut to 3 digits: 600, no preset
        QCOMPARE(form.State(ModelInfoForm::kBHigh).text, std::string("520"));
        PasteText(form, ModelInfoForm::kALow, "3x0"); // digits only: 30, no preset
        QCOMPARE(form.State(ModelInfoForm::kALow).text, std::string("136"));
        // Left unedited, a pair is still corrected on closing (lower mode).
        form.State(ModelInfoForm::kBLow).text = "300";
        QVERIFY(form.KeyPressed(ModelInfoForm::kBLow, DialogKey::Escape) == KeyOutcome::Swallowed);
        form.Close();
        QCOMPARE(f.state.bandLimits.high[0], 17400000);
        QCOMPARE(f.state.bandLimits.low[1], 40000000);
        QCOMPARE(f.state.bandLimits.high[1], 52000000);
        QCOMPARE(Bytes(f.state.image, 0x2E10, 16), Hex("00006013000040170000004000000052"));
    }
};

QTEST_GUILESS_MAIN(ChannelFormsTest)
#include "test_channel_forms.moc"
