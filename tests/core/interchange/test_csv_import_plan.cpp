// SPDX-License-Identifier: GPL-3.0-or-later
// The import plan: every row of a CSV file with the channel it lands in and
// what it replaces there, or why it is skipped, as the import itself does it.
#include <QtTest>

#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/image/channel_numbers.h"
#include "core/interchange/csv_import_plan.h"

using namespace kestra;

namespace {

const std::string kCsv = "Location,Name,Frequency\r\n"
                         "1,HOME,146.52\r\n"
                         "2,BAD,abc\r\n"
                         "3,REP,439.125\r\n"
                         "2,TWO,145.6\r\n";

// The built-in defaults with A002 in use.
RadioImage ImageWithA002() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    CsvImportOptions at;
    at.keepLocation = true;
    ImportChannelCsv("Location,Frequency\r\n2,145.5\r\n", image, at);
    return image;
}

// The RX texts of channels 1..8.
std::vector<std::string> RxTexts(const RadioImage& image) {
    ChannelGrid grid;
    BandLimits limits;
    RenderGrid(grid, image, limits);
    std::vector<std::string> rx;
    for (int n = 1; n <= 8; ++n)
        rx.push_back(grid.Text(n, kColRx));
    return rx;
}

} // namespace

class CsvImportPlanTest : public QObject {
    Q_OBJECT
private slots:
    void everyRowWithItsChannel_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<bool>("overwrite");
        // Per row: channel (0 skipped) and what it replaces.
        QTest::addColumn<QStringList>("plan");
        QTest::newRow("free channels from A001")
            << 1 << false << false << QStringList{"1:", "0:", "3:", "4:"};
        QTest::newRow("overwriting from A002")
            << 2 << false << true << QStringList{"2:145.50000", "0:", "3:", "4:"};
        QTest::newRow("at their locations")
            << 1 << true << false << QStringList{"1:", "0:", "3:", "0:"};
        QTest::newRow("at their locations, overwriting")
            << 1 << true << true << QStringList{"1:", "0:", "3:", "2:145.50000"};
    }
    void everyRowWithItsChannel() {
        QFETCH(int, start);
        QFETCH(bool, keep);
        QFETCH(bool, overwrite);
        QFETCH(QStringList, plan);
        const RadioImage image = ImageWithA002();
        CsvImportOptions options;
        options.start = start;
        options.keepLocation = keep;
        options.overwrite = overwrite;
        const std::vector<CsvRowPlan> rows = PlanChannelCsvImport(kCsv, image, options);
        QStringList got;
        for (const CsvRowPlan& r : rows)
            got << QString::fromStdString(std::to_string(r.channel) + ":" + r.replaces);
        QCOMPARE(got, plan);
        QCOMPARE(rows[1].label, std::string("BAD"));
        QVERIFY(!rows[1].what.empty()); // why it is skipped
        // The plan is what the whole import does.
        RadioImage imported = image;
        ImportChannelCsv(kCsv, imported, options);
        std::vector<std::string> expected = RxTexts(image);
        for (const CsvRowPlan& r : rows)
            if (r.channel >= 1 && r.channel <= 8)
                expected[static_cast<std::size_t>(r.channel - 1)] = RxTexts(imported)[static_cast<std::size_t>(r.channel - 1)];
        QCOMPARE(RxTexts(imported), expected);
    }

    void unusableFileHasNoPlan() {
        RadioImage image;
        ApplyBuiltInDefaults(image);
        QVERIFY(PlanChannelCsvImport("just,some,words\r\n", image, {}).empty());
    }
};

QTEST_MAIN(CsvImportPlanTest)
#include "test_csv_import_plan.moc"
