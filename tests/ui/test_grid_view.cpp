// The channel grid view driven through its widgets: the three in-place
// editors (what they open with, what they let in, which keys they keep, how
// they look) committing into the grid by the grid's rules, keyboard
// navigation, the wheel, scrolling, and the conversion into the image when
// the view goes. The rules themselves are tested in tests/core/grid.
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "app_test_support.h"
#include "core/document/default_image.h"
#include "core/image/finalize.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"

using namespace kestra;
using namespace kestra::test;

namespace {

class ViewHarness {
public:
    ViewHarness() {
        ApplyBuiltInDefaults(state.image);
        FinalizeImage(state.image, state.bandLimits);
        view = std::make_unique<CProgramView>(state);
        view->resize(760, 560);
        view->show();
        view->activateWindow();
    }
    ~ViewHarness() { view.reset(); }

    ChannelTableView* table() const { return view->table(); }
    ChannelGrid& grid() const { return view->model()->grid(); }
    const std::string& Text(int row, int col) const { return grid().Text(row, col); }

    // A left click on a cell, as the user makes it.
    QWidget* Click(int row, int col) {
        const QModelIndex index = view->model()->IndexOf(GridCell{row, col});
        table()->scrollTo(index);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table()->visualRect(index).center());
        return table()->OpenEditor();
    }

    // Types text into a cell through its editor and presses Enter; the
    // editor opens with its text selected, so the typing replaces it.
    void Type(int row, int col, const QString& text) {
        QWidget* editor = Click(row, col);
        QVERIFY(editor);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!table()->OpenEditor());
    }

    // Chooses an entry of a choice or tone cell's list with the keyboard.
    void Choose(int row, int col, const QString& entry) {
        auto* combo = qobject_cast<QComboBox*>(Click(row, col));
        QVERIFY(combo);
        const int target = combo->findText(entry);
        QVERIFY(target >= 0);
        while (combo->currentIndex() < target)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > target)
            QTest::keyClick(combo, Qt::Key_Up);
        QTest::keyClick(combo, Qt::Key_Return);
    }

    QStringList Row(int row) const {
        QStringList cells;
        for (int c = 1; c < kGridCols; ++c)
            cells << QString::fromStdString(Text(row, c));
        return cells;
    }

    AppState state;
    std::unique_ptr<CProgramView> view;
};

