// The progress dialog and the port dialog against the virtual radio on a
// pseudo-terminal: read, write and initialise through the real widgets, what
// the view reports for the status bar afterwards, a failed read leaving grid
// and image alone, TransferBusy, and a port held by another process.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app_test_support.h"
#include "link/virtual_radio.h"
#include "ui/app/ini_file.h"
#include "ui/dialogs/comm_dlg.h"
#include "ui/dialogs/port_setup_dlg.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// What the test saw of one run of the progress dialog.
struct Run {
    QString title;
    int maximum = -1;
    QString percentBefore;
    bool startIsDefault = false;
    bool disabledWhileRunning = false;
    int finalPosition = -1;
    QString finalPercent;
};

// Presses "开始" in the progress dialog and records what it shows.
ModalDriver::Handler StartExchange(Run* run) {
    return [run](QWidget* w) {
        auto* dialog = qobject_cast<CCommDlg*>(w);
        if (!dialog || !dialog->startButton()->isEnabled())
            return false;
        run->title = dialog->windowTitle();
        run->maximum = dialog->progressBar()->maximum();
        run->percentBefore = dialog->percentLabel()->text();
        run->startIsDefault = dialog->startButton()->isDefault();
        QObject::connect(dialog, &CCommDlg::exchangeFinished, dialog, [run, dialog] {
            run->finalPosition = dialog->progressBar()->value();
            run->finalPercent = dialog->percentLabel()->text();
        });
        dialog->startButton()->click();
        run->disabledWhileRunning =
            !dialog->startButton()->isEnabled() && !dialog->exitButton()->isEnabled();
        return true;
    };
}

bool SameRange(const RadioImage& a, const RadioImage& b, int start, int end) {
    return std::equal(a.data() + start, a.data() + end, b.data() + start);
}

// A view attached to a virtual radio; reports collects what the view
// reported for the status bar after each progress dialog.
struct Harness : ViewFixture {
    explicit Harness(VirtualRadioOptions options = {}) : radio(options) {
        state.portName = radio.Start();
        QObject::connect(view.get(), &CProgramView::exchangeReported, view.get(),
                         [this](const QString& text) { reports << text; });
    }
    ~Harness() {
        view.reset();
        radio.Stop();
    }
    // Runs the exchange the view's command opens, pressing "开始".
    void RunDialog(void (CProgramView::*command)(), Run* run) {
        driver.Expect(StartExchange(run));
        (view.get()->*command)();
        QVERIFY(driver.AllHandled());
    }

    VirtualRadio radio;
    ModalDriver driver;
    QStringList reports;
};

} // namespace

class TestTransfersUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void readRendersTheGrid() {
        Harness h;
        QVERIFY(h.Text(1, 1).empty());
        Run run;
        h.RunDialog(&CProgramView::OnRead, &run);
        QCOMPARE(run.title, QStringLiteral("读数据"));
        QCOMPARE(run.maximum, 389);
        QCOMPARE(run.percentBefore, QStringLiteral("0%"));
        QVERIFY(run.startIsDefault);
        QVERIFY(run.disabledWhileRunning);
        QCOMPARE(run.finalPosition, 389);
        QCOMPARE(run.finalPercent, QStringLiteral("100%"));
        // No message after a plain read; the status bar gets the report.
        QVERIFY(h.driver.messages().isEmpty());
        QCOMPARE(h.driver.unexpected(), 0);
        QVERIFY(SameRange(h.state.image, h.radio.Memory(), 0x0000, 0x3000));
        QCOMPARE(h.Text(129, 1), std::string("446.00625"));
        QVERIFY(!h.state.transferBusy);
        QCOMPARE(h.reports, QStringList({"读频完成"}));

