// The settings dialogs wired into the application: 编辑 -> 可选功能, 收音机
// and DTMF and the tree items open them; the DTMF tabs store when left and
// load when shown, and closing stores. The forms' rules are tested in
// tests/core/forms. Also renders each dialog (each DTMF tab) into
// build/screenshots for a person to look at.
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "app_test_support.h"
#include "core/forms/dtmf_code_list_form.h"
#include "core/forms/dtmf_decode_form.h"
#include "core/forms/dtmf_encode_form.h"
#include "core/image/settings_layout.h"
#include "link/virtual_radio.h"
#include "ui/app/nav_tree_bar.h"
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

    // Menu entries and tree items open their dialogs; a change made in each
    // reaches the image when it closes.
    void commandsOpenTheDialogs() {
        AppFixture f;
        QVERIFY(f.Start());
        QStringList titles;
        ExpectDialog<COptionalFeaturesDlg>(f, [&](COptionalFeaturesDlg* d) {
            titles << d->windowTitle();
            QWidget* beep = d->binder().Widget(forms::OptionalFeaturesForm::kKeyBeep);
            Pick(beep, QStringLiteral("关"));
            QTest::keyClick(beep, Qt::Key_Escape); // closes, and closing stores
        });
        f.Trigger(kIdEditOptional);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.app->state().image.Get(settings::kKeyBeep), 0);

        ExpectDialog<CFmRadioDlg>(f, [&](CFmRadioDlg* d) {
            titles << d->windowTitle();
            QTableWidget* table = d->table();
            table->setFocus();
            table->setCurrentCell(2, 0);
            QCOMPARE(table->item(2, 0)->foreground().color(), QColor(Qt::red));
            QCOMPARE(table->item(0, 0)->foreground().color(), table->palette().text().color());
            QTest::keyClick(table, Qt::Key_F2);
            auto* editor = table->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            QTest::keyClicks(editor, QStringLiteral("8x8.15"));
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_COMPARE(table->item(2, 0)->text(), QStringLiteral("88.150")); // queued commit
            QTest::keyClick(table, Qt::Key_Escape);                            // swallowed
            QVERIFY(d->isVisible());
            d->close();
        });
        f.Trigger(kIdEditFmRadio);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.app->state().image.Bcd(fm::Channel(3), 3), 88150u);

        ExpectDialog<CDtmfDlg>(f, [&](CDtmfDlg* d) {
            titles << d->windowTitle();
            for (int i = 0; i < d->tabs()->count(); ++i)
                titles << d->tabs()->tabText(i);
            d->close();
        });
        QTreeWidget* tree = f.frame()->treeBar()->tree();
        QTreeWidgetItem* item = f.frame()->treeBar()->item(kIdEditDtmf);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree->visualItemRect(item).center());
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(titles,
                 QStringList({"可选功能", "收音机配置", "DTMF", "编码", "解码", "自动拨号"}));
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
        ExpectDialog<CDtmfDlg>(f, [&](CDtmfDlg* d) {
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

    void screenshots() {
        const QString out = QStringLiteral(KESTRA_SCREENSHOT_DIR);
        QVERIFY(QDir().mkpath(out));
        AppState state;
        state.image = ExampleRadioMemory();
        state.image.SetBcd(fm::kCurrentFrequency, 3, 88100);
        state.image.SetBcd(fm::Channel(1), 3, 87500);
        state.image.SetBcd(fm::Channel(2), 3, 101700);
        auto save = [&](QWidget* w, const QString& name) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::qWait(50);
            QVERIFY(w->grab().save(QDir(out).filePath(name)));
        };
        {
            COptionalFeaturesDlg d(state);
            save(&d, QStringLiteral("optional_features_dialog.png"));
        }
        {
            CFmRadioDlg d(state);
            d.table()->setCurrentCell(1, 0);
            save(&d, QStringLiteral("fm_radio_dialog.png"));
            d.table()->edit(d.table()->currentIndex());
            save(&d, QStringLiteral("fm_radio_editor.png"));
        }
        CDtmfDlg d(state);
        const char* names[] = {"dtmf_encode.png", "dtmf_decode.png", "dtmf_code_list.png"};
        for (int page = 0; page < DtmfDialog::kPageCount; ++page) {
            d.tabs()->setCurrentIndex(page);
            save(&d, QString::fromLatin1(names[page]));
        }
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "test_settings_dialogs.moc"
