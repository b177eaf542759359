// Start-up and the main frame: the settings file, the port and model name,
// the command line, the menus, toolbar, status bar and navigation tree, the
// document window, the background, the splash screen and the new-document
// confirmation.
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/dialogs/about_dlg.h"
#include "ui/app/child_frame.h"
#include "ui/app/command_line.h"
#include "ui/app/ini_file.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/splash_wnd.h"
#include "app_test_support.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"
#include "link/serial_link.h"

using namespace kestra;
using namespace kestra::test;

namespace {

void WriteIni(const AppDir& dir, const QByteArray& text) {
    QFile f(dir.file(QStringLiteral("Program.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        if (a->isVisible())
            texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return texts;
}

QTreeWidgetItem* TreeItem(CMainFrame* frame, const char* label) {
    return frame->treeBar()->item(QString::fromUtf8(label));
}

void ClickTreeItem(CMainFrame* frame, QTreeWidgetItem* item) {
    QTreeWidget* tree = frame->treeBar()->tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualItemRect(item).center());
}

} // namespace

class TestAppStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void startsWithoutSettingsFile() {
        AppDir dir;
        auto app = StartApp(dir);
        QVERIFY(app);
        // An empty Program.ini is created; port 0 names no device.
        QFileInfo ini(dir.file(QStringLiteral("Program.ini")));
        QVERIFY(ini.exists());
        QCOMPARE(ini.size(), 0);
        QCOMPARE(app->ini().Path(), ini.filePath());
        QVERIFY(app->state().portName.empty());
        QVERIFY(app->state().modelName.empty());
        QCOMPARE(app->frame()->treeBar()->rootItem()->text(0), QString());
        QCOMPARE(app->frame()->treeBar()->rootItem()->childCount(), 3);
        CAboutDlg about(app->ini());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(about.line(i)->text(), QString());
        // Nothing is written at start-up or exit.
        app.reset();
        QCOMPARE(QFileInfo(dir.file(QStringLiteral("Program.ini"))).size(), 0);
    }

    void readsPortModelAndAboutTexts() {
        AppDir dir;
        WriteIni(dir, "[Setup]\nCOM=12\nType=QVN-K52\n[About]\nVersion=V1.0\n"
                      "Copyright=Copyright (C) 2024, Kestra\nCompany=Radio Works\n");
        auto app = StartApp(dir);
        QVERIFY(app);
        QCOMPARE(app->state().portName, PortDeviceName(12));
        QCOMPARE(app->state().modelName, std::string("QVN-K52"));
        QCOMPARE(app->frame()->treeBar()->rootItem()->text(0), QStringLiteral("QVN-K52"));
        CAboutDlg about(app->ini());
        QCOMPARE(about.line(0)->text(), QStringLiteral("V1.0"));
        QCOMPARE(about.line(1)->text(), QStringLiteral("Copyright (C) 2024, Kestra"));
        QCOMPARE(about.line(2)->text(), QStringLiteral("Radio Works"));
        // The about texts are read again each time the dialog opens.
        WriteIni(dir, "[About]\nVersion=V2.0\n");
        CAboutDlg again(app->ini());
        QCOMPARE(again.line(0)->text(), QStringLiteral("V2.0"));
        QCOMPARE(again.line(1)->text(), QString());
    }

    void portArgumentWinsOverSettings() {
        AppDir dir;
        WriteIni(dir, "[Setup]\nCOM=3\n");
        auto app = StartApp(dir, {QStringLiteral("--port"), QStringLiteral("ttyUSB5")});
        QVERIFY(app);
        QCOMPARE(app->state().portName, ResolvePortArgument("ttyUSB5"));
        auto plain = StartApp(dir);
        QCOMPARE(plain->state().portName, PortDeviceName(3));
    }

    void iniFileRules() {
        AppDir dir;
        WriteIni(dir, "[Setup]\nCOM=12abc\nType=abc\nLong=" + QByteArray(300, 'x') + "\n");
        CIniFile ini(dir.path());
        const QString setup = QStringLiteral("Setup");
        QCOMPARE(ini.GetInt(setup, QStringLiteral("COM"), 7), 12);
        QCOMPARE(ini.GetInt(setup, QStringLiteral("Type"), 7), 0);
        QCOMPARE(ini.GetInt(setup, QStringLiteral("Missing"), 7), 7);
        QCOMPARE(ini.GetString(setup, QStringLiteral("Missing")), QString());
        QCOMPARE(ini.GetString(setup, QStringLiteral("Long")).size(), 259);
        QVERIFY(ini.WriteInt(setup, QStringLiteral("COM"), 5));
        QCOMPARE(CIniFile(dir.path()).GetInt(setup, QStringLiteral("COM"), 0), 5);
        QCOMPARE(ProfileIntFromText(QStringLiteral(" 42 ")), 42);
        QCOMPARE(ProfileIntFromText(QStringLiteral("-3")), 0);
    }

    void settingsFallBackToTheUserDirectory() {
        // A program directory where no file can be created: the settings go to
        // the per-user configuration directory.
        AppDir dir;
        QFile blocker(dir.file(QStringLiteral("notadir")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString appDir = dir.file(QStringLiteral("notadir")) + QLatin1Char('/');
        CIniFile ini(appDir);
        QVERIFY(!ini.Path().isEmpty());
        QVERIFY(!ini.Path().startsWith(appDir));
        QVERIFY(QFileInfo::exists(ini.Path()));
        QVERIFY(ini.WriteInt(QStringLiteral("Setup"), QStringLiteral("COM"), 9));
        QCOMPARE(CIniFile(appDir).GetInt(QStringLiteral("Setup"), QStringLiteral("COM"), 0), 9);
        QFile::remove(ini.Path());
        QDir().rmdir(QFileInfo(ini.Path()).absolutePath());
    }

    void commandLine() {
        auto parse = [](QStringList args) {
            args.prepend(QStringLiteral("kestra"));
            return ParseCommandLine(args);
        };
        CommandLine line = parse({QStringLiteral("a.dat")});
        QCOMPARE(line.file, QStringLiteral("a.dat"));
        QVERIFY(line.error.isEmpty());
        line = parse(
            {QStringLiteral("--port"), QStringLiteral("/dev/pts/3"), QStringLiteral("b.dat")});
        QCOMPARE(line.port, QStringLiteral("/dev/pts/3"));
        QCOMPARE(line.file, QStringLiteral("b.dat"));
        QCOMPARE(parse({QStringLiteral("--port=/dev/pts/4")}).port, QStringLiteral("/dev/pts/4"));
        QCOMPARE(parse({QStringLiteral("--simulate=1")}).error,
                 QStringLiteral("option --simulate takes no value"));
        QVERIFY(parse({QStringLiteral("--simulate")}).simulate);
        QVERIFY(parse({QStringLiteral("--help")}).help);
        QVERIFY(parse({QStringLiteral("--version")}).version);
        QVERIFY(!parse({QStringLiteral("--bogus")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("--port")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("a.dat"), QStringLiteral("b.dat")}).error.isEmpty());
        QVERIFY(
            !parse({QStringLiteral("--simulate"), QStringLiteral("--port"), QStringLiteral("x")})
                 .error.isEmpty());
    }

    void programPrintsHelpAndVersion() {
        QProcess p;
        // No display is needed to answer --help and --version.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KESTRA_BINARY), {QStringLiteral("--version")});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed(),
                 QStringLiteral("kestra %1").arg(QStringLiteral(KESTRA_VERSION)));
        p.start(QStringLiteral(KESTRA_BINARY), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
        for (const char* option : {"--port <DEVICE>", "--simulate", "--version", "--help"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KESTRA_BINARY), {QStringLiteral("--bogus")});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("bogus"));
    }

    void menusToolbarAndStatusBar() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件"));
        QCOMPARE(Texts(frame->menuBar()->actions()),
                 QStringList({"文件", "编辑", "编程", "设置", "视图", "帮助"}));
        QStringList file = Texts(frame->fileMenu()->actions());
        QCOMPARE(file, QStringList({"新建", "打开...", "关闭", "存为", "另存为...", "|",
                                    "打印设置...", "|", "退出"}));
        QCOMPARE(Texts(frame->editMenu()->actions()),
                 QStringList({"信道信息", "可选功能", "DTMF", "机型", "收音机"}));
        QVERIFY(frame->action(kIdEditChannels)->isEnabled());
        for (int id : {kIdEditOptional, kIdEditDtmf, kIdEditModel, kIdEditFmRadio})
            QVERIFY(!frame->action(id)->isEnabled());
        const struct {
            int id;
            const char* key;
        } keys[] = {{kIdFileNew, "Ctrl+N"}, {kIdFileOpen, "Ctrl+O"}, {kIdFileSave, "Ctrl+S"},
                    {kIdRead, "Ctrl+R"},    {kIdWrite, "Ctrl+W"},    {kIdViewSplitter, "Ctrl+B"}};
        for (const auto& k : keys)
            QCOMPARE(frame->action(k.id)->shortcut(), QKeySequence(QLatin1String(k.key)));
        QCOMPARE(frame->action(kIdRead)->text(), QStringLiteral("读频"));
        QCOMPARE(frame->action(kIdWrite)->text(), QStringLiteral("写频"));
        QCOMPARE(frame->action(kIdPortSetup)->text(), QStringLiteral("串口"));
        QCOMPARE(frame->action(kIdViewToolbar)->text(), QStringLiteral("工具栏"));
        QCOMPARE(frame->action(kIdViewStatusBar)->text(), QStringLiteral("状态栏"));
        QCOMPARE(frame->action(kIdViewSplitter)->text(), QStringLiteral("分隔栏"));
        QCOMPARE(frame->action(kIdAppAbout)->text(), QStringLiteral("关于..."));

        QList<int> toolbar;
        for (QAction* a : frame->toolBar()->actions()) {
            toolbar << (a->isSeparator() ? 0 : a->data().toInt());
            if (!a->isSeparator())
                QVERIFY(!a->toolTip().isEmpty() && !a->icon().isNull());
        }
        QCOMPARE(toolbar, QList<int>({kIdFileNew, kIdFileOpen, 0, kIdFileSave, 0, kIdRead, kIdWrite,
                                      0, kIdFilePrint, kIdAppAbout}));

        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("messagePane"))->text(),
                 QStringLiteral("就绪"));
        QCOMPARE(frame->indicator(0)->text(), QStringLiteral("CAP"));
        QCOMPARE(frame->indicator(1)->text(), QStringLiteral("NUM"));
        QCOMPARE(frame->indicator(2)->text(), QStringLiteral("SCRL"));
        frame->action(kIdViewStatusBar)->trigger();
        QVERIFY(frame->statusBar()->isHidden());
        frame->action(kIdViewToolbar)->trigger();
        QVERIFY(frame->toolBar()->isHidden());
    }

    void documentWindowAndTree() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        QCOMPARE(frame->DocumentWindows().size(), 1);
        CChildFrame* child = frame->ActiveChild();
        QVERIFY(child->isVisible());
        // Created 1095 x 650 and shrunk to its form.
        QVERIFY(child->width() <= CChildFrame::kInitialWidth);
        QVERIFY(child->height() <= CChildFrame::kInitialHeight);
        QVERIFY(child->view()->width() >= child->view()->sizeHint().width());
        QCOMPARE(child->pos(), QPoint(0, 0));

        QTreeWidget* tree = frame->treeBar()->tree();
        QVERIFY(frame->treeBar()->rootItem()->isExpanded());
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());

        // The close box hides the window; "信道信息" brings it back as it was.
        child->view()->table()->StartEditAt(GridCell{1, 1});
        QTest::keyClicks(child->view()->table()->OpenEditor(), QStringLiteral("145.5"));
        child->view()->table()->CommitAndCloseEditor();
        child->close();
        QVERIFY(child->isHidden());
        QCOMPARE(frame->DocumentWindows().size(), 1);
        ClickTreeItem(frame, TreeItem(frame, "信道信息"));
        QVERIFY(child->isVisible());
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());
        QCOMPARE(child->view()->model()->grid().Text(1, 1), std::string("145.50000"));
        // "关闭" hides it too; the menu entry shows it again.
        frame->action(kIdFileClose)->trigger();
        QVERIFY(child->isHidden());
        frame->action(kIdEditChannels)->trigger();
        QVERIFY(child->isVisible());
        // Items whose dialogs do not exist yet do nothing.
        ClickTreeItem(frame, TreeItem(frame, "可选功能"));
        ClickTreeItem(frame, TreeItem(frame, "DTMF"));
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void treePanelCloseWidthAndSplitter() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavTreeBar* bar = frame->treeBar();
        QAction* splitter = frame->action(kIdViewSplitter);
        QVERIFY(splitter->isCheckable() && splitter->isChecked());
        QCOMPARE(bar->closeButton()->toolTip(), QStringLiteral("Close"));
        bar->closeButton()->click();
        QVERIFY(bar->isHidden());
        QVERIFY(!splitter->isChecked());
        QTest::keyClick(frame, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QVERIFY(splitter->isChecked());

        frame->resizeDocks({bar}, {5}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), CNavTreeBar::kMinWidth, 2000);
        frame->resizeDocks({bar}, {5000}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), frame->width() / 2, 2000);
    }

    void menuCommandsOpenTheirDialogs() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        QStringList opened;
        ModalDriver driver;
        auto record = [&opened](QWidget* w) {
            opened << w->metaObject()->className();
            qobject_cast<QDialog*>(w)->reject();
            return true;
        };
        for (int id : {kIdAppAbout, kIdPortSetup, kIdFilePrintSetup, kIdFilePrint}) {
            driver.Expect(record);
            frame->action(id)->trigger();
        }
        QVERIFY(driver.AllHandled());
        QCOMPARE(opened, QStringList({"kestra::CAboutDlg", "kestra::CPortSetupDlg", "QPrintDialog",
                                      "QPrintDialog"}));
    }

    void backgroundTile() {
        AppDir dir;
        {
            auto app = StartApp(dir);
            const QImage tile = app->frame()->mdiArea()->background().textureImage();
            QCOMPARE(tile.size(), QSize(238, 157));
            // Not a flat colour.
            QVERIFY(tile.pixel(0, 12) != tile.pixel(100, 30) ||
                    tile.pixel(5, 5) != tile.pixel(7, 90));
        }
        QImage own(20, 10, QImage::Format_RGB32);
        own.fill(Qt::darkGreen);
        QVERIFY(own.save(dir.file(QStringLiteral("BackGround.bmp")), "BMP"));
        auto app = StartApp(dir);
        const QImage tile = app->frame()->mdiArea()->background().textureImage();
        QCOMPARE(tile.size(), QSize(20, 10));
    }

    void newDocumentAsksFirst() {
        AppDir dir;
        auto app = StartApp(dir);
        CMainFrame* frame = app->frame();
        CChildFrame* first = frame->ActiveChild();
        first->view()->table()->StartEditAt(GridCell{1, 1});
        QTest::keyClicks(first->view()->table()->OpenEditor(), QStringLiteral("145.5"));

        ModalDriver driver;
        driver.ExpectMessage(QStringLiteral("取消"));
        frame->action(kIdFileNew)->trigger();
        QCOMPARE(driver.messages(), QStringList({"所有数据将会被清除！"}));
        QCOMPARE(frame->DocumentWindows(), QList<CChildFrame*>({first}));

        driver.ExpectMessage(QStringLiteral("确定"));
        frame->action(kIdFileNew)->trigger();
        QCOMPARE(driver.messages().size(), 2);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        CChildFrame* second = frame->ActiveChild();
        QVERIFY(second != first);
        // The new document starts from the defaults.
        QVERIFY(second->view()->model()->grid().Text(1, 1).empty());
        QCOMPARE(driver.unexpected(), 0);

        // With no document window open there is no question.
        frame->DestroyDocumentWindow(second);
        QVERIFY(frame->DocumentWindows().isEmpty());
        QVERIFY(!frame->action(kIdRead)->isEnabled());
        frame->action(kIdFileNew)->trigger();
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(driver.messages().size(), 2);
        QVERIFY(frame->action(kIdRead)->isEnabled());
    }

    void splashScreen() {
        AppDir dir;
        // Without startup.bmp: no splash and no pause.
        QElapsedTimer timer;
        timer.start();
        auto app = StartApp(dir);
        QVERIFY(!CSplashWnd::Current());
        QVERIFY(timer.elapsed() < CSplashWnd::kShowMs);
        app.reset();

        QImage bitmap(120, 60, QImage::Format_RGB32);
        bitmap.fill(Qt::darkBlue);
        QVERIFY(bitmap.save(dir.file(QStringLiteral("startup.bmp")), "BMP"));
        QLineEdit edit;
        edit.show();
        CSplashWnd* splash = CSplashWnd::ShowSplashScreen(dir.path());
        QVERIFY(splash);
        QCOMPARE(CSplashWnd::Current(), splash);
        QCOMPARE(splash->pixmap().size(), QSize(120, 60));
        // A key press hides the splash and goes no further.
        QTest::keyClick(&edit, Qt::Key_A);
        QVERIFY(!CSplashWnd::Current());
        QCOMPARE(edit.text(), QString());
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(edit.text(), QStringLiteral("a"));

        // Otherwise it goes by itself after 1000 ms, start-up waiting for it.
        timer.start();
        app = StartApp(dir);
        QVERIFY(timer.elapsed() >= CSplashWnd::kShowMs - 50);
        QVERIFY(!CSplashWnd::Current());
    }
};

QTEST_MAIN(TestAppStartup)
#include "test_app_startup.moc"
