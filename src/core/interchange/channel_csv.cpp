// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/channel_csv.h"

#include <algorithm>
#include <array>

#include "core/codec/codecs.h"
#include "core/codec/decimal.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/codec/utf8.h"
#include "core/grid/channel_grid.h"
#include "core/image/channel_name.h"
#include "core/image/finalize.h"

namespace kestra {

namespace {

// The report's and the errors' texts. Column names (Frequency, Location, …)
// and the values quoted from the file stay as the file has them.
constexpr const char* kQuoteNotClosed =
    KESTRA_TEXT("kestra", "%1：第 %2 行开始的引号字段到文件末尾仍未闭合");
constexpr const char* kQuoteTooLong =
    KESTRA_TEXT("kestra", "%1：第 %2 行开始的引号字段超过 %3 行（是否缺少闭合引号？）");
constexpr const char* kHeaderLine = KESTRA_TEXT("kestra", "标题行");
constexpr const char* kRowN = KESTRA_TEXT("kestra", "第 %1 行");
constexpr const char* kRowLabelled = KESTRA_TEXT("kestra", "第 %1 行（%2）：%3");
constexpr const char* kRowWhat = KESTRA_TEXT("kestra", "第 %1 行：%2");
constexpr const char* kRowsWhat = KESTRA_TEXT("kestra", "行 %1：%2");
constexpr const char* kNotUtf8 = KESTRA_TEXT("kestra", "不是 UTF-8 文本（偏移 %1 处的字节无效）");
constexpr const char* kOffRaster = KESTRA_TEXT("kestra", "%1 → %2：不在频率步进上");
constexpr const char* kBelow10Hz = KESTRA_TEXT("kestra", "%1 → %2：电台以 10 Hz 为单位存储频率");
constexpr const char* kSkippedValue = KESTRA_TEXT("kestra", "已跳过：%1 %2");
constexpr const char* kNotDcsCode = KESTRA_TEXT("kestra", "已跳过：%1 %2 不是 DCS 码");
constexpr const char* kNotNumber = KESTRA_TEXT("kestra", "已跳过：%1 %2 不是数字");
constexpr const char* kNotUsableTone = KESTRA_TEXT("kestra", "已跳过：%1 %2 不是电台可用的亚音");
constexpr const char* kToneMoved = KESTRA_TEXT("kestra", "亚音 %1 → %2");
constexpr const char* kToneNotListed =
    KESTRA_TEXT("kestra", "亚音 %1 不在电台的亚音列表中，仍照此写入");
constexpr const char* kReverseSquelch = KESTRA_TEXT("kestra", "已跳过：反向静噪 %1");
constexpr const char* kNoFrequency = KESTRA_TEXT("kestra", "已跳过：没有 Frequency");
constexpr const char* kOutsideBands = KESTRA_TEXT("kestra", "已跳过：%1 %2 不在任一频段内");
constexpr const char* kTransmitOutside =
    KESTRA_TEXT("kestra", "已跳过：发射频率 %1 不在任一频段内");
constexpr const char* kNotPower = KESTRA_TEXT("kestra", "已跳过：%1 %2 不是 High、Low 或瓦数");
constexpr const char* kNameChanged = KESTRA_TEXT("kestra", "名称 %1 → %2");
constexpr const char* kCommentDropped = KESTRA_TEXT("kestra", "Comment %1 未导入：电台不存储备注");
constexpr const char* kNoFrequencyColumn = KESTRA_TEXT("kestra", "标题行中没有 Frequency 列");
// A spreadsheet of a comma-decimal locale separates its fields by semicolons.
constexpr const char* kSemicolonSeparated = KESTRA_TEXT(
    "kestra", "标题行中没有 Frequency 列：字段以分号分隔，请将文件另存为以逗号分隔的 CSV");
constexpr const char* kShortRow =
    KESTRA_COUNT_TEXT("kestra", "已跳过：%n 个字段，而标题行有 %1 个");
constexpr const char* kFieldTooLong = KESTRA_TEXT("kestra", "已跳过：%1 超过 %2 字节");
constexpr const char* kNotAChannel = KESTRA_TEXT("kestra", "已跳过：Location %1 不是信道 1..256");
constexpr const char* kChannelTaken = KESTRA_TEXT("kestra", "已跳过：信道 %1 已被第 %2 行占用");
constexpr const char* kChannelNotEmpty = KESTRA_TEXT("kestra", "已跳过：信道 %1 不是空的");
constexpr const char* kReplacedBy = KESTRA_TEXT("kestra", "被第 %1 行替换，落在 %2");
constexpr const char* kNoHeaderLine = KESTRA_TEXT("kestra", "没有标题行");
constexpr const char* kBeyondLastFree = KESTRA_TEXT("kestra", "已跳过：超出最后一个空闲信道");
constexpr const char* kRowsBeyondLastFree =
    KESTRA_TEXT("kestra", "已跳过：%1 行超出最后一个空闲信道");
constexpr const char* kMoreNotListed =
    KESTRA_COUNT_TEXT("kestra", "另有 %n 行被跳过或替换，未列出");
constexpr const char* kCsvTooLarge = KESTRA_TEXT("kestra", "大于 %1 MiB，即 CSV 文件的上限");
constexpr const char* kImportSummary = KESTRA_COUNT_TEXT("kestra", "已导入 %n 行，跳过 %1 行");
constexpr const char* kReplacedLater = KESTRA_TEXT("kestra", "，%1 行被后面的行替换");

std::string Text(const char* source, std::initializer_list<std::string> values) {
    return FillIn(TranslateText(source), values);
}

// The columns, in the order export writes them.
enum Column {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrcall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kColumnCount
};
// Import reads the columns up to Comment.
constexpr int kReadColumns = kComment + 1;

const std::vector<std::string>& Header() {
    static const std::vector<std::string> h = {
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return h;
}

// A value from the file for a message: escaped, and cut after 60 bytes
// with "…" when it is longer.
std::string Shown(std::string_view value) {
    constexpr std::size_t kShown = 60;
    if (value.size() <= kShown + 8)
        return EscapeControl(value);
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    return EscapeControl(value.substr(0, cut)) + "…";
}
std::string Quote(std::string_view value) {
    return "\"" + Shown(value) + "\"";
}

// Receives the fields of each record as the reader completes them.
class CsvSink {
public:
    virtual ~CsvSink() = default;
    // How many fields of the next record are kept; the others are only
    // counted.
    virtual std::size_t Kept() const = 0;
    // cut: the field was longer than the reader keeps, text is its start.
    virtual void Field(std::size_t index, std::string& text, bool cut) = 0;
    // False stops the reading (the sink's own fatal error).
    virtual bool EndRecord(std::size_t fields) = 0;
};

// The record reader: a state machine fed a piece at a time.
class CsvStream {
public:
    // keepBytes: the most of one field that is kept.
    CsvStream(CsvSink& sink, std::size_t keepBytes) : sink_(sink), keepBytes_(keepBytes) {
        kept_ = sink_.Kept();
        want_ = kept_ > 0;
    }

    bool Feed(std::string_view piece) {
        for (const char c : piece) {
            if (failed_)
                return false;
            if (!bomDone_) {
                bom_ += c;
                if (std::string_view("\xEF\xBB\xBF").substr(0, bom_.size()) == bom_) {
                    if (bom_.size() == 3) {
                        bomDone_ = true;
                        bom_.clear();
                        offset_ = 3;
                    }
                    continue;
                }
                bomDone_ = true;
                std::string pending;
                pending.swap(bom_);
                utf16Mark_ = StartsLikeUtf16(pending);
                for (const char p : pending)
                    if (!Byte(p))
                        return false;
                continue;
            }
            if (!Byte(c))
                return false;
        }
        return !failed_;
    }

    bool Finish() {
        if (!bomDone_) {
            bomDone_ = true;
            std::string pending;
            pending.swap(bom_);
            if (!Feed(pending))
                return false;
        }
        if (failed_)
            return false;
        if (utf8_.midCharacter())
            return Fail(NotUtf8());
        if (state_ == State::Quoted)
            return Fail(Text(kQuoteNotClosed, {RowName(), std::to_string(quoteLine_)}));
        if (recordStarted_ || state_ != State::FieldStart || index_ > 0)
            return EndRecord();
        return true;
    }

    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    std::string RowName() const {
        return records_ == 0 ? TranslateText(kHeaderLine) : Text(kRowN, {std::to_string(records_)});
    }
    std::string NotUtf8() const {
        return sequenceStart_ == 0 && utf16Mark_ ? Utf16Refusal()
                                                 : Text(kNotUtf8, {std::to_string(sequenceStart_)});
    }
    bool Fail(std::string message) {
        failed_ = true;
        error_ = std::move(message);
        return false;
    }

    void Keep(char c) {
        if (want_ && field_.size() < keepBytes_)
            field_ += c;
        else if (want_)
            cut_ = true;
    }
    void EndField() {
        if (want_)
            sink_.Field(index_, field_, cut_);
        field_.clear();
        cut_ = false;
        want_ = ++index_ < kept_;
    }
    bool EndRecord() {
        const bool blank = !recordStarted_ && index_ == 0 && state_ == State::FieldStart;
        EndField();
        const std::size_t fields = index_;
        index_ = 0;
        state_ = State::FieldStart;
        recordStarted_ = false;
        if (!blank) {
            if (!sink_.EndRecord(fields))
                return Fail(std::string());
            ++records_;
        }
        kept_ = sink_.Kept();
        want_ = kept_ > 0;
        return true;
    }

    bool Byte(char ch) {
        const auto c = static_cast<unsigned char>(ch);
        if (!utf8_.midCharacter())
            sequenceStart_ = offset_;
        if (utf8_.Take(c) == Utf8Reader::Step::Invalid)
            return Fail(NotUtf8());
        ++offset_;
        const bool lineBreak = c == '\r' || (c == '\n' && !afterCr_);
        const bool secondHalfOfCrLf = c == '\n' && afterCr_;
        afterCr_ = c == '\r';
        if (lineBreak)
            ++line_;
        switch (state_) {
        case State::Quoted:
            if (c == '"') {
                state_ = State::QuoteInQuoted;
                return true;
            }
            Keep(ch);
            if (lineBreak && ++quoteLines_ > kMaxQuotedFieldLines)
                return Fail(Text(kQuoteTooLong, {RowName(), std::to_string(quoteLine_),
                                                 std::to_string(kMaxQuotedFieldLines)}));
            return true;
        case State::QuoteInQuoted:
            if (c == '"') {
                Keep(ch);
                state_ = State::Quoted;
                return true;
            }
            state_ = State::Unquoted;
            break;
        case State::FieldStart:
            if (c == '"') {
                state_ = State::Quoted;
                recordStarted_ = true;
                quoteLine_ = line_;
                quoteLines_ = 1;
                return true;
            }
            break;
        case State::Unquoted:
            break;
        }
        if (c == ',') {
            recordStarted_ = true;
            EndField();
            state_ = State::FieldStart;
        } else if (c == '\r' || (c == '\n' && !secondHalfOfCrLf)) {
            return EndRecord();
        } else if (!secondHalfOfCrLf) {
            Keep(ch);
            recordStarted_ = true;
            state_ = State::Unquoted;
        }
        return true;
    }

    CsvSink& sink_;
    std::size_t keepBytes_;
    bool cut_ = false;
    bool failed_ = false;
    std::string error_;
    Utf8Reader utf8_;
    std::uint64_t offset_ = 0, sequenceStart_ = 0;
    bool bomDone_ = false;
    std::string bom_;
    bool utf16Mark_ = false;
    State state_ = State::FieldStart;
    std::string field_;
    std::size_t index_ = 0, kept_ = 0;
    bool want_ = true, recordStarted_ = false, afterCr_ = false;
    long line_ = 1, quoteLine_ = 0, records_ = 0;
    int quoteLines_ = 0;
};

// MHz with six decimals from 10 Hz units.
std::string Mhz6(std::uint32_t f) {
    std::string frac = std::to_string((f % 100000) * 10);
    return std::to_string(f / 100000) + "." + std::string(6 - frac.size(), '0') + frac;
}

bool IsDcs(const std::string& tone) {
    return !tone.empty() && tone[0] == 'D';
}
// The grid writes a DCS tone as D, at least three digits and N or I:
// "D023N", "D007I" or, from a radio's memory, "D1834N".
std::string DcsCodeOf(const std::string& tone) {
    const std::string digits = tone.substr(1, tone.size() - 2);
    return std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}
char DcsPolarityOf(const std::string& tone) {
    return tone.back() == 'I' ? 'R' : 'N';
}
bool IsCtcss(const std::string& tone) {
    return !tone.empty() && !IsDcs(tone) && tone != kNoToneText;
}

bool AllDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A spreadsheet reads a cell that starts with one of these as a formula.
bool StartsFormula(const std::string& s) {
    return !s.empty() && (s[0] == '=' || s[0] == '+' || s[0] == '-' || s[0] == '@');
}
// Import takes off a ' in front of a formula start (or of another such ').
std::string UnescapeName(const std::string& s) {
    if (s.size() > 1 && s[0] == '\'' && (StartsFormula(s.substr(1)) || s[1] == '\''))
        return s.substr(1);
    return s;
}
std::string EscapeName(const std::string& s) {
    return StartsFormula(s) || UnescapeName(s) != s ? "'" + s : s;
}

// The tuning step CHIRP would pick for the frequency (10 Hz units): the
// simplest of the usual steps that divides it.
std::string TuningStep(std::uint32_t f) {
    for (const auto& step : {std::pair<std::uint32_t, const char*>{500, "5.00"},
                             {1250, "12.50"},
                             {625, "6.25"},
                             {250, "2.50"}})
        if (f % step.first == 0)
            return step.second;
    return "5.00"; // off every raster: no usual step reaches it
}

// One CSV row, read and checked, ready to land on a channel.
struct RowPlan {
    std::string rx, tx; // grid texts; tx empty = no transmit
    std::string rxTone = kNoToneText, txTone = kNoToneText;
    bool high = true, scan = true, wide = true;
    std::string name;
    std::vector<std::string> changes;
    std::string skip; // non-empty: why the row is skipped
};

// The fields of one row, by column (blanks around them removed).
using RowValues = std::array<std::string, kReadColumns>;

// True when a number of MHz from the file has digits below 10 Hz that are
// not 0 ("145.500009"): the radio keeps 10 Hz units, reading drops them.
bool HasDigitsBelow10Hz(const std::string& mhz) {
    const auto point = mhz.find('.');
    return point != std::string::npos &&
           mhz.find_first_of("123456789", point + 6) != std::string::npos;
}

// A frequency through the grid's typing rules (in band, snapped onto the
// raster when off it, as CorrectTypedFrequency does for an in-band text);
// 0 when outside both bands.
std::uint32_t LandFrequency(const std::string& typed, std::uint32_t f, const BandLimits& limits,
                            RowPlan& plan) {
    if (f == 0 || !limits.InBand(f))
        return 0;
    const std::uint32_t landed = IsOffRaster(f) ? SnapToStep(f) : f;
    if (landed != f)
        plan.changes.push_back(Text(kOffRaster, {Shown(typed), FrequencyToText(landed)}));
    else if (HasDigitsBelow10Hz(typed))
        plan.changes.push_back(Text(kBelow10Hz, {Shown(typed), FrequencyToText(landed)}));
    return landed;
}

// True when a frequency of about mhz is far from every band (the exact
// reading and the band check decide near the limits).
bool FarFromBands(double mhz, const BandLimits& limits) {
    const double f = mhz * 100000.0;
    for (int b = 0; b < kBandCount; ++b)
        if (f >= limits.low[b] - 10.0 && f <= limits.high[b] + 10.0)
            return false;
    return true;
}

// A tone from its CSV field: CTCSS "88.5", or DCS code "023" with polarity
// N/R. Every tone the grid takes is taken; one that is not in the radio's
// list is noted.
std::string ToneFromCsv(bool dcs, Column column, const RowValues& v, char polarity, RowPlan& plan) {
    if (!plan.skip.empty())
        return kNoToneText;
    const std::string& value = v[column];
    const std::string quoted = Quote(value);
    std::string typed;
    if (dcs) {
        if (!AllDigits(value)) {
            plan.skip = Text(kNotDcsCode, {Header()[column], quoted});
            return kNoToneText;
        }
        typed = "D" + std::string(value.size() < 3 ? 3 - value.size() : 0, '0') + value +
                (polarity == 'R' ? "I" : "N");
    } else {
        if (!ParseDecimal(value)) {
            plan.skip = Text(kNotNumber, {Header()[column], quoted});
            return kNoToneText;
        }
        typed = value.find('.') == std::string::npos ? value + ".0" : value; // "100" is 100.0 Hz
    }
    // The typing rule decides, as in the grid.
    const std::string normalized = NormalizeToneText(typed);
    if (normalized.empty() || normalized == kNoToneText) {
        plan.skip = Text(kNotUsableTone, {Header()[column], quoted});
        return kNoToneText;
    }
    const std::string tone = ToneValueToText(ToneTextToValue(normalized));
    const auto& list = CombinedToneList();
    if (!dcs && *ParseDecimal(value) != *ParseDecimal(tone))
        plan.changes.push_back(Text(kToneMoved, {Shown(value), tone}));
    const std::string unlisted = Text(kToneNotListed, {tone});
    if (std::find(list.begin(), list.end(), tone) == list.end() &&
        std::find(plan.changes.begin(), plan.changes.end(), unlisted) == plan.changes.end())
        plan.changes.push_back(unlisted); // once when both directions have it
    return tone;
}

void PlanTones(const RowValues& v, RowPlan& plan) {
    const std::string& mode = v[kTone];
    std::string pol = ToUpperAscii(v[kDtcsPolarity]);
    if (!pol.empty() && pol != "NN" && pol != "NR" && pol != "RN" && pol != "RR") {
        plan.skip = Text(kSkippedValue, {"DtcsPolarity", Quote(v[kDtcsPolarity])});
        return;
    }
    pol.resize(2, 'N');
    const auto ctcssTx = [&] { return ToneFromCsv(false, kRToneFreq, v, 'N', plan); };
    const auto ctcssRx = [&] { return ToneFromCsv(false, kCToneFreq, v, 'N', plan); };
    const auto dcsTx = [&] { return ToneFromCsv(true, kDtcsCode, v, pol[0], plan); };
    const auto dcsRx = [&](Column col) { return ToneFromCsv(true, col, v, pol[1], plan); };
    if (mode.empty())
        return;
    if (mode == "Tone") {
        plan.txTone = ctcssTx();
    } else if (mode == "TSQL") {
        plan.txTone = plan.rxTone = ctcssRx();
    } else if (mode == "DTCS") {
        plan.txTone = dcsTx();
        plan.rxTone = dcsRx(kDtcsCode);
    } else if (mode == "Cross") {
        const std::string cross = v[kCrossMode].empty() ? "Tone->Tone" : v[kCrossMode];
        const auto arrow = cross.find("->");
        const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        if ((txKind != "" && txKind != "Tone" && txKind != "DTCS") ||
            (rxKind != "" && rxKind != "Tone" && rxKind != "DTCS") ||
            (txKind.empty() && rxKind.empty())) {
            plan.skip = Text(kSkippedValue, {"CrossMode", Quote(cross)});
            return;
        }
        if (txKind == "Tone")
            plan.txTone = ctcssTx();
        else if (txKind == "DTCS")
            plan.txTone = dcsTx();
        if (rxKind == "Tone")
            plan.rxTone = ctcssRx();
        else if (rxKind == "DTCS")
            plan.rxTone = dcsRx(kRxDtcsCode);
    } else if (mode == "TSQL-R" || mode == "DTCS-R") {
        plan.skip = Text(kReverseSquelch, {Quote(mode)});
    } else {
        plan.skip = Text(kSkippedValue, {"Tone", Quote(mode)});
    }
}

// High or low from "High"/"Low"/"H"/"L" or watts ("5.0W", 2.5 W or more is
// high); nullopt for anything else.
std::optional<bool> PowerFromCsv(const std::string& text) {
    const std::string power = ToUpperAscii(text);
    if (power.empty() || power == "HIGH" || power == "H")
        return true;
    if (power == "LOW" || power == "L")
        return false;
    const std::string number = power.back() == 'W' ? power.substr(0, power.size() - 1) : power;
    const std::optional<double> watts = ParseDecimal(number);
    if (!watts || *watts < 0)
        return std::nullopt;
    return *watts >= 2.5;
}

// The transmit frequency from Duplex and Offset; skip says why when there is
// none the radio can take.
void PlanTransmit(const RowValues& v, std::uint32_t rxLanded, const BandLimits& limits,
                  RowPlan& plan) {
    const std::string& duplex = v[kDuplex];
    std::uint32_t offset = 0;
    if (duplex == "+" || duplex == "-" || duplex == "split") {
        const std::optional<double> o = ParseDecimal(v[kOffset]);
        if (!v[kOffset].empty() && (!o || *o < 0)) {
            plan.skip = Text(kNotNumber, {"Offset", Quote(v[kOffset])});
            return;
        }
        offset = TextToFrequency(v[kOffset]);
        if (duplex != "split" && HasDigitsBelow10Hz(v[kOffset]))
            plan.changes.push_back(Text(kBelow10Hz, {Shown(v[kOffset]), FrequencyToText(offset)}));
    }
    std::uint32_t tx = rxLanded;
    if (duplex == "-" && offset > rxLanded) {
        plan.skip = Text(kTransmitOutside, {"-" + Mhz6(offset - rxLanded)});
        return;
    }
    if (duplex == "+") {
        tx = rxLanded + offset;
    } else if (duplex == "-") {
        tx = rxLanded - offset;
    } else if (duplex == "split") {
        tx = offset;
    } else if (duplex == "off") {
        return; // receive only
    } else if (!duplex.empty()) {
        plan.skip = Text(kSkippedValue, {"Duplex", Quote(duplex)});
        return;
    }
    // A split frequency is quoted as the file has it (its digits below
    // 10 Hz are gone from tx).
    const std::uint32_t txLanded =
        LandFrequency(duplex == "split" ? v[kOffset] : Mhz6(tx), tx, limits, plan);
    if (txLanded == 0)
        plan.skip = Text(kTransmitOutside, {Mhz6(tx)});
    else
        plan.tx = FrequencyToText(txLanded);
}

RowPlan PlanRow(const RowValues& v, const std::string& rawName, const BandLimits& limits) {
    RowPlan plan;
    const std::string& freq = v[kFrequency];
    if (freq.empty()) {
        plan.skip = TranslateText(kNoFrequency);
        return plan;
    }
    const std::optional<double> mhz = ParseDecimal(freq);
    if (!mhz || *mhz < 0) {
        plan.skip = Text(kNotNumber, {"Frequency", Quote(freq)});
        return plan;
    }
    const std::uint32_t rxLanded =
        FarFromBands(*mhz, limits) ? 0 : LandFrequency(freq, TextToFrequency(freq), limits, plan);
    if (rxLanded == 0) {
        plan.skip = Text(kOutsideBands, {"Frequency", Quote(freq)});
        return plan;
    }
    plan.rx = FrequencyToText(rxLanded);
    PlanTransmit(v, rxLanded, limits, plan);
    if (!plan.skip.empty())
        return plan;
    PlanTones(v, plan);
    if (!plan.skip.empty())
        return plan;
    const std::string mode = ToUpperAscii(v[kMode]);
    if (mode == "NFM") {
        plan.wide = false;
    } else if (!mode.empty() && mode != "FM") {
        plan.skip = Text(kSkippedValue, {"Mode", Quote(v[kMode])});
        return plan;
    }
    plan.scan = ToUpperAscii(v[kSkip]) != "S";
    const std::optional<bool> high = PowerFromCsv(v[kPower]);
    if (!high) {
        plan.skip = Text(kNotPower, {"Power", Quote(v[kPower])});
        return plan;
    }
    plan.high = *high;
    // Blanks around the name go, the spreadsheet escape goes, then what the
    // radio cannot show; all but the escape is reported.
    const std::string name = UnescapeName(v[kName]);
    std::string kept;
    for (char ch : name)
        if (ch >= 0x20 && ch <= 0x7E &&
            kept.size() < static_cast<std::size_t>(ChannelRecord::kNameLength))
            kept += ch;
    if (kept != name || v[kName] != rawName)
        plan.changes.push_back(Text(kNameChanged, {Quote(rawName), Quote(kept)}));
    plan.name = kept;
    if (!v[kComment].empty())
        plan.changes.push_back(Text(kCommentDropped, {Quote(v[kComment])}));
    return plan;
}

// The row onto channel n, through the grid's commit rules.
void LandRow(const RowPlan& plan, ChannelGrid& grid, RadioImage& image, const BandLimits& limits,
             int n) {
    CommitFrequency(grid, image, limits, GridCell{n, kColRx}, plan.rx);
    grid.SetText(n, kColTx, plan.tx);
    CommitTone(grid, GridCell{n, kColRxTone}, plan.rxTone);
    CommitTone(grid, GridCell{n, kColTxTone}, plan.txTone);
    CommitChoice(grid, GridCell{n, kColPower}, plan.high ? gridtext::kHigh : gridtext::kLow);
    CommitChoice(grid, GridCell{n, kColScan}, plan.scan ? gridtext::kYes : gridtext::kNo);
    CommitChoice(grid, GridCell{n, kColBandwidth}, plan.wide ? gridtext::kWide : gridtext::kNarrow);
    ChannelRecord rec(image, n);
    WriteChannelName(rec, plan.name);
}

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

// Collects the records whole (ParseCsv), up to `most` of them.
class CollectSink : public CsvSink {
public:
    explicit CollectSink(std::size_t most) : most_(most) {}
    std::vector<std::vector<std::string>> records;
    bool Full() const { return records.size() >= most_; }
    std::size_t Kept() const override { return std::string::npos; }
    void Field(std::size_t, std::string& text, bool) override { record_.push_back(text); }
    bool EndRecord(std::size_t) override {
        records.push_back(std::move(record_));
        record_.clear();
        return !Full(); // false stops the reading there
    }

private:
    std::size_t most_;
    std::vector<std::string> record_;
};

} // namespace

// The import: the header maps columns, each row is planned as it completes,
// and the plans wait in their channel's slot until Finish lands them.
struct CsvChannelImport::State : CsvSink {
    State(RadioImage& target, const CsvImportOptions& o) : image(target), options(o) {
        next = options.start < 1 ? 1 : options.start;
        // Started beyond the memory channels, no row can land: the rows need
        // the band limits only (a preview asks so for each row of a long file).
        if (next > kMemoryChannels && !options.keepLocation)
            LoadBandLimitsFromImage(image, limits);
        else
            RenderGrid(grid, image, limits);
        column.fill(std::string::npos);
    }

