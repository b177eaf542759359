#include "core/document/dat_file.h"

#include <algorithm>

#include "core/codec/codecs.h"
#include "core/document/file_io.h"

namespace kestra {

bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error) {
    std::string bytes;
    std::string reason;
    if (!ReadRegularFile(path, kImageSize, bytes, &reason)) {
        if (error)
            *error = Format("无法打开文件“%s”：%s", path.c_str(), reason.c_str());
        return false;
    }
    if (bytes.size() < kImageSize) {
        if (error)
            *error = Format("文件“%s”不是有效的数据文件：只有 %zu 字节，需要 %zu 字节。",
                            path.c_str(), bytes.size(), kImageSize);
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), image.data());
    return true;
}

bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error) {
    std::string reason;
    if (WriteWholeFile(path, image.data(), kImageSize, &reason))
        return true;
    if (error)
        *error = Format("无法保存文件“%s”：%s", path.c_str(), reason.c_str());
    return false;
}

} // namespace kestra
