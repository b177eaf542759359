// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/message_box.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

#include "ui/app/access_keys.h"

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/widgets/screen_fit.h"

namespace kestra {

void FitTitle(QMessageBox* box) {
    // The window manager elides a caption wider than the window; a short
    // message must not cut the title. Room for the caption's text in a bold
    // face and for the frame's buttons (about three title-bar heights).
    QFont font = box->font();
    font.setBold(true);
    const int titleBar = box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
    const int wanted = QFontMetrics(font).horizontalAdvance(box->windowTitle()) + 4 * titleBar + 48;
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    ShowMessage(parent, text, QString(), icon);
}

void ShowMessage(QWidget* parent, const QString& text, const QString& detail,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, T(text::kAppTitle), detail.isEmpty() ? text : text + '\n' + detail,
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // a name or file quoted in it is no markup
    box.addButton(T(text::kOk), QMessageBox::AcceptRole);
    FitTitle(&box);
    box.exec();
}

bool AskOkCancel(QWidget* parent, const QString& text, bool cancelIsDefault) {
    QMessageBox box(QMessageBox::Warning, T(text::kAppTitle), text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    // When Enter cancels, OK is reached by its access key.
    QPushButton* ok = box.addButton(cancelIsDefault ? WithAccessKey(T(text::kOk), QLatin1Char('O'))
                                                    : T(text::kOk),
                                    QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(T(text::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancelIsDefault ? cancel : ok);
    box.setEscapeButton(cancel);
    FitTitle(&box);
    box.exec();
    return box.clickedButton() == ok;
}

QString WithReason(const QString& text, const QString& reason) {
    if (reason.isEmpty())
        return text;
    return text + QLatin1Char('\n') + T(text::kSystemReason).arg(reason);
}

namespace {

// A warning with three buttons (accept, destructive, cancel) that returns
// the one pressed: 0, 1, or 2 for the cancel button and Esc.
int AskOfThree(QWidget* parent, const QString& text, const QString& informative,
               const QString& name, const QString (&buttons)[3], int defaultButton) {
    QMessageBox box(QMessageBox::Warning, T(text::kAppTitle), text, QMessageBox::NoButton, parent);
    box.setInformativeText(informative);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(name);
    const QMessageBox::ButtonRole roles[3] = {QMessageBox::AcceptRole, QMessageBox::DestructiveRole,
                                              QMessageBox::RejectRole};
    QPushButton* added[3];
    for (int i = 0; i < 3; ++i)
        added[i] = box.addButton(buttons[i], roles[i]);
    box.setDefaultButton(added[defaultButton]);
    box.setEscapeButton(added[2]);
    GiveAccessKeys(&box);
    FitTitle(&box);
    box.exec();
    for (int i = 0; i < 2; ++i)
        if (box.clickedButton() == added[i])
            return i;
    return 2;
}

} // namespace

SaveChoice AskSaveChanges(QWidget* parent, const QString& document) {
    const QString buttons[3] = {T(text::kSave), T(text::kDontSave), T(text::kCancel)};
    static constexpr SaveChoice kChoices[3] = {SaveChoice::Save, SaveChoice::Discard,
                                               SaveChoice::Cancel};
    return kChoices[AskOfThree(parent, T(text::kAskSaveChanges), document,
                               QStringLiteral("askSaveChanges"), buttons, 0)];
}

ChangedFileChoice AskChangedFile(QWidget* parent, const QString& text, const QString& goOn) {
    const QString buttons[3] = {T(text::kReloadFile), goOn, T(text::kCancel)};
    static constexpr ChangedFileChoice kChoices[3] = {
        ChangedFileChoice::Reload, ChangedFileChoice::GoOn, ChangedFileChoice::Cancel};
    return kChoices[AskOfThree(parent, text, QString(), QStringLiteral("askChangedFile"), buttons,
                               2)];
}

namespace {

// Room for the name, size, type and date columns of the toolkit's own dialog.
void FitFileDialog(QFileDialog& dialog, const QString& title) {
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    ResizeWithinScreen(&dialog, dialog.sizeHint().expandedTo(QSize(820, 520)));
}

// The toolkit's own dialog reads quotes in the typed name as a list of
// names ('my "list" 2' saved as list): a name with a quote inside is refused,
// one quoted whole is the name inside.
class SaveNameDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString typed = edit ? edit->text().trimmed() : QString();
        const bool quotedWhole = typed.size() > 2 && typed.startsWith('"') && typed.endsWith('"') &&
                                 typed.count('"') == 2;
        if (typed.contains('"') && !quotedWhole) {
            ShowMessage(this, T(text::kQuoteInFileName), QString(), QMessageBox::Warning);
            return;
        }
        QFileDialog::accept();
    }
};

} // namespace

QString AskOpenName(QWidget* parent, const QString& title, const QString& folder,
                    const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    FitFileDialog(dialog, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString AskSaveName(QWidget* parent, const QString& filter, const QString& suffix,
                    const QString& file, const QString& folder, const QString& title) {
    SaveNameDialog dialog(parent);
    FitFileDialog(dialog, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (!file.isEmpty())
        dialog.selectFile(file);
    else
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace kestra