    struct Slot {
        bool used = false;
        long row = 0;
        std::string label;
        RowPlan plan;
    };
    struct Entry {
        long row;
        CsvReportEntry entry;
    };

    RadioImage& image;
    CsvImportOptions options;
    ChannelGrid grid;
    BandLimits limits;
    std::size_t bytes = 0;
    std::string error; // fatal, from the header or the size
    bool haveHeader = false;
    bool semicolons = false; // a header field holds "Frequency" between semicolons
    std::size_t headerFields = 0, lastWanted = 0;
    std::array<std::size_t, kReadColumns> column;
    RowValues values;
    std::array<bool, kReadColumns> cut{};
    std::string rawName;
    // The previous row and its plan: a file of equal rows is planned once.
    RowValues lastValues;
    std::string lastRawName;
    RowPlan lastPlan;
    bool haveLast = false;
    long row = 0;
    int next = 1;
    std::array<Slot, kMemoryChannels + 1> slots;
    long overflowFirst = 0, overflowLast = 0;
    std::string overflowLabel;
    std::vector<Entry> entries;
    long hidden = 0, hiddenFirst = 0, hiddenLast = 0;
    CsvImportResult result;
    CsvStream stream{*this, kKeptFieldBytes}; // last: it asks the members above

    std::size_t Kept() const override {
        return !haveHeader ? std::string::npos : overflowFirst == 0 ? lastWanted + 1 : 0;
    }

