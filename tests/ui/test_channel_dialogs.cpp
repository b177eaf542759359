// SPDX-License-Identifier: GPL-3.0-or-later
// The channel dialogs wired into the main view: the 信道编辑 and 批量生成
// buttons and 编辑 -> 机型 open their dialogs around the view's GridToImage
// and RenderGrid, and the form binder's typing rules. The forms' own rules
// are tested in tests/core/forms.
#include <QAccessible>

#include "app_test_support.h"
#include "ui/dialogs/channel_edit_dlg.h"
#include "ui/dialogs/model_info_dlg.h"
#include "ui/widgets/key_filter_validator.h"

using namespace kestra;
using namespace kestra::test;
using forms::BatchChannelForm;
using forms::ChannelEditForm;
using forms::ModelInfoForm;

class TestChannelDialogs : public QObject {
    Q_OBJECT

    // The application on the example image (channels 1-3 and 129-130 in use).
    bool Start(AppFixture& f) {
        return f.Start({f.dir.Dat(QStringLiteral("example.dat"), ExampleRadioMemory())});
    }

private slots:
    void initTestCase() { InitTestApplication(); }

    // 信道编辑 opens on the current row's channel. A frequency typed into RX
    // (refused keys dropped) fills the empty channel when Tab leaves RX, so
    // Tab lands on the TX field it enables; a frequency typed then is stored
    // when Esc in RX closes the dialog, and the grid shows it, with the focus
    // back on the grid.
    void channelEditStoresTypedRx() {
        AppFixture f;
        QVERIFY(Start(f));
        f.view()->table()->SetCurrentCell(GridCell{4, 2});
        QStringList seen;
        ExpectDialog<CChannelEditDlg>(f, [&](CChannelEditDlg* d) {
            auto* rx = qobject_cast<QLineEdit*>(d->binder().Widget(ChannelEditForm::kRx));
            auto* tx = qobject_cast<QLineEdit*>(d->binder().Widget(ChannelEditForm::kTx));
            seen << QString::fromStdString(d->form().State(ChannelEditForm::kChannel).text);
            TypeInto(rx, QStringLiteral("145.0x123"));
            seen << rx->text();
            QTest::keyClick(rx, Qt::Key_Tab);
            seen << (QApplication::focusWidget() == tx ? "on TX" : "not on TX") << tx->text();
            TypeInto(rx, QStringLiteral("146.5"));
            QTest::keyClick(rx, Qt::Key_Escape);
            seen << (d->isVisible() ? "open" : "closed");
        });
        f.view()->channelEditButton()->click();
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(seen, QStringList({"A004", "145.0123", "on TX", "145.01000", "closed"}));
        QCOMPARE(f.Cell(4, 1) + " " + f.Cell(4, 2), std::string("146.50000 145.01000"));
        QCOMPARE(f.frame()->focusWidget(), static_cast<QWidget*>(f.view()->table()));
    }

