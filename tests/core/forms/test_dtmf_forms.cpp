// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF dialog and its three pages, without a display.
#include <QtTest>
#include <clocale>

#include <tuple>

#include "core/codec/text.h"
#include "core/document/default_image.h"
#include "core/forms/dtmf_code_list_form.h"
#include "core/forms/dtmf_decode_form.h"
#include "core/forms/dtmf_dialog.h"
#include "core/forms/dtmf_encode_form.h"
#include "core/forms/form_driver.h"
#include "core/image/settings_layout.h"
#include "support/form_lines.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

using test::Hex;

// The DTMF dialog on its own state, driven by profile lines.
struct Dtmf {
    AppState state;
    FormContext ctx{state, {}, {}};
    DtmfDialog dialog{ctx};

    explicit Dtmf(bool open = true) {
        ApplyBuiltInDefaults(state.image);
        if (open)
            dialog.Open();
    }
    Form& page(int p) { return dialog.PageForm(p); }
    std::string Text(int p, int id) { return page(p).State(id).text; }
    std::string Code(int row) { return page(DtmfDialog::kCodeList).Cell(0, row, 0); }
    // The first `rows` rows of the code table, joined by '|'.
    std::string Codes(int rows) {
        std::string out = Code(0);
        for (int row = 1; row < rows; ++row)
            out += "|" + Code(row);
        return out;
    }
    void SetCodes(int first, std::initializer_list<const char*> texts) {
        for (const char* text : texts)
            state.image.SetDtmfString(dtmf::CodeEntry(first++), dtmf::kCodeLength, text);
    }
    std::string StoredCode(int n) {
        return state.image.DtmfString(dtmf::CodeEntry(n), dtmf::kCodeLength);
    }
    // Selects page p and applies "KEY=VALUE" there; fails the test on an error.
    void Do(int p, const std::string& text) {
        dialog.SelectPage(p);
        QVERIFY2(test::ApplyLine(page(p), text).empty(), text.c_str());
    }
};

using Enc = DtmfEncodeForm;
using Dec = DtmfDecodeForm;
using List = DtmfCodeListForm;
constexpr int kEnc = DtmfDialog::kEncode;
constexpr int kDec = DtmfDialog::kDecode;
constexpr int kList = DtmfDialog::kCodeList;

} // namespace

