// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/param_tuning_form.h"

#include <algorithm>

#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/image/calibration.h"
#include "core/image/calibration_layout.h"

namespace kestra::forms {

namespace {

namespace cal = calibration;

constexpr std::int32_t kUnitsPerMHz = 100000;

// How a number field keeps its value.
enum class Storage {
    Bits,   // the bit field
    Word,   // a 16-bit little-endian word at the field's offset
    Word64, // the same word holding value x 64
};

enum class Input { Digits, Hex, AnyUpper };

struct NumberRow {
    const char* label;
    BitField field; // Word storage: the word's first byte
    Storage storage;
    int max;
    int limit;
    Input input;
    bool normalised; // one of the seventeen fields NormaliseFields commits
};

constexpr BitField Byte(int offset) {
    return WholeByte(offset);
}

// The number fields in dialog order; NormaliseFields takes the marked ones
// in this order.
const NumberRow kNumbers[ParamTuningForm::kNumberCount] = {
    {KESTRA_TEXT("kestra", "V段发射功率驱动"), cal::kVPowerDrive, Storage::Bits, 15, 2,
     Input::Digits, false},
    {KESTRA_TEXT("kestra", "U段发射功率驱动"), cal::kUPowerDrive, Storage::Bits, 15, 2,
     Input::Digits, true},
    {KESTRA_TEXT("kestra", "发射音频信号"), Byte(cal::kTxAudio), Storage::Bits, 63, 2,
     Input::Digits, true},
    {KESTRA_TEXT("kestra", "发射增益"), Byte(cal::kTxGain), Storage::Bits, 15, 2, Input::Digits,
     true},
    {KESTRA_TEXT("kestra", "窄带话音+亚音频偏"), Byte(cal::kNarrowDeviation), Storage::Word64, 1023,
     4, Input::Digits, true},
    {KESTRA_TEXT("kestra", "宽带话音+亚音频偏"), Byte(cal::kWideDeviation), Storage::Word64, 1023,
     4, Input::Digits, true},
    {KESTRA_TEXT("kestra", "窄带模拟 亚音频偏"), Byte(cal::kNarrowAnalogSubAudio), Storage::Bits,
     63, 2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "窄带数字 亚音频偏"), Byte(cal::kNarrowDigitalSubAudio), Storage::Bits,
     63, 2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "宽带模拟 亚音频偏"), Byte(cal::kWideAnalogSubAudio), Storage::Bits, 63,
     2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "宽带数字 亚音频偏"), Byte(cal::kWideDigitalSubAudio), Storage::Bits, 63,
     2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "接收输入"), Byte(cal::kRxInput), Storage::Bits, 31, 2, Input::Digits,
     true},
    {KESTRA_TEXT("kestra", "接收输出"), cal::kRxOutput, Storage::Bits, 15, 2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "音量控制"), cal::kVolume, Storage::Bits, 15, 2, Input::Digits, true},
    {KESTRA_TEXT("kestra", "正常音频输出"), Byte(cal::kNormalAudioOut), Storage::Bits, 255, 3,
     Input::Digits, false},
    {KESTRA_TEXT("kestra", "扰频音频输出"), Byte(cal::kScramblerAudioOut), Storage::Bits, 255, 3,
     Input::Digits, true},
    {KESTRA_TEXT("kestra", "压扩音频输出"), cal::kCompanderAudioOut, Storage::Bits, 63, 2,
     Input::Digits, false},
    {KESTRA_TEXT("kestra", "信令幅度"), Byte(cal::kSignallingAmplitude), Storage::Bits, 255, 3,
     Input::Digits, true},
    {KESTRA_TEXT("kestra", "MIC 增益"), Byte(cal::kMicGain), Storage::Bits, 31, 2, Input::Digits,
     true},
    {KESTRA_TEXT("kestra", "MOD 增益"), Byte(cal::kModGain), Storage::Word, 1023, 4, Input::Digits,
     true},
    {KESTRA_TEXT("kestra", "音频输入"), Byte(cal::kAudioInput), Storage::Bits, 31, 2, Input::Digits,
     true},
    {KESTRA_TEXT("kestra", "压扩压阈值"), Byte(cal::kCompressionThreshold), Storage::Word, 0xFFFF,
     4, Input::Hex, false},
    {KESTRA_TEXT("kestra", "压扩扩阈值"), Byte(cal::kExpansionThreshold), Storage::Word, 0xFFFF, 4,
     Input::Hex, false},
    {KESTRA_TEXT("kestra", "V段静噪低阈值"), Byte(cal::kVSquelchLow), Storage::Bits, 127, 3,
     Input::AnyUpper, false},
    {KESTRA_TEXT("kestra", "U段静噪低阈值"), Byte(cal::kUSquelchLow), Storage::Bits, 127, 3,
     Input::AnyUpper, false},
};

