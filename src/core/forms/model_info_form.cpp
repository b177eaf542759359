// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/model_info_form.h"
#include "core/codec/text_seam.h"

#include <cstdlib>

#include "core/codec/codecs.h"

namespace kestra::forms {

namespace {

constexpr std::int64_t kUnitsPerMHz = 100000;

struct Preset {
    std::int64_t low;
    std::int64_t high;
};
constexpr Preset kPresets[] = {{13600000, 17400000}, {20000000, 26000000}, {40000000, 52000000}};

FieldSpec LimitEdit(const char* key) {
    FieldSpec f;
    f.key = key;
    f.kind = FieldKind::Edit;
    f.filter = filters::kDigits;
    f.textLimit = 3;
    return f;
}

int LowField(int band) {
    return band == 0 ? ModelInfoForm::kALow : ModelInfoForm::kBLow;
}

} // namespace

int BandPreset(std::int64_t f) {
    for (int k = 0; k < 3; ++k)
        if (kPresets[k].low <= f && f <= kPresets[k].high)
            return k;
    return -1;
}

void CorrectBandPair(std::int64_t& L, std::int64_t& U, bool lowerEdited) {
    // The edit that was left decides; when its value has no preset, the other
    // edit's preset does, and preset 0 stands in for none.
    const std::int64_t& edited = lowerEdited ? L : U;
    const std::int64_t& other = lowerEdited ? U : L;
    const int k = BandPreset(edited);
    if (k >= 0) {
        const Preset& p = kPresets[k];
        if (lowerEdited) {
            if (U <= p.low || U > p.high)
                U = p.high;
            if (L >= U)
                L = p.low;
        } else {
            if (L < p.low || L >= p.high)
                L = p.low;
            if (L >= U)
                U = p.high;
        }
        return;
    }
    const int m = BandPreset(other);
    if (m <= 0) {
        L = kPresets[0].low;
        U = kPresets[0].high;
        return;
    }
    const Preset& p = kPresets[m];
    if (lowerEdited) {
        L = p.low;
        if (U == L)
            U = p.high;
    } else {
        U = p.high;
        if (L == U)
            L = p.low;
    }
}

ModelInfoForm::ModelInfoForm(FormContext& context) : Form(context) {}

std::string ModelInfoForm::Title() const {
    return KESTRA_TEXT("kestra", "机型信息");
}

const std::vector<FieldSpec>& ModelInfoForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        f[kModel].key = KESTRA_TEXT("kestra", "机型");
        f[kModel].readOnly = true;
        f[kALow] = LimitEdit(KESTRA_TEXT("kestra", "A段下限"));
        f[kAHigh] = LimitEdit(KESTRA_TEXT("kestra", "A段上限"));
        f[kBLow] = LimitEdit(KESTRA_TEXT("kestra", "B段下限"));
        f[kBHigh] = LimitEdit(KESTRA_TEXT("kestra", "B段上限"));
        return f;
    }();
    return fields;
}

void ModelInfoForm::LoadFromImage() {
    SetText(kModel, context().state.modelName);
    for (int band = 0; band < 2; ++band) {
        SetText(LowField(band), Format("%d", static_cast<int>(limits().low[band] / kUnitsPerMHz)));
        SetText(LowField(band) + 1,
                Format("%d", static_cast<int>(limits().high[band] / kUnitsPerMHz)));
    }
}

void ModelInfoForm::CorrectPair(int band, bool lowerEdited) {
    const int lowId = LowField(band);
    std::int64_t L = std::atoll(Text(lowId).c_str()) * kUnitsPerMHz;
    std::int64_t U = std::atoll(Text(lowId + 1).c_str()) * kUnitsPerMHz;
    CorrectBandPair(L, U, lowerEdited);
    SetText(lowId, Format("%lld", static_cast<long long>(L / kUnitsPerMHz)));
    SetText(lowId + 1, Format("%lld", static_cast<long long>(U / kUnitsPerMHz)));
}

void ModelInfoForm::TextCommitted(int id) {
    switch (id) {
    case kALow:
    case kBLow:
        CorrectPair(id == kALow ? 0 : 1, true);
        return;
    case kAHigh:
    case kBHigh:
        CorrectPair(id == kAHigh ? 0 : 1, false);
        return;
    default:
        return;
    }
}

void ModelInfoForm::StoreToImage() {
    for (int band = 0; band < 2; ++band) {
        CorrectPair(band, true);
        const int lowId = LowField(band);
        limits().low[band] =
            static_cast<std::int32_t>(std::atoll(Text(lowId).c_str()) * kUnitsPerMHz);
        limits().high[band] =
            static_cast<std::int32_t>(std::atoll(Text(lowId + 1).c_str()) * kUnitsPerMHz);
    }
    StoreBandLimitsToImage(limits(), image());
}

} // namespace kestra::forms
