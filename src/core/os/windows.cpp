// SPDX-License-Identifier: GPL-3.0-or-later
// os.h on Windows: wide-character calls on UTF-8 paths converted to UTF-16.
// Windows has no symbolic links in the POSIX sense here (a path's status is
// that of what it names) and no owner to keep, so those calls do nothing; a
// save keeps the file's hidden and system attributes instead. Ctrl+C, Ctrl+Break
// and closing the console remove the temporary files of saves in progress.
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

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <mutex>
#include <string>

#include "core/codec/text_seam.h"
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

// A path for the wide-character calls: one that may reach the 260 characters
// of a classic Windows path (with the 14 a temporary name adds) goes absolute
// with the \\?\ prefix that lifts the limit.
std::wstring WidePath(const std::string& path) {
    std::wstring w = Widen(path);
    if (w.size() < MAX_PATH - 20 || w.rfind(L"\\\\?\\", 0) == 0)
        return w;
    const DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return w;
    std::wstring full(n, L'\0');
    const DWORD got = GetFullPathNameW(w.c_str(), n, &full[0], nullptr);
    if (got == 0 || got >= n)
        return w;
    full.resize(got);
    if (full.rfind(L"\\\\", 0) == 0) // \\server\share
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string Narrow(const wchar_t* w, int size) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, size, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, w, size, &s[0], n, nullptr, nullptr);
    return s;
}

// The failure of the last Windows call: the errno value callers test for,
// else the negated Windows code (ErrorText has its words).
int LastError() {
    const DWORD code = GetLastError();
    switch (code) {
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
        return -static_cast<int>(code);
    }
}

// The failure of the last C runtime call. The runtime calls a dozen Windows
// errors EACCES, a file another program holds open among them; the Windows
// error behind it says which. Each call clears _doserrno first.
int CrtFailure() {
    const unsigned long code = _doserrno;
    return errno == EACCES && code != 0 ? -static_cast<int>(code) : errno;
}

// Errors that last as long as another program (a virus scanner, an indexer)
// looks at a file it has just seen appear.
bool BrieflyHeld(int error) {
    return error == -ERROR_ACCESS_DENIED || error == -ERROR_SHARING_VIOLATION ||
           error == -ERROR_LOCK_VIOLATION;
}

FileStatus FromStat(const struct _stat64& st) {
    FileStatus s;
    const unsigned type = st.st_mode & _S_IFMT;
    s.kind = type == _S_IFREG   ? FileKind::Regular
             : type == _S_IFDIR ? FileKind::Directory
                                : FileKind::Other;
    s.mode = st.st_mode & 0777;
    s.size = static_cast<long long>(st.st_size);
    return s;
}

int Opened(int fd, Handle& file) {
    file = fd;
    return fd < 0 ? CrtFailure() : 0;
}

// The path _wstat64 understands: it fails on a trailing separator, except
// after a drive ("C:\\").
std::wstring StatPath(const std::string& path) {
    std::wstring w = WidePath(path);
    while (w.size() > 1 && (w.back() == L'\\' || w.back() == L'/') && w[w.size() - 2] != L':')
        w.pop_back();
    return w;
}

constexpr unsigned kMaxChunk = 0x40000000u;

// Attributes a save copies to the new file. Read-only is not among them: a
// read-only file is never replaced.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

int Files::Status(const std::string& path, bool, FileStatus& status) {
    const std::wstring w = StatPath(path);
    struct _stat64 st;
    _doserrno = 0;
    if (_wstat64(w.c_str(), &st) != 0)
        return CrtFailure();
    status = FromStat(st);
    const DWORD attributes = GetFileAttributesW(w.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        status.attributes = attributes;
    return 0;
}

int Files::StatusOf(Handle file, FileStatus& status) {
    struct _stat64 st;
    _doserrno = 0;
    if (_fstat64(file, &st) != 0)
        return CrtFailure();
    status = FromStat(st);
    return 0;
}

int Files::ReadLink(const std::string&, std::string&) {
    return EINVAL;
}

int Files::RealPath(const std::string& path, std::string& real) {
    wchar_t* full = _wfullpath(nullptr, WidePath(path).c_str(), 0);
    if (!full)
        return errno;
    real = Narrow(full, static_cast<int>(wcslen(full)));
    std::free(full);
    return 0;
}

int Files::ReplaceRefusal(const std::string& path, std::string*) {
    _doserrno = 0;
    return _waccess(WidePath(path).c_str(), 2) == 0 ? 0 : CrtFailure();
}

int Files::OpenToRead(const std::string& path, Handle& file) {
    _doserrno = 0;
    return Opened(_wopen(WidePath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT), file);
}

int Files::OpenToWrite(const std::string& path, Handle& file) {
    _doserrno = 0;
    return Opened(_wopen(WidePath(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT), file);
}

int Files::CreateExclusive(const std::string& path, Handle& file) {
    _doserrno = 0;
    return Opened(_wopen(WidePath(path).c_str(),
                         _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                         _S_IREAD | _S_IWRITE),
                  file);
}

// The hidden and system attributes; best effort, as a file system may refuse
// them and the data matter more.
int Files::CopyOwnerAndMode(Handle file, const FileStatus& status) {
    const DWORD kept = status.attributes & kKeptAttributes;
    if (kept == 0)
        return 0;
    FILE_BASIC_INFO info{}; // times of 0 stay as they are
    info.FileAttributes = kept | FILE_ATTRIBUTE_ARCHIVE;
    SetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(file)), FileBasicInfo, &info,
                               sizeof info);
    return 0;
}

