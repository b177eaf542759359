// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <algorithm>
#include <random>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/image/radio_image.h"
#include "support/text_rows.h"

using namespace kestra;

namespace {

QByteArray Bytes(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

QStringList Row(const ChannelGrid& grid, int row) {
    QStringList out;
    for (int c = 1; c < kGridCols; ++c)
        out << QString::fromStdString(grid.Text(row, c));
    return out;
}

void SetRow(ChannelGrid& grid, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c)
        grid.SetText(row, c + 1, cells[c].toStdString());
}

// A fresh image with the built-in defaults and one channel.
struct Fixture {
    RadioImage image;
    BandLimits limits;
    ChannelGrid grid;
    Fixture() { ApplyBuiltInDefaults(image); }
    ChannelRecord rec(int n) { return ChannelRecord(image, n); }
    void AddChannel(int n, std::uint32_t rx, std::uint32_t tx) {
        rec(n).SetRx(rx);
        rec(n).SetTx(tx);
        rec(n).SetRxTone(kNoTone);
        rec(n).SetTxTone(kNoTone);
    }
};

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT
private slots:
    void renderCellTexts() {
        Fixture f;
        f.AddChannel(1, 14512500, 14512500);
        f.rec(1).SetRxTone({0x85, 0x08});
        f.rec(1).SetTxTone({0x23, 0x80});
        f.rec(1).SetByte(0x0D, 0x00); // low, no scan, narrow, busy off
        f.AddChannel(2, 43500000, 0);
        f.rec(2).SetTxNone();
        f.rec(2).SetRxTone({0x17, 0x80});
        f.rec(2).SetTxTone({0x00, 0x00});
        f.rec(2).SetBusyLockout(3);
        f.AddChannel(129, 43500000, 43000000); // B001 from 0x1000
        f.rec(129).SetBusyLockout(2);
        f.rec(129).SetRxTone({0x05, 0x81});
        f.rec(129).SetTxTone({0x54, 0xC7});
        f.AddChannel(3, 50000000, 50000000); // outside both bands
        f.rec(4).SetByte(3, 0x00);           // top byte 0x00: empty
        RenderGrid(f.grid, f.image, f.limits);
        QCOMPARE(Row(f.grid, 1),
                 QStringList({"145.12500", "145.12500", "88.5", "D023N", "低", "否", "窄", "关"}));
        QCOMPARE(Row(f.grid, 2),
                 QStringList({"435.00000", "", "D017N", "0.0", "高", "是", "宽", ""}));
        QCOMPARE(Row(f.grid, 129), QStringList({"435.00000", "430.00000", "D105N", "D754I", "高",
                                                "是", "宽", "QT/DQT"}));
        QCOMPARE(Row(f.grid, 3), QStringList(8, ""));
        QCOMPARE(Row(f.grid, 4), QStringList(8, ""));
        QCOMPARE(Row(f.grid, 258), QStringList(8, ""));

        // Raising band B's upper limit in the image makes the 500 MHz row show.
        f.image.SetFrequency(0x2E18, 40000000);
        f.image.SetFrequency(0x2E1C, 52000000);
        RenderGrid(f.grid, f.image, f.limits);
        QCOMPARE(f.limits.high[1], 52000000);
        QCOMPARE(f.grid.Text(3, 1), std::string("500.00000"));
        QCOMPARE(f.limits.low[0], 13600000); // 0x2E13 is 0xFF: band 0 kept
    }