struct BoxRow {
    const char* label;
    BitField bit;
    bool inverted; // ticked when the bit is 0
};

const BoxRow kBoxes[ParamTuningForm::kBoxCount] = {
    {KESTRA_TEXT("kestra", "预加重"), {cal::kSwitches, 0, 1}, false},
    {KESTRA_TEXT("kestra", "去加重"), {cal::kSwitches, 1, 1}, false},
    {KESTRA_TEXT("kestra", "RDA1846S HPF"), {cal::kSwitches, 2, 1}, false},
    {KESTRA_TEXT("kestra", "RDA1846S LPF"), {cal::kSwitches, 3, 1}, false},
    {KESTRA_TEXT("kestra", "RDA1846S RSSI"), {cal::kSwitches, 4, 1}, false},
    {KESTRA_TEXT("kestra", "MCU HPF"), {cal::kSwitches, 5, 1}, false},
    {KESTRA_TEXT("kestra", "MCU LPF"), {cal::kSwitches, 6, 1}, false},
    {KESTRA_TEXT("kestra", "测试模式"), {cal::kSwitches, 7, 1}, true},
    {KESTRA_TEXT("kestra", "MCU 预加重"), {cal::kMcuSwitches, 0, 1}, false},
    {KESTRA_TEXT("kestra", "MCU 去加重"), {cal::kMcuSwitches, 1, 1}, false},
};

// One grid: its rule, its columns and, per calibration band shown, its rows.
struct GridDef {
    const char* key;
    NumberEdit rule;
    std::vector<const char*> suffixes;
    int (*rowOffset)(int band, int row);
};

const GridDef& Grid(int grid) {
    static const GridDef grids[3] = {
        {KESTRA_TEXT("kestra", "静噪"),
         {0, 127, false},
         {KESTRA_TEXT("kestra", " sql 1"), KESTRA_TEXT("kestra", " sql 9")},
         [](int band, int row) {
             return row == 0 ? cal::SquelchSql1Row(band) : cal::SquelchSql9Row(band);
         }},
        {KESTRA_TEXT("kestra", "发射功率"),
         {1, 255, false},
         {KESTRA_TEXT("kestra", " 低功率"), KESTRA_TEXT("kestra", " 高功率")},
         [](int band, int row) {
             return row == 0 ? cal::LowPowerRow(band) : cal::HighPowerRow(band);
         }},
        {KESTRA_TEXT("kestra", "静噪检测"),
         {0, 137, false},
         {KESTRA_TEXT("kestra", " 静噪检测1"), KESTRA_TEXT("kestra", " 静噪检测2"),
          KESTRA_TEXT("kestra", " 静噪检测3")},
         [](int band, int row) { return cal::DetectionRow(band, row); }},
    };
    return grids[grid];
}

bool IsNumber(int id) {
    return id >= ParamTuningForm::kFirstNumber && id < ParamTuningForm::kFirstBox;
}

const NumberRow& Number(int id) {
    return kNumbers[id - ParamTuningForm::kFirstNumber];
}

// The largest value the field's bytes hold.
int Capacity(const NumberRow& row) {
    switch (row.storage) {
    case Storage::Bits:
        return (1 << row.field.width) - 1;
    case Storage::Word:
        return 0xFFFF;
    case Storage::Word64:
        return 0xFFFF >> 6;
    }
    return 0;
}

