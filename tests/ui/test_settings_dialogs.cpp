// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialogs' widgets: closing stores, the DTMF tabs store when left
// and load when shown, and the cell editors of the FM and code list grids.
// The forms' rules are tested in tests/core/forms.
#include <QHeaderView>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include "app_test_support.h"
#include "core/forms/dtmf_code_list_form.h"
#include "core/forms/dtmf_decode_form.h"
#include "core/forms/dtmf_encode_form.h"
#include "core/image/settings_layout.h"
#include "ui/dialogs/dtmf_dlg.h"
#include "ui/dialogs/fm_radio_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/widgets/form_binder.h"

using namespace kestra;
using namespace kestra::test;
using namespace kestra::forms;
using D = DtmfDialog; // its pages

namespace {

void ClickTab(QTabWidget* tabs, int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(index).center());
}

void Pick(QWidget* combo, const QString& text) {
    auto* c = static_cast<QComboBox*>(combo);
    c->setFocus();
    c->setCurrentIndex(c->findText(text));
}

// The grid's shown cell editor, if any (closed ones linger until deleted).
QLineEdit* OpenEditor(QTableWidget* table) {
    for (QLineEdit* e : table->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// A left click on a cell (col 0), or on its row number; returns the editor
// it opened.
QLineEdit* PressCell(QTableWidget* table, int row, bool number = false) {
    QHeaderView* numbers = table->verticalHeader();
    QWidget* at = number ? numbers->viewport() : table->viewport();
    const QPoint point = number ? QPoint(numbers->width() / 2,
                                         numbers->sectionViewportPosition(row) +
                                             numbers->sectionSize(row) / 2)
                                : table->visualRect(table->model()->index(row, 0)).center();
    QTest::mousePress(at, Qt::LeftButton, {}, point);
    QTest::mouseRelease(at, Qt::LeftButton, {}, point);
    return OpenEditor(table);
}

// Types into an open cell editor and presses key, if any.
bool Type(QLineEdit* editor, const QString& text, Qt::Key key = Qt::Key_unknown) {
    if (!editor)
        return false;
    QTest::keyClicks(editor, text);
    if (key != Qt::Key_unknown)
        QTest::keyClick(editor, key);
    return true;
}

// The grid's current row and text; whether an editor is open, the grid has
// the focus and shows its selection, and its dialog is open.
QString GridState(QTableWidget* t) {
    const QPalette p = t->palette();
    return QString("row %1 '%2'").arg(t->currentRow()).arg(t->currentItem()->text()) +
           (OpenEditor(t) ? " editing" : "") + (t->hasFocus() ? " focused" : "") +
           (p.color(QPalette::Highlight) != p.color(QPalette::Base) ? " selection" : "") +
           (t->window()->isVisible() ? " open" : "");
}

// Pixels of a cell drawn in a clear red.
int RedPixels(QTableWidget* table, int row) {
    const QImage image =
        table->viewport()->grab(table->visualRect(table->model()->index(row, 0))).toImage();
    int red = 0;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QColor c = image.pixelColor(i % image.width(), i / image.width());
        red += c.red() > 160 && c.green() < 110 && c.blue() < 110;
    }
    return red;
}

void ShowActive(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    // 可选功能: Esc closes the dialog, and closing stores. DTMF: a delay typed
    // but not yet left is normalised (250 ms to 200 ms, byte 4) and stored
    // when its tab is left; the code list shows what the decode page rewrote;
    // closing on the decode tab keeps a later group call code change; Enter
    // and Esc do not close; Ctrl+Tab and Ctrl+Shift+Tab turn the pages.
    void closingAndTabsStore() {
        AppFixture f;
        QVERIFY(f.Start());
        const RadioImage& image = f.app->state().image;
        QStringList seen;
        ExpectDialog<COptionalFeaturesDlg>(f, [&](COptionalFeaturesDlg* d) {
            QWidget* beep = d->binder().Widget(OptionalFeaturesForm::kKeyBeep);
            Pick(beep, QStringLiteral("关"));
            QTest::keyClick(beep, Qt::Key_Escape);
            seen << (d->isVisible() ? "open" : "closed");
        });
        f.Trigger(kIdEditOptional);
        seen << QString::number(image.Get(settings::kKeyBeep));
        ExpectDialog<CDtmfDlg>(f, [&](CDtmfDlg* d) {
            for (int i = 0; i < d->tabs()->count(); ++i)
                seen << d->tabs()->tabText(i);
            QWidget* delay = d->binder(D::kEncode).Widget(DtmfEncodeForm::kFirstDigitDelay);
            delay->setFocus();
            QTest::keyClick(delay, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(delay, QStringLiteral("250"));
            ClickTab(d->tabs(), D::kDecode);
            seen << QString::number(image.Get(dtmf::kFirstDigitDelay));
            QWidget* group = d->binder(D::kDecode).Widget(DtmfDecodeForm::kGroupCallCode);
            Pick(group, QStringLiteral("A"));
            ClickTab(d->tabs(), D::kCodeList);
            seen << d->binder(D::kCodeList).Table(DtmfCodeListForm::kCodes)->item(0, 0)->text();
            ClickTab(d->tabs(), D::kDecode);
            Pick(group, QStringLiteral("#"));
            QTest::keyClick(group, Qt::Key_Escape);
            QTest::keyClick(d->tabs()->tabBar(), Qt::Key_Return);
            seen << (d->isVisible() ? "open" : "closed");
            // Ctrl+Tab turns the pages even from a drop-down list, which
            // would take it for its type-ahead search.
            QTest::keyClick(group, Qt::Key_Tab, Qt::ControlModifier);
            seen << d->tabs()->tabText(d->tabs()->currentIndex());
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
            seen << d->tabs()->tabText(d->tabs()->currentIndex());
            d->close();
        });
        f.Trigger(kIdEditDtmf);
        QVERIFY(f.driver.AllHandled());
        seen << QString::fromStdString(image.DtmfString(dtmf::CodeEntry(1), 16));
        QCOMPARE(seen.join(' '), QString("closed 0 编码 解码 自动拨号 4 100A100 open 自动拨号 解码 100#100"));
    }

    // FM grid: the current cell stays red over the selection; a left press
    // opens the editor over the cell with its text selected; the editor
    // takes the column's keys only; Esc commits and the cell shows what the
    // form made of the text; closing the dialog commits an open editor.
    void fmGridCellEditing() {
        AppState state;
        state.image = ExampleRadioMemory();
        state.image.SetBcd(fm::Channel(2), 3, 101700);
        {
            CFmRadioDlg d(state);
            ShowActive(&d);
            QTableWidget* table = d.table();
            table->setCurrentCell(1, 0);
            QVERIFY(RedPixels(table, 1) > 0);
            QLineEdit* editor = PressCell(table, 1);
            QVERIFY(editor);
            QCOMPARE(editor->selectedText(), QStringLiteral("101.700"));
            QCOMPARE(editor->geometry(), table->visualRect(table->model()->index(1, 0)));
            QVERIFY(Type(editor, QStringLiteral("8a8.1"), Qt::Key_Escape));
            QCOMPARE(GridState(table), QString("row 1 '88.100' focused selection open"));
            // Tab commits and leaves the table, from a cell editor or the table.
            QVERIFY(Type(PressCell(table, 3), QStringLiteral("99"), Qt::Key_Tab));
            QVERIFY(!table->hasFocus() && !OpenEditor(table) && d.isAncestorOf(d.focusWidget()));
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY(!table->hasFocus());
            d.close();
        }
        QCOMPARE(state.image.Bcd(fm::Channel(2), 3), 88100u);
        QCOMPARE(state.image.Bcd(fm::Channel(4), 3), 99000u);
    }

    // Code list: Enter on the list opens the editor, Enter in it commits and
    // moves down; a press on a code hides the selection until the editor
    // closes; a press on a row number selects without editing; ANI 呼叫
    // fills the current row.
    void dtmfCodeListEditing() {
        AppState state;
        state.image = ExampleRadioMemory();
        {
            CDtmfDlg d(state);
            ShowActive(&d);
            d.tabs()->setCurrentIndex(D::kCodeList);
            QTableWidget* codes = d.binder(D::kCodeList).Table(DtmfCodeListForm::kCodes);
            codes->setFocus();
            codes->setCurrentCell(0, 0);
            QTest::keyClick(codes, Qt::Key_Return);
            QLineEdit* editor = OpenEditor(codes);
            QCOMPARE(editor ? editor->selectedText() : QString(), codes->item(0, 0)->text());
            QVERIFY(Type(editor, QStringLiteral("123"), Qt::Key_Return));
            QStringList seen{GridState(codes)};
            editor = PressCell(codes, 2);
            seen << GridState(codes);
            QVERIFY(Type(editor, QStringLiteral("45"), Qt::Key_Escape));
            seen << GridState(codes);
            PressCell(codes, 4, true);
            seen << GridState(codes);
            static_cast<QPushButton*>(d.binder(D::kCodeList).Widget(DtmfCodeListForm::kAniCall))
                ->click();
            seen << GridState(codes);
            QCOMPARE(seen, QStringList({"row 1 '' focused selection open", "row 2 '' editing open",
                                        "row 2 '45' focused selection open",
                                        "row 4 '' focused selection open",
                                        "row 4 '100*100' focused selection open"}));
            d.close();
        }
        QCOMPARE(state.image.DtmfString(dtmf::CodeEntry(1), 16), std::string("123"));
        QCOMPARE(state.image.DtmfString(dtmf::CodeEntry(3), 16), std::string("45"));
        QCOMPARE(state.image.DtmfString(dtmf::CodeEntry(5), 16), std::string("100*100"));
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "test_settings_dialogs.moc"
