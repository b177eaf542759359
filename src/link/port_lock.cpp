// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_lock.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <locale>
#include <sstream>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#define KESTRA_POSIX_PORTS 1
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kestra {

#ifdef KESTRA_POSIX_PORTS

namespace {

// QSerialPort's lock directories, in the order it tries them.
constexpr const char* kLockDirectories[] = {
    "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock",
};

constexpr std::size_t kCommLength = 15; // /proc/PID/comm keeps this much of a name

bool ProcessRuns(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Reads a small file (a /proc entry, a lock file) without following a link
// or waiting on a FIFO; false when it cannot be read.
bool ReadSmallFile(const std::string& path, std::string& out, bool followLinks) {
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return false;
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n < 0)
        return false;
    out.assign(buffer, static_cast<std::size_t>(n));
    return true;
}

// The file name of a process's program as QSerialPort records it (the
// executable's name); empty when it cannot be read (another user's process).
std::string ExecutableName(int pid) {
#ifdef __linux__
    char target[PATH_MAX];
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return std::string();
    std::string path(target, static_cast<std::size_t>(n));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return BaseName(path);
#else
    (void)pid;
    return std::string();
#endif
}

// The name to show for a process: its program's file name, else its command
// name.
std::string ProcessName(int pid) {
    std::string name = ExecutableName(pid);
#ifdef __linux__
    if (name.empty() && ReadSmallFile("/proc/" + std::to_string(pid) + "/comm", name, true)) {
        while (!name.empty() && (name.back() == '\n' || name.back() == '\0'))
            name.pop_back();
    }
#endif
    return name;
}

// The pid and the program a lock file records. QSerialPort writes the pid
// and the program on lines of their own; UUCP-style files written by other
// programs hold the pid padded with spaces, sometimes followed by the
// program on the same line.
bool ParseLockFile(const std::string& text, int& pid, std::string& program) {
    const std::size_t newline = text.find('\n');
    const std::string first = text.substr(0, newline);
    const char* digits = first.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(digits, &end, 10);
    if (end == digits || errno != 0 || value <= 0 || value > INT_MAX ||
        (*end != '\0' && *end != ' ' && *end != '\t'))
        return false;
    pid = static_cast<int>(value);
    std::istringstream sameLine(end);
    sameLine.imbue(std::locale::classic());
    program.clear();
    sameLine >> program;
    if (program.empty() && newline != std::string::npos)
        program = text.substr(newline + 1, text.find('\n', newline + 1) - newline - 1);
    return true;
}

// True when the running process pid is the program a lock file records (or
// when that cannot be told); false when the pid now belongs to another one.
bool RunsProgram(int pid, const std::string& program) {
    if (program.empty())
        return true;
    const std::string executable = ExecutableName(pid);
    if (!executable.empty())
        return executable == BaseName(program);
    std::string comm = ProcessName(pid);
    return comm.empty() || comm == BaseName(program).substr(0, kCommLength);
}

#ifdef __linux__
// The index of the pseudo-terminal behind a descriptor of /dev/ptmx, from
// the "tty-index:" line of its fdinfo; -1 when it is none.
int MasterIndex(const std::string& pid, const std::string& fd) {
    char target[64];
    const std::string link = "/proc/" + pid + "/fd/" + fd;
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0 || BaseName(std::string(target, static_cast<std::size_t>(n))) != "ptmx")
        return -1;
    std::string info;
    if (!ReadSmallFile("/proc/" + pid + "/fdinfo/" + fd, info, true))
        return -1;
    const auto at = info.find("tty-index:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 10);
}

bool AllDigits(const char* s) {
    if (!*s)
        return false;
    for (; *s; ++s)
        if (*s < '0' || *s > '9')
            return false;
    return true;
}

// Whether process pid has the device open, and whether it holds the master
// side of pseudo-terminal ptyIndex.
void ScanProcess(const std::string& pid, dev_t device, int ptyIndex, bool& uses, bool& otherEnd) {
    const std::string dir = "/proc/" + pid + "/fd";
    DIR* fds = ::opendir(dir.c_str());
    if (!fds)
        return;
    while (const struct dirent* entry = ::readdir(fds)) {
        struct stat st;
        if (!AllDigits(entry->d_name) || ::stat((dir + "/" + entry->d_name).c_str(), &st) != 0 ||
            !S_ISCHR(st.st_mode))
            continue;
        if (st.st_rdev == device)
            uses = true;
        else if (ptyIndex >= 0 && MasterIndex(pid, entry->d_name) == ptyIndex)
            otherEnd = true;
    }
    ::closedir(fds);
}
#endif

} // namespace

std::string PortLockFilePath(const std::string& path) {
    std::string name = path.compare(0, 5, "/dev/") == 0 ? path.substr(5) : path;
    for (char& c : name)
        if (c == '/')
            c = '_';
    // KESTRA_LOCKDIR, when set, is the only lock directory: the tests' own.
    const char* own = std::getenv("KESTRA_LOCKDIR");
    std::vector<std::string> dirs;
    if (own && *own)
        dirs.emplace_back(own);
    else
        dirs.assign(std::begin(kLockDirectories), std::end(kLockDirectories));
    for (const std::string& dir : dirs) {
        const std::string file = dir + "/LCK.." + name;
        if (::access(dir.c_str(), R_OK) == 0 &&
            (::access(file.c_str(), F_OK) == 0 || ::access(dir.c_str(), W_OK) == 0))
            return file;
    }
    return std::string();
}

LockFileState InspectLockFile(const std::string& lockPath, HolderProcess* holder) {
    struct stat st;
    if (lockPath.empty() || ::lstat(lockPath.c_str(), &st) != 0)
        return LockFileState::Absent;
    std::string text;
    int pid = 0;
    std::string program;
    if (!S_ISREG(st.st_mode) || !ReadSmallFile(lockPath, text, false) ||
        !ParseLockFile(text, pid, program) || !ProcessRuns(pid) || !RunsProgram(pid, program))
        return LockFileState::Stale;
    if (holder) {
        holder->pid = pid;
        holder->name = ProcessName(pid);
        if (holder->name.empty())
            holder->name = BaseName(program);
    }
    return LockFileState::Live;
}

bool RemoveStaleLockFile(const std::string& lockPath) {
    struct stat st;
    if (::lstat(lockPath.c_str(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode))
        return ::rmdir(lockPath.c_str()) == 0;
    return ::unlink(lockPath.c_str()) == 0 || errno == ENOENT;
}

bool FindDeviceUser(const std::string& path, HolderProcess* holder) {
#ifdef __linux__
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const std::string ptsPrefix = "/dev/pts/";
    const int ptyIndex = path.compare(0, ptsPrefix.size(), ptsPrefix) == 0 &&
                                 AllDigits(path.c_str() + ptsPrefix.size())
                             ? std::atoi(path.c_str() + ptsPrefix.size())
                             : -1;
    const std::string self = std::to_string(::getpid());
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return false;
    bool found = false;
    while (const struct dirent* entry = ::readdir(proc)) {
        if (!AllDigits(entry->d_name) || self == entry->d_name)
            continue;
        bool uses = false;
        bool otherEnd = false;
        ScanProcess(entry->d_name, st.st_rdev, ptyIndex, uses, otherEnd);
        if (uses && !otherEnd) {
            found = true;
            if (holder) {
                holder->pid = std::atoi(entry->d_name);
                holder->name = ProcessName(holder->pid);
            }
            break;
        }
    }
    ::closedir(proc);
    return found;
#else
    (void)path;
    (void)holder;
    return false;
#endif
}

bool FindPortHolder(const std::string& path, HolderProcess* holder) {
    return InspectLockFile(PortLockFilePath(path), holder) == LockFileState::Live ||
           FindDeviceUser(path, holder);
}

PortClaim::~PortClaim() {
    Release();
}

void PortClaim::Release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    path_.clear();
    lockFileIgnored_ = false;
}

int PortClaim::Fail(int err) {
    Release();
    return err;
}

int PortClaim::Acquire(const std::string& path, HolderProcess* holder) {
    Release();
    // A program that has the device open without any lock (a terminal
    // program, a logger) would take part of the radio's answer. Looked for
    // before opening, so that of two copies of Kestra racing for the port
    // the one that opens first is not refused for the other's descriptor.
    if (FindDeviceUser(path, holder))
        return EBUSY;
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno;
        // EBUSY: the device is in exclusive mode, which only root passes.
        if (err == EBUSY)
            FindPortHolder(path, holder);
        return err;
    }
    path_ = path;
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err != EWOULDBLOCK)
            return Fail(err);
        FindPortHolder(path, holder);
        return Fail(EBUSY);
    }
    if (!PrepareLockFile(holder) || !ClearStaleExclusiveMode(holder))
        return Fail(EBUSY);
    return 0;
}

