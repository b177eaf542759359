// SPDX-License-Identifier: GPL-3.0-or-later
// The form machinery: the profile reader/writer, the key filters, the generic
// driver that applies a profile line as the user would, and the table-driven
// list fields.
#include <QtTest>

#include "core/forms/form_session.h"

#include "core/document/app_state.h"
#include "core/forms/form_driver.h"
#include "core/forms/profile.h"
#include "support/form_lines.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

// A form with one field of every kind that logs the events it receives.
class ProbeForm : public Form {
public:
    enum { kEdit, kSpin, kCombo, kList, kBox, kRadio, kGrid, kButton, kRowButton, kReadOnly };
    using Form::Form;
    std::string Title() const override { return "probe"; }
    const std::vector<FieldSpec>& Fields() const override {
        static const std::vector<FieldSpec> fields = [] {
            std::vector<FieldSpec> f(10);
            f[kEdit].key = "名字";
            f[kEdit].textLimit = 3;
            f[kSpin] = {"步进", FieldKind::SpinEdit};
            f[kSpin].filter = filters::kDigits;
            f[kCombo] = {"信令", FieldKind::TypeableCombo, {"无", "67.0"}};
            f[kList] = {"功率", FieldKind::DropDownList, {"低", "高", "高功率"}};
            f[kList].location = {0x10, 4, 2};
            f[kList].fallback.index = 1;
            f[kBox] = {"随机", FieldKind::CheckBox};
            f[kRadio] = {"范围", FieldKind::RadioGroup, {"全部", "A段"}};
            f[kGrid] = {"表", FieldKind::GridCell};
            f[kGrid].columns = {"编码", "a/b"};
            f[kGrid].filter = filters::kDtmf;
            f[kGrid].textLimit = 4;
            f[kButton] = {"应用", FieldKind::PushButton};
            f[kRowButton] = {"ANI 呼叫", FieldKind::PushButton};
            f[kRowButton].argumentGrid = kGrid;
            f[kReadOnly] = {"机型", FieldKind::Edit};
            f[kReadOnly].readOnly = true;
            return f;
        }();
        return fields;
    }
    void LoadFromImage() override {
        State(kGrid).rows = {"0", "1"};
        SetCell(kGrid, 0, 0, "12");
        LoadTableField(kList, 0);
        SetText(kReadOnly, "X-1");
    }
    void StoreToImage() override { StoreTableField(kList, 0); }
    void FocusGained(int id) override { Log("focus", id); }
    void TextTyped(int id) override { Log("typed", id); }
    void TextCommitted(int id) override { Log("lost", id); }
    void ListPicked(int id) override { Log("picked", id); }
    void BoxToggled(int id) override { Log("toggled", id); }
    void RadioPressed(int id) override { Log("pressed", id); }
    void ButtonPressed(int id, const std::string& arg) override { Log("button " + arg, id); }
    void SpinStep(int id, int delta) override { Log(delta > 0 ? "up" : "down", id); }
    void GridCellCommitted(int id, int row, int col) override {
        Log("cell " + std::to_string(row) + "," + std::to_string(col), id);
    }
    void Disable(int id) { Enable(id, false); }
    void Hide(int id) { State(id).visible = false; }

    QStringList log;

private:
    void Log(const std::string& what, int id) {
        log << QString::fromStdString(what + ":" + Spec(id).key + "=" + State(id).text);
    }
};

struct Probe {
    AppState state;
    FormContext ctx{state, {}, {}};
    ProbeForm form{ctx};
    Probe() { form.Open(); }
    // Applies "KEY=VALUE" (or a spin line); returns the error text, empty on success.
    QString Apply(const std::string& text) {
        return QString::fromStdString(test::ApplyLine(form, text));
    }
};

QString Parse(const std::string& text, std::vector<ProfileSection>& sections) {
    std::string error;
    return ParseProfile(text, "p.ini", sections, error) ? QString() : QString::fromStdString(error);
}

// A form's settings lines as a profile prints them.
QString Printed(const Form& form) {
    ProfileSection section;
    section.header = "f";
    section.lines = FormProfileLines(form);
    return QString::fromStdString(WriteProfile({section}));
}

