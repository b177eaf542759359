// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where core talks to the operating system: files and folders,
// the temporary files a signal must take along, the executable's path, local
// time, the program's arguments and standard output. posix.cpp and
// windows.cpp implement it side by side (the build picks one); the rest of
// core is standard C++ only.
//
// Paths are UTF-8 on every system. Calls that can fail return 0 or the errno
// value of the failure; on Windows a failure no errno value names (a file
// another program holds open) is the negated Windows error code. ErrorText
// gives either in the system's own words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace kestra::os {

enum class FileKind { Regular, Directory, Link, Other };

// What a save copies from the file it replaces.
struct FileStatus {
    FileKind kind = FileKind::Other;
    unsigned mode = 0; // permission bits
    long long owner = -1, group = -1;
    unsigned long attributes = 0; // Windows: hidden, system, archive...
    long long size = -1;          // bytes, of a regular file
};

using Handle = int; // an open file

// The operating system's files. Every call is virtual so that a test can
// watch or fail one step and leave the rest to the system (the base class is
// the system itself; SystemFiles() is the instance programs use).
class Files {
public:
    virtual ~Files() = default;

    // follow: through symbolic links (else the link itself). ENOENT when
    // nothing has the name.
    virtual int Status(const std::string& path, bool follow, FileStatus& status);
    virtual int StatusOf(Handle file, FileStatus& status);
    // The target a symbolic link holds, as written in it.
    virtual int ReadLink(const std::string& path, std::string& target);
    // The absolute path with every link resolved.
    virtual int RealPath(const std::string& path, std::string& real);
    // 0 when path is writable and so is the folder the file it names (links
    // resolved) lies in, else the reason (EACCES, EROFS, ...); folder, when
    // given, receives that folder when it is the folder that refuses.
    virtual int ReplaceRefusal(const std::string& path, std::string* folder = nullptr);

    // For reading; never waits for a writer should the name be a FIFO.
    virtual int OpenToRead(const std::string& path, Handle& file);
    // For writing into what exists (a device, a FIFO); nothing is created.
    // A FIFO that no program reads fails with ENXIO rather than wait.
    virtual int OpenToWrite(const std::string& path, Handle& file);
    // A new file, exclusively: fails with EEXIST when the name is taken, and
    // never follows a link of that name. It gets the usual permissions.
    virtual int CreateExclusive(const std::string& path, Handle& file);
    // The owner and group where allowed (silently kept otherwise), then the
    // permission bits of status; the error is that of the bits.
    virtual int CopyOwnerAndMode(Handle file, const FileStatus& status);
    // At most size bytes; got 0 at the end of the file.
    virtual int Read(Handle file, char* data, std::size_t size, std::size_t& got);
    // All size bytes.
    virtual int Write(Handle file, const char* data, std::size_t size);
    // Down to the disk.
    virtual int Flush(Handle file);
    virtual int Close(Handle file);

    // Replaces whatever to names.
    virtual int Rename(const std::string& from, const std::string& to);
    // Moves from to the name to only when nothing has that name (EEXIST
    // otherwise), atomically: two processes never take the same name.
    virtual int ClaimName(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    // Best effort: makes a rename in the folder of path durable.
    virtual void SyncFolderOf(const std::string& path);
};

Files& SystemFiles();

// The system's own words for an error the calls above returned.
std::string ErrorText(int error);

// True when the last part of path is a name Windows keeps for a device (CON,
// PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without an extension): there
// it names no file in any folder. IsDeviceName is that on Windows and never
// elsewhere; IsWindowsDeviceName is the rule on every system.
bool IsWindowsDeviceName(const std::string& path);
bool IsDeviceName(const std::string& path);

// True where file names that differ only in letter case name one file
// (Windows; macOS as it is delivered).
bool NamesIgnoreCase();

// Temporary files of saves in progress. Once RemoveTemporaryFilesOnSignals
// ran, SIGINT, SIGTERM and SIGHUP remove every noted file before they end the
// process the way they would have ended it anyway, and SIGXFSZ is ignored
// (the write past the file size limit fails instead). NoteTemporary answers a
// slot, or -1 when none is free (that file is then not removed).
int NoteTemporary(const std::string& path);
void ForgetTemporary(int slot);
void RemoveTemporaryFilesOnSignals();

// Holds SIGINT, SIGTERM and SIGHUP back on this thread while it lives, so that a
// temporary file and its note change together.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    std::uint64_t saved_[16]; // the signal mask before (posix.cpp checks the size)
};

// The running executable's path; empty where the system cannot tell.
std::string ExecutablePath();

// now as local time.
std::tm LocalTime(std::time_t now);

// The program's arguments in UTF-8 (Windows passes main() the ANSI code
// page; its UTF-16 command line is converted). argv itself elsewhere.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output takes bytes as they are (no "\n" becomes "\r\n"), and a
// console shows the UTF-8 that standard output and standard error carry.
void PrepareStandardStreams();

} // namespace kestra::os
