// SPDX-License-Identifier: GPL-3.0-or-later
// The byte codecs, text helpers and tone lists, and the image's records,
// band limits, calibration points and finalisation.
#include <QtTest>
#include <clocale>

#include <climits>
#include <cmath>
#include <random>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/image/calibration.h"
#include "core/image/finalize.h"
#include "core/image/radio_image.h"
#include "support/image_bytes.h"
#include "support/text_rows.h"

using namespace kestra;

namespace {

QByteArray Encoded(std::uint32_t value) {
    std::uint8_t b[4];
    EncodeFrequency(value, b);
    return QByteArray(reinterpret_cast<char*>(b), 4).toHex();
}

using test::Bytes;

// The band points 0x3F70-0x3FAB: per calibration band "low high mid low-mid high-mid".
QStringList BandPoints(const RadioImage& image) {
    QStringList out;
    for (int band = 0; band < 3; ++band) {
        QStringList points;
        for (int i = 0; i < 5; ++i) {
            const int off = 0x3F70 + 20 * band + 4 * i;
            points << QString::number(quint32(image[off]) | quint32(image[off + 1]) << 8 |
                                      quint32(image[off + 2]) << 16 | quint32(image[off + 3]) << 24);
        }
        out << points.join(' ');
    }
    return out;
}

void AddChannel(RadioImage& image, int n, std::uint32_t rx, bool scan) {
    ChannelRecord rec(image, n);
    rec.Clear();
    rec.SetRx(rx);
    rec.SetTx(rx);
    rec.SetScan(scan);
}

} // namespace

class CodecsTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void textSeamFillsInTranslatedTemplates() {
        // Markers in any order, each value inserted once and never rescanned;
        // markers without a value, "%0", a lone or trailing '%' stay as written.
        QCOMPARE(FillIn("%2 / %1", {"a%2", "b"}), std::string("b / a%2"));
        QCOMPARE(FillIn("%1%1", {"x"}), std::string("xx"));
        QCOMPARE(FillIn("%1 %3 %0 100% %", {"v"}), std::string("v %3 %0 100% %"));
        QCOMPARE(FillIn("", {"v"}), std::string());
        // A catalogue's texts are test_translation's; taking one away is this.
        SetTextTranslator([](const char*, int) { return std::string("none"); });
        QCOMPARE(TranslateText(kNoToneText), std::string("none"));
        // A count picks the form and fills in every %n, never a value's own.
        SetTextTranslator(
            [](const char*, int n) { return std::string(n == 1 ? "%n" : "%n: %n%"); });
        QCOMPARE(TranslateCount("", 1), std::string("1"));
        QCOMPARE(TranslateCount("", 12), std::string("12: 12%"));
        SetTextTranslator(nullptr);
        QCOMPARE(TranslateText(kNoToneText), std::string("无"));
        QCOMPARE(FillIn(TranslateCount("%n 行，%1", 3), {"%n"}), std::string("3 行，%n"));
    }

    void bcdFieldsAndFrequencies() {
        for (int v = 0; v <= 99; ++v)
            QCOMPARE(FromBcd(ToBcd(v)), v);
        QCOMPARE(ToBcd(42), std::uint8_t(0x42));
        QCOMPARE(FromBcd(0xFF), 165); // not validated
        std::uint8_t b[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        WriteBcd(b, 3, 87500); // an FM frequency in kHz
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 4), QByteArray("\x00\x75\x08\xEE", 4));
        WriteBcd(b, 3, 1000000); // seven digits in a six-digit field: all nines
        QCOMPARE(ReadBcd(b, 3), 999999u);
        QCOMPARE(b[3], std::uint8_t(0xEE));
        QCOMPARE(Encoded(14512500), QByteArray("00255114"));
        QCOMPARE(Encoded(105012345), QByteArray("99999999")); // would lose its leading digit
        const std::uint8_t unset[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        QCOMPARE(DecodeFrequency(unset), kUnsetFrequency);
        for (std::uint32_t v : {0u, 1u, 99u, 100u, 123456u, 13600300u, 14512500u, 99999999u}) {
            EncodeFrequency(v, b);
            QCOMPARE(DecodeFrequency(b), v);
            QCOMPARE(TextToFrequency(FrequencyToText(v)), v);
        }
        QCOMPARE(FrequencyToText(99999999), std::string("999.99999"));
        QCOMPARE(FrequencyToText(0), std::string("0.00000"));
    }

    // strtod reading, and digits beyond the fifth decimal cut off, never
    // rounded: rounding would turn 145.124999 into 145.12500, another channel.
    void typedFrequencies() {
        const std::pair<const char*, uint> rows[] = {
            {"145.125", 14512500u},     {"136.003", 13600300u},    {"  438.5MHz", 43850000u},
            {"abc", 0u},                {"", 0u},                  {".5", 50000u},
            {"1.45e2", 14500000u},      {"-5", 0u},                {"145.123459", 14512345u},
            {"145.124999", 14512499u},  {"435.0062499", 43500624u}, {"136.0000099", 13600000u},
            {"0.000009", 0u},           {"1000", 99999999u}};
        for (const auto& [typed, value] : rows)
            QVERIFY2(TextToFrequency(typed) == value, typed);
    }

    // Read-modify-write touches only the field's own bits, and a value wider
    // than the field is cut to the field. (The byte orders of words are
    // pinned by the forms' and the link's tests.)
    void bitFields() {
        const BitField sideTone{0, 3, 2};
        QCOMPARE(sideTone.Into(0xFF, 0), std::uint8_t(0xE7));
        QCOMPARE(sideTone.Into(0x00, 7), std::uint8_t(0x18));
        QCOMPARE(sideTone.From(0x0E), 1);
        QCOMPARE(WholeByte(0).Pack(0x1E), std::uint8_t(0x1E));
        QCOMPARE(BitField({0, 7, 1}).Pack(1), std::uint8_t(0x80));
        // A channel record's flag bytes, field by field.
        RadioImage image;
        ChannelRecord rec(image, 1);
        rec.SetByte(ChannelRecord::kFlags1, 0x00);
        rec.SetBusyLockout(2);
        rec.SetPttId(3);
        rec.SetVox(true);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0x87));
        rec.SetHighPower(true);
        rec.SetWide(true);
        rec.SetScan(true);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0xBF));
        rec.SetBusyLockout(1);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0x7F));
        QCOMPARE(rec.PttId(), 3);
        rec.SetByte(ChannelRecord::kFlags0, 0);
        rec.SetVoiceProcessing(9);
        rec.SetRepeaterMode(2);
        rec.SetSignalling(1);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags0), std::uint8_t(0x99));
        rec.SetRepeaterMode(0);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags0), std::uint8_t(0x91));
        QCOMPARE(rec.VoiceProcessing(), 9);
    }

    void textHelpers() {
        int v = -1;
        QVERIFY(ScanWholeInt(" 42", v) && v == 42);
        QVERIFY(ScanWholeInt("-7", v) && v == -7);
        for (const char* bad : {"", "4x", "x4", "4 ", "0x10", "+"})
            QVERIFY2(!ScanWholeInt(bad, v), bad);
        QCOMPARE(LeadingInt("12abc"), 12);
        QCOMPARE(LeadingInt("abc"), 0);
        QCOMPARE(LeadingInt("99999999999"), INT_MAX);
        QCOMPARE(LeadingDecimal(" 2.5e1x"), 25.0);
        QCOMPARE(LeadingDecimal("-.5"), -0.5);
        // A number is a number only when all of it is.
        const std::pair<const char*, double> good[] = {
            {"145.5", 145.5}, {" 0.6 ", 0.6}, {"-5", -5.0}, {"+.25", 0.25}, {"7.", 7.0}};
        for (const auto& [text, value] : good)
            QVERIFY2(ParseDecimal(text) == value, text);
        for (const char* bad : {"", " ", "-", ".", "145,500", "145.500.000", "145.5 MHz", "1.455e2",
                                "nan", "inf", "0x10", "--5", "5W"})
            QVERIFY2(!ParseDecimal(bad), bad);
        QCOMPARE(FormatDecimal(145.125, 5), std::string("145.12500"));
        QCOMPARE(FormatDecimal(0.125, 2), std::string("0.12")); // the binary value is exact: ties to even
        QCOMPARE(FormatDecimal(2.675, 2), std::string("2.67")); // 2.67499999... as printf rounds it
        QVERIFY(EqualsIgnoreCase("qDm537", "QDM537"));
        QVERIFY(!EqualsIgnoreCase("QDM53", "QDM537"));
        // Only ASCII letters fold; other bytes compare as they are.
        QVERIFY(!EqualsIgnoreCase("\xC3\xA9", "\xC3\x89"));
        QVERIFY(StartsWithIgnoreCase("com3", "COM") && !StartsWithIgnoreCase("CO", "COM"));
        QVERIFY(StartsWith("载波", "载") && !StartsWith("载", "载波"));
        QCOMPARE(ToUpperAscii("d23i 无"), std::string("D23I 无"));
        // Control bytes are shown, never acted on or cut at; the rest stays.
        static const char raw[] = "[opt\0ions]\r\n\t\x1B[2J\x7F\\x 无";
        QCOMPARE(EscapeControl(std::string_view(raw, sizeof raw - 1)),
                 std::string("[opt\\0ions]\\r\\n\\t\\x1B[2J\\x7F\\x 无"));
    }

    // A help paragraph within 79 columns (a Chinese character takes two),
    // broken at blanks outside brackets and between Chinese characters, never
    // before a closing mark nor after an opening one.
    void wrapText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");              // '|' between lines
        const QString full = QString(38, QChar(0x8BFB)); // a first line's worth
        const QString less = QString(37, QChar(0x8BFB));
        QTest::newRow("short") << "a b"
                               << "  a b";
        QTest::newRow("words") << QString("word ").repeated(20).trimmed()
                               << "  " + QString("word ").repeated(15).trimmed() + "|    " +
                                      QString("word ").repeated(5).trimmed();
        QTest::newRow("brackets stay whole") << QString(62, 'x') + " [--profile FILE]"
                                             << "  " + QString(62, 'x') + "|    [--profile FILE]";
        QTest::newRow("chinese") << full + less << "  " + full + "|    " + less;
        QTest::newRow("no comma at a line's start")
            << full + QString::fromUtf8("，写")
            << "  " + less + "|    " + QString::fromUtf8("读，写");
        QTest::newRow("no bracket at a line's end")
            << less + QString::fromUtf8("（写）")
            << "  " + less + "|    " + QString::fromUtf8("（写）");
        QTest::newRow("mixed") << QString::fromUtf8("使用串口 COM3、ttyUSB0 或设备")
                               << QString::fromUtf8("  使用串口 COM3、ttyUSB0 或设备");
        QTest::newRow("own line ends") << "a\n  b"
                                       << "  a|  b";
    }
    void wrapText() {
        QFETCH(QString, text);
        QFETCH(QString, lines);
        const QString wrapped = QString::fromStdString(WrapText(text.toStdString(), "  ", "    "));
        QCOMPARE(wrapped, lines.replace('|', '\n') + '\n');
        for (const QString& line : wrapped.split('\n'))
            QVERIFY2(TextColumns(line.toStdString()) <= 79, qPrintable(line));
    }

    void exactMulAgreesWithDecimalShifts() {
        // A decimal with up to 15 significant digits times a power of ten is
        // the decimal with its point moved, exactly as strtod reads that.
        std::mt19937_64 rng(7);
        for (int i = 0; i < 20000; ++i) {
            const int digits = 1 + int(rng() % 15);
            std::string mantissa;
            for (int d = 0; d < digits; ++d)
                mantissa.push_back(char('0' + rng() % 10));
            const int point = int(rng() % (digits + 1));
            const std::string text = mantissa.substr(0, point) + "." + mantissa.substr(point) + "0";
            const int shift = int(rng() % 11) - 5;
            const double factor = LeadingDecimal(("1e" + std::to_string(shift)));
            const double expected =
                LeadingDecimal((text + "e" + std::to_string(shift)));
            if (ExactMul(LeadingDecimal(text), factor) != expected)
                QFAIL(qPrintable(QString::fromStdString(text + " * 1e" + std::to_string(shift))));
        }
        // Values where a quick double computation cannot decide the rounding.
        QCOMPARE(ExactMul(0.1 + 0.2, 10.0), 3.0);
        QCOMPARE(ExactMul(136.003, 100000.0), 13600300.0); // the plain product: 13600299.99...
        QCOMPARE(ExactMul(-1.5, 2.0), -3.0);
        QCOMPARE(ExactMul(885, 0.1), 88.5);
        QVERIFY(std::isinf(ExactMul(1e300, 1e10)));
        QCOMPARE(ExactMul(123456789012345.5, 1.0), 123456789012346.0);
    }

    // The list round trip below pins texts to codes only through each other;
    // these pin the bytes. Codes that do not fit their two bytes are stored as
    // no tone rather than as another kind of tone; an empty text means no
    // tone, never the unknown CTCSS code 00 00.
    void toneStoredValues() {
        const std::pair<const char*, ToneCode> cases[] = {
            {"88.5", {0x85, 0x08}},   {"254.1", {0x41, 0x25}},  {"D023N", {0x23, 0x80}},
            {"D754I", {0x54, 0xC7}},  {"无", kNoTone},          {"", kNoTone},
            {"D6399N", {0x99, 0xBF}}, {"D6400N", kNoTone},      {"D6299I", {0x99, 0xFE}},
            {"D6300I", kNoTone},      {"799.9", {0x99, 0x79}},  {"850.0", kNoTone},
            {"-5.0", kNoTone}};
        for (const auto& [text, code] : cases)
            QVERIFY2(ToneTextToValue(text) == code, text);
        QCOMPARE(ToneValueToText({0x00, 0x00}), std::string("0.0"));
        QCOMPARE(ToneValueToText({0x00, 0xFF}), std::string("无"));
        QCOMPARE(ToneValueToText({0x07, 0x80}), std::string("D007N")); // three digits, as typed
    }

    void toneRoundTrips() {
        QCOMPARE(CombinedToneList().size(), CtcssTextList().size() + DcsTextList().size());
        QCOMPARE(CombinedToneList()[50], std::string("D017N"));
        QCOMPARE(CombinedToneList()[157], std::string("D017I"));
        // The editors' list: "无" first, then every tone.
        QCOMPARE(SignallingList().front(), std::string("无"));
        QCOMPARE(SignallingList().size(), CombinedToneList().size() + 1);
        for (const std::string& text : CombinedToneList()) {
            QCOMPARE(ToneValueToText(ToneTextToValue(text)), text);
            QCOMPARE(NormalizeToneText(text), text);
        }
        // Whatever two bytes a radio holds, the text they show stores bytes
        // that show the same text again.
        for (int lo = 0; lo < 256; ++lo) {
            for (int hi = 0; hi < 256; ++hi) {
                const std::string shown = ToneValueToText({std::uint8_t(lo), std::uint8_t(hi)});
                const ToneCode stored = ToneTextToValue(shown);
                if (ToneTextToValue(ToneValueToText(stored)) != stored)
                    QFAIL(qPrintable(QString("%1 %2 -> %3").arg(lo, 2, 16).arg(hi, 2, 16).arg(
                        QString::fromStdString(shown))));
            }
        }
    }

    void normalizeToneText_data() {
        const char* const rows[][3] = {
            {"empty stays", "", ""},
            {"two blanks", "  ", "无"},
            {"d23", "d23", "D023N"},
            {"23i", "23i", "D023I"},
            {"ID23", "ID23", "D023I"},
            {"N754", "N754", "D754N"},
            {"d754i", "d754i", "D754I"},
            {"DN23", "DN23", "D023N"},
            {"dcs not in list", "D099", "D099N"},
            {"plain number is DCS", "100", "D100N"},
            {"67", "67", "D067N"},
            {"88.5", "88.5", "88.5"},
            {"88.50 kept as typed", "88.50", "88.50"},
            {"decimal comma", "88,5", "88.5"},
            // More than a decimal shows the value stored ("88.5D" read as DCS 8 before).
            {"stray letter", "88,5d", "88.5"},
            {"two points", "88..5", "88.0"},
            {"60.0 lower bound", "60.0", "60.0"},
            {"59.9", "59.9", "无"},
            {"280.0 upper bound", "280.0", "280.0"},
            {"280.1", "280.1", "无"},
            {"888", "888", "无"},
            {"777", "777", "D777N"},
            {"zero", "0", "无"},
            {"abc", "abc", "无"},
            {"negative", "D-5", "无"},
            {"huge", "99999999999999", "无"},
            {"none text", "无", "无"},
        };
        test::AddTextRows("typed", "expected", rows);
    }
    void normalizeToneText() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(NormalizeToneText(typed.toStdString())), expected);
    }

    void snapToStep() {
        QCOMPARE(SnapToStep(14501230), 14501000u);
        QCOMPARE(SnapToStep(43500710), 43500625u);
        QCOMPARE(SnapToStep(14501250), 14501250u); // tie: 250 = 250 -> 5 kHz raster
        QVERIFY(IsOffRaster(14501230) && !IsOffRaster(14500250) && !IsOffRaster(43500625));
        for (std::uint32_t f = 14500000; f < 14510000; f += 7) {
            const std::uint32_t s = SnapToStep(f);
            QVERIFY(s <= f && f - s < 625 && (s % 500 == 0 || s % 625 == 0));
        }
    }

    // Labels, record offsets and bands of the channel numbers.
    void channelNumbers() {
        const std::tuple<int, const char*, const char*> labels[] = {
            {1, "A001", "A 001"},     {128, "A128", "A 128"}, {129, "B001", "B 001"},
            {257, "A VFO", "A VFO"}, {258, "B VFO", "B VFO"}, {259, "", ""}, {0, "", ""}};
        for (const auto& [n, compact, row] : labels) {
            QCOMPARE(ChannelLabel(n), std::string(compact));
            QCOMPARE(GridRowLabel(n), std::string(row));
        }
        for (int n = 1; n <= 258; ++n) {
            QCOMPARE(ParseChannelLabel(ChannelLabel(n)), n);
            QCOMPARE(ParseChannelLabel(GridRowLabel(n)), n);
        }
        const std::pair<const char*, int> parsed[] = {{"b vfo", 258}, {"12", 12}, {"X1", 0},
                                                      {"a001", 0},    {"A200", 200}, {"B5", 133}};
        for (const auto& [text, n] : parsed)
            QCOMPARE(ParseChannelLabel(text), n);
        QCOMPARE(ChannelLabelList({1, 129, 257}), std::string("A001, B001, A VFO"));
        QCOMPARE(ChannelLabelList({1, 129, 257}, 2), std::string("A001, B001, …"));
        QCOMPARE(RecordOffset(129), 0x1000);
        QCOMPARE(RecordOffset(258), 0x2020);
        // A, B, and each VFO with its band; nothing outside 1..258.
        const std::pair<int, int> bands[] = {{0, -1},  {1, 0},   {128, 0}, {129, 1},
                                             {256, 1}, {257, 0}, {258, 1}, {259, -1}};
        for (const auto& b : bands)
            QCOMPARE(BandOfRecord(b.first), b.second);
    }

    void dtmfCodes() {
        // The code of a DTMF character is its position in the keypad order.
        const std::string keypad = "0123456789ABCD*#";
        for (std::size_t i = 0; i < keypad.size(); ++i)
            QCOMPARE(std::size_t(DtmfCharToCode(keypad[i])), i);
        QCOMPARE(DtmfCharToCode('E'), DtmfCharToCode('*'));
        QCOMPARE(DtmfCharToCode('F'), DtmfCharToCode('#'));
        for (char c : std::string("a eG /"))
            QCOMPARE(DtmfCharToCode(c), std::uint8_t(0xFF));
    }

    void bandTests() {
        // Limits are inclusive; overlapping bands try band 0 first.
        const BandLimits overlap{{13600000, 14000000}};
        const std::tuple<const BandLimits, std::uint32_t, int> bands[] = {
            {{}, 13600000, 0}, {{}, 17400000, 0},         {{}, 17400001, -1},
            {{}, 43500000, 1}, {{}, kUnsetFrequency, -1}, {overlap, 14500000, 0}};
        for (const auto& [limits, f, band] : bands)
            QCOMPARE(limits.BandOf(f), band);
        BandLimits limits;
        QVERIFY(limits.SameBand(14500000, 14600000));
        QVERIFY(!limits.SameBand(14500000, 43500000));
        QVERIFY(limits.SameBand(50000000, 60000000)); // both in none
        QVERIFY(!limits.SameBand(14500000, 50000000));
        QCOMPARE(limits.FirstConfiguredBand(), 0);
        limits.low[0] = 0;
        QCOMPARE(limits.FirstConfiguredBand(), 1);
        limits.high[1] = -1; // 0xFFFFFFFF
        QCOMPARE(limits.FirstConfiguredBand(), -1);
        const std::pair<std::uint32_t, int> calibration[] = {{13600000, 0},  {17400000, 0},
                                                             {17400001, -1}, {25000000, 1},
                                                             {52000000, 2},  {60000000, -1}};
        for (const auto& [f, band] : calibration)
            QCOMPARE(CalibrationBandOf(f), band);
    }

    void bandLimitsFromImageOnlyWhereSet() {
        RadioImage image;
        BandLimits limits;
        LoadBandLimitsFromImage(image, limits);
        QVERIFY(limits == BandLimits());
        image.SetFrequency(region::kBandLimits + 8, 35000000);
        image.SetFrequency(region::kBandLimits + 12, 52000000);
        LoadBandLimitsFromImage(image, limits);
        QCOMPARE(std::make_tuple(limits.low[0], limits.low[1], limits.high[1]),
                 std::make_tuple(13600000, 35000000, 52000000));
        // Bytes that are no digits load as the 99999999 storing them gives.
        image.SetByte(0x2E1F, 0xA0);
        LoadBandLimitsFromImage(image, limits);
        QCOMPARE(limits.high[1], 99999999);
        StoreBandLimitsToImage(BandLimits(), image);
        QCOMPARE(Bytes(image, 0x2E10, 16), QByteArray::fromHex("00006013000040170000004000000048"));
    }

    void bandPoints() {
        RadioImage image;
        RecomputeBandPointsAndSlopes(image, BandLimits());
        const QString band0 = "13600000 17400000 15500000 14900000 16100000";
        QCOMPARE(BandPoints(image), QStringList({band0, "20000000 26000000 23000000 22000000 24000000",
                                                 "40000000 48000000 44000000 42700000 45300000"}));
        QCOMPARE(image[0x3FAC], std::uint8_t(0xFF));
        // Limits as {low A, low B}, {high A, high B}. Band A straddles
        // calibration bands 0 and 1 (nothing inside band 0: its defaults);
        // band B sits inside band 1 (21 + 4/3 MHz rounded).
        RecomputeBandPointsAndSlopes(image, {{15000000, 21000000}, {22000000, 25000000}});
        QCOMPARE(BandPoints(image).mid(0, 2),
                 QStringList({band0, "21000000 25000000 23000000 22300000 23700000"}));
        // Both radio bands inside calibration band 2: the union is taken.
        RecomputeBandPointsAndSlopes(image, {{41000000, 44000000}, {43000000, 51000000}});
        QCOMPARE(BandPoints(image)[2].section(' ', 0, 1), QString("41000000 51000000"));
    }

    void slopes() {
        RadioImage image;
        const std::uint8_t rows[6][3] = {{40, 50, 45}, {7, 7, 7}, {10, 5, 5},
                                         {0, 255, 0},  {1, 2, 3}, {9, 9, 1}};
        for (int r = 0; r < 6; ++r)
            for (int i = 0; i < 3; ++i)
                image[0x3F39 + 3 * r + i] = rows[r][i];
        RecomputeBandPointsAndSlopes(image, BandLimits());
        // H = 1900000 for band 0: 1900000 / 10 = 190000, 1900000 / 5 = 380000 falling.
        QCOMPARE(Bytes(image, 0x3F4B, 6), QByteArray::fromHex("30e60260cc85"));
        QCOMPARE(Bytes(image, 0x3F51, 6), QByteArray::fromHex("000000000000"));
        // Band 1 defaults: H = 3000000; a > m: 3000000 / 5 = 600000 falling.
        QCOMPARE(Bytes(image, 0x3F57, 6), QByteArray::fromHex("c02789000000"));
        // 3000000 / 255 = 11764 rising, then 11764 falling.
        QCOMPARE(Bytes(image, 0x3F5D, 6), QByteArray::fromHex("f42d00f42d80"));
        QCOMPARE(image[0x3F6F], std::uint8_t(0xFF));
    }

    // First channels 0x2E20-21, presence and scan bitmaps 0x2E40-7F, the
    // band indexes 0x204F-50 repaired only when they point at no channel.
    void finalizeSummariesAndBitmaps() {
        RadioImage image;
        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(image, n);
        AddChannel(image, 5, 14500000, false);
        AddChannel(image, 10, 14600000, true);
        image[0x204F] = 0; // points at the empty A001
        FinalizeImage(image, BandLimits());
        auto hex = [&image](int offset, int count) { return Bytes(image, offset, count).toHex(); };
        QCOMPARE(hex(0x2E20, 2), "05ff");
        QCOMPARE(hex(0x2E40, 64), "1002" + QByteArray(28, '0') + "0002" + QByteArray(92, '0'));
        QCOMPARE(hex(0x204F, 2), "04fe"); // A005; no B channel at all
        QCOMPARE(hex(0x2E00, 16), "56312e302e31ffffffffffffffffffff");
        QCOMPARE(hex(0x2E28, 16) + hex(0x2E38, 8), QByteArray(48, 'f')); // 0x2E38 not written
        QCOMPARE(hex(0x1F70, 8), "b001040a080288aa");
        RadioImage table;
        WriteFixedTable(table);
        QCOMPARE(Bytes(image, 0x3F15, 10), Bytes(table, 0x3F15, 10));

        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(image, n);
        AddChannel(image, 3, 17400000, true);         // on the upper limit: present
        AddChannel(image, 4, 17400001, true);         // just above: absent
        AddChannel(image, 128 + 128, 48000000, true); // B128
        image[0x204F] = 2;                            // A003, present: kept
        image[0x2050] = 200; // beyond B128: reads the slot at 0x2000 + ..., absent
        FinalizeImage(image, BandLimits());
        QCOMPARE(hex(0x204F, 2), "027f");
        QCOMPARE(hex(0x2E21, 1) + hex(0x2E40, 1) + hex(0x2E6F, 1) + hex(0x2E7F, 1), "80048080");
    }

    void finalizeForcesSettingsBitsAndKeepsTheRest() {
        // Offset, byte before, byte after.
        const int bytes[][3] = {{0x204C, 0xFF, 0x9F},
                                {0x204D, 0xFF, 0x3F},
                                {0x204E, 0xFF, 0xCF},
                                {0x3000, 0x12, 0x12},
                                {0x2E38, 0x34, 0x34}};
        RadioImage image;
        for (const auto& [offset, before, after] : bytes)
            image[offset] = std::uint8_t(before);
        FinalizeImage(image, BandLimits());
        for (const auto& [offset, before, after] : bytes)
            QCOMPARE(int(image[offset]), after);
    }
};

QTEST_APPLESS_MAIN(CodecsTest)
#include "test_codecs.moc"
