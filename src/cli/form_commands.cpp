// SPDX-License-Identifier: GPL-3.0-or-later
// settings and configure: every dialog as a profile of KEY=VALUE lines,
// printed from an image and applied to one as the user would apply them.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>

#include "cli/cli.h"
#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/document/app_state.h"
#include "core/document/dat_file.h"
#include "core/document/file_io.h"
#include "core/document/profile_file.h"
#include "core/forms/form_session.h"
#include "core/forms/profile.h"
#include "core/grid/channel_grid.h"

namespace kestra::cli {

std::string ModelNameFromIni() {
    const ProgramFolders folders = CliProgramFolders();
    for (const std::string* dir : {&folders.program, &folders.user, &folders.data}) {
        std::string value;
        if (!dir->empty() && ReadProfileValue(*dir + kProfileFileName, "Setup", "Type", value))
            return value;
    }
    return std::string();
}

namespace {

constexpr const char* kCannotReadProfile = KESTRA_TEXT("kestra", "无法读取配置文件 %1：%2");

// Profiles and settings files larger than these are not read.
constexpr std::size_t kMaxProfileSize = 64u << 20;

using forms::FormSession;
using forms::ProfileLine;
using forms::ProfileSection;

// A problem with what the user handed in: exit status 2 with a clear message
// on one line, whatever control characters (a NUL, an escape sequence) the
// name or value it quotes holds.
int InputError(const std::string& message) {
    std::fprintf(stderr, "kestra-cli: %s\n", EscapeControl(message).c_str());
    return kExitUsage;
}

// Runs the profile at path section by section as it is read. A file over
// the limit is refused whole, before anything of it runs; a pipe
// (`--profile <(kestra-cli diff A.dat B.dat)`) is read up to the limit.
bool RunProfileFile(const std::string& path, FormSession& session, std::string& error) {
    std::error_code ec;
    const auto status = std::filesystem::status(std::filesystem::u8path(path), ec);
    if (ec || std::filesystem::is_directory(status)) {
        std::string reason;
        std::string ignored;
        ReadRegularFile(path, 1, ignored, &reason);
        error = FillIn(TranslateText(kCannotReadProfile), {EscapeControl(path), reason});
        return false;
    }
    const auto size = std::filesystem::is_regular_file(status)
                          ? std::filesystem::file_size(std::filesystem::u8path(path), ec)
                          : 0;
    if (ec || size > kMaxProfileSize) {
        error = FillIn(TranslateText(KESTRA_TEXT("kestra", "配置文件 %1 大于 64 MiB")),
                       {EscapeControl(path)});
        return false;
    }
    // By its UTF-8 name on every system (fopen takes Windows' ANSI code page).
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    file.imbue(std::locale::classic());
    if (!file) {
        error = FillIn(TranslateText(kCannotReadProfile), {EscapeControl(path), std::strerror(errno)});
        return false;
    }
    std::size_t total = 0;
    forms::ProfileReader reader(
        [&file, &total](char* buffer, std::size_t size, std::string& why) -> long {
            file.read(buffer, static_cast<std::streamsize>(size));
            const auto n = static_cast<std::size_t>(file.gcount());
            if (file.bad()) {
                why = std::strerror(errno);
                return -1;
            }
            total += n;
            if (total > kMaxProfileSize) { // grew while it was read
                why = TranslateText(KESTRA_TEXT("kestra", "大于 64 MiB"));
                return -1;
            }
            return static_cast<long>(n);
        },
        path);
    ProfileSection section;
    ProfileLine line;
    bool inSection = false;
    bool ok = true;
    for (bool more = true; more && ok;) {
        switch (reader.Next(section, line, error)) {
        case forms::ProfileReader::Item::Header:
            ok = (!inSection || session.EndSection(error)) && session.BeginSection(section, error);
            inSection = true;
            break;
        case forms::ProfileReader::Item::Line:
            ok = session.Line(line, error);
            break;
        case forms::ProfileReader::Item::End:
            ok = !inSection || session.EndSection(error);
            more = false;
            break;
        case forms::ProfileReader::Item::Error:
            ok = false;
            break;
        }
    }
    return ok;
}

// Options in command-line order; value options may repeat.
struct OrderedArgs {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;

