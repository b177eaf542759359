// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/channel_grid.h"
#include "core/interchange/channel_csv.h"
#include "core/interchange/csv_import_plan.h"
#include "lang/language.h"
#include "support/form_images.h"
#include "support/image_bytes.h"

using namespace kestra;
using test::Record;

namespace {

const char* const kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// Every tone, polarity and flag combination, spread over the 256 channels.
RadioImage RichImage() {
    RadioImage image = BuiltInImage();
    const auto& tones = CombinedToneList();
    for (int n = 1; n <= kMemoryChannels; ++n) {
        ChannelRecord rec(image, n);
        const std::uint32_t rx = n <= 128 ? 14400000 + 2500 * n : 43000000 + 1250 * n;
        rec.SetRx(rx);
        // Simplex, an offset, no transmit, split.
        const std::uint32_t tx[] = {rx, n <= 128 ? rx - 60000 : rx + 500000, 0,
                                    n <= 128 ? 43500000u : 14500000u};
        if (n % 4 == 2)
            rec.SetTxNone();
        else
            rec.SetTx(tx[n % 4]);
        const std::size_t t = static_cast<std::size_t>(n) % tones.size();
        rec.SetTxTone(ToneTextToValue(tones[t]));
        rec.SetRxTone(n % 3 == 0 ? kNoTone
                                 : ToneTextToValue(tones[(t + 50 + n % 5 * 17) % tones.size()]));
        if (n % 7 == 0)
            rec.SetRxTone(rec.TxTone());
        rec.SetWide(n % 2 == 0);
        rec.SetScan(n % 3 != 0);
        rec.SetHighPower(n % 5 != 0);
    }
    // Names a spreadsheet would read as formulas, two that must be quoted,
    // and tones the grid takes that are not in the radio's list.
    const char* const names[] = {"=A1", "+B", "-5", "@x", "'=E", "'F", "''", "a,b", "q\"x"};
    for (int n = 1; n <= 9; ++n) {
        ChannelRecord rec(image, n);
        WriteChannelName(rec, names[n - 1]);
    }
    ChannelRecord(image, 8).SetTxTone(ToneTextToValue("202.5"));
    ChannelRecord(image, 9).SetRxTone(ToneTextToValue("D089N"));
    // The grid writes a code under 10 with two digits.
    ChannelRecord(image, 10).SetTxTone(ToneTextToValue("D07I"));
    ChannelRecord(image, 10).SetRxTone(ToneTextToValue("D07I"));
    BandLimits limits;
    PassThroughGrid(image, limits);
    return image;
}

std::string Csv(const std::string& rows) {
    return std::string(kHeader) + "\r\n" + rows;
}

std::string Repeated(const char* text, int times) {
    return QString(text).repeated(times).toStdString();
}

QStringList Lines(const std::string& s) {
    return QString::fromStdString(s).split("\r\n", Qt::SkipEmptyParts);
}

CsvImportResult Import(const std::string& csv, RadioImage& image, CsvImportOptions o = {}) {
    return ImportChannelCsv(csv, image, o);
}

// "keep", "overwrite", "start N" in any combination.
CsvImportOptions Options(const QString& text) {
    CsvImportOptions o;
    o.keepLocation = text.contains("keep");
    o.overwrite = text.contains("overwrite");
    o.start = text.contains("start ") ? text.section("start ", 1).section(' ', 0, 0).toInt() : 1;
    return o;
}

// Empty channels but A002, in use with VOX (a field the format does not carry),
// and A004, receiving outside both bands (an empty row the image keeps).
RadioImage ImageWithA002() {
    RadioImage image = BuiltInImage();
    ChannelRecord(image, 2).SetRx(14600000);
    ChannelRecord(image, 2).SetTx(14600000);
    ChannelRecord(image, 2).SetVox(true);
    ChannelRecord(image, 4).SetRx(50000000);
    return image;
}

} // namespace

class ChannelCsvTest : public QObject {
    Q_OBJECT
private slots:
    // The report as an English user reads it, through the shipped catalogue
    // (the source texts are Chinese).
    void initTestCase() { QVERIFY(InstallLanguage(Language::English)); }
    void cleanupTestCase() { InstallLanguage(Language::Chinese); }

