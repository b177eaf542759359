// SPDX-License-Identifier: GPL-3.0-or-later
// The channel edit, model information, batch channel, optional features and
// FM radio forms, without a display.
#include <QtTest>
#include <clocale>

#include <algorithm>
#include <random>

#include "core/document/default_image.h"
#include "core/forms/batch_channel_form.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/fm_radio_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/model_info_form.h"
#include "core/forms/optional_features_form.h"
#include "core/grid/channel_grid.h"
#include "core/image/settings_layout.h"
#include "support/form_images.h"
#include "support/form_lines.h"
#include "support/text_rows.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using F = ChannelEditForm;
using O = OptionalFeaturesForm;
using Fm = FmRadioForm;
using B = BatchChannelForm;

using test::Bytes;
using test::Hex;

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

// The built-in defaults, with bytes written at offset.
RadioImage Defaults(int offset = 0, const QByteArray& bytes = {}) {
    RadioImage image = BuiltInImage();
    std::copy(bytes.begin(), bytes.end(), image.data() + offset);
    return image;
}

// An image the forms open on; "应用" counts the renders it asks for.
struct Fixture {
    AppState state;
    int renders = 0;
    FormContext ctx{state, [this] { ++renders; }, 1u};
    explicit Fixture(const RadioImage& image = Defaults()) { state.image = image; }
    // The built-in defaults with channel n in use: 145 MHz simplex, no tones.
    explicit Fixture(int n) : Fixture() { AddChannel(state.image, n, 14500000, 14500000); }
    ChannelRecord rec(int n) { return ChannelRecord(state.image, n); }
    QByteArray Record(int n) { return test::Record(state.image, n); }
};

// A form of type FormT opened on a fixture; the test drives it and closes it.
template <class FormT> struct Open {
    FormT form;
    template <class... Args> explicit Open(Fixture& f, Args... args) : form(f.ctx, args...) {
        form.Open();
    }
    void Type(int id, const std::string& text) { PasteText(form, id, text); }
    std::string Text(int id) const { return form.State(id).text; }
    // The fields' texts joined by '|'.
    QString Texts(std::initializer_list<int> ids) const {
        QStringList out;
        for (int id : ids)
            out << QString::fromStdString(Text(id));
        return out.join('|');
    }
    bool Enabled(int id) const { return form.State(id).enabled; }
};
using Dialog = Open<F>;

// Channel n opened, each text typed into its field, closed: the record.
QByteArray Typed(Fixture& f, int n, std::initializer_list<std::pair<int, std::string>> typed) {
    Dialog d(f, n);
    for (const auto& [id, text] : typed)
        d.Type(id, text);
    d.form.Close();
    return f.Record(n);
}

// A form opened on its own copy of an image; lines are applied as profile
// lines (an error fails the test).
template <class FormT> struct Opened : Fixture, Open<FormT> {
    explicit Opened(const RadioImage& image = Defaults(),
                    const std::vector<std::string>& lines = {})
        : Fixture(image), Open<FormT>(static_cast<Fixture&>(*this)) {
        for (const auto& text : lines)
            QVERIFY2(test::ApplyLine(this->form, text).empty(), text.c_str());
    }
    const RadioImage& Closed() {
        this->form.Close();
        return state.image;
    }
};

template <class FormT>
RadioImage OpenClose(const RadioImage& image = Defaults(),
                     const std::vector<std::string>& lines = {}) {
    return Opened<FormT>(image, lines).Closed();
}

