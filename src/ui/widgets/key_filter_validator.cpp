// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/key_filter_validator.h"

#include <QLineEdit>

namespace kestra {

namespace {

// The first n characters of a text (a surrogate pair is one character).
QString LeftCharacters(const QString& text, int n) {
    int i = 0;
    for (int count = 0; i < text.size() && count < n; ++count)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return text.left(i);
}

} // namespace

int CharacterCount(const QString& text) {
    int count = 0;
    for (int i = 0; i < text.size(); ++count)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return count;
}

bool FilterTextChange(const QString& before, const QString& after, const forms::KeyFilter& filter,
                      int limit, QString& taken, int& cursor) {
    // The text kept in front of the change and behind it, never splitting a
    // surrogate pair.
    const int shorter = static_cast<int>(std::min(before.size(), after.size()));
    int front = 0;
    while (front < shorter && before.at(front) == after.at(front))
        ++front;
    if (front > 0 && after.at(front - 1).isHighSurrogate())
        --front;
    int back = 0;
    while (back < shorter - front &&
           before.at(before.size() - 1 - back) == after.at(after.size() - 1 - back))
        ++back;
    if (back > 0 && after.at(after.size() - back).isLowSurrogate())
        --back;
    const QString head = after.left(front);
    const QString tail = after.right(back);
    QString inserted = QString::fromStdString(
        filter.Apply(after.mid(front, after.size() - front - back).toStdString()));
    if (limit > 0) {
        const int room = std::max(0, limit - CharacterCount(head) - CharacterCount(tail));
        inserted = LeftCharacters(inserted, room);
    }
    taken = head + inserted + tail;
    cursor = static_cast<int>(head.size() + inserted.size());
    // Typing that inserts nothing the field takes is a refused key; a
    // deletion (after shorter than before, nothing inserted) is taken.
    return !(taken == before && after != before);
}

KeyFilterValidator::KeyFilterValidator(QLineEdit* edit, const forms::KeyFilter& filter, int limit)
    : QValidator(edit), edit_(edit), filter_(filter), limit_(limit), accepted_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    edit->setValidator(this);
}

QValidator::State ValidateTextChange(const QString& accepted, QString& input, int& pos,
                                     const forms::KeyFilter& filter, int limit) {
    if (input == accepted)
        return QValidator::Acceptable;
    QString taken;
    int cursor = 0;
    if (!FilterTextChange(accepted, input, filter, limit, taken, cursor))
        return QValidator::Invalid;
    if (taken != input) {
        input = taken;
        pos = cursor;
    }
    return QValidator::Acceptable;
}

QValidator::State KeyFilterValidator::validate(QString& input, int& pos) const {
    return bypass_ ? Acceptable : ValidateTextChange(accepted_, input, pos, filter_, limit_);
}

KeyFilterValidator* KeyFilterValidator::Of(QLineEdit* edit) {
    return qobject_cast<KeyFilterValidator*>(const_cast<QValidator*>(edit->validator()));
}

void KeyFilterValidator::SetText(QLineEdit* edit, const QString& text) {
    Unchecked(edit, [&] { edit->setText(text); });
}

} // namespace kestra
