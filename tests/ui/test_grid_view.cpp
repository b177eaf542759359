// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid view through its widgets: the in-place editors and the
// keys, Ctrl+C and Ctrl+V, and the arranging commands reaching the core
// operations. The rules themselves are tested in tests/core/grid.
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <numeric>

#include "app_test_support.h"
#include "ui/app/command_table.h"
#include "ui/dialogs/sort_channels_dlg.h"
#include "ui/grid/cell_delegates.h"
#include "ui/grid/channel_arranger.h"
#include "ui/grid/document_history.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// The start of the RX frequencies of rows 1 to 5, then the selected rows,
// "first-last".
QString Rows(const AppFixture& f) {
    QStringList out;
    for (int r = 1; r <= 5; ++r)
        out << QString::fromStdString(f.Cell(r, 1)).left(3);
    const ChannelArranger::Rows rows = ChannelArranger::Of(f.view())->SelectedRows();
    return out.join(' ') + QStringLiteral(" %1-%2").arg(rows.first).arg(rows.last);
}

void Select(const AppFixture& f, int first, int last, int col = 1) {
    ChannelTableView* table = f.view()->table();
    table->SetCurrentCell(GridCell{first, col});
    const QModelIndex tl = f.view()->model()->IndexOf(GridCell{first, col});
    const QModelIndex br = f.view()->model()->IndexOf(GridCell{last, col});
    table->selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
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

// A press on row from's label and a move to row to's; released there unless
// the test goes on with the drag.
void Drag(const AppFixture& f, int from, int to, bool release = true) {
    Label(f, QEvent::MouseButtonPress, from);
    if (to != from)
        Label(f, QEvent::MouseMove, to);
    if (release)
        Label(f, QEvent::MouseButtonRelease, to);
}

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        InitTestApplication();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    // The editor opens over the cell the grid's rules name, of the kind the
    // column has, with all its text selected; the tone list opens on the
    // entry equal to the cell text, or on none for a code it does not hold.
    // Pasted text keeps only what the frequency filter accepts. On an empty
    // cell the editor is framed (rendered into build/screenshots).
    void editorsOpenAsTheCellSays() {
        ViewFixture h;
        QWidget* editor = h.Click(5, 6); // an empty row edits its RX frequency
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QCOMPARE(h.table()->CurrentCell(), (GridCell{5, 1}));
        QVERIFY(editor->geometry().intersects(
            h.table()->visualRect(h.view->model()->IndexOf(GridCell{5, 1}))));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!h.table()->OpenEditor());
        QVERIFY(!h.grid().EditorOpen());

        h.Type(1, 1, QStringLiteral("145.5"));
        h.Type(1, 4, QStringLiteral("88.5"));
        h.Type(1, 3, QStringLiteral("D99"));
        auto* choice = qobject_cast<QComboBox*>(h.Click(1, 8));
        QVERIFY(choice && !choice->isEditable());
        auto* tone = qobject_cast<QComboBox*>(h.Click(1, 4));
        QVERIFY(tone && tone->isEditable());
        QCOMPARE(tone->itemText(0), QStringLiteral("无"));
        QCOMPARE(tone->itemText(tone->currentIndex()), QStringLiteral("88.5"));
        QCOMPARE(tone->lineEdit()->selectedText(), QStringLiteral("88.5"));
        tone = qobject_cast<QComboBox*>(h.Click(1, 3));
        QCOMPARE(QString::number(tone->currentIndex()) + tone->currentText(), QStringLiteral("-1D099N"));

        auto* freq = qobject_cast<QLineEdit*>(h.Click(1, 2));
        QVERIFY(freq);
        QCOMPARE(freq->accessibleName(), QStringLiteral("A 001 发射频率")); // as the labels show
        QCOMPARE(freq->selectedText(), QStringLiteral("145.50000"));
        // A paste keeps its accepted characters (a refused key: see keys).
        QGuiApplication::clipboard()->setText(QStringLiteral("146.52 MHz"));
        QTest::keyClick(freq, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(freq->text(), QStringLiteral("146.52"));
        QTest::keyClick(freq, Qt::Key_Return);
        QCOMPARE(h.Text(1, 2), std::string("146.52000"));

        // On an empty cell, most of the editor's outermost pixels stand out.
        editor = h.Click(30, 1);
        QVERIFY(editor);
        QTest::qWait(20);
        const QImage image = editor->grab().toImage();
        const QRgb base = h.table()->palette().color(QPalette::Base).rgb();
        int ring = 0;
        int marked = 0;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1) {
                    ++ring;
                    marked += image.pixel(x, y) != base;
                }
        QVERIFY2(marked * 2 > ring, qPrintable(QStringLiteral("%1 of %2").arg(marked).arg(ring)));
        SaveScreenshot(h.view.get(), QStringLiteral("grid_editor_on_empty_cell.png"));
    }

    // Keys on a fresh grid: the current cell and open editor's text they
    // leave ("row,col|text"), and the text of a cell ("row,col=text").
    void keys_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("cell");
        const struct {
            const char* name;
            const char* script;
            const char* state;
            const char* cell;
        } rows[] = {
            {"Right wraps rows", "@10,8 <Right>", "11,1", ""},
            {"Left wraps rows", "@11,1 <Left>", "10,8", ""},
            // Enter opens the editor; Enter in an empty editor moves down,
            // otherwise right, so cell after cell is filled without the mouse.
            {"Enter in an empty editor", "@19,1 <Return> <Return>", "20,1", ""},
            // The keypad's decimal key types a comma in comma-decimal locales.
            {"Enter after text, a decimal comma", "@20,1 <Return> 438,5 <Return>", "20,2",
             "20,1=438.50000"},
            {"Enter in a tone editor, a decimal comma",
             "@20,1 <Return> 438.5 <Return> <Right> <Return> 88,5 <Return>", "20,4", "20,3=88.5"},
            {"Enter in the last column's list",
             "@20,1 <Return> 438.5 <Return> @20,8 <Return> <Down> <Down> <Return>", "21,1",
             "20,8=QT/DQT"},
            // The frequency editor keeps the vertical keys: no moving, no
            // scrolling that would commit it.
            {"vertical keys in the frequency editor",
             "@12,1 <Return> 145.5 <Return> @12,1 <Return> 146 <Up> <Down> <PgUp> <PgDown>",
             "12,1|146", "12,1=145.50000"},
            // Typing on the grid types into the current cell's editor, as in a
            // spreadsheet: the current cell never jumps to a row whose text
            // starts with what was typed (the item views' keyboard search).
            {"typing edits the current cell", "@4,1 <Return> 146.52 <Return> @26,1 146.52",
             "26,1|146.52", "4,1=146.52000"},
            {"typed text is committed", "@26,1 146.52 <Return>", "26,2", "26,1=146.52000"},
            // The editor's filter applies to the first character too; a tone
            // cell takes the text.
            {"a refused first character", "@4,1 <Return> 146.52 <Return> @4,2 x", "4,2|146.52000",
             ""},
            {"a tone cell", "@4,1 <Return> 146.52 <Return> @4,4 6", "4,4|6", ""},
            // The editor commits when the focus leaves it.
            {"losing the focus", "@6,1 <Return> 145.5 <Return> @6,3 <Return> i754 @6,3", "6,3",
             "6,3=D754I"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.script) << QString(r.state) << QString(r.cell);
    }
    void keys() {
        QFETCH(QString, script);
        QFETCH(QString, cell);
        ViewFixture h;
        QVERIFY(QTest::qWaitForWindowActive(h.view.get()));
        QTEST(RunKeys(h.table(), script), "state");
        if (!cell.isEmpty()) {
            const QStringList at = cell.section(QLatin1Char('='), 0, 0).split(QLatin1Char(','));
            QCOMPARE(h.Text(at[0].toInt(), at[1].toInt()),
                     cell.section(QLatin1Char('='), 1).toStdString());
        }
    }

    // A click on a row label, near its edge too, makes that row's first data
    // cell current.
    void rowLabelSelectsTheRow() {
        ViewFixture h;
        ChannelTableView* t = h.table();
        t->SetCurrentCell(GridCell{5, 3});
        QHeaderView* labels = t->verticalHeader();
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(labels->width() / 2, labels->sectionViewportPosition(1) + 2));
        QCOMPARE(t->CurrentCell(), (GridCell{2, 1}));
        QVERIFY(!t->OpenEditor());
        // Shift+click on a label, and Shift+Up/Down after it, move one end
        // of a block of whole rows while the other stays; a selection is one
        // block, Ctrl+click adds no second one.
        const auto shiftClick = [&](int row) {
            QTest::mouseClick(
                labels->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                QPoint(labels->width() / 2, labels->sectionViewportPosition(row - 1) + 2));
        };
        const auto block = [t] {
            const QModelIndexList rows = t->selectionModel()->selectedRows();
            return QStringLiteral("%1 rows, row %2").arg(rows.size()).arg(t->CurrentCell().row);
        };
        shiftClick(5);
        QCOMPARE(block(), QString("4 rows, row 5"));
        QTest::keyClick(t, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(block(), QString("3 rows, row 4"));
        shiftClick(8);
        QCOMPARE(block(), QString("7 rows, row 8"));
        QTest::keyClick(t, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(block(), QString("8 rows, row 9"));
        const QModelIndex far = h.view->model()->IndexOf(GridCell{9, 2});
        QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          t->visualRect(far).center());
        QCOMPARE(t->selectionModel()->selection().size(), 1);
        QVERIFY(t->selectionModel()->isSelected(far));
    }

    // The columns share a wide window, frequency columns first, and keep
    // their minimum widths in a narrow one, wide enough for their texts.
    void columnsShareTheWidth() {
        const std::vector<int> minimum = {100, 100, 70, 70, 70, 70, 70, 70};
        QCOMPARE(ShareColumnWidths(minimum, 500), minimum);
        QCOMPARE(ShareColumnWidths(minimum, 720),
                 (std::vector<int>{150, 150, 70, 70, 70, 70, 70, 70}));
        const std::vector<int> wide = ShareColumnWidths(minimum, 1400);
        QCOMPARE(std::accumulate(wide.begin(), wide.end(), 0), 1400);
        QVERIFY(wide[0] > wide[2] && wide[2] > 70);

        ViewFixture h;
        const QFontMetrics fm(h.table()->font());
        QVERIFY(fm.horizontalAdvance(QStringLiteral("145.12500")) < h.table()->columnWidth(0));
        QVERIFY(fm.horizontalAdvance(QStringLiteral("QT/DQT")) < h.table()->columnWidth(7));
        QVERIFY(QFontMetrics(h.table()->verticalHeader()->font())
                    .horizontalAdvance(QStringLiteral("B 128")) <
                h.table()->verticalHeader()->width());
        const int narrow = h.table()->columnWidth(0);
        h.view->resize(1600, 560);
        QTRY_VERIFY(h.table()->columnWidth(0) > narrow);
        int sum = 0;
        for (int c = 0; c < 8; ++c)
            sum += h.table()->columnWidth(c);
        QCOMPARE(sum, h.table()->viewport()->width());
    }

    // Views of one image render on their own. An edit in progress is
    // committed when the grid is converted, when another cell opens and when
    // the view goes away.
    void liveEditorTextReachesTheImage() {
        ViewFixture h;
        {
            CProgramView second(h.state);
            h.Type(4, 1, QStringLiteral("145.5"));
            QVERIFY(second.model()->grid().Text(4, 1).empty());
            h.view->ConvertGridToImage();
            second.RenderGrid();
            QCOMPARE(second.model()->grid().Text(4, 1), std::string("145.50000"));
        }
        h.Type(1, 1, QStringLiteral("145.5"));
        QTest::keyClicks(h.Click(1, 1), QStringLiteral("146.025"));
        h.view->ConvertGridToImage();
        QVERIFY(!h.table()->OpenEditor());
        QCOMPARE(ChannelRecord(h.state.image, 1).Rx(), 14602500u);
        QCOMPARE(h.Text(1, 1), std::string("146.02500"));
        QTest::keyClicks(h.Click(6, 1), QStringLiteral("146"));
        h.Click(6, 2);
        QCOMPARE(h.Text(6, 1), std::string("146.00000"));
        QTest::keyClicks(h.Click(2, 1), QStringLiteral("147"));
        h.view.reset();
        QCOMPARE(ChannelRecord(h.state.image, 2).Rx(), 14700000u);
    }

    void scrollingCommitsAndTheWheelTurnsPages() {
        ViewFixture h;
        ChannelTableView* t = h.table();
        QTest::keyClicks(h.Click(1, 1), QStringLiteral("145.75"));
        QScrollBar* bar = t->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        bar->setValue(3);
        QVERIFY(!t->OpenEditor());
        QCOMPARE(h.Text(1, 1), std::string("145.75000"));

        bar->setValue(0);
        const int page = bar->pageStep();
        QVERIFY(page > 5);
        auto wheel = [t](int delta) {
            const QPoint pos = t->viewport()->rect().center();
            QWheelEvent event(pos, t->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(t->viewport(), &event);
            return t->verticalScrollBar()->value();
        };
        QCOMPARE(wheel(-120), page);
        QCOMPARE(wheel(-120), 2 * page);
        QCOMPARE(wheel(120), page);
        // Small steps add up to a page.
        QCOMPARE(wheel(-60), page);
        QCOMPARE(wheel(-60), 2 * page);

        // Opening an editor scrolls its cell into view; that scrolling must
        // not commit the editor it is opening.
        bar->setValue(0);
        const QPoint bottom(t->columnViewportPosition(0) + 5, t->viewport()->height() - 3);
        const QModelIndex index = t->indexAt(bottom);
        QVERIFY(index.isValid());
        QVERIFY(t->visualRect(index).bottom() > t->viewport()->height());
        QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier, bottom);
        QVERIFY(t->verticalScrollBar()->value() > 0);
        QTest::qWait(20);
        QVERIFY(t->OpenEditor());
        QCOMPARE(h.grid().editor.cell.row, index.row() + 1);
    }

    // Ctrl+C and Ctrl+V: a selected block goes out as TSV, pasted TSV lands
    // through the grid's rules and what did not fit is listed.
    void copyAndPasteBlock() {
        ViewFixture h;
        const auto report = [&h] { return h.table()->findChild<QMessageBox*>("pasteReport"); };
        // Rows 3 and 4, columns 1 and 2, selected with Shift+click.
        const auto selectBlock = [&h] {
            h.table()->SetCurrentCell(GridCell{3, 1});
            const QModelIndex corner = h.view->model()->IndexOf(GridCell{4, 2});
            QTest::mouseClick(h.table()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                              h.table()->visualRect(corner).center());
        };
        QGuiApplication::clipboard()->setText("145.1230\t145.1230\r\n435.0\t436.0\r\n");
        h.table()->SetCurrentCell(GridCell{3, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h.table()->model()->data(h.view->model()->IndexOf(GridCell{4, 2})).toString(),
                 QString("436.00000"));
        QVERIFY(!report());

        // The block copied with Ctrl+C.
        selectBlock();
        QVERIFY(!h.table()->OpenEditor());
        QTest::keyClick(h.table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("145.12000\t145.12000\n435.00000\t436.00000"));
        // Shift+F10 opens the menu of the cells, as the menu key does.
        QStringList entries;
        QTimer::singleShot(0, [&entries] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    entries << action->text();
                menu->close();
            }
        });
        QTest::keyClick(h.table(), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(entries.join('|'), QString("复制(&C)|粘贴(&P)"));

        // Pasted where it does not fit: the report lists the cells.
        h.table()->SetCurrentCell(GridCell{258, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        QMessageBox* box = report();
        QVERIFY(box);
        QVERIFY(box->text().contains("435.00000"));
        QVERIFY(!box->text().contains("145.12000"));
        QCOMPARE(h.Text(258, kColRx), std::string("145.12000"));
        box->close();
        QTRY_VERIFY(!report());
        // Onto the block, from its top left cell; a single cell fills it.
        selectBlock();
        QGuiApplication::clipboard()->setText("150\n");
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h.Text(3, kColRx) + h.Text(4, kColTx), std::string("150.00000150.00000"));
        // A long report lists 20 cells and counts the rest.
        QGuiApplication::clipboard()->setText(QString("x\n").repeated(25));
        h.table()->SetCurrentCell(GridCell{10, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        box = report();
        QVERIFY(box);
        QCOMPARE(box->text().count('\n'), 21);
        QVERIFY(box->text().endsWith("另有 5 个单元格未列出"));
        box->close();
        // Into an open cell editor, a block lands as a block.
        QGuiApplication::clipboard()->setText("145.5\t146.0\n147\t148\n");
        QTest::keyClick(h.Click(6, 1), Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(h.Text(7, kColTx), std::string("148.00000"));
        QVERIFY(!h.table()->OpenEditor());
        // The report names the channels a paste cleared.
        QGuiApplication::clipboard()->setText("\t");
        h.table()->SetCurrentCell(GridCell{7, 1});
        QTest::keyClick(h.table(), Qt::Key_V, Qt::ControlModifier);
        box = report();
        QVERIFY(box && box->text().endsWith("\nA007"));
    }

    // The keys, the 编辑 entries and dragging row labels reach the core
    // operations on the selected rows, which stay selected. Each change is
    // one step, and undoing them all gives back exactly the document before
    // (a typed cell not yet converted included); a move at the band's edge
    // makes none, a refusal is told.
    void arrangingCommands() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        for (int r = 1; r <= 5; ++r)
            f.Type(r, 1, QString::number(144 + r));
        DocumentHistory* h = f.view()->history();
        const DocumentSnapshot before = h->Take();
        const int steps = h->stack()->count();
        ChannelTableView* table = f.view()->table();
        Select(f, 1, 2, 3);
        RunKeys(table, QStringLiteral("<Ctrl+Shift+Down>"));
        QCOMPARE(Rows(f), QString("147 145 146 148 149 2-3"));
        QCOMPARE(table->CurrentCell().col, 3);
        RunKeys(table, QStringLiteral("<Ctrl+Shift+Up> <Ctrl+Shift+Up>"));
        QCOMPARE(Rows(f), QString("145 146 147 148 149 1-2"));
        QCOMPARE(h->stack()->count(), steps + 2);

        QVERIFY(f.frame()->editMenu()->actions().contains(f.frame()->action(kIdEditSortChannels)));
        Select(f, 2, 2);
        f.Trigger(kIdEditInsertChannel);
        QCOMPARE(Rows(f), QString("145  146 147 148 2-2"));
        Select(f, 1, 2);
        f.Trigger(kIdEditDeleteChannel);
        QCOMPARE(Rows(f), QString("146 147 148 149  1-1"));
        // Dragged from an unselected row, the row alone moves; a line shows
        // where it will land. From a selected row, the selection moves; a
        // click without a drag only selects.
        Select(f, 5, 5);
        Drag(f, 1, 3, false);
        auto* line = f.view()->table()->viewport()->findChild<QWidget*>("dropLine");
        QVERIFY(line && line->isVisible());
        Label(f, QEvent::MouseButtonRelease, 3);
        QVERIFY(!line->isVisible());
        QCOMPARE(Rows(f), QString("147 148 146 149  3-3"));
        Select(f, 3, 4);
        Drag(f, 4, 1);
        QCOMPARE(Rows(f), QString("146 149 147 148  1-2"));
        Drag(f, 4, 4);
        QCOMPARE(Rows(f), QString("146 149 147 148  4-4"));
        // Esc ends a drag where it is; below the labels the table keeps
        // scrolling while the pointer stays.
        Drag(f, 1, 3, false);
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!line->isVisible());
        Label(f, QEvent::MouseButtonRelease, 3);
        QCOMPARE(Rows(f), QString("146 149 147 148  1-1"));
        QWidget* labels = table->verticalHeader()->viewport();
        Drag(f, 1, 3, false);
        const QPoint below(labels->width() / 2, labels->height() + 5);
        QMouseEvent away(QEvent::MouseMove, below, labels->mapToGlobal(below), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(labels, &away);
        const int scrolled = table->verticalScrollBar()->value();
        QTRY_VERIFY(table->verticalScrollBar()->value() > scrolled + 2);
        QTest::keyClick(table, Qt::Key_Escape);
        Label(f, QEvent::MouseButtonRelease, 3);
        QCOMPARE(Rows(f), QString("146 149 147 148  1-1"));
        // Released away from the labels (over the cells, another window), a
        // drag moves nothing.
        table->scrollToTop();
        Drag(f, 1, 3, false);
        const QPoint aside(labels->width() + 40, table->rowViewportPosition(2) + 2);
        QMouseEvent off(QEvent::MouseButtonRelease, aside, labels->mapToGlobal(aside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(labels, &off);
        QCOMPARE(Rows(f), QString("146 149 147 148  1-1"));
        // Over the other band no line shows, and a drop there is refused.
        table->scrollTo(f.view()->model()->IndexOf(GridCell{128, 1}),
                        QAbstractItemView::PositionAtCenter);
        Drag(f, 130, 128, false);
        QVERIFY(!line->isVisible());
        QCOMPARE(f.view()->table()->verticalHeader()->viewport()->cursor().shape(),
                 Qt::ForbiddenCursor);
        f.driver.ExpectMessage();
        Label(f, QEvent::MouseButtonRelease, 128);
        QTRY_VERIFY(f.driver.AllHandled());
        QCOMPARE(f.driver.messages().last(), QStringLiteral("超出 B002 所在频段"));
        Select(f, 127, 130);
        // A block across the bands: the sort dialog offers the whole band, by RX;
        // each of its choices has an access key.
        QStringList keys;
        f.driver.On<CSortChannelsDlg>([&keys](CSortChannelsDlg* d) {
            if (d->selectedButton()->isEnabled() || !d->bandButton()->isChecked())
                return false;
            for (const QString& text : {d->findChild<QLabel*>()->text(),
                                        d->selectedButton()->text(), d->bandButton()->text()})
                keys << QKeySequence::mnemonic(text).toString();
            d->accept();
            return true;
        });
        f.Trigger(kIdEditSortChannels);
        QCOMPARE(keys, QStringList({"Alt+B", "Alt+A", "Alt+C"}));
        QCOMPARE(Rows(f), QString("146 147 148 149  1-128"));
        while (h->stack()->index() > steps)
            h->Undo();
        QVERIFY(h->Take() == before);

        f.Type(256, 1, QStringLiteral("435"));
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
        f.Type(3, 1, QStringLiteral("145.5"));
        f.Type(130, 1, QStringLiteral("439"));
        f.Type(140, 1, QStringLiteral("145.5"));
        f.view()->table()->SetCurrentCell(GridCell{1, 1});
        f.driver.On<QInputDialog>([](QInputDialog* d) {
            d->setTextValue(QStringLiteral("439.0"));
            d->accept();
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
        // What was looked for is shown as typed, never as markup.
        QString shown;
        f.driver.On<QMessageBox>([&shown](QMessageBox* box) {
            shown = box->text() + (box->textFormat() == Qt::PlainText ? "" : " as markup");
            return ClickButton(box, QStringLiteral("确定"));
        });
        QVERIFY(!ChannelArranger::Of(f.view())->FindText(QStringLiteral("<b>146.7")));
        QTRY_VERIFY(f.driver.AllHandled());
        QCOMPARE(shown, QStringLiteral("未找到“<b>146.7”"));
        QCOMPARE(f.view()->table()->CurrentCell().row, 3);
    }
};

QTEST_MAIN(TestGridView)
#include "test_grid_view.moc"