    void Field(std::size_t index, std::string& text, bool wasCut) override {
        if (!haveHeader) {
            if (text.empty())
                return;
            const std::string name(TrimBlanks(text));
            semicolons = semicolons || (name.find(';') != std::string::npos &&
                                        name.find(Header()[kFrequency]) != std::string::npos);
            for (int c = 0; c < kReadColumns; ++c)
                if (column[c] == std::string::npos && name == Header()[c])
                    column[c] = index;
            return;
        }
        for (int c = 0; c < kReadColumns; ++c)
            if (column[c] == index) {
                if (c == kName)
                    rawName = text;
                const auto b = text.find_first_not_of(" \t");
                if (b == std::string::npos)
                    values[c].clear();
                else
                    values[c].assign(text, b, text.find_last_not_of(" \t") - b + 1);
                cut[c] = wasCut;
            }
    }

    bool EndRecord(std::size_t fields) override {
        if (!haveHeader)
            return EndHeader(fields);
        ++row;
        Row(fields);
        for (std::string& v : values)
            v.clear();
        cut.fill(false);
        rawName.clear();
        return true;
    }

    bool EndHeader(std::size_t fields) {
        haveHeader = true;
        headerFields = fields;
        if (column[kFrequency] == std::string::npos) {
            error = TranslateText(semicolons ? kSemicolonSeparated : kNoFrequencyColumn);
            return false;
        }
        // A file with one of the two tone columns uses it for both.
        if (column[kRToneFreq] == std::string::npos)
            column[kRToneFreq] = column[kCToneFreq];
        if (column[kCToneFreq] == std::string::npos)
            column[kCToneFreq] = column[kRToneFreq];
        lastWanted = 0;
        for (std::size_t c : column)
            if (c != std::string::npos)
                lastWanted = std::max(lastWanted, c);
        return true;
    }

