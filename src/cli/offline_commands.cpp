// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that work on .dat files alone: new, channels, resave.
#include "cli/cli.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"

namespace kestra::cli {

namespace {

int RunNew(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {}, {"--builtin"}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError("new: expected one output file");
    RadioImage image;
    if (args.Has("--builtin"))
        ApplyBuiltInDefaults(image);
    else
        NewDocumentImage(CliProgramFolders(), image);
    return SaveOutputImage(args.positional[0], image) ? kExitOk : kExitFailed;
}

int RunChannels(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {}, {}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError("channels: expected one image file");
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
            out += grid.Text(row, col);
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
        return UsageError("resave: expected an input and an output file");
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    BandLimits limits;
    PassThroughGrid(image, limits);
    return SaveOutputImage(args.positional[1], image) ? kExitOk : kExitFailed;
}

} // namespace

void RegisterOfflineCommands(CommandTable& table) {
    table["new"] = {"new [--builtin] OUT.dat",
                    "write the image a new document gets (Default.dat next to the program, "
                    "unless --builtin, else the built-in defaults)",
                    RunNew};
    table["channels"] = {"channels IMAGE.dat",
                         "print the channel grid: 258 lines, row label and eight cells, "
                         "TAB-separated",
                         RunChannels};
    table["resave"] = {"resave IN.dat OUT.dat",
                       "open IN, render the grid, convert it back and finalise, save OUT "
                       "(what opening and saving in the application does)",
                       RunResave};
}

} // namespace kestra::cli
