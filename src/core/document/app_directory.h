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

} // namespace kestra
