// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic backups of the application's exchanges against the virtual radio
// on a pseudo-terminal: what each backup holds byte for byte, none after a
// failure, and a backup folder that cannot be written.
#include "app_test_support.h"
#include "core/document/backups.h"
#include "link/exchange.h"

using namespace kestra;
using namespace kestra::test;

namespace {

bool InRanges(const TransferRanges& ranges, int offset) {
    return (offset >= ranges.first.start && offset < ranges.first.end) ||
           (offset >= ranges.second.start && offset < ranges.second.end);
}

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

    void readBackupIsTheImageAsRead() {
        RadioImage memory = ExampleRadioMemory();
        memory[0x3F80] = 0x5A; // in the second read range
        VirtualRadioOptions options;
        options.memory = memory;
        Harness h(options);
        h.state.image[0x3100] = 0xC3; // not read: stays the document's
        const RadioImage before = h.state.image;
        h.driver.ExpectStart();
        h.view->OnRead();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.reports, QStringList({"读频完成"}));

        const QStringList names = h.Backups();
        QCOMPARE(names.size(), 1);
        QVERIFY2(names[0].endsWith(QStringLiteral("-read.dat")), qPrintable(names[0]));
        const QByteArray backup = h.Backup(names[0]);
        QCOMPARE(backup.size(), int(kImageSize));
        // The whole image as the read left it ...
        QCOMPARE(backup, Bytes(h.state.image));
        // ... every byte read as the radio holds it, the others the document's.
        const RadioImage radio = h.radio.Memory();
        for (int i = 0; i < int(kImageSize); ++i) {
            const auto byte = static_cast<std::uint8_t>(backup[i]);
            if (InRanges(kReadRanges, i))
                QVERIFY2(byte == radio[i], qPrintable(QString::number(i, 16)));
            else
                QVERIFY2(byte == before[i], qPrintable(QString::number(i, 16)));
        }
        QCOMPARE(static_cast<std::uint8_t>(backup[0x3F80]), std::uint8_t{0x5A});
        QCOMPARE(static_cast<std::uint8_t>(backup[0x3100]), std::uint8_t{0xC3});
    }

    void writeBackupIsTheImageSent() {
        Harness h;
        // A pending edit goes to the radio, so it is in the backup too.
        QTest::keyClicks(h.table()->StartEditAt(GridCell{6, 1}), QStringLiteral("147.3"));
        h.driver.ExpectStart();
        h.view->OnWrite();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.reports, QStringList({"写频完成，已校验"}));
        const QStringList names = h.Backups();
        QCOMPARE(names.size(), 1);
        QVERIFY(names[0].endsWith(QStringLiteral("-write.dat")));
        const QByteArray backup = h.Backup(names[0]);
        QCOMPARE(backup, Bytes(h.state.image));
        const RadioImage radio = h.radio.Memory();
        for (int i = 0; i < int(kImageSize); ++i)
            if (InRanges(kWriteRanges, i))
                QVERIFY2(static_cast<std::uint8_t>(backup[i]) == radio[i],
                         qPrintable(QString::number(i, 16)));
        QCOMPARE(ConstChannelRecord(radio, 6).Rx(), 14730000u);
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

    void failedReadLeavesNoBackup() {
        VirtualRadioOptions options;
        options.hangUpAfterBlock = 50;
        Harness h(options);
        h.driver.ExpectStart();
        h.driver.ExpectMessage();
        h.view->OnRead();
        QVERIFY(h.driver.AllHandled());
        QCOMPARE(h.reports, QStringList({"通信出错"}));
        QVERIFY(h.Backups().isEmpty());
    }

    void unwritableFolderDoesNotFailTheExchange_data() {
        QTest::addColumn<bool>("read");
        QTest::newRow("read") << true;
        QTest::newRow("write") << false;
    }

    void unwritableFolderDoesNotFailTheExchange() {
        QFETCH(bool, read);
        Harness h;
        // A plain file where the folder would be created.
        const QString plain = h.tmp.filePath(QStringLiteral("plain"));
        {
            QFile f(plain);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        h.state.backupFolder = (plain + QStringLiteral("/backups")).toStdString();
        if (!read)
            h.grid().SetText(7, 1, "145.25000");
        h.driver.ExpectStart();
        if (read)
            h.view->OnRead();
        else
            h.view->OnWrite();
        QVERIFY(h.driver.AllHandled());
        // No message box: the exchange succeeded and did its work.
        QCOMPARE(h.driver.unexpected(), 0);
        QVERIFY(h.driver.messages().isEmpty());
        QVERIFY(!h.state.transferBusy);
        if (read) {
            QCOMPARE(h.Text(129, 1), std::string("446.00625"));
        } else {
            QCOMPARE(ConstChannelRecord(h.radio.Memory(), 7).Rx(), 14525000u);
        }
        // The status bar says so after the done text, with the reason.
        QCOMPARE(h.reports.size(), 1);
        const QString prefix = read ? QStringLiteral("读频完成；备份失败：")
                                    : QStringLiteral("写频完成，已校验；备份失败：");
        QVERIFY2(h.reports[0].startsWith(prefix), qPrintable(h.reports[0]));
        QVERIFY2(h.reports[0].contains(QStringLiteral("plain")), qPrintable(h.reports[0]));
        QVERIFY(QFileInfo(plain).isFile());
    }
};

QTEST_MAIN(TestBackupsUi)
#include "test_backups_ui.moc"