QStringList Cells(const char* joined) {
    return QString::fromUtf8(joined).split('|');
}

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void cellsAreNotClipped() {
        ViewHarness h;
        const QFontMetrics fm(h.table()->font());
        QVERIFY(fm.horizontalAdvance(QStringLiteral("145.12500")) < h.table()->columnWidth(0));
        QVERIFY(fm.horizontalAdvance(QStringLiteral("QT/DQT")) < h.table()->columnWidth(7));
        const QFontMetrics labels(h.table()->verticalHeader()->font());
        QVERIFY(labels.horizontalAdvance(QStringLiteral("B 128")) <
                h.table()->verticalHeader()->width());
    }

    void editorsOpenWhereStartCellEditSays() {
        ViewHarness h;
        // An empty row edits its RX frequency, whatever column was clicked.
        QWidget* editor = h.Click(5, 6);
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QCOMPARE(h.table()->CurrentCell(), (GridCell{5, 1}));
        QCOMPARE(h.grid().editor.cell, (GridCell{5, 1}));
        QVERIFY(editor->geometry().intersects(
            h.table()->visualRect(h.view->model()->IndexOf(GridCell{5, 1}))));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!h.table()->OpenEditor());
        QVERIFY(!h.grid().EditorOpen());

        h.Type(1, 1, QStringLiteral("145.5"));
        auto* tone = qobject_cast<QComboBox*>(h.Click(1, 3));
        QVERIFY(tone && tone->isEditable());
        // Choice columns: the column's list, the cell's entry selected.
        auto* choice = qobject_cast<QComboBox*>(h.Click(1, 8));
        QVERIFY(choice && !choice->isEditable());
        QCOMPARE(choice->currentText(), QStringLiteral("关"));
        // The frequency editor opens with all its text selected.
        auto* freq = qobject_cast<QLineEdit*>(h.Click(1, 2));
        QVERIFY(freq);
        QCOMPARE(freq->selectedText(), QStringLiteral("145.50000"));
    }

    void newRowGetsDefaultsAndClearedRecord() {
        ViewHarness h;
        // Record 5 carries leftovers that a new channel must not inherit.
        ChannelRecord rec(h.state.image, 5);
        rec.SetVox(true);
        rec.SetSignalling(3);
        h.state.image[RecordOffset(5) + ChannelRecord::kName] = 'X';
        h.Type(5, 1, QStringLiteral("146.52"));
        QCOMPARE(h.Row(5), Cells("146.52000|146.52000|无|无|高|是|宽|关"));
        QCOMPARE(h.state.image[RecordOffset(5) + ChannelRecord::kName], std::uint8_t(0xFF));
        QCOMPARE(rec.Byte(0x0C), std::uint8_t(0x00));
        QCOMPARE(rec.Byte(0x0D), std::uint8_t(0x38));
        // Enter in the frequency editor moved one column right.
        QCOMPARE(h.table()->CurrentCell().row, 5);
        QCOMPARE(h.table()->CurrentCell().col, 2);
    }

    void toneEditorReplacesItsText() {
        ViewHarness h;
        h.Type(3, 1, QStringLiteral("145.5"));
        // The editor opens on the list entry equal to the cell text ("无"
        // leads the list), with all of the text selected.
        auto* tone = qobject_cast<QComboBox*>(h.Click(3, 3));
        QVERIFY(tone);
        QCOMPARE(tone->itemText(0), QStringLiteral("无"));
        QCOMPARE(tone->currentIndex(), 0);
        QCOMPARE(tone->lineEdit()->selectedText(), QStringLiteral("无"));
        QTest::keyClicks(tone, QStringLiteral("d23"));
        QTest::keyClick(tone, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(h.Text(3, 3)), QStringLiteral("D023N"));
        h.Type(3, 4, QStringLiteral("88.5"));
        tone = qobject_cast<QComboBox*>(h.Click(3, 4));
        QCOMPARE(tone->itemText(tone->currentIndex()), QStringLiteral("88.5"));
        QTest::keyClick(tone, Qt::Key_Escape);
        h.Type(3, 4, QStringLiteral("100.0"));
        QCOMPARE(QString::fromStdString(h.Text(3, 4)), QStringLiteral("100.0"));
        // A code the list does not hold opens the editor on no entry.
        h.Type(3, 4, QStringLiteral("D99"));
        tone = qobject_cast<QComboBox*>(h.Click(3, 4));
        QCOMPARE(tone->currentIndex(), -1);
        QCOMPARE(tone->currentText(), QStringLiteral("D099N"));
        QTest::keyClick(tone, Qt::Key_Escape);
        // "无" can be picked from the list.
        h.Choose(3, 3, QStringLiteral("无"));
        QCOMPARE(QString::fromStdString(h.Text(3, 3)), QStringLiteral("无"));
    }

    void frequencyEditorFiltersWhateverComesIn() {
        ViewHarness h;
        h.Type(9, 1, QStringLiteral("1a4b5.x5"));
        QCOMPARE(QString::fromStdString(h.Text(9, 1)), QStringLiteral("145.50000"));
        // Pasting text without one accepted character changes nothing.
        auto* edit = qobject_cast<QLineEdit*>(h.Click(9, 1));
        QVERIFY(edit);
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("145.50000"));
        // Nor does a typed letter: the text stays selected for what follows.
        QTest::keyClick(edit, Qt::Key_Z);
        QCOMPARE(edit->selectedText(), QStringLiteral("145.50000"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(h.Row(9), Cells("145.50000|145.50000|无|无|高|是|宽|关"));
        // Pasted text keeps its accepted characters, wherever it comes from.
        edit = qobject_cast<QLineEdit*>(h.Click(9, 1));
        QGuiApplication::clipboard()->setText(QStringLiteral("146.52 MHz"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("146.52"));
        edit->insert(QStringLiteral("５x5"));
        QCOMPARE(edit->text(), QStringLiteral("146.525"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(h.Text(9, 1)), QStringLiteral("146.52500"));
    }

    void frequencyEditorKeepsVerticalKeys() {
        ViewHarness h;
        h.Type(12, 1, QStringLiteral("145.5"));
        QWidget* editor = h.Click(12, 1);
        QTest::keyClicks(editor, QStringLiteral("146"));
        const int scrolled = h.table()->verticalScrollBar()->value();
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown}) {
            QTest::keyClick(editor, key);
            QCOMPARE(h.table()->OpenEditor(), editor);
            QCOMPARE(h.table()->CurrentCell(), (GridCell{12, 1}));
            QCOMPARE(h.table()->verticalScrollBar()->value(), scrolled);
            QCOMPARE(qobject_cast<QLineEdit*>(editor)->text(), QStringLiteral("146"));
            QCOMPARE(QString::fromStdString(h.Text(12, 1)), QStringLiteral("145.50000"));
        }
    }

    void editorOnAnEmptyCellIsFramed() {
        ViewHarness h;
        QWidget* editor = h.Click(30, 1);
        QVERIFY(editor);
        QTest::qWait(20);
        // The outermost pixels of the editor stand out from the empty cell.
        const QImage image = editor->grab().toImage();
        const QRgb base = h.table()->palette().color(QPalette::Base).rgb();
        int ring = 0;
        int marked = 0;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (x != 0 && y != 0 && x != image.width() - 1 && y != image.height() - 1)
                    continue;
                ++ring;
                if (image.pixel(x, y) != base)
                    ++marked;
            }
        }
        QVERIFY2(marked * 2 > ring, qPrintable(QStringLiteral("%1 of %2").arg(marked).arg(ring)));
        const QString shot = QDir(QStringLiteral(KESTRA_SCREENSHOT_DIR))
                                 .filePath(QStringLiteral("grid_editor_on_empty_cell.png"));
        QVERIFY(QDir().mkpath(QStringLiteral(KESTRA_SCREENSHOT_DIR)));
        QVERIFY(h.view->grab().save(shot));
    }

    void clearingRxEmptiesTheRowAndEnterMovesDown() {
        ViewHarness h;
        h.Type(7, 1, QStringLiteral("145.5"));
        QWidget* editor = h.Click(7, 1);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(h.Row(7), Cells("|||||||"));
        // An empty text moves down instead of right.
        QCOMPARE(h.table()->CurrentCell().row, 8);
        QCOMPARE(h.table()->CurrentCell().col, 1);
        // A TX cell of an empty row stays empty.
        h.Click(8, 2);
        QCOMPARE(h.grid().editor.cell.col, 1);
    }

    void tonesAndChoicesCommit() {
        ViewHarness h;
        h.Type(3, 1, QStringLiteral("145.5"));
        h.Type(3, 4, QStringLiteral("67"));
        QCOMPARE(QString::fromStdString(h.Text(3, 4)), QStringLiteral("D067N"));
        h.Type(3, 4, QStringLiteral("67.0"));
        h.Choose(3, 5, QStringLiteral("低"));
        h.Choose(3, 8, QStringLiteral("QT/DQT"));
        QCOMPARE(h.Row(3), Cells("145.50000|145.50000|无|67.0|低|是|宽|QT/DQT"));
        // Enter in a choice editor moved right; from column 8 to the next row.
        QCOMPARE(h.table()->CurrentCell().row, 4);
        QCOMPARE(h.table()->CurrentCell().col, 1);

        // The image gets what the grid shows.
        h.view->ConvertGridToImage();
        ChannelRecord rec(h.state.image, 3);
        QCOMPARE(rec.TxTone(), (ToneCode{0x70, 0x06}));
        QVERIFY(!rec.HighPower());
        QCOMPARE(rec.BusyLockout(), 2);
    }

    void keyboardNavigation() {
        ViewHarness h;
        ChannelTableView* t = h.table();
        t->setFocus();
        // Right and Left wrap rows (the wrapping rules: MoveRight, MoveLeft).
        t->SetCurrentCell(GridCell{10, 8});
        QTest::keyClick(t, Qt::Key_Right);
        QCOMPARE(t->CurrentCell(), (GridCell{11, 1}));
        QTest::keyClick(t, Qt::Key_Left);
        QCOMPARE(t->CurrentCell(), (GridCell{10, 8}));

        // Enter on the grid opens the editor on the current cell, and cell
        // after cell can be filled without the mouse.
        t->SetCurrentCell(GridCell{20, 1});
        QTest::keyClick(t, Qt::Key_Return);
        auto* freq = qobject_cast<QLineEdit*>(t->OpenEditor());
        QVERIFY(freq);
        QTest::keyClicks(freq, QStringLiteral("438.5"));
        QTest::keyClick(freq, Qt::Key_Return);
        QCOMPARE(t->CurrentCell().col, 2);
        QTest::keyClick(t, Qt::Key_Right);
        QTest::keyClick(t, Qt::Key_Return);
        auto* tone = qobject_cast<QComboBox*>(t->OpenEditor());
        QVERIFY(tone);
        QTest::keyClicks(tone, QStringLiteral("88.5"));
        QTest::keyClick(tone, Qt::Key_Return);
        QCOMPARE(h.Row(20), Cells("438.50000|438.50000|88.5|无|高|是|宽|关"));
        QCOMPARE(t->CurrentCell().col, 4);
    }

    void liveEditorTextReachesTheImage() {
        ViewHarness h;
        h.Type(1, 1, QStringLiteral("145.5"));
        // An edit in progress is converted with the grid...
        QWidget* editor = h.Click(1, 1);
        QTest::keyClicks(editor, QStringLiteral("146.025"));
        QCOMPARE(h.grid().editor.text, std::string("146.025"));
        h.view->ConvertGridToImage();
        QVERIFY(!h.table()->OpenEditor());
        QCOMPARE(ChannelRecord(h.state.image, 1).Rx(), 14602500u);
        QCOMPARE(QString::fromStdString(h.Text(1, 1)), QStringLiteral("146.02500"));

        // ...and when the view goes away.
        editor = h.Click(2, 1);
        QTest::keyClicks(editor, QStringLiteral("147"));
        h.view.reset();
        QCOMPARE(ChannelRecord(h.state.image, 2).Rx(), 14700000u);
        QCOMPARE(h.state.image[RecordOffset(2) + 0x03], std::uint8_t(0x14));
    }

    void losingTheFocusCommits() {
        ViewHarness h;
        h.Type(6, 1, QStringLiteral("145.5"));
        QWidget* editor = h.Click(6, 3);
        QVERIFY(QTest::qWaitForWindowActive(h.view.get()));
        editor->setFocus();
        QTest::keyClicks(editor, QStringLiteral("i754"));
        QVERIFY(editor->hasFocus());
        h.table()->setFocus();
        QVERIFY(!h.table()->OpenEditor());
        QCOMPARE(QString::fromStdString(h.Text(6, 3)), QStringLiteral("D754I"));
        // Opening another cell commits the open editor first.
        editor = h.Click(6, 1);
        QTest::keyClicks(editor, QStringLiteral("146"));
        h.Click(6, 2);
        QCOMPARE(QString::fromStdString(h.Text(6, 1)), QStringLiteral("146.00000"));
    }

    void scrollingCommitsAndTheWheelTurnsPages() {
        ViewHarness h;
        ChannelTableView* t = h.table();
        QWidget* editor = h.Click(1, 1);
        QTest::keyClicks(editor, QStringLiteral("145.75"));
        QScrollBar* bar = t->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        bar->setValue(3);
        QVERIFY(!t->OpenEditor());
        QCOMPARE(QString::fromStdString(h.Text(1, 1)), QStringLiteral("145.75000"));

        bar->setValue(0);
        const int page = bar->pageStep();
        QVERIFY(page > 5);
        auto wheel = [t](int delta) {
            const QPoint pos = t->viewport()->rect().center();
            QWheelEvent event(pos, t->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(t->viewport(), &event);
        };
        wheel(-120);
        QCOMPARE(bar->value(), page);
        wheel(-120);
        QCOMPARE(bar->value(), 2 * page);
        wheel(120);
        QCOMPARE(bar->value(), page);
        // Small steps add up to a page.
        wheel(-60);
        QCOMPARE(bar->value(), page);
        wheel(-60);
        QCOMPARE(bar->value(), 2 * page);
    }

    void editorOnAPartlyHiddenRowStaysOpen() {
        // Opening an editor scrolls its cell into view; that scrolling must
        // not commit the editor it is opening.
        ViewHarness h;
        ChannelTableView* t = h.table();
        const int bottom = t->viewport()->height() - 3;
        const QModelIndex index = t->indexAt(QPoint(t->columnViewportPosition(0) + 5, bottom));
        QVERIFY(index.isValid());
        QVERIFY(t->visualRect(index).bottom() > t->viewport()->height());
        QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(t->columnViewportPosition(0) + 5, bottom));
        QVERIFY(t->verticalScrollBar()->value() > 0);
        QTest::qWait(20);
        QVERIFY(t->OpenEditor());
        QVERIFY(h.grid().EditorOpen());
        QCOMPARE(h.grid().editor.cell.row, index.row() + 1);
    }

    void viewsOfOneImageRenderOnTheirOwn() {
        ViewHarness h;
        CProgramView second(h.state);
        h.Type(4, 1, QStringLiteral("145.5"));
        QVERIFY(second.model()->grid().Text(4, 1).empty());
        h.view->ConvertGridToImage();
        second.RenderGrid();
        QCOMPARE(QString::fromStdString(second.model()->grid().Text(4, 1)),
                 QStringLiteral("145.50000"));
    }
};

QTEST_MAIN(TestGridView)
#include "test_grid_view.moc"
