// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic backups of the application's exchanges against the virtual radio
// on a pseudo-terminal: what each backup holds byte for byte, none after a
// failure, and a backup folder that cannot be written.
#include "app_test_support.h"
#include "core/document/backups.h"
#include "link/exchange.h"
#include "support/link_fixture.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// A view on a virtual radio, with a backup folder of its own.
struct Harness : RadioViewFixture {
    explicit Harness(VirtualRadioOptions options = {}) : RadioViewFixture(options) {
        state.backupFolder = Folder().toStdString();
    }
    QString Folder() const { return tmp.filePath(QStringLiteral("backups")); }
    // The backups saved so far, oldest first.
    QStringList Backups() const {
        QStringList names;
        for (const std::string& n : BackupFileNames(Folder().toStdString()))
            names << QString::fromStdString(n);
        return names;
    }
    QByteArray Backup(const QString& name) const { return ReadAll(QDir(Folder()).filePath(name)); }

    QTemporaryDir tmp;
};

} // namespace

class TestBackupsUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void backupOfEachExchange_data() {
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("hangUpAfter");
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<QString>("report");
        QTest::newRow("read") << true << 0 << false << "读频完成";
        QTest::newRow("write") << false << 0 << false << "写频完成，已校验";
        QTest::newRow("failed read") << true << 50 << false << "通信出错";
        QTest::newRow("read, unwritable folder") << true << 0 << true << "读频完成；备份失败：";
        QTest::newRow("write, unwritable folder")
            << false << 0 << true << "写频完成，已校验；备份失败：";
    }

    // A read or write leaves one backup: the whole image as the exchange left
    // it (read: the radio's bytes in the ranges read, the document's
    // elsewhere; write: what was sent, a pending edit included). A failed
    // exchange leaves none. A folder that cannot be made fails no exchange:
    // no message box, the status bar adds the reason after the done text.
    void backupOfEachExchange() {
        QFETCH(bool, read);
        QFETCH(int, hangUpAfter);
        QFETCH(bool, unwritable);
        QFETCH(QString, report);
        VirtualRadioOptions options;
        RadioImage memory = ExampleRadioMemory();
        memory[0x3F80] = 0x5A; // in the second read range
        options.memory = memory;
        options.hangUpAfterBlock = hangUpAfter;
        Harness h(options);
        // A plain file where the folder would be created.
        const QString plain = h.tmp.filePath(QStringLiteral("plain"));
        if (unwritable) {
            QFile f(plain);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
            h.state.backupFolder = (plain + QStringLiteral("/backups")).toStdString();
        }
        h.state.image[0x3100] = 0xC3; // not read: stays the document's
        const RadioImage before = h.state.image;
        if (!read)
            QTest::keyClicks(h.table()->StartEditAt(GridCell{6, 1}), QStringLiteral("147.3"));
        h.driver.ExpectStart();
        if (hangUpAfter)
            h.driver.ExpectMessage();
        if (read)
            h.view->OnRead();
        else
            h.view->OnWrite();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(h.driver.messages().size(), hangUpAfter ? 1 : 0);
        QVERIFY(!h.state.transferBusy);
        QCOMPARE(h.reports.size(), 1);
        QVERIFY2(h.reports[0].startsWith(report), qPrintable(h.reports[0]));
        if (unwritable) {
            QVERIFY2(h.reports[0].contains(QStringLiteral("plain")), qPrintable(h.reports[0]));
            QVERIFY(QFileInfo(plain).isFile());
        }
        const QStringList names = h.Backups();
        if (hangUpAfter || unwritable) {
            QVERIFY(names.isEmpty());
        } else {
            QCOMPARE(names.size(), 1);
            QVERIFY2(names[0].endsWith(read ? QStringLiteral("-read.dat")
                                            : QStringLiteral("-write.dat")),
                     qPrintable(names[0]));
            QCOMPARE(h.Backup(names[0]), Bytes(h.state.image));
        }
        if (hangUpAfter)
            return;
        // The exchange did its work.
        const RadioImage radio = h.radio.Memory();
        const RadioImage& image = h.state.image;
        if (read)
            QCOMPARE(test::FirstMismatch(image, radio, before, kReadRanges), -1);
        else
            QCOMPARE(test::FirstMismatch(radio, image, radio, kWriteRanges), -1);
        if (read) {
            QCOMPARE(image[0x3F80], std::uint8_t{0x5A});
            QCOMPARE(image[0x3100], std::uint8_t{0xC3});
        } else {
            QCOMPARE(ConstChannelRecord(radio, 6).Rx(), 14730000u);
        }
    }

    void everyInitialiseLeavesABackup() {
        RadioImage blank;
        blank.Fill(0x00);
        VirtualRadioOptions options;
        options.memory = blank;
        Harness h(options);
        h.state.factoryMode = true;
        h.view->ShowInitialiseButton();
        QByteArray radioAfterFirst;
        h.driver.ExpectStart();
        h.driver.Expect([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
            // Between the runs: the first backup is there already.
            radioAfterFirst = Bytes(h.radio.Memory());
            h.radio.SetMemory(blank);
            return ClickButton(box, QStringLiteral("确定"));
        });
        h.driver.ExpectStart();
        h.driver.ExpectMessage();
        h.driver.Expect([](QWidget* w) { return ClickButton(w, QStringLiteral("退出")); });
        QTest::mouseClick(h.view->initialiseButton(), Qt::LeftButton);
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.driver.unexpected(), 0);
        QCOMPARE(h.reports, QStringList({"初始化完成"}));
        const QStringList names = h.Backups();
        QCOMPARE(names.size(), 2);
        for (const QString& name : names) {
            QVERIFY2(name.contains(QStringLiteral("-init")), qPrintable(name));
            // The whole image went to the radio: each backup is what it holds.
            QCOMPARE(h.Backup(name), radioAfterFirst);
        }
        QCOMPARE(h.Backup(names[1]), Bytes(h.radio.Memory()));
        QCOMPARE(h.Backup(names[1]), Bytes(h.state.image));
    }
};

QTEST_MAIN(TestBackupsUi)
#include "test_backups_ui.moc"