    const std::string* Last(const std::string& name) const {
        const std::string* found = nullptr;
        for (const auto& o : options)
            if (o.first == name)
                found = &o.second;
        return found;
    }
};

bool ParseOrdered(const std::vector<std::string>& argv,
                  const std::vector<std::string>& valueOptions, OrderedArgs& out,
                  std::string& error) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        std::string arg = argv[i];
        if (arg == "--") {
            out.positional.insert(out.positional.end(), argv.begin() + static_cast<long>(i) + 1,
                                  argv.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            out.positional.push_back(arg);
            continue;
        }
        std::string value;
        bool inlineValue = false;
        const auto eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            inlineValue = true;
        }
        bool known = false;
        for (const auto& v : valueOptions)
            known = known || v == arg;
        if (!known) {
            error = FillIn(TranslateText(KESTRA_TEXT("kestra", "未知选项 %1")), {arg});
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argv.size()) {
                error = FillIn(TranslateText(KESTRA_TEXT("kestra", "选项 %1 需要一个值")), {arg});
                return false;
            }
            value = argv[++i];
        }
        out.options.emplace_back(arg, value);
    }
    return true;
}

// Loads the image and sets up the state as the application has it; false
// after printing the reason (exit status 2).
bool OpenState(const std::string& command, const OrderedArgs& args, const std::string& path,
               AppState& state, int& exitCode) {
    if (const std::string* password = args.Last("--factory")) {
        if (!FactoryPasswordMatches(*password)) {
            exitCode = UsageError(
                FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：工厂密码不正确")), {command}));
            return false;
        }
        state.factoryMode = true;
    }
    if (!LoadInputImage(path, state.image)) {
        exitCode = kExitUsage;
        return false;
    }
    state.modelName = ModelNameFromIni();
    state.appDirectory = ProgramDirectory();
    return true;
}

int RunSettings(const std::vector<std::string>& argv) {
    OrderedArgs args;
    std::string error;
    if (!ParseOrdered(argv, {"--form", "--factory"}, args, error))
        return UsageError("settings: " + error);
    if (args.positional.size() != 1)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个映像文件")), {"settings"}));
    AppState state;
    int exitCode = kExitOk;
    if (!OpenState("settings", args, args.positional[0], state, exitCode))
        return exitCode;
    const std::string* form = args.Last("--form");
    FormSession session(state);
    std::vector<ProfileSection> sections;
    if (!session.SettingsSections(form ? *form : std::string(), sections, error))
        return InputError("settings: " + error);
    return WriteOutput(forms::WriteProfile(sections)) ? kExitOk : kExitFailed;
}

// "SECTION:KEY=VALUE" (or KEY++ / KEY--) of one --set option.
bool ParseSetOption(const std::string& desc, int number, std::string& header, ProfileLine& line,
                    std::string& error) {
    const auto colon = desc.find(':');
    if (colon == std::string::npos || colon == 0) {
        error = FillIn(
            TranslateText(KESTRA_TEXT("kestra", "--set:%1：应为“SECTION:KEY=VALUE”，实际为“%2”")),
            {std::to_string(number), EscapeControl(desc)});
        return false;
    }
    header = desc.substr(0, colon);
    std::string why;
    if (!forms::ParseProfileLine(desc.substr(colon + 1), line, why)) {
        error = "--set:" + std::to_string(number) + ": " + why;
        return false;
    }
    line.number = number;
    return true;
}

int RunConfigure(const std::vector<std::string>& argv) {
    OrderedArgs args;
    std::string error;
    if (!ParseOrdered(argv, {"-o", "--factory", "--seed", "--profile", "--set"}, args, error))
        return UsageError("configure: " + error);
    if (args.positional.size() != 1)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个输入映像")), {"configure"}));
    const std::string* out = args.Last("-o");
    if (!out)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：必须给出 %2")),
                                 {"configure", "-o OUT.dat"}));
    for (const auto& [option, value] : args.options)
        if (option == "--profile" && OutputIsAnInput(*out, {value}))
            return kExitUsage;
    std::optional<unsigned> seed;
    if (const std::string* s = args.Last("--seed")) {
        char* end = nullptr;
        const unsigned long v = std::strtoul(s->c_str(), &end, 10);
        if (s->empty() || *end != '\0' || (*s)[0] == '-' || v > 0xFFFFFFFFul)
            return UsageError(FillIn(
                TranslateText(KESTRA_TEXT("kestra", "%1：--seed 取 0..4294967295 的数")), {"configure"}));
        seed = static_cast<unsigned>(v);
    }

    // The --set options are read first (they are on the command line);
    // consecutive ones with the same SECTION form one section.
    struct SetGroup {
        ProfileSection section;
        std::size_t option = 0; // index into args.options of its first --set
    };
    std::vector<SetGroup> sets;
    int setNumber = 0;
    bool lastWasSet = false;
    for (std::size_t i = 0; i < args.options.size(); ++i) {
        if (args.options[i].first == "--profile")
            lastWasSet = false;
        if (args.options[i].first != "--set")
            continue;
        std::string header;
        ProfileLine line;
        if (!ParseSetOption(args.options[i].second, ++setNumber, header, line, error))
            return InputError("configure: " + error);
        if (!lastWasSet || sets.back().section.header != header) {
            SetGroup group;
            group.section.header = header;
            group.section.source = "--set";
            group.section.number = setNumber;
            group.option = i;
            sets.push_back(std::move(group));
        }
        sets.back().section.lines.push_back(std::move(line));
        lastWasSet = true;
    }

    AppState state;
    int exitCode = kExitOk;
    if (!OpenState("configure", args, args.positional[0], state, exitCode))
        return exitCode;
    FormSession session(state, seed);
    // Each profile is run as it is read, and the run stops at its first
    // error: a profile is never held whole.
    std::size_t nextSet = 0;
    for (std::size_t i = 0; i < args.options.size(); ++i) {
        if (nextSet < sets.size() && sets[nextSet].option == i) {
            if (!session.RunSection(sets[nextSet++].section, error))
                return InputError("configure: " + error);
        } else if (args.options[i].first == "--profile") {
            if (!RunProfileFile(args.options[i].second, session, error))
                return InputError("configure: " + error);
        }
    }
    session.PrepareSave();
    // What the dialogs and saving stored other than given: a user would
    // have seen it.
    constexpr std::size_t kNotesShown = 20;
    const std::vector<std::string>& notes = session.Notes();
    for (std::size_t i = 0; i < notes.size() && i < kNotesShown; ++i)
        std::fprintf(stderr, "configure: %s\n", notes[i].c_str());
    if (notes.size() > kNotesShown)
        std::fprintf(
            stderr, "%s\n",
            TranslateCount(KESTRA_COUNT_TEXT("kestra", "configure：另有 %n 个值存为其他内容"),
                           static_cast<int>(notes.size() - kNotesShown))
                .c_str());
    // The channels new band limits cleared: the application asks first;
    // said here, each time.
    for (const std::string& cleared : session.Cleared())
        std::fprintf(stderr, "configure: %s\n", cleared.c_str());
    return SaveOutputImage(*out, state.image);
}

} // namespace

void RegisterFormCommands(CommandTable& table) {
    table["settings"] = {
        "settings IMAGE.dat [--form NAME] [--factory PASSWORD]",
        KESTRA_TEXT("kestra", "以 [节] 和 键=值 行组成的配置文件输出各对话框的字段（表单："
                              "channel、batch、model、options、fm、dtmf；加 --factory 还有 tuning、decoder；"
                              "不带 --form 时：model、options、fm、dtmf，加 --factory 再输出工厂表单；"
                              "给出节标题如“channel A005”或 dtmf 的一页时只输出该节）"),
        RunSettings};
    table["configure"] = {
        "configure IN.dat -o OUT.dat [--factory PASSWORD] [--seed N] [--profile FILE]... "
        "[--set 'SECTION:KEY=VALUE']...",
        KESTRA_TEXT("kestra", "打开 IN，按顺序像用户在对话框中那样执行每个配置文件节和 --set，"
                              "保存为 OUT"),

        RunConfigure};
}

} // namespace kestra::cli
