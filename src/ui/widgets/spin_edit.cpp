// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/spin_edit.h"

#include <QLineEdit>

#include "ui/widgets/key_filter_validator.h"

namespace kestra {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textChanged, this,
            [this](const QString& text) { accepted_ = text; });
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpinEdit::textEdited);
}

void SpinEdit::SetRules(const forms::KeyFilter& filter, int limit) {
    filter_ = filter;
    limit_ = limit;
}

void SpinEdit::SetText(const QString& text) {
    if (lineEdit()->text() == text)
        return;
    bypass_ = true;
    lineEdit()->setText(text);
    bypass_ = false;
}

void SpinEdit::stepBy(int steps) {
    // One report per press, whatever step size the key or wheel asks for.
    if (steps != 0)
        emit stepped(steps > 0 ? 1 : -1);
}

QValidator::State SpinEdit::validate(QString& input, int& pos) const {
    return bypass_ ? QValidator::Acceptable
                   : ValidateTextChange(accepted_, input, pos, filter_, limit_);
}

QVariant SpinEdit::Value() const {
    bool number = false;
    const double value = text().toDouble(&number);
    return number ? QVariant(value) : QVariant(text());
}

} // namespace kestra
