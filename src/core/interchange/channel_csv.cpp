#include "core/interchange/channel_csv.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "core/codec/codecs.h"
#include "core/forms/channel_edit_form.h"
#include "core/grid/channel_grid.h"
#include "core/image/finalize.h"

namespace kestra {

namespace {

const std::vector<std::string>& Header() {
    static const std::vector<std::string> h = {
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return h;
}

// Length of the valid UTF-8 sequence at i, 0 when it is not one.
std::size_t Utf8SequenceLength(const std::string& s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
    if ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) > 0x9F) ||
        (c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) > 0x8F))
        return 0;
    return n;
}

// MHz with six decimals from 10 Hz units.
std::string Mhz6(std::uint32_t f) {
    std::string frac = std::to_string((f % 100000) * 10);
    return std::to_string(f / 100000) + "." + std::string(6 - frac.size(), '0') + frac;
}

bool IsDcs(const std::string& tone) {
    return !tone.empty() && tone[0] == 'D';
}
std::string DcsCodeOf(const std::string& tone) {
    return tone.substr(1, 3);
}
char DcsPolarityOf(const std::string& tone) {
    return tone.size() > 4 && tone[4] == 'I' ? 'R' : 'N';
}
bool IsCtcss(const std::string& tone) {
    return !tone.empty() && !IsDcs(tone) && tone != kNoToneText;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
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

struct Columns {
    std::map<std::string, std::size_t> index;
    const std::vector<std::string>* row = nullptr;
    std::string Get(const char* name) const {
        const auto it = index.find(name);
        return it == index.end() || it->second >= row->size() ? std::string()
                                                              : Trim((*row)[it->second]);
    }
};

// A frequency text through the grid's rules; empty when outside both bands.
std::string LandFrequency(const std::string& typed, std::uint32_t f, const BandLimits& limits,
                          RowPlan& plan) {
    if (f == 0 || !limits.InBand(f))
        return std::string();
    const std::uint32_t landed = CorrectTypedFrequency(FrequencyToText(f), limits);
    if (landed != f)
        plan.changes.push_back(typed + " → " + FrequencyToText(landed) + ": off the raster");
    return FrequencyToText(landed);
}

// A tone from its CSV fields: CTCSS "88.5", or DCS code "023" with polarity N/R.
std::string ToneFromCsv(bool dcs, const std::string& value, char polarity, RowPlan& plan) {
    std::string typed = value;
    if (dcs && !value.empty()) {
        std::string code = value;
        while (code.size() < 3)
            code = "0" + code;
        typed = "D" + code + (polarity == 'R' ? "I" : "N");
    } else if (typed.find('.') == std::string::npos)
        typed += ".0"; // "100" is 100.0 Hz here, not DCS 100
    // The typing rule first, then the radio's own list decides.
    const std::string normalized = NormalizeToneText(typed);
    const std::string tone = normalized.empty() || normalized == kNoToneText
                                 ? std::string()
                                 : ToneValueToText(ToneTextToValue(normalized));
    const auto& list = CombinedToneList();
    if (tone.empty() || std::find(list.begin(), list.end(), tone) == list.end()) {
        plan.skip = dcs ? "skipped: DCS code " + value + " not in the radio's list"
                        : "skipped: tone " + value + " not in the radio's list";
        return kNoToneText;
    }
    return tone;
}

void PlanTones(const Columns& c, RowPlan& plan) {
    const std::string mode = c.Get("Tone");
    std::string pol = Upper(c.Get("DtcsPolarity"));
    pol.resize(2, 'N');
    const auto ctcssTx = [&] { return ToneFromCsv(false, c.Get("rToneFreq"), 'N', plan); };
    const auto ctcssRx = [&] { return ToneFromCsv(false, c.Get("cToneFreq"), 'N', plan); };
    const auto dcsTx = [&] { return ToneFromCsv(true, c.Get("DtcsCode"), pol[0], plan); };
    const auto dcsRx = [&](const char* col) { return ToneFromCsv(true, c.Get(col), pol[1], plan); };
    if (mode.empty())
        return;
    if (mode == "Tone") {
        plan.txTone = ctcssTx();
    } else if (mode == "TSQL") {
        plan.txTone = plan.rxTone = ctcssRx();
    } else if (mode == "DTCS") {
        plan.txTone = dcsTx();
        plan.rxTone = dcsRx("DtcsCode");
    } else if (mode == "Cross") {
        const std::string cross = c.Get("CrossMode").empty() ? "Tone->Tone" : c.Get("CrossMode");
        const auto arrow = cross.find("->");
        const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        if ((txKind != "" && txKind != "Tone" && txKind != "DTCS") ||
            (rxKind != "" && rxKind != "Tone" && rxKind != "DTCS") ||
            (txKind.empty() && rxKind.empty())) {
            plan.skip = "skipped: cross mode " + cross;
            return;
        }
        if (txKind == "Tone")
            plan.txTone = ctcssTx();
        else if (txKind == "DTCS")
            plan.txTone = dcsTx();
        if (rxKind == "Tone")
            plan.rxTone = ctcssRx();
        else if (rxKind == "DTCS")
            plan.rxTone = dcsRx("RxDtcsCode");
    } else if (mode == "TSQL-R" || mode == "DTCS-R") {
        plan.skip = "skipped: reverse squelch " + mode;
    } else {
        plan.skip = "skipped: tone mode " + mode;
    }
}

RowPlan PlanRow(const Columns& c, const BandLimits& limits) {
    RowPlan plan;
    const std::string freq = c.Get("Frequency");
    if (freq.empty()) {
        plan.skip = "skipped: no frequency";
        return plan;
    }
    const std::uint32_t rx = TextToFrequency(freq);
    plan.rx = LandFrequency(freq, rx, limits, plan);
    if (plan.rx.empty()) {
        plan.skip = "skipped: " + freq + " outside both bands";
        return plan;
    }
    const std::string duplex = c.Get("Duplex");
    const std::string offsetText = c.Get("Offset");
    const std::uint32_t rxLanded = TextToFrequency(plan.rx);
    const std::uint32_t offset = TextToFrequency(offsetText);
    std::uint32_t tx = rxLanded;
    if (duplex == "+") {
        tx = rxLanded + offset;
    } else if (duplex == "-") {
        tx = offset > rxLanded ? 0 : rxLanded - offset;
    } else if (duplex == "split") {
        tx = offset;
    } else if (duplex == "off") {
        tx = 0;
    } else if (!duplex.empty()) {
        plan.skip = "skipped: duplex " + duplex;
        return plan;
    }
    if (duplex != "off") {
        plan.tx = tx == rxLanded ? plan.rx : LandFrequency(Mhz6(tx), tx, limits, plan);
        if (plan.tx.empty()) {
            plan.skip = "skipped: transmit " + Mhz6(tx) + " outside both bands";
            return plan;
        }
    }
    PlanTones(c, plan);
    if (!plan.skip.empty())
        return plan;
    const std::string mode = Upper(c.Get("Mode"));
    if (mode == "NFM") {
        plan.wide = false;
    } else if (!mode.empty() && mode != "FM") {
        plan.skip = "skipped: mode " + c.Get("Mode");
        return plan;
    }
    plan.scan = Upper(c.Get("Skip")) != "S";
    const std::string power = Upper(c.Get("Power"));
    if (power == "LOW" || power == "L") {
        plan.high = false;
    } else if (!power.empty() && power != "HIGH" && power != "H") {
        char* end = nullptr;
        const double watts = std::strtod(power.c_str(), &end);
        if (end == power.c_str() || (std::string(end) != "W" && *end != '\0'))
            plan.changes.push_back("power " + c.Get("Power") + " → High: not understood");
        else
            plan.high = watts >= 2.5;
    }
    const std::string name = c.Get("Name");
    std::string kept;
    for (char ch : name)
        if (ch >= 0x20 && ch <= 0x7E &&
            kept.size() < static_cast<std::size_t>(ChannelRecord::kNameLength))
            kept += ch;
    if (kept != name)
        plan.changes.push_back("name \"" + name + "\" → \"" + kept + "\"");
    plan.name = kept;
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
    forms::WriteChannelName(rec, plan.name);
}

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

} // namespace