        // A dialog left without an exchange reports nothing.
        h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
        h.view->OnRead();
        QCOMPARE(h.reports.size(), 1);
    }

    void failedReadChangesNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        // The link tests run the whole fault matrix; here the widgets' side.
        QTest::newRow("hang-up mid-transfer") << 1 << "通信出错";
        QTest::newRow("no such port") << 2 << "无法打开串口";
    }

    void failedReadChangesNothing() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        VirtualRadioOptions options;
        options.hangUpAfterBlock = fault == 1 ? 100 : 0;
        Harness h(options);
        if (fault == 2)
            h.state.portName = "/dev/kestra-no-such-port";
        h.grid().SetText(3, 1, "145.00000");
        const RadioImage before = h.state.image;
        Run run;
        h.driver.Expect(StartExchange(&run));
        h.driver.ExpectMessage();
        h.view->OnRead();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.messages().size(), 1);
        QCOMPARE(h.driver.messages().first().section('\n', 0, 0), message);
        if (fault == 2) // the system's reason on a second line
            QVERIFY(h.driver.messages().first().contains('\n'));
        QVERIFY(h.state.image == before);
        // The grid is not rendered again: it still shows what it showed.
        QCOMPARE(h.Text(3, 1), std::string("145.00000"));
        QVERIFY(!h.state.transferBusy);
        QCOMPARE(h.reports, QStringList({message}));
    }

    void writeSendsWhatTheGridShows() {
        Harness h;
        // A pending edit is part of what goes to the radio.
        QTest::keyClicks(h.table()->StartEditAt(GridCell{4, 1}), QStringLiteral("147.3"));
        Run run;
        h.RunDialog(&CProgramView::OnWrite, &run);
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(run.title, QStringLiteral("写数据"));
        QCOMPARE(run.finalPosition, 389);
        QVERIFY(h.driver.messages().isEmpty());
        QVERIFY(SameRange(h.radio.Memory(), h.state.image, 0x0000, 0x3000));
        QCOMPARE(ConstChannelRecord(h.radio.Memory(), 4).Rx(), 14730000u);
        QCOMPARE(h.Text(4, 1), std::string("147.30000"));
        QCOMPARE(h.reports, QStringList({"写频完成"}));
    }

    void initialiseStaysOpenForTheNextRadio() {
        Harness h;
        h.state.factoryMode = true;
        h.view->ShowInitialiseButton();
        Run first, second;
        h.driver.Expect(StartExchange(&first));
        h.driver.ExpectMessage();
        bool resetToZero = false;
        h.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<CCommDlg*>(w);
            if (!dialog)
                return false;
            resetToZero = dialog->progressBar()->value() == 0 &&
                          dialog->percentLabel()->text() == QStringLiteral("0%") &&
                          dialog->exitButton()->isEnabled();
            return StartExchange(&second)(w);
        });
        h.driver.ExpectMessage();
        h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
        const int greetings = h.radio.Stats().greetings;
        QTest::mouseClick(h.view->initialiseButton(), Qt::LeftButton);
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(first.title, QStringLiteral("初始化数据"));
        QCOMPARE(first.maximum, 512);
        QCOMPARE(first.finalPosition, 512);
        QVERIFY(resetToZero);
        QCOMPARE(second.finalPosition, 512);
        QCOMPARE(h.driver.messages(), QStringList({"初始化数据成功", "初始化数据成功"}));
        // Both runs went through the whole exchange, greeting included.
        QVERIFY(h.radio.Stats().greetings >= greetings + 2);
        QVERIFY(h.radio.Memory() == h.state.image);
        QCOMPARE(h.reports, QStringList({"初始化完成"}));
    }

    void busyGuardsASecondStart() {
        Harness h;
        CCommDlg dialog(h.state, TransferKind::Read);
        h.state.transferBusy = true;
        dialog.OnStart();
        QVERIFY(!dialog.Running());
        QVERIFY(dialog.startButton()->isEnabled());
        h.state.transferBusy = false;
        // While running, the dialog cannot be closed.
        dialog.OnStart();
        QVERIFY(dialog.Running());
        dialog.reject();
        QVERIFY(dialog.Running());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 20000);
        QVERIFY(dialog.Succeeded());
        QVERIFY(!h.state.transferBusy);
    }

    void portDialog() {
        // A table of its own: port 1 is held by another program, 2 is free,
        // the others do not exist. (The real probe is tested in the link
        // tests and below.)
        AppDir dir;
        CIniFile ini(dir.path());
        bool held = true;
        PortTable table;
        table.deviceName = [](int n) { return "/dev/kestra-test-" + std::to_string(n); };
        table.probe = [&](const std::string& selected) {
            PortProbe probe;
            probe.available[1] = !held;
            probe.available[2] = true;
            const int n = selected == table.deviceName(1)   ? 1
                          : selected == table.deviceName(2) ? 2
                                                            : 0;
            probe.selected = n; // held or not: the dialog decides
            return probe;
        };
        AppState state;
        state.portName = table.deviceName(1);
        const auto com = [&ini] {
            return ini.GetInt(QStringLiteral("Setup"), QStringLiteral("COM"), -1);
        };
        {
            CPortSetupDlg dialog(state, ini, nullptr, table);
            dialog.show();
            QVERIFY(!dialog.portButton(1)->isEnabled());
            QVERIFY(dialog.portButton(2)->isEnabled());
            QVERIFY(!dialog.portButton(3)->isEnabled());
            // The selected port is held: nothing is checked, and "确定" with
            // nothing checked changes nothing.
            QCOMPARE(dialog.CheckedPort(), 0);
            QVERIFY(ClickButton(&dialog, QStringLiteral("确定")));
            QCOMPARE(state.portName, table.deviceName(1));
            QCOMPARE(com(), -1);
        }
        for (const QString& button : {QStringLiteral("取消"), QStringLiteral("确定")}) {
            CPortSetupDlg dialog(state, ini, nullptr, table);
            dialog.show();
            dialog.portButton(2)->click();
            QVERIFY(ClickButton(&dialog, button));
            QCOMPARE(com(), button == QStringLiteral("取消") ? -1 : 2);
        }
        QCOMPARE(state.portName, table.deviceName(2));
        // A selected port that can be opened is checked; a released port can
        // be chosen again.
        held = false;
        CPortSetupDlg dialog(state, ini, nullptr, table);
        QCOMPARE(dialog.CheckedPort(), 2);
        QVERIFY(dialog.portButton(1)->isEnabled());
    }

    void portDialogOnThePlatformTable() {
        // The real table: each number with its device, probed for real.
        AppDir dir;
        CIniFile ini(dir.path());
        AppState state;
        CPortSetupDlg dialog(state, ini);
        for (int n = 1; n <= kPortCount; ++n) {
            QCOMPARE(dialog.portButton(n)->text(), QStringLiteral("COM%1").arg(n));
            QCOMPARE(dialog.portButton(n)->isEnabled(),
                     SerialLink().Open(PortDeviceName(n), nullptr));
        }
        QCOMPARE(dialog.CheckedPort(), 0);
    }
};

QTEST_MAIN(TestTransfersUi)
#include "test_transfers_ui.moc"
