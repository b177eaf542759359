// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/file_io.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#endif

namespace kestra {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr std::size_t kReadChunk = 65536;

testing::SaveFaultHook g_saveFault = nullptr;

// The errno value a test injects before a step; 0 normally.
int InjectedFault(testing::SaveStep step) {
    return g_saveFault ? g_saveFault(step) : 0;
}

bool Fail(std::string* reason, const std::string& text) {
    if (reason)
        *reason = text;
    return false;
}

bool FailErrno(std::string* reason, int error) {
    return Fail(reason, std::strerror(error));
}

// "<path>.<six random letters or digits>.part", a new name on every call.
std::string TemporaryNameFor(const std::string& path) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string name = path + '.';
    for (int i = 0; i < 6; ++i)
        name += kChars[random() % (sizeof kChars - 1)];
    return name + ".part";
}

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

bool WriteAll(int fd, const char* p, std::size_t n, int& error) {
    while (n > 0) {
        const unsigned chunk = n > 0x40000000u ? 0x40000000u : static_cast<unsigned>(n);
        const int w = _write(fd, p, chunk);
        if (w < 0) {
            error = errno;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

#else

bool WriteAll(int fd, const char* p, std::size_t n, int& error) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

// The name a chain of symbolic links ends in when its last target does not
// exist (a dangling link): saving creates that file.
bool FollowDanglingLinks(std::string& path, int& error) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? true : (error = errno, false);
        if (!S_ISLNK(st.st_mode))
            return true;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
        if (n < 0) {
            error = errno;
            return false;
        }
        const std::string link(buf, static_cast<std::size_t>(n));
        path = link[0] == '/' ? link : DirectoryOf(path) + '/' + link;
    }
    error = ELOOP;
    return false;
}

// The bytes go straight into a device, FIFO or socket; nothing is replaced.
bool WriteInPlace(const std::string& path, const void* data, std::size_t size,
                  std::string* reason) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return FailErrno(reason, errno);
    int error = 0;
    const bool written = WriteAll(fd, static_cast<const char*>(data), size, error);
    if (::close(fd) != 0 && written)
        error = errno;
    if (!written || error != 0)
        return FailErrno(reason, error);
    return true;
}

