// SPDX-License-Identifier: GPL-3.0-or-later
// The image a new document starts from: Default.dat next to the program when
// it can be opened, otherwise the built-in defaults.
#pragma once

#include <string>

#include "core/document/app_directory.h"
#include "core/image/radio_image.h"

namespace kestra {

inline constexpr const char* kDefaultImageFileName = "Default.dat";

// All bytes 0xFF, the 258 records cleared, and the built-in settings bytes.
void ApplyBuiltInDefaults(RadioImage& image);

// Fills the image as a new document does: all 0xFF, then up to 16384 bytes of
// "Default.dat" in appDirectory (a directory ending in a separator) when that
// file can be opened, else the built-in defaults. Returns true when
// Default.dat was used.
bool NewDocumentImage(const std::string& appDirectory, RadioImage& image);
// The same with Default.dat looked up beside the program, then in the
// user's folder, then in the packaged data folder.
bool NewDocumentImage(const ProgramFolders& folders, RadioImage& image);

} // namespace kestra
