// SPDX-License-Identifier: GPL-3.0-or-later
// Who holds a serial device, and Kestra's claim on it (POSIX systems).
//
// Kestra's exclusivity rests only on locks that end with their holder:
//
//   flock       LOCK_EX on a descriptor of the device, kept while the port is
//               open; the system drops it when its holder exits or is killed.
//   lock file   LCK..<device name> in the lock directory QSerialPort picks
//               (/var/lock, usually /run/lock), written by QSerialPort while
//               it has the device open:
//                   <pid>\n<program file name>\n<host>\n<machine id>\n<boot id>\n
//               It counts only while its process runs. One whose process is
//               gone or whose pid now belongs to another program, an empty or
//               unreadable one, junk, a link or a directory is stale: it is
//               removed, or ignored when it cannot be (a root-owned file in
//               the sticky lock directory).
//
// The terminal's exclusive mode (TIOCEXCL) is no lock: a killed program
// cannot clear it, on a pseudo-terminal it outlives its holder, and it locks
// out every later user but root. QSerialPort sets it on every open; Kestra
// clears it right after, and clears a flag it finds left behind when no
// other process has the device open any more.
#pragma once

#include <string>

namespace kestra {

// A process that holds a device.
struct HolderProcess {
    int pid = 0;
    std::string name; // its program's file name
};

// The lock file QSerialPort uses for the device at path: the name under /dev
// with '/' turned into '_' ("/dev/pts/3" -> "LCK..pts_3"), in the first of
// its lock directories that is readable and either holds that file or is
// writable. Empty when no directory qualifies (and on Windows). With
// KESTRA_LOCKDIR set, that directory is the only one (QSerialPort keeps its
// own), so that tests plant lock files in a folder of their own.
std::string PortLockFilePath(const std::string& path);

enum class LockFileState { Absent, Live, Stale };

// What the lock file at lockPath says. Live, with the holder, when it names a
// running process of the program it records; Stale for anything else found
// there.
LockFileState InspectLockFile(const std::string& lockPath, HolderProcess* holder);

// Removes a stale lock file: a file or link, or an empty directory. False
// when it cannot be removed; a directory with content is left alone.
bool RemoveStaleLockFile(const std::string& lockPath);

// A process other than this one that has the device at path open (Linux; the
// process that holds a pseudo-terminal's master side is the other end of the
// line, not a user of the port). False when there is none or it cannot be
// told.
bool FindDeviceUser(const std::string& path, HolderProcess* holder);

// The live holder of the device at path: the process its lock file names,
// else a process that has it open.
bool FindPortHolder(const std::string& path, HolderProcess* holder);

// Kestra's claim on a device for as long as its port is open: a descriptor
// of its own that holds the flock, the lock file made ready for QSerialPort,
// and a stale exclusive-mode flag cleared.
class PortClaim {
public:
    PortClaim() = default;
    ~PortClaim();
    PortClaim(const PortClaim&) = delete;
    PortClaim& operator=(const PortClaim&) = delete;

    // Claims the device at path (a resolved device path). Returns 0, or the
    // system error that refuses it (EBUSY when another program holds it or
    // has it open, with *holder filled when that program is known).
    int Acquire(const std::string& path, HolderProcess* holder);
    void Release();

    // The descriptor holding the claim; -1 when none is held.
    int fd() const { return fd_; }
    // The name to open the device by through QSerialPort: its path, or, when
    // a stale lock file could not be removed, an alias of the same device
    // (this process's descriptor under /proc) whose lock file name is this
    // process's own.
    std::string QtPortName() const;

private:
    int Fail(int err);
    bool PrepareLockFile(HolderProcess* holder);
    bool ClearStaleExclusiveMode(HolderProcess* holder);

    int fd_ = -1;
    std::string path_;
    bool lockFileIgnored_ = false;
};

} // namespace kestra
