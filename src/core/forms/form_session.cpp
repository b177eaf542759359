// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/form_session.h"

#include <algorithm>

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/forms/batch_channel_form.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/dtmf_dialog.h"
#include "core/forms/dtmf_init_form.h"
#include "core/forms/fm_radio_form.h"
#include "core/forms/form_driver.h"
#include "core/forms/model_info_form.h"
#include "core/forms/optional_features_form.h"
#include "core/forms/profile_labels.h"
#include "core/forms/param_tuning_form.h"
#include "core/forms/view_steps.h"
#include "core/image/finalize.h"

namespace kestra::forms {

namespace {

constexpr const char* kFormNotAvailable =
    KESTRA_TEXT("kestra", "此版本的 kestra-cli 不提供表单“%1”");
constexpr const char* kRawKey = KESTRA_TEXT("kestra", "键名是映像偏移，0x0000..0x3FFF");
constexpr const char* kRawValue =
    KESTRA_TEXT("kestra", "值是十六进制字节，字节之间一个空格：AA BB ...");
constexpr const char* kStoredAs = KESTRA_TEXT("kestra", "“%1”存为“%2”");
constexpr const char* kSessionFailed = KESTRA_TEXT("kestra", "出错后会话无法继续");

constexpr const char* kChannel = "channel";
constexpr const char* kBatch = "batch";
constexpr const char* kModel = "model";
constexpr const char* kOptions = "options";
constexpr const char* kFm = "fm";
constexpr const char* kDtmf = "dtmf";
constexpr const char* kTuning = "tuning";
constexpr const char* kDecoder = "decoder";
constexpr const char* kRaw = "raw";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Where(const ProfileSection& section, int line) {
    return EscapeControl(section.source) + ":" + std::to_string(line) + ": [" +
           EscapeControl(section.header) + "]";
}

std::string AllNames() {
    std::string out;
    for (const FormName& f : FormNames()) {
        if (!out.empty())
            out += ", ";
        out += f.name;
    }
    return out;
}

} // namespace

std::string HexBytes(const RadioImage& image, std::size_t offset, std::size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = offset; i < offset + count; ++i) {
        if (i > offset)
            text += ' ';
        text += kDigits[image[i] >> 4];
        text += kDigits[image[i] & 0x0F];
    }
    return text;
}

const FormName* FormSession::UsableForm(const std::string& name, std::string& error) const {
    const FormName* f = FindFormName(name);
    if (f == nullptr)
        error = FillIn(TranslateText(KESTRA_TEXT("kestra", "未知的表单“%1”（表单：%2）")), {name, AllNames()});
    else if (f->factoryOnly && !state_.factoryMode)
        error = FillIn(TranslateText(KESTRA_TEXT("kestra", "表单“%1”需要 --factory")), {name});
    else
        return f;
    return nullptr;
}

int ChannelOfLabel(const std::string& label) {
    const int n = ParseChannelLabel(label);
    return n >= 1 && n <= kChannelCount && ChannelLabel(n) == label ? n : 0;
}

int ChannelOfSection(const ProfileSection& section) {
    return section.FormName() == kChannel ? ChannelOfLabel(section.Argument()) : 0;
}

const std::vector<FormName>& FormNames() {
    static const std::vector<FormName> names = {
        {kChannel, false, false}, {kBatch, false, false}, {kModel, false, true},
        {kOptions, false, true},  {kFm, false, true},    {kDtmf, false, true},
        {kTuning, true, false},   {kDecoder, true, false},
    };
    return names;
}

const FormName* FindFormName(const std::string& name) {
    for (const FormName& f : FormNames())
        if (name == f.name)
            return &f;
    return nullptr;
}

FormSession::FormSession(AppState& state, std::optional<unsigned> randomSeed)
    : state_(state), context_{state,
                              [this] {
                                  // RenderGrid takes the band limits from the image first;
                                  // the cells are rendered when the section ends.
                                  LoadBandLimitsFromImage(state_.image, state_.bandLimits);
                                  renderPending_ = true;
                              },
                              randomSeed},
      rawLineOf_(kImageSize, -1) {
    RenderView();
}

void FormSession::RenderView() {
    RenderGrid(grid_, state_.image, state_.bandLimits);
}

void FormSession::ConvertGrid() {
    GridToImage(grid_, state_.image, state_.bandLimits);
}

