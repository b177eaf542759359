// SPDX-License-Identifier: GPL-3.0-or-later
// .dat files: exactly the 16384 image bytes, no header.
#pragma once

#include <string>

#include "core/codec/text_seam.h"
#include "core/image/radio_image.h"

namespace kestra {

// What a refused open or save tells the user: %1 is the file's path, %2 the
// system's reason (%2 and %3 of kTextNotADatFile are its size and the size
// needed). The message is composed from the translated template.
inline constexpr const char* kTextCannotOpenFile = KESTRA_TEXT("kestra", "无法打开文件“%1”：%2");
inline constexpr const char* kTextNotADatFile =
    KESTRA_TEXT("kestra", "文件“%1”不是有效的数据文件：只有 %2 字节，需要 %3 字节。");
inline constexpr const char* kTextCannotSaveFile = KESTRA_TEXT("kestra", "无法保存文件“%1”：%2");
// A file longer than an image: %1 the path, %2 its size, %3 the image's.
inline constexpr const char* kTextDatFileLonger = KESTRA_TEXT(
    "kestra",
    "文件“%1”有 %2 字节，比数据文件的 %3 字节长：只读入了前 %3 字节，其余的字节没有读入。");

// Reads a .dat file into the image. A file shorter than 16384 bytes, one that
// cannot be read, or one that is not a regular file (a FIFO or a device) is
// refused: the image keeps every byte it held and error receives a message
// for the user. Bytes beyond 16384 are ignored; fileSize, when given,
// receives the size of the whole file, so that the caller can say so (see
// DatFileLongerNote).
bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error,
                 long long* fileSize = nullptr);

// The size of the regular file path names when it is longer than an image,
// else 0. A save over such a file would keep only the image's bytes of it:
// the application asks first, kestra-cli refuses.
long long LongerThanImage(const std::string& path);

// kTextDatFileLonger for path of size bytes when that is longer than an
// image (only its first 16384 bytes were read); empty otherwise.
std::string DatFileLongerNote(const std::string& path, long long size);

// Writes the 16384 image bytes through WriteWholeFile (file_io.h): a regular
// file is replaced through a temporary file, a link is saved through, a
// device or FIFO receives the bytes; a failed save leaves the old file as it
// was.
bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error);

} // namespace kestra
