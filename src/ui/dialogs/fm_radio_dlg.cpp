#include "ui/dialogs/fm_radio_dlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "ui/app/translation.h"

namespace kestra {

using Form = forms::FmRadioForm;

namespace {

// Keeps a label over the corner of a table, where the row labels' column
// title belongs.
class CornerTitle : public QLabel {
public:
    CornerTitle(const QString& text, QTableWidget* table) : QLabel(text, table), table_(table) {
        setAlignment(Qt::AlignCenter);
        table->installEventFilter(this);
        Place();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == table_ &&
            (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
             event->type() == QEvent::LayoutRequest))
            Place();
        return QLabel::eventFilter(watched, event);
    }

private:
    void Place() {
        const int frame = table_->frameWidth();
        setGeometry(frame, frame, table_->verticalHeader()->width(),
                    table_->horizontalHeader()->height());
        raise();
    }
    QTableWidget* table_;
};

} // namespace

void SetRowLabelTitle(QTableWidget* table, const QString& title) {
    table->setCornerButtonEnabled(false);
    table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table->verticalHeader()->setMinimumWidth(table->fontMetrics().horizontalAdvance(title) + 16);
    new CornerTitle(title, table);
}

void MarkCurrentCellRed(QTableWidget* table) {
    auto paint = [table](int row, int col, int previousRow, int previousCol) {
        if (QTableWidgetItem* item = table->item(previousRow, previousCol))
            item->setForeground(table->palette().text());
        if (QTableWidgetItem* item = table->item(row, col))
            item->setForeground(Qt::red);
    };
    QObject::connect(table, &QTableWidget::currentCellChanged, table, paint);
    table->setCurrentCell(0, 0);
    paint(0, 0, -1, -1);
}

CFmRadioDlg::CFmRadioDlg(AppState& state, QWidget* parent) : CFormDialog(state, nullptr, parent) {
    setObjectName(QStringLiteral("fmRadioDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 18);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(b.Label(Form::kCurrentChannel), 0, 0);
    grid->addWidget(b.Widget(Form::kCurrentChannel), 0, 1);
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(b.Label(Form::kCurrentFrequency), 0, 3);
    grid->addWidget(b.Widget(Form::kCurrentFrequency), 0, 4);
    FitWidthToChars(b.Widget(Form::kCurrentFrequency), 8);

    QTableWidget* channels = b.Table(Form::kChannels);
    b.Refresh();
    SetRowLabelTitle(channels, T(form().Spec(Form::kChannels).key));
    channels->horizontalHeader()->setStretchLastSection(true);
    channels->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("000.0000")) + 24);
    channels->setMinimumHeight(channels->horizontalHeader()->height() +
                               channels->verticalHeader()->defaultSectionSize() * 12);
    for (int r = 0; r < channels->rowCount(); ++r)
        channels->item(r, 0)->setTextAlignment(Qt::AlignCenter);
    MarkCurrentCellRed(channels);
    grid->addWidget(channels, 1, 0, 1, 5);
    SetTabOrderByPosition(this);
}

QTableWidget* CFmRadioDlg::table() const {
    return binder().Table(Form::kChannels);
}

} // namespace kestra
