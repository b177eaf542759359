// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes that are safe with whatever a path names.
//
// Reading takes regular files only: a FIFO or a device would block or never
// end, so it is refused without being read (and without waiting on a FIFO).
//
// Writing never leaves a half-written file and never replaces what it must
// not: a regular file (or a new one) is replaced through a temporary file
// beside it and a rename; a symbolic link is saved through, to the file it
// points to, and stays a link; a character device, FIFO or socket receives
// the bytes straight into it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "core/codec/text_seam.h"
#include "core/os/os.h"

namespace kestra {

// The reason given for a path that exists but is not a regular file.
inline constexpr const char* kNotRegularFileReason = KESTRA_TEXT("kestra", "不是普通文件");

// True when path names a regular file (symbolic links followed).
bool IsRegularFile(const std::string& path);

// Makes sure path is a regular file: creates it empty (exclusively, never
// through a link) when nothing of that name exists. False when something
// other than a regular file has the name or creation fails.
bool EnsureRegularFile(const std::string& path);

// True when WriteWholeFile could replace the regular file path: the file and
// its directory are writable.
bool CanReplaceFile(const std::string& path);

// Reads at most maxBytes bytes from the start of a regular file into bytes;
// fileSize, when given, receives the size of the whole file. On failure
// bytes is empty and reason (when given) receives the operating system's
// reason, or kNotRegularFileReason.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                     std::string* reason, long long* fileSize = nullptr);

// The size of the regular file path names (links followed); -1 when it names
// none.
long long RegularFileSize(const std::string& path);

// Writes size bytes as the whole content of path (see above). A regular file
// keeps its permission bits (and, where the saver may set them, its owner and
// group); one the saver may not write (read-only) is refused; a new file gets the usual permissions
// for new files. The temporary file has a unique name, is created exclusively without following
// links, is flushed to disk before the rename and is removed on every failure path. On failure the
// old file is unchanged and reason receives the operating system's reason. files is the operating
// system (a test passes its own).
bool WriteWholeFile(const std::string& path, const void* data, std::size_t size,
                    std::string* reason, os::Files& files = os::SystemFiles());

// Why size bytes (at least one) cannot be written beside path, in the
// system's words: a temporary file beside it takes them and is removed
// again; path itself is never touched. Empty when the trial succeeds (the
// system gives no reason). For a writer that can tell only that it failed.
std::string WriteTrialReason(const std::string& path, std::size_t size);

// Writes size bytes as a new file in a name nobody else holds: nameFor(1),
// nameFor(2), ... up to nameFor(maxNames) are tried in turn, and the first
// that is free is claimed atomically (a finished temporary file takes the
// name only when nothing has it, so that processes saving into the same
// folder at the same moment never take the same name). The file appears
// whole under its name or not at all; no existing file is ever replaced.
// claimedPath receives the path.
bool WriteNewFile(const std::function<std::string(int)>& nameFor, int maxNames, const void* data,
                  std::size_t size, std::string& claimedPath, std::string* reason,
                  os::Files& files = os::SystemFiles());

// True when name (a file name, no folder) has the form of the temporary file
// a save makes beside its target: "<target>.<six letters or digits>.part".
// target (when given) receives the target's name (cut, for a name too long
// to take the suffix whole). A save killed outright (kill -9, a power cut)
// leaves one behind.
bool IsTemporaryFileName(const std::string& name, std::string* target = nullptr);

// SIGINT, SIGTERM and SIGHUP remove the temporary files of saves in progress
// before the signal ends the process the way it would have ended it anyway;
// a save past the file size limit fails as a save (SIGXFSZ is ignored). A
// program calls this once at start; a handler installed later replaces it.
void RemoveTemporaryFilesOnSignals();

} // namespace kestra