int LoadNumber(const RadioImage& image, const NumberRow& row) {
    switch (row.storage) {
    case Storage::Bits:
        return image.Get(row.field);
    case Storage::Word:
        return static_cast<int>(image.Le(row.field.offset, 2));
    case Storage::Word64:
        return static_cast<int>(image.Le(row.field.offset, 2) >> 6);
    }
    return 0;
}

void StoreNumber(RadioImage& image, const NumberRow& row, int value) {
    value = std::clamp(value, 0, Capacity(row));
    switch (row.storage) {
    case Storage::Bits:
        image.Set(row.field, value);
        return;
    case Storage::Word:
        image.SetLe(row.field.offset, 2, static_cast<std::uint32_t>(value));
        return;
    case Storage::Word64:
        image.SetLe(row.field.offset, 2, static_cast<std::uint32_t>(value) << 6);
        return;
    }
}

std::string RangeText(std::int32_t low, std::int32_t high) {
    return Format("%d-%d", low / kUnitsPerMHz, high / kUnitsPerMHz);
}

} // namespace

ParamTuningForm::ParamTuningForm(FormContext& context) : FactoryForm(context) {}

std::string ParamTuningForm::Title() const {
    return KESTRA_TEXT("kestra", "参数调节");
}

const std::vector<FieldSpec>& ParamTuningForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        const char* low = KESTRA_TEXT("kestra", "低端");
        const char* middle = KESTRA_TEXT("kestra", "中端");
        const char* high = KESTRA_TEXT("kestra", "高端");
        const std::vector<std::string> columns[3] = {
            {low, middle, high},
            {low, middle, high},
            {KESTRA_TEXT("kestra", "宽带 高"), KESTRA_TEXT("kestra", "宽带 低"),
             KESTRA_TEXT("kestra", "窄带 高"), KESTRA_TEXT("kestra", "窄带 低")}};
        for (int g = 0; g < 3; ++g) {
            f[g] = FieldSpec(Grid(g).key, FieldKind::GridCell);
            f[g].columns = columns[g];
            // One in-place editor serves the three grids.
            f[g].filter = KeyFilter{"0123456789-"};
            f[g].textLimit = 3;
        }
        for (int i = 0; i < kNumberCount; ++i) {
            const NumberRow& row = kNumbers[i];
            FieldSpec& desc = f[kFirstNumber + i];
            desc = FieldSpec(row.label, FieldKind::SpinEdit);
            desc.textLimit = row.limit;
            switch (row.input) {
            case Input::Digits:
                desc.filter = filters::kDigits;
                break;
            case Input::Hex:
                desc.filter = KeyFilter{"0123456789ABCDEF", false, true};
                break;
            case Input::AnyUpper:
                desc.filter = KeyFilter{nullptr, false, true};
                break;
            }
        }
        for (int i = 0; i < kBoxCount; ++i)
            f[kFirstBox + i] = FieldSpec(kBoxes[i].label, FieldKind::CheckBox);
        return f;
    }();
    return fields;
}

const std::vector<ParamTuningForm::GridRow>& ParamTuningForm::Rows(int grid) const {
    return rows_[grid];
}

const NumberEdit& ParamTuningForm::CellRule(int grid) {
    return Grid(grid).rule;
}

const NumberEdit* ParamTuningForm::NumberRule(int id) const {
    static const auto rules = [] {
        std::vector<NumberEdit> r;
        for (const NumberRow& row : kNumbers)
            r.push_back(NumberEdit{0, row.max, row.input == Input::Hex});
        return r;
    }();
    return IsNumber(id) ? &rules[static_cast<std::size_t>(id - kFirstNumber)] : nullptr;
}