void FormSession::PrepareSave() {
    if (rawLines_.empty()) {
        ConvertGrid();
        return;
    }
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (rawLineOf_[i] >= 0)
            state_.image[i] = rawBytes_[i];
    RenderView();
    ConvertGrid();
    // Bytes that saving computes (the derived tables) are put back: said
    // for each line whose bytes did not stay.
    for (std::size_t n = 0; n < rawLines_.size(); ++n) {
        const RawLineAt& line = rawLines_[n];
        bool kept = true;
        for (std::size_t i = line.offset; i < line.offset + line.count; ++i)
            kept =
                kept && (rawLineOf_[i] != static_cast<int>(n) || state_.image[i] == rawBytes_[i]);
        if (!kept)
            notes_.push_back(line.where + ": " +
                             FillIn(TranslateText(kStoredAs),
                                    {line.value, HexBytes(state_.image, line.offset, line.count)}));
    }
}

void FormSession::Before(const std::string& name) {
    if (StepsAround(name).convertBefore)
        ConvertGrid();
    imageAtOpen_ = state_.image;
    limitsAtOpen_ = state_.bandLimits;
}

void FormSession::After(const std::string& name) {
    // The channels new band limits leave out are cleared, as the application
    // clears them once the user agrees.
    if (name == kModel) {
        const std::vector<int> out = RecordsLeftOut(state_.image, limitsAtOpen_, state_.bandLimits);
        for (const int n : out)
            ClearRecord(state_.image, n);
        if (!out.empty())
            cleared_.push_back(
                Where(section_, section_.number) + ": " +
                FillIn(TranslateCount(KESTRA_COUNT_TEXT("kestra", "%n 个信道的接收频率不在新的"
                                                                  "频段范围内，已清除：%1"),
                                      static_cast<int>(out.size())),
                       {ChannelLabelList(out)}));
    }
    if (renderPending_) {
        renderPending_ = false;
        RenderView();
    }
    if (StepsAround(name).renderAfter &&
        !(state_.image == imageAtOpen_ && state_.bandLimits == limitsAtOpen_))
        RenderView();
}

bool FormSession::SameState(const SessionState& before) const {
    return state_.image == before.image && state_.bandLimits == before.limits &&
           state_.dtmfCallId == before.callId && grid_.SameCells(before.grid);
}

bool FormSession::OpenSection(std::string& error) {
    const ProfileSection& section = section_;
    const std::string name = section.FormName();
    auto fail = [&](const std::string& message) {
        error = Where(section, section.number) + ": " + message;
        return false;
    };
    if (name == kDtmf) {
        const int page = DtmfDialog::PageOfName(section.Argument());
        if (page < 0) {
            std::string pages;
            for (const std::string& p : DtmfDialog::PageNames()) // in the run's language
                pages += (pages.empty() ? "" : ", ") + TranslateText(p.c_str());
            return fail(FillIn(TranslateText(KESTRA_TEXT("kestra", "“dtmf”需要指明页面：%1")), {pages}));
        }
        // The dialog opens on its encode page; the section's page is then
        // selected as the user would select its tab.
        Before(name);
        dtmf_ = std::make_unique<DtmfDialog>(context_);
        dtmf_->Open();
        dtmf_->SelectPage(page);
        target_ = &dtmf_->PageForm(page);
        return true;
    }
    std::string why;
    if (UsableForm(name, why) == nullptr)
        return fail(why);
    if (name == kChannel) {
        const int n = ChannelOfLabel(section.Argument());
        if (n == 0)
            return fail(TranslateText(KESTRA_TEXT(
                "kestra", "“channel”需要信道标签：A001..A128、B001..B128、A VFO、B VFO")));
        Before(name);
        form_ = std::make_unique<ChannelEditForm>(context_, n);
    } else {
        if (section.HasArgument())
            return fail(FillIn(TranslateText(KESTRA_TEXT("kestra", "表单“%1”不带参数")), {name}));
        form_ = MakeForm(name);
        if (!form_)
            return fail(FillIn(TranslateText(kFormNotAvailable), {name}));
        Before(name);
    }
    form_->Open();
    target_ = form_.get();
    return true;
}

std::unique_ptr<Form> FormSession::MakeForm(const std::string& name) {
    if (name == kModel)
        return std::make_unique<ModelInfoForm>(context_);
    if (name == kBatch)
        return std::make_unique<BatchChannelForm>(context_);
    if (name == kOptions)
        return std::make_unique<OptionalFeaturesForm>(context_);
    if (name == kFm)
        return std::make_unique<FmRadioForm>(context_);
    if (name == kTuning)
        return std::make_unique<ParamTuningForm>(context_);
    if (name == kDecoder)
        return std::make_unique<DtmfInitForm>(context_);
    return nullptr;
}

