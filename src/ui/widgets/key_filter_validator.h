// SPDX-License-Identifier: GPL-3.0-or-later
// The typing rules of a form field on a Qt line edit: its KeyFilter and its
// text limit in characters, applied to every change of the text, typed,
// pasted, dropped or composed.
//
// A change is taken apart into the text kept before and after it and the
// text it inserts; the inserted text goes through the filter (refused
// characters are dropped, letters upper-cased where the filter says so) and
// is cut to the room the limit leaves. A change that inserts nothing the
// field takes is refused, as a key the field does not accept.
#pragma once

#include <QString>
#include <QValidator>

#include "core/forms/field_desc.h"

class QLineEdit;

namespace kestra {

// The text a field takes when its accepted text `before` would become
// `after`; cursor receives the position after the inserted text. Returns
// false when the change is refused (before stays).
bool FilterTextChange(const QString& before, const QString& after, const forms::KeyFilter& filter,
                      int limit, QString& taken, int& cursor);

// A validator's answer for a change of an edit whose accepted text is
// `accepted`: FilterTextChange applied to input (rewritten in place, pos set
// to the cursor), Invalid when the change is refused.
QValidator::State ValidateTextChange(const QString& accepted, QString& input, int& pos,
                                     const forms::KeyFilter& filter, int limit);

// The number of characters (code points) of a text.
int CharacterCount(const QString& text);

// A validator that applies FilterTextChange to its line edit.
class KeyFilterValidator : public QValidator {
    Q_OBJECT
public:
    // Installs itself on edit (and becomes its child).
    KeyFilterValidator(QLineEdit* edit, const forms::KeyFilter& filter, int limit);

    State validate(QString& input, int& pos) const override;

    // Sets text as the program does: the rules do not apply to it.
    static void SetText(QLineEdit* edit, const QString& text);
    // Runs change (which sets the edit's text) with the rules off.
    template <typename F> static void Unchecked(QLineEdit* edit, F&& change) {
        KeyFilterValidator* v = Of(edit);
        if (v)
            v->bypass_ = true;
        change();
        if (v)
            v->bypass_ = false;
    }
    // The validator of an edit, if it has one of this kind.
    static KeyFilterValidator* Of(QLineEdit* edit);

private:
    QLineEdit* edit_;
    forms::KeyFilter filter_;
    int limit_;
    QString accepted_;
    bool bypass_ = false;
};

} // namespace kestra