    // The TX cell is empty exactly when the transmit frequency's most
    // significant byte (record byte 0x07) is FF or 00; zeros in its lower
    // bytes are ordinary digits.
    void renderTxCell_data() {
        QTest::addColumn<QByteArray>("txBytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("145 MHz") << QByteArray::fromHex("00005014") << "145.00000";
        QTest::newRow("only the top byte set") << QByteArray::fromHex("00000010") << "100.00000";
        QTest::newRow("lowest byte FF") << QByteArray::fromHex("ff005014") << "145.00165";
        QTest::newRow("top byte 00, others set") << QByteArray::fromHex("99999900") << "";
        QTest::newRow("top byte FF") << QByteArray::fromHex("000050ff") << "";
        QTest::newRow("none") << QByteArray::fromHex("ffffffff") << "";
    }
    void renderTxCell() {
        QFETCH(QByteArray, txBytes);
        QFETCH(QString, shown);
        Fixture f;
        f.AddChannel(7, 14500000, 0);
        for (int i = 0; i < 4; ++i)
            f.rec(7).SetByte(ChannelRecord::kTx + i, std::uint8_t(txBytes[i]));
        RenderGrid(f.grid, f.image, f.limits);
        QCOMPARE(QString::fromStdString(f.grid.Text(7, kColTx)), shown);
        QCOMPARE(f.grid.Text(7, kColRx), std::string("145.00000")); // the row is shown
    }

    void gridToImageShiftRules_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QByteArray>("storedTx");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QByteArray>("amount");
        auto row = [](const char* name, const char* rx, const char* tx, const char* storedTx,
                      int direction, const char* amount) {
            QTest::newRow(name) << QString(rx) << QString(tx) << QByteArray::fromHex(storedTx)
                                << direction << QByteArray::fromHex(amount);
        };
        row("above", "145.00000", "145.60000", "00005614", 2, "00000600");
        row("below", "435.00000", "430.00000", "00000043", 1, "00005000");
        row("simplex", "145.00000", "145.00000", "00005014", 0, "00000001");
        row("no tx", "145.00000", "", "ffffffff", 0, "00000001");
        row("other band", "145.00000", "435.00000", "00005043", 0, "00000001");
    }
    void gridToImageShiftRules() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QByteArray, storedTx);
        QFETCH(int, direction);
        QFETCH(QByteArray, amount);
        Fixture f;
        SetRow(f.grid, 7, {rx, tx, "无", "无", "高", "是", "宽", "关"});
        GridToImage(f.grid, f.image, f.limits);
        const int base = RecordOffset(7);
        QCOMPARE(Bytes(f.image, base + 4, 4), storedTx);
        QCOMPARE(int(f.image[base + 0x0F]), direction);
        QCOMPARE(Bytes(f.image, base + 0x10, 4), amount);
    }

    void outOfBandTxUsesTheRememberedShift() {
        Fixture f;
        // Shift bytes FF FF FF FF (above 9999500): the channel becomes simplex.
        f.AddChannel(9, 14500000, 14500000);
        for (int i = 0; i < 4; ++i)
            f.image[RecordOffset(9) + 0x10 + i] = 0xFF;
        SetRow(f.grid, 9, {"145.00000", "500.00000", "无", "无", "高", "是", "宽", "关"});
        GridToImage(f.grid, f.image, f.limits);
        QCOMPARE(f.rec(9).Tx(), 14500000u);
        QCOMPARE(f.rec(9).ShiftDirection(), 0);
        QCOMPARE(Bytes(f.image, RecordOffset(9) + 0x10, 4), QByteArray::fromHex("00000001"));

        // A usable remembered shift keeps the amount and sets the direction.
        f.image.SetFrequency(RecordOffset(9) + 0x10, 60000);
        SetRow(f.grid, 9, {"145.00000", "500.00000", "无", "无", "高", "是", "宽", "关"});
        GridToImage(f.grid, f.image, f.limits);
        QCOMPARE(f.rec(9).Tx(), 50000000u);
        QCOMPARE(f.rec(9).ShiftDirection(), 2);
        QCOMPARE(f.rec(9).ShiftAmount(), 60000u);
    }

    void gridToImageFlagsAndTones() {
        Fixture f;
        f.AddChannel(12, 14500000, 14500000);
        // The fields only the dialog shows are the round-trip property's.
        ChannelRecord rec = f.rec(12);
        rec.SetBusyLockout(2);
        SetRow(f.grid, 12, {"145.00000", "145.00000", "D023N", "", "低", "否", "窄", "关"});
        GridToImage(f.grid, f.image, f.limits);
        QCOMPARE(rec.BusyLockout(), 0);
        QVERIFY(!rec.HighPower());
        QVERIFY(!rec.Scan());
        QVERIFY(!rec.Wide());
        QCOMPARE(rec.RxTone(), (ToneCode{0x23, 0x80}));
        QCOMPARE(rec.TxTone(), kNoTone); // an empty tone cell is no tone

        // Unknown texts leave scan and bandwidth as they were; busy becomes 0.
        rec.SetScan(true);
        rec.SetWide(true);
        rec.SetBusyLockout(1);
        SetRow(f.grid, 12, {"145.00000", "145.00000", "无", "无", "x", "x", "x", "x"});
        GridToImage(f.grid, f.image, f.limits);
        QVERIFY(rec.Scan());
        QVERIFY(rec.Wide());
        QCOMPARE(rec.BusyLockout(), 0);
        QVERIFY(!rec.HighPower());
        SetRow(f.grid, 12, {"145.00000", "145.00000", "无", "无", "高", "是", "宽", "载波"});
        GridToImage(f.grid, f.image, f.limits);
        QCOMPARE(rec.BusyLockout(), 1);
        QVERIFY(rec.HighPower());
    }

    void clearingTheRxCellClearsTheRecord() {
        Fixture f;
        f.AddChannel(10, 14500000, 14500000);
        f.rec(10).SetByte(0x18, 'A');
        RenderGrid(f.grid, f.image, f.limits);
        QCOMPARE(f.grid.Text(10, 1), std::string("145.00000"));
        f.grid.ClearRow(10);
        GridToImage(f.grid, f.image, f.limits);
        RadioImage cleared;
        ClearRecord(cleared, 10);
        QCOMPARE(Bytes(f.image, RecordOffset(10), 32), Bytes(cleared, RecordOffset(10), 32));
    }

    void renderConvertRenderReproducesTheGrid() {
        Fixture f;
        const std::pair<int, QStringList> rows[] = {
            {1, {"145.00000", "145.60000", "100.0", "D754I", "高", "是", "宽", "关"}},
            {140, {"438.50000", "", "无", "88.5", "低", "否", "窄", "载波"}},
            {257, {"146.52000", "435.00000", "D023N", "无", "高", "否", "宽", "QT/DQT"}},
        };
        for (const auto& [row, cells] : rows)
            SetRow(f.grid, row, cells);
        SetRow(f.grid, 2, {"145.00000", "145.00000", "88.50", "无", "高", "是", "宽", "关"});
        GridToImage(f.grid, f.image, f.limits);
        ChannelGrid again;
        RenderGrid(again, f.image, f.limits);
        for (const auto& [row, cells] : rows)
            QCOMPARE(Row(again, row), cells);
        QCOMPARE(again.Text(2, 3), std::string("88.5")); // typed 88.50
    }

    void startCellEdit() {
        Fixture f;
        f.AddChannel(5, 14500000, 14500000);
        f.rec(5).SetBusyLockout(2);
        RenderGrid(f.grid, f.image, f.limits);
        // An empty row edits its RX frequency, whatever column was clicked.
        EditorSpec opened = StartCellEdit(f.grid, {6, 6});
        QVERIFY(opened.kind == EditorKind::Frequency);
        QCOMPARE(opened.cell.col, 1);
        QCOMPARE(f.grid.current.col, 1);
        opened = StartCellEdit(f.grid, {5, 4});
        QVERIFY(opened.kind == EditorKind::Tone);
        QCOMPARE(opened.text, std::string("无"));
        opened = StartCellEdit(f.grid, {5, 8});
        QVERIFY(opened.kind == EditorKind::Choice);
        QCOMPARE(opened.choices.size(), size_t(3));
        QCOMPARE(opened.choiceIndex, 2);
        opened = StartCellEdit(f.grid, {5, 5});
        QCOMPARE(opened.choiceIndex, 1); // 高
        QVERIFY(f.grid.EditorOpen());
        opened = StartCellEdit(f.grid, {5, 0});
        QVERIFY(opened.kind == EditorKind::None);
    }

    void commitFrequencyCorrections_data() {
        const char* const rows[][3] = {
            {"5 kHz raster", "145.0123", "145.01000"},
            {"6.25 kHz raster", "435.0071", "435.00625"},
            {"2.5 kHz kept", "145.0025", "145.00250"},
            {"above the bands", "500", "136.00000"},
            {"below the bands", "100", "136.00000"},
            {"band edge", "174", "174.00000"},
            {"exact decimal", "136.0025", "136.00250"},
            {"tie goes to 5 kHz", "136.003", "136.00000"},
            // Digits beyond the fifth decimal are cut off before the raster:
            // rounding them would land on the raster point above.
            {"truncated, 5 kHz", "145.124999", "145.12000"},
            {"truncated, 6.25 kHz", "435.0062499", "435.00500"},
            {"truncated, 2.5 kHz", "145.0024999", "145.00000"},
        };
        test::AddTextRows("typed", "shown", rows);
    }
    void commitFrequencyCorrections() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f;
        f.AddChannel(1, 14500000, 14500000);
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {1, 1}, typed.toStdString());
        QCOMPARE(QString::fromStdString(f.grid.Text(1, 1)), shown);
        QCOMPARE(f.grid.Text(1, 2), std::string("145.00000"));
    }

    void newRowGetsDefaultsAndAClearedRecord() {
        Fixture f;
        ChannelRecord rec = f.rec(5);
        rec.SetByte(0x18, 'Z');
        rec.SetVox(true);
        rec.SetByte(0x0C, 0x55);
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {5, 1}, "146.52");
        QCOMPARE(Row(f.grid, 5),
                 QStringList({"146.52000", "146.52000", "无", "无", "高", "是", "宽", "关"}));
        RadioImage cleared;
        ClearRecord(cleared, 5);
        QCOMPARE(Bytes(f.image, RecordOffset(5), 32), Bytes(cleared, RecordOffset(5), 32));
    }

    void deletingAndEmptyRows() {
        Fixture f;
        f.AddChannel(1, 14500000, 14500000);
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {1, 1}, "0");
        QCOMPARE(Row(f.grid, 1), QStringList(8, ""));
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {1, 1}, "");
        QCOMPARE(Row(f.grid, 1), QStringList(8, ""));
        // No TX without RX; no tone or choice in an empty row.
        CommitFrequency(f.grid, f.image, f.limits, {2, 2}, "145");
        CommitTone(f.grid, {2, 3}, "88.5");
        CommitChoice(f.grid, {2, 5}, "高");
        QCOMPARE(Row(f.grid, 2), QStringList(8, ""));
        // Clearing a TX cell keeps its text.
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {1, 2}, "");
        QCOMPARE(f.grid.Text(1, 2), std::string("145.00000"));
    }

    // Only "A VFO" and "B VFO" pull the other frequency into the band of a
    // typed one; B128, the last memory channel just before them, does not.
    void sameBandRuleStopsAtTheVfoRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("typedCol");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        auto row = [](const char* name, int row, int col, const char* typed, const char* rx,
                      const char* tx) {
            QTest::newRow(name) << row << col << QString(typed) << QString(rx) << QString(tx);
        };
        row("B128 rx other band", 256, 1, "435", "435.00000", "145.00000");
        row("B128 tx other band", 256, 2, "435", "145.00000", "435.00000");
        row("A VFO rx other band", 257, 1, "435", "435.00000", "435.00000");
        row("A VFO tx other band", 257, 2, "435", "435.00000", "435.00000");
        row("A VFO rx same band", 257, 1, "146", "146.00000", "145.00000");
        row("B VFO rx other band", 258, 1, "435", "435.00000", "435.00000");
        row("B VFO tx other band", 258, 2, "435", "435.00000", "435.00000");
        row("B VFO tx same band", 258, 2, "146", "145.00000", "146.00000");
        row("B VFO tx cleared", 258, 2, "", "145.00000", "145.00000");
        row("A001 rx other band", 1, 1, "435", "435.00000", "145.00000");
    }
    void sameBandRuleStopsAtTheVfoRows() {
        QFETCH(int, row);
        QFETCH(int, typedCol);
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        Fixture f;
        f.AddChannel(row, 14500000, 14500000);
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {row, typedCol}, typed.toStdString());
        QCOMPARE(QString::fromStdString(f.grid.Text(row, kColRx)), rx);
        QCOMPARE(QString::fromStdString(f.grid.Text(row, kColTx)), tx);
    }

    void noConfiguredBandKeepsTheTypedValue() {
        Fixture f;
        f.limits.low[0] = f.limits.high[0] = 0;
        f.limits.low[1] = f.limits.high[1] = -1;
        QCOMPARE(CorrectTypedFrequency("145.0123", f.limits), 14501000u);
        f.limits = BandLimits();
        f.limits.low[0] = 0; // band 0 unusable: band 1 gives the replacement
        QCOMPARE(CorrectTypedFrequency("300", f.limits), 40000000u);
    }

    void toneCommits() {
        Fixture f;
        f.AddChannel(1, 14500000, 14500000);
        RenderGrid(f.grid, f.image, f.limits);
        const std::tuple<int, const char*, const char*> commits[] = {
            {3, "d23", "D023N"}, {3, "67", "D067N"}, {4, "67.0", "67.0"}, {4, "", ""}};
        for (const auto& [col, typed, shown] : commits) {
            CommitTone(f.grid, {1, col}, typed);
            QCOMPARE(f.grid.Text(1, col), std::string(shown));
        }
        // The editor's list: "无" first, then every tone; each stays as shown.
        const std::vector<std::string>& list = SignallingList();
        QCOMPARE(list.front(), std::string("无"));
        QCOMPARE(list.size(), CombinedToneList().size() + 1);
        for (const std::string& entry : list) {
            CommitTone(f.grid, {1, 3}, entry);
            QCOMPARE(f.grid.Text(1, 3), entry);
        }
    }

    void frequencyEditorFilter_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("result"); // "-": the edit is refused
        QTest::addColumn<int>("cursor");
        // Where the cursor ends; the sweep below covers which edits pass.
        auto row = [](const char* name, const char* before, const char* after, const char* result,
                      int cursor) {
            QTest::newRow(name) << QString(before) << QString(after) << QString(result) << cursor;
        };
        row("typed in the middle", "1455", "14055", "14055", 3);
        row("paste over selection", "145.50000", "abc", "-", 0);
        row("paste with unit", "145.50000", "146.52 MHz", "146.52", 6);
        row("paste in the middle", "1455", "14x6y.55", "146.55", 4);
        row("deletion", "145.5", "14", "14", 2);
    }
    void frequencyEditorFilter() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, result);
        QFETCH(int, cursor);
        const auto edit = FilterFrequencyEdit(before.toStdString(), after.toStdString());
        if (result == "-") {
            QVERIFY(!edit);
            return;
        }
        QVERIFY(edit);
        QCOMPARE(QString::fromStdString(edit->text), result);
        QCOMPARE(int(edit->cursor), cursor);
    }

    void frequencyEditorFilterSweep() {
        // Random edits, each a stretch of an accepted text replaced by random
        // characters: what gets through is the edited text without its
        // rejected characters, the cursor ends before text that was there,
        // an insertion of rejected characters alone is refused and one of
        // accepted characters alone passes as it is.
        std::mt19937 rng(7);
        const std::string accepted = "0123456789.";
        const std::string any = "0123456789.-+e ,aZ\x7f\xe4";
        auto pick = [&rng](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
        };
        auto random = [&](const std::string& alphabet, std::size_t maxLen) {
            std::string out(pick(maxLen + 1), ' ');
            for (char& c : out)
                c = alphabet[pick(alphabet.size())];
            return out;
        };
        auto drop = [](std::string text) {
            text.erase(std::remove_if(text.begin(), text.end(),
                                      [](char c) { return !FrequencyEditorAccepts(c); }),
                       text.end());
            return text;
        };
        for (int i = 0; i < 20000; ++i) {
            const std::string before = random(accepted, 10);
            const std::size_t from = pick(before.size() + 1);
            const std::size_t to = from + pick(before.size() - from + 1);
            const std::string inserted = random(i % 3 == 0   ? "-a ,"
                                                : i % 3 == 1 ? accepted
                                                             : any,
                                                6);
            const std::string after = before.substr(0, from) + inserted + before.substr(to);
            const auto edit = FilterFrequencyEdit(before, after);
            if (drop(inserted) == inserted) {
                QVERIFY(edit);
                QCOMPARE(edit->text, after);
            } else if (drop(inserted).empty()) {
                QVERIFY(!edit);
            }
            if (!edit)
                continue;
            QCOMPARE(edit->text, drop(after));
            QVERIFY(edit->cursor <= edit->text.size());
            const std::string rest = edit->text.substr(edit->cursor);
            QVERIFY(rest.size() <= before.size());
            QCOMPARE(before.substr(before.size() - rest.size()), rest);
        }
    }

    void gridToImageCommitsTheOpenEditorFirst() {
        Fixture f;
        RenderGrid(f.grid, f.image, f.limits);
        StartCellEdit(f.grid, {3, 1});
        f.grid.editor.text = "145.5";
        GridToImage(f.grid, f.image, f.limits);
        QVERIFY(!f.grid.EditorOpen());
        QCOMPARE(f.rec(3).Rx(), 14550000u);
        QCOMPARE(f.grid.Text(3, 5), std::string("高"));
        QCOMPARE(f.image[0x2E20], std::uint8_t(3));
    }

    void keyboardNavigation() {
        const std::tuple<int, GridCell, GridCell> moves[] = { // direction: 1 right, -1 left
            {1, {10, 8}, {11, 1}},  {1, {10, 3}, {10, 4}}, {1, {258, 8}, {258, 8}},
            {-1, {11, 1}, {10, 8}}, {-1, {1, 1}, {1, 1}},  {-1, {1, 4}, {1, 3}}};
        for (const auto& [direction, from, to] : moves)
            QCOMPARE(direction > 0 ? MoveRight(from) : MoveLeft(from), to);
        QCOMPARE(CellAfterEditorEnter(EditorKind::Frequency, {4, 1}, true), (GridCell{5, 1}));
        QCOMPARE(CellAfterEditorEnter(EditorKind::Frequency, {4, 1}, false), (GridCell{4, 2}));
        QCOMPARE(CellAfterEditorEnter(EditorKind::Choice, {4, 8}, false), (GridCell{5, 1}));
        QCOMPARE(CellAfterEditorEnter(EditorKind::Frequency, {258, 1}, true), (GridCell{258, 1}));
        for (char c : std::string("7.a-,"))
            QCOMPARE(FrequencyEditorAccepts(c), c == '7' || c == '.');
    }
};

QTEST_APPLESS_MAIN(ChannelGridTest)
#include "test_channel_grid.moc"
