// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QLocale>
#include <QStringList>

#include "cli/cli.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"
#include "core/document/app_directory.h"
#include "core/document/file_io.h"
#include "core/document/version_notice.h"
#include "core/os/os.h"
#include "lang/language.h"

using namespace kestra::cli;
using kestra::FillIn;
using kestra::TranslateText;

namespace {

// Prints text; the exit status says whether standard output took it.
int Print(const std::string& text) {
    return WriteOutput(text) ? kExitOk : kExitFailed;
}

std::string Tr(const char* source) {
    return TranslateText(source);
}

int PrintHelp(const CommandTable& table) {
    std::string text = Tr(KESTRA_TEXT("kestra", "用法：kestra-cli [--lang zh|en] 命令 [选项] [文件]\n"
                                                "不需要显示器，以脚本驱动 Kestra 的写频核心。\n\n"
                                                "命令：\n"));
    for (const auto& entry : table) {
        // "read ... | write ...": one form a line.
        std::string usage = entry.second.usage;
        for (auto bar = usage.find(" | "); bar != std::string::npos; bar = usage.find(" | "))
            usage.replace(bar, 3, "\n");
        std::size_t from = 0;
        for (auto end = usage.find('\n'); from <= usage.size(); end = usage.find('\n', from)) {
            text += kestra::WrapText(
                usage.substr(from, end == std::string::npos ? end : end - from), "  ", "        ");
            if (end == std::string::npos)
                break;
            from = end + 1;
        }
        text += kestra::WrapText(Tr(entry.second.summary.c_str()), "      ", "      ");
    }
    return Print(text + Tr(KESTRA_TEXT(
        "kestra", "\n选项：\n"
                  "  --help       显示本帮助并退出\n"
                  "  --version    显示版本并退出\n"
                  "  --lang zh|en 消息、报告和帮助所用的语言（默认跟随系统）；\n"
                  "               settings 和 diff 只在 --lang en 时输出英文标签，\n"
                  "               configure 接受所有语言的标签\n\n"
                  "退出状态：0 成功；1 操作失败（消息是标准错误上进度行之后的第一行）；\n"
                  "2 用法错误或输入文件无法使用。只有成功时才写输出文件。\n"
                  "进度写到标准错误：不是终端时每行一个百分比。\n"
                  "DEV 可以是 COM3、ttyUSB0、/dev/ttyUSB0 或任何设备路径。\n")));
}

// The run's language: --lang (before or after the command), else the
// user's preferred languages. Profiles print English labels only when
// --lang en is given, so that they do not change with the user's locale.
bool SetUpLanguage(std::vector<std::string>& argv, int& exitCode) {
    kestra::InstallLanguage(kestra::LanguageForUiLanguages(kestra::UserLocale().uiLanguages()));
    QStringList arguments{QStringLiteral("kestra-cli")};
    for (const std::string& a : argv)
        arguments.append(QString::fromStdString(a));
    bool given = false;
    kestra::Language language = kestra::Language::Chinese;
    QString error;
    if (!kestra::TakeLanguageOption(arguments, given, language, error)) {
        exitCode = UsageError(error.toStdString());
        return false;
    }
    if (given)
        kestra::InstallLanguage(language, QString(), language != kestra::Language::Chinese);
    // The arguments left keep their own bytes: a file name need not be UTF-8
    // (a round trip through QString would make it another name).
    std::vector<std::string> left;
    int next = 1;
    for (const std::string& a : argv)
        if (next < arguments.size() && arguments[next] == QString::fromStdString(a)) {
            left.push_back(a);
            ++next;
        }
    argv.swap(left);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The user's locale, as the application (and Qt in every command that
    // starts it) has it, every command alike; the system's words in messages
    // then follow the run's language (ApplySystemMessageLanguage). Numbers
    // never follow it (core/codec/decimal.h).
    std::setlocale(LC_ALL, "");
    // Standard output carries files (CSV, profiles) byte for byte, and the
    // arguments name files in UTF-8 on every system.
    kestra::os::PrepareStandardStreams();
    SetProgramDirectory(kestra::ExecutableDirectory(argc > 0 ? argv[0] : nullptr));
    std::vector<std::string> args = kestra::os::Utf8Arguments(argc, argv);
    if (!args.empty())
        args.erase(args.begin()); // the program's name
    int status = kExitOk;
    if (!SetUpLanguage(args, status))
        return status;
    kestra::RemoveTemporaryFilesOnSignals();
    CommandTable table;
    RegisterOfflineCommands(table);
    RegisterFormCommands(table);
    RegisterCsvCommands(table);
    RegisterDiffCommands(table);
    RegisterArrangeCommands(table);
    RegisterTransferCommands(table);
    if (args.empty())
        return UsageError(Tr(KESTRA_TEXT("kestra", "缺少命令")));
    const std::string first = args[0];
    if (first == "--help" || first == "-h" || first == "help")
        return PrintHelp(table);
    if (first == "--version")
        return Print(kestra::VersionNotice("kestra-cli"));
    const auto it = table.find(first);
    if (it == table.end())
        return UsageError(first.size() > 1 && first[0] == '-'
                              ? FillIn(Tr(KESTRA_TEXT("kestra", "未知选项 %1")), {first})
                              : FillIn(Tr(KESTRA_TEXT("kestra", "未知命令“%1”")), {first}));
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest))
        return Print(Tr(KESTRA_TEXT("kestra", "用法：")) + "kestra-cli " + it->second.usage + "\n" +
                     Tr(it->second.summary.c_str()) + "\n");
    return it->second.run(rest);
}