std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& input,
                                                              std::string& error) {
    std::size_t i = input.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (std::size_t k = i; k < input.size();) {
        const std::size_t n = Utf8SequenceLength(input, k);
        if (n == 0) {
            error = "not UTF-8 text (invalid byte at offset " + std::to_string(k) + ")";
            return std::nullopt;
        }
        k += n;
    }
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, fieldStarted = false;
    const auto endRecord = [&] {
        record.push_back(field);
        if (!(record.size() == 1 && record[0].empty() && !fieldStarted))
            records.push_back(record);
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (; i < input.size(); ++i) {
        const char c = input[i];
        if (quoted) {
            if (c == '"' && i + 1 < input.size() && input[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
            fieldStarted = true;
        } else if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
            continue;
        } else if (c == '\n' || c == '\r') {
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.empty() || !record.empty())
        endRecord();
    return records;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::string& f = fields[k];
        if (k > 0)
            out += ',';
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f)
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += '"';
    }
    return out + "\r\n";
}

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
        const std::string& rt = cells[kColRxTone - 1];
        const std::string& tt = cells[kColTxTone - 1];
        std::string mode, cross = "Tone->Tone", rTone = "88.5", cTone = "88.5", dtcs = "023",
                          rxDtcs = "023", pol = "NN";
        const bool txNone = !IsCtcss(tt) && !IsDcs(tt), rxNone = !IsCtcss(rt) && !IsDcs(rt);
        if (IsCtcss(tt) && rxNone) {
            mode = "Tone";
            rTone = tt;
        } else if (IsCtcss(tt) && tt == rt) {
            mode = "TSQL";
            cTone = tt;
        } else if (IsDcs(tt) && IsDcs(rt) && DcsCodeOf(tt) == DcsCodeOf(rt)) {
            mode = "DTCS";
            dtcs = DcsCodeOf(tt);
        } else if (!(txNone && rxNone)) {
            mode = "Cross";
            cross = std::string(IsCtcss(tt) ? "Tone"
                                : IsDcs(tt) ? "DTCS"
                                            : "") +
                    "->" +
                    (IsCtcss(rt) ? "Tone"
                     : IsDcs(rt) ? "DTCS"
                                 : "");
            if (IsCtcss(tt))
                rTone = tt;
            if (IsDcs(tt))
                dtcs = DcsCodeOf(tt);
            if (IsCtcss(rt))
                cTone = rt;
            if (IsDcs(rt))
                rxDtcs = DcsCodeOf(rt);
        }
        if (IsDcs(tt))
            pol[0] = DcsPolarityOf(tt);
        if (IsDcs(rt))
            pol[1] = DcsPolarityOf(rt);
        out += CsvRecord({std::to_string(n),
                          forms::ReadChannelName(image, n),
                          Mhz6(rx),
                          duplex,
                          offset,
                          mode,
                          rTone,
                          cTone,
                          dtcs,
                          pol,
                          rxDtcs,
                          cross,
                          rec.Wide() ? "FM" : "NFM",
                          "",
                          rec.Scan() ? "" : "S",
                          rec.HighPower() ? "High" : "Low",
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
    CsvImportResult result;
    const auto records = ParseCsv(text, result.error);
    if (!records)
        return result;
    if (records->empty()) {
        result.error = "no header line";
        return result;
    }
    Columns columns;
    for (std::size_t k = 0; k < records->front().size(); ++k)
        columns.index.emplace(Trim(records->front()[k]), k);
    if (!columns.index.count("Frequency")) {
        result.error = "no Frequency column in the header line";
        return result;
    }
    result.usable = true;
    ChannelGrid grid;
    BandLimits limits;
    RenderGrid(grid, image, limits);
    int next = options.start < 1 ? 1 : options.start;
    for (std::size_t r = 1; r < records->size(); ++r) {
        columns.row = &(*records)[r];
        RowPlan plan = PlanRow(columns, limits);
        const std::string rowNumber = std::to_string(r);
        const std::string label =
            columns.Get("Name").empty() ? columns.Get("Frequency") : columns.Get("Name");
        int n = 0;
        if (plan.skip.empty() && options.keepLocation) {
            const std::string loc = columns.Get("Location");
            char* end = nullptr;
            const long v = std::strtol(loc.c_str(), &end, 10);
            if (loc.empty() || *end != '\0' || v < 1 || v > kMemoryChannels)
                plan.skip = "skipped: Location " + loc + " is not a channel 1..256";
            else if (!grid.RowEmpty(static_cast<int>(v)) && !options.overwrite)
                plan.skip = "skipped: channel " + ChannelLabel(static_cast<int>(v)) + " not empty";
            else
                n = static_cast<int>(v);
        } else if (plan.skip.empty()) {
            while (next <= kMemoryChannels && !options.overwrite && !grid.RowEmpty(next))
                ++next;
            if (next > kMemoryChannels) {
                const std::size_t left = records->size() - r;
                result.skipped += static_cast<int>(left);
                result.report.push_back(
                    {rowNumber + "-" + std::to_string(records->size() - 1), std::string(),
                     "skipped: " + std::to_string(left) + " rows beyond the last free channel"});
                break;
            }
            n = next++;
        }
        if (!plan.skip.empty()) {
            ++result.skipped;
            result.report.push_back({rowNumber, label, plan.skip});
            continue;
        }
        LandRow(plan, grid, image, limits, n);
        ++result.imported;
        if (!plan.changes.empty())
            result.report.push_back(
                {rowNumber, label, ChannelLabel(n) + ", " + Join(plan.changes)});
    }
    if (result.imported > 0)
        GridToImage(grid, image, limits);
    return result;
}

std::string CsvReportEntry::Line() const {
    if (label.empty() && rows.find('-') != std::string::npos)
        return "rows " + rows + ": " + what;
    return "row " + rows + " (" + label + "): " + what;
}

std::vector<std::string> CsvImportResult::ReportLines() const {
    std::vector<std::string> lines;
    for (const CsvReportEntry& entry : report)
        lines.push_back(entry.Line());
    return lines;
}

} // namespace kestra
