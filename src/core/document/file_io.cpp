// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/file_io.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>

namespace kestra {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr std::size_t kReadChunk = 65536;
constexpr int kMaxLinkHops = 40;
// A temporary file's name: "<target>.<kTemporaryLetters letters or digits>" + kTemporarySuffix.
constexpr std::size_t kTemporaryLetters = 6;
constexpr char kTemporarySuffix[] = ".part";

bool Fail(std::string* reason, const std::string& text) {
    if (reason)
        *reason = text;
    return false;
}

bool FailErrno(std::string* reason, int error) {
    return Fail(reason, os::ErrorText(error));
}

// True, with the reason, when path is COM1.dat, NUL or another name Windows
// takes as a device.
bool NamesDevice(const std::string& path, std::string* reason) {
    if (!os::IsDeviceName(path))
        return false;
    Fail(reason,
         TranslateText(KESTRA_TEXT("kestra", "Windows 把这个名字留给设备（CON、PRN、AUX、NUL、"
                                             "COM1–COM9、LPT1–LPT9），文件不能用它")));
    return true;
}

// "<path>.<six random letters or digits>.part", a new name on every call.
// File systems allow 255 bytes in a name: the last part of a longer name is
// cut (at a character boundary) so that a file whose own name fits can still
// be saved.
std::string TemporaryNameFor(const std::string& path) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t kLongestName = 255, kAdded = 1 + 6 + 5; // ".xxxxxx.part"
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const auto slash = path.find_last_of('/');
    const std::size_t leafStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t end = path.size();
    if (end - leafStart + kAdded > kLongestName) {
        end = leafStart + kLongestName - kAdded;
        while (end > leafStart && (static_cast<unsigned char>(path[end]) & 0xC0) == 0x80)
            --end;
    }
    std::string name = path.substr(0, end) + '.';
    for (std::size_t i = 0; i < kTemporaryLetters; ++i)
        name += kChars[random() % (sizeof kChars - 1)];
    return name + kTemporarySuffix;
}

std::string DirectoryOf(const std::string& path) {
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

// The name a chain of symbolic links ends in when its last target does not
// exist (a dangling link): saving creates that file.
int FollowDanglingLinks(os::Files& files, std::string& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        os::FileStatus st;
        if (const int error = files.Status(path, false, st))
            return error == ENOENT ? 0 : error;
        if (st.kind != os::FileKind::Link)
            return 0;
        std::string link;
        if (const int error = files.ReadLink(path, link))
            return error;
        path = !link.empty() && link[0] == '/' ? link : DirectoryOf(path) + '/' + link;
    }
    return ELOOP;
}

// The bytes go straight into a device, FIFO or socket; nothing is replaced.
bool WriteInPlace(os::Files& files, const std::string& path, const void* data, std::size_t size,
                  std::string* reason) {
    os::Handle file;
    if (const int error = files.OpenToWrite(path, file))
        return error == ENXIO ? Fail(reason, TranslateText(KESTRA_TEXT(
                                                 "kestra", "这是一个管道（FIFO），没有程序在读它")))
                              : FailErrno(reason, error);
    int error = files.Write(file, static_cast<const char*>(data), size);
    const int closeError = files.Close(file);
    if (!error)
        error = closeError;
    return error ? FailErrno(reason, error) : true;
}

// A finished temporary file beside a target: created exclusively, written,
// flushed and closed; noted for the signal handler while it exists.
struct Temporary {
    std::string path;
    int slot = -1;
};

// Removes the temporary file and forgets it.
void DropTemporary(os::Files& files, Temporary& temp) {
    os::SignalsHeld held;
    files.Remove(temp.path);
    os::ForgetTemporary(temp.slot);
    temp.slot = -1;
}

// existing is the target's status when it is to be copied (permission bits,
// owner), else null. On failure nothing is left behind; answers the errno
// value.
int WriteTemporary(os::Files& files, const std::string& target, const void* data, std::size_t size,
                   const os::FileStatus* existing, Temporary& temp) {
    os::Handle file = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && error == EEXIST; ++attempt) {
        temp.path = TemporaryNameFor(target);
        os::SignalsHeld held;
        error = files.CreateExclusive(temp.path, file);
        if (!error)
            temp.slot = os::NoteTemporary(temp.path);
    }
    if (error)
        return error;

    if (existing)
        error = files.CopyOwnerAndMode(file, *existing);
    if (!error)
        error = files.Write(file, static_cast<const char*>(data), size);
    if (!error)
        error = files.Flush(file);
    // The file is closed whatever happened before.
    const int closeError = files.Close(file);
    if (!error)
        error = closeError;
    if (error)
        DropTemporary(files, temp);
    return error;
}

// Replaces the regular file target (or creates it) through a temporary file.
// existing is the target's status when it exists, else null.
bool ReplaceThroughTemporary(os::Files& files, const std::string& target, const void* data,
                             std::size_t size, const os::FileStatus* existing,
                             std::string* reason) {
    Temporary temp;
    if (const int error = WriteTemporary(files, target, data, size, existing, temp))
        return FailErrno(reason, error);
    int error;
    {
        os::SignalsHeld held;
        error = files.Rename(temp.path, target);
        if (!error)
            os::ForgetTemporary(temp.slot);
    }
    if (error) {
        DropTemporary(files, temp);
        return FailErrno(reason, error);
    }
    files.SyncFolderOf(target);
    return true;
}

} // namespace

std::string WriteTrialReason(const std::string& path, std::size_t size) {
    os::Files& files = os::SystemFiles();
    const std::string bytes(std::max<std::size_t>(size, 1), ' ');
    Temporary temp;
    const int error = WriteTemporary(files, path, bytes.data(), bytes.size(), nullptr, temp);
    if (error)
        return os::ErrorText(error);
    DropTemporary(files, temp);
    return std::string();
}