    void roundTripOfEveryToneAndFlag() {
        const RadioImage rich = RichImage();
        const std::string first = ExportChannelCsv(rich);
        QCOMPARE(Lines(first).size(), 257);
        QCOMPARE(Lines(first).front(), QString(kHeader));
        // Every CTCSS tone appears (each DCS code's text and bytes are the codecs' test).
        for (const std::string& t : CombinedToneList()) {
            if (t[0] != 'D')
                QVERIFY2(first.find("," + t + ",") != std::string::npos, t.c_str());
        }
        for (const char* mode :
             {",Tone,",      ",TSQL,",     ",DTCS,",      ",Cross,",    ",split,",    ",007,RR,",
              ",off,",       ",+,",        ",-,",         ",NFM,",      ",S,",        "DTCS->DTCS",
              "Tone->DTCS",  "DTCS->Tone", "\r\n1,'=A1,", "\r\n2,'+B,", "\r\n3,'-5,", "\r\n4,'@x,",
              "\r\n5,''=E,", "\r\n6,'F,",  "\r\n7,''',"})
            QVERIFY2(first.find(mode) != std::string::npos, mode);
        RadioImage fresh = BuiltInImage();
        const CsvImportResult r = Import(first, fresh);
        QVERIFY(r.usable);
        QCOMPARE(r.imported, 256);
        QCOMPARE(r.skipped, 0);
        QCOMPARE(
            r.ReportLines(),
            (std::vector<std::string>{
                "row 8 (a,b, 144.200000): A008, tone 202.5 is not in the radio's list; set as "
                "given",
                "row 9 (q\"x, 144.225000): A009, tone D089N is not in the radio's list; set as "
                "given",
                "row 10 (144.250000): A010, tone D007I is not in the radio's list; set as given"}));
        QCOMPARE(ExportChannelCsv(fresh), first);
        for (int n = 1; n <= kMemoryChannels; ++n) {
            const ConstChannelRecord a(rich, n), b(fresh, n);
            QVERIFY2(a.TxTone() == b.TxTone() && a.RxTone() == b.RxTone(), ChannelLabel(n).c_str());
        }
        // Tones of 00 00 ("0.0") go out as none, and the rows come back.
        ChannelRecord(fresh, 11).SetTxTone({0x00, 0x00});
        ChannelRecord(fresh, 12).SetRxTone({0x00, 0x00});
        RadioImage again = BuiltInImage();
        QCOMPARE(Import(ExportChannelCsv(fresh), again).skipped, 0);
    }

    // A byte order mark before the first column's name, quoted fields with a
    // comma or a line break in them, a column the format does not have.
    void foreignColumnsAndHostileFields() {
        RadioImage image = BuiltInImage();
        const CsvImportResult r =
            Import("\xEF\xBB\xBF"
                   "Frequency,Extra,Name\r\n145.5,\"a,b\",\"Line\nBreak, long name\"\r\n"
                   "\"433.000\",x,\r\n",
                   image);
        QCOMPARE(r.imported, 2);
        QCOMPARE(r.report.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(r.ReportLines()[0]).contains("→ \"LineBre\""));
        const ConstChannelRecord a(image, 1), b(image, 2);
        QCOMPARE(a.Rx(), 14550000u);
        QCOMPARE(a.Tx(), 14550000u); // simplex default
        QVERIFY(a.HighPower() && a.Wide() && a.Scan());
        QCOMPARE(a.TxTone(), kNoTone);
        QCOMPARE(b.Rx(), 43300000u);
    }

