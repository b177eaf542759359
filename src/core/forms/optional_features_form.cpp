// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/optional_features_form.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/image/settings_layout.h"

namespace kestra::forms {

namespace {

using namespace settings;

constexpr const char* kOff = KESTRA_TEXT("kestra", "关");
constexpr const char* kOn = KESTRA_TEXT("kestra", "开");

// The dual-watch time in hundredths of a second.
constexpr int kDualWatchLow = 1;
constexpr int kDualWatchHigh = 255;
constexpr int kDualWatchDefault = 150;

constexpr Fallback kNoFallback{};
constexpr Fallback FallbackIndex(int index) {
    return Fallback{index, nullptr};
}
constexpr Fallback FallbackText(const char* text) {
    return Fallback{-1, text};
}

FieldSpec Row(const char* key, std::vector<std::string> choices, BitField field, StoredAs storedAs,
              Fallback fallback) {
    FieldSpec f(key, FieldKind::DropDownList, std::move(choices));
    f.location = ImageLocation{field, storedAs};
    f.fallback = fallback;
    return f;
}

FieldSpec IndexRow(const char* key, std::vector<std::string> choices, BitField field,
                   Fallback fallback) {
    return Row(key, std::move(choices), field, StoredAs::Index, fallback);
}

// "first" .. "last" in decimal.
std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> list;
    for (int n = first; n <= last; ++n)
        list.push_back(std::to_string(n));
    return list;
}

std::vector<std::string> OffThenNumbers(int first, int last) {
    std::vector<std::string> list{kOff};
    for (const std::string& n : Numbers(first, last))
        list.push_back(n);
    return list;
}

// A greeting byte as the dialog shows it: 0..9 are digits, 14 and 15 the keys
// "*" and "#"; every other byte is taken as it is.
char GreetingChar(std::uint8_t b) {
    if (b <= 9)
        return static_cast<char>('0' + b);
    if (b == 14)
        return '*';
    if (b == 15)
        return '#';
    return static_cast<char>(b);
}

} // namespace