bool FormSession::RawLine(const ProfileLine& line, std::string& error) {
    auto fail = [&](const std::string& why) {
        error = Where(section_, line.number) + " " + EscapeControl(line.key) + ": " + why;
        return false;
    };
    if (line.kind != ProfileLine::Kind::Value)
        return fail(TranslateText(KESTRA_TEXT("kestra", "[raw] 行的格式为 0x偏移=AA BB ...")));
    std::size_t offset = 0;
    const std::string& key = line.key;
    if (key.size() < 3 || key.size() > 6 || key[0] != '0' || (key[1] != 'x' && key[1] != 'X'))
        return fail(TranslateText(kRawKey));
    for (std::size_t i = 2; i < key.size(); ++i) {
        const int d = HexDigit(key[i]);
        if (d < 0)
            return fail(TranslateText(kRawKey));
        offset = offset * 16 + static_cast<std::size_t>(d);
    }
    // Two hex digits a byte, one blank between bytes.
    const std::string& v = line.value;
    if (v.empty() || (v.size() + 1) % 3 != 0)
        return fail(TranslateText(kRawValue));
    const std::size_t count = (v.size() + 1) / 3;
    if (offset >= kImageSize || count > kImageSize - offset)
        return fail(TranslateText(KESTRA_TEXT("kestra", "字节超出映像范围（0x0000..0x3FFF）")));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const int hi = HexDigit(v[3 * i]);
        const int lo = HexDigit(v[3 * i + 1]);
        if (hi < 0 || lo < 0 || (i + 1 < count && v[3 * i + 2] != ' '))
            return fail(TranslateText(kRawValue));
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    for (std::size_t i = 0; i < count; ++i) {
        rawBytes_[offset + i] = bytes[i];
        rawLineOf_[offset + i] = static_cast<int>(rawLines_.size());
    }
    rawLines_.push_back(
        RawLineAt{Where(section_, line.number) + " " + EscapeControl(line.key), offset, count, v});
    return true;
}

bool FormSession::BeginSection(const ProfileSection& section, std::string& error) {
    if (failed_ || inSection_) {
        error = TranslateText(kSessionFailed);
        return false;
    }
    section_.header = section.header;
    section_.source = section.source;
    section_.number = section.number;
    inSection_ = true;
    opened_ = false;
    held_.clear();
    recent_.clear();
    lineCount_ = 0;
    return true;
}

namespace {

// Sections up to this many lines are remembered when they change nothing.
constexpr std::size_t kIdleLines = 16;

bool SameLine(const ProfileLine& a, const ProfileLine& b) {
    return a.kind == b.kind && a.key == b.key && a.value == b.value;
}

} // namespace

bool FormSession::ApplyOne(const ProfileLine& line, std::string& error) {
    std::string why;
    std::optional<std::string> storedAs;
    if (!ApplyProfileLine(*target_, line, why, &storedAs)) {
        error = Where(section_, line.number) + " " + EscapeControl(line.key) + ": " + why;
        failed_ = true;
        return false;
    }
    if (storedAs)
        notes_.push_back(Where(section_, line.number) + " " + EscapeControl(line.key) + ": " +
                         FillIn(TranslateText(kStoredAs),
                                {EscapeControl(line.value), EscapeControl(*storedAs)}));
    return true;
}

bool FormSession::OpenNow(std::string& error) {
    opened_ = true;
    atOpen_ = TakeSessionState();
    if (!OpenSection(error)) {
        failed_ = true;
        return false;
    }
    // The lines held while the section looked like the idle one.
    for (const ProfileLine& held : held_)
        if (!ApplyOne(held, error))
            return false;
    return true;
}

FormSession::SessionState FormSession::TakeSessionState() const {
    return SessionState{state_.image, state_.bandLimits, state_.dtmfCallId, grid_};
}