void ParamTuningForm::LayOut() {
    const BandLimits& lim = limits();
    const int bandA = CalibrationBandOf(lim.low[0]);
    const int bandB = CalibrationBandOf(lim.low[1]);
    struct Shown {
        int band;
        std::string range;
    };
    std::vector<Shown> shown;
    if (bandA == bandB || bandA < 0 || bandB < 0) {
        // A lower limit in no calibration band has no bytes to show: the
        // other band's calibration band stands in, else calibration band 0.
        const int band = bandA >= 0 ? bandA : bandB >= 0 ? bandB : 0;
        shown.push_back({band, RangeText(std::min(lim.low[0], lim.low[1]),
                                         std::max(lim.high[0], lim.high[1]))});
    } else {
        shown.push_back({bandA, RangeText(lim.low[0], lim.high[0])});
        shown.push_back({bandB, RangeText(lim.low[1], lim.high[1])});
    }
    for (int g = 0; g < 3; ++g) {
        const GridDef& def = Grid(g);
        rows_[g].clear();
        State(g).rows.clear();
        for (const Shown& s : shown) {
            for (std::size_t r = 0; r < def.suffixes.size(); ++r) {
                rows_[g].push_back(
                    GridRow{def.rowOffset(s.band, static_cast<int>(r)), s.range, def.suffixes[r]});
                State(g).rows.push_back(s.range + def.suffixes[r]);
            }
        }
        State(g).cells.assign(State(g).rows.size() * Spec(g).columns.size(), std::string());
    }
}

void ParamTuningForm::LoadFromImage() {
    LayOut();
    for (int g = 0; g < 3; ++g) {
        const NumberEdit& rule = CellRule(g);
        const int cols = static_cast<int>(Spec(g).columns.size());
        for (int r = 0; r < static_cast<int>(rows_[g].size()); ++r) {
            for (int c = 0; c < cols; ++c) {
                const int v = image().Byte(rows_[g][static_cast<std::size_t>(r)].offset + c);
                SetCell(g, r, c, rule.Show(v < rule.min || v > rule.max ? rule.min : v));
            }
        }
    }
    for (int id = kFirstNumber; id < kFirstBox; ++id)
        SetText(id, NumberRule(id)->Show(LoadNumber(image(), Number(id))));
    vSquelchLow2_ = image().Byte(cal::kVSquelchLow2);
    for (int i = 0; i < kBoxCount; ++i)
        State(kFirstBox + i).checked = (image().Get(kBoxes[i].bit) != 0) != kBoxes[i].inverted;
    NormaliseFields();
}

void ParamTuningForm::NormaliseFields() {
    for (int id = kFirstNumber; id < kFirstBox; ++id)
        if (Number(id).normalised)
            TextCommitted(id);
}

void ParamTuningForm::StoreToImage() {
    NormaliseFields();
    WriteFixedTable(image());
    auto storeGrid = [this](int g) {
        const NumberEdit& rule = CellRule(g);
        const int cols = static_cast<int>(Spec(g).columns.size());
        for (int r = 0; r < static_cast<int>(rows_[g].size()); ++r)
            for (int c = 0; c < cols; ++c)
                image().SetByte(rows_[g][static_cast<std::size_t>(r)].offset + c,
                                static_cast<std::uint8_t>(rule.Clamp(rule.Read(Cell(g, r, c)))));
    };
    storeGrid(kSquelchGrid);
    storeGrid(kPowerGrid);
    RecomputeBandPointsAndSlopes(image(), limits());
    storeGrid(kDetectionGrid);
    for (int id = kFirstNumber; id < kFirstBox; ++id)
        StoreNumber(image(), Number(id), NumberRule(id)->Read(Text(id)));
    image().SetByte(cal::kVSquelchLow2, vSquelchLow2_);
    for (int i = 0; i < kBoxCount; ++i)
        image().Set(kBoxes[i].bit, State(kFirstBox + i).checked != kBoxes[i].inverted ? 1 : 0);
}

void ParamTuningForm::GridCellCommitted(int id, int row, int col) {
    if (id < kFirstNumber)
        SetCell(id, row, col, CellRule(id).Committed(Cell(id, row, col)));
}

void ParamTuningForm::PrepareWrite() {
    StoreBandLimitsToImage(limits(), image());
    StoreToImage();
}

void ParamTuningForm::ReloadAfterRead() {
    LoadBandLimitsFromImage(image(), limits());
    LoadFromImage();
}

} // namespace kestra::forms
