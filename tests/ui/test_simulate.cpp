// kestra --simulate: the application attached to the in-process virtual
// radio. Reading, editing a channel and writing it back, all through the
// menus' shortcuts and the real widgets.
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include "ui/dialogs/comm_dlg.h"
#include "app_test_support.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"
#include "link/virtual_radio.h"

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
        CProgramView* view = frame->ActiveView();
        ChannelTableView* table = view->table();
        const ChannelGrid& grid = view->model()->grid();
        QVERIFY(grid.Text(1, 1).empty());

        ModalDriver driver;
        QString title;
        driver.Expect(PressStart(&title));
        QTest::keyClick(table, Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(driver.AllHandled() && !QApplication::activeModalWidget(), 20000);
        QCOMPARE(title, QStringLiteral("读数据"));
        // The window manager gives the focus back after a dialog; offscreen
        // nothing does.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QCOMPARE(grid.Text(1, 1), std::string("145.50000"));
        QCOMPARE(grid.Text(3, 3), std::string("D023N"));

        // Change A003's receive frequency and its power, as a user does.
        const QRect rx = table->visualRect(view->model()->IndexOf(GridCell{3, 1}));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, rx.center());
        auto* editor = qobject_cast<QLineEdit*>(table->OpenEditor());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("439.0125"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(grid.Text(3, 1), std::string("439.01250"));
        table->SetCurrentCell(GridCell{3, 5});
        QTest::keyClick(table, Qt::Key_Return);
        QWidget* power = table->OpenEditor();
        QVERIFY(power);
        QTest::keyClick(power, Qt::Key_Down);
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(grid.Text(3, 5), std::string("高"));

        driver.Expect(PressStart(&title));
        QTest::keyClick(table, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(driver.AllHandled() && !QApplication::activeModalWidget(), 20000);
        QCOMPARE(title, QStringLiteral("写数据"));
        QCOMPARE(driver.unexpected(), 0);
        QVERIFY(driver.messages().isEmpty());

        RadioImage memory = radio->Memory();
        ChannelRecord a003(memory, 3);
        QCOMPARE(a003.Rx(), 43901250u);
        QVERIFY(a003.HighPower());
        // What the radio had that the grid does not show survives.
        QCOMPARE(a003.RxTone(), ToneTextToValue("D023N"));
        QCOMPARE(memory[RecordOffset(3) + ChannelRecord::kName], std::uint8_t('U'));
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
