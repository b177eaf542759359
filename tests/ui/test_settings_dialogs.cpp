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
using forms::DtmfDialog;

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

QLineEdit* PressCell(QTableWidget* table, int row) {
    const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
    return OpenEditor(table);
}

// Pixels of a cell drawn in a clear red.
int RedPixels(QTableWidget* table, int row) {
    const QImage image =
        table->viewport()->grab(table->visualRect(table->model()->index(row, 0))).toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
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

    // 可选功能: Esc closes the dialog, and closing stores.
    void closingStores() {
        AppFixture f;
        QVERIFY(f.Start());
        ExpectDialog<COptionalFeaturesDlg>(f, [&](COptionalFeaturesDlg* d) {
            QWidget* beep = d->binder().Widget(forms::OptionalFeaturesForm::kKeyBeep);
            Pick(beep, QStringLiteral("关"));
            QTest::keyClick(beep, Qt::Key_Escape);
        });
        f.Trigger(kIdEditOptional);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.app->state().image.Get(settings::kKeyBeep), 0);
    }

    // A delay typed but not yet left is normalised and stored when its tab
    // is left; the code list shows what the decode page rewrote; closing on
    // the decode tab keeps a later group call code change; Enter and Esc do
    // not close.
    void dtmfTabsStoreAndLoad() {
        AppFixture f;
        QVERIFY(f.Start());
        const RadioImage& image = f.app->state().image;
        int delayAfterTab = -1;
        std::string codeShown;
        bool openAfterKeys = false;
        QStringList tabs;
        ExpectDialog<CDtmfDlg>(f, [&](CDtmfDlg* d) {
            for (int i = 0; i < d->tabs()->count(); ++i)
                tabs << d->tabs()->tabText(i);
            FormBinder& encode = d->binder(DtmfDialog::kEncode);
            QWidget* delay = encode.Widget(forms::DtmfEncodeForm::kFirstDigitDelay);
            delay->setFocus();
            QTest::keyClick(delay, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(delay, QStringLiteral("250"));
            ClickTab(d->tabs(), DtmfDialog::kDecode);
            delayAfterTab = image.Get(dtmf::kFirstDigitDelay);
            QWidget* group =
                d->binder(DtmfDialog::kDecode).Widget(forms::DtmfDecodeForm::kGroupCallCode);
            Pick(group, QStringLiteral("A"));
            ClickTab(d->tabs(), DtmfDialog::kCodeList);
            codeShown = d->binder(DtmfDialog::kCodeList)
                            .Table(forms::DtmfCodeListForm::kCodes)
                            ->item(0, 0)
                            ->text()
                            .toStdString();
            ClickTab(d->tabs(), DtmfDialog::kDecode);
            Pick(group, QStringLiteral("#"));
            QTest::keyClick(group, Qt::Key_Escape);
            QTest::keyClick(d->tabs()->tabBar(), Qt::Key_Return);
            openAfterKeys = d->isVisible();
            d->close();
        });
        f.Trigger(kIdEditDtmf);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(tabs, QStringList({"编码", "解码", "自动拨号"}));
        QCOMPARE(delayAfterTab, 4); // 250 ms became 200 ms
        QCOMPARE(codeShown, std::string("100A100"));
        QVERIFY(openAfterKeys);
        QCOMPARE(image.DtmfString(dtmf::CodeEntry(1), 16), std::string("100#100"));
    }

    // FM grid: the current cell stays red over the selection; a left press
    // opens the editor over the cell with its text selected; Esc commits;
    // closing the dialog commits an open editor.
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
            QCOMPARE(editor->text(), QStringLiteral("101.700"));
            QCOMPARE(editor->selectedText(), editor->text());
            QCOMPARE(editor->geometry(), table->visualRect(table->model()->index(1, 0)));
            QTest::keyClicks(editor, QStringLiteral("88.1"));
            QTest::keyClick(editor, Qt::Key_Escape);
            QCOMPARE(table->item(1, 0)->text(), QStringLiteral("88.100"));
            QVERIFY(!OpenEditor(table));
            QVERIFY(table->hasFocus());
            QVERIFY(d.isVisible());

            editor = PressCell(table, 3);
            QVERIFY(editor);
            QTest::keyClicks(editor, QStringLiteral("99"));
            d.close();
        }
        QCOMPARE(state.image.Bcd(fm::Channel(2), 3), 88100u);
        QCOMPARE(state.image.Bcd(fm::Channel(4), 3), 99000u);
    }

    // Code list: Enter on the list opens the editor, Enter in it commits and
    // moves down; a press on a code hides the selection until the editor
    // closes; a press on a row number selects without editing.
    void dtmfCodeListEditing() {
        AppState state;
        state.image = ExampleRadioMemory();
        {
            CDtmfDlg d(state);
            ShowActive(&d);
            d.tabs()->setCurrentIndex(DtmfDialog::kCodeList);
            QTableWidget* codes =
                d.binder(DtmfDialog::kCodeList).Table(forms::DtmfCodeListForm::kCodes);
            auto shown = [codes] {
                return codes->palette().color(QPalette::Highlight) !=
                       codes->palette().color(QPalette::Base);
            };
            codes->setFocus();
            codes->setCurrentCell(0, 0);
            QTest::keyClick(codes, Qt::Key_Return);
            QLineEdit* editor = OpenEditor(codes);
            QVERIFY(editor);
            QCOMPARE(editor->selectedText(), codes->item(0, 0)->text());
            QTest::keyClicks(editor, QStringLiteral("123"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCOMPARE(codes->item(0, 0)->text(), QStringLiteral("123"));
            QCOMPARE(codes->currentRow(), 1);
            QVERIFY(!OpenEditor(codes));
            QVERIFY(d.isVisible());

            editor = PressCell(codes, 2);
            QVERIFY(editor);
            QVERIFY(!shown());
            QTest::keyClicks(editor, QStringLiteral("45"));
            QTest::keyClick(editor, Qt::Key_Escape);
            QCOMPARE(codes->item(2, 0)->text(), QStringLiteral("45"));
            QCOMPARE(codes->currentRow(), 2);
            QVERIFY(shown());

            QHeaderView* numbers = codes->verticalHeader();
            const QPoint at(numbers->width() / 2,
                            numbers->sectionViewportPosition(4) + numbers->sectionSize(4) / 2);
            QTest::mousePress(numbers->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(numbers->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(codes->currentRow(), 4);
            QVERIFY(!OpenEditor(codes));
            QVERIFY(shown());
            d.close();
        }
        QCOMPARE(state.image.DtmfString(dtmf::CodeEntry(1), 16), std::string("123"));
        QCOMPARE(state.image.DtmfString(dtmf::CodeEntry(3), 16), std::string("45"));
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "test_settings_dialogs.moc"
