// SPDX-License-Identifier: GPL-3.0-or-later
// The printable channel table: the grid's texts row for row, plus the name,
// for the rows the grid shows only.
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

    void everyRowMatchesTheRenderedGrid() {
        // Over a full image of every tone and flag, the printed rows are the
        // grid's rows with the name put in, and no row the grid shows is
        // missing: not an empty one, not one outside both bands (A006).
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
        Channel(image, 6, 30000000);
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