    std::string Label() const {
        const std::string& name = values[kName];
        const std::string& freq = values[kFrequency];
        return Shown(name) + (name.empty() || freq.empty() ? "" : ", ") + Shown(freq);
    }

    bool Listing() const { return entries.size() < kMaxReportEntries; }

    void Add(long r, const std::string& label, const std::string& what) {
        if (Listing())
            entries.push_back({r, {std::to_string(r), label, what}});
        else
            Hide(r);
    }
    // A row counted in the last line instead of listed.
    void Hide(long r) {
        if (hidden++ == 0)
            hiddenFirst = r;
        hiddenFirst = std::min(hiddenFirst, r);
        hiddenLast = std::max(hiddenLast, r);
    }

    // The row's plan: refused for its shape, the previous row's when equal,
    // else planned.
    const RowPlan& Plan(std::size_t fields, std::optional<RowPlan>& fresh) {
        int longField = kReadColumns;
        for (int c = kReadColumns - 1; c >= 0; --c)
            if (cut[c] && c != kName && c != kComment)
                longField = c;
        if (fields < headerFields || longField < kReadColumns) {
            fresh.emplace().skip =
                fields < headerFields
                    ? FillIn(TranslateCount(kShortRow, static_cast<int>(fields)),
                             {std::to_string(headerFields)})
                    : Text(kFieldTooLong, {Header()[longField], std::to_string(kKeptFieldBytes)});
            return *fresh;
        }
        if (!haveLast || rawName != lastRawName ||
            !std::equal(values.begin() + 1, values.end(), lastValues.begin() + 1)) {
            lastPlan = PlanRow(values, rawName, limits);
            lastValues = values;
            lastRawName = rawName;
            haveLast = true;
        }
        return lastPlan;
    }

