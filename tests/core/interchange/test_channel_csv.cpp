// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/channel_grid.h"
#include "core/interchange/channel_csv.h"
#include "lang/language.h"

using namespace kestra;

namespace {

const char* const kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

RadioImage EmptyImage() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    for (int n = 1; n <= kMemoryChannels; ++n)
        ClearRecord(image, n);
    return image;
}

// Every tone, polarity and flag combination, spread over the 256 channels.
RadioImage RichImage() {
    RadioImage image = EmptyImage();
    const auto& tones = CombinedToneList();
    for (int n = 1; n <= kMemoryChannels; ++n) {
        ChannelRecord rec(image, n);
        const std::uint32_t rx = n <= 128 ? 14400000 + 2500 * n : 43000000 + 1250 * n;
        rec.SetRx(rx);
        switch (n % 4) {
        case 0:
            rec.SetTx(rx);
            break;
        case 1:
            rec.SetTx(n <= 128 ? rx - 60000 : rx + 500000);
            break;
        case 2:
            rec.SetTxNone();
            break;
        default:
            rec.SetTx(n <= 128 ? 43500000 : 14500000);
            break; // split
        }
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
    // Names a spreadsheet would read as formulas, and tones the grid takes
    // that are not in the radio's list.
    const char* const names[] = {"=A1", "+B", "-5", "@x", "'=E", "'F", "''"};
    for (int n = 1; n <= 7; ++n) {
        ChannelRecord rec(image, n);
        WriteChannelName(rec, names[n - 1]);
    }
    ChannelRecord(image, 8).SetTxTone(ToneTextToValue("202.5"));
    ChannelRecord(image, 9).SetRxTone(ToneTextToValue("D089N"));
    BandLimits limits;
    PassThroughGrid(image, limits);
    return image;
}

std::string Csv(const std::string& rows) {
    return std::string(kHeader) + "\r\n" + rows;
}

QStringList Lines(const std::string& s) {
    return QString::fromStdString(s).split("\r\n", Qt::SkipEmptyParts);
}

CsvImportResult Import(const std::string& csv, RadioImage& image, CsvImportOptions o = {}) {
    return ImportChannelCsv(csv, image, o);
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
        // All 50 tones and all DCS codes of both polarities appear.
        for (const std::string& t : CombinedToneList()) {
            if (t[0] != 'D')
                QVERIFY2(first.find("," + t + ",") != std::string::npos, t.c_str());
        }
        for (const char* mode :
             {",Tone,",     ",TSQL,",     ",DTCS,",      ",Cross,",     ",split,",
              ",off,",      ",+,",        ",-,",         ",NFM,",       ",S,",
              "DTCS->DTCS", "Tone->DTCS", "DTCS->Tone",  "\r\n1,'=A1,", "\r\n2,'+B,",
              "\r\n3,'-5,", "\r\n4,'@x,", "\r\n5,''=E,", "\r\n6,'F,",   "\r\n7,''',"})
            QVERIFY2(first.find(mode) != std::string::npos, mode);
        // TStep divides the frequency, Power is in watts: what CHIRP reads.
        for (const QString& line : Lines(first).mid(1)) {
            const QStringList f = line.split(',');
            const std::uint32_t rx = TextToFrequency(f[2].toStdString());
            const QMap<QString, std::uint32_t> steps{
                {"2.50", 250}, {"5.00", 500}, {"6.25", 625}, {"12.50", 1250}};
            QVERIFY2(steps.contains(f[13]) && rx % steps[f[13]] == 0, qPrintable(line));
            QVERIFY2(f[15] ==
                         (ConstChannelRecord(rich, f[0].toInt()).HighPower() ? "5.0W" : "1.0W"),
                     qPrintable(line));
        }
        RadioImage fresh = EmptyImage();
        const CsvImportResult r = Import(first, fresh);
        QVERIFY(r.usable);
        QCOMPARE(r.imported, 256);
        QCOMPARE(r.skipped, 0);
        QCOMPARE(r.ReportLines(),
                 (std::vector<std::string>{
                     "row 8 (144.200000): A008, tone 202.5 is not in the radio's list",
                     "row 9 (144.225000): A009, tone D089N is not in the radio's list"}));
        QCOMPARE(ExportChannelCsv(fresh), first);
    }

    void allDcsCodesBothPolarities() {
        RadioImage image = EmptyImage();
        const auto& dcs = DcsTextList();
        for (std::size_t k = 0; k < dcs.size(); ++k) {
            ChannelRecord rec(image, static_cast<int>(k) + 1);
            rec.SetRx(43000000 + 2500 * static_cast<std::uint32_t>(k));
            rec.SetTx(rec.Rx());
            rec.SetTxTone(ToneTextToValue(dcs[k]));
            rec.SetRxTone(ToneTextToValue(dcs[dcs.size() - 1 - k]));
        }
        const std::string csv = ExportChannelCsv(image);
        RadioImage back = EmptyImage();
        QCOMPARE(Import(csv, back).imported, static_cast<int>(dcs.size()));
        for (std::size_t k = 0; k < dcs.size(); ++k)
            QCOMPARE(ToneValueToText(ConstChannelRecord(back, static_cast<int>(k) + 1).TxTone()),
                     dcs[k]);
        QCOMPARE(ExportChannelCsv(back), csv);
    }

    void parserHandlesQuotingBomAndLineEnds() {
        std::string error;
        const auto rows = ParseCsv("\xEF\xBB\xBF"
                                   "a,\"b,1\",\"c\"\"d\"\r\n\"x\ny\",,z\nlast",
                                   error);
        QVERIFY(rows);
        QCOMPARE(rows->size(), std::size_t(3));
        QCOMPARE((*rows)[0], (std::vector<std::string>{"a", "b,1", "c\"d"}));
        QCOMPARE((*rows)[1], (std::vector<std::string>{"x\ny", "", "z"}));
        QCOMPARE((*rows)[2], (std::vector<std::string>{"last"}));
        QCOMPARE(CsvRecord({"a,b", "q\"", "x\ny", "p"}),
                 std::string("\"a,b\",\"q\"\"\",\"x\ny\",p\r\n"));
        QVERIFY(!ParseCsv("ok,\xC3\x28", error));
        QVERIFY(!ParseCsv("\xED\xA0\x80", error)); // a surrogate is no UTF-8
        QVERIFY(QString::fromStdString(error).contains("UTF-8"));
    }

    void headerOnlyImportsNothing() {
        RadioImage image = EmptyImage();
        const CsvImportResult r = Import(std::string(kHeader) + "\r\n", image);
        QVERIFY(r.usable);
        QCOMPARE(r.imported, 0);
    }

    void foreignColumnsAndHostileFields() {
        RadioImage image = EmptyImage();
        const CsvImportResult r =
            Import("\xEF\xBB\xBF"
                   "Extra,Frequency,Name\r\n\"a,b\",145.5,\"Line\nBreak, long name\"\r\n"
                   "x,\"433.000\",\r\n",
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
    // at what power) it landed. A field is a number only when all of it is.
    void eachRowIsTakenWholeOrReported() {
        struct Case {
            const char* row;
            const char* report; // "" = landed as written
            int power;          // 1 high, 0 low, -1 skipped
        };
        const Case cases[] = {
            {",,435.0071,,,,,,,,,,,,,,,,,,",
             "row 1 (435.0071): A001, 435.0071 → 435.00625: off the raster", 1},
            {",,27.185,,,,,,,,,,,,,,,,,,",
             "row 1 (27.185): skipped: Frequency \"27.185\" outside both bands", -1},
            {",,\"145,500\",,,,,,,,,,,,,,,,,,",
             "row 1 (145,500): skipped: Frequency \"145,500\" is not a number", -1},
            {",,145.500.000,,,,,,,,,,,,,,,,,,",
             "row 1 (145.500.000): skipped: Frequency \"145.500.000\" is not a number", -1},
            {",X,145.5 MHz,,,,,,,,,,,,,,,,,,",
             "row 1 (X, 145.5 MHz): skipped: Frequency \"145.5 MHz\" is not a number", -1},
            {",,1.455e2,,,,,,,,,,,,,,,,,,",
             "row 1 (1.455e2): skipped: Frequency \"1.455e2\" is not a number", -1},
            {",,145.5,+,\"0,6\",,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: Offset \"0,6\" is not a number", -1},
            {",,145.5,+,30,,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: transmit 175.500000 outside both bands", -1},
            {",,145.5,,,,,,,,,,AM,,,,,,,,", "row 1 (145.5): skipped: Mode \"AM\"", -1},
            {",,145.5,,,TSQL-R,,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: reverse squelch \"TSQL-R\"", -1},
            {",,145.5,,,Tone,300.0,,,,,,,,,,,,,,",
             "row 1 (145.5): skipped: rToneFreq \"300.0\" is not a tone the radio can use", -1},
            {",,145.5,,,DTCS,,,23x,,,,,,,,,,,,",
             "row 1 (145.5): skipped: DtcsCode \"23x\" is not a DCS code", -1},
            {",,145.5,,,Tone,202.5,,,,,,,,,,,,,,",
             "row 1 (145.5): A001, tone 202.5 is not in the radio's list", 1},
            {",,145.5,,,,,,,,,,,,,nanW,,,,,",
             "row 1 (145.5): skipped: Power \"nanW\" is not High, Low or watts", -1},
            {",,145.5,,,,,,,,,,,,,-5W,,,,,",
             "row 1 (145.5): skipped: Power \"-5W\" is not High, Low or watts", -1},
            {",,145.5,,,,,,,,,,,,, 1.5 W ,,,,,", "", 0},
            {",,145.5,,,,,,,,,,,,,2.5W,,,,,", "", 1},
            {",,145.5,,,,,,,,,,,,,l,,,,,", "", 0},
            {"1,SHORT,145.5,,,,,,,,,,DV,,,,,",
             "row 1 (SHORT, 145.5): skipped: 18 fields where the header has 21", -1},
            {",\"A\x01\x1B\r\",145.5,,,,,,,,,,,,,,,,,,",
             "row 1 (A\\x01\\x1B\\r, 145.5): A001, name \"A\\x01\\x1B\\r\" → \"A\"", 1},
            {",\" HOME \",145.5,,,,,,,,,,,,,,,,,,",
             "row 1 (HOME, 145.5): A001, name \" HOME \" → \"HOME\"", 1},
            {",5\" DISH,145.5,,,,,,,,,,,,,,,,,,", "", 1},
        };
        for (const Case& c : cases) {
            RadioImage image = EmptyImage();
            const CsvImportResult r = Import(Csv(std::string(c.row) + "\r\n"), image);
            QCOMPARE(r.ReportLines(),
                     *c.report ? std::vector<std::string>{c.report} : std::vector<std::string>{});
            QCOMPARE(r.imported, c.power >= 0 ? 1 : 0);
            if (c.power >= 0)
                QCOMPARE(ConstChannelRecord(image, 1).HighPower(), c.power == 1);
        }
        // Of a field over 1 KiB only the start is read: a Name is cut, a number refused.
        RadioImage image = EmptyImage();
        const CsvImportResult r = Import("Name,Frequency\n" + std::string(5000, 'N') +
                                             ",145.5\nX,145.5" + std::string(2000, '0') + "\n",
                                         image);
        QCOMPARE(r.ReportLines(),
                 (std::vector<std::string>{
                     "row 1 (" + std::string(60, 'N') + "…, 145.5): A001, name \"" +
                         std::string(60, 'N') + "…\" → \"NNNNNNN\"",
                     "row 2 (X, 145.5" + std::string(55, '0') +
                         "…): skipped: Frequency is longer than 1024 bytes"}));
        // A file with one tone column uses it for both.
        image = EmptyImage();
        QCOMPARE(
            Import("Frequency,Tone,cToneFreq\n145.5,Tone,67.0\n145.5,TSQL,71.9\n", image).imported,
            2);
        QCOMPARE(ToneValueToText(ConstChannelRecord(image, 1).TxTone()), std::string("67.0"));
        QCOMPARE(ToneValueToText(ConstChannelRecord(image, 2).RxTone()), std::string("71.9"));
    }

    void keepLocationAndOverwrite() {
        RadioImage image = EmptyImage();
        ChannelRecord(image, 5).SetRx(14600000);
        ChannelRecord(image, 5).SetTx(14600000);
        ChannelRecord(image, 5).SetVox(true); // a field the format does not carry
        const std::string csv = std::string(kHeader) + "\r\n5,,145.5,,,,,,,,,,,,,,,,,,\r\n"
                                                       "129,,435.5,,,,,,,,,,,,,,,,,,\r\n"
                                                       "999,,435.5,,,,,,,,,,,,,,,,,,\r\n";
        CsvImportOptions keep;
        keep.keepLocation = true;
        CsvImportResult r = Import(csv, image, keep);
        QCOMPARE(r.imported, 1);
        QCOMPARE(r.skipped, 2);
        QCOMPARE(ConstChannelRecord(image, 129).Rx(), 43550000u);
        QCOMPARE(ConstChannelRecord(image, 5).Rx(), 14600000u);
        keep.overwrite = true;
        r = Import(csv, image, keep);
        QCOMPARE(ConstChannelRecord(image, 5).Rx(), 14550000u);
        QVERIFY(ConstChannelRecord(image, 5).Vox()); // overwritten channel keeps its other fields

        // Rows by Location, into A002 occupied: what lands where, what is reported.
        struct Case {
            bool keep, overwrite;
            int start;
            const char* rows;
            std::vector<std::pair<int, std::uint32_t>> channels;
            std::vector<std::string> report;
            const char* summary;
        };
        const Case cases[] = {
            {true,
             false,
             1,
             "256,,145.5,\n257,,145.5,\n0,,145.5,\n",
             {{256, 14550000}},
             {"row 2 (145.5): skipped: Location \"257\" is not a channel 1..256",
              "row 3 (145.5): skipped: Location \"0\" is not a channel 1..256"},
             "1 rows imported, 2 skipped"},
            {true,
             true,
             1,
             "5,,145.5,\n5,,145.6,\n2,,145.8,\n5,,145.7,\n",
             {{5, 14570000}, {2, 14580000}},
             {"row 1 (145.5): replaced by row 2 on A005",
              "row 2 (145.6): replaced by row 4 on A005"},
             "2 rows imported, 0 skipped, 2 replaced by a later row"},
            {true,
             false,
             1,
             "5,,145.5,\n5,,145.6,\n2,,145.8,\n",
             {{5, 14550000}, {2, 14600000}},
             {"row 2 (145.6): skipped: channel A005 already taken by row 1",
              "row 3 (145.8): skipped: channel A002 not empty"},
             "1 rows imported, 2 skipped"},
            {false,
             false,
             1,
             "5,,145.5,\n5,,145.6,AM\n5,,145.7,\n",
             {{1, 14550000}, {2, 14600000}, {3, 14570000}},
             {"row 2 (145.6): skipped: Mode \"AM\""},
             "2 rows imported, 1 skipped"},
            {false,
             false,
             255,
             "5,,145.5,\n5,,145.6,\n5,,145.7,\n",
             {{255, 14550000}, {256, 14560000}},
             {"row 3 (145.7): skipped: beyond the last free channel"},
             "2 rows imported, 1 skipped"},
        };
        for (const Case& c : cases) {
            RadioImage image = EmptyImage();
            ChannelRecord(image, 2).SetRx(14600000);
            ChannelRecord(image, 2).SetTx(14600000);
            CsvImportOptions o;
            o.keepLocation = c.keep;
            o.overwrite = c.overwrite;
            o.start = c.start;
            const CsvImportResult r =
                Import(std::string("Location,Name,Frequency,Mode\n") + c.rows, image, o);
            QCOMPARE(r.ReportLines(), c.report);
            QCOMPARE(r.Summary(), std::string(c.summary));
            for (const auto& [n, rx] : c.channels)
                QCOMPARE(ConstChannelRecord(image, n).Rx(), rx);
        }
    }

    void boundedReport() {
        std::string csv = "Frequency,Power\n";
        for (int k = 0; k < 10000; ++k)
            csv += "145.500,L\n";
        RadioImage image = EmptyImage();
        CsvImportResult r = Import(csv, image);
        QCOMPARE(r.Summary(), std::string("256 rows imported, 9744 skipped"));
        QCOMPARE(r.ReportLines(),
                 std::vector<std::string>{
                     "rows 257-10000: skipped: 9744 rows beyond the last free channel"});
        QVERIFY(!ConstChannelRecord(image, 256).HighPower());
        // Rows that all fail: the first are listed, the rest counted.
        csv = "Frequency";
        for (int k = 0; k < 1500; ++k)
            csv += "\n1";
        r = Import(csv, image);
        QCOMPARE(r.report.size(), kMaxReportEntries + 1);
        QCOMPARE(r.ReportLines()[0],
                 std::string("row 1 (1): skipped: Frequency \"1\" outside both bands"));
        QCOMPARE(r.ReportLines().back(),
                 std::string("rows 1001-1500: 500 more rows skipped or replaced, not listed"));
    }

    // A file that cannot be read as a whole is refused whole, naming where.
    void unusableFilesChangeNothingAndSayWhere() {
        const std::string rows10 = [] {
            std::string s;
            for (int k = 0; k < 10; ++k)
                s += "145.5,X\r\n";
            return s;
        }();
        const std::pair<std::string, std::string> cases[] = {
            {"", "no header line"},
            {"Name,Mode\r\nx,FM\r\n", "no Frequency column in the header line"},
            {"Frequency\n\xFF\n", "not UTF-8 text (invalid byte at offset 10)"},
            {"Frequency,Name\r\n145.5,\"HOME\r\n145.6,X\r\n",
             "row 1: the quoted field opened on line 2 is not closed before the end of the file"},
            {"Frequency,Name\r\n145.5,X\r\n145.5,\"HOME\r\n" + rows10,
             "row 2: the quoted field opened on line 3 runs over more than 5 lines (is a closing "
             "quote missing?)"},
            {"\"Frequency,Name\n" + rows10,
             "the header line: the quoted field opened on line 1 runs over more than 5 lines (is a "
             "closing quote missing?)"},
            {std::string(kMaxCsvBytes + 1, '\n'), "larger than 64 MiB, the limit for a CSV file"},
        };
        for (const auto& [text, error] : cases) {
            RadioImage image = EmptyImage();
            ChannelRecord(image, 1).SetRx(14600000);
            const RadioImage before = image;
            const CsvImportResult r = Import(text, image);
            QVERIFY(!r.usable);
            QCOMPARE(r.error, error);
            QVERIFY(image == before);
        }
        // A quoted field over a few lines is fine.
        RadioImage image = EmptyImage();
        QCOMPARE(Import("Frequency,Name\n145.5,\"a\nb\nc\"\n", image).imported, 1);
    }

    void repeaterDirectoryList() {
        const std::string csv =
            std::string(kHeader) +
            "\r\n"
            "1,W1AW,145.110000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,Rpt,,"
            ",,\r\n"
            "2,K2ABC,146.940000,-,0.600000,TSQL,88.5,141.3,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"
            "\r\n"
            "3,N3XYZ,147.195000,+,0.600000,Tone,131.8,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"
            "\r\n"
            "4,W4DCS,145.330000,-,0.600000,DTCS,88.5,88.5,411,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,"
            "\r\n"
            "5,KB5UHF,442.100000,+,5.000000,Tone,123.0,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,"
            ",,\r\n"
            "6,W6PQR,444.925000,+,5.000000,TSQL,88.5,110.9,023,NN,023,Tone->Tone,FM,25.00,S,High,,,"
            ",,\r\n"
            "7,K7DMR,441.000000,+,5.000000,DTCS,88.5,88.5,023,RN,023,Tone->Tone,FM,12.50,,5W,,,,,"
            "\r\n"
            "8,N8ZZZ,449.975000,-,5.000000,Tone,103.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,"
            ",\r\n"
            "9,VE9LONGNAME,146.760000,-,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,"
            ",\r\n"
            "10,W0DV,145.670000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,DV,5.00,,High,,,,,\r\n"
            "11,K1X,443.4625,+,5.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,FM,6.25,,High,,,,,\r\n"
            "12,W2TEN,29.620000,-,0.100000,Tone,103.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"
            "\r\n";
        RadioImage image = EmptyImage();
        const CsvImportResult r = Import(csv, image);
        QCOMPARE(r.imported, 10);
        QCOMPARE(
            r.ReportLines(),
            (std::vector<std::string>{
                "row 9 (VE9LONGNAME, 146.760000): A009, name \"VE9LONGNAME\" → \"VE9LONG\"",
                "row 10 (W0DV, 145.670000): skipped: Mode \"DV\"",
                "row 12 (W2TEN, 29.620000): skipped: Frequency \"29.620000\" outside both bands"}));
        const ConstChannelRecord w4(image, 4), k7(image, 7);
        QCOMPARE(w4.Tx(), 14473000u);
        QCOMPARE(ToneValueToText(w4.TxTone()), std::string("D411N"));
        QVERIFY(!w4.Wide() && !w4.HighPower());
        QCOMPARE(ToneValueToText(k7.TxTone()), std::string("D023I"));
        QCOMPARE(ToneValueToText(k7.RxTone()), std::string("D023N"));
        QVERIFY(k7.HighPower());
        QCOMPARE(ConstChannelRecord(image, 10).Rx(), 44346250u);
        QCOMPARE(ConstChannelRecord(image, 10).Tx(), 44846250u);
    }
};

QTEST_APPLESS_MAIN(ChannelCsvTest)
#include "test_channel_csv.moc"
