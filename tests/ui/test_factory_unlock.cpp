// SPDX-License-Identifier: GPL-3.0-or-later
// The factory unlock: Ctrl+F11 anywhere in the view, consumed before any
// control sees it; the password dialog; what a correct password changes, once.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app_test_support.h"
#include "ui/app/program_doc.h"
#include "ui/dialogs/password_dlg.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// Answers the password dialog with text and "确定" (or "取消"); shown
// records what the field showed.
ModalDriver::Handler Password(const QString& text, const QString& button = QStringLiteral("确定"),
                              QString* shown = nullptr) {
    return [=](QWidget* w) {
        auto* dialog = qobject_cast<CPasswordDlg*>(w);
        if (!dialog)
            return false;
        QTest::keyClicks(dialog->passwordEdit(), text);
        if (shown)
            *shown = dialog->passwordEdit()->displayText() + QLatin1Char('|') +
                     dialog->passwordEdit()->text();
        return ClickButton(dialog, button);
    };
}

class KeySpy : public QObject {
public:
    int f11 = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11)
            ++f11;
        return false;
    }
};

QList<int> EditMenu(CMainFrame* frame) {
    QList<int> ids;
    for (QAction* a : frame->editMenu()->actions())
        ids << a->data().toInt();
    return ids;
}

} // namespace

class TestFactoryUnlock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void unlock() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        CProgramView* view = f.view();
        ChannelTableView* table = view->table();
        const QList<int> locked = EditMenu(frame);
        QCOMPARE(locked.last(), int(kIdEditFmRadio));
        ModalDriver& driver = f.driver;

        // Other keys do nothing special.
        QTest::keyClick(table, Qt::Key_F11);
        QTest::keyClick(table, Qt::Key_F12, Qt::ControlModifier);
        QTest::qWait(50);
        QCOMPARE(driver.unexpected(), 0);

        // A wrong password (echoed hidden, 8 characters at most): no
        // message, still locked.
        QString shown;
        driver.Expect(Password(QStringLiteral("QDM538QDM"), QStringLiteral("确定"), &shown));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QVERIFY2(shown.endsWith(QStringLiteral("|QDM538QD")) && !shown.startsWith(QStringLiteral("Q")),
                 qPrintable(shown));
        QVERIFY(!f.app->state().factoryMode);
        QVERIFY(view->initialiseButton()->isHidden());
        QCOMPARE(EditMenu(frame), locked);
        // Cancel: still locked.
        driver.Expect(Password(QStringLiteral("QDM537"), QStringLiteral("取消")));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QVERIFY(!f.app->state().factoryMode);

        // The key is taken before the control that has the focus sees it, and
        // the password is compared ignoring letter case.
        QWidget* editor = table->StartEditAt(GridCell{1, 1});
        QVERIFY(editor);
        KeySpy spy;
        editor->installEventFilter(&spy);
        driver.Expect(Password(QStringLiteral("qdm537")));
        QTest::keyClick(editor, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QCOMPARE(spy.f11, 0);
        QVERIFY(f.app->state().factoryMode);
        QVERIFY(!view->initialiseButton()->isHidden());
        QList<int> unlocked = locked;
        unlocked << kIdParamTuning << kIdDtmfInit;
        QCOMPARE(EditMenu(frame), unlocked);
        QVERIFY(frame->action(kIdParamTuning)->isEnabled());
        QVERIFY(frame->action(kIdDtmfInit)->isEnabled());

        // A second unlock adds nothing.
        driver.Expect(Password(QStringLiteral("QDM537")));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QCOMPARE(EditMenu(frame), unlocked);

        // Document windows opened later show "初始化" as well.
        frame->AddDocumentWindow(std::make_unique<CProgramDoc>(f.app->state()));
        QVERIFY(!frame->ActiveView()->initialiseButton()->isHidden());
        QCOMPARE(driver.unexpected(), 0);
    }
};

QTEST_MAIN(TestFactoryUnlock)
#include "test_factory_unlock.moc"
