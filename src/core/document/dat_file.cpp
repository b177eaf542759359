// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/dat_file.h"

#include <algorithm>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/document/file_io.h"

namespace kestra {

bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error,
                 long long* fileSize) {
    std::string bytes;
    std::string reason;
    if (!ReadRegularFile(path, kImageSize, bytes, &reason, fileSize)) {
        if (error)
            *error = FillIn(TranslateText(kTextCannotOpenFile), {EscapeControl(path), reason});
        return false;
    }
    if (bytes.size() < kImageSize) {
        if (error)
            *error = FillIn(
                TranslateText(kTextNotADatFile),
                {EscapeControl(path), std::to_string(bytes.size()), std::to_string(kImageSize)});
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), image.data());
    return true;
}

long long LongerThanImage(const std::string& path) {
    const long long size = RegularFileSize(path);
    return size > static_cast<long long>(kImageSize) ? size : 0;
}

std::string DatFileLongerNote(const std::string& path, long long size) {
    if (size <= static_cast<long long>(kImageSize))
        return std::string();
    return FillIn(TranslateText(kTextDatFileLonger),
                  {EscapeControl(path), std::to_string(size), std::to_string(kImageSize)});
}

bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error) {
    std::string reason;
    if (WriteWholeFile(path, image.data(), kImageSize, &reason))
        return true;
    if (error)
        *error = FillIn(TranslateText(kTextCannotSaveFile), {EscapeControl(path), reason});
    return false;
}

} // namespace kestra
