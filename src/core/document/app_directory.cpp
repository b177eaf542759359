// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/app_directory.h"

#include "core/document/file_io.h"
#include "core/os/os.h"

namespace kestra {

namespace {
std::string DirectoryOf(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return std::string("./");
    return path.substr(0, cut + 1);
}
} // namespace

std::string ExecutableDirectory(const char* argv0) {
    const std::string path = os::ExecutablePath();
    return DirectoryOf(!path.empty() ? path : argv0 ? argv0 : "");
}

std::string StartupFilePath(const std::string& appDirectory, const std::string& name) {
    const std::string path = appDirectory + name;
    return IsRegularFile(path) ? path : std::string();
}

std::string PackagedDataDirectory(const std::string& programDirectory) {
#ifdef KESTRA_DATA_FROM_BIN
    if (programDirectory.empty())
        return std::string();
    const std::string dir = programDirectory + KESTRA_DATA_FROM_BIN + "/";
    if (IsRegularFile(dir + "Program.ini"))
        return dir;
#else
    (void)programDirectory;
#endif
    return std::string();
}

std::string FindProgramFile(const ProgramFolders& folders, const std::string& name) {
    for (const std::string* dir : {&folders.program, &folders.user, &folders.data}) {
        if (dir->empty())
            continue;
        std::string path = StartupFilePath(*dir, name);
        if (!path.empty())
            return path;
    }
    return std::string();
}

} // namespace kestra
