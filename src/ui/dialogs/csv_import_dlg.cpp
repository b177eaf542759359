// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/csv_import_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/codec/codecs.h"
#include "core/image/channel_numbers.h"
#include "core/interchange/csv_import_plan.h"
#include "ui/app/access_keys.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

namespace {
// A row that replaces a channel in use.
const QColor kReplacedColour(255, 224, 160);
} // namespace

CCsvImportDlg::CCsvImportDlg(const std::string& csvText, const RadioImage& image, QWidget* parent)
    : QDialog(parent), text_(csvText), image_(image) {
    setObjectName(QStringLiteral("csvImportDialog"));
    setWindowTitle(T(text::kFileImportCsvTitle));

    start_ = new QComboBox(this);
    start_->setObjectName(QStringLiteral("csvStart"));
    for (int n = 1; n <= kMemoryChannels; ++n)
        start_->addItem(QString::fromStdString(ChannelLabel(n)), n);
    keepLocation_ = new QCheckBox(T(text::kCsvKeepLocation), this);
    keepLocation_->setObjectName(QStringLiteral("csvKeepLocation"));
    overwrite_ = new QCheckBox(T(text::kCsvOverwrite), this);
    overwrite_->setObjectName(QStringLiteral("csvOverwrite"));

    auto* options = new QHBoxLayout;
    auto* startLabel = new QLabel(T(text::kCsvStartChannel), this);
    startLabel->setBuddy(start_);
    options->addWidget(startLabel);
    options->addWidget(start_);
    options->addSpacing(16);
    options->addWidget(keepLocation_);
    options->addWidget(overwrite_);
    options->addStretch(1);

    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("csvReport"));
    table_->setHorizontalHeaderLabels({T(text::kCsvColumnRow), T(text::kCsvColumnLabel),
                                       T(text::kCsvColumnChannel), T(text::kCsvColumnReplaces),
                                       T(text::kCsvColumnResult)});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(kColumnRow, 60);
    table_->setColumnWidth(kColumnLabel, 130);
    table_->setColumnWidth(kColumnChannel, 70);
    table_->setColumnWidth(kColumnReplaces, 110);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("csvSummary"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(T(text::kCsvImport), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(T(text::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(760, 460);
    GiveAccessKeys(this);

    connect(start_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { Recompute(); });
    connect(keepLocation_, &QCheckBox::toggled, this, [this](bool keep) {
        // Rows go to their Location then: the start channel plays no part.
        start_->setEnabled(!keep);
        Recompute();
    });
    connect(overwrite_, &QCheckBox::toggled, this, [this] { Recompute(); });
    Recompute();
}

CsvImportOptions CCsvImportDlg::Options() const {
    CsvImportOptions o;
    o.start = start_->currentData().toInt();
    o.keepLocation = keepLocation_->isChecked();
    o.overwrite = overwrite_->isChecked();
    return o;
}

void CCsvImportDlg::Recompute() {
    RadioImage copy = image_;
    preview_ = ImportChannelCsv(text_, copy, Options());
    // Every row: where it lands and what it replaces there (highlighted),
    // or why it is skipped (greyed).
    const std::vector<CsvRowPlan> plan = PlanChannelCsvImport(text_, image_, Options());
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(plan.size()));
    const QPalette& palette = table_->palette();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const CsvRowPlan& row = plan[static_cast<std::size_t>(r)];
        const QString cells[kColumns] = {
            QString::number(row.row), QString::fromStdString(row.label),
            row.channel > 0 ? QString::fromStdString(ChannelLabel(row.channel)) : QString(),
            QString::fromStdString(row.replaces), QString::fromStdString(row.what)};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (row.channel == 0)
                item->setForeground(palette.color(QPalette::Disabled, QPalette::Text));
            else if (!row.replaces.empty())
                item->setBackground(kReplacedColour);
            table_->setItem(r, c, item);
        }
    }
    summary_->setText(T(text::kCsvSummary).arg(preview_.imported).arg(preview_.skipped));
}

} // namespace kestra