// Best effort: makes the rename itself durable.
void SyncDirectoryOf(const std::string& path) {
    const int fd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#endif

// Thin wrappers so that the save below reads the same on every platform.
int OpenExclusive(const std::string& path) {
#ifdef _WIN32
    return _wopen(Widen(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
#else
    // Exclusive creation never follows a link planted under that name; 0666
    // less the umask is what any new file gets.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
}

bool FlushToDisk(int fd) {
#ifdef _WIN32
    return _commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

bool CloseFile(int fd) {
#ifdef _WIN32
    return _close(fd) == 0;
#else
    return ::close(fd) == 0;
#endif
}

bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = EACCES;
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void RemoveFile(const std::string& path) {
#ifdef _WIN32
    _wremove(Widen(path).c_str());
#else
    ::unlink(path.c_str());
#endif
}

// One step of a save: an injected fault fails it before it runs; otherwise
// error receives errno when run() fails.
template <typename Run> bool RunStep(testing::SaveStep step, int& error, Run run) {
    if ((error = InjectedFault(step)) != 0)
        return false;
    if (run())
        return true;
    error = errno;
    return false;
}

#ifdef _WIN32
using FileStatus = struct _stat64;
#else
using FileStatus = struct stat;
#endif

// Temporary files of saves in progress, for the signal handler: a fixed set
// of slots, each holding a path while its flag is set, so that the handler
// needs neither locks nor allocation.
constexpr int kTemporarySlots = 16;
constexpr std::size_t kSlotPathSize = 4096;
struct TemporarySlot {
    std::atomic<bool> reserved{false}; // taken by a save
    std::atomic<bool> used{false};     // path holds the file's name
    char path[kSlotPathSize];
};
TemporarySlot g_temporaries[kTemporarySlots];
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler reads the flags"); // not shown

#ifndef _WIN32
// Blocks SIGINT and SIGTERM on this thread while a temporary file and its
// slot change together, so that the handler never sees one without the other.
class SignalGuard {
public:
    SignalGuard() {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~SignalGuard() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    SignalGuard(const SignalGuard&) = delete;
    SignalGuard& operator=(const SignalGuard&) = delete;

private:
    sigset_t old_;
};

extern "C" void RemoveTemporariesAndEnd(int signal) {
    for (TemporarySlot& slot : g_temporaries)
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
#else
struct SignalGuard {};
#endif

// The slot noting path; -1 when every slot is taken (the file is then not
// removed on a signal) or the path is too long for one.
int NoteTemporary(const std::string& path) {
    if (path.size() >= kSlotPathSize)
        return -1;
    for (int i = 0; i < kTemporarySlots; ++i) {
        TemporarySlot& slot = g_temporaries[i];
        bool expected = false;
        if (!slot.reserved.compare_exchange_strong(expected, true))
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used.store(true, std::memory_order_release);
        return i;
    }
    return -1;
}

void ForgetTemporary(int slot) {
    if (slot < 0)
        return;
    g_temporaries[slot].used.store(false, std::memory_order_release);
    g_temporaries[slot].reserved.store(false, std::memory_order_release);
}

struct Temporary;
void DropTemporary(Temporary& temp);

// A finished temporary file beside target: created exclusively, written,
// flushed and closed. existing is the target's status when it is to be
// copied (permission bits, owner), else null. On failure nothing is left
// behind and error holds errno.
struct Temporary {
    std::string path;
    int slot = -1;
};

bool WriteTemporary(const std::string& target, const void* data, std::size_t size,
                    const FileStatus* existing, Temporary& temp, int& error) {
    using testing::SaveStep;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temp.path = TemporaryNameFor(target);
        SignalGuard guard;
        if (!RunStep(SaveStep::CreateTemporary, error,
                     [&] { return (fd = OpenExclusive(temp.path)) >= 0; })) {
            if (error != EEXIST)
                return false;
            continue;
        }
        temp.slot = NoteTemporary(temp.path);
    }
    if (fd < 0)
        return false;

    bool ok = true;
#ifndef _WIN32
    if (existing) {
        // Only root (or a member of the group) may keep the owner and group;
        // the permission bits are kept in any case.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), existing->st_gid) != 0) {
            // The file belongs to whoever saved it.
        }
        ok = RunStep(SaveStep::SetPermissions, error,
                     [&] { return ::fchmod(fd, existing->st_mode & 07777) == 0; });
    }
#else
    (void)existing;
#endif
    ok = ok && RunStep(SaveStep::Write, error, [&] {
             int e = 0;
             if (WriteAll(fd, static_cast<const char*>(data), size, e))
                 return true;
             errno = e;
             return false;
         });
    ok = ok && RunStep(SaveStep::Flush, error, [&] { return FlushToDisk(fd); });
    // The descriptor is closed whatever happened before.
    const bool closed = CloseFile(fd);
    const int closeError = errno;
    ok = ok && RunStep(SaveStep::Close, error, [&] {
             errno = closeError;
             return closed;
         });
    if (!ok)
        DropTemporary(temp);
    return ok;
}

// Removes the temporary file and forgets it.
void DropTemporary(Temporary& temp) {
    SignalGuard guard;
    RemoveFile(temp.path);
    ForgetTemporary(temp.slot);
    temp.slot = -1;
}

// Replaces the regular file target (or creates it) through a temporary file.
// existing is the target's status when it exists, else null.
bool ReplaceThroughTemporary(const std::string& target, const void* data, std::size_t size,
                             const FileStatus* existing, std::string* reason) {
    Temporary temp;
    int error = 0;
    if (!WriteTemporary(target, data, size, existing, temp, error))
        return FailErrno(reason, error);
    bool ok;
    {
        SignalGuard guard;
        ok = RunStep(testing::SaveStep::Rename, error, [&] { return RenameOver(temp.path, target); });
        if (ok)
            ForgetTemporary(temp.slot);
    }
    if (!ok) {
        DropTemporary(temp);
        return FailErrno(reason, error);
    }
#ifndef _WIN32
    SyncDirectoryOf(target);
#endif
    return true;
}

// Gives the finished temporary file the name path when nothing has it:
// false with EEXIST when the name is taken.
bool ClaimName(const std::string& temp, const std::string& path, int& error) {
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move fails when path exists.
    if (MoveFileExW(Widen(temp).c_str(), Widen(path).c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS ? EEXIST
                                                                                          : EACCES;
    return false;
#else
    if (::link(temp.c_str(), path.c_str()) == 0)
        return true;
    error = errno;
#ifdef __linux__
    // A file system without hard links may still rename without replacing.
    if (error == EPERM || error == ENOTSUP || error == ENOSYS || error == EMLINK) {
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        error = errno;
    }
#endif
    return false;
#endif
}

} // namespace

bool IsRegularFile(const std::string& path) {
#ifdef _WIN32
    struct _stat64 st;
    return _wstat64(Widen(path).c_str(), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

bool EnsureRegularFile(const std::string& path) {
    if (IsRegularFile(path))
        return true;
    const int fd = OpenExclusive(path);
    if (fd < 0)
        return false;
    return CloseFile(fd);
}

bool CanReplaceFile(const std::string& path) {
#ifdef _WIN32
    return IsRegularFile(path) && _waccess(Widen(path).c_str(), 2) == 0;
#else
    if (!IsRegularFile(path) || ::access(path.c_str(), W_OK) != 0)
        return false;
    // The temporary file goes beside the file a link points to.
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return false;
    const bool ok = ::access(DirectoryOf(real).c_str(), W_OK | X_OK) == 0;
    std::free(real);
    return ok;
#endif
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                     std::string* reason) {
    bytes.clear();
#ifdef _WIN32
    struct _stat64 st;
    if (_wstat64(Widen(path).c_str(), &st) != 0)
        return FailErrno(reason, errno);
    if ((st.st_mode & _S_IFMT) == _S_IFDIR)
        return FailErrno(reason, EISDIR);
    if ((st.st_mode & _S_IFMT) != _S_IFREG)
        return Fail(reason, TranslateText(kNotRegularFileReason));
    const int fd = _wopen(Widen(path).c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return FailErrno(reason, errno);
#else
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return FailErrno(reason, errno);
    if (S_ISDIR(st.st_mode))
        return FailErrno(reason, EISDIR);
    if (!S_ISREG(st.st_mode))
        return Fail(reason, TranslateText(kNotRegularFileReason));
    // O_NONBLOCK: should the name have turned into a FIFO since the check,
    // opening it does not wait for a writer. Regular files ignore the flag.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return FailErrno(reason, errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Fail(reason, TranslateText(kNotRegularFileReason));
    }
#endif
    std::string data;
    char chunk[kReadChunk];
    while (data.size() < maxBytes) {
        const std::size_t want = std::min(sizeof chunk, maxBytes - data.size());
#ifdef _WIN32
        const int n = _read(fd, chunk, static_cast<unsigned>(want));
#else
        const ssize_t n = ::read(fd, chunk, want);
        if (n < 0 && errno == EINTR)
            continue;
#endif
        if (n < 0) {
            const int error = errno;
#ifdef _WIN32
            _close(fd);
#else
            ::close(fd);
#endif
            return FailErrno(reason, error);
        }
        if (n == 0)
            break;
        data.append(chunk, static_cast<std::size_t>(n));
    }
#ifdef _WIN32
    _close(fd);
#else
    ::close(fd);
#endif
    bytes.swap(data);
    return true;
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size,
                    std::string* reason) {
#ifdef _WIN32
    struct _stat64 st;
    if (_wstat64(Widen(path).c_str(), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR)
        return FailErrno(reason, EISDIR);
    return ReplaceThroughTemporary(path, data, size, nullptr, reason);
#else
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return FailErrno(reason, errno);
        // A new file, or a link to one that does not exist yet.
        std::string target = path;
        int error = 0;
        if (!FollowDanglingLinks(target, error))
            return FailErrno(reason, error);
        return ReplaceThroughTemporary(target, data, size, nullptr, reason);
    }
    if (S_ISDIR(st.st_mode))
        return FailErrno(reason, EISDIR);
    if (!S_ISREG(st.st_mode))
        return WriteInPlace(path, data, size, reason);
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // Saved through the link: the file it points to is replaced.
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real)
            return FailErrno(reason, errno);
        const std::string target(real);
        std::free(real);
        return ReplaceThroughTemporary(target, data, size, &st, reason);
    }
    return ReplaceThroughTemporary(path, data, size, &st, reason);
#endif
}

bool WriteNewFile(const std::function<std::string(int)>& nameFor, int maxNames, const void* data,
                  std::size_t size, std::string& claimedPath, std::string* reason) {
    Temporary temp;
    int error = 0;
    if (maxNames < 1 || !WriteTemporary(nameFor(1), data, size, nullptr, temp, error))
        return FailErrno(reason, error ? error : EINVAL);
    for (int n = 1; n <= maxNames; ++n) {
        const std::string path = nameFor(n);
        if (ClaimName(temp.path, path, error)) {
            claimedPath = path;
#ifndef _WIN32
            DropTemporary(temp); // the file lives on under its new name
            SyncDirectoryOf(path);
#else
            ForgetTemporary(temp.slot);
#endif
            return true;
        }
        if (error != EEXIST)
            break;
    }
    DropTemporary(temp);
    return FailErrno(reason, error);
}

void RemoveTemporaryFilesOnSignals() {
#ifndef _WIN32
    std::signal(SIGINT, RemoveTemporariesAndEnd);
    std::signal(SIGTERM, RemoveTemporariesAndEnd);
#endif
}

namespace testing {
void SetSaveFaultHook(SaveFaultHook hook) {
    g_saveFault = hook;
}
} // namespace testing

} // namespace kestra
