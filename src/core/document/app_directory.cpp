// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/app_directory.h"

#include <vector>

#include "core/document/file_io.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#else
#include <unistd.h>
#endif

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
#if defined(_WIN32)
    std::vector<wchar_t> buf(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n > 0 && n < buf.size()) {
        const int len = WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(n), nullptr, 0,
                                            nullptr, nullptr);
        std::string utf8(static_cast<size_t>(len), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(n), &utf8[0], len, nullptr,
                            nullptr);
        return DirectoryOf(utf8);
    }
#elif defined(__APPLE__)
    std::vector<char> buf(4096);
    uint32_t size = static_cast<uint32_t>(buf.size());
    if (_NSGetExecutablePath(buf.data(), &size) == 0)
        return DirectoryOf(buf.data());
#else
    std::vector<char> buf(4096);
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n > 0) {
        buf[static_cast<size_t>(n)] = '\0';
        return DirectoryOf(buf.data());
    }
#endif
    return DirectoryOf(argv0 ? argv0 : "");
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
