// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the settings file, the port and model name, the command line,
// --help, --version and --simulate, and the splash screen.
#include <QLabel>
#include <QMdiArea>
#include <QProcess>
#include <QTreeWidget>

#ifndef _WIN32
#include <sys/stat.h>

#include "support/fifo_watchdog.h"
#endif

#include "app_test_support.h"
#include "core/codec/text.h"
#include "link/serial_link.h"
#include "ui/app/command_line.h"
#include "ui/app/ini_file.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/splash_wnd.h"
#include "ui/dialogs/about_dlg.h"

using namespace kestra;
using namespace kestra::test;

namespace {

void WriteIni(const AppDir& dir, const QByteArray& text) {
    dir.Write(QStringLiteral("Program.ini"), text);
}

QStringList AboutLines(const CIniFile& ini) {
    CAboutDlg about(ini);
    return {about.line(0)->text(), about.line(1)->text(), about.line(2)->text()};
}

} // namespace

class TestAppStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void settingsAtStartUp() {
        AppDir dir;
        auto app = StartApp(dir);
        QVERIFY(app);
        // An empty Program.ini is created; port 0 names no device.
        QFileInfo ini(dir.file(QStringLiteral("Program.ini")));
        QVERIFY(ini.exists() && ini.size() == 0);
        QCOMPARE(app->ini().Path(), ini.filePath());
        QCOMPARE(app->state().portName + "|" + app->state().modelName, std::string("|"));
        QCOMPARE(AboutLines(app->ini()), QStringList({"", "", ""}));
        // Nothing is written at start-up or exit.
        app.reset();
        QCOMPARE(QFileInfo(ini.filePath()).size(), 0);

        WriteIni(dir, "[Setup]\nCOM=12\nType=QVN-K52\n[About]\nVersion=V1.0\n"
                      "Copyright=Copyright (C) 2024, Kestra\nCompany=Radio Works\n");
        app = StartApp(dir);
        QCOMPARE(app->state().portName + "|" + app->state().modelName,
                 PortDeviceName(12) + "|QVN-K52");
        QCOMPARE(app->frame()->treeBar()->rootItem()->text(0), QStringLiteral("QVN-K52"));
        QCOMPARE(AboutLines(app->ini()),
                 QStringList({"V1.0", "Copyright (C) 2024, Kestra", "Radio Works"}));
        {
            // Under them, the build's own version and licence.
            CAboutDlg about(app->ini());
            const auto* licence = about.findChild<QLabel*>(QStringLiteral("aboutLicence"));
            QVERIFY(licence && licence->text().contains(KESTRA_VERSION) &&
                    licence->text().contains("GNU General Public License v3.0 or later"));
        }
        // The about texts are read again each time the dialog opens.
        WriteIni(dir, "[Setup]\nCOM=3\n[About]\nVersion=V2.0\n");
        QCOMPARE(AboutLines(app->ini()), QStringList({"V2.0", "", ""}));

