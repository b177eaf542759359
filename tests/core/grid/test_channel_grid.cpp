// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid: rendering, typing, converting, copy and paste, the
// printable table, and render -> convert over thousands of random images.
#include <QtTest>

#include <algorithm>
#include <random>
#include <vector>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/grid_clipboard.h"
#include "core/image/radio_image.h"
#include "core/interchange/channel_print.h"
#include "support/form_images.h"
#include "support/image_bytes.h"

using namespace kestra;

namespace {

using test::Bytes;
using test::Record;

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

// The built-in defaults: every channel empty.
struct Fixture {
    RadioImage image = BuiltInImage();
    BandLimits limits;
    ChannelGrid grid;
    ChannelRecord rec(int n) { return ChannelRecord(image, n); }
    PasteResult Paste(GridCell at, const std::string& tsv) {
        return PasteCells(grid, image, limits, at, tsv);
    }
    QString Tsv(int row) const {
        return QString::fromStdString(CopyCells(grid, GridRect{row, 1, row, kGridCols - 1}));
    }
};

QStringList Why(const PasteResult& result) {
    QStringList out;
    for (const PasteProblem& p : result.problems)
        out << QString::fromStdString(p.rowLabel + "/" + p.colLabel + ":" + p.text + ":" + p.why);
    for (int row : result.cleared)
        out << QString::fromStdString("cleared " + GridRowLabel(row));
    return out;
}

const std::string kBlock = "145.12500\t145.72500\t88.5\tD023N\t低\t是\t窄\t关\n"
                           "435.00000\t430.00000\t无\t无\t高\t否\t宽\t载波";

constexpr int kImages = 2500;
constexpr std::uint32_t kSeed = 20261206;

class ImageMaker {
public:
    explicit ImageMaker(std::uint32_t seed) : rng_(seed) {}

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Pick(256)); }

    // Random bytes everywhere, then channels that look like a radio's:
    // frequencies in and out of the bands, every kind of tone, random flags.
    RadioImage Make(bool validLimits) {
        RadioImage image = RandomImage(rng_);
        BandLimits limits;
        if (validLimits) {
            if (Chance(50)) {
                limits.low[0] = 13000000 + Pick(1000) * 1000;
                limits.high[0] = limits.low[0] + Pick(8000) * 1000;
                limits.low[1] = 35000000 + Pick(1000) * 1000;
                limits.high[1] = limits.low[1] + Pick(20000) * 1000;
            }
            StoreBandLimitsToImage(limits, image);
            if (Chance(20))
                image[0x2E13] = 0xFF; // band 0 not set in the image
            if (Chance(20))
                image[0x2E1B] = 0xFF;
            LoadBandLimitsFromImage(image, limits);
        }
        for (int n = 1; n <= kChannelCount; ++n) {
            ChannelRecord rec(image, n);
            const int kind = Pick(10);
            if (kind < 2)
                continue; // random bytes
            if (kind < 4) {
                rec.Clear();
                continue;
            }
            rec.SetRx(Frequency(limits));
            switch (Pick(5)) {
            case 0:
                rec.SetTxNone();
                break;
            case 1:
                rec.SetTx(rec.Rx());
                break;
            default:
                rec.SetTx(Frequency(limits));
                break;
            }
            rec.SetRxTone(Tone());
            rec.SetTxTone(Tone());
            if (Chance(30))
                rec.SetShiftAmount(static_cast<std::uint32_t>(Pick(2000000)));
        }
        return image;
    }

private:
    std::uint32_t Frequency(const BandLimits& limits) {
        const int band = Pick(3);
        if (band < 2 && limits.high[band] >= limits.low[band]) {
            const std::int64_t span = std::int64_t(limits.high[band]) - limits.low[band];
            return static_cast<std::uint32_t>(
                limits.low[band] + (span ? Pick(static_cast<int>(span / 250) + 1) * 250 : 0));
        }
        return static_cast<std::uint32_t>(Pick(99999999));
    }

    ToneCode Tone() {
        switch (Pick(4)) {
        case 0:
            return kNoTone;
        case 1:
            return ToneTextToValue(CombinedToneList()[static_cast<std::size_t>(Pick(264))]);
        default:
            return ToneCode{Byte(), Byte()};
        }
    }

    std::mt19937 rng_;
};

