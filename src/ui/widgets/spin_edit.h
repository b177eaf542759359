// SPDX-License-Identifier: GPL-3.0-or-later
// SpinEdit: an edit with an up-down control whose rules come from a form.
// Its text follows a field's KeyFilter and limit (typed and pasted alike);
// the up and down arrows, the Up and Down keys and the wheel report one step
// up or down through stepped() and change nothing themselves: the form
// decides the new text (wrapping, clamping) and the binder shows it. Both
// arrows are always enabled.
#pragma once

#include <QAbstractSpinBox>
#include <QVariant>

#include "core/forms/field_desc.h"

namespace kestra {

class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    // What a screen reader reads as the value.
    Q_PROPERTY(QVariant value READ Value)
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void SetRules(const forms::KeyFilter& filter, int limit);
    // Sets the text as the program does (the rules do not apply).
    void SetText(const QString& text);
    QLineEdit* edit() const { return lineEdit(); }
    // The number shown, or the text where it is none (a hexadecimal field).
    QVariant Value() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override {}

signals:
    // One press of an arrow: +1 up, -1 down.
    void stepped(int delta);
    // The user changed the text (typing, pasting, deleting).
    void textEdited(const QString& text);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    forms::KeyFilter filter_;
    int limit_ = 0;
    QString accepted_;
    bool bypass_ = false;
};

} // namespace kestra
