// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/csv_import_dlg.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/image/channel_numbers.h"
#include "core/interchange/csv_import_plan.h"
#include "ui/app/access_keys.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/widgets/screen_fit.h"

namespace kestra {

namespace {

// A row that replaces a channel in use.
const QColor kReplacedColour(255, 224, 160);

} // namespace

// The rows of the plan, their texts made only for the rows on screen: a file
// of a hundred thousand rows costs no widget item per cell, and changing an
// option does not rebuild them.
class CsvPlanModel : public QAbstractTableModel {
public:
    explicit CsvPlanModel(QObject* parent) : QAbstractTableModel(parent) {}

    void SetPlan(std::vector<CsvRowPlan> plan) {
        beginResetModel();
        plan_ = std::move(plan);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(plan_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : CCsvImportDlg::kColumns;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const CsvRowPlan& row = plan_[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: // a long result is cut off in its column
            return Text(row, index.column());
        case Qt::ForegroundRole:
            // Skipped: greyed, but for the reason. On the light colour of a
            // replacing row the text is dark whatever the palette.
            if (row.channel == 0 && index.column() != CCsvImportDlg::kColumnResult)
                return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
            if (row.channel != 0 && !row.replaces.empty())
                return QBrush(Qt::black);
            return {};
        case Qt::BackgroundRole:
            if (row.channel != 0 && !row.replaces.empty())
                return QBrush(kReplacedColour);
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        const char* const titles[CCsvImportDlg::kColumns] = {
            text::kCsvColumnRow, text::kCsvColumnLabel, text::kCsvColumnChannel,
            text::kCsvColumnReplaces, text::kCsvColumnResult};
        return section >= 0 && section < CCsvImportDlg::kColumns ? T(titles[section]) : QVariant();
    }

private:
    static QString Text(const CsvRowPlan& row, int column) {
        switch (column) {
        case CCsvImportDlg::kColumnRow:
            return QString::number(row.row);
        case CCsvImportDlg::kColumnLabel: // as the report line quotes it
            return QString::fromStdString(EscapeControl(row.label));
        case CCsvImportDlg::kColumnChannel:
            return row.channel > 0 ? QString::fromStdString(ChannelLabel(row.channel)) : QString();
        case CCsvImportDlg::kColumnReplaces:
            return QString::fromStdString(row.replaces);
        default:
            return QString::fromStdString(row.what);
        }
    }

    std::vector<CsvRowPlan> plan_;
};

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
    auto* startLabel = new QLabel(WithAccessKey(T(text::kCsvStartChannel), QLatin1Char('F')), this);
    startLabel->setBuddy(start_);
    options->addWidget(startLabel);
    options->addWidget(start_);
    options->addSpacing(16);
    options->addWidget(keepLocation_);
    options->addWidget(overwrite_);
    options->addStretch(1);

    plan_ = new CsvPlanModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("csvReport"));
    table_->setAccessibleName(T(text::kFileImportCsvTitle));
    table_->setModel(plan_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab goes on to the buttons, not from cell to cell.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    // Every row is one line high: the view need not measure a long file.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Widths in the font's letters, so that a large font keeps the texts.
    const int em = table_->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    table_->setColumnWidth(kColumnRow, 5 * em);
    table_->setColumnWidth(kColumnLabel, 12 * em);
    table_->setColumnWidth(kColumnChannel, 6 * em);
    table_->setColumnWidth(kColumnReplaces, 10 * em);
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
    ResizeWithinScreen(this, QSize(760, 460));
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
    plan_->SetPlan(PlanChannelCsvImport(text_, image_, Options()));
    QString summary = T(text::kCsvSummary, preview_.imported).arg(preview_.skipped);
    const int rows = preview_.imported + preview_.skipped + preview_.replaced;
    if (plan_->rowCount() < rows)
        summary += T(text::kCsvFirstRowsListed).arg(plan_->rowCount());
    summary_->setText(summary);
}

} // namespace kestra
