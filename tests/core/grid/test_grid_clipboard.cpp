// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and paste of grid blocks as TSV: what lands, how it is committed and
// what is reported.
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/grid/grid_clipboard.h"

using namespace kestra;

namespace {

struct Fixture {
    RadioImage image;
    BandLimits limits;
    ChannelGrid grid;
    Fixture() {
        ApplyBuiltInDefaults(image);
        RenderGrid(grid, image, limits);
    }
    PasteResult Paste(GridCell at, const std::string& tsv) {
        return PasteCells(grid, image, limits, at, tsv);
    }
    QString Row(int row) const {
        return QString::fromStdString(CopyCells(grid, GridRect{row, 1, row, kGridCols - 1}));
    }
};

QStringList Why(const PasteResult& result) {
    QStringList out;
    for (const PasteProblem& p : result.problems)
        out << QString::fromStdString(p.rowLabel + "/" + p.colLabel + ":" + p.text + ":" + p.why);
    return out;
}

const std::string kBlock = "145.12500\t145.72500\t88.5\tD023N\t低\t是\t窄\t关\n"
                           "435.00000\t430.00000\t无\t无\t高\t否\t宽\t载波";

} // namespace

class GridClipboardTest : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(g.Row(256), QString("145.12500\t145.72500\t67.0\tD754I\t低\t是\t窄\t关"));
    }

    void cellsGoThroughTheTypingRules_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("row");
        QTest::newRow("off raster snapped") << 1 << "145.1230"
                                            << "145.12000\t145.00000\t无\t无\t高\t是\t宽\t关";
        QTest::newRow("RX of a used row") << 1 << " 438.5 "
                                          << "438.50000\t145.00000\t无\t无\t高\t是\t宽\t关";
        QTest::newRow("tone normalised") << 3 << "d23"
                                         << "145.00000\t145.00000\tD023N\t无\t高\t是\t宽\t关";
        QTest::newRow("empty RX clears") << 1 << "\t"
                                         << "\t\t\t\t\t\t\t";
    }
    void cellsGoThroughTheTypingRules() {
        QFETCH(int, col);
        QFETCH(QString, pasted);
        QFETCH(QString, row);
        Fixture f;
        QVERIFY(f.Paste(GridCell{5, 1}, "145.0").problems.empty());
        QVERIFY(f.Paste(GridCell{5, col}, pasted.toStdString()).problems.empty());
        QCOMPARE(f.Row(5), row);
    }

    void cellsThatDoNotFitAreReported_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("not a frequency")
            << 5 << 1 << "abc\t145.5" << QStringList{"A 005/接收频率:abc:不是频率"};
        QTest::newRow("TX not emptied")
            << 5 << 1 << "146.0\t" << QStringList{"A 005/发射频率::发射频率不能清空"};
        QTest::newRow("outside both bands")
            << 5 << 1 << "145.0\t600" << QStringList{"A 005/发射频率:600:不在频段内"};
        QTest::newRow("bad tone and choice")
            << 5 << 3 << "X9\t无\t超高\t是\t宽\t关\t关\t"
            << QStringList{"A 005/接收信令:X9:未知信令", "A 005/功率:超高:不是可选项",
                           "A 005/9:关:超出表格"};
        QTest::newRow("empty channel")
            << 6 << 3 << "88.5" << QStringList{"A 006/接收信令:88.5:信道为空"};
        QTest::newRow("TX of an empty channel")
            << 6 << 2 << "146.52\t88.5"
            << QStringList{"A 006/发射频率:146.52:信道为空", "A 006/接收信令:88.5:信道为空"};
        QTest::newRow("beyond the last row") << 258 << 1 << "145.0\n146.0\n\n"
                                             << QStringList{"259/接收频率:146.0:超出表格"};
    }
    void cellsThatDoNotFitAreReported() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, tsv);
        QFETCH(QStringList, report);
        Fixture f;
        QVERIFY(f.Paste(GridCell{5, 1}, "145.0").problems.empty());
        const QString before = f.Row(5);
        const PasteResult r = f.Paste(GridCell{row, col}, tsv.toStdString());
        QCOMPARE(Why(r), report);
        // Refused cells leave their cell as it was.
        if (col == 3)
            QCOMPARE(f.Row(5), before);
    }

    void spreadsheetLineEnds() {
        QCOMPARE(SplitTsv("a\tb\r\nc\td\r\n"),
                 (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}}));
        QCOMPARE(SplitTsv("a\n\nb\n"), (std::vector<std::vector<std::string>>{{"a"}, {""}, {"b"}}));
        QCOMPARE(SplitTsv("\t"), (std::vector<std::vector<std::string>>{{"", ""}}));
        QVERIFY(SplitTsv("").empty());
        Fixture f;
        QVERIFY(f.Paste(GridCell{1, 1}, "145.0\t145.0\r\n146.0\t146.0\r\n").problems.empty());
        QCOMPARE(f.Row(2).section('\t', 0, 1), QString("146.00000\t146.00000"));
        QVERIFY(f.grid.RowEmpty(3));
    }
};

QTEST_APPLESS_MAIN(GridClipboardTest)
#include "test_grid_clipboard.moc"