const std::vector<FieldSpec>& OptionalFeatureFields() {
    using F = OptionalFeaturesForm;
    static const std::vector<FieldSpec> fields = [] {
        const std::vector<std::string> offOn{kOff, kOn};
        const std::vector<std::string> display{KESTRA_TEXT("kestra", "信道"),
                                               KESTRA_TEXT("kestra", "频率"),
                                               KESTRA_TEXT("kestra", "名字")};
        std::vector<FieldSpec> f(F::kFieldCount);
        f[F::kChannelDisplayA] = IndexRow(KESTRA_TEXT("kestra", "A信道显示"), display,
                                          kChannelDisplayA, FallbackIndex(1));
        f[F::kChannelDisplayB] = IndexRow(KESTRA_TEXT("kestra", "B信道显示"), display,
                                          kChannelDisplayB, FallbackIndex(1));
        f[F::kMainChannel] = IndexRow(KESTRA_TEXT("kestra", "主信道A/B"), {"A", "B"}, kMainChannel,
                                      FallbackIndex(0));
        f[F::kDualWatch] =
            IndexRow(KESTRA_TEXT("kestra", "双频守候"), offOn, kDualWatch, FallbackIndex(0));
        f[F::kDualStandbyTxChannel] =
            IndexRow(KESTRA_TEXT("kestra", "双待发射信道"),
                     {KESTRA_TEXT("kestra", "当前编辑"), KESTRA_TEXT("kestra", "当前活动")},
                     kDualStandbyTxChannel, FallbackIndex(0));
        f[F::kDualStandbyResetTime] =
            IndexRow(KESTRA_TEXT("kestra", "双待复位时间"), OffThenNumbers(1, 10),
                     kDualStandbyResetTime, FallbackIndex(0));
        f[F::kDualWatchTime] =
            FieldSpec(KESTRA_TEXT("kestra", "双频守候时间"), FieldKind::SpinEdit);
        f[F::kDualWatchTime].textLimit = 4;
        f[F::kDualWatchTime].location = ImageLocation{kDualWatchTime, StoredAs::Hundredths};
        f[F::kVfoMr] = IndexRow("VFO/MR", {"MR", "VFO"}, kVfoMr, FallbackIndex(0));
        f[F::kChannelMode] =
            IndexRow(KESTRA_TEXT("kestra", "信道模式"), offOn, kChannelMode, FallbackIndex(0));
        f[F::kPowerOnDisplay] =
            IndexRow(KESTRA_TEXT("kestra", "开机信息显示方式"),
                     {kOff, KESTRA_TEXT("kestra", "电压"), KESTRA_TEXT("kestra", "信息")},
                     kPowerOnDisplay, FallbackIndex(1));
        f[F::kGreeting] = FieldSpec(KESTRA_TEXT("kestra", "开机问候语编制"), FieldKind::Edit);
        f[F::kGreeting].textLimit = kGreetingLength;
        f[F::kGreeting].filter = filters::kPrintableAscii;
        f[F::kVoicePrompt] =
            IndexRow(KESTRA_TEXT("kestra", "语音播报"), offOn, kVoicePrompt, kNoFallback);
        f[F::kKeyBeep] =
            IndexRow(KESTRA_TEXT("kestra", "提示音"), offOn, kKeyBeep, FallbackIndex(1));
        f[F::kEndTone] =
            IndexRow(KESTRA_TEXT("kestra", "结束提示音"), offOn, kEndTone, FallbackIndex(0));
        f[F::kBatterySave] =
            IndexRow(KESTRA_TEXT("kestra", "电池省电"), offOn, kBatterySave, FallbackIndex(1));
        f[F::kSquelchLevel] = Row(KESTRA_TEXT("kestra", "静噪电平"), Numbers(0, 9), kSquelchLevel,
                                  StoredAs::Number, FallbackIndex(4));
        f[F::kTuningStep] = IndexRow(KESTRA_TEXT("kestra", "步进 (kHz)"),
                                     {"2.5", "5", "6.25", "10", "12.5", "25", "50", "100"},
                                     kTuningStep, FallbackIndex(4));
        f[F::kTransmitTimeout] =
            IndexRow(KESTRA_TEXT("kestra", "发射限时 (min)"),
                     {kOff, "30", "60", "90", "120", "150", "180", "210", "240", "270"},
                     kTransmitTimeout, FallbackText("30"));
        f[F::kScanMode] = IndexRow(KESTRA_TEXT("kestra", "扫描模式"),
                                   {KESTRA_TEXT("kestra", "时间"), KESTRA_TEXT("kestra", "载波"),
                                    KESTRA_TEXT("kestra", "搜索")},
                                   kScanMode, FallbackIndex(0));
        f[F::kFmRadioMonitor] =
            IndexRow(KESTRA_TEXT("kestra", "收音机监听"), offOn, kFmRadioMonitor, FallbackIndex(1));
        f[F::kIdentSwitch] =
            IndexRow(KESTRA_TEXT("kestra", "身份识别开关"), offOn, kIdentSwitch, FallbackIndex(0));
        f[F::kSquelchTailElimination] = IndexRow(KESTRA_TEXT("kestra", "尾音消除"), offOn,
                                                 kSquelchTailElimination, FallbackIndex(1));
        f[F::kBacklightMode] =
            IndexRow(KESTRA_TEXT("kestra", "背光灯模式"),
                     {kOff, KESTRA_TEXT("kestra", "按键"), KESTRA_TEXT("kestra", "继续")},
                     kBacklightMode, FallbackIndex(1));
        f[F::kBacklightTime] = Row(KESTRA_TEXT("kestra", "背光灯时间"), Numbers(1, 10),
                                   kBacklightTime, StoredAs::NumberMinusOne, FallbackText("5"));
        f[F::kBacklightColour] = IndexRow(KESTRA_TEXT("kestra", "背光灯颜色"), Numbers(1, 3),
                                          kBacklightColour, FallbackText("1"));
        f[F::kVoxLevel] = IndexRow(KESTRA_TEXT("kestra", "声控电平"), Numbers(1, 9), kVoxLevel,
                                   FallbackText("4"));
        f[F::kVoxDelay] = IndexRow(KESTRA_TEXT("kestra", "声控延迟时间 (s)"), Numbers(1, 4),
                                   kVoxDelay, FallbackText("3"));
        f[F::kKeyLockMode] = IndexRow(KESTRA_TEXT("kestra", "锁键模式"),
                                      {"PTT", "Key", "K+S", "All"}, kKeyLockMode, FallbackIndex(1));
        f[F::kKeypadLock] =
            IndexRow(KESTRA_TEXT("kestra", "键盘锁"), {kOn, kOff}, kKeypadLock, FallbackIndex(0));
        f[F::kAutoKeypadLock] =
            IndexRow(KESTRA_TEXT("kestra", "自动锁键盘"), offOn, kAutoKeypadLock, FallbackIndex(0));
        f[F::kTailToneMode] = IndexRow(KESTRA_TEXT("kestra", "尾音模式"),
                                       {KESTRA_TEXT("kestra", "频率"), "120", "180", "240"},
                                       kTailToneMode, kNoFallback);
        f[F::kWorkAreaA] =
            IndexRow(KESTRA_TEXT("kestra", "A段工作区"), {"A", "B"}, kWorkAreaA, kNoFallback);
        f[F::kWorkAreaB] =
            IndexRow(KESTRA_TEXT("kestra", "B段工作区"), {"A", "B"}, kWorkAreaB, kNoFallback);
        for (int id : {F::kDualStandbyResetTime, F::kDualWatchTime, F::kTailToneMode})
            f[static_cast<std::size_t>(id)].shown = false;
        return f;
    }();
    return fields;
}

