// The progress dialog and the port dialog against the virtual radio on a
// pseudo-terminal: read, write and initialise through the real widgets, a
// failed read leaving grid and image alone, TransferBusy, and a port held by
// another process.
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include "ui/dialogs/comm_dlg.h"
#include "ui/app/ini_file.h"
#include "ui/dialogs/port_setup_dlg.h"
#include "app_test_support.h"
#include "core/document/default_image.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"
#include "core/image/finalize.h"
#include "link/virtual_radio.h"

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

class Harness {
public:
    explicit Harness(VirtualRadioOptions options = {}) : radio(options) {
        ApplyBuiltInDefaults(state.image);
        FinalizeImage(state.image, state.bandLimits);
        state.portName = radio.Start();
        view = std::make_unique<CProgramView>(state);
        view->show();
    }
    ~Harness() {
        view.reset();
        radio.Stop();
    }
    std::string Text(int row, int col) const { return view->model()->grid().Text(row, col); }

    AppState state;
    VirtualRadio radio;
    std::unique_ptr<CProgramView> view;
    ModalDriver driver;
};

} // namespace

class TestTransfersUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void readRendersTheGrid() {
        Harness h;
        QVERIFY(!h.state.portName.empty());
        QVERIFY(h.Text(1, 1).empty());
        Run run;
        h.driver.Expect(StartExchange(&run));
        h.view->OnRead();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(run.title, QStringLiteral("读数据"));
        QCOMPARE(run.maximum, 389);
        QCOMPARE(run.percentBefore, QStringLiteral("0%"));
        QVERIFY(run.startIsDefault);
        QVERIFY(run.disabledWhileRunning);
        QCOMPARE(run.finalPosition, 389);
        QCOMPARE(run.finalPercent, QStringLiteral("100%"));
        // No message after a plain read.
        QVERIFY(h.driver.messages().isEmpty());
        const RadioImage memory = h.radio.Memory();
        QVERIFY(SameRange(h.state.image, memory, 0x0000, 0x3000));
        QVERIFY(SameRange(h.state.image, memory, 0x3F70, 0x4000));
        QCOMPARE(h.Text(1, 1), std::string("145.50000"));
        QCOMPARE(h.Text(2, 2), std::string("145.05000"));
        QCOMPARE(h.Text(129, 1), std::string("446.00625"));
        QVERIFY(!h.state.transferBusy);
    }

    void failedReadChangesNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("silent radio") << 0 << "通信出错";
        QTest::newRow("hang-up mid-transfer") << 1 << "通信出错";
        QTest::newRow("no such port") << 2 << "无法打开串口";
    }

    void failedReadChangesNothing() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        VirtualRadioOptions options;
        options.silent = fault == 0;
        options.hangUpAfterBlock = fault == 1 ? 100 : 0;
        Harness h(options);
        if (fault == 2)
            h.state.portName = "/dev/kestra-no-such-port";
        h.view->model()->grid().SetText(3, 1, "145.00000");
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
        QVERIFY(h.Text(1, 1).empty());
        QVERIFY(!h.state.transferBusy);
    }

    void writeSendsWhatTheGridShows() {
        Harness h;
        ChannelTableView* table = h.view->table();
        // A pending edit is part of what goes to the radio.
        QWidget* editor = table->StartEditAt(GridCell{4, 1});
        QTest::keyClicks(editor, QStringLiteral("147.3"));
        Run run;
        h.driver.Expect(StartExchange(&run));
        h.view->OnWrite();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(run.title, QStringLiteral("写数据"));
        QCOMPARE(run.finalPosition, 389);
        QVERIFY(h.driver.messages().isEmpty());
        const RadioImage memory = h.radio.Memory();
        QVERIFY(SameRange(memory, h.state.image, 0x0000, 0x3000));
        QVERIFY(SameRange(memory, h.state.image, 0x3F70, 0x4000));
        QCOMPARE(ConstChannelRecord(memory, 4).Rx(), 14730000u);
        QCOMPARE(h.Text(4, 1), std::string("147.30000"));
    }

    void initialiseStaysOpenForTheNextRadio() {
        Harness h;
        h.state.factoryMode = true;
        h.view->ShowInitialiseButton();
        Run first, second;
        h.driver.Expect(StartExchange(&first));
        h.driver.ExpectMessage();
        QPointer<CCommDlg> seen;
        bool resetToZero = false;
        h.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<CCommDlg*>(w);
            if (!dialog)
                return false;
            seen = dialog;
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
        QVERIFY(h.state.transferBusy);
        dialog.reject();
        QVERIFY(dialog.Running());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 20000);
        QVERIFY(dialog.Succeeded());
        QVERIFY(!h.state.transferBusy);
    }

    void portDialog() {
        AppDir dir;
        CIniFile ini(dir.path());
        VirtualRadio held, free;
        const std::string heldDevice = held.Start();
        const std::string freeDevice = free.Start();
        QVERIFY(!heldDevice.empty() && !freeDevice.empty());
        // Ports 1 and 2 stand for the two pseudo-terminals, 3 for nothing.
        PortTable table;
        table.deviceName = [&](int n) {
            return n == 1   ? heldDevice
                   : n == 2 ? freeDevice
                            : "/dev/kestra-none-" + std::to_string(n);
        };
        table.probe = [&](const std::string& selected) {
            PortProbe probe;
            for (int n = 1; n <= kPortCount; ++n) {
                SerialLink link;
                probe.available[n] = link.Open(table.deviceName(n), nullptr);
            }
            SerialLink link;
            if (link.Open(selected, nullptr))
                probe.selected = selected == heldDevice ? 1 : selected == freeDevice ? 2 : 0;
            return probe;
        };

        // Another process holds port 1.
        QProcess holder;
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("--exclusive"), QStringLiteral("--close"),
                      QString::fromStdString(heldDevice), QStringLiteral("sleep"),
                      QStringLiteral("30")});
        QVERIFY(holder.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!SerialLink().Open(heldDevice, nullptr), 5000);

        AppState state;
        state.portName = heldDevice;
        {
            CPortSetupDlg dialog(state, ini, nullptr, table);
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("端口设置"));
            QVERIFY(!dialog.portButton(1)->isEnabled());
            QVERIFY(dialog.portButton(2)->isEnabled());
            QVERIFY(!dialog.portButton(3)->isEnabled());
            QCOMPARE(dialog.portButton(16)->text(), QStringLiteral("COM16"));
            // The selected port is held: nothing is checked, and "确定" with
            // nothing checked changes nothing.
            QCOMPARE(dialog.CheckedPort(), 0);
            QVERIFY(ClickButton(&dialog, QStringLiteral("确定")));
            QCOMPARE(state.portName, heldDevice);
            QCOMPARE(ini.GetInt(QStringLiteral("Setup"), QStringLiteral("COM"), -1), -1);
        }
        {
            CPortSetupDlg dialog(state, ini, nullptr, table);
            dialog.show();
            dialog.portButton(2)->click();
            QVERIFY(ClickButton(&dialog, QStringLiteral("取消")));
            QCOMPARE(state.portName, heldDevice);
        }
        {
            CPortSetupDlg dialog(state, ini, nullptr, table);
            dialog.show();
            dialog.portButton(2)->click();
            QVERIFY(ClickButton(&dialog, QStringLiteral("确定")));
            QCOMPARE(state.portName, freeDevice);
            QCOMPARE(ini.GetInt(QStringLiteral("Setup"), QStringLiteral("COM"), -1), 2);
        }
        {
            // A selected port that can be opened is checked.
            CPortSetupDlg dialog(state, ini, nullptr, table);
            QCOMPARE(dialog.CheckedPort(), 2);
        }
        holder.kill();
        holder.waitForFinished(5000);
        QTRY_VERIFY_WITH_TIMEOUT(SerialLink().Open(heldDevice, nullptr), 5000);
        // Once released, port 1 can be chosen again.
        CPortSetupDlg dialog(state, ini, nullptr, table);
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