    bool Held(int n) const { return ChannelHeld(image, n); }

    // The channel of the row's Location, 0 with the reason in refused.
    int ChannelOfLocation(std::string& refused) const {
        const std::string& loc = values[kLocation];
        int v = 0;
        if (AllDigits(loc) && loc.size() <= 4)
            for (char c : loc)
                v = v * 10 + (c - '0');
        if (v < 1 || v > kMemoryChannels)
            refused = Text(kNotAChannel, {Quote(loc)});
        else if (slots[v].used && !options.overwrite)
            refused = Text(kChannelTaken, {ChannelLabel(v), std::to_string(slots[v].row)});
        else if (!slots[v].used && Held(v) && !options.overwrite)
            refused = Text(kChannelNotEmpty, {ChannelLabel(v)});
        else
            return v;
        return 0;
    }

    void Row(std::size_t fields) {
        if (overflowFirst != 0) {
            overflowLast = row;
            return;
        }
        std::optional<RowPlan> fresh;
        const RowPlan& plan = Plan(fields, fresh);
        std::string refused;
        const std::string* skip = &plan.skip;
        int n = 0;
        if (skip->empty() && options.keepLocation) {
            n = ChannelOfLocation(refused);
            if (n == 0)
                skip = &refused;
        } else if (skip->empty()) {
            while (next <= kMemoryChannels && !options.overwrite && Held(next))
                ++next;
            if (next > kMemoryChannels) {
                overflowFirst = overflowLast = row;
                overflowLabel = Label();
                return;
            }
            n = next++;
        }
        if (!skip->empty()) {
            ++result.skipped;
            if (Listing())
                Add(row, Label(), *skip);
            else
                Hide(row);
            return;
        }
        Slot& slot = slots[n];
        if (slot.used) {
            ++result.replaced;
            if (Listing())
                Add(slot.row, slot.label,
                    Text(kReplacedBy, {std::to_string(row), ChannelLabel(n)}));
            else
                Hide(slot.row);
        }
        slot.used = true;
        slot.row = row;
        slot.label = Label();
        slot.plan = plan;
    }

