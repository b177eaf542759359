// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestra {

// Directory of the running executable, ending in a path separator; argv0 is
// the fallback where the platform cannot tell.
std::string ExecutableDirectory(const char* argv0);

// The path of a start-up file (a bitmap, Default.dat) in the program's
// directory, which ends in a separator; empty when no regular file of that
// name is there. A FIFO, device or directory of that name counts as absent:
// loading it would block or make no sense.
std::string StartupFilePath(const std::string& appDirectory, const std::string& name);

// The folders the program takes its files from, each ending in a separator
// (or empty when there is none), in the order they are searched:
//   program  beside the executable (an unpacked copy keeps everything here);
//   user     the per-user configuration folder (the user's Program.ini,
//            Default.dat and bitmaps of an installed program);
//   data     the packaged files of an installed program (share/kestra/).
struct ProgramFolders {
    std::string program;
    std::string user;
    std::string data;
};

// share/kestra/ of the installation the executable in programDirectory
// belongs to (the same path from bin/ to share/kestra/ as at build time),
// when that folder holds the packaged Program.ini; else empty.
std::string PackagedDataDirectory(const std::string& programDirectory);

// The first regular file called name in the folders above; empty when none.
std::string FindProgramFile(const ProgramFolders& folders, const std::string& name);

} // namespace kestra