// Sections as "[FORM|ARGUMENT]@N", their lines as "N:KEY=VALUE", "N:KEY++" or "N:KEY--".
QString Dump(const std::vector<ProfileSection>& sections) {
    std::string out;
    for (const ProfileSection& s : sections) {
        out += "[" + s.FormName() + "|" + s.Argument() + "]@" + std::to_string(s.number);
        for (const ProfileLine& l : s.lines)
            out += " " + std::to_string(l.number) + ":" + l.key +
                   (l.kind == ProfileLine::Kind::SpinUp     ? "++"
                    : l.kind == ProfileLine::Kind::SpinDown ? "--"
                                                            : "=" + l.value);
    }
    return QString::fromStdString(out);
}

} // namespace

class FormMachineryTest : public QObject {
    Q_OBJECT
private slots:
    void profileReaderTakesValuesVerbatim() {
        std::vector<ProfileSection> s;
        QCOMPARE(Parse("\xEF\xBB\xBF; comment\r\n# another\r\n\r\n[channel A005]\r\n"
                       "接收频率=145.0123\r\n信道名字= a=b \r\n信道号++\r\n信道号--\r\n"
                       "[ options ]\n提示音=\n \t\n\t; indented\n [model]\t\n",
                       s),
                 QString());
        // Blanks and '=' of a value kept; blanks around a blank, comment or
        // header line ignored.
        QCOMPARE(Dump(s),
                 QString("[channel|A005]@4 5:接收频率=145.0123 6:信道名字= a=b  7:信道号++ "
                         "8:信道号--[options|]@9 10:提示音=[model|]@13"));
        QCOMPARE(s[0].header, std::string("channel A005"));
        QVERIFY(!s[1].HasArgument());
        // A value that itself ends in "++" is a value, and a '\r' inside a line stays.
        s.clear();
        QCOMPARE(Parse("[a]\nk=x++\nk=a\rb\r\n", s), QString());
        QCOMPARE(Dump(s), QString("[a|]@1 2:k=x++ 3:k=a\rb"));
    }

    void profileReaderRejectsMalformedLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("where");
        QTest::newRow("line before section") << QByteArray("\nk=v\n") << "p.ini:2:";
        QTest::newRow("text after bracket") << QByteArray("[a] x\n") << "p.ini:1:";
        QTest::newRow("empty header") << QByteArray("[a]\n[ ]\n") << "p.ini:2:";
        QTest::newRow("nested brackets") << QByteArray("[a[b]]\n") << "p.ini:1:";
        QTest::newRow("no equals sign") << QByteArray("[a]\nkey value\n") << "p.ini:2:";
        QTest::newRow("bare plus") << QByteArray("[a]\n++\n") << "p.ini:2:";
        QTest::newRow("empty key") << QByteArray("[a]\n=v\n") << "p.ini:2:";
        QTest::newRow("invalid utf-8") << QByteArray("[a]\nk=v\nk=\xC3\n") << "p.ini:3:";
        QTest::newRow("utf-16") << QByteArray("\xFF\xFE[\0a\0]\0", 8)
                                << "p.ini:1: 不是 UTF-8 文本：文件以 UTF-16";
    }
    void profileReaderRejectsMalformedLines() {
        QFETCH(QByteArray, text);
        QFETCH(QString, where);
        std::vector<ProfileSection> s;
        const QString error = Parse(text.toStdString(), s);
        QVERIFY2(error.startsWith(where), qPrintable(error));
        QVERIFY(s.empty()); // nothing of a broken profile is taken
    }

    void profileReaderStreamsAndStopsAtTheFirstError() {
        // 8 MiB of sections after a bad line 2: the reader stops in the first
        // chunk, never reading the rest.
        const std::string text = "[fm]\nbad line\n" + std::string(8u << 20, '\n');
        std::size_t read = 0;
        ProfileReader reader(
            [&](char* buffer, std::size_t size, std::string&) {
                const std::size_t n = std::min(size, text.size() - read);
                text.copy(buffer, n, read);
                read += n;
                return static_cast<long>(n);
            },
            "p.ini");
        ProfileSection section;
        ProfileLine line;
        std::string error;
        QCOMPARE(int(reader.Next(section, line, error)), int(ProfileReader::Item::Header));
        QCOMPARE(int(reader.Next(section, line, error)), int(ProfileReader::Item::Error));
        QCOMPARE(QString::fromStdString(error),
                 QStringLiteral("p.ini:2: 应为 KEY=VALUE、KEY++ 或 KEY--"));
        QVERIFY(read <= (1u << 20));

        // Control characters of a header are shown, not passed on.
        AppState state;
        FormSession session(state);
        std::vector<ProfileSection> s;
        static const char raw[] = "[opt\0ions\x1B]\nk=v\r\n";
        QVERIFY(ParseProfile(std::string(raw, sizeof raw - 1), "p.ini", s, error));
        QVERIFY(!session.RunSection(s[0], error));
        QVERIFY2(error.find("[opt\\0ions\\x1B]") != std::string::npos, error.c_str());
    }

    void profileWriterRoundTrips() {
        ProfileSection a;
        a.header = "channel A VFO";
        a.lines.push_back({ProfileLine::Kind::Value, "信道名字", " x=y ", 0});
        a.lines.push_back({ProfileLine::Kind::Comment, "", "机型=T", 0});
        a.lines.push_back({ProfileLine::Kind::SpinDown, "信道号", "", 0});
        ProfileSection b;
        b.header = "model";
        const std::string text = WriteProfile({a, b});
        QCOMPARE(text, std::string("[channel A VFO]\n信道名字= x=y \n; 机型=T\n信道号--\n\n"
                                   "[model]\n\n"));
        std::vector<ProfileSection> back;
        QCOMPARE(Parse(text, back), QString());
        QCOMPARE(Dump(back), QString("[channel|A VFO]@1 2:信道名字= x=y  4:信道号--[model|]@6"));
    }

    void keyFiltersAndUtf8Limits() {
        QCOMPARE(filters::kDtmf.Apply("a1e*#%b"), std::string("A1*#B"));
        QCOMPARE(filters::kDecimal.Apply("14５.0x1"), std::string("14.01"));
        QCOMPARE(filters::kDecimal.Apply("12,5"), std::string("12.5")); // a decimal comma
        QCOMPARE(filters::kPrintableAscii.Apply("RPT\t1中~"), std::string("RPT1~"));
        QCOMPARE(KeyFilter{}.Apply("a\xC3z"), std::string("az")); // a broken byte is never typed
        QCOMPARE(Utf8Length("中文ab"), std::size_t(4));
        QCOMPARE(Utf8Left("中文字符", 3), std::string("中文字"));
        QCOMPARE(Utf8Left("ab", 5), std::string("ab"));
    }

    void pasteRunsFilterLimitTypingRuleThenFocusLoss() {
        Probe p;
        QCOMPARE(p.Apply("名字=中文字符"), QString());
        QCOMPARE(p.form.State(ProbeForm::kEdit).text, std::string("中文字"));
        QCOMPARE(p.form.log, QStringList({"focus:名字=", "typed:名字=中文字", "lost:名字=中文字"}));
        p.form.log.clear();
        QCOMPARE(p.Apply("步进=1a2b"), QString());
        QCOMPARE(p.form.State(ProbeForm::kSpin).text, std::string("12"));
        QCOMPARE(p.Apply("步进++"), QString());
        QCOMPARE(p.Apply("步进--"), QString());
        QCOMPARE(p.form.log.mid(3), QStringList({"up:步进=12", "down:步进=12"}));
        QCOMPARE(p.Apply("信令=d23"), QString());
        QCOMPARE(p.form.State(ProbeForm::kCombo).text, std::string("d23"));
    }

    void listsBoxesRadiosButtonsAndCells() {
        Probe p;
        QCOMPARE(p.form.State(ProbeForm::kList).index, 1); // 0xFF >> 4 & 3 = 3: fallback
        for (const char* line :
             {"功率=高", "功率=高功率", "随机=1", "随机=1", "范围=A段", "应用=", "ANI 呼叫=1"})
            QCOMPARE(p.Apply(line), QString());
        QVERIFY(p.form.State(ProbeForm::kBox).checked);
        QCOMPARE(p.form.State(ProbeForm::kRadio).index, 1);
        // A list or box set to what it shows hears nothing.
        QCOMPARE(p.form.log, QStringList({"picked:功率=高功率", "toggled:随机=", "pressed:范围=A段",
                                          "button :应用=", "button 1:ANI 呼叫="}));
        // Grid cells by row and column.
        p.form.log.clear();
        QCOMPARE(p.Apply("1/编码=a*e12345"), QString()); // filtered, cut to 4
        QCOMPARE(p.form.Cell(ProbeForm::kGrid, 1, 0), std::string("A*12"));
        QCOMPARE(p.Apply("0/a/b=9"), QString()); // a column title holding '/'
        QCOMPARE(p.form.Cell(ProbeForm::kGrid, 0, 1), std::string("9"));
        QCOMPARE(p.form.log, QStringList({"cell 1,0:表=", "cell 0,1:表="}));
    }

    // Refused lines: the error says why, no field changes or hears of it.
    void refusedLines() {
        Probe p;
        p.form.Disable(ProbeForm::kEdit);
        p.form.Hide(ProbeForm::kCombo);
        const QString before = Printed(p.form);
        const std::pair<const char*, const char*> refused[] = {
            {"功率=高 ", "“高 ”不是列表中的项（低, 高, 高功率）"}, {"功率=", "不是列表中的项"},
            {"功率++", "没有微调按钮"}, {"随机=yes", ""}, {"范围=B段", ""}, {"应用=1", "按钮不带值"},
            {"ANI 呼叫=", ""}, {"ANI 呼叫=7", ""}, {"2/编码=1", "此对话框中没有该项"},
            {"表=1", "逐个单元"}, {"没有=1", "此对话框中没有该项"}, {"机型=X", "该项只读"},
            {"名字=a", "该项不可用"}, {"信令=1", "该项未显示"}};
        for (auto [line, why] : refused) {
            const QString error = p.Apply(line);
            QVERIFY2(!error.isEmpty() && error.contains(why), line);
        }
        QCOMPARE(Printed(p.form), before);
        QVERIFY(p.form.State(ProbeForm::kEdit).text.empty() &&
                p.form.State(ProbeForm::kCombo).text.empty());
        QVERIFY(p.form.log.isEmpty());
    }

    void settingsLinesFollowTheTable() {
        Probe p;
        p.Apply("名字=ab");
        p.form.Disable(ProbeForm::kSpin);
        p.form.Hide(ProbeForm::kBox);
        QCOMPARE(Printed(p.form),
                 QString("[f]\n名字=ab\n信令=\n功率=高\n0/编码=12\n0/a/b=\n1/编码=\n"
                         "1/a/b=\n; 机型=X-1\n\n"));
        // Every printed line applies to a fresh form of the same kind.
        Probe q;
        for (const auto& l : FormProfileLines(p.form)) {
            std::string error;
            QVERIFY2(ApplyProfileLine(q.form, l, error), error.c_str());
        }
    }

    // Number fields over bytes 55 55 at 0x20 (offset 0x10 + base 0x10): what
    // they load, the bytes their typed text stores (clamped to what the bits
    // hold; a word is written whole, low byte first) and what loads back.
    void numberLocationsStoreAndLoad() {
        using Text = const char*;
        const std::tuple<BitField, StoredAs, bool, Text, Text, Text, Text> cases[] = {
            {{0x10, 0, 16}, StoredAs::Word, true, "5555", "1a2B", "2b 1a", "1A2B"},
            {{0x10, 6, 10}, StoredAs::Word, false, "341", "5", "40 01", "5"}, // x 64
            {{0x10, 6, 10}, StoredAs::Word, false, "341", "2000", "c0 ff", "1023"},
            {{0x10, 0, 16}, StoredAs::Word, false, "21845", "-7", "00 00", "0"},
            {{0x10, 4, 4}, StoredAs::Value, false, "5", "99", "f5 55", "15"}, // its bits only
        };
        for (const auto& [field, as, hex, before, typed, bytes, after] : cases) {
            RadioImage image;
            image.Fill(0x20, 0x22, 0x55);
            FieldSpec f("n", FieldKind::SpinEdit);
            f.location = {field, as};
            f.number.hex = hex;
            QCOMPARE(f.number.Show(LoadLocation(image, f.location, 0x10)), std::string(before));
            FieldState state;
            state.text = typed;
            StoreLocation(image, f.location, 0x10, StoredValueOf(f, state));
            QCOMPARE(test::Bytes(image, 0x20, 2).toHex(' '), QByteArray(bytes));
            QCOMPARE(f.number.Show(LoadLocation(image, f.location, 0x10)), std::string(after));
        }
    }
};

QTEST_GUILESS_MAIN(FormMachineryTest)
#include "test_form_machinery.moc"
