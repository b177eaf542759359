// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/codec/text_seam.h"
#include "ui/app/translation.h"

namespace kestra {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    // "-dash.dat" is one unknown option, not -d -a -s -h (help).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(T(KESTRA_TEXT(
        "kestra", "Kestra：读取、编辑并写入双段手持对讲机的存储器。")));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  T(KESTRA_TEXT("kestra", "显示本帮助并退出。")));
    const QCommandLineOption version(QStringLiteral("version"),
                                     T(KESTRA_TEXT("kestra", "显示版本并退出。")));
    const QCommandLineOption port(
        QStringLiteral("port"),
        T(KESTRA_TEXT("kestra", "使用这个串口设备（COM3、ttyUSB0、/dev/ttyUSB0 或任何设备路径），"
                                 "而不是设置中选择的端口。")),
        QStringLiteral("DEVICE"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        T(KESTRA_TEXT("kestra", "在本进程中启动虚拟对讲机，并把它当作端口使用。")));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(port);
    parser.addOption(simulate);
    // Taken out before parsing (ui/app/translation.h); here for --help.
    parser.addOption(QCommandLineOption(
        QStringLiteral("lang"),
        T(KESTRA_TEXT("kestra", "界面语言：zh（中文）或 en（英文）；默认为视图 → 语言中的选择，"
                                "否则跟随系统。")),
        QStringLiteral("zh|en")));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 T(KESTRA_TEXT("kestra", "要打开的 .dat 文件（代替新建文档）。")),
                                 QStringLiteral("[FILE.dat]"));
    // The usage line names the program, not the path it was started by.
    line.helpText = parser.helpText();
    const QString path = QCoreApplication::arguments().value(0);
    if (const auto at = line.helpText.indexOf(path); !path.isEmpty() && at >= 0)
        line.helpText.replace(at, path.size(), QFileInfo(path).fileName());

    const bool parsed = parser.parse(arguments);
    // --help and --version answer even on an otherwise wrong command line.
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (!parsed) {
        line.error = parser.errorText();
        // An unknown option as it was written ("-lead.dat", not "lead.dat"),
        // with the way to name a file that starts with a dash.
        const QStringList unknown = parser.unknownOptionNames();
        for (const QString& arg : arguments.mid(1)) {
            if (unknown.isEmpty() || arg == QLatin1String("--"))
                break;
            QString name = arg.section(QLatin1Char('='), 0, 0);
            if (name.startsWith(QLatin1Char('-')) &&
                QString(name).remove(QRegularExpression(QStringLiteral("^-+"))) ==
                    unknown.first()) {
                line.error =
                    T(KESTRA_TEXT("kestra",
                                  "未知选项 %1（文件名以 - 开头时写成 ./%1 或放在 -- 之后）"))
                        .arg(name);
                break;
            }
        }
        // "--simulate=1": said the way kestra-cli says it.
        for (const QString& arg : arguments.mid(1)) {
            const QString name = arg.section(QLatin1Char('='), 0, 0);
            if (arg.contains(QLatin1Char('=')) &&
                (name == QLatin1String("--simulate") || name == QLatin1String("--version") ||
                 name == QLatin1String("--help")))
                line.error = T(KESTRA_TEXT("kestra", "选项 %1 不带值")).arg(name);
        }
        return line;
    }
    line.simulate = parser.isSet(simulate);
    if (parser.isSet(port))
        line.port = parser.value(port);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        line.error = T(KESTRA_TEXT("kestra", "启动时只能打开一个文件"));
    else if (!files.isEmpty())
        line.file = files.first();
    if (line.simulate && parser.isSet(port))
        line.error = T(KESTRA_TEXT("kestra", "--port 和 --simulate 不能同时使用"));
    return line;
}

} // namespace kestra
