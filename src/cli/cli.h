// SPDX-License-Identifier: GPL-3.0-or-later
// kestra-cli: commands, argument parsing and the shared helpers of its commands.
//
// Exit status: 0 success; 1 the operation failed (the application's message
// first on standard error); 2 bad usage or an input file that cannot be used.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/document/app_directory.h"
#include "core/image/radio_image.h"

namespace kestra::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Parsed arguments of one command: options with values, flags, positionals.
struct Args {
    std::map<std::string, std::string> options; // "--port" -> "/dev/ttyUSB0"
    std::vector<std::string> flags;             // "--builtin"
    std::vector<std::string> positional;

    bool Has(const std::string& flag) const;
    const std::string* Option(const std::string& name) const;
};

// Splits argv. valueOptions name the options that take a value ("-o" too),
// given as "--port DEV" or "--port=DEV"; flagOptions name the flags. Returns
// false and sets error on a missing value, a value given to a flag
// ("--trace=1") or an unknown option.
bool ParseArgs(const std::vector<std::string>& argv, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flagOptions, Args& out, std::string& error);

struct Command {
    std::string usage;   // "new [--builtin] OUT.dat"
    std::string summary; // one line
    std::function<int(const std::vector<std::string>&)> run;
};

using CommandTable = std::map<std::string, Command>;

void RegisterOfflineCommands(CommandTable& table);
void RegisterFormCommands(CommandTable& table);
void RegisterCsvCommands(CommandTable& table);
void RegisterDiffCommands(CommandTable& table);
void RegisterArrangeCommands(CommandTable& table);
void RegisterTransferCommands(CommandTable& table);

// Whether the arguments after a command ask for its help: a --help or -h
// that stands as an option of its own, neither an option's value
// ("-o --help") nor after "--". A command's new option that takes a value
// is added to the list there.
bool AsksForHelp(const std::vector<std::string>& args);

// Prints "kestra-cli: message" and returns kExitUsage.
int UsageError(const std::string& message);

// Writes text to standard output and flushes it: every command's output goes
// through here. On failure (a full disk, a closed pipe) prints the reason on
// standard error and returns false; the command then exits with kExitFailed.
bool WriteOutput(const std::string& text);

// True when the two names are one file (through links and dot parts too),
// also when that file does not exist yet.
bool NameOneFile(const std::string& a, const std::string& b);

// True when output names one of inputs (see NameOneFile): writing it would
// destroy an input of another kind, as a typo such as
// "export-csv radio.dat -o radio.dat" would. Prints why.
bool OutputIsAnInput(const std::string& output, std::initializer_list<std::string> inputs);

// False, after saying why, when path names a folder or lies in a folder that
// does not exist: checked before a long exchange whose image it will take.
bool OutputCanBeCreated(const std::string& path);

// False, after naming the file and its size, when path is a file longer
// than an image: an image written over it would keep only its first 16384
// bytes, so nothing is written (the command exits with kExitUsage). Shorter
// or empty files are replaced.
bool OutputKeepsNoBytes(const std::string& path);

// Loads an input image; on failure prints the reason and returns false. A
// file longer than an image loads its first 16384 bytes with a note on
// standard error.
bool LoadInputImage(const std::string& path, RadioImage& image);
// Saves an output image: kExitOk; kExitUsage, with nothing written, when
// OutputKeepsNoBytes refuses; kExitFailed after printing the reason.
int SaveOutputImage(const std::string& path, const RadioImage& image);

// The model name: Setup/Type of the first Program.ini that has it, beside
// the program, in the per-user configuration folder, in the packaged
// share/kestra/ (empty when none has it). Nothing is created.
std::string ModelNameFromIni();

// The directory of kestra-cli, ending in a separator.
const std::string& ProgramDirectory();
void SetProgramDirectory(const std::string& dir);
// Where Default.dat and Program.ini are looked for, in order: beside
// kestra-cli, the per-user configuration folder the application uses, the
// packaged share/kestra/ of an installed program.
ProgramFolders CliProgramFolders();

} // namespace kestra::cli