    CsvImportResult Finish() {
        if (error.empty() && !stream.Finish() && error.empty())
            error = stream.error();
        if (error.empty() && !haveHeader)
            error = TranslateText(kNoHeaderLine);
        if (!error.empty()) {
            CsvImportResult failed;
            failed.error = error;
            return failed;
        }
        result.usable = true;
        if (overflowFirst != 0) {
            const long left = overflowLast - overflowFirst + 1;
            result.skipped += static_cast<int>(left);
            if (left == 1)
                entries.push_back({overflowFirst,
                                   {std::to_string(overflowFirst), overflowLabel,
                                    TranslateText(kBeyondLastFree)}});
            else
                entries.push_back(
                    {overflowFirst,
                     {std::to_string(overflowFirst) + "-" + std::to_string(overflowLast),
                      std::string(), Text(kRowsBeyondLastFree, {std::to_string(left)})}});
        }
        for (int n = 1; n <= kMemoryChannels; ++n) {
            const Slot& slot = slots[n];
            if (!slot.used)
                continue;
            LandRow(slot.plan, grid, image, limits, n);
            ++result.imported;
            if (!slot.plan.changes.empty())
                entries.push_back({slot.row,
                                   {std::to_string(slot.row), slot.label,
                                    ChannelLabel(n) + ", " + Join(slot.plan.changes)}});
        }
        if (result.imported > 0)
            GridToImage(grid, image, limits);
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.row < b.row; });
        for (Entry& e : entries)
            result.report.push_back(std::move(e.entry));
        if (hidden > 0)
            result.report.push_back({std::to_string(hiddenFirst) + "-" + std::to_string(hiddenLast),
                                     std::string(),
                                     TranslateCount(kMoreNotListed, static_cast<int>(hidden))});
        return std::move(result);
    }
};

