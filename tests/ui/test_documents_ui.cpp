// SPDX-License-Identifier: GPL-3.0-or-later
// Documents in the running application: save and open, the same file opened
// twice, files that cannot be loaded or saved, the recent-file list, the
// folder the file dialogs start in and the file named on the command line.
#include <QMenu>

#include "app_test_support.h"
#include "core/document/dat_file.h"
#include "ui/app/program_doc.h"

using namespace kestra;
using namespace kestra::test;

class TestDocumentsUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    void saveThenOpenRestoresTheBytes() {
        AppFixture f;
        QVERIFY(f.Start());
        CProgramApp* app = f.app.get();
        CMainFrame* frame = f.frame();
        ChannelTableView* table = f.view()->table();
        QWidget* editor = table->StartEditAt(GridCell{1, 1});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        // An edit still open when saving is saved too.
        editor = table->StartEditAt(GridCell{1, 3});
        qobject_cast<QComboBox*>(editor)->lineEdit()->selectAll();
        QTest::keyClicks(editor, QStringLiteral("88.5"));

        const QString path = f.dir.file(QStringLiteral("saved.dat"));
        QVERIFY(app->documents().SaveAs(path));
        const QByteArray saved = ReadAll(path);
        QCOMPARE(saved.size(), 16384);
        QCOMPARE(saved, Bytes(app->state().image));
        QCOMPARE(ChannelRecord(app->state().image, 1).RxTone(), (ToneCode{0x85, 0x08}));
        QCOMPARE(frame->ActiveChild()->windowTitle(), QStringLiteral("saved.dat"));
        QCOMPARE(app->recentFiles().Files(), QStringList({path}));