struct Batch : Opened<B> {
    // Applies profile lines; fails the test on an error.
    void Do(std::initializer_list<std::string> lines) {
        for (const std::string& text : lines)
            QVERIFY2(test::ApplyLine(form, text).empty(), text.c_str());
    }
    QString Error(const char* text) { return QString::fromStdString(test::ApplyLine(form, text)); }
    std::string Rx(int n) { return FrequencyToText(rec(n).Rx()); }
    std::string Tx(int n) { return FrequencyToText(rec(n).Tx()); }
    std::string RxTone(int n) { return ToneValueToText(rec(n).RxTone()); }
    std::string TxTone(int n) { return ToneValueToText(rec(n).TxTone()); }
    // One column of channels first..last: Rx, Tx, RxTone or TxTone.
    QStringList Column(std::string (Batch::*cell)(int), int first, int last) {
        QStringList out;
        for (int n = first; n <= last; ++n)
            out << QString::fromStdString((this->*cell)(n));
        return out;
    }
};

} // namespace

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void typedFrequenciesSnapDownOntoTheRaster_data() {
        const char* const rows[][3] = {
            // The raster and the digits beyond the fifth decimal: tests/core/codec.
            {"5 kHz nearer below", "145.0123", "145.01000"},
            {"band limit included", "174", "174.00000"},
            {"outside both bands", "300", "136.00000"},
            {"no number", ".", "136.00000"},
        };
        test::AddTextRows("typed", "shown", rows);
    }
    void typedFrequenciesSnapDownOntoTheRaster() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f(3);
        Dialog d(f, 3);
        d.Type(F::kRx, typed.toStdString());
        QCOMPARE(QString::fromStdString(d.Text(F::kRx)), shown);
        d.Type(F::kTx, typed.toStdString());
        QCOMPARE(QString::fromStdString(d.Text(F::kTx)), shown);
        d.form.Close();
        QCOMPARE(QString::fromStdString(FrequencyToText(f.rec(3).Rx())), shown);
    }

    void emptyChannelsOpenDisabledTakeTheDefaultsAndCloseCleared() {
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
        // A new channel takes the defaults.
        Dialog n(f, 5);
        n.Type(F::kRx, "145.0123");
        QCOMPARE(n.Texts({F::kTx, F::kRxTone, F::kScan, F::kPower, F::kBandwidth}),
                 QString("145.01000|无|否|高|宽"));
        QVERIFY(n.Enabled(F::kName));
        QCOMPARE(n.form.rememberedRx(), std::string("145.01000"));
        n.form.Close();
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
            AddChannel(f.state.image, n, 14500000, 14500000);
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
        AddChannel(f.state.image, 258, 14500000, 14500000);
        Dialog b(f, 258);
        b.Type(F::kTx, "435.025");
        QCOMPARE(b.Text(F::kRx), std::string("435.02500"));
        b.form.Close();
        QCOMPARE(f.Record(258).left(8), Hex("0025504300255043"));
        QCOMPARE(f.rec(258).ShiftDirection(), 0);
    }

    void oddTxValuesSurviveTheDialog() {
        Fixture f;
        AddChannel(f.state.image, 1, 14500000, 14560000);
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
        // A stored TX in no band (a radio with wider bands wrote it) keeps its
        // shift through an untouched open and close, and so its TX through the
        // grid's next conversion; a 500 MHz TX read back as 145 before.
        AddChannel(f.state.image, 7, 14500000, 50000000);
        f.rec(7).SetShiftDirection(2);
        const QByteArray before = f.Record(7);
        Dialog g(f, 7);
        QCOMPARE(g.Text(F::kTx), std::string("500.00000"));
        g.form.Close();
        QCOMPARE(f.Record(7), before);
        PassThroughGrid(f.state.image, f.state.bandLimits);
        QCOMPARE(f.Record(7), before);
    }

    void shiftBytesFollowTheFrequencies_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QByteArray>("shift"); // bytes 15..19
        const char* const rows[][4] = {{"above", "145", "145.6", "0200000600"},
                                       {"below", "435", "430", "0100005000"},
                                       {"equal", "145", "145", "0000000001"},
                                       // as the grid stores it: no shift
                                       {"other band", "145", "435", "0000000001"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << Hex(r[3]);
    }
    void shiftBytesFollowTheFrequencies() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QByteArray, shift);
        Fixture f(7);
        QCOMPARE(Typed(f, 7, {{F::kRx, rx.toStdString()}, {F::kTx, tx.toStdString()}}).mid(15, 5),
                 shift);
    }

    void listValuesWithoutEntryFallBack() {
        Fixture f(4);
        f.rec(4).SetByte(ChannelRecord::kFlags0, 0xC7); // voice 12, repeater 1, type 3
        f.rec(4).SetByte(ChannelRecord::kFlags1, 0xC0); // busy 3, everything else 0
        Dialog d(f, 4);
        QCOMPARE(d.Texts({F::kVoice, F::kSignallingType, F::kRepeater, F::kBusyLock, F::kPower}),
                 QString("关|关|倒频|关|低"));
        QCOMPARE(test::ApplyLine(d.form, "PTT ID=两者"), std::string());
        d.form.Close();
        QCOMPARE(int(f.rec(4).Byte(ChannelRecord::kFlags0)), 0x04);
        QCOMPARE(int(f.rec(4).Byte(ChannelRecord::kFlags1)), 0x03);
    }

    void toneTextsAreNormalised() {
        Fixture f(6);
        f.rec(6).SetRxTone(ToneTextToValue("D754I"));
        Dialog d(f, 6);
        QCOMPARE(d.Text(F::kRxTone), std::string("D754I"));
        // Each field's commit normalises (the rules: tests/core/codec).
        d.Type(F::kRxTone, "d23");
        d.Type(F::kTxTone, "88.5");
        QCOMPARE(d.Texts({F::kRxTone, F::kTxTone}), QString("D023N|88.5"));
        d.form.Close();
        QCOMPARE(f.Record(6).mid(8, 4), Hex("23808508"));
    }

    void nameBytes() {
        Fixture f(8);
        QCOMPARE(Typed(f, 8, {{F::kName, "ABC"}}).mid(24, 8), Hex("414243ffffffffff"));
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
        // The name is stored only when it was edited: bytes the field cannot
        // show (a name in another character set) survive a visit.
        const QByteArray stored = f.Record(8).mid(24, 7);
        Dialog(f, 8).form.Close();
        QCOMPARE(f.Record(8).mid(24, 7), stored);
    }

    void channelNumberWrapsAndStoresOnEveryChange() {
        Fixture f(1);
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
        Fixture f(1);
        Dialog d(f, 1);
        d.form.State(F::kRx).text = "145.0123";
        QVERIFY(d.form.KeyPressed(F::kRx, DialogKey::Enter) == KeyOutcome::Swallowed);
        QCOMPARE(d.Text(F::kRx), std::string("145.01000"));
        QVERIFY(d.form.KeyPressed(F::kRx, DialogKey::Escape) == KeyOutcome::CloseDialog);
        QVERIFY(d.form.KeyPressed(F::kTx, DialogKey::Escape) == KeyOutcome::Swallowed);
        QVERIFY(d.form.KeyPressed(F::kName, DialogKey::Enter) == KeyOutcome::Swallowed);
    }

    void bandPresetCorrections() {
        // A pair in MHz, whether its lower (else its upper) limit was edited,
        // and the pair corrected.
        const std::tuple<int, int, bool, const char*> pairs[] = {
            {136, 174, true, "136-174"},  // unchanged
            {150, 174, true, "150-174"},  // inside a preset
            {300, 450, true, "400-450"},  // lower off, upper in preset 2
            {300, 160, true, "136-174"},  // lower off, upper in preset 0
            {420, 600, false, "420-520"}, // upper off
            {140, 600, false, "136-174"}, // upper off
            {400, 400, true, "400-520"},  // equal
            {400, 400, false, "400-520"}, // equal
            {170, 400, true, "170-174"},  // upper in another preset
            {250, 210, true, "200-210"},  // lower above upper
            {250, 210, false, "250-260"}, // upper below lower
            {0, 999, false, "136-174"},   // both off
            {100, 200, true, "200-260"},  // lower off, upper in preset 1, equal
        };
        for (const auto& [low, high, lowerEdited, corrected] : pairs) {
            std::int64_t l = std::int64_t(low) * 100000, h = std::int64_t(high) * 100000;
            CorrectBandPair(l, h, lowerEdited);
            const QString pair = QString("%1-%2 %3: ").arg(low).arg(high).arg(lowerEdited);
            QCOMPARE(pair + QString("%1-%2").arg(l / 100000).arg(h / 100000), pair + corrected);
        }
    }

    void modelFormShowsWholeMHzAndStoresLimits() {
        using M = ModelInfoForm;
        Fixture f;
        f.state.modelName = "K-1";
        f.state.bandLimits.high[0] = 17499999; // shown in whole MHz
        Open<M> d(f);
        QCOMPARE(d.Texts({M::kModel, M::kAHigh}), QString("K-1|174"));
        QVERIFY(d.form.Spec(M::kModel).readOnly);
        d.Type(M::kBHigh, "6000"); // cut to 3 digits: 600, no preset
        d.Type(M::kALow, "3x0");   // digits only: 30, no preset
        QCOMPARE(d.Texts({M::kBHigh, M::kALow}), QString("520|136"));
        // Left unedited, a pair is still corrected on closing (lower mode).
        d.form.State(M::kBLow).text = "300";
        QVERIFY(d.form.KeyPressed(M::kBLow, DialogKey::Escape) == KeyOutcome::Swallowed);
        d.form.Close();
        QCOMPARE(f.state.bandLimits.high[0], 17400000);
        QCOMPARE(f.state.bandLimits.low[1], 40000000);
        QCOMPARE(f.state.bandLimits.high[1], 52000000);
        QCOMPARE(Bytes(f.state.image, 0x2E10, 16), Hex("00006013000040170000004000000052"));
    }

    void everyOptionRowLoadsStoresAndFallsBack() {
        // Every value each list row's bits can hold: a value with an entry is
        // shown as that entry and stored back unchanged; any other shows the
        // row's fallback and is stored in that corrected form, which then
        // stays. Nothing but the row's own bits changes.
        const RadioImage base = OpenClose<O>(); // every field in range
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
        // The row, the value in its bits, what it shows and what closing stores.
        const std::tuple<const char*, int, const char*, int> cases[] = {
            {"发射限时 (min)", 30, "30", 1}, {"开机信息显示方式", 3, "电压", 1},
            {"静噪电平", 12, "4", 4},        {"背光灯时间", 9, "10", 9},
            {"背光灯时间", 10, "5", 4},      {"扫描模式", 3, "时间", 0},
            {"背光灯模式", 3, "按键", 1},    {"键盘锁", 0, "开", 0},
            {"背光灯颜色", 3, "1", 0},
        };
        for (const auto& [label, stored, shown, storedBack] : cases) {
            const int id = Opened<O>().form.FieldId(label);
            const BitField bits = OptionalFeatureFields()[std::size_t(id)].location.field;
            RadioImage image = Defaults();
            image.Set(bits, stored);
            Opened<O> d(image);
            QCOMPARE(d.Text(id), std::string(shown));
            QCOMPARE(d.Closed().Get(bits), storedBack);
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
        // Stored bytes, the text shown, the bytes closing stores.
        const char* const cases[][3] = {
            {"0102030E0FFFFF", "123*#", "3132332A232020"},
            {"4849FFFFFFFFFF", "HI", "48492020202020"},
            {"20412042202020", " A B", "20412042202020"},
            {"410A42434445FF", "A", "41202020202020"}, // A-D codes end it
        };
        for (const auto& [stored, shown, storedBack] : cases) {
            Opened<O> d(Defaults(settings::kGreeting, Hex(stored)));
            QCOMPARE(d.Text(O::kGreeting), std::string(shown));
            QCOMPARE(Hex(d.Closed(), settings::kGreeting, 7), QByteArray(storedBack));
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
        Opened<O> d;
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

    void fmFrequenciesLoadInRangeTruncateAndFallBackTo76() {
        // Stored bytes: shown text and what closing stores back, for the
        // current frequency and the first and last channel alike.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"008010", "108.000", "008010"}, {"108010", "", "FFFFFF"},
            {"007508", "87.500", "007508"},  {"006007", "76.000", "006007"},
            {"995907", "", "FFFFFF"},        {"FFFFFF", "", "FFFFFF"}};
        for (const auto& [stored, shown, back] : cases) {
            for (int at : {fm::kCurrentFrequency, fm::Channel(1), fm::Channel(20)}) {
                Opened<Fm> d(Defaults(at, Hex(stored)));
                QCOMPARE(at == fm::kCurrentFrequency
                             ? d.Text(Fm::kCurrentFrequency)
                             : d.form.Cell(Fm::kChannels, at == fm::Channel(1) ? 0 : 19, 0),
                         std::string(shown));
                QCOMPARE(Hex(d.Closed(), at, 3), QByteArray(back));
            }
        }
        // Typed ones are truncated and fall back to 76.
        const std::pair<const char*, const char*> typed[] = {
            {"88.15", "508108"}, {"120", "006007"}, {"87.5005", "007508"}, {"108", "008010"},
            {"", "FFFFFF"},      {".", "006007"},   {"88,15", "508108"}};
        // The three bytes at `at` after the profile line.
        auto stored = [](const std::string& line, int at) {
            return Hex(OpenClose<Fm>(Defaults(), {line}), at, 3);
        };
        for (const auto& [text, bytes] : typed) {
            QCOMPARE(stored(std::string("3/频率=") + text, fm::Channel(3)), QByteArray(bytes));
            QCOMPARE(stored(std::string("当前频率=") + text, fm::kCurrentFrequency),
                     QByteArray(bytes));
        }
        // The cells take digits and "." only.
        QCOMPARE(stored("3/频率=8a8.1x5", fm::Channel(3)), QByteArray("508108"));
        // The FM grid's cell editor has no spin.
        Opened<Fm> d;
        QCOMPARE(test::ApplyLine(d.form, "3/频率++"), std::string("表格单元没有微调按钮"));
        // A value still being typed when the dialog closes is stored corrected.
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
                 QString("全部|1|256|136.00000|136.00000|0.00000|无|低|否|0"));
        for (int id : {B::kFrom, B::kOffset, B::kTxStart, B::kTxRandom, B::kTxTone})
            QVERIFY(!b.Enabled(id));
        QVERIFY(b.Error("从信道=5").contains("该项不可用"));
        b.Do({"发射频率=偏移频率(MHz)", "偏移频率=5"});
        QVERIFY(b.Error("发射步进=5").contains("该项不可用"));
        b.Do({"发射频率=起始频率(MHz)", "发射步进=5", "发射信令=起始信令", "发射随机=1"});
        for (int id : {B::kOffsetDir, B::kTxTone, B::kTxInterval})
            QVERIFY(!b.Enabled(id));
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

    void stepsAndTonesWrap() {
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
        // Tone indexes wrap too.
        Batch t;
        t.Do({"范围=A段", "接收信令=D754I", "接收间隔=1", "发射信令=起始信令", "发射起始信令=无",
              "发射间隔=2", "发射间隔方向=递减", "应用="});
        QCOMPARE(t.Column(&Batch::RxTone, 1, 3), QStringList({"D754I", "无", "67.0"}));
        // 无, index 263, 262.
        QCOMPARE(t.Column(&Batch::TxTone, 1, 3), QStringList({"无", "D743I", "D732I"}));
        QCOMPARE(Bytes(t.state.image, 8, 4), Hex("54c7ffff"));
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
};

QTEST_GUILESS_MAIN(FormsTest)
#include "test_forms.moc"
