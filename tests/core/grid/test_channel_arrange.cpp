// SPDX-License-Identifier: GPL-3.0-or-later
// Arranging whole channels inside a band: every operation at the band edges,
// with blocks and refusals, on named and empty channels, and across B124,
// whose bytes 0x10-0x17 are the fixed block.
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/channel_arrange.h"
#include "core/grid/channel_grid.h"
#include "core/image/finalize.h"
#include "core/image/settings_layout.h"
#include "support/image_bytes.h"

using namespace kestra;
using test::Record;

namespace {

constexpr std::uint32_t kNoTx = 0xFFFFFFFF;

void Put(RadioImage& image, int n, std::uint32_t rx, std::uint32_t tx, const char* name) {
    ChannelRecord rec(image, n);
    rec.Clear();
    rec.SetRx(rx);
    if (tx == kNoTx)
        rec.SetTxNone();
    else
        rec.SetTx(tx);
    if (tx != kNoTx && tx != rx) {
        rec.SetShiftDirection(rx > tx ? 1 : 2);
        rec.SetShiftAmount(rx > tx ? rx - tx : tx - rx);
    }
    WriteChannelName(rec, name);
}

// A001-A006: delta, "" (receive only), empty, Alpha, Charlie, bravo;
// band B: B001 b1, B124 b124 (7 MHz shift), B128 b128.
struct Fixture {
    RadioImage image;
    BandLimits limits;
    Fixture() {
        ApplyBuiltInDefaults(image);
        Put(image, 1, 14700000, 14760000, "delta");
        Put(image, 2, 14550000, kNoTx, "");
        Put(image, 4, 14600000, 14550000, "Alpha");
        Put(image, 5, 14550000, 14610000, "Charlie");
        Put(image, 6, 14400000, 14400000, "bravo");
        Put(image, 129, 43500000, 43500000, "b1");
        Put(image, 252, 43850000, 43150000, "b124");
        Put(image, 256, 43900000, 43900000, "b128");
        FinalizeImage(image, limits);
    }
    // Names of the watched channels: "." empty, "-" unnamed.
    QString Layout() const {
        QStringList out;
        for (const int n : {1, 2, 3, 4, 5, 6, 127, 128, 129, 130, 251, 252, 253, 256}) {
            const std::string name = ReadChannelName(image, n);
            out << (ChannelEmpty(image, limits, n) ? "." : name.empty() ? "-" : name.c_str());
        }
        return out.join(' ');
    }
};

const QString kStart = "delta - . Alpha Charlie bravo . . b1 . . b124 . b128";

int Label(const QString& text) {
    int first = 0, last = 0;
    return ParseChannelRange(text.toStdString(), first, last) ? first : -1;
}

// "move A001-A002:A005", "insert A003", "delete A002-A004", "sort A001-A006 rx".
ArrangeResult Run(Fixture& f, const QString& op) {
    const QString verb = op.section(' ', 0, 0);
    const QString arg = op.section(' ', 1);
    int first = 0, last = 0;
    const QString range = verb == "move"   ? arg.section(':', 0, 0)
                          : verb == "sort" ? arg.section(' ', 0, -2)
                                           : arg;
    if (!ParseChannelRange(range.toStdString(), first, last))
        return {"bad range"};
    if (verb == "move")
        return MoveChannels(f.image, f.limits, first, last, Label(arg.section(':', 1)));
    if (verb == "insert")
        return InsertChannel(f.image, f.limits, first);
    if (verb == "delete")
        return DeleteChannels(f.image, f.limits, first, last);
    const QString key = arg.section(' ', 1);
    return SortChannels(f.image, f.limits, first, last,
                        key == "rx"   ? SortKey::Rx
                        : key == "tx" ? SortKey::Tx
                                      : SortKey::Name);
}

} // namespace

