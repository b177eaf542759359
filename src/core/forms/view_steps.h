// SPDX-License-Identifier: GPL-3.0-or-later
// What the main view does around each dialog, written once and read by the
// view (CProgramView::RunDialog) and by `kestra-cli configure` (FormSession),
// so that a dialog changes the image the same way on both roads.
//
//   form      before the dialog   after it closed           after each "应用"
//   channel   GridToImage         RenderGrid (if changed)   -
//   batch     GridToImage         -                         RenderGrid
//   model     GridToImage         RenderGrid (if changed)   -
//   options, fm, dtmf, tuning, decoder: nothing (they edit no channel)
//
// GridToImage is always the whole conversion, which finalises the image; a
// conversion of a TX in no band depends on the shift amount the previous
// conversion stored, so no conversion may be skipped or cut short.
// "If changed": when the dialog left the image and the band limits as they
// were, the grid stays as it is (no step is made).
// The batch dialog converts first (the original did not) so that grid edits
// not yet converted are not replaced when "应用" renders the grid.
#pragma once

#include <string>

namespace kestra::forms {

struct ViewSteps {
    const char* form;    // the form name ("channel", ...)
    bool convertBefore;  // GridToImage before the dialog opens
    bool renderAfter;    // RenderGrid after it closed, when it changed the document
    bool renderOnApply;  // RenderGrid after each "应用"
};

// The row of a form name; a row of no steps for an unknown name.
const ViewSteps& StepsAround(const std::string& form);

} // namespace kestra::forms
