// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 -> 打开备份... and 文件 -> 比较...: the open dialog in the backup
// folder, the compare list for a changed channel, setting and calibration
// byte, an unreadable file, the newest backup, and double-clicking a channel
// difference. Also renders the list into build/screenshots/compare.png.
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>

#include "app_test_support.h"
#include "core/document/backups.h"
#include "core/document/dat_file.h"
#include "core/forms/form_session.h"
#include "core/image/calibration_layout.h"
#include "ui/app/command_table.h"
#include "ui/dialogs/compare_dlg.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// image with the profile run as a user runs it in the dialogs, then saved.
RadioImage Configured(const RadioImage& image, const std::string& profile) {
    AppState state;
    state.image = image;
    std::vector<forms::ProfileSection> sections;
    std::string error;
    if (!forms::ParseProfile(profile, "test", sections, error))
        qWarning("%s", error.c_str());
    forms::FormSession session(state);
    for (const forms::ProfileSection& s : sections)
        if (!session.RunSection(s, error))
            qWarning("%s", error.c_str());
    session.PrepareSave();
    return state.image;
}

bool Save(const QString& path, const RadioImage& image) {
    std::string error;
    return SaveDatFile(path.toStdString(), image, &error);
}

// The rows of the list: section, key, current, other, one string per row.
QStringList Rows(const CCompareDlg& dialog) {
    QStringList rows;
    QTreeWidget* list = dialog.list();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << QStringList({item->text(0), item->text(1), item->text(2), item->text(3)})
                    .join(QLatin1Char('|'));
    }
    return rows;
}

// A document as the application holds it: the example channels, opened and
// saved once.
struct Document {
    AppState state;
    QTemporaryDir tmp;
    Document() { state.image = Configured(ExampleRadioMemory(), ""); }
    QString File(const QString& name, const RadioImage& image) const {
        const QString path = tmp.filePath(name);
        if (!Save(path, image))
            qWarning("cannot save %s", qPrintable(path));
        return path;
    }
};

} // namespace

class TestCompareUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void openBackupStartsInTheBackupFolder() {
        AppFixture f;
        QVERIFY(f.Start());
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("data/backups"));
        f.app->state().backupFolder = folder.toStdString();
        QString shown;
        f.driver.ExpectFileDialog(QString(), &shown);
        f.Trigger(kIdFileOpenBackup);
        QVERIFY(f.driver.AllHandled());
        // Created when missing, and the dialog starts in it.
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(shown, QDir(folder).absolutePath());

        // A backup chosen there opens as a document, as 打开 opens it.
        RadioImage image = Configured(ExampleRadioMemory(), "[channel A003]\n信道名字=BAK1\n");
        std::string reason, saved;
        QVERIFY(SaveBackup(folder.toStdString(), "read", image, 1765000000, reason, &saved));
        const QString path = QString::fromStdString(saved);
        f.driver.ExpectFileDialog(QFileInfo(path).fileName());
        f.Trigger(kIdFileOpenBackup);
        QTRY_VERIFY(f.driver.AllHandled() && !QApplication::activeModalWidget());
        QCOMPARE(f.driver.unexpected(), 0);
        QCOMPARE(f.child()->document()->PathName(), QDir(path).absolutePath());
        QCOMPARE(Bytes(f.app->state().image), ReadAll(path));
        QCOMPARE(f.Cell(3, 1), std::string("438.50000"));
    }

    // What the list shows of the differences the core finds: the section as
    // the menu names it, "—" for a key one side does not show, bytes no form
    // shows as raw rows, the channel's grid row, the count, the file; texts
    // shown whole. Rendered into build/screenshots/compare.png.
    void listShowsTheDifferences() {
        Document doc;
        const RadioImage& a = doc.state.image;
        CCompareDlg dialog(doc.state, doc.tmp.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QVERIFY(dialog.CompareWith(doc.File(QStringLiteral("same.dat"), a)));
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QCOMPARE(dialog.summaryLabel()->text(), QStringLiteral("无差异"));

        RadioImage b = Configured(a, "[channel A002]\n信道名字=RPT-NORTH\n接收频率=145.67500\n"
                                     "[channel B002]\n信道名字=ZQX9\n"
                                     "[channel B005]\n接收频率=433.75000\n"
                                     "[options]\n静噪电平=7\n开机问候语编制=HELLO\n");
        b[calibration::kTxGain] = static_cast<std::uint8_t>(a[calibration::kTxGain] ^ 0x11);
        for (int i = 0; i < 20; ++i)
            b[0x3E40 + i] = static_cast<std::uint8_t>(0xA0 + i);
        QVERIFY(dialog.CompareWith(doc.File(QStringLiteral("other.dat"), b)));
        const QStringList rows = Rows(dialog);
        QVERIFY2(rows.contains(QStringLiteral("信道 B002|信道名字|SIMP|ZQX9")),
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.contains(QStringLiteral("信道 B005|接收频率||433.75000")));
        QVERIFY(rows.contains(QStringLiteral("信道 B005|发射频率|\u2014|433.75000")));
        const QStringList squelch = rows.filter(QStringLiteral("可选功能|静噪电平|"));
        QCOMPARE(squelch.size(), 1);
        QVERIFY(squelch[0].endsWith(QStringLiteral("|7")) && !squelch[0].endsWith("|7|7"));
        QVERIFY(rows.contains(QStringLiteral("原始字节|0x3F22|%1|%2")
                                  .arg(a[calibration::kTxGain], 2, 16, QChar('0'))
                                  .arg(b[calibration::kTxGain], 2, 16, QChar('0'))
                                  .toUpper()
                                  .replace(QStringLiteral("0X"), QStringLiteral("0x"))));
        QVERIFY(dialog.summaryLabel()->text().startsWith(QStringLiteral("%1 处差异").arg(rows.size())));
        QCOMPARE(dialog.list()->headerItem()->text(3), QStringLiteral("other.dat"));
        QVERIFY(dialog.fileLabel()->toolTip().contains(QStringLiteral("other.dat")));
        QTreeWidget* list = dialog.list();
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            const QString header = item->data(0, CCompareDlg::kHeaderRole).toString();
            const int gridRow = item->data(0, CCompareDlg::kGridRowRole).toInt();
            if (header == QStringLiteral("channel B002"))
                QCOMPARE(gridRow, 130);
            else if (!header.startsWith(QStringLiteral("channel")))
                QCOMPARE(gridRow, 0);
            for (int c = 0; c < 4; ++c)
                QVERIFY2(metrics.horizontalAdvance(item->text(c)) + 8 <= list->columnWidth(c),
                         qPrintable(item->text(c)));
        }
        QCoreApplication::processEvents();
        SaveScreenshot(&dialog, QStringLiteral("compare.png"));

        // Unreadable files: nothing listed, the reason shown.
        QVERIFY(!dialog.CompareWith(doc.tmp.filePath(QStringLiteral("missing.dat"))));
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QVERIFY2(dialog.summaryLabel()->text().contains(QStringLiteral("missing.dat")),
                 qPrintable(dialog.summaryLabel()->text()));
        const QString shortFile = doc.tmp.filePath(QStringLiteral("short.dat"));
        {
            QFile f(shortFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(100, '\0'));
        }
        QVERIFY(!dialog.CompareWith(shortFile));
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QVERIFY(dialog.summaryLabel()->text().contains(QStringLiteral("100")));
        // The document compared is a copy: comparing changed nothing in it.
        QVERIFY(doc.state.image == a);
    }

    void newestBackup() {
        Document doc;
        QTemporaryDir tmp;
        const std::string folder = tmp.filePath(QStringLiteral("backups")).toStdString();
        doc.state.backupFolder = folder;
        {
            CCompareDlg dialog(doc.state, doc.tmp.path());
            QVERIFY(!dialog.newestButton()->isEnabled());
        }
        std::string reason, older, newer;
        const RadioImage changed = Configured(doc.state.image, "[options]\n静噪电平=7\n");
        QVERIFY(SaveBackup(folder, "write", changed, 1765000000, reason, &older));
        QVERIFY(SaveBackup(folder, "read", doc.state.image, 1765000001, reason, &newer));
        CCompareDlg dialog(doc.state, doc.tmp.path());
        QVERIFY(dialog.newestButton()->isEnabled());
        QTest::mouseClick(dialog.newestButton(), Qt::LeftButton);
        QCOMPARE(dialog.ComparedPath(), QString::fromStdString(newer));
        QCOMPARE(dialog.summaryLabel()->text(), QStringLiteral("无差异"));
    }

    // 文件 -> 比较... compares what the grid shows (an unconverted edit
    // included); double-clicking a channel's row selects its grid row and
    // leaves the dialog open for the next difference.
    void doubleClickSelectsTheGridRow() {
        AppFixture f;
        QVERIFY(f.Start());
        QTemporaryDir tmp;
        f.view()->table()->SetCurrentCell(GridCell{1, 2});
        f.view()->model()->grid().SetText(3, 1, "145.10000");
        f.view()->ConvertGridToImage();
        const RadioImage document = f.app->state().image;
        f.view()->model()->grid().SetText(4, 1, "145.20000");
        const QString path = tmp.filePath(QStringLiteral("other.dat"));
        QVERIFY(Save(path, Configured(document, "[channel B003]\n接收频率=435.00000\n")));

        int rowWhileOpen = -1;
        bool openAfter = false;
        QStringList rows;
        QSignalSpy* spy = nullptr;
        ExpectDialog<CCompareDlg>(f, [&](CCompareDlg* dialog) {
            spy = new QSignalSpy(dialog, &CCompareDlg::channelChosen);
            dialog->CompareWith(path);
            rows = Rows(*dialog);
            QTreeWidget* list = dialog->list();
            const int at = rows.indexOf(QRegularExpression(QStringLiteral("^信道 B003\\|.*")));
            if (QTreeWidgetItem* item = list->topLevelItem(at)) {
                list->scrollToItem(item);
                const QPoint p = list->visualItemRect(item).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
                rowWhileOpen = f.view()->table()->CurrentCell().row;
            }
            openAfter = dialog->isVisible();
            dialog->reject();
        });
        f.Trigger(kIdFileCompare);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.driver.unexpected(), 0);
        QVERIFY(spy);
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->first().first().toInt(), 131);
        delete spy;
        QVERIFY2(rows.contains(QStringLiteral("信道 A004|接收频率|145.20000|")),
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.filter(QStringLiteral("信道 A003|")).isEmpty());
        QVERIFY(openAfter);
        QCOMPARE(rowWhileOpen, 131);
        QCOMPARE(f.view()->table()->CurrentCell(), (GridCell{131, 2}));
    }
};

QTEST_MAIN(TestCompareUi)
#include "test_compare_ui.moc"