        // --port wins over the settings.
        auto withPort = StartApp(dir, {QStringLiteral("--port"), QStringLiteral("ttyUSB5")});
        QCOMPARE(withPort->state().portName, ResolvePortArgument("ttyUSB5"));
        QCOMPARE(StartApp(dir)->state().portName, PortDeviceName(3));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("outcome"); // file|port|flag, or "error"
        QTest::newRow("file") << QStringList{"a.dat"} << "a.dat||";
        QTest::newRow("port and file")
            << QStringList{"--port", "/dev/pts/3", "b.dat"} << "b.dat|/dev/pts/3|";
        QTest::newRow("port=") << QStringList{"--port=/dev/pts/4"} << "|/dev/pts/4|";
        QTest::newRow("-h") << QStringList{"-h"} << "||help";
        QTest::newRow("file name with a dash")
            << QStringList{"-dash.dat"}
            << "error: 未知选项 -dash.dat（文件名以 - 开头时写成 ./-dash.dat 或放在 -- 之后）";
        QTest::newRow("file name after --") << QStringList{"--", "-dash.dat"} << "-dash.dat||";
        QTest::newRow("flag with a value")
            << QStringList{"--simulate=1"} << "error: 选项 --simulate 不带值";
        QTest::newRow("port without device") << QStringList{"--port"} << "error";
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(QString, outcome);
        const CommandLine line = ParseCommandLine(QStringList{"kestra"} + args);
        if (outcome.startsWith(QStringLiteral("error"))) {
            QVERIFY(!line.error.isEmpty() && !line.help);
            if (outcome.contains(':'))
                QCOMPARE(line.error, outcome.section(QStringLiteral(": "), 1));
            return;
        }
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        const QString flag = line.simulate  ? QStringLiteral("simulate")
                             : line.help    ? QStringLiteral("help")
                             : line.version ? QStringLiteral("version")
                                            : QString();
        QCOMPARE(QStringList({line.file, line.port, flag}).join('|'), outcome);
    }

    // --help and --version need no display; a wrong option exits with 2;
    // --simulate starts with its own virtual radio and runs until closed.
    void programPrintsHelpAndVersion() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // platform null: no QT_QPA_PLATFORM either, as over ssh.
        const auto start = [&](const QStringList& args, const char* platform) {
            if (platform)
                env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
            else
                env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(KESTRA_BINARY), args);
        };
        const auto run = [&](const QStringList& args, const char* platform) {
            start(args, platform);
            return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode()
                                                                                      : -1;
        };
        QCOMPARE(run({"--version"}, "xcb"), 0);
        const QString version = QString::fromLocal8Bit(p.readAllStandardOutput());
        QCOMPARE(version.section('\n', 0, 0), QStringLiteral("kestra %1").arg(KESTRA_VERSION));
        QVERIFY2(version.contains("GPLv3+"), qPrintable(version));
        QCOMPARE(run({"--help"}, "xcb"), 0);
        const QByteArray help = p.readAllStandardOutput();
        QVERIFY(help.contains("--simulate") && help.contains(" kestra [") &&
                !help.contains(QFileInfo(QStringLiteral(KESTRA_BINARY)).path().toUtf8()));
        // Each language's help is in that language throughout, within 80
        // columns (a Chinese character takes two).
        const QStringList headings[] = {{"zh", "用法：kestra [", "选项：", "参数：", "  FILE.dat "},
                                        {"en", "Usage: kestra [", "Options:", "Arguments:"}};
        for (const QStringList& words : headings) {
            QCOMPARE(run({"--lang", words.first(), "--help"}, nullptr), 0);
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            for (const QString& word : words.mid(1))
                QVERIFY2(text.contains(word), qPrintable(text));
            QVERIFY2(words.first() == "en" || !text.contains("Usage"), qPrintable(text));
            for (const QString& line : text.split('\n'))
                QVERIFY2(TextColumns(line.toStdString()) <= 80, qPrintable(line));
        }
        QCOMPARE(run({"--bogus"}, "offscreen"), 2);
        QVERIFY(p.readAllStandardError().contains("bogus"));
        // Every usage error is told without a display: the message, and 2.
        const QStringList wrong[][2] = {
            {{"--bogus"}, {"未知选项 --bogus", "kestra --help"}},
            {{"a.dat", "b.dat"}, {"启动时只能打开一个文件", "kestra --help"}},
            {{"--port", "x", "--simulate"}, {"--port 和 --simulate 不能同时使用"}},
            {{"--lang", "fr"}, {"fr"}},
        };
        for (const auto& [args, says] : wrong) {
            const QStringList line =
                args.contains("--lang") ? args : QStringList{"--lang", "zh"} + args;
            QCOMPARE(run(line, nullptr), 2);
            const QString error = QString::fromLocal8Bit(p.readAllStandardError());
            for (const QString& text : says)
                QVERIFY2(error.contains(text), qPrintable(line.join(' ') + ": " + error));
        }
#ifndef _WIN32
        start({"--simulate"}, "offscreen");
        QVERIFY(p.waitForStarted(10000));
        QVERIFY(!p.waitForFinished(1500));
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
#endif
    }

    void splashScreen() {
        AppDir dir;
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
        QElapsedTimer timer;
        timer.start();
        auto app = StartApp(dir);
        QVERIFY(timer.elapsed() >= CSplashWnd::kShowMs - 50);
        QVERIFY(!CSplashWnd::Current());
    }

#ifndef _WIN32
    void startUpFilesThatAreFifosCountAsAbsent() {
        // A FIFO as Program.ini, Default.dat, startup.bmp, BackGround.bmp and
        // as the file argument: start-up goes on as if they were absent (the
        // file argument is refused with its reason). A watchdog opens the
        // FIFOs for writing after 5 s, so a regression fails, not hangs.
        AppDir dir;
        const QStringList names = {"Program.ini", "Default.dat", "startup.bmp", "BackGround.bmp",
                                   "radio.dat"};
        std::vector<std::string> fifos;
        for (const QString& name : names) {
            fifos.push_back(QFile::encodeName(dir.file(name)).toStdString());
            QVERIFY(::mkfifo(fifos.back().c_str(), 0644) == 0);
        }
        FifoWatchdog watchdog(fifos);
        ModalDriver driver;
        driver.ExpectMessage();
        QElapsedTimer timer;
        timer.start();
        auto app = StartApp(dir, {dir.file(QStringLiteral("radio.dat"))});
        QVERIFY2(!watchdog.Stop(), "start-up blocked on a FIFO");
        QVERIFY(app);
        QVERIFY(timer.elapsed() < CSplashWnd::kShowMs);
        QCOMPARE(driver.messages().size(), 1);
        QVERIFY2(driver.messages()[0].contains(QStringLiteral("不是普通文件")),
                 qPrintable(driver.messages()[0]));
        // Built-in defaults, the built-in background, settings in the user's file.
        QCOMPARE(app->state().image[0x2040], std::uint8_t(0x1E));
        QCOMPARE(app->frame()->mdiArea()->background().textureImage().size(), QSize(238, 157));
        QVERIFY(app->ini().Path().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
        QFile::remove(app->ini().Path());
    }
#endif
};

QTEST_MAIN(TestAppStartup)
#include "test_app_startup.moc"
