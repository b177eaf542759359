// Documents in the running application: save and open, the same file opened
// twice, files that cannot be loaded or saved, the recent-file list and the
// file named on the command line.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>

#include "ui/app/child_frame.h"
#include "app_test_support.h"
#include "core/document/dat_file.h"
#include "ui/app/program_doc.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"
#include "link/virtual_radio.h"

using namespace kestra;
using namespace kestra::test;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Bytes(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::string Cell(CMainFrame* frame, int row, int col) {
    return frame->ActiveView()->model()->grid().Text(row, col);
}

} // namespace

class TestDocumentsUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    void saveThenOpenRestoresTheBytes() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        ChannelTableView* table = frame->ActiveView()->table();
        QWidget* editor = table->StartEditAt(GridCell{1, 1});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        // An edit still open when saving is saved too.
        editor = table->StartEditAt(GridCell{1, 3});
        qobject_cast<QComboBox*>(editor)->lineEdit()->selectAll();
        QTest::keyClicks(editor, QStringLiteral("88.5"));

        const QString path = dir.file(QStringLiteral("saved.dat"));
        QVERIFY(app->SaveDocumentAs(path));
        const QByteArray saved = ReadAll(path);
        QCOMPARE(saved.size(), 16384);
        QCOMPARE(saved, Bytes(app->state().image));
        QCOMPARE(ChannelRecord(app->state().image, 1).RxTone(), (ToneCode{0x85, 0x08}));
        QCOMPARE(frame->ActiveChild()->windowTitle(), QStringLiteral("saved.dat"));
        QCOMPARE(app->RecentFiles(), QStringList({path}));

        // Whatever happens to the image afterwards, opening brings the bytes back.
        ModalDriver driver;
        driver.ExpectMessage();
        frame->action(kIdFileNew)->trigger();
        QVERIFY(Bytes(app->state().image) != saved);
        QVERIFY(Cell(frame, 1, 1).empty());
        CChildFrame* opened = app->OpenDocumentFile(path);
        QVERIFY(opened);
        QCOMPARE(Bytes(app->state().image), saved);
        QCOMPARE(Cell(frame, 1, 1), std::string("145.50000"));
        QCOMPARE(Cell(frame, 1, 3), std::string("88.5"));
        // Saving again (no name asked for) writes the same bytes.
        frame->action(kIdFileSave)->trigger();
        QCOMPARE(ReadAll(path), saved);
        QCOMPARE(driver.unexpected(), 0);
    }

    void saveAsAsksForAName() {
        AppDir dir;
        auto app = StartApp(dir);
        ModalDriver driver;
        QStringList filters;
        driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog)
                return false;
            filters = dialog->nameFilters();
            dialog->selectFile(dir.file(QStringLiteral("named")));
            QMetaObject::invokeMethod(dialog, "accept");
            return true;
        });
        // An untitled document asks for a name on "存为"; ".dat" is added.
        app->frame()->action(kIdFileSave)->trigger();
        QVERIFY(driver.AllHandled());
        QCOMPARE(filters, QStringList({"*.dat"}));
        QCOMPARE(ReadAll(dir.file(QStringLiteral("named.dat"))).size(), 16384);
        QCOMPARE(app->frame()->ActiveChild()->document()->PathName(),
                 dir.file(QStringLiteral("named.dat")));
    }

    void sameFileOpensInASecondWindow() {
        AppDir dir;
        const QString path = dir.file(QStringLiteral("radio.dat"));
        QVERIFY(SaveDatFile(path.toStdString(), ExampleRadioMemory(), nullptr));
        auto app = StartApp(dir, {path});
        CMainFrame* frame = app->frame();
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(Cell(frame, 1, 1), std::string("145.50000"));
        app->state().image.Fill(0x00);
        CChildFrame* second = app->OpenDocumentFile(path);
        QVERIFY(second);
        QCOMPARE(frame->DocumentWindows().size(), 2);
        QVERIFY(app->state().image == ExampleRadioMemory());
        QCOMPARE(frame->DocumentWindows().first()->document()->PathName(),
                 second->document()->PathName());
    }

    void filesThatCannotBeLoaded() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        ChannelTableView* table = frame->ActiveView()->table();
        QWidget* editor = table->StartEditAt(GridCell{2, 1});
        QTest::keyClicks(editor, QStringLiteral("146"));
        QTest::keyClick(editor, Qt::Key_Return);
        const RadioImage before = app->state().image;

        const QString shortFile = dir.file(QStringLiteral("short.dat"));
        WriteFile(shortFile, QByteArray(100, '\x11'));
        ModalDriver driver;
        driver.ExpectMessage();
        QVERIFY(!app->OpenDocumentFile(shortFile));
        QCOMPARE(driver.messages().size(), 1);
        std::string expected;
        RadioImage scratch;
        QVERIFY(!LoadDatFile(shortFile.toStdString(), scratch, &expected));
        QCOMPARE(driver.messages().first(), QString::fromStdString(expected));
        // Image and windows exactly as they were.
        QVERIFY(app->state().image == before);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(Cell(frame, 2, 1), std::string("146.00000"));
        QVERIFY(app->RecentFiles().isEmpty());

        // A missing file: reported, and it leaves the recent list.
        const QString gone = dir.file(QStringLiteral("gone.dat"));
        QVERIFY(SaveDatFile(gone.toStdString(), before, nullptr));
        QVERIFY(app->OpenDocumentFile(gone));
        QCOMPARE(app->RecentFiles(), QStringList({gone}));
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
        QVERIFY(app->RecentFiles().isEmpty());

        // A file longer than an image opens; the extra byte is ignored.
        const QString longFile = dir.file(QStringLiteral("long.dat"));
        WriteFile(longFile, Bytes(ExampleRadioMemory()) + QByteArray(1, '\x5A'));
        QVERIFY(app->OpenDocumentFile(longFile));
        QVERIFY(app->state().image == ExampleRadioMemory());
        QCOMPARE(driver.unexpected(), 0);
    }

    void saveErrorIsReported() {
        AppDir dir;
        auto app = StartApp(dir);
        ModalDriver driver;
        driver.ExpectMessage();
        const QString path = dir.file(QStringLiteral("no-such-dir/x.dat"));
        QVERIFY(!app->SaveDocumentAs(path));
        QCOMPARE(driver.messages().size(), 1);
        QVERIFY(driver.messages().first().startsWith(QStringLiteral("无法保存文件")));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(app->frame()->ActiveChild()->document()->PathName(), QString());
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
        WriteFile(shortFile, QByteArray(10, '\0'));
        ModalDriver driver;
        driver.ExpectMessage();
        auto app = StartApp(dir, {QStringLiteral("\"") + shortFile + QStringLiteral("\"")});
        QVERIFY(app);
        QCOMPARE(driver.messages().size(), 1);
        QVERIFY(driver.messages().first().contains(QStringLiteral("short.dat")));
        QCOMPARE(app->frame()->DocumentWindows().size(), 1);
        QCOMPARE(app->frame()->ActiveChild()->document()->PathName(), QString());
        QCOMPARE(Cell(app->frame(), 1, 1), std::string("145.50000"));
        QCOMPARE(
            CMyDocManager::NormalisePath(QStringLiteral("\"") + shortFile + QStringLiteral("\"")),
            shortFile);
    }
};

QTEST_MAIN(TestDocumentsUi)
#include "test_documents_ui.moc"
