// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+C and Ctrl+V on the channel grid: a selected block goes out as TSV,
// pasted TSV lands through the grid's rules and what did not fit is listed.
// The rules themselves are tested in tests/core/grid/test_grid_clipboard.cpp.
#include <QClipboard>
#include <QItemSelectionModel>

#include "app_test_support.h"

using namespace kestra;
using namespace kestra::test;

class TestGridClipboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void copyAndPasteBlock() {
        ViewFixture h;
        QCOMPARE(h.table()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QGuiApplication::clipboard()->setText("145.1230\t145.1230\r\n435.0\t436.0\r\n");
        h.table()->SetCurrentCell(GridCell{3, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h.Text(3, kColRx), std::string("145.12000"));
        QCOMPARE(h.Text(4, kColTx), std::string("436.00000"));
        QCOMPARE(h.table()->model()->data(h.view->model()->IndexOf(GridCell{4, 2})).toString(),
                 QString("436.00000"));
        QVERIFY(!h.table()->findChild<QMessageBox*>("pasteReport"));

        // A two-row block selected with Shift+click, copied with Ctrl+C.
        h.table()->SetCurrentCell(GridCell{3, 1});
        const QModelIndex corner = h.view->model()->IndexOf(GridCell{4, 2});
        QTest::mouseClick(h.table()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          h.table()->visualRect(corner).center());
        QVERIFY(!h.table()->OpenEditor());
        QTest::keyClick(h.table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("145.12000\t145.12000\n435.00000\t436.00000"));

        // Pasted where it does not fit: the report lists the cells.
        h.table()->SetCurrentCell(GridCell{258, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        auto* box = h.table()->findChild<QMessageBox*>("pasteReport");
        QVERIFY(box);
        QVERIFY(box->text().contains("435.00000"));
        QVERIFY(!box->text().contains("145.12000"));
        QCOMPARE(h.Text(258, kColRx), std::string("145.12000"));
        box->close();
    }
};

QTEST_MAIN(TestGridClipboard)
#include "test_grid_clipboard.moc"
