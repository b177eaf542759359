#include "core/forms/form_session.h"

#include <algorithm>

#include "core/codec/codecs.h"
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
#include "core/image/finalize.h"

namespace kestra::forms {

namespace {

constexpr const char* kChannel = "channel";
constexpr const char* kBatch = "batch";
constexpr const char* kModel = "model";
constexpr const char* kOptions = "options";
constexpr const char* kFm = "fm";
constexpr const char* kDtmf = "dtmf";
constexpr const char* kTuning = "tuning";
constexpr const char* kDecoder = "decoder";

std::string Where(const ProfileSection& section, int line) {
    return section.source + ":" + std::to_string(line) + ": [" + section.header + "]";
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

const FormName* FormSession::UsableForm(const std::string& name, std::string& error) const {
    const FormName* f = FindFormName(name);
    if (f == nullptr)
        error = "unknown form '" + name + "' (forms: " + AllNames() + ")";
    else if (!f->available)
        error = "the form '" + name + "' is not available in this version of kestra-cli";
    else if (f->factoryOnly && !state_.factoryMode)
        error = "the form '" + name + "' needs --factory";
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
        {kChannel, false, true, false}, {kBatch, false, true, false},
        {kModel, false, true, true},    {kOptions, false, true, true},
        {kFm, false, true, true},       {kDtmf, false, true, true},
        {kTuning, true, true, false},   {kDecoder, true, true, false},
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
    : state_(state), context_{state, [this] { RenderView(); }, randomSeed} {
    RenderView();
}

void FormSession::RenderView() {
    RenderGrid(grid_, state_.image, state_.bandLimits);
    converted_ = false;
}

void FormSession::ConvertGrid() {
    if (fullViewPasses_ || !converted_) {
        GridToImage(grid_, state_.image, state_.bandLimits);
        converted_ = true;
    } else if (!changedRows_.empty()) {
        // Every other row was converted from a grid rendered from the image
        // and is left as it is by converting it again.
        for (int n : changedRows_)
            GridRowToImage(grid_, state_.image, state_.bandLimits, n);
        FinalizeImage(state_.image, state_.bandLimits);
    }
    changedRows_.clear();
}

void FormSession::PrepareSave() {
    ConvertGrid();
}

void FormSession::Before(const std::string& name) {
    if (name == kChannel || name == kModel || name == kBatch)
        ConvertGrid();
    if (name == kChannel)
        beforeDialog_ = state_.image;
}

void FormSession::After(const std::string& name) {
    if (name == kModel || (name == kChannel && fullViewPasses_)) {
        RenderView();
    } else if (name == kChannel) {
        // The channel dialog writes channel records only: render the rows
        // whose records it changed.
        // RenderGrid takes the band limits from the image first; limits the
        // image cannot hold as they were (beyond eight BCD digits) come back
        // changed after a conversion, and then every row may render anew.
        const BandLimits limitsBefore = state_.bandLimits;
        LoadBandLimitsFromImage(state_.image, state_.bandLimits);
        const int recordsEnd = RecordOffset(kChannelCount + 1);
        if (!(state_.bandLimits == limitsBefore) ||
            !std::equal(state_.image.data() + recordsEnd, state_.image.data() + kImageSize,
                        beforeDialog_.data() + recordsEnd)) {
            RenderView();
            return;
        }
        for (int n = 1; n <= kChannelCount; ++n) {
            const int at = RecordOffset(n);
            if (std::equal(state_.image.data() + at, state_.image.data() + at + kRecordSize,
                           beforeDialog_.data() + at))
                continue;
            const auto cells = RenderRow(state_.image, state_.bandLimits, n);
            for (int c = 0; c < kGridCols - 1; ++c)
                grid_.SetText(n, c + 1, cells[static_cast<std::size_t>(c)]);
            changedRows_.push_back(n);
        }
    }
}

std::unique_ptr<Form> FormSession::OpenForm(const ProfileSection& section, std::string& error) {
    const std::string name = section.FormName();
    auto fail = [&](const std::string& message) {
        error = Where(section, section.number) + ": " + message;
        return nullptr;
    };
    std::string why;
    if (UsableForm(name, why) == nullptr)
        return fail(why);
    if (name == kChannel) {
        const int n = ChannelOfLabel(section.Argument());
        if (n == 0)
            return fail("'channel' needs a channel label: A001..A128, B001..B128, A VFO, B VFO");
        Before(name);
        return std::make_unique<ChannelEditForm>(context_, n);
    }
    if (section.HasArgument())
        return fail("the form '" + name + "' takes no argument");
    std::unique_ptr<Form> form = MakeForm(name);
    if (!form)
        return fail("the form '" + name + "' is not available in this version of kestra-cli");
    Before(name);
    return form;
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

bool FormSession::ApplyLines(Form& form, const ProfileSection& section, std::string& error) {
    for (const ProfileLine& line : section.lines) {
        std::string why;
        if (!ApplyProfileLine(form, line, why)) {
            error = Where(section, line.number) + " " + line.key + ": " + why;
            return false;
        }
    }
    return true;
}

bool FormSession::RunDtmfSection(const ProfileSection& section, std::string& error) {
    // The dialog opens on its encode page; the section's page is then
    // selected as the user would select its tab.
    const int page = DtmfDialog::PageOfName(section.Argument());
    if (page < 0) {
        std::string pages;
        for (const std::string& p : DtmfDialog::PageNames())
            pages += (pages.empty() ? "" : ", ") + p;
        error = Where(section, section.number) + ": 'dtmf' needs its page: " + pages;
        return false;
    }
    DtmfDialog dialog(context_);
    dialog.Open();
    dialog.SelectPage(page);
    if (!ApplyLines(dialog.PageForm(page), section, error))
        return false;
    dialog.Close();
    return true;
}

bool FormSession::RunSection(const ProfileSection& section, std::string& error) {
    if (section.FormName() == kDtmf)
        return RunDtmfSection(section, error);
    std::unique_ptr<Form> form = OpenForm(section, error);
    if (!form)
        return false;
    form->Open();
    if (!ApplyLines(*form, section, error))
        return false;
    form->Close();
    After(section.FormName());
    return true;
}

bool FormSession::SettingsSections(const std::string& name, std::vector<ProfileSection>& out,
                                   std::string& error) {
    std::vector<const FormName*> forms;
    if (name.empty()) {
        for (const FormName& f : FormNames())
            if (f.available && (f.printedByDefault || (f.factoryOnly && state_.factoryMode)))
                forms.push_back(&f);
    } else {
        const FormName* f = UsableForm(name, error);
        if (f == nullptr)
            return false;
        forms.push_back(f);
    }
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
    return true;
}

} // namespace kestra::forms