bool FormSession::Line(const ProfileLine& line, std::string& error) {
    if (failed_ || !inSection_) {
        error = TranslateText(kSessionFailed);
        return false;
    }
    if (line.kind == ProfileLine::Kind::Comment)
        return true;
    if (section_.header == kRaw) {
        failed_ = !RawLine(line, error);
        return !failed_;
    }
    if (++lineCount_ <= kIdleLines)
        recent_.push_back(line);
    if (!opened_) {
        // While the section repeats the idle one line for line, nothing runs.
        const std::size_t k = held_.size();
        if (idle_ && idle_->header == section_.header && k < idle_->lines.size() &&
            SameLine(idle_->lines[k], line)) {
            held_.push_back(line);
            return true;
        }
        if (!OpenNow(error))
            return false;
    }
    return ApplyOne(line, error);
}

bool FormSession::EndSection(std::string& error) {
    if (failed_ || !inSection_) {
        error = TranslateText(kSessionFailed);
        return false;
    }
    inSection_ = false;
    if (section_.header == kRaw)
        return true;
    const std::string name = section_.FormName();
    if (!opened_) {
        // The same section as the one that last left everything as it was,
        // from where it left it: it leaves everything as it is again.
        if (idle_ && idle_->header == section_.header && held_.size() == idle_->lines.size())
            return true;
        if (!OpenNow(error))
            return false;
    }
    if (dtmf_)
        dtmf_->Close();
    else
        form_->Close();
    dtmf_.reset();
    form_.reset();
    target_ = nullptr;
    After(name);
    // Batch generation's "应用" draws random tones: never taken as idle.
    if (name != kBatch && lineCount_ <= kIdleLines && SameState(atOpen_))
        idle_ = Idle{section_.header, recent_};
    else
        idle_.reset();
    return true;
}

bool FormSession::RunSection(const ProfileSection& section, std::string& error) {
    if (!BeginSection(section, error))
        return false;
    for (const ProfileLine& line : section.lines)
        if (!Line(line, error))
            return false;
    return EndSection(error);
}

bool FormSession::SettingsSections(const std::string& name, std::vector<ProfileSection>& out,
                                   std::string& error) {
    std::vector<const FormName*> forms;
    // A section's own header ("dtmf 编码", "channel A005") names that
    // section alone.
    ProfileSection wanted;
    wanted.header = name;
    if (name.empty()) {
        for (const FormName& f : FormNames())
            if (f.printedByDefault || (f.factoryOnly && state_.factoryMode))
                forms.push_back(&f);
    } else {
        const FormName* f = UsableForm(wanted.FormName(), error);
        if (f == nullptr)
            return false;
        forms.push_back(f);
    }
    const std::size_t first = out.size();
    for (const FormName* f : forms) {
        const std::string formName = f->name;
        if (formName == kBatch)
            continue; // the batch dialog opens on fixed values, not on the image
        Before(formName);
        if (formName == kChannel) {
            for (int n = 1; n <= kChannelCount; ++n) {
                ChannelEditForm form(context_, n);
                form.Open();
                ProfileSection section;
                section.header = formName + " " + ChannelLabel(n);
                section.lines = FormProfileLines(form);
                out.push_back(std::move(section));
            }
        } else if (formName == kDtmf) {
            // Each page as it shows when its tab is selected: the pages load
            // from the image alike, whichever was shown before.
            DtmfDialog dialog(context_);
            dialog.Open();
            for (int page = 0; page < DtmfDialog::kPageCount; ++page) {
                ProfileSection section;
                section.header =
                    formName + " " + PrintedLabel(DtmfDialog::PageNames()[static_cast<std::size_t>(page)]);
                section.lines = FormProfileLines(dialog.PageForm(page));
                out.push_back(std::move(section));
            }
        } else if (std::unique_ptr<Form> form = MakeForm(formName)) {
            form->Open();
            ProfileSection section;
            section.header = formName;
            section.lines = FormProfileLines(*form);
            out.push_back(std::move(section));
        }
    }
    if (wanted.HasArgument()) {
        // A DTMF page is named in any shipped language ("dtmf Encode").
        std::string header = name;
        if (wanted.FormName() == kDtmf) {
            const std::vector<std::string>& pages = DtmfDialog::PageNames();
            if (const int page = FindLabel(pages, wanted.Argument()); page >= 0)
                header =
                    std::string(kDtmf) + " " + PrintedLabel(pages[static_cast<std::size_t>(page)]);
        }
        const auto other =
            std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                           [&header](const ProfileSection& s) { return s.header != header; });
        out.erase(other, out.end());
        if (out.size() == first) {
            error = FillIn(TranslateText(KESTRA_TEXT("kestra", "表单“%1”没有“%2”一节")),
                           {wanted.FormName(), name});

            return false;
        }
    }
    return true;
}

} // namespace kestra::forms
