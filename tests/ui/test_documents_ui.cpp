// SPDX-License-Identifier: GPL-3.0-or-later
// Documents in the running application: saving and opening, the recent
// files, the folders the file dialogs start in, the file named on the
// command line, 文件 -> 打开备份... and 文件 -> 比较....
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QUrl>

#include "app_test_support.h"
#include "core/document/backups.h"
#include "core/document/dat_file.h"
#include "core/image/calibration_layout.h"
#include "core/image/radio_image.h"
#include "link/virtual_radio.h"
#include "ui/app/command_table.h"
#include "ui/app/program_doc.h"
#include "ui/dialogs/compare_dlg.h"
#include "ui/grid/document_history.h"

using namespace kestra;
using namespace kestra::test;

namespace {

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

} // namespace

class TestDocumentsUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    // 另存为 writes the image and puts the file on the recent list.
    void saveAsWritesTheImage() {
        AppFixture f;
        QVERIFY(f.Start());
        f.Type(1, 1, QStringLiteral("145.5"));

        const QString path = f.dir.file(QStringLiteral("saved.dat"));
        QVERIFY(f.app->documents().SaveAs(path));
        QCOMPARE(ReadAll(path), Bytes(f.app->state().image));
        QCOMPARE(f.app->recentFiles().Files(), QStringList({path}));
    }

    // Files dropped on the window open as 打开 opens them; a drag that
    // carries no local file is refused.
    void droppedFilesOpen() {
        AppFixture f;
        QVERIFY(f.Start());
        const QString path = f.dir.Dat(QStringLiteral("dropped.dat"), ExampleRadioMemory());
        QMimeData data;
        for (const auto& [url, accepted] :
             {std::pair{QUrl::fromLocalFile(path), true},
              std::pair{QUrl(QStringLiteral("https://example.org/x.dat")), false}}) {
            data.setUrls({url});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data,
                                  Qt::LeftButton, Qt::NoModifier);
            enter.ignore();
            QApplication::sendEvent(f.frame(), &enter);
            QCOMPARE(enter.isAccepted(), accepted);
            if (accepted) // never a move: the file manager would remove the file
                QCOMPARE(enter.dropAction(), Qt::CopyAction);
        }
        emit f.frame()->filesDropped({path});
        QCOMPARE(f.child()->document()->PathName(), path);
    }

    // An untitled document asks for a name on "保存" (".dat" is added); a
    // name that cannot be saved is reported and the document keeps its own.
    void saveAsksForANameAndReportsFailure() {
        AppFixture f;
        QVERIFY(f.Start());
        QStringList filters;
        // A name with a quote inside is refused (the dialog took 'my "list"'
        // for the name list), and the dialog stays for another.
        f.driver.On<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            TypeFileName(dialog, f.dir.file(QStringLiteral("my \"list\" x")));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        f.driver.ExpectMessage();
        f.driver.ExpectFileDialog(f.dir.file(QStringLiteral("named")));
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(filters, QStringList({"*.dat"}));
        QVERIFY(f.driver.messages().value(0).startsWith(QStringLiteral("文件名中不能有双引号")));
        QVERIFY(!QFile::exists(f.dir.file(QStringLiteral("list.dat"))));
        const QString named = f.dir.file(QStringLiteral("named.dat"));
        QCOMPARE(ReadAll(named).size(), 16384);
        QCOMPARE(f.child()->document()->PathName(), named);

        f.driver.ExpectMessage();
        const QString path = f.dir.file(QStringLiteral("no-such-dir/x.dat"));
        QVERIFY(!f.app->documents().SaveAs(path));
        QCOMPARE(f.driver.messages().size(), 2);
        QVERIFY(f.driver.messages().last().startsWith(QStringLiteral("无法保存文件")));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(f.child()->document()->PathName(), named);

        // A document whose folder has gone is no backup, though neither
        // folder exists: 保存 reports the failure, it asks for no new name.
        f.app->state().backupFolder = f.dir.file(QStringLiteral("no-backups")).toStdString();
        const QString gone = f.dir.file(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(gone) && f.app->documents().SaveAs(gone + "/g.dat"));
        QVERIFY(QDir(gone).removeRecursively());
        f.driver.ExpectMessage();
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QVERIFY(f.driver.messages().last().startsWith(QStringLiteral("无法保存文件")));
    }

    void filesThatCannotBeLoaded() {
        AppFixture f;
        QVERIFY(f.Start());
        f.view()->model()->grid().SetText(2, 1, "146.00000");
        const RadioImage before = f.app->state().image;

        const QString shortFile = f.dir.file(QStringLiteral("short.dat"));
        f.dir.Write(QStringLiteral("short.dat"), QByteArray(100, '\x11'));
        f.driver.ExpectMessage();
        QVERIFY(!f.app->documents().OpenFile(shortFile));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().first().contains(shortFile));
        // Image, grid and windows exactly as they were.
        QVERIFY(f.app->state().image == before);
        QCOMPARE(f.frame()->DocumentWindows().size(), 1);
        QCOMPARE(f.Cell(2, 1), std::string("146.00000"));
        QVERIFY(f.app->recentFiles().Files().isEmpty());

        // A missing file: reported, and it leaves the recent list. Its entry
        // shows the two ends of a long path, and an & as itself.
        const QString deep(150, QLatin1Char('x'));
        QVERIFY(QDir(f.dir.path()).mkpath(deep));
        const QString gone = f.dir.Dat(deep + QStringLiteral("/R&D.dat"), before);
        QVERIFY(f.app->documents().OpenFile(gone));
        QCOMPARE(f.app->recentFiles().Files(), QStringList({gone}));
        QFile::remove(gone);
        f.driver.ExpectMessage();
        const QList<QAction*> fileItems = f.frame()->fileMenu()->actions();
        auto recent = std::find_if(fileItems.begin(), fileItems.end(), [&](QAction* a) {
            return a->isVisible() && a->data().toString() == gone;
        });
        QVERIFY(recent != fileItems.end());
        QVERIFY((*recent)->text().endsWith(QStringLiteral("R&&D.dat")));
        QVERIFY(!(*recent)->text().contains(deep));
        (*recent)->trigger();
        QCOMPARE(f.driver.messages().size(), 2);
        QVERIFY(f.app->recentFiles().Files().isEmpty());
    }

    void fileDialogsStartInTheLastFolder() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("radios")));
        const QString folder = f.dir.file(QStringLiteral("radios"));
        const QString path = f.dir.Dat(QStringLiteral("radios/a.dat"), ExampleRadioMemory());

        // The folder a command's file dialog starts in.
        const auto startsIn = [&f](int command) {
            QString start;
            f.driver.ExpectFileDialog(QString(), &start);
            f.Trigger(command);
            return f.driver.AllHandled() ? start : QStringLiteral("no dialog");
        };
        // Nothing used yet: not the program's folder.
        const QString first = startsIn(kIdFileOpen);
        QVERIFY2(first != QStringLiteral("no dialog") && first != QDir(f.dir.path()).absolutePath(),
                 qPrintable(first));
        // After opening a file, "打开..." and "另存为..." of an untitled
        // document start in its folder; the next run remembers it.
        QVERIFY(f.app->documents().OpenFile(path));
        QCOMPARE(startsIn(kIdFileOpen), folder);
        f.driver.ExpectMessage();
        f.Trigger(kIdFileNew);
        QCOMPARE(startsIn(kIdFileSaveAs), folder);
        f.app.reset();
        QVERIFY(f.Start());
        QCOMPARE(startsIn(kIdFileOpen), folder);
        // The interchange dialogs are titled with their command.
        const std::pair<int, const char*> titled[] = {{kIdFileImportCsv, "导入 CSV"},
                                                      {kIdFileExportCsv, "导出 CSV"},
                                                      {kIdFileExportPdf, "导出 PDF"}};
        for (const auto& [command, title] : titled) {
            QString shown;
            f.driver.ExpectFileDialog(QString(), nullptr, &shown);
            f.Trigger(command);
            QCOMPARE(shown, QString::fromUtf8(title));
        }
    }

    void commandLineFile() {
        // A file that cannot be loaded is reported; the program starts with a
        // new document instead, from Default.dat next to the program. The
        // name may come in quotes.
        AppFixture f;
        f.dir.Dat(QStringLiteral("Default.dat"), ExampleRadioMemory());
        const QString shortFile = f.dir.file(QStringLiteral("short.dat"));
        f.dir.Write(QStringLiteral("short.dat"), QByteArray(10, '\0'));
        const QString quoted = QLatin1Char('"') + shortFile + QLatin1Char('"');
        f.driver.ExpectMessage();
        QVERIFY(f.Start({quoted}));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().first().contains(QStringLiteral("short.dat")));
        QCOMPARE(f.frame()->DocumentWindows().size(), 1);
        QCOMPARE(f.child()->document()->PathName(), QString());
        QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
        QCOMPARE(CMyDocManager::NormalisePath(quoted), shortFile);
        const QString inner = f.dir.file(QStringLiteral("rep \"home\".dat"));
        QCOMPARE(CMyDocManager::NormalisePath(inner), inner);
    }

    void openBackupStartsInTheBackupFolder() {
        AppFixture f;
        QVERIFY(f.Start());
        const QString folder = f.dir.file(QStringLiteral("data/backups"));
        f.app->state().backupFolder = folder.toStdString();
        QString title, start;
        f.driver.ExpectFileDialog(QString(), &start, &title);
        f.Trigger(kIdFileOpenBackup);
        QVERIFY(f.driver.AllHandled());
        // Created when missing, and the dialog, titled with the command, starts in it.
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(title + ' ' + start, "打开备份 " + QDir(folder).absolutePath());

        // A backup chosen there opens as a document, as 打开 opens it.
        RadioImage image = Configured(ExampleRadioMemory(), "[channel A003]\n信道名字=BAK1\n");
        std::string reason, saved;
        QVERIFY(SaveBackup(folder.toStdString(), "read", image, 1765000000, reason, &saved));
        const QString path = QString::fromStdString(saved);
        f.driver.ExpectFileDialog(QFileInfo(path).fileName());
        f.Trigger(kIdFileOpenBackup);
        QTRY_VERIFY(f.driver.AllHandled() && !QApplication::activeModalWidget());
        QCOMPARE(f.child()->document()->PathName(), QDir(path).absolutePath());
        QCOMPARE(Bytes(f.app->state().image), ReadAll(path));
        QCOMPARE(f.Cell(3, 1), std::string("438.50000"));
        // Saving it asks for a name of the user's, in the folder of the user's
        // files (not among the backups): the backup stays as it was.
        const QByteArray backup = ReadAll(path);
        f.Type(3, 1, QStringLiteral("439"));
        QString saveFolder;
        f.driver.ExpectFileDialog(f.dir.file(QStringLiteral("mine.dat")), &saveFolder);
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QVERIFY2(saveFolder != QDir(folder).absolutePath(), qPrintable(saveFolder));
        QCOMPARE(ReadAll(path), backup);
        QCOMPARE(f.child()->document()->PathName(), f.dir.file(QStringLiteral("mine.dat")));
    }

    // A file open in two windows: a save of the one never silently undoes
    // the save of the other.
    void savingAfterAnotherWindowSavedAsks() {
        AppFixture f;
        QVERIFY(f.Start());
        const QString path = f.dir.Dat(QStringLiteral("both.dat"), f.app->state().image);
        CChildFrame* first = f.app->documents().OpenFile(path);
        CChildFrame* second = f.app->documents().OpenFile(path);
        QVERIFY(first && second);
        f.Type(11, 1, QStringLiteral("145.55"));
        f.Trigger(kIdFileSave);
        const QByteArray saved = ReadAll(path);
        f.frame()->ShowChild(first);
        f.Type(12, 1, QStringLiteral("145.65"));
        f.driver.ExpectMessage(QStringLiteral("取消"));
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QVERIFY(f.driver.messages().last().contains(QDir::toNativeSeparators(path)));
        QCOMPARE(ReadAll(path), saved);
        // Chosen, it is replaced; from then on this window saves without asking.
        f.driver.ExpectMessage();
        f.Trigger(kIdFileSave);
        QCOMPARE(f.Cell(11, 1), std::string());
        QCOMPARE(ReadAll(path), Bytes(f.app->state().image));
        f.Type(13, 1, QStringLiteral("145.75"));
        f.Trigger(kIdFileSave);
        QCOMPARE(ReadAll(path), Bytes(f.app->state().image));
        QCOMPARE(f.driver.messages().size(), 2);
    }

    // A file longer than an image: opening it says that only its first
    // 16384 bytes were read; a save over it asks first (Cancel, the default,
    // keeps every byte), and so does a save over the document's file that
    // another program made longer since.
    void longerFileIsSaidAndAskedAbout() {
        AppFixture f;
        QVERIFY(f.Start());
        const QByteArray twice = Bytes(ExampleRadioMemory()) + Bytes(ExampleRadioMemory());
        f.dir.Write(QStringLiteral("long.dat"), twice);
        const QString path = f.dir.file(QStringLiteral("long.dat"));
        const QString native = QDir::toNativeSeparators(path);
        f.driver.ExpectMessage();
        QVERIFY(f.app->documents().OpenFile(path));
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(Bytes(f.app->state().image), twice.left(16384));
        // The core words the sizes; the note names the file and the save.
        QString said = f.driver.messages().value(0);
        QVERIFY2(said.contains(native) && said.contains(QStringLiteral("保存")), qPrintable(said));

        f.Type(2, 1, QStringLiteral("146.5"));
        f.driver.ExpectMessage(QStringLiteral("取消"));
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        said = f.driver.messages().value(1);
        QVERIFY2(said.contains("32768") && said.contains(native), qPrintable(said));
        QCOMPARE(ReadAll(path), twice);
        QVERIFY(f.view()->history()->IsModified());
        f.driver.ExpectMessage();
        f.Trigger(kIdFileSave);
        QCOMPARE(ReadAll(path), Bytes(f.app->state().image));
        QVERIFY(!f.view()->history()->IsModified());

        // Lengthened by another program: the size tells, though the first
        // 16384 bytes are the same.
        f.dir.Write(QStringLiteral("long.dat"), Bytes(f.app->state().image) + "tail");
        f.Type(3, 1, QStringLiteral("146.75"));
        f.driver.ExpectMessage(QStringLiteral("取消"));
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QVERIFY2(f.driver.messages().last().contains(QStringLiteral("另一个窗口或程序")),
                 qPrintable(f.driver.messages().last()));
        QCOMPARE(ReadAll(path).size(), 16388);
        QCOMPARE(f.driver.messages().size(), 4);
    }

    // 写频 and 比较 in a window whose file another program changed since it
    // was opened: an unmodified window asks, a modified one (its changes are
    // what is meant) or an unchanged file does not. 重新载入 takes the file
    // (one undo step, unmodified) and stops; the other answer goes on with
    // what the window shows; 取消 does nothing.
    void changedFileIsAskedAboutBeforeWriteAndCompare_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("answer"); // empty: no question
        QTest::addColumn<bool>("fileChanged");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("goesOn");
        QTest::addRow("写频 取消") << int(kIdWrite) << "取消" << true << false << false;
        QTest::addRow("写频 重新载入") << int(kIdWrite) << "重新载入" << true << false << false;
        QTest::addRow("写频 本窗口")
            << int(kIdWrite) << "写入本窗口的内容" << true << false << true;
        QTest::addRow("写频 edited") << int(kIdWrite) << QString() << true << true << true;
        QTest::addRow("写频 file as opened")
            << int(kIdWrite) << QString() << false << false << true;
        QTest::addRow("比较 重新载入")
            << int(kIdFileCompare) << "重新载入" << true << false << false;
        QTest::addRow("比较 本窗口")
            << int(kIdFileCompare) << "比较本窗口的内容" << true << false << true;
    }
    void changedFileIsAskedAboutBeforeWriteAndCompare() {
        QFETCH(int, command);
        QFETCH(QString, answer);
        QFETCH(bool, fileChanged);
        QFETCH(bool, edited);
        QFETCH(bool, goesOn);
        AppFixture f;
        const RadioImage opened =
            Configured(ExampleRadioMemory(), "[channel A001]\n接收频率=144.5\n");
        const QString path = f.dir.Dat(QStringLiteral("doc.dat"), opened);
        QVERIFY(f.Start({QStringLiteral("--simulate"), path}));
        VirtualRadio* radio = f.app->virtualRadio();
        QVERIFY(radio);
        const std::uint32_t radioRx = ConstChannelRecord(radio->Memory(), 1).Rx();
        const RadioImage onDisk = Configured(opened, "[channel A001]\n接收频率=146.5\n");
        if (fileChanged)
            f.dir.Dat(QStringLiteral("doc.dat"), onDisk);
        if (edited)
            f.Type(2, 1, QStringLiteral("147.5"));
        const QString shown = QString::fromStdString(f.Cell(1, 1));
        QCOMPARE(shown, QStringLiteral("144.50000"));

        if (!answer.isEmpty())
            f.driver.ExpectMessage(answer);
        bool compared = false;
        if (goesOn && command == kIdWrite)
            f.driver.ExpectStart();
        if (goesOn && command == kIdFileCompare)
            f.driver.On<CCompareDlg>([&compared](CCompareDlg* d) {
                compared = true;
                d->reject();
            });
        f.Trigger(command);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled() && !QApplication::activeModalWidget(),
                                 20000);
        if (!answer.isEmpty())
            QVERIFY2(f.driver.messages().value(0).contains(QDir::toNativeSeparators(path)),
                     qPrintable(f.driver.messages().value(0)));
        QCOMPARE(f.driver.messages().size(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(compared, goesOn && command == kIdFileCompare);
        const std::uint32_t sent = ConstChannelRecord(radio->Memory(), 1).Rx();
        QCOMPARE(sent, goesOn && command == kIdWrite ? 14450000u : radioRx);
        if (answer == QStringLiteral("重新载入")) {
            QCOMPARE(Bytes(f.app->state().image), Bytes(onDisk));
            QCOMPARE(f.Cell(1, 1), std::string("146.50000"));
            QVERIFY(!f.view()->history()->IsModified());
            f.Trigger(kIdEditUndo);
            QCOMPARE(f.Cell(1, 1), std::string("144.50000"));
        } else {
            QCOMPARE(f.Cell(1, 1), std::string("144.50000"));
        }
    }

    // What the list shows of the differences the core finds: the section as
    // the menu names it, "—" for a key one side does not show, bytes no form
    // shows as raw rows, the channel's grid row, the count, the file; texts
    // shown whole; 最新备份. Rendered into build/screenshots/compare.png.
    void listShowsTheDifferences() {
        // A document as the application holds it: the example channels,
        // opened and saved once.
        AppState state;
        state.image = Configured(ExampleRadioMemory(), "");
        AppDir dir;
        const RadioImage& a = state.image;
        CCompareDlg dialog(state, dir.path());
        dialog.resize(920, 540); // its size on a screen with room (the test's is 800 wide)
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QVERIFY(dialog.CompareWith(dir.Dat(QStringLiteral("same.dat"), a)));
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QCOMPARE(dialog.summaryLabel()->text(), QStringLiteral("无差异"));
        // A longer file is compared by its first 16384 bytes, and that is said.
        QFile longer(dir.Dat(QStringLiteral("longer.dat"), a));
        QVERIFY(longer.open(QIODevice::Append) && longer.write(QByteArray(100, 'x')) == 100);
        longer.close();
        QVERIFY(dialog.CompareWith(longer.fileName()));
        QVERIFY2(dialog.summaryLabel()->text().startsWith(QStringLiteral("无差异 文件“")) &&
                     dialog.summaryLabel()->text().contains(QStringLiteral("16484")),
                 qPrintable(dialog.summaryLabel()->text()));

        RadioImage b = Configured(a, "[channel A002]\n信道名字=RPT-NORTH\n接收频率=145.67500\n"
                                     "[channel B002]\n信道名字=ZQX9\n"
                                     "[channel B005]\n接收频率=433.75000\n"
                                     "[options]\n静噪电平=7\n开机问候语编制=HELLO\n");
        b[calibration::kTxGain] = static_cast<std::uint8_t>(a[calibration::kTxGain] ^ 0x11);
        for (int i = 0; i < 20; ++i)
            b[0x3E40 + i] = static_cast<std::uint8_t>(0xA0 + i);
        QVERIFY(dialog.CompareWith(dir.Dat(QStringLiteral("other.dat"), b)));
        QVERIFY(dialog.list()->hasFocus());
        const QStringList rows = Rows(dialog);
        QVERIFY2(rows.contains(QStringLiteral("信道 B002|信道名字|SIMP|ZQX9")),
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.contains(QStringLiteral("信道 B005|接收频率||433.75000")));
        QVERIFY(rows.contains(QStringLiteral("信道 B005|发射频率|\u2014|433.75000")));
        QCOMPARE(rows.filter(QStringLiteral("可选功能|静噪电平|")).size(), 1);
        QVERIFY(rows.contains(QString::asprintf("原始字节|0x3F22|%02X|%02X", a[calibration::kTxGain],
                                                b[calibration::kTxGain])));
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

        // An unreadable file: nothing listed, the reason shown.
        QVERIFY(!dialog.CompareWith(dir.file(QStringLiteral("missing.dat"))));
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QVERIFY2(dialog.summaryLabel()->text().contains(QStringLiteral("missing.dat")),
                 qPrintable(dialog.summaryLabel()->text()));
        // The document compared is a copy: comparing changed nothing in it.
        QVERIFY(state.image == a);

        // 最新备份 compares with the newest backup, when there is one.
        const std::string folder = dir.file(QStringLiteral("backups")).toStdString();
        state.backupFolder = folder;
        QVERIFY(!CCompareDlg(state, dir.path()).newestButton()->isEnabled());
        std::string reason, older, newer;
        const RadioImage changed = Configured(state.image, "[options]\n静噪电平=7\n");
        QVERIFY(SaveBackup(folder, "write", changed, 1765000000, reason, &older));
        QVERIFY(SaveBackup(folder, "read", state.image, 1765000001, reason, &newer));
        CCompareDlg withBackups(state, dir.path());
        QVERIFY(withBackups.newestButton()->isEnabled());
        QTest::mouseClick(withBackups.newestButton(), Qt::LeftButton);
        QCOMPARE(withBackups.ComparedPath(), QString::fromStdString(newer));
        QCOMPARE(withBackups.summaryLabel()->text(), QStringLiteral("无差异"));
    }

    // 文件 -> 比较... compares what the grid shows (an unconverted edit
    // included); double-clicking a channel's row selects its grid row and
    // leaves the dialog open for the next difference.
    void doubleClickSelectsTheGridRow() {
        AppFixture f;
        QVERIFY(f.Start());
        f.view()->table()->SetCurrentCell(GridCell{1, 2});
        f.view()->model()->grid().SetText(3, 1, "145.10000");
        f.view()->ConvertGridToImage();
        const RadioImage document = f.app->state().image;
        f.view()->model()->grid().SetText(4, 1, "145.20000");
        const QString path = f.dir.Dat(QStringLiteral("other.dat"),
                                       Configured(document, "[channel B003]\n接收频率=435.00000\n"));

        int rowWhileOpen = -1;
        bool openAfter = false;
        QStringList rows;
        QList<int> chosen;
        ExpectDialog<CCompareDlg>(f, [&](CCompareDlg* dialog) {
            connect(dialog, &CCompareDlg::channelChosen, [&chosen](int row) { chosen << row; });
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
        QCOMPARE(chosen, QList<int>({131}));
        QVERIFY2(rows.contains(QStringLiteral("信道 A004|接收频率|145.20000|")),
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.filter(QStringLiteral("信道 A003|")).isEmpty());
        QVERIFY(openAfter);
        QCOMPARE(rowWhileOpen, 131);
        QCOMPARE(f.view()->table()->CurrentCell(), (GridCell{131, 2}));
    }
};

QTEST_MAIN(TestDocumentsUi)
#include "test_documents_ui.moc"
