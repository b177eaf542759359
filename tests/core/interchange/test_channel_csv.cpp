#include <QtTest>

#include <chrono>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/interchange/channel_csv.h"

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
    BandLimits limits;
    PassThroughGrid(image, limits);
    return image;
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
             {",Tone,", ",TSQL,", ",DTCS,", ",Cross,", ",split,", ",off,", ",+,", ",-,", ",NFM,",
              ",Low,", ",S,", "DTCS->DTCS", "Tone->DTCS", "DTCS->Tone"})
            QVERIFY2(first.find(mode) != std::string::npos, mode);
        RadioImage fresh = EmptyImage();
        const CsvImportResult r = Import(first, fresh);
        QVERIFY(r.usable);
        QCOMPARE(r.imported, 256);
        QCOMPARE(r.skipped, 0);
        QVERIFY(r.report.empty());
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

    void unusableFilesChangeNothing() {
        for (const std::string& bad : {std::string(), std::string("Name,Mode\r\nx,FM\r\n"),
                                       std::string("Frequency\n\xFF\n")}) {
            RadioImage image = EmptyImage();
            const RadioImage before = image;
            const CsvImportResult r = Import(bad, image);
            QVERIFY(!r.usable);
            QVERIFY(!r.error.empty());
            QVERIFY(image == before);
        }
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

    void rowsGoThroughTheTypingRules() {
        RadioImage image = EmptyImage();
        ChannelRecord(image, 2).SetRx(14600000); // occupied: stepped over
        ChannelRecord(image, 2).SetTx(14600000);
        const std::string csv = std::string(kHeader) + "\r\n" +
                                ",,435.0071,,,,,,,,,,,,,,,,,,\r\n"
                                ",,27.185,,,,,,,,,,,,,,,,,,\r\n"
                                ",,145.5,,,,,,,,,,AM,,,,,,,,\r\n"
                                ",,145.5,,,TSQL-R,,,,,,,,,,,,,,,\r\n"
                                ",,145.5,,,Tone,67.3,,,,,,,,,,,,,,\r\n"
                                ",,145.5,+,30,,,,,,,,,,,,,,,,\r\n"
                                ",,145.5,,,,,,,,,,,,,2.5W,,,,,\r\n";
        const CsvImportResult r = Import(csv, image);
        QCOMPARE(r.imported, 2);
        QCOMPARE(r.skipped, 5);
        const QStringList report = [&] {
            QStringList l;
            for (const auto& s : r.ReportLines())
                l << QString::fromStdString(s);
            return l;
        }();
        QCOMPARE(report,
                 QStringList({"row 1 (435.0071): A001, 435.0071 → 435.00625: off the raster",
                              "row 2 (27.185): skipped: 27.185 outside both bands",
                              "row 3 (145.5): skipped: mode AM",
                              "row 4 (145.5): skipped: reverse squelch TSQL-R",
                              "row 5 (145.5): skipped: tone 67.3 not in the radio's list",
                              "row 6 (145.5): skipped: transmit 175.500000 outside both bands"}));
        QCOMPARE(ConstChannelRecord(image, 1).Rx(), 43500625u);
        QCOMPARE(ConstChannelRecord(image, 2).Rx(), 14600000u); // untouched
        QCOMPARE(ConstChannelRecord(image, 3).Rx(), 14550000u); // skipped rows use no channel
        QVERIFY(ConstChannelRecord(image, 3).HighPower());
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
        CsvImportOptions start;
        start.start = ParseChannelLabel("B001");
        image = EmptyImage();
        Import(csv, image, start);
        QCOMPARE(ConstChannelRecord(image, 129).Rx(), 14550000u);
        QCOMPARE(ConstChannelRecord(image, 131).Rx(), 43550000u);
    }

    void tenThousandRowsAreFast() {
        std::string csv = "Frequency,Power\n";
        for (int k = 0; k < 10000; ++k)
            csv += "145.500,L\n";
        RadioImage image = EmptyImage();
        const auto t0 = std::chrono::steady_clock::now();
        const CsvImportResult r = Import(csv, image);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - t0)
                            .count();
        QVERIFY2(ms < 1000, QByteArray::number(static_cast<qlonglong>(ms)));
        QCOMPARE(r.imported, 256);
        QCOMPARE(r.skipped, 9744);
        QCOMPARE(r.ReportLines(), std::vector<std::string>{
                               "rows 257-10000: skipped: 9744 rows beyond the last free channel"});
        QVERIFY(!ConstChannelRecord(image, 256).HighPower());
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
        QCOMPARE(r.ReportLines(), (std::vector<std::string>{
                               "row 9 (VE9LONGNAME): A009, name \"VE9LONGNAME\" → \"VE9LONG\"",
                               "row 10 (W0DV): skipped: mode DV",
                               "row 12 (W2TEN): skipped: 29.620000 outside both bands"}));
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
