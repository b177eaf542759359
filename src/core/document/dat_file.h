// .dat files: exactly the 16384 image bytes, no header.
#pragma once

#include <string>

#include "core/image/radio_image.h"

namespace kestra {

// Reads a .dat file into the image. A file shorter than 16384 bytes, one that
// cannot be read, or one that is not a regular file (a FIFO or a device) is
// refused: the image keeps every byte it held and error receives a message
// for the user. Bytes beyond 16384 are ignored.
bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error);

// Writes the 16384 image bytes through WriteWholeFile (file_io.h): a regular
// file is replaced through a temporary file, a link is saved through, a
// device or FIFO receives the bytes; a failed save leaves the old file as it
// was.
bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error);

} // namespace kestra
