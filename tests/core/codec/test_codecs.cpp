// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <clocale>

#include <climits>
#include <cmath>
#include <random>

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "support/text_rows.h"

using namespace kestra;

namespace {

QByteArray Encoded(std::uint32_t value) {
    std::uint8_t b[4];
    EncodeFrequency(value, b);
    return QByteArray(reinterpret_cast<char*>(b), 4).toHex();
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
        SetTextTranslator([](const char* source) {
            return std::string(source) == "无" ? std::string("none") : std::string(source);
        });
        QCOMPARE(TranslateText(kNoToneText), std::string("none"));
        QCOMPARE(TranslateText("高"), std::string("高"));
        SetTextTranslator(nullptr);
        QCOMPARE(TranslateText(kNoToneText), std::string("无"));
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
    void typedFrequencies_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("value");
        const std::pair<const char*, uint> rows[] = {
            {"145.125", 14512500u},     {"136.003", 13600300u},    {"  438.5MHz", 43850000u},
            {"abc", 0u},                {"", 0u},                  {".5", 50000u},
            {"1.45e2", 14500000u},      {"-5", 0u},                {"145.123459", 14512345u},
            {"145.124999", 14512499u},  {"435.0062499", 43500624u}, {"136.0000099", 13600000u},
            {"0.000009", 0u},           {"1000", 99999999u}};
        for (const auto& [typed, value] : rows)
            QTest::newRow(typed) << QString(typed) << value;
    }
    void typedFrequencies() {
        QFETCH(QString, typed);
        QFETCH(uint, value);
        QCOMPARE(TextToFrequency(typed.toStdString()), std::uint32_t(value));
    }

    void wordsAndBitFields() {
        std::uint8_t b[4] = {};
        WriteLe(b, 3, 0x123456);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 3), QByteArray("\x56\x34\x12", 3));
        QCOMPARE(ReadLe(b, 3), 0x123456u);
        WriteBe(b, 2, 0x3F70);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 2), QByteArray("\x3F\x70", 2));
        QCOMPARE(ReadBe(b, 2), 0x3F70u);
        WriteLe(b, 4, 0xFFFFFFFFu);
        QCOMPARE(ReadLe(b, 4), 0xFFFFFFFFu);
        // Read-modify-write touches only the field's own bits, and a value
        // wider than the field is cut to the field.
        const BitField sideTone{0, 3, 2};
        QCOMPARE(sideTone.Into(0xFF, 0), std::uint8_t(0xE7));
        QCOMPARE(sideTone.Into(0x00, 7), std::uint8_t(0x18));
        QCOMPARE(sideTone.From(0x0E), 1);
        QCOMPARE(WholeByte(0).Pack(0x1E), std::uint8_t(0x1E));
        QCOMPARE(BitField({0, 7, 1}).Pack(1), std::uint8_t(0x80));
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
    }

    void toneRoundTripsOverEveryListEntry() {
        QCOMPARE(CombinedToneList().size(), CtcssTextList().size() + DcsTextList().size());
        QCOMPARE(CombinedToneList()[50], std::string("D017N"));
        QCOMPARE(CombinedToneList()[157], std::string("D017I"));
        for (const std::string& text : CombinedToneList()) {
            QCOMPARE(ToneValueToText(ToneTextToValue(text)), text);
            QCOMPARE(NormalizeToneText(text), text);
        }
    }

    void toneCodesSettleAfterOneRoundTrip() {
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

    void channelLabels() {
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
};

QTEST_APPLESS_MAIN(CodecsTest)
#include "test_codecs.moc"