CsvChannelImport::CsvChannelImport(RadioImage& image, const CsvImportOptions& options)
    : state_(std::make_unique<State>(image, options)) {}

CsvChannelImport::~CsvChannelImport() = default;

bool CsvChannelImport::Feed(std::string_view piece) {
    State& s = *state_;
    if (!s.error.empty() || s.stream.failed())
        return false;
    s.bytes += piece.size();
    if (s.bytes > kMaxCsvBytes) {
        s.error = Text(kCsvTooLarge, {std::to_string(kMaxCsvBytes >> 20)});
        return false;
    }
    return s.stream.Feed(piece);
}

CsvImportResult CsvChannelImport::Finish() {
    return state_->Finish();
}

std::optional<std::vector<std::vector<std::string>>>
ParseCsv(const std::string& input, std::string& error, std::size_t mostRecords) {
    if (input.size() > kMaxCsvBytes) { // refused unread, as the import refuses it
        error = Text(kCsvTooLarge, {std::to_string(kMaxCsvBytes >> 20)});
        return std::nullopt;
    }
    CollectSink sink(mostRecords);
    CsvStream stream(sink, std::string::npos);
    if (sink.Full())
        return std::move(sink.records);
    if (!stream.Feed(input) || !stream.Finish()) {
        if (sink.Full())
            return std::move(sink.records);
        error = stream.error();
        return std::nullopt;
    }
    return std::move(sink.records);
}

