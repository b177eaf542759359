// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/view_steps.h"

namespace kestra::forms {

const ViewSteps& StepsAround(const std::string& form) {
    static const ViewSteps rows[] = {
        {"channel", true, true, false}, {"batch", true, false, true},
        {"model", true, true, false},   {"options", false, false, false},
        {"fm", false, false, false},    {"dtmf", false, false, false},
        {"tuning", false, false, false}, {"decoder", false, false, false},
    };
    static const ViewSteps none = {"", false, false, false};
    for (const ViewSteps& row : rows)
        if (form == row.form)
            return row;
    return none;
}

} // namespace kestra::forms