int Files::Read(Handle file, char* data, std::size_t size, std::size_t& got) {
    const int n = _read(file, data, size > kMaxChunk ? kMaxChunk : static_cast<unsigned>(size));
    if (n < 0)
        return CrtFailure();
    got = static_cast<std::size_t>(n);
    return 0;
}

int Files::Write(Handle file, const char* data, std::size_t size) {
    while (size > 0) {
        const int n =
            _write(file, data, size > kMaxChunk ? kMaxChunk : static_cast<unsigned>(size));
        if (n < 0)
            return CrtFailure();
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int Files::Flush(Handle file) {
    _doserrno = 0;
    return _commit(file) == 0 ? 0 : CrtFailure();
}

int Files::Close(Handle file) {
    _doserrno = 0;
    return _close(file) == 0 ? 0 : CrtFailure();
}

namespace {
// Moves from to to, trying again for about a second while another program
// holds either file briefly.
int Move(const std::string& from, const std::string& to, DWORD flags) {
    const std::wstring source = WidePath(from);
    const std::wstring target = WidePath(to);
    int error = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (attempt > 0)
            Sleep(50);
        if (MoveFileExW(source.c_str(), target.c_str(), flags))
            return 0;
        error = LastError();
        if (!BrieflyHeld(error))
            break;
    }
    return error;
}
} // namespace

int Files::Rename(const std::string& from, const std::string& to) {
    return Move(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

int Files::ClaimName(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when to exists.
    return Move(from, to, MOVEFILE_WRITE_THROUGH);
}

int Files::Remove(const std::string& path) {
    _doserrno = 0;
    return _wremove(WidePath(path).c_str()) == 0 ? 0 : CrtFailure();
}

void Files::SyncFolderOf(const std::string&) {}

Files& SystemFiles() {
    static Files files;
    return files;
}

std::string ErrorText(int error) {
    if (error >= 0)
        return std::strerror(error);
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(-error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = n > 0 && text ? std::wstring(text, n) : std::wstring();
    LocalFree(text);
    // "The process cannot access the file ...\r\n": one line, no full stop,
    // as strerror words are.
    while (!words.empty() && (std::iswspace(words.back()) || words.back() == L'.'))
        words.pop_back();
    if (words.empty())
        return FillIn(TranslateText(KESTRA_TEXT("kestra", "Windows 错误 %1")),
                      {std::to_string(-error)});
    return Narrow(words.data(), static_cast<int>(words.size()));
}

bool IsDeviceName(const std::string& path) {
    return IsWindowsDeviceName(path);
}

bool NamesIgnoreCase() {
    return true;
}

// The temporary files of saves in progress, removed by the console's Ctrl+C,
// Ctrl+Break and close events. The handler runs on a thread of its own: it
// takes the lock that SignalsHeld holds, and keeps it while the process ends.
namespace {
constexpr int kTemporarySlots = 16;
std::recursive_mutex g_temporaryLock;
std::array<std::wstring, kTemporarySlots> g_temporaries;

BOOL WINAPI RemoveTemporariesAndEnd(DWORD) {
    g_temporaryLock.lock();
    for (const std::wstring& path : g_temporaries)
        if (!path.empty())
            DeleteFileW(path.c_str());
    return FALSE; // the default handler ends the process
}
} // namespace

int NoteTemporary(const std::string& path) {
    std::lock_guard<std::recursive_mutex> lock(g_temporaryLock);
    for (int i = 0; i < kTemporarySlots; ++i)
        if (g_temporaries[i].empty()) {
            g_temporaries[i] = WidePath(path);
            return i;
        }
    return -1;
}

void ForgetTemporary(int slot) {
    std::lock_guard<std::recursive_mutex> lock(g_temporaryLock);
    if (slot >= 0 && slot < kTemporarySlots)
        g_temporaries[slot].clear();
}

void RemoveTemporaryFilesOnSignals() {
    SetConsoleCtrlHandler(RemoveTemporariesAndEnd, TRUE);
}

SignalsHeld::SignalsHeld() : saved_{} {
    g_temporaryLock.lock();
}

SignalsHeld::~SignalsHeld() {
    g_temporaryLock.unlock();
}

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

namespace {
UINT g_consoleCodePage = 0;
void RestoreConsoleCodePage() {
    SetConsoleOutputCP(g_consoleCodePage);
}
} // namespace

void PrepareStandardStreams() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    // The console takes the program's UTF-8 as UTF-8 while it runs.
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage != 0 && g_consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(RestoreConsoleCodePage);
}

} // namespace kestra::os