// The bits of each byte a conversion may change, given the grid it rendered.
std::vector<std::uint8_t> OwnedBits(const ChannelGrid& grid) {
    std::vector<std::uint8_t> owned(kImageSize, 0);
    auto own = [&](int from, int to, std::uint8_t bits = 0xFF) {
        for (int i = from; i < to; ++i)
            owned[static_cast<std::size_t>(i)] |= bits;
    };
    for (int n = 1; n <= kChannelCount; ++n) {
        const int base = RecordOffset(n);
        if (grid.RowEmpty(n)) {
            own(base, base + kRecordSize); // cleared
        } else {
            own(base, base + 0x0C);              // frequencies and tones
            own(base + 0x0D, base + 0x0E, 0xF8); // PTT ID and VOX belong to the dialog
            own(base + 0x0F, base + 0x14);       // shift direction and amount
        }
    }
    own(0x204C, 0x204D, 0x60); // settings bits finalisation forces
    own(0x204D, 0x204E, 0xC0);
    own(0x204E, 0x204F, 0x30);
    own(0x1F70, 0x1F78); // fixed block
    own(0x204F, 0x2051); // band channel indexes
    own(0x2E00, 0x2E38); // identification, limits, first channels, FF runs
    own(0x2E40, 0x2E80); // bitmaps
    own(0x3F15, 0x3F1F); // fixed table
    own(0x3F4B, 0x3F6F); // slopes
    own(0x3F70, 0x3FAC); // band points
    return owned;
}

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT
private slots:
    void renderCellTexts() {
        Fixture f;
        AddChannel(f.image, 1, 14512500, 14512500);
        f.rec(1).SetRxTone({0x85, 0x08});
        f.rec(1).SetTxTone({0x23, 0x80});
        f.rec(1).SetByte(0x0D, 0x00); // low, no scan, narrow, busy off
        AddChannel(f.image, 2, 43500000, 0);
        f.rec(2).SetTxNone();
        f.rec(2).SetRxTone({0x17, 0x80});
        f.rec(2).SetTxTone({0x00, 0x00});
        f.rec(2).SetBusyLockout(3);
        AddChannel(f.image, 129, 43500000, 43000000); // B001 from 0x1000
        f.rec(129).SetBusyLockout(2);
        f.rec(129).SetRxTone({0x05, 0x81});
        f.rec(129).SetTxTone({0x54, 0xC7});
        AddChannel(f.image, 3, 50000000, 50000000); // outside both bands
        f.rec(4).SetByte(3, 0x00);           // top byte 0x00: empty
        RenderGrid(f.grid, f.image, f.limits);
        QCOMPARE(Row(f.grid, 1),
                 QStringList({"145.12500", "145.12500", "88.5", "D023N", "低", "否", "窄", "关"}));
        QCOMPARE(Row(f.grid, 2),
                 QStringList({"435.00000", "", "D017N", "0.0", "高", "是", "宽", ""}));
        QCOMPARE(Row(f.grid, 129), QStringList({"435.00000", "430.00000", "D105N", "D754I", "高",
                                                "是", "宽", "QT/DQT"}));
        for (int n : {3, 4, 258})
            QCOMPARE(Row(f.grid, n), QStringList(8, ""));
        // Converting the grid keeps the hidden channel (an empty row the user
        // emptied, as row 4, is cleared).
        const RadioImage before = f.image;
        GridToImage(f.grid, f.image, f.limits);
        QCOMPARE(Record(f.image, 3), Record(before, 3));
        QVERIFY(Record(f.image, 4) != Record(before, 4));
    }

    // The TX cell is empty exactly when the transmit frequency's most
    // significant byte (record byte 0x07) is FF or 00; zeros in its lower
    // bytes are ordinary digits.
    void renderTxCell() {
        const char* const rows[][2] = {{"00005014", "145.00000"}, {"00000010", "100.00000"},
                                       {"ff005014", "145.00165"}, {"99999900", ""},
                                       {"000050ff", ""},          {"ffffffff", ""}};
        for (const auto& [txBytes, shown] : rows) {
            Fixture f;
            AddChannel(f.image, 7, 14500000, 0);
            const QByteArray tx = QByteArray::fromHex(txBytes);
            for (int i = 0; i < 4; ++i)
                f.rec(7).SetByte(ChannelRecord::kTx + i, std::uint8_t(tx[i]));
            RenderGrid(f.grid, f.image, f.limits);
            QCOMPARE(txBytes + (" " + f.grid.Text(7, kColTx)),
                     txBytes + (" " + std::string(shown)));
            QCOMPARE(f.grid.Text(7, kColRx), std::string("145.00000")); // the row is shown
        }
    }

    // The remembered shift matters only for a TX outside both bands: FF FF FF
    // FF (above 9999500) makes the channel simplex, a usable one is kept.
    void gridToImageShiftRules() {
        // RX, TX, the remembered shift amount; the TX, direction and amount stored.
        const char* const rows[][4] = {
            {"145.00000", "145.60000", "00000001", "000056140200000600"},  // above
            {"435.00000", "430.00000", "00000001", "000000430100005000"},  // below
            {"145.00000", "145.00000", "00000001", "000050140000000001"},  // simplex
            {"145.00000", "", "00000001", "ffffffff0000000001"},           // no TX
            {"145.00000", "435.00000", "00000001", "000050430000000001"},  // other band
            {"145.00000", "500.00000", "ffffffff", "000050140000000001"},  // unusable shift
            {"145.00000", "500.00000", "00000600", "000000500200000600"}}; // remembered
        for (const auto& [rx, tx, remembered, stored] : rows) {
            Fixture f;
            AddChannel(f.image, 7, 14500000, 14500000);
            const int base = RecordOffset(7);
            for (int i = 0; i < 4; ++i)
                f.image[base + 0x10 + i] = std::uint8_t(QByteArray::fromHex(remembered)[i]);
            SetRow(f.grid, 7, {rx, tx, "无", "无", "高", "是", "宽", "关"});
            GridToImage(f.grid, f.image, f.limits);
            const QByteArray out = Bytes(f.image, base + 4, 4) + Bytes(f.image, base + 0x0F, 5);
            const QByteArray name = QByteArray(tx) + "/" + remembered + ": ";
            QCOMPARE(name + out.toHex(), name + stored);
        }
    }

    void gridToImageFlagsAndTones() {
        Fixture f;
        AddChannel(f.image, 12, 14500000, 14500000);
        ChannelRecord rec = f.rec(12);
        // "busy power scan wide rxTone txTone"
        auto flags = [&rec] {
            return QString("%1 %2 %3 %4 %5 %6")
                .arg(rec.BusyLockout())
                .arg(rec.HighPower())
                .arg(rec.Scan())
                .arg(rec.Wide())
                .arg(QString::fromStdString(ToneValueToText(rec.RxTone())))
                .arg(QString::fromStdString(ToneValueToText(rec.TxTone())));
        };
        // Cells from the RX tone on, each row over power, scan and bandwidth on
        // and busy 2 (which has no grid text: the grid's "关" stores 0). An empty
        // tone cell is no tone; unknown texts leave scan and bandwidth as they
        // were and make power and busy 0.
        const std::pair<QStringList, const char*> rows[] = {
            {{"D023N", "", "低", "否", "窄", "关"}, "0 0 0 0 D023N 无"},
            {{"无", "无", "x", "x", "x", "x"}, "0 0 1 1 无 无"},
            {{"无", "无", "高", "是", "宽", "载波"}, "1 1 1 1 无 无"},
            {{"88.50", "无", "高", "是", "宽", "QT/DQT"}, "2 1 1 1 88.5 无"}};
        for (const auto& [cells, expected] : rows) {
            rec.SetHighPower(true);
            rec.SetScan(true);
            rec.SetWide(true);
            rec.SetBusyLockout(2);
            SetRow(f.grid, 12, QStringList({"145.00000", "145.00000"}) + cells);
            GridToImage(f.grid, f.image, f.limits);
            QCOMPARE(flags(), QString(expected));
        }
    }

    void startCellEdit() {
        Fixture f;
        AddChannel(f.image, 5, 14500000, 14500000);
        f.rec(5).SetBusyLockout(2);
        RenderGrid(f.grid, f.image, f.limits);
        // "kind col/current col text choices index" of the editor each click opens; an
        // empty row edits its RX frequency, whatever column was clicked.
        auto open = [&f](GridCell cell) {
            const EditorSpec e = StartCellEdit(f.grid, cell);
            return QString("%1 %2/%3 %4 %5 %6")
                .arg(int(e.kind))
                .arg(e.cell.col)
                .arg(f.grid.current.col)
                .arg(QString::fromStdString(e.text))
                .arg(e.choices.size())
                .arg(e.choiceIndex);
        };
        const QStringList opened = {open({6, 6}), open({5, 4}), open({5, 8}), open({5, 5})};
        QCOMPARE(opened, QStringList({"1 1/1  0 -1", "2 4/4 无 0 -1", "3 8/8 QT/DQT 3 2",
                                      "3 5/5 高 2 1"})); // kind 1 frequency, 2 tone, 3 choice
        QVERIFY(f.grid.EditorOpen());
        QVERIFY(StartCellEdit(f.grid, {5, 0}).kind == EditorKind::None);
    }

    void typedFrequencyCorrections() {
        struct Case {
            const char* bands; // "none": no usable band; "B": band A unusable
            const char* typed;
            std::uint32_t stored;
        };
        const Case cases[] = {{"", "145.0123", 14501000}, // 5 kHz raster
                              {"", "435.0071", 43500625}, // 6.25 kHz raster
                              {"", "145.0025", 14500250}, // 2.5 kHz kept
                              {"", "500", 13600000},      // above the bands
                              {"", "100", 13600000},      // below the bands
                              {"", "174", 17400000},      // band edge
                              {"", "x", 0},
                              // Digits beyond the fifth decimal are cut off before the
                              // raster: rounding them would land on the raster point above.
                              {"", "435.0062499", 43500500},
                              {"none", "145.0123", 14501000}, // kept
                              {"B", "300", 40000000}};        // band B's
        for (const Case& c : cases) {
            BandLimits limits;
            if (c.bands == std::string("none")) {
                limits.low[0] = limits.high[0] = 0;
                limits.low[1] = limits.high[1] = -1;
            } else if (c.bands == std::string("B")) {
                limits.low[0] = 0;
            }
            const std::string name = std::string(c.bands) + " " + c.typed + ": ";
            QCOMPARE(name + std::to_string(CorrectTypedFrequency(c.typed, limits)),
                     name + std::to_string(c.stored));
        }
    }

    // A deleted channel (its RX cell cleared) and a new one (VOX, name and
    // the dialog's other fields start from their defaults): the record reads
    // as cleared. An empty row takes no TX, tone or choice.
    void deletedAndNewRows() {
        Fixture f;
        AddChannel(f.image, 1, 14500000, 14500000);
        AddChannel(f.image, 10, 14500000, 14500000);
        f.rec(10).SetByte(0x18, 'A');
        ChannelRecord rec = f.rec(5);
        rec.SetByte(0x18, 'Z');
        rec.SetVox(true);
        rec.SetByte(0x0C, 0x55);
        RenderGrid(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {1, 1}, "0");
        QCOMPARE(Row(f.grid, 1), QStringList(8, ""));
        f.grid.ClearRow(10);
        GridToImage(f.grid, f.image, f.limits);
        CommitFrequency(f.grid, f.image, f.limits, {5, 1}, "146.52");
        QCOMPARE(Row(f.grid, 5),
                 QStringList({"146.52000", "146.52000", "无", "无", "高", "是", "宽", "关"}));
        RadioImage cleared;
        for (int n : {1, 5, 10}) {
            ClearRecord(cleared, n);
            QCOMPARE(Record(f.image, n), Record(cleared, n));
        }
        CommitFrequency(f.grid, f.image, f.limits, {2, 2}, "145");
        CommitTone(f.grid, {2, 3}, "88.5");
        CommitChoice(f.grid, {2, 5}, "高");
        QCOMPARE(Row(f.grid, 2), QStringList(8, ""));
    }

    // Only "A VFO" and "B VFO" pull the other frequency into the band of a
    // typed one; B128, the last memory channel just before them, does not.
    void sameBandRuleStopsAtTheVfoRows() {
        struct Case {
            int row;
            int typedCol;
            const char* typed;
            const char* rxTx;
        };
        const Case cases[] = {
            {256, 1, "435", "435.00000 145.00000"}, {256, 2, "435", "145.00000 435.00000"},
            {257, 1, "435", "435.00000 435.00000"}, {257, 2, "435", "435.00000 435.00000"},
            {257, 1, "146", "146.00000 145.00000"}, {258, 1, "435", "435.00000 435.00000"},
            {258, 2, "435", "435.00000 435.00000"}, {258, 2, "146", "145.00000 146.00000"},
            {258, 2, "", "145.00000 145.00000"},    {1, 1, "435", "435.00000 145.00000"}};
        for (const Case& c : cases) {
            Fixture f;
            AddChannel(f.image, c.row, 14500000, 14500000);
            RenderGrid(f.grid, f.image, f.limits);
            CommitFrequency(f.grid, f.image, f.limits, {c.row, c.typedCol}, c.typed);
            const std::string name = Format("%d/%d %s: ", c.row, c.typedCol, c.typed);
            QCOMPARE(name + f.grid.Text(c.row, kColRx) + " " + f.grid.Text(c.row, kColTx),
                     name + c.rxTx);
        }
    }

    // The text and where the cursor ends ("-": the edit is refused); the
    // sweep below covers which edits pass.
    void frequencyEditorFilter() {
        const char* const edits[][3] = {{"1455", "14055", "14055|3"}, // typed in the middle
                                        {"145.50000", "abc", "-"},    // pasted over the selection
                                        {"145.50000", "146.52 MHz", "146.52|6"},
                                        {"1455", "14x6y.55", "146.55|4"},
                                        {"", "145,5", "145.5|5"}, // the decimal comma
                                        {"145", "145,", "145.|4"},
                                        {"145.5", "14", "14|2"}}; // deleted
        for (const auto& [before, after, result] : edits) {
            const auto edit = FilterFrequencyEdit(before, after);
            QCOMPARE(edit ? edit->text + "|" + std::to_string(edit->cursor) : std::string("-"),
                     std::string(result));
        }
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
            std::replace(text.begin(), text.end(), ',', '.');
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

    void copyPasteRoundTrip() {
        Fixture f;
        QVERIFY(f.Paste(GridCell{10, 1}, kBlock).problems.empty());
        const std::string copied = CopyCells(f.grid, GridRect{10, 1, 11, 8});
        QCOMPARE(QString::fromStdString(copied), QString::fromStdString(kBlock));
        // Into another place (a VFO row included), then back out unchanged.
        Fixture g;
        const PasteResult r = g.Paste(GridCell{256, 1}, copied);
        QVERIFY(r.problems.empty());
        QCOMPARE(r.firstRow, 256);
        QCOMPARE(r.lastRow, 257);
        QCOMPARE(QString::fromStdString(CopyCells(g.grid, GridRect{256, 1, 257, 8})),
                 QString::fromStdString(copied));
        // The pasted rows reach the image like typed ones.
        GridToImage(g.grid, g.image, g.limits);
        QCOMPARE(ChannelRecord(g.image, 256).Rx(), 14512500u);
        // A partial block: tones only, pasted onto an existing row.
        QVERIFY(g.Paste(GridCell{256, 3}, "67.0\td754i\r\n").problems.empty());
        QCOMPARE(g.Tsv(256), QString("145.12500\t145.72500\t67.0\tD754I\t低\t是\t窄\t关"));
    }

    // Pasted cells go through the typing rules; those that do not fit are
    // reported and leave their cell as it was. A005 holds 145.0 before the
    // paste; "a005" is that row after it, "=" when unchanged.
    void pastedCells_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QString>("a005");
        auto row = [](const char* name, int row, int col, const char* tsv,
                      const QStringList& report, const char* a005) {
            QTest::newRow(name) << row << col << QString(tsv) << report << QString(a005);
        };
        row("off raster snapped", 5, 1, "145.1230", {},
            "145.12000\t145.00000\t无\t无\t高\t是\t宽\t关");
        row("RX of a used row", 5, 1, " 438.5 ", {},
            "438.50000\t145.00000\t无\t无\t高\t是\t宽\t关");
        row("invisible blanks", 5, 1, "\uFEFF146.5\t146.5\u00A0\u200E\r\u3000\t 88.5\u200B", {},
            "146.50000\t146.50000\t88.5\t无\t高\t是\t宽\t关");
        row("tone normalised", 5, 3, "d23", {}, "145.00000\t145.00000\tD023N\t无\t高\t是\t宽\t关");
        row("decimal commas", 5, 1, "438,5\t438,525\t88,5", {},
            "438.50000\t438.52500\t88.5\t无\t高\t是\t宽\t关");
        row("empty RX clears", 5, 1, "\t", {"cleared A 005"}, "\t\t\t\t\t\t\t");
        row("empty last lines", 4, 1, "147.5\r\n\r\n\n", {}, "=");
        row("not a frequency", 5, 1, "abc\t145.5", {"A 005/接收频率:abc:不是频率"},
            "145.00000\t145.50000\t无\t无\t高\t是\t宽\t关");
        row("long, unseen characters", 5, 1, "\x01\u200B0123456789012345678901234567890123456789",
            {"A 005/接收频率:\\x01\\u200B01234567890123456789012345678901234567…:不是频率"}, "=");
        row("quoted cell", 4, 1, "145.6\t\"145.6\n\"\t无\n146.6\t146.6\t无", {},
            "146.60000\t146.60000\t无\t无\t高\t是\t宽\t关");
        row("TX not emptied", 5, 1, "146.0\t", {"A 005/发射频率::发射频率不能清空"},
            "146.00000\t145.00000\t无\t无\t高\t是\t宽\t关");
        row("outside both bands", 5, 1, "145.0\t600", {"A 005/发射频率:600:不在频段内"}, "=");
        row("bad tone and choice", 5, 3, "X9\t无\t超高\t是\t宽\t关\t关\t",
            {"A 005/接收信令:X9:未知信令", "A 005/功率:超高:不是可选项", "A 005/9:关:超出表格"},
            "=");
        row("empty channel", 6, 3, "88.5", {"A 006/接收信令:88.5:信道为空"}, "=");
        row("TX of an empty channel", 6, 2, "146.52\t88.5",
            {"A 006/发射频率:146.52:信道为空", "A 006/接收信令:88.5:信道为空"}, "=");
        row("beyond the last row", 258, 1, "145.0\n146.0\n\n", {"259/接收频率:146.0:超出表格"},
            "=");
    }
    void pastedCells() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, tsv);
        QFETCH(QStringList, report);
        QFETCH(QString, a005);
        Fixture f;
        QVERIFY(f.Paste(GridCell{5, 1}, "145.0").problems.empty());
        const QString before = f.Tsv(5);
        QCOMPARE(Why(f.Paste(GridCell{row, col}, tsv.toStdString())), report);
        QCOMPARE(f.Tsv(5), a005 == "=" ? before : a005);
    }

    void spreadsheetLineEnds() {
        using Cells = std::vector<std::vector<std::string>>;
        QCOMPARE(SplitTsv("a\tb\r\nc\td\r\n"), (Cells{{"a", "b"}, {"c", "d"}}));
        QCOMPARE(SplitTsv("a\n\nb\n"), (Cells{{"a"}, {""}, {"b"}}));
        QCOMPARE(SplitTsv("\t"), (Cells{{"", ""}}));
        QVERIFY(SplitTsv("").empty());
        QCOMPARE(SplitTsv("\"a\tb\"\t\"c\"\"d\n\"\r\ne\"f\"\t\"g"),
                 (Cells{{"a\tb", "c\"d\n"}, {"e\"f\"", "\"g"}}));

        // A clipboard of a million cells beyond the grid: the report keeps
        // the first cells and counts the others.
        Fixture f;
        std::string tsv;
        for (int r = 0; r < 100000; ++r)
            tsv += "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\n";
        const PasteResult result = f.Paste(GridCell{250, 1}, tsv);
        QCOMPARE(result.problems.size(), std::size_t(kListedPasteProblems));
        QCOMPARE(static_cast<int>(result.problems.size()) + result.unlisted, 1000000);
    }

    // A single cell pasted onto a block fills it; more cells paste as they are.
    void pasteOntoBlock() {
        const std::tuple<std::string, GridRect, std::string> cases[] = {
            {"88.5\r\n", {5, 3, 6, 4}, "88.5\t88.5\n88.5\t88.5"},
            {"a\tb\n", {5, 3, 6, 4}, "a\tb\n"},
            {"a", {5, 3, 5, 3}, "a"},
            {"\"a\tb\"\"\"", {5, 3, 5, 4}, "\"a\tb\"\"\"\t\"a\tb\"\"\""}};
        for (const auto& [tsv, block, pasted] : cases)
            QCOMPARE(TsvForBlock(tsv, block), pasted);
    }

    void printedRowsAreTheGridsWithTheName() {
        // Over channels with every kind of tone and flag, the printed rows are
        // the grid's rows with the name put in, and no row the grid shows is
        // missing: not an empty one, not one outside both bands (A006).
        Fixture f;
        f.image = CleanRandomImage(5);
        for (int n = 1; n <= kChannelCount; ++n) {
            ChannelRecord rec = f.rec(n);
            WriteChannelName(rec, "CH" + std::to_string(n));
        }
        AddChannel(f.image, 6, 30000000, 30000000);
        RenderGrid(f.grid, f.image, f.limits);
        const ChannelPrintTable table = BuildChannelPrintTable(f.image, f.limits);
        std::vector<std::vector<std::string>> expected;
        for (int n = 1; n <= kChannelCount; ++n) {
            if (f.grid.RowEmpty(n))
                continue;
            expected.push_back({f.grid.Text(n, kColLabel), "CH" + std::to_string(n)});
            for (int c = kColRx; c < kGridCols; ++c)
                expected.back().push_back(f.grid.Text(n, c));
        }
        QCOMPARE(table.rows, expected);
        QCOMPARE(table.rows.size(), std::size_t(196));
    }

    // Over random images (seeded, reproducible), the conversion never writes a
    // byte that neither the grid, the derived tables nor the finalisation own,
    // and a second round trip changes nothing more (B124's record holds the
    // fixed block, and band limits may hold bytes that are no digits).
    void randomImagesRoundTrip() {
        ImageMaker maker(kSeed);
        for (int i = 0; i < kImages; ++i) {
            const RadioImage original = maker.Make(maker.Chance(70));
            RadioImage image = original;
            BandLimits limits;
            ChannelGrid grid;
            RenderGrid(grid, image, limits);
            GridToImage(grid, image, limits);
            const std::vector<std::uint8_t> owned = OwnedBits(grid);
            for (std::size_t off = 0; off < kImageSize; ++off) {
                if (((image[off] ^ original[off]) & ~owned[off]) == 0)
                    continue;
                QFAIL(qPrintable(QString("image %1: byte 0x%2 changed from %3 to %4")
                                     .arg(i)
                                     .arg(off, 4, 16, QChar('0'))
                                     .arg(original[off], 2, 16, QChar('0'))
                                     .arg(image[off], 2, 16, QChar('0'))));
            }
            const RadioImage once = image;
            ChannelGrid again;
            RenderGrid(again, image, limits);
            GridToImage(again, image, limits);
            const std::string changed = FirstDifference(once, image);
            QVERIFY2(changed.empty(),
                     Format("image %d, second round trip: %s", i, changed.c_str()).c_str());
        }
    }
};

QTEST_APPLESS_MAIN(ChannelGridTest)
#include "test_channel_grid.moc"
