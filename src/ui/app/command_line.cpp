// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <QCommandLineParser>

namespace kestra {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Kestra: reads, edits and writes the memory of a dual-band handheld radio."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Use this serial device (COM3, ttyUSB0, /dev/ttyUSB0 or any device "
                       "path) instead of the port chosen in the settings."),
        QStringLiteral("DEVICE"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Start the virtual radio in this process and use it as the port."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(port);
    parser.addOption(simulate);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A .dat file to open instead of a new document."),
                                 QStringLiteral("[FILE.dat]"));
    line.helpText = parser.helpText();

    const bool parsed = parser.parse(arguments);
    // --help and --version answer even on an otherwise wrong command line.
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (!parsed) {
        line.error = parser.errorText();
        // "--simulate=1": said the way kestra-cli says it.
        for (const QString& arg : arguments.mid(1)) {
            const QString name = arg.section(QLatin1Char('='), 0, 0);
            if (arg.contains(QLatin1Char('=')) &&
                (name == QLatin1String("--simulate") || name == QLatin1String("--version") ||
                 name == QLatin1String("--help")))
                line.error = QStringLiteral("option %1 takes no value").arg(name);
        }
        return line;
    }
    line.simulate = parser.isSet(simulate);
    if (parser.isSet(port))
        line.port = parser.value(port);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        line.error = QStringLiteral("only one file can be opened at start-up");
    else if (!files.isEmpty())
        line.file = files.first();
    if (line.simulate && parser.isSet(port))
        line.error = QStringLiteral("--port and --simulate cannot be used together");
    return line;
}

} // namespace kestra
