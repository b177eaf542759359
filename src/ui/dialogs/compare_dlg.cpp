// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/access_keys.h"
#include "ui/dialogs/compare_dlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "core/document/dat_file.h"
#include "core/forms/form_session.h"
#include "core/forms/profile_diff.h"
#include "core/forms/profile_labels.h"
#include "ui/app/backup_folder.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/widgets/screen_fit.h"

namespace kestra {

namespace {

// What the list shows for a key the image does not show.
const QString kAbsent = QStringLiteral("\u2014");

// The grid row of a channel section ("channel A005" -> 5), else 0.
int GridRowOf(const std::string& header) {
    forms::ProfileSection section;
    section.header = header;
    return forms::ChannelOfSection(section);
}

// The section as the user knows it: the menu entry of its dialog.
QString SectionText(const std::string& header) {
    forms::ProfileSection section;
    section.header = header;
    const std::string name = section.FormName();
    const QString argument = QString::fromStdString(section.Argument());
    if (name == "channel")
        return T(text::kCompareChannelSection).arg(argument);
    static const struct {
        const char* name;
        const char* text;
    } kForms[] = {
        {"model", text::kEditModel},        {"options", text::kEditOptional},
        {"fm", text::kEditFmRadio},         {"dtmf", text::kEditDtmf},
        {"tuning", text::kEditParamTuning}, {"decoder", text::kEditDtmfInit},
        {"raw", text::kCompareRawSection},
    };
    for (const auto& form : kForms)
        if (name == form.name)
            return T(form.text);
    return QString::fromStdString(header);
}

QString ValueText(const std::optional<std::string>& value) {
    return value ? T(*value) : kAbsent;
}

} // namespace

CCompareDlg::CCompareDlg(const AppState& document, const QString& startFolder, QWidget* parent)
    : QDialog(parent), startFolder_(startFolder) {
    CopyDocumentState(document, document_);
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(T(text::kCompareTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    choose_ = new QPushButton(T(text::kCompareChooseFile), this);
    choose_->setObjectName(QStringLiteral("compareChooseFile"));
    newest_ = new QPushButton(T(text::kCompareNewestBackup), this);
    newest_->setObjectName(QStringLiteral("compareNewestBackup"));
    for (QPushButton* b : {choose_, newest_})
        b->setAutoDefault(false);
    connect(choose_, &QPushButton::clicked, this, &CCompareDlg::OnChooseFile);
    connect(newest_, &QPushButton::clicked, this, &CCompareDlg::OnNewestBackup);

    fileLabel_ = new QLabel(this);
    fileLabel_->setObjectName(QStringLiteral("compareFile"));
    // The path is elided to the width there is; the whole path is the tip.
    fileLabel_->setMinimumWidth(120);
    fileLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    list_ = new QTreeWidget(this);
    list_->setAccessibleName(T(text::kCompareTitle));
    list_->setObjectName(QStringLiteral("compareList"));
    list_->setColumnCount(4);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTextElideMode(Qt::ElideMiddle);
    QHeaderView* header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kColumnSection, QHeaderView::Interactive);
    header->setSectionResizeMode(kColumnKey, QHeaderView::Interactive);
    header->setSectionResizeMode(kColumnCurrent, QHeaderView::Stretch);
    header->setSectionResizeMode(kColumnOther, QHeaderView::Stretch);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(list_, &QTreeWidget::itemActivated, this, &CCompareDlg::OnItemActivated);

    summary_ = new QLabel(T(text::kCompareNoFile), this);
    summary_->setObjectName(QStringLiteral("compareSummary"));
    summary_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(T(text::kCompareClose), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(choose_);
    top->addWidget(newest_);
    top->addSpacing(12);
    top->addWidget(fileLabel_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    path_.clear();
    ShowFileName();
    UpdateNewestButton();
    setMinimumSize(520, 320);
    // Wide enough for a raw line of 16 bytes on either side.
    ResizeWithinScreen(this, QSize(920, 540));
    GiveAccessKeys(this);
}

bool CCompareDlg::CompareWith(const QString& path) {
    path_ = path;
    ShowFileName();
    list_->clear();
    UpdateNewestButton();

    AppState other;
    CopyDocumentState(document_, other);
    std::string error;
    long long size = 0;
    if (!LoadDatFile(path.toStdString(), other.image, &error, &size)) {
        ShowError(QString::fromStdString(error));
        return false;
    }
    std::vector<forms::ProfileSection> sections;
    if (!forms::DiffImages(document_, other, std::string(), sections, error)) {
        ShowError(QString::fromStdString(error));
        return false;
    }

    const std::vector<forms::DiffEntry> entries = forms::DiffEntries(sections);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(entries.size()));
    for (const forms::DiffEntry& entry : entries) {
        // A [raw] line may only put back what replaying the others would
        // change (the file's bytes are the document's): no difference.
        const bool raw = entry.header == "raw";
        if (raw && entry.a == entry.b)
            continue;
        auto* item = new QTreeWidgetItem;
        item->setText(kColumnSection, SectionText(entry.header));
        item->setText(
            kColumnKey,
            QString::fromStdString(raw ? entry.key
                                       : forms::TranslateKey(entry.key, [](const std::string& s) {
                                             return T(s).toStdString();
                                         })));
        item->setText(kColumnCurrent, ValueText(entry.a));
        item->setText(kColumnOther, ValueText(entry.b));
        for (int c = 0; c < 4; ++c)
            item->setToolTip(c, item->text(c));
        for (int c : {kColumnCurrent, kColumnOther}) {
            if (item->text(c) == kAbsent)
                item->setForeground(c, palette().brush(QPalette::PlaceholderText));
        }
        item->setData(kColumnSection, kHeaderRole, QString::fromStdString(entry.header));
        item->setData(kColumnSection, kGridRowRole, GridRowOf(entry.header));
        items.append(item);
    }
    list_->addTopLevelItems(items);
    // The section and key columns fit their texts (within reason); the two
    // texts share the rest.
    for (int c : {kColumnSection, kColumnKey}) {
        list_->resizeColumnToContents(c);
        const int least = list_->header()->sectionSizeHint(c);
        list_->setColumnWidth(c, qBound(least, list_->columnWidth(c) + 12, 220));
    }
    summary_->setStyleSheet(QString());
    QString summary = items.isEmpty() ? T(text::kCompareEqual)
                                      : T(text::kCompareCount, static_cast<int>(items.size()));
    // Bytes past the image were not compared: said, not passed over.
    if (const std::string note = DatFileLongerNote(path.toStdString(), size); !note.empty())
        summary += QLatin1Char(' ') + QString::fromStdString(note);
    summary_->setText(summary);
    if (!items.isEmpty()) {
        // The keys move in the list at once (the focus stayed on the button).
        list_->setCurrentItem(items.first());
        list_->setFocus();
    }
    return true;
}

void CCompareDlg::OnChooseFile() {
    const QString folder = path_.isEmpty() ? startFolder_ : QFileInfo(path_).absolutePath();
    const QString path =
        AskOpenName(this, T(text::kCompareTitle), folder, QString::fromUtf8(text::kDatFilter));
    if (!path.isEmpty())
        CompareWith(path);
}

void CCompareDlg::OnNewestBackup() {
    const QString path = NewestBackup(document_.backupFolder);
    if (!path.isEmpty())
        CompareWith(path);
}

void CCompareDlg::OnItemActivated(QTreeWidgetItem* item) {
    const int row = item ? item->data(kColumnSection, kGridRowRole).toInt() : 0;
    if (row > 0)
        emit channelChosen(row);
}

void CCompareDlg::ShowFileName() {
    const QString native = QDir::toNativeSeparators(path_);
    const QString full = path_.isEmpty() ? QString() : T(text::kCompareWith).arg(native);
    fileLabel_->setToolTip(full);
    fileLabel_->setText(
        fontMetrics().elidedText(full, Qt::ElideMiddle, qMax(fileLabel_->width(), 120)));
    list_->setHeaderLabels({T(text::kCompareColumnSection), T(text::kCompareColumnKey),
                            T(text::kCompareColumnCurrent),
                            path_.isEmpty() ? T(text::kCompareColumnOther)
                                            : QFileInfo(path_).fileName()});
    list_->headerItem()->setToolTip(kColumnOther, native);
}

void CCompareDlg::ShowError(const QString& error) {
    // A dark red on a light window, a light one on a dark window.
    const bool darkWindow = palette().color(QPalette::Window).lightness() < 128;
    summary_->setStyleSheet(darkWindow ? QStringLiteral("color: #ff8080;")
                                       : QStringLiteral("color: #b00000;"));
    summary_->setText(error);
}

void CCompareDlg::UpdateNewestButton() {
    newest_->setEnabled(!NewestBackup(document_.backupFolder).isEmpty());
}

void CCompareDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowFileName();
}

} // namespace kestra
