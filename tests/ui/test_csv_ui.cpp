// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 -> 导出 CSV… and 导入 CSV… in the running application: the export
// writes what the core writes, the preview reports without touching the
// image, 取消 changes nothing and 导入 lands the rows in the grid.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>

#include "app_test_support.h"
#include "core/interchange/channel_csv.h"
#include "ui/dialogs/csv_import_dlg.h"

using namespace kestra;
using namespace kestra::test;

class TestCsvUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    void exportWritesTheCoreCsv() {
        AppFixture f;
        QVERIFY(f.Start());
        // An edit still open is exported too (GridToImage first).
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{5, kColRx});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        const QString path = f.dir.file(QStringLiteral("out.csv"));
        QVERIFY(f.app->csv().ExportTo(path));
        const QByteArray written = ReadAll(path);
        QCOMPARE(written, QByteArray::fromStdString(ExportChannelCsv(f.app->state().image)));
        QVERIFY(written.contains("145.5"));
        // The status bar says what was written: one channel, to that file.
        QCOMPARE(f.frame()->status()->currentMessage(),
                 QStringLiteral("已导出 1 个信道到 %1").arg(QDir::toNativeSeparators(path)));

        // A folder that does not exist: reported, nothing claimed.
        f.driver.ExpectMessage();
        QVERIFY(!f.app->csv().ExportTo(f.dir.file(QStringLiteral("missing/out.csv"))));
        QCOMPARE(f.driver.messages().size(), 1);
        QCOMPARE(f.driver.unexpected(), 0);
    }

    void importPreviewsThenCancelsOrLands() {
        AppFixture f;
        QVERIFY(f.Start());
        const QString path = f.dir.file(QStringLiteral("in.csv"));
        f.dir.Write(QStringLiteral("in.csv"), QByteArray("Location,Name,Frequency\r\n"
                                                         "1,HOME,146.52\r\n"
                                                         "2,BAD,abc\r\n"
                                                         "3,REP,439.125\r\n"));
        // A001 is in use.
        QTest::keyClicks(f.view()->table()->StartEditAt(GridCell{1, kColRx}), QStringLiteral("145.5"));
        // The command converts the grid into the image first (finalising it,
        // as every command around the channel records does); from there on
        // 取消 must leave every byte alone.
        f.view()->ConvertGridToImage();
        const QByteArray before = Bytes(f.app->state().image);

        // Preview, then 取消: the report is shown and the image is untouched.
        int reportRows = 0;
        QString firstLabel;
        QStringList channels;
        f.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<CCsvImportDlg*>(w);
            if (!dialog)
                return false;
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("csvReport"));
            reportRows = table->rowCount();
            for (int r = 0; r < reportRows; ++r) {
                channels << table->item(r, CCsvImportDlg::kColumnChannel)->text();
                if (table->item(r, CCsvImportDlg::kColumnResult)->text().contains(QStringLiteral("已跳过")))
                    firstLabel = table->item(r, CCsvImportDlg::kColumnLabel)->text();
            }
            const QString out = QStringLiteral(KESTRA_SCREENSHOT_DIR);
            QDir().mkpath(out);
            dialog->grab().save(QDir(out).filePath(QStringLiteral("csv_import_dialog.png")));
            return ClickButton(dialog, QStringLiteral("取消"));
        });
        QVERIFY(!f.app->csv().ImportFrom(path));
        // Every row is listed, with the channel it lands in.
        QCOMPARE(reportRows, 3);
        QCOMPARE(channels, QStringList({"A002", "", "A003"}));
        QCOMPARE(firstLabel, QStringLiteral("BAD"));
        QCOMPARE(Bytes(f.app->state().image), before);

        // Options change the preview; 导入 lands the rows from A010 on.
        int importedAtStart = -1;
        QString replaced;
        bool highlighted = false;
        f.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<CCsvImportDlg*>(w);
            if (!dialog)
                return false;
            dialog->findChild<QCheckBox*>(QStringLiteral("csvOverwrite"))->setChecked(true);
            // The row that replaces A001 says so, highlighted.
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("csvReport"));
            replaced = table->item(0, CCsvImportDlg::kColumnReplaces)->text();
            highlighted = table->item(0, 0)->background() != table->item(2, 0)->background();
            dialog->findChild<QComboBox*>(QStringLiteral("csvStart"))->setCurrentIndex(9);
            importedAtStart = dialog->Preview().imported;
            return ClickButton(dialog, QStringLiteral("导入"));
        });
        QVERIFY(f.app->csv().ImportFrom(path));
        QCOMPARE(importedAtStart, 2);
        QCOMPARE(replaced, QStringLiteral("145.50000"));
        QVERIFY(highlighted);
        QCOMPARE(f.Cell(10, kColRx), std::string("146.52000"));
        QCOMPARE(f.Cell(11, kColRx), std::string("439.12500"));
        QVERIFY(Bytes(f.app->state().image) != before);

        // A file that is no CSV of channels is reported and changes nothing.
        const QByteArray afterImport = Bytes(f.app->state().image);
        f.dir.Write(QStringLiteral("bad.csv"), QByteArray("just,some,words\r\n"));
        f.driver.ExpectMessage();
        QVERIFY(!f.app->csv().ImportFrom(f.dir.file(QStringLiteral("bad.csv"))));
        QCOMPARE(Bytes(f.app->state().image), afterImport);
        QCOMPARE(f.driver.unexpected(), 0);
    }
};

QTEST_MAIN(TestCsvUi)
#include "test_csv_ui.moc"