bool PortClaim::PrepareLockFile(HolderProcess* holder) {
    const std::string lockPath = PortLockFilePath(path_);
    switch (InspectLockFile(lockPath, holder)) {
    case LockFileState::Absent:
        return true;
    case LockFileState::Live:
        return false;
    case LockFileState::Stale:
        // Replaced by QSerialPort's own; when it cannot be removed, the
        // flock alone keeps other copies of Kestra out.
        lockFileIgnored_ = !RemoveStaleLockFile(lockPath);
        return true;
    }
    return true;
}

bool PortClaim::ClearStaleExclusiveMode(HolderProcess* holder) {
#if defined(TIOCGEXCL) && defined(TIOCNXCL)
    int exclusive = 0;
    if (::ioctl(fd_, TIOCGEXCL, &exclusive) != 0 || !exclusive)
        return true;
    // Set by a program that still has the device open: it is in use.
    if (FindDeviceUser(path_, holder))
        return false;
    ::ioctl(fd_, TIOCNXCL);
#else
    (void)holder;
#endif
    return true;
}

std::string PortClaim::QtPortName() const {
#ifdef __linux__
    if (lockFileIgnored_ && fd_ >= 0)
        return "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(fd_);
#endif
    return path_;
}

#else // no POSIX ports

std::string PortLockFilePath(const std::string&) {
    return std::string();
}
LockFileState InspectLockFile(const std::string&, HolderProcess*) {
    return LockFileState::Absent;
}
bool RemoveStaleLockFile(const std::string&) {
    return true;
}
bool FindDeviceUser(const std::string&, HolderProcess*) {
    return false;
}
bool FindPortHolder(const std::string&, HolderProcess*) {
    return false;
}
PortClaim::~PortClaim() = default;
void PortClaim::Release() {}
int PortClaim::Fail(int err) {
    return err;
}
int PortClaim::Acquire(const std::string& path, HolderProcess*) {
    path_ = path;
    return 0;
}
bool PortClaim::PrepareLockFile(HolderProcess*) {
    return true;
}
bool PortClaim::ClearStaleExclusiveMode(HolderProcess*) {
    return true;
}
std::string PortClaim::QtPortName() const {
    return path_;
}

#endif

} // namespace kestra
