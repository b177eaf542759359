// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/table_helpers.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace kestra {

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

} // namespace kestra