        // Whatever happens to the image afterwards, opening brings the bytes back.
        f.driver.ExpectMessage();
        f.Trigger(kIdFileNew);
        QVERIFY(Bytes(app->state().image) != saved);
        QVERIFY(f.Cell(1, 1).empty());
        CChildFrame* opened = app->documents().OpenFile(path);
        QVERIFY(opened);
        QCOMPARE(Bytes(app->state().image), saved);
        QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
        QCOMPARE(f.Cell(1, 3), std::string("88.5"));
        // Saving again (no name asked for) writes the same bytes.
        f.Trigger(kIdFileSave);
        QCOMPARE(ReadAll(path), saved);
        QCOMPARE(f.driver.unexpected(), 0);
    }

    // An untitled document asks for a name on "保存" (".dat" is added); a
    // name that cannot be saved is reported and the document keeps its own.
    void saveAsksForANameAndReportsFailure() {
        AppFixture f;
        QVERIFY(f.Start());
        QStringList filters;
        f.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog)
                return false;
            filters = dialog->nameFilters();
            TypeFileName(dialog, f.dir.file(QStringLiteral("named")));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            return true;
        });
        f.Trigger(kIdFileSave);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.driver.unexpected(), 0);
        QCOMPARE(filters, QStringList({"*.dat"}));
        const QString named = f.dir.file(QStringLiteral("named.dat"));
        QCOMPARE(ReadAll(named).size(), 16384);
        QCOMPARE(f.child()->document()->PathName(), named);

        f.driver.ExpectMessage();
        const QString path = f.dir.file(QStringLiteral("no-such-dir/x.dat"));
        QVERIFY(!f.app->documents().SaveAs(path));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().last().startsWith(QStringLiteral("无法保存文件")));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(f.child()->document()->PathName(), named);
    }

    void sameFileOpensInASecondWindow() {
        AppDir dir;
        const QString path = dir.file(QStringLiteral("radio.dat"));
        QVERIFY(SaveDatFile(path.toStdString(), ExampleRadioMemory(), nullptr));
        auto app = StartApp(dir, {path});
        CMainFrame* frame = app->frame();
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(frame->ActiveView()->model()->grid().Text(1, 1), std::string("145.50000"));
        app->state().image.Fill(0x00);
        CChildFrame* second = app->documents().OpenFile(path);
        QVERIFY(second);
        QCOMPARE(frame->DocumentWindows().size(), 2);
        QVERIFY(app->state().image == ExampleRadioMemory());
        QCOMPARE(frame->DocumentWindows().first()->document()->PathName(),
                 second->document()->PathName());
    }

    void filesThatCannotBeLoaded() {
        AppFixture f;
        QVERIFY(f.Start());
        const AppDir& dir = f.dir;
        CProgramApp* app = f.app.get();
        CMainFrame* frame = f.frame();
        ModalDriver& driver = f.driver;
        f.view()->model()->grid().SetText(2, 1, "146.00000");
        const RadioImage before = app->state().image;

        const QString shortFile = dir.file(QStringLiteral("short.dat"));
        dir.Write(QStringLiteral("short.dat"), QByteArray(100, '\x11'));
        driver.ExpectMessage();
        QVERIFY(!app->documents().OpenFile(shortFile));
        QCOMPARE(driver.messages().size(), 1);
        QVERIFY(driver.messages().first().contains(shortFile));
        // Image, grid and windows exactly as they were.
        QVERIFY(app->state().image == before);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(f.Cell(2, 1), std::string("146.00000"));
        QVERIFY(app->recentFiles().Files().isEmpty());

        // A missing file: reported, and it leaves the recent list.
        const QString gone = dir.file(QStringLiteral("gone.dat"));
        QVERIFY(SaveDatFile(gone.toStdString(), before, nullptr));
        QVERIFY(app->documents().OpenFile(gone));
        QCOMPARE(app->recentFiles().Files(), QStringList({gone}));
        QFile::remove(gone);
        driver.ExpectMessage();
        const QList<QAction*> fileItems = frame->fileMenu()->actions();
        auto recent = std::find_if(fileItems.begin(), fileItems.end(), [&](QAction* a) {
            return a->isVisible() && a->data().toString() == gone;
        });
        QVERIFY(recent != fileItems.end());
        QVERIFY((*recent)->text().contains(QStringLiteral("gone.dat")));
        (*recent)->trigger();
        QCOMPARE(driver.messages().size(), 2);
        QVERIFY(app->recentFiles().Files().isEmpty());

        QCOMPARE(driver.unexpected(), 0);
    }

    void fileDialogsStartInTheLastFolder() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("radios")));
        const QString folder = f.dir.file(QStringLiteral("radios"));
        const QString path = folder + QStringLiteral("/a.dat");
        QVERIFY(SaveDatFile(path.toStdString(), ExampleRadioMemory(), nullptr));

        // Nothing used yet: not the program's folder.
        QString start;
        f.driver.ExpectFileDialog(QString(), &start);
        f.Trigger(kIdFileOpen);
        QVERIFY(f.driver.AllHandled());
        QVERIFY(start != QDir(f.dir.path()).absolutePath());

        // After opening a file, "打开..." and "另存为..." of an untitled
        // document start in its folder.
        QVERIFY(f.app->documents().OpenFile(path));
        f.driver.ExpectFileDialog(QString(), &start);
        f.Trigger(kIdFileOpen);
        QCOMPARE(start, folder);
        f.driver.ExpectMessage();
        f.Trigger(kIdFileNew);
        f.driver.ExpectFileDialog(QString(), &start);
        f.Trigger(kIdFileSaveAs);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(start, folder);

        // The next run remembers it.
        f.app.reset();
        QVERIFY(f.Start());
        f.driver.ExpectFileDialog(QString(), &start);
        f.Trigger(kIdFileOpen);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(start, folder);
        QCOMPARE(f.driver.unexpected(), 0);
    }

    void commandLineFile() {
        AppDir dir;
        // Default.dat next to the program is what a new document starts from.
        RadioImage defaults = ExampleRadioMemory();
        QVERIFY(
            SaveDatFile(dir.file(QStringLiteral("Default.dat")).toStdString(), defaults, nullptr));
        // A file that cannot be loaded is reported; the program starts with
        // a new document instead.
        const QString shortFile = dir.file(QStringLiteral("short.dat"));
        dir.Write(QStringLiteral("short.dat"), QByteArray(10, '\0'));
        ModalDriver driver;
        driver.ExpectMessage();
        auto app = StartApp(dir, {QStringLiteral("\"") + shortFile + QStringLiteral("\"")});
        QVERIFY(app);
        QCOMPARE(driver.messages().size(), 1);
        QVERIFY(driver.messages().first().contains(QStringLiteral("short.dat")));
        QCOMPARE(app->frame()->DocumentWindows().size(), 1);
        QCOMPARE(app->frame()->ActiveChild()->document()->PathName(), QString());
        QCOMPARE(app->frame()->ActiveView()->model()->grid().Text(1, 1), std::string("145.50000"));
        QCOMPARE(
            CMyDocManager::NormalisePath(QStringLiteral("\"") + shortFile + QStringLiteral("\"")),
            shortFile);
    }
};

QTEST_MAIN(TestDocumentsUi)
#include "test_documents_ui.moc"
