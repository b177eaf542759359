#pragma once

#include <string>

namespace kestra {

// Directory of the running executable, ending in a path separator; argv0 is
// the fallback where the platform cannot tell.
std::string ExecutableDirectory(const char* argv0);

} // namespace kestra
