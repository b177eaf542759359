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

// A number field from 0 to max in the image at `at`; it takes as many
// characters as max has, digits (or hexadecimal digits upper-cased).
FieldSpec Number(const char* key, ImageLocation at, int max, bool hex = false) {
    FieldSpec f(key, FieldKind::SpinEdit);
    f.location = at;
    f.number = NumberEdit{0, max, hex};
    f.textLimit = static_cast<int>(f.number.Show(max).size());
    f.filter = hex ? filters::kHex : filters::kDigits;
    return f;
}

constexpr ImageLocation Bits(BitField field) {
    return {field, StoredAs::Value};
}
constexpr ImageLocation Byte(int offset) {
    return {WholeByte(offset), StoredAs::Value};
}
// A little-endian word holding value << shift.
constexpr ImageLocation Word(int offset, int shift = 0) {
    return {{offset, shift, 16 - shift}, StoredAs::Word};
}

// The squelch low thresholds take any character, upper-cased.
FieldSpec AnyUpper(FieldSpec f) {
    f.filter = filters::kAnyUpper;
    return f;
}

FieldSpec Box(const char* key, int offset, int bit, StoredAs as = StoredAs::Ticked) {
    FieldSpec f(key, FieldKind::CheckBox);
    f.location = ImageLocation{{offset, bit, 1}, as};
    return f;
}

// NormaliseFields commits every number field but V段发射功率驱动 (the first),
// 正常音频输出 (14th), 压扩音频输出 (16th) and the last four.
bool Normalised(int number) {
    return number != 0 && number != 13 && number != 15 && number < 20;
}

// The number fields and the check boxes in dialog order.
std::vector<FieldSpec> NumbersAndBoxes() {
    return {
        Number(KESTRA_TEXT("kestra", "V段发射功率驱动"), Bits(cal::kVPowerDrive), 15),
        Number(KESTRA_TEXT("kestra", "U段发射功率驱动"), Bits(cal::kUPowerDrive), 15),
        Number(KESTRA_TEXT("kestra", "发射音频信号"), Byte(cal::kTxAudio), 63),
        Number(KESTRA_TEXT("kestra", "发射增益"), Byte(cal::kTxGain), 15),
        Number(KESTRA_TEXT("kestra", "窄带话音+亚音频偏"), Word(cal::kNarrowDeviation, 6), 1023),
        Number(KESTRA_TEXT("kestra", "宽带话音+亚音频偏"), Word(cal::kWideDeviation, 6), 1023),
        Number(KESTRA_TEXT("kestra", "窄带模拟 亚音频偏"), Byte(cal::kNarrowAnalogSubAudio), 63),
        Number(KESTRA_TEXT("kestra", "窄带数字 亚音频偏"), Byte(cal::kNarrowDigitalSubAudio), 63),
        Number(KESTRA_TEXT("kestra", "宽带模拟 亚音频偏"), Byte(cal::kWideAnalogSubAudio), 63),
        Number(KESTRA_TEXT("kestra", "宽带数字 亚音频偏"), Byte(cal::kWideDigitalSubAudio), 63),
        Number(KESTRA_TEXT("kestra", "接收输入"), Byte(cal::kRxInput), 31),
        Number(KESTRA_TEXT("kestra", "接收输出"), Bits(cal::kRxOutput), 15),
        Number(KESTRA_TEXT("kestra", "音量控制"), Bits(cal::kVolume), 15),
        Number(KESTRA_TEXT("kestra", "正常音频输出"), Byte(cal::kNormalAudioOut), 255),
        Number(KESTRA_TEXT("kestra", "扰频音频输出"), Byte(cal::kScramblerAudioOut), 255),
        Number(KESTRA_TEXT("kestra", "压扩音频输出"), Bits(cal::kCompanderAudioOut), 63),
        Number(KESTRA_TEXT("kestra", "信令幅度"), Byte(cal::kSignallingAmplitude), 255),
        Number(KESTRA_TEXT("kestra", "MIC 增益"), Byte(cal::kMicGain), 31),
        Number(KESTRA_TEXT("kestra", "MOD 增益"), Word(cal::kModGain), 1023),
        Number(KESTRA_TEXT("kestra", "音频输入"), Byte(cal::kAudioInput), 31),
        Number(KESTRA_TEXT("kestra", "压扩压阈值"), Word(cal::kCompressionThreshold), 0xFFFF, true),
        Number(KESTRA_TEXT("kestra", "压扩扩阈值"), Word(cal::kExpansionThreshold), 0xFFFF, true),
        AnyUpper(Number(KESTRA_TEXT("kestra", "V段静噪低阈值"), Byte(cal::kVSquelchLow), 127)),
        AnyUpper(Number(KESTRA_TEXT("kestra", "U段静噪低阈值"), Byte(cal::kUSquelchLow), 127)),
        Box(KESTRA_TEXT("kestra", "预加重"), cal::kSwitches, 0),
        Box(KESTRA_TEXT("kestra", "去加重"), cal::kSwitches, 1),
        Box(KESTRA_TEXT("kestra", "RDA1846S HPF"), cal::kSwitches, 2),
        Box(KESTRA_TEXT("kestra", "RDA1846S LPF"), cal::kSwitches, 3),
        Box(KESTRA_TEXT("kestra", "RDA1846S RSSI"), cal::kSwitches, 4),
        Box(KESTRA_TEXT("kestra", "MCU HPF"), cal::kSwitches, 5),
        Box(KESTRA_TEXT("kestra", "MCU LPF"), cal::kSwitches, 6),
        Box(KESTRA_TEXT("kestra", "测试模式"), cal::kSwitches, 7, StoredAs::Cleared),
        Box(KESTRA_TEXT("kestra", "MCU 预加重"), cal::kMcuSwitches, 0),
        Box(KESTRA_TEXT("kestra", "MCU 去加重"), cal::kMcuSwitches, 1),
    };
}

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
        std::vector<FieldSpec> f(3);
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
        const std::vector<FieldSpec> rest = NumbersAndBoxes();
        f.insert(f.end(), rest.begin(), rest.end());
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
    for (int id = kFirstNumber; id < kFieldCount; ++id)
        LoadTableField(id, 0);
    vSquelchLow2_ = image().Byte(cal::kVSquelchLow2);
    NormaliseFields();
}

void ParamTuningForm::NormaliseFields() {
    for (int id = kFirstNumber; id < kFirstBox; ++id)
        if (Normalised(id - kFirstNumber))
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
    for (int id = kFirstNumber; id < kFieldCount; ++id)
        StoreTableField(id, 0);
    image().SetByte(cal::kVSquelchLow2, vSquelchLow2_);
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