bool IsRegularFile(const std::string& path) {
    os::FileStatus st;
    return os::SystemFiles().Status(path, true, st) == 0 && st.kind == os::FileKind::Regular;
}

bool EnsureRegularFile(const std::string& path) {
    if (IsRegularFile(path))
        return true;
    os::Files& files = os::SystemFiles();
    os::Handle file;
    return files.CreateExclusive(path, file) == 0 && files.Close(file) == 0;
}

bool CanReplaceFile(const std::string& path) {
    return IsRegularFile(path) && os::SystemFiles().ReplaceRefusal(path) == 0;
}

long long RegularFileSize(const std::string& path) {
    os::FileStatus st;
    if (os::IsDeviceName(path) || os::SystemFiles().Status(path, true, st) != 0 ||
        st.kind != os::FileKind::Regular)
        return -1;
    return st.size;
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                     std::string* reason, long long* fileSize) {
    bytes.clear();
    if (NamesDevice(path, reason))
        return false;
    os::Files& files = os::SystemFiles();
    os::FileStatus st;
    if (const int error = files.Status(path, true, st))
        return FailErrno(reason, error);
    if (st.kind == os::FileKind::Directory)
        return FailErrno(reason, EISDIR);
    if (st.kind != os::FileKind::Regular)
        return Fail(reason, TranslateText(kNotRegularFileReason));
    os::Handle file;
    if (const int error = files.OpenToRead(path, file))
        return FailErrno(reason, error);
    // The name may have turned into something else since the check.
    if (files.StatusOf(file, st) != 0 || st.kind != os::FileKind::Regular) {
        files.Close(file);
        return Fail(reason, TranslateText(kNotRegularFileReason));
    }
    std::string data;
    char chunk[kReadChunk];
    while (data.size() < maxBytes) {
        std::size_t got = 0;
        const int error =
            files.Read(file, chunk, std::min(sizeof chunk, maxBytes - data.size()), got);
        if (error) {
            files.Close(file);
            return FailErrno(reason, error);
        }
        if (got == 0)
            break;
        data.append(chunk, got);
    }
    files.Close(file);
    bytes.swap(data);
    if (fileSize)
        *fileSize = st.size;
    return true;
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size,
                    std::string* reason, os::Files& files) {
    if (NamesDevice(path, reason))
        return false;
    os::FileStatus st;
    if (const int error = files.Status(path, true, st)) {
        if (error != ENOENT)
            return FailErrno(reason, error);
        // A new file, or a link to one that does not exist yet.
        std::string target = path;
        if (const int linkError = FollowDanglingLinks(files, target))
            return FailErrno(reason, linkError);
        return ReplaceThroughTemporary(files, target, data, size, nullptr, reason);
    }
    if (st.kind == os::FileKind::Directory)
        return FailErrno(reason, EISDIR);
    if (st.kind != os::FileKind::Regular)
        return WriteInPlace(files, path, data, size, reason);
    // A file made read-only is kept, as writing into it would be refused: a
    // rename would replace it whenever its folder is writable.
    // A writable file in a folder that is not: the temporary file cannot be
    // made beside it, and the reason names the folder.
    std::string folder;
    if (const int error = files.ReplaceRefusal(path, &folder))
        return folder.empty()
                   ? FailErrno(reason, error)
                   : Fail(reason, FillIn(TranslateText(KESTRA_TEXT(
                                             "kestra", "不能在文件夹 %1 中建立文件：%2")),
                                         {folder, os::ErrorText(error)}));
    os::FileStatus link;
    if (files.Status(path, false, link) == 0 && link.kind == os::FileKind::Link) {
        // Saved through the link: the file it points to is replaced.
        std::string target;
        if (const int error = files.RealPath(path, target))
            return FailErrno(reason, error);
        return ReplaceThroughTemporary(files, target, data, size, &st, reason);
    }
    return ReplaceThroughTemporary(files, path, data, size, &st, reason);
}

bool WriteNewFile(const std::function<std::string(int)>& nameFor, int maxNames, const void* data,
                  std::size_t size, std::string& claimedPath, std::string* reason,
                  os::Files& files) {
    if (maxNames < 1)
        return FailErrno(reason, EINVAL);
    Temporary temp;
    int error = WriteTemporary(files, nameFor(1), data, size, nullptr, temp);
    if (error)
        return FailErrno(reason, error);
    for (int n = 1; n <= maxNames; ++n) {
        const std::string path = nameFor(n);
        {
            os::SignalsHeld held;
            error = files.ClaimName(temp.path, path);
            if (!error)
                os::ForgetTemporary(temp.slot);
        }
        if (!error) {
            claimedPath = path;
            files.SyncFolderOf(path);
            return true;
        }
        if (error != EEXIST)
            break;
    }
    DropTemporary(files, temp);
    return FailErrno(reason, error);
}

bool IsTemporaryFileName(const std::string& name, std::string* target) {
    const std::size_t suffix = sizeof kTemporarySuffix - 1;
    const std::size_t added = 1 + kTemporaryLetters + suffix;
    if (name.size() <= added || name.compare(name.size() - suffix, suffix, kTemporarySuffix) != 0)
        return false;
    const std::size_t dot = name.size() - added;
    if (name[dot] != '.' || name.find('/') != std::string::npos)
        return false;
    for (std::size_t i = dot + 1; i < dot + 1 + kTemporaryLetters; ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    if (target)
        *target = name.substr(0, dot);
    return true;
}

void RemoveTemporaryFilesOnSignals() {
    os::RemoveTemporaryFilesOnSignals();
}

} // namespace kestra
