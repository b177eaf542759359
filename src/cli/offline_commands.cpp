// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that work on .dat files alone: new, channels, resave.
#include "cli/cli.h"
#include "core/codec/text_seam.h"
#include "core/document/default_image.h"
#include "core/forms/profile_labels.h"
#include "core/grid/channel_grid.h"

namespace kestra::cli {

namespace {

int RunNew(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {}, {"--builtin"}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个输出文件")), {"new"}));
    RadioImage image;
    if (args.Has("--builtin"))
        ApplyBuiltInDefaults(image);
    else
        NewDocumentImage(CliProgramFolders(), image);
    return SaveOutputImage(args.positional[0], image);
}

int RunChannels(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {}, {}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个映像文件")), {"channels"}));
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    BandLimits limits;
    ChannelGrid grid;
    RenderGrid(grid, image, limits);
    std::string out;
    for (int row = 1; row < kGridRows; ++row) {
        for (int col = 0; col < kGridCols; ++col) {
            if (col > 0)
                out += '\t';
            // The choices and "no tone" in the language of --lang, as the
            // settings print them.
            out +=
                col >= kColRxTone ? forms::PrintedLabel(grid.Text(row, col)) : grid.Text(row, col);
        }
        out += '\n';
    }
    return WriteOutput(out) ? kExitOk : kExitFailed;
}

int RunResave(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {}, {}, args, error))
        return UsageError(error);
    if (args.positional.size() != 2)
        return UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个输入文件和一个输出文件")), {"resave"}));
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    BandLimits limits;
    PassThroughGrid(image, limits);
    return SaveOutputImage(args.positional[1], image);
}

} // namespace

void RegisterOfflineCommands(CommandTable& table) {
    table["new"] = {"new [--builtin] OUT.dat",
                    KESTRA_TEXT("kestra", "写出新文档所得的映像（程序旁的 Default.dat；"
                                          "给出 --builtin 或没有该文件时用内置默认值）"),
                    RunNew};
    table["channels"] = {"channels IMAGE.dat",
                         KESTRA_TEXT("kestra", "输出信道表格：258 行，每行是行标签和八个单元，"
                                               "以 TAB 分隔"),
                         RunChannels};
    table["resave"] = {"resave IN.dat OUT.dat",
                       KESTRA_TEXT("kestra", "打开 IN，生成表格，再转换回去并整理，保存为 OUT"
                                             "（即在程序中打开再保存所做的）"),
                       RunResave};
}

} // namespace kestra::cli