bool ChannelHeld(const RadioImage& image, int n) {
    return FrequencyShown(ConstChannelRecord(image, n), ChannelRecord::kRx);
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            out += ',';
        out += QuotedField(fields[k], ',');
    }
    return out + "\r\n";
}

namespace {

// The tone columns of one channel, from its grid texts.
struct CsvTones {
    std::string mode, cross = "Tone->Tone", rTone = "88.5", cTone = "88.5", dtcs = "023",
                      rxDtcs = "023", pol = "NN";
};

CsvTones TonesForCsv(std::string rt, std::string tt) {
    // 00 00 (shown "0.0", what an empty tone cell once stored) is no tone a
    // radio sends: exported as none, so that the row reads back here and
    // elsewhere.
    for (std::string* tone : {&rt, &tt})
        if (*tone == "0.0")
            tone->clear();
    CsvTones t;
    const bool txNone = !IsCtcss(tt) && !IsDcs(tt), rxNone = !IsCtcss(rt) && !IsDcs(rt);
    const auto kind = [](const std::string& tone) {
        return IsCtcss(tone) ? "Tone" : IsDcs(tone) ? "DTCS" : "";
    };
    if (IsCtcss(tt) && rxNone) {
        t.mode = "Tone";
        t.rTone = tt;
    } else if (IsCtcss(tt) && tt == rt) {
        t.mode = "TSQL";
        t.cTone = tt;
    } else if (IsDcs(tt) && IsDcs(rt) && DcsCodeOf(tt) == DcsCodeOf(rt)) {
        t.mode = "DTCS";
        t.dtcs = DcsCodeOf(tt);
    } else if (!(txNone && rxNone)) {
        t.mode = "Cross";
        t.cross = std::string(kind(tt)) + "->" + kind(rt);
        if (IsCtcss(tt))
            t.rTone = tt;
        if (IsDcs(tt))
            t.dtcs = DcsCodeOf(tt);
        if (IsCtcss(rt))
            t.cTone = rt;
        if (IsDcs(rt))
            t.rxDtcs = DcsCodeOf(rt);
    }
    if (IsDcs(tt))
        t.pol[0] = DcsPolarityOf(tt);
    if (IsDcs(rt))
        t.pol[1] = DcsPolarityOf(rt);
    return t;
}

} // namespace

std::string ExportChannelCsv(const RadioImage& image) {
    BandLimits limits;
    LoadBandLimitsFromImage(image, limits);
    std::string out = CsvRecord(Header());
    for (int n = 1; n <= kMemoryChannels; ++n) {
        const auto cells = RenderRow(image, limits, n);
        if (cells[kColRx - 1].empty())
            continue;
        const ConstChannelRecord rec(image, n);
        const std::uint32_t rx = TextToFrequency(cells[kColRx - 1]);
        const std::string& txText = cells[kColTx - 1];
        const std::uint32_t tx = TextToFrequency(txText);
        std::string duplex, offset = Mhz6(0);
        if (txText.empty()) {
            duplex = "off";
        } else if (tx != rx && limits.SameBand(rx, tx)) {
            duplex = tx > rx ? "+" : "-";
            offset = Mhz6(tx > rx ? tx - rx : rx - tx);
        } else if (tx != rx) {
            duplex = "split";
            offset = Mhz6(tx);
        }
        const CsvTones t = TonesForCsv(cells[kColRxTone - 1], cells[kColTxTone - 1]);
        out += CsvRecord({std::to_string(n),
                          EscapeName(ReadChannelName(image, n)),
                          Mhz6(rx),
                          duplex,
                          offset,
                          t.mode,
                          t.rTone,
                          t.cTone,
                          t.dtcs,
                          t.pol,
                          t.rxDtcs,
                          t.cross,
                          rec.Wide() ? "FM" : "NFM",
                          TuningStep(rx),
                          rec.Scan() ? "" : "S",
                          rec.HighPower() ? "5.0W" : "1.0W",
                          "",
                          "",
                          "",
                          "",
                          ""});
    }
    return out;
}

CsvImportResult ImportChannelCsv(const std::string& text, RadioImage& image,
                                 const CsvImportOptions& options) {
    CsvChannelImport import(image, options);
    import.Feed(text);
    return import.Finish();
}

std::string CsvReportEntry::Line() const {
    if (!label.empty())
        return Text(kRowLabelled, {rows, label, what});
    return Text(rows.find('-') != std::string::npos ? kRowsWhat : kRowWhat, {rows, what});
}

std::vector<std::string> CsvImportResult::ReportLines() const {
    std::vector<std::string> lines;
    for (const CsvReportEntry& entry : report)
        lines.push_back(entry.Line());
    return lines;
}

std::string CsvImportResult::Summary() const {
    return FillIn(TranslateCount(kImportSummary, imported), {std::to_string(skipped)}) +
           (replaced > 0 ? Text(kReplacedLater, {std::to_string(replaced)}) : std::string());
}

} // namespace kestra
