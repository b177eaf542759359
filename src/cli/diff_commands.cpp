// SPDX-License-Identifier: GPL-3.0-or-later
// diff: what differs between two images, in the profile format.
#include <cstdio>

#include "cli/cli.h"
#include "core/codec/text_seam.h"
#include "core/document/app_state.h"
#include "core/document/dat_file.h"
#include "core/forms/profile_diff.h"

namespace kestra::cli {

namespace {

int RunDiff(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"--form", "--factory"}, {}, args, error))
        return UsageError("diff: " + error);
    if (args.positional.size() != 2)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要两个映像文件")), {"diff"}));
    AppState states[2];
    for (int i = 0; i < 2; ++i) {
        AppState& state = states[i];
        if (const std::string* password = args.Option("--factory")) {
            if (!FactoryPasswordMatches(*password))
                return UsageError(
                    FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：工厂密码不正确")), {"diff"}));
            state.factoryMode = true;
        }
        if (!LoadInputImage(args.positional[static_cast<std::size_t>(i)], state.image))
            return kExitUsage;
        state.modelName = ModelNameFromIni();
        state.appDirectory = ProgramDirectory();
    }
    const std::string* form = args.Option("--form");
    std::vector<forms::ProfileSection> sections;
    if (!forms::DiffImages(states[0], states[1], form ? *form : std::string(), sections, error))
        return UsageError("diff: " + error);
    if (sections.empty())
        return kExitOk;
    // A failed output is trouble, not a difference.
    return WriteOutput(forms::WriteProfile(sections)) ? kExitFailed : kExitUsage;
}

} // namespace

void RegisterDiffCommands(CommandTable& table) {
    table["diff"] = {"diff A.dat B.dat [--form NAME] [--factory PASSWORD]",
                     KESTRA_TEXT("kestra", "以配置文件输出差异：每个不同的项先是“; 项=A 中的文字”，"
                                           "再是“项=B 中的文字”；没有字段说明的字节放在 [raw] 节；"
                                           "退出状态 0 相同，1 不同，2 输入错误"),
                     RunDiff};
}

} // namespace kestra::cli
