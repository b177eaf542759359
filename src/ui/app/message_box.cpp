#include "ui/app/message_box.h"

#include <QPushButton>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    ShowMessage(parent, text, QString(), icon);
}

void ShowMessage(QWidget* parent, const QString& text, const QString& detail,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, T(text::kAppTitle), detail.isEmpty() ? text : text + '\n' + detail,
                    QMessageBox::NoButton, parent);
    box.addButton(T(text::kOk), QMessageBox::AcceptRole);
    box.exec();
}

bool AskOkCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, T(text::kAppTitle), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(T(text::kOk), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(T(text::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

SaveChoice AskSaveChanges(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, T(text::kAppTitle), T(text::kAskSaveChanges),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("askSaveChanges"));
    QPushButton* save = box.addButton(T(text::kSave), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(T(text::kDontSave), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(T(text::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    if (box.clickedButton() == discard)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

} // namespace kestra
