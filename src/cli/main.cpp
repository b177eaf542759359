// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/document/app_directory.h"
#include "core/document/file_io.h"
#include "core/document/version_notice.h"
#include "core/os/os.h"

using namespace kestra::cli;

namespace {

// Prints text; the exit status says whether standard output took it.
int Print(const std::string& text) {
    return WriteOutput(text) ? kExitOk : kExitFailed;
}

int PrintHelp(const CommandTable& table) {
    std::string text = "Usage: kestra-cli COMMAND [OPTIONS] [FILES]\n"
                       "Scripts the Kestra radio programming core without a display.\n\n"
                       "Commands:\n";
    for (const auto& entry : table)
        text += "  " + entry.second.usage + "\n      " + entry.second.summary + "\n";
    return Print(text +
                 "\nOptions:\n"
                 "  --help       show this help and exit\n"
                 "  --version    show the version and exit\n\n"
                 "Exit status: 0 success; 1 the operation failed (the message is the first\n"
                 "line on standard error after any progress lines); 2 bad usage or an input\n"
                 "file that cannot be used. An output file is written only on success.\n"
                 "Progress goes to standard error: a percentage per line when it is not a\n"
                 "terminal. DEV may be COM3, ttyUSB0, /dev/ttyUSB0 or any device path.\n");
}

} // namespace

int main(int argc, char** argv) {
    // The user's locale, as the application (and Qt in every command that
    // starts it) has it: system messages come in the user's language, and
    // every command alike. Numbers never follow it (core/codec/decimal.h).
    std::setlocale(LC_ALL, "");
    // Standard output carries files (CSV, profiles) byte for byte, and the
    // arguments name files in UTF-8 on every system.
    kestra::os::UseBinaryStandardOutput();
    const std::vector<std::string> args = kestra::os::Utf8Arguments(argc, argv);
    SetProgramDirectory(kestra::ExecutableDirectory(argc > 0 ? argv[0] : nullptr));
    kestra::RemoveTemporaryFilesOnSignals();
    CommandTable table;
    RegisterOfflineCommands(table);
    RegisterFormCommands(table);
    RegisterCsvCommands(table);
    RegisterDiffCommands(table);
    RegisterArrangeCommands(table);
    RegisterTransferCommands(table);
    if (args.size() < 2)
        return UsageError("missing command");
    const std::string& first = args[1];
    if (first == "--help" || first == "-h" || first == "help")
        return PrintHelp(table);
    if (first == "--version")
        return Print(kestra::VersionNotice("kestra-cli"));
    const auto it = table.find(first);
    if (it == table.end())
        return UsageError("unknown command '" + first + "'");
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    for (const std::string& a : rest) {
        if (a == "--help" || a == "-h")
            return Print("Usage: kestra-cli " + it->second.usage + "\n" + it->second.summary +
                         "\n");
    }
    return it->second.run(rest);
}
