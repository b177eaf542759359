#include <QtTest>

#include <climits>
#include <cmath>
#include <random>

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "support/text_rows.h"

using namespace kestra;

class CodecsTest : public QObject {
    Q_OBJECT
private slots:
    void textSeamFillsInTranslatedTemplates() {
        // Markers in any order, each value inserted once and never rescanned.
        QCOMPARE(FillIn("%2 / %1", {"a%2", "b"}), std::string("b / a%2"));
        QCOMPARE(FillIn("%1%1", {"x"}), std::string("xx"));
        // Markers without a value, "%0", a lone or trailing '%' stay as written.
        QCOMPARE(FillIn("%1 %3 %0 100% %", {"v"}), std::string("v %3 %0 100% %"));
        QCOMPARE(FillIn("", {"v"}), std::string());

        QCOMPARE(TranslateText("无"), std::string("无"));
        SetTextTranslator([](const char* source) {
            return std::string(source) == "无" ? std::string("none") : std::string(source);
        });
        QCOMPARE(TranslateText(kNoToneText), std::string("none"));
        QCOMPARE(TranslateText("高"), std::string("高"));
        SetTextTranslator(nullptr);
        QCOMPARE(TranslateText(kNoToneText), std::string("无"));
    }

    void bcdBytes() {
        QCOMPARE(ToBcd(7), std::uint8_t(0x07));
        QCOMPARE(ToBcd(42), std::uint8_t(0x42));
        QCOMPARE(ToBcd(99), std::uint8_t(0x99));
        QCOMPARE(FromBcd(0x59), 59);
        QCOMPARE(FromBcd(0xFF), 165); // not validated
        for (int v = 0; v <= 99; ++v)
            QCOMPARE(FromBcd(ToBcd(v)), v);
    }

