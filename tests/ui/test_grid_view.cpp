// The channel grid view driven through its widgets: the three in-place
// editors committing into the grid by the grid's rules, keyboard navigation,
// the wheel, scrolling, and the conversion into the image when the view goes.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "app_test_support.h"
#include "core/document/default_image.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"
#include "core/image/finalize.h"

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

    // Types text into a cell through its editor and presses Enter.
    void Type(int row, int col, const QString& text) {
        QWidget* editor = Click(row, col);
        QVERIFY(editor);
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->selectAll();
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->isEditable())
            combo->lineEdit()->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!table()->OpenEditor());
    }

    // Chooses an entry of a choice cell's list with the keyboard.
    void Choose(int row, int col, const QString& entry) {
        auto* combo = qobject_cast<QComboBox*>(Click(row, col));
        QVERIFY(combo);
        QVERIFY(!combo->isEditable());
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

    void layoutFollowsTheGrid() {
        ViewHarness h;
        QCOMPARE(h.table()->model()->rowCount(), 258);
        QCOMPARE(h.table()->model()->columnCount(), 8);
        const QAbstractItemModel* m = h.table()->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("接收频率"));
        QCOMPARE(m->headerData(7, Qt::Horizontal).toString(), QStringLiteral("繁忙"));
        QCOMPARE(m->headerData(0, Qt::Vertical).toString(), QStringLiteral("A 001"));
        QCOMPARE(m->headerData(128, Qt::Vertical).toString(), QStringLiteral("B 001"));
        QCOMPARE(m->headerData(257, Qt::Vertical).toString(), QStringLiteral("B VFO"));
        QCOMPARE(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        // Twips to pixels at the screen's resolution: 1500 and 1000 twips.
        const double dpi = h.table()->logicalDpiX();
        QCOMPARE(h.table()->columnWidth(0), TwipsToPixels(1500, dpi));
        QCOMPARE(h.table()->columnWidth(7), TwipsToPixels(1000, dpi));
        QCOMPARE(TwipsToPixels(1440, 96), 96);
        QCOMPARE(TwipsToPixels(1000, 96), 67);
        // Cells are not clipped: a frequency fits its column.
        const QFontMetrics fm(h.table()->font());
        QVERIFY(fm.horizontalAdvance(QStringLiteral("145.12500")) < h.table()->columnWidth(0));
        QVERIFY(fm.horizontalAdvance(QStringLiteral("QT/DQT")) < h.table()->columnWidth(7));
        // Batch generation and channel edit are present but not usable yet;
        // initialise is hidden until the factory unlock.
        QVERIFY(!h.view->batchButton()->isEnabled());
        QVERIFY(!h.view->channelEditButton()->isEnabled());
        QVERIFY(h.view->initialiseButton()->isHidden());
    }

    void editorsOpenWhereStartCellEditSays() {
        ViewHarness h;
        // An empty row edits its RX frequency, whatever column was clicked.
        QWidget* editor = h.Click(5, 6);
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QCOMPARE(h.table()->CurrentCell().col, 1);
        QCOMPARE(h.grid().editor.cell.row, 5);
        QCOMPARE(h.grid().editor.cell.col, 1);
        QVERIFY(editor->geometry().intersects(
            h.table()->visualRect(h.view->model()->IndexOf(GridCell{5, 1}))));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!h.table()->OpenEditor());
        QVERIFY(!h.grid().EditorOpen());

        h.Type(1, 1, QStringLiteral("145.5"));
        // Tone columns: the editable list of the 264 tones.
        auto* tone = qobject_cast<QComboBox*>(h.Click(1, 3));
        QVERIFY(tone && tone->isEditable());
        QCOMPARE(tone->count(), 264);
        QCOMPARE(tone->itemText(0), QStringLiteral("67.0"));
        QCOMPARE(tone->itemText(263), QStringLiteral("D754I"));
        QCOMPARE(tone->currentText(), QStringLiteral("无"));
        // Choice columns: the column's list, the cell's entry selected.
        auto* choice = qobject_cast<QComboBox*>(h.Click(1, 8));
        QVERIFY(choice && !choice->isEditable());
        QCOMPARE(choice->count(), 3);
        QCOMPARE(choice->itemText(2), QStringLiteral("QT/DQT"));
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

    void frequenciesAreCorrected_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("raster 5 kHz") << "145.0123"
                                      << "145.01000";
        QTest::newRow("raster 6.25 kHz") << "435.0071"
                                         << "435.00625";
        QTest::newRow("2.5 kHz kept") << "145.0025"
                                      << "145.00250";
        QTest::newRow("out of band") << "500"
                                     << "136.00000";
        QTest::newRow("letters discarded") << "1a4b5.x5"
                                           << "145.50000";
    }

    void frequenciesAreCorrected() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ViewHarness h;
        h.Type(10, 1, QStringLiteral("145.5"));
        h.Type(10, 1, typed);
        QCOMPARE(QString::fromStdString(h.Text(10, 1)), shown);
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

    void vfoRowsFollowTheBand() {
        ViewHarness h;
        h.Type(257, 1, QStringLiteral("145"));
        h.Type(1, 1, QStringLiteral("145"));
        h.Type(257, 1, QStringLiteral("435"));
        h.Type(1, 1, QStringLiteral("435"));
        QCOMPARE(QString::fromStdString(h.Text(257, 2)), QStringLiteral("435.00000"));
        QCOMPARE(QString::fromStdString(h.Text(1, 2)), QStringLiteral("145.00000"));

        h.Type(258, 1, QStringLiteral("435"));
        h.Type(258, 2, QStringLiteral("145"));
        QCOMPARE(QString::fromStdString(h.Text(258, 1)), QStringLiteral("145.00000"));
        // Clearing the TX cell of a VFO row leaves both as they were.
        QWidget* editor = h.Click(258, 2);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(h.Text(258, 1)), QStringLiteral("145.00000"));
        QCOMPARE(QString::fromStdString(h.Text(258, 2)), QStringLiteral("145.00000"));
    }

    void tonesAreNormalisedAndChoicesCommit() {
        ViewHarness h;
        h.Type(3, 1, QStringLiteral("145.5"));
        h.Type(3, 3, QStringLiteral("d23"));
        QCOMPARE(QString::fromStdString(h.Text(3, 3)), QStringLiteral("D023N"));
        h.Type(3, 4, QStringLiteral("67"));
        QCOMPARE(QString::fromStdString(h.Text(3, 4)), QStringLiteral("D067N"));
        h.Type(3, 4, QStringLiteral("67.0"));
        QCOMPARE(QString::fromStdString(h.Text(3, 4)), QStringLiteral("67.0"));
        h.Type(3, 3, QStringLiteral("xyz"));
        QCOMPARE(QString::fromStdString(h.Text(3, 3)), QStringLiteral("无"));

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
        t->SetCurrentCell(GridCell{10, 8});
        QTest::keyClick(t, Qt::Key_Right);
        QCOMPARE(t->CurrentCell().row, 11);
        QCOMPARE(t->CurrentCell().col, 1);
        QTest::keyClick(t, Qt::Key_Left);
        QCOMPARE(t->CurrentCell().row, 10);
        QCOMPARE(t->CurrentCell().col, 8);
        QTest::keyClick(t, Qt::Key_Left);
        QCOMPARE(t->CurrentCell().col, 7);
        t->SetCurrentCell(GridCell{1, 1});
        QTest::keyClick(t, Qt::Key_Left);
        QCOMPARE(t->CurrentCell().row, 1);
        QCOMPARE(t->CurrentCell().col, 1);
        t->SetCurrentCell(GridCell{258, 8});
        QTest::keyClick(t, Qt::Key_Right);
        QCOMPARE(t->CurrentCell().row, 258);
        QCOMPARE(t->CurrentCell().col, 8);

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
        tone->lineEdit()->selectAll();
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
        qobject_cast<QComboBox*>(editor)->lineEdit()->selectAll();
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
