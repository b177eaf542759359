#include "core/document/dat_file.h"

#include <cerrno>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestra {

namespace {

#ifdef _WIN32
std::wstring Widen(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
    if (!w.empty())
        w.pop_back();
    return w;
}
#endif

std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool RenameFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void RemoveFile(const std::string& path) {
#ifdef _WIN32
    _wremove(Widen(path).c_str());
#else
    std::remove(path.c_str());
#endif
}

void SetError(std::string* error, const char* text, std::initializer_list<std::string> values) {
    if (error)
        *error = FillIn(TranslateText(text), values);
}

} // namespace

std::FILE* OpenFileForReading(const std::string& path) {
    return OpenFile(path, "rb");
}
std::FILE* OpenFileForWriting(const std::string& path) {
    return OpenFile(path, "wb");
}

bool LoadDatFile(const std::string& path, RadioImage& image, std::string* error) {
    std::FILE* f = OpenFileForReading(path);
    if (!f) {
        const int savedErrno = errno;
        SetError(error, kTextCannotOpenFile, {path, std::strerror(savedErrno)});
        return false;
    }
    std::vector<std::uint8_t> buffer(kImageSize);
    const std::size_t n = std::fread(buffer.data(), 1, kImageSize, f);
    const bool readError = std::ferror(f) != 0;
    const int savedErrno = errno;
    std::fclose(f);
    if (readError) {
        SetError(error, kTextCannotReadFile, {path, std::strerror(savedErrno)});
        return false;
    }
    if (n < kImageSize) {
        SetError(error, kTextNotADatFile, {path, std::to_string(n), std::to_string(kImageSize)});
        return false;
    }
    std::copy(buffer.begin(), buffer.end(), image.data());
    return true;
}

bool SaveDatFile(const std::string& path, const RadioImage& image, std::string* error) {
    const std::string temp = path + ".part";
    std::FILE* f = OpenFileForWriting(temp);
    if (!f) {
        const int savedErrno = errno;
        SetError(error, kTextCannotSaveFile, {path, std::strerror(savedErrno)});
        return false;
    }
    const std::size_t n = std::fwrite(image.data(), 1, kImageSize, f);
    int savedErrno = errno;
    const bool flushed = std::fflush(f) == 0;
    if (!flushed)
        savedErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!closed && flushed)
        savedErrno = errno;
    if (n != kImageSize || !flushed || !closed) {
        RemoveFile(temp);
        SetError(error, kTextCannotSaveFile, {path, std::strerror(savedErrno)});
        return false;
    }
    if (!RenameFile(temp, path)) {
        savedErrno = errno;
        RemoveFile(temp);
        SetError(error, kTextCannotSaveFile, {path, std::strerror(savedErrno)});
        return false;
    }
    return true;
}

} // namespace kestra
