// .dat files: exactly the 16384 image bytes, no header.
#pragma once

#include <cstdio>
#include <string>

#include "core/image/radio_image.h"

namespace kestra {

// fopen for a UTF-8 path (wide-character open on Windows).
std::FILE* OpenFileForReading(const std::string& path);
std::FILE* OpenFileForWriting(const std::string& path);

// Reads a .dat file into the image. A file shorter than 16384 bytes, or one
// that cannot be read, is refused: the image keeps every byte it held and
// error receives a message for the user. Bytes beyond 16384 are ignored.
bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error);

// Writes the 16384 image bytes. The data goes to a temporary file beside the
// target first, so a failed save never leaves a truncated file behind.
bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error);

} // namespace kestra