    void frequencyBytesAndText() {
        std::uint8_t b[4];
        EncodeFrequency(14512500, b);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 4), QByteArray("\x00\x25\x51\x14", 4));
        QCOMPARE(DecodeFrequency(b), 14512500u);
        const std::uint8_t unset[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        QCOMPARE(DecodeFrequency(unset), kUnsetFrequency);

        QCOMPARE(TextToFrequency("145.125"), 14512500u);
        QCOMPARE(FrequencyToText(TextToFrequency("145.125")), std::string("145.12500"));
        QCOMPARE(TextToFrequency("136.003"), 13600300u);
        EncodeFrequency(TextToFrequency("136.003"), b);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 4), QByteArray("\x00\x03\x60\x13", 4));
        // strtod reading: blanks, trailing junk, no number at all.
        QCOMPARE(TextToFrequency("  438.5MHz"), 43850000u);
        QCOMPARE(TextToFrequency("abc"), 0u);
        QCOMPARE(TextToFrequency(""), 0u);
        QCOMPARE(TextToFrequency(".5"), 50000u);
        QCOMPARE(TextToFrequency("1.45e2"), 14500000u);
        QCOMPARE(TextToFrequency("-5"), 0u);
        QCOMPARE(FrequencyToText(0), std::string("0.00000"));
        QCOMPARE(FrequencyToText(99999999), std::string("999.99999"));
    }

    void frequencyTooLargeForEightDigitsIsClamped() {
        std::uint8_t b[4];
        EncodeFrequency(105012345, b); // would lose its leading digit
        QCOMPARE(DecodeFrequency(b), 99999999u);
    }

    // Digits beyond the fifth decimal are cut off, never rounded: rounding
    // would turn 145.124999 into 145.12500, a different channel.
    void typedFrequenciesAreTruncated_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("value");
        QTest::newRow("145.123459") << "145.123459" << 14512345u;
        QTest::newRow("145.124999") << "145.124999" << 14512499u;
        QTest::newRow("435.0062499") << "435.0062499" << 43500624u;
        QTest::newRow("136.0000099") << "136.0000099" << 13600000u;
        QTest::newRow("0.000009") << "0.000009" << 0u;
    }
    void typedFrequenciesAreTruncated() {
        QFETCH(QString, typed);
        QFETCH(uint, value);
        QCOMPARE(TextToFrequency(typed.toStdString()), std::uint32_t(value));
    }

    void bcdFieldsOfEveryWidth() {
        std::uint8_t b[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        WriteBcd(b, 3, 87500); // an FM frequency in kHz
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 4), QByteArray("\x00\x75\x08\xEE", 4));
        QCOMPARE(ReadBcd(b, 3), 87500u);
        WriteBcd(b, 3, 1000000); // seven digits in a six-digit field: all nines
        QCOMPARE(ReadBcd(b, 3), 999999u);
        QCOMPARE(b[3], std::uint8_t(0xEE));
        WriteBcd(b, 1, 42);
        QCOMPARE(b[0], std::uint8_t(0x42));
        for (std::uint32_t v : {0u, 1u, 99u, 100u, 123456u, 99999999u}) {
            WriteBcd(b, 4, v);
            QCOMPARE(ReadBcd(b, 4), v);
        }
    }

    void wordsAndBitFields() {
        std::uint8_t b[4] = {};
        WriteLe(b, 3, 0x123456);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(b), 3), QByteArray("\x56\x34\x12", 3));
        QCOMPARE(ReadLe(b, 3), 0x123456u);
        WriteBe(b, 2, 0x3F70);
        QCOMPARE(b[0], std::uint8_t(0x3F));
        QCOMPARE(b[1], std::uint8_t(0x70));
        QCOMPARE(ReadBe(b, 2), 0x3F70u);
        WriteLe(b, 4, 0xFFFFFFFFu);
        QCOMPARE(ReadLe(b, 4), 0xFFFFFFFFu);

        // Read-modify-write touches only the field's own bits, and a value
        // wider than the field is cut to the field.
        const BitField sideTone{0, 3, 2};
        QCOMPARE(sideTone.Into(0xFF, 0), std::uint8_t(0xE7));
        QCOMPARE(sideTone.Into(0x00, 3), std::uint8_t(0x18));
        QCOMPARE(sideTone.Into(0x00, 7), std::uint8_t(0x18));
        QCOMPARE(sideTone.From(0x0E), 1);
        QCOMPARE(WholeByte(0).Pack(0x1E), std::uint8_t(0x1E));
        QCOMPARE(BitField({0, 7, 1}).Pack(1), std::uint8_t(0x80));
    }

    void textHelpers() {
        int v = -1;
        QVERIFY(ScanWholeInt(" 42", v));
        QCOMPARE(v, 42);
        QVERIFY(ScanWholeInt("-7", v));
        QCOMPARE(v, -7);
        for (const char* bad : {"", "4x", "x4", "4 ", "0x10", "+"})
            QVERIFY2(!ScanWholeInt(bad, v), bad);
        QCOMPARE(LeadingInt("12abc"), 12);
        QCOMPARE(LeadingInt("abc"), 0);
        QCOMPARE(LeadingInt("99999999999"), INT_MAX);
        QCOMPARE(LeadingDecimal(" 2.5e1x"), 25.0);
        QVERIFY(EqualsIgnoreCase("qDm537", "QDM537"));
        QVERIFY(!EqualsIgnoreCase("QDM53", "QDM537"));
        // Only ASCII letters fold; other bytes compare as they are.
        QVERIFY(!EqualsIgnoreCase("\xC3\xA9", "\xC3\x89"));
        QVERIFY(StartsWithIgnoreCase("com3", "COM"));
        QVERIFY(!StartsWithIgnoreCase("CO", "COM"));
        QVERIFY(StartsWith("载波", "载"));
        QVERIFY(!StartsWith("载", "载波"));
        QCOMPARE(ToUpperAscii("d23i 无"), std::string("D23I 无"));
    }

    void exactMulScalesTypedDecimals() {
        // Every typed frequency with up to five decimals must scale exactly,
        // where the binary product falls just below the integer.
        int binaryWrong = 0;
        for (int khz = 13600000; khz < 13700000; khz += 3) {
            const std::string text = FrequencyToText(static_cast<std::uint32_t>(khz));
            const double typed = std::strtod(text.c_str(), nullptr);
            QCOMPARE(static_cast<std::uint32_t>(ExactMul(typed, 100000.0)),
                     static_cast<std::uint32_t>(khz));
            if (static_cast<int>(typed * 100000.0) != khz)
                ++binaryWrong;
        }
        QVERIFY(binaryWrong > 0); // the plain product really is wrong somewhere
        // Factors that are no power of ten, signs and zero.
        QCOMPARE(ExactMul(-1.5, 2.0), -3.0);
        QCOMPARE(ExactMul(0.0, 5.0), 0.0);
        QCOMPARE(ExactMul(885, 0.1), 88.5);
    }

    // The list round trip below pins texts to codes only through each
    // other; these pin the bytes.
    void toneStoredValues() {
        QCOMPARE(ToneTextToValue("88.5"), (ToneCode{0x85, 0x08}));
        QCOMPARE(ToneTextToValue("254.1"), (ToneCode{0x41, 0x25}));
        QCOMPARE(ToneTextToValue("D023N"), (ToneCode{0x23, 0x80}));
        QCOMPARE(ToneTextToValue("D754I"), (ToneCode{0x54, 0xC7}));
        QCOMPARE(ToneValueToText({0x00, 0x00}), std::string("0.0"));
        QCOMPARE(ToneValueToText({0xFF, 0xFF}), std::string("无"));
        QCOMPARE(ToneTextToValue("无"), kNoTone);
        // An empty text means no tone, never the unknown CTCSS code 00 00.
        QCOMPARE(ToneTextToValue(""), kNoTone);
    }

    void toneRoundTripsOverEveryListEntry() {
        QCOMPARE(CtcssTextList().size(), size_t(50));
        QCOMPARE(DcsTextList().size(), size_t(214));
        QCOMPARE(CombinedToneList().size(), size_t(264));
        QCOMPARE(CombinedToneList().front(), std::string("67.0"));
        QCOMPARE(CombinedToneList()[50], std::string("D017N"));
        QCOMPARE(CombinedToneList()[157], std::string("D017I"));
        QCOMPARE(CombinedToneList().back(), std::string("D754I"));
        for (const std::string& text : CombinedToneList()) {
            const ToneCode code = ToneTextToValue(text);
            QCOMPARE(ToneValueToText(code), text);
            QCOMPARE(NormalizeToneText(text), text);
        }
        for (std::size_t i = 0; i < CtcssTones().size(); ++i) {
            const int t = CtcssTones()[i];
            const ToneCode code = ToneTextToValue(CtcssTextList()[i]);
            QCOMPARE(code, (ToneCode{ToBcd(t % 100), ToBcd(t / 100)}));
        }
    }

    void toneCodesSettleAfterOneRoundTrip() {
        // Whatever two bytes a radio holds, the text they show stores bytes
        // that show the same text again.
        for (int lo = 0; lo < 256; ++lo) {
            for (int hi = 0; hi < 256; ++hi) {
                const std::string shown = ToneValueToText({std::uint8_t(lo), std::uint8_t(hi)});
                const ToneCode stored = ToneTextToValue(shown);
                const std::string again = ToneValueToText(stored);
                if (ToneTextToValue(again) != stored)
                    QFAIL(qPrintable(QString("%1 %2 -> %3 -> %4")
                                         .arg(lo, 2, 16)
                                         .arg(hi, 2, 16)
                                         .arg(QString::fromStdString(shown))
                                         .arg(QString::fromStdString(again))));
            }
        }
        // Codes that do not fit their two bytes are stored as no tone rather
        // than as another kind of tone.
        QCOMPARE(ToneTextToValue("D6399N"), (ToneCode{0x99, 0xBF}));
        QCOMPARE(ToneTextToValue("D6400N"), kNoTone);
        QCOMPARE(ToneTextToValue("D6299I"), (ToneCode{0x99, 0xFE}));
        QCOMPARE(ToneTextToValue("D6300I"), kNoTone);
        QCOMPARE(ToneTextToValue("799.9"), (ToneCode{0x99, 0x79}));
        QCOMPARE(ToneTextToValue("850.0"), kNoTone);
        QCOMPARE(ToneTextToValue("-5.0"), kNoTone);
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
            const double factor = std::strtod(("1e" + std::to_string(shift)).c_str(), nullptr);
            const std::string shifted = text + "e" + std::to_string(shift);
            const double expected = std::strtod(shifted.c_str(), nullptr);
            const double actual = ExactMul(std::strtod(text.c_str(), nullptr), factor);
            if (actual != expected)
                QFAIL(qPrintable(QString::fromStdString(text + " * 1e" + std::to_string(shift))));
        }
        // Values where a quick double computation cannot decide the rounding.
        QCOMPARE(ExactMul(0.1 + 0.2, 10.0), 3.0);
        QVERIFY(std::isinf(ExactMul(1e300, 1e10)));
        QCOMPARE(ExactMul(123456789012345.5, 1.0), 123456789012346.0);
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
        QVERIFY(IsOffRaster(14501230));
        QVERIFY(!IsOffRaster(14500250));
        QVERIFY(!IsOffRaster(43500625));
        for (std::uint32_t f = 14500000; f < 14510000; f += 7) {
            const std::uint32_t s = SnapToStep(f);
            QVERIFY(s <= f);
            QVERIFY(s % 500 == 0 || s % 625 == 0);
            QVERIFY(f - s < 625);
        }
    }

    void channelLabels() {
        QCOMPARE(ChannelLabel(1), std::string("A001"));
        QCOMPARE(ChannelLabel(128), std::string("A128"));
        QCOMPARE(ChannelLabel(129), std::string("B001"));
        QCOMPARE(ChannelLabel(257), std::string("A VFO"));
        QCOMPARE(ChannelLabel(258), std::string("B VFO"));
        QCOMPARE(ChannelLabel(259), std::string());
        QCOMPARE(ChannelLabel(0), std::string());
        QCOMPARE(GridRowLabel(5), std::string("A 005"));
        QCOMPARE(GridRowLabel(129), std::string("B 001"));
        QCOMPARE(GridRowLabel(258), std::string("B VFO"));
        for (int n = 1; n <= 258; ++n) {
            QCOMPARE(ParseChannelLabel(ChannelLabel(n)), n);
            QCOMPARE(ParseChannelLabel(GridRowLabel(n)), n);
        }
        QCOMPARE(ParseChannelLabel("B128"), 256);
        QCOMPARE(ParseChannelLabel("b vfo"), 258);
        QCOMPARE(ParseChannelLabel("12"), 12);
        QCOMPARE(ParseChannelLabel("X1"), 0);
        QCOMPARE(ParseChannelLabel("a001"), 0);
        QCOMPARE(ParseChannelLabel("A200"), 200);
        QCOMPARE(ParseChannelLabel("B5"), 133);
    }

    void dtmfCodes() {
        // The code of a DTMF character is its position in the keypad order.
        const std::string keypad = "0123456789ABCD*#";
        for (std::size_t i = 0; i < keypad.size(); ++i)
            QCOMPARE(std::size_t(DtmfCharToCode(keypad[i])), i);
        QCOMPARE(DtmfCharToCode('E'), DtmfCharToCode('*'));
        QCOMPARE(DtmfCharToCode('F'), DtmfCharToCode('#'));
        for (char c : std::string("a e#G /"))
            if (c != '#')
                QCOMPARE(DtmfCharToCode(c), std::uint8_t(0xFF));
    }

    void numbersIgnoreTheLocale() {
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        const std::string saved = old ? old : "C";
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") &&
            !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
            QSKIP("no locale with a decimal comma installed");
        QCOMPARE(FrequencyToText(14512500), std::string("145.12500"));
        QCOMPARE(TextToFrequency("145.125"), 14512500u);
        QCOMPARE(ToneValueToText({0x85, 0x08}), std::string("88.5"));
        std::setlocale(LC_NUMERIC, saved.c_str());
    }
};

QTEST_APPLESS_MAIN(CodecsTest)
#include "test_codecs.moc"