    // Each row alone into empty channels: the report line, and whether (and
    // at what power) it landed. A field is a number only when all of it is
    // (which texts are numbers is the codecs' test).
    void eachRowIsTakenWholeOrReported() {
        // The row, its report line ("": landed as written), its power (1 high,
        // 0 low, -1 skipped).
        const std::tuple<const char*, const char*, int> cases[] = {
            {",,435.0071,,,,,,,,,,,,,,,,,,",
             "row 1 (435.0071): A001, 435.0071 → 435.00625: off the raster", 1},
            // A split transmit frequency is quoted as the file has it.
            {",,435.5,split,435.012345,,,,,,,,,,,,,,,,",
             "row 1 (435.5): A001, 435.012345 → 435.01000: off the raster", 1},
            {",,27.185,,,,,,,,,,,,,,,,,,",
             "row 1 (27.185): skipped: Frequency \"27.185\" outside both bands", -1},
            {",,\"145,500\",,,,,,,,,,,,,,,,,,",
             "row 1 (145,500): skipped: Frequency \"145,500\" is not a number", -1},
            {",,145.5,+,\"0,6\",,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: Offset \"0,6\" is not a number", -1},
            {",,145.5,+,30,,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: transmit 175.500000 outside both bands", -1},
            {",,136.1,-,200,,,,,,,,,,,,,,,,",
             "row 1 (136.1): skipped: transmit -63.900000 outside both bands", -1},
            {",,145.5,,,,,,,,,,AM,,,,,,,,", "row 1 (145.5): skipped: Mode \"AM\"", -1},
            {",,145.5,,,TSQL-R,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: reverse squelch \"TSQL-R\"", -1},
            {",,145.5,,,Tone,300.0,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: rToneFreq \"300.0\" is not a tone the radio can use", -1},
            {",,145.5,,,DTCS,,,23x,,,,,,,,,,,,",
             "row 1 (145.5): skipped: DtcsCode \"23x\" is not a DCS code", -1},
            {",,145.5,,,DTCS,,,023,X,,,,,,,,,,,", "row 1 (145.5): skipped: DtcsPolarity \"X\"", -1},
            {",,145.5,,,Tone,202.5,,,,,,,,,,,,,,",
             "row 1 (145.5): A001, tone 202.5 is not in the radio's list; set as given", 1},
            {",,145.5,,,,,,,,,,,,,-5W,,,,,",
             "row 1 (145.5): skipped: Power \"-5W\" is not High, Low or watts", -1},
            {",,145.5,,,,,,,,,,,,, 1.5 W ,,,,,", "", 0},
            {",,145.5,,,,,,,,,,,,,2.5W,,,,,", "", 1},
            {",,145.5,,,,,,,,,,,,,l,,,,,", "", 0},
            {",\"A\x01\x1B\r\",145.5,,,,,,,,,,,,,,,,,,",
             "row 1 (A\\x01\\x1B\\r, 145.5): A001, name \"A\\x01\\x1B\\r\" → \"A\"", 1},
            {",\" HOME \",145.5,,,,,,,,,,,,,,,,,,",
             "row 1 (HOME, 145.5): A001, name \" HOME \" → \"HOME\"", 1},
            {",5\" DISH,145.5,,,,,,,,,,,,,,,,,,", "", 1},
            {"1,SHORT,145.5,,,,,,,,,,,,,,,,,",
             "row 1 (SHORT, 145.5): skipped: 20 fields where the header has 21", -1},
        };
        for (const auto& [row, report, power] : cases) {
            RadioImage image = BuiltInImage();
            const CsvImportResult r = Import(Csv(std::string(row) + "\r\n"), image);
            QCOMPARE(r.ReportLines(),
                     *report ? std::vector<std::string>{report} : std::vector<std::string>{});
            QCOMPARE(r.imported, power >= 0 ? 1 : 0);
            if (power >= 0)
                QCOMPARE(ConstChannelRecord(image, 1).HighPower(), power == 1);
        }
        // Of a field over 1 KiB only the start is read: a Name is cut, a number refused.
        RadioImage image = BuiltInImage();
        const CsvImportResult r = Import("Name,Frequency\n" + std::string(5000, 'N') +
                                             ",145.5\nX,145.5" + std::string(2000, '0') + "\n",
                                         image);
        QCOMPARE(r.ReportLines(),
                 (std::vector<std::string>{
                     "row 1 (" + std::string(60, 'N') + "…, 145.5): A001, name \"" +
                         std::string(60, 'N') + "…\" → \"NNNNNNN\"",
                     "row 2 (X, 145.5" + std::string(55, '0') +
                         "…): skipped: Frequency is longer than 1024 bytes"}));
        // A file with only the second tone column uses it for both (test_chirp_peer
        // holds the other way round, as CHIRP writes it).
        image = BuiltInImage();
        QCOMPARE(
            Import("Frequency,Tone,cToneFreq\n145.5,Tone,67.0\n145.5,TSQL,71.9\n", image).imported,
            2);
        QCOMPARE(ToneValueToText(ConstChannelRecord(image, 1).TxTone()), std::string("67.0"));
        QCOMPARE(ToneValueToText(ConstChannelRecord(image, 2).RxTone()), std::string("71.9"));
    }

