// SPDX-License-Identifier: GPL-3.0-or-later
// What `--version` prints and the about box adds: the program, its version
// (the one in CMake's project(), passed as KESTRA_VERSION) and its licence.
#pragma once

#include <string>

namespace kestra {

inline constexpr const char* kLicenceName = "GNU General Public License v3.0 or later"; // not shown: a name
inline constexpr const char* kLicenceSpdx = "GPL-3.0-or-later";

// "kestra-cli 0.1.0" followed by the copyright and licence lines.
inline std::string VersionNotice(const std::string& program) {
    return program + " " + KESTRA_VERSION +
           "\n"
           "Copyright (C) 2026 The Kestra developers\n" // not shown: the licence notice keeps its own words
           "License GPLv3+: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl-3.0.html>\n" // not shown
           "This is free software: you are free to change and redistribute it.\n" // not shown: the licence notice keeps its own words
           "There is NO WARRANTY, to the extent permitted by law.\n"; // not shown: the licence notice keeps its own words
}

} // namespace kestra
