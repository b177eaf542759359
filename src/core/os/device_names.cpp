// SPDX-License-Identifier: GPL-3.0-or-later
// The device names of Windows, on every system (a rule, not a system call).
#include <string>

#include "core/codec/text.h"
#include "core/os/os.h"

namespace kestra::os {

bool IsWindowsDeviceName(const std::string& path) {
    const auto cut = path.find_last_of("/\\:");
    std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
    // The device is what comes before the first dot, trailing blanks dropped:
    // "nul.tar.gz" and "COM1 .dat" are devices too.
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    name = ToUpperAscii(name);
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

} // namespace kestra::os