OptionalFeaturesForm::OptionalFeaturesForm(FormContext& context) : Form(context) {}

std::string OptionalFeaturesForm::Title() const {
    return KESTRA_TEXT("kestra", "可选功能");
}

const std::vector<FieldSpec>& OptionalFeaturesForm::Fields() const {
    return OptionalFeatureFields();
}

void OptionalFeaturesForm::FillChoices() {
    Form::FillChoices();
    for (int id = 0; id < kFieldCount; ++id)
        State(id).visible = Spec(id).shown;
}

void OptionalFeaturesForm::LoadFromImage() {
    for (int id = 0; id < kFieldCount; ++id)
        if (Spec(id).location.Valid())
            LoadTableField(id, 0);
    std::string greeting;
    for (int i = 0; i < settings::kGreetingLength; ++i) {
        const char c = GreetingChar(image().Byte(settings::kGreeting + i));
        if (c < 0x20 || c > 0x7E)
            break;
        greeting.push_back(c);
    }
    while (!greeting.empty() && greeting.back() == ' ')
        greeting.pop_back();
    SetText(kGreeting, greeting);
    NormaliseFields();
}

void OptionalFeaturesForm::NormaliseFields() {
    for (int id = 0; id < kFieldCount; ++id)
        if (Spec(id).kind == FieldKind::DropDownList)
            SelectDefaultIfNone(id);
    NormaliseDualWatchTime();
}

void OptionalFeaturesForm::NormaliseDualWatchTime() {
    long long v = ScaledDecimal(Text(kDualWatchTime), 100.0);
    if (Text(kDualWatchTime).empty() || v < kDualWatchLow || v > kDualWatchHigh)
        v = kDualWatchDefault;
    SetText(kDualWatchTime, HundredthsText(static_cast<int>(v)));
}

void OptionalFeaturesForm::StoreToImage() {
    NormaliseFields();
    for (int id = 0; id < kFieldCount; ++id)
        if (Spec(id).location.Valid())
            StoreTableField(id, 0);
    const std::string& greeting = Text(kGreeting);
    for (int i = 0; i < settings::kGreetingLength; ++i)
        image().SetByte(settings::kGreeting + i, i < static_cast<int>(greeting.size())
                                                     ? static_cast<std::uint8_t>(greeting[i])
                                                     : 0x20);
}

void OptionalFeaturesForm::TextCommitted(int id) {
    if (id == kDualWatchTime)
        NormaliseDualWatchTime();
}

void OptionalFeaturesForm::SpinStep(int id, int delta) {
    if (id != kDualWatchTime)
        return;
    const int v = SpinWrap(ScaledDecimal(Text(kDualWatchTime), 100.0) + delta, kDualWatchLow,
                           kDualWatchHigh, delta);
    SetText(kDualWatchTime, HundredthsText(v));
}

KeyOutcome OptionalFeaturesForm::KeyPressed(int, DialogKey) {
    return KeyOutcome::CloseDialog;
}

} // namespace kestra::forms
