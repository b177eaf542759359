// SPDX-License-Identifier: GPL-3.0-or-later
// The wiring of the arranging commands: the keys and menu entries reach the
// core operations on the selected rows, the rows stay selected, dragging
// row labels moves rows, and each change is one undo step that gives back
// exactly the document before it.
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>

#include "app_test_support.h"
#include "ui/app/command_table.h"
#include "ui/dialogs/sort_channels_dlg.h"
#include "ui/grid/channel_arranger.h"
#include "ui/grid/document_history.h"

using namespace kestra;
using namespace kestra::test;

namespace {

void TypeRx(const AppFixture& f, int row, const QString& text) {
    QWidget* editor = f.view()->table()->StartEditAt(GridCell{row, 1});
    QVERIFY(editor);
    QTest::keyClicks(editor, text);
    f.view()->table()->CommitAndCloseEditor();
}

QString Rx(const AppFixture& f, int first, int last) {
    QStringList out;
    for (int r = first; r <= last; ++r)
        out << QString::fromStdString(f.Cell(r, 1)).left(3);
    return out.join(' ');
}

void Select(const AppFixture& f, int first, int last, int col = 1) {
    ChannelTableView* table = f.view()->table();
    table->SetCurrentCell(GridCell{first, col});
    const QModelIndex tl = f.view()->model()->IndexOf(GridCell{first, col});
    const QModelIndex br = f.view()->model()->IndexOf(GridCell{last, col});
    table->selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
}

ChannelArranger::Rows Selected(const AppFixture& f) {
    return ChannelArranger::Of(f.view())->SelectedRows();
}

// A mouse event on the row labels, as a drag sends it.
void Label(const AppFixture& f, QEvent::Type type, int row) {
    QHeaderView* header = f.view()->table()->verticalHeader();
    const QPoint at(header->width() / 2,
                    header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, header->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &event);
}

} // namespace

class TestChannelArrangeUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        InitTestApplication();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    // Ctrl+Shift+Down / Up move the selected block, which stays selected;
    // one step each, undone to exactly the document before (a typed cell
    // not yet converted included); at the band's edge nothing happens.
    void keysMoveTheSelectedBlock() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        for (int r = 1; r <= 3; ++r)
            TypeRx(f, r, QString::number(144 + r));
        DocumentHistory* h = f.view()->history();
        const DocumentSnapshot before = h->Take();
        const int steps = h->stack()->count();
        QWidget* table = f.view()->table();
        Select(f, 1, 2, 3);
        QTest::keyClick(table, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Rx(f, 1, 4), QString("147 145 146 "));
        QCOMPARE(Selected(f).first, 2);
        QCOMPARE(Selected(f).last, 3);
        QCOMPARE(f.view()->table()->CurrentCell().col, 3);
        QCOMPARE(h->stack()->count(), steps + 1);
        QTest::keyClick(table, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Rx(f, 1, 3), QString("145 146 147"));
        QTest::keyClick(table, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h->stack()->count(), steps + 2);
        QCOMPARE(f.driver.unexpected(), 0);
        h->Undo();
        h->Undo();
        QVERIFY(h->Take() == before);
    }

    // 插入空信道, 删除信道 and 排序… from the 编辑 menu; a refusal is told.
    void menuCommands() {
        AppFixture f;
        QVERIFY(f.Start());
        for (int r = 1; r <= 3; ++r)
            TypeRx(f, r, QString::number(148 - r));
        QVERIFY(f.frame()->editMenu()->actions().contains(f.frame()->action(kIdEditSortChannels)));
        Select(f, 2, 2);
        f.Trigger(kIdEditInsertChannel);
        QCOMPARE(Rx(f, 1, 4), QString("147  146 145"));
        Select(f, 1, 2);
        f.Trigger(kIdEditDeleteChannel);
        QCOMPARE(Rx(f, 1, 3), QString("146 145 "));
        // One row selected: the dialog offers the whole band, by RX.
        f.driver.Expect([](QWidget* w) {
            auto* d = qobject_cast<CSortChannelsDlg*>(w);
            if (!d)
                return false;
            if (d->selectedButton()->isEnabled() || !d->bandButton()->isChecked())
                return false;
            d->accept();
            return true;
        });
        f.Trigger(kIdEditSortChannels);
        QCOMPARE(Rx(f, 1, 3), QString("145 146 "));
        TypeRx(f, 256, QStringLiteral("435"));
        Select(f, 129, 129);
        f.driver.ExpectMessage();
        f.Trigger(kIdEditInsertChannel);
        QTRY_VERIFY(f.driver.AllHandled());
        QVERIFY(f.driver.messages().last().startsWith("B128 "));
        QCOMPARE(f.Cell(256, 1), std::string("435.00000"));
    }

    // Ctrl+F asks for a frequency or name, F3 finds the next match.
    void findAndFindNext() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        TypeRx(f, 3, QStringLiteral("145.5"));
        TypeRx(f, 130, QStringLiteral("439"));
        TypeRx(f, 140, QStringLiteral("145.5"));
        f.view()->table()->SetCurrentCell(GridCell{1, 1});
        f.driver.Expect([](QWidget* w) {
            auto* d = qobject_cast<QInputDialog*>(w);
            if (!d)
                return false;
            d->setTextValue(QStringLiteral("439.0"));
            d->accept();
            return true;
        });
        QTest::keyClick(f.view()->table(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(f.driver.AllHandled());
        QCOMPARE(f.view()->table()->CurrentCell().row, 130);
        QVERIFY(ChannelArranger::Of(f.view())->FindText(QStringLiteral("145.5")));
        QCOMPARE(f.view()->table()->CurrentCell().row, 140);
        f.frame()->activateWindow(); // offscreen does not give it back after the dialog
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        QTest::keyClick(f.view()->table(), Qt::Key_F3); // round to the top
        QCOMPARE(f.view()->table()->CurrentCell().row, 3);
        f.driver.ExpectMessage();
        QVERIFY(!ChannelArranger::Of(f.view())->FindText(QStringLiteral("146.7")));
        QTRY_VERIFY(f.driver.AllHandled());
        QCOMPARE(f.driver.messages().last(), QStringLiteral("未找到“146.7”"));
        QCOMPARE(f.view()->table()->CurrentCell().row, 3);
    }

    // Dragging a row label onto another row moves the row there; a drag
    // that starts on a selected row carries the whole selection.
    void dragRowLabels() {
        AppFixture f;
        QVERIFY(f.Start());
        for (int r = 1; r <= 4; ++r)
            TypeRx(f, r, QString::number(144 + r));
        Label(f, QEvent::MouseButtonPress, 1);
        Label(f, QEvent::MouseMove, 3);
        // A line shows where the row will land while it is dragged.
        auto* line = f.view()->table()->viewport()->findChild<QWidget*>("dropLine");
        QVERIFY(line && line->isVisible());
        Label(f, QEvent::MouseButtonRelease, 3);
        QVERIFY(!line->isVisible());
        QCOMPARE(Rx(f, 1, 4), QString("146 147 145 148"));
        QCOMPARE(Selected(f).first, 3);
        Select(f, 3, 4);
        Label(f, QEvent::MouseButtonPress, 4);
        Label(f, QEvent::MouseMove, 1);
        Label(f, QEvent::MouseButtonRelease, 1);
        QCOMPARE(Rx(f, 1, 4), QString("145 148 146 147"));
        QCOMPARE(Selected(f).first, 1);
        QCOMPARE(Selected(f).last, 2);
        // A click on a label without a drag only selects the row.
        Label(f, QEvent::MouseButtonPress, 4);
        Label(f, QEvent::MouseButtonRelease, 4);
        QCOMPARE(Rx(f, 1, 4), QString("145 148 146 147"));
        QCOMPARE(Selected(f).first, 4);
    }
};

QTEST_MAIN(TestChannelArrangeUi)
#include "test_channel_arrange_ui.moc"