    // Rows by Location or on free channels, into A002 in use (with VOX, a
    // field the format does not carry): where they land ("channel:RX"), and
    // the report with its summary last.
    void rowsLandWhereTheOptionsSay_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QStringList>("landed");
        QTest::addColumn<QStringList>("report");
        auto row = [](const char* name, const char* options, const char* rows,
                      const QStringList& landed, const QStringList& report) {
            QTest::newRow(name) << options << rows << landed << report;
        };
        row("Location 256 is B128", "keep", "256,,145.5,\n257,,145.5,\n0,,145.5,\n",
            {"256:145.50000"},
            {"row 2 (145.5): skipped: Location \"257\" is not a channel 1..256",
             "row 3 (145.5): skipped: Location \"0\" is not a channel 1..256",
             "1 row imported, 2 skipped"});
        row("a later row replaces", "keep overwrite",
            "5,,145.5,\n5,,145.6,\n2,,145.8,\n5,,145.7,\n", {"5:145.70000", "2:145.80000"},
            {"row 1 (145.5): replaced by row 2 on A005", "row 2 (145.6): replaced by row 4 on A005",
             "2 rows imported, 0 skipped, 2 replaced by a later row"});
        row("taken or in use", "keep", "5,,145.5,\n5,,145.6,\n2,,145.8,\n",
            {"5:145.50000", "2:146.00000"},
            {"row 2 (145.6): skipped: channel A005 already taken by row 1",
             "row 3 (145.8): skipped: channel A002 not empty", "1 row imported, 2 skipped"});
        row("free channels", "", "5,,145.5,\n5,,145.6,AM\n5,,145.7,\n",
            {"1:145.50000", "2:146.00000", "3:145.70000"},
            {"row 2 (145.6): skipped: Mode \"AM\"", "2 rows imported, 1 skipped"});
        row("free channels up to B128", "start 255", "5,,145.5,\n5,,145.6,\n5,,145.7,\n",
            {"255:145.50000", "256:145.60000"},
            {"row 3 (145.7): skipped: beyond the last free channel", "2 rows imported, 1 skipped"});
    }
    void rowsLandWhereTheOptionsSay() {
        QFETCH(QString, options);
        QFETCH(QString, rows);
        QFETCH(QStringList, landed);
        QFETCH(QStringList, report);
        RadioImage image = ImageWithA002();
        const CsvImportResult r =
            Import("Location,Name,Frequency,Mode\n" + rows.toStdString(), image, Options(options));
        QStringList got;
        for (const std::string& line : r.ReportLines())
            got << QString::fromStdString(line);
        QCOMPARE(got << QString::fromStdString(r.Summary()), report);
        for (const QString& channel : landed)
            QCOMPARE(QString::fromStdString(FrequencyToText(
                         ConstChannelRecord(image, channel.section(':', 0, 0).toInt()).Rx())),
                     channel.section(':', 1));
        QVERIFY(ConstChannelRecord(image, 2).Vox()); // replaced or not
    }

    // The import plan: every row with the channel it lands in (0: skipped)
    // and the RX frequency it replaces there, as the import places them.
    void planIsWhatTheImportDoes_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("plan");
        QTest::newRow("free channels from A001") << "" << QStringList{"1:", "0:", "3:", "5:"};
        QTest::newRow("overwriting from A002")
            << "overwrite start 2" << QStringList{"2:146.00000", "0:", "3:", "4:500.00000"};
        QTest::newRow("at their locations") << "keep" << QStringList{"1:", "0:", "3:", "0:"};
        QTest::newRow("at their locations, overwriting")
            << "keep overwrite" << QStringList{"1:", "0:", "3:", "2:146.00000"};
        // Past the last channel each row still says why it is skipped.
        QTest::newRow("from B128")
            << "start 256" << QStringList{"256:", "0:", "0: beyond", "0: beyond"};
    }
    void planIsWhatTheImportDoes() {
        QFETCH(QString, options);
        QFETCH(QStringList, plan);
        const std::string csv = "Location,Name,Frequency\r\n1,\"HO\nME\",146.52\r\n2,BAD,abc\r\n"
                                "3,REP,439.125\r\n2,TWO,145.6\r\n";
        const RadioImage image = ImageWithA002();
        const std::vector<CsvRowPlan> rows = PlanChannelCsvImport(csv, image, Options(options));
        QStringList got;
        for (const CsvRowPlan& r : rows)
            got << QString::fromStdString(std::to_string(r.channel) + ":" + r.replaces) +
                       (r.what.find("beyond") != std::string::npos ? " beyond" : "");
        QCOMPARE(got, plan);
        QCOMPARE(rows[1].label, std::string("BAD"));
        QVERIFY(rows[1].what.find("abc") != std::string::npos); // why it is skipped
        RadioImage imported = image;
        Import(csv, imported, Options(options));
        for (int n = 1; n <= 8; ++n) {
            const bool planned = std::any_of(rows.begin(), rows.end(),
                                             [n](const CsvRowPlan& r) { return r.channel == n; });
            QCOMPARE(Record(imported, n) != Record(image, n), planned);
        }
    }

    // Long files: the plan lists the first rows, read no further (the quote
    // left open after them is not seen), and the report stays short.
    void boundedPlanAndReport() {
        const std::vector<CsvRowPlan> rows = PlanChannelCsvImport(
            "Frequency\n" + Repeated("145.5\n", static_cast<int>(kMaxPlannedRows) + 5) + "\"",
            BuiltInImage(), {});
        QCOMPARE(rows.size(), kMaxPlannedRows);
        QCOMPARE(rows.back().row, static_cast<int>(kMaxPlannedRows));
        std::string csv = "Frequency,Power\n" + Repeated("145.500,L\n", 10000);
        RadioImage image = BuiltInImage();
        CsvImportResult r = Import(csv, image);
        QCOMPARE(r.Summary(), std::string("256 rows imported, 9744 skipped"));
        QCOMPARE(r.ReportLines(),
                 std::vector<std::string>{
                     "rows 257-10000: skipped: 9744 rows beyond the last free channel"});
        QVERIFY(!ConstChannelRecord(image, 256).HighPower());
        // Rows that all fail: the first are listed, the rest counted.
        csv = "Frequency" + Repeated("\n1", 1500);
        r = Import(csv, image);
        QCOMPARE(r.report.size(), kMaxReportEntries + 1);
        QCOMPARE(r.ReportLines()[0],
                 std::string("row 1 (1): skipped: Frequency \"1\" outside both bands"));
        QCOMPARE(r.ReportLines().back(),
                 std::string("rows 1001-1500: 500 more rows skipped or replaced, not listed"));
    }

    // A file that cannot be read as a whole is refused whole, naming where.
    void unusableFilesChangeNothingAndSayWhere() {
        const std::string rows10 = Repeated("145.5,X\r\n", 10);
        const std::pair<std::string, std::string> cases[] = {
            {"", "no header line"},
            {"Name,Mode\r\nx,FM\r\n", "no Frequency column in the header line"},
            {"Location;Name;Frequency\r\n1;X;145,5\r\n",
             "no Frequency column in the header line: the fields are separated by semicolons; "
             "save the file as CSV separated by commas"},
            {"Frequency\n\xFF\n", "not UTF-8 text (invalid byte at offset 10)"},
            {std::string("\xFF\xFE\x46\0r\0", 6), // "Fr" in UTF-16
             "not UTF-8 text: it starts with a UTF-16 byte-order mark; save it as UTF-8"},
            {"Frequency,Name\r\n145.5,\"HOME\r\n145.6,X\r\n",
             "row 1: the quoted field opened on line 2 is not closed before the end of the file"},
            {"Frequency,Name\r\n145.5,X\r\n145.5,\"HOME\r\n" + rows10,
             "row 2: the quoted field opened on line 3 runs over more than 5 lines (is a closing "
             "quote missing?)"},
            {"\"Frequency,Name\n" + rows10,
             "the header line: the quoted field opened on line 1 runs over more than 5 lines (is a "
             "closing quote missing?)"},
            {"Frequency\n145.5\n" + std::string(kMaxCsvBytes, '\n'),
             "larger than 64 MiB, the limit for a CSV file"},
        };
        for (const auto& [text, error] : cases) {
            RadioImage image = BuiltInImage();
            ChannelRecord(image, 1).SetRx(14600000);
            const RadioImage before = image;
            const CsvImportResult r = Import(text, image);
            QVERIFY(!r.usable);
            QCOMPARE(r.error, error);
            QVERIFY(image == before);
            QVERIFY(PlanChannelCsvImport(text, image, {}).empty());
        }
        // A quoted field over a few lines is fine; a header alone is a file.
        RadioImage image = BuiltInImage();
        QCOMPARE(Import("Frequency,Name\n145.5,\"a\nb\nc\"\n", image).imported, 1);
        const CsvImportResult r = Import(std::string(kHeader) + "\r\n", image);
        QVERIFY(r.usable && r.imported == 0);
    }
};

QTEST_APPLESS_MAIN(ChannelCsvTest)
#include "test_channel_csv.moc"
