// SPDX-License-Identifier: GPL-3.0-or-later
// The progress dialog, the port dialog and the automatic backups against the
// virtual radio on a pseudo-terminal: what the dialog shows for read, write
// and initialise, what the view reports for the status bar afterwards, a
// failed read leaving grid and image alone, TransferBusy, a port held by
// another process; the backup each exchange leaves, none after a failure,
// and a backup folder that cannot be written. The exchange itself is tested
// in tests/link.
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTreeWidget>

#include "app_test_support.h"
#include "core/document/backups.h"
#include "link/link_texts.h"
#include "support/fake_sysfs.h"
#include "ui/app/ini_file.h"
#include "ui/dialogs/port_setup_dlg.h"
#include "ui/grid/document_history.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// Presses "开始" in the progress dialog and records what it shows: title,
// blocks and percent before; whether 开始 is the default; whether 开始 and
// 退出 are enabled while it runs; position and percent at the end.
void StartExchange(ModalDriver& driver, QString* seen) {
    driver.On<CCommDlg>([seen](CCommDlg* dialog) {
        if (!dialog->startButton()->isEnabled())
            return false;
        *seen = QStringLiteral("%1 %2 %3 default=%4")
                    .arg(dialog->windowTitle())
                    .arg(dialog->progressBar()->maximum())
                    .arg(dialog->percentLabel()->text())
                    .arg(dialog->startButton()->isDefault());
        QObject::connect(dialog, &CCommDlg::exchangeFinished, dialog, [seen, dialog] {
            *seen += QStringLiteral(" end %1 %2")
                         .arg(dialog->progressBar()->value())
                         .arg(dialog->percentLabel()->text());
        });
        dialog->startButton()->click();
        *seen += QStringLiteral(" running=%1%2")
                     .arg(dialog->startButton()->isEnabled())
                     .arg(dialog->exitButton()->isEnabled());
        return true;
    });
}

// A view on a virtual radio on a pseudo-terminal, with a backup folder of
// its own; reports collects what the view reported for the status bar after
// each progress dialog.
struct Harness : ViewFixture {
    explicit Harness(VirtualRadioOptions options = {}) : radio(options) {
        state.portName = radio.Start();
        state.backupFolder = tmp.filePath(QStringLiteral("backups")).toStdString();
        QObject::connect(view.get(), &CProgramView::exchangeReported, view.get(),
                         [this](const QString& text) { reports << text; });
    }
    ~Harness() {
        view.reset();
        radio.Stop();
    }
    // The backups saved so far, oldest first.
    QStringList Backups() const {
        QStringList names;
        for (const std::string& n : BackupFileNames(state.backupFolder))
            names << QString::fromStdString(n);
        return names;
    }
    QByteArray Backup(const QString& name) const {
        return ReadAll(QDir(QString::fromStdString(state.backupFolder)).filePath(name));
    }

    QTemporaryDir tmp;
    VirtualRadio radio;
    ModalDriver driver;
    QStringList reports;
};

} // namespace

class TestTransfersUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void exchangeThroughTheDialog_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("verify"); // 写后校验
        QTest::newRow("read") << 0 << "读数据" << 389 << "读频完成" << true;
        // With 写后校验 the progress covers the read-back too.
        QTest::newRow("write") << 1 << "写数据" << 389 + 389 << "写频完成，已校验" << true;
        QTest::newRow("write unverified") << 1 << "写数据" << 389 << "写频完成" << false;
        QTest::newRow("initialise") << 2 << "初始化数据" << 512 + 389 + 8 << "初始化完成" << true;
    }

    // The dialog counts the blocks, cannot be left while running, reports
    // once for the status bar and leaves a backup of the whole image each
    // run; a read renders the grid, a write sends an edit still open,
    // initialise says so and stays open at 0% for the next radio.
    void exchangeThroughTheDialog() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, blocks);
        QFETCH(QString, report);
        QFETCH(bool, verify);
        Harness h;
        CCommDlg(h.state, TransferKind::Write).verifyCheck()->setChecked(verify); // remembered
        QString seen;
        StartExchange(h.driver, &seen);
        bool resetToZero = false;
        if (kind == 2) {
            h.driver.ExpectMessage();
            h.driver.On<CCommDlg>([&](CCommDlg* dialog) {
                resetToZero = dialog->progressBar()->value() == 0 &&
                              dialog->percentLabel()->text() == QStringLiteral("0%") &&
                              dialog->exitButton()->isEnabled();
                dialog->startButton()->click();
                return true;
            });
            h.driver.ExpectMessage();
            h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
            h.state.factoryMode = true;
            h.view->ShowInitialiseButton();
            QTest::mouseClick(h.view->initialiseButton(), Qt::LeftButton);
        } else if (kind == 1) {
            QTest::keyClicks(h.table()->StartEditAt(GridCell{4, 1}), QStringLiteral("147.3"));
            h.view->OnWrite();
        } else {
            QVERIFY(h.Text(1, 1).empty());
            h.view->OnRead();
        }
        QVERIFY2(h.driver.AllHandled(), qPrintable(h.driver.messages().join(" | ")));
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(seen, QStringLiteral("%1 %2 0% default=1 running=00").arg(title).arg(blocks) +
                           QStringLiteral(" end %1 100%").arg(blocks).repeated(kind == 2 ? 2 : 1));
        QVERIFY(!h.state.transferBusy);
        QCOMPARE(h.reports, QStringList({report}));
        const QStringList names = h.Backups();
        QCOMPARE(names.size(), kind == 2 ? 2 : 1);
        for (const QString& name : names) {
            QVERIFY2(name.contains(QStringList({"-read", "-write", "-init"})[kind]),
                     qPrintable(name));
            QCOMPARE(h.Backup(name), Bytes(h.state.image));
        }
        if (kind == 0) {
            // No message after a plain read; the grid shows what was read.
            QVERIFY(h.driver.messages().isEmpty());
            QCOMPARE(h.Text(129, 1), std::string("446.00625"));
            // A dialog left without an exchange reports nothing.
            h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
            h.view->OnRead();
            QCOMPARE(h.reports.size(), 1);
        } else if (kind == 1) {
            QVERIFY(h.driver.messages().isEmpty());
            QCOMPARE(ConstChannelRecord(h.radio.Memory(), 4).Rx(), 14730000u);
        } else {
            QCOMPARE(h.driver.messages(),
                     QStringList(2, QStringLiteral("初始化数据成功\n") + kTextInitialiseVerified));
            QVERIFY(resetToZero);
            QVERIFY(h.radio.Memory() == h.state.image);
        }
    }

    void failedExchangeChangesNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        // The link tests run the whole fault matrix; here the widgets' side.
        QTest::newRow("read, hang-up mid-transfer") << 1 << "通信出错";
        QTest::newRow("read, no such port") << 2 << "无法打开串口";
        // What a write was sending is backed up before it starts, whatever
        // then happens.
        QTest::newRow("write, a byte stored wrong") << 3 << "写频校验失败";
        QTest::newRow("write, hang-up mid-transfer") << 4 << "通信出错";
    }

    // A failed exchange reports once, changes nothing and leaves no backup
    // of what was not read.
    void failedExchangeChangesNothing() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        VirtualRadioOptions options;
        const bool write = fault >= 3;
        options.hangUpAfterBlock = fault == 1 || fault == 4 ? 100 : 0;
        if (fault == 3)
            options.corruptStoreAddress = 0x0040;
        Harness h(options);
        if (fault == 2)
            h.state.portName = "/dev/kestra-no-such-port";
        h.grid().SetText(3, 1, "145.00000");
        if (write) // a write sends the grid
            h.view->ConvertGridToImage();
        const RadioImage before = h.state.image;
        h.driver.ExpectStart();
        // The progress dialog is gone when the message shows, so that closing
        // the message gives the keyboard back to the window the user was in.
        QString shown;
        bool progressShown = true;
        h.driver.On<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            const QWidgetList windows = QApplication::topLevelWidgets();
            progressShown = std::any_of(windows.begin(), windows.end(), [](QWidget* w) {
                return qobject_cast<CCommDlg*>(w) && w->isVisible();
            });
            return ClickButton(box, QStringLiteral("确定"));
        });
        if (write)
            h.view->OnWrite();
        else
            h.view->OnRead();
        QVERIFY(h.driver.AllHandled());
        QVERIFY(!progressShown);
        QCOMPARE(shown.section('\n', 0, 0), message);
        if (fault == 2) // the system's reason, and where to choose another port
            QVERIFY2(shown.count('\n') == 2 &&
                         shown.endsWith("请在“设置 → 串口”中选择对讲机所连的串口。"),
                     qPrintable(shown));
        QVERIFY(h.state.image == before);
        // The grid is not rendered again: it still shows what it showed.
        QCOMPARE(h.Text(3, 1), std::string("145.00000"));
        QVERIFY(!h.state.transferBusy);
        QCOMPARE(h.reports, QStringList({message}));
        QCOMPARE(h.Backups().size(), write ? 1 : 0);
        if (write)
            QCOMPARE(h.Backup(h.Backups()[0]), Bytes(before));
    }

    // TransferBusy refuses a second start, and a running dialog cannot be
    // closed. 写后校验: on by default and remembered, the progress following
    // it; Tab goes from it, above the buttons, to them.
    void dialogOnItsOwn() {
        Harness h;
        CCommDlg read(h.state, TransferKind::Read);
        QVERIFY(!read.verifyCheck());
        h.state.transferBusy = true;
        read.OnStart();
        QVERIFY(!read.Running());
        QVERIFY(read.startButton()->isEnabled());
        h.state.transferBusy = false;
        read.OnStart();
        QVERIFY(read.Running());
        read.reject();
        QVERIFY(read.Running());
        QTRY_VERIFY_WITH_TIMEOUT(!read.Running(), 20000);
        QVERIFY(read.Succeeded());
        QVERIFY(!h.state.transferBusy);
        {
            CCommDlg dialog(h.state, TransferKind::Write);
            QVERIFY(dialog.verifyCheck()->isChecked());
            QCOMPARE(dialog.verifyCheck()->text(), QStringLiteral("写后校验(&V)"));
            QCOMPARE(dialog.verifyCheck()->nextInFocusChain()->objectName(), "startButton");
            dialog.verifyCheck()->click();
            QCOMPARE(dialog.progressBar()->maximum(), 389);
        }
        CCommDlg unchecked(h.state, TransferKind::Initialise);
        QVERIFY(!unchecked.verifyCheck()->isChecked());
        unchecked.verifyCheck()->click();
        // The read ranges, then the factory blocks.
        QCOMPARE(unchecked.progressBar()->maximum(), 512 + 389 + 8);
    }

    // The device list on a fake sysfs: every cable with its details, the
    // number mapping both ways, a device outside the table for this run only,
    // the refresh when a cable comes, and the note of the virtual radio.
    void portDialogListsTheCables() {
        AppDir dir;
        test::FakeSysfs fake(dir.path().toStdString() + "/fake");
        test::BuildCableZoo(fake);
        qputenv("KESTRA_SYSFS", QByteArray::fromStdString(fake.Sys()));
        qputenv("KESTRA_DEVDIR", QByteArray::fromStdString(fake.Dev()));
        CIniFile ini(dir.path());
        PortTable table;
        table.probe = [](const std::string&) {
            PortProbe probe;
            for (int n = 1; n <= kPortCount; ++n)
                probe.available[static_cast<std::size_t>(n)] = n != 3;
            return probe;
        };
        table.refreshMs = 50;
        table.virtualRadio = "/dev/pts/77";
        AppState state;
        state.portName = "/dev/pts/77";
        CPortSetupDlg dialog(state, ini, nullptr, table);
        dialog.show();
        QVERIFY(dialog.virtualRadioNote()->text().contains(QStringLiteral("/dev/pts/77")));
        {
            // So is a device outside the table, given with --port or picked
            // here before: the note does not claim which.
            AppState run;
            run.portName = "/dev/pts/78";
            PortTable plain = table;
            plain.virtualRadio.clear();
            const CPortSetupDlg other(run, ini, nullptr, plain);
            QVERIFY(other.virtualRadioNote() &&
                    other.virtualRadioNote()->text().contains(QStringLiteral("/dev/pts/78")) &&
                    !other.virtualRadioNote()->text().contains(QStringLiteral("--port")));
        }
        QTreeWidget* list = dialog.deviceList();
        QCOMPARE(list->topLevelItemCount(), 6);
        QTreeWidgetItem* ftdi = list->topLevelItem(2);
        // Device, number, maker and product, ids, serial, and its by-id link.
        QCOMPARE(QStringList({ftdi->text(0), ftdi->text(1), ftdi->text(2).left(11), ftdi->text(3),
                              ftdi->text(6), QString::number(ftdi->childCount())})
                     .join('|'),
                 QString::fromStdString(fake.DevPath("ttyUSB0")) +
                     QStringLiteral("|COM1|FTDI FT232R|0403:6001|A50285BI|1"));

        // A row of the table checks its number, a number picks its row.
        list->setCurrentItem(ftdi);
        QCOMPARE(dialog.CheckedPort(), 1);
        dialog.portButton(2)->click();
        QCOMPARE(list->currentItem()->text(0), QString::fromStdString(fake.DevPath("ttyUSB1")));
        // A number that cannot be opened is not checked through its row.
        list->setCurrentItem(list->topLevelItem(4));
        QCOMPARE(dialog.CheckedPort(), 0);
        // Outside the table: this run only, Program.ini keeps its number.
        list->setCurrentItem(list->topLevelItem(5));
        QCOMPARE(dialog.CheckedPort(), 0);
        QVERIFY(dialog.choiceNote()->isVisible());
        QVERIFY(dialog.choiceNote()->text().contains(QStringLiteral("ttyUSB9")));

        // A cable plugged in while the dialog is open appears by itself; the
        // pick stays.
        fake.AddUsbSerial("ttyUSB4", 8, "ftdi_sio", "0403", "6015", "FTDI", "FT230X", "X1");
        QTRY_COMPARE(list->topLevelItemCount(), 7);
        QCOMPARE(list->currentItem()->text(0), QString::fromStdString(fake.DevPath("ttyUSB9")));
        QVERIFY(ClickButton(&dialog, QStringLiteral("确定")));
        QCOMPARE(state.portName, fake.DevPath("ttyUSB9"));
        QCOMPARE(ini.GetInt(QStringLiteral("Setup"), QStringLiteral("COM"), -1), -1);
        qunsetenv("KESTRA_SYSFS");
        qunsetenv("KESTRA_DEVDIR");
    }

    void portDialog() {
        // A table of its own: port 1 is held by another program, 2 is free,
        // the others do not exist.
        AppDir dir;
        CIniFile ini(dir.path());
        bool held = true;
        PortTable table;
        table.deviceName = [](int n) { return "/dev/kestra-test-" + std::to_string(n); };
        table.probe = [&](const std::string& selected) {
            PortProbe probe;
            probe.available[1] = !held;
            probe.reasons[1] = held ? "held by process 7" : "";
            probe.available[2] = true;
            // Held or not: the dialog decides.
            probe.selected = selected == table.deviceName(1)   ? 1
                             : selected == table.deviceName(2) ? 2
                                                               : 0;
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
            QVERIFY(!dialog.portButton(1)->isEnabled() && dialog.portButton(2)->isEnabled() &&
                    !dialog.portButton(3)->isEnabled());
            // A port that cannot be chosen says why; the run's port is the
            // table's: no note of a device outside it.
            QCOMPARE(dialog.portButton(1)->toolTip(), QStringLiteral("held by process 7"));
            QCOMPARE(dialog.portButton(2)->toolTip(), QString());
            QVERIFY(!dialog.virtualRadioNote());
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

        // The platform's own table: each number with its device, probed for real.
        AppState fresh;
        CPortSetupDlg platform(fresh, ini);
        // It opens no wider than the screen (the test screen is 800 wide).
        QVERIFY(platform.width() < platform.screen()->availableGeometry().width());
        for (int n = 1; n <= kPortCount; ++n) {
            QCOMPARE(platform.portButton(n)->text(), QStringLiteral("COM%1").arg(n));
            QCOMPARE(platform.portButton(n)->isEnabled(),
                     SerialLink().Open(PortDeviceName(n), nullptr));
        }
        QCOMPARE(platform.CheckedPort(), 0);
    }

    void unwritableBackupFolder_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("answer"); // to the question before a write
        QTest::addColumn<QString>("report");
        QTest::newRow("read") << 0 << QString() << "读频完成";
        QTest::newRow("write, not without a backup") << 1 << "取消" << QString();
        QTest::newRow("write without a backup") << 1 << "确定"
                                                << "写频完成，已校验";
    }

    // A backup folder that cannot be made fails no exchange. A read goes on
    // and the status bar adds the reason after the done text; what was read
    // stays modified (closing must ask: there is no other copy). A write
    // knows before sending: a message box gives the reason and asks whether
    // to send without a backup, Cancel (the default) sending nothing.
    void unwritableBackupFolder() {
        QFETCH(int, kind);
        QFETCH(QString, answer);
        QFETCH(QString, report);
        Harness h;
        // A plain file where the folder would be created.
        const QString plain = h.tmp.filePath(QStringLiteral("plain"));
        QVERIFY(WriteAll(plain, "x"));
        h.state.backupFolder = (plain + QStringLiteral("/backups")).toStdString();
        const RadioImage memory = h.radio.Memory();
        CCommDlg(h.state, TransferKind::Write).verifyCheck()->setChecked(true); // remembered
        // 开始 pressed after the driver's turn: the question it asks is
        // the driver's next.
        h.driver.On<CCommDlg>([](CCommDlg* dialog) {
            QMetaObject::invokeMethod(dialog->startButton(), "click", Qt::QueuedConnection);
        });
        bool cancelIsDefault = false;
        if (kind == 1) {
            h.driver.On<QMessageBox>([&](QMessageBox* box) {
                cancelIsDefault = WithoutAccessKey(box->defaultButton()->text()) == "取消";
                return ClickButton(box, answer);
            });
            if (answer == QStringLiteral("取消")) // back in the progress dialog
                h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
            h.grid().SetText(3, 1, "145.00000");
            h.view->OnWrite();
        } else {
            h.view->OnRead();
        }
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected() + h.driver.messages().size(), 0);
        QVERIFY(cancelIsDefault == (kind == 1));
        QCOMPARE(h.reports.size(), report.isEmpty() ? 0 : 1);
        if (!report.isEmpty())
            QVERIFY2(h.reports[0].startsWith(report + QStringLiteral("；备份失败：")) &&
                         h.reports[0].contains(QStringLiteral("plain")),
                     qPrintable(h.reports[0]));
        QCOMPARE(h.radio.Memory() == memory, kind == 0 || report.isEmpty());
        QVERIFY(QFileInfo(plain).isFile());
        if (kind == 0)
            QVERIFY(h.view->history()->IsModified());
    }
};

QTEST_MAIN(TestTransfersUi)
#include "test_transfers_ui.moc"
