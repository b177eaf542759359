// kestra --simulate: the application attached to the in-process virtual
// radio. Reading, editing a channel and writing it back through the menus'
// shortcuts, with the outcome in the status bar.
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>

#include "app_test_support.h"
#include "link/virtual_radio.h"
#include "ui/dialogs/comm_dlg.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"

using namespace kestra;
using namespace kestra::test;

namespace {

ModalDriver::Handler PressStart(QString* title) {
    return [title](QWidget* w) {
        auto* dialog = qobject_cast<CCommDlg*>(w);
        if (!dialog)
            return false;
        *title = dialog->windowTitle();
        QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
        return true;
    };
}

} // namespace

class TestSimulate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void readEditWrite() {
        AppDir dir;
        auto app = StartApp(dir, {QStringLiteral("--simulate")});
        QVERIFY(app);
        VirtualRadio* radio = app->virtualRadio();
        QVERIFY(radio && radio->IsRunning());
        QCOMPARE(app->state().portName, radio->Device());
        CMainFrame* frame = app->frame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        ChannelTableView* table = frame->ActiveView()->table();
        const ChannelGrid& grid = frame->ActiveView()->model()->grid();

        // Ctrl+R reads, the status bar says so afterwards.
        ModalDriver driver;
        QString title;
        driver.Expect(PressStart(&title));
        QTest::keyClick(table, Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(driver.AllHandled() && !QApplication::activeModalWidget(), 20000);
        QCOMPARE(title, QStringLiteral("读数据"));
        QCOMPARE(frame->status()->currentMessage(), QStringLiteral("读频完成"));
        QCOMPARE(grid.Text(3, 3), std::string("D023N"));
        // The window manager gives the focus back after a dialog; offscreen
        // nothing does.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));

        // An edited receive frequency goes back with Ctrl+W.
        QTest::keyClicks(table->StartEditAt(GridCell{3, 1}), QStringLiteral("439.0125"));
        table->CommitAndCloseEditor();
        driver.Expect(PressStart(&title));
        QTest::keyClick(table, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(driver.AllHandled() && !QApplication::activeModalWidget(), 20000);
        QCOMPARE(title, QStringLiteral("写数据"));
        QCOMPARE(frame->status()->currentMessage(), QStringLiteral("写频完成"));
        QCOMPARE(driver.unexpected(), 0);
        QVERIFY(driver.messages().isEmpty());
        QCOMPARE(ConstChannelRecord(radio->Memory(), 3).Rx(), 43901250u);
    }

    void programStartsAttached() {
        // The program itself starts with its own virtual radio and keeps
        // running until it is closed.
        QProcess kestra;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        kestra.setProcessEnvironment(env);
        kestra.start(QStringLiteral(KESTRA_BINARY), {QStringLiteral("--simulate")});
        QVERIFY(kestra.waitForStarted(10000));
        QVERIFY(!kestra.waitForFinished(1500));
        kestra.terminate();
        QVERIFY(kestra.waitForFinished(10000));
    }
};

QTEST_MAIN(TestSimulate)
#include "test_simulate.moc"
