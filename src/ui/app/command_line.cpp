// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>

#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "ui/app/translation.h"

namespace kestra {

namespace {

// --help in the run's language throughout, every paragraph within 80
// columns: the usage line (naming the program, not the path it was started
// by), the options and the arguments, each with its text beside it.
QString HelpText(const QList<QCommandLineOption>& options,
                 const QList<QPair<QString, QString>>& arguments) {
    QList<QPair<QString, QString>> rows;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QLatin1Char(' ') + option.valueName();
        rows.append({left, option.description()});
    }
    int width = 0;
    for (const auto& row : rows + arguments)
        width = std::max(width, static_cast<int>(row.first.size()));
    const auto table = [width](const QList<QPair<QString, QString>>& entries) {
        std::string text;
        const std::string more(static_cast<std::size_t>(width) + 4, ' ');
        for (const auto& [left, right] : entries)
            text += WrapText(right.toStdString(),
                             "  " + left.leftJustified(width + 2).toStdString(), more);
        return text;
    };
    const std::string text =
        WrapText(T(KESTRA_TEXT("kestra", "用法：kestra [选项] [FILE.dat]")).toStdString(), "", "") +
        WrapText(T(KESTRA_TEXT("kestra", "Kestra：读取、编辑并写入双段手持对讲机的存储器。"))
                     .toStdString(),
                 "", "") +
        "\n" + T(KESTRA_TEXT("kestra", "选项：")).toStdString() + "\n" + table(rows) + "\n" +
        T(KESTRA_TEXT("kestra", "参数：")).toStdString() + "\n" + table(arguments);
    return QString::fromStdString(text);
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    // "-dash.dat" is one unknown option, not -d -a -s -h (help).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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
    // Taken out before parsing (ui/app/translation.h); here for --help.
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        T(KESTRA_TEXT("kestra", "界面语言：zh（中文）或 en（英文）；默认为视图 → 语言中的选择，"
                                "否则跟随系统。")),
        QStringLiteral("zh|en"));
    const QList<QCommandLineOption> options{help, version, port, simulate, lang};
    for (const QCommandLineOption& option : options)
        parser.addOption(option);
    const QString file = QStringLiteral("FILE.dat");
    const QString fileText = T(KESTRA_TEXT("kestra", "要打开的 .dat 文件（代替新建文档）。"));
    parser.addPositionalArgument(file, fileText, QLatin1Char('[') + file + QLatin1Char(']'));
    line.helpText = HelpText(options, {{file, fileText}});

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