class ChannelArrangeTest : public QObject {
    Q_OBJECT
private slots:
    void operations_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("layout"); // empty: refused, nothing changed
        QTest::addColumn<QString>("why");
        auto row = [](const char* op, const char* layout, const char* why = "") {
            QTest::newRow(op) << op << layout << why;
        };
        row("move A001:A003", "- . delta Alpha Charlie bravo . . b1 . . b124 . b128");
        row("move A004:A001", "Alpha delta - . Charlie bravo . . b1 . . b124 . b128");
        row("move A001-A002:A005", ". Alpha Charlie bravo delta - . . b1 . . b124 . b128");
        row("move A005-A006:A001", "Charlie bravo delta - . Alpha . . b1 . . b124 . b128");
        row("move A001:A128", "- . Alpha Charlie bravo . . delta b1 . . b124 . b128");
        row("move A006:A006", kStart.toUtf8());
        row("move B128:B001", "delta - . Alpha Charlie bravo . . b128 b1 . . b124 .");
        row("move A128:B001", "", "超出 A128 所在频段");
        row("move A127-A128:A128", "", "超出 A127 所在频段");
        row("move A001-B001:A003", "", "A001 和 B001 不在同一频段");
        row("move A VFO:A001", "", "A VFO 不是存储信道");
        row("insert A001", ". delta - . Alpha Charlie . . b1 . . b124 . b128");
        row("insert A128", kStart.toUtf8());
        row("insert B001", "", "B128 不是空信道，无法插入：频段末尾的信道不能被挤出");
        row("insert B VFO", "", "B VFO 不是存储信道");
        row("delete A001", "- . Alpha Charlie bravo . . . b1 . . b124 . b128");
        row("delete A002-A004", "delta Charlie bravo . . . . . b1 . . b124 . b128");
        row("delete B128", "delta - . Alpha Charlie bravo . . b1 . . b124 . .");
        row("delete B001-B128", "delta - . Alpha Charlie bravo . . . . . . . .");
        row("delete A128-A001", "", "A128 在 A001 之后");
        // Stable (the two 145.5 channels keep their order); receive-only and
        // unnamed channels after the others; empty channels last.
        row("sort A001-A006 rx", "bravo - Charlie Alpha delta . . . b1 . . b124 . b128");
        row("sort A001-A006 tx", "bravo Alpha Charlie delta - . . . b1 . . b124 . b128");
        row("sort A001-A128 name", "Alpha bravo Charlie delta - . . . b1 . . b124 . b128");
        row("sort B001-B128 rx", "delta - . Alpha Charlie bravo . . b1 b124 . . . .");
        row("sort A100-B010 rx", "", "A100 和 B010 不在同一频段");
    }
    void operations() {
        QFETCH(QString, op);
        QFETCH(QString, layout);
        QFETCH(QString, why);
        Fixture f;
        const RadioImage before = f.image;
        const ArrangeResult result = Run(f, op);
        QCOMPARE(QString::fromStdString(result.error), why);
        if (layout.isEmpty()) {
            QVERIFY(f.image == before);
            return;
        }
        QCOMPARE(f.Layout(), layout);
        // Finalised as a save leaves it, the fixed block included.
        RadioImage again = f.image;
        FinalizeImage(again, f.limits);
        QVERIFY(again == f.image);
    }

    void wholeRecordsMoveAndFreedOnesAreCleared() {
        Fixture f;
        ChannelRecord a4(f.image, 4);
        a4.SetVoiceProcessing(5);
        a4.SetPttId(3);
        a4.SetVox(true);
        a4.SetScan(false);
        a4.SetByte(0x0E, 0x5A);
        a4.SetByte(0x1F, 0xA5);
        const auto alpha = Record(f.image, 4);
        QVERIFY(MoveChannels(f.image, f.limits, 4, 4, 127).ok());
        QVERIFY(Record(f.image, 127) == alpha);
        QVERIFY(DeleteChannels(f.image, f.limits, 1, 2).ok());
        RadioImage cleared;
        ClearRecord(cleared, 1);
        for (const int n : {127, 128})
            QVERIFY(Record(f.image, n) == Record(cleared, 1));
        QVERIFY(Record(f.image, 125) == alpha);
    }

    // A channel the grid shows empty (here: RX outside both bands) sorts
    // last whatever its key, and keeps its bytes.
    void emptyChannelsSortLast() {
        Fixture f;
        Put(f.image, 3, 50000000, 50000000, "aaa");
        const auto odd = Record(f.image, 3);
        QVERIFY(SortChannels(f.image, f.limits, 1, 6, SortKey::Name).ok());
        QVERIFY(Record(f.image, 6) == odd);
        QCOMPARE(f.Layout().left(29), QString("Alpha bravo Charlie delta - ."));
        // A TX whose top byte is 00 is no TX (the grid shows none): it sorts last.
        f.image.SetByte(RecordOffset(1) + ChannelRecord::kTx + 3, 0x00); // Alpha
        QVERIFY(SortChannels(f.image, f.limits, 1, 6, SortKey::Tx).ok());
        QCOMPARE(f.Layout().left(29), QString("bravo Charlie delta Alpha - ."));
    }

    void channelIndexFollowsItsChannel() {
        Fixture f;
        f.image.Set(settings::kChannelIndexA, 3); // A004 Alpha
        f.image.Set(settings::kChannelIndexB, 0); // B001
        QVERIFY(SortChannels(f.image, f.limits, 1, 6, SortKey::Name).ok());
        QCOMPARE(f.image.Get(settings::kChannelIndexA), 0);
        QVERIFY(InsertChannel(f.image, f.limits, 1).ok());
        QCOMPARE(f.image.Get(settings::kChannelIndexA), 1);
        QVERIFY(MoveChannels(f.image, f.limits, 129, 129, 200).ok());
        QCOMPARE(f.image.Get(settings::kChannelIndexB), 71);
    }

    // B124's bytes 0x10-0x17 are the fixed block: a channel moving in leaves
    // them alone, a channel moving out takes its own shift and reserved bytes.
    void b124KeepsTheFixedBlock() {
        Fixture f;
        const std::array<std::uint8_t, 8> block = kFixedBlockBytes;
        auto blockIntact = [&] {
            return std::memcmp(f.image.data() + region::kFixedBlock, block.data(), 8) == 0;
        };
        QVERIFY(blockIntact());
        const RadioImage start = f.image;

        // Out: B124 (438.5 / 431.5) to B001; its shift is 7 MHz, not the block.
        QVERIFY(MoveChannels(f.image, f.limits, 252, 252, 129).ok());
        const ConstChannelRecord out(f.image, 129);
        QCOMPARE(out.Rx(), 43850000u);
        QCOMPARE(out.ShiftAmount(), 700000u);
        QCOMPARE(out.ShiftDirection(), 1);
        QCOMPARE(out.Byte(0x14) + out.Byte(0x15), 0); // a new channel's reserved bytes
        QCOMPARE(out.Byte(0x16) & out.Byte(0x17), 0xFF);
        QCOMPARE(QString::fromStdString(ReadChannelName(f.image, 129)), QString("b124"));
        QVERIFY(blockIntact());
        // And back: exactly the image there was.
        QVERIFY(MoveChannels(f.image, f.limits, 129, 129, 252).ok());
        QVERIFY(f.image == start);

        // In: a channel with a 600 kHz shift and its own reserved bytes.
        Put(f.image, 130, 43500000, 43560000, "Charlie");
        ChannelRecord(f.image, 130).SetByte(0x16, 0x12);
        FinalizeImage(f.image, f.limits);
        const auto charlie = Record(f.image, 130);
        QVERIFY(MoveChannels(f.image, f.limits, 130, 130, 252).ok());
        QVERIFY(blockIntact());
        const auto landed = Record(f.image, 252);
        for (int i = 0; i < 32; ++i)
            if (i < 0x10 || i >= 0x18)
                QCOMPARE(landed[i], charlie[i]);
        QCOMPARE(ConstChannelRecord(f.image, 252).Tx(), 43560000u);
        // The shifting neighbours of a block that covers B124 obey it too.
        QVERIFY(DeleteChannels(f.image, f.limits, 250, 250).ok());
        QVERIFY(blockIntact());
        QCOMPARE(QString::fromStdString(ReadChannelName(f.image, 251)), QString("Charlie"));
        QCOMPARE(ConstChannelRecord(f.image, 251).ShiftAmount(), 60000u);
        QCOMPARE(ConstChannelRecord(f.image, 251).Byte(0x16), 0xFF);

        // A TX in no band stays in B124 through the grid's conversion: the
        // block there is no shift of the channel's own (it became simplex).
        Put(f.image, 130, 40050000, 39950000, "oob");
        QVERIFY(MoveChannels(f.image, f.limits, 130, 130, 252).ok());
        PassThroughGrid(f.image, f.limits);
        QCOMPARE(ConstChannelRecord(f.image, 252).Tx(), 39950000u);
        QVERIFY(blockIntact());
    }

    // A channel outside both bands shows as an empty row but is kept: an
    // insert does not push it out of the band's last place.
    void insertKeepsAChannelOutsideBothBands() {
        Fixture f;
        Put(f.image, 128, 30000000, 30000000, "far");
        const RadioImage before = f.image;
        QCOMPARE(
            QString::fromStdString(InsertChannel(f.image, f.limits, 1).error),
            QString("A128 看似为空，却存有两个频段以外的信道，无法插入：频段末尾的信道不能被挤出"));
        QVERIFY(f.image == before);
    }

    void find() {
        const std::tuple<const char*, int, int> cases[] = {
            // query, searched after, found
            {"145.5", 0, 2},     // RX
            {"145,5", 2, 4},     // next: TX, a decimal comma
            {"145.50000", 4, 5}, // next: RX
            {" 145.5 ", 5, 2},   // wraps round
            {"438.5", 0, 252},   // band B
            {"\tCHAR", 0, 5},    // name, blanks and case ignored
            {"lph", 0, 4},       // name part
            {"b128", 256, 256},  // itself last
            {"146.7", 0, 0},     // no match
            {"  ", 0, 0}};
        Fixture f;
        for (const auto& [query, after, found] : cases) {
            const QString name = QString("%1 after %2: ").arg(query).arg(after);
            QCOMPARE(name + QString::number(FindChannel(f.image, f.limits, query, after)),
                     name + QString::number(found));
        }
    }

    void ranges() {
        // Texts that are no range (what reads as one is the operations' test).
        int first = 0, last = 0;
        for (const char* bad : {"A129", "A000", "A5x", "B", "145", "A001-", "a001"})
            QVERIFY2(!ParseChannelRange(bad, first, last), bad);
    }
};

QTEST_APPLESS_MAIN(ChannelArrangeTest)
#include "test_channel_arrange.moc"
