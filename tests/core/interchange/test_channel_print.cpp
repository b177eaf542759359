// SPDX-License-Identifier: GPL-3.0-or-later
// The printable channel table: the grid's texts row for row, plus the name,
// for non-empty records only.
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/channel_grid.h"
#include "core/interchange/channel_print.h"

using namespace kestra;

namespace {

using Row = std::vector<std::string>;

RadioImage EmptyImage() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    for (int n = 1; n <= kChannelCount; ++n)
        ClearRecord(image, n);
    return image;
}

ChannelRecord Channel(RadioImage& image, int n, std::uint32_t rx) {
    ChannelRecord rec(image, n);
    rec.SetRx(rx);
    rec.SetTx(rx);
    return rec;
}

} // namespace

class ChannelPrintTest : public QObject {
    Q_OBJECT
private slots:
    void headerNamesEveryColumn() {
        const ChannelPrintTable table = BuildChannelPrintTable(EmptyImage(), BandLimits());
        QCOMPARE(table.header, Row({"信道", "信道名字", "接收频率", "发射频率", "接收信令",
                                    "发射信令", "功率", "扫描", "带宽", "繁忙"}));
        QVERIFY(table.rows.empty());
    }

    void rowsShowWhatTheGridShows() {
        RadioImage image = EmptyImage();
        BandLimits limits;
        {
            ChannelRecord a1 = Channel(image, 1, 14652000);
            a1.SetTxTone(ToneTextToValue("88.5"));
            a1.SetRxTone(ToneTextToValue("88.5"));
            WriteChannelName(a1, "HOME");
        }
        {
            // Receive only: TX FF FF FF FF.
            ChannelRecord a2 = Channel(image, 2, 14550000);
            a2.SetTxNone();
        }
        {
            // TX top byte 00: the grid shows no TX either.
            ChannelRecord a3 = Channel(image, 3, 14500000);
            a3.SetByte(ChannelRecord::kTx + 3, 0x00);
        }
        // Record 4 stays empty; record 5's RX lies outside both bands.
        Channel(image, 5, 30000000);
        {
            ChannelRecord b1 = Channel(image, 129, 43912500);
            b1.SetTx(44412500);
            b1.SetTxTone(ToneTextToValue("D023N"));
            b1.SetRxTone(ToneTextToValue("D754I"));
            b1.SetHighPower(false);
            b1.SetScan(false);
            b1.SetWide(false);
            b1.SetBusyLockout(2);
            WriteChannelName(b1, "REPEAT1");
            // A non-printable byte ends the name, as the form reads it.
            b1.SetByte(ChannelRecord::kName + 3, 0x01);
        }
        {
            // Busy lockout 3 has no text.
            ChannelRecord vfo = Channel(image, kChannelCount, 43000000);
            vfo.SetBusyLockout(3);
        }

        const ChannelPrintTable table = BuildChannelPrintTable(image, limits);
        QCOMPARE(table.rows.size(), std::size_t(5));
        QCOMPARE(table.rows[0], Row({"A 001", "HOME", "146.52000", "146.52000", "88.5", "88.5",
                                     "高", "是", "宽", "关"}));
        QCOMPARE(table.rows[1],
                 Row({"A 002", "", "145.50000", "", "无", "无", "高", "是", "宽", "关"}));
        QCOMPARE(table.rows[2],
                 Row({"A 003", "", "145.00000", "", "无", "无", "高", "是", "宽", "关"}));
        QCOMPARE(table.rows[3], Row({"B 001", "REP", "439.12500", "444.12500", "D754I", "D023N",
                                     "低", "否", "窄", "QT/DQT"}));
        QCOMPARE(table.rows[4],
                 Row({"B VFO", "", "430.00000", "430.00000", "无", "无", "高", "是", "宽", ""}));
    }

    void everyRowMatchesTheRenderedGrid() {
        // Over a full image of every tone and flag, the printed rows are the
        // grid's rows with the name put in, and no non-empty row is missing.
        RadioImage image = EmptyImage();
        const auto& tones = SignallingList();
        for (int n = 1; n <= kChannelCount; n += (n % 5 == 0 ? 2 : 1)) {
            ChannelRecord rec = Channel(image, n, (n <= 128 ? 14400000u : 43000000u) + 1250u * n);
            rec.SetTxTone(ToneTextToValue(tones[static_cast<std::size_t>(n) % tones.size()]));
            rec.SetRxTone(ToneTextToValue(tones[static_cast<std::size_t>(n * 7) % tones.size()]));
            rec.SetWide(n % 2 == 0);
            rec.SetBusyLockout(n % 3);
            WriteChannelName(rec, "CH" + std::to_string(n));
        }
        BandLimits limits;
        ChannelGrid grid;
        RenderGrid(grid, image, limits);
        const ChannelPrintTable table = BuildChannelPrintTable(image, limits);
        std::size_t next = 0;
        for (int n = 1; n <= kChannelCount; ++n) {
            if (grid.RowEmpty(n))
                continue;
            QVERIFY(next < table.rows.size());
            const Row& row = table.rows[next++];
            QCOMPARE(row.size(), std::size_t(kPrintColumns));
            QCOMPARE(row[0], grid.Text(n, kColLabel));
            QCOMPARE(row[1], "CH" + std::to_string(n));
            for (int c = kColRx; c < kGridCols; ++c)
                QCOMPARE(row[static_cast<std::size_t>(c + 1)], grid.Text(n, c));
        }
        QCOMPARE(next, table.rows.size());
        QCOMPARE(table.rows.size(), std::size_t(207));
    }
};

QTEST_APPLESS_MAIN(ChannelPrintTest)
#include "test_channel_print.moc"