class DtmfFormsTest : public QObject {
    Q_OBJECT
private slots:
    // Every typed and shown decimal below keeps '.' under a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void storedValuesLoadNormaliseAndStore() {
        // A stored value: what its page shows and what closing stores back.
        const std::tuple<int, int, BitField, int, const char*, int> cases[] = {
            {kEnc, Enc::kRate, dtmf::kDigitRate, 0xFF, "10", 50},
            {kEnc, Enc::kRate, dtmf::kDigitRate, 34, "15", 34},
            {kEnc, Enc::kRate, dtmf::kDigitRate, 83, "6", 83},
            {kEnc, Enc::kFirstDigitDelay, dtmf::kFirstDigitDelay, 3, "100", 2},
            {kEnc, Enc::kFirstDigitDelay, dtmf::kFirstDigitDelay, 0xFF, "200", 4},
            {kEnc, Enc::kFirstDigitDelay, dtmf::kFirstDigitDelay, 20, "1000", 20},
            {kEnc, Enc::kFirstDigitTime, dtmf::kFirstDigitTime, 3, "100", 2},
            // Exact match: a stored 50 ms has no entry, it is not taken for 500.
            {kEnc, Enc::kFirstDigitTime, dtmf::kFirstDigitTime, 1, "100", 2},
            {kEnc, Enc::kFirstDigitTime, dtmf::kFirstDigitTime, 10, "500", 10},
            {kEnc, Enc::kStarHashTime, dtmf::kStarHashToneTime, 1, "100", 2},
            {kEnc, Enc::kStarHashTime, dtmf::kStarHashToneTime, 20, "1000", 20},
            {kEnc, Enc::kReplyWaitTime, dtmf::kReplyWaitTime, 0, "3", 3},
            {kEnc, Enc::kReplyWaitTime, dtmf::kReplyWaitTime, 200, "60", 60},
            {kEnc, Enc::kSideTone, settings::kDtmfSideTone, 3, "按键+ID", 3},
            {kDec, Dec::kStunType, dtmf::kStunType, 0xFF, "关", 0},
            {kDec, Dec::kStunType, dtmf::kStunType, 4, "关", 0},
            {kDec, Dec::kGroupCallCode, dtmf::kGroupCallCode, 5, "A", 0x0A},
            {kDec, Dec::kGroupCallCode, dtmf::kGroupCallCode, 0x0F, "#", 0x0F},
            {kDec, Dec::kAutoResetTime, dtmf::kAutoResetTime, 0, "10", 10},
            {kDec, Dec::kAutoResetTime, dtmf::kAutoResetTime, 61, "10", 10},
            {kDec, Dec::kDecodeTime, dtmf::kDecodeTime, 230, "2.3", 230},
            {kDec, Dec::kDecodeTime, dtmf::kDecodeTime, 0, "2.5", 250},
            {kDec, Dec::kDecodeTime, dtmf::kDecodeTime, 10, "0.1", 10},
            {kDec, Dec::kDecodeTime, dtmf::kDecodeTime, 255, "2.5", 250},
            {kDec, Dec::kStunActivation, dtmf::kStunActivation, 1, "开", 1},
            {kList, List::kSeparator, dtmf::kSeparator, 0xFF, "A", 0x0A},
            {kList, List::kSeparator, dtmf::kSeparator, 1, "A", 0x0A},
        };
        for (const auto& [page, id, field, value, shown, back] : cases) {
            Dtmf d(false);
            d.state.image.Set(field, value);
            d.dialog.Open();
            d.dialog.SelectPage(page);
            const std::string text = d.Text(page, id);
            d.dialog.Close();
            const std::string where = Format("page %d field %d value %d: ", page, id, value);
            QCOMPARE(where + text + " stores " + std::to_string(d.state.image.Get(field)),
                     where + shown + " stores " + std::to_string(back));
        }
    }

    void editsNormaliseAndStoreWhenTheTabIsLeft() {
        Dtmf d;
        const std::pair<const char*, int> delays[] = {{"250", 4},   {"1100", 4}, {"", 4},
                                                      {"1000", 20}, {"99", 4},   {"100", 2}};
        for (const auto& [typed, byte] : delays) {
            d.Do(kEnc, std::string("首位数码延迟时间 (ms)=") + typed);
            d.dialog.SelectPage(kDec); // leaving the tab stores
            QCOMPARE(d.state.image.Get(dtmf::kFirstDigitDelay), byte);
        }
        const std::pair<const char*, const char*> times[] = {{"3", "2.5"},   {"0", "2.5"},
                                                             {"25", "2.5"},  {"1", "1.0"},
                                                             {"0.1", "0.1"}, {"2.3", "2.3"}};
        for (const auto& [typed, shown] : times) {
            d.Do(kDec, std::string("解码时间 (s)=") + typed);
            QCOMPARE(d.Text(kDec, Dec::kDecodeTime), std::string(shown));
        }
        d.dialog.SelectPage(kEnc);
        QCOMPARE(d.state.image.Get(dtmf::kDecodeTime), 230);
        // PTT IDs: DTMF keys only, upper case, 16 characters.
        d.Do(kEnc, "PTT ID 发射开始=1e%a*#bcd0123456789");
        QCOMPARE(d.Text(kEnc, Enc::kPttIdStart), std::string("1A*#BCD012345678"));
        d.dialog.Close();
        QCOMPARE(Hex(d.state.image, dtmf::kPttIdStart, 16),
                 QByteArray("010A0E0F0B0C0D000102030405060708"));
        // A page stores when left, not before, and reloads when shown again:
        // the image changed behind it.
        Dtmf t;
        t.Do(kEnc, "速率 (digit/s)=15");
        QCOMPARE(t.state.image.Get(dtmf::kDigitRate), 50);
        t.dialog.SelectPage(kList);
        QCOMPARE(t.state.image.Get(dtmf::kDigitRate), 34);
        t.state.image.Set(dtmf::kDigitRate, 63);
        t.dialog.SelectPage(kEnc);
        QCOMPARE(t.Text(kEnc, Enc::kRate), std::string("8"));
        QCOMPARE(DtmfDialog::PageOfName("解码"), int(kDec));
        QCOMPARE(DtmfDialog::PageOfName("dtmf"), -1);
    }

    // PTT IDs and the alarm code read up to their end; bytes two pages share
    // keep the other page's bits.
    void bytesLoadAndStore() {
        Dtmf d(false);
        const QByteArray stored = QByteArray::fromHex("0102FF03") + QByteArray(12, '\x04');
        std::memcpy(d.state.image.data() + dtmf::kPttIdEnd, stored.constData(), 16);
        std::memcpy(d.state.image.data() + dtmf::kAlarmCode, "\x0D\x0E\x0F\x10\x01\x01\x01\x01", 8);
        d.state.image.SetByte(settings::kDtmfSideTone.offset, 0xE7); // side tone 0
        d.state.image.SetByte(dtmf::kWaitForReply.offset, 0x7B);     // wait 0, response 3
        d.dialog.Open();
        QCOMPARE(d.Text(kEnc, Enc::kPttIdEnd), std::string("12"));
        QCOMPARE(d.Text(kDec, Dec::kAlarmCode), std::string("D*#"));
        d.Do(kEnc, "侧音=ID");
        d.Do(kEnc, "等待回复=开");
        d.Do(kDec, "解码响应=无");
        d.dialog.Close();
        QCOMPARE(Hex(d.state.image, dtmf::kPttIdEnd, 16), QByteArray("0102") + QByteArray(28, 'F'));
        QCOMPARE(Hex(d.state.image, dtmf::kAlarmCode, 8), QByteArray("0D0E0FFFFFFFFFFF"));
        QCOMPARE(int(d.state.image.Byte(settings::kDtmfSideTone.offset)), 0xF7);
        QCOMPARE(int(d.state.image.Byte(dtmf::kWaitForReply.offset)), 0x7C);
    }

    void spinsWrap() {
        Dtmf d;
        const std::tuple<int, int, const char*, int, const char*> spins[] = {
            {kEnc, Enc::kFirstDigitDelay, "1000", 1, "100"},
            {kEnc, Enc::kFirstDigitDelay, "100", -1, "1000"},
            {kEnc, Enc::kFirstDigitDelay, "250", 1, "300"},
            {kEnc, Enc::kFirstDigitDelay, "250", -1, "200"},
            {kEnc, Enc::kFirstDigitDelay, "200", -1, "100"},
            {kEnc, Enc::kFirstDigitDelay, "", 1, "100"},
            {kEnc, Enc::kReplyWaitTime, "60", 1, "3"},
            {kEnc, Enc::kReplyWaitTime, "3", -1, "60"},
            {kDec, Dec::kAutoResetTime, "60", 1, "3"},
            {kDec, Dec::kAutoResetTime, "3", -1, "60"},
            {kDec, Dec::kAutoResetTime, "10", 1, "11"},
            {kDec, Dec::kDecodeTime, "2.5", 1, "0.1"},
            {kDec, Dec::kDecodeTime, "0.1", -1, "2.5"},
            {kDec, Dec::kDecodeTime, "2.3", 1, "2.4"},
            {kDec, Dec::kDecodeTime, "0.7", -1, "0.6"}};
        for (const auto& [p, id, from, delta, to] : spins) {
            d.page(p).State(id).text = from;
            d.page(p).SpinStep(id, delta);
            QCOMPARE(d.Text(p, id), std::string(to));
        }
    }

    void stunCodeEndsWithOneHash() {
        // 0x20CF starts as 55: it is written only after a 15-character code.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"123", "0102030FFFFFFFFFFFFFFFFFFFFFFF55", "123"},
            {"123#", "0102030F0FFFFFFFFFFFFFFFFFFFFF55", "123#"},
            {"123456789012345", "0102030405060708090001020304050F", "123456789012345"},
            {"12345678901234#", "01020304050607080900010203040F0F", "12345678901234"},
            {"", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF55", ""}};
        for (const auto& [typed, stored, shownAgain] : cases) {
            Dtmf d;
            d.state.image.SetByte(dtmf::kStunCode + 15, 0x55);
            d.Do(kDec, std::string("遥毙码=") + typed);
            d.dialog.SelectPage(kEnc);
            QCOMPARE(Hex(d.state.image, dtmf::kStunCode, 16), QByteArray(stored));
            d.dialog.SelectPage(kDec);
            QCOMPARE(d.Text(kDec, Dec::kStunCode), std::string(shownAgain));
        }
    }

    void autoDialSuffixFollowsGroupCodeSeparatorAndOwnId() {
        // Own ID 100: codes ending with "*100" follow the group call code;
        // others, and codes shorter than the suffix, stay as typed.
        Dtmf d(false);
        d.SetCodes(2, {"200*100", "12", "555", "7*1005"});
        d.dialog.Open();
        d.Do(kDec, "组呼码=A");
        d.dialog.SelectPage(kList); // leaving the tab stores and rewrites
        QCOMPARE(d.Codes(5), std::string("100A100|200A100|12|555|7*1005"));
        d.Do(kList, "5/编码=9*100"); // typed after the change: left alone
        d.dialog.Close();
        QCOMPARE(d.StoredCode(1), std::string("100A100"));
        QCOMPARE(d.StoredCode(6), std::string("9*100"));

        // Closed on the decode tab: the code list page stores its table
        // before the decode page rewrites, so the change reaches the codes.
        Dtmf onDecode;
        onDecode.Do(kDec, "组呼码=#");
        onDecode.dialog.Close();
        QCOMPARE(onDecode.StoredCode(1), std::string("100#100"));
        QCOMPARE(onDecode.state.image.Get(dtmf::kGroupCallCode), 0x0F);

        // No own ID: nothing to rewrite.
        Dtmf none(false);
        none.state.image.Fill(dtmf::kOwnId, dtmf::kOwnId + dtmf::kOwnIdLength, 0xFF);
        none.dialog.Open();
        none.Do(kDec, "组呼码=B");
        none.dialog.Close();
        QCOMPARE(none.StoredCode(1), std::string("100*100"));

        // The separator and the own ID replace their part of the suffix.
        Dtmf sep(false);
        sep.SetCodes(2, {"200*100", "200*1005", "1234567890123*10", "*10"});
        sep.dialog.Open();
        sep.Do(kList, "分隔符=#"); // "…*10" does not end with "*100"
        QCOMPARE(sep.Codes(5), std::string("100#100|200#100|200*1005|1234567890123*10|*10"));
        sep.Do(kList, "自身 ID="); // left empty: restored
        QCOMPARE(sep.Text(kList, List::kOwnId), std::string("100"));
        sep.Do(kList, "自身 ID=1000");
        QCOMPARE(sep.Codes(2), std::string("100#1000|200#1000"));
        sep.Do(kList, "分隔符=*");
        sep.Do(kList, "自身 ID=10");
        sep.Do(kList, "自身 ID=1234");
        // 18 characters shown, cut to 16 when stored; empty codes never change.
        QCOMPARE(sep.Codes(6), std::string("100*1234|200*1234|200*1005|1234567890123*1234|*1234|"));
        sep.dialog.Close();
        QCOMPARE(sep.StoredCode(4), std::string("1234567890123*12"));
        QCOMPARE(sep.state.image.Get(dtmf::kSeparator), 0x0E);

        // An invalid separator byte and no own ID: the old suffix is empty
        // and matches nothing, empty codes stay empty; the own ID is stored.
        Dtmf blank(false);
        blank.state.image.Fill(dtmf::kBegin, dtmf::kEnd, 0xFF);
        blank.SetCodes(2, {"123", "456#"});
        blank.dialog.Open();
        blank.Do(kList, "自身 ID=100");
        QCOMPARE(blank.Codes(10), std::string("|123|456#|||||||"));
        blank.dialog.Close();
        QCOMPARE(blank.StoredCode(2) + "|" + blank.StoredCode(3), std::string("123|456#"));
        QCOMPARE(int(blank.state.image.Byte(dtmf::CodeEntry(1))), 0xFF);
        QCOMPARE(blank.state.image.DtmfString(dtmf::kOwnId, 7), std::string("100"));
    }

    void codeListLoadsStoresAndComposesAniCalls() {
        Dtmf d(false);
        std::memcpy(d.state.image.data() + dtmf::CodeEntry(3), "\x01\x02\x0E\x0C\x0D\x10\x01\x01",
                    8);
        d.dialog.Open();
        QCOMPARE(d.Code(2), std::string("12*CD"));
        d.Do(kList, "呼叫ID=123");
        d.Do(kList, "分隔符=#");
        d.Do(kList, "自身 ID=4567");
        d.Do(kList, "ANI 呼叫=7");
        QCOMPARE(d.Code(7), std::string("123#4567"));
        d.Do(kList, "3/编码=e1a"); // E is no DTMF key: dropped
        QCOMPARE(d.Code(3), std::string("1A"));
        d.Do(kList, "自身 ID=4A5");
        QCOMPARE(d.Text(kList, List::kOwnId), std::string("45"));
        d.dialog.Close();
        QCOMPARE(Hex(d.state.image, dtmf::CodeEntry(3), 16),
                 QByteArray("01020E0C0D") + QByteArray(22, 'F'));
        QCOMPARE(d.StoredCode(8), std::string("123#45")); // the own ID change followed it
        // The call ID lives for the run, not in the image.
        QCOMPARE(d.state.dtmfCallId, std::string("123"));
        DtmfDialog again(d.ctx);
        again.Open();
        QCOMPARE(again.PageForm(kList).State(List::kCallId).text, std::string("123"));
    }
};

QTEST_GUILESS_MAIN(DtmfFormsTest)
#include "test_dtmf_forms.moc"
