// SPDX-License-Identifier: GPL-3.0-or-later
// The generic driver: one profile line applied to an open form as the user
// would do it, and a form's fields printed as profile lines.
//
//   edit, spin edit, typeable combo   VALUE is pasted: FocusGained, the key
//       filter drops refused characters, the text is cut to the limit (in
//       characters), TextTyped runs once, then TextCommitted (focus lost)
//   KEY++ / KEY--                     SpinStep(+1 / -1) of a spin edit
//   drop-down list                    the entry with exactly that text is
//       picked (ListPicked); picking the selected entry does nothing
//   check box                         "1" ticks, "0" clears (BoxToggled on a
//       change)
//   radio group                       the button with that label is pressed
//   grid ("ROW/COLUMN" key)           the cell is typed into like an edit
//       (the grid's filter and limit) and committed
//   push button                       empty value (or a row label of the
//       grid named by argumentGrid) presses it
//
// A key that names no field, a read-only, hidden or disabled field, a list
// text that is no entry and a malformed value are errors; the form is left as
// the lines before the error made it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/forms/form.h"
#include "core/forms/profile.h"

namespace kestra::forms {

// storedAs, when given, receives what an edit, spin edit, typed combo text or
// grid cell shows after a value line (an edit or combo: once stored, see
// Form::StoredText) when that says something other than the value: more
// than blanks, letter case or the way a number is written ("abc" typed into
// a frequency leaves it empty; 1e3 into a level is 13; a tone 88.55 is 88.5).
bool ApplyProfileLine(Form& form, const ProfileLine& line, std::string& error,
                      std::optional<std::string>* storedAs = nullptr);

// The lines `kestra-cli settings` prints for an open form: every field in
// table order that is in the profile, shown and enabled, with the text the
// dialog shows; read-only fields as comments; no push buttons; lists and
// radio groups without a selection are left out (there is nothing to pick).
std::vector<ProfileLine> FormProfileLines(const Form& form);

// Pastes a value into an edit-like field as ApplyProfileLine does (filter,
// limit, FocusGained, TextTyped, TextCommitted); for tests and binders.
void PasteText(Form& form, int id, const std::string& value);

} // namespace kestra::forms
