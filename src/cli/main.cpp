#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/document/app_directory.h"

using namespace kestra::cli;

namespace {

void PrintHelp(const CommandTable& table) {
    std::printf("Usage: kestra-cli COMMAND [OPTIONS] [FILES]\n"
                "Scripts the Kestra radio programming core without a display.\n\n"
                "Commands:\n");
    for (const auto& entry : table)
        std::printf("  %s\n      %s\n", entry.second.usage.c_str(), entry.second.summary.c_str());
    std::printf("\nOptions:\n"
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
    SetProgramDirectory(kestra::ExecutableDirectory(argc > 0 ? argv[0] : nullptr));
    CommandTable table;
    RegisterOfflineCommands(table);
    RegisterFormCommands(table);
    RegisterTransferCommands(table);
    if (argc < 2)
        return UsageError("missing command");
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(table);
        return kExitOk;
    }
    if (first == "--version") {
        std::printf("kestra-cli %s\n", KESTRA_VERSION);
        return kExitOk;
    }
    const auto it = table.find(first);
    if (it == table.end())
        return UsageError("unknown command '" + first + "'");
    std::vector<std::string> rest(argv + 2, argv + argc);
    for (const std::string& a : rest) {
        if (a == "--help" || a == "-h") {
            std::printf("Usage: kestra-cli %s\n%s\n", it->second.usage.c_str(),
                        it->second.summary.c_str());
            return kExitOk;
        }
    }
    return it->second.run(rest);
}
