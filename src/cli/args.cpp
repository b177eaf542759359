// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string_view>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "cli/cli.h"
#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/document/dat_file.h"
#include "core/os/os.h"

namespace kestra::cli {

bool Args::Has(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

const std::string* Args::Option(const std::string& name) const {
    const auto it = options.find(name);
    return it == options.end() ? nullptr : &it->second;
}

bool ParseArgs(const std::vector<std::string>& argv, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flagOptions, Args& out, std::string& error) {
    auto contains = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    for (std::size_t i = 0; i < argv.size(); ++i) {
        std::string arg = argv[i];
        if (arg == "--") {
            for (++i; i < argv.size(); ++i)
                out.positional.push_back(argv[i]);
            break;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::string value;
            bool inlineValue = false;
            const auto eq = arg.find('=');
            if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                inlineValue = true;
            }
            if (contains(valueOptions, arg)) {
                if (!inlineValue) {
                    if (i + 1 >= argv.size()) {
                        error = FillIn(TranslateText(KESTRA_TEXT("kestra", "选项 %1 需要一个值")), {arg});
                        return false;
                    }
                    value = argv[++i];
                }
                out.options[arg] = value;
            } else if (contains(flagOptions, arg)) {
                if (inlineValue) {
                    error = FillIn(TranslateText(KESTRA_TEXT("kestra", "选项 %1 不带值")), {arg});
                    return false;
                }
                out.flags.push_back(arg);
            } else {
                error = FillIn(TranslateText(KESTRA_TEXT("kestra", "未知选项 %1")), {arg});
                return false;
            }
            continue;
        }
        out.positional.push_back(arg);
    }
    return true;
}

namespace {
// The options, of any command, that take the next argument as their value.
constexpr std::string_view kValueOptions[] = {
    // files, ports, passwords
    "-o", "--port", "--factory", "--base", "--backup-dir", "--report", "--profile",
    // import-csv, settings, configure, diff, arrange
    "--start", "--form", "--seed", "--set", "--move", "--insert", "--delete", "--sort", "--range",
    // simulate
    "--image", "--save", "--ident", "--answer-on", "--stray-byte", "--wrong-ack-after",
    "--hang-up-after", "--latency", "--corrupt-store"};
} // namespace

bool AsksForHelp(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--")
            return false;
        if (args[i] == "--help" || args[i] == "-h")
            return true;
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), args[i]) !=
            std::end(kValueOptions))
            ++i; // its value, whatever it looks like
    }
    return false;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "kestra-cli: %s\n", message.c_str());
    std::fprintf(stderr, "%s\n",
                 TranslateText(KESTRA_TEXT("kestra", "用“kestra-cli --help”查看更多信息。")).c_str());
    return kExitUsage;
}

bool WriteOutput(const std::string& text) {
    errno = 0;
    const bool ok =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (ok)
        return true;
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "%s\n", Format(TranslateText(KESTRA_TEXT("kestra", "无法写入标准输出：%s")).c_str(),
                                       std::strerror(error)).c_str());
    return false;
}

namespace {
// The absolute name with its links and dot parts resolved as far as the
// folders exist.
std::filesystem::path ResolvedName(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::u8path(name), ec);
    std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
    return (ec ? absolute : resolved).lexically_normal();
}
} // namespace

bool NameOneFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b), ec))
        return true;
    // Files that do not exist yet: by their names, as the system compares them.
    const std::string nameA = ResolvedName(a).u8string();
    const std::string nameB = ResolvedName(b).u8string();
    if (kestra::os::NamesIgnoreCase())
        return ToUpperAscii(nameA) == ToUpperAscii(nameB);
    return nameA == nameB;
}

bool OutputIsAnInput(const std::string& output, std::initializer_list<std::string> inputs) {
    for (const std::string& input : inputs) {
        if (NameOneFile(output, input)) {
            UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "输出文件 %1 就是输入文件 %2")),
                              {EscapeControl(output), EscapeControl(input)}));
            return true;
        }
    }
    return false;
}

bool OutputCanBeCreated(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path name = fs::u8path(path);
    std::error_code ec;
    int error = 0;
    if (fs::is_directory(name, ec)) {
        error = EISDIR;
    } else {
        const fs::file_status folder =
            fs::status(name.has_parent_path() ? name.parent_path() : fs::path("."), ec);
        if (folder.type() == fs::file_type::not_found)
            error = ENOENT;
        else if (!fs::is_directory(folder))
            error = ENOTDIR;
    }
    if (error == 0)
        return true;
    std::fprintf(
        stderr, "%s\n",
        FillIn(TranslateText(kTextCannotSaveFile), {EscapeControl(path), std::strerror(error)})
            .c_str());
    return false;
}

bool OutputKeepsNoBytes(const std::string& path) {
    const long long size = LongerThanImage(path);
    if (size == 0)
        return true;
    std::fprintf(stderr, "kestra-cli: %s\n",
                 FillIn(TranslateText(KESTRA_TEXT(
                            "kestra", "不写入 %1：它有 %2 字节，比数据文件的 %3 字节长，"
                                      "写入会丢掉其余的字节")),
                        {EscapeControl(path), std::to_string(size), std::to_string(kImageSize)})
                     .c_str());
    return false;
}

bool LoadInputImage(const std::string& path, RadioImage& image) {
    std::string error;
    long long size = 0;
    if (!LoadDatFile(path, image, &error, &size)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    if (const std::string note = DatFileLongerNote(path, size); !note.empty())
        std::fprintf(stderr, "kestra-cli: %s\n", note.c_str());
    return true;
}

int SaveOutputImage(const std::string& path, const RadioImage& image) {
    if (!OutputKeepsNoBytes(path))
        return kExitUsage;
    std::string error;
    if (!SaveDatFile(path, image, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

namespace {
std::string& ProgramDirectoryStorage() {
    static std::string dir;
    return dir;
}
} // namespace

const std::string& ProgramDirectory() {
    return ProgramDirectoryStorage();
}
void SetProgramDirectory(const std::string& dir) {
    ProgramDirectoryStorage() = dir;
}

ProgramFolders CliProgramFolders() {
    QCoreApplication::setOrganizationName(QStringLiteral("Kestra"));
    QCoreApplication::setApplicationName(QStringLiteral("kestra"));
    ProgramFolders folders;
    folders.program = ProgramDirectory();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!user.isEmpty())
        folders.user = QDir::toNativeSeparators(user + QLatin1Char('/')).toStdString();
    folders.data = PackagedDataDirectory(ProgramDirectory());
    return folders;
}

} // namespace kestra::cli