    // 批量生成: "应用" writes the range and renders the grid while the dialog
    // stays open, from corrected fields; a grid edit not yet converted when the dialog opened
    // survives that rendering; "取消" closes. A screen reader can tell every
    // field from the others (edits beside radio buttons have no label; RX
    // and TX repeat 随机 and 间隔).
    void batchApplyRendersWhileOpen() {
        AppFixture f;
        QVERIFY(Start(f));
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{200, 1});
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("150"));
        std::string seen; // title, open after 应用, channels 1 and 2's RX, 2's power (was 高), name
        QStringList names;
        ExpectDialog<CBatchChannelDlg>(f, [&](CBatchChannelDlg* d) {
            // (Qt names a list by its entry on Linux, its label comes as a
            // relation.)
            for (QWidget* w : d->findChildren<QWidget*>()) {
                const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w);
                if (field && !qobject_cast<QComboBox*>(w->parentWidget()))
                    names << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
                // A radio button says its own text, not its group's.
                if (auto* radio = qobject_cast<QRadioButton*>(w))
                    QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name),
                             radio->text().remove('&'));
            }
            FillBatchRange(d, QStringLiteral("2"), QStringLiteral("CH"));
            // 应用 pressed by its key, the focus still in an out-of-band
            // start: the start is corrected first (136, band A's lower limit).
            TypeInto(d->binder().Widget(BatchChannelForm::kRxStart), QStringLiteral("999"));
            d->applyButton()->click();
            seen = d->windowTitle().toStdString() + (d->isVisible() ? " open " : " closed ") +
                   f.Cell(1, 1) + " " + f.Cell(2, 1) + " " + f.Cell(2, 5) + " ";
            const ChannelRecord rec(f.app->state().image, 2);
            for (int i = 0; i < 5; ++i)
                seen += static_cast<char>(rec.Byte(ChannelRecord::kName + i));
            d->cancelButton()->click();
        });
        f.view()->batchButton()->click();
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(seen, std::string("信道编辑 open 136.00000 136.00000 低 CH002"));
        QVERIFY2(!names.contains(QString()) && names.removeDuplicates() == 0,
                 qPrintable(names.join('|')));
        QCOMPARE(f.Cell(3, 1), std::string("438.50000")); // outside the range
        QCOMPARE(f.Cell(200, 1), std::string("150.00000"));
    }

    // 编辑 -> 机型: limits typed into the dialog (Enter and Esc swallowed)
    // become the grid's bands once the dialog has closed. The channels they
    // leave out are named first, and kept on 取消 with the old limits.
    void modelLimitsChangeGridBands() {
        AppFixture f;
        QVERIFY(Start(f));
        QVERIFY(f.frame()->action(kIdEditModel)->isEnabled());
        QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
        const std::uint32_t high = f.app->state().bandLimits.high[0];
        bool openAfterKeys = false;
        for (const QString& answer : {QStringLiteral("取消"), QStringLiteral("确定")}) {
            ExpectDialog<CModelInfoDlg>(f, [&](CModelInfoDlg* d) {
                QWidget* field = d->binder().Widget(ModelInfoForm::kAHigh);
                TypeInto(field, QStringLiteral("14a0"));
                QTest::keyClick(field, Qt::Key_Return);
                QTest::keyClick(field, Qt::Key_Escape);
                openAfterKeys = d->isVisible();
                d->close();
            });
            // 取消 is the default (Enter); 确定 has its own access key.
            QString asked;
            f.driver.On<QMessageBox>([&](QMessageBox* box) {
                asked = box->text() + ' ' +
                        QKeySequence::mnemonic(box->buttons().value(0)->text()).toString();
                return ClickButton(box, answer);
            });
            f.Trigger(kIdEditModel);
            QVERIFY(f.driver.AllHandled());
            QVERIFY(asked.contains(QStringLiteral("A001")) && asked.endsWith(" Alt+O"));
            if (answer == QStringLiteral("取消")) {
                QCOMPARE(f.app->state().bandLimits.high[0], high);
                QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
            }
        }
        QVERIFY(openAfterKeys);
        QCOMPARE(f.app->state().bandLimits.high[0], 14000000);
        QCOMPARE(f.Cell(1, 1), std::string()); // 145.5 MHz lies in no band now
        QCOMPARE(f.Cell(3, 1), std::string("438.50000"));
    }

    // The binder's typing rules: the key filter and the limit in characters
    // act on what a change inserts; a change that inserts nothing the field
    // takes is refused.
    void typingRules() {
        const struct {
            const char* before;
            const char* after;
            forms::KeyFilter filter;
            int limit;
            const char* result; // "-": refused
        } cases[] = {
            {"12", "12a", forms::filters::kDigits, 3, "-"},
            {"12", "123", forms::filters::kDigits, 3, "123"},
            {"123", "1239", forms::filters::kDigits, 3, "-"},
            {"", "9x8y7z6", forms::filters::kDigits, 3, "987"}, // pasted
            {"13", "1a2b3", forms::filters::kDigits, 3, "123"}, // pasted inside
            {"123", "13", forms::filters::kDigits, 3, "13"},    // deleted
            {"", "a*b#", forms::filters::kDtmf, 0, "A*B#"},
            {"AB", "ABéC", forms::filters::kPrintableAscii, 7, "ABC"},
            {"😀", "😀ab", forms::filters::kAny, 2, "😀a"},
        };
        for (const auto& c : cases) {
            QString taken;
            int cursor = 0;
            const bool ok = FilterTextChange(QString::fromUtf8(c.before), QString::fromUtf8(c.after),
                                             c.filter, c.limit, taken, cursor);
            QCOMPARE(ok ? taken : QStringLiteral("-"), QString::fromUtf8(c.result));
        }
    }
};

QTEST_MAIN(TestChannelDialogs)
#include "test_channel_dialogs.moc"
