// SPDX-License-Identifier: GPL-3.0-or-later
// os.h on Windows: wide-character calls on UTF-8 paths converted to UTF-16.
// Windows has no symbolic links in the POSIX sense here (a path's status is
// that of what it names), no owner to keep and no signal that ends a save
// half-way, so those calls do nothing.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs what windows.h defines.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/os/os.h"

namespace kestra::os {

namespace {

std::wstring Widen(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n > 0 ? static_cast<std::size_t>(n) : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const wchar_t* w, int size) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, size, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, w, size, &s[0], n, nullptr, nullptr);
    return s;
}

// The errno value for the last failed Windows call.
int LastError() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return EACCES;
    }
}

FileStatus FromStat(const struct _stat64& st) {
    FileStatus s;
    const unsigned type = st.st_mode & _S_IFMT;
    s.kind = type == _S_IFREG   ? FileKind::Regular
             : type == _S_IFDIR ? FileKind::Directory
                                : FileKind::Other;
    s.mode = st.st_mode & 0777;
    return s;
}

int Opened(int fd, Handle& file) {
    file = fd;
    return fd < 0 ? errno : 0;
}

constexpr unsigned kMaxChunk = 0x40000000u;

} // namespace

int Files::Status(const std::string& path, bool, FileStatus& status) {
    struct _stat64 st;
    if (_wstat64(Widen(path).c_str(), &st) != 0)
        return errno;
    status = FromStat(st);
    return 0;
}

int Files::StatusOf(Handle file, FileStatus& status) {
    struct _stat64 st;
    if (_fstat64(file, &st) != 0)
        return errno;
    status = FromStat(st);
    return 0;
}

int Files::ReadLink(const std::string&, std::string&) {
    return EINVAL;
}

int Files::RealPath(const std::string& path, std::string& real) {
    wchar_t* full = _wfullpath(nullptr, Widen(path).c_str(), 0);
    if (!full)
        return errno;
    real = Narrow(full, static_cast<int>(wcslen(full)));
    std::free(full);
    return 0;
}

int Files::ReplaceRefusal(const std::string& path, std::string*) {
    return _waccess(Widen(path).c_str(), 2) == 0 ? 0 : errno;
}

int Files::OpenToRead(const std::string& path, Handle& file) {
    return Opened(_wopen(Widen(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT), file);
}

int Files::OpenToWrite(const std::string& path, Handle& file) {
    return Opened(_wopen(Widen(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT), file);
}

int Files::CreateExclusive(const std::string& path, Handle& file) {
    return Opened(_wopen(Widen(path).c_str(),
                         _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                         _S_IREAD | _S_IWRITE),
                  file);
}

int Files::CopyOwnerAndMode(Handle, const FileStatus&) {
    return 0;
}

int Files::Read(Handle file, char* data, std::size_t size, std::size_t& got) {
    const int n = _read(file, data, size > kMaxChunk ? kMaxChunk : static_cast<unsigned>(size));
    if (n < 0)
        return errno;
    got = static_cast<std::size_t>(n);
    return 0;
}

int Files::Write(Handle file, const char* data, std::size_t size) {
    while (size > 0) {
        const int n =
            _write(file, data, size > kMaxChunk ? kMaxChunk : static_cast<unsigned>(size));
        if (n < 0)
            return errno;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int Files::Flush(Handle file) {
    return _commit(file) == 0 ? 0 : errno;
}

int Files::Close(Handle file) {
    return _close(file) == 0 ? 0 : errno;
}

int Files::Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

int Files::ClaimName(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when to exists.
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

int Files::Remove(const std::string& path) {
    return _wremove(Widen(path).c_str()) == 0 ? 0 : errno;
}

void Files::SyncFolderOf(const std::string&) {}

Files& SystemFiles() {
    static Files files;
    return files;
}

int NoteTemporary(const std::string&) {
    return -1;
}

void ForgetTemporary(int) {}

void RemoveTemporaryFilesOnSignals() {}

SignalsHeld::SignalsHeld() : saved_{} {}

SignalsHeld::~SignalsHeld() = default;

std::string ExecutablePath() {
    std::wstring buf(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size())
        return std::string();
    return Narrow(buf.data(), static_cast<int>(n));
}

std::tm LocalTime(std::time_t now) {
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i)
        args.push_back(Narrow(wide[i], static_cast<int>(wcslen(wide[i]))));
    LocalFree(wide);
    return args;
}

void UseBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace kestra::os
