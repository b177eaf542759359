// SPDX-License-Identifier: GPL-3.0-or-later
// os.h on Linux, macOS and the BSDs.
#include "core/os/os.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace kestra::os {

namespace {

std::string FolderOf(const std::string& path) {
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

FileStatus FromStat(const struct stat& st) {
    FileStatus s;
    s.kind = S_ISREG(st.st_mode)   ? FileKind::Regular
             : S_ISDIR(st.st_mode) ? FileKind::Directory
             : S_ISLNK(st.st_mode) ? FileKind::Link
                                   : FileKind::Other;
    s.mode = st.st_mode & 07777;
    s.owner = st.st_uid;
    s.group = st.st_gid;
    s.size = static_cast<long long>(st.st_size);
    return s;
}

int Opened(int fd, Handle& file) {
    file = fd;
    return fd < 0 ? errno : 0;
}

} // namespace

int Files::Status(const std::string& path, bool follow, FileStatus& status) {
    struct stat st;
    if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return errno;
    status = FromStat(st);
    return 0;
}

int Files::StatusOf(Handle file, FileStatus& status) {
    struct stat st;
    if (::fstat(file, &st) != 0)
        return errno;
    status = FromStat(st);
    return 0;
}

int Files::ReadLink(const std::string& path, std::string& target) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    if (n < 0)
        return errno;
    if (static_cast<std::size_t>(n) >= sizeof buf)
        return ENAMETOOLONG;
    target.assign(buf, static_cast<std::size_t>(n));
    return 0;
}

int Files::RealPath(const std::string& path, std::string& real) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return errno;
    real = resolved;
    std::free(resolved);
    return 0;
}

int Files::ReplaceRefusal(const std::string& path, std::string* folder) {
    if (::access(path.c_str(), W_OK) != 0)
        return errno;
    std::string real;
    if (const int error = RealPath(path, real))
        return error;
    if (::access(FolderOf(real).c_str(), W_OK | X_OK) == 0)
        return 0;
    const int error = errno;
    if (folder)
        *folder = FolderOf(real);
    return error;
}

int Files::OpenToRead(const std::string& path, Handle& file) {
    // O_NONBLOCK: should the name be a FIFO, opening it does not wait for a
    // writer. Regular files ignore the flag.
    return Opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC), file);
}

int Files::OpenToWrite(const std::string& path, Handle& file) {
    // O_NONBLOCK: a FIFO nobody reads fails at once (ENXIO) instead of
    // waiting for a reader that may never come. The writes then wait again.
    if (const int error =
            Opened(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC), file))
        return error;
    const int flags = ::fcntl(file, F_GETFL);
    if (flags < 0 || ::fcntl(file, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        const int error = errno;
        ::close(file);
        return error;
    }
    return 0;
}

int Files::CreateExclusive(const std::string& path, Handle& file) {
    // 0666 less the umask is what any new file gets.
    return Opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666),
                  file);
}

int Files::CopyOwnerAndMode(Handle file, const FileStatus& status) {
    // Only root (or a member of the group) may keep the owner and group;
    // otherwise the file belongs to whoever saved it.
    if (::fchown(file, static_cast<uid_t>(status.owner), static_cast<gid_t>(status.group)) != 0 &&
        ::fchown(file, static_cast<uid_t>(-1), static_cast<gid_t>(status.group)) != 0) {
    }
    return ::fchmod(file, static_cast<mode_t>(status.mode & 07777)) == 0 ? 0 : errno;
}

int Files::Read(Handle file, char* data, std::size_t size, std::size_t& got) {
    for (;;) {
        const ssize_t n = ::read(file, data, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR)
            return errno;
    }
}

int Files::Write(Handle file, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(file, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int Files::Flush(Handle file) {
    return ::fsync(file) == 0 ? 0 : errno;
}

int Files::Close(Handle file) {
    return ::close(file) == 0 ? 0 : errno;
}

int Files::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int Files::ClaimName(const std::string& from, const std::string& to) {
    // A hard link fails when the name exists; the file then lives on under
    // its new name alone.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    const int error = errno;
#if defined(__linux__)
    // A file system without hard links may still rename without replacing.
    if (error == EPERM || error == ENOTSUP || error == ENOSYS || error == EMLINK)
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0
                   ? 0
                   : errno;
#endif
    return error;
}

int Files::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

void Files::SyncFolderOf(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

Files& SystemFiles() {
    static Files files;
    return files;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

bool IsDeviceName(const std::string&) {
    return false; // COM1.dat is a file like any other
}

bool NamesIgnoreCase() {
#if defined(__APPLE__)
    return true;
#else
    return false;
#endif
}

// A fixed set of slots, each holding a path while its flag is set, so that
// the signal handler needs neither locks nor allocation.
namespace {
constexpr int kTemporarySlots = 16;
constexpr std::size_t kSlotPathSize = 4096;
struct TemporarySlot {
    std::atomic<bool> reserved{false}; // taken by a save
    std::atomic<bool> used{false};     // path holds the file's name
    char path[kSlotPathSize];
};
TemporarySlot g_temporaries[kTemporarySlots];
static_assert(std::atomic<bool>::is_always_lock_free,
              "the signal handler reads the flags"); // not shown

extern "C" void RemoveTemporariesAndEnd(int signal) {
    for (TemporarySlot& slot : g_temporaries)
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
} // namespace

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

void RemoveTemporaryFilesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::signal(signal, RemoveTemporariesAndEnd);
    // Past the file size limit a write fails with EFBIG, and the save that
    // made it removes its temporary file and keeps the old one.
    ::signal(SIGXFSZ, SIG_IGN);
}

static_assert(sizeof(sigset_t) <= sizeof(std::uint64_t[16]),
              "SignalsHeld keeps a sigset_t"); // not shown

SignalsHeld::SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigset_t old;
    pthread_sigmask(SIG_BLOCK, &set, &old);
    std::memcpy(saved_, &old, sizeof old);
}

SignalsHeld::~SignalsHeld() {
    sigset_t old;
    std::memcpy(&old, saved_, sizeof old);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

std::string ExecutablePath() {
#if defined(__APPLE__)
    char buf[4096];
    uint32_t size = sizeof buf;
    if (_NSGetExecutablePath(buf, &size) == 0)
        return buf;
#else
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0)
        return std::string(buf, static_cast<std::size_t>(n));
#endif
    return std::string();
}

std::tm LocalTime(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void PrepareStandardStreams() {}

} // namespace kestra::os
